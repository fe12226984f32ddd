#include "../model/ModelFixture.h"
#include "model/CControl.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WidgetFixture.h"
#include "utility/UArchive.h"
#include "widgets/MeterGaugeLocalization.h"
#include "widgets/WImage.h"
#include "widgets/WMeterImage.h"
#include "xml/XmlWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QQmlContext>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// An image read from settings into control "Logo" on a 400 x 300 panel
// canvas, placed at (10, 20), 100 x 50 unless the settings say otherwise.
struct Image
{
    explicit Image(const Settings &extra = {})
    {
        fx.canvas().canvas()->setSize(QSizeF(400, 300));
        Settings settings{{"x", "10"}, {"y", "20"}, {"width", "100"}, {"height", "50"}};
        settings += extra;
        control = fx.addControl(QStringLiteral("Logo"), QStringLiteral("Image"));
        image = qobject_cast<WImage *>(fx.readWidget(control, QStringLiteral("image"), settings));
    }

    QRectF rect() const { return image->widgetRect(); }

    WidgetFixture fx;
    CControl *control = nullptr;
    WImage *image = nullptr;
};

const QRectF Placed(10, 20, 100, 50);

// A small picture file in the folder.
QString writePicture(const QString &folder, const QString &name, Qt::GlobalColor colour)
{
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(colour);
    const QString path = QDir(folder).filePath(name);
    return QDir().mkpath(folder) && picture.save(path) ? path : QString();
}

} // namespace

class TestWImage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { UArchive::instance()->clear(); }

    void defaults();
    void opacity_data();
    void opacity();
    void backgroundModes_data();
    void backgroundModes();
    void backgroundAnswersEmptyGeometry();
    void placedAfterEmptyRecordKeepsItsSize();
    void fillModeText_data();
    void fillModeText();
    void maxCachedWidth_data();
    void maxCachedWidth();
    void backgroundSavesItsPlacedRect();
    void savesAndReadsEverySetting();
    void localPictureIsArchived();
    void projectKeepsItsPictures();
    void projectNamesOnlyItsOwnPictures_data();
    void projectNamesOnlyItsOwnPictures();
};

void TestWImage::defaults()
{
    Image i;
    QVERIFY(i.image);
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::Image).toString(), QString(WImage::DefaultImage));
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::BackgroundMode).toInt(), -1);
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::Opacity).toDouble(), 1.0);
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::MaxCachedWidth).toInt(), 2048);
    QVERIFY(i.image->recordedRect().isNull());
    QCOMPARE(i.rect(), Placed);
    QVERIFY(i.image->hasTitle());
    // The default picture is built in, named relative to the QML file.
    const QUrl file(QStringLiteral("qrc:/qmlcontrol/QmlImage.qml"));
    QVERIFY(QFile::exists(QLatin1Char(':') + file.resolved(QUrl(QString(WImage::DefaultImage))).path()));
}

void TestWImage::opacity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("opacity");
    QTest::newRow("0") << "0" << 0.01;
    QTest::newRow("1.5") << "1.5" << 1.0;
    QTest::newRow("0.4") << "0.4" << 0.4;
    QTest::newRow("negative") << "-3" << 0.01;
    QTest::newRow("nan") << "nan" << 0.01;
}

// From the file and through the property id.
void TestWImage::opacity()
{
    QFETCH(QString, text);
    QFETCH(double, opacity);
    Image read({{"imageOpacity", text}});
    QVERIFY(qAbs(read.image->propertyValue(WidgetPropertyId::Opacity).toDouble() - opacity) < 1e-6);
    Image set;
    set.image->setPropertyValue(WidgetPropertyId::Opacity, text.toDouble());
    QVERIFY(qAbs(set.image->propertyValue(WidgetPropertyId::Opacity).toDouble() - opacity) < 1e-6);
}

// Leaving placed mode records the placed rectangle; any further background
// mode keeps that record; placed again, the rectangle comes back.
void TestWImage::backgroundModes_data()
{
    QTest::addColumn<QList<int>>("modes");
    QTest::addColumn<QRectF>("rect");
    QTest::newRow("1, -1") << QList<int>{1, -1} << Placed;
    QTest::newRow("1, 2, -1") << QList<int>{1, 2, -1} << Placed;
    QTest::newRow("0, 3, 5, -1") << QList<int>{0, 3, 5, -1} << Placed;
    QTest::newRow("-1 with nothing recorded") << QList<int>{-1} << Placed;
    QTest::newRow("-1, -1 after a background") << QList<int>{2, -1, -1} << Placed;
}

