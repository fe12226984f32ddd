#include "../model/OnlineFixture.h"
#include "hardware/HChassis.h"
#include "model/CAttributes.h"
#include "model/CCanvas.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/BoundWidgetFixture.h"
#include "support/CanvasWindow.h"
#include "support/TestMain.h"
#include "support/WarningCollector.h"
#include "transforms/TTransform.h"
#include "utility/UArchive.h"
#include "utility/UArchiveHeader.h"
#include "xml/XmlWriter.h"
#include "widgets/WButton.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QUrl>
#include <QXmlAttributes>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;
using Bytes = QList<int>;

Settings withAction(const QString &action, const Settings &more = {})
{
    Settings settings{{"x", "10"}, {"y", "20"}, {"width", "80"}, {"height", "30"}, {"action", action}};
    settings.append(more);
    return settings;
}

// A mute-type button with texts, bound through "chrL" over the letters.
struct Button : BoundWidgetFixture
{
    explicit Button(const QString &action, const QString &set = QStringLiteral("F,O"), const Settings &more = {},
                    FakeNode *pNode = new FakeNode)
        : BoundWidgetFixture(QStringLiteral("button"), withAction(action, more), letters(set), QStringLiteral("list"),
                             pNode)
    {
    }

    WButton *button() const { return qobject_cast<WButton *>(widget); }

    // Presses and releases as QML does: "P" a press, "R" a release.
    void play(const QString &gestures)
    {
        for (QChar gesture : gestures) {
            if (gesture == QLatin1Char('P'))
                button()->outputPressed();
            else
                button()->outputReleased();
        }
    }

    bool shownChecked() const { return widget->widgetProperty("checked").toBool(); }
    QString property(const char *name) const { return widget->widgetProperty(name).toString(); }
};

QXmlAttributes buttonDesignProperty(const QString &name, const QString &value)
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    return attributes;
}

// A logic block of that many channels.
FakeNode *logicNode(int channels)
{
    auto *pNode = new FakeNode;
    pNode->setTitle(QStringLiteral("Logic"));
    pNode->parseAttributes(buttonDesignProperty(QStringLiteral("controlCount"), QString::number(channels)));
    return pNode;
}

// The built-in resource a path names when resolved against the button's QML file.
QString resourceOf(const QString &path)
{
    const QUrl resolved = QUrl(QStringLiteral("qrc:/qmlcontrol/QmlButton.qml")).resolved(QUrl(path));
    return QLatin1Char(':') + resolved.path();
}

void waitForHoldToEnd(WButton *pButton)
{
    QTRY_VERIFY_WITH_TIMEOUT(!pButton->isHolding(), 3 * WButton::HoldTime);
}

} // namespace

class TestWButton : public QObject
{
    Q_OBJECT

private slots:
    // values out
    void gesturesSend_data();
    void gesturesSend();
    void momentaryLogicChannelKeepsItsState_data();
    void momentaryLogicChannelKeepsItsState();
    void pulseEndsInTheStateItBeganFrom_data();
    void pulseEndsInTheStateItBeganFrom();
    void nothingGoesOutUnbound_data();
    void nothingGoesOutUnbound();
    void mouseOnTheCanvas_data();
    void mouseOnTheCanvas();
    void setupButtonOpensTheSetupMenu();

    // values in
    void repliesInsideTheHoldAreIgnored_data();
    void repliesInsideTheHoldAreIgnored();

    // channels and texts
    void setAndResetTakeTheChannelAfterTheBlock_data();
    void setAndResetTakeTheChannelAfterTheBlock();
    void channelChangeRewritesTextsAndBinding_data();
    void channelChangeRewritesTextsAndBinding();
    void textSubstitutions_data();
    void textSubstitutions();
    void reloadRenamesTextsBeginningWithTheLabel();
    void badNumbersAreReadAsZero();

    // images
    void imageNamesResolveInTableOrder_data();
    void imageNamesResolveInTableOrder();
    void imageSetIsDerived_data();
    void imageSetIsDerived();
    void contentModeAppliesTheImageSet_data();
    void contentModeAppliesTheImageSet();
    void textAndImageSitSideBySide_data();
    void textAndImageSitSideBySide();
    void reskinRewritesOnlySkinAndAccentPaths_data();
    void reskinRewritesOnlySkinAndAccentPaths();
    void userImagesGoIntoTheArchive_data();
    void userImagesGoIntoTheArchive();

    // online
    void liveRoundTrip_data();
    void liveRoundTrip();

    // connection indicator
    void indicatorFollowsTheConnections_data();
    void indicatorFollowsTheConnections();

    // settings
    void actionWords_data();
    void actionWords();
    void saveAndReopenGiveTheSameFile_data();
    void saveAndReopenGiveTheSameFile();
    void reopenRestoresEverySetting();
    void propertyIds_data();
    void propertyIds();
};

// ---------------------------------------------------------------- values out

