#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KMainController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTabController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "model/MModel.h"
#include "support/RecordingController.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "views/MainWindow.h"
#include "views/VTabBar.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// The entries of a menu or tool bar: texts, "|" for a separator, ">" and the title for a sub-menu.
QStringList entries(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *pAction : actions) {
        if (pAction->isSeparator())
            texts << QStringLiteral("|");
        else if (pAction->menu())
            texts << QStringLiteral(">") + pAction->text();
        else
            texts << pAction->text();
    }
    return texts;
}

QMenu *subMenu(QMenu *pMenu, const QString &title)
{
    for (QAction *pAction : pMenu->actions()) {
        if (pAction->menu() && pAction->text() == title)
            return pAction->menu();
    }
    return nullptr;
}

QList<QAction *> allActions(const MainWindow *pWindow)
{
    QList<QAction *> actions;
    for (QAction *pMenuAction : pWindow->menuBarWidget()->actions()) {
        for (QAction *pAction : pMenuAction->menu()->actions()) {
            if (pAction->menu())
                actions += pAction->menu()->actions();
            else if (!pAction->isSeparator())
                actions << pAction;
        }
    }
    return actions;
}

QAction *findAction(const MainWindow *pWindow, const QString &text)
{
    for (QAction *pAction : allActions(pWindow)) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

} // namespace

// The main window as start-up leaves it: actions with their ids, texts,
// shortcuts and states, menus and tool bar in order, the translation, the
// panes and their layout, the window's fit to the canvas and its close.
class TestKMainController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void actionsAtStartUp_data();
    void actionsAtStartUp();
    void otherIdsGiveNoAction_data();
    void otherIdsGiveNoAction();
    void modelSignalsDriveTheActions();
    void menusInOrder();
    void toolBarInOrder();
    void levelAndMeterChoices_data();
    void levelAndMeterChoices();
    void choicesAreExclusive();
    void windowAtStartUp();
    void windowTitle_data();
    void windowTitle();
    void translationLoadsFromTheResources();
    void controllersAttachedInOrder();
    void initialisedIsBroadcast();
    void layoutPlacesThePanes();
    void fitWindowToCanvas_data();
    void fitWindowToCanvas();
    void fittingTwiceWidensByOne();
    void close_data();
    void close();
    void withoutModelOnlyTheWindow();
    void goOnlineMarkFollowsTheModel();

private:
    void start();

    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    QStringList m_log;
};

void TestKMainController::init()
{
    TestSupport::appSettings()->clear();
    m_log.clear();
}

void TestKMainController::cleanup()
{
    DMessageBox::setResponder({});
    DChooser::setResponder({});
    m_pModel.reset();
    m_pMain = nullptr;
}

void TestKMainController::start()
{
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
}

void TestKMainController::actionsAtStartUp_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checked");

    QTest::newRow("open design") << ActionId::OpenDesign << "&Open VMP File..." << "" << true << false << false;
    QTest::newRow("open project") << ActionId::OpenProject << "&Open Vazado ziv File..." << "Ctrl+O" << true
                                  << false << false;
    QTest::newRow("save") << ActionId::SaveProject << "&Save Vazado ziv File..." << "Ctrl+S" << true << false
                          << false;
    QTest::newRow("save as") << ActionId::SaveProjectAs << "S&ave Vazado ziv File As..." << "" << true << false
                             << false;
    QTest::newRow("new") << ActionId::NewProject << "&New Vazado ziv File..." << "Ctrl+N" << true << false
                         << false;
    QTest::newRow("exit") << ActionId::Exit << "E&xit" << "Ctrl+Q" << true << false << false;
    QTest::newRow("undo") << ActionId::Undo << "&Undo" << "Ctrl+Z" << false << false << false;
    QTest::newRow("redo") << ActionId::Redo << "&Redo" << "Ctrl+Y" << false << false << false;
    QTest::newRow("go online") << ActionId::GoOnline << "&Go Online..." << "" << false << true << false;
    QTest::newRow("send") << ActionId::SendToMobile << "&Send to Mobile Device..." << "" << false << false
                          << false;
    QTest::newRow("panel setup") << ActionId::PanelSetup << "&Layout..." << "" << true << false << false;
    QTest::newRow("canvas setup") << ActionId::CanvasSetup << "&Canvas..." << "" << true << false << false;
    QTest::newRow("about") << ActionId::About << "&About Velmora Viviza builder..." << "" << true << false
                           << false;
    QTest::newRow("help") << ActionId::HelpTopics << "&Help Topics..." << "" << true << false << false;
    QTest::newRow("edit mode") << ActionId::EditMode << "&Edit Mode" << "" << true << true << true;
    QTest::newRow("cut") << ActionId::Cut << "Cu&t" << "Ctrl+X" << false << false << false;
    QTest::newRow("copy") << ActionId::Copy << "&Copy" << "Ctrl+C" << false << false << false;
    QTest::newRow("paste") << ActionId::Paste << "&Paste" << "Ctrl+V" << false << false << false;
    QTest::newRow("delete") << ActionId::Delete << "&Delete" << "Del" << false << false << false;
    QTest::newRow("undo list") << ActionId::UndoList << "Undo &List..." << "" << false << false << false;
    QTest::newRow("ip addresses") << ActionId::UpdateIpAddresses << "&Update Vazado ziv IP Addresses..." << ""
                                  << true << false << false;
}

