#include "model/CAttributes.h"
#include "model/CControl.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/WidgetFixture.h"
#include "transforms/TStrV.h"
#include "widgets/WMeter.h"

#include <QColor>
#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

using Settings = WidgetFixture::Settings;

const QString Unlit = WMeter::UnlitColor;
const QString Low = WMeter::LowColor;
const QString Middle = WMeter::MiddleColor;
const QString High = WMeter::HighColor;
// The gauge's stop points before any reply lit it.
const double FirstStop = 0.667;
const double SecondStop = 0.233;
const double ThirdStop = 0.1;

// A meter read from settings into control "Mic 3", bound to node "Lobby Mic"
// (title and type number chosen), a value transform and a recording protocol,
// shown as on the panel on show. Unbound, it has neither node, transform nor
// protocol.
struct Meter
{
    explicit Meter(const Settings &settings = {{"x", "0"}}, const QString &title = QStringLiteral("Input 1"),
                   const QString &typeNum = QStringLiteral("1"), bool bound = true)
    {
        node.setTitle(title);
        node.setTypeNum(typeNum);
        node.setLabel(QStringLiteral("Lobby Mic"));
        node.setChannels({QStringLiteral("Ch 1"), QStringLiteral("Ch 2"), QStringLiteral("Podium")});
        attributes.setAttribute(QStringLiteral("range"), QStringLiteral("struct"), QStringLiteral("10"));
        attributes.setAttribute(QStringLiteral("range"), QStringLiteral("channelLabel"), QStringLiteral("Stage L"));
        transform.setAttributes(&attributes);
        control = fx.addControl(QStringLiteral("Mic 3"), QStringLiteral("Meter"), bound ? &node : nullptr);
        meter = qobject_cast<WMeter *>(fx.readWidget(control, QStringLiteral("meter"), settings));
        if (meter && bound) {
            transform.setNode(&node);
            meter->setTransform(&transform);
            meter->setProtocol(&protocol);
        }
        if (meter)
            meter->setWidgetVisible(true);
    }

    void reply(double level) { transform.deliverReply(QString::number(level)); }
    QString colour(int band) const
    {
        return meter->widgetProperty(qPrintable(QStringLiteral("colorAtPoint%1").arg(band))).value<QColor>().name();
    }
    QStringList colours() const { return {colour(1), colour(2), colour(3)}; }
    double stop(int band) const
    {
        return meter->widgetProperty(qPrintable(QStringLiteral("colorStopPoint%1").arg(band))).toDouble();
    }
    double peakPoint() const { return meter->widgetProperty("peakLevelPoint").toDouble(); }
    bool peakShown() const { return meter->widgetProperty("isPeakEnabled").toBool(); }
    void goOnline() { emit protocol.onlineStateChanged(true); }

    WidgetFixture fx;
    FakeNode node;
    CAttributes attributes;
    TStrV transform;
    RecordingProtocol protocol;
    CControl *control = nullptr;
    WMeter *meter = nullptr;
};

QStringList lower(const QStringList &colours)
{
    QStringList list;
    for (const QString &colour : colours)
        list << QColor::fromString(colour).name();
    return list;
}

} // namespace

class TestWMeter : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void bands_data();
    void bands();
    void levelOffset_data();
    void levelOffset();
    void peakHoldsThenFalls();
    void peakFallsWithoutUpdates();
    void rates_data();
    void rates();
    void pollsOnlyWithLiveBinding();
    void visibilityStartsAndStopsPolling();
    void offlineUnlights();
    void placeholders_data();
    void placeholders();
    void labelReload_data();
    void labelReload();
    void markerRule_data();
    void markerRule();
    void readingNeedsANodeForTheScale();
    void notNumbersReadAsZero();
    void hugeScaleDrawsBoundedTicks();
    void saveAndReopen();
    void markerOffIsNotWritten();
};

