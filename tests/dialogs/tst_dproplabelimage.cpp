#include "dialogs/DChooser.h"
#include "dialogs/DPropDialog.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "widgets/WWidget.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QtTest>

// The label and image pages, opened by the Properties tab on a selected
// control and worked through their forms.
class TestDPropLabelImage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void pageOfEachKind_data();
    void pageOfEachKind();
    void labelForm();
    void labelFields_data();
    void labelFields();
    void scaleShown_data();
    void scaleShown();
    void imageForm();
    void imageFields_data();
    void imageFields();
    void backgroundGroup_data();
    void backgroundGroup();
    void opacitySliderRoundTrip_data();
    void opacitySliderRoundTrip();
    void cancelledImageChooserFilesNothing();
    void samePictureFilesNothing();
    void opacitySliderSendsOnRelease_data();
    void opacitySliderSendsOnRelease();
    void currentValueFilesNothing_data();
    void currentValueFilesNothing();
};

namespace {

const PropPageFixture::Settings kLabel = {{"x", "10"},       {"y", "20"},      {"width", "120"},
                                          {"height", "30"},  {"text", "Hall"}, {"align", "center"},
                                          {"scale", "1.5"},  {"color", "#102030"}};

const PropPageFixture::Settings kImage = {{"x", "10"},
                                          {"y", "20"},
                                          {"width", "200"},
                                          {"height", "100"},
                                          {"path", "file:///pics/floor.png"},
                                          {"imageOpacity", "0.5"},
                                          {"maxCachedImageWidth", "1024"}};

PropPageFixture::Settings with(PropPageFixture::Settings settings, const QString &name, const QString &value)
{
    settings.append({name, value});
    return settings;
}

WWidget *addLabel(PropPageFixture &fx, const PropPageFixture::Settings &settings = kLabel)
{
    return fx.addWidget(QStringLiteral("Label"), QStringLiteral("label"), settings);
}

WWidget *addImage(PropPageFixture &fx, const PropPageFixture::Settings &settings = kImage)
{
    return fx.addWidget(QStringLiteral("Image"), QStringLiteral("image"), settings);
}

} // namespace

void TestDPropLabelImage::cleanup()
{
    DChooser::setResponder({});
}

void TestDPropLabelImage::pageOfEachKind_data()
{
    QTest::addColumn<QString>("controlType");
    QTest::addColumn<QString>("widgetType");
    QTest::addColumn<QString>("pageClass");
    QTest::addColumn<PropPageFixture::Settings>("settings");
    QTest::newRow("label") << "Label" << "label" << "DPropLabelDialog" << kLabel;
    QTest::newRow("image") << "Image" << "image" << "DPropImageDialog" << kImage;
}

