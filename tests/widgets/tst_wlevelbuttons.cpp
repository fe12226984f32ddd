#include "model/CAttributes.h"
#include "model/CControl.h"
#include "support/BoundWidgetFixture.h"
#include "support/CanvasWindow.h"
#include "support/TestMain.h"
#include "widgets/WLevelButtons.h"

#include <QColor>
#include <QXmlAttributes>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

const Settings LevelGeometry{{"x", "100"}, {"y", "100"}, {"width", "80"}, {"height", "150"}, {"text", "Level"}};

QXmlAttributes levelDesignProperty(const QString &name, const QString &value, const QString &max = QString(),
                              const QString &min = QString())
{
    QXmlAttributes attributes;
    for (const auto &pair : {std::pair<const char *, QString>{"name", name}, {"value", value}, {"max", max}, {"min", min}}) {
        if (!pair.second.isNull())
            attributes.append(QLatin1String(pair.first), QString(), QLatin1String(pair.first), pair.second);
    }
    return attributes;
}

// A block whose level may be set from -60 to 12.
FakeNode *levelButtonsNode(const QString &title = QStringLiteral("Gain"))
{
    auto *pNode = new FakeNode;
    pNode->setTitle(title);
    pNode->parseAttributes(levelDesignProperty(QStringLiteral("level"), QString(), QStringLiteral("12"),
                                          QStringLiteral("-60")));
    return pNode;
}

struct Steps : BoundWidgetFixture
{
    Steps(const Settings &range, const Settings &settings = LevelGeometry, FakeNode *pNode = levelButtonsNode(),
          const QString &name = QStringLiteral("Level"))
        : BoundWidgetFixture(QStringLiteral("levelbutton"), settings, range, QStringLiteral("range"), pNode, name)
    {
        widget->setWidgetVisible(true);
    }

    WLevelButtons *buttons() const { return qobject_cast<WLevelButtons *>(widget); }
    QQuickItem *item() const { return qobject_cast<QQuickItem *>(widget->widget()); }
    int position() const { return widget->widgetProperty("value").toInt(); }
    QString valueText() const { return widget->widgetProperty("valueText").toString(); }
    // The point of the plus (top third) or the minus (bottom third) button.
    QPoint button(bool plus) const { return CanvasWindow::pointIn(item(), 0.5, plus ? 1.0 / 6 : 5.0 / 6); }
};

} // namespace

class TestWLevelButtons : public QObject
{
    Q_OBJECT

private slots:
    void clickSendsEveryStep_data();
    void clickSendsEveryStep();
    void holdRepeatsUntilTheBoundAndKeepsSending();
    void valueText_data();
    void valueText();
    void rangeEditsKeepUnitsAndPositionsApart_data();
    void rangeEditsKeepUnitsAndPositionsApart();
    void captionPlaceholders_data();
    void captionPlaceholders();
    void reloadRenamesTheCaption_data();
    void reloadRenamesTheCaption();
    void saveAndReopenGiveTheSameFile_data();
    void saveAndReopenGiveTheSameFile();
    void propertyIds();
    void badSettingsTakeTheDefaults();
};

void TestWLevelButtons::clickSendsEveryStep_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plus") << "4" << true << 5 << "5.0";
    QTest::newRow("minus") << "4" << false << 3 << "3.0";
    QTest::newRow("plus at the maximum") << "10" << true << 10 << "10.0";
    QTest::newRow("minus at the minimum") << "0" << false << 0 << "0.0";
}

// A click at the bound still sends the unchanged value.
void TestWLevelButtons::clickSendsEveryStep()
{
    QFETCH(QString, start);
    QFETCH(bool, plus);
    QFETCH(int, position);
    QFETCH(QString, shown);
    Steps f(BoundWidgetFixture::range("0", "10", "1"));
    CanvasWindow window(f.fx.canvas());
    QVERIFY(window.isExposed());
    f.reply(start);
    QCOMPARE(f.protocol.sentValues().size(), 0);
    QTest::mouseClick(window.window(), Qt::LeftButton, Qt::NoModifier, f.button(plus));
    QCOMPARE(f.position(), position);
    QCOMPARE(f.protocol.sentValues().size(), 1);
    QCOMPARE(f.protocol.sentTexts().value(0).toDouble(), double(position));
    QCOMPARE(f.valueText(), shown);
    QCOMPARE(f.buttons()->lastValue(), float(position));
}

void TestWLevelButtons::holdRepeatsUntilTheBoundAndKeepsSending()
{
    Steps f(BoundWidgetFixture::range("0", "10", "1"));
    CanvasWindow window(f.fx.canvas());
    QVERIFY(window.isExposed());
    f.reply(QStringLiteral("2"));
    QTest::mousePress(window.window(), Qt::LeftButton, Qt::NoModifier, f.button(false));
    QTRY_VERIFY(f.protocol.sentValues().size() >= 5);
    QTest::mouseRelease(window.window(), Qt::LeftButton, Qt::NoModifier, f.button(false));
    const QStringList sent = f.protocol.sentTexts();
    QCOMPARE(sent.mid(0, 5), (QStringList{"1.0", "0.0", "0.0", "0.0", "0.0"}));
    QCOMPARE(f.position(), 0);
    // The release ends the repeats and is no extra click.
    QTest::qWait(600);
    QCOMPARE(f.protocol.sentTexts().size(), sent.size());
    QCOMPARE(f.widget->widgetProperty("minusButtonColor").value<QColor>().alpha(), 0);
}

