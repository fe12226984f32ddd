#include "dialogs/DPropDialog.h"
#include "dialogs/DPropRange.h"
#include "model/CControl.h"
#include "support/BoundWidgetFixture.h"
#include "support/FaderFixture.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "widgets/WLabel.h"
#include "widgets/WSlider.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QXmlAttributes>
#include <QtTest>

// The fader page on the fader of a built-in fader control, and the
// level-button page on level buttons, each bound to a block whose level
// may be set from -60 to 12 and opened by the Properties tab.
class TestDPropSliderDialog : public QObject
{
    Q_OBJECT

private slots:
    void faderForm();
    void faderFields_data();
    void faderFields();
    void levelButtonFields_data();
    void levelButtonFields();
    void rangeChecks_data();
    void rangeChecks();
    void notSetUpPushesNothing();
    void fixedRangeIsReadOnly();
    void captionEditsTheLabelControl();
    void noLabelNoCaption();
    void orientationBothWays();
    void knobColourCancelled();
    void circularButtonsShown();
};

namespace {

using Settings = WidgetFixture::Settings;

QXmlAttributes levelProperty()
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), QStringLiteral("level"));
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), QString());
    attributes.append(QStringLiteral("max"), QString(), QStringLiteral("max"), QStringLiteral("12"));
    attributes.append(QStringLiteral("min"), QString(), QStringLiteral("min"), QStringLiteral("-60"));
    return attributes;
}

// A block whose level may be set from -60 to 12.
FakeNode *levelNode()
{
    auto *pNode = new FakeNode;
    pNode->setTitle(QStringLiteral("Gain"));
    pNode->parseAttributes(levelProperty());
    return pNode;
}

struct Fader
{
    Fader()
        : fader(FaderFixture::range(QStringLiteral("-40"), QStringLiteral("10"), QStringLiteral("0.5")),
                QStringLiteral("Level"), QStringLiteral("Main"), levelNode())
        , pages(fader.fx)
    {
    }
    FaderFixture fader;
    PropPageFixture pages;
};

struct Buttons
{
    Buttons()
        : buttons(QStringLiteral("levelbutton"),
                  {{"x", "100"}, {"y", "100"}, {"width", "80"}, {"height", "150"}, {"text", "Level"}},
                  BoundWidgetFixture::range(QStringLiteral("-40"), QStringLiteral("10"), QStringLiteral("0.5")),
                  QStringLiteral("range"), levelNode(), QStringLiteral("Level"), QStringLiteral("LevelButtons"))
        , pages(buttons.fx)
    {
    }
    BoundWidgetFixture buttons;
    PropPageFixture pages;
};

void addRows(bool fader)
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("after");
    QTest::newRow("x") << "type" << "m_pXPosEdit" << "30" << int(WidgetPropertyId::XPos) << "30";
    QTest::newRow("width") << "type" << "m_pWidthEdit" << "90" << int(WidgetPropertyId::Width) << "90";
    QTest::newRow("min") << "type" << "m_pMinEdit" << "-50" << int(WidgetPropertyId::Minimum) << "-50";
    QTest::newRow("max") << "type" << "m_pMaxEdit" << "12" << int(WidgetPropertyId::Maximum) << "12";
    QTest::newRow("units") << "pick" << "m_pUnitsEdit" << "Percent" << int(WidgetPropertyId::Units) << "Percent";
    QTest::newRow("knob colour") << "colour" << "m_pKnobColorSet" << "#123456" << int(WidgetPropertyId::KnobColor)
                                 << "#123456";
    if (fader) {
        QTest::newRow("horizontal") << "tick" << "m_pHorizontalRadioButton" << "" << int(WidgetPropertyId::Rotation)
                                    << "90";
    } else {
        QTest::newRow("text") << "type" << "m_pLabelEdit" << "Volume" << int(WidgetPropertyId::Text) << "Volume";
        QTest::newRow("border") << "tick" << "m_pBorder" << "" << int(WidgetPropertyId::HasBorder) << "true";
        QTest::newRow("button type") << "pick" << "m_pButtonTypeCombo" << "Circular Buttons"
                                     << int(WidgetPropertyId::LevelButtonType) << "true";
    }
}

} // namespace

void TestDPropSliderDialog::faderForm()
{
    Fader f;
    DPropDialog *pPage = f.pages.open(f.fader.fader);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropSliderDialog"));
    QCOMPARE(pPage->size(), QSize(245, 251));
    QCOMPARE(pPage->minimumSize(), QSize(245, 170));
    QCOMPARE(pPage->maximumSize(), QSize(245, 300));
    QCOMPARE(f.pages.shown(QStringLiteral("m_pMinEdit")), QStringLiteral("-40"));
    QCOMPARE(f.pages.shown(QStringLiteral("m_pMaxEdit")), QStringLiteral("10"));
    QCOMPARE(f.pages.shown(QStringLiteral("m_pUnitsEdit")), QStringLiteral("dB"));
    QCOMPARE(f.pages.shown(QStringLiteral("m_pLabelEdit")),
             f.fader.label->propertyValue(WidgetPropertyId::Text).toString());
    QVERIFY(f.pages.field<QRadioButton>(QStringLiteral("m_pVerticalRadioButton"))->isChecked());
    QCOMPARE(f.pages.field<QLabel>(QStringLiteral("m_pKnobColor"))->palette().color(QPalette::Window),
             f.fader.fader->propertyValue(WidgetPropertyId::KnobColor).value<QColor>());
    QVERIFY(!f.pages.field<QLineEdit>(QStringLiteral("m_pMinEdit"))->isReadOnly());
    QCOMPARE(f.pages.undoCount(), 0);
}