void TestWButton::gesturesSend_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("gestures");
    QTest::addColumn<Bytes>("sent");
    QTest::addColumn<bool>("checked");

    QTest::newRow("alternating click") << "alternating" << "F,O" << "PR" << Bytes{1} << true;
    QTest::newRow("alternating two clicks") << "alternating" << "F,O" << "PRPR" << Bytes{1, 0} << false;
    QTest::newRow("alternating release alone") << "alternating" << "F,O" << "R" << Bytes{} << false;
    QTest::newRow("sequence click") << "sequence" << "F,O" << "PR" << Bytes{1, 0} << false;
    QTest::newRow("sequence press") << "sequence" << "F,O" << "P" << Bytes{1} << true;
    QTest::newRow("momentary click") << "sendOthenF" << "F,O" << "PR" << Bytes{1, 0} << false;
    QTest::newRow("momentary press") << "sendOthenF" << "F,O" << "P" << Bytes{1} << true;
    QTest::newRow("toggle") << "toggle" << "F,O,T" << "PR" << Bytes{2} << true;
    QTest::newRow("toggle without T") << "toggle" << "F,O" << "PR" << Bytes{255} << true;
    QTest::newRow("pulse") << "pulse" << "F,O,T,P" << "PR" << Bytes{3} << true;
    QTest::newRow("none") << "none" << "F,O" << "PR" << Bytes{} << false;
    QTest::newRow("setup menu") << "showSetupMenu" << "F,O" << "PRPR" << Bytes{} << false;
    QTest::newRow("indicator") << "showConnectionStatus" << "F,O" << "PR" << Bytes{} << false;
}

// Releases send only for the sequence and the momentary button.
void TestWButton::gesturesSend()
{
    QFETCH(QString, action);
    QFETCH(QString, set);
    QFETCH(QString, gestures);
    QFETCH(Bytes, sent);
    QFETCH(bool, checked);
    Button f(action, set);
    f.play(gestures);
    QCOMPARE(f.protocol.sentBytes(), sent);
    for (TTransform *pTransform : f.protocol.sentValues())
        QCOMPARE(pTransform, f.transform());
    QCOMPARE(f.button()->isChecked(), checked);
    QCOMPARE(f.shownChecked(), checked);
}

void TestWButton::momentaryLogicChannelKeepsItsState_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");

    QTest::newRow("logic channel off stays on") << "logicChannel" << false << true;
    QTest::newRow("logic channel on goes off") << "logicChannel" << true << false;
    QTest::newRow("mute off goes off") << "mute" << false << false;
    QTest::newRow("mute on goes off") << "mute" << true << false;
}

void TestWButton::momentaryLogicChannelKeepsItsState()
{
    QFETCH(QString, type);
    QFETCH(bool, before);
    QFETCH(bool, after);
    Button f(QStringLiteral("sendOthenF"), QStringLiteral("F,O"), {{"buttonType", type}, {"channel", "1"}});
    f.reply(before ? QStringLiteral("O") : QStringLiteral("F"));
    QCOMPARE(f.shownChecked(), before);
    f.play(QStringLiteral("P"));
    QVERIFY(f.shownChecked());
    f.play(QStringLiteral("R"));
    QCOMPARE(f.protocol.sentBytes(), (Bytes{1, 0}));
    QCOMPARE(f.shownChecked(), after);
}

void TestWButton::pulseEndsInTheStateItBeganFrom_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<QString>("gestures");

    QTest::newRow("one press from off") << false << "PR";
    QTest::newRow("two presses from off") << false << "PRPR";
    QTest::newRow("three presses from off") << false << "PRPRPR";
    QTest::newRow("one press from on") << true << "PR";
    QTest::newRow("two presses from on") << true << "PRPR";
}

// A second press inside the pulse sends again but does not lengthen it.
void TestWButton::pulseEndsInTheStateItBeganFrom()
{
    QFETCH(bool, before);
    QFETCH(QString, gestures);
    Button f(QStringLiteral("pulse"), QStringLiteral("F,O,T,P"));
    f.reply(before ? QStringLiteral("O") : QStringLiteral("F"));
    f.play(gestures);
    QVERIFY(f.button()->isPulsing());
    const int presses = int(gestures.count(QLatin1Char('P')));
    QCOMPARE(f.protocol.sentBytes(), Bytes(presses, 3));
    QSignalSpy checkedChanges(f.widget->widget(), SIGNAL(checkedChanged()));
    QTRY_VERIFY(!f.button()->isPulsing());
    QCOMPARE(f.shownChecked(), before);
    QCOMPARE(f.button()->isChecked(), before);
    QVERIFY(checkedChanges.size() <= 1);
}

void TestWButton::nothingGoesOutUnbound_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("alternating") << "alternating";
    QTest::newRow("sequence") << "sequence";
    QTest::newRow("momentary") << "sendOthenF";
}

// Without a protocol the press does nothing, and so does its release.
void TestWButton::nothingGoesOutUnbound()
{
    QFETCH(QString, action);
    WidgetFixture fx;
    CControl *pControl = fx.addControl(QStringLiteral("Button"), QStringLiteral("Control"));
    auto *pButton = qobject_cast<WButton *>(WidgetFixture::readWidget(pControl, QStringLiteral("button"),
                                                                      withAction(action)));
    QVERIFY(pButton);
    pControl->initialize();
    pButton->outputPressed();
    pButton->outputReleased();
    QVERIFY(!pButton->isChecked());
    QVERIFY(!pButton->widgetProperty("checked").toBool());
}

void TestWButton::mouseOnTheCanvas_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Bytes>("onPress");
    QTest::addColumn<Bytes>("onRelease");

    QTest::newRow("alternating") << "alternating" << Bytes{1} << Bytes{1};
    QTest::newRow("sequence") << "sequence" << Bytes{1} << Bytes{1, 0};
    QTest::newRow("momentary") << "sendOthenF" << Bytes{1} << Bytes{1, 0};
}

