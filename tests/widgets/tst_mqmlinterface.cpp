#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "controllers/ControllerId.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DMessageBox.h"
#include "hardware/CParameter.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/CloseRecorder.h"
#include "support/FakeDropSite.h"
#include "support/FakeNodes.h"
#include "support/RecordingController.h"
#include "support/RecordingSelectTool.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "views/VModeManager.h"
#include "widgets/MQmlInterface.h"
#include "widgets/MeterGaugeLocalization.h"

#include <QCloseEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

QString handleOf(const void *pObject)
{
    return QString::number(quint64(reinterpret_cast<quintptr>(pObject)));
}

// Every message while it exists, debug lines included.
class DebugLines
{
public:
    DebugLines() { s_pActive = this, m_previous = qInstallMessageHandler(&DebugLines::handler); }
    ~DebugLines()
    {
        qInstallMessageHandler(m_previous);
        s_pActive = nullptr;
    }
    QStringList lines;

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        if (s_pActive)
            s_pActive->lines.append(message);
    }
    QtMessageHandler m_previous;
    static DebugLines *s_pActive;
};

DebugLines *DebugLines::s_pActive = nullptr;

} // namespace

// The bridge as QML calls it: questions, posted commands, gestures to the
// select tool, drops resolved against live objects only, the menus'
// context properties and the exit request.
class TestMQmlInterface : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void answersWithoutModel();
    void answersFromModel();
    void postCommand_data();
    void postCommand();
    void postCommandWithoutModelIsFalse();
    void doubleClickShowsProperties();
    void gesturesReachSelectTool();
    void keyEvent_data();
    void keyEvent();
    void gesturesWithoutModelOrToolDoNothing();
    void setObjectRegistersByName_data();
    void setObjectRegistersByName();
    void setModelBindsModel();
    void setContextPublishesOwnObjects();
    void loadSceneMenuListsScenes();
    void loadSceneMenuWithoutContext();
    void loadSetupMenu_data();
    void loadSetupMenu();
    void nodeHandles_data();
    void nodeHandles();
    void staleNodeHandleResolvesToNothing();
    void dropControlStoresFieldsAndFilesNothingUnknown();
    void dropsWithUnknownHandlesAreIgnored_data();
    void dropsWithUnknownHandlesAreIgnored();
    void dropLinkResolvesPanelDocument();
    void dropSiteKeepsSiteWeakly();
    void dragEvent_data();
    void dragEvent();
    void exitClosesMainWindow();
    void exitWithoutWindowQuits();

private:
    std::unique_ptr<MModel> m_pModel;
    std::unique_ptr<MQmlInterface> m_pInterface;
    QStringList m_log;
    FakeProcessor *m_pProcessor = nullptr;
    FakeNode *m_pNode = nullptr;
};

void TestMQmlInterface::init()
{
    m_log.clear();
    // A link dropped with no panel shown warns; nobody is there to answer.
    DMessageBox::setResponder([this](const QString &, const QString &text) {
        m_log.append(QStringLiteral("box ") + text);
        return 0;
    });
    m_pModel = std::make_unique<MModel>();
    m_pModel->init();
    m_pModel->setSelectTool(new RecordingSelectTool(&m_log));
    m_pInterface = std::make_unique<MQmlInterface>();

    // A processor with one block holding a Slider and a Button parameter.
    m_pProcessor = new FakeProcessor;
    m_pNode = new FakeNode;
    for (const auto &[text, type] : {std::pair<const char *, const char *>{"Level", "Slider"},
                                     std::pair<const char *, const char *>{"Mute", "Button"}}) {
        auto *pParameter = new CParameter;
        pParameter->setText(QLatin1String(text));
        pParameter->setType(QLatin1String(type));
        m_pNode->parameterList()->append(pParameter);
    }
    m_pProcessor->addNode(m_pNode);
    m_pModel->rootNode()->addNode(m_pProcessor);
}

void TestMQmlInterface::cleanup()
{
    DMessageBox::setResponder({});
    m_pInterface.reset();
    m_pModel.reset();
    delete VModeManager::instance();
    delete BCommandProcessor::instance();
    MProject::setExitPin(QString());
}

