#include "dialogs/DPropDialog.h"
#include "model/CControl.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "widgets/WWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

// The bar meter and image meter pages, opened by the Properties tab on a
// selected meter and worked through their forms.
class TestDPropMeterDialog : public QObject
{
    Q_OBJECT

private slots:
    void meterForm();
    void meterFields_data();
    void meterFields();
    void markerLevelShown_data();
    void markerLevelShown();
    void markerFieldFollowsTheBox_data();
    void markerFieldFollowsTheBox();
    void meterValueInForceFilesNothing_data();
    void meterValueInForceFilesNothing();
    void imageMeterForm();
    void imageMeterFields_data();
    void imageMeterFields();
    void opacityOpensAtItsPosition_data();
    void opacityOpensAtItsPosition();
    void opacityReportedOnRelease();
    void opacityRoundTrip();
};

namespace {

using Settings = PropPageFixture::Settings;

const Settings kGeometry = {{"x", "10"}, {"y", "20"}, {"width", "60"}, {"height", "200"}};

Settings meterSettings(const QString &markerLevel = QString())
{
    Settings settings = kGeometry;
    settings.append({QStringLiteral("text"), QStringLiteral("Mic")});
    settings.append({QStringLiteral("meterRate"), QStringLiteral("2x/s")});
    // A marker is on exactly when its level is stored.
    if (!markerLevel.isNull())
        settings.append({QStringLiteral("markerLevelPoint"), QString(markerLevel)});
    return settings;
}

Settings imageMeterSettings(const QString &opacity = QStringLiteral("0.5"))
{
    Settings settings = kGeometry;
    settings.append({QStringLiteral("imageOpacity"), QString(opacity)});
    settings.append({QStringLiteral("meterRate"), QStringLiteral("3x/s")});
    return settings;
}

WWidget *addMeter(PropPageFixture &fx, const Settings &settings)
{
    return fx.addWidget(QStringLiteral("Meter"), QStringLiteral("meter"), settings);
}

WWidget *addImageMeter(PropPageFixture &fx, const Settings &settings = imageMeterSettings())
{
    return fx.addWidget(QStringLiteral("MeterImage"), QStringLiteral("meterimage"), settings);
}

const QStringList kPollRates = {"1x/s", "2x/s", "3x/s", "4x/s", "5x/s"};

// Drags the handle to the value, then lets it go.
void dragAndRelease(QSlider *pSlider, int value)
{
    pSlider->setSliderDown(true);
    pSlider->setSliderPosition(value);
    pSlider->setSliderDown(false);
}

} // namespace

void TestDPropMeterDialog::meterForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addMeter(fx, meterSettings("-20")));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropMeterDialog"));
    QCOMPARE(pPage->size(), QSize(245, 251));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 300));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pMeterPollRateCombobox"))), kPollRates);
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("10"));
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("200"));
    QCOMPARE(fx.shown(QStringLiteral("m_pLabelEdit")), QStringLiteral("Mic"));
    QCOMPARE(fx.shown(QStringLiteral("m_pMeterPollRateCombobox")), QStringLiteral("2x/s"));
    QVERIFY(fx.field<QCheckBox>(QStringLiteral("m_pEnableLevelMarker"))->isChecked());
    QCOMPARE(fx.shown(QStringLiteral("m_pMarkerLevelEdit")), QStringLiteral("-20"));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropMeterDialog::meterFields_data()
{
    QTest::addColumn<QString>("marker"); // the stored level; null: marker off
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    const QString off;
    QTest::newRow("x") << off << "type" << "m_pXPosEdit" << "35" << int(WidgetPropertyId::XPos) << "35";
    QTest::newRow("y") << off << "type" << "m_pYPosEdit" << "-4" << int(WidgetPropertyId::YPos) << "-4";
    QTest::newRow("width") << off << "type" << "m_pWidthEdit" << "80" << int(WidgetPropertyId::Width) << "80";
    QTest::newRow("height") << off << "type" << "m_pHeightEdit" << "150" << int(WidgetPropertyId::Height) << "150";
    QTest::newRow("text") << off << "type" << "m_pLabelEdit" << "Podium" << int(WidgetPropertyId::Text)
                          << "Podium";
    QTest::newRow("empty text") << off << "type" << "m_pLabelEdit" << "" << int(WidgetPropertyId::Text) << "";
    QTest::newRow("poll rate") << off << "pick" << "m_pMeterPollRateCombobox" << "5x/s"
                               << int(WidgetPropertyId::MeterRate) << "5x/s";
    QTest::newRow("marker on") << off << "tick" << "m_pEnableLevelMarker" << "" << int(WidgetPropertyId::MarkerEnabled)
                               << "true";
    QTest::newRow("marker off") << "-20" << "untick" << "m_pEnableLevelMarker" << ""
                                << int(WidgetPropertyId::MarkerEnabled) << "false";
    QTest::newRow("marker level") << "-20" << "type" << "m_pMarkerLevelEdit" << "-12.5"
                                  << int(WidgetPropertyId::MarkerLevel) << "-12.5";
    QTest::newRow("marker level above") << "-20" << "type" << "m_pMarkerLevelEdit" << "-6.25"
                                        << int(WidgetPropertyId::MarkerLevel) << "-6.25";
    QTest::newRow("marker level no number") << "-20" << "type" << "m_pMarkerLevelEdit" << "loud"
                                            << int(WidgetPropertyId::MarkerLevel) << "0";
}

