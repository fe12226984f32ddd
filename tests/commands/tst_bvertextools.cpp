#include "../widgets/PolygonCanvas.h"

#include "commands/BCommand.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ControllerId.h"
#include "support/RecordingController.h"
#include "support/TestMain.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WPolygon.h"

#include <QtTest>

namespace {

using Vertices = QList<QPointF>;

const QString Square = QStringLiteral("0,0 100,0 100,100 0,100");

BCommandProcessor *commands()
{
    return BCommandProcessor::instance();
}

// One mouse step of a gesture: point, handle, phase.
struct Step
{
    QPointF point;
    int handle;
    int phase;
};

} // namespace

Q_DECLARE_METATYPE(Step)

// The reshape, insert-vertex and delete-vertex tools as the select tool runs
// them, with the processor's undo and redo.
class TestBVertexTools : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void toolUndoRedo_data();
    void toolUndoRedo();
    void toolActsOnTargetOnly_data();
    void toolActsOnTargetOnly();
    void noTargetFilesNothing();

private:
    void run(int id, const QList<Step> &steps);
    std::unique_ptr<PolygonCanvas> m_pCanvas;
    // Outlives the canvas, whose controllers write to it until they go.
    QStringList m_log;
};

void TestBVertexTools::init()
{
    m_log.clear();
    m_pCanvas = std::make_unique<PolygonCanvas>();
}

void TestBVertexTools::cleanup()
{
    m_pCanvas.reset();
}

void TestBVertexTools::run(int id, const QList<Step> &steps)
{
    BToolSelectCommand *pTool = m_pCanvas->model()->selectTool();
    for (const Step &step : steps)
        pTool->mouseEvent(step.point, step.handle, id, step.phase);
}

void TestBVertexTools::toolUndoRedo_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<Vertices>("vertices");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<bool>("filed");
    const QList<Step> reshapeInside = {{{100, 0}, 1, 1}, {{62, 33}, 1, 2}, {{62, 33}, 1, 3}};
    // The release comes at once: the move still waiting counts.
    QTest::newRow("reshape inside") << BCommandId::ToolReshape << reshapeInside
                                    << Vertices{{0, 0}, {60, 30}, {100, 100}, {0, 100}} << QPointF(200, 200) << true;
    const QList<Step> reshapeUpLeft = {{{0, 0}, 0, 1}, {{-20, -10}, 0, 2}, {{-20, -10}, 0, 3}};
    QTest::newRow("reshape beyond the origin") << BCommandId::ToolReshape << reshapeUpLeft
                                               << Vertices{{0, 0}, {120, 10}, {120, 110}, {20, 110}}
                                               << QPointF(180, 190) << true;
    const QList<Step> reshapeOut = {{{100, 100}, 2, 1}, {{150, 140}, 2, 2}, {{150, 140}, 2, 3}};
    QTest::newRow("reshape beyond the far corner") << BCommandId::ToolReshape << reshapeOut
                                                   << Vertices{{0, 0}, {100, 0}, {150, 140}, {0, 100}}
                                                   << QPointF(200, 200) << true;
    const QList<Step> reshapeNowhere = {{{100, 0}, 1, 1}, {{100, 0}, 1, 3}};
    QTest::newRow("reshape without a move") << BCommandId::ToolReshape << reshapeNowhere
                                            << Vertices{{0, 0}, {100, 0}, {100, 100}, {0, 100}} << QPointF(200, 200)
                                            << false;
    QTest::newRow("insert") << BCommandId::ToolInsertVertex << QList<Step>{{{100, 40}, 2, 3}}
                            << Vertices{{0, 0}, {100, 0}, {100, 40}, {100, 100}, {0, 100}} << QPointF(200, 200) << true;
    QTest::newRow("insert appending") << BCommandId::ToolInsertVertex << QList<Step>{{{0, 50}, 4, 3}}
                                      << Vertices{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 50}} << QPointF(200, 200)
                                      << true;
    QTest::newRow("insert beyond the list") << BCommandId::ToolInsertVertex << QList<Step>{{{0, 50}, 5, 3}}
                                            << Vertices{{0, 0}, {100, 0}, {100, 100}, {0, 100}} << QPointF(200, 200)
                                            << false;
    QTest::newRow("delete") << BCommandId::ToolDeleteVertex << QList<Step>{{{}, 1, 3}}
                            << Vertices{{0, 0}, {100, 100}, {0, 100}} << QPointF(200, 200) << true;
    // The item shrinks to what is left and moves with it.
    QTest::newRow("delete the corner at the origin") << BCommandId::ToolDeleteVertex << QList<Step>{{{}, 0, 3}}
                                                     << Vertices{{100, 0}, {100, 100}, {0, 100}} << QPointF(200, 200)
                                                     << true;
    QTest::newRow("delete beyond the list") << BCommandId::ToolDeleteVertex << QList<Step>{{{}, 4, 3}}
                                            << Vertices{{0, 0}, {100, 0}, {100, 100}, {0, 100}} << QPointF(200, 200)
                                            << false;
}

