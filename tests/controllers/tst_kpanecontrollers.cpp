#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTabController.h"
#include "controllers/KTreeController.h"
#include "controllers/NotifyEventId.h"
#include "model/CCanvas.h"
#include "model/MModel.h"
#include "views/VProperties.h"
#include "views/VTabBar.h"
#include "views/VTree.h"
#include "widgets/MQmlInterface.h"
#include "widgets/VQmlFrame.h"

#include <QLabel>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

// The tab pane with its two tabs, the properties pane and the canvas host,
// each driven by its controller in the central widget of a window.
class TestKPaneControllers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tabsAreCreatedInOrder();
    void tabControllerAttachesTheTabControllers();
    void tabsSitAtTheBottom();
    void showPropertiesBringsTheTabToTheFront();
    void tabLayoutReachesThePanes();
    void noTabsWithoutParentOrModel();
    void propertiesLayout();
    void noSelectionShowsNoPage_data();
    void noSelectionShowsNoPage();
    void replacedPageGoesLater();
    void canvasViewInItsSplitter();
    void canvasLayoutMovesTheSplitter();
    void rebuildMakesANewView();
    void rebuiltViewDrawsFirstWhereTheOldOneWas();
    void canvasWithoutParentOrModel();

private:
    std::unique_ptr<QWidget> m_pCentral;
    std::unique_ptr<MModel> m_pModel;
};

void TestKPaneControllers::init()
{
    m_pCentral = std::make_unique<QWidget>();
    m_pCentral->resize(800, 600);
    m_pModel = std::make_unique<MModel>();
}

void TestKPaneControllers::cleanup()
{
    // Controllers first: they delete the widgets they placed in the central widget.
    m_pModel.reset();
    m_pCentral.reset();
}

void TestKPaneControllers::tabsAreCreatedInOrder()
{
    auto *pTabs = new KTabController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pTabs);
    VTabBar *pBar = pTabs->tabBar();
    QVERIFY(pBar);
    QCOMPARE(pBar->parentWidget(), m_pCentral.get());
    QCOMPARE(pBar->controller(), pTabs);
    QCOMPARE(pBar->count(), 2);
    QCOMPARE(pBar->tabText(0), QStringLiteral("Project"));
    QCOMPARE(pBar->tabText(1), QStringLiteral("Properties"));
    QVERIFY(!pBar->tabIcon(0).isNull());
    QVERIFY(!pBar->tabIcon(1).isNull());
    QCOMPARE(pBar->currentIndex(), 0);
}

void TestKPaneControllers::tabControllerAttachesTheTabControllers()
{
    auto *pTabs = new KTabController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pTabs);
    KComposite *pRoot = pTabs->parentComposite();
    QVERIFY(pRoot);
    QCOMPARE(pRoot->childCount(), 3);
    QCOMPARE(pRoot->childAt(0)->controllerId(), ControllerId::ProjectTree);
    QCOMPARE(pRoot->childAt(1)->controllerId(), ControllerId::Properties);
    QCOMPARE(pRoot->childAt(2), pTabs);
    // Each tab's controller lives in its own tab page.
    auto *pTree = qobject_cast<KTreeController *>(pRoot->childAt(0));
    QVERIFY(pTree);
    QCOMPARE(pTree->parentWidget(), pTabs->tabBar()->widget(0));
    QCOMPARE(pTree->tree()->parentWidget(), pTabs->tabBar()->widget(0));
    auto *pProperties = qobject_cast<KPropertiesController *>(pRoot->childAt(1));
    QVERIFY(pProperties);
    QCOMPARE(pProperties->parentWidget(), pTabs->tabBar()->widget(1));
    QCOMPARE(pProperties->propertiesView()->parentWidget(), pTabs->tabBar()->widget(1));
}

void TestKPaneControllers::tabsSitAtTheBottom()
{
    auto *pTabs = new KTabController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pTabs);
    VTabBar *pBar = pTabs->tabBar();
    QCOMPARE(pBar->tabPosition(), QTabWidget::South);
    QCOMPARE(pBar->tabShape(), QTabWidget::Triangular);
    const QMargins margins = pBar->contentsMargins();
    QCOMPARE(margins.left(), 2);
    QCOMPARE(margins.top(), 2);
    QCOMPARE(margins.right(), 7);
}

