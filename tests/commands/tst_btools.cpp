#include "CommandFixture.h"

#include "commands/BToolDragCommand.h"
#include "commands/BToolNudgeCommand.h"
#include "commands/BToolResizeCommand.h"

#include <QQuickItem>
#include <QSettings>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

using Rects = QList<QRectF>;

// The canvas gestures through the select tool: selection by clicks, drag,
// resize and nudge with undo and redo, and the gestures that must file nothing.
class TestBTools : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void factoryMakesTheTools_data();
    void factoryMakesTheTools();
    void clicksSelectAndShiftAdds();
    void dragMovesTheSelectionInGridSteps_data();
    void dragMovesTheSelectionInGridSteps();
    void dragWithoutMovementKeepsTheRedoHistory();
    void dragStaysWithinReachOfTheCanvas_data();
    void dragStaysWithinReachOfTheCanvas();
    void resizeGivesTheFirstControlsSize_data();
    void resizeGivesTheFirstControlsSize();
    void resizeKeepsTheMinimumAndStoresTheLayout();
    void nudgeMovesByGridOrUnit_data();
    void nudgeMovesByGridOrUnit();
    void nudgeCancelsOnlyBeforeAnyMove();
    void gesturesThatDoNothingFileNothing_data();
    void gesturesThatDoNothingFileNothing();
    void otherIdsMakeNoTool();
    void aGestureWhoseReleaseWasLostEndsAtTheNext_data();
    void aGestureWhoseReleaseWasLostEndsAtTheNext();
    void removedControlLeavesTheToolsSafe();
    void deselectTakesAControlOut();

private:
    Rects rects() const;
    void selectAB();

    std::unique_ptr<CommandFixture> m_pFixture;
    CControl *m_pA = nullptr;
    CControl *m_pB = nullptr;
    CControl *m_pC = nullptr;
};

void TestBTools::init()
{
    m_pFixture = std::make_unique<CommandFixture>();
    m_pA = m_pFixture->control("a", QRectF(20, 20, 100, 40));
    m_pB = m_pFixture->control("b", QRectF(40, 100, 60, 30));
    m_pC = m_pFixture->control("c", QRectF(200, 200, 50, 50));
}

void TestBTools::cleanup()
{
    m_pFixture.reset();
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
}

Rects TestBTools::rects() const
{
    return {m_pA->bounds(), m_pB->bounds(), m_pC->bounds()};
}

void TestBTools::selectAB()
{
    m_pFixture->click(m_pA);
    m_pFixture->click(m_pB, int(Qt::ShiftModifier));
}

void TestBTools::factoryMakesTheTools_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("drag") << BCommandId::ToolDrag << "Drag";
    QTest::newRow("resize") << BCommandId::ToolResize << "Resize";
    QTest::newRow("nudge") << BCommandId::ToolNudge << "Nudge";
}

void TestBTools::factoryMakesTheTools()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->id(), id);
    QCOMPARE(pCommand->name(), name);
    // Nothing is filed until a gesture did something.
    QCOMPARE(pCommand->mode(), BCommandMode::Discard);
    QCOMPARE(pCommand->state(), BCommandState::New);
}

void TestBTools::clicksSelectAndShiftAdds()
{
    CommandFixture &f = *m_pFixture;
    const Rects before = rects();
    f.click(m_pA);
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pA}));
    f.click(m_pB, int(Qt::ShiftModifier));
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pA, m_pB}));
    // A plain click on a control already selected keeps the selection.
    f.click(m_pA);
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pA, m_pB}));
    QCOMPARE(m_pB->mode(), CControl::ModeSelected);
    f.click(m_pC);
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pC}));
    QCOMPARE(m_pA->mode(), CControl::ModeNormal);
    QCOMPARE(m_pB->mode(), CControl::ModeNormal);
    // Clicks are drags without movement: nothing moved, nothing filed.
    QCOMPARE(rects(), before);
    QCOMPARE(f.commands()->undoCount(), 0);
    QVERIFY(!f.tool->currentTool());
    QVERIFY(f.log.contains("notify properties 0x2000"));
}

void TestBTools::dragMovesTheSelectionInGridSteps_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("scale 1") << 1.0f << QList<QPointF>{{7, 3}, {4, 12}, {-1, 0}} << QPointF(5, 10);
    QTest::newRow("scale 2") << 2.0f << QList<QPointF>{{7, 3}, {14, 25}} << QPointF(10, 20);
    QTest::newRow("left and up") << 1.0f << QList<QPointF>{{-6, -11}} << QPointF(-5, -10);
}

