#include "CommandFixture.h"

#include "commands/BLayoutOrderCommand.h"

#include <QtTest>

#include <memory>

#include "support/TestMain.h"

using Rects = QList<QRectF>;

// The Layout menu's commands on the fixture's panel: stacking order with
// several selected controls, align and distribute, each with undo and redo.
class TestBLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void factoryMakesTheLayoutCommands_data();
    void factoryMakesTheLayoutCommands();
    void stackingMovesBlocks_data();
    void stackingMovesBlocks();
    void stackingDecidesWhatIsDrawnOnTop_data();
    void stackingDecidesWhatIsDrawnOnTop();
    void stackingLeavesControlsOfOtherPanelsAlone_data();
    void stackingLeavesControlsOfOtherPanelsAlone();
    void alignAndDistribute_data();
    void alignAndDistribute();
    void nothingSelectedFilesNothing_data();
    void nothingSelectedFilesNothing();

private:
    // Runs a command by id as the main controller does; whether it was filed.
    bool run(int id);
    // The names of the panel's children, lowest first.
    QString order() const;
    Rects rects(const QList<CControl *> &controls) const;
    // A control with one widget per layer digit, each widget at that z.
    CControl *layered(const QString &name, const QString &layers);
    // Each control's layers, as given to layered().
    QStringList layers() const;
    // The controls' names once per widget, as the canvas draws them: by z,
    // then in the panel's order (the order its widgets are parented in).
    QString drawn() const;
    void select(const QList<CControl *> &controls);

    std::unique_ptr<CommandFixture> m_pFixture;
};

void TestBLayout::init()
{
    m_pFixture = std::make_unique<CommandFixture>();
}

void TestBLayout::cleanup()
{
    m_pFixture.reset();
}

bool TestBLayout::run(int id)
{
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    if (!pCommand)
        return false;
    const int before = CommandFixture::commands()->undoCount();
    pCommand->setModel(&m_pFixture->model);
    pCommand->prepare();
    if (pCommand->run(0))
        pCommand.release();
    return CommandFixture::commands()->undoCount() == before + 1;
}

QString TestBLayout::order() const
{
    QString names;
    for (const CControl *pChild : m_pFixture->panel->children())
        names += pChild->name();
    return names;
}

Rects TestBLayout::rects(const QList<CControl *> &controls) const
{
    Rects result;
    for (const CControl *pControl : controls)
        result << pControl->bounds();
    return result;
}

CControl *TestBLayout::layered(const QString &name, const QString &layers)
{
    static const QStringList types{QStringLiteral("frame"), QStringLiteral("label"), QStringLiteral("slider")};
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(QStringLiteral("Slider"));
    for (int i = 0; i < layers.size(); ++i) {
        const QString &type = types.at(i);
        pControl->createPrototype(type, QStringLiteral("width"), QStringLiteral("40"));
        pControl->createPrototype(type, QStringLiteral("height"), QStringLiteral("40"));
        pControl->createPrototype(type, QStringLiteral("z"), layers.at(i));
        pControl->finishWidget(type);
    }
    pControl->setContextObject(&m_pFixture->model);
    m_pFixture->panel->addChild(pControl);
    return pControl;
}

QStringList TestBLayout::layers() const
{
    QStringList result;
    for (const CControl *pChild : m_pFixture->panel->children()) {
        QString digits;
        for (const WWidget *pWidget : pChild->widgets())
            digits += QString::number(pWidget->widgetProperty("z").toInt());
        result << pChild->name() + digits;
    }
    std::sort(result.begin(), result.end());
    return result;
}

QString TestBLayout::drawn() const
{
    struct Drawn { qreal z; int rank; QString name; };
    QList<Drawn> items;
    for (const CControl *pChild : m_pFixture->panel->children()) {
        for (const WWidget *pWidget : pChild->widgets())
            items.append({pWidget->widgetProperty("z").toReal(), int(items.size()), pChild->name()});
    }
    std::sort(items.begin(), items.end(),
              [](const Drawn &a, const Drawn &b) { return a.z != b.z ? a.z < b.z : a.rank < b.rank; });
    QString names;
    for (const Drawn &item : std::as_const(items))
        names += item.name;
    return names;
}

// The first by a click, the others by Shift-clicks, as the user selects.
void TestBLayout::select(const QList<CControl *> &controls)
{
    for (int i = 0; i < controls.size(); ++i)
        m_pFixture->click(controls.at(i), i == 0 ? 0 : int(Qt::ShiftModifier));
}

