#include "dialogs/DPropDialog.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "support/TestMain.h"
#include "support/WidgetFixture.h"
#include "utility/UArchive.h"
#include "widgets/WPanelLink.h"
#include "xml/XmlWriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Settings = WidgetFixture::Settings;

// The settings of the built-in link template.
Settings linkTemplate()
{
    return {{"x", "0"},      {"y", "0"},   {"width", "120"},          {"height", "30"},
            {"text", "?"}, {"scale", "1.5"}, {"keepImageInBounds", "1"}};
}

struct Link
{
    explicit Link(const Settings &settings = linkTemplate())
    {
        control = fx.addControl(QStringLiteral("Link"), QStringLiteral("PanelLink"));
        link = qobject_cast<WPanelLink *>(fx.readWidget(control, QStringLiteral("panellink"), settings));
    }

    WidgetFixture fx;
    CControl *control = nullptr;
    WPanelLink *link = nullptr;
};

// A document root holding one scene with two panels.
struct Document
{
    Document()
    {
        root.setName(QStringLiteral("Scenes"));
        scene = new CComposite;
        scene->setKind(QStringLiteral("Scene"));
        scene->setName(QStringLiteral("Lobby"));
        root.addChild(scene);
        for (const char *name : {"Home", "Lights"}) {
            auto *pPanel = new CComposite;
            pPanel->setKind(QStringLiteral("Panel"));
            pPanel->setName(QLatin1String(name));
            scene->addChild(pPanel);
            panels.append(pPanel);
        }
    }

    CComposite root;
    CComposite *scene = nullptr;
    QList<CComposite *> panels;
};

} // namespace

class TestWPanelLink : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { UArchive::instance()->clear(); }

    void targetGivesPathAndText();
    void clicksJumpOnce();
    void jumpWithoutAControlIsSkipped();
    void renamedPanelRewritesItsLinks_data();
    void renamedPanelRewritesItsLinks();
    void propertyIds();
    void imageModeReading_data();
    void imageModeReading();
    void templateSurvivesSaveAndLoad();
    void savesAndLoadsEverySetting();
    void keepImageInBoundsZeroIsNotWritten();
    void localImageIsRegisteredWithTheArchive();
    void withoutAnItem();
};

void TestWPanelLink::targetGivesPathAndText()
{
    Document document;
    Link l;
    l.link->setLinkTarget(document.panels.at(1));
    QCOMPARE(l.link->linkPath(), QStringLiteral("..\\Lobby\\Lights"));
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::LinkPath).toString(), QStringLiteral("..\\Lobby\\Lights"));
    QCOMPARE(l.link->text(), QStringLiteral("Lights"));
    QCOMPARE(l.link->widgetProperty("textFormat").toInt(), int(Qt::RichText));
    // The path is the one the document finds the panel by.
    QString path = l.link->linkPath();
    QVERIFY(document.root.findByPath(path));
    QCOMPARE(document.scene->currentIndex(), 1);
    // No target keeps what the link had.
    l.link->setLinkTarget(nullptr);
    QCOMPARE(l.link->linkPath(), QStringLiteral("..\\Lobby\\Lights"));
}

// Clicks while the delay runs restart it: a double tap jumps once.
void TestWPanelLink::clicksJumpOnce()
{
    Link l;
    l.link->setPropertyValue(WidgetPropertyId::LinkPath, QStringLiteral("..\\Lobby\\Lights"));
    QSignalSpy jumps(&l.link->jumpTimer(), &QTimer::timeout);
    QMetaObject::invokeMethod(l.link, "selectPanel");
    QMetaObject::invokeMethod(l.link, "selectPanel");
    QVERIFY(l.link->jumpTimer().isActive());
    QCOMPARE(jumps.count(), 0);
    QTRY_COMPARE(jumps.count(), 1);
    QTest::qWait(10 * WPanelLink::JumpDelay);
    QCOMPARE(jumps.count(), 1);
    QVERIFY(!l.link->jumpTimer().isActive());
    // A later click jumps again.
    l.link->selectPanel();
    QTRY_COMPARE(jumps.count(), 2);
}

void TestWPanelLink::jumpWithoutAControlIsSkipped()
{
    WidgetFixture fx;
    auto *pLink = qobject_cast<WPanelLink *>(fx.canvas().factory()->createWidget(QStringLiteral("panellink")));
    QVERIFY(pLink);
    QVERIFY(!pLink->model());
    pLink->onJumpTimerTimeout();
}