void TestWMeter::defaults()
{
    Meter m;
    QVERIFY(m.meter);
    QCOMPARE(m.meter->minimumValue(), -60.0f);
    QCOMPARE(m.meter->maximumValue(), 0.0f);
    QCOMPARE(m.meter->source().colorBreak1(), -20.0);
    QCOMPARE(m.meter->source().colorBreak2(), -6.0);
    QCOMPARE(m.meter->unitsText(), QStringLiteral("dBFS"));
    QCOMPARE(m.meter->propertyValue(WidgetPropertyId::MeterRate).toString(), QStringLiteral("4x/s"));
    QCOMPARE(m.meter->source().pollTimer().interval(), 250);
    QVERIFY(!m.meter->source().pollTimer().isActive());
    QCOMPARE(m.colours(), lower({Unlit, Unlit, Unlit}));
    QVERIFY(!m.peakShown());
    // The QML file reads the scale through the widget's properties.
    QCOMPARE(m.meter->property("minimum").toFloat(), -60.0f);
    QCOMPARE(m.meter->property("unitsText").toString(), QStringLiteral("dBFS"));
}

// Stops are fractions of the bar; a level is drawn inside the scale, and a
// scale of no height or upside down stays unlit.
void TestWMeter::bands_data()
{
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<double>("reply");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<QList<double>>("stops");
    QTest::newRow("-30: low band to half") << "-60" << "0" << -30.0 << QStringList{Low, Unlit, Unlit}
                                           << QList<double>{0.5, SecondStop, ThirdStop};
    QTest::newRow("-10: low and middle") << "-60" << "0" << -10.0 << QStringList{Low, Middle, Unlit}
                                         << QList<double>{40.0 / 60, 10.0 / 60, 6.0 / 60};
    QTest::newRow("-3: all three") << "-60" << "0" << -3.0 << QStringList{Low, Middle, High}
                                   << QList<double>{40.0 / 60, 14.0 / 60, 3.0 / 60};
    QTest::newRow("-60: unlit, stops kept") << "-60" << "0" << -60.0 << QStringList{Unlit, Unlit, Unlit}
                                            << QList<double>{FirstStop, SecondStop, ThirdStop};
    QTest::newRow("below the scale") << "-60" << "0" << -75.0 << QStringList{Unlit, Unlit, Unlit}
                                     << QList<double>{FirstStop, SecondStop, ThirdStop};
    QTest::newRow("exactly the first break") << "-60" << "0" << -20.0 << QStringList{Low, Unlit, Unlit}
                                             << QList<double>{40.0 / 60, SecondStop, ThirdStop};
    QTest::newRow("above the top stays in the bar") << "-60" << "0" << 12.0 << QStringList{Low, Middle, High}
                                                    << QList<double>{40.0 / 60, 14.0 / 60, 6.0 / 60};
    QTest::newRow("range 0") << "0" << "0" << 5.0 << QStringList{Unlit, Unlit, Unlit}
                             << QList<double>{FirstStop, SecondStop, ThirdStop};
    QTest::newRow("minimum above maximum") << "0" << "-60" << -10.0 << QStringList{Unlit, Unlit, Unlit}
                                           << QList<double>{FirstStop, SecondStop, ThirdStop};
}

void TestWMeter::bands()
{
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(double, reply);
    QFETCH(QStringList, colours);
    QFETCH(QList<double>, stops);
    Meter m(Settings{{"minimum", minimum}, {"maximum", maximum}});
    m.reply(reply);
    QCOMPARE(m.colours(), lower(colours));
    for (int band = 1; band <= 3; ++band) {
        QVERIFY2(std::abs(m.stop(band) - stops.at(band - 1)) < 1e-6,
                 qPrintable(QStringLiteral("stop %1 is %2").arg(band).arg(m.stop(band))));
        QVERIFY(m.stop(band) >= 0.0 && m.stop(band) <= 1.0);
    }
    const double sum = m.stop(1) + m.stop(2) + m.stop(3);
    QVERIFY2(sum <= 1.0 + 1e-9, qPrintable(QString::number(sum)));
    QVERIFY(m.peakPoint() >= 0.0 && m.peakPoint() <= 1.0);
}

// Outputs of type number "2" read 24 dB low; nothing else is moved.
void TestWMeter::levelOffset_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typeNum");
    QTest::addColumn<double>("firstStop");
    QTest::newRow("output of type 2") << "Output 4" << "2" << 34.0 / 60;
    QTest::newRow("output of type 1") << "Output 4" << "1" << 10.0 / 60;
    QTest::newRow("output of type 22") << "Output 4" << "22" << 10.0 / 60;
    QTest::newRow("input of type 2") << "Input 4" << "2" << 10.0 / 60;
    QTest::newRow("no blank after Output") << "Output4" << "2" << 10.0 / 60;
}