void TestBLayout::factoryMakesTheLayoutCommands_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("front") << BCommandId::LayoutFront << "Send To Front";
    QTest::newRow("forward") << BCommandId::LayoutForward << "Send Forward";
    QTest::newRow("back") << BCommandId::LayoutBack << "Send To Back";
    QTest::newRow("backward") << BCommandId::LayoutBackward << "Send Backward";
    QTest::newRow("left") << BCommandId::AlignLeft << "Align Left";
    QTest::newRow("right") << BCommandId::AlignRight << "Align Right";
    QTest::newRow("top") << BCommandId::AlignTop << "Align Top";
    QTest::newRow("bottom") << BCommandId::AlignBottom << "Align Bottom";
    QTest::newRow("h centre") << BCommandId::AlignHCenter << "Align Horizontal Center";
    QTest::newRow("v centre") << BCommandId::AlignVCenter << "Align Vertical Center";
    QTest::newRow("across") << BCommandId::LayoutSpaceAcross << "Distribute Horizontally";
    QTest::newRow("down") << BCommandId::LayoutSpaceDown << "Distribute Vertically";
}

void TestBLayout::factoryMakesTheLayoutCommands()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->id(), id);
    QCOMPARE(pCommand->name(), name);
    QCOMPARE(pCommand->description(), name);
    QCOMPARE(pCommand->mode(), int(BCommandMode::Undoable));
}

void TestBLayout::stackingMovesBlocks_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("selected"); // names, in the order they are clicked
    QTest::addColumn<QString>("expected"); // the panel A B C D afterwards, lowest first

    QTest::newRow("front, pair keeps its order") << BCommandId::LayoutFront << "BC" << "ADBC";
    QTest::newRow("front, clicked in reverse") << BCommandId::LayoutFront << "CA" << "BDAC";
    QTest::newRow("front, topmost") << BCommandId::LayoutFront << "D" << "ABCD";
    QTest::newRow("back, one below all") << BCommandId::LayoutBack << "D" << "DABC";
    QTest::newRow("back, pair keeps its order") << BCommandId::LayoutBack << "CD" << "CDAB";
    QTest::newRow("back, the lowest stays lowest") << BCommandId::LayoutBack << "A" << "ABCD";
    QTest::newRow("forward, adjacent pair") << BCommandId::LayoutForward << "BC" << "ADBC";
    QTest::newRow("forward, two apart") << BCommandId::LayoutForward << "AC" << "BADC";
    QTest::newRow("forward, pair at the top") << BCommandId::LayoutForward << "CD" << "ABCD";
    QTest::newRow("forward, topmost") << BCommandId::LayoutForward << "D" << "ABCD";
    QTest::newRow("backward, adjacent pair") << BCommandId::LayoutBackward << "BC" << "BCAD";
    QTest::newRow("backward, two apart") << BCommandId::LayoutBackward << "BD" << "BADC";
    QTest::newRow("backward, lowest") << BCommandId::LayoutBackward << "A" << "ABCD";
    QTest::newRow("backward, all") << BCommandId::LayoutBackward << "ABCD" << "ABCD";
}

void TestBLayout::stackingMovesBlocks()
{
    QFETCH(int, id);
    QFETCH(QString, selected);
    QFETCH(QString, expected);
    QHash<QChar, CControl *> controls;
    for (const QChar name : QStringLiteral("ABCD"))
        controls.insert(name, m_pFixture->control(name, QRectF(10, 10, 40, 40)));
    QList<CControl *> clicked;
    for (const QChar name : selected)
        clicked << controls.value(name);
    select(clicked);

    QVERIFY(run(id));
    QCOMPARE(order(), expected);
    CommandFixture::commands()->undo();
    QCOMPARE(order(), QStringLiteral("ABCD"));
    CommandFixture::commands()->redo();
    QCOMPARE(order(), expected);
    CommandFixture::commands()->undo();
    QCOMPARE(order(), QStringLiteral("ABCD"));
}