// A press goes out while the mouse is down, the release when it comes up.
void TestWButton::mouseOnTheCanvas()
{
    QFETCH(QString, action);
    QFETCH(Bytes, onPress);
    QFETCH(Bytes, onRelease);
    Button f(action, QStringLiteral("F,O"), {{"ontext", "On"}, {"offtext", "Off"}});
    f.widget->setWidgetVisible(true);
    CanvasWindow window(f.fx.canvas());
    QVERIFY(window.isExposed());
    auto *pItem = qobject_cast<QQuickItem *>(f.widget->widget());
    const QPoint centre = CanvasWindow::pointIn(pItem, 0.5, 0.5);
    QTest::mousePress(window.window(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(f.protocol.sentBytes(), onPress);
    QTest::mouseRelease(window.window(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(f.protocol.sentBytes(), onRelease);
    // In edit mode the canvas takes no presses.
    f.fx.canvas().intrf()->setProperty("editModeEnable", true);
    QTest::mouseClick(window.window(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(f.protocol.sentBytes(), onRelease);
    QVERIFY(f.fx.canvas().warnings().isEmpty());
}

void TestWButton::setupButtonOpensTheSetupMenu()
{
    Button f(QStringLiteral("showSetupMenu"), QStringLiteral("F,O"),
             {{"buttonType", "setup"}, {"onimage", "setup_button"}, {"offimage", "setup_button"}});
    f.widget->setWidgetVisible(true);
    CanvasWindow window(f.fx.canvas());
    QVERIFY(window.isExposed());
    auto *pItem = qobject_cast<QQuickItem *>(f.widget->widget());
    QTest::mouseClick(window.window(), Qt::LeftButton, Qt::NoModifier, CanvasWindow::pointIn(pItem, 0.5, 0.5));
    QObject *pMenu = f.fx.canvas().canvas()->findChild<QObject *>(QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    QVERIFY(pMenu->property("isOpen").toBool());
    QCOMPARE(pMenu->property("title").toString(), QStringLiteral("Setup"));
    QCOMPARE(pMenu->property("command").toString(), QStringLiteral("system"));
    QCOMPARE(pMenu->property("model").toStringList(),
             (QStringList{"About", "Project Information", "Network Status"}));
    QVERIFY(f.protocol.sentBytes().isEmpty());
    QVERIFY(!f.button()->isChecked());
    QVERIFY(f.fx.canvas().warnings().isEmpty());
}

// ---------------------------------------------------------------- values in

void TestWButton::repliesInsideTheHoldAreIgnored_data()
{
    QTest::addColumn<bool>("waitForHold");
    QTest::addColumn<bool>("checked");

    QTest::newRow("inside the hold") << false << true;
    QTest::newRow("after the hold") << true << false;
}

void TestWButton::repliesInsideTheHoldAreIgnored()
{
    QFETCH(bool, waitForHold);
    QFETCH(bool, checked);
    Button f(QStringLiteral("alternating"));
    f.play(QStringLiteral("PR"));
    QVERIFY(f.button()->isHolding());
    if (waitForHold)
        waitForHoldToEnd(f.button());
    f.reply(QStringLiteral("F"));
    QCOMPARE(f.shownChecked(), checked);
    QVERIFY(f.protocol.sentBytes() == Bytes{1});
}

// ---------------------------------------------------------------- channels and texts

void TestWButton::setAndResetTakeTheChannelAfterTheBlock_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("channel");

    QTest::newRow("set all") << "logicSet" << "17";
    QTest::newRow("reset all") << "logicReset" << "18";
    QTest::newRow("logic channel") << "logicChannel" << "3";
    QTest::newRow("mute") << "mute" << "3";
}

void TestWButton::setAndResetTakeTheChannelAfterTheBlock()
{
    QFETCH(QString, type);
    QFETCH(QString, channel);
    Button f(QStringLiteral("sequence"), QStringLiteral("F,O"), {{"channel", "3"}, {"buttonType", type}},
             logicNode(16));
    QCOMPARE(f.button()->channel(), channel);
    QCOMPARE(f.button()->propertyValue(WidgetPropertyId::ChannelCount).toInt(), 16);
    // Logic buttons drive their channel through the second index.
    const bool logic = type.startsWith(QLatin1String("logic"));
    QCOMPARE(f.control->attributes().index2(), logic ? channel.toInt() : 0);
}

void TestWButton::channelChangeRewritesTextsAndBinding_data()
{
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("newChannel");
    QTest::addColumn<QString>("rewritten");
    QTest::addColumn<int>("index2");

    QTest::newRow("placeholder") << "3" << "*Channel* Toggle" << "Ch3 Toggle" << "12" << "Ch12 Toggle" << 12;
    QTest::newRow("longer channel number too") << "1" << "Ch1 and Ch10" << "Ch1 and Ch10" << "2"
                                               << "Ch2 and Ch20" << 2;
    QTest::newRow("other text stays") << "4" << "Gate" << "Gate" << "5" << "Gate" << 5;
    QTest::newRow("channel that is no number") << "4" << "*Channel*" << "Ch4" << "x" << "Chx" << 0;
}

void TestWButton::channelChangeRewritesTextsAndBinding()
{
    QFETCH(QString, channel);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, newChannel);
    QFETCH(QString, rewritten);
    QFETCH(int, index2);
    Button f(QStringLiteral("sendOthenF"), QStringLiteral("F,O"),
             {{"buttonType", "logicChannel"}, {"channel", channel}, {"ontext", text}, {"offtext", text}});
    QCOMPARE(f.property("onText"), shown);
    QCOMPARE(f.control->attributes().index2(), channel.toInt());
    f.button()->setPropertyValue(WidgetPropertyId::Channel, newChannel);
    QCOMPARE(f.property("onText"), rewritten);
    QCOMPARE(f.property("offText"), rewritten);
    QCOMPARE(f.button()->propertyValue(WidgetPropertyId::Channel).toString(), newChannel);
    QCOMPARE(f.control->attributes().index2(), index2);
}

void TestWButton::textSubstitutions_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ontext");
    QTest::addColumn<QString>("offtext");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("off");

    QTest::newRow("microphone on a mixer") << "AMM 8" << "Mic 3 UNMUTE" << "Mic 3 MUTE" << "Lectern UNMUTE"
                                           << "Lectern MUTE";
    QTest::newRow("microphone past the labels") << "AMM 8" << "Mic 9 UNMUTE" << "Mic 0 MUTE" << " UNMUTE"
                                                << " MUTE";
    QTest::newRow("microphone without a number") << "AMM 8" << "Mic" << "Mic x" << " UNMUTE" << " MUTE";
    QTest::newRow("microphone elsewhere") << "Gain" << "Mic 3 UNMUTE" << "Mic 3 MUTE" << "Mic 3 UNMUTE"
                                          << "Mic 3 MUTE";
    QTest::newRow("node label") << "Gain" << "*LABEL* on" << "*LABEL* off" << "Stage on" << "Stage off";
}

void TestWButton::textSubstitutions()
{
    QFETCH(QString, title);
    QFETCH(QString, ontext);
    QFETCH(QString, offtext);
    QFETCH(QString, on);
    QFETCH(QString, off);
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Stage"));
    pNode->setTitle(title);
    for (const char *label : {"Podium", "Choir", "Lectern"})
        pNode->setProperty(QStringLiteral("inputLabel"), QLatin1String(label));
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), {{"ontext", ontext}, {"offtext", offtext}}, pNode);
    QCOMPARE(f.property("onText"), on);
    QCOMPARE(f.property("offText"), off);
}

void TestWButton::reloadRenamesTextsBeginningWithTheLabel()
{
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Zone 1"));
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"),
             {{"ontext", "Zone 1 on"}, {"offtext", "Mute Zone 1"}}, pNode);
    emit pNode->labelChangedByReload(QStringLiteral("Zone 1"), QStringLiteral("Lobby"));
    QCOMPARE(f.property("onText"), QStringLiteral("Lobby on"));
    QCOMPARE(f.property("offText"), QStringLiteral("Mute Zone 1"));
    // Unbound, the renaming no longer reaches the button.
    f.button()->unbindNode();
    emit pNode->labelChangedByReload(QStringLiteral("Lobby"), QStringLiteral("Hall"));
    QCOMPARE(f.property("onText"), QStringLiteral("Lobby on"));
}

void TestWButton::badNumbersAreReadAsZero()
{
    WarningCollector warnings;
    Button f(QStringLiteral("sequence"), QStringLiteral("F,O"),
             {{"buttonType", "logicChannel"},
              {"channel", "seven"},
              {"hasBorder", "yes"},
              {"index1ForQuery", "1e3"},
              {"imagesize", "big"},
              {"action", "explode"}});
    QCOMPARE(f.button()->channelNumber(), 0);
    QVERIFY(warnings.text().contains(QStringLiteral("m_channel is not convertable to int. Value is: seven")));
    QCOMPARE(f.control->attributes().index2(), 0);
    QCOMPARE(f.widget->widgetProperty("hasBorder").toBool(), false);
    QCOMPARE(f.widget->widgetProperty("imageSize").toDouble(), 0.0);
    // An unknown action leaves the one read before.
    QCOMPARE(f.button()->action(), int(WButton::Sequence));
    const Settings saved = WidgetFixture::saved(f.widget);
    QCOMPARE(WidgetFixture::valueOf(saved, "index1ForQuery"), QStringLiteral("0"));
    QCOMPARE(WidgetFixture::valueOf(saved, "action"), QStringLiteral("sequence"));
}

// ---------------------------------------------------------------- images

void TestWButton::imageNamesResolveInTableOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");

    QTest::newRow("mute on") << "mute_on" << "../images/skins/Accent/Green/mute_on.png";
    QTest::newRow("mute off") << "mute_off" << "../images/skins/Dark/mute_off.png";
    QTest::newRow("green led off") << "green_led_off" << "../images/ledOffGreen.png";
    QTest::newRow("led off") << "led_off" << "../images/ledOffRed.png";
    QTest::newRow("led on") << "led_on" << "../images/ledOn.png";
    QTest::newRow("red led") << "red_led" << "../images/ledRed.png";
    QTest::newRow("reset all") << "reset_all" << "../images/skins/Dark/resetAll.png";
    QTest::newRow("set all") << "set_all" << "../images/skins/Dark/setAll.png";
    QTest::newRow("setup") << "setup_button" << "../images/skins/Dark/menu.png";
    QTest::newRow("indicator off") << "connection_indicator_off" << "../images/skins/Dark/indicator_red.png";
    QTest::newRow("indicator on") << "connection_indicator_on" << "../images/skins/Dark/indicator_grn.png";
    QTest::newRow("indicator partial") << "connection_indicator_partial"
                                       << "../images/skins/Dark/indicator_ylw.png";
}