void TestMQmlInterface::answersWithoutModel()
{
    MQmlInterface &intrf = *m_pInterface;
    QCOMPARE(intrf.getDesktopOrMobile(), QStringLiteral("desktop"));
    QCOMPARE(intrf.getAppFunction(), 1);
    QCOMPARE(intrf.getReceivePanelString(), QStringLiteral("Receive Control Panel..."));
    QVERIFY(intrf.getVersionText().startsWith(QStringLiteral("Version 3.0.6.0\n\n")));
    QCOMPARE(intrf.getFileVersionString(), QString());
    QCOMPARE(intrf.getProjectInfoString(), QString());
    QCOMPARE(intrf.getNetworkStatusString(), QString());
    QCOMPARE(intrf.getMobileIPAddressString(), QString());
    MProject::setExitPin(QStringLiteral("2468"));
    QCOMPARE(intrf.getExitPIN(), QStringLiteral("2468"));
    // Nothing to reach: no crash.
    intrf.canvasResize();
    intrf.panelSetup();
    intrf.headerText();
}

void TestMQmlInterface::answersFromModel()
{
    m_pInterface->setModel(m_pModel.get());
    QCOMPARE(m_pInterface->getFileVersionString(), QStringLiteral("3.0"));
    QVERIFY(m_pModel->project());
    QCOMPARE(m_pInterface->getProjectInfoString(), m_pModel->project()->projectInfoString());
    QVERIFY(m_pInterface->getMobileIPAddressString().startsWith(QStringLiteral("Mobile IP Address:\n\n")));
    QCOMPARE(m_pInterface->getNetworkStatusString(), m_pModel->networkReport());
}

void TestMQmlInterface::postCommand_data()
{
    QTest::addColumn<QString>("cmd");
    QTest::addColumn<QString>("msg");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("statusMessages");
    QTest::newRow("statusbar") << "statusbar" << "Ready" << true << 1;
    // The model answers false for these until it has scenes.
    QTest::newRow("scene unknown") << "scene" << "Nowhere" << false << 0;
    QTest::newRow("event") << "event" << "leftarrow" << false << 0;
    // The About box has no canvas to stand on here, so it is over at once.
    QTest::newRow("system") << "system" << "About" << true << 0;
    QTest::newRow("system unknown") << "system" << "Settings" << false << 0;
    QTest::newRow("other") << "popup" << "x" << false << 0;
    QTest::newRow("case-sensitive") << "StatusBar" << "Ready" << false << 0;
    QTest::newRow("empty") << "" << "" << false << 0;
}

void TestMQmlInterface::postCommand()
{
    QFETCH(QString, cmd);
    QFETCH(QString, msg);
    QFETCH(bool, result);
    QFETCH(int, statusMessages);
    m_pInterface->setModel(m_pModel.get());
    QSignalSpy status(m_pModel.get(), &MModel::displayMessage);
    QCOMPARE(m_pInterface->postCommand(cmd, msg), result);
    QCOMPARE(status.count(), statusMessages);
    if (statusMessages)
        QCOMPARE(status.first().first().toString(), msg);
}

void TestMQmlInterface::postCommandWithoutModelIsFalse()
{
    for (const char *cmd : {"event", "scene", "statusbar", "system"})
        QVERIFY(!m_pInterface->postCommand(QLatin1String(cmd), QStringLiteral("x")));
}

void TestMQmlInterface::doubleClickShowsProperties()
{
    // The controller writes to the member log, which outlives the model.
    auto *pController = new RecordingController(QStringLiteral("tabs"), ControllerId::Tabs, &m_log);
    m_pModel->addController(pController);
    m_pInterface->doubleClickControl(); // no model yet
    QVERIFY(m_log.filter(QStringLiteral("notify")).isEmpty());
    m_pInterface->setModel(m_pModel.get());
    m_pInterface->doubleClickControl();
    QCOMPARE(m_log.filter(QStringLiteral("notify")), QStringList{QStringLiteral("notify tabs 0x2900")});
}

void TestMQmlInterface::gesturesReachSelectTool()
{
    m_pInterface->setModel(m_pModel.get());
    m_pInterface->moveControl(0, 0, Qt::GestureStarted);
    m_pInterface->moveControl(12.5, -3, Qt::GestureUpdated);
    m_pInterface->resizeControl(20, 0, Qt::RightEdge, Qt::GestureFinished);
    m_pInterface->resizeControl(0, 7, Qt::BottomEdge, Qt::GestureUpdated);
    m_pInterface->cancelEdit();
    const QStringList expected{
        QStringLiteral("mouse 0,0 handle -1 id 2001 phase 1"),
        QStringLiteral("mouse 12.5,-3 handle -1 id 2001 phase 2"),
        QStringLiteral("mouse 20,0 handle %1 id 2002 phase 3").arg(int(Qt::RightEdge)),
        QStringLiteral("mouse 0,7 handle %1 id 2002 phase 2").arg(int(Qt::BottomEdge)),
        QStringLiteral("run 1"),
    };
    QCOMPARE(m_log, expected);
}

