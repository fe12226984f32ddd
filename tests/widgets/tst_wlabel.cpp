#include "model/CControl.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/WidgetFixture.h"
#include "widgets/WLabel.h"

#include <QColor>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// A label read from the settings into a control of that name, bound to a
// node with that label (none for a null label), or into no control at all.
struct Label
{
    explicit Label(const Settings &settings, const QString &nodeLabel = QStringLiteral("Zone 1"),
                   const QString &name = QStringLiteral("Caption"), const QString &type = QStringLiteral("Label"))
    {
        FakeNode *pNode = nullptr;
        if (!nodeLabel.isNull())
            pNode = new FakeNode(QStringLiteral("Blocks"), nodeLabel);
        control = fx.addControl(name, type, pNode);
        label = qobject_cast<WLabel *>(fx.readWidget(control, QStringLiteral("label"), settings));
    }

    WidgetFixture fx;
    CControl *control = nullptr;
    WLabel *label = nullptr;
};

// A label made by the factory and never given to a control.
WLabel *freeLabel(WidgetFixture &fx)
{
    auto *pLabel = qobject_cast<WLabel *>(fx.canvas().factory()->createWidget(QStringLiteral("label")));
    if (pLabel)
        pLabel->setTypeName(QStringLiteral("label"));
    return pLabel;
}

} // namespace

class TestWLabel : public QObject
{
    Q_OBJECT

private slots:
    void placeholders_data();
    void placeholders();
    void placeholderWithoutAControl();
    void facesWrapAndSaveOnce_data();
    void facesWrapAndSaveOnce();
    void angleBracketsOfTheTextSurvive();
    void alignment_data();
    void alignment();
    void scale_data();
    void scale();
    void switchesAndMarkers();
    void savesAndLoads();
    void optionalSettingsOnlyWhenGiven();
    void rejectsOtherElements();
    void reloadRenamesTheText_data();
    void reloadRenamesTheText();
    void unbindingStopsReloads();
    void withoutAnItem();
};

// ---------------------------------------------------------------- placeholders

void TestWLabel::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("nodeLabel"); // null: no node
    QTest::addColumn<QString>("name");      // control name
    QTest::addColumn<QString>("shown");
    const QString noNode;
    QTest::newRow("label") << "*LABEL*" << "Zone 1" << "Caption" << "Zone 1";
    QTest::newRow("label and words") << "*LABEL* Far End 1" << "Mixer" << "Caption" << "Mixer Far End 1";
    QTest::newRow("label twice") << "*LABEL*/*LABEL*" << "A" << "Caption" << "A/A";
    QTest::newRow("no node") << "*LABEL* Input" << noNode << "Caption" << " Input";
    QTest::newRow("room name") << "*LABEL*" << "Rack-Lobby" << "Room Name" << "[Lobby";
    QTest::newRow("room name, no dash") << "*LABEL*" << "Lobby" << "Room Name" << "Lobby";
    QTest::newRow("room name, two dashes") << "*LABEL*" << "A-B-C" << "Room Name" << "A-B-C";
    QTest::newRow("dash, other name") << "*LABEL*" << "Rack-Lobby" << "Caption" << "Rack-Lobby";
    QTest::newRow("case matters") << "*label*" << "Zone 1" << "Caption" << "*label*";
    // The fader fills "*TITLE*"; the meters "*CHLABEL*" and "*USB*".
    QTest::newRow("title stays") << "*TITLE*" << "Zone 1" << "Caption" << "*TITLE*";
    QTest::newRow("channel label stays") << "*CHLABEL*" << "Zone 1" << "Caption" << "*CHLABEL*";
    QTest::newRow("usb stays") << "*USB*" << "Zone 1" << "Caption" << "*USB*";
}

void TestWLabel::placeholders()
{
    QFETCH(QString, text);
    QFETCH(QString, nodeLabel);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    Label l(Settings{{"text", text}}, nodeLabel, name);
    QVERIFY(l.label);
    QCOMPARE(l.label->text(), shown);
    QCOMPARE(l.label->widgetProperty("textFormat").toInt(), int(Qt::RichText));
}