void TestWImage::backgroundModes()
{
    QFETCH(QList<int>, modes);
    QFETCH(QRectF, rect);
    Image i;
    for (int mode : modes) {
        i.image->setPropertyValue(WidgetPropertyId::BackgroundMode, mode);
        QCOMPARE(i.image->propertyValue(WidgetPropertyId::BackgroundMode).toInt(), mode);
        if (mode >= 0) {
            // A background fills the panel.
            QCOMPARE(i.rect(), QRectF(0, 0, 400, 300));
            QCOMPARE(i.image->recordedRect(), Placed.toRect());
            QCOMPARE(i.image->widgetProperty("z").toInt(), 0);
        }
    }
    QCOMPARE(i.rect(), rect);
    QVERIFY(i.image->recordedRect().isNull());
    QCOMPARE(i.image->widgetProperty("z").toInt(), 1);
}

void TestWImage::backgroundAnswersEmptyGeometry()
{
    Image i;
    QCOMPARE(i.image->geometry(), Placed);
    i.image->setBackgroundMode(0);
    QTest::ignoreMessage(QtDebugMsg, "Returning empty bounds for image");
    QCOMPARE(i.image->geometry(), QRectF(0, 0, 0, 0));
}

// Files written while a background saved a zero rectangle: placing such an
// image keeps the size it has rather than shrinking it to nothing.
void TestWImage::placedAfterEmptyRecordKeepsItsSize()
{
    Image i({{"x", "0"}, {"y", "0"}, {"width", "0"}, {"height", "0"}, {"backgroundFillMode", "1"}});
    i.image->setBackgroundMode(-1);
    QVERIFY(i.rect().width() > 0);
    QVERIFY(i.rect().height() > 0);
}

void TestWImage::fillModeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::newRow("tile") << "3" << 3;
    QTest::newRow("not a number is stretch") << "fill" << 0;
    QTest::newRow("empty is stretch") << "" << 0;
    QTest::newRow("placed") << "-1" << -1;
}

void TestWImage::fillModeText()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    Image i({{"backgroundFillMode", text}});
    QCOMPARE(i.image->backgroundMode(), mode);
    QCOMPARE(i.image->recordedRect().isNull(), mode < 0);
    if (mode >= 0)
        QCOMPARE(i.image->recordedRect(), Placed.toRect());
}

// A width beyond what the page offers would have the decoder allocate huge buffers.
void TestWImage::maxCachedWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("offered") << "512" << 512;
    QTest::newRow("huge") << "2000000000" << WImage::MaxCachedWidth;
    QTest::newRow("above int") << "99999999999" << WImage::MinCachedWidth;
    QTest::newRow("negative") << "-5" << WImage::MinCachedWidth;
    QTest::newRow("not a number") << "wide" << WImage::MinCachedWidth;
}

void TestWImage::maxCachedWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    Image read({{"maxCachedImageWidth", text}});
    QCOMPARE(read.image->propertyValue(WidgetPropertyId::MaxCachedWidth).toInt(), width);
    Image set;
    set.image->setPropertyValue(WidgetPropertyId::MaxCachedWidth, text.toInt());
    QCOMPARE(set.image->propertyValue(WidgetPropertyId::MaxCachedWidth).toInt(), width);
}

// Saved and reopened as a background, the image can be placed again at its size.
void TestWImage::backgroundSavesItsPlacedRect()
{
    Image i;
    i.image->setBackgroundMode(2);
    i.image->setBackgroundMode(4);
    const Settings saved = WidgetFixture::saved(i.image);
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("x")), QStringLiteral("10"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("width")), QStringLiteral("100"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("height")), QStringLiteral("50"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("backgroundFillMode")), QStringLiteral("4"));
    auto *pCopy = qobject_cast<WImage *>(i.fx.reload(i.image));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->backgroundMode(), 4);
    QCOMPARE(pCopy->recordedRect(), Placed.toRect());
    // Saved again unchanged, and placed at its own size.
    QCOMPARE(WidgetFixture::saved(pCopy), saved);
    pCopy->setBackgroundMode(-1);
    QCOMPARE(pCopy->widgetRect(), Placed);
}

void TestWImage::savesAndReadsEverySetting()
{
    Image i({{"id", "5"}, {"link", "3"}, {"z", "2"}, {"imagesize", "0.75"}, {"imageOpacity", "0.5"},
             {"maxCachedImageWidth", "1024"}, {"path", "qrc:/images/meterGreen.png"}});
    const Settings saved = WidgetFixture::saved(i.image);
    QCOMPARE(WidgetFixture::names(saved),
             QStringList({"id", "link", "x", "y", "width", "height", "z", "xfract", "yfract", "widthfract",
                          "heightfract", "path", "imagesize", "backgroundFillMode", "imageOpacity",
                          "maxCachedImageWidth"}));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("imagesize")), QStringLiteral("0.75"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("path")), QStringLiteral("qrc:/images/meterGreen.png"));
    auto *pCopy = qobject_cast<WImage *>(i.fx.reload(i.image));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->widgetId(), 5u);
    QCOMPARE(pCopy->link(), 3u);
    QCOMPARE(WidgetFixture::saved(pCopy), saved);
    // An image reads no fractions; unknown names are not handled.
    QVERIFY(!pCopy->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QVERIFY(!pCopy->processElement(QStringLiteral("opacity"), QStringLiteral("0.5")));
}

