#include "CommandFixture.h"

#include "commands/BDropControlCommand.h"
#include "commands/BDropLinkCommand.h"
#include "commands/BDropPanelCommand.h"
#include "commands/BDropSiteCommand.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DMessageBox.h"
#include "support/FakeDropSite.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "widgets/WDropSite.h"

#include <QPointer>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

QSettings layoutSettings()
{
    return QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

bool isShown(const CControl *pControl)
{
    for (const WWidget *pWidget : pControl->widgets()) {
        if (!pWidget || !pWidget->widgetProperty("visible").toBool())
            return false;
    }
    return true;
}

} // namespace

// The drops from the project tree, through the QML bridge with real handles:
// controls, graphics, panels (six per scene), links and drop sites, with undo
// and redo handing the same objects between the document and the command.
class TestBDrops : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void factoryMakesTheDrops_data();
    void factoryMakesTheDrops();
    void dropBuildsASnappedControl_data();
    void dropBuildsASnappedControl();
    void undoAndRedoMoveTheSameControl();
    void dropFromBuiltInTemplates();
    void dropAgainAfterUndoDestroysTheFirst();
    void dropAsksOnlyTheNewcomer_data();
    void dropAsksOnlyTheNewcomer();
    void newControlTakesTheStoredSize_data();
    void newControlTakesTheStoredSize();
    void graphicsDrop();
    void refusedDropsFileNothing_data();
    void refusedDropsFileNothing();
    void dropThatBuildsNoWidgetFilesNothing_data();
    void dropThatBuildsNoWidgetFilesNothing();
    void panelLimitIsSixPerScene();
    void panelDropShowsItAndUndoShowsTheNeighbour();
    void undoOfTheOnlyPanelLeavesNoCurrentPanel();
    void linkDropKeepsItsPanel();
    void siteTakesAFittingControlOnly();
    void siteReplaceOwnsTheOldControlUntilUndo();
    void siteUndoPutsTheOldControlOnItsOwnPanel();
    void realSiteReplaceAndUndo();
    void siteRemovedWhileAskingTakesNothing();
    void undoneDropLeavesTheSelectToolSafe();
    void undoneDropOutlivesTheProjectClosing();

private:
    QPointer<CControl> dropLevel(int x = 13, int y = 27);
    FakeDropSite *addSite(const QRectF &rect);

    std::unique_ptr<CommandFixture> m_pFixture;
    FakeNode *m_pNode = nullptr;
    RecordingProtocol m_protocol;
};

void TestBDrops::init()
{
    m_pFixture = std::make_unique<CommandFixture>();
    m_pNode = m_pFixture->node(QStringLiteral("Input 1"), {{"Level", "Slider"}, {"Gain", "Slider"}, {"Mute", "Button"}});
}

void TestBDrops::cleanup()
{
    m_pFixture.reset();
    layoutSettings().clear();
}

QPointer<CControl> TestBDrops::dropLevel(int x, int y)
{
    CommandFixture &f = *m_pFixture;
    const int before = f.panel->childCount();
    f.bridge.dropControl(QStringLiteral("Level"), f.handleOf(m_pNode), x, y);
    return f.panel->childCount() > before ? f.panel->children().last() : nullptr;
}

FakeDropSite *TestBDrops::addSite(const QRectF &rect)
{
    CommandFixture &f = *m_pFixture;
    f.factory.makeDropSites(QStringLiteral("Slider"));
    CControl *pSiteControl = f.control(QStringLiteral("Site"), rect, QStringLiteral("DropSite"));
    return qobject_cast<FakeDropSite *>(pSiteControl->findWidget(QStringLiteral("dropsite")));
}

void TestBDrops::factoryMakesTheDrops_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("control") << BCommandId::DropControl << "Drop Control";
    QTest::newRow("panel") << BCommandId::DropPanel << "Drop Panel";
    QTest::newRow("site") << BCommandId::DropSite << "Drop Site";
    QTest::newRow("link") << BCommandId::DropLink << "Drop Link";
}

void TestBDrops::factoryMakesTheDrops()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->id(), id);
    QCOMPARE(pCommand->name(), name);
    QCOMPARE(pCommand->mode(), BCommandMode::Undoable);
}

