#include "dialogs/DPropDialog.h"
#include "support/BoundWidgetFixture.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "widgets/WWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include <memory>

// The dialer and drop-list pages, opened by the Properties tab on a selected
// control and worked through their forms.
class TestDPropDialerDialog : public QObject
{
    Q_OBJECT

private slots:
    void dialerForm();
    void dialerFields_data();
    void dialerFields();
    void callAndEndOnlyForTheTelephoneNetwork_data();
    void callAndEndOnlyForTheTelephoneNetwork();
    void secondaryColourSample();
    void arrowsAloneFileNothing();
    void dialerValueInForceFilesNothing_data();
    void dialerValueInForceFilesNothing();
    void dropListForm();
    void dropListFields_data();
    void dropListFields();
    void dropListAlignShown_data();
    void dropListAlignShown();
};

namespace {

using Settings = PropPageFixture::Settings;

const Settings kDialer = {{"x", "10"},
                          {"y", "20"},
                          {"width", "180"},
                          {"height", "300"},
                          {"primaryColor", "white"},
                          {"secondaryColorRed", "10"},
                          {"secondaryColorGreen", "20"},
                          {"secondaryColorBlue", "30"},
                          {"alwaysShowCallAndEnd", "0"}};

// A dialer bound as a telephone block's template binds it, to a node of the name.
struct Dialer
{
    explicit Dialer(const QString &nodeName = QStringLiteral("PSTN In 1"), const Settings &settings = kDialer)
        : bound(QStringLiteral("dialer"), settings,
                {{"index1", "0"}, {"index2", "1"}, {"struct", "8"}, {"transform", "text"}, {"callType", "PSTN"}},
                QStringLiteral("range"), new FakeNode(QStringLiteral("Blocks"), nodeName),
                QStringLiteral("Dialer"), QStringLiteral("Dialer"))
        , pages(bound.fx)
    {
    }

    BoundWidgetFixture bound;
    PropPageFixture pages;
};

const Settings kDropList = {{"x", "5"}, {"y", "6"}, {"width", "120"}, {"height", "24"},
                            {"hasBorder", "0"}, {"align", "Left"}};

WWidget *addDropList(PropPageFixture &fx, const Settings &settings = kDropList)
{
    return fx.addWidget(QStringLiteral("DropList"), QStringLiteral("droplist"), settings);
}

} // namespace

void TestDPropDialerDialog::dialerForm()
{
    Dialer d;
    QVERIFY(d.bound.widget);
    DPropDialog *pPage = d.pages.open(d.bound.widget);
    QVERIFY(pPage);
    PropPageFixture &fx = d.pages;
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropDialerDialog"));
    QCOMPARE(pPage->size(), QSize(245, 300));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 300));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pPrimaryColorComboBox"))),
             QStringList({"black", "blue", "green", "pink", "red", "white", "yellow"}));
    for (const char *name : {"m_pRedSpinner", "m_pGreenSpinner", "m_pBlueSpinner"}) {
        auto *pSpin = fx.field<QSpinBox>(QLatin1String(name));
        QVERIFY2(pSpin, name);
        QCOMPARE(pSpin->minimum(), 0);
        QCOMPARE(pSpin->maximum(), 255);
    }
    // Filled from the dialer.
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("10"));
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("300"));
    QCOMPARE(fx.shown(QStringLiteral("m_pPrimaryColorComboBox")), QStringLiteral("white"));
    QCOMPARE(fx.field<QSpinBox>(QStringLiteral("m_pRedSpinner"))->value(), 10);
    QCOMPARE(fx.field<QSpinBox>(QStringLiteral("m_pGreenSpinner"))->value(), 20);
    QCOMPARE(fx.field<QSpinBox>(QStringLiteral("m_pBlueSpinner"))->value(), 30);
    QCOMPARE(fx.shown(QStringLiteral("m_pTypeName")), QStringLiteral("PSTN In 1"));
    QVERIFY(!fx.field<QCheckBox>(QStringLiteral("m_pAlwaysShowCallAndEndCheckbox"))->isChecked());
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropDialerDialog::dialerFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "40" << int(WidgetPropertyId::XPos) << "40";
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "-8" << int(WidgetPropertyId::YPos) << "-8";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "200" << int(WidgetPropertyId::Width) << "200";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "320" << int(WidgetPropertyId::Height) << "320";
    QTest::newRow("scheme") << "pick" << "m_pPrimaryColorComboBox" << "green"
                            << int(WidgetPropertyId::DialerPrimaryColor) << "green";
    QTest::newRow("red") << "spin" << "m_pRedSpinner" << "255" << int(WidgetPropertyId::DialerRed) << "255";
    QTest::newRow("green") << "spin" << "m_pGreenSpinner" << "0" << int(WidgetPropertyId::DialerGreen) << "0";
    QTest::newRow("blue") << "spin" << "m_pBlueSpinner" << "128" << int(WidgetPropertyId::DialerBlue) << "128";
    QTest::newRow("call and end") << "tick" << "m_pAlwaysShowCallAndEndCheckbox" << ""
                                  << int(WidgetPropertyId::AlwaysShowCallAndEnd) << "true";
}

void TestDPropDialerDialog::dialerFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    Dialer d;
    const QString failed = d.pages.roundTrip(d.bound.widget, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropDialerDialog::callAndEndOnlyForTheTelephoneNetwork_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("shown");
    QTest::newRow("PSTN") << "PSTN In 1" << true;
    QTest::newRow("PSTN alone") << "PSTN" << true;
    QTest::newRow("pstn") << "pstn In 1" << false;
    QTest::newRow("Pstn") << "Pstn In 1" << false;
    QTest::newRow("VoIP") << "VoIP 1" << false;
    QTest::newRow("PSTN later in the name") << "Lobby PSTN" << false;
}

