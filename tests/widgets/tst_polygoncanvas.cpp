#include "PolygonCanvas.h"

#include "commands/BCommand.h"
#include "commands/BCommandProcessor.h"
#include "commands/BCommandId.h"
#include "commands/BToolSelectCommand.h"
#include "dialogs/DMessageBox.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WPolygon.h"

#include <QQuickItem>
#include <QtTest>

#include <utility>

#include "support/TestMain.h"

namespace {

using Vertices = QList<QPointF>;

const QString Square = QStringLiteral("0,0 100,0 100,100 0,100");
// The lower right quarter is cut out.
const QString LShape = QStringLiteral("0,0 100,0 100,50 50,50 50,100 0,100");

BCommandProcessor *commands()
{
    return BCommandProcessor::instance();
}

} // namespace

// Both polygon kinds on a shown canvas, driven by mouse events on the window.
class TestPolygonCanvas : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editPressGrabsDrawnVertex_data();
    void editPressGrabsDrawnVertex();
    void vertexPressReshapesHoweverThePointerCame_data();
    void vertexPressReshapesHoweverThePointerCame();
    void editPressAtEdge_data();
    void editPressAtEdge();
    void editPressReachesWhatLiesBelow_data();
    void editPressReachesWhatLiesBelow();
    void controlClickInsertsOnEdge_data();
    void controlClickInsertsOnEdge();
    void handleDragIsUndoable_data();
    void handleDragIsUndoable();
    void controlShiftOnHandleDeletesVertex_data();
    void controlShiftOnHandleDeletesVertex();
    void controlShiftOnVertexDeletesIt_data();
    void controlShiftOnVertexDeletesIt();
    void triangleKeepsItsVertices_data();
    void triangleKeepsItsVertices();
    void oneClickEditIgnoresTheRestOfTheGesture_data();
    void oneClickEditIgnoresTheRestOfTheGesture();
    void runPressOutsideReachesBelow_data();
    void runPressOutsideReachesBelow();
    void regionPressJumps_data();
    void regionPressJumps();

private:
    void kinds();
    std::unique_ptr<PolygonCanvas> m_pCanvas;
};

void TestPolygonCanvas::init()
{
    // A run-mode press on a region without a target reports it in a box,
    // queued: answer it, or it would wait for a user in a later test.
    DMessageBox::setResponder([](const QString &, const QString &) { return 0; });
    m_pCanvas = std::make_unique<PolygonCanvas>();
    QVERIFY(m_pCanvas->window().isReady());
}

void TestPolygonCanvas::cleanup()
{
    m_pCanvas.reset();
    DMessageBox::setResponder({});
}

void TestPolygonCanvas::kinds()
{
    QTest::addColumn<QString>("type");
}

// ---------------------------------------------------------------- edit mode

void TestPolygonCanvas::editPressGrabsDrawnVertex_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<bool>("grabs");
    QTest::addColumn<QPointF>("moved");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s on the vertex", type) << type << QPointF(100, 0) << true << QPointF(120, 10);
        QTest::addRow("%s 2 px off", type) << type << QPointF(102, 2) << true << QPointF(120, 10);
        QTest::addRow("%s 15 px away", type) << type << QPointF(115, -15) << false << QPointF();
    }
}

// The vertex is grabbed where it is drawn; a drag moves it to the grid
// point under the pointer.
void TestPolygonCanvas::editPressGrabsDrawnVertex()
{
    QFETCH(QString, type);
    QFETCH(QPointF, pressAt);
    QFETCH(bool, grabs);
    QFETCH(QPointF, moved);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), Square);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    const WPolygon::Outline before = pPolygon->outline();
    c.model()->setModified(false);

    const QPoint from = PolygonCanvas::at(pPolygon, pressAt);
    c.window().drag(from, from + QPoint(21, 12));

    if (!grabs) {
        QCOMPARE(pPolygon->outline(), before);
        QCOMPARE(commands()->undoCount(), 0);
        QCOMPARE(pPolygon->control()->mode(), CControl::ModeNormal);
        QCOMPARE(c.missedPresses(), 1);
        return;
    }
    QCOMPARE(c.missedPresses(), 0);
    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), BCommandId::ToolReshape);
    QVERIFY(c.model()->isModified());
    const Vertices after({{0, 0}, moved, {100, 100}, {0, 100}});
    QCOMPARE(pPolygon->vertices(), after);
    QCOMPARE(pPolygon->outline().position, QPointF(200, 200));

    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    commands()->redo();
    QCOMPARE(pPolygon->vertices(), after);
}