void TestWPanelLink::renamedPanelRewritesItsLinks_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("oldPrefix");
    QTest::addColumn<QString>("newPrefix");
    QTest::addColumn<QString>("result");
    QTest::newRow("the panel") << "..\\Lobby\\Home" << "..\\Lobby\\Home" << "..\\Lobby\\Start" << "..\\Lobby\\Start";
    QTest::newRow("below the panel") << "..\\Lobby\\Home\\Inner" << "..\\Lobby\\Home" << "..\\Lobby\\Start"
                                     << "..\\Lobby\\Start\\Inner";
    QTest::newRow("a renamed scene") << "..\\Lobby\\Home" << "..\\Lobby" << "..\\Hall" << "..\\Hall\\Home";
    QTest::newRow("a panel whose name only begins the same")
        << "..\\Lobby\\Home 2" << "..\\Lobby\\Home" << "..\\Lobby\\Start" << "..\\Lobby\\Home 2";
    QTest::newRow("a prefix ending in the separator")
        << "..\\Lobby\\Home" << "..\\Lobby\\" << "..\\Hall\\" << "..\\Hall\\Home";
    QTest::newRow("the old name further on") << "..\\Hall\\Lobby\\Home" << "Lobby" << "Hall"
                                             << "..\\Hall\\Lobby\\Home";
    QTest::newRow("case differs") << "..\\Lobby\\Home" << "..\\lobby\\Home" << "..\\Lobby\\Start"
                                  << "..\\Lobby\\Home";
    QTest::newRow("empty old prefix") << "..\\Lobby\\Home" << "" << "x" << "..\\Lobby\\Home";
}

void TestWPanelLink::renamedPanelRewritesItsLinks()
{
    QFETCH(QString, path);
    QFETCH(QString, oldPrefix);
    QFETCH(QString, newPrefix);
    QFETCH(QString, result);
    Link l(Settings{{"path", path}});
    // Through the panel document, as a rename reaches it.
    l.fx.panel()->replaceLinkPrefix(oldPrefix, newPrefix);
    QCOMPARE(l.link->linkPath(), result);
}

void TestWPanelLink::propertyIds()
{
    Link l;
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::ButtonMode).toString(), QStringLiteral("Text"));
    l.link->setPropertyValue(WidgetPropertyId::ButtonMode, QStringLiteral("Image"));
    QVERIFY(l.link->widgetProperty("imageValid").toBool());
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::ButtonMode).toString(), QStringLiteral("Image"));
    l.link->setPropertyValue(WidgetPropertyId::ButtonMode, QStringLiteral("Text"));
    QVERIFY(!l.link->widgetProperty("imageValid").toBool());

    QCOMPARE(l.link->propertyValue(WidgetPropertyId::LinkButtonMode).toString(), QStringLiteral("Blank"));
    l.link->setPropertyValue(WidgetPropertyId::LinkButtonMode, QStringLiteral("Button"));
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::LinkButtonMode).toString(), QStringLiteral("Button"));
    l.link->setPropertyValue(WidgetPropertyId::LinkButtonMode, QStringLiteral("button"));
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::LinkButtonMode).toString(), QStringLiteral("Blank"));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("link.png"));
    QVERIFY(QImage(4, 4, QImage::Format_ARGB32).save(file));
    l.link->setPropertyValue(WidgetPropertyId::Image, file);
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::Image).toString(), QUrl::fromLocalFile(file).toString());
    l.link->setPropertyValue(WidgetPropertyId::Image, QString());
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::Image).toString(), QUrl::fromLocalFile(file).toString());

    // A link answers neither the label's alignment nor its scale.
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::Align).toString(), QString());
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::Scale).toString(), QString());
    l.link->setPropertyValue(WidgetPropertyId::Text, QStringLiteral("Go"));
    QCOMPARE(l.link->text(), QStringLiteral("Go"));
    QVERIFY(l.link->hasTitle());
    // Its own property page, bound to it.
    const std::unique_ptr<QObject> pPage(l.link->createPropertiesDialog(nullptr));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropPanelLinkDialog"));
}

void TestWPanelLink::imageModeReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("image");
    QTest::newRow("Text") << "Text" << false;
    QTest::newRow("Image") << "Image" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("text") << "text" << true;
}

void TestWPanelLink::imageModeReading()
{
    QFETCH(QString, text);
    QFETCH(bool, image);
    Link l(Settings{{"imagevalid", text}});
    QCOMPARE(l.link->widgetProperty("imageValid").toBool(), image);
}

void TestWPanelLink::templateSurvivesSaveAndLoad()
{
    Link l;
    QCOMPARE(l.link->text(), QStringLiteral("?"));
    QCOMPARE(l.link->propertyValue(WidgetPropertyId::Text).toString(), QStringLiteral("?"));
    QVERIFY(l.link->widgetProperty("keepImageInBounds").toBool());
    const Settings saved = WidgetFixture::saved(l.link);
    QCOMPARE(WidgetFixture::names(saved),
             (QStringList{"x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract", "text",
                          "imagevalid", "buttonmode", "hasBorder", "keepImageInBounds", "scale"}));
    QCOMPARE(WidgetFixture::valueOf(saved, "scale"), QStringLiteral("1.5"));
    auto *pLoaded = qobject_cast<WPanelLink *>(l.fx.reload(l.link));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->text(), QStringLiteral("?"));
    QCOMPARE(pLoaded->widgetProperty("textScale").toReal(), 1.5);
    QCOMPARE(pLoaded->keepImageInBounds(), 1);
    QCOMPARE(WidgetFixture::saved(pLoaded), saved);
}

