#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ControllerId.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/RecordingCommand.h"
#include "support/RecordingController.h"
#include "support/TestMain.h"

#include <QtTest>

#include <memory>

// The command base, the factory by id and the select tool's selection.
class TestBCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void factoryMakesCommandsById_data();
    void factoryMakesCommandsById();
    void baseCommandWithoutModelOnlyChangesState();
    void onlyAFiledCommandMarksTheProjectModified_data();
    void onlyAFiledCommandMarksTheProjectModified();
    void submitHandsTheCommandToTheProcessor();
    void selectReplacesOrAddsUnderShift_data();
    void selectReplacesOrAddsUnderShift();
    void runBroadcastsAndClears();
    void switchingOffClearsTheSelection();
    void resetForgetsWithoutTouchingControls();
    void destroyedControlsDropOutOfTheSelection();

private:
    std::unique_ptr<BToolSelectCommand> makeTool(MModel *pModel);
    static QString names(const QList<CControl *> &controls);

    QStringList m_log;
    QList<CControl *> m_controls; // a, b, c
};

void TestBCommand::init()
{
    m_log.clear();
    for (const char *name : {"a", "b", "c"}) {
        auto *pControl = new CControl;
        pControl->setName(QString::fromLatin1(name));
        m_controls.append(pControl);
    }
}

void TestBCommand::cleanup()
{
    qDeleteAll(m_controls);
    m_controls.clear();
    delete BCommandProcessor::instance();
}

std::unique_ptr<BToolSelectCommand> TestBCommand::makeTool(MModel *pModel)
{
    // As the model makes its select tool.
    std::unique_ptr<BCommand> pCommand(
        BCommandFactory::instance()->createCommand(BCommandId::ToolSelect));
    auto *pTool = dynamic_cast<BToolSelectCommand *>(pCommand.get());
    if (!pTool)
        return nullptr;
    pCommand.release();
    pTool->setModel(pModel);
    pTool->prepare();
    return std::unique_ptr<BToolSelectCommand>(pTool);
}

QString TestBCommand::names(const QList<CControl *> &controls)
{
    QStringList result;
    for (const CControl *pControl : controls)
        result << pControl->name();
    return result.join(',');
}

void TestBCommand::factoryMakesCommandsById_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("made");

    QTest::newRow("0x2000 select tool") << BCommandId::ToolSelect << true;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0x2007 after the tools") << 0x2007 << false;
    QTest::newRow("0x2106 between edit commands") << 0x2106 << false;
    QTest::newRow("0x230C after the layouts") << 0x230C << false;
    QTest::newRow("a controller id") << int(ControllerId::Main) << false;
}

void TestBCommand::factoryMakesCommandsById()
{
    QFETCH(int, id);
    QFETCH(bool, made);

    QCOMPARE(BCommandFactory::instance(), BCommandFactory::instance());
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    QCOMPARE(pCommand != nullptr, made);
    if (!pCommand)
        return;
    QCOMPARE(pCommand->id(), id);
    QCOMPARE(pCommand->state(), BCommandState::New);
    QVERIFY(dynamic_cast<BToolSelectCommand *>(pCommand.get()));
    QCOMPARE(pCommand->name(), QString("Select"));
    QCOMPARE(pCommand->description(), QString("Select"));
    // The select tool is never filed, whatever mode the factory passes.
    QCOMPARE(pCommand->mode(), BCommandMode::Discard);
}

void TestBCommand::baseCommandWithoutModelOnlyChangesState()
{
    BCommand command;
    QCOMPARE(command.mode(), BCommandMode::Undoable);
    QCOMPARE(command.id(), 0);
    command.prepare();
    QCOMPARE(command.panel(), nullptr);
    QVERIFY(command.sceneName().isEmpty());
    command.doCommand();
    QCOMPARE(command.state(), BCommandState::Done);
    command.undoCommand();
    QCOMPARE(command.state(), BCommandState::Undone);
}

void TestBCommand::onlyAFiledCommandMarksTheProjectModified_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("modified");
    QTest::newRow("undoable") << BCommandMode::Undoable << true;
    QTest::newRow("clearing the histories") << BCommandMode::ClearHistory << true;
    QTest::newRow("discarded: it changed nothing") << BCommandMode::Discard << false;
}

// Preparing is no change: a gesture or a copy that files nothing leaves a
// saved project saved. Taking a filed one back, or doing it again, is a change.
void TestBCommand::onlyAFiledCommandMarksTheProjectModified()
{
    QFETCH(int, mode);
    QFETCH(bool, modified);
    MModel model;
    QVERIFY(!model.isModified());
    auto *pCommand = new RecordingCommand("edit", &m_log, mode);
    pCommand->setModel(&model);
    pCommand->prepare();
    QVERIFY(!model.isModified());

    BCommand::submit(pCommand);
    QCOMPARE(model.isModified(), modified);

    BCommandProcessor *pProcessor = BCommandProcessor::instance();
    if (mode != BCommandMode::Undoable)
        return;
    model.setModified(false);
    pProcessor->undo();
    QVERIFY(model.isModified());
    model.setModified(false);
    pProcessor->redo();
    QVERIFY(model.isModified());
}