// Every built-in name gives a resource that exists; a user's file stays.
void TestWButton::imageNamesResolveInTableOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    Button f(QStringLiteral("alternating"));
    f.canvas.setProperty(QStringLiteral("skin"), QStringLiteral("Dark"));
    f.canvas.setAccent(QStringLiteral("Green"));
    QCOMPARE(f.button()->resolveImageName(name), path);
    QVERIFY2(QFile::exists(resourceOf(path)), qPrintable(resourceOf(path)));
    QCOMPARE(f.button()->resolveImageName(QStringLiteral("/home/user/") + name + QStringLiteral(".png")), path);
    QCOMPARE(f.button()->resolveImageName(QStringLiteral("/home/user/door.png")), QStringLiteral("/home/user/door.png"));
}

void TestWButton::imageSetIsDerived_data()
{
    QTest::addColumn<Settings>("images");
    QTest::addColumn<QString>("set");

    QTest::newRow("mute") << Settings{{"onimage", "mute_on"}, {"offimage", "mute_off"}} << "Mute/Unmute";
    QTest::newRow("green led") << Settings{{"onimage", "led_on"}, {"offimage", "led_off"}} << "Green LED";
    QTest::newRow("red led pair") << Settings{{"onimage", "red_led"}, {"offimage", "green_led_off"}} << "Custom";
    QTest::newRow("setup") << Settings{{"onimage", "setup_button"}, {"offimage", "setup_button"}} << "Setup Icon";
    QTest::newRow("indicator") << Settings{{"onimage", "connection_indicator_on"},
                                           {"offimage", "connection_indicator_off"},
                                           {"partialImage", "connection_indicator_partial"}}
                               << "Connection Status Icon";
    QTest::newRow("set all") << Settings{{"onimage", "set_all"}, {"offimage", "set_all"}} << "Set All";
    QTest::newRow("reset all") << Settings{{"onimage", "reset_all"}, {"offimage", "reset_all"}} << "Reset All";
    QTest::newRow("resolved paths") << Settings{{"onimage", "../images/ledOn.png"}, {"offimage", "x/led_off.png"}}
                                    << "Custom";
    QTest::newRow("paths of the names") << Settings{{"onimage", "/imgs/led_on.png"}, {"offimage", "/imgs/led_off.png"}}
                                        << "Green LED";
    QTest::newRow("user images") << Settings{{"onimage", ":/images/Copy.png"}, {"offimage", ":/images/Cut.png"}} << "Custom";
}