void TestKMainController::actionsAtStartUp()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    QFETCH(bool, checkable);
    QFETCH(bool, checked);

    QGuiApplication::clipboard()->clear();
    start();
    QAction *pAction = m_pMain->action(id);
    QVERIFY(pAction);
    QCOMPARE(pAction->text(), text);
    QCOMPARE(pAction->shortcut(), QKeySequence(shortcut));
    QCOMPARE(pAction->isEnabled(), enabled);
    QCOMPARE(pAction->isCheckable(), checkable);
    QCOMPARE(pAction->isChecked(), checked);
    QCOMPARE(pAction->parent(), m_pMain);
    // Every action but Exit has a drawn icon in the resources.
    QCOMPARE(pAction->icon().isNull(), id == ActionId::Exit);
    if (!pAction->icon().isNull())
        QVERIFY(!pAction->icon().pixmap(16, 16).isNull());
}

void TestKMainController::otherIdsGiveNoAction_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("below") << 0x3000;
    QTest::newRow("gap D") << 0x300D;
    QTest::newRow("gap E") << 0x300E;
    QTest::newRow("above") << 0x3018;
    QTest::newRow("an id-less action's key") << 0x3101;
    QTest::newRow("negative") << -1;
}

void TestKMainController::otherIdsGiveNoAction()
{
    QFETCH(int, id);
    start();
    QVERIFY(!m_pMain->action(id));
    m_pMain->setActionEnabled(id, false); // nothing to change, nothing breaks
    m_pMain->setActionChecked(id, true);
}

void TestKMainController::modelSignalsDriveTheActions()
{
    start();
    const MainWindow *pWindow = m_pMain->mainWindow();
    const QStringList selectionTexts = {"&Delete", "Bring To &Front", "Bring For&ward", "Send To &Back",
                                        "Send Bac&kward", "Align &Left", "Align &Right", "Align &Top",
                                        "Align &Bottom", "Align &Horizontal Center", "Align &Vertical Center",
                                        "Distribute H&orizontally", "Distribute V&ertically"};
    for (const QString &text : selectionTexts) {
        QAction *pAction = findAction(pWindow, text);
        QVERIFY2(pAction, qPrintable(text));
        QVERIFY2(!pAction->isEnabled(), qPrintable(text));
    }
    emit m_pModel->selectState(true);
    for (const QString &text : selectionTexts)
        QVERIFY2(findAction(pWindow, text)->isEnabled(), qPrintable(text));
    QVERIFY(!m_pMain->action(ActionId::Cut)->isEnabled());

    emit m_pModel->ccpState(true);
    QVERIFY(m_pMain->action(ActionId::Cut)->isEnabled());
    QVERIFY(m_pMain->action(ActionId::Copy)->isEnabled());
    QVERIFY(!m_pMain->action(ActionId::GoOnline)->isEnabled());

    emit m_pModel->enableConnection(true);
    QVERIFY(m_pMain->action(ActionId::GoOnline)->isEnabled());
    QVERIFY(m_pMain->action(ActionId::SendToMobile)->isEnabled());
    QVERIFY(m_pMain->action(ActionId::Delete)->isEnabled());
}