void TestBDrops::dropBuildsASnappedControl_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPoint>("drop");
    QTest::addColumn<QPointF>("placed");
    QTest::newRow("scale 1") << 1.0f << QPoint(13, 27) << QPointF(10, 25);
    QTest::newRow("scale 2") << 2.0f << QPoint(13, 27) << QPointF(10, 20);
    QTest::newRow("on the grid") << 1.0f << QPoint(40, 60) << QPointF(40, 60);
}

void TestBDrops::dropBuildsASnappedControl()
{
    QFETCH(float, scale);
    QFETCH(QPoint, drop);
    QFETCH(QPointF, placed);
    CommandFixture &f = *m_pFixture;
    f.model.setViewScale(scale);
    CControl *pOld = f.control(QStringLiteral("old"), QRectF(200, 200, 50, 50));
    pOld->setMode(CControl::ModeSelected);

    const QPointer<CControl> pControl = dropLevel(drop.x(), drop.y());

    QVERIFY(pControl);
    QCOMPARE(pControl->name(), QString("Level"));
    QCOMPARE(pControl->type(), QString("Slider"));
    QCOMPARE(pControl->node(), m_pNode);
    QCOMPARE(pControl->bounds(), QRectF(placed, QSizeF(100, 40)));
    QCOMPARE(pControl->model(), &f.model);
    QVERIFY(m_pNode->isChecked());
    QCOMPARE(pOld->mode(), CControl::ModeNormal); // the drop clears the selection
    // ... and the new control alone is selected.
    QCOMPARE(f.tool->selection(), QList<CControl *>({pControl.data()}));
    QCOMPARE(pControl->mode(), CControl::ModeSelected);
    QVERIFY(f.model.isModified());
    QCOMPARE(f.commands()->undoCount(), 1);
    auto *pCommand = dynamic_cast<BDropControlCommand *>(f.commands()->undoCommandAt(0));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->control(), pControl.data());
    QCOMPARE(pCommand->state(), BCommandState::Done);
}

void TestBDrops::undoAndRedoMoveTheSameControl()
{
    CommandFixture &f = *m_pFixture;
    const QPointer<CControl> pControl = dropLevel();
    QVERIFY(pControl);
    const QRectF rect = pControl->bounds();

    f.commands()->undo();
    QVERIFY(pControl);
    QVERIFY(!f.panel->contains(pControl));
    QVERIFY(!isShown(pControl));
    f.commands()->redo();
    QVERIFY(f.panel->contains(pControl));
    QCOMPARE(f.panel->children().last(), pControl.data());
    QVERIFY(isShown(pControl));
    QCOMPARE(pControl->bounds(), rect);

    // Deleted while done: the control stays with the panel.
    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(pControl);
    QVERIFY(f.panel->contains(pControl));

    // Deleted while undone: the command owned it and destroys it.
    const QPointer<CControl> pSecond = dropLevel(50, 50);
    f.commands()->undo();
    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(!pSecond);
    QVERIFY(pControl);
}

// A panel that reads the built-in templates: a fader of several widgets for
// an input block's level, and a label from the graphics templates.
void TestBDrops::dropFromBuiltInTemplates()
{
    CommandFixture &f = *m_pFixture;
    auto *pPanel = new CComposite;
    f.scene->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setContextObject(&f.model);
    f.model.setCurrentPanel(pPanel);
    QCOMPARE(f.model.currentPanel(), static_cast<CControl *>(pPanel));
    m_pNode->setTemplatePath(QStringLiteral(":/data/KRX/In_0.xml"));

    f.bridge.dropControl(QStringLiteral("Level"), f.handleOf(m_pNode), 13, 27);
    QCOMPARE(pPanel->childCount(), 1);
    const QPointer<CControl> pFader = pPanel->childAt(0);
    QCOMPARE(pFader->node(), m_pNode);
    QVERIFY(pFader->widgets().size() > 1);
    QCOMPARE(pFader->bounds().topLeft(), QPointF(10, 25));
    const QRectF rect = pFader->bounds();

    f.bridge.dropControl(QStringLiteral("Label"), QStringLiteral("0"), 101, 202);
    QCOMPARE(pPanel->childCount(), 2);
    const QPointer<CControl> pLabel = pPanel->childAt(1);
    QCOMPARE(pLabel->bounds().topLeft(), QPointF(100, 200));
    QCOMPARE(f.commands()->undoCount(), 2);

    f.commands()->undo();
    f.commands()->undo();
    QCOMPARE(pPanel->childCount(), 0);
    QVERIFY(pFader && pLabel);
    QVERIFY(!isShown(pFader));
    QVERIFY(!isShown(pLabel));
    f.commands()->redo();
    QCOMPARE(pPanel->children(), QList<CControl *>({pFader.data()}));
    QVERIFY(isShown(pFader));
    QCOMPARE(pFader->bounds(), rect);
}

