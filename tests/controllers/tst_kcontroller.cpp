#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/NotifyEventId.h"
#include "model/MModel.h"
#include "support/RecordingController.h"
#include "support/TestMain.h"

#include <QtTest>

#include <memory>

// The controller tree: attaching, lookup by id, broadcast order, removal,
// deletion by id and the deletion of the whole tree with the model.
class TestKController : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_log.clear(); }
    void attachRunsInitializeBeforeAppending();
    void attachingNullOrTwiceChangesNothing();
    void findController_data();
    void findController();
    void lookupGoesThroughTheModel();
    void notifyReachesChildrenInListOrder();
    void notifySkipsAControllerDeletedMeanwhile();
    void removeTakesOnlyDirectChildrenAndKeepsThem();
    void deleteControllerById_data();
    void deleteControllerById();
    void deletedControllerLeavesItsComposite();
    void setModelReachesEveryController();
    void destroyingTheModelDeletesEachControllerOnce();

private:
    QStringList m_log;
    RecordingController *make(const QString &label, int id, MModel *pModel = nullptr)
    {
        return new RecordingController(label, id, &m_log, pModel);
    }
    static QStringList labels(const KComposite &composite);
};

QStringList TestKController::labels(const KComposite &composite)
{
    QStringList result;
    for (int i = 0; i < composite.childCount(); ++i) {
        auto *pChild = qobject_cast<RecordingController *>(composite.childAt(i));
        result << (pChild ? pChild->label() : QStringLiteral("?"));
    }
    return result;
}

void TestKController::attachRunsInitializeBeforeAppending()
{
    // The start-up shape: the tab controller attaches the tree and properties
    // controllers while it initialises, so they end up before it.
    MModel model;
    RecordingController *pTab = make("tab", ControllerId::Tabs, &model);
    bool bParentSetBeforeInit = false;
    bool bListedDuringInit = true;
    pTab->onInitialize = [&](RecordingController *pSelf) {
        bParentSetBeforeInit = pSelf->parentComposite() != nullptr;
        bListedDuringInit = model.findController(ControllerId::Tabs) != nullptr;
        model.addController(make("tree", ControllerId::ProjectTree, &model));
        model.addController(make("properties", ControllerId::Properties, &model));
    };
    model.addController(make("canvas", ControllerId::Canvas, &model));
    model.addController(pTab);
    model.addController(make("main", ControllerId::Main, &model));

    QVERIFY(bParentSetBeforeInit);
    QVERIFY(!bListedDuringInit);
    KComposite *pRoot = pTab->parentComposite();
    QVERIFY(pRoot);
    QCOMPARE(labels(*pRoot), QStringList({"canvas", "tree", "properties", "tab", "main"}));

    m_log.clear();
    model.notifyControllers(NotifyEventId::Initialised);
    QCOMPARE(m_log, QStringList({"notify canvas 0x2800", "notify tree 0x2800",
                                 "notify properties 0x2800", "notify tab 0x2800",
                                 "notify main 0x2800"}));
}

void TestKController::attachingNullOrTwiceChangesNothing()
{
    KComposite root;
    RecordingController *pChild = make("child", ControllerId::Canvas);
    root.addController(nullptr);
    root.addController(&root);
    QCOMPARE(root.childCount(), 0);

    root.addController(pChild);
    root.addController(pChild);
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(m_log.count("init child"), 1);

    // Moving it under another composite takes it out of the first.
    KComposite *pOther = new KComposite;
    root.addController(pOther);
    pOther->addController(pChild);
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(pOther->childCount(), 1);
    QCOMPARE(pChild->parentComposite(), pOther);
}

void TestKController::findController_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected"); // label, "root", or empty for none

    QTest::newRow("direct child") << ControllerId::Canvas << "canvas";
    QTest::newRow("inside a nested composite") << ControllerId::Properties << "properties";
    QTest::newRow("first of two with one id, depth first") << ControllerId::Main << "main-nested";
    QTest::newRow("composite id is the root itself") << ControllerId::Base << "root";
    QTest::newRow("unused 0x1001") << 0x1001 << "";
    QTest::newRow("unknown") << 0x4242 << "";
}

void TestKController::findController()
{
    QFETCH(int, id);
    QFETCH(QString, expected);

    KComposite root;
    auto *pNested = new KComposite;
    root.addController(make("canvas", ControllerId::Canvas));
    pNested->addController(make("properties", ControllerId::Properties));
    pNested->addController(make("main-nested", ControllerId::Main));
    root.addController(pNested);
    root.addController(make("main", ControllerId::Main));

    KController *pFound = root.findController(id);
    if (expected.isEmpty())
        QCOMPARE(pFound, nullptr);
    else if (expected == "root")
        QCOMPARE(pFound, &root);
    else {
        auto *pRecording = qobject_cast<RecordingController *>(pFound);
        QVERIFY(pRecording);
        QCOMPARE(pRecording->label(), expected);
    }
}

void TestKController::lookupGoesThroughTheModel()
{
    MModel model;
    RecordingController *pCanvas = make("canvas", ControllerId::Canvas, &model);
    RecordingController *pTab = make("tab", ControllerId::Tabs, &model);
    model.addController(pCanvas);
    model.addController(pTab);
    QCOMPARE(pTab->lookupController(ControllerId::Canvas), pCanvas);
    QCOMPARE(pTab->lookupController(ControllerId::Main), nullptr);

    RecordingController orphan("orphan", ControllerId::Main, &m_log);
    QCOMPARE(orphan.lookupController(ControllerId::Canvas), nullptr);

    model.removeController(pCanvas);
    QCOMPARE(pTab->lookupController(ControllerId::Canvas), nullptr);
    delete pCanvas;
}

