#include "dialogs/DPropDialog.h"
#include "model/CAttributes.h"
#include "model/CControl.h"
#include "support/BoundWidgetFixture.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "transforms/TTransform.h"
#include "widgets/WWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QXmlAttributes>
#include <QtTest>

// The button page on a button of a panel that is part of the document,
// opened by the Properties tab as a click on the button would.
class TestDPropButtonDialog : public QObject
{
    Q_OBJECT

private slots:
    void form();
    void fields_data();
    void fields();
    void imageSetsOfEachCategory_data();
    void imageSetsOfEachCategory();
    void rowsShownForCategoryAndSet_data();
    void rowsShownForCategoryAndSet();
    void modeEnablesTabsAndFields_data();
    void modeEnablesTabsAndFields();
    void channelOnlyWithChannels();
    void channelRangeIsTheBlocksChannels_data();
    void channelRangeIsTheBlocksChannels();
    void momentaryOnlyForItsCategory();
    void tabSwitchIsAnUndoStep();
    void reopeningOnAStoredTabChangesNothing_data();
    void reopeningOnAStoredTabChangesNothing();
    void imageChooserCancelledFilesNothing();
};

namespace {

using Settings = PropPageFixture::Settings;

// A logic-channel button showing text and image, with texts for each state.
Settings button(const QString &type = QStringLiteral("logicChannel"), const Settings &more = {})
{
    Settings settings = {{"x", "10"},           {"y", "20"},         {"width", "80"},
                         {"height", "40"},      {"buttonType", type}, {"channel", "2"},
                         {"ontext", "On"},      {"offtext", "Off"},  {"partialText", "Part"},
                         {"onimage", "file:///pics/on.png"}, {"offimage", "file:///pics/off.png"}};
    settings.append(more);
    return settings;
}

WWidget *addButton(PropPageFixture &fx, const Settings &settings = button())
{
    return fx.addWidget(QStringLiteral("Button"), QStringLiteral("button"), settings);
}

} // namespace

void TestDPropButtonDialog::form()
{
    PropPageFixture fx;
    DPropDialog *pPage = fx.open(addButton(fx));
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropButtonDialog"));
    QCOMPARE(pPage->width(), 245);
    QCOMPARE(pPage->minimumSize(), QSize(245, 300));
    QCOMPARE(pPage->maximumSize(), QSize(245, 310));
    auto *pTabs = fx.field<QTabWidget>(QStringLiteral("m_pTabControl"));
    QVERIFY(pTabs);
    QCOMPARE(pTabs->count(), 3);
    QCOMPARE(pTabs->tabText(0), QStringLiteral("Main"));
    QCOMPARE(pTabs->tabText(1), QStringLiteral("Text"));
    QCOMPARE(pTabs->tabText(2), QStringLiteral("Images"));
    QCOMPARE(pTabs->currentIndex(), 0);
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pModeEdit"))),
             QStringList({"Text", "Image", "Text+Image"}));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pXPosEdit"))->inputMask(), QStringLiteral("#000"));
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pHeightEdit"))->inputMask(), QStringLiteral("0000"));
    for (const char *name : {"m_pImageOnEdit", "m_pImageOffEdit", "m_pImagePartialEdit"})
        QVERIFY2(fx.field<QLineEdit>(QLatin1String(name))->isReadOnly(), name);
    // Filled from the button.
    QCOMPARE(fx.shown(QStringLiteral("m_pModeEdit")), QStringLiteral("Text+Image"));
    QCOMPARE(fx.shown(QStringLiteral("m_pTextOnEdit")), QStringLiteral("On"));
    QCOMPARE(fx.shown(QStringLiteral("m_pTextOffEdit")), QStringLiteral("Off"));
    QCOMPARE(fx.shown(QStringLiteral("m_pTextPartialEdit")), QStringLiteral("Part"));
    QCOMPARE(fx.shown(QStringLiteral("m_pImageSetComboBox")), QStringLiteral("Custom"));
    QVERIFY(fx.shown(QStringLiteral("m_pImageOnEdit")).endsWith(QStringLiteral("/pics/on.png")));
    QCOMPARE(fx.field<QSpinBox>(QStringLiteral("m_pChannelSpinBox"))->value(), 2);
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropButtonDialog::fields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "33" << int(WidgetPropertyId::XPos) << "33";
    QTest::newRow("height") << "type" << "m_pHeightEdit" << "60" << int(WidgetPropertyId::Height) << "60";
    QTest::newRow("mode") << "pick" << "m_pModeEdit" << "Text" << int(WidgetPropertyId::ButtonMode) << "Text";
    QTest::newRow("border") << "tick" << "m_pBorder" << "" << int(WidgetPropertyId::HasBorder) << "true";
    QTest::newRow("channel") << "spin" << "m_pChannelSpinBox" << "5" << int(WidgetPropertyId::Channel) << "5";
    QTest::newRow("on text") << "type" << "m_pTextOnEdit" << "Go" << int(WidgetPropertyId::TextOn) << "Go";
    QTest::newRow("off text") << "type" << "m_pTextOffEdit" << "Stop" << int(WidgetPropertyId::TextOff) << "Stop";
    QTest::newRow("partial text") << "type" << "m_pTextPartialEdit" << "Some" << int(WidgetPropertyId::TextPartial)
                                  << "Some";
    QTest::newRow("image set") << "pick" << "m_pImageSetComboBox" << "Green LED" << int(WidgetPropertyId::ImageSet)
                               << "Green LED";
    QTest::newRow("on image") << "image" << "m_pImageOnButton" << "/new/on.png" << int(WidgetPropertyId::ImageOn)
                              << "file:///new/on.png";
    QTest::newRow("off image") << "image" << "m_pImageOffButton" << "/new/off.png" << int(WidgetPropertyId::ImageOff)
                               << "file:///new/off.png";
    QTest::newRow("tab") << "tab" << "m_pTabControl" << "2" << int(WidgetPropertyId::CurrentTab) << "2";
}