void TestBTools::dragMovesTheSelectionInGridSteps()
{
    QFETCH(float, scale);
    QFETCH(QList<QPointF>, moves);
    QFETCH(QPointF, offset);
    CommandFixture &f = *m_pFixture;
    f.model.setViewScale(scale);
    selectAB();
    const Rects before = rects();
    f.log.clear();

    f.drag(moves);

    const Rects moved{before[0].translated(offset), before[1].translated(offset), before[2]};
    QCOMPARE(rects(), moved);
    QCOMPARE(f.commands()->undoCount(), 1);
    auto *pDrag = dynamic_cast<BToolDragCommand *>(f.commands()->undoCommandAt(0));
    QVERIFY(pDrag);
    QCOMPARE(pDrag->offset(), offset);
    QCOMPARE(pDrag->state(), BCommandState::Done);
    QCOMPARE(f.log, QStringList({"notify properties 0x2802"}));

    f.commands()->undo();
    QCOMPARE(rects(), before);
    f.commands()->redo();
    QCOMPARE(rects(), moved);
    f.commands()->undo();
    QCOMPARE(rects(), before);
}

void TestBTools::dragWithoutMovementKeepsTheRedoHistory()
{
    CommandFixture &f = *m_pFixture;
    selectAB();
    f.drag({{10, 0}});
    f.commands()->undo();
    QCOMPARE(f.commands()->redoCount(), 1);
    const Rects before = rects();

    // Moves below a grid step and a click: performed and deleted.
    f.drag({{3, 4}, {-2, 1}});
    f.click(m_pA);

    QCOMPARE(rects(), before);
    QCOMPARE(f.commands()->undoCount(), 0);
    QCOMPARE(f.commands()->redoCount(), 1);
}

void TestBTools::dragStaysWithinReachOfTheCanvas_data()
{
    // The canvas is 300 x 400: the moved selection, a and b together from
    // (20, 20) to (120, 130), must touch (15, 15)-(300, 400).
    QTest::addColumn<QPointF>("move");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("partly off to the left") << QPointF(-50, 0) << QPointF(-50, 0);
    QTest::newRow("wholly off to the left") << QPointF(-200, 0) << QPointF(0, 0);
    QTest::newRow("partly into the top margin") << QPointF(0, -90) << QPointF(0, -90);
    QTest::newRow("wholly into the top margin") << QPointF(0, -120) << QPointF(0, 0);
    QTest::newRow("off the bottom") << QPointF(0, 400) << QPointF(0, 0);
    QTest::newRow("up to the right edge") << QPointF(275, 0) << QPointF(275, 0);
    QTest::newRow("past the right edge") << QPointF(290, 0) << QPointF(0, 0);
}

void TestBTools::dragStaysWithinReachOfTheCanvas()
{
    QFETCH(QPointF, move);
    QFETCH(QPointF, offset);
    CommandFixture &f = *m_pFixture;
    QQuickItem canvas;
    canvas.setSize(QSizeF(300, 400));
    f.bridge.setObject(QStringLiteral("QmlView"), &canvas);
    selectAB(); // a (20, 20, 100, 40) and b (40, 100, 60, 30)
    const Rects before = rects();

    // Refused steps leave the selection where it was; later steps still count.
    f.drag({move, QPointF(0, 0)});

    QCOMPARE(rects(), Rects({before[0].translated(offset), before[1].translated(offset), before[2]}));
    QCOMPARE(f.commands()->undoCount(), offset.isNull() ? 0 : 1);
    auto *pDrag = dynamic_cast<BToolDragCommand *>(f.commands()->undoCommandAt(0));
    if (pDrag)
        QCOMPARE(pDrag->limit(), QRectF(15, 15, 285, 385));
}

void TestBTools::resizeGivesTheFirstControlsSize_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<QSizeF>("first");  // a's size after the gesture
    QTest::addColumn<QSizeF>("second"); // b's
    // a is 100 x 40, b 60 x 30; every control takes a's new width or height.
    QTest::newRow("right edge") << 4 << QList<QPointF>{{12, 0}, {10, 3}} << QSizeF(120, 40) << QSizeF(120, 30);
    QTest::newRow("right edge narrower") << 4 << QList<QPointF>{{-22, 0}} << QSizeF(80, 40) << QSizeF(80, 30);
    QTest::newRow("bottom edge") << 8 << QList<QPointF>{{0, 6}, {0, 5}} << QSizeF(100, 50) << QSizeF(60, 50);
    QTest::newRow("left edge changes nothing") << 1 << QList<QPointF>{{30, 30}} << QSizeF(100, 40)
                                               << QSizeF(60, 30);
}

