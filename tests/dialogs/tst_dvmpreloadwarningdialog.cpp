#include "dialogs/DVMPReloadWarningDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "support/TestMain.h"

// The reload warning answered through the modal seam: the check box
// clicked as the user would, then Yes, No, Escape or the window closed.
class TestDVMPReloadWarningDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { DModalDialog::setResponder({}); }
    void answers_data();
    void answers();
    void form();
};

void TestDVMPReloadWarningDialog::answers_data()
{
    QTest::addColumn<int>("ticks");     // clicks on "Do not show again"
    QTest::addColumn<QString>("close"); // "yes", "no", "escape" or "close"
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("doNotShow");
    QTest::newRow("yes") << 0 << "yes" << true << false;
    QTest::newRow("ticked, yes") << 1 << "yes" << true << true;
    QTest::newRow("ticked twice, yes") << 2 << "yes" << true << false;
    QTest::newRow("ticked, no") << 1 << "no" << false << true;
    QTest::newRow("escape") << 0 << "escape" << false << false;
    QTest::newRow("window closed") << 0 << "close" << false << false;
}

void TestDVMPReloadWarningDialog::answers()
{
    QFETCH(int, ticks);
    QFETCH(QString, close);
    QFETCH(bool, accepted);
    QFETCH(bool, doNotShow);
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        auto *pBox = pDialog->findChild<QCheckBox *>(QStringLiteral("m_pDoNotShowAgainCheckbox"));
        auto *pButtons = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        for (int i = 0; i < ticks; ++i)
            QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(6, pBox->height() / 2));
        if (close == QLatin1String("yes") || close == QLatin1String("no"))
            QTest::mouseClick(pButtons->button(close == QLatin1String("yes") ? QDialogButtonBox::Yes
                                                                             : QDialogButtonBox::No),
                              Qt::LeftButton);
        else if (close == QLatin1String("escape"))
            QTest::keyClick(pDialog, Qt::Key_Escape);
        else
            pDialog->close();
        return -1;
    });
    DVMPReloadWarningDialog dialog;
    QCOMPARE(dialog.runModal(), accepted);
    QCOMPARE(dialog.doNotShowAgain(), doNotShow);
}

void TestDVMPReloadWarningDialog::form()
{
    DVMPReloadWarningDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("VMP File Reload Warning"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.size(), QSize(400, 384));
    const auto *pLabel = dialog.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(pLabel && pLabel->wordWrap());
    QCOMPARE(pLabel->text(),
             QStringLiteral("A VMP file is already loaded.  Loading an updated version of  that file is OK, but you "
                            "should not load an unrelated VMP file.\n\nAlso, you will need to manually check and "
                            "re-place parameter set controls, which may be deleted or may not be fully updated as "
                            "part of the reload process.\n\nYou should save and back up your Vazado Ziv (.cpz) File "
                            "before proceeding.\n\nDo you want to proceed?"));
    const auto *pBox = dialog.findChild<QCheckBox *>(QStringLiteral("m_pDoNotShowAgainCheckbox"));
    QVERIFY(pBox && !pBox->isChecked());
    QCOMPARE(pBox->text(), QStringLiteral("Do not show again"));
    QVERIFY(!dialog.doNotShowAgain());
}

VVB_TEST_MAIN(TestDVMPReloadWarningDialog)
#include "tst_dvmpreloadwarningdialog.moc"