void TestBDrops::dropAgainAfterUndoDestroysTheFirst()
{
    CommandFixture &f = *m_pFixture;
    const QPointer<CControl> pFirst = dropLevel();
    f.click(pFirst);
    f.commands()->undo();
    QCOMPARE(f.commands()->redoCount(), 1);

    const QPointer<CControl> pSecond = dropLevel(60, 80);
    f.flushDeletes();

    QVERIFY(!pFirst); // the undone drop went with the redo history
    QVERIFY(pSecond);
    QCOMPARE(f.panel->children(), QList<CControl *>({pSecond.data()}));
    QCOMPARE(f.commands()->undoCount(), 1);
    QCOMPARE(f.commands()->redoCount(), 0);
    f.commands()->undo();
    f.commands()->redo();
    QVERIFY(f.panel->contains(pSecond));
}

// Each drop sets up and asks the state of the control it adds, never of those
// already on the panel: with a request per control per drop, a full panel
// would make every drop cost the whole panel. Undo and redo ask nothing.
void TestBDrops::dropAsksOnlyTheNewcomer_data()
{
    QTest::addColumn<int>("drops");
    QTest::addColumn<bool>("undoRedo");
    QTest::newRow("one drop") << 1 << false;
    // A transform is due every fourth time it is asked: more drops than that.
    QTest::newRow("six drops") << 6 << false;
    QTest::newRow("six drops, the last undone and redone") << 6 << true;
}

void TestBDrops::dropAsksOnlyTheNewcomer()
{
    QFETCH(int, drops);
    QFETCH(bool, undoRedo);
    CommandFixture &f = *m_pFixture;
    auto *pPanel = new CComposite;
    f.scene->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setContextObject(&f.model);
    f.model.setCurrentPanel(pPanel);
    // Outlives the fixture, whose blocks point at it.
    RecordingProtocol &protocol = m_protocol;

    QList<TTransform *> asked;
    for (int i = 0; i < drops; ++i) {
        // Blocks of their own: no two faders share a transform.
        FakeNode *pNode = f.node(QStringLiteral("Input %1").arg(i + 2), {{"Level", "Slider"}});
        pNode->setTemplatePath(QStringLiteral(":/data/KRX/In_0.xml"));
        pNode->setProtocol(&protocol);
        protocol.clear();
        f.bridge.dropControl(QStringLiteral("Level"), f.handleOf(pNode), 10 + 50 * i, 20);
        QCOMPARE(pPanel->childCount(), i + 1);
        TTransform *pNewcomer = pPanel->children().last()->transform();
        QVERIFY(pNewcomer);
        QCOMPARE(protocol.requestedValues(), QList<TTransform *>({pNewcomer}));
        asked.append(pNewcomer);
    }
    if (undoRedo) {
        protocol.clear();
        f.commands()->undo();
        f.commands()->redo();
        QCOMPARE(pPanel->childCount(), drops);
        QCOMPARE(protocol.requestedValues(), QList<TTransform *>());
    }
    QCOMPARE(pPanel->children().first()->transform(), asked.first());
}

void TestBDrops::newControlTakesTheStoredSize_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QSizeF>("size");
    QTest::newRow("nothing stored") << 1.0f << QString() << QSizeF(100, 40);
    QTest::newRow("stored") << 1.0f << "60x25" << QSizeF(60, 25);
    QTest::newRow("stored, scale 2") << 2.0f << "60x25" << QSizeF(120, 50);
    QTest::newRow("below the minimum") << 1.0f << "5x5" << QSizeF(15, 15);
}