void TestKPaneControllers::showPropertiesBringsTheTabToTheFront()
{
    auto *pTabs = new KTabController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pTabs);
    QSignalSpy changes(pTabs->tabBar(), &QTabWidget::currentChanged);
    m_pModel->notifyControllers(NotifyEventId::ShowProperties);
    QCOMPARE(pTabs->tabBar()->currentIndex(), 1);
    QCOMPARE(changes.size(), 1);
    m_pModel->notifyControllers(NotifyEventId::ShowProperties);
    QCOMPARE(changes.size(), 1); // already in front
    // Other events leave the tabs alone.
    pTabs->tabBar()->setCurrentIndex(0);
    m_pModel->notifyControllers(NotifyEventId::SelectionChanged);
    m_pModel->notifyControllers(NotifyEventId::PanelsChanged);
    QCOMPARE(pTabs->tabBar()->currentIndex(), 0);
    // A controller that is in no tab changes nothing.
    pTabs->showTabOf(ControllerId::Canvas);
    QCOMPARE(pTabs->tabBar()->currentIndex(), 0);
}

void TestKPaneControllers::tabLayoutReachesThePanes()
{
    auto *pTabs = new KTabController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pTabs);
    const QRect area(QPoint(2, 2), QPoint(249, 500));
    pTabs->layout(area);
    QCOMPARE(pTabs->tabBar()->geometry(), area);
    const QRect contents = pTabs->tabBar()->contentsRect();
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    QCOMPARE(pTree->tree()->geometry(), contents);
    auto *pProperties =
        qobject_cast<KPropertiesController *>(m_pModel->findController(ControllerId::Properties));
    QCOMPARE(pProperties->caption()->geometry(), QRect(contents.topLeft(), QSize(contents.width(), 20)));
}

void TestKPaneControllers::noTabsWithoutParentOrModel()
{
    KTabController orphan(nullptr, m_pModel.get());
    QVERIFY(!orphan.tabBar());
    orphan.initialize();
    orphan.layout(QRect(0, 0, 10, 10));
    QVERIFY(!m_pModel->findController(ControllerId::ProjectTree));

    KTabController unattached(m_pCentral.get(), nullptr);
    unattached.initialize();
    QCOMPARE(unattached.tabBar()->count(), 0);
}

void TestKPaneControllers::propertiesLayout()
{
    KPropertiesController properties(m_pCentral.get(), m_pModel.get());
    properties.initialize();
    QCOMPARE(properties.caption()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    properties.layout(QRect(5, 6, 200, 300));
    QCOMPARE(properties.caption()->geometry(), QRect(5, 6, 200, 20));
    QCOMPARE(properties.propertiesView()->geometry(), QRect(5, 26, 200, 280));
    QCOMPARE(properties.propertiesView()->frameShape(), QFrame::StyledPanel);
    QCOMPARE(properties.propertiesView()->frameShadow(), QFrame::Sunken);
    QCOMPARE(properties.propertiesView()->lineWidth(), 1);
}

void TestKPaneControllers::noSelectionShowsNoPage_data()
{
    QTest::addColumn<int>("event");
    QTest::addColumn<bool>("refreshes");
    QTest::newRow("selection changed") << NotifyEventId::SelectionChanged << true;
    QTest::newRow("geometry edited") << NotifyEventId::GeometryEdited << true;
    QTest::newRow("initialised") << NotifyEventId::Initialised << false;
    QTest::newRow("show properties") << NotifyEventId::ShowProperties << false;
}

void TestKPaneControllers::noSelectionShowsNoPage()
{
    QFETCH(int, event);
    QFETCH(bool, refreshes);
    auto *pProperties = new KPropertiesController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pProperties);
    QPointer<QWidget> pOldPage = new QWidget(pProperties->propertiesView());
    pProperties->propertiesView()->setWidget(pOldPage);
    pProperties->caption()->setText(QStringLiteral("Level 1 : Slider"));

    m_pModel->notifyControllers(event);
    QCOMPARE(pProperties->propertiesView()->widget() == nullptr, refreshes);
    QCOMPARE(pProperties->caption()->text().isEmpty(), refreshes);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(pOldPage.isNull(), refreshes);
}

void TestKPaneControllers::replacedPageGoesLater()
{
    VProperties frame(nullptr);
    QPointer<QWidget> pFirst = new QWidget(&frame);
    frame.setWidget(pFirst);
    QCOMPARE(frame.widget(), pFirst.data());
    QWidget *pSecond = new QWidget(&frame);
    frame.setWidget(pSecond);
    QVERIFY(pFirst); // not at once
    QCOMPARE(frame.widget(), pSecond);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!pFirst);
    // A page that went with its widget leaves no dangling page behind.
    delete pSecond;
    QVERIFY(!frame.widget());
    frame.setWidget(nullptr);
}

