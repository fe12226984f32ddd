#include "dialogs/DExitPinDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "support/TestMain.h"

// The exit PIN dialog as the user works it: what is typed, how it is
// confirmed, and what the opener reads afterwards.
class TestDExitPinDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { DModalDialog::setResponder(DModalDialog::Responder()); }

    void enteredPin_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("typed");
        // "return": the Return key in the field; "ok": the OK button;
        // "accept": OK pressed without the field having reported an end of
        // editing; "escape": the Escape key.
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("pin");
        QTest::newRow("typed, Return") << "" << false << "1234" << "return" << 1 << "1234";
        QTest::newRow("typed, accepted at once") << "" << false << "1234" << "accept" << 1 << "1234";
        QTest::newRow("typed, OK button") << "77" << true << "4321" << "ok" << 1 << "4321";
        QTest::newRow("untouched, OK keeps the PIN") << "2468" << false << "" << "ok" << 1 << "2468";
        QTest::newRow("cleared, OK gives no PIN") << "2468" << true << "" << "accept" << 1 << "";
        QTest::newRow("letters and signs refused") << "" << false << "1a2-3 4" << "return" << 1 << "1234";
        QTest::newRow("tenth digit refused") << "" << false << "1234567890" << "return" << 1 << "123456789";
        QTest::newRow("Escape after typing") << "55" << true << "9" << "escape" << 0 << "55";
    }

    void enteredPin()
    {
        QFETCH(QString, current);
        QFETCH(bool, clear);
        QFETCH(QString, typed);
        QFETCH(QString, confirm);
        QFETCH(int, result);
        QFETCH(QString, pin);
        DModalDialog::setResponder([&](DModalDialog *pDialog) {
            pDialog->show();
            auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pExitPinEdit"));
            pEdit->setFocus();
            if (clear)
                pEdit->clear();
            else
                pEdit->end(false);
            QTest::keyClicks(pEdit, typed);
            if (confirm == QLatin1String("return"))
                QTest::keyClick(pEdit, Qt::Key_Return);
            else if (confirm == QLatin1String("escape"))
                QTest::keyClick(pEdit, Qt::Key_Escape);
            else if (confirm == QLatin1String("ok"))
                pDialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            else
                return 1;
            return pDialog->result() == QDialog::Accepted ? 1 : 0;
        });
        DExitPinDialog dialog(current);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Exit PIN Code"));
        QCOMPARE(dialog.runModal(), result);
        if (result == 1)
            QCOMPARE(dialog.exitPin(), pin);
    }
};

VVB_TEST_MAIN(TestDExitPinDialog)
#include "tst_dexitpindialog.moc"