void TestWMeter::levelOffset()
{
    QFETCH(QString, title);
    QFETCH(QString, typeNum);
    QFETCH(double, firstStop);
    Meter m(Settings{{"x", "0"}}, title, typeNum);
    m.reply(-50.0);
    QCOMPARE(m.colour(1), QColor(Low).name());
    QVERIFY(std::abs(m.stop(1) - firstStop) < 1e-6);
}

// A new peak stays for four smaller updates, then falls 0.08 on each further one.
void TestWMeter::peakHoldsThenFalls()
{
    Meter m;
    m.reply(-10.0);
    QCOMPARE(m.meter->peak(), -10.0);
    QVERIFY(m.peakShown());
    QVERIFY(std::abs(m.peakPoint() - (50.0 - 0.1) / 60.0) < 1e-9);
    QVERIFY(m.meter->peakTimer().isActive());
    QCOMPARE(m.meter->peakTimer().interval(), WMeter::PeakFallMs);
    const QList<double> expected = {-10.0, -10.0, -10.0, -10.0, -10.08, -10.16, -10.24};
    for (int i = 0; i < expected.size(); ++i) {
        m.reply(-30.0);
        QVERIFY2(std::abs(m.meter->peak() - expected.at(i)) < 1e-9,
                 qPrintable(QStringLiteral("update %1: %2").arg(i + 1).arg(m.meter->peak())));
    }
    // A reply above the fallen peak takes it and holds again.
    m.reply(-10.2);
    QVERIFY(std::abs(m.meter->peak() - -10.2) < 1e-5);
    m.reply(-30.0);
    QVERIFY(std::abs(m.meter->peak() - -10.2) < 1e-5);
}

// Without updates the peak line steps down by 1 per timeout, never below the bar.
void TestWMeter::peakFallsWithoutUpdates()
{
    Meter m;
    m.reply(-58.0);
    const double start = m.peakPoint() * 60.0 - 60.0;
    m.meter->onSendDelayTimerTimeout();
    QVERIFY(std::abs(m.meter->peak() - (start - 1.0)) < 1e-9);
    QVERIFY(std::abs(m.peakPoint() - (start - 1.0 + 60.0) / 60.0) < 1e-9);
    m.meter->onSendDelayTimerTimeout();
    QVERIFY(m.peakPoint() >= 0.0);
    for (int i = 0; i < 5; ++i)
        m.meter->onSendDelayTimerTimeout();
    QVERIFY(m.peakPoint() >= 0.0);
    QVERIFY(m.meter->peak() >= -61.0);
}

void TestWMeter::rates_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("interval");
    QTest::newRow("1x/s") << "1x/s" << 1000;
    QTest::newRow("2x/s") << "2x/s" << 500;
    QTest::newRow("3x/s") << "3x/s" << 333;
    QTest::newRow("4x/s") << "4x/s" << 250;
    QTest::newRow("5x/s") << "5x/s" << 200;
    QTest::newRow("6x/s keeps the interval") << "6x/s" << 500;
    QTest::newRow("case counts") << "1X/s" << 500;
    QTest::newRow("empty") << "" << 500;
}

// Set through the file and through the property id; unknown texts are kept.
void TestWMeter::rates()
{
    QFETCH(QString, rate);
    QFETCH(int, interval);
    Meter m(Settings{{"meterRate", "2x/s"}});
    QCOMPARE(m.meter->source().pollTimer().interval(), 500);
    m.meter->setPropertyValue(WidgetPropertyId::MeterRate, rate);
    QCOMPARE(m.meter->source().pollTimer().interval(), interval);
    QCOMPARE(m.meter->propertyValue(WidgetPropertyId::MeterRate).toString(), rate);
    Meter read(Settings{{"meterRate", "2x/s"}, {"meterRate", rate}});
    QCOMPARE(read.meter->source().pollTimer().interval(), interval);
}