void TestBDrops::newControlTakesTheStoredSize()
{
    QFETCH(float, scale);
    QFETCH(QString, stored);
    QFETCH(QSizeF, size);
    m_pFixture->model.setViewScale(scale);
    if (!stored.isEmpty())
        layoutSettings().setValue(QStringLiteral("Layout/Slider"), stored);
    const QPointer<CControl> pControl = dropLevel(40, 60);
    QVERIFY(pControl);
    QCOMPARE(pControl->bounds(), QRectF(QPointF(40, 60), size));
}

void TestBDrops::graphicsDrop()
{
    CommandFixture &f = *m_pFixture;
    f.bridge.dropControl(QStringLiteral("Label"), QStringLiteral("0"), 22, 33);
    QCOMPARE(f.panel->childCount(), 1);
    CControl *pLabel = f.panel->childAt(0);
    QCOMPARE(pLabel->type(), QString("Label"));
    QCOMPARE(pLabel->node(), nullptr);
    QCOMPARE(pLabel->bounds().topLeft(), QPointF(20, 30));
    QCOMPARE(f.commands()->undoCount(), 1);
    f.commands()->undo();
    QCOMPARE(f.panel->childCount(), 0);
}

void TestBDrops::refusedDropsFileNothing_data()
{
    QTest::addColumn<QString>("drop");
    QTest::newRow("parameter the node lacks") << "unknown parameter";
    QTest::newRow("graphics without template") << "unknown graphics";
    QTest::newRow("control without bridge") << "control, no bridge";
    QTest::newRow("panel without bridge") << "panel, no bridge";
    QTest::newRow("site without bridge") << "site, no bridge";
    QTest::newRow("link without bridge") << "link, no bridge";
    QTest::newRow("panel without node") << "panel, no node";
    QTest::newRow("site without site") << "site, no site";
    QTest::newRow("link without model") << "link, no model";
}

void TestBDrops::refusedDropsFileNothing()
{
    QFETCH(QString, drop);
    CommandFixture &f = *m_pFixture;
    dropLevel();
    f.commands()->undo(); // a redo entry that a filed drop would clear
    const int panels = f.scene->childCount();
    const int children = f.panel->childCount();

    const QMap<QString, int> ids{{"control", BCommandId::DropControl},
                                 {"panel", BCommandId::DropPanel},
                                 {"site", BCommandId::DropSite},
                                 {"link", BCommandId::DropLink}};
    if (drop == QLatin1String("unknown parameter")) {
        f.bridge.dropControl(QStringLiteral("Treble"), f.handleOf(m_pNode), 10, 10);
    } else if (drop == QLatin1String("unknown graphics")) {
        f.bridge.dropControl(QStringLiteral("Sunset"), QStringLiteral("0"), 10, 10);
    } else if (drop == QLatin1String("panel, no node")) {
        f.bridge.dropPanel(QStringLiteral("Block"), QStringLiteral("0"));
    } else if (drop == QLatin1String("site, no site")) {
        f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), nullptr);
    } else {
        // Commands made and run by hand, as the bridge would, but missing a part.
        BCommand *pCommand = BCommandFactory::instance()->createCommand(ids.value(drop.section(',', 0, 0)));
        QVERIFY(pCommand);
        if (!drop.endsWith(QLatin1String("no model")))
            pCommand->setModel(&f.model);
        if (!drop.endsWith(QLatin1String("no bridge")))
            pCommand->setSource(&f.bridge);
        pCommand->prepare();
        QCOMPARE(pCommand->mode(), BCommandMode::Discard);
        f.commands()->execute(pCommand);
    }

    QCOMPARE(f.commands()->undoCount(), 0);
    QCOMPARE(f.commands()->redoCount(), 1);
    QCOMPARE(f.scene->childCount(), panels);
    QCOMPARE(f.panel->childCount(), children);
}

void TestBDrops::dropThatBuildsNoWidgetFilesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("graphics item") << "Label" << QStringList{"label"};
    QTest::newRow("parameter") << "Level" << QStringList{"label", "slider", "textedit", "frame"};
}

