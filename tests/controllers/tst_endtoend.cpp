#include "commands/BCommandProcessor.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTreeController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/EditorFixture.h"
#include "support/FakeProcessorServer.h"
#include "support/TestMain.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"
#include "widgets/WidgetPropertyId.h"

#include <QAction>
#include <QCheckBox>
#include <QMimeData>
#include <QPointer>
#include <QQuickItem>
#include <QQuickView>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The item `text` that drags as a control below the tree item `parentText`.
QStandardItem *controlItemBelow(VModel *pModel, QStandardItem *pParent, const QString &parentText,
                                const QString &text)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == parentText) {
            if (QStandardItem *pFound = EditorFixture::controlItem(pModel, pItem, text))
                return pFound;
        }
        if (QStandardItem *pFound = controlItemBelow(pModel, pItem, parentText, text))
            return pFound;
    }
    return nullptr;
}

// Depth first through the visual children: the item of that object name.
QQuickItem *findVisibleItem(QQuickItem *pRoot, const QString &name)
{
    for (QQuickItem *pChild : pRoot ? pRoot->childItems() : QList<QQuickItem *>()) {
        if (pChild->objectName() == name && pChild->isVisible())
            return pChild;
        if (QQuickItem *pFound = findVisibleItem(pChild, name))
            return pFound;
    }
    return nullptr;
}

// The editor as main() builds it, with a design imported through the menu
// whose main rack is a fake processor on 127.0.0.1. Controls are dropped
// from the project tree as the user drags them.
struct DesignEditor
{
    DesignEditor()
    {
        QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
        DMessageBox::setResponder([](const QString &, const QString &text) {
            return text.startsWith(QLatin1String("There are unsaved changes")) ? int(QMessageBox::No) : 0;
        });
    }
    ~DesignEditor()
    {
        model.reset();
        DChooser::setResponder({});
        DMessageBox::setResponder({});
    }

    bool open(DesignFixture design = DesignFixture())
    {
        if (!rack.listen())
            return false;
        design.nodes[0].replace("10.0.0.5", "127.0.0.1").replace("10055", QByteArray::number(rack.port()));
        const QString designPath = design.write(dir.path());
        model = std::make_unique<MModel>();
        pMain = new KMainController;
        pMain->setModel(model.get());
        pMain->setApplication(qApp);
        model->addController(pMain);
        if (!QTest::qWaitForWindowExposed(pMain->mainWindow()) || !QTest::qWaitForWindowExposed(view()))
            return false;
        DChooser::setResponder([designPath](const DChooser::Request &) { return designPath; });
        pMain->action(ActionId::OpenDesign)->trigger();
        DChooser::setResponder({});
        return model->designFilePath() == designPath;
    }

    QQuickView *view() const
    {
        auto *pCanvas = qobject_cast<KQmlController *>(model->findController(ControllerId::Canvas));
        return pCanvas ? pCanvas->view() : nullptr;
    }
    CComposite *panel() const { return qobject_cast<CComposite *>(model->currentPanel()); }
    VModel *tree() const
    {
        auto *pTree = qobject_cast<KTreeController *>(model->findController(ControllerId::ProjectTree));
        return pTree ? pTree->itemModel() : nullptr;
    }

    // Drags the parameter `text` of the tree item `parentText` onto the panel.
    CControl *drop(const QString &parentText, const QString &text, int x, int y)
    {
        VModel *pItems = tree();
        QStandardItem *pItem = pItems ? controlItemBelow(pItems, pItems->invisibleRootItem(), parentText, text)
                                      : nullptr;
        if (!pItem)
            return nullptr;
        std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
        const int before = panel()->childCount();
        model->qmlInterface()->dropControl(pData->text(), QString::fromLatin1(pData->data(pItems->dragMimeType())),
                                           x, y);
        return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
    }

    void goOnline(bool on)
    {
        if (pMain->action(ActionId::GoOnline)->isChecked() != on)
            pMain->action(ActionId::GoOnline)->trigger();
    }