void TestMQmlInterface::keyEvent_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("passed");
    QTest::newRow("left") << int(Qt::Key_Left) << true;
    QTest::newRow("up") << int(Qt::Key_Up) << true;
    QTest::newRow("right") << int(Qt::Key_Right) << true;
    QTest::newRow("down") << int(Qt::Key_Down) << true;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << false;
    QTest::newRow("home, just below") << int(Qt::Key_Home) << false;
    QTest::newRow("letter") << int(Qt::Key_A) << false;
}

void TestMQmlInterface::keyEvent()
{
    QFETCH(int, key);
    QFETCH(bool, passed);
    m_pInterface->setModel(m_pModel.get());
    m_pInterface->keyEvent(key, Qt::ShiftModifier, true, Qt::GestureStarted);
    const QStringList expected =
        passed ? QStringList{QStringLiteral("key %1 mods %2 id 2006 repeat 1 phase 1")
                                 .arg(key, 0, 16)
                                 .arg(int(Qt::ShiftModifier), 0, 16)}
               : QStringList();
    QCOMPARE(m_log, expected);
}

void TestMQmlInterface::gesturesWithoutModelOrToolDoNothing()
{
    m_pInterface->moveControl(1, 1, Qt::GestureStarted);
    m_pInterface->keyEvent(Qt::Key_Left, 0, false, Qt::GestureStarted);
    m_pInterface->cancelEdit();
    QVERIFY(m_log.isEmpty());

    m_pModel->setSelectTool(nullptr);
    m_pInterface->setModel(m_pModel.get());
    m_pInterface->moveControl(1, 1, Qt::GestureStarted);
    m_pInterface->resizeControl(1, 1, Qt::RightEdge, Qt::GestureStarted);
    m_pInterface->keyEvent(Qt::Key_Left, 0, false, Qt::GestureStarted);
    m_pInterface->cancelEdit();
    QVERIFY(m_log.isEmpty());
}

void TestMQmlInterface::setObjectRegistersByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("view");
    QTest::addColumn<bool>("canvas");
    QTest::addColumn<bool>("modal");
    QTest::newRow("QmlView") << "QmlView" << true << false << false;
    QTest::newRow("QmlCanvas") << "QmlCanvas" << false << true << false;
    QTest::newRow("ModalObject") << "ModalObject" << false << false << true;
    QTest::newRow("other name") << "Canvas" << false << false << false;
    QTest::newRow("case-sensitive") << "qmlcanvas" << false << false << false;
}

void TestMQmlInterface::setObjectRegistersByName()
{
    QFETCH(QString, name);
    QFETCH(bool, view);
    QFETCH(bool, canvas);
    QFETCH(bool, modal);
    auto pObject = std::make_unique<QObject>();
    m_pInterface->setObject(name, pObject.get());
    VModeManager *pModes = VModeManager::instance();
    QCOMPARE(m_pInterface->qmlView() == pObject.get(), view);
    QCOMPARE(pModes->canvasRoot() == pObject.get(), canvas);
    QCOMPARE(pModes->modalObject() == pObject.get(), modal);

    // Held weakly: a destroyed QML object reads as null.
    pObject.reset();
    QCOMPARE(m_pInterface->qmlView(), nullptr);
    QCOMPARE(pModes->canvasRoot(), nullptr);
    QCOMPARE(pModes->modalObject(), nullptr);
}

void TestMQmlInterface::setModelBindsModel()
{
    QQmlEngine engine;
    m_pInterface->setContext(engine.rootContext());
    m_pInterface->setModel(nullptr);
    QCOMPARE(m_pInterface->model(), nullptr);
    m_pInterface->setModel(m_pModel.get());
    QCOMPARE(m_pInterface->model(), m_pModel.get());
    QCOMPARE(m_pModel->qmlInterface(), m_pInterface.get());
    QCOMPARE(m_pModel->qmlContext(), engine.rootContext());

    // The model holds the interface weakly.
    m_pInterface.reset();
    QCOMPARE(m_pModel->qmlInterface(), nullptr);
}