// The "Go Online" mark always shows the model's state, whatever Qt flipped it to.
void TestKMainController::goOnlineMarkFollowsTheModel()
{
    start();
    emit m_pModel->enableConnection(true);
    QAction *pOnline = m_pMain->action(ActionId::GoOnline);
    m_pModel->setEditMode(true);
    pOnline->trigger();
    QVERIFY(m_pModel->isConnectionEnabled());
    QVERIFY(pOnline->isChecked());
    QVERIFY(!m_pMain->action(ActionId::EditMode)->isChecked());
    pOnline->trigger();
    QVERIFY(!m_pModel->isConnectionEnabled());
    QVERIFY(!pOnline->isChecked());
    pOnline->setChecked(true);
    QVERIFY(!pOnline->isChecked());
}

void TestKMainController::menusInOrder()
{
    start();
    QMenuBar *pMenuBar = m_pMain->mainWindow()->menuBarWidget();
    QVERIFY(pMenuBar);
    QCOMPARE(entries(pMenuBar->actions()), (QStringList{">&File", ">&Edit", ">&Layout", ">&Tools", ">&Help"}));
    const QList<QAction *> menus = pMenuBar->actions();
    QCOMPARE(entries(menus.at(0)->menu()->actions()),
             (QStringList{"&Open VMP File...", "|", "&New Vazado ziv File...", "&Open Vazado ziv File...",
                          "&Save Vazado ziv File...", "S&ave Vazado ziv File As...",
                          "&Update Vazado ziv IP Addresses...", "|", "E&xit"}));
    QCOMPARE(entries(menus.at(1)->menu()->actions()),
             (QStringList{"&Undo", "&Redo", "Undo &List...", "|", "Cu&t", "&Copy", "&Paste", "&Delete"}));
    QCOMPARE(entries(menus.at(2)->menu()->actions()),
             (QStringList{"Bring To &Front", "Bring For&ward", "Send To &Back", "Send Bac&kward", "|",
                          "Align &Left", "Align &Right", "Align &Top", "Align &Bottom",
                          "Align &Horizontal Center", "Align &Vertical Center", "|", "Distribute H&orizontally",
                          "Distribute V&ertically"}));
    QMenu *pTools = menus.at(3)->menu();
    QCOMPARE(entries(pTools->actions()),
             (QStringList{"&Layout...", "&Canvas...", "Set E&xit PIN Code...", "|", "&Go Online...", "|",
                          "&Send to Mobile Device...", "|", ">Level", "|", ">Meter"}));
    QCOMPARE(entries(subMenu(pTools, "Level")->actions()), (QStringList{"&Slider", "&Button"}));
    QCOMPARE(entries(subMenu(pTools, "Meter")->actions()), (QStringList{"&Meter Bar", "&Icon"}));
    QVERIFY(!subMenu(pTools, "Level")->icon().isNull());
    QVERIFY(!subMenu(pTools, "Meter")->icon().isNull());
    QCOMPARE(entries(menus.at(4)->menu()->actions()),
             (QStringList{"&Help Topics...", "|", "&About Velmora Viviza builder..."}));

    // Edit Mode is reached through the tool bar only.
    QVERIFY(!findAction(m_pMain->mainWindow(), "&Edit Mode"));
    for (const char *text : {"&Slider", "&Button", "&Meter Bar", "&Icon", "Set E&xit PIN Code..."})
        QVERIFY2(!findAction(m_pMain->mainWindow(), text)->icon().isNull(), qPrintable(QString(text)));
}

void TestKMainController::toolBarInOrder()
{
    start();
    QToolBar *pToolBar = m_pMain->mainWindow()->toolBarWidget();
    QVERIFY(pToolBar);
    QCOMPARE(pToolBar->objectName(), QStringLiteral("mainToolBar"));
    QCOMPARE(m_pMain->mainWindow()->toolBarArea(pToolBar), Qt::TopToolBarArea);
    QCOMPARE(entries(pToolBar->actions()),
             (QStringList{"&Open VMP File...", "|", "&New Vazado ziv File...", "&Open Vazado ziv File...",
                          "&Save Vazado ziv File...", "|", "Cu&t", "&Copy", "&Paste", "&Delete", "|", "&Undo",
                          "&Redo", "Undo &List...", "|", "&Edit Mode", "|", "&Layout...", "&Canvas...", "|",
                          "&Go Online...", "|", "&Send to Mobile Device..."}));
    QCOMPARE(pToolBar->actions().at(0), m_pMain->action(ActionId::OpenDesign));
}

