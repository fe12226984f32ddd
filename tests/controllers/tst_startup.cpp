#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTabController.h"
#include "controllers/KTreeController.h"
#include "controllers/NotifyEventId.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WarningCollector.h"
#include "views/MainWindow.h"
#include "views/VModeManager.h"
#include "views/VProperties.h"
#include "views/VTabBar.h"
#include "views/VTree.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidgetFactory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QQmlContext>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Every action of the menus, sub-menus included, without separators.
QList<QAction *> menuActions(const QMenuBar *pMenuBar)
{
    QList<QAction *> actions;
    for (QAction *pMenuAction : pMenuBar->actions()) {
        for (QAction *pAction : pMenuAction->menu()->actions()) {
            if (pAction->menu())
                actions += pAction->menu()->actions();
            else if (!pAction->isSeparator())
                actions << pAction;
        }
    }
    return actions;
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList result;
    for (const QAction *pAction : actions) {
        if (!pAction->isSeparator())
            result << pAction->text();
    }
    return result;
}

QStandardItem *topLevelItem(const QStandardItemModel *pModel, const QString &text)
{
    for (int row = 0; row < pModel->rowCount(); ++row) {
        if (pModel->item(row)->text() == text)
            return pModel->item(row);
    }
    return nullptr;
}

QStringList childTexts(const QStandardItem *pItem)
{
    QStringList result;
    for (int row = 0; pItem && row < pItem->rowCount(); ++row)
        result << pItem->child(row)->text();
    return result;
}

// The pixel size of a device, worked out by hand: the short side of a screen
// of that diagonal and aspect, at the given dots per inch.
QSize devicePixels(float inches, float aspect, double dpi)
{
    const double shortSide = std::sqrt(double(inches * inches) / double(aspect * aspect + 1.0f)) * dpi;
    const int shortPixels = int(float(shortSide));
    const int longPixels = int(aspect * float(shortSide));
    return QSize(shortPixels, longPixels);
}

// Warnings of the program; the headless platform's notices of what it
// cannot do for native windows are not the program's.
QStringList programWarnings(const WarningCollector &collector)
{
    QStringList result;
    for (const QString &warning : collector.warnings()) {
        if (!warning.startsWith(QLatin1String("This plugin does not support")))
            result << warning;
    }
    return result;
}

} // namespace

// The editor as the program starts it: the model and the main controller
// built and attached as main() does, then what the user sees first.
class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsWithoutWarnings();
    void everyActionIsInTheMenusOrTheToolBar();
    void projectAndPropertiesTabs();
    void canvasIsSizedForTheDevice();
    void windowShowsTheWholeCanvas();
    void canvasFrameHasItsRowsAndMenu();
    void firstPanelIsHome();
    void widgetDelegateKnowsTheWindow();
    void importedDesignFillsTheTree();
    void screenshotOfTheEditor();

private:
    void start();
    KQmlController *canvasController() const;
    QQuickItem *qmlRoot() const;
    QStandardItemModel *treeModel() const;

    std::unique_ptr<WarningCollector> m_pWarnings;
    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
};