void TestBVertexTools::toolUndoRedo()
{
    QFETCH(int, id);
    QFETCH(QList<Step>, steps);
    QFETCH(Vertices, vertices);
    QFETCH(QPointF, position);
    QFETCH(bool, filed);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(QStringLiteral("region"), QStringLiteral("A"), QPointF(200, 200), Square);
    QVERIFY(pPolygon);
    const WPolygon::Outline before = pPolygon->outline();
    c.model()->selectTool()->setTarget(pPolygon->control());
    c.model()->setModified(false);
    c.model()->addController(new RecordingController(QStringLiteral("properties"), ControllerId::Properties, &m_log,
                                                     c.model()));

    run(id, steps);

    QCOMPARE(pPolygon->vertices(), vertices);
    QCOMPARE(pPolygon->outline().position, position);
    QCOMPARE(commands()->undoCount(), filed ? 1 : 0);
    QVERIFY(!c.model()->selectTool()->currentTool());
    if (!filed)
        return;
    QCOMPARE(commands()->undoCommandAt(0)->id(), id);
    QVERIFY(c.model()->isModified());
    // The properties pane re-reads the geometry.
    QCOMPARE(m_log.count(QStringLiteral("notify properties 0x2802")), 1);
    const WPolygon::Outline after = pPolygon->outline();
    for (int round = 0; round < 2; ++round) {
        commands()->undo();
        QCOMPARE(pPolygon->outline(), before);
        QCOMPARE(WPolygon::parseVertexJson(pPolygon->widgetProperty("polygon").toString()), before.vertices);
        commands()->redo();
        QCOMPARE(pPolygon->outline(), after);
        QCOMPARE(WPolygon::parseVertexJson(pPolygon->widgetProperty("polygon").toString()), after.vertices);
    }
}

void TestBVertexTools::toolActsOnTargetOnly_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QList<Step>>("steps");
    QTest::newRow("reshape") << BCommandId::ToolReshape
                             << QList<Step>{{{100, 0}, 1, 1}, {{60, 30}, 1, 2}, {{60, 30}, 1, 3}};
    QTest::newRow("insert") << BCommandId::ToolInsertVertex << QList<Step>{{{100, 40}, 2, 3}};
    QTest::newRow("delete") << BCommandId::ToolDeleteVertex << QList<Step>{{{}, 1, 3}};
}

// Another control selected first (a region or a room selector) is left alone.
void TestBVertexTools::toolActsOnTargetOnly()
{
    QFETCH(int, id);
    QFETCH(QList<Step>, steps);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pSelected = c.addPolygon(QStringLiteral("region"), QStringLiteral("A"), QPointF(0, 0), Square);
    WPolygon *pTarget = c.addPolygon(QStringLiteral("roomselector"), QStringLiteral("B"), QPointF(300, 0), Square);
    QVERIFY(pSelected && pTarget);
    BToolSelectCommand *pTool = c.model()->selectTool();
    pTool->select(pSelected->control());
    pTool->run(0);
    const WPolygon::Outline selectedBefore = pSelected->outline();
    const WPolygon::Outline targetBefore = pTarget->outline();
    pTool->setTarget(pTarget->control());

    run(id, steps);

    QCOMPARE(pSelected->outline(), selectedBefore);
    QVERIFY(pTarget->outline() != targetBefore);
    commands()->undo();
    QCOMPARE(pTarget->outline(), targetBefore);
    QCOMPARE(pSelected->outline(), selectedBefore);
}

void TestBVertexTools::noTargetFilesNothing()
{
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(QStringLiteral("region"), QStringLiteral("A"), QPointF(0, 0), Square);
    QVERIFY(pPolygon);
    BToolSelectCommand *pTool = c.model()->selectTool();
    pTool->select(pPolygon->control());
    pTool->setTarget(nullptr);
    for (int id : {BCommandId::ToolReshape, BCommandId::ToolInsertVertex, BCommandId::ToolDeleteVertex}) {
        run(id, {{{100, 0}, 1, 1}, {{50, 50}, 1, 2}, {{50, 50}, 1, 3}});
        QVERIFY(!pTool->currentTool());
    }
    QCOMPARE(commands()->undoCount(), 0);
    QCOMPARE(pPolygon->vertices().size(), 4);
}

VVB_TEST_MAIN(TestBVertexTools)
#include "tst_bvertextools.moc"
