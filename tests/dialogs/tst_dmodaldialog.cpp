#include "dialogs/DModalDialog.h"
#include "support/DialogDriver.h"
#include "support/TestMain.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

// A dialog of the family that keeps the base's empty prepare and has no
// fail(): its status stays undecided whatever the user does.
class PlainDialog : public DModalDialog
{
public:
    PlainDialog()
    {
        auto *pBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        pBox->setObjectName(QStringLiteral("buttonBox"));
        (new QVBoxLayout(this))->addWidget(pBox);
        connect(pBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(pBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
};

// One with pass() and fail(), connected when prepared.
class DecidingDialog : public PlainDialog
{
public:
    void prepare() override
    {
        ++prepared;
        connect(this, &QDialog::accepted, this, [this] { setStatus(StatusPassed); });
        connect(this, &QDialog::rejected, this, [this] { setStatus(StatusFailed); });
        setStatus(StatusUndecided);
    }
    int prepared = 0;
};

} // namespace

class TestDModalDialog : public QObject
{
    Q_OBJECT

private slots:
    void windowIsToolWithoutHelp();
    void closing_data();
    void closing();
};

void TestDModalDialog::windowIsToolWithoutHelp()
{
    PlainDialog dialog;
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.status(), int(DModalDialog::StatusUndecided));
}

// How the user leaves: OK, Cancel, Escape, the window's close button.
void TestDModalDialog::closing_data()
{
    QTest::addColumn<bool>("deciding");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("status");
    for (bool deciding : {false, true}) {
        const char *kind = deciding ? "with fail" : "plain";
        const int undecided = DModalDialog::StatusUndecided;
        QTest::addRow("%s, OK", kind) << deciding << "ok" << true
                                      << (deciding ? int(DModalDialog::StatusPassed) : undecided);
        QTest::addRow("%s, Cancel", kind) << deciding << "cancel" << false
                                          << (deciding ? int(DModalDialog::StatusFailed) : undecided);
        QTest::addRow("%s, Escape", kind) << deciding << "escape" << false
                                          << (deciding ? int(DModalDialog::StatusFailed) : undecided);
        QTest::addRow("%s, close button", kind) << deciding << "close" << false
                                                << (deciding ? int(DModalDialog::StatusFailed) : undecided);
    }
}

void TestDModalDialog::closing()
{
    QFETCH(bool, deciding);
    QFETCH(QString, how);
    QFETCH(bool, result);
    QFETCH(int, status);
    std::unique_ptr<DModalDialog> pDialog(deciding ? new DecidingDialog : new PlainDialog);
    bool shown = false;
    Qt::WindowModality modality = Qt::NonModal;
    ModalAnswer user([&](DModalDialog *pShown) {
        shown = pShown->isVisible();
        modality = pShown->windowModality();
        if (how == QLatin1String("ok"))
            DialogDriver::press(pShown, QDialogButtonBox::Ok);
        else if (how == QLatin1String("cancel"))
            DialogDriver::press(pShown, QDialogButtonBox::Cancel);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(pShown, Qt::Key_Escape);
        else
            pShown->close();
        return -1;
    });
    QCOMPARE(pDialog->runModal(), result);
    QVERIFY(shown);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!pDialog->isVisible());
    QCOMPARE(pDialog->status(), status);
    if (auto *pDeciding = dynamic_cast<DecidingDialog *>(pDialog.get()))
        QCOMPARE(pDeciding->prepared, 1);
}

VVB_TEST_MAIN(TestDModalDialog)
#include "tst_dmodaldialog.moc"