void TestDPropSliderDialog::faderFields_data()
{
    addRows(true);
}

void TestDPropSliderDialog::faderFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    Fader f;
    QCOMPARE(f.pages.roundTrip(f.fader.fader, action, field, input, id, after), QString());
}

void TestDPropSliderDialog::levelButtonFields_data()
{
    addRows(false);
}

void TestDPropSliderDialog::levelButtonFields()
{
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, after);
    Buttons b;
    DPropDialog *pPage = b.pages.open(b.buttons.widget);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropLevelButtonDialog"));
    QCOMPARE(b.pages.roundTrip(b.buttons.widget, action, field, input, id, after), QString());
}

void TestDPropSliderDialog::rangeChecks_data()
{
    QTest::addColumn<bool>("levelButtons");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("minimum"); // the range afterwards
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("shown"); // the field afterwards
    QTest::addColumn<int>("entries");
    for (bool levelButtons : {false, true}) {
        const char *kind = levelButtons ? "level buttons, " : "fader, ";
        auto row = [kind](const char *name) -> QTestData & { return QTest::newRow(qPrintable(QLatin1String(kind) + QLatin1String(name))); };
        row("min at the limit") << levelButtons << "m_pMinEdit" << "-60" << "-60" << "10" << "-60" << 1;
        row("min below the limit") << levelButtons << "m_pMinEdit" << "-61" << "-40" << "10" << "-40" << 0;
        row("max at the limit") << levelButtons << "m_pMaxEdit" << "12" << "-40" << "12" << "12" << 1;
        row("max above the limit") << levelButtons << "m_pMaxEdit" << "12.5" << "-40" << "10" << "10" << 0;
        // Min at or above Max is refused by the page, not left to fail quietly.
        row("min at max") << levelButtons << "m_pMinEdit" << "10" << "-40" << "10" << "-40" << 0;
        row("min above max") << levelButtons << "m_pMinEdit" << "11" << "-40" << "10" << "-40" << 0;
        row("max at min") << levelButtons << "m_pMaxEdit" << "-40" << "-40" << "10" << "10" << 0;
        row("max below min") << levelButtons << "m_pMaxEdit" << "-45" << "-40" << "10" << "10" << 0;
        // A text that is no number counts as 0 and goes as typed; the fader keeps its range.
        row("min not a number") << levelButtons << "m_pMinEdit" << "low" << "-40" << "10" << "low" << 1;
    }
}

void TestDPropSliderDialog::rangeChecks()
{
    QFETCH(bool, levelButtons);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, shown);
    QFETCH(int, entries);
    std::unique_ptr<Fader> pFader;
    std::unique_ptr<Buttons> pButtons;
    PropPageFixture *pPages = nullptr;
    WWidget *pWidget = nullptr;
    if (levelButtons) {
        pButtons = std::make_unique<Buttons>();
        pPages = &pButtons->pages;
        pWidget = pButtons->buttons.widget;
    } else {
        pFader = std::make_unique<Fader>();
        pPages = &pFader->pages;
        pWidget = pFader->fader.fader;
    }
    QVERIFY(qobject_cast<WSlider *>(pWidget)->isSetUpFromParameter());
    QVERIFY(pPages->open(pWidget));
    QVERIFY(pPages->type(field, typed));
    QCOMPARE(pPages->undoCount(), entries);
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::Minimum).toString(), minimum);
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::Maximum).toString(), maximum);
    if (entries == 0)
        QCOMPARE(pPages->shown(field), shown);
}

void TestDPropSliderDialog::notSetUpPushesNothing()
{
    // A fader without its QML item is never set up from a parameter.
    WSlider bare;
    QVERIFY(!bare.isSetUpFromParameter());
    QWidget host;
    std::unique_ptr<DPropDialog> pPage(bare.createPropertiesDialog(&host));
    QVERIFY(pPage);
    host.show();
    pPage->show();
    for (const char *name : {"m_pMinEdit", "m_pMaxEdit"}) {
        auto *pEdit = pPage->findChild<QLineEdit *>(QLatin1String(name));
        pEdit->setFocus();
        pEdit->setText(QStringLiteral("-5"));
        QTest::keyClick(pEdit, Qt::Key_Return);
        QCOMPARE(pEdit->text(), QStringLiteral("-5"));
    }
    QCOMPARE(PropPageFixture::undoCount(), 0);
}