void TestDPropDialerDialog::callAndEndOnlyForTheTelephoneNetwork()
{
    QFETCH(QString, node);
    QFETCH(bool, shown);
    Settings settings = kDialer;
    settings.append({QStringLiteral("alwaysShowCallAndEnd"), QStringLiteral("1")});
    Dialer d(node, settings);
    QVERIFY(d.pages.open(d.bound.widget));
    QCOMPARE(d.pages.isVisible(QStringLiteral("m_pAlwaysShowCallAndEndCheckbox")), shown);
    QVERIFY(d.pages.field<QCheckBox>(QStringLiteral("m_pAlwaysShowCallAndEndCheckbox"))->isChecked());
    QCOMPARE(d.pages.shown(QStringLiteral("m_pTypeName")), node);
    QCOMPARE(d.pages.undoCount(), 0);
}

void TestDPropDialerDialog::secondaryColourSample()
{
    Dialer d;
    PropPageFixture &fx = d.pages;
    QVERIFY(fx.open(d.bound.widget));
    auto *pSample = fx.field<QLabel>(QStringLiteral("m_pSecondaryColorSample"));
    QVERIFY(pSample->autoFillBackground());
    QCOMPARE(pSample->palette().color(QPalette::Active, QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(pSample->palette().color(QPalette::Disabled, QPalette::Window), QColor(10, 20, 30));

    QVERIFY(fx.spin(QStringLiteral("m_pRedSpinner"), 255));
    QCOMPARE(fx.undoCount(), 1);
    // The page that replaced the edited one paints the new colour.
    pSample = fx.field<QLabel>(QStringLiteral("m_pSecondaryColorSample"));
    QCOMPARE(pSample->palette().color(QPalette::Window), QColor(255, 20, 30));
    QCOMPARE(fx.field<QSpinBox>(QStringLiteral("m_pRedSpinner"))->value(), 255);
}

void TestDPropDialerDialog::arrowsAloneFileNothing()
{
    Dialer d;
    PropPageFixture &fx = d.pages;
    QVERIFY(fx.open(d.bound.widget));
    auto *pSpin = fx.field<QSpinBox>(QStringLiteral("m_pGreenSpinner"));
    pSpin->setFocus();
    pSpin->stepUp();
    pSpin->stepUp();
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(d.bound.widget->propertyValue(WidgetPropertyId::DialerGreen).toInt(), 20);
    // Leaving the field reports the value it stands at.
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(d.bound.widget->propertyValue(WidgetPropertyId::DialerGreen).toInt(), 22);
}

void TestDPropDialerDialog::dialerValueInForceFilesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "10";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "300";
    QTest::newRow("red") << "spin" << "m_pRedSpinner" << "10";
    QTest::newRow("blue") << "spin" << "m_pBlueSpinner" << "30";
    QTest::newRow("scheme") << "pick" << "m_pPrimaryColorComboBox" << "white";
}

void TestDPropDialerDialog::dialerValueInForceFilesNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    Dialer d;
    QPointer<DPropDialog> pPage = d.pages.open(d.bound.widget);
    QVERIFY(pPage);
    QVERIFY(d.pages.work(action, field, input));
    QCOMPARE(d.pages.undoCount(), 0);
    QCOMPARE(d.pages.page(), pPage.data());
}

void TestDPropDialerDialog::dropListForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addDropList(fx));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropDropListDialog"));
    QCOMPARE(pPage->size(), QSize(245, 170));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 170));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pAlignEdit"))), QStringList({"Left", "Center", "Right"}));
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("5"));
    QCOMPARE(fx.shown(QStringLiteral("m_pWidthEdit")), QStringLiteral("120"));
    QCOMPARE(fx.shown(QStringLiteral("m_pAlignEdit")), QStringLiteral("Left"));
    QVERIFY(!fx.field<QCheckBox>(QStringLiteral("m_pBorder"))->isChecked());
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropDialerDialog::dropListFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "15" << int(WidgetPropertyId::XPos) << "15";
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "16" << int(WidgetPropertyId::YPos) << "16";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "150" << int(WidgetPropertyId::Width) << "150";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "30" << int(WidgetPropertyId::Height) << "30";
    QTest::newRow("border") << "tick" << "m_pBorder" << "" << int(WidgetPropertyId::HasBorder) << "true";
    QTest::newRow("right") << "pick" << "m_pAlignEdit" << "Right" << int(WidgetPropertyId::Align) << "Right";
    QTest::newRow("center") << "pick" << "m_pAlignEdit" << "Center" << int(WidgetPropertyId::Align) << "Center";
}

void TestDPropDialerDialog::dropListFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pList = addDropList(fx);
    const QString failed = fx.roundTrip(pList, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropDialerDialog::dropListAlignShown_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("border");
    QTest::newRow("Center") << "Center" << "Center" << true;
    QTest::newRow("lower-case right") << "right" << "Right" << false;
    QTest::newRow("unknown word") << "middle" << "Left" << true;
}

void TestDPropDialerDialog::dropListAlignShown()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(bool, border);
    PropPageFixture fx;
    const Settings settings = {{"x", "5"}, {"y", "6"}, {"width", "120"}, {"height", "24"},
                               {"hasBorder", border ? "1" : "0"}, {"align", stored}};
    QVERIFY(fx.open(addDropList(fx, settings)));
    QCOMPARE(fx.shown(QStringLiteral("m_pAlignEdit")), shown);
    QCOMPARE(fx.field<QCheckBox>(QStringLiteral("m_pBorder"))->isChecked(), border);
    QCOMPARE(fx.undoCount(), 0);
}

VVB_TEST_MAIN(TestDPropDialerDialog)
#include "tst_dpropdialerdialog.moc"