void TestBTools::resizeGivesTheFirstControlsSize()
{
    QFETCH(int, edge);
    QFETCH(QList<QPointF>, moves);
    QFETCH(QSizeF, first);
    QFETCH(QSizeF, second);
    CommandFixture &f = *m_pFixture;
    selectAB();
    const Rects before = rects();
    f.log.clear();

    f.drag(moves, BCommandId::ToolResize, edge);

    const Rects resized{QRectF(before[0].topLeft(), first), QRectF(before[1].topLeft(), second), before[2]};
    QCOMPARE(rects(), resized);
    const bool changed = resized != before;
    QCOMPARE(f.commands()->undoCount(), changed ? 1 : 0);
    QCOMPARE(f.log, QStringList({"notify properties 0x2802"}));
    if (!changed)
        return;
    auto *pResize = dynamic_cast<BToolResizeCommand *>(f.commands()->undoCommandAt(0));
    QVERIFY(pResize);
    QCOMPARE(pResize->edge(), edge);
    QCOMPARE(QSizeF(pResize->oldWidth(), pResize->oldHeight()), before[0].size());
    QCOMPARE(QSizeF(pResize->newWidth(), pResize->newHeight()), first);

    // Every control gets its own rectangle back, not the first one's.
    f.commands()->undo();
    QCOMPARE(rects(), before);
    f.commands()->redo();
    QCOMPARE(rects(), resized);
    f.commands()->undo();
    QCOMPARE(rects(), before);
}

void TestBTools::resizeKeepsTheMinimumAndStoresTheLayout()
{
    CommandFixture &f = *m_pFixture;
    f.model.setViewScale(2.0f);
    f.click(m_pA);
    f.drag({{-200, 0}}, BCommandId::ToolResize, 4);
    QCOMPARE(m_pA->bounds(), QRectF(20, 20, CControl::DefaultMinimumSize, 40));
    // Stored unscaled under the control's type.
    const QSettings settings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
    QCOMPARE(settings.value("Layout/Frame").toString(), QString("7x20"));
}

void TestBTools::nudgeMovesByGridOrUnit_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("repeats");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("right") << 1.0f << 0 << int(Qt::Key_Right) << 0 << QPointF(5, 0);
    QTest::newRow("up at scale 2") << 2.0f << 0 << int(Qt::Key_Up) << 0 << QPointF(0, -10);
    QTest::newRow("left with Shift") << 2.0f << int(Qt::ShiftModifier) << int(Qt::Key_Left) << 0
                                     << QPointF(-1, 0);
    QTest::newRow("held down") << 1.0f << 0 << int(Qt::Key_Down) << 3 << QPointF(0, 20);
    QTest::newRow("held with Shift") << 1.0f << int(Qt::ShiftModifier) << int(Qt::Key_Right) << 2
                                     << QPointF(3, 0);
}

void TestBTools::nudgeMovesByGridOrUnit()
{
    QFETCH(float, scale);
    QFETCH(int, modifiers);
    QFETCH(int, key);
    QFETCH(int, repeats);
    QFETCH(QPointF, offset);
    CommandFixture &f = *m_pFixture;
    f.model.setViewScale(scale);
    selectAB();
    const Rects before = rects();
    f.log.clear();

    f.key(key, modifiers, 1);
    for (int i = 0; i < repeats; ++i) {
        // Qt repeats a held key as release and press, both auto-repeated.
        f.key(key, modifiers, 3, true);
        f.key(key, modifiers, 1, true);
    }
    QCOMPARE(f.commands()->undoCount(), 0); // filed only at the final release
    f.key(key, modifiers, 3);

    const Rects moved{before[0].translated(offset), before[1].translated(offset), before[2]};
    QCOMPARE(rects(), moved);
    QCOMPARE(f.commands()->undoCount(), 1);
    QCOMPARE(f.log, QStringList({"notify properties 0x2802"}));
    f.commands()->undo();
    QCOMPARE(rects(), before);
    f.commands()->redo();
    QCOMPARE(rects(), moved);
}

