#include "commands/BCommandProcessor.h"
#include "dialogs/DUndoListDialog.h"
#include "support/RecordingCommand.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

// The undo list, run as the processor runs it and answered through the modal
// seam with real double-clicks on its rows.
class TestDUndoListDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void doubleClickStepsToTheRow_data();
    void doubleClickStepsToTheRow();
    void form();

private:
    static QStringList rows(DModalDialog *pDialog, const char *list);
    static QStringList labels(bool undoHistory);
    static BCommandProcessor *processor() { return BCommandProcessor::instance(); }

    QStringList m_log;
};

void TestDUndoListDialog::init()
{
    m_log.clear();
}

void TestDUndoListDialog::cleanup()
{
    DModalDialog::setResponder({});
    delete BCommandProcessor::instance();
    QCOMPARE(RecordingCommand::liveCount(), 0);
}

QStringList TestDUndoListDialog::rows(DModalDialog *pDialog, const char *list)
{
    QStringList texts;
    const auto *pList = pDialog->findChild<QListWidget *>(QLatin1String(list));
    for (int row = 0; pList && row < pList->count(); ++row)
        texts << pList->item(row)->text();
    return texts;
}

// Oldest first.
QStringList TestDUndoListDialog::labels(bool undoHistory)
{
    QStringList result;
    const int count = undoHistory ? processor()->undoCount() : processor()->redoCount();
    for (int i = 0; i < count; ++i)
        result << (undoHistory ? processor()->undoCommandAt(i) : processor()->redoCommandAt(i))->name();
    return result;
}

void TestDUndoListDialog::doubleClickStepsToTheRow_data()
{
    QTest::addColumn<int>("commands"); // "1" to "n" performed
    QTest::addColumn<int>("undone");   // undone before the list opens
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("shownUndo"); // the lists when opened
    QTest::addColumn<QStringList>("shownRedo");
    QTest::addColumn<QStringList>("undoAfter"); // the histories after, oldest first
    QTest::addColumn<QStringList>("redoAfter");

    const QStringList five = {"5", "4", "3", "2", "1"};
    QTest::newRow("undo, top row takes one") << 5 << 0 << "m_pUndoList" << 0 << five << QStringList{}
                                             << QStringList{"1", "2", "3", "4"} << QStringList{"5"};
    QTest::newRow("undo, bottom row takes all") << 5 << 0 << "m_pUndoList" << 4 << five << QStringList{}
                                                << QStringList{} << QStringList{"5", "4", "3", "2", "1"};
    QTest::newRow("redo, top row is the last undone")
        << 5 << 3 << "m_pRedoList" << 0 << QStringList{"2", "1"} << QStringList{"3", "4", "5"}
        << QStringList{"1", "2", "3"} << QStringList{"5", "4"};
    QTest::newRow("redo, bottom row redoes all")
        << 5 << 3 << "m_pRedoList" << 2 << QStringList{"2", "1"} << QStringList{"3", "4", "5"}
        << QStringList{"1", "2", "3", "4", "5"} << QStringList{};
    QTest::newRow("empty histories") << 0 << 0 << "m_pUndoList" << -1 << QStringList{} << QStringList{}
                                     << QStringList{} << QStringList{};
}

void TestDUndoListDialog::doubleClickStepsToTheRow()
{
    QFETCH(int, commands);
    QFETCH(int, undone);
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(QStringList, shownUndo);
    QFETCH(QStringList, shownRedo);
    QFETCH(QStringList, undoAfter);
    QFETCH(QStringList, redoAfter);
    for (int i = 1; i <= commands; ++i)
        processor()->execute(new RecordingCommand(QString::number(i), &m_log));
    for (int i = 0; i < undone; ++i)
        processor()->undo();

    QStringList openedUndo, openedRedo, closedUndo, closedRedo;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        openedUndo = rows(pDialog, "m_pUndoList");
        openedRedo = rows(pDialog, "m_pRedoList");
        auto *pList = pDialog->findChild<QListWidget *>(list);
        // A user's double-click: the first click, then the second one; on
        // an empty list it lands on no row.
        const QPoint at = row >= 0 ? pList->visualItemRect(pList->item(row)).center() : QPoint(20, 20);
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, at);
        closedUndo = rows(pDialog, "m_pUndoList");
        closedRedo = rows(pDialog, "m_pRedoList");
        pDialog->close();
        return 0;
    });
    processor()->showUndoList();

    QCOMPARE(openedUndo, shownUndo);
    QCOMPARE(openedRedo, shownRedo);
    QCOMPARE(labels(true), undoAfter);
    QCOMPARE(labels(false), redoAfter);
    // The lists were filled afresh: newest first.
    QStringList newestUndo = undoAfter, newestRedo = redoAfter;
    std::reverse(newestUndo.begin(), newestUndo.end());
    std::reverse(newestRedo.begin(), newestRedo.end());
    QCOMPARE(closedUndo, newestUndo);
    QCOMPARE(closedRedo, newestRedo);
}

void TestDUndoListDialog::form()
{
    QString title;
    QStringList captions;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        title = pDialog->windowTitle();
        for (const char *name : {"label", "label_2"})
            captions << pDialog->findChild<QLabel *>(QLatin1String(name))->text();
        return 1;
    });
    DUndoListDialog dialog;
    dialog.setProcessor(processor());
    dialog.runModal();
    QCOMPARE(title, QStringLiteral("Undo/Redo"));
    QCOMPARE(captions, QStringList({"Undo List", "Redo List"}));
    QCOMPARE(dialog.size(), QSize(330, 300));
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
}

VVB_TEST_MAIN(TestDUndoListDialog)
#include "tst_dundolistdialog.moc"