void TestWLevelButtons::valueText_data()
{
    QTest::addColumn<Settings>("range");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");

    QTest::newRow("percent") << BoundWidgetFixture::range("0", "10", "1", "pct") << "5" << 5 << "50%";
    QTest::newRow("percent of a signed range") << BoundWidgetFixture::range("-10", "10", "1", "pct") << "0" << 0
                                               << "50%";
    QTest::newRow("half steps") << BoundWidgetFixture::range("-10", "10", "0.5") << "2.5" << 5 << "2.5";
    QTest::newRow("negative") << BoundWidgetFixture::range("-60", "12", "0.5") << "-20" << -40 << "-20.0";
    QTest::newRow("beyond the maximum") << BoundWidgetFixture::range("0", "10", "1") << "99" << 10 << "10.0";
}

void TestWLevelButtons::valueText()
{
    QFETCH(Settings, range);
    QFETCH(QString, reply);
    QFETCH(int, position);
    QFETCH(QString, shown);
    Steps f(range);
    f.reply(reply);
    QCOMPARE(f.position(), position);
    QCOMPARE(f.valueText(), shown);
    // A reply goes nowhere but the screen.
    QCOMPARE(f.protocol.sentValues().size(), 0);
}

void TestWLevelButtons::rangeEditsKeepUnitsAndPositionsApart_data()
{
    QTest::addColumn<int>("sentPosition");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("value");
    QTest::addColumn<float>("lastValue");
    QTest::addColumn<float>("minimum");
    QTest::addColumn<float>("maximum");

    const int Min = WidgetPropertyId::Minimum;
    const int Max = WidgetPropertyId::Maximum;
    QTest::newRow("minimum below the value") << 4 << Min << "1.5" << 2.0f << 1.5f << 10.0f;
    QTest::newRow("minimum above the value") << 4 << Min << "3" << 10.0f << 3.0f << 10.0f;
    QTest::newRow("maximum above the value") << 12 << Max << "8" << 6.0f << -10.0f << 8.0f;
    QTest::newRow("maximum below the value") << 12 << Max << "5" << 5.0f << -10.0f << 5.0f;
    QTest::newRow("minimum at the maximum") << 4 << Min << "10" << 2.0f << -10.0f << 10.0f;
    QTest::newRow("maximum at the minimum") << 4 << Max << "-10" << 2.0f << -10.0f << 10.0f;
    QTest::newRow("beyond the limits") << 4 << Min << "-70" << 2.0f << -10.0f << 10.0f;
    QTest::newRow("no number") << 4 << Max << "loud" << 2.0f << -10.0f << 10.0f;
}

// Values are in units, positions in steps: with half steps the two differ.
void TestWLevelButtons::rangeEditsKeepUnitsAndPositionsApart()
{
    QFETCH(int, sentPosition);
    QFETCH(int, id);
    QFETCH(QString, value);
    QFETCH(float, lastValue);
    QFETCH(float, minimum);
    QFETCH(float, maximum);
    Steps f(BoundWidgetFixture::range("-10", "10", "0.5"));
    f.reply(QString::number(sentPosition * 0.5));
    f.buttons()->outputValue(sentPosition);
    f.buttons()->setPropertyValue(WidgetPropertyId::Type(id), value);
    QCOMPARE(f.buttons()->lastValue(), lastValue);
    QCOMPARE(f.position(), int(lastValue / 0.5f));
    QCOMPARE(f.control->attributes().minimum(), minimum);
    QCOMPARE(f.control->attributes().maximum(), maximum);
    QCOMPARE(f.buttons()->minPosition(), minimum / 0.5f);
    QCOMPARE(f.buttons()->maxPosition(), maximum / 0.5f);
}

void TestWLevelButtons::captionPlaceholders_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("title without a node") << "" << "*TITLE*" << "Level 2";
    QTest::newRow("title on a block") << "Gain" << "*TITLE*" << "*TITLE*";
    QTest::newRow("title on a link block") << "KRXLink 4" << "*TITLE*" << "Choir";
    QTest::newRow("label") << "Gain" << "*LABEL*" << "Zone 1";
    QTest::newRow("label first") << "Gain" << "*LABEL* Level" << "Zone 1 Level";
    QTest::newRow("label on a link block") << "DivErov" << "*LABEL*" << "Choir";
    QTest::newRow("label without a node") << "" << "*LABEL*" << "*LABEL*";
    QTest::newRow("plain") << "Gain" << "Volume" << "Volume";
}

