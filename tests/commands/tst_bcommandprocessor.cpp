#include "commands/BCommandProcessor.h"
#include "controllers/ActionId.h"
#include "dialogs/DModalDialog.h"
#include "support/FakeMainController.h"
#include "support/RecordingCommand.h"
#include "support/TestMain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QtTest>

#include <memory>

// The command processor: performing by mode, undo and redo, the bounded
// histories, ownership of commands and the actions it keeps in step.
class TestBCommandProcessor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void executeActsOnTheModeAfterPerforming_data();
    void executeActsOnTheModeAfterPerforming();
    void undoAndRedoMoveTheSameCommand();
    void undoAndRedoOnEmptyHistoriesDoNothing();
    void newCommandClearsRedo();
    void undoHistoryKeepsTheNewestHundred();
    void redoHistoryNeverExceedsAHundred();
    void undoToAndRedoTo_data();
    void undoToAndRedoTo();
    void entriesAreCountedFromTheOldest();
    void aCommandPerformingUndoLeavesNoEntry();
    void executingAFiledCommandAgainIsRefused();
    void processorDeletesItsCommandsAndIsMadeAnew();
    void actionsFollowTheHistories();
    void pasteFollowsTheClipboard();
    void actionsOfADeletedMainControllerAreLeftAlone();
    void undoListShowsBothHistories();

private:
    RecordingCommand *command(const QString &label, int mode = BCommandMode::Undoable)
    {
        return new RecordingCommand(label, &m_log, mode);
    }
    void executeNumbered(int count);
    static QStringList labelsOfUndo();
    static QStringList labelsOfRedo();
    static BCommandProcessor *processor() { return BCommandProcessor::instance(); }

    QStringList m_log;
};

void TestBCommandProcessor::init()
{
    m_log.clear();
}

void TestBCommandProcessor::cleanup()
{
    // Each test starts from a fresh processor, as each model does.
    delete BCommandProcessor::instance();
    DModalDialog::setResponder({});
    QCOMPARE(RecordingCommand::liveCount(), 0);
}

void TestBCommandProcessor::executeNumbered(int count)
{
    for (int i = 1; i <= count; ++i)
        processor()->execute(command(QString::number(i)));
}

QStringList TestBCommandProcessor::labelsOfUndo()
{
    QStringList labels;
    for (int i = 0; i < processor()->undoCount(); ++i)
        labels << processor()->undoCommandAt(i)->name();
    return labels;
}

QStringList TestBCommandProcessor::labelsOfRedo()
{
    QStringList labels;
    for (int i = 0; i < processor()->redoCount(); ++i)
        labels << processor()->redoCommandAt(i)->name();
    return labels;
}

void TestBCommandProcessor::executeActsOnTheModeAfterPerforming_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("undoAfter");
    QTest::addColumn<QStringList>("redoAfter");
    QTest::addColumn<QStringList>("deleted");

    // Before: undo holds a, b; redo holds c (undone).
    QTest::newRow("0 discard") << BCommandMode::Discard << QStringList({"a", "b"})
                               << QStringList({"c"}) << QStringList({"delete new"});
    QTest::newRow("1 undoable") << BCommandMode::Undoable << QStringList({"a", "b", "new"})
                                << QStringList() << QStringList({"delete c"});
    QTest::newRow("2 clear history") << BCommandMode::ClearHistory << QStringList()
                                     << QStringList()
                                     << QStringList({"delete a", "delete b", "delete c",
                                                     "delete new"});
}

void TestBCommandProcessor::executeActsOnTheModeAfterPerforming()
{
    QFETCH(int, mode);
    QFETCH(QStringList, undoAfter);
    QFETCH(QStringList, redoAfter);
    QFETCH(QStringList, deleted);

    processor()->execute(command("a"));
    processor()->execute(command("b"));
    processor()->execute(command("c"));
    processor()->undo();
    m_log.clear();

    // Made undoable; the command decides its mode while it is performed.
    RecordingCommand *pNew = command("new");
    pNew->onDo = [pNew, mode] { pNew->setMode(mode); };
    processor()->execute(pNew);

    QCOMPARE(m_log.first(), QString("do new 0"));
    QStringList deletions = m_log.filter("delete");
    deletions.sort();
    QCOMPARE(deletions, deleted);
    QCOMPARE(labelsOfUndo(), undoAfter);
    QCOMPARE(labelsOfRedo(), redoAfter);
}

void TestBCommandProcessor::undoAndRedoMoveTheSameCommand()
{
    executeNumbered(2);
    BCommand *pSecond = processor()->undoCommandAt(1);
    m_log.clear();

    processor()->undo();
    QCOMPARE(processor()->redoCommandAt(0), pSecond);
    QCOMPARE(pSecond->state(), BCommandState::Undone);
    QCOMPARE(labelsOfUndo(), QStringList({"1"}));

    processor()->redo();
    QCOMPARE(processor()->undoCommandAt(1), pSecond);
    QCOMPARE(pSecond->state(), BCommandState::Done);
    QCOMPARE(processor()->redoCount(), 0);
    // The command tells the redo (state 2) from its first performance (state 0).
    QCOMPARE(m_log, QStringList({"undo 2", "do 2 2"}));
}