void TestDPropButtonDialog::fields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    PropPageFixture fx;
    WWidget *pButton = addButton(fx);
    QCOMPARE(fx.roundTrip(pButton, action, field, input, id, after), QString());
}

void TestDPropButtonDialog::imageSetsOfEachCategory_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("sets");
    const QStringList leds = {"Green LED", "Mute/Unmute", "Red LED", "Custom"};
    QTest::newRow("mute") << "mute" << QStringList({"Mute/Unmute", "Custom"});
    QTest::newRow("logic channel") << "logicChannel" << leds;
    QTest::newRow("logic set") << "logicSet" << QStringList({"Set All", "Custom"});
    QTest::newRow("logic reset") << "logicReset" << QStringList({"Reset All", "Custom"});
    QTest::newRow("virtual GPI") << "virtualGPI" << leds;
    QTest::newRow("virtual GPO") << "virtualGPO" << leds;
    QTest::newRow("setup") << "setup" << QStringList({"Setup Icon", "Custom"});
    QTest::newRow("connection") << "connectionIndicator" << QStringList({"Connection Status Icon", "Custom"});
}

void TestDPropButtonDialog::imageSetsOfEachCategory()
{
    QFETCH(QString, type);
    QFETCH(QStringList, sets);
    PropPageFixture fx;
    QVERIFY(fx.open(addButton(fx, button(type))));
    QCOMPARE(TestSupport::itemsOf(fx.field<QComboBox>(QStringLiteral("m_pImageSetComboBox"))), sets);
}