void TestBCommand::submitHandsTheCommandToTheProcessor()
{
    BCommand::submit(new RecordingCommand("tool", &m_log));
    QCOMPARE(m_log, QStringList({"do tool 0"}));
    QCOMPARE(BCommandProcessor::instance()->undoCount(), 1);
    BCommand::submit(nullptr);
    QCOMPARE(BCommandProcessor::instance()->undoCount(), 1);
}

void TestBCommand::selectReplacesOrAddsUnderShift_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clicked"); // index into a, b, c; -1 for none
    QTest::addColumn<QString>("selectedAfter");

    // Before: a and b are selected.
    const int shift = int(Qt::ShiftModifier);
    QTest::newRow("plain click replaces") << 0 << 2 << "c";
    QTest::newRow("shift adds") << shift << 2 << "a,b,c";
    QTest::newRow("shift with control replaces") << (shift | int(Qt::ControlModifier)) << 2 << "c";
    QTest::newRow("control replaces") << int(Qt::ControlModifier) << 2 << "c";
    QTest::newRow("click on a selected one keeps the others") << 0 << 1 << "a,b";
    QTest::newRow("shift on a selected one adds nothing twice") << shift << 0 << "a,b";
    QTest::newRow("click on nothing clears") << 0 << -1 << "";
    QTest::newRow("shift on nothing keeps") << shift << -1 << "a,b";
}

void TestBCommand::selectReplacesOrAddsUnderShift()
{
    QFETCH(int, modifiers);
    QFETCH(int, clicked);
    QFETCH(QString, selectedAfter);

    auto pTool = makeTool(nullptr);
    QVERIFY(pTool);
    pTool->select(m_controls[0]);
    pTool->setModifiers(int(Qt::ShiftModifier));
    pTool->select(m_controls[1]);

    pTool->setModifiers(modifiers);
    pTool->select(clicked < 0 ? nullptr : m_controls[clicked]);
    QCOMPARE(names(pTool->selection()), selectedAfter);
    for (CControl *pControl : std::as_const(m_controls)) {
        const bool bSelected = pTool->isSelected(pControl);
        QCOMPARE(pControl->mode(), bSelected ? CControl::ModeSelected : CControl::ModeNormal);
    }
}

void TestBCommand::runBroadcastsAndClears()
{
    MModel model;
    model.addController(new RecordingController("properties", ControllerId::Properties, &m_log,
                                                &model));
    auto pTool = makeTool(&model);
    QVERIFY(!model.isModified()); // the tool prepares nothing of the document
    pTool->select(m_controls[0]);
    m_log.clear();

    pTool->run(0);
    QCOMPARE(m_log, QStringList({"notify properties 0x2000"}));
    QCOMPARE(m_controls[0]->mode(), CControl::ModeSelected);

    pTool->run(1);
    QCOMPARE(m_log.size(), 2);
    QCOMPARE(pTool->selection().size(), 0);
    QCOMPARE(m_controls[0]->mode(), CControl::ModeNormal);

    // Other values do nothing.
    pTool->select(m_controls[1]);
    m_log.clear();
    pTool->run(7);
    QVERIFY(m_log.isEmpty());
    QCOMPARE(names(pTool->selection()), QString("b"));
}

void TestBCommand::switchingOffClearsTheSelection()
{
    auto pTool = makeTool(nullptr);
    pTool->setActive(true);
    pTool->select(m_controls[0]);
    QVERIFY(pTool->isActive());
    QCOMPARE(pTool->selection().size(), 1);

    pTool->setActive(false);
    QVERIFY(!pTool->isActive());
    QCOMPARE(pTool->selection().size(), 0);
    QCOMPARE(m_controls[0]->mode(), CControl::ModeNormal);
}

void TestBCommand::resetForgetsWithoutTouchingControls()
{
    auto pTool = makeTool(nullptr);
    pTool->select(m_controls[0]);
    pTool->reset();
    QCOMPARE(pTool->selection().size(), 0);
    QCOMPARE(m_controls[0]->mode(), CControl::ModeSelected);
}

void TestBCommand::destroyedControlsDropOutOfTheSelection()
{
    // An undone drop destroys the control it made while it is selected.
    MModel model;
    auto pTool = makeTool(&model);
    pTool->select(m_controls[0]);
    pTool->setModifiers(int(Qt::ShiftModifier));
    pTool->select(m_controls[1]);
    delete m_controls.takeFirst();

    QCOMPARE(names(pTool->selection()), QString("b"));
    QVERIFY(!pTool->isSelected(nullptr));
    pTool->run(0);
    pTool->select(m_controls[1]); // c
    QCOMPARE(names(pTool->selection()), QString("b,c"));
    delete m_controls.takeFirst();
    pTool->run(1);
    QCOMPARE(pTool->selection().size(), 0);
    QCOMPARE(m_controls[0]->mode(), CControl::ModeNormal);
}

VVB_TEST_MAIN(TestBCommand)
#include "tst_bcommand.moc"