void TestKPaneControllers::canvasViewInItsSplitter()
{
    CCanvas canvas;
    m_pModel->setCanvas(&canvas);
    auto *pCanvas = new KQmlController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pCanvas);
    QCOMPARE(m_pModel->findController(ControllerId::Canvas), pCanvas);
    QSplitter *pSplitter = pCanvas->splitter();
    QVERIFY(pSplitter);
    QCOMPARE(pSplitter->parentWidget(), m_pCentral.get());
    QCOMPARE(pSplitter->count(), 1);
    QWidget *pContainer = pSplitter->widget(0);
    QCOMPARE(pContainer->minimumSize(), QSize(200, 200));
    QCOMPARE(pContainer->focusPolicy(), Qt::TabFocus);
    QVERIFY(pCanvas->view());
    // The canvas description takes its pixel density from the view.
    QCOMPARE(canvas.view(), pCanvas->view());
}

void TestKPaneControllers::canvasLayoutMovesTheSplitter()
{
    auto *pCanvas = new KQmlController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pCanvas);
    pCanvas->layout(QRect(258, 2, 300, 480));
    QCOMPARE(pCanvas->splitter()->geometry(), QRect(258, 2, 300, 480));
    pCanvas->notify(0); // nothing to do
}

void TestKPaneControllers::rebuildMakesANewView()
{
    auto *pCanvas = new KQmlController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pCanvas);
    QPointer<QQuickView> pOldView = pCanvas->view();
    QPointer<QSplitter> pOldSplitter = pCanvas->splitter();
    QVERIFY(pOldView && pOldSplitter);
    QPointer<QQmlEngine> pEngine = pOldView->engine();

    for (int round = 0; round < 2; ++round)
        pCanvas->rebuild();
    QVERIFY(!pOldView);
    QVERIFY(!pOldSplitter);
    QVERIFY(pCanvas->view());
    // The views share one engine, which outlives them; QML there reaches the new view's interface.
    QVERIFY(pEngine);
    QCOMPARE(pCanvas->view()->engine(), pEngine.data());
    auto *pFrame = qobject_cast<VQmlFrame *>(pCanvas->view());
    QVERIFY(pFrame && pFrame->qmlInterface());
    QCOMPARE(pEngine->rootContext()->contextProperty(QStringLiteral("intrf")).value<QObject *>(),
             pFrame->qmlInterface());
    QCOMPARE(pCanvas->splitter()->parentWidget(), m_pCentral.get());
    QCOMPARE(pCanvas->splitter()->widget(0)->minimumSize(), QSize(200, 200));
    // One view and one splitter only: the old ones are gone, not piled up.
    QCOMPARE(m_pCentral->findChildren<QSplitter *>().size(), 1);
    pCanvas->layout(QRect(10, 10, 250, 250));
    QCOMPARE(pCanvas->splitter()->geometry(), QRect(10, 10, 250, 250));
}

void TestKPaneControllers::rebuiltViewDrawsFirstWhereTheOldOneWas()
{
    auto *pCanvas = new KQmlController(m_pCentral.get(), m_pModel.get());
    m_pModel->addController(pCanvas);
    const QRect area(258, 2, 300, 480);
    pCanvas->layout(area);
    m_pCentral->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pCentral.get()));

    pCanvas->rebuild();
    QCOMPARE(pCanvas->splitter()->geometry(), area);
    QQuickView *pView = pCanvas->view();
    QList<QSize> drawnAt;
    connect(pView, &QQuickWindow::frameSwapped, this, [&drawnAt, pView]() { drawnAt.append(pView->size()); },
            Qt::DirectConnection);
    QTRY_VERIFY(!drawnAt.isEmpty());
    // Laid out only afterwards, the view would draw its first frame at another
    // size and then all of it again.
    QCOMPARE(drawnAt.first(), area.size());
}

void TestKPaneControllers::canvasWithoutParentOrModel()
{
    QPointer<QQmlEngine> pEngine;
    {
        KQmlController orphan(nullptr, m_pModel.get());
        QVERIFY(orphan.splitter());
        QVERIFY(!orphan.splitter()->parentWidget());
        QCOMPARE(orphan.splitter()->count(), 0);
        QPointer<QQuickView> pView = orphan.view();
        pEngine = pView->engine();
        orphan.destroyView();
        QVERIFY(!pView); // a view without a container goes too
        QVERIFY(!orphan.splitter());
        QVERIFY(pEngine);
    }
    QVERIFY(!pEngine); // the engine goes with its controller
    KQmlController modelless(m_pCentral.get(), nullptr);
    QVERIFY(!modelless.splitter());
    QVERIFY(!modelless.view());
    modelless.layout(QRect(0, 0, 5, 5));
    modelless.rebuild();
    QVERIFY(!modelless.view());
}

VVB_TEST_MAIN(TestKPaneControllers)
#include "tst_kpanecontrollers.moc"