void TestPolygonCanvas::vertexPressReshapesHoweverThePointerCame_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");          // of the L shape's vertex pressed
    QTest::addColumn<bool>("selectedFirst"); // its vertex handles are shown
    QTest::addColumn<bool>("rests");         // the pointer rests on the vertex before the press
    for (const char *type : {"region", "roomselector"}) {
        for (const auto &vertex : {std::make_pair("outer corner", 1), std::make_pair("inner corner", 3)}) {
            QTest::addRow("%s %s, pressed as the pointer arrives", type, vertex.first)
                << type << vertex.second << false << false;
            QTest::addRow("%s %s, pressed after resting", type, vertex.first) << type << vertex.second << false << true;
            QTest::addRow("%s %s selected, pressed as the pointer arrives", type, vertex.first)
                << type << vertex.second << true << false;
            QTest::addRow("%s %s selected, pressed after resting", type, vertex.first)
                << type << vertex.second << true << true;
        }
    }
}

// Switching edit mode on gives every control on the canvas what edit mode
// gives it; a press on a vertex still moves that vertex alone, never the
// whole shape, and one undo puts the outline back.
void TestPolygonCanvas::vertexPressReshapesHoweverThePointerCame()
{
    QFETCH(QString, type);
    QFETCH(int, index);
    QFETCH(bool, selectedFirst);
    QFETCH(bool, rests);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    if (selectedFirst) {
        c.window().click(PolygonCanvas::at(pPolygon, QPointF(20, 20)));
        QVERIFY(pPolygon->handlesShown());
    }
    c.window().move(PolygonCanvas::at(pPolygon, QPointF(25, 40)));
    commands()->clear();
    const WPolygon::Outline before = pPolygon->outline();

    const QPointF vertex = pPolygon->vertexAt(index);
    const QPoint at = PolygonCanvas::at(pPolygon, vertex);
    if (rests) {
        c.window().move(at);
        QTest::qWait(20);
    }
    c.window().drag(at, at + QPoint(20, 10));

    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), BCommandId::ToolReshape);
    Vertices after = before.vertices;
    after[index] = vertex + QPointF(20, 10);
    QCOMPARE(pPolygon->vertices(), after);
    QCOMPARE(pPolygon->outline().position, QPointF(200, 200));
    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    commands()->redo();
    QCOMPARE(pPolygon->vertices(), after);
}

void TestPolygonCanvas::editPressAtEdge_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<bool>("taken");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s just inside the top edge", type) << type << QPointF(30, 2) << true;
        QTest::addRow("%s just above the top edge", type) << type << QPointF(30, -2) << false;
        QTest::addRow("%s just inside the left edge", type) << type << QPointF(2, 70) << true;
        QTest::addRow("%s just left of the left edge", type) << type << QPointF(-2, 70) << false;
        QTest::addRow("%s in the cut-out corner", type) << type << QPointF(75, 75) << false;
        QTest::addRow("%s just inside the inner edge", type) << type << QPointF(48, 75) << true;
    }
}

// Inside the drawn outline a press selects and drags the control; just
// outside it the press is left to what lies below.
void TestPolygonCanvas::editPressAtEdge()
{
    QFETCH(QString, type);
    QFETCH(QPointF, pressAt);
    QFETCH(bool, taken);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    const Vertices vertices = pPolygon->vertices();

    const QPoint from = PolygonCanvas::at(pPolygon, pressAt);
    c.window().drag(from, from + QPoint(30, 20));

    QCOMPARE(c.missedPresses(), taken ? 0 : 1);
    QCOMPARE(pPolygon->control()->mode(), taken ? CControl::ModeSelected : CControl::ModeNormal);
    QCOMPARE(pPolygon->outline().position, taken ? QPointF(230, 220) : QPointF(200, 200));
    QCOMPARE(pPolygon->vertices(), vertices);
    QCOMPARE(commands()->undoCount(), taken ? 1 : 0);
}