void TestWLabel::placeholderWithoutAControl()
{
    WidgetFixture fx;
    WLabel *pLabel = freeLabel(fx);
    QVERIFY(pLabel);
    QTest::ignoreMessage(QtDebugMsg, "Null parent found when processing WLabel");
    QVERIFY(pLabel->processElement(QStringLiteral("text"), QStringLiteral("*LABEL* Input")));
    QCOMPARE(pLabel->text(), QStringLiteral("*LABEL* Input"));
}

// ---------------------------------------------------------------- faces

void TestWLabel::facesWrapAndSaveOnce_data()
{
    QTest::addColumn<QStringList>("faces");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("savedFaces");
    QTest::newRow("bold") << QStringList{"bold"} << "<b>Lobby</b>" << QStringList{"bold"};
    QTest::newRow("italic") << QStringList{"italic"} << "<i>Lobby</i>" << QStringList{"italic"};
    QTest::newRow("bold and underline") << QStringList{"bold", "underline"} << "<u><b>Lobby</b></u>"
                                        << QStringList{"bold", "underline"};
    QTest::newRow("underline and italic") << QStringList{"underline", "italic"} << "<i><u>Lobby</u></i>"
                                          << QStringList{"italic", "underline"};
    QTest::newRow("bold and italic keep bold") << QStringList{"bold", "italic"} << "<i><b>Lobby</b></i>"
                                               << QStringList{"bold"};
    QTest::newRow("unknown face") << QStringList{"Bold", "strike"} << "Lobby" << QStringList{};
}

// The saved text is the bare text, whatever faces wrap it, so loading and
// saving again gives the same file.
void TestWLabel::facesWrapAndSaveOnce()
{
    QFETCH(QStringList, faces);
    QFETCH(QString, shown);
    QFETCH(QStringList, savedFaces);
    Settings settings{{"text", "Lobby"}};
    for (const QString &face : faces)
        settings.append({"face", face});
    Label l(settings);
    QCOMPARE(l.label->text(), shown);
    QCOMPARE(l.label->plainText(), QStringLiteral("Lobby"));
    const Settings saved = WidgetFixture::saved(l.label);
    QCOMPARE(WidgetFixture::valueOf(saved, "text"), QStringLiteral("Lobby"));
    QStringList written;
    for (const auto &setting : saved) {
        if (setting.first == QLatin1String("face"))
            written.append(setting.second);
    }
    QCOMPARE(written, savedFaces);

    // Two more rounds through the file change nothing.
    auto *pOnce = qobject_cast<WLabel *>(l.fx.reload(l.label));
    auto *pTwice = qobject_cast<WLabel *>(l.fx.reload(pOnce));
    QCOMPARE(WidgetFixture::saved(pTwice), saved);
    QCOMPARE(pTwice->plainText(), QStringLiteral("Lobby"));
}

// Text that holds angle brackets of its own is not cut, with or without faces.
void TestWLabel::angleBracketsOfTheTextSurvive()
{
    for (const QString &text : {QStringLiteral("Gain > 0 dB"), QStringLiteral("a<b"),
                                QStringLiteral("<Zone>"), QStringLiteral("x <b>y</b>")}) {
        Label plain(Settings{{"text", text}});
        QCOMPARE(plain.label->plainText(), text);
        QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(plain.label), "text"), text);

        Label bold(Settings{{"text", text}, {"face", "bold"}});
        QCOMPARE(bold.label->plainText(), text);
        auto *pLoaded = qobject_cast<WLabel *>(bold.fx.reload(bold.label));
        QCOMPARE(pLoaded->plainText(), text);
        QCOMPARE(pLoaded->text(), QStringLiteral("<b>") + text + QStringLiteral("</b>"));
    }
}

// ---------------------------------------------------------------- alignment, scale, switches

void TestWLabel::alignment_data()
{
    QTest::addColumn<QString>("align");
    QTest::addColumn<int>("qml");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("saved");
    QTest::newRow("center") << "center" << 4 << "Center" << "center";
    QTest::newRow("CENTER") << "CENTER" << 4 << "Center" << "center";
    QTest::newRow("Right") << "Right" << 2 << "Right" << "right";
    QTest::newRow("left") << "left" << 1 << "Left" << "left";
    QTest::newRow("justify") << "justify" << 1 << "Left" << "left";
    QTest::newRow("empty") << "" << 1 << "Left" << "left";
}