// A kind the editor cannot draw yet must not leave an invisible control that
// is saved, polled online and filed for undo.
void TestBDrops::dropThatBuildsNoWidgetFilesNothing()
{
    QFETCH(QString, text);
    QFETCH(QStringList, refused);
    CommandFixture &f = *m_pFixture;
    auto *pPanel = new CComposite;
    f.scene->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setContextObject(&f.model);
    f.model.setCurrentPanel(pPanel);
    m_pNode->setTemplatePath(QStringLiteral(":/data/KRX/In_0.xml"));
    for (const QString &type : refused)
        f.factory.refuse(type);

    const QString data = text == QLatin1String("Level") ? f.handleOf(m_pNode) : QStringLiteral("0");
    f.bridge.dropControl(text, data, 40, 60);

    QCOMPARE(pPanel->childCount(), 0);
    QCOMPARE(f.commands()->undoCount(), 0);
    QVERIFY(!m_pNode->isChecked());
    QVERIFY(f.tool->selection().isEmpty());
}

void TestBDrops::panelLimitIsSixPerScene()
{
    CommandFixture &f = *m_pFixture;
    for (int i = 2; i <= 6; ++i) {
        FakeNode *pBlock = f.block(QStringLiteral("Block %1").arg(i));
        f.bridge.dropPanel(QStringLiteral("Block"), f.handleOf(pBlock));
        QCOMPARE(f.scene->childCount(), i);
    }
    QCOMPARE(f.commands()->undoCount(), 5);
    QVERIFY(f.log.filter("box").isEmpty());

    FakeNode *pSeventh = f.block(QStringLiteral("Block 7"));
    f.bridge.dropPanel(QStringLiteral("Block"), f.handleOf(pSeventh));
    QCOMPARE(f.scene->childCount(), 6);
    QCOMPARE(f.commands()->undoCount(), 5);
    QCOMPARE(f.log.filter("box"), QStringList({"box The maximum number of panels in a scene is: 6"}));
    QVERIFY(!pSeventh->isChecked());

    // Room again after an undo.
    f.commands()->undo();
    f.bridge.dropPanel(QStringLiteral("Block"), f.handleOf(pSeventh));
    QCOMPARE(f.scene->childCount(), 6);
    QCOMPARE(f.commands()->undoCount(), 5);
}

void TestBDrops::panelDropShowsItAndUndoShowsTheNeighbour()
{
    CommandFixture &f = *m_pFixture;
    FakeNode *pBlock = f.block(QStringLiteral("Mixer"));
    f.log.clear();
    f.bridge.dropPanel(QStringLiteral("Mixer"), f.handleOf(pBlock));

    QCOMPARE(f.scene->childCount(), 2);
    const QPointer<CControl> pPanel = f.scene->childAt(1);
    QCOMPARE(pPanel->name(), QString("Mixer"));
    QCOMPARE(f.model.currentPanel(), pPanel.data());
    QVERIFY(pBlock->isChecked());
    QCOMPARE(f.log.filter("notify"), QStringList({"notify properties 0x2801"}));
    QCOMPARE(f.commands()->undoCount(), 1);

    f.log.clear();
    f.commands()->undo();
    QVERIFY(pPanel);
    QVERIFY(!f.scene->contains(pPanel));
    QCOMPARE(f.model.currentPanel(), static_cast<CControl *>(f.panel));
    QCOMPARE(f.log.filter("notify"), QStringList({"notify properties 0x2801"}));

    f.commands()->redo();
    QCOMPARE(f.scene->children().last(), pPanel.data());
    QCOMPARE(f.model.currentPanel(), pPanel.data());

    // The first panel of the scene is undone onto the last one.
    f.scene->moveChild(pPanel, -1);
    FakePanel *pThird = f.addPanel(QStringLiteral("Third"));
    f.commands()->undo();
    QCOMPARE(f.scene->children(), QList<CControl *>({f.panel, pThird}));
    QCOMPARE(f.model.currentPanel(), static_cast<CControl *>(pThird));

    // Undone and deleted: the command destroys the panel.
    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(!pPanel);
}