void TestMQmlInterface::setContextPublishesOwnObjects()
{
    QQmlEngine engine;
    QQmlContext *pContext = engine.rootContext();
    m_pInterface->setContext(pContext);
    QCOMPARE(m_pInterface->context(), pContext);
    QCOMPARE(pContext->contextProperty(QStringLiteral("MeterGaugeLocalValue")).value<QObject *>(),
             m_pInterface->meterGauge());
    QCOMPARE(pContext->contextProperty(QStringLiteral("MsgBoxController")).value<QObject *>(),
             m_pInterface->messageBox());
    QCOMPARE(pContext->contextProperty(QStringLiteral("sceneMenuData")).toStringList(), QStringList());

    const MeterGaugeLocalization *pGauge = m_pInterface->meterGauge();
    QCOMPARE(pGauge->barWidth(), 15.0);
    QCOMPARE(pGauge->barHeightDif(), 10.0);
    QCOMPARE(pGauge->alignerWidth(), 66.0);
    QCOMPARE(pGauge->digitOffset(), -8.0);
}

void TestMQmlInterface::loadSceneMenuListsScenes()
{
    QQmlEngine engine;
    m_pInterface->setContext(engine.rootContext());
    CComposite *pScenes = m_pModel->scenes();
    for (const char *name : {"Lobby", "Hall A"}) {
        auto *pScene = new CComposite;
        pScene->setName(QLatin1String(name));
        pScenes->addChild(pScene);
    }
    m_pInterface->loadSceneMenu(pScenes);
    QCOMPARE(engine.rootContext()->contextProperty(QStringLiteral("sceneMenuData")).toStringList(),
             (QStringList{QStringLiteral("Lobby"), QStringLiteral("Hall A")}));
    m_pInterface->loadSceneMenu(nullptr);
    QCOMPARE(engine.rootContext()->contextProperty(QStringLiteral("sceneMenuData")).toStringList(),
             QStringList());
}

void TestMQmlInterface::loadSceneMenuWithoutContext()
{
    QTest::ignoreMessage(QtDebugMsg, "Context not set when loading scene menu.");
    m_pInterface->loadSceneMenu(m_pModel->scenes());
    m_pInterface->loadSetupMenu(QStringLiteral("a,b")); // nothing without a context
}

void TestMQmlInterface::loadSetupMenu_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("three entries") << "About Velmora Viviza...,Project Information...,Network Status..."
                                   << QStringList{QStringLiteral("About Velmora Viviza..."),
                                                  QStringLiteral("Project Information..."),
                                                  QStringLiteral("Network Status...")};
    QTest::newRow("two commas, empty ends") << ",," << QStringList{QString(), QString(), QString()};
    QTest::newRow("one entry") << "About" << QStringList{QStringLiteral("About")};
    QTest::newRow("trailing comma") << "About," << QStringList{QStringLiteral("About"), QString()};
    QTest::newRow("empty") << "" << QStringList();
}

void TestMQmlInterface::loadSetupMenu()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QQmlEngine engine;
    m_pInterface->setContext(engine.rootContext());
    m_pInterface->loadSetupMenu(text);
    QCOMPARE(engine.rootContext()->contextProperty(QStringLiteral("setupMenuData")).toStringList(), entries);
}

void TestMQmlInterface::nodeHandles_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("expected"); // 0 none, 1 the block, 2 the processor
    QTest::newRow("block") << QString() << 1;
    QTest::newRow("processor") << QString() << 2;
    QTest::newRow("graphics item") << "0" << 0;
    QTest::newRow("not a number") << "Level" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("another program's address") << "140737488355327" << 0;
    QTest::newRow("too large") << "99999999999999999999999" << 0;
}

void TestMQmlInterface::nodeHandles()
{
    QFETCH(QString, data);
    QFETCH(int, expected);
    if (QByteArray(QTest::currentDataTag()) == "block")
        data = handleOf(m_pNode);
    else if (QByteArray(QTest::currentDataTag()) == "processor")
        data = handleOf(m_pProcessor);
    HNode *pExpected = expected == 1 ? static_cast<HNode *>(m_pNode)
                       : expected == 2 ? static_cast<HNode *>(m_pProcessor)
                                       : nullptr;
    QCOMPARE(m_pInterface->nodeFromHandle(data), nullptr); // no model, no tree to look in
    m_pInterface->setModel(m_pModel.get());
    QCOMPARE(m_pInterface->nodeFromHandle(data), pExpected);
}