void TestWImage::localPictureIsArchived()
{
    QTemporaryDir dir;
    const QString file = writePicture(dir.path(), QStringLiteral("logo.png"), Qt::red);
    QVERIFY(!file.isEmpty());
    Image i;
    i.image->setPropertyValue(WidgetPropertyId::Image, file);
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::Image).toString(), QUrl::fromLocalFile(file).toString());
    i.image->setPropertyValue(WidgetPropertyId::Image, QString());
    QCOMPARE(i.image->propertyValue(WidgetPropertyId::Image).toString(), QUrl::fromLocalFile(file).toString());
    Image builtIn;
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    QVERIFY(i.image->save(&writer));
    QVERIFY(builtIn.image->save(&writer));
    writer.flush();
    const QList<UArchiveHeaderRecord *> records = UArchive::instance()->header().records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(UArchive::instance()->findLocalPath(QStringLiteral("/logo.png")), file);
    QVERIFY(bytes.contains(QUrl::fromLocalFile(file).toString().toUtf8()));
    QVERIFY(bytes.contains("../images/default.png"));
}

// Saved into an archive and opened where the pictures no longer are, every
// picture comes from the archive's copy.
void TestWImage::projectKeepsItsPictures()
{
    QTemporaryDir dir;
    const QString pictures = dir.filePath(QStringLiteral("pictures"));
    const QString logo = writePicture(pictures, QStringLiteral("logo.png"), Qt::blue);
    const QString lamp = writePicture(pictures, QStringLiteral("lamp.png"), Qt::green);
    QVERIFY(!logo.isEmpty() && !lamp.isEmpty());
    const QByteArray logoBytes = TestSupport::readAll(logo);
    const QString target = dir.filePath(QStringLiteral("show.cpz"));
    {
        MeterGaugeLocalization gauge;
        ModelFixture f;
        f.engine->rootContext()->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), &gauge);
        CComposite *pPanel = f.panel(f.scene(QStringLiteral("Lobby")), QStringLiteral("Home"));
        f.control(pPanel, QStringLiteral("Logo"), QStringLiteral("Image"), QStringLiteral("image"),
                  {{"x", "10"}, {"y", "20"}, {"width", "100"}, {"height", "50"},
                   {"path", QUrl::fromLocalFile(logo).toString()}, {"backgroundFillMode", "2"}});
        f.control(pPanel, QStringLiteral("Lamp"), QStringLiteral("MeterImage"), QStringLiteral("meterimage"),
                  {{"x", "0"}, {"path", QUrl::fromLocalFile(lamp).toString()}});
        f.control(pPanel, QStringLiteral("Bar"), QStringLiteral("Meter"), QStringLiteral("meter"),
                  {{"x", "0"}, {"meterRate", "1x/s"}});
        f.model->updatePageCount();
        QVERIFY(f.model->saveProject(target));
    }
    QVERIFY(QDir(pictures).removeRecursively());

    MeterGaugeLocalization gauge;
    ModelFixture g;
    g.engine->rootContext()->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), &gauge);
    g.canvasItem.setSize(QSizeF());
    QVERIFY(g.model->openProject(target));
    QVERIFY2(g.boxes.isEmpty(), qPrintable(g.boxes.join(QLatin1Char('\n'))));
    CControl *pLogo = g.model->scenes()->findByName(QStringLiteral("Logo"));
    QVERIFY(pLogo);
    auto *pImage = qobject_cast<WImage *>(pLogo->findWidget(QStringLiteral("image")));
    QVERIFY(pImage);
    const QUrl url(pImage->propertyValue(WidgetPropertyId::Image).toString());
    QVERIFY2(url.isLocalFile() && url.toLocalFile() != logo, qPrintable(url.toString()));
    QCOMPARE(TestSupport::readAll(url.toLocalFile()), logoBytes);
    QCOMPARE(pImage->backgroundMode(), 2);
    QCOMPARE(pImage->recordedRect(), QRect(10, 20, 100, 50));

    CControl *pLamp = g.model->scenes()->findByName(QStringLiteral("Lamp"));
    QVERIFY(pLamp);
    auto *pMeterImage = qobject_cast<WMeterImage *>(pLamp->findWidget(QStringLiteral("meterimage")));
    QVERIFY(pMeterImage);
    const QUrl lampUrl(pMeterImage->widgetProperty("path").toString());
    QVERIFY2(lampUrl.isLocalFile() && QFile::exists(lampUrl.toLocalFile()), qPrintable(lampUrl.toString()));
    CControl *pBar = g.model->scenes()->findByName(QStringLiteral("Bar"));
    QVERIFY(pBar && pBar->findWidget(QStringLiteral("meter")));
    QCOMPARE(pBar->findWidget(QStringLiteral("meter"))->propertyValue(WidgetPropertyId::MeterRate).toString(),
             QStringLiteral("1x/s"));
}