void TestPolygonCanvas::editPressReachesWhatLiesBelow_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<bool>("reachesPolygon");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s inside", type) << type << QPointF(20, 20) << true;
        QTest::addRow("%s inside the lower arm", type) << type << QPointF(25, 90) << true;
        QTest::addRow("%s in the cut-out corner", type) << type << QPointF(75, 75) << false;
        QTest::addRow("%s in the cut-out, near the far corner", type) << type << QPointF(95, 95) << false;
    }
}

// A frame lies under an L-shaped polygon. With edit mode switched on, a
// press inside the outline selects the polygon; one in its cut-out corner
// selects the frame, as what is drawn there.
void TestPolygonCanvas::editPressReachesWhatLiesBelow()
{
    QFETCH(QString, type);
    QFETCH(QPointF, pressAt);
    QFETCH(bool, reachesPolygon);
    PolygonCanvas &c = *m_pCanvas;
    CControl *pFrame = c.addFrame(QStringLiteral("Below"), QRectF(180, 180, 140, 140));
    QVERIFY(pFrame);
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);

    c.window().click(PolygonCanvas::at(pPolygon, pressAt));

    CControl *pExpected = reachesPolygon ? pPolygon->control() : pFrame;
    QCOMPARE(c.model()->selectTool()->selection(), QList<CControl *>({pExpected}));
    QCOMPARE(pPolygon->handlesShown(), reachesPolygon);
    QCOMPARE(pPolygon->outline().position, QPointF(200, 200));
    QCOMPARE(c.missedPresses(), 0);
}

void TestPolygonCanvas::controlClickInsertsOnEdge_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("clickAt");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPointF>("inserted");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s on the right edge", type) << type << QPointF(100, 40) << 2 << QPointF(100, 40);
        QTest::addRow("%s just inside the bottom edge", type) << type << QPointF(60, 99) << 3 << QPointF(60, 100);
        QTest::addRow("%s beyond every edge's span", type) << type << QPointF(-2, -2) << -1 << QPointF();
    }
}

void TestPolygonCanvas::controlClickInsertsOnEdge()
{
    QFETCH(QString, type);
    QFETCH(QPointF, clickAt);
    QFETCH(int, index);
    QFETCH(QPointF, inserted);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), Square);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    const WPolygon::Outline before = pPolygon->outline();
    if (index < 0)
        QTest::ignoreMessage(QtDebugMsg, "No valid insert point found for clicked coordinates.");

    c.window().click(PolygonCanvas::at(pPolygon, clickAt), Qt::ControlModifier);

    if (index < 0) {
        QCOMPARE(pPolygon->outline(), before);
        QCOMPARE(commands()->undoCount(), 0);
        return;
    }
    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), BCommandId::ToolInsertVertex);
    Vertices expected = before.vertices;
    expected.insert(index, inserted);
    QCOMPARE(pPolygon->vertices(), expected);
    // The drawing follows: a handle for every vertex.
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->property("vertices").toList().size(), 5);
    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->property("vertices").toList().size(), 4);
    commands()->redo();
    QCOMPARE(pPolygon->vertices(), expected);
}

// ---------------------------------------------------------------- handles

void TestPolygonCanvas::handleDragIsUndoable_data()
{
    kinds();
    QTest::newRow("region") << "region";
    QTest::newRow("roomselector") << "roomselector";
}

// A handle dragged in QML is an undoable edit that marks the project modified.
void TestPolygonCanvas::handleDragIsUndoable()
{
    QFETCH(QString, type);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), Square);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    const WPolygon::Outline before = pPolygon->outline();
    c.window().click(PolygonCanvas::at(pPolygon, QPointF(50, 50)));
    QVERIFY(pPolygon->handlesShown());
    commands()->clear();
    c.model()->setModified(false);

    // The top-left vertex goes left and up: the item moves, the vertices start at (0, 0) again.
    const QPoint from = PolygonCanvas::at(pPolygon, QPointF(0, 0));
    c.window().move(from);
    c.window().drag(from, from + QPoint(-20, -10));

    QCOMPARE(commands()->undoCount(), 1);
    QVERIFY(c.model()->isModified());
    QCOMPARE(pPolygon->vertices(), Vertices({{0, 0}, {120, 10}, {120, 110}, {20, 110}}));
    QCOMPARE(pPolygon->outline().position, QPointF(180, 190));
    QVERIFY(qAbs(PolygonCanvas::itemOf(pPolygon)->width() - 120.0) < 0.001);

    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->x(), 200.0);
    commands()->redo();
    QCOMPARE(pPolygon->outline().position, QPointF(180, 190));
    QCOMPARE(pPolygon->vertices(), Vertices({{0, 0}, {120, 10}, {120, 110}, {20, 110}}));
}