void TestBCommandProcessor::undoAndRedoOnEmptyHistoriesDoNothing()
{
    processor()->undo();
    processor()->redo();
    processor()->undoTo(5);
    processor()->redoTo(5);
    QCOMPARE(processor()->undoCount(), 0);
    QCOMPARE(processor()->redoCount(), 0);

    executeNumbered(1);
    processor()->redo();
    QCOMPARE(labelsOfUndo(), QStringList({"1"}));
    QVERIFY(!m_log.contains("do 1 2"));
}

void TestBCommandProcessor::newCommandClearsRedo()
{
    executeNumbered(3);
    processor()->undoTo(1);
    QCOMPARE(labelsOfRedo(), QStringList({"3", "2"}));
    m_log.clear();

    processor()->execute(command("new"));
    QCOMPARE(processor()->redoCount(), 0);
    QCOMPARE(labelsOfUndo(), QStringList({"1", "new"}));
    QCOMPARE(m_log.filter("delete").size(), 2);
    QCOMPARE(RecordingCommand::liveCount(), 2);

    // A command that is performed and discarded leaves the redo history alone.
    processor()->undo();
    processor()->execute(command("discarded", BCommandMode::Discard));
    QCOMPARE(labelsOfRedo(), QStringList({"new"}));
}

void TestBCommandProcessor::undoHistoryKeepsTheNewestHundred()
{
    executeNumbered(BCommandProcessor::HistoryLimit + 1);
    QCOMPARE(processor()->undoCount(), 100);
    QVERIFY(m_log.contains("delete 1"));
    QCOMPARE(m_log.filter("delete").size(), 1);
    QCOMPARE(processor()->undoCommandAt(0)->name(), QString("2"));
    QCOMPARE(processor()->undoCommandAt(99)->name(), QString("101"));
    QCOMPARE(RecordingCommand::liveCount(), 100);

    processor()->undoTo(99);
    QCOMPARE(processor()->undoCount(), 0);
    QCOMPARE(processor()->redoCount(), 100);
    QCOMPARE(processor()->redoCommandAt(0)->name(), QString("101"));
    QCOMPARE(processor()->redoCommandAt(99)->name(), QString("2"));
}

void TestBCommandProcessor::redoHistoryNeverExceedsAHundred()
{
    executeNumbered(150);
    processor()->undoTo(149);
    QCOMPARE(processor()->redoCount(), 100);
    processor()->redoTo(149);
    QCOMPARE(processor()->undoCount(), 100);
    QCOMPARE(processor()->redoCount(), 0);
    QCOMPARE(processor()->undoCommandAt(0)->name(), QString("51"));
    QCOMPARE(RecordingCommand::liveCount(), 100);
}

void TestBCommandProcessor::undoToAndRedoTo_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("steps");

    QTest::newRow("0 is one step") << 0 << 1;
    QTest::newRow("2 is three steps") << 2 << 3;
    QTest::newRow("past the history stops at its end") << 9 << 5;
    QTest::newRow("negative does nothing") << -1 << 0;
}

void TestBCommandProcessor::undoToAndRedoTo()
{
    QFETCH(int, index);
    QFETCH(int, steps);

    executeNumbered(5);
    processor()->undoTo(index);
    QCOMPARE(processor()->undoCount(), 5 - steps);
    QCOMPARE(processor()->redoCount(), steps);

    processor()->undoTo(9);
    processor()->redoTo(index);
    QCOMPARE(processor()->undoCount(), steps);
    QCOMPARE(processor()->redoCount(), 5 - steps);
}

void TestBCommandProcessor::entriesAreCountedFromTheOldest()
{
    executeNumbered(3);
    processor()->undo();
    QCOMPARE(processor()->undoCommandAt(0)->name(), QString("1"));
    QCOMPARE(processor()->undoCommandAt(1)->name(), QString("2"));
    QCOMPARE(processor()->undoCommandAt(2), nullptr);
    QCOMPARE(processor()->undoCommandAt(-1), nullptr);
    QCOMPARE(processor()->redoCommandAt(0)->name(), QString("3"));
    QCOMPARE(processor()->redoCommandAt(1), nullptr);
    QCOMPARE(processor()->redoCommandAt(-1), nullptr);
}