void TestWButton::imageSetIsDerived()
{
    QFETCH(Settings, images);
    QFETCH(QString, set);
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), images);
    QCOMPARE(f.button()->imageSet(), set);
    QVERIFY(f.widget->widgetProperty("hasImage").toBool());
}

void TestWButton::contentModeAppliesTheImageSet_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("off");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("image set all") << "Image" << "Set All" << "../images/skins/Light/setAll.png"
                                   << "../images/skins/Light/setAll.png" << "Image";
    QTest::newRow("both green led") << "Text+Image" << "Green LED" << "../images/ledOn.png" << "../images/ledOffRed.png"
                                    << "Text+Image";
    QTest::newRow("text keeps images") << "Text" << "Set All" << "" << "" << "Text";
    QTest::newRow("unknown mode") << "Sideways" << "Set All" << "" << "" << "Text";
    QTest::newRow("unknown set") << "Image" << "Blinking" << "" << "" << "Image";
}

void TestWButton::contentModeAppliesTheImageSet()
{
    QFETCH(QString, mode);
    QFETCH(QString, set);
    QFETCH(QString, on);
    QFETCH(QString, off);
    QFETCH(QString, readBack);
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), {{"ontext", "On"}, {"imageSet", set}});
    f.button()->setPropertyValue(WidgetPropertyId::ButtonMode, mode);
    QCOMPARE(f.property("onImage"), on);
    QCOMPARE(f.property("offImage"), off);
    QCOMPARE(f.button()->propertyValue(WidgetPropertyId::ButtonMode).toString(), readBack);
}

void TestWButton::textAndImageSitSideBySide_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height");
    QTest::newRow("text given later") << "MUTE" << 30;
    QTest::newRow("text given later, taller") << "MUTE" << 60;
    QTest::newRow("text replaced") << "LOBBY MUTE" << 30;
}

// The image follows the text as it is laid out, not as it was before the
// text or its size changed.
void TestWButton::textAndImageSitSideBySide()
{
    QFETCH(QString, text);
    QFETCH(int, height);
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), {{"imageSet", "Mute/Unmute"}});
    f.button()->setPropertyValue(WidgetPropertyId::ButtonMode, QStringLiteral("Text+Image"));
    f.widget->setWidgetProperty("offText", QStringLiteral("MUTE"));
    f.widget->setWidgetProperty("height", height);
    f.widget->setWidgetProperty("offText", text);
    QQuickItem *pCaption = nullptr;
    for (QQuickItem *pItem : qobject_cast<QQuickItem *>(f.widget->widget())->findChildren<QQuickItem *>()) {
        if (pItem->property("contentWidth").isValid() && pItem->property("text").toString() == text)
            pCaption = pItem;
    }
    QVERIFY(pCaption);
    const qreal textWidth = pCaption->property("contentWidth").toReal();
    QVERIFY(textWidth > 0);
    const qreal textMargin = f.widget->widgetProperty("textMargin").toReal();
    QCOMPARE(f.widget->widgetProperty("imageMargin").toReal(), textMargin + textWidth);
}