void TestBTools::nudgeCancelsOnlyBeforeAnyMove()
{
    CommandFixture &f = *m_pFixture;
    selectAB();
    const Rects before = rects();

    // Control (or Alt) on the first key: cancelled, later arrows of the gesture do nothing.
    f.key(Qt::Key_Right, int(Qt::ControlModifier), 1);
    f.key(Qt::Key_Right, 0, 1, true);
    f.key(Qt::Key_Right, 0, 3);
    QCOMPARE(rects(), before);
    QCOMPARE(f.commands()->undoCount(), 0);
    f.key(Qt::Key_Left, int(Qt::AltModifier), 1);
    f.key(Qt::Key_Left, int(Qt::AltModifier), 3);
    QCOMPARE(rects(), before);
    QCOMPARE(f.commands()->undoCount(), 0);

    // Control after a move keeps the move, which is filed and undone exactly.
    f.key(Qt::Key_Right, 0, 1);
    f.key(Qt::Key_Right, int(Qt::ControlModifier), 1);
    f.key(Qt::Key_Right, int(Qt::ControlModifier), 3);
    QCOMPARE(m_pA->bounds(), before[0].translated(5, 0));
    QCOMPARE(f.commands()->undoCount(), 1);
    f.commands()->undo();
    QCOMPARE(rects(), before);
}

void TestBTools::gesturesThatDoNothingFileNothing_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("gesture"); // 0 drag, 1 resize, 2 nudge
    QTest::addColumn<bool>("pressFirst");
    QTest::newRow("drag, empty selection") << false << 0 << true;
    QTest::newRow("resize, empty selection") << false << 1 << true;
    QTest::newRow("nudge, empty selection") << false << 2 << true;
    QTest::newRow("resize, release only") << true << 1 << false;
    QTest::newRow("nudge, release only") << true << 2 << false;
}

void TestBTools::gesturesThatDoNothingFileNothing()
{
    QFETCH(bool, selected);
    QFETCH(int, gesture);
    QFETCH(bool, pressFirst);
    CommandFixture &f = *m_pFixture;
    selectAB();
    f.drag({{10, 0}});
    f.commands()->undo();
    if (!selected)
        f.tool->run(1);
    const Rects before = rects();

    const QPointF move(20, 20);
    switch (gesture) {
    case 0:
        if (pressFirst) {
            f.tool->mouseEvent(QPointF(), -1, BCommandId::ToolDrag, 1);
            f.tool->mouseEvent(move, -1, BCommandId::ToolDrag, 2);
        }
        f.tool->mouseEvent(move, -1, BCommandId::ToolDrag, 3);
        break;
    case 1:
        if (pressFirst) {
            f.tool->mouseEvent(QPointF(), 4, BCommandId::ToolResize, 1);
            f.tool->mouseEvent(move, 4, BCommandId::ToolResize, 2);
        }
        f.tool->mouseEvent(move, 4, BCommandId::ToolResize, 3);
        break;
    default:
        if (pressFirst)
            f.key(Qt::Key_Down, 0, 1);
        f.key(Qt::Key_Down, 0, 3);
        break;
    }

    QCOMPARE(rects(), before);
    QCOMPARE(f.commands()->undoCount(), 0);
    QCOMPARE(f.commands()->redoCount(), 1);
    QVERIFY(!f.tool->currentTool());
}

void TestBTools::otherIdsMakeNoTool()
{
    CommandFixture &f = *m_pFixture;
    selectAB();
    for (int id : {BCommandId::ToolSelect, BCommandId::DropControl, BCommandId::EditDelete, 0}) {
        f.tool->mouseEvent(QPointF(10, 10), -1, id, 1);
        QVERIFY(!f.tool->currentTool());
        f.tool->mouseEvent(QPointF(10, 10), -1, id, 3);
        f.tool->keyEvent(Qt::Key_Left, 0, id, false, 1);
        f.tool->keyEvent(Qt::Key_Left, 0, id, false, 3);
    }
    QCOMPARE(f.commands()->undoCount(), 0);
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pA, m_pB}));
}

namespace {
enum Gesture { Drag, Resize, Nudge };

// What each gesture below does to the control: drag by 10 across, widen by
// 20 on the right handle, one arrow key to the right.
QRectF afterGesture(QRectF rect, int gesture)
{
    switch (gesture) {
    case Drag:
        return rect.translated(10, 0);
    case Resize:
        rect.setWidth(rect.width() + 20);
        return rect;
    default:
        return rect.translated(5, 0);
    }
}
} // namespace