void TestBLayout::stackingDecidesWhatIsDrawnOnTop_data()
{
    QTest::addColumn<QStringList>("before"); // per control A B C D: one z digit per widget
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("drawn");      // lowest first, once per widget
    QTest::addColumn<QStringList>("after");  // each control's name and layers, sorted
    // Templates put regions at 2, frames at 0 and the rest at 1.
    QTest::newRow("front, frame over regions and a label")
        << QStringList{"2", "2", "0", "1"} << BCommandId::LayoutFront << "C" << "DABC"
        << QStringList{"A2", "B2", "C2", "D1"};
    QTest::newRow("front, the same layer keeps its z")
        << QStringList{"1", "1", "1", "1"} << BCommandId::LayoutFront << "A" << "BCDA"
        << QStringList{"A1", "B1", "C1", "D1"};
    QTest::newRow("front, a pair keeps its own order")
        << QStringList{"1", "2", "0", "0"} << BCommandId::LayoutFront << "AB" << "CDAB"
        << QStringList{"A1", "B2", "C0", "D0"};
    QTest::newRow("front, layers of one control stay apart")
        << QStringList{"01", "2", "1", "1"} << BCommandId::LayoutFront << "A" << "CDBAA"
        << QStringList{"A23", "B2", "C1", "D1"};
    QTest::newRow("back, region under a frame")
        << QStringList{"0", "1", "2", "1"} << BCommandId::LayoutBack << "C" << "CABD"
        << QStringList{"A0", "B1", "C0", "D1"};
    QTest::newRow("back, below the first of the same layer")
        << QStringList{"1", "1", "1", "1"} << BCommandId::LayoutBack << "D" << "DABC"
        << QStringList{"A1", "B1", "C1", "D1"};
    QTest::newRow("back, the others rise rather than go below zero")
        << QStringList{"0", "1", "02", "1"} << BCommandId::LayoutBack << "C" << "CCABD"
        << QStringList{"A2", "B3", "C02", "D3"};
    QTest::newRow("forward, past a higher layer")
        << QStringList{"1", "2", "1", "0"} << BCommandId::LayoutForward << "A" << "DCBA"
        << QStringList{"A2", "B2", "C1", "D0"};
    QTest::newRow("forward, past a lower layer changes no z")
        << QStringList{"1", "0", "1", "1"} << BCommandId::LayoutForward << "A" << "BACD"
        << QStringList{"A1", "B0", "C1", "D1"};
    QTest::newRow("backward, under a lower layer")
        << QStringList{"1", "0", "2", "1"} << BCommandId::LayoutBackward << "C" << "CBAD"
        << QStringList{"A1", "B0", "C0", "D1"};
}

// The canvas draws by z first and by the panel's order among equals; the
// stacking commands change both so that the result is what they promise,
// and the z written to the file then keeps that order.
void TestBLayout::stackingDecidesWhatIsDrawnOnTop()
{
    QFETCH(QStringList, before);
    QFETCH(int, id);
    QFETCH(QString, selected);
    QFETCH(QString, drawn);
    QFETCH(QStringList, after);
    QHash<QChar, CControl *> controls;
    for (int i = 0; i < before.size(); ++i)
        controls.insert(QChar('A' + i), layered(QString(QChar('A' + i)), before.at(i)));
    QList<CControl *> clicked;
    for (const QChar name : selected)
        clicked << controls.value(name);
    select(clicked);
    const QString drawnBefore = this->drawn();
    const QStringList layersBefore = layers();

    QVERIFY(run(id));
    QCOMPARE(this->drawn(), drawn);
    QCOMPARE(layers(), after);
    CommandFixture::commands()->undo();
    QCOMPARE(this->drawn(), drawnBefore);
    QCOMPARE(layers(), layersBefore);
    CommandFixture::commands()->redo();
    QCOMPARE(this->drawn(), drawn);
    QCOMPARE(layers(), after);
}

void TestBLayout::stackingLeavesControlsOfOtherPanelsAlone_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");
    QTest::newRow("front") << BCommandId::LayoutFront << "ACB";
    QTest::newRow("forward") << BCommandId::LayoutForward << "ACB";
    QTest::newRow("back") << BCommandId::LayoutBack << "BAC";
    QTest::newRow("backward") << BCommandId::LayoutBackward << "BAC";
}

// A control selected on another panel has no index on this one: it neither
// moves nor is put onto this panel by undo.
void TestBLayout::stackingLeavesControlsOfOtherPanelsAlone()
{
    QFETCH(int, id);
    QFETCH(QString, expected);
    FakePanel *pLobby = m_pFixture->addPanel(QStringLiteral("Lobby"));
    auto *pOther = new CControl;
    pOther->setKind(QStringLiteral("Control"));
    pOther->setName(QStringLiteral("X"));
    pOther->setContextObject(&m_pFixture->model);
    pLobby->addChild(pOther);
    m_pFixture->control(QStringLiteral("A"), QRectF(10, 10, 40, 40));
    CControl *pB = m_pFixture->control(QStringLiteral("B"), QRectF(10, 10, 40, 40));
    m_pFixture->control(QStringLiteral("C"), QRectF(10, 10, 40, 40));
    select({pB});
    pOther->setMode(CControl::ModeSelected);

    QVERIFY(run(id));
    QCOMPARE(order(), expected);
    CommandFixture::commands()->undo();
    QCOMPARE(order(), QStringLiteral("ABC"));
    QCOMPARE(pLobby->children(), QList<CControl *>({pOther}));
    QCOMPARE(pOther->parentComposite(), pLobby);
}