void TestWButton::reskinRewritesOnlySkinAndAccentPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("moved");

    QTest::newRow("accent") << "../images/skins/Accent/Blue/mute_on.png" << "../images/skins/Accent/Red/mute_on.png";
    QTest::newRow("skin") << "../images/skins/Light/mute_off.png" << "../images/skins/Dark/mute_off.png";
    QTest::newRow("indicator path") << "../../images/skins/Light/indicator_ylw.png"
                                    << "../images/skins/Dark/indicator_ylw.png";
    QTest::newRow("led") << "../images/ledOn.png" << "../images/ledOn.png";
    QTest::newRow("user file") << "file:///home/user/skins/door.png" << "file:///home/user/skins/door.png";
}

void TestWButton::reskinRewritesOnlySkinAndAccentPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, moved);
    Button f(QStringLiteral("alternating"));
    f.widget->setWidgetProperty("onImage", path);
    f.widget->setWidgetProperty("partialImage", path);
    f.canvas.setProperty(QStringLiteral("skin"), QStringLiteral("Dark"));
    f.canvas.setAccent(QStringLiteral("Red"));
    f.button()->reloadImages();
    QCOMPARE(f.property("onImage"), moved);
    QCOMPARE(f.property("partialImage"), moved);
    QCOMPARE(f.property("offImage"), QString());
}

// ---------------------------------------------------------------- online

void TestWButton::liveRoundTrip_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<bool>("checked");

    QTest::newRow("alternating") << "alternating" << QList<QByteArray>{"SA \"Zone 1\">2=O"} << true;
    QTest::newRow("sequence") << "sequence" << QList<QByteArray>{"SA \"Zone 1\">2=O", "SA \"Zone 1\">2=F"}
                              << false;
    QTest::newRow("toggle") << "toggle" << QList<QByteArray>{"SA \"Zone 1\">2=T"} << true;
}

// A click sends exactly the commands of its action; the processor's echo
// inside the hold time is ignored, a later value is shown.
void TestWButton::liveRoundTrip()
{
    QFETCH(QString, action);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(bool, checked);
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"), true, FakeProcessorServer::Subscription);
    FakeProcessorServer *pServer = f.server(pChassis);
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("Mute"));
    pControl->setType(QStringLiteral("Button"));
    pControl->setNode(f.block(pChassis, QStringLiteral("Zone 1")));
    for (const auto &attribute : Settings{{"index1", "2"}, {"set", "F,O,T"}, {"format", "s"}, {"transform", "chrL"}})
        pControl->setAttribute(QStringLiteral("list"), attribute.first, attribute.second);
    f.panel()->addChild(pControl);
    pControl->setContextObject(f.model());
    auto *pButton = qobject_cast<WButton *>(WidgetFixture::readWidget(
        pControl, QStringLiteral("button"), withAction(action, {{"ontext", "UNMUTE"}, {"offtext", "MUTE"}})));
    QVERIFY(pButton);
    pControl->initialize();
    f.goOnline(true);
    const QByteArray query("GA\"Zone 1\">2");
    QTRY_COMPARE(pServer->commandCount("SUB \"" + query + '"'), 1);

    pButton->outputPressed();
    pButton->outputReleased();
    for (const QByteArray &command : commands)
        QTRY_VERIFY(pServer->commandCount(command) >= 1);
    QTest::qWait(100);
    QList<QByteArray> sets;
    for (const QByteArray &command : pServer->commands()) {
        if (command.startsWith("SA"))
            sets.append(command);
    }
    QCOMPARE(sets, commands);
    QCOMPARE(pButton->isChecked(), checked);

    const QByteArray echo = checked ? "F" : "O";
    pServer->push(query + '=' + echo);
    QTest::qWait(100);
    QCOMPARE(pButton->isChecked(), checked);
    waitForHoldToEnd(pButton);
    pServer->push(query + '=' + echo);
    QTRY_COMPARE(pButton->isChecked(), !checked);
}

// ---------------------------------------------------------------- connection indicator

void TestWButton::indicatorFollowsTheConnections_data()
{
    QTest::addColumn<int>("listening");
    QTest::addColumn<int>("refusing");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<QString>("image");

    QTest::newRow("all connected") << 2 << 0 << true << false << "indicator_grn.png";
    QTest::newRow("some connected") << 1 << 1 << false << true << "indicator_ylw.png";
    QTest::newRow("none connected") << 0 << 2 << false << false << "indicator_red.png";
}

