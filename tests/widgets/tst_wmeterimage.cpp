#include "model/CAttributes.h"
#include "model/CControl.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/WidgetFixture.h"
#include "transforms/TStrV.h"
#include "utility/UArchive.h"
#include "widgets/WMeterImage.h"
#include "xml/XmlWriter.h"

#include <QFile>
#include <QUrl>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// An image meter read from settings into control "Mic 3", bound to node
// "Lobby Mic" (title and type number chosen), a value transform and a
// recording protocol. Unbound, it has none of them.
struct MeterImage
{
    explicit MeterImage(const Settings &settings = {{"x", "0"}}, const QString &title = QStringLiteral("Input 1"),
                        const QString &typeNum = QStringLiteral("1"), bool bound = true)
    {
        node.setTitle(title);
        node.setTypeNum(typeNum);
        node.setLabel(QStringLiteral("Lobby Mic"));
        attributes.setAttribute(QStringLiteral("range"), QStringLiteral("struct"), QStringLiteral("10"));
        transform.setAttributes(&attributes);
        control = fx.addControl(QStringLiteral("Mic 3"), QStringLiteral("MeterImage"), bound ? &node : nullptr);
        meter = qobject_cast<WMeterImage *>(fx.readWidget(control, QStringLiteral("meterimage"), settings));
        if (meter && bound) {
            transform.setNode(&node);
            meter->setTransform(&transform);
            meter->setProtocol(&protocol);
        }
    }

    void reply(double level) { transform.deliverReply(QString::number(level)); }
    QString path() const { return meter->widgetProperty("path").toString(); }

    WidgetFixture fx;
    FakeNode node;
    CAttributes attributes;
    TStrV transform;
    RecordingProtocol protocol;
    CControl *control = nullptr;
    WMeterImage *meter = nullptr;
};

} // namespace

class TestWMeterImage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { UArchive::instance()->clear(); }

    void defaults();
    void builtInImagesExist();
    void imageChoice_data();
    void imageChoice();
    void offsetOnlyForOutputsOfTypeTwo_data();
    void offsetOnlyForOutputsOfTypeTwo();
    void pollingGoesOnWhileHidden();
    void offlineShowsGrey();
    void opacity_data();
    void opacity();
    void placeholdersAsTheBarMeter();
    void readingRules();
    void saveAndReopen();
    void reopenedShowsTheOfflineImage_data();
    void reopenedShowsTheOfflineImage();
    void builtInImageIsNotArchived();
};

void TestWMeterImage::defaults()
{
    MeterImage m;
    QVERIFY(m.meter);
    QCOMPARE(m.path(), QString(WMeterImage::GreyImage));
    QCOMPARE(m.meter->propertyValue(WidgetPropertyId::Opacity).toDouble(), 1.0);
    QCOMPARE(m.meter->propertyValue(WidgetPropertyId::MeterRate).toString(), QStringLiteral("4x/s"));
    QCOMPARE(m.meter->source().pollTimer().interval(), 250);
    QCOMPARE(m.meter->source().minimum(), -60.0);
    QCOMPARE(m.meter->source().colorBreak1(), -20.0);
    QCOMPARE(m.meter->source().colorBreak2(), -6.0);
    QVERIFY(m.meter->hasTitle());
}

// The pictures are named relative to the QML file.
void TestWMeterImage::builtInImagesExist()
{
    const QUrl file(QStringLiteral("qrc:/qmlcontrol/QmlMeterImage.qml"));
    for (const QLatin1String &path : {WMeterImage::GreyImage, WMeterImage::GreenImage, WMeterImage::YellowImage,
                                      WMeterImage::OrangeImage}) {
        const QString resource = QLatin1Char(':') + file.resolved(QUrl(path)).path();
        QVERIFY2(QFile::exists(resource), qPrintable(resource));
        QCOMPARE(QImage(resource).size(), QSize(49, 49));
    }
}

void TestWMeterImage::imageChoice_data()
{
    QTest::addColumn<double>("reply");
    QTest::addColumn<QString>("image");
    QTest::newRow("-60") << -60.0 << QString(WMeterImage::GreyImage);
    QTest::newRow("-59.9") << -59.9 << QString(WMeterImage::GreenImage);
    QTest::newRow("-20") << -20.0 << QString(WMeterImage::GreenImage);
    QTest::newRow("-19.9") << -19.9 << QString(WMeterImage::YellowImage);
    QTest::newRow("-6") << -6.0 << QString(WMeterImage::YellowImage);
    QTest::newRow("-5.9") << -5.9 << QString(WMeterImage::OrangeImage);
    QTest::newRow("above the top") << 30.0 << QString(WMeterImage::OrangeImage);
}

void TestWMeterImage::imageChoice()
{
    QFETCH(double, reply);
    QFETCH(QString, image);
    MeterImage m;
    m.reply(-3.0);
    m.reply(reply);
    QCOMPARE(m.path(), image);
    QVERIFY(m.meter->isOutputEnabled());
}