void TestBLayout::alignAndDistribute_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<Rects>("before");
    QTest::addColumn<Rects>("after");

    const Rects three = {QRectF(10, 5, 20, 10), QRectF(40, 25, 20, 30), QRectF(70, 50, 20, 20)};
    QTest::newRow("left") << BCommandId::AlignLeft << three
                          << Rects{QRectF(10, 5, 20, 10), QRectF(10, 25, 20, 30), QRectF(10, 50, 20, 20)};
    QTest::newRow("right") << BCommandId::AlignRight << three
                           << Rects{QRectF(70, 5, 20, 10), QRectF(70, 25, 20, 30), QRectF(70, 50, 20, 20)};
    QTest::newRow("h centre") << BCommandId::AlignHCenter << three
                              << Rects{QRectF(40, 5, 20, 10), QRectF(40, 25, 20, 30), QRectF(40, 50, 20, 20)};
    QTest::newRow("top") << BCommandId::AlignTop << three
                         << Rects{QRectF(10, 5, 20, 10), QRectF(40, 5, 20, 30), QRectF(70, 5, 20, 20)};
    QTest::newRow("bottom") << BCommandId::AlignBottom << three
                            << Rects{QRectF(10, 60, 20, 10), QRectF(40, 40, 20, 30), QRectF(70, 50, 20, 20)};
    QTest::newRow("v centre") << BCommandId::AlignVCenter << three
                              << Rects{QRectF(10, 32.5, 20, 10), QRectF(40, 22.5, 20, 30),
                                       QRectF(70, 27.5, 20, 20)};
    // Centres 0, 10 and 100: the middle one goes to 50, the outer two stay.
    QTest::newRow("across") << BCommandId::LayoutSpaceAcross
                            << Rects{QRectF(-10, 0, 20, 10), QRectF(0, 30, 20, 10), QRectF(90, 60, 20, 10)}
                            << Rects{QRectF(-10, 0, 20, 10), QRectF(40, 30, 20, 10), QRectF(90, 60, 20, 10)};
    // Sorted by centre, not by selection: the last selected lies between.
    QTest::newRow("across, out of order")
        << BCommandId::LayoutSpaceAcross
        << Rects{QRectF(0, 0, 40, 10), QRectF(200, 30, 40, 10), QRectF(20, 60, 20, 10)}
        << Rects{QRectF(0, 0, 40, 10), QRectF(200, 30, 40, 10), QRectF(110, 60, 20, 10)};
    QTest::newRow("down") << BCommandId::LayoutSpaceDown
                          << Rects{QRectF(0, 0, 10, 20), QRectF(30, 10, 10, 40), QRectF(60, 90, 10, 20)}
                          << Rects{QRectF(0, 0, 10, 20), QRectF(30, 35, 10, 40), QRectF(60, 90, 10, 20)};
    QTest::newRow("across, two controls stay")
        << BCommandId::LayoutSpaceAcross << Rects{QRectF(0, 0, 10, 10), QRectF(50, 0, 10, 10)}
        << Rects{QRectF(0, 0, 10, 10), QRectF(50, 0, 10, 10)};
}

void TestBLayout::alignAndDistribute()
{
    QFETCH(int, id);
    QFETCH(Rects, before);
    QFETCH(Rects, after);
    QList<CControl *> controls;
    for (int i = 0; i < before.size(); ++i)
        controls << m_pFixture->control(QString(QChar('A' + i)), before.at(i));
    select(controls);
    QCOMPARE(rects(controls), before);

    QVERIFY(run(id));
    QCOMPARE(rects(controls), after);
    CommandFixture::commands()->undo();
    QCOMPARE(rects(controls), before);
    // A redo reads the restored rectangles again and comes to the same.
    CommandFixture::commands()->redo();
    QCOMPARE(rects(controls), after);
}

void TestBLayout::nothingSelectedFilesNothing_data()
{
    QTest::addColumn<int>("id");
    for (int id = BCommandId::LayoutFront; id <= BCommandId::LayoutSpaceDown; ++id)
        QTest::addRow("0x%x", id) << id;
}

void TestBLayout::nothingSelectedFilesNothing()
{
    QFETCH(int, id);
    CControl *pA = m_pFixture->control(QStringLiteral("A"), QRectF(10, 10, 20, 20));
    CControl *pB = m_pFixture->control(QStringLiteral("B"), QRectF(50, 70, 30, 20));
    QVERIFY(!run(id));
    QCOMPARE(order(), QStringLiteral("AB"));
    QCOMPARE(rects({pA, pB}), (Rects{QRectF(10, 10, 20, 20), QRectF(50, 70, 30, 20)}));
    QCOMPARE(CommandFixture::commands()->undoCount(), 0);
}

VVB_TEST_MAIN(TestBLayout)
#include "tst_blayout.moc"