void TestBDrops::undoOfTheOnlyPanelLeavesNoCurrentPanel()
{
    CommandFixture &f = *m_pFixture;
    f.scene->removeChild(f.panel, true);
    f.panel = nullptr;
    f.flushDeletes();
    QCOMPARE(f.model.currentPanel(), nullptr);

    FakeNode *pBlock = f.block(QStringLiteral("Mixer"));
    f.bridge.dropPanel(QStringLiteral("Mixer"), f.handleOf(pBlock));
    QCOMPARE(f.scene->childCount(), 1);
    QVERIFY(f.model.currentPanel());

    f.commands()->undo();
    QCOMPARE(f.scene->childCount(), 0);
    QCOMPARE(f.model.currentPanel(), nullptr);
    // Nothing to build on now.
    f.bridge.dropControl(QStringLiteral("Level"), f.handleOf(m_pNode), 10, 10);
    QCOMPARE(f.commands()->undoCount(), 0);
    f.commands()->redo();
    QCOMPARE(f.scene->childCount(), 1);
}

void TestBDrops::linkDropKeepsItsPanel()
{
    CommandFixture &f = *m_pFixture;
    FakePanel *pTarget = f.addPanel(QStringLiteral("Lobby"));
    f.bridge.dropLink(QStringLiteral("Lobby"), f.handleOf(pTarget), 33, 47);

    QCOMPARE(f.panel->childCount(), 1);
    const QPointer<CControl> pLink = f.panel->childAt(0);
    QCOMPARE(pLink->type(), QString("PanelLink"));
    QCOMPARE(f.panel->linkTarget(pLink), static_cast<CControl *>(pTarget));
    QCOMPARE(pLink->bounds(), QRectF(30, 45, 120, 30));
    auto *pCommand = dynamic_cast<BDropLinkCommand *>(f.commands()->undoCommandAt(0));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->parentPanel(), static_cast<CComposite *>(f.panel));

    f.commands()->undo();
    QVERIFY(!f.panel->contains(pLink));
    QVERIFY(!isShown(pLink));
    // Redo does not depend on what the removed link remembers.
    pLink->setParentComposite(nullptr);
    f.commands()->redo();
    QVERIFY(f.panel->contains(pLink));
    QVERIFY(isShown(pLink));
    QCOMPARE(pLink->parentComposite(), static_cast<CComposite *>(f.panel));
}

void TestBDrops::siteTakesAFittingControlOnly()
{
    CommandFixture &f = *m_pFixture;
    FakeDropSite *pSite = addSite(QRectF(40, 60, 80, 200));
    QVERIFY(pSite);

    f.bridge.dropSite(QStringLiteral("Mute"), f.handleOf(m_pNode), pSite);
    QCOMPARE(pSite->refusals(), 1);
    QCOMPARE(pSite->childControl(), nullptr);
    QCOMPARE(f.panel->childCount(), 1);
    QCOMPARE(f.commands()->undoCount(), 0);

    f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), pSite);
    QCOMPARE(f.panel->childCount(), 2);
    CControl *pLevel = f.panel->childAt(1);
    QCOMPARE(pSite->childControl(), pLevel);
    QCOMPARE(pLevel->bounds(), QRectF(40, 60, 80, 200)); // it fills the site
    QCOMPARE(f.commands()->undoCount(), 1);

    // An occupied site asks; No keeps what it holds and files nothing.
    pSite->setOverwriteAnswer(false);
    f.bridge.dropSite(QStringLiteral("Gain"), f.handleOf(m_pNode), pSite);
    QCOMPARE(pSite->questions(), 1);
    QCOMPARE(pSite->childControl(), pLevel);
    QCOMPARE(f.panel->childCount(), 2);
    QCOMPARE(f.commands()->undoCount(), 1);

    f.commands()->undo();
    QCOMPARE(pSite->childControl(), nullptr);
    QCOMPARE(f.panel->childCount(), 1);
}

