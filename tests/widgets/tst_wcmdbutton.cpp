#include "model/CControl.h"
#include "support/CanvasWindow.h"
#include "support/FaderFixture.h"
#include "support/TestMain.h"
#include "widgets/WCmdButton.h"
#include "widgets/WSlider.h"

#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

const Settings Geometry{{"x", "40"}, {"y", "50"}, {"width", "100"}, {"height", "40"}};

Settings withGeometry(const Settings &more)
{
    Settings settings = Geometry;
    settings.append(more);
    return settings;
}

struct Command
{
    explicit Command(const Settings &settings)
    {
        control = fx.addControl(QStringLiteral("Home"), QStringLiteral("Control"));
        button = qobject_cast<WCmdButton *>(WidgetFixture::readWidget(control, QStringLiteral("cmdbutton"), settings));
        control->initialize();
    }

    QVariant shown(const char *name) const { return button->widgetProperty(name); }

    WidgetFixture fx;
    CControl *control = nullptr;
    WCmdButton *button = nullptr;
};

} // namespace

class TestWCmdButton : public QObject
{
    Q_OBJECT

private slots:
    void imageNames_data();
    void imageNames();
    void buttonModeWords_data();
    void buttonModeWords();
    void imageChosenOnThePageIsSavedAndShownAgain();
    void captionSize_data();
    void captionSize();
    void pressOnAFaderChangesNothingAndFlashes();
    void pressAfterTheLinkedWidgetWentDoesNothing();
    void saveAndReopenGiveTheSameFile_data();
    void saveAndReopenGiveTheSameFile();
    void unknownElementsAreNotHandled();
};

void TestWCmdButton::imageNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("image");
    QTest::addColumn<bool>("hasImage");

    QTest::newRow("built-in name") << "home" << "../images/home.png" << true;
    QTest::newRow("file name") << "/pictures/home.jpg" << "/pictures/home.jpg" << true;
    QTest::newRow("empty") << "" << "" << false;
}

void TestWCmdButton::imageNames()
{
    QFETCH(QString, name);
    QFETCH(QString, image);
    QFETCH(bool, hasImage);
    Command f(withGeometry({{"onimage", name}}));
    QCOMPARE(f.shown("image").toString(), image);
    QCOMPARE(f.shown("hasImage").toBool(), hasImage);
    QCOMPARE(f.button->propertyValue(WidgetPropertyId::Image).toString(), image);
}

void TestWCmdButton::buttonModeWords_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("readBack");

    const Settings both{{"title", "Go"}, {"onimage", "help"}};
    QTest::newRow("both read as text") << both << "" << "Text";
    QTest::newRow("image") << both << "Image" << "Image";
    QTest::newRow("text") << both << "Text" << "Text";
    QTest::newRow("text and image changes nothing") << Settings{{"onimage", "help"}} << "Text+Image" << "Image";
    QTest::newRow("nothing shown") << Settings{} << "" << "";
}

void TestWCmdButton::buttonModeWords()
{
    QFETCH(Settings, settings);
    QFETCH(QString, mode);
    QFETCH(QString, readBack);
    Command f(withGeometry(settings));
    if (!mode.isEmpty())
        f.button->setPropertyValue(WidgetPropertyId::ButtonMode, mode);
    QCOMPARE(f.button->propertyValue(WidgetPropertyId::ButtonMode).toString(), readBack);
}

void TestWCmdButton::imageChosenOnThePageIsSavedAndShownAgain()
{
    Command f(withGeometry({{"title", "Go"}}));
    f.button->setPropertyValue(WidgetPropertyId::Image, QStringLiteral("/pictures/door.png"));
    f.button->setPropertyValue(WidgetPropertyId::ButtonMode, QStringLiteral("Image"));
    const Settings saved = WidgetFixture::saved(f.button);
    QCOMPARE(WidgetFixture::valueOf(saved, "onimage"), QStringLiteral("file:///pictures/door.png"));
    QCOMPARE(WidgetFixture::valueOf(saved, "title"), QString());
    auto *pCopy = qobject_cast<WCmdButton *>(f.fx.reload(f.button));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->widgetProperty("image").toString(), QStringLiteral("file:///pictures/door.png"));
    QVERIFY(pCopy->widgetProperty("hasImage").toBool());
    // An empty choice keeps the image.
    pCopy->setPropertyValue(WidgetPropertyId::Image, QString());
    QCOMPARE(pCopy->widgetProperty("image").toString(), QStringLiteral("file:///pictures/door.png"));
}