void TestDPropLabelImage::pageOfEachKind()
{
    QFETCH(QString, controlType);
    QFETCH(QString, widgetType);
    QFETCH(QString, pageClass);
    QFETCH(PropPageFixture::Settings, settings);
    PropPageFixture fx;
    WWidget *pWidget = fx.addWidget(controlType, widgetType, settings);
    DPropDialog *pPage = fx.open(pWidget);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), pageClass);
    QCOMPARE(pPage->widget(), pWidget);
    QCOMPARE(pPage->width(), 245);
    QCOMPARE(pPage->minimumWidth(), 245);
    QCOMPARE(pPage->maximumWidth(), 245);
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pYPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pWidthEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropLabelImage::labelForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addLabel(fx));
    QVERIFY(pPage);
    QCOMPARE(pPage->height(), 276);
    QCOMPARE(pPage->minimumHeight(), 170);
    QCOMPARE(pPage->maximumHeight(), 300);
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pAlignEdit"))),
             QStringList({"Left", "Center", "Right"}));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pScaleEdit"))),
             QStringList({"0.5", "0.8", "1.0", "1.25", "1.5", "2.0", "2.5", "3.0", "4.0", "5.0"}));
    QCOMPARE(fx.shown(QStringLiteral("m_pXPosEdit")), QStringLiteral("10"));
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("30"));
    QCOMPARE(fx.shown(QStringLiteral("m_pLabelEdit")), QStringLiteral("Hall"));
    QCOMPARE(fx.shown(QStringLiteral("m_pAlignEdit")), QStringLiteral("Center"));
    QCOMPARE(fx.shown(QStringLiteral("m_pScaleEdit")), QStringLiteral("1.5"));
    auto *pSwatch = fx.field<QLabel>(QStringLiteral("m_pTextColor"));
    QVERIFY(pSwatch->autoFillBackground());
    QCOMPARE(pSwatch->palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
    QVERIFY(pSwatch->text().isEmpty());
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropLabelImage::labelFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "-7" << int(WidgetPropertyId::XPos) << "-7";
    QTest::newRow("y") << "type" << "m_pYPosEdit" << "44" << int(WidgetPropertyId::YPos) << "44";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "150" << int(WidgetPropertyId::Width) << "150";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "40" << int(WidgetPropertyId::Height) << "40";
    QTest::newRow("text") << "type" << "m_pLabelEdit" << "Lobby" << int(WidgetPropertyId::Text) << "Lobby";
    QTest::newRow("align") << "pick" << "m_pAlignEdit" << "Right" << int(WidgetPropertyId::Align) << "Right";
    QTest::newRow("scale") << "pick" << "m_pScaleEdit" << "2.5" << int(WidgetPropertyId::Scale) << "2.5";
    QTest::newRow("whole scale") << "pick" << "m_pScaleEdit" << "3.0" << int(WidgetPropertyId::Scale) << "3.0";
    QTest::newRow("colour") << "colour" << "m_pTextColorSet" << "#aabbcc" << int(WidgetPropertyId::TextColor)
                            << "#aabbcc";
}

void TestDPropLabelImage::labelFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pLabel = addLabel(fx);
    const QString failed = fx.roundTrip(pLabel, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropLabelImage::scaleShown_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole scale shows with .0") << "1" << "1.0";
    QTest::newRow("fraction") << "0.8" << "0.8";
    QTest::newRow("no item: first item") << "1.75" << "0.5";
}

void TestDPropLabelImage::scaleShown()
{
    QFETCH(QString, scale);
    QFETCH(QString, shown);
    PropPageFixture fx;
    WWidget *pLabel = addLabel(fx, with(kLabel, QStringLiteral("scale"), scale));
    QVERIFY(fx.open(pLabel));
    QCOMPARE(fx.shown(QStringLiteral("m_pScaleEdit")), shown);
    // Showing it sends nothing.
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pLabel->propertyValue(WidgetPropertyId::Scale).toDouble(), scale.toDouble());
}