void TestWPanelLink::savesAndLoadsEverySetting()
{
    Link l(Settings{{"x", "5"},
            {"y", "6"},
            {"width", "120"},
            {"height", "30"},
            {"text", "Lights"},
            {"path", "..\\Lobby\\Lights"},
            {"imagepath", "qrc:/images/SliderIcon.png"},
            {"imagevalid", "Image"},
            {"buttonmode", "Button"},
            {"hasBorder", "1"},
            {"keepImageInBounds", "1"},
            {"face", "bold"},
            {"scale", "2"},
            {"align", "right"}});
    const Settings saved = WidgetFixture::saved(l.link);
    QCOMPARE(WidgetFixture::names(saved),
             (QStringList{"x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract", "text",
                          "path", "imagepath", "imagevalid", "buttonmode", "hasBorder", "keepImageInBounds", "face",
                          "scale"}));
    QCOMPARE(WidgetFixture::valueOf(saved, "text"), QStringLiteral("Lights"));
    QCOMPARE(WidgetFixture::valueOf(saved, "path"), QStringLiteral("..\\Lobby\\Lights"));
    QCOMPARE(WidgetFixture::valueOf(saved, "imagepath"), QStringLiteral("qrc:/images/SliderIcon.png"));
    QCOMPARE(WidgetFixture::valueOf(saved, "imagevalid"), QStringLiteral("Image"));
    QCOMPARE(WidgetFixture::valueOf(saved, "buttonmode"), QStringLiteral("Button"));
    QCOMPARE(WidgetFixture::valueOf(saved, "hasBorder"), QStringLiteral("1"));
    QCOMPARE(WidgetFixture::valueOf(saved, "face"), QStringLiteral("bold"));
    QCOMPARE(WidgetFixture::valueOf(saved, "scale"), QStringLiteral("2.0"));

    auto *pLoaded = qobject_cast<WPanelLink *>(l.fx.reload(l.link));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->linkPath(), QStringLiteral("..\\Lobby\\Lights"));
    QCOMPARE(pLoaded->text(), QStringLiteral("<b>Lights</b>"));
    QVERIFY(pLoaded->widgetProperty("hasBorder").toBool());
    QVERIFY(pLoaded->widgetProperty("buttonMode").toBool());
    QCOMPARE(WidgetFixture::saved(pLoaded), saved);
    QVERIFY(l.fx.canvas().warnings().isEmpty());
}

void TestWPanelLink::keepImageInBoundsZeroIsNotWritten()
{
    Link l(Settings{{"text", "?"}, {"keepImageInBounds", "0"}});
    QVERIFY(l.link->widgetProperty("keepImageInBounds").toBool());
    QCOMPARE(l.link->keepImageInBounds(), 0);
    QVERIFY(!WidgetFixture::names(WidgetFixture::saved(l.link)).contains(QStringLiteral("keepImageInBounds")));
}

// A local image goes into the archive when the project is packed (the
// writer's archive lives as long as the writer); the file keeps the path as shown.
void TestWPanelLink::localImageIsRegisteredWithTheArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("logo.png"));
    QVERIFY(QImage(4, 4, QImage::Format_ARGB32).save(file));
    Link l;
    l.link->setPropertyValue(WidgetPropertyId::Image, file);
    Link resource(Settings{{"imagepath", "qrc:/images/SliderIcon.png"}});
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    QVERIFY(l.link->save(&writer));
    QVERIFY(l.link->save(&writer)); // listed already: saving again adds nothing
    // Resources are not files the archive could store.
    QVERIFY(resource.link->save(&writer));
    writer.flush();
    QVERIFY(bytes.contains(QUrl::fromLocalFile(file).toString().toUtf8()));
    QCOMPARE(UArchive::instance()->header().records().size(), 1);
    QVERIFY(UArchive::instance()->header().findByLocalPath(file));
}

void TestWPanelLink::withoutAnItem()
{
    WPanelLink link;
    QVERIFY(link.processElement(QStringLiteral("path"), QStringLiteral("..\\A\\B")));
    QVERIFY(link.processElement(QStringLiteral("keepImageInBounds"), QStringLiteral("3")));
    QCOMPARE(link.linkPath(), QStringLiteral("..\\A\\B"));
    QCOMPARE(link.keepImageInBounds(), 3);
    QCOMPARE(link.propertyValue(WidgetPropertyId::ButtonMode).toString(), QString());
    QCOMPARE(link.propertyValue(WidgetPropertyId::Image).toString(), QString());
    QCOMPARE(link.propertyValue(WidgetPropertyId::LinkButtonMode).toString(), QString());
    link.setPropertyValue(WidgetPropertyId::Image, QStringLiteral("/tmp/x.png"));
    QVERIFY(!link.processElement(QStringLiteral("text"), QStringLiteral("x")));
}

VVB_TEST_MAIN(TestWPanelLink)
#include "tst_wpanellink.moc"