void TestDPropButtonDialog::rowsShownForCategoryAndSet_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("imageSet"); // picked on the page; empty: as read
    QTest::addColumn<QStringList>("shown");
    const QStringList texts = {"offTextLabel", "m_pTextOffEdit", "onTextLabel", "m_pTextOnEdit"};
    const QStringList twoImages = {"offImagelLabel", "m_pImageOffEdit", "m_pImageOffButton",
                                   "onImagelLabel",  "m_pImageOnEdit",  "m_pImageOnButton"};
    const QStringList partialImage = {"partialImageLabel", "m_pImagePartialEdit", "m_pImagePartialButton"};
    const QStringList partialText = {"partialTextLabel", "m_pTextPartialEdit"};
    QTest::newRow("set all, custom") << "logicSet" << "Custom" << texts + twoImages;
    QTest::newRow("set all, built in") << "logicSet" << "Set All" << texts;
    QTest::newRow("connection, custom") << "connectionIndicator" << "Custom"
                                        << texts + partialText + twoImages + partialImage;
    QTest::newRow("connection, built in") << "connectionIndicator" << "Connection Status Icon" << texts + partialText;
    // One image field, unlabelled; only the off text, unlabelled.
    QTest::newRow("setup, custom") << "setup" << "Custom"
                                   << QStringList({"m_pTextOffEdit", "m_pImageOffEdit", "m_pImageOffButton"});
    QTest::newRow("virtual GPI, custom") << "virtualGPI" << "Custom"
                                         << texts + twoImages + QStringList({"m_pMomentaryCheckBox"});
    QTest::newRow("virtual GPI, built in") << "virtualGPI" << "Red LED"
                                           << texts + QStringList({"m_pMomentaryCheckBox"});
}

void TestDPropButtonDialog::rowsShownForCategoryAndSet()
{
    QFETCH(QString, type);
    QFETCH(QString, imageSet);
    QFETCH(QStringList, shown);
    PropPageFixture fx;
    QVERIFY(fx.open(addButton(fx, button(type))));
    if (fx.shown(QStringLiteral("m_pImageSetComboBox")) != imageSet)
        QVERIFY(fx.pick(QStringLiteral("m_pImageSetComboBox"), imageSet));
    // The page the edit left on show, and the page built afresh for the same set.
    for (int round = 0; round < 2; ++round) {
        const QStringList rows = {"offTextLabel",         "m_pTextOffEdit",      "onTextLabel",
                                  "m_pTextOnEdit",        "partialTextLabel",    "m_pTextPartialEdit",
                                  "offImagelLabel",       "m_pImageOffEdit",     "m_pImageOffButton",
                                  "onImagelLabel",        "m_pImageOnEdit",      "m_pImageOnButton",
                                  "partialImageLabel",    "m_pImagePartialEdit", "m_pImagePartialButton",
                                  "m_pMomentaryCheckBox"};
        for (const QString &row : rows)
            QVERIFY2(fx.isVisible(row) == shown.contains(row), qPrintable(row + QStringLiteral(" round ") +
                                                                          QString::number(round)));
        fx.open(nullptr);
        QVERIFY(fx.open(fx.fx().panel()->childAt(0)->widgets().first()));
    }
}

void TestDPropButtonDialog::modeEnablesTabsAndFields_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("images");
    QTest::newRow("text") << "Text" << true << false;
    QTest::newRow("image") << "Image" << false << true;
    QTest::newRow("text and image") << "Text+Image" << true << true;
}

void TestDPropButtonDialog::modeEnablesTabsAndFields()
{
    QFETCH(QString, mode);
    QFETCH(bool, text);
    QFETCH(bool, images);
    PropPageFixture fx;
    WWidget *pButton = addButton(fx);
    QVERIFY(fx.open(pButton));
    // From another mode, so that the pick is an edit.
    if (fx.shown(QStringLiteral("m_pModeEdit")) == mode)
        QVERIFY(fx.pick(QStringLiteral("m_pModeEdit"), QStringLiteral("Text")));
    QVERIFY(fx.pick(QStringLiteral("m_pModeEdit"), mode));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ButtonMode).toString(), mode);
    auto *pTabs = fx.field<QTabWidget>(QStringLiteral("m_pTabControl"));
    QCOMPARE(pTabs->isTabEnabled(1), text);
    QCOMPARE(pTabs->isTabEnabled(2), images);
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pTextOnEdit"))->isEnabled(), text);
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pTextOffEdit"))->isEnabled(), text);
    QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pImageOnEdit"))->isEnabled(), images);
    QCOMPARE(fx.field<QWidget>(QStringLiteral("m_pImageOffButton"))->isEnabled(), images);
    if (images) {
        QCOMPARE(fx.field<QLineEdit>(QStringLiteral("m_pTextPartialEdit"))->isEnabled(), text);
        QVERIFY(fx.field<QWidget>(QStringLiteral("m_pImagePartialButton"))->isEnabled());
    }
}

