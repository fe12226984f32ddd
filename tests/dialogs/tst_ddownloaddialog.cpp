#include "dialogs/DDownloadDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "support/TestMain.h"

// The send address dialog: the four fields mirror the held address, and
// only OK writes what the user typed back into it.
class TestDDownloadDialog : public QObject
{
    Q_OBJECT

private:
    static QSpinBox *field(QDialog *pDialog, int index)
    {
        return pDialog->findChild<QSpinBox *>(QStringLiteral("m_pField%1").arg(index + 1));
    }

private slots:
    void cleanup() { DModalDialog::setResponder(DModalDialog::Responder()); }

    void fieldsMirrorTheAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QList<int>>("octets");
        QTest::newRow("default") << "192.168.0.1" << QList<int>{192, 168, 0, 1};
        QTest::newRow("extremes") << "0.255.0.255" << QList<int>{0, 255, 0, 255};
        QTest::newRow("loopback") << "127.0.0.1" << QList<int>{127, 0, 0, 1};
    }

    void fieldsMirrorTheAddress()
    {
        QFETCH(QString, address);
        QFETCH(QList<int>, octets);
        DDownloadDialog dialog;
        dialog.m_address.setAddress(QHostAddress(address));
        dialog.initialize();
        for (int i = 0; i < 4; ++i) {
            QVERIFY(field(&dialog, i));
            QCOMPARE(field(&dialog, i)->value(), octets.at(i));
            QCOMPARE(field(&dialog, i)->minimum(), 0);
            QCOMPARE(field(&dialog, i)->maximum(), 255);
        }
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Send to Mobile Device"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        // OK without a change gives the same address back.
        dialog.accept();
        QCOMPARE(dialog.m_address.toHostAddress(), QHostAddress(address));
    }

    // The user types into the fields, then presses OK or Cancel.
    void typedAddressReachesTheOpener_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressOk");
        QTest::addColumn<QString>("held");
        QTest::newRow("ok") << "10.1.2.3" << true << "10.1.2.3";
        QTest::newRow("a third digit above 255 is refused") << "10.1.999.3" << true << "10.1.99.3";
        QTest::newRow("cancel") << "10.1.2.3" << false << "192.168.0.1";
    }

    void typedAddressReachesTheOpener()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pressOk);
        QFETCH(QString, held);
        const QStringList parts = typed.split(QLatin1Char('.'));
        DModalDialog::setResponder([&](DModalDialog *pDialog) {
            pDialog->show();
            for (int i = 0; i < 4; ++i) {
                QSpinBox *pField = field(pDialog, i);
                pField->selectAll();
                QTest::keyClicks(pField, parts.at(i));
            }
            auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QTest::mouseClick(pBox->button(pressOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
            return pDialog->result() == QDialog::Accepted ? 1 : 0;
        });
        DDownloadDialog dialog;
        dialog.m_address.setAddress(QHostAddress(QStringLiteral("192.168.0.1")));
        dialog.initialize();
        QCOMPARE(dialog.runModal(), pressOk ? 1 : 0);
        QCOMPARE(dialog.m_address.toHostAddress(), QHostAddress(held));
    }
};

VVB_TEST_MAIN(TestDDownloadDialog)
#include "tst_ddownloaddialog.moc"