void TestPolygonCanvas::controlShiftOnHandleDeletesVertex_data()
{
    kinds();
    QTest::newRow("region") << "region";
    QTest::newRow("roomselector") << "roomselector";
}

void TestPolygonCanvas::controlShiftOnHandleDeletesVertex()
{
    QFETCH(QString, type);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    const WPolygon::Outline before = pPolygon->outline();
    c.window().click(PolygonCanvas::at(pPolygon, QPointF(20, 20)));
    commands()->clear();
    c.model()->setModified(false);

    const QPoint corner = PolygonCanvas::at(pPolygon, QPointF(50, 50));
    c.window().move(corner);
    c.window().click(corner, Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), BCommandId::ToolDeleteVertex);
    QVERIFY(c.model()->isModified());
    QCOMPARE(pPolygon->vertices(), Vertices({{0, 0}, {100, 0}, {100, 50}, {50, 100}, {0, 100}}));
    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    commands()->redo();
    QCOMPARE(pPolygon->vertices().size(), 5);
}

void TestPolygonCanvas::controlShiftOnVertexDeletesIt_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");          // of the L shape's vertex pressed
    QTest::addColumn<bool>("selectedFirst"); // its vertex handles are shown
    for (const char *type : {"region", "roomselector"}) {
        for (const auto &vertex : {std::make_pair("first vertex", 0), std::make_pair("outer corner", 1),
                                   std::make_pair("inner corner", 3), std::make_pair("last vertex", 5)}) {
            QTest::addRow("%s %s", type, vertex.first) << type << vertex.second << false;
            QTest::addRow("%s %s, selected", type, vertex.first) << type << vertex.second << true;
        }
    }
}

// Control+Shift on a drawn vertex deletes that vertex alone, whether its
// handle is shown or not, and one undo puts it back where it was.
void TestPolygonCanvas::controlShiftOnVertexDeletesIt()
{
    QFETCH(QString, type);
    QFETCH(int, index);
    QFETCH(bool, selectedFirst);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    if (selectedFirst) {
        c.window().click(PolygonCanvas::at(pPolygon, QPointF(20, 20)));
        QVERIFY(pPolygon->handlesShown());
    }
    commands()->clear();
    c.model()->setModified(false);
    const WPolygon::Outline before = pPolygon->outline();

    c.window().click(PolygonCanvas::at(pPolygon, pPolygon->vertexAt(index)), Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), BCommandId::ToolDeleteVertex);
    QVERIFY(c.model()->isModified());
    const WPolygon::Outline after = pPolygon->fittedOutline([&] {
        Vertices vertices = before.vertices;
        vertices.removeAt(index);
        return vertices;
    }());
    QCOMPARE(pPolygon->outline().vertices, after.vertices);
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->property("vertices").toList().size(), 5);
    commands()->undo();
    QCOMPARE(pPolygon->outline(), before);
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->property("vertices").toList().size(), 6);
    commands()->redo();
    QCOMPARE(pPolygon->outline().vertices, after.vertices);
}

void TestPolygonCanvas::triangleKeepsItsVertices_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("selectedFirst"); // its vertex handles are shown
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s first vertex", type) << type << 0 << false;
        QTest::addRow("%s last vertex", type) << type << 2 << false;
        QTest::addRow("%s last vertex, selected", type) << type << 2 << true;
    }
}

// A polygon needs three vertices to be drawn and picked: deleting one of a
// triangle's does nothing and files nothing.
void TestPolygonCanvas::triangleKeepsItsVertices()
{
    QFETCH(QString, type);
    QFETCH(int, index);
    QFETCH(bool, selectedFirst);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200),
                                      QStringLiteral("0,0 100,0 0,100"));
    QVERIFY(pPolygon);
    c.setEditMode(true);
    if (selectedFirst) {
        c.window().click(PolygonCanvas::at(pPolygon, QPointF(20, 20)));
        QVERIFY(pPolygon->handlesShown());
    }
    commands()->clear();
    const WPolygon::Outline before = pPolygon->outline();

    c.window().click(PolygonCanvas::at(pPolygon, pPolygon->vertexAt(index)), Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(pPolygon->outline(), before);
    QCOMPARE(PolygonCanvas::itemOf(pPolygon)->property("vertices").toList().size(), 3);
    QCOMPARE(commands()->undoCount(), 0);
}