// A node taken out of the tree and destroyed after the drag began is not found
// (a re-import removes nodes while a drag may be under way).
void TestMQmlInterface::staleNodeHandleResolvesToNothing()
{
    m_pInterface->setModel(m_pModel.get());
    const QString data = handleOf(m_pNode);
    QCOMPARE(m_pInterface->nodeFromHandle(data), m_pNode);
    m_pProcessor->removeChild(m_pNode);
    delete m_pNode;
    m_pNode = nullptr;
    QCOMPARE(m_pInterface->nodeFromHandle(data), nullptr);

    m_pInterface->dropControl(QStringLiteral("Level"), data, 10, 10);
    QCOMPARE(m_pInterface->dropNode(), nullptr);
    QCOMPARE(m_pInterface->dropText(), QString());
}

// The drop stores what the command reads; with no panel shown the commands
// build nothing, and nothing is filed.
void TestMQmlInterface::dropControlStoresFieldsAndFilesNothingUnknown()
{
    m_pInterface->setModel(m_pModel.get());
    const int undoBefore = BCommandProcessor::instance()->undoCount();
    m_pInterface->dropControl(QStringLiteral("Level"), handleOf(m_pNode), 103, 47);
    QCOMPARE(m_pInterface->dropNode(), m_pNode);
    QCOMPARE(m_pInterface->dropText(), QStringLiteral("Level"));
    QCOMPARE(m_pInterface->dropPos(), QPointF(103, 47));
    QCOMPARE(BCommandProcessor::instance()->undoCount(), undoBefore);

    // A graphics item carries handle 0: no node, the text names the graphics.
    m_pInterface->dropControl(QStringLiteral("Label"), QStringLiteral("0"), 5, 6);
    QCOMPARE(m_pInterface->dropNode(), nullptr);
    QCOMPARE(m_pInterface->dropText(), QStringLiteral("Label"));
    QCOMPARE(m_pInterface->dropPos(), QPointF(5, 6));

    m_pInterface->dropPanel(QStringLiteral("Block"), handleOf(m_pNode));
    QCOMPARE(m_pInterface->dropNode(), m_pNode);
    QCOMPARE(BCommandProcessor::instance()->undoCount(), undoBefore);
}

void TestMQmlInterface::dropsWithUnknownHandlesAreIgnored_data()
{
    QTest::addColumn<QString>("data");
    QTest::newRow("not a number") << "Level";
    QTest::newRow("another program's address") << "140737488355327";
    QTest::newRow("empty") << "";
}

// Unknown drag data never reaches the factory: no "no command" line, and the
// fields of an earlier drop are cleared rather than left for a command.
void TestMQmlInterface::dropsWithUnknownHandlesAreIgnored()
{
    QFETCH(QString, data);
    m_pInterface->setModel(m_pModel.get());
    m_pInterface->dropControl(QStringLiteral("Level"), handleOf(m_pNode), 1, 2);
    QCOMPARE(m_pInterface->dropNode(), m_pNode);

    DebugLines lines;
    m_pInterface->dropControl(QStringLiteral("Level"), data, 3, 4);
    QCOMPARE(m_pInterface->dropNode(), nullptr);
    QCOMPARE(m_pInterface->dropPos(), QPointF());
    m_pInterface->dropPanel(QStringLiteral("Block"), data);
    QCOMPARE(m_pInterface->dropNode(), nullptr);
    m_pInterface->dropLink(QStringLiteral("Home"), data, 3, 4);
    QCOMPARE(m_pInterface->dropTarget(), nullptr);
    auto pSite = std::make_unique<FakeDropSite>(QStringLiteral("Slider"));
    m_pInterface->dropSite(QStringLiteral("Level"), data, pSite.get());
    QCOMPARE(m_pInterface->dropSiteWidget(), nullptr);
    QCOMPARE(BCommandProcessor::instance()->undoCount(), 0);
    QVERIFY2(lines.lines.filter(QStringLiteral("no command")).isEmpty(), qPrintable(lines.lines.join('\n')));
}

