#include "dialogs/DIPAddressChangeDialog.h"
#include "support/ClippedTexts.h"
#include "support/TestMain.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// The address dialog: what it shows for a text, what it gives back, and
// that the user's edits and buttons reach the caller.
class TestDIPAddressChangeDialog : public QObject
{
    Q_OBJECT

private:
    static QList<int> shownOctets(const DIPAddressChangeDialog &dialog)
    {
        QList<int> octets;
        for (int i = 1; i <= 4; ++i) {
            auto *pSpin = dialog.findChild<QSpinBox *>(QStringLiteral("m_pIPAddressField%1SpinBox").arg(i));
            octets.append(pSpin ? pSpin->value() : -1);
        }
        return octets;
    }

private slots:
    void addressText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("octets");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << "10.0.0.7" << QList<int>{10, 0, 0, 7} << "10.0.0.7";
        QTest::newRow("three parts") << "10.0.7" << QList<int>{0, 0, 0, 0} << "0.0.0.0";
        QTest::newRow("five parts") << "10.0.0.7.1" << QList<int>{0, 0, 0, 0} << "0.0.0.0";
        QTest::newRow("empty") << "" << QList<int>{0, 0, 0, 0} << "0.0.0.0";
        QTest::newRow("empty part") << "10..0.7" << QList<int>{10, 0, 0, 7} << "10.0.0.7";
        QTest::newRow("not a number") << "10.a.0.7" << QList<int>{10, 0, 0, 7} << "10.0.0.7";
        QTest::newRow("above range") << "10.300.0.7" << QList<int>{10, 255, 0, 7} << "10.255.0.7";
        QTest::newRow("below range") << "10.-4.0.7" << QList<int>{10, 0, 0, 7} << "10.0.0.7";
        QTest::newRow("leading zeros") << "010.000.000.007" << QList<int>{10, 0, 0, 7} << "10.0.0.7";
        QTest::newRow("hexadecimal") << "0x10.0.0.7" << QList<int>{0, 0, 0, 7} << "0.0.0.7";
    }

    void addressText()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, octets);
        QFETCH(QString, address);
        DIPAddressChangeDialog dialog;
        dialog.setIPAddress(text);
        QCOMPARE(shownOctets(dialog), octets);
        QCOMPARE(dialog.ipAddress(), address);
    }

    // A clamped octet that the spin box already showed is still given back.
    void repeatedClampKeepsShownValue()
    {
        DIPAddressChangeDialog dialog;
        dialog.setIPAddress(QStringLiteral("1.2.3.255"));
        dialog.setIPAddress(QStringLiteral("1.2.3.999"));
        QCOMPARE(dialog.ipAddress(), QStringLiteral("1.2.3.255"));
    }

    // Every label of the shown dialog has room for its whole text.
    void labelsAreNotClipped()
    {
        DIPAddressChangeDialog dialog;
        dialog.setBlockName(QStringLiteral("Main Rack"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.findChildren<QLabel *>().isEmpty());
        const QStringList clipped = clippedTexts(&dialog);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    void blockNameIsShownReadOnly()
    {
        DIPAddressChangeDialog dialog;
        dialog.setBlockName(QStringLiteral("Rack <Main>"));
        auto *pEdit = dialog.findChild<QLineEdit *>(QStringLiteral("m_pBlockNameLineEdit"));
        QVERIFY(pEdit);
        QCOMPARE(pEdit->text(), QStringLiteral("Rack <Main>"));
        QVERIFY(pEdit->isReadOnly());
        QCOMPARE(dialog.blockName(), QStringLiteral("Rack <Main>"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit the block's IP address as needed"));
    }

    // The user's edit of a field, then OK or Cancel, through the modal seam.
    void editAndAnswer_data()
    {
        QTest::addColumn<bool>("pressOk");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }

    void editAndAnswer()
    {
        QFETCH(bool, pressOk);
        DModalDialog::setResponder([pressOk](DModalDialog *pDialog) {
            auto *pSpin = pDialog->findChild<QSpinBox *>(QStringLiteral("m_pIPAddressField3SpinBox"));
            if (pSpin)
                pSpin->setValue(42);
            auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("m_pButtonBox"));
            if (pBox)
                pBox->button(pressOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
            return pDialog->result() == QDialog::Accepted ? 1 : 0;
        });
        DIPAddressChangeDialog dialog;
        dialog.setIPAddress(QStringLiteral("192.168.1.20"));
        const int result = dialog.runModal();
        DModalDialog::setResponder(DModalDialog::Responder());
        QCOMPARE(result, pressOk ? 1 : 0);
        QCOMPARE(dialog.ipAddress(), QStringLiteral("192.168.42.20"));
    }
};

VVB_TEST_MAIN(TestDIPAddressChangeDialog)
#include "tst_dipaddresschangedialog.moc"