void TestWImage::projectNamesOnlyItsOwnPictures_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("property"); // of the QML item, where the picture shows
    QTest::addColumn<QString>("name");     // "url" and "path" stand for the secret file's
    QTest::newRow("picture as a file URL") << "Image" << "image" << "path" << "path" << "url";
    QTest::newRow("picture as a path") << "Image" << "image" << "path" << "path" << "path";
    QTest::newRow("picture climbing folders") << "Image" << "image" << "path" << "path" << "../../secret/id_rsa";
    QTest::newRow("meter picture") << "MeterImage" << "meterimage" << "path" << "path" << "path";
    QTest::newRow("button picture") << "Button" << "button" << "onimage" << "onImage" << "url";
}

// A project file read from disk names pictures only inside its own archive:
// a crafted name of a file of this computer is left out with a warning, so
// that it is neither shown nor packed by the next save and sent on.
void TestWImage::projectNamesOnlyItsOwnPictures()
{
    QFETCH(QString, type);
    QFETCH(QString, widget);
    QFETCH(QString, setting);
    QFETCH(QString, property);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString logo = writePicture(dir.filePath(QStringLiteral("pictures")), QStringLiteral("logo.png"), Qt::blue);
    const QString secret = dir.filePath(QStringLiteral("secret/id_rsa"));
    if (name == QLatin1String("url"))
        name = QUrl::fromLocalFile(secret).toString();
    else if (name == QLatin1String("path"))
        name = secret;
    const QString target = dir.filePath(QStringLiteral("show.cpz"));
    {
        // Not there when saved, so the archive does not hold it.
        MeterGaugeLocalization gauge;
        ModelFixture f;
        f.engine->rootContext()->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), &gauge);
        CComposite *pPanel = f.panel(f.scene(QStringLiteral("Lobby")), QStringLiteral("Home"));
        f.control(pPanel, QStringLiteral("Logo"), QStringLiteral("Image"), QStringLiteral("image"),
                  {{"x", "0"}, {"path", QUrl::fromLocalFile(logo).toString()}});
        f.control(pPanel, QStringLiteral("Crafted"), type, widget, {{"x", "0"}, {setting, name}});
        f.model->updatePageCount();
        QVERIFY(f.model->saveProject(target));
    }
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("secret"))));
    QVERIFY(TestSupport::writeAll(secret, "PRIVATE KEY"));

    MeterGaugeLocalization gauge;
    ModelFixture g;
    g.engine->rootContext()->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), &gauge);
    g.canvasItem.setSize(QSizeF());
    QVERIFY(g.model->openProject(target));
    QCOMPARE(g.boxes.size(), 1);
    QVERIFY2(g.boxes.first().startsWith(QLatin1String("Warning|")) && g.boxes.first().contains(name),
             qPrintable(g.boxes.first()));
    CControl *pCrafted = g.model->scenes()->findByName(QStringLiteral("Crafted"));
    QVERIFY(pCrafted && pCrafted->findWidget(widget));
    const QString shown = pCrafted->findWidget(widget)->widgetProperty(property.toLatin1().constData()).toString();
    QVERIFY2(!shown.contains(QLatin1String("id_rsa")), qPrintable(shown));
    // The archive's own picture is still used.
    CControl *pLogo = g.model->scenes()->findByName(QStringLiteral("Logo"));
    QVERIFY(pLogo);
    const QUrl url(pLogo->findWidget(QStringLiteral("image"))->widgetProperty("path").toString());
    QVERIFY2(url.isLocalFile() && url.toLocalFile() != logo && QFile::exists(url.toLocalFile()),
             qPrintable(url.toString()));

    const QString second = dir.filePath(QStringLiteral("second.cpz"));
    QVERIFY(g.model->saveProject(second));
    UArchive packed;
    QVERIFY(packed.read(second));
    QVERIFY(packed.findLocalPath(QStringLiteral("id_rsa")).isEmpty());
    QVERIFY(!packed.findLocalPath(QStringLiteral("logo.png")).isEmpty());
}

VVB_TEST_MAIN(TestWImage)
#include "tst_wimage.moc"