void TestMQmlInterface::dropLinkResolvesPanelDocument()
{
    auto *pScene = new CComposite;
    pScene->setName(QStringLiteral("Lobby"));
    auto *pPanel = new CComposite;
    pPanel->setName(QStringLiteral("Home"));
    pScene->addChild(pPanel);
    m_pModel->scenes()->addChild(pScene);
    m_pInterface->setModel(m_pModel.get());

    QCOMPARE(m_pInterface->controlFromHandle(handleOf(pPanel)), pPanel);
    QCOMPARE(m_pInterface->controlFromHandle(handleOf(pScene)), pScene);
    // A hardware node's handle names no panel-document element.
    QCOMPARE(m_pInterface->controlFromHandle(handleOf(m_pNode)), nullptr);

    m_pInterface->dropLink(QStringLiteral("Home"), handleOf(pPanel), 40, 60);
    QCOMPARE(m_pInterface->dropTarget(), pPanel);
    QCOMPARE(m_pInterface->dropPos(), QPointF(40, 60));
    QCOMPARE(m_pInterface->dropText(), QStringLiteral("Home"));

    // Taken off the document and destroyed: the same handle names nothing.
    const QString data = handleOf(pPanel);
    pScene->removeChild(pPanel, true);
    QCOMPARE(m_pInterface->controlFromHandle(data), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_pInterface->dropTarget(), nullptr);
}

void TestMQmlInterface::dropSiteKeepsSiteWeakly()
{
    m_pInterface->setModel(m_pModel.get());
    auto pSite = std::make_unique<FakeDropSite>(QStringLiteral("Slider"));
    m_pInterface->dropSite(QStringLiteral("Level"), handleOf(m_pNode), pSite.get());
    QCOMPARE(m_pInterface->dropSiteWidget(), pSite.get());
    QCOMPARE(m_pInterface->dropNode(), m_pNode);
    QCOMPARE(m_pInterface->dropText(), QStringLiteral("Level"));
    pSite.reset();
    QCOMPARE(m_pInterface->dropSiteWidget(), nullptr);
}

void TestMQmlInterface::dragEvent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("data"); // "node" stands for the block's handle
    QTest::addColumn<QString>("siteType");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("matching type") << "Level" << "node" << "Slider" << true;
    QTest::newRow("other type") << "Mute" << "node" << "Slider" << false;
    QTest::newRow("type case differs") << "Level" << "node" << "slider" << false;
    QTest::newRow("no such parameter") << "Gain" << "node" << "Slider" << false;
    QTest::newRow("not a number") << "Level" << "Level" << "Slider" << false;
    QTest::newRow("graphics item") << "Level" << "0" << "Slider" << false;
    QTest::newRow("unknown handle") << "Level" << "140737488355327" << "Slider" << false;
}

void TestMQmlInterface::dragEvent()
{
    QFETCH(QString, text);
    QFETCH(QString, data);
    QFETCH(QString, siteType);
    QFETCH(bool, accepted);
    if (data == QLatin1String("node"))
        data = handleOf(m_pNode);
    m_pInterface->setModel(m_pModel.get());
    FakeDropSite site(siteType);
    QCOMPARE(m_pInterface->dragEvent(text, data, &site), accepted);
    QVERIFY(!m_pInterface->dragEvent(text, data, nullptr));
}

// The exit goes through the main window's close, which asks about unsaved
// changes and may refuse; the application is not quit behind its back.
void TestMQmlInterface::exitClosesMainWindow()
{
    CloseRecorder window;
    window.show();
    m_pModel->setMainWindow(&window);
    m_pInterface->setModel(m_pModel.get());
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    m_pInterface->exitApplication();
    QCOMPARE(window.m_nCloses, 0); // not before the 10 ms
    QTRY_COMPARE(window.m_nCloses, 1);
    QVERIFY(window.isVisible());
    QCOMPARE(quitting.count(), 0);
}

void TestMQmlInterface::exitWithoutWindowQuits()
{
    m_pInterface->setModel(m_pModel.get());
    QTimer guard; // never hang
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
    guard.start(5000);
    m_pInterface->exitApplication();
    // The interface quits the application; the loop ends with code 0.
    QCOMPARE(qApp->exec(), 0);
}

VVB_TEST_MAIN(TestMQmlInterface)
#include "tst_mqmlinterface.moc"