void TestWMeterImage::offsetOnlyForOutputsOfTypeTwo_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typeNum");
    QTest::addColumn<QString>("image");
    QTest::newRow("output of type 2") << "Output 1" << "2" << QString(WMeterImage::YellowImage);
    QTest::newRow("output of type 3") << "Output 1" << "3" << QString(WMeterImage::GreenImage);
    QTest::newRow("input of type 2") << "Input 1" << "2" << QString(WMeterImage::GreenImage);
}

void TestWMeterImage::offsetOnlyForOutputsOfTypeTwo()
{
    QFETCH(QString, title);
    QFETCH(QString, typeNum);
    QFETCH(QString, image);
    MeterImage m(Settings{{"x", "0"}}, title, typeNum);
    m.reply(-40.0);
    QCOMPARE(m.path(), image);
}

// Unlike the bar meter, a hidden image meter goes on polling.
void TestWMeterImage::pollingGoesOnWhileHidden()
{
    MeterImage m;
    emit m.protocol.onlineStateChanged(true);
    QVERIFY(m.meter->source().pollTimer().isActive());
    m.meter->setWidgetVisible(false);
    QVERIFY(m.meter->source().pollTimer().isActive());
    m.meter->onGetStatusTimerTimeout();
    QCOMPARE(m.protocol.meterRequests(), QList<TTransform *>{&m.transform});
    m.transform.setLive(false);
    m.meter->onGetStatusTimerTimeout();
    QCOMPARE(m.protocol.meterRequests().size(), 1);
}

void TestWMeterImage::offlineShowsGrey()
{
    MeterImage m;
    emit m.protocol.onlineStateChanged(true);
    m.reply(-3.0);
    QCOMPARE(m.path(), QString(WMeterImage::OrangeImage));
    emit m.protocol.onlineStateChanged(false);
    QCOMPARE(m.path(), QString(WMeterImage::GreyImage));
    QVERIFY(m.meter->source().pollTimer().isActive());
}

void TestWMeterImage::opacity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("opacity");
    QTest::newRow("0") << "0" << 0.01;
    QTest::newRow("2") << "2" << 1.0;
    QTest::newRow("half") << "0.5" << 0.5;
    QTest::newRow("nan") << "nan" << 0.01;
}

// Through the property id and from the file.
void TestWMeterImage::opacity()
{
    QFETCH(QString, text);
    QFETCH(double, opacity);
    MeterImage m;
    m.meter->setPropertyValue(WidgetPropertyId::Opacity, text.toDouble());
    QVERIFY(qAbs(m.meter->propertyValue(WidgetPropertyId::Opacity).toDouble() - opacity) < 1e-6);
    MeterImage read(Settings{{"imageOpacity", text}});
    QVERIFY(qAbs(read.meter->propertyValue(WidgetPropertyId::Opacity).toDouble() - opacity) < 1e-6);
}

void TestWMeterImage::placeholdersAsTheBarMeter()
{
    MeterImage m(Settings{{"text", "*LABEL*"}});
    // Read as it is; resolved when the control refreshes.
    QCOMPARE(m.meter->text(), QStringLiteral("*LABEL*"));
    m.meter->refresh();
    QCOMPARE(m.meter->text(), QStringLiteral("Lobby Mic"));
    emit m.node.labelChangedByReload(QStringLiteral("Lobby Mic"), QStringLiteral("Hall Mic"));
    QCOMPARE(m.meter->text(), QStringLiteral("Hall Mic"));
}