void TestBTools::aGestureWhoseReleaseWasLostEndsAtTheNext_data()
{
    QTest::addColumn<int>("stale");
    QTest::addColumn<int>("next");
    QTest::newRow("drag, then resize") << int(Drag) << int(Resize);
    QTest::newRow("resize, then drag") << int(Resize) << int(Drag);
    QTest::newRow("nudge, then drag") << int(Nudge) << int(Drag);
    QTest::newRow("drag, then nudge") << int(Drag) << int(Nudge);
    QTest::newRow("nudge, then resize") << int(Nudge) << int(Resize);
    QTest::newRow("drag, then drag") << int(Drag) << int(Drag);
}

// A gesture that never saw its release (the pointer was grabbed away) ends
// where it got to when the next one starts: the next gesture does what it
// does, not what the pending one would, and each is undone on its own.
void TestBTools::aGestureWhoseReleaseWasLostEndsAtTheNext()
{
    QFETCH(int, stale);
    QFETCH(int, next);
    CommandFixture &f = *m_pFixture;
    f.click(m_pA);
    const QRectF before = m_pA->bounds();
    const auto press = [&](int gesture) {
        if (gesture == Nudge) {
            f.key(Qt::Key_Right, 0, 1);
            return;
        }
        const int id = gesture == Drag ? BCommandId::ToolDrag : BCommandId::ToolResize;
        const int edge = gesture == Drag ? -1 : 4;
        f.tool->mouseEvent(QPointF(), edge, id, 1);
        f.tool->mouseEvent(gesture == Drag ? QPointF(10, 0) : QPointF(20, 0), edge, id, 2);
    };
    const auto release = [&](int gesture) {
        if (gesture == Nudge)
            f.key(Qt::Key_Right, 0, 3);
        else
            f.tool->mouseEvent(QPointF(), gesture == Drag ? -1 : 4,
                               gesture == Drag ? BCommandId::ToolDrag : BCommandId::ToolResize, 3);
    };

    press(stale);
    QCOMPARE(m_pA->bounds(), afterGesture(before, stale));
    press(next);
    release(next);

    QCOMPARE(m_pA->bounds(), afterGesture(afterGesture(before, stale), next));
    QVERIFY(!f.tool->currentTool());
    QCOMPARE(f.commands()->undoCount(), 2);
    f.commands()->undo();
    QCOMPARE(m_pA->bounds(), afterGesture(before, stale));
    f.commands()->undo();
    QCOMPARE(m_pA->bounds(), before);
}

void TestBTools::removedControlLeavesTheToolsSafe()
{
    CommandFixture &f = *m_pFixture;
    selectAB();
    const QRectF bBefore = m_pB->bounds();

    // a goes while a drag is under way.
    f.tool->mouseEvent(QPointF(), -1, BCommandId::ToolDrag, 1);
    f.panel->removeChild(m_pA, true);
    f.flushDeletes();
    m_pA = nullptr;
    f.tool->mouseEvent(QPointF(10, 0), -1, BCommandId::ToolDrag, 2);
    f.tool->mouseEvent(QPointF(), -1, BCommandId::ToolDrag, 3);
    QCOMPARE(m_pB->bounds(), bBefore.translated(10, 0));
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pB}));

    // b goes while its drag is in the history, and then while selected.
    f.key(Qt::Key_Down, 0, 1);
    f.key(Qt::Key_Down, 0, 3);
    QCOMPARE(f.commands()->undoCount(), 2);
    f.panel->removeChild(m_pB, true);
    f.flushDeletes();
    m_pB = nullptr;
    f.commands()->undo();
    f.commands()->undo();
    f.commands()->redo();
    QVERIFY(f.tool->selection().isEmpty());
    f.tool->run(0);
    f.tool->run(1);
    f.drag({{10, 10}});
    f.key(Qt::Key_Up, 0, 1);
    f.key(Qt::Key_Up, 0, 3);
    QCOMPARE(f.commands()->undoCount(), 1);
    QCOMPARE(m_pC->bounds(), QRectF(200, 200, 50, 50));
}

void TestBTools::deselectTakesAControlOut()
{
    CommandFixture &f = *m_pFixture;
    selectAB();
    f.log.clear();
    f.tool->deselect(m_pC); // not selected: nothing
    QVERIFY(f.log.isEmpty());
    f.tool->deselect(m_pA);
    QCOMPARE(f.tool->selection(), QList<CControl *>({m_pB}));
    QCOMPARE(m_pA->mode(), CControl::ModeNormal);
    QCOMPARE(m_pB->mode(), CControl::ModeSelected);
    QCOMPARE(f.log, QStringList({"notify properties 0x2000"}));
}

VVB_TEST_MAIN(TestBTools)
#include "tst_btools.moc"