void TestStartUp::initTestCase()
{
    // As main() does, before any QML engine exists.
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestStartUp::init()
{
    TestSupport::appSettings()->clear();
    m_pWarnings = std::make_unique<WarningCollector>();
    start();
}

void TestStartUp::cleanup()
{
    m_pModel.reset();
    m_pMain = nullptr;
    m_pWarnings.reset();
}

void TestStartUp::start()
{
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    QVERIFY(QTest::qWaitForWindowExposed(m_pMain->mainWindow()));
}

KQmlController *TestStartUp::canvasController() const
{
    return qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
}

QQuickItem *TestStartUp::qmlRoot() const
{
    KQmlController *pCanvas = canvasController();
    return pCanvas && pCanvas->view() ? pCanvas->view()->rootObject() : nullptr;
}

QStandardItemModel *TestStartUp::treeModel() const
{
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    return pTree && pTree->tree() ? qobject_cast<QStandardItemModel *>(pTree->tree()->model()) : nullptr;
}

void TestStartUp::startsWithoutWarnings()
{
    QTest::qWait(50);
    const QStringList warnings = programWarnings(*m_pWarnings);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    QVERIFY(m_pMain->mainWindow()->isVisible());
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder"));
}

void TestStartUp::everyActionIsInTheMenusOrTheToolBar()
{
    const MainWindow *pWindow = m_pMain->mainWindow();
    const QList<QAction *> inMenus = menuActions(pWindow->menuBarWidget());
    const QList<QAction *> inToolBar = pWindow->toolBarWidget()->actions();
    QCOMPARE(texts(pWindow->menuBarWidget()->actions()),
             (QStringList{"&File", "&Edit", "&Layout", "&Tools", "&Help"}));
    QCOMPARE(inMenus.size(), 37);
    QCOMPARE(texts(inToolBar).size(), 16);

    // Every action with an id is reachable, and Edit Mode through the tool bar only.
    for (int id = ActionId::OpenDesign; id <= ActionId::UpdateIpAddresses; ++id) {
        QAction *pAction = m_pMain->action(id);
        if (!pAction)
            continue;
        QVERIFY2(inMenus.contains(pAction) != (id == ActionId::EditMode), qPrintable(pAction->text()));
    }
    for (int id : {ActionId::OpenDesign, ActionId::NewProject, ActionId::OpenProject, ActionId::SaveProject,
                   ActionId::Cut, ActionId::Copy, ActionId::Paste, ActionId::Delete, ActionId::Undo,
                   ActionId::Redo, ActionId::UndoList, ActionId::EditMode, ActionId::PanelSetup,
                   ActionId::CanvasSetup, ActionId::GoOnline, ActionId::SendToMobile})
        QVERIFY2(inToolBar.contains(m_pMain->action(id)), qPrintable(QString::number(id, 16)));
    QVERIFY(m_pMain->action(ActionId::EditMode)->isChecked());

    // The window at its least width still shows every button, none in the overflow.
    const QToolBar *pToolBar = pWindow->toolBarWidget();
    for (QAction *pAction : inToolBar) {
        if (pAction->isSeparator())
            continue;
        const QWidget *pButton = pToolBar->widgetForAction(pAction);
        QVERIFY2(pButton && pButton->isVisible(), qPrintable(pAction->text()));
        QVERIFY2(pToolBar->rect().contains(pButton->geometry()), qPrintable(pAction->text()));
    }
}

void TestStartUp::projectAndPropertiesTabs()
{
    auto *pTabs = qobject_cast<KTabController *>(m_pModel->findController(ControllerId::Tabs));
    QVERIFY(pTabs);
    VTabBar *pBar = pTabs->tabBar();
    QCOMPARE(pBar->count(), 2);
    QCOMPARE(pBar->tabText(0), QStringLiteral("Project"));
    QCOMPARE(pBar->tabText(1), QStringLiteral("Properties"));
    QVERIFY(pBar->isVisible());

    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    QVERIFY(pTree && pTree->tree());
    QCOMPARE(pTree->tree()->parentWidget(), pBar->widget(0));
    QStandardItemModel *pModel = treeModel();
    QVERIFY(pModel);
    // The tree is built by the broadcast at the end of start-up: the fixed groups come last.
    const int rows = pModel->rowCount();
    QVERIFY(rows >= 3);
    QCOMPARE(pModel->item(rows - 3)->text(), QStringLiteral("Graphics"));
    QCOMPARE(pModel->item(rows - 2)->text(), QStringLiteral("System"));
    QCOMPARE(pModel->item(rows - 1)->text(), QStringLiteral("Links"));
    QCOMPARE(childTexts(pModel->item(rows - 3)), (QStringList{"Label", "Image", "Frame", "Region"}));
    QCOMPARE(childTexts(pModel->item(rows - 2)), (QStringList{"Setup Button", "Connection Indicator"}));

    auto *pProperties =
        qobject_cast<KPropertiesController *>(m_pModel->findController(ControllerId::Properties));
    QVERIFY(pProperties && pProperties->propertiesView());
    QCOMPARE(pProperties->propertiesView()->parentWidget(), pBar->widget(1));
}

void TestStartUp::canvasIsSizedForTheDevice()
{
    KQmlController *pController = canvasController();
    QVERIFY(pController && pController->view());
    QQuickView *pView = pController->view();
    const CCanvas *pCanvas = m_pMain->canvas();
    QCOMPARE(m_pModel->canvas(), pCanvas);

    // No device chosen yet: 6 inches at 16:9, upright, at the screen's density.
    QVERIFY(pView->screen());
    const double dpi = pView->screen()->logicalDotsPerInch();
    QCOMPARE(pCanvas->logicalDpi(), float(dpi));
    const QSize expected = devicePixels(6.0f, 1.7777777777777777f, dpi);
    QCOMPARE(QSize(pCanvas->width(), pCanvas->height()), expected);

    // The view, its container and the QML root all take that size.
    QTRY_COMPARE(pView->size(), expected);
    QCOMPARE(pController->splitter()->size(), expected);
    QQuickItem *pRoot = qmlRoot();
    QVERIFY(pRoot);
    QTRY_COMPARE(pRoot->size(), QSizeF(expected));
    QCOMPARE(VModeManager::instance()->canvasRoot(), pRoot);
    // The panels' drawing area lies between the rows, as wide as the canvas.
    QQuickItem *pArea = m_pModel->qmlRootItem();
    QVERIFY(pArea);
    QCOMPARE(pArea->width(), qreal(expected.width()));
    QVERIFY(pArea->height() > 0 && pArea->height() < expected.height());
}

void TestStartUp::windowShowsTheWholeCanvas()
{
    MainWindow *pWindow = m_pMain->mainWindow();
    KQmlController *pController = canvasController();
    QVERIFY(pController);
    const CCanvas *pCanvas = m_pMain->canvas();
    const int bars = pWindow->menuBarWidget()->height() + pWindow->toolBarWidget()->height();
    // Fitted with the bars as they are once shown, so the canvas's last row is not cut off.
    QCOMPARE(pWindow->size(),
             QSize(std::max(555, pCanvas->width() + 262), pCanvas->height() + 4 + bars));
    const QRect inWindow(pController->splitter()->mapTo(pWindow, QPoint(0, 0)), pController->splitter()->size());
    QCOMPARE(inWindow, QRect(258, bars + 2, pCanvas->width(), pCanvas->height()));
    QVERIFY(pWindow->rect().contains(inWindow));
}

void TestStartUp::canvasFrameHasItsRowsAndMenu()
{
    QQuickItem *pRoot = qmlRoot();
    QVERIFY(pRoot);
    QQuickItem *pToolBar = TestSupport::findItem(pRoot, QStringLiteral("toolBar"));
    QQuickItem *pStatusBar = TestSupport::findItem(pRoot, QStringLiteral("statusBar"));
    QQuickItem *pSceneMenu = TestSupport::findItem(pRoot, QStringLiteral("sceneMenu"));
    QVERIFY(pToolBar);
    QVERIFY(pStatusBar);
    QVERIFY(pSceneMenu);
    QVERIFY(TestSupport::findItem(pRoot, QStringLiteral("controlArea")));
    // The rows span the canvas, top and bottom, and show.
    QCOMPARE(pToolBar->width(), pRoot->width());
    QVERIFY(pToolBar->height() > 0);
    QCOMPARE(pToolBar->mapToItem(pRoot, QPointF(0, 0)), QPointF(0, 0));
    QCOMPARE(pStatusBar->width(), pRoot->width());
    QVERIFY(pStatusBar->height() > 0);
    QCOMPARE(pStatusBar->mapToItem(pRoot, QPointF(0, pStatusBar->height())).y(), pRoot->height());
    QVERIFY(pSceneMenu->isVisible() && pSceneMenu->width() > 0);
    // The scene menu offers the collection of the blank project.
    QCOMPARE(m_pModel->qmlProperty(QStringLiteral("sceneTitle")).toString(), QStringLiteral("COLLECTION1"));
    // The setup menu leads to the system menu, receiving a project included.
    QQmlContext *pContext = qmlContext(pRoot);
    QVERIFY(pContext);
    QCOMPARE(pContext->contextProperty(QStringLiteral("setupMenuData")).toStringList(),
             QStringList({QStringLiteral("About Velmora Viviza..."), QStringLiteral("Project Information..."),
                          QStringLiteral("Network Status..."), QStringLiteral("Receive...")}));
}

void TestStartUp::firstPanelIsHome()
{
    CControl *pPanel = m_pModel->currentPanel();
    QVERIFY(pPanel);
    QCOMPARE(pPanel->name(), QStringLiteral("Home"));
    QCOMPARE(pPanel->kind(), QStringLiteral("Panel"));
    QCOMPARE(m_pModel->currentChildIn(QStringLiteral("Panels")), pPanel);
    QCOMPARE(m_pModel->scenes()->name(), QStringLiteral("Blank Panel"));
    QCOMPARE(m_pModel->scenes()->childCount(), 1);
    QCOMPARE(m_pModel->qmlProperty(QStringLiteral("pageCount")).toInt(), 1);
    QCOMPARE(m_pModel->qmlProperty(QStringLiteral("pageIndex")).toInt(), 0);
    QVERIFY(!m_pModel->isModified());
    QVERIFY(m_pMain->filePath().isEmpty());
    QVERIFY(m_pModel->projectPath().endsWith(QLatin1String("/templates/Blank Panel.tpl")));

    // The Links group names it under its collection.
    const QStandardItem *pLinks = topLevelItem(treeModel(), QStringLiteral("Links"));
    QVERIFY(pLinks);
    QCOMPARE(childTexts(pLinks), QStringList{"COLLECTION1"});
    QCOMPARE(childTexts(pLinks->child(0)), QStringList{"Home"});
}

void TestStartUp::widgetDelegateKnowsTheWindow()
{
    QCOMPARE(WDelegate::instance()->mainWindow(), m_pMain->mainWindow());
    QVERIFY(WDelegate::instance()->factory());
    QCOMPARE(WDelegate::instance()->factory()->parentItem(), m_pModel->qmlRootItem());
}

void TestStartUp::importedDesignFillsTheTree()
{
    QTemporaryDir dir;
    const QString design = DesignFixture().write(dir.path());
    QVERIFY(!design.isEmpty());
    // As the import does: read the file, then tell every controller.
    QVERIFY(m_pModel->loadDesignFile(design));
    m_pModel->notifyControllers(NotifyEventId::Initialised);

    QStandardItemModel *pModel = treeModel();
    QVERIFY(pModel);
    QStringList top;
    for (int row = 0; row < pModel->rowCount(); ++row)
        top << pModel->item(row)->text();
    // The processors first, then the design's sections, then the editor's groups.
    QCOMPARE(top, (QStringList{"Main Rack", "Annex Rack", "Groups", "ParameterSets", "RCGroups",
                               "ParameterSetLists", "Graphics", "System", "Links"}));
    QVERIFY(!childTexts(pModel->item(0)).isEmpty());
    QCOMPARE(childTexts(topLevelItem(pModel, QStringLiteral("Links"))), QStringList{"COLLECTION1"});
    const QStringList warnings = programWarnings(*m_pWarnings);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
}

// The window as a user sees it, kept beside the test program: the widgets
// with the canvas drawn into its place.
void TestStartUp::screenshotOfTheEditor()
{
    MainWindow *pWindow = m_pMain->mainWindow();
    KQmlController *pController = canvasController();
    QVERIFY(pController && pController->view());
    QTRY_COMPARE(pController->view()->size(), QSize(m_pMain->canvas()->width(), m_pMain->canvas()->height()));
    const QImage canvas = pController->view()->grabWindow();
    QCOMPARE(canvas.size(), pController->view()->size());
    QImage shot = pWindow->grab().toImage();
    {
        QPainter painter(&shot);
        painter.drawImage(pController->splitter()->mapTo(pWindow, QPoint(0, 0)), canvas);
    }
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/tst_startup.png");
    QVERIFY(shot.save(path));

    // The frame is drawn: the top row's colour at its left edge, the panel
    // area's in the middle and the bottom row's at its left edge.
    const auto colourAt = [&](const char *name) { return QColor(m_pModel->qmlProperty(name).toString()).rgb(); };
    QQuickItem *pRoot = qmlRoot();
    const QQuickItem *pToolBar = TestSupport::findItem(pRoot, QStringLiteral("toolBar"));
    const QQuickItem *pStatusBar = TestSupport::findItem(pRoot, QStringLiteral("statusBar"));
    QVERIFY(pToolBar && pStatusBar);
    QCOMPARE(canvas.pixel(1, 1), colourAt("toolBarColor"));
    QCOMPARE(canvas.pixel(canvas.width() / 2, canvas.height() / 2), colourAt("canvasColor"));
    QCOMPARE(canvas.pixel(1, canvas.height() - 2), colourAt("statusBarColor"));
}

VVB_TEST_MAIN(TestStartUp)
#include "tst_startup.moc"