void TestDPropButtonDialog::channelOnlyWithChannels()
{
    PropPageFixture fx;
    QVERIFY(fx.open(addButton(fx, button(QStringLiteral("mute")))));
    QVERIFY(!fx.isVisible(QStringLiteral("m_pChannelLabel")));
    QVERIFY(!fx.isVisible(QStringLiteral("m_pChannelSpinBox")));

    QVERIFY(fx.open(addButton(fx, button(QStringLiteral("logicChannel")))));
    QVERIFY(fx.isVisible(QStringLiteral("m_pChannelSpinBox")));
    auto *pSpin = fx.field<QSpinBox>(QStringLiteral("m_pChannelSpinBox"));
    // An unbound button offers eight channels.
    QCOMPARE(pSpin->maximum(), 8);
    QVERIFY(!fx.spin(QStringLiteral("m_pChannelSpinBox"), 9));
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropButtonDialog::channelRangeIsTheBlocksChannels_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("countProperty");
    QTest::addColumn<int>("channels");
    QTest::newRow("logic block") << "Logic" << "controlCount" << 16;
    QTest::newRow("logic input") << "Logic Input 1" << "controlCount" << 4;
    QTest::newRow("logic output") << "Logic Output 1" << "actionCount" << 4;
}

// A channel button of a design's block shows its channel within the block's
// channels and drives the one the user types.
void TestDPropButtonDialog::channelRangeIsTheBlocksChannels()
{
    QFETCH(QString, title);
    QFETCH(QString, countProperty);
    QFETCH(int, channels);
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Wall Buttons"));
    // As the design file gives them: the title first, then the count.
    for (const auto &property : {std::pair<QString, QString>{QStringLiteral("title"), title},
                                 {countProperty, QString::number(channels)}}) {
        QXmlAttributes attributes;
        attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), property.first);
        attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), property.second);
        pNode->parseAttributes(attributes);
    }
    Settings binding = BoundWidgetFixture::letters(QStringLiteral("F,O"));
    binding.append({{"struct", "2"}, {"index1", "1"}, {"index2", "2"}});
    BoundWidgetFixture bound(QStringLiteral("button"),
                             {{"x", "10"}, {"y", "20"}, {"width", "80"}, {"height", "40"},
                              {"buttonType", "logicChannel"}, {"channel", "2"}, {"action", "alternating"},
                              {"ontext", "*Channel*"}, {"offtext", "*Channel*"}},
                             binding, QStringLiteral("list"), pNode, QStringLiteral("Ch2"), QStringLiteral("Button"));
    PropPageFixture fx(bound.fx);
    QVERIFY(fx.open(bound.widget));
    auto *pSpin = fx.field<QSpinBox>(QStringLiteral("m_pChannelSpinBox"));
    QVERIFY(pSpin && fx.isVisible(QStringLiteral("m_pChannelSpinBox")));
    QCOMPARE(pSpin->minimum(), 1);
    QCOMPARE(pSpin->maximum(), channels);
    QCOMPARE(pSpin->value(), 2);

    QVERIFY(fx.spin(QStringLiteral("m_pChannelSpinBox"), 3));
    QCOMPARE(bound.widget->propertyValue(WidgetPropertyId::Channel).toString(), QStringLiteral("3"));
    QCOMPARE(bound.widget->propertyValue(WidgetPropertyId::TextOn).toString(), QStringLiteral("Ch3"));
    QCOMPARE(bound.transform()->attributes()->index2(), 3);
    QCOMPARE(fx.undoCount(), 1);
    QVERIFY(!fx.spin(QStringLiteral("m_pChannelSpinBox"), channels + 1));
}