void TestWLevelButtons::captionPlaceholders()
{
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    FakeNode *pNode = title.isEmpty() ? nullptr : levelButtonsNode(title);
    if (pNode)
        pNode->setChannels({QStringLiteral("Podium"), QStringLiteral("Choir")});
    Settings settings = LevelGeometry;
    settings.append({"text", caption});
    Steps f(BoundWidgetFixture::range("0", "10", "1"), settings, pNode, QStringLiteral("Level 2"));
    QCOMPARE(f.widget->text(), shown);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(f.widget), "text"), shown);
}

void TestWLevelButtons::reloadRenamesTheCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("renamed");

    QTest::newRow("whole") << "Zone 1" << "Lobby";
    QTest::newRow("beginning") << "Zone 1 Level" << "Lobby Level";
    QTest::newRow("end") << "Level Zone 1" << "Level Zone 1";
}

void TestWLevelButtons::reloadRenamesTheCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, renamed);
    Settings settings = LevelGeometry;
    settings.append({"text", caption});
    Steps f(BoundWidgetFixture::range("0", "10", "1"), settings);
    emit f.node->labelChangedByReload(QStringLiteral("Zone 1"), QStringLiteral("Lobby"));
    QCOMPARE(f.widget->text(), renamed);
}

void TestWLevelButtons::saveAndReopenGiveTheSameFile_data()
{
    QTest::addColumn<Settings>("settings");

    QTest::newRow("default") << LevelGeometry;
    QTest::newRow("round with border") << Settings{{"x", "5"},
                                                   {"y", "6"},
                                                   {"width", "70"},
                                                   {"height", "120"},
                                                   {"knobcolor", "#ff102030"},
                                                   {"text", "Mix"},
                                                   {"hasBorder", "1"},
                                                   {"isCircularEnabled", "1"},
                                                   {"xfract", "0.25"}};
}

void TestWLevelButtons::saveAndReopenGiveTheSameFile()
{
    QFETCH(Settings, settings);
    Steps f(BoundWidgetFixture::range("0", "10", "1"), settings);
    const QByteArray first = WidgetFixture::saveBytes(f.widget);
    WWidget *pCopy = f.fx.reload(f.widget);
    QVERIFY(pCopy);
    QCOMPARE(QString::fromUtf8(WidgetFixture::saveBytes(pCopy)), QString::fromUtf8(first));
    const Settings saved = WidgetFixture::saved(pCopy);
    QCOMPARE(WidgetFixture::names(saved).mid(9), (QStringList{"knobcolor", "text", "hasBorder", "isCircularEnabled"}));
}

void TestWLevelButtons::propertyIds()
{
    Steps f(BoundWidgetFixture::range("-10", "10", "0.5", "pct"));
    WLevelButtons *pButtons = f.buttons();
    QCOMPARE(pButtons->propertyValue(WidgetPropertyId::Minimum).toString(), QStringLiteral("-10"));
    QCOMPARE(pButtons->propertyValue(WidgetPropertyId::Units).toString(), QStringLiteral("Percent"));
    QCOMPARE(pButtons->propertyValue(WidgetPropertyId::LevelButtonType).toBool(), false);
    pButtons->setPropertyValue(WidgetPropertyId::LevelButtonType, 1);
    QCOMPARE(pButtons->propertyValue(WidgetPropertyId::LevelButtonType).toBool(), true);
    // Level buttons do not turn.
    pButtons->setPropertyValue(WidgetPropertyId::Rotation, 90);
    QCOMPARE(pButtons->widgetProperty("rotation").toDouble(), 0.0);
    QCOMPARE(pButtons->propertyValue(WidgetPropertyId::Rotation).toString(), QString());
    pButtons->setPropertyValue(WidgetPropertyId::Units, QStringLiteral("dB"));
    QCOMPARE(f.control->attributes().units(), QString());
    pButtons->outputValue(5);
    QCOMPARE(f.valueText(), QStringLiteral("2.5"));
}

void TestWLevelButtons::badSettingsTakeTheDefaults()
{
    Settings settings = LevelGeometry;
    settings.append({{"hasBorder", "thick"}, {"isCircularEnabled", "0x1"}, {"xfract", "wide"}, {"orient", "up"}});
    Steps f(BoundWidgetFixture::range("0", "10", "1"), settings);
    QVERIFY(!f.widget->widgetProperty("hasBorder").toBool());
    QVERIFY(!f.widget->widgetProperty("isCircularEnabled").toBool());
    QCOMPARE(f.widget->xFract(), 0.0);
    QVERIFY(!f.buttons()->processElement(QStringLiteral("orient"), QStringLiteral("up")));
    QVERIFY(!f.buttons()->processElement(QStringLiteral("rotation"), QStringLiteral("90")));
    QCOMPARE(f.widget->widgetProperty("rotation").toDouble(), 0.0);
}

VVB_TEST_MAIN(TestWLevelButtons)
#include "tst_wlevelbuttons.moc"