    // A click of the user on the middle of the widget's item.
    void click(const WWidget *pWidget)
    {
        auto *pItem = qobject_cast<QQuickItem *>(pWidget->widget());
        const QPoint point = pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint();
        QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, point);
    }

    // Opens the drop list with a click and clicks its entry at the position.
    bool choose(const WWidget *pList, int position)
    {
        click(pList);
        const QString name = QStringLiteral("listEntry") + QString::number(position);
        QQuickItem *pEntry = nullptr;
        QTest::qWaitFor([&] {
            pEntry = findVisibleItem(view()->contentItem(), name);
            return pEntry != nullptr;
        });
        if (!pEntry)
            return false;
        const QPoint point = pEntry->mapToScene(QPointF(pEntry->width() / 2, pEntry->height() / 2)).toPoint();
        QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, point);
        return true;
    }

    // The commands the rack received that begin with the prefix.
    QList<QByteArray> commandsStarting(const QByteArray &prefix) const
    {
        QList<QByteArray> found;
        for (const QByteArray &command : rack.commands()) {
            if (command.startsWith(prefix))
                found.append(command);
        }
        return found;
    }

    FakeProcessorServer rack;
    QTemporaryDir dir;
    std::unique_ptr<MModel> model;
    KMainController *pMain = nullptr;
};

} // namespace

// The whole way from a design file to a command on the wire: import through
// the menu, drag a parameter onto the panel, go online, move the fader and
// see its command reach the processor; then undo the drop.
class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void importDropGoOnlineAndSend();
    void everyOpenGoesOnlineToTheProjectsAddresses();
    void groupControlsAddressTheirOwnGroup();
    void savedGroupKeepsItsNameAndGroup();
    void parameterSetLinkAndListAgree_data();
    void parameterSetLinkAndListAgree();
    void meterOnAHiddenPanelStopsPolling();
    void buttonActionsOnline_data();
    void buttonActionsOnline();
};

void TestEndToEnd::cleanup()
{
    DChooser::setResponder({});
    DMessageBox::setResponder({});
}