void TestWMeter::pollsOnlyWithLiveBinding()
{
    Meter m;
    m.goOnline();
    QVERIFY(m.meter->source().pollTimer().isActive());
    QVERIFY(m.meter->isOnline());
    m.meter->onGetStatusTimerTimeout();
    QCOMPARE(m.protocol.meterRequests(), QList<TTransform *>{&m.transform});
    m.transform.setLive(false);
    m.meter->onGetStatusTimerTimeout();
    QCOMPARE(m.protocol.meterRequests().size(), 1);
    // The timer's own timeouts poll as well.
    m.transform.setLive(true);
    QTRY_VERIFY(m.protocol.meterRequests().size() >= 2);

    Meter unbound(Settings{{"x", "0"}}, QStringLiteral("Input 1"), QStringLiteral("1"), false);
    unbound.meter->onOnlineStateChanged(true);
    unbound.meter->onGetStatusTimerTimeout();
    QVERIFY(unbound.protocol.meterRequests().isEmpty());
}

// Hidden once online, a meter stops polling; shown, it polls at once.
void TestWMeter::visibilityStartsAndStopsPolling()
{
    Meter m;
    // Before going online visibility leaves the timer alone.
    m.meter->setWidgetVisible(true);
    QVERIFY(!m.meter->source().pollTimer().isActive());
    QVERIFY(m.protocol.meterRequests().isEmpty());
    m.goOnline();
    m.meter->setWidgetVisible(false);
    QVERIFY(!m.meter->widgetProperty("visible").toBool());
    QVERIFY(!m.meter->source().pollTimer().isActive());
    m.protocol.clear();
    m.meter->setWidgetVisible(true);
    QCOMPARE(m.protocol.meterRequests().size(), 1);
    QVERIFY(m.meter->source().pollTimer().isActive());
    QVERIFY(m.meter->widgetProperty("visible").toBool());

    // Online again while hidden: it waits until it is shown.
    emit m.protocol.onlineStateChanged(false);
    m.meter->setWidgetVisible(false);
    m.goOnline();
    QVERIFY(!m.meter->source().pollTimer().isActive());
    m.protocol.clear();
    m.meter->setWidgetVisible(true);
    QCOMPARE(m.protocol.meterRequests().size(), 1);
    QVERIFY(m.meter->source().pollTimer().isActive());
}

void TestWMeter::offlineUnlights()
{
    Meter m;
    m.goOnline();
    m.reply(-3.0);
    QCOMPARE(m.colours(), lower({Low, Middle, High}));
    emit m.protocol.onlineStateChanged(false);
    QCOMPARE(m.colours(), lower({Unlit, Unlit, Unlit}));
    QVERIFY(!m.peakShown());
    QCOMPARE(m.peakPoint(), 0.0);
    QCOMPARE(m.meter->peak(), -60.0);
    // Polls while offline send nothing through the protocol; the timer runs on.
    QVERIFY(m.meter->source().pollTimer().isActive());
}

void TestWMeter::placeholders_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("channelName");
    QTest::newRow("label") << "Input 1" << "Mic 3" << "*LABEL*" << "Lobby Mic" << "";
    QTest::newRow("link channel") << "DivErov 2" << "Mic 3" << "*CHLABEL*" << "Podium" << "Podium";
    QTest::newRow("KRX link channel") << "KRXLink" << "Mic  3" << "*CHLABEL*" << "Podium" << "Podium";
    QTest::newRow("link, no channel number") << "DivErov 2" << "Mic" << "*CHLABEL*" << "*CHLABEL*" << "";
    QTest::newRow("link, channel past the card") << "DivErov 2" << "Mic 9" << "*CHLABEL*" << "*CHLABEL*" << "";
    QTest::newRow("channel label elsewhere") << "Input 1" << "Mic 3" << "*CHLABEL*" << "Mic 3" << "";
    QTest::newRow("network channel") << "Dante In" << "Mic 3" << "*TITLE*" << "Stage L" << "Stage L";
    QTest::newRow("title elsewhere") << "Input 1" << "Mic 3" << "*TITLE*" << "*TITLE*" << "";
    QTest::newRow("port") << "USB In" << "Mic 3" << "*USB*" << "Lobby Mic noPortLabel" << "";
    QTest::newRow("plain text") << "Input 1" << "Mic 3" << "Level" << "Level" << "";
}

void TestWMeter::placeholders()
{
    QFETCH(QString, title);
    QFETCH(QString, controlName);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(QString, channelName);
    Meter m(Settings{{"x", "0"}}, title);
    m.control->setName(controlName);
    m.meter->setText(text);
    m.meter->refresh();
    QCOMPARE(m.meter->text(), caption);
    QCOMPARE(m.meter->source().channelName(), channelName);
    QCOMPARE(m.transform.meterChannelName(), channelName);
}