void TestBDrops::siteReplaceOwnsTheOldControlUntilUndo()
{
    CommandFixture &f = *m_pFixture;
    FakeDropSite *pSite = addSite(QRectF(40, 60, 80, 200));
    f.control(QStringLiteral("after"), QRectF(200, 10, 20, 20));
    f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), pSite);
    const QPointer<CControl> pLevel = pSite->childControl();
    QCOMPARE(f.panel->indexOf(pLevel), 2);
    f.click(pLevel);

    f.bridge.dropSite(QStringLiteral("Gain"), f.handleOf(m_pNode), pSite);
    const QPointer<CControl> pGain = pSite->childControl();
    QVERIFY(pGain && pGain != pLevel);
    QCOMPARE(pSite->questions(), 1);
    // The replaced control is hidden, off the panel and out of the selection.
    QVERIFY(pLevel);
    QVERIFY(!f.panel->contains(pLevel));
    QVERIFY(!isShown(pLevel));
    QVERIFY(!f.tool->isSelected(pLevel));
    QCOMPARE(f.commands()->undoCount(), 2);

    f.commands()->undo();
    QCOMPARE(pSite->childControl(), pLevel.data());
    QCOMPARE(f.panel->indexOf(pLevel), 2); // back where it stood
    QVERIFY(isShown(pLevel));
    QVERIFY(!f.panel->contains(pGain));
    QVERIFY(!isShown(pGain));

    f.commands()->redo();
    QCOMPARE(pSite->childControl(), pGain.data());
    QVERIFY(!f.panel->contains(pLevel));

    // Deleted while done: the replaced control goes, and nothing lists it.
    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(!pLevel);
    QVERIFY(pGain);
    QCOMPARE(f.panel->childCount(), 3);
    for (CControl *pChild : f.panel->children())
        QVERIFY(pChild);
}

void TestBDrops::siteUndoPutsTheOldControlOnItsOwnPanel()
{
    CommandFixture &f = *m_pFixture;
    FakeDropSite *pSite = addSite(QRectF(40, 60, 80, 200));
    f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), pSite);
    const QPointer<CControl> pLevel = pSite->childControl();

    // The drop lands while another panel is the current one.
    FakePanel *pOther = f.addPanel(QStringLiteral("Other"));
    f.model.setCurrentPanel(pOther);
    f.bridge.dropSite(QStringLiteral("Gain"), f.handleOf(m_pNode), pSite);
    QVERIFY(!f.panel->contains(pLevel));

    f.commands()->undo();
    QVERIFY(f.panel->contains(pLevel));
    QVERIFY(!pOther->contains(pLevel));
    QCOMPARE(pSite->childControl(), pLevel.data());
}

// The drop-site widget itself: it asks, and releasing a control takes it off its panel.
void TestBDrops::realSiteReplaceAndUndo()
{
    CommandFixture &f = *m_pFixture;
    QStringList boxes;
    DMessageBox::setResponder([&boxes](const QString &, const QString &text) {
        boxes.append(text);
        return QMessageBox::Yes;
    });
    f.factory.makeRealDropSites();
    CControl *pSiteControl = f.control(QStringLiteral("Site"), QRectF(40, 60, 80, 200), QStringLiteral("DropSite"),
                                       {{QStringLiteral("type"), QStringLiteral("Slider")}});
    auto *pSite = qobject_cast<WDropSite *>(pSiteControl->findWidget(QStringLiteral("dropsite")));
    QVERIFY(pSite);
    QCOMPARE(pSite->controlType(), QString("Slider"));

    f.bridge.dropSite(QStringLiteral("Mute"), f.handleOf(m_pNode), pSite);
    QCOMPARE(boxes, QStringList({"Cannot drop a Button on a Slider site."}));
    QCOMPARE(f.commands()->undoCount(), 0);

    f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), pSite);
    const QPointer<CControl> pLevel = pSite->childControl();
    QVERIFY(pLevel);
    QCOMPARE(pLevel->dropSite(), pSiteControl);
    f.bridge.dropSite(QStringLiteral("Gain"), f.handleOf(m_pNode), pSite);
    QCOMPARE(boxes.size(), 2); // asked before overwriting
    const QPointer<CControl> pGain = pSite->childControl();
    QVERIFY(pGain && pGain != pLevel);
    QVERIFY(!f.panel->contains(pLevel));
    QVERIFY(!isShown(pLevel));

    f.commands()->undo();
    QCOMPARE(pSite->childControl(), pLevel.data());
    QVERIFY(f.panel->contains(pLevel));
    QCOMPARE(f.panel->indexOf(pLevel), 1);
    QVERIFY(!f.panel->contains(pGain));
    f.commands()->redo();
    QCOMPARE(pSite->childControl(), pGain.data());
    QVERIFY(!f.panel->contains(pLevel));

    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(!pLevel);
    QCOMPARE(f.panel->children(), QList<CControl *>({pSiteControl, pGain.data()}));
    DMessageBox::setResponder({});
}