void TestBCommandProcessor::aCommandPerformingUndoLeavesNoEntry()
{
    // The Edit menu's Undo is itself a command of mode 0.
    executeNumbered(2);
    RecordingCommand *pUndo = command("undo-command", BCommandMode::Discard);
    pUndo->onDo = [] { BCommandProcessor::instance()->undo(); };
    processor()->execute(pUndo);
    QCOMPARE(labelsOfUndo(), QStringList({"1"}));
    QCOMPARE(labelsOfRedo(), QStringList({"2"}));
    QVERIFY(m_log.contains("delete undo-command"));
}

void TestBCommandProcessor::executingAFiledCommandAgainIsRefused()
{
    executeNumbered(2);
    BCommand *pFiled = processor()->undoCommandAt(0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already in a history"));
    processor()->execute(pFiled);
    QCOMPARE(labelsOfUndo(), QStringList({"1", "2"}));
    QVERIFY(!m_log.contains("do 1 1"));

    processor()->undo();
    BCommand *pUndone = processor()->redoCommandAt(0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already in a history"));
    processor()->execute(pUndone);
    QCOMPARE(labelsOfRedo(), QStringList({"2"}));
}

void TestBCommandProcessor::processorDeletesItsCommandsAndIsMadeAnew()
{
    executeNumbered(4);
    processor()->undoTo(1);
    BCommandProcessor *pOld = processor();
    delete pOld;
    QCOMPARE(RecordingCommand::liveCount(), 0);
    QCOMPARE(m_log.filter("delete").size(), 4);

    QCOMPARE(processor()->undoCount(), 0);
    QCOMPARE(processor()->redoCount(), 0);

    executeNumbered(3);
    processor()->undo();
    processor()->clear();
    QCOMPARE(RecordingCommand::liveCount(), 0);
    QCOMPARE(processor()->undoCount(), 0);
    QCOMPARE(processor()->redoCount(), 0);
}

void TestBCommandProcessor::actionsFollowTheHistories()
{
    FakeMainController main({ActionId::Undo, ActionId::Redo, ActionId::UndoList});
    const auto enabled = [&main]() {
        return QList<bool>{main.action(ActionId::Undo)->isEnabled(),
                           main.action(ActionId::Redo)->isEnabled(),
                           main.action(ActionId::UndoList)->isEnabled()};
    };

    processor()->setMainController(&main);
    QCOMPARE(enabled(), QList<bool>({false, false, false}));

    processor()->execute(command("a"));
    QCOMPARE(enabled(), QList<bool>({true, false, true}));

    processor()->undo();
    QCOMPARE(enabled(), QList<bool>({false, true, true}));

    processor()->redo();
    processor()->undo();
    processor()->execute(command("b"));
    QCOMPARE(enabled(), QList<bool>({true, false, true}));

    processor()->clear();
    QCOMPARE(enabled(), QList<bool>({false, false, false}));
}

void TestBCommandProcessor::pasteFollowsTheClipboard()
{
    FakeMainController main({ActionId::Paste});
    QClipboard *pClipboard = QGuiApplication::clipboard();
    pClipboard->clear();
    processor()->setMainController(&main);
    QVERIFY(!processor()->canPaste());
    QVERIFY(!main.action(ActionId::Paste)->isEnabled());

    auto *pData = new QMimeData;
    pData->setData("application/control", "<VMD/>");
    pClipboard->setMimeData(pData);
    QVERIFY(processor()->canPaste());
    // Refreshed on every execute, also of a null command.
    processor()->execute(nullptr);
    QVERIFY(main.action(ActionId::Paste)->isEnabled());

    pClipboard->setText("plain text");
    processor()->execute(command("a", BCommandMode::Discard));
    QVERIFY(!main.action(ActionId::Paste)->isEnabled());
}

void TestBCommandProcessor::actionsOfADeletedMainControllerAreLeftAlone()
{
    auto pMain = std::make_unique<FakeMainController>(QList<int>{ActionId::Undo});
    processor()->setMainController(pMain.get());
    pMain.reset();
    processor()->execute(command("a"));
    processor()->undo();
    QCOMPARE(processor()->redoCount(), 1);
}

// The undo list opens on this processor: newest first, and a double-click on
// the second row undoes two commands.
void TestBCommandProcessor::undoListShowsBothHistories()
{
    executeNumbered(3);
    QStringList shown;
    DModalDialog::setResponder([&shown](DModalDialog *pDialog) {
        auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pUndoList"));
        if (!pList)
            return 0;
        for (int row = 0; row < pList->count(); ++row)
            shown << pList->item(row)->text();
        const QPoint second = pList->visualItemRect(pList->item(1)).center();
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, second);
        pDialog->close();
        return 0;
    });
    processor()->showUndoList();
    QCOMPARE(shown, QStringList({"3", "2", "1"}));
    QCOMPARE(labelsOfUndo(), QStringList({"1"}));
    QCOMPARE(labelsOfRedo(), QStringList({"3", "2"}));
}

VVB_TEST_MAIN(TestBCommandProcessor)
#include "tst_bcommandprocessor.moc"