void TestWMeter::labelReload_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::newRow("the label") << "Lobby Mic" << "Hall Mic";
    QTest::newRow("label first") << "Lobby Mic L" << "Hall Mic L";
    QTest::newRow("label inside") << "Main Lobby Mic" << "Main Lobby Mic";
    QTest::newRow("case counts") << "lobby mic" << "lobby mic";
}

void TestWMeter::labelReload()
{
    QFETCH(QString, text);
    QFETCH(QString, after);
    Meter m;
    m.meter->setText(text);
    emit m.node.labelChangedByReload(QStringLiteral("Lobby Mic"), QStringLiteral("Hall Mic"));
    QCOMPARE(m.meter->text(), after);
    // Unbound from the node, a reload no longer reaches it.
    m.meter->unbindNode();
    emit m.node.labelChangedByReload(after, QStringLiteral("Other"));
    QCOMPARE(m.meter->text(), after);
}

void TestWMeter::markerRule_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("point");
    QTest::addColumn<double>("readBack");
    QTest::newRow("inside") << -15.0 << 0.75 << -15.0;
    QTest::newRow("above the top") << 10.0 << 1.0 << 0.0;
    QTest::newRow("below the bottom") << -100.0 << 0.0 << -60.0;
}

void TestWMeter::markerRule()
{
    QFETCH(double, level);
    QFETCH(double, point);
    QFETCH(double, readBack);
    Meter m;
    m.meter->setPropertyValue(WidgetPropertyId::MarkerEnabled, true);
    m.meter->setPropertyValue(WidgetPropertyId::MarkerLevel, level);
    QVERIFY(m.meter->propertyValue(WidgetPropertyId::MarkerEnabled).toBool());
    QVERIFY(std::abs(m.meter->widgetProperty("markerLevelPoint").toDouble() - point) < 1e-6);
    QVERIFY(std::abs(m.meter->propertyValue(WidgetPropertyId::MarkerLevel).toDouble() - readBack) < 1e-4);
    // Read from a file, the marker is switched on.
    Meter read(Settings{{"markerLevelPoint", QString::number(level)}});
    QVERIFY(read.meter->widgetProperty("isMarkerEnabled").toBool());
    QVERIFY(std::abs(read.meter->widgetProperty("markerLevelPoint").toDouble() - point) < 1e-6);
}