void TestWLabel::alignment()
{
    QFETCH(QString, align);
    QFETCH(int, qml);
    QFETCH(QString, property);
    QFETCH(QString, saved);
    Label l(Settings{{"text", "Lobby"}, {"align", align}});
    QCOMPARE(l.label->widgetProperty("horizontalAlignment").toInt(), qml);
    QCOMPARE(l.label->propertyValue(WidgetPropertyId::Align).toString(), property);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(l.label), "align"), saved);

    Label edited(Settings{{"text", "Lobby"}});
    edited.label->setPropertyValue(WidgetPropertyId::Align, align);
    QCOMPARE(edited.label->widgetProperty("horizontalAlignment").toInt(), qml);
}

void TestWLabel::scale_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << "2" << "2.0";
    QTest::newRow("fraction") << "1.25" << "1.25";
    QTest::newRow("one") << "1" << "1.0";
    QTest::newRow("not a number") << "big" << "0.0";
}

void TestWLabel::scale()
{
    QFETCH(QString, scale);
    QFETCH(QString, shown);
    Label l(Settings{{"text", "Lobby"}, {"scale", scale}});
    QCOMPARE(l.label->propertyValue(WidgetPropertyId::Scale).toString(), shown);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(l.label), "scale"), shown);

    // An edit marks the scale for saving.
    Label edited(Settings{{"text", "Lobby"}});
    QVERIFY(!edited.label->isMarked(WLabel::MarkScale));
    edited.label->setPropertyValue(WidgetPropertyId::Scale, scale);
    QVERIFY(edited.label->isMarked(WLabel::MarkScale));
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(edited.label), "scale"), shown);
}

void TestWLabel::switchesAndMarkers()
{
    Label l(Settings{{"text", "Lobby"}, {"edit", "true"}, {"select", "false"}, {"autosize", "True"}});
    QVERIFY(l.label->widgetProperty("enableEdit").toBool());
    QVERIFY(!l.label->widgetProperty("selEnable").toBool());
    QVERIFY(!l.label->widgetProperty("autoSize").toBool()); // only "true" is true
    QCOMPARE(l.label->markers(), WLabel::MarkEdit | WLabel::MarkSelect | WLabel::MarkAutosize);
    const Settings saved = WidgetFixture::saved(l.label);
    QCOMPARE(WidgetFixture::valueOf(saved, "edit"), QStringLiteral("true"));
    QCOMPARE(WidgetFixture::valueOf(saved, "select"), QStringLiteral("false"));
    QCOMPARE(WidgetFixture::valueOf(saved, "autosize"), QStringLiteral("false"));
}

// ---------------------------------------------------------------- settings

void TestWLabel::savesAndLoads()
{
    Label l(Settings{{"x", "10"},
             {"y", "20"},
             {"width", "80"},
             {"height", "30"},
             {"z", "2"},
             {"yfract", "0.5"},
             {"text", "*LABEL* Level"},
             {"align", "right"},
             {"color", "#80102030"},
             {"face", "underline"},
             {"rotation", "90"},
             {"scale", "1.5"},
             {"edit", "true"},
             {"select", "true"},
             {"autosize", "true"}},
            QStringLiteral("Zone 1"), QStringLiteral("Level"), QStringLiteral("Slider"));
    // A label of a fader control is its caption.
    QVERIFY(l.label->widgetProperty("sliderLabel").toBool());
    const Settings saved = WidgetFixture::saved(l.label);
    QCOMPARE(WidgetFixture::names(saved),
             (QStringList{"x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract", "text",
                          "align", "color", "face", "rotation", "scale", "edit", "select", "autosize"}));
    QCOMPARE(WidgetFixture::valueOf(saved, "text"), QStringLiteral("Zone 1 Level"));
    QCOMPARE(WidgetFixture::valueOf(saved, "color"), QStringLiteral("#80102030"));
    QCOMPARE(WidgetFixture::valueOf(saved, "rotation"), QStringLiteral("90"));
    QCOMPARE(WidgetFixture::valueOf(saved, "heightfract"), QStringLiteral("0.5"));

    auto *pLoaded = qobject_cast<WLabel *>(l.fx.reload(l.label));
    QVERIFY(pLoaded);
    QCOMPARE(pLoaded->text(), QStringLiteral("<u>Zone 1 Level</u>"));
    QCOMPARE(pLoaded->widgetProperty("textColor").value<QColor>(), QColor::fromString("#80102030"));
    QCOMPARE(pLoaded->widgetProperty("rotation").toReal(), 90.0);
    QCOMPARE(pLoaded->widgetRect(), QRectF(10, 20, 80, 30));
    QCOMPARE(pLoaded->yFract(), 0.5);
    QCOMPARE(WidgetFixture::saved(pLoaded), saved);
}