void TestPolygonCanvas::oneClickEditIgnoresTheRestOfTheGesture_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("vertexCount");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s insert on an edge", type)
            << type << QPointF(100, 25) << int(Qt::ControlModifier) << BCommandId::ToolInsertVertex << 7;
        QTest::addRow("%s delete a vertex", type) << type << QPointF(50, 50)
                                                  << int(Qt::ControlModifier | Qt::ShiftModifier)
                                                  << BCommandId::ToolDeleteVertex << 5;
    }
}

// The press of a Control or Control+Shift click does the edit; the pointer
// moving on before the release, its keys let go, moves nothing.
void TestPolygonCanvas::oneClickEditIgnoresTheRestOfTheGesture()
{
    QFETCH(QString, type);
    QFETCH(QPointF, pressAt);
    QFETCH(int, modifiers);
    QFETCH(int, command);
    QFETCH(int, vertexCount);
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.setEditMode(true);
    commands()->clear();

    const QPoint from = PolygonCanvas::at(pPolygon, pressAt);
    c.window().press(from, Qt::KeyboardModifiers(modifiers));
    for (int step = 1; step <= 4; ++step)
        c.window().move(from + QPoint(30, 20) * step / 4);
    c.window().release(from + QPoint(30, 20));

    QCOMPARE(commands()->undoCount(), 1);
    QCOMPARE(commands()->undoCommandAt(0)->id(), command);
    QCOMPARE(pPolygon->vertices().size(), vertexCount);
    QCOMPARE(pPolygon->outline().position, QPointF(200, 200));
}

// ---------------------------------------------------------------- run mode

void TestPolygonCanvas::runPressOutsideReachesBelow_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<bool>("taken");
    for (const char *type : {"region", "roomselector"}) {
        QTest::addRow("%s inside", type) << type << QPointF(20, 20) << true;
        QTest::addRow("%s on the left edge", type) << type << QPointF(0, 70) << true;
        QTest::addRow("%s in the cut-out corner", type) << type << QPointF(75, 75) << false;
        QTest::addRow("%s in the touch margin", type) << type << QPointF(-2, 20) << false;
    }
}

void TestPolygonCanvas::runPressOutsideReachesBelow()
{
    QFETCH(QString, type);
    QFETCH(QPointF, pressAt);
    QFETCH(bool, taken);
    PolygonCanvas &c = *m_pCanvas;
    c.setEditMode(false);
    WPolygon *pPolygon = c.addPolygon(type, QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pPolygon);
    c.window().click(PolygonCanvas::at(pPolygon, pressAt));
    QCOMPARE(c.missedPresses(), taken ? 0 : 1);
}

void TestPolygonCanvas::regionPressJumps_data()
{
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<bool>("jumps");
    QTest::newRow("inside") << QPointF(20, 80) << true;
    QTest::newRow("on the inner vertical edge") << QPointF(50, 80) << true;
    QTest::newRow("in the cut-out corner") << QPointF(80, 80) << false;
}

void TestPolygonCanvas::regionPressJumps()
{
    QFETCH(QPointF, pressAt);
    QFETCH(bool, jumps);
    PolygonCanvas &c = *m_pCanvas;
    c.setEditMode(false);
    CComposite *pOther = c.online().addPanel(QStringLiteral("Other"));
    WPolygon *pRegion = c.addPolygon(QStringLiteral("region"), QStringLiteral("A"), QPointF(200, 200), LShape);
    QVERIFY(pRegion);
    pRegion->setPropertyValue(WidgetPropertyId::LinkPath, c.model()->scenes()->path(pOther));
    QCOMPARE(c.model()->currentPanel(), c.online().panel());

    c.window().click(PolygonCanvas::at(pRegion, pressAt));

    if (jumps)
        QTRY_COMPARE(c.model()->currentPanel(), pOther);
    else
        QTest::qWait(50);
    QCOMPARE(c.model()->currentPanel(), jumps ? pOther : c.online().panel());
}

VVB_TEST_MAIN(TestPolygonCanvas)
#include "tst_polygoncanvas.moc"
