#include "dialogs/DParameterSetDialog.h"
#include "hardware/HParameterSet.h"
#include "support/DialogDriver.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Three parameter sets "Dawn", "Noon" and "Dusk" holding an old order, and a
// user who works the dialog through its widgets.
struct Sets
{
    Sets()
    {
        for (const char *name : {"Dawn", "Noon", "Dusk"}) {
            nodes.append(std::make_shared<HParameterSet>());
            nodes.last()->setLabel(QLatin1String(name));
            nodes.last()->setSortKey(7);
            list.append(nodes.last().get());
        }
    }

    // Runs the dialog on the list; the steps say whether to press OK.
    bool run(const std::function<bool(DModalDialog *, QListWidget *)> &steps)
    {
        ModalAnswer user([&](DModalDialog *pDialog) {
            auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pList"));
            const bool ok = steps(pDialog, pList);
            DialogDriver::press(pDialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
            return -1;
        });
        DParameterSetDialog dialog;
        dialog.setNodeList(&list);
        return dialog.runModal();
    }

    QList<int> keys() const
    {
        QList<int> result;
        for (const auto &pNode : nodes)
            result.append(pNode->sortKey());
        return result;
    }

    static void tick(QListWidget *pList, int row, bool on = true)
    {
        pList->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    static bool okEnabled(DModalDialog *pDialog)
    {
        auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        return pBox->button(QDialogButtonBox::Ok)->isEnabled();
    }

    QList<std::shared_ptr<HParameterSet>> nodes;
    QList<HNode *> list;
};

} // namespace

class TestDParameterSetDialog : public QObject
{
    Q_OBJECT

private slots:
    void formAndRows();
    void okFollowsTheTicks();
    void moveButtons();
    void ordering_data();
    void ordering();
    void reopenedShowsTheCallersOrderUnticked();
    void cancelChangesNothing();
};

void TestDParameterSetDialog::formAndRows()
{
    Sets s;
    s.list.insert(1, nullptr);
    QStringList rows;
    QString title;
    bool checkable = true;
    QVERIFY(!s.run([&](DModalDialog *pDialog, QListWidget *pList) {
        rows = DialogDriver::rows(pList);
        title = pDialog->windowTitle();
        for (int row = 0; row < pList->count(); ++row)
            checkable = checkable && (pList->item(row)->flags() & Qt::ItemIsUserCheckable)
                        && pList->item(row)->checkState() == Qt::Unchecked;
        return false;
    }));
    QCOMPARE(rows, (QStringList{"Dawn", "Noon", "Dusk"}));
    QCOMPARE(title, QStringLiteral("Parameter Set Configuration"));
    QVERIFY(checkable);

    DParameterSetDialog dialog;
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.size(), QSize(300, 290));
    // Without a list the dialog still opens, empty.
    ModalAnswer user([](DModalDialog *) { return 0; });
    QVERIFY(!dialog.runModal());
}

void TestDParameterSetDialog::okFollowsTheTicks()
{
    Sets s;
    QList<bool> states;
    QVERIFY(s.run([&](DModalDialog *pDialog, QListWidget *pList) {
        auto *pAll = pDialog->findChild<QCheckBox *>(QStringLiteral("m_pSelectBox"));
        states << Sets::okEnabled(pDialog);
        Sets::tick(pList, 1);
        states << Sets::okEnabled(pDialog);
        Sets::tick(pList, 1, false);
        states << Sets::okEnabled(pDialog);
        QTest::mouseClick(pAll, Qt::LeftButton, Qt::NoModifier, QPoint(5, pAll->height() / 2));
        states << Sets::okEnabled(pDialog) << (pList->item(2)->checkState() == Qt::Checked);
        QTest::mouseClick(pAll, Qt::LeftButton, Qt::NoModifier, QPoint(5, pAll->height() / 2));
        states << Sets::okEnabled(pDialog) << (pList->item(0)->checkState() == Qt::Checked);
        // Rows ticked one by one leave the box as it is.
        Sets::tick(pList, 0);
        states << pAll->isChecked();
        return true;
    }));
    QCOMPARE(states, (QList<bool>{false, true, false, true, true, false, false, false}));
    QCOMPARE(s.keys(), (QList<int>{0, -1, -1}));
}