void TestWLabel::optionalSettingsOnlyWhenGiven()
{
    Label l(Settings{{"text", "Lobby"}});
    QCOMPARE(l.label->markers(), 0u);
    QCOMPARE(WidgetFixture::names(WidgetFixture::saved(l.label)),
             (QStringList{"x", "y", "width", "height", "z", "xfract", "yfract", "widthfract", "heightfract", "text",
                          "align", "color"}));
}

void TestWLabel::rejectsOtherElements()
{
    Label l(Settings{{"text", "Lobby"}});
    for (const char *name : {"id", "link", "title", "Text", "unknown"}) {
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QStringLiteral("Unexpected value for WLabel attribute name: ") + name));
        QVERIFY(!l.label->processElement(QLatin1String(name), QStringLiteral("7")));
    }
    QCOMPARE(l.label->widgetId(), 0u);
    QCOMPARE(l.label->text(), QStringLiteral("Lobby"));
}

// ---------------------------------------------------------------- reload of the design file

void TestWLabel::reloadRenamesTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("shown");
    QTest::newRow("the old label") << "Zone 1" << "" << "Lobby";
    QTest::newRow("the old label, bold") << "Zone 1" << "bold" << "Lobby";
    QTest::newRow("begins with it") << "Zone 1 Level" << "" << "Lobby Level";
    QTest::newRow("holds it further on") << "Level Zone 1" << "" << "Level Zone 1";
    QTest::newRow("other text") << "Master" << "" << "Master";
}

void TestWLabel::reloadRenamesTheText()
{
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(QString, shown);
    Settings settings{{"text", text}};
    if (!face.isEmpty())
        settings.append({"face", face});
    Label l(settings, QStringLiteral("Node"));
    emit l.control->node()->labelChangedByReload(QStringLiteral("Zone 1"), QStringLiteral("Lobby"));
    QCOMPARE(l.label->plainText(), shown);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(l.label), "text"), shown);
}

void TestWLabel::unbindingStopsReloads()
{
    Label l(Settings{{"text", "Zone 1"}}, QStringLiteral("Node"));
    HNode *pNode = l.control->node();
    l.label->unbindNode();
    emit pNode->labelChangedByReload(QStringLiteral("Zone 1"), QStringLiteral("Lobby"));
    QCOMPARE(l.label->text(), QStringLiteral("Zone 1"));
    // An empty old label renames nothing.
    l.label->setNode(pNode);
    emit pNode->labelChangedByReload(QString(), QStringLiteral("Lobby"));
    QCOMPARE(l.label->text(), QStringLiteral("Zone 1"));
    emit pNode->labelChangedByReload(QStringLiteral("Zone 1"), QStringLiteral("Lobby"));
    QCOMPARE(l.label->text(), QStringLiteral("Lobby"));
}

void TestWLabel::withoutAnItem()
{
    WLabel label;
    QVERIFY(!label.processElement(QStringLiteral("text"), QStringLiteral("x")));
    QCOMPARE(label.propertyValue(WidgetPropertyId::Align).toString(), QStringLiteral("Left"));
    QCOMPARE(label.propertyValue(WidgetPropertyId::Scale).toString(), QString());
    label.setPropertyValue(WidgetPropertyId::Align, QStringLiteral("center"));
    QTest::ignoreMessage(QtDebugMsg, "No parent lebel for WLabel");
    label.redraw(nullptr);
    QVERIFY(!label.save(nullptr));
}

VVB_TEST_MAIN(TestWLabel)
#include "tst_wlabel.moc"