void TestDPropButtonDialog::momentaryOnlyForItsCategory()
{
    PropPageFixture fx;
    WWidget *pButton = addButton(fx, button(QStringLiteral("virtualGPI"), {{"action", "sendOthenF"}}));
    QVERIFY(fx.open(pButton));
    QVERIFY(fx.isVisible(QStringLiteral("m_pMomentaryCheckBox")));
    QCOMPARE(fx.field<QAbstractButton>(QStringLiteral("m_pMomentaryCheckBox"))->isChecked(), true);
    QCOMPARE(fx.roundTrip(pButton, QStringLiteral("untick"), QStringLiteral("m_pMomentaryCheckBox"), QString(),
                          WidgetPropertyId::ButtonAction, QStringLiteral("0")),
             QString());
    QVERIFY(fx.open(pButton));
    QVERIFY(fx.tick(QStringLiteral("m_pMomentaryCheckBox"), false));
    QVERIFY(fx.tick(QStringLiteral("m_pMomentaryCheckBox"), true));
    QCOMPARE(pButton->propertyValue(WidgetPropertyId::ButtonAction).toInt(), 2);

    QVERIFY(fx.open(addButton(fx, button(QStringLiteral("virtualGPO"), {{"action", "sendOthenF"}}))));
    QVERIFY(!fx.isVisible(QStringLiteral("m_pMomentaryCheckBox")));
    QVERIFY(!fx.field<QAbstractButton>(QStringLiteral("m_pMomentaryCheckBox"))->isChecked());
}

void TestDPropButtonDialog::tabSwitchIsAnUndoStep()
{
    PropPageFixture fx;
    WWidget *pButton = addButton(fx);
    QVERIFY(fx.open(pButton));
    fx.model()->setModified(false);
    QVERIFY(fx.showTab(QStringLiteral("m_pTabControl"), 2));
    QCOMPARE(fx.undoCount(), 1);
    QVERIFY(fx.model()->isModified());
    // The fresh page opens where the user was, without a further step.
    QCOMPARE(fx.field<QTabWidget>(QStringLiteral("m_pTabControl"))->currentIndex(), 2);
    QCOMPARE(fx.undoCount(), 1);
    fx.undo();
    QCOMPARE(fx.field<QTabWidget>(QStringLiteral("m_pTabControl"))->currentIndex(), 0);
    QCOMPARE(fx.undoCount(), 0);
}

void TestDPropButtonDialog::reopeningOnAStoredTabChangesNothing_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("Main") << 0;
    QTest::newRow("Text") << 1;
    QTest::newRow("Images") << 2;
}

// Showing a page is no edit: a saved project stays saved, so that sending
// it to a device and closing the editor do not ask for a save.
void TestDPropButtonDialog::reopeningOnAStoredTabChangesNothing()
{
    QFETCH(int, tab);
    PropPageFixture fx;
    WWidget *pButton = addButton(fx);
    WWidget *pOther = fx.addWidget(QStringLiteral("Button"), QStringLiteral("button"), button(), QStringLiteral("Other"));
    QVERIFY(fx.open(pButton));
    QVERIFY(fx.showTab(QStringLiteral("m_pTabControl"), tab));
    const int steps = fx.undoCount();
    // As after a save.
    fx.model()->setModified(false);

    QVERIFY(fx.open(pOther));
    QVERIFY(fx.open(pButton));

    QCOMPARE(fx.field<QTabWidget>(QStringLiteral("m_pTabControl"))->currentIndex(), tab);
    QVERIFY(!fx.model()->isModified());
    QCOMPARE(fx.undoCount(), steps);
}

void TestDPropButtonDialog::imageChooserCancelledFilesNothing()
{
    PropPageFixture fx;
    WWidget *pButton = addButton(fx);
    QVERIFY(fx.open(pButton));
    const QString before = fx.shown(QStringLiteral("m_pImagePartialEdit"));
    QVERIFY(fx.work(QStringLiteral("image"), QStringLiteral("m_pImagePartialButton"), QString()));
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(fx.shown(QStringLiteral("m_pImagePartialEdit")), before);
}

VVB_TEST_MAIN(TestDPropButtonDialog)
#include "tst_dpropbuttondialog.moc"