void TestDPropSliderDialog::fixedRangeIsReadOnly()
{
    QVERIFY(!DPropRange::fixedRangeModels().isEmpty());
    for (const QString &model : {DPropRange::fixedRangeModels().first().toLower(), QStringLiteral("Gain block")}) {
        // Outlives the fader, which leaves a node in a tree to the tree.
        auto pProcessor = std::make_unique<FakeProcessor>(model);
        FakeNode *pNode = levelNode();
        pProcessor->addNode(pNode);
        FaderFixture fader(FaderFixture::range(QStringLiteral("-40"), QStringLiteral("10"), QStringLiteral("1")),
                           QStringLiteral("Level"), QStringLiteral("Main"), pNode);
        PropPageFixture pages(fader.fx);
        const bool fixed = model != QLatin1String("Gain block");
        QCOMPARE(fader.fader->chassisName(), model);
        QVERIFY(pages.open(fader.fader));
        QCOMPARE(pages.field<QLineEdit>(QStringLiteral("m_pMinEdit"))->isReadOnly(), fixed);
        QCOMPARE(pages.field<QLineEdit>(QStringLiteral("m_pMaxEdit"))->isReadOnly(), fixed);
        QCOMPARE(pages.shown(QStringLiteral("m_pMaxEdit")), QStringLiteral("10"));
    }
}

void TestDPropSliderDialog::captionEditsTheLabelControl()
{
    Fader f;
    QVERIFY(f.pages.open(f.fader.fader));
    const QString before = f.fader.label->propertyValue(WidgetPropertyId::Text).toString();
    QVERIFY(f.pages.type(QStringLiteral("m_pLabelEdit"), QStringLiteral("Stage")));
    QCOMPARE(f.fader.label->propertyValue(WidgetPropertyId::Text).toString(), QStringLiteral("Stage"));
    QCOMPARE(f.pages.undoCount(), 1);
    QCOMPARE(f.pages.undoText(), QStringLiteral("Edit: ") + before);
    // The label's control is the one selected now.
    QCOMPARE(f.fader.control->mode(), CControl::ModeSelected);
    f.pages.undo();
    QCOMPARE(f.fader.label->propertyValue(WidgetPropertyId::Text).toString(), before);
}

void TestDPropSliderDialog::noLabelNoCaption()
{
    PropPageFixture pages;
    WWidget *pFader = pages.addWidget(QStringLiteral("Slider"), QStringLiteral("slider"),
                                      {{"x", "0"}, {"y", "0"}, {"width", "40"}, {"height", "200"}});
    QVERIFY(pFader);
    QVERIFY(pages.open(pFader));
    QVERIFY(!pages.isEnabled(QStringLiteral("m_pLabelEdit")));
}

void TestDPropSliderDialog::orientationBothWays()
{
    Fader f;
    QVERIFY(f.pages.open(f.fader.fader));
    QVERIFY(f.pages.tick(QStringLiteral("m_pHorizontalRadioButton")));
    QCOMPARE(f.fader.fader->propertyValue(WidgetPropertyId::Rotation).toInt(), 90);
    QVERIFY(f.pages.field<QRadioButton>(QStringLiteral("m_pHorizontalRadioButton"))->isChecked());
    QVERIFY(f.pages.tick(QStringLiteral("m_pVerticalRadioButton")));
    QCOMPARE(f.fader.fader->propertyValue(WidgetPropertyId::Rotation).toInt(), 0);
    QCOMPARE(f.pages.undoCount(), 2);
    QCOMPARE(f.pages.undoText(), QStringLiteral("Edit: 90"));
}

void TestDPropSliderDialog::knobColourCancelled()
{
    Fader f;
    QVERIFY(f.pages.open(f.fader.fader));
    const QColor before = f.fader.fader->propertyValue(WidgetPropertyId::KnobColor).value<QColor>();
    QVERIFY(f.pages.work(QStringLiteral("colour"), QStringLiteral("m_pKnobColorSet"), QString()));
    QVERIFY(f.pages.work(QStringLiteral("colour"), QStringLiteral("m_pKnobColorSet"), before.name(QColor::HexArgb)));
    QCOMPARE(f.pages.undoCount(), 0);
    QCOMPARE(f.pages.field<QLabel>(QStringLiteral("m_pKnobColor"))->palette().color(QPalette::Window), before);
}

void TestDPropSliderDialog::circularButtonsShown()
{
    Buttons b;
    b.buttons.widget->setPropertyValue(WidgetPropertyId::LevelButtonType, 1);
    QVERIFY(b.pages.open(b.buttons.widget));
    QCOMPARE(b.pages.shown(QStringLiteral("m_pButtonTypeCombo")), QStringLiteral("Circular Buttons"));
    auto *pCombo = b.pages.field<QComboBox>(QStringLiteral("m_pButtonTypeCombo"));
    QCOMPARE(pCombo->count(), 2);
    QCOMPARE(pCombo->itemText(0), QStringLiteral("Triangular Buttons"));
    QCOMPARE(b.pages.undoCount(), 0);
}

VVB_TEST_MAIN(TestDPropSliderDialog)
#include "tst_dpropsliderdialog.moc"