// The site's panel goes (a design reload, say) while the site asks whether to
// overwrite: the drop builds nothing and files nothing.
void TestBDrops::siteRemovedWhileAskingTakesNothing()
{
    CommandFixture &f = *m_pFixture;
    f.factory.makeRealDropSites();
    QPointer<CControl> pSiteControl = f.control(QStringLiteral("Site"), QRectF(40, 60, 80, 200),
                                                QStringLiteral("DropSite"),
                                                {{QStringLiteral("type"), QStringLiteral("Slider")}});
    const QPointer<WDropSite> pSite = qobject_cast<WDropSite *>(pSiteControl->findWidget(QStringLiteral("dropsite")));
    QVERIFY(pSite);
    f.bridge.dropSite(QStringLiteral("Level"), f.handleOf(m_pNode), pSite);
    const QPointer<CControl> pLevel = pSite->childControl();
    QVERIFY(pLevel);
    QCOMPARE(f.commands()->undoCount(), 1);
    int asked = 0;
    DMessageBox::setResponder([&](const QString &, const QString &) {
        ++asked;
        f.panel->removeChild(pSiteControl, true);
        f.flushDeletes();
        return QMessageBox::Yes;
    });

    f.bridge.dropSite(QStringLiteral("Gain"), f.handleOf(m_pNode), pSite);
    DMessageBox::setResponder({});

    QCOMPARE(asked, 1);
    QVERIFY(!pSite);
    QVERIFY(!pSiteControl);
    QCOMPARE(f.panel->children(), QList<CControl *>({pLevel.data()}));
    QCOMPARE(f.commands()->undoCount(), 1);
    QCOMPARE(f.commands()->redoCount(), 0);
}

void TestBDrops::undoneDropLeavesTheSelectToolSafe()
{
    CommandFixture &f = *m_pFixture;
    const QPointer<CControl> pControl = dropLevel();
    CControl *pOther = f.control(QStringLiteral("other"), QRectF(200, 200, 40, 40));
    f.click(pOther);
    f.click(pControl, int(Qt::ShiftModifier));
    QCOMPARE(f.tool->selection(), QList<CControl *>({pOther, pControl.data()}));

    f.commands()->undo();
    QCOMPARE(f.tool->selection(), QList<CControl *>({pOther}));
    QCOMPARE(pControl->mode(), CControl::ModeNormal);

    // A gesture now moves only what is on the panel.
    f.key(Qt::Key_Right, 0, 1);
    f.key(Qt::Key_Right, 0, 3);
    QCOMPARE(pOther->bounds(), QRectF(205, 200, 40, 40));
    f.commands()->clear();
    f.flushDeletes();
    QVERIFY(!pControl);
    f.tool->run(0);
    f.tool->run(1);
    QVERIFY(f.tool->selection().isEmpty());
}

// The next project replaces this one as File > Open does: the commands go
// (an undone drop's control is deleted later), then the panels, then the
// design's nodes that no control holds, each telling its controls it goes.
void TestBDrops::undoneDropOutlivesTheProjectClosing()
{
    CommandFixture &f = *m_pFixture;
    const QPointer<CControl> pKept = dropLevel();
    const QPointer<CControl> pUndone = dropLevel(50, 50);
    QVERIFY(pKept && pUndone);
    f.commands()->undo();
    QVERIFY(!f.panel->contains(pUndone));

    const QPointer<CComposite> pPanel = f.panel;
    f.model.resetModel();
    QVERIFY(!pPanel);
    QVERIFY(pUndone); // its deletion is queued
    QVERIFY(!pUndone->parentComposite());
    f.model.rootNode()->uncheck();
    f.model.closeDesignFile();
    f.flushDeletes();
    QVERIFY(!pUndone);
    QVERIFY(!pKept);
}

VVB_TEST_MAIN(TestBDrops)
#include "tst_bdrops.moc"