void TestDPropMeterDialog::meterFields()
{
    QFETCH(QString, marker);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pMeter = addMeter(fx, meterSettings(marker));
    const QString failed = fx.roundTrip(pMeter, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropMeterDialog::markerLevelShown_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("shown");
    QTest::newRow("-0.3") << "-0.3" << "0";
    QTest::newRow("-0.5 rounds up") << "-0.5" << "0";
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("-0.51") << "-0.51" << "-0.51";
    QTest::newRow("-0.7") << "-0.7" << "-0.7";
    QTest::newRow("-1") << "-1" << "-1";
    QTest::newRow("-12.5") << "-12.5" << "-12.5";
    QTest::newRow("-20") << "-20" << "-20";
    QTest::newRow("six digits") << "-12.34567" << "-12.3457";
}

void TestDPropMeterDialog::markerLevelShown()
{
    QFETCH(QString, level);
    QFETCH(QString, shown);
    PropPageFixture fx;
    QVERIFY(fx.open(addMeter(fx, meterSettings(level))));
    QCOMPARE(fx.shown(QStringLiteral("m_pMarkerLevelEdit")), shown);
}

void TestDPropMeterDialog::markerFieldFollowsTheBox_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("on");
    QTest::newRow("off") << QString() << false;
    QTest::newRow("on") << "-20" << true;
}

void TestDPropMeterDialog::markerFieldFollowsTheBox()
{
    QFETCH(QString, marker);
    QFETCH(bool, on);
    PropPageFixture fx;
    WWidget *pMeter = addMeter(fx, meterSettings(marker));
    QPointer<DPropDialog> pPage = fx.open(pMeter);
    QVERIFY(pPage);
    QCOMPARE(fx.field<QCheckBox>(QStringLiteral("m_pEnableLevelMarker"))->isChecked(), on);
    QCOMPARE(fx.isVisible(QStringLiteral("m_pMarkerLevelEdit")), on);
    QCOMPARE(fx.isVisible(QStringLiteral("markerLevelLabel")), on);

    // The box files the edit; the page that replaces this one shows the result.
    QVERIFY(fx.tick(QStringLiteral("m_pEnableLevelMarker"), !on));
    QCOMPARE(pMeter->propertyValue(WidgetPropertyId::MarkerEnabled).toBool(), !on);
    QCOMPARE(fx.undoCount(), 1);
    QVERIFY(fx.page() != pPage.data());
    QCOMPARE(fx.isVisible(QStringLiteral("m_pMarkerLevelEdit")), !on);
    QCOMPARE(fx.isVisible(QStringLiteral("markerLevelLabel")), !on);

    fx.undo();
    QCOMPARE(fx.isVisible(QStringLiteral("m_pMarkerLevelEdit")), on);
}

void TestDPropMeterDialog::meterValueInForceFilesNothing_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::newRow("x") << "-20" << "m_pXPosEdit" << "10" << int(WidgetPropertyId::XPos);
    QTest::newRow("text") << "-20" << "m_pLabelEdit" << "Mic" << int(WidgetPropertyId::Text);
    QTest::newRow("marker level") << "-20" << "m_pMarkerLevelEdit" << "-20" << int(WidgetPropertyId::MarkerLevel);
    QTest::newRow("marker level in another form") << "-12.5" << "m_pMarkerLevelEdit" << "-12.50"
                                                  << int(WidgetPropertyId::MarkerLevel);
    // Shown rounded: confirming the field as it stands keeps the level.
    QTest::newRow("marker level shown as 0") << "-0.3" << "m_pMarkerLevelEdit" << "0"
                                             << int(WidgetPropertyId::MarkerLevel);
    QTest::newRow("marker level -0.7") << "-0.7" << "m_pMarkerLevelEdit" << "-0.7"
                                       << int(WidgetPropertyId::MarkerLevel);
}