void TestKMainController::levelAndMeterChoices_data()
{
    QTest::addColumn<QVariant>("level");
    QTest::addColumn<QVariant>("meter");
    QTest::addColumn<QString>("levelChecked");
    QTest::addColumn<QString>("meterChecked");

    QTest::newRow("first start") << QVariant() << QVariant() << "&Slider" << "&Meter Bar";
    QTest::newRow("stored defaults") << QVariant("slider") << QVariant("bar") << "&Slider" << "&Meter Bar";
    QTest::newRow("button and image") << QVariant("button") << QVariant("image") << "&Button" << "&Icon";
    QTest::newRow("case counts") << QVariant("Slider") << QVariant("Bar") << "&Button" << "&Icon";
    QTest::newRow("anything else") << QVariant("knob") << QVariant("") << "&Button" << "&Icon";
}

void TestKMainController::levelAndMeterChoices()
{
    QFETCH(QVariant, level);
    QFETCH(QVariant, meter);
    QFETCH(QString, levelChecked);
    QFETCH(QString, meterChecked);
    {
        const auto pSettings = TestSupport::appSettings();
        if (level.isValid())
            pSettings->setValue(QStringLiteral("Level"), level);
        if (meter.isValid())
            pSettings->setValue(QStringLiteral("Meter"), meter);
    }
    start();
    const MainWindow *pWindow = m_pMain->mainWindow();
    for (const char *text : {"&Slider", "&Button", "&Meter Bar", "&Icon"}) {
        QAction *pAction = findAction(pWindow, text);
        QVERIFY(pAction);
        QVERIFY(pAction->isCheckable());
        QCOMPARE(pAction->isChecked(), text == levelChecked || text == meterChecked);
    }
    // Reading the choices writes nothing.
    QCOMPARE(TestSupport::appSettings()->contains(QStringLiteral("Level")), level.isValid());
}

void TestKMainController::choicesAreExclusive()
{
    start();
    const MainWindow *pWindow = m_pMain->mainWindow();
    findAction(pWindow, "&Button")->trigger();
    QVERIFY(findAction(pWindow, "&Button")->isChecked());
    QVERIFY(!findAction(pWindow, "&Slider")->isChecked());
    QVERIFY(findAction(pWindow, "&Meter Bar")->isChecked()); // the other group stays
    findAction(pWindow, "&Icon")->trigger();
    QVERIFY(!findAction(pWindow, "&Meter Bar")->isChecked());
    QVERIFY(findAction(pWindow, "&Button")->isChecked());
}