void TestWCmdButton::captionSize_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("share");

    QTest::newRow("one character") << "+" << 1.0;
    QTest::newRow("longer") << "Home" << 0.625;
}

void TestWCmdButton::captionSize()
{
    QFETCH(QString, caption);
    QFETCH(double, share);
    Command f(withGeometry({{"title", caption}}));
    auto *pItem = qobject_cast<QQuickItem *>(f.button->widget());
    QQuickItem *pText = nullptr;
    for (QQuickItem *pChild : pItem->childItems().value(0)->childItems()) {
        if (pChild->property("text").toString() == caption)
            pText = pChild;
    }
    QVERIFY(pText);
    const int textSize = f.shown("textSize").toInt();
    QCOMPARE(textSize, int(40 * 0.5625));
    QCOMPARE(pText->property("font").value<QFont>().pixelSize(), qRound(textSize * share));
}

// No widget acts on a handed command: the fader neither moves nor sends.
void TestWCmdButton::pressOnAFaderChangesNothingAndFlashes()
{
    FaderFixture fader(FaderFixture::range("0", "10", "1"));
    auto *pButton = qobject_cast<WCmdButton *>(WidgetFixture::readWidget(
        fader.control, QStringLiteral("cmdbutton"),
        withGeometry({{"id", "7"}, {"link", "1"}, {"title", "Up"}, {"command", "step +1"}})));
    QVERIFY(pButton);
    fader.control->initialize();
    QCOMPARE(pButton->linkedWidget(), fader.fader);
    fader.protocol.clear();
    const int before = fader.position();
    pButton->setWidgetVisible(true);
    CanvasWindow window(fader.fx.canvas());
    QVERIFY(window.isExposed());
    auto *pItem = qobject_cast<QQuickItem *>(pButton->widget());
    QTest::mouseClick(window.window(), Qt::LeftButton, Qt::NoModifier, CanvasWindow::pointIn(pItem, 0.5, 0.5));
    QVERIFY(pButton->widgetProperty("flash").toBool());
    QTRY_VERIFY(!pButton->widgetProperty("flash").toBool());
    QCOMPARE(fader.position(), before);
    QTest::qWait(5 * WSlider::SendDelay);
    QVERIFY(fader.protocol.sentValues().isEmpty());
    QCOMPARE(pButton->command(), QStringLiteral("step +1"));
}

// The link is borrowed: once the other widget is gone the button lets go of it.
void TestWCmdButton::pressAfterTheLinkedWidgetWentDoesNothing()
{
    FaderFixture fader(FaderFixture::range("0", "10", "1"));
    auto *pButton = qobject_cast<WCmdButton *>(WidgetFixture::readWidget(
        fader.control, QStringLiteral("cmdbutton"), withGeometry({{"id", "7"}, {"link", "1"}, {"command", "x"}})));
    QVERIFY(pButton);
    fader.control->initialize();
    QCOMPARE(pButton->linkedWidget(), fader.fader);
    delete fader.fader->widget();
    QVERIFY(!pButton->linkedWidget());
    pButton->outputPressed();
    QVERIFY(fader.protocol.sentValues().isEmpty());
}

void TestWCmdButton::saveAndReopenGiveTheSameFile_data()
{
    QTest::addColumn<Settings>("settings");

    QTest::newRow("caption") << withGeometry({{"title", "Home"}, {"command", "go home"}, {"hasBorder", "1"}});
    QTest::newRow("image") << withGeometry({{"onimage", "help"}, {"imagesize", "0.5"}, {"command", "x=1;y=2"}});
    QTest::newRow("nothing") << withGeometry({});
}

void TestWCmdButton::saveAndReopenGiveTheSameFile()
{
    QFETCH(Settings, settings);
    Command f(settings);
    const QByteArray first = WidgetFixture::saveBytes(f.button);
    WWidget *pCopy = f.fx.reload(f.button);
    QVERIFY(pCopy);
    QCOMPARE(QString::fromUtf8(WidgetFixture::saveBytes(pCopy)), QString::fromUtf8(first));
    QCOMPARE(qobject_cast<WCmdButton *>(pCopy)->command(), f.button->command());
}

void TestWCmdButton::unknownElementsAreNotHandled()
{
    Command f(Geometry);
    QVERIFY(!f.button->processElement(QStringLiteral("action"), QStringLiteral("toggle")));
    QVERIFY(!f.button->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QVERIFY(f.button->processElement(QStringLiteral("hasBorder"), QStringLiteral("many")));
    QVERIFY(!f.shown("hasBorder").toBool());
}

VVB_TEST_MAIN(TestWCmdButton)
#include "tst_wcmdbutton.moc"