void TestDPropMeterDialog::meterValueInForceFilesNothing()
{
    QFETCH(QString, marker);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    PropPageFixture fx;
    WWidget *pMeter = addMeter(fx, meterSettings(marker));
    QPointer<DPropDialog> pPage = fx.open(pMeter);
    QVERIFY(pPage);
    const QVariant before = pMeter->propertyValue(WidgetPropertyId::Type(id));
    QVERIFY(fx.type(field, input));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pMeter->propertyValue(WidgetPropertyId::Type(id)), before);
    QCOMPARE(fx.page(), pPage.data());
}

void TestDPropMeterDialog::imageMeterForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addImageMeter(fx));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropMeterImageDialog"));
    QCOMPARE(pPage->size(), QSize(245, 237));
    QCOMPARE(pPage->minimumSize(), QSize(245, 200));
    QCOMPARE(pPage->maximumSize(), QSize(245, 250));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
    QVERIFY(pSlider);
    QCOMPARE(pSlider->minimum(), 5);
    QCOMPARE(pSlider->maximum(), 100);
    QVERIFY(!pSlider->hasTracking());
    QCOMPARE(pSlider->value(), 50);
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pMeterPollRateCombobox"))), kPollRates);
    QCOMPARE(fx.shown(QStringLiteral("m_pMeterPollRateCombobox")), QStringLiteral("3x/s"));
    QCOMPARE(fx.shown(QStringLiteral("m_pWidthEdit")), QStringLiteral("60"));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropMeterDialog::imageMeterFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "-12" << int(WidgetPropertyId::XPos) << "-12";
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "30" << int(WidgetPropertyId::YPos) << "30";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "90" << int(WidgetPropertyId::Width) << "90";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "120" << int(WidgetPropertyId::Height) << "120";
    QTest::newRow("poll rate") << "pick" << "m_pMeterPollRateCombobox" << "1x/s" << int(WidgetPropertyId::MeterRate)
                               << "1x/s";
}

void TestDPropMeterDialog::imageMeterFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pMeter = addImageMeter(fx);
    const QString failed = fx.roundTrip(pMeter, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropMeterDialog::opacityOpensAtItsPosition_data()
{
    QTest::addColumn<QString>("opacity");
    QTest::addColumn<int>("position");
    QTest::newRow("0.29") << "0.29" << 29;
    QTest::newRow("0.3") << "0.3" << 30;
    QTest::newRow("0.05") << "0.05" << 5;
    QTest::newRow("1") << "1" << 100;
    // Below the slider's range: the slider stops at its end.
    QTest::newRow("0.02") << "0.02" << 5;
}

void TestDPropMeterDialog::opacityOpensAtItsPosition()
{
    QFETCH(QString, opacity);
    QFETCH(int, position);
    PropPageFixture fx;
    QVERIFY(fx.open(addImageMeter(fx, imageMeterSettings(opacity))));
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), position);
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropMeterDialog::opacityReportedOnRelease()
{
    PropPageFixture fx;
    WWidget *pMeter = addImageMeter(fx);
    QVERIFY(fx.open(pMeter));
    auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
    pSlider->setSliderDown(true);
    pSlider->setSliderPosition(40);
    pSlider->setSliderPosition(5);
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pMeter->propertyValue(WidgetPropertyId::Opacity).toDouble(), 0.5);
    pSlider->setSliderDown(false);
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(fx.undoText(), QStringLiteral("Edit: 0.5"));
    QCOMPARE(pMeter->propertyValue(WidgetPropertyId::Opacity).toDouble(), 0.05);
    fx.undo();
    QCOMPARE(pMeter->propertyValue(WidgetPropertyId::Opacity).toDouble(), 0.5);
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), 50);
}

// Every position set with the slider opens there again, after a save and
// load of the project too (the file keeps single precision).
void TestDPropMeterDialog::opacityRoundTrip()
{
    PropPageFixture fx;
    WWidget *pMeter = addImageMeter(fx, imageMeterSettings(QStringLiteral("1")));
    QVERIFY(fx.open(pMeter));
    for (int position = 5; position <= 100; ++position) {
        const int entries = fx.undoCount();
        dragAndRelease(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider")), position);
        QCOMPARE(fx.undoCount(), entries + 1);
        QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), position);
        WWidget *pLoaded = fx.fx().reload(pMeter);
        QVERIFY(pLoaded);
        pLoaded->control()->initialize();
        pLoaded->control()->attachModel(fx.model());
        QVERIFY(fx.open(pLoaded));
        QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), position);
        QVERIFY(fx.open(pMeter));
    }
}

VVB_TEST_MAIN(TestDPropMeterDialog)
#include "tst_dpropmeterdialog.moc"