void TestWButton::indicatorFollowsTheConnections()
{
    QFETCH(int, listening);
    QFETCH(int, refusing);
    QFETCH(bool, checked);
    QFETCH(bool, partial);
    QFETCH(QString, image);
    OnlineFixture f;
    for (int i = 0; i < listening + refusing; ++i) {
        HNode *pChassis = f.processor(QStringLiteral("Rack %1").arg(i), i < listening);
        f.boundControl(QStringLiteral("Gain %1").arg(i), f.block(pChassis, QStringLiteral("Gain %1").arg(i)), 1);
    }
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("Connection"));
    pControl->setType(QStringLiteral("Button"));
    f.panel()->addChild(pControl);
    pControl->setContextObject(f.model());
    auto *pButton = qobject_cast<WButton *>(
        WidgetFixture::readWidget(pControl, QStringLiteral("button"),
                                  {{"buttonType", "connectionIndicator"},
                                   {"action", "showConnectionStatus"},
                                   {"onimage", "connection_indicator_on"},
                                   {"offimage", "connection_indicator_off"},
                                   {"partialImage", "connection_indicator_partial"}}));
    QVERIFY(pButton);
    pControl->initialize();
    pControl->attachModel(f.model());
    f.goOnline(true);
    QTRY_VERIFY(MModel::indicatorImage().endsWith(image));
    QTRY_COMPARE(pButton->widgetProperty("checked").toBool(), checked);
    QCOMPARE(pButton->widgetProperty("isPartialStateActive").toBool(), partial);
    QVERIFY(pButton->widgetProperty("isTristateButton").toBool());
    const char *shown = checked ? "onImage" : partial ? "partialImage" : "offImage";
    QCOMPARE(QUrl(pButton->widget()->property("shownImage").toString()).fileName(), image);
    QCOMPARE(pButton->widgetProperty(shown).toString(), pButton->widget()->property("shownImage").toString());
}

void TestWButton::userImagesGoIntoTheArchive_data()
{
    QTest::addColumn<bool>("asUrl");
    QTest::newRow("path") << false;
    QTest::newRow("file url") << true;
}

// A user's image is listed once for packing; built-in images never are.
void TestWButton::userImagesGoIntoTheArchive()
{
    QFETCH(bool, asUrl);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("door.png"));
    QVERIFY(QImage(4, 4, QImage::Format_ARGB32).save(file));
    const QString text = asUrl ? QUrl::fromLocalFile(file).toString() : file;
    UArchive::instance()->clear();
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), {{"onimage", text}, {"offimage", "led_off"}});
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    QVERIFY(f.widget->save(&writer));
    QVERIFY(f.widget->save(&writer));
    writer.flush();
    QCOMPARE(UArchive::instance()->header().records().size(), 1);
    QVERIFY(UArchive::instance()->header().findByLocalPath(file));
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(f.widget), "onimage"), text);
    UArchive::instance()->clear();
}

// ---------------------------------------------------------------- settings

void TestWButton::actionWords_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("sequence");
    QTest::addColumn<bool>("setup");
    QTest::addColumn<bool>("tristate");

    QTest::newRow("alternating") << "alternating" << 0 << false << false << false;
    QTest::newRow("sequence") << "sequence" << 1 << true << false << false;
    QTest::newRow("momentary") << "sendOthenF" << 2 << true << false << false;
    QTest::newRow("toggle") << "toggle" << 3 << false << false << false;
    QTest::newRow("pulse") << "pulse" << 4 << false << false << false;
    QTest::newRow("none") << "none" << 5 << false << false << false;
    QTest::newRow("setup menu") << "showSetupMenu" << 6 << false << true << false;
    QTest::newRow("indicator") << "showConnectionStatus" << 7 << false << false << true;
    QTest::newRow("case matters") << "Sequence" << 0 << false << false << false;
}

void TestWButton::actionWords()
{
    QFETCH(QString, action);
    QFETCH(int, value);
    QFETCH(bool, sequence);
    QFETCH(bool, setup);
    QFETCH(bool, tristate);
    Button f(action);
    QCOMPARE(f.button()->propertyValue(WidgetPropertyId::ButtonAction).toInt(), value);
    QCOMPARE(f.widget->widgetProperty("isSequence").toBool(), sequence);
    QCOMPARE(f.widget->widgetProperty("isSetupButton").toBool(), setup);
    QCOMPARE(f.widget->widgetProperty("isTristateButton").toBool(), tristate);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(f.widget), "action"),
             QLatin1String(value == 0 ? "alternating" : action.toLatin1().constData()));
}

void TestWButton::saveAndReopenGiveTheSameFile_data()
{
    QTest::addColumn<Settings>("settings");

    QTest::newRow("mute") << Settings{{"action", "alternating"},
                                      {"ontext", "UNMUTE"},
                                      {"offtext", "MUTE"},
                                      {"onimage", "mute_on"},
                                      {"offimage", "mute_off"},
                                      {"imagesize", "0.8"},
                                      {"hasBorder", "1"}};
    QTest::newRow("logic channel") << Settings{{"buttonType", "logicChannel"},
                                               {"channel", "4"},
                                               {"ontext", "*Channel* Toggle"},
                                               {"offtext", "*Channel* Toggle"},
                                               {"onimage", "led_on"},
                                               {"offimage", "led_off"},
                                               {"action", "sendOthenF"},
                                               {"hasBorder", "0"},
                                               {"index1ForQuery", "2"}};
    QTest::newRow("indicator") << Settings{{"buttonType", "connectionIndicator"},
                                           {"onimage", "connection_indicator_on"},
                                           {"offimage", "connection_indicator_off"},
                                           {"partialImage", "connection_indicator_partial"},
                                           {"partialText", "Some"},
                                           {"title", "Link"},
                                           {"action", "showConnectionStatus"}};
    QTest::newRow("setup") << Settings{{"buttonType", "setup"},
                                       {"onimage", "setup_button"},
                                       {"offimage", "setup_button"},
                                       {"imagesize", "0.8"},
                                       {"action", "showSetupMenu"}};
    QTest::newRow("text only") << Settings{{"title", "Go"}, {"action", "toggle"}, {"imageSet", "Custom"}};
    QTest::newRow("empty") << Settings{};
}