void TestDParameterSetDialog::moveButtons()
{
    Sets s;
    QStringList seen;
    QVERIFY(!s.run([&](DModalDialog *pDialog, QListWidget *pList) {
        const auto state = [&](const char *step) {
            seen << QStringLiteral("%1 up=%2 down=%3")
                        .arg(QLatin1String(step))
                        .arg(DialogDriver::isEnabled(pDialog, QStringLiteral("m_pMoveUp")))
                        .arg(DialogDriver::isEnabled(pDialog, QStringLiteral("m_pMoveDown")));
        };
        state("open");
        // Down without a clicked row does nothing.
        DialogDriver::click(pDialog, QStringLiteral("m_pMoveDown"));
        seen << DialogDriver::rows(pList).join(QLatin1Char(','));
        DialogDriver::clickIndex(pList, pList->model()->index(0, 0));
        state("first");
        DialogDriver::clickIndex(pList, pList->model()->index(2, 0));
        state("last");
        DialogDriver::click(pDialog, QStringLiteral("m_pMoveUp"));
        DialogDriver::click(pDialog, QStringLiteral("m_pMoveUp"));
        state("moved to the top");
        seen << DialogDriver::rows(pList).join(QLatin1Char(','));
        return false;
    }));
    QCOMPARE(seen, (QStringList{"open up=0 down=1", "Dawn,Noon,Dusk", "first up=0 down=1", "last up=1 down=0",
                                "moved to the top up=0 down=1", "Dusk,Dawn,Noon"}));
}

// Rows are clicked and moved, then the rows given (by their place after the
// moves) are ticked.
void TestDParameterSetDialog::ordering_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("keys");
    QTest::newRow("as listed, all") << -1 << QStringList{} << QList<int>{0, 1, 2} << QList<int>{0, 1, 2};
    QTest::newRow("third up, rows one and three")
        << 2 << QStringList{"m_pMoveUp"} << QList<int>{0, 2} << QList<int>{0, 1, -1};
    QTest::newRow("first to the end, first and last")
        << 0 << QStringList{"m_pMoveDown", "m_pMoveDown"} << QList<int>{0, 2} << QList<int>{1, 0, -1};
    QTest::newRow("one in the middle") << 1 << QStringList{"m_pMoveUp"} << QList<int>{1}
                                       << QList<int>{0, -1, -1};
}

void TestDParameterSetDialog::ordering()
{
    QFETCH(int, clicked);
    QFETCH(QStringList, moves);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, keys);
    Sets s;
    QVERIFY(s.run([&](DModalDialog *pDialog, QListWidget *pList) {
        if (clicked >= 0)
            DialogDriver::clickIndex(pList, pList->model()->index(clicked, 0));
        for (const QString &button : moves)
            DialogDriver::click(pDialog, button);
        for (int row : ticked)
            Sets::tick(pList, row);
        return true;
    }));
    QCOMPARE(s.keys(), keys);
}

void TestDParameterSetDialog::reopenedShowsTheCallersOrderUnticked()
{
    Sets s;
    s.nodes.at(0)->setSortKey(2);
    s.nodes.at(2)->setSortKey(0);
    QStringList rows;
    int ticked = -1;
    QVERIFY(!s.run([&](DModalDialog *, QListWidget *pList) {
        rows = DialogDriver::rows(pList);
        ticked = 0;
        for (int row = 0; row < pList->count(); ++row)
            ticked += pList->item(row)->checkState() == Qt::Checked ? 1 : 0;
        return false;
    }));
    QCOMPARE(rows, (QStringList{"Dawn", "Noon", "Dusk"}));
    QCOMPARE(ticked, 0);
}

void TestDParameterSetDialog::cancelChangesNothing()
{
    Sets s;
    QVERIFY(!s.run([&](DModalDialog *pDialog, QListWidget *pList) {
        DialogDriver::clickIndex(pList, pList->model()->index(2, 0));
        DialogDriver::click(pDialog, QStringLiteral("m_pMoveUp"));
        Sets::tick(pList, 0);
        return false;
    }));
    QCOMPARE(s.keys(), (QList<int>{7, 7, 7}));
    // An OK refused while nothing is ticked changes nothing either.
    QVERIFY(!s.run([](DModalDialog *, QListWidget *) { return true; }));
    QCOMPARE(s.keys(), (QList<int>{7, 7, 7}));
}

VVB_TEST_MAIN(TestDParameterSetDialog)
#include "tst_dparametersetdialog.moc"