void TestDPropLabelImage::imageForm()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addImage(fx));
    QVERIFY(pPage);
    QCOMPARE(pPage->height(), 237);
    QCOMPARE(pPage->minimumHeight(), 200);
    QCOMPARE(pPage->maximumHeight(), 250);
    auto *pModes = fx.field<QComboBox>(QStringLiteral("m_pBackgroundModeComboBox"));
    QCOMPARE(TestSupport::itemsOf(pModes), QStringList({"Stretch", "Preserve aspect and fit", "Preserve aspect and crop", "Tile",
                                           "Tile Vertically", "Tile Horizontally", "Pad"}));
    for (int i = 0; i < pModes->count(); ++i)
        QCOMPARE(pModes->itemData(i).toInt(), i);
    auto *pWidths = fx.field<QComboBox>(QStringLiteral("m_pMaxCachedWidthComboBox"));
    QCOMPARE(TestSupport::itemsOf(pWidths), QStringList({"64", "128", "256", "512", "1024", "2048", "4096"}));
    QVERIFY(!pWidths->itemData(0).isValid());
    auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
    QCOMPARE(pSlider->minimum(), 5);
    QCOMPARE(pSlider->maximum(), 100);
    QVERIFY(!pSlider->hasTracking());
    QVERIFY(fx.field<QLineEdit>(QStringLiteral("m_pImageEdit"))->isReadOnly());
    QVERIFY(!fx.type(QStringLiteral("m_pImageEdit"), QStringLiteral("/typed.png")));

    QCOMPARE(fx.shown(QStringLiteral("m_pWidthEdit")), QStringLiteral("200"));
    QCOMPARE(fx.shown(QStringLiteral("m_pImageEdit")), QStringLiteral("file:///pics/floor.png"));
    QCOMPARE(pSlider->value(), 50);
    QCOMPARE(fx.shown(QStringLiteral("m_pMaxCachedWidthComboBox")), QStringLiteral("1024"));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropLabelImage::imageFields_data()
{
    QTest::addColumn<QString>("mode"); // the background mode read, "" for placed
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "" << "type" << "m_pXPosEdit" << "12" << int(WidgetPropertyId::XPos) << "12";
    QTest::newRow("height") << "" << "type" << "m_pHeightEdit" << "90" << int(WidgetPropertyId::Height) << "90";
    QTest::newRow("picture") << "" << "image" << "m_pImageButton" << "/data/img/a.png" << int(WidgetPropertyId::Image)
                             << "file:///data/img/a.png";
    QTest::newRow("background: the mode shown") << "" << "tick" << "m_pUseAsBackgroundCheckbox" << ""
                                                 << int(WidgetPropertyId::BackgroundMode) << "0";
    QTest::newRow("placed again") << "3" << "untick" << "m_pUseAsBackgroundCheckbox" << ""
                                  << int(WidgetPropertyId::BackgroundMode) << "-1";
    QTest::newRow("fill mode") << "0" << "pick" << "m_pBackgroundModeComboBox" << "Tile Horizontally"
                               << int(WidgetPropertyId::BackgroundMode) << "5";
    QTest::newRow("cached width") << "" << "pick" << "m_pMaxCachedWidthComboBox" << "256"
                                  << int(WidgetPropertyId::MaxCachedWidth) << "256";
}

void TestDPropLabelImage::imageFields()
{
    QFETCH(QString, mode);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pImage = addImage(fx, mode.isEmpty() ? kImage : with(kImage, QStringLiteral("backgroundFillMode"), mode));
    const QString failed = fx.roundTrip(pImage, action, field, input, id, after);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TestDPropLabelImage::backgroundGroup_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("background");
    QTest::addColumn<QString>("shown");
    QTest::newRow("placed") << "-1" << false << "Stretch";
    QTest::newRow("tiled background") << "3" << true << "Tile";
    QTest::newRow("padded background") << "6" << true << "Pad";
}

void TestDPropLabelImage::backgroundGroup()
{
    QFETCH(QString, mode);
    QFETCH(bool, background);
    QFETCH(QString, shown);
    PropPageFixture fx;
    QVERIFY(fx.open(addImage(fx, with(kImage, QStringLiteral("backgroundFillMode"), mode))));
    QCOMPARE(fx.field<QCheckBox>(QStringLiteral("m_pUseAsBackgroundCheckbox"))->isChecked(), background);
    QCOMPARE(fx.isEnabled(QStringLiteral("m_pBackgroundModeComboBox")), background);
    QCOMPARE(fx.isEnabled(QStringLiteral("modeLabel")), background);
    QCOMPARE(fx.shown(QStringLiteral("m_pBackgroundModeComboBox")), shown);
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropLabelImage::opacitySliderRoundTrip_data()
{
    QTest::addColumn<int>("value");
    for (int value = 5; value <= 100; ++value)
        QTest::addRow("%d", value) << value;
}

void TestDPropLabelImage::opacitySliderRoundTrip()
{
    QFETCH(int, value);
    PropPageFixture fx;
    // Stored as 0.29, which in binary is a hair below: still shows as 29.
    WWidget *pImage = addImage(fx, with(kImage, QStringLiteral("imageOpacity"), QStringLiteral("0.29")));
    QVERIFY(fx.open(pImage));
    auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
    QCOMPARE(pSlider->value(), 29);
    if (value == 29)
        return;
    // A keyboard step or a released handle lands here.
    pSlider->setValue(value);
    QCOMPARE(fx.undoCount(), 1);
    QCOMPARE(pImage->propertyValue(WidgetPropertyId::Opacity).toDouble(), value * 0.01);
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), value);
    fx.undo();
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), 29);
}