void TestKMainController::windowAtStartUp()
{
    start();
    MainWindow *pWindow = m_pMain->mainWindow();
    QVERIFY(pWindow);
    QVERIFY(pWindow->isVisible());
    QCOMPARE(pWindow->controller(), m_pMain);
    QCOMPARE(pWindow->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(pWindow->windowTitle(), QStringLiteral("Velmora Viviza builder"));
    QCOMPARE(pWindow->font().family(), QStringLiteral("Calibri"));
    QCOMPARE(pWindow->font().pointSize(), 10);
    QCOMPARE(pWindow->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(pWindow->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(pWindow->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QVERIFY(pWindow->centralWidget());
    QCOMPARE(pWindow->centralWidget()->objectName(), QStringLiteral("centralWidget"));
    QCOMPARE(pWindow->centralWidget()->minimumSize(), QSize(30, 30));
    QCOMPARE(pWindow->toolBarWidget()->contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(pWindow->findChildren<QStatusBar *>().isEmpty());
    QVERIFY(m_pMain->filePath().isEmpty());
    QVERIFY(m_pMain->settings());
    QCOMPARE(m_pMain->settings()->organizationName(), QStringLiteral("Harlo"));
    QCOMPARE(m_pMain->settings()->applicationName(), QStringLiteral("Velmora Viviza builder 3.0"));
    QCOMPARE(m_pModel->mainWindow(), pWindow);
    QCOMPARE(m_pModel->canvas(), m_pMain->canvas());
    QCOMPARE(m_pMain->canvas()->model(), m_pModel.get());
    QVERIFY(m_pModel->rootNode());
    QVERIFY(!m_pModel->isConnectionEnabled());
}

void TestKMainController::windowTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << "" << "Velmora Viviza builder";
    QTest::newRow("with folders") << "/home/me/panels/Lobby.cpz" << "Velmora Viviza builder - Lobby.cpz";
    QTest::newRow("template") << "/opt/vvb/templates/Blank Panel.tpl" << "Velmora Viviza builder - Blank Panel.tpl";
    QTest::newRow("no slash") << "Lobby.cpz" << "Velmora Viviza builder";
    QTest::newRow("ends in a slash") << "/home/me/" << "Velmora Viviza builder";
}

void TestKMainController::windowTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    start();
    m_pMain->updateWindowTitle(path);
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), title);
}

void TestKMainController::translationLoadsFromTheResources()
{
    QVERIFY(QFile::exists(QString::fromLatin1(MainWindow::TranslationFile)));
    QTranslator translator;
    QVERIFY(translator.load(QString::fromLatin1(MainWindow::TranslationFile)));
    QVERIFY(!translator.isEmpty());
    QCOMPARE(translator.language(), QStringLiteral("en"));
    QCOMPARE(translator.translate("KMainController", "&Go Online..."), QStringLiteral("&Go Online..."));
    QCOMPARE(translator.translate("KTabController", "Properties"), QStringLiteral("Properties"));
    QCOMPARE(translator.translate("KTreeController", "Connection Indicator"),
             QStringLiteral("Connection Indicator"));

    // The window installs its own copy for as long as it lives.
    auto pWindow = std::make_unique<MainWindow>();
    QVERIFY(!pWindow->translator().isEmpty());
    QCOMPARE(QCoreApplication::translate("KMainController", "&Edit Mode"), QStringLiteral("&Edit Mode"));
}

void TestKMainController::controllersAttachedInOrder()
{
    start();
    KComposite *pRoot = m_pMain->parentComposite();
    QVERIFY(pRoot);
    QList<int> ids;
    for (int i = 0; i < pRoot->childCount(); ++i)
        ids << pRoot->childAt(i)->controllerId();
    QCOMPARE(ids, (QList<int>{ControllerId::Canvas, ControllerId::ProjectTree, ControllerId::Properties,
                              ControllerId::Tabs, ControllerId::Main}));
    // The panes sit in the window's central widget.
    auto *pTabs = qobject_cast<KTabController *>(m_pModel->findController(ControllerId::Tabs));
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pTabs && pCanvas);
    QCOMPARE(pTabs->tabBar()->parentWidget(), m_pMain->mainWindow()->centralWidget());
    QCOMPARE(pCanvas->splitter()->parentWidget(), m_pMain->mainWindow()->centralWidget());
}

void TestKMainController::initialisedIsBroadcast()
{
    m_pModel = std::make_unique<MModel>();
    m_pModel->addController(new RecordingController(QStringLiteral("rec"), 0x1100, &m_log, m_pModel.get()));
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pModel->addController(m_pMain);
    QCOMPARE(m_log.filter(QStringLiteral("notify")), QStringList{"notify rec 0x2800"});
}

void TestKMainController::layoutPlacesThePanes()
{
    start();
    MainWindow *pWindow = m_pMain->mainWindow();
    pWindow->resize(900, 650);
    QTRY_COMPARE(pWindow->size(), QSize(900, 650));
    auto *pTabs = qobject_cast<KTabController *>(m_pModel->findController(ControllerId::Tabs));
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    const int bars = m_pMain->barsHeight();
    QCOMPARE(pTabs->tabBar()->geometry(), QRect(2, 2, 248, 650 - bars - 8));
    const CCanvas *pDescription = m_pMain->canvas();
    QCOMPARE(pCanvas->splitter()->geometry(), QRect(258, 2, pDescription->width(), pDescription->height()));
    QCOMPARE(bars, pWindow->menuBarWidget()->height() + pWindow->toolBarWidget()->height());
}

