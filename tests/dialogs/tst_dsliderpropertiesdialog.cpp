#include "dialogs/DSliderPropertiesDialog.h"

#include <QIntValidator>
#include <QtTest>

#include "support/TestMain.h"

// The slider limits dialog, answered through the modal seam as a user
// would type into it.
class TestDSliderPropertiesDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void prepared();
    void accepted_data();
    void accepted();
    void cancelKeepsTheStoredValues();
    void madeByTheMetaTypeSystem();
};

void TestDSliderPropertiesDialog::cleanup()
{
    DModalDialog::setResponder({});
}

void TestDSliderPropertiesDialog::prepared()
{
    DSliderPropertiesDialog dialog;
    QCOMPARE(dialog.size(), QSize(290, 110));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QVERIFY(!dialog.validator());
    dialog.setLowerLimit(-60);
    dialog.setUpperLimit(12);
    dialog.setMinimum(-40);
    dialog.setMaximum(6);
    dialog.setPercent(true);
    QStringList seen;
    int status = -1;
    const QIntValidator *pValidator = nullptr;
    DModalDialog::setResponder([&](DModalDialog *) {
        seen << dialog.m_pMinimum->text() << dialog.m_pMaximum->text() << dialog.m_pMinimum->selectedText();
        seen << (dialog.m_pPercent->isChecked() ? QStringLiteral("percent") : QStringLiteral("dB"));
        pValidator = dialog.validator();
        status = dialog.status();
        return 1;
    });
    QVERIFY(dialog.runModal());
    QCOMPARE(seen, QStringList({"-40", "6", "-40", "percent"}));
    QCOMPARE(status, int(DModalDialog::StatusUndecided));
    QVERIFY(pValidator);
    QCOMPARE(pValidator->bottom(), -60);
    QCOMPARE(pValidator->top(), 12);
    QCOMPARE(dialog.m_pMinimum->validator(), pValidator);
    QCOMPARE(dialog.m_pMaximum->validator(), pValidator);
    QCOMPARE(dialog.status(), int(DModalDialog::StatusPassed));
}

void TestDSliderPropertiesDialog::accepted_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("storedMin");
    QTest::addColumn<int>("storedMax");
    QTest::addColumn<QString>("typedMin"); // null: left untouched
    QTest::addColumn<QString>("typedMax");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("untouched maximum above the limit") << 0 << 100 << 10 << 150 << QString() << QString() << false
                                                       << 10 << 100;
    QTest::newRow("typed values") << -60 << 12 << -40 << 6 << "-30" << "10" << true << -30 << 10;
    QTest::newRow("empty minimum goes to the lower limit") << 10 << 100 << 20 << 50 << "" << QString() << false
                                                           << 10 << 50;
    QTest::newRow("empty minimum with 0 allowed") << -10 << 100 << 20 << 50 << "" << QString() << false << 0 << 50;
    QTest::newRow("minimum above maximum kept") << 0 << 100 << 20 << 50 << "80" << "30" << false << 80 << 30;
    QTest::newRow("too long for 32 bits") << -100 << 100 << 1 << 2 << QString() << "99999999999" << false << 1 << 0;
}

void TestDSliderPropertiesDialog::accepted()
{
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, storedMin);
    QFETCH(int, storedMax);
    QFETCH(QString, typedMin);
    QFETCH(QString, typedMax);
    QFETCH(bool, percent);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    DSliderPropertiesDialog dialog;
    dialog.setLowerLimit(lower);
    dialog.setUpperLimit(upper);
    dialog.setMinimum(storedMin);
    dialog.setMaximum(storedMax);
    DModalDialog::setResponder([&](DModalDialog *) {
        if (!typedMin.isNull())
            dialog.m_pMinimum->setText(typedMin);
        if (!typedMax.isNull())
            dialog.m_pMaximum->setText(typedMax);
        dialog.m_pPercent->setChecked(percent);
        return 1;
    });
    QVERIFY(dialog.runModal());
    QCOMPARE(dialog.minimum(), minimum);
    QCOMPARE(dialog.maximum(), maximum);
    QCOMPARE(dialog.isPercent(), percent);
}

void TestDSliderPropertiesDialog::cancelKeepsTheStoredValues()
{
    DSliderPropertiesDialog dialog;
    dialog.setLowerLimit(0);
    dialog.setUpperLimit(100);
    dialog.setMinimum(5);
    dialog.setMaximum(150);
    dialog.setPercent(true);
    DModalDialog::setResponder([&](DModalDialog *) {
        dialog.m_pMinimum->setText(QStringLiteral("50"));
        dialog.m_pPercent->setChecked(false);
        return 0;
    });
    QVERIFY(!dialog.runModal());
    QCOMPARE(dialog.status(), int(DModalDialog::StatusFailed));
    QCOMPARE(dialog.minimum(), 5);
    QCOMPARE(dialog.maximum(), 150);
    QVERIFY(dialog.isPercent());
}

void TestDSliderPropertiesDialog::madeByTheMetaTypeSystem()
{
    std::unique_ptr<QObject> pObject(
        DSliderPropertiesDialog::staticMetaObject.newInstance(Q_ARG(QWidget *, nullptr)));
    auto *pDialog = qobject_cast<DSliderPropertiesDialog *>(pObject.get());
    QVERIFY(pDialog);
    QVERIFY(!pDialog->parent());
    QVERIFY(QMetaType::fromType<DSliderPropertiesDialog *>().isValid());
}

VVB_TEST_MAIN(TestDSliderPropertiesDialog)
#include "tst_dsliderpropertiesdialog.moc"