void TestWMeterImage::readingRules()
{
    const Settings scale{{"minimum", "-40"}, {"maximum", "6"}, {"colorBreakValue1", "-10"}, {"colorBreakValue2", "-2"}};
    MeterImage unbound(scale, QStringLiteral("Input 1"), QStringLiteral("1"), false);
    QCOMPARE(unbound.meter->source().minimum(), -60.0);
    QCOMPARE(unbound.meter->source().maximum(), 0.0);
    QCOMPARE(unbound.meter->source().colorBreak1(), -20.0);
    QCOMPARE(unbound.meter->source().colorBreak2(), -6.0);
    MeterImage bound(scale);
    QCOMPARE(bound.meter->source().minimum(), -40.0);
    QCOMPARE(bound.meter->source().maximum(), 6.0);
    QCOMPARE(bound.meter->imageFor(-40.0), QString(WMeterImage::GreyImage));
    QCOMPARE(bound.meter->imageFor(-10.0), QString(WMeterImage::GreenImage));
    QCOMPARE(bound.meter->imageFor(-1.0), QString(WMeterImage::OrangeImage));
    // Fractions are not an image meter's; id and link are.
    QVERIFY(!bound.meter->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QVERIFY(bound.meter->processElement(QStringLiteral("id"), QStringLiteral("4")));
    QCOMPARE(bound.meter->widgetId(), 4u);
    QVERIFY(!bound.meter->processElement(QStringLiteral("colour"), QStringLiteral("red")));
    MeterImage hostile(Settings{{"minimum", "nan"}, {"colorBreakValue1", "inf"}, {"indexOffset", "seven"},
                        {"imagesize", "-inf"}});
    QCOMPARE(hostile.meter->source().minimum(), 0.0);
    QCOMPARE(hostile.meter->source().colorBreak1(), 0.0);
    QCOMPARE(hostile.meter->source().indexOffset(), 0);
    QCOMPARE(hostile.meter->widgetProperty("imageSize").toDouble(), 0.0);
}

void TestWMeterImage::saveAndReopen()
{
    MeterImage m(Settings{{"x", "4"}, {"y", "8"}, {"width", "75"}, {"height", "90"}, {"id", "12"}, {"minimum", "-50"},
                  {"maximum", "3"}, {"imagesize", "0.8"}, {"imageOpacity", "0.6"}, {"text", "Podium"},
                  {"meterRate", "3x/s"}, {"colorBreakValue1", "-24"}, {"colorBreakValue2", "-9"},
                  {"channelName", "Ch 2"}, {"indexOffset", "1"}});
    const Settings saved = WidgetFixture::saved(m.meter);
    QCOMPARE(WidgetFixture::names(saved),
             QStringList({"id", "x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract",
                          "minimum", "maximum", "path", "imagesize", "imageOpacity", "text", "meterRate",
                          "colorBreakValue1", "colorBreakValue2", "channelName", "indexOffset"}));
    auto *pCopy = qobject_cast<WMeterImage *>(m.fx.reload(m.meter));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->widgetRect(), QRectF(4, 8, 75, 90));
    QCOMPARE(pCopy->widgetId(), 12u);
    QCOMPARE(pCopy->source().minimum(), -50.0);
    QCOMPARE(pCopy->source().maximum(), 3.0);
    QCOMPARE(pCopy->source().colorBreak1(), -24.0);
    QCOMPARE(pCopy->source().colorBreak2(), -9.0);
    QCOMPARE(pCopy->source().rate(), QStringLiteral("3x/s"));
    QCOMPARE(pCopy->source().pollTimer().interval(), 333);
    QCOMPARE(pCopy->source().channelName(), QStringLiteral("Ch 2"));
    QCOMPARE(pCopy->source().indexOffset(), 1);
    QCOMPARE(pCopy->text(), QStringLiteral("Podium"));
    QVERIFY(qAbs(pCopy->propertyValue(WidgetPropertyId::Opacity).toDouble() - 0.6) < 1e-6);
    QCOMPARE(WidgetFixture::saved(pCopy), saved);
    // "imagesize" is written empty when it was never given.
    MeterImage fresh;
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(fresh.meter), QStringLiteral("imagesize")), QString(""));
}

void TestWMeterImage::reopenedShowsTheOfflineImage_data()
{
    QTest::addColumn<QString>("path");  // the setting read first; empty: the default
    QTest::addColumn<double>("level");  // the live level shown when saved; NaN: none
    QTest::addColumn<QString>("shown"); // after reopening
    const QString grey = WMeterImage::GreyImage;
    const double none = qQNaN();
    QTest::newRow("saved showing green") << "" << -30.0 << grey;
    QTest::newRow("saved showing yellow") << "" << -10.0 << grey;
    QTest::newRow("saved showing orange") << "" << -3.0 << grey;
    QTest::newRow("saved offline") << "" << none << grey;
    QTest::newRow("a picture of its own") << "/pictures/lamp.png" << none << "/pictures/lamp.png";
}

// A project opens offline: a meter saved while it showed a live level shows
// the offline image again, not the level of that moment.
void TestWMeterImage::reopenedShowsTheOfflineImage()
{
    QFETCH(QString, path);
    QFETCH(double, level);
    QFETCH(QString, shown);
    Settings settings{{"x", "0"}};
    if (!path.isEmpty())
        settings.append({QStringLiteral("path"), path});
    MeterImage m(settings);
    if (!qIsNaN(level)) {
        emit m.protocol.onlineStateChanged(true);
        m.reply(level);
        QVERIFY(m.path() != QString(WMeterImage::GreyImage));
    }
    auto *pCopy = qobject_cast<WMeterImage *>(m.fx.reload(m.meter));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->widgetProperty("path").toString(), shown);
}

void TestWMeterImage::builtInImageIsNotArchived()
{
    MeterImage m;
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    QVERIFY(m.meter->save(&writer));
    writer.flush();
    QVERIFY(bytes.contains("../images/meterGrey.png"));
    QVERIFY(UArchive::instance()->header().records().isEmpty());
}

VVB_TEST_MAIN(TestWMeterImage)
#include "tst_wmeterimage.moc"