void TestKMainController::fitWindowToCanvas_data()
{
    QTest::addColumn<float>("inches");
    QTest::addColumn<quint32>("orientation");
    QTest::addColumn<bool>("widerThanLeast");
    QTest::newRow("small phone, kept at the least width") << 2.0f << quint32(1) << false;
    QTest::newRow("large tablet across") << 12.0f << quint32(0) << true;
}

void TestKMainController::fitWindowToCanvas()
{
    QFETCH(float, inches);
    QFETCH(quint32, orientation);
    QFETCH(bool, widerThanLeast);
    start();
    CCanvas *pCanvas = m_pMain->canvas();
    pCanvas->setSize(inches);
    pCanvas->setOrientation(orientation);
    pCanvas->computePixelSize();
    m_pMain->fitWindowToCanvas();
    const QSize expected(std::max(555, pCanvas->width() + 262), pCanvas->height() + 4 + m_pMain->barsHeight());
    QTRY_COMPARE(m_pMain->mainWindow()->size(), expected);
    QCOMPARE(expected.width() > 555, widerThanLeast);
}

void TestKMainController::fittingTwiceWidensByOne()
{
    start();
    MainWindow *pWindow = m_pMain->mainWindow();
    // Start-up has fitted the window already; start from another size.
    pWindow->resize(700, 700);
    QTRY_COMPARE(pWindow->size(), QSize(700, 700));
    m_pMain->fitWindowToCanvas();
    const QSize first = pWindow->size();
    const CCanvas *pCanvas = m_pMain->canvas();
    QCOMPARE(first, QSize(std::max(555, pCanvas->width() + 262), pCanvas->height() + 4 + m_pMain->barsHeight()));
    m_pMain->fitWindowToCanvas();
    QCOMPARE(pWindow->size(), first + QSize(1, 0));
    // Once more and the fit is the plain size again.
    m_pMain->fitWindowToCanvas();
    QCOMPARE(pWindow->size(), first);
}

void TestKMainController::close_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");

    QTest::newRow("nothing to save") << false << int(QMessageBox::Cancel) << false << true;
    QTest::newRow("do not save") << true << int(QMessageBox::No) << true << true;
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << true << false;
    // The project was never saved and Save As is cancelled: nothing is lost.
    QTest::newRow("save, never saved") << true << int(QMessageBox::Yes) << true << false;
    QTest::newRow("box closed otherwise") << true << int(QMessageBox::Close) << true << true;
}

void TestKMainController::close()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);

    QStringList questions;
    DMessageBox::setResponder([&](const QString &title, const QString &text) {
        questions << title + QStringLiteral(": ") + text;
        return QMessageBox::StandardButton(answer);
    });
    DChooser::setResponder([](const DChooser::Request &) {
        return QString();
    });
    start();
    m_pModel->setModified(modified);
    m_pModel->setConnectionEnabled(true);
    m_pMain->setActionChecked(ActionId::GoOnline, true);

    MainWindow *pWindow = m_pMain->mainWindow();
    QCOMPARE(pWindow->close(), closed);
    QCOMPARE(pWindow->isVisible(), !closed);
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(questions.first(), QStringLiteral("Exit: There are unsaved changes. Would you like to save?"));
    // A close that proceeds takes the processors offline; a refused one changes nothing.
    QCOMPARE(m_pModel->isConnectionEnabled(), !closed);
    QCOMPARE(m_pMain->action(ActionId::GoOnline)->isChecked(), !closed);
    QCOMPARE(m_pModel->isModified(), modified);
}

void TestKMainController::withoutModelOnlyTheWindow()
{
    // Attached to nothing, with no model: initialize builds the window and its
    // actions but no panes, and nothing reaches a model.
    KMainController controller;
    controller.initialize();
    QVERIFY(controller.mainWindow()->isVisible());
    QVERIFY(controller.action(ActionId::Undo));
    QVERIFY(controller.mainWindow()->findChildren<VTabBar *>().isEmpty());
    QCOMPARE(controller.mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder"));
    controller.updateWindowTitle(QStringLiteral("/a/b.cpz"));
    QCOMPARE(controller.mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder"));
    QVERIFY(controller.promptSave(QStringLiteral("Exit")));
}

VVB_TEST_MAIN(TestKMainController)
#include "tst_kmaincontroller.moc"