void TestEndToEnd::importDropGoOnlineAndSend()
{
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
    QStringList warnings;
    DMessageBox::setResponder([&](const QString &, const QString &text) {
        warnings << text;
        return 0;
    });
    FakeProcessorServer mainRack;
    FakeProcessorServer annexRack;
    QVERIFY(mainRack.listen());
    QVERIFY(annexRack.listen());

    QTemporaryDir dir;
    DesignFixture design;
    const QByteArray port = QByteArray::number(mainRack.port());
    design.nodes[0].replace("10.0.0.5", "127.0.0.1").replace("10055", port);
    const int annex = design.indexOf("Annex Rack");
    QVERIFY(annex >= 0);
    design.nodes[annex].replace(
        "\"10.0.0.6\"/>\r\n",
        "\"127.0.0.1\"/>\r\n" + DesignFixture::property("serialPortNumber", QByteArray::number(annexRack.port())));
    const QString designPath = design.write(dir.path());
    QVERIFY(!designPath.isEmpty());

    // The editor as main() builds it.
    auto pModel = std::make_unique<MModel>();
    auto *pMain = new KMainController;
    pMain->setModel(pModel.get());
    pMain->setApplication(qApp);
    pModel->addController(pMain);
    QVERIFY(QTest::qWaitForWindowExposed(pMain->mainWindow()));

    // Import through the menu's slot, the chooser answered.
    DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
    pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(pModel->designFilePath(), designPath);

    // The project tree's drag data for the gain's level.
    auto *pTree = qobject_cast<KTreeController *>(pModel->findController(ControllerId::ProjectTree));
    QVERIFY(pTree && pTree->itemModel());
    VModel *pItems = pTree->itemModel();
    QStandardItem *pItem = EditorFixture::controlItem(pItems, pItems->invisibleRootItem(), QStringLiteral("Level"));
    QVERIFY(pItem);
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    const QString handle = QString::fromLatin1(pData->data(pItems->dragMimeType()));

    auto *pPanel = qobject_cast<CComposite *>(pModel->currentPanel());
    QVERIFY(pPanel);
    const int before = pPanel->childCount();
    MQmlInterface *pBridge = pModel->qmlInterface();
    QVERIFY(pBridge);
    pBridge->dropControl(pData->text(), handle, 40, 60);
    QCOMPARE(pPanel->childCount(), before + 1);
    const QPointer<CControl> pFader = pPanel->children().last();
    // A fader: its four widgets of one control.
    for (const char *key : {"label", "slider", "textedit", "frame"})
        QVERIFY2(pFader->findWidget(QString::fromLatin1(key)), key);
    WWidget *pSlider = pFader->findWidget(QStringLiteral("slider"));

    // Online: every processor in use connects.
    pMain->action(ActionId::GoOnline)->trigger();
    QVERIFY(pModel->isConnectionEnabled());
    QVERIFY(pMain->action(ActionId::GoOnline)->isChecked());
    QVERIFY(!pMain->action(ActionId::EditMode)->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(mainRack.connectedCount() > 0, 10000);

    // The level of the main rack's input card, moved to step 3 of its range.
    const QByteArray command = "SA \"Mic Inputs\">1=1.5";
    QSignalSpy received(&mainRack, &FakeProcessorServer::commandReceived);
    pSlider->outputValue(3);
    QTRY_COMPARE_WITH_TIMEOUT(mainRack.commandCount(command), 1, 10000);
    QVERIFY(received.contains(QVariantList{command}));
    QCOMPARE(annexRack.commandCount(command), 0);

    // Offline again, undo takes the fader off the panel; redo brings the same one back.
    pMain->action(ActionId::GoOnline)->trigger();
    QVERIFY(!pModel->isConnectionEnabled());
    pMain->undo();
    QCOMPARE(pPanel->childCount(), before);
    QVERIFY(pFader);
    QVERIFY(!pPanel->children().contains(pFader.data()));
    pMain->redo();
    QCOMPARE(pPanel->childCount(), before + 1);
    QCOMPARE(pPanel->children().last(), pFader.data());
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    pModel.reset();
}

// The project keeps the address the user gave a processor; the design packed
// with it still holds the old one. Opening the project, once or again in the
// same session, must go online to the project's address only.
void TestEndToEnd::everyOpenGoesOnlineToTheProjectsAddresses()
{
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
    // The save question answered No, every other box its first button.
    DMessageBox::setResponder([](const QString &, const QString &text) {
        return text.startsWith(QLatin1String("There are unsaved changes")) ? int(QMessageBox::No) : 0;
    });
    FakeProcessorServer designRack;
    FakeProcessorServer projectRack;
    QVERIFY(designRack.listen());
    QVERIFY(projectRack.listen());
    QTemporaryDir dir;
    DesignFixture design;
    design.nodes[0].replace("10.0.0.5", "127.0.0.1").replace("10055", QByteArray::number(designRack.port()));
    const QString designPath = design.write(dir.path());

    auto pModel = std::make_unique<MModel>();
    auto *pMain = new KMainController;
    pMain->setModel(pModel.get());
    pMain->setApplication(qApp);
    pModel->addController(pMain);
    DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
    pMain->action(ActionId::OpenDesign)->trigger();
    auto *pTree = qobject_cast<KTreeController *>(pModel->findController(ControllerId::ProjectTree));
    VModel *pItems = pTree->itemModel();
    QStandardItem *pItem = EditorFixture::controlItem(pItems, pItems->invisibleRootItem(), QStringLiteral("Level"));
    QVERIFY(pItem);
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    pModel->qmlInterface()->dropControl(pData->text(), QString::fromLatin1(pData->data(pItems->dragMimeType())),
                                        40, 60);

    // The user moved the main rack: the project holds the new port.
    QList<HNode *> processors;
    pModel->rootNode()->collectByCategory(QStringLiteral("Chassis"), &processors);
    HNode *pMainRack = nullptr;
    for (HNode *pNode : std::as_const(processors)) {
        if (pNode->label() == QLatin1String("Main Rack"))
            pMainRack = pNode;
    }
    QVERIFY(pMainRack);
    pMainRack->setProperty(QStringLiteral("serialport"), QString::number(projectRack.port()));
    const QString projectPath = dir.filePath(QStringLiteral("moved.cpz"));
    QVERIFY(pModel->saveProject(projectPath));

    for (int open = 1; open <= 2; ++open) {
        DChooser::setResponder([&](const DChooser::Request &) { return projectPath; });
        pMain->openVC();
        QCOMPARE(pModel->projectPath(), projectPath);
        pMain->action(ActionId::GoOnline)->trigger();
        QVERIFY(pModel->isConnectionEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(projectRack.connectedCount() > 0, 10000);
        QTest::qWait(100);
        QVERIFY2(designRack.acceptedCount() == 0, qPrintable(QStringLiteral("open %1").arg(open)));
        pMain->action(ActionId::GoOnline)->trigger();
        QVERIFY(!pModel->isConnectionEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(projectRack.connectedCount(), 0, 10000);
    }
    pModel.reset();
}

// Each group of the design has its number, the "id" of its element; the
// group commands carry it in hex, so a control of one group never drives
// another.
void TestEndToEnd::groupControlsAddressTheirOwnGroup()
{
    DesignEditor editor;
    DesignFixture design;
    design.assignment += "\t<Group id=\"101\"><Assign targetID=\"10\"/></Group>\r\n";
    QVERIFY(editor.open(design));
    CControl *pAllLevel = editor.drop(QStringLiteral("All Level"), QStringLiteral("Level"), 20, 20);
    CControl *pLobbyMute = editor.drop(QStringLiteral("Lobby Level+Mute"), QStringLiteral("Mute"), 200, 20);
    CControl *pSource = editor.drop(QStringLiteral("Source Pick"), QStringLiteral("Selector"), 200, 200);
    QVERIFY(pAllLevel && pLobbyMute && pSource);
    WWidget *pFader = pAllLevel->findWidget(QStringLiteral("slider"));
    WWidget *pMute = pLobbyMute->findWidget(QStringLiteral("button"));
    QVERIFY(pFader && pMute);

    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    // Polled: each asks for its own group.
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.commandCount("GG 64") > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.commandCount("GN 65") > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.commandCount("GG 66") > 0, 10000);

    // Set: the level of group 100, the mute of group 101.
    QMetaObject::invokeMethod(pFader, "outputValue", Q_ARG(int, 4));
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SG ").size(), 1, 10000);
    QVERIFY2(editor.commandsStarting("SG ").first().startsWith("SG 64,"), editor.commandsStarting("SG ").first());
    editor.click(pMute);
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SN ").size(), 1, 10000);
    QCOMPARE(editor.commandsStarting("SN ").first(), QByteArray("SN 65,O"));
    QVERIFY(editor.commandsStarting("GG 0").isEmpty());
    QVERIFY(editor.commandsStarting("GN 0").isEmpty());
    editor.goOnline(false);
}

// A selector group names a block as its target; the group itself is still
// the node its control is bound to, under the name the design gave it.
void TestEndToEnd::savedGroupKeepsItsNameAndGroup()
{
    DesignEditor editor;
    QVERIFY(editor.open());
    QVERIFY(editor.drop(QStringLiteral("Source Pick"), QStringLiteral("Selector"), 40, 40));
    const auto groupNames = [&editor] {
        QStringList names;
        const QList<QStandardItem *> sections =
            editor.tree()->findItems(QStringLiteral("Groups"), Qt::MatchExactly | Qt::MatchRecursive);
        for (int row = 0; !sections.isEmpty() && row < sections.first()->rowCount(); ++row)
            names << sections.first()->child(row)->text();
        return names;
    };
    const QStringList designNames{QStringLiteral("All Level"), QStringLiteral("Source Pick")};
    QCOMPARE(groupNames(), designNames);
    const QString projectPath = editor.dir.filePath(QStringLiteral("groups.cpz"));
    QVERIFY(editor.model->saveProject(projectPath));

    DChooser::setResponder([&](const DChooser::Request &) { return projectPath; });
    editor.pMain->openVC();
    DChooser::setResponder({});
    QCOMPARE(editor.model->projectPath(), projectPath);
    QCOMPARE(groupNames(), designNames);
    QCOMPARE(editor.panel()->childCount(), 1);
    CControl *pSelector = editor.panel()->children().first();
    QVERIFY(pSelector->node());
    QCOMPARE(pSelector->node()->label(), QStringLiteral("Source Pick"));
    QCOMPARE(pSelector->node()->category(), QStringLiteral("Groups"));

    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.commandCount("GG 66") > 0, 10000);
    editor.goOnline(false);
}

void TestEndToEnd::parameterSetLinkAndListAgree_data()
{
    QTest::addColumn<QByteArray>("dayId");
    QTest::addColumn<QByteArray>("nightId");
    QTest::addColumn<bool>("nightFirst");
    QTest::newRow("numbered from 1, in list order") << QByteArray("1") << QByteArray("2") << false;
    QTest::newRow("numbered from 1, listed the other way") << QByteArray("1") << QByteArray("2") << true;
    QTest::newRow("numbered after other elements") << QByteArray("11") << QByteArray("12") << false;
}

// A text link for one set and the list of a parameter-set list select the
// same set with the same number, and both show the set the processor
// reports. A set is in several lists at different places, so the number is
// the set's own, from the design, not its place in a list.
void TestEndToEnd::parameterSetLinkAndListAgree()
{
    QFETCH(QByteArray, dayId);
    QFETCH(QByteArray, nightId);
    QFETCH(bool, nightFirst);
    DesignEditor editor;
    DesignFixture design;
    const auto p = &DesignFixture::property;
    design.parameterSets = "\t<ParameterSet id=\"" + dayId + "\">\r\n" + p("title", "Param Set.") + p("label", "Day")
                           + p("nodeID", "41") + "\t</ParameterSet>\r\n"
                           + "\t<ParameterSet id=\"" + nightId + "\">\r\n" + p("title", "Param Set.")
                           + p("label", "Night") + p("nodeID", "42") + "\t</ParameterSet>\r\n";
    design.assignment.replace("<ParameterSet id=\"300\"/>", "<ParameterSet id=\"" + dayId + "\"/>");
    design.assignment.replace("<ParameterSet id=\"301\"/>", "<ParameterSet id=\"" + nightId + "\"/>");
    const QByteArray day = "<Assign targetID=\"" + dayId + "\"/>";
    const QByteArray night = "<Assign targetID=\"" + nightId + "\"/>";
    design.assignment.replace("<Assign targetID=\"301\"/><Assign targetID=\"300\"/>",
                              nightFirst ? night + day : day + night);
    const int dayNumber = dayId.toInt();
    const int nightNumber = nightId.toInt();
    const QByteArray daySet = "SS " + QByteArray::number(dayNumber, 16) + ' ';
    const QByteArray nightSet = "SS " + QByteArray::number(nightNumber, 16) + ' ';
    editor.rack.setAnswer("GS ", "S " + QByteArray::number(nightNumber, 16));
    QVERIFY(editor.open(design));
    CControl *pDayLink = editor.drop(QStringLiteral("ParameterSets"), QStringLiteral("Day"), 20, 20);
    CControl *pNightLink = editor.drop(QStringLiteral("ParameterSets"), QStringLiteral("Night"), 20, 100);
    CControl *pList = editor.drop(QStringLiteral("ParameterSetLists"), QStringLiteral("Daily"), 200, 20);
    QVERIFY(pDayLink && pNightLink && pList);
    WWidget *pDay = pDayLink->findWidget(QStringLiteral("textlink"));
    WWidget *pNight = pNightLink->findWidget(QStringLiteral("textlink"));
    WWidget *pChoice = pList->findWidget(QStringLiteral("droplist"));
    QVERIFY(pDay && pNight && pChoice);

    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    // The processor reports Night: Night is lit and the list shows Night.
    QTRY_COMPARE_WITH_TIMEOUT(pNight->widgetProperty("current").toInt(), nightNumber, 10000);
    QCOMPARE(pNight->widgetProperty("index").toInt(), nightNumber);
    QCOMPARE(pDay->widgetProperty("index").toInt(), dayNumber);
    QTRY_COMPARE_WITH_TIMEOUT(pChoice->widgetProperty("currentText").toString(), QStringLiteral("Night"), 10000);

    const int dayEntry = nightFirst ? 1 : 0;
    editor.click(pDay);
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SS ").size(), 1, 10000);
    QVERIFY(editor.choose(pChoice, dayEntry));
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SS ").size(), 2, 10000);
    QVERIFY(editor.choose(pChoice, 1 - dayEntry));
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SS ").size(), 3, 10000);
    editor.click(pNight);
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SS ").size(), 4, 10000);
    // Day by link, Day and Night by list, Night by link.
    QCOMPARE(editor.commandsStarting("SS "), (QList<QByteArray>{daySet, daySet, nightSet, nightSet}));
    editor.goOnline(false);
}

// Only the panel on show is polled; its meters poll on their own timers,
// which a switch to another panel stops and a switch back starts again.
void TestEndToEnd::meterOnAHiddenPanelStopsPolling()
{
    DesignEditor editor;
    QVERIFY(editor.open());
    HNode *pInputs = editor.model->rootNode()->findByAttribute(QStringLiteral("label"), QStringLiteral("Mic Inputs"));
    QVERIFY(pInputs);
    // The inputs dragged in as a panel of their own, with their meter.
    editor.model->qmlInterface()->dropPanel(QStringLiteral("Mic Inputs"),
                                            QString::number(quint64(reinterpret_cast<quintptr>(pInputs))));
    CControl *pMeterPanel = editor.model->currentPanel();
    QVERIFY(pMeterPanel);
    QVERIFY(editor.model->gotoPage(1));
    QCOMPARE(editor.model->currentPanel(), pMeterPanel);
    // Its bound controls make going online worth it.
    QVERIFY(editor.pMain->action(ActionId::GoOnline)->isEnabled());

    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(editor.commandsStarting("GL ").size() >= 2, 10000);

    QVERIFY(editor.model->gotoPage(0));
    QTest::qWait(300);
    const int polled = editor.commandsStarting("GL ").size();
    QTest::qWait(1200);
    QCOMPARE(editor.commandsStarting("GL ").size(), polled);

    QVERIFY(editor.model->gotoPage(1));
    QTRY_VERIFY_WITH_TIMEOUT(editor.commandsStarting("GL ").size() >= polled + 2, 10000);
    // A dropped connection comes back by itself; the hidden meter stays quiet.
    QVERIFY(editor.model->gotoPage(0));
    editor.rack.dropConnections();
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.acceptedCount() >= 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    QTest::qWait(300);
    const int reconnected = editor.commandsStarting("GL ").size();
    QTest::qWait(1200);
    QCOMPARE(editor.commandsStarting("GL ").size(), reconnected);
    // Offline and online again while another panel is shown.
    editor.goOnline(false);
    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    QTest::qWait(300);
    const int again = editor.commandsStarting("GL ").size();
    QTest::qWait(1200);
    QCOMPARE(editor.commandsStarting("GL ").size(), again);
    editor.goOnline(false);
}

void TestEndToEnd::buttonActionsOnline_data()
{
    QTest::addColumn<QByteArray>("node");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<int>("momentaryBox"); // -1: left as the template has it; 0 or 1: set on the page
    QTest::addColumn<QList<QByteArray>>("first");
    QTest::addColumn<QList<QByteArray>>("second");
    using P = QList<QByteArray>;
    const auto p = &DesignFixture::property;
    const QByteArray logic = DesignFixture::node("className=\"Logic\" typeNumber=\"1\"",
                                                 P{p("title", "Logic"), p("label", "Wall Logic"), p("nodeID", "50"),
                                                   p("controlCount", "4"), p("scriptFile", "toggleff.js")});
    const QByteArray gpi = DesignFixture::node("className=\"VirtualGPI\" typeNumber=\"0\"",
                                               P{p("title", "Virtual GPI"), p("label", "Wall Panel"),
                                                 p("nodeID", "51"), p("controlCount", "4")});
    const QByteArray output = DesignFixture::node("className=\"LogicOutput\" typeNumber=\"0\"",
                                                  P{p("title", "Logic Output"), p("label", "Door Out"),
                                                    p("nodeID", "52"), p("actionCount", "4")});
    const QByteArray input = DesignFixture::node("className=\"LogicInput\" typeNumber=\"0\"",
                                                 P{p("title", "Logic Input"), p("label", "Door In"),
                                                   p("nodeID", "53"), p("controlCount", "4")});
    // Turn on or off: each click inverts and sends the new state.
    QTest::newRow("alternating") << output << "Door Out" << "Ch2" << -1 << P{"SA \"Door Out\">1>2=O"}
                                 << P{"SA \"Door Out\">1>2=F"};
    // Momentary: on while pressed.
    QTest::newRow("sendOthenF") << gpi << "Wall Panel" << "Ch1" << -1
                                << P{"SA \"Wall Panel\">1>1=O", "SA \"Wall Panel\">1>1=F"}
                                << P{"SA \"Wall Panel\">1>1=O", "SA \"Wall Panel\">1>1=F"};
    QTest::newRow("momentary taken off on the page") << gpi << "Wall Panel" << "Ch1" << 0
                                                     << P{"SA \"Wall Panel\">1>1=O"} << P{"SA \"Wall Panel\">1>1=F"};
    // A channel of a logic block (channel 1) pressed while off stays on after the release.
    QTest::newRow("sendOthenF on a logic channel") << logic << "Wall Logic" << "Toggle Channel" << -1
                                                   << P{"SA \"Wall Logic\">1>1=O", "SA \"Wall Logic\">1>1=F"}
                                                   << P{"SA \"Wall Logic\">1>1=O", "SA \"Wall Logic\">1>1=F"};
    // A pulse sequence: the new state on the press, its inverse on the release.
    QTest::newRow("sequence") << logic << "Wall Logic" << "Set All" << -1
                              << P{"SA \"Wall Logic\">1>5=O", "SA \"Wall Logic\">1>5=F"}
                              << P{"SA \"Wall Logic\">1>5=O", "SA \"Wall Logic\">1>5=F"};
    QTest::newRow("none") << input << "Door In" << "Ch1" << -1 << P{} << P{};
}

// Each action a design's buttons carry, from the project tree to the wire,
// clicked as the user clicks; the page's Momentary box switches a channel
// button between momentary and turn on or off.
void TestEndToEnd::buttonActionsOnline()
{
    QFETCH(QByteArray, node);
    QFETCH(QString, block);
    QFETCH(QString, parameter);
    QFETCH(int, momentaryBox);
    QFETCH(QList<QByteArray>, first);
    QFETCH(QList<QByteArray>, second);
    DesignEditor editor;
    DesignFixture design;
    design.nodes.insert(1, node);
    QVERIFY(editor.open(design));
    CControl *pControl = editor.drop(block, parameter, 40, 40);
    QVERIFY(pControl);
    WWidget *pButton = pControl->findWidget(QStringLiteral("button"));
    QVERIFY(pButton);
    if (momentaryBox >= 0) {
        // A double click selects it and brings the Properties tab with its page.
        auto *pItem = qobject_cast<QQuickItem *>(pButton->widget());
        QTest::mouseDClick(editor.view(), Qt::LeftButton, Qt::NoModifier,
                           pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint());
        QCheckBox *pBox = nullptr;
        QTRY_VERIFY((pBox = editor.pMain->mainWindow()->findChild<QCheckBox *>(
                         QStringLiteral("m_pMomentaryCheckBox"))) && pBox->isVisibleTo(pBox->window()));
        if (pBox->isChecked() != bool(momentaryBox))
            QTest::mouseClick(pBox, Qt::LeftButton, Qt::NoModifier, QPoint(5, pBox->height() / 2));
        QTRY_COMPARE(pButton->propertyValue(WidgetPropertyId::ButtonAction).toInt(), momentaryBox ? 2 : 0);
    }

    editor.goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(editor.rack.connectedCount() > 0, 10000);
    editor.click(pButton);
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SA "), first, 5000);
    QTest::qWait(100);
    QCOMPARE(editor.commandsStarting("SA "), first);
    editor.rack.clearCommands();
    editor.click(pButton);
    QTRY_COMPARE_WITH_TIMEOUT(editor.commandsStarting("SA "), second, 5000);
    QTest::qWait(100);
    QCOMPARE(editor.commandsStarting("SA "), second);
    editor.goOnline(false);
}

VVB_TEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