void TestKController::notifyReachesChildrenInListOrder()
{
    KComposite root;
    auto *pNested = new KComposite;
    root.addController(make("a", ControllerId::Canvas));
    pNested->addController(make("b1", ControllerId::ProjectTree));
    pNested->addController(make("b2", ControllerId::Properties));
    root.addController(pNested);
    root.addController(make("c", ControllerId::Main));
    m_log.clear();

    root.notify(NotifyEventId::GeometryEdited);
    QCOMPARE(m_log, QStringList({"notify a 0x2802", "notify b1 0x2802", "notify b2 0x2802",
                                 "notify c 0x2802"}));
}

void TestKController::notifySkipsAControllerDeletedMeanwhile()
{
    KComposite root;
    RecordingController *pFirst = make("first", ControllerId::Canvas);
    RecordingController *pSecond = make("second", ControllerId::ProjectTree);
    root.addController(pFirst);
    root.addController(pSecond);
    root.addController(make("third", ControllerId::Main));
    pFirst->onNotify = [&](RecordingController *, int) { delete pSecond; };
    m_log.clear();

    root.notify(NotifyEventId::PanelsChanged);
    QCOMPARE(m_log, QStringList({"notify first 0x2801", "delete second", "notify third 0x2801"}));
    QCOMPARE(labels(root), QStringList({"first", "third"}));
}

void TestKController::removeTakesOnlyDirectChildrenAndKeepsThem()
{
    KComposite root;
    auto *pNested = new KComposite;
    RecordingController *pChild = make("child", ControllerId::Canvas);
    RecordingController *pGrandchild = make("grandchild", ControllerId::Tabs);
    root.addController(pChild);
    pNested->addController(pGrandchild);
    root.addController(pNested);

    QVERIFY(!root.removeController(pGrandchild));
    QVERIFY(!root.removeController(nullptr));
    QCOMPARE(pNested->childCount(), 1);

    QVERIFY(root.removeController(pChild));
    QVERIFY(!root.removeController(pChild));
    QVERIFY(!m_log.contains("delete child"));
    QCOMPARE(pChild->parentComposite(), nullptr);
    QCOMPARE(root.findController(ControllerId::Canvas), nullptr);

    // Deleting it later does not reach back into the tree.
    delete pChild;
    QCOMPARE(root.childCount(), 1);
}

void TestKController::deleteControllerById_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QStringList>("rootAfter");
    QTest::addColumn<QStringList>("nestedAfter");

    QTest::newRow("direct child") << int(ControllerId::Canvas) << true
                                  << QStringList({"?", "main"}) << QStringList({"tree"});
    QTest::newRow("inside a nested composite keeps the composite")
        << int(ControllerId::ProjectTree) << true << QStringList({"canvas", "?", "main"})
        << QStringList();
    QTest::newRow("unknown id") << 0x4242 << false << QStringList({"canvas", "?", "main"})
                                << QStringList({"tree"});
}

void TestKController::deleteControllerById()
{
    QFETCH(int, id);
    QFETCH(bool, deleted);
    QFETCH(QStringList, rootAfter);
    QFETCH(QStringList, nestedAfter);

    KComposite root;
    auto *pNested = new KComposite;
    QPointer<KComposite> pNestedGuard(pNested);
    root.addController(make("canvas", ControllerId::Canvas));
    pNested->addController(make("tree", ControllerId::ProjectTree));
    root.addController(pNested);
    root.addController(make("main", ControllerId::Main));
    m_log.clear();

    QCOMPARE(root.deleteController(id), deleted);
    QCOMPARE(m_log.size(), deleted ? 1 : 0);
    QVERIFY(pNestedGuard);
    QCOMPARE(labels(root), rootAfter);
    QCOMPARE(labels(*pNested), nestedAfter);
    QCOMPARE(root.findController(id), nullptr);
}

void TestKController::deletedControllerLeavesItsComposite()
{
    KComposite root;
    RecordingController *pChild = make("child", ControllerId::Canvas);
    root.addController(pChild);
    root.addController(make("other", ControllerId::Main));
    delete pChild;
    QCOMPARE(labels(root), QStringList({"other"}));
    m_log.clear();
    root.notify(NotifyEventId::SelectionChanged);
    QCOMPARE(m_log, QStringList({"notify other 0x2000"}));
}

void TestKController::setModelReachesEveryController()
{
    MModel model;
    KComposite root;
    auto *pNested = new KComposite;
    RecordingController *pChild = make("child", ControllerId::Canvas);
    RecordingController *pGrandchild = make("grandchild", ControllerId::Tabs);
    root.addController(pChild);
    pNested->addController(pGrandchild);
    root.addController(pNested);

    root.setModel(&model);
    QCOMPARE(root.model(), &model);
    QCOMPARE(pChild->model(), &model);
    QCOMPARE(pNested->model(), &model);
    QCOMPARE(pGrandchild->model(), &model);
}

void TestKController::destroyingTheModelDeletesEachControllerOnce()
{
    auto pModel = std::make_unique<MModel>();
    auto *pNested = new KComposite(nullptr, pModel.get());
    pModel->addController(make("canvas", ControllerId::Canvas, pModel.get()));
    pNested->addController(make("tree", ControllerId::ProjectTree, pModel.get()));
    pNested->addController(make("properties", ControllerId::Properties, pModel.get()));
    pModel->addController(pNested);
    pModel->addController(make("main", ControllerId::Main, pModel.get()));
    m_log.clear();

    pModel.reset();
    QCOMPARE(m_log, QStringList({"delete canvas", "delete tree", "delete properties",
                                 "delete main"}));
}

VVB_TEST_MAIN(TestKController)
#include "tst_kcontroller.moc"