void TestDPropLabelImage::cancelledImageChooserFilesNothing()
{
    PropPageFixture fx;
    WWidget *pImage = addImage(fx);
    QPointer<DPropDialog> pPage = fx.open(pImage);
    int asked = 0;
    DChooser::setResponder([&](const DChooser::Request &) {
        ++asked;
        return QString();
    });
    QVERIFY(fx.click(QStringLiteral("m_pImageButton")));
    QCOMPARE(asked, 1);
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(pImage->propertyValue(WidgetPropertyId::Image).toString(), QStringLiteral("file:///pics/floor.png"));
    QCOMPARE(fx.page(), pPage.data());
    QCOMPARE(fx.shown(QStringLiteral("m_pImageEdit")), QStringLiteral("file:///pics/floor.png"));
}

void TestDPropLabelImage::samePictureFilesNothing()
{
    PropPageFixture fx;
    WWidget *pImage = addImage(fx);
    QPointer<DPropDialog> pPage = fx.open(pImage);
    fx.model()->setModified(false);
    // The chooser answers a path; the widget reports the URL of that file.
    QVERIFY(fx.work(QStringLiteral("image"), QStringLiteral("m_pImageButton"), QStringLiteral("/pics/floor.png")));
    QCOMPARE(fx.undoCount(), 0);
    QVERIFY(!fx.model()->isModified());
    QCOMPARE(fx.page(), pPage.data());
    QCOMPARE(pImage->propertyValue(WidgetPropertyId::Image).toString(), QStringLiteral("file:///pics/floor.png"));
}

void TestDPropLabelImage::opacitySliderSendsOnRelease_data()
{
    QTest::addColumn<bool>("drag"); // else two keyboard steps
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("shown");
    QTest::newRow("dragged handle") << true << 1 << 70;
    QTest::newRow("keyboard steps") << false << 2 << 52;
}

void TestDPropLabelImage::opacitySliderSendsOnRelease()
{
    QFETCH(bool, drag);
    QFETCH(int, edits);
    QFETCH(int, shown);
    PropPageFixture fx;
    WWidget *pImage = addImage(fx);
    QVERIFY(fx.open(pImage));
    if (drag) {
        // As a mouse drag moves it: the value follows only on release.
        auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
        pSlider->setSliderDown(true);
        for (int position = 55; position <= 70; position += 5)
            pSlider->setSliderPosition(position);
        QCOMPARE(fx.undoCount(), 0);
        pSlider->setSliderDown(false);
    } else {
        for (int step = 0; step < 2; ++step) {
            auto *pSlider = fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"));
            pSlider->setFocus();
            QTest::keyClick(pSlider, Qt::Key_Right);
        }
    }
    QCOMPARE(fx.undoCount(), edits);
    QCOMPARE(fx.field<QSlider>(QStringLiteral("m_pOpacitySlider"))->value(), shown);
    QCOMPARE(pImage->propertyValue(WidgetPropertyId::Opacity).toDouble(), shown * 0.01);
}

void TestDPropLabelImage::currentValueFilesNothing_data()
{
    QTest::addColumn<QString>("widgetType");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::newRow("label x") << "label" << "type" << "m_pXPosEdit" << "10";
    QTest::newRow("label text") << "label" << "type" << "m_pLabelEdit" << "Hall";
    QTest::newRow("label colour") << "label" << "colour" << "m_pTextColorSet" << "#102030";
    QTest::newRow("image width") << "image" << "type" << "m_pWidthEdit" << "200";
    QTest::newRow("image height") << "image" << "type" << "m_pHeightEdit" << "100";
}

void TestDPropLabelImage::currentValueFilesNothing()
{
    QFETCH(QString, widgetType);
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    PropPageFixture fx;
    WWidget *pWidget = widgetType == QLatin1String("label") ? addLabel(fx) : addImage(fx);
    QPointer<DPropDialog> pPage = fx.open(pWidget);
    QVERIFY(pPage);
    QVERIFY(fx.work(action, field, input));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(fx.page(), pPage.data());
}

VVB_TEST_MAIN(TestDPropLabelImage)
#include "tst_dproplabelimage.moc"