void TestWMeter::readingNeedsANodeForTheScale()
{
    const Settings settings{{"minimum", "-40"}, {"maximum", "10"}, {"colorBreakValue1", "-12"},
                            {"colorBreakValue2", "0"}, {"meterRate", "1x/s"}, {"unitsText", "dBu"}};
    Meter unbound(settings, QStringLiteral("Input 1"), QStringLiteral("1"), false);
    QCOMPARE(unbound.meter->minimumValue(), -60.0f);
    QCOMPARE(unbound.meter->maximumValue(), 0.0f);
    QCOMPARE(unbound.meter->source().colorBreak1(), -20.0);
    QCOMPARE(unbound.meter->source().rate(), QStringLiteral("1x/s"));
    QCOMPARE(unbound.meter->unitsText(), QStringLiteral("dBu"));
    QVERIFY(!unbound.meter->processElement(QStringLiteral("minimum"), QStringLiteral("-40")));

    QSignalSpy minimum(Meter().meter, &WMeter::minimumChanged);
    Meter bound(settings);
    QCOMPARE(bound.meter->minimumValue(), -40.0f);
    QCOMPARE(bound.meter->maximumValue(), 10.0f);
    QCOMPARE(bound.meter->source().colorBreak2(), 0.0);
    QCOMPARE(bound.meter->peak(), -40.0);
    // A meter keeps no id or link.
    QVERIFY(!bound.meter->processElement(QStringLiteral("id"), QStringLiteral("4")));
    QVERIFY(!bound.meter->processElement(QStringLiteral("link"), QStringLiteral("4")));
    QVERIFY(bound.meter->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
}

void TestWMeter::notNumbersReadAsZero()
{
    Meter m(Settings{{"minimum", "nan"}, {"maximum", "inf"}, {"colorBreakValue1", "-inf"}, {"markerLevelPoint", "nan"},
             {"indexOffset", "x"}, {"x", "nan"}});
    QCOMPARE(m.meter->minimumValue(), 0.0f);
    QCOMPARE(m.meter->maximumValue(), 0.0f);
    QCOMPARE(m.meter->source().colorBreak1(), 0.0);
    QCOMPARE(m.meter->source().indexOffset(), 0);
    QVERIFY(std::isfinite(m.meter->widgetProperty("markerLevelPoint").toDouble()));
    // A reply that is no number changes nothing.
    m.transform.deliverReply(QStringLiteral("nan"));
    QCOMPARE(m.colours(), lower({Unlit, Unlit, Unlit}));
}

// A scale from a file spanning 1e30 must not have the gauge create a tick per step.
void TestWMeter::hugeScaleDrawsBoundedTicks()
{
    Meter normal;
    Meter huge(Settings{{"minimum", "-1e30"}, {"maximum", "1e30"}});
    QCOMPARE(huge.meter->minimumValue(), -1e30f);
    const auto items = [](const Meter &m) {
        int count = 0;
        QList<QQuickItem *> open{qobject_cast<QQuickItem *>(m.meter->widget())};
        while (!open.isEmpty()) {
            ++count;
            open += open.takeLast()->childItems();
        }
        return count;
    };
    QVERIFY(items(normal) > 50);
    QVERIFY2(items(huge) < 20 * items(normal), qPrintable(QString::number(items(huge))));
}

void TestWMeter::saveAndReopen()
{
    Meter m(Settings{{"x", "10"}, {"y", "20"}, {"width", "60"}, {"height", "320"}, {"text", "*LABEL* level"},
             {"color", "#ff102030"}, {"minimum", "-50"}, {"maximum", "6"}, {"colorBreakValue1", "-18"},
             {"colorBreakValue2", "-3"}, {"unitsText", "dBu"}, {"markerLevelPoint", "-9"}, {"meterRate", "5x/s"},
             {"channelName", "Podium"}, {"indexOffset", "2"}});
    QCOMPARE(m.meter->text(), QStringLiteral("Lobby Mic level"));
    const Settings saved = WidgetFixture::saved(m.meter);
    QCOMPARE(WidgetFixture::names(saved),
             QStringList({"x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract", "text",
                          "color", "minimum", "maximum", "colorBreakValue1", "colorBreakValue2", "unitsText",
                          "markerLevelPoint", "meterRate", "channelName", "indexOffset"}));
    auto *pCopy = qobject_cast<WMeter *>(m.fx.reload(m.meter));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->text(), QStringLiteral("Lobby Mic level"));
    QCOMPARE(pCopy->colorPropertyName("textColor"), QStringLiteral("#ff102030"));
    QCOMPARE(pCopy->minimumValue(), -50.0f);
    QCOMPARE(pCopy->maximumValue(), 6.0f);
    QCOMPARE(pCopy->source().colorBreak1(), -18.0);
    QCOMPARE(pCopy->source().colorBreak2(), -3.0);
    QCOMPARE(pCopy->unitsText(), QStringLiteral("dBu"));
    QVERIFY(std::abs(pCopy->propertyValue(WidgetPropertyId::MarkerLevel).toDouble() - -9.0) < 1e-4);
    QCOMPARE(pCopy->source().rate(), QStringLiteral("5x/s"));
    QCOMPARE(pCopy->source().pollTimer().interval(), 200);
    QCOMPARE(pCopy->source().channelName(), QStringLiteral("Podium"));
    QCOMPARE(pCopy->source().indexOffset(), 2);
    QCOMPARE(pCopy->widgetRect(), QRectF(10, 20, 60, 320));
    QCOMPARE(WidgetFixture::saved(pCopy), saved);
}

void TestWMeter::markerOffIsNotWritten()
{
    Meter m;
    const QStringList names = WidgetFixture::names(WidgetFixture::saved(m.meter));
    QVERIFY(!names.contains(QStringLiteral("markerLevelPoint")));
    QVERIFY(!names.contains(QStringLiteral("channelName")));
    QVERIFY(!names.contains(QStringLiteral("indexOffset")));
    QVERIFY(names.contains(QStringLiteral("meterRate")));
    XmlWriter *pNoWriter = nullptr;
    QVERIFY(!m.meter->save(pNoWriter));
}

VVB_TEST_MAIN(TestWMeter)
#include "tst_wmeter.moc"