// Saving what was reopened writes the very same file.
void TestWButton::saveAndReopenGiveTheSameFile()
{
    QFETCH(Settings, settings);
    Button f(QStringLiteral("alternating"), QStringLiteral("F,O"), settings);
    const QByteArray first = WidgetFixture::saveBytes(f.widget);
    WWidget *pSecond = f.fx.reload(f.widget);
    QVERIFY(pSecond);
    const QByteArray second = WidgetFixture::saveBytes(pSecond);
    QCOMPARE(QString::fromUtf8(second), QString::fromUtf8(first));
    WWidget *pThird = f.fx.reload(pSecond);
    QCOMPARE(QString::fromUtf8(WidgetFixture::saveBytes(pThird)), QString::fromUtf8(first));
}

void TestWButton::reopenRestoresEverySetting()
{
    Button f(QStringLiteral("sendOthenF"), QStringLiteral("F,O"),
             {{"buttonType", "logicChannel"},
              {"channel", "4"},
              {"ontext", "*Channel* on"},
              {"offtext", "*Channel* off"},
              {"onimage", "red_led"},
              {"offimage", "green_led_off"},
              {"imagesize", "0.5"},
              {"hasBorder", "1"},
              {"index1ForQuery", "2"},
              {"xfract", "0.5"},
              {"widthfract", "0.25"}});
    auto *pCopy = qobject_cast<WButton *>(f.fx.reload(f.widget));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->widgetProperty("onText").toString(), QStringLiteral("Ch4 on"));
    QCOMPARE(pCopy->widgetProperty("offText").toString(), QStringLiteral("Ch4 off"));
    QCOMPARE(pCopy->widgetProperty("onImage").toString(), QStringLiteral("../images/ledRed.png"));
    QCOMPARE(pCopy->widgetProperty("offImage").toString(), QStringLiteral("../images/ledOffGreen.png"));
    QCOMPARE(pCopy->widgetProperty("imageSize").toDouble(), 0.5);
    QCOMPARE(pCopy->widgetProperty("hasBorder").toBool(), true);
    QCOMPARE(pCopy->action(), int(WButton::SendOnThenOff));
    QCOMPARE(pCopy->buttonType(), int(WButton::LogicChannel));
    QCOMPARE(pCopy->channel(), QStringLiteral("4"));
    QCOMPARE(pCopy->imageSet(), QStringLiteral("Custom"));
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(pCopy), "index1ForQuery"), QStringLiteral("2"));
    // A button does not read the fractions.
    QCOMPARE(pCopy->xFract(), 0.0);
    QCOMPARE(pCopy->widthFract(), 1.0);
    QCOMPARE(pCopy->widgetRect(), QRectF(10, 20, 80, 30));
}

void TestWButton::propertyIds_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<bool>("choice");
    QTest::addColumn<bool>("pulse");
    QTest::addColumn<bool>("onOff");

    QTest::newRow("off on") << "F,O" << false << false << true;
    QTest::newRow("all four") << "F,O,T,P" << true << true << true;
    QTest::newRow("toggle first") << "T,F" << false << false << false;
    QTest::newRow("empty") << "" << false << false << false;
}

void TestWButton::propertyIds()
{
    QFETCH(QString, set);
    QFETCH(bool, choice);
    QFETCH(bool, pulse);
    QFETCH(bool, onOff);
    Button f(QStringLiteral("alternating"), set, {{"buttonType", "logicChannel"}});
    WButton *pButton = f.button();
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ButtonChoiceFlag).toBool(), choice);
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ShowPulse).toBool(), pulse);
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ShowTurnOnOrOff).toBool(), onOff);
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::HasChannels).toBool(), true);
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ImageSetCategory).toInt(), int(WButton::LogicChannel));
    // A block that gives no count still offers channels to choose from.
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ChannelCount).toInt(), int(WButton::DefaultChannelCount));
    // Read-only ids change nothing.
    pButton->setPropertyValue(WidgetPropertyId::ImageSetCategory, 3);
    QCOMPARE(pButton->buttonType(), int(WButton::LogicChannel));

    pButton->setPropertyValue(WidgetPropertyId::TextOn, QStringLiteral("Open"));
    pButton->setPropertyValue(WidgetPropertyId::TextOff, QStringLiteral("Shut"));
    pButton->setPropertyValue(WidgetPropertyId::TextPartial, QStringLiteral("Half"));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::TextOn).toString(), QStringLiteral("Open"));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::TextOff).toString(), QStringLiteral("Shut"));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::TextPartial).toString(), QStringLiteral("Half"));
    pButton->setPropertyValue(WidgetPropertyId::ImageOn, QStringLiteral("/tmp/on.png"));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ImageOn).toString(), QStringLiteral("file:///tmp/on.png"));
    pButton->setPropertyValue(WidgetPropertyId::ImagePartial, QString());
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ImagePartial).toString(), QString());
    pButton->setPropertyValue(WidgetPropertyId::ButtonAction, 6);
    QVERIFY(pButton->widgetProperty("isSetupButton").toBool());
    pButton->setPropertyValue(WidgetPropertyId::CurrentTab, 2);
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::CurrentTab).toInt(), 2);
}

VVB_TEST_MAIN(TestWButton)
#include "tst_wbutton.moc"
