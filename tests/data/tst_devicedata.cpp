#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include "support/TestMain.h"

// The built-in device-model data: every template, twin and dictionary the hardware tree
// reads, checked against the inventory it has to offer.
namespace {

struct Entry
{
    QString name;
    QString type;
};

struct ControlInfo
{
    QString name;
    QString type;
    QStringList widgets;
    QStringList attributeElements;
    QStringList attributeNames;
    QString transform;
};

struct TemplateData
{
    QByteArray bytes;
    QString error;
    QString encoding;
    QString root;
    QStringList sections;
    QList<Entry> parameters;
    QList<ControlInfo> controls;
};

QString dataPath(const QString &folder, const QString &file)
{
    return QStringLiteral(":/data/%1/%2").arg(folder, file);
}

// The twin of a template: its path up to the first "." followed by "1.xml".
QString twinPath(const QString &path)
{
    return path.left(path.indexOf(QLatin1Char('.'))) + QStringLiteral("1.xml");
}

// The default template path rule: title without blanks, "_", type number, ".xml".
QString ruleFileName(QString title, const QString &typeNumber)
{
    return title.remove(QLatin1Char(' ')) + QLatin1Char('_') + typeNumber + QStringLiteral(".xml");
}

void readElement(QXmlStreamReader &xml, QStringList &stack, TemplateData &data, QString &property)
{
    const QString name = xml.name().toString();
    const QString parent = stack.value(stack.size() - 1);
    const QString grandParent = stack.value(stack.size() - 2);
    stack.append(name);
    if (stack.size() == 1)
        data.root = name;
    else if (stack.size() == 2)
        data.sections.append(name);
    if (name == QLatin1String("parameter") && parent == QLatin1String("Parameters")) {
        data.parameters.append(Entry());
    } else if (name == QLatin1String("Control") && parent == QLatin1String("Controls")) {
        const QXmlStreamAttributes attributes = xml.attributes();
        data.controls.append(ControlInfo{attributes.value(QLatin1String("name")).toString(),
                              attributes.value(QLatin1String("type")).toString(), {}, {}, {}, {}});
    } else if (name == QLatin1String("Property") && parent == QLatin1String("Control")) {
        property = xml.attributes().value(QLatin1String("name")).toString();
    } else if (parent == QLatin1String("Property") && grandParent == QLatin1String("Control")
               && !data.controls.isEmpty()) {
        if (property == QLatin1String("widget"))
            data.controls.last().widgets.append(name);
        else if (property == QLatin1String("attributes"))
            data.controls.last().attributeElements.append(name);
    } else if (grandParent == QLatin1String("Property") && property == QLatin1String("attributes")
               && !data.controls.isEmpty()) {
        data.controls.last().attributeNames.append(name);
    }
}

void endElement(QStringList &stack, TemplateData &data, const QString &text, const QString &property)
{
    const QString name = stack.takeLast();
    const QString parent = stack.value(stack.size() - 1);
    if (parent == QLatin1String("parameter") && stack.value(stack.size() - 2) == QLatin1String("Parameters")
        && !data.parameters.isEmpty()) {
        // Only direct children of a parameter count, their texts simplified.
        if (name == QLatin1String("text"))
            data.parameters.last().name = text.simplified();
        else if (name == QLatin1String("type"))
            data.parameters.last().type = text.simplified();
    } else if (name == QLatin1String("transform") && property == QLatin1String("attributes")
               && !data.controls.isEmpty()) {
        data.controls.last().transform = text.trimmed();
    }
}

TemplateData readTemplate(const QString &path)
{
    TemplateData data;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        data.error = QStringLiteral("cannot open ") + path;
        return data;
    }
    data.bytes = file.readAll();
    QXmlStreamReader xml(data.bytes);
    QStringList stack;
    QString text;
    QString property;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            data.encoding = xml.documentEncoding().toString();
            break;
        case QXmlStreamReader::StartElement:
            text.clear();
            readElement(xml, stack, data, property);
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            endElement(stack, data, text, property);
            text.clear();
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        data.error = QStringLiteral("%1 line %2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return data;
}

QString describe(const QList<Entry> &entries)
{
    QStringList parts;
    for (const Entry &entry : entries)
        parts.append(entry.name + QLatin1Char(':') + entry.type);
    return parts.join(QLatin1Char(';'));
}

QString describe(const QList<ControlInfo> &controls)
{
    QStringList parts;
    for (const ControlInfo &control : controls)
        parts.append(control.name + QLatin1Char(':') + control.type);
    return parts.join(QLatin1Char(';'));
}

// Builds "prefix n suffix:type" items for n = 1 .. count.
QStringList numbered(const QString &pattern, const QString &type, int count, int first = 1)
{
    QStringList items;
    for (int n = first; n < first + count; ++n)
        items.append(pattern.arg(n) + QLatin1Char(':') + type);
    return items;
}

struct InventoryRow
{
    QString folder;
    QString file;
    QString parameters; // "name:type;..." in display order
    QString controls;   // for templates without parameters: their controls
    bool twin;
};

QList<InventoryRow> inventory()
{
    const QString ioCard = QStringLiteral("Level:Slider;Mute:Button;Meter:Meter");
    const QString phoneCard = QStringLiteral("Level:Slider;Mute:Button;Dialer:Dialer;Meter:Meter");
    QStringList link;
    QStringList tone;
    for (int n = 1; n <= 8; ++n)
        link << QStringLiteral("Level %1:Slider").arg(n) << QStringLiteral("Mute %1:Button").arg(n)
             << QStringLiteral("Meter %1:Meter").arg(n);
    for (int n = 1; n <= 3; ++n)
        tone << QStringLiteral("Level %1:Slider").arg(n) << QStringLiteral("Bypass %1:Button").arg(n);
    const QString mics = (QStringList(QStringLiteral("All Mute:Button"))
                          + numbered(QStringLiteral("Mic %1 Mute"), QStringLiteral("Button"), 32))
                             .join(QLatin1Char(';'));
    const QString channels = numbered(QStringLiteral("Ch%1"), QStringLiteral("Button"), 16).join(QLatin1Char(';'));
    const QString combiner = QStringLiteral(
        "Input Level:Slider;Input Mute:Button;Background Music Level:Slider;Background Music Mute:Button;"
        "Background Music Source:DropList;Output Level:Slider;Output Mute:Button");
    const QString routerHead = QStringLiteral(
        "Program Level:Slider;Program Mute:Button;Non-Mic Mix Level:Slider;Non-Mic Mix Mute:Button;"
        "Mic Mix Level:Slider;Mic Mix Mute:Button;Master Volume:Slider;Master Mute:Button");
    QStringList farEnd;
    QStringList phones;
    for (int n = 1; n <= 8; ++n) {
        farEnd << QStringLiteral("Far End %1 Level:Slider").arg(n) << QStringLiteral("Far End %1 Mute:Button").arg(n);
        phones << QStringLiteral("Phone%1 Level:Slider").arg(n) << QStringLiteral("Phone%1 Mute:Button").arg(n);
    }
    const QString router = routerHead
                           + QStringLiteral(";Pre-AEC Mic Mix Level:Slider;Pre-AEC Mic Mix Mute:Button;")
                           + farEnd.join(QLatin1Char(';'));
    const QString oldRouter = routerHead + QLatin1Char(';') + phones.join(QLatin1Char(';'));

    QList<InventoryRow> rows = {
        {"Velmora", "Group_0.xml", "Level:Slider", {}, true},
        {"Velmora", "Group_1.xml", "Level:Slider;Mute:Button", {}, true},
        {"Velmora", "Group_2.xml", "Mute:Button", {}, false},
        {"Velmora", "Group_3.xml", "Selector:DropList", {}, false},
        {"Velmora", "PSetList_0.xml", "List:DropList", {}, false},
        {"Velmora", "ParamList_0.xml", {}, "Select:DropList", false},
        {"Velmora", "ParamSet_0.xml", {}, "Set:TextLink", false},
        {"Velmora", "Link.xml", {}, "Link:PanelLink", false},
        {"Graphics", "Label.xml", {}, "Label:Label", false},
        {"Graphics", "Image.xml", {}, "Image:Image", false},
        {"Graphics", "Frame.xml", {}, "Frame:Frame", false},
        {"Graphics", "Region.xml", {}, "Region:Region", false},
        {"Graphics", "SettingsButton.xml", "SettingsButton:Button", {}, false},
        {"Graphics", "ConnectionIndicator.xml", "ConnectionIndicator:Button", {}, false},
        {"Velmora", "RCGroup_0.xml", "RCGroup Name:Label;Combination Control:ComboSelector", {}, false},
        {"Velmora", "RCRoom_0.xml",
         "Room Name:Label;Active Combination:ActiveRoomCombo;Room Layout:RoomSelector", {}, false},
        {"KRX", "Gain_0.xml", "Level:Slider;Mute:Button", {}, true},
        {"KRX", "In_0.xml", ioCard, {}, true},
        {"KRX", "Input_2.xml", ioCard, {}, true},
        {"KRX", "Out_0.xml", ioCard, {}, true},
        {"KRX", "Output_2.xml", ioCard, {}, true},
        {"KRX", "TelephonyOut.xml", ioCard, {}, true},
        {"KRX", "PstnIn.xml", phoneCard, {}, true},
        {"KRX", "VoipIn.xml", phoneCard, {}, true},
        {"KRX", "UsbIn.xml", "Level:Slider;Mute:Button;Meter 1:Meter;Meter 2:Meter", {}, true},
        {"KRX", "Dante_0.xml", numbered(QStringLiteral("Meter %1"), QStringLiteral("Meter"), 15).join(QLatin1Char(';')), {}, true},
        {"KRX", "KRXLink_0.xml", link.join(QLatin1Char(';')), {}, true},
        {"KRX", "DizoZU_0.xml", tone.join(QLatin1Char(';')), {}, true},
        {"KRX", "ToneEQ_0.xml", tone.join(QLatin1Char(';')), {}, true},
        {"KRX", "AMM-GainShare_0.xml", mics, {}, false},
        {"KRX", "AMM-Gated_0.xml", mics, {}, false},
        {"KRX", "LogicInput_0.xml", channels, {}, false},
        {"KRX", "LogicOutput_0.xml", channels, {}, false},
        {"KRX", "VirtualGPI_0.xml", channels, {}, false},
        {"KRX", "VirtualGPO_0.xml", channels, {}, false},
        {"KRX", "Logic_1.xml", "Toggle Channel:Button;Set All:Button;Reset All:Button", {}, false},
        {"KRX", "StandardRoomCombiner_0.xml", combiner, {}, true},
        {"KRX", "GeneralPurposeRoomCombiner_0.xml", combiner, {}, true},
        {"KRX", "ConferenceRoomRouter_0.xml", router, {}, true},
        {"KRX", "Conference Room Router_0.xml", oldRouter, {}, true},
    };
    for (int n = 0; n <= 6; ++n)
        rows.append({"KRX", QStringLiteral("Selector_%1.xml").arg(n), "List:DropList", {}, false});
    for (const char *folder : {"AQ", "AZ"}) {
        rows.append({folder, "Amp_1.xml", ioCard, {}, true});
        rows.append({folder, "Amp_In_1.xml", "Meter:Meter", {}, true});
        rows.append({folder, "Analog_1.xml", "Mute:Button;Meter:Meter", {}, true});
    }
    return rows;
}

QStringList allTemplatePaths()
{
    QStringList paths;
    for (const InventoryRow &row : inventory()) {
        paths.append(dataPath(row.folder, row.file));
        if (row.twin)
            paths.append(twinPath(dataPath(row.folder, row.file)));
    }
    return paths;
}

// The twin as a rule: levels operated by level buttons, meters shown as image meters.
QString expectedTwin(const QString &file, const QString &parameters)
{
    if (file == QLatin1String("Amp_In_1.xml")) // its twin also offers the level and the mute
        return QStringLiteral("Level:LevelButton;Mute:Button;MeterImage:MeterImage");
    QStringList out;
    for (const QString &item : parameters.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QString name = item.section(QLatin1Char(':'), 0, 0);
        QString type = item.section(QLatin1Char(':'), 1);
        if (type == QLatin1String("Slider")) {
            type = QStringLiteral("LevelButton");
        } else if (type == QLatin1String("Meter")) {
            type = QStringLiteral("MeterImage");
            name.replace(QLatin1String("Meter"), QLatin1String("MeterImage"));
        }
        out.append(name + QLatin1Char(':') + type);
    }
    return out.join(QLatin1Char(';'));
}

QStringList readLines(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly | QIODevice::Text);
    QStringList lines;
    while (*ok && !file.atEnd())
        lines.append(QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n')));
    return lines;
}

} // namespace

class TestDeviceData : public QObject
{
    Q_OBJECT

private slots:
    void templateIsWellFormed_data();
    void templateIsWellFormed();
    void templateMatchesInventory_data();
    void templateMatchesInventory();
    void everyParameterHasItsControl_data();
    void everyParameterHasItsControl();
    void twinDiffersAsSaid_data();
    void twinDiffersAsSaid();
    void toneControlTemplatesAreTheSame();
    void chassisDictionary_data();
    void chassisDictionary();
    void moduleDictionary_data();
    void moduleDictionary();
    void pathRuleResourcesExist_data();
    void pathRuleResourcesExist();
    void iconLoads_data();
    void iconLoads();
};

void TestDeviceData::templateIsWellFormed_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &path : allTemplatePaths())
        QTest::newRow(qPrintable(path)) << path;
}

void TestDeviceData::templateIsWellFormed()
{
    QFETCH(QString, path);
    const TemplateData data = readTemplate(path);
    QVERIFY2(data.error.isEmpty(), qPrintable(data.error));
    QCOMPARE(data.encoding, QStringLiteral("Windows-1252"));
    QCOMPARE(data.root, QStringLiteral("VMD"));
    QCOMPARE(data.sections, QStringList({QStringLiteral("Parameters"), QStringLiteral("Controls")}));
    // Plain ASCII text with CR LF line ends throughout.
    for (const char byte : data.bytes)
        QVERIFY2(static_cast<unsigned char>(byte) < 0x80, "non-ASCII byte");
    QCOMPARE(data.bytes.count('\n'), data.bytes.count("\r\n"));
    QVERIFY(data.bytes.endsWith("\r\n"));
}

void TestDeviceData::templateMatchesInventory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("controls");
    for (const InventoryRow &row : inventory()) {
        QTest::newRow(qPrintable(dataPath(row.folder, row.file)))
            << dataPath(row.folder, row.file) << row.parameters << row.controls;
    }
}

void TestDeviceData::templateMatchesInventory()
{
    QFETCH(QString, path);
    QFETCH(QString, parameters);
    QFETCH(QString, controls);
    const TemplateData data = readTemplate(path);
    QVERIFY2(data.error.isEmpty(), qPrintable(data.error));
    QCOMPARE(describe(data.parameters), parameters);
    if (parameters.isEmpty())
        QCOMPARE(describe(data.controls), controls);
}

void TestDeviceData::everyParameterHasItsControl_data()
{
    templateIsWellFormed_data();
}

void TestDeviceData::everyParameterHasItsControl()
{
    QFETCH(QString, path);
    static const QSet<QString> widgetKinds = {
        "bounds", "button", "cmdbutton", "dialer", "droplist", "image", "frame", "label", "region",
        "panellink", "slider", "textedit", "textlink", "activeroomcombo", "roomselector",
        "comboselector", "levelbutton", "meter", "meterimage", "dropsite"};
    static const QSet<QString> transforms = {"bin8", "idx8", "strV", "grpV", "chrL", "hexL",
                                             "strL", "text", "passThrough", ""};
    static const QSet<QString> listNames = {"index1", "index2", "set", "step", "format", "transform",
                                            "struct", "action", "channelLabel", "doNotPoll",
                                            "enableEdit", "cardPin"};
    static const QSet<QString> rangeNames = {"index1", "index2", "minLimit", "maxLimit", "minimum",
                                             "maximum", "step", "units", "format", "transform",
                                             "struct", "callType", "cardPin", "channelLabel",
                                             "enableEdit", "set"};
    const TemplateData data = readTemplate(path);
    QVERIFY2(data.error.isEmpty(), qPrintable(data.error));
    QVERIFY(!data.controls.isEmpty());
    for (const Entry &parameter : data.parameters) {
        QVERIFY2(!parameter.name.isEmpty() && !parameter.type.isEmpty(), qPrintable(describe(data.parameters)));
        const auto control = std::find_if(data.controls.cbegin(), data.controls.cend(),
                                          [&](const ControlInfo &c) { return c.name == parameter.name; });
        QVERIFY2(control != data.controls.cend(), qPrintable(parameter.name));
        QCOMPARE(control->type, parameter.type);
    }
    QSet<QString> names;
    for (const ControlInfo &control : data.controls) {
        QVERIFY2(!names.contains(control.name), qPrintable(control.name));
        names.insert(control.name);
        QVERIFY2(!control.widgets.isEmpty(), qPrintable(control.name));
        for (const QString &kind : control.widgets)
            QVERIFY2(widgetKinds.contains(kind), qPrintable(control.name + QLatin1String(": ") + kind));
        QCOMPARE(control.attributeElements.size(), 1);
        const bool isList = control.attributeElements.first() == QLatin1String("list");
        QVERIFY(isList || control.attributeElements.first() == QLatin1String("range"));
        QVERIFY(!control.attributeNames.isEmpty());
        for (const QString &name : control.attributeNames)
            QVERIFY2((isList ? listNames : rangeNames).contains(name), qPrintable(control.name + QLatin1String(": ") + name));
        QVERIFY2(transforms.contains(control.transform), qPrintable(control.transform));
    }
}

void TestDeviceData::twinDiffersAsSaid_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("twin");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QStringList>("extraControls");
    for (const InventoryRow &row : inventory()) {
        if (!row.twin)
            continue;
        const QString base = dataPath(row.folder, row.file);
        QStringList extra;
        if (row.folder == QLatin1String("AZ") && row.file == QLatin1String("Analog_1.xml"))
            extra << QStringLiteral("Meter:Meter"); // this line's twin keeps both meters
        QTest::newRow(qPrintable(twinPath(base)))
            << base << twinPath(base) << expectedTwin(row.file, row.parameters) << extra;
    }
}

void TestDeviceData::twinDiffersAsSaid()
{
    QFETCH(QString, base);
    QFETCH(QString, twin);
    QFETCH(QString, parameters);
    QFETCH(QStringList, extraControls);
    const TemplateData baseData = readTemplate(base);
    const TemplateData twinData = readTemplate(twin);
    QVERIFY2(twinData.error.isEmpty(), qPrintable(twinData.error));
    QCOMPARE(describe(twinData.parameters), parameters);
    QStringList expectedControls = parameters.split(QLatin1Char(';'), Qt::SkipEmptyParts) + extraControls;
    QStringList controls = describe(twinData.controls).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    expectedControls.sort();
    controls.sort();
    QCOMPARE(controls, expectedControls);
    // Only the level and meter controls change: every other control is the base's.
    for (const ControlInfo &control : twinData.controls) {
        if (control.type == QLatin1String("LevelButton") || control.type == QLatin1String("MeterImage"))
            continue;
        const bool inBase = std::any_of(baseData.controls.cbegin(), baseData.controls.cend(), [&](const ControlInfo &c) {
            return c.name == control.name && c.type == control.type && c.widgets == control.widgets;
        });
        QVERIFY2(inBase || QFileInfo(twin).fileName() == QLatin1String("Amp_In_11.xml"), qPrintable(control.name));
    }
}

void TestDeviceData::toneControlTemplatesAreTheSame()
{
    for (const QString &file : {QStringLiteral("DizoZU_0.xml"), QStringLiteral("DizoZU_01.xml")}) {
        const TemplateData dizo = readTemplate(dataPath(QStringLiteral("KRX"), file));
        const TemplateData tone = readTemplate(dataPath(QStringLiteral("KRX"), QString(file).replace(QLatin1String("DizoZU"), QLatin1String("ToneEQ"))));
        QVERIFY(!dizo.bytes.isEmpty());
        QCOMPARE(tone.bytes, dizo.bytes);
    }
}

void TestDeviceData::chassisDictionary_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("titles");
    QTest::addColumn<int>("azrTitles");
    QTest::newRow("processors") << "KRX" << 18 << 0;
    QTest::newRow("first amplifier line") << "AQ" << 4 << 0;
    QTest::newRow("second amplifier line") << "AZ" << 7 << 3;
}

void TestDeviceData::chassisDictionary()
{
    QFETCH(QString, folder);
    QFETCH(int, titles);
    QFETCH(int, azrTitles);
    bool ok = false;
    // Read as a processor reads it: text mode, line by line, line feeds dropped.
    const QStringList lines = readLines(dataPath(folder, QStringLiteral("Chassis.dict")), &ok);
    QVERIFY(ok);
    QCOMPARE(lines.size(), titles);
    QCOMPARE(QSet<QString>(lines.cbegin(), lines.cend()).size(), titles);
    int azr = 0;
    for (const QString &line : lines) {
        QVERIFY2(!line.isEmpty() && line == line.trimmed() && !line.contains(QLatin1Char('\r')), qPrintable(line));
        QVERIFY2(!line.contains(QLatin1Char('(')), qPrintable(line)); // a " (Main)" suffix is cut off
        azr += line.contains(QLatin1String("AZR")) ? 1 : 0;
    }
    QCOMPARE(azr, azrTitles);
}

void TestDeviceData::moduleDictionary_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("rows"); // template and category of each TAB row
    QTest::addColumn<bool>("danteRow");
    const QString analogIn = QStringLiteral("Input_2.xml|Analog I/O");
    const QString analogOut = QStringLiteral("Output_2.xml|Analog I/O");
    const QString digitalOut = QStringLiteral("Out_0.xml|Digital I/O");
    QTest::newRow("KRX inputs") << "KRX" << "InputModules.dict"
                                << QStringList({analogIn, analogIn, analogIn, analogIn, "In_0.xml|Digital I/O",
                                                "PstnIn.xml|PSTN I/O", "VoipIn.xml|VoIP I/O", "UsbIn.xml|USB I/O"})
                                << true;
    QTest::newRow("KRX outputs") << "KRX" << "OutputModules.dict"
                                 << QStringList({analogOut, analogOut, analogOut, analogOut, digitalOut, digitalOut,
                                                 "TelephonyOut.xml|PSTN I/O", "TelephonyOut.xml|VoIP I/O",
                                                 "UsbIn.xml|USB I/O"})
                                 << false;
    for (const char *folder : {"AQ", "AZ"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 inputs").arg(folder)))
            << folder << "InputModules.dict" << QStringList({"Amp_In_1.xml|Amp I/O"}) << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 outputs").arg(folder)))
            << folder << "OutputModules.dict" << QStringList({"Amp_1.xml|Amp I/O"}) << false;
    }
}

void TestDeviceData::moduleDictionary()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QStringList, rows);
    QFETCH(bool, danteRow);
    bool ok = false;
    QStringList lines = readLines(dataPath(folder, file), &ok);
    QVERIFY(ok);
    QVERIFY(!lines.isEmpty() && lines.last().isEmpty()); // the dictionary ends in an empty line
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList found;
    QStringList titles;
    int danteRows = 0;
    for (const QString &line : lines) {
        const QStringList columns = line.split(QLatin1Char('\t'));
        QVERIFY2(!line.contains(QLatin1Char('\r')), qPrintable(line));
        if (columns.size() == 2 && columns.first().endsWith(QLatin1String(" Dante_0.xml"))) {
            // Title and file separated by a blank: the module reads its template by its own rule.
            QCOMPARE(columns.last(), QStringLiteral("Dante I/O"));
            ++danteRows;
            continue;
        }
        QCOMPARE(columns.size(), 3);
        titles.append(columns.first());
        found.append(columns.at(1) + QLatin1Char('|') + columns.at(2));
        QVERIFY2(QFile::exists(dataPath(folder, columns.at(1))), qPrintable(columns.at(1)));
    }
    QCOMPARE(danteRows, danteRow ? 1 : 0);
    QCOMPARE(QSet<QString>(titles.cbegin(), titles.cend()).size(), titles.size());
    QCOMPARE(found, rows);
}

void TestDeviceData::pathRuleResourcesExist_data()
{
    QTest::addColumn<QString>("path");
    const auto rule = [](const char *folder, const char *title, const char *typeNumber) {
        const QString path = dataPath(QLatin1String(folder), ruleFileName(QLatin1String(title), QLatin1String(typeNumber)));
        QTest::newRow(qPrintable(path)) << path;
    };
    for (const char *typeNumber : {"0", "1", "2", "3"})
        rule("Velmora", "Group", typeNumber);
    rule("Velmora", "RCGroup", "0");
    rule("Velmora", "RCRoom", "0");
    rule("Velmora", "PSetList", "0");
    rule("Velmora", "ParamList", "0");
    rule("Velmora", "ParamSet", "0");
    rule("KRX", "Gain", "0");
    for (const char *typeNumber : {"0", "1", "2", "3", "4", "5", "6"})
        rule("KRX", "Selector", typeNumber);
    rule("KRX", "AMM-GainShare", "0");
    rule("KRX", "AMM-Gated", "0");
    rule("KRX", "Logic", "1");
    rule("KRX", "Logic Input", "0");
    rule("KRX", "Logic Output", "0");
    rule("KRX", "Virtual GPI", "0");
    rule("KRX", "Virtual GPO", "0");
    rule("KRX", "Standard Room Combiner", "0");
    rule("KRX", "General Purpose Room Combiner", "0");
    rule("KRX", "Conference Room Router", "0");
    rule("KRX", "Tone EQ", "0");
    rule("KRX", "DizoZU", "0");
    for (const char *file : {"KRXLink_0.xml", "Dante_0.xml"})
        QTest::newRow(file) << dataPath(QStringLiteral("KRX"), QLatin1String(file));
    QTest::newRow("Link.xml") << dataPath(QStringLiteral("Velmora"), QStringLiteral("Link.xml"));
}

void TestDeviceData::pathRuleResourcesExist()
{
    QFETCH(QString, path);
    const TemplateData data = readTemplate(path);
    QVERIFY2(data.error.isEmpty(), qPrintable(data.error));
    // A template with a level or a meter has its twin beside it.
    const bool needsTwin = std::any_of(data.parameters.cbegin(), data.parameters.cend(), [](const Entry &entry) {
        return entry.type == QLatin1String("Slider") || entry.type == QLatin1String("Meter");
    });
    QCOMPARE(QFile::exists(twinPath(path)), needsTwin);
}

void TestDeviceData::iconLoads_data()
{
    QTest::addColumn<QString>("path");
    const QStringList icons = {"ButtonIcon.png",   "DropListIcon.png", "SliderIcon.png", "ParameterSetIcon.png",
                               "Dialer.png",       "AddLabel.png",     "polygon.png",    "AddCSC.png",
                               "meterBlack.png",   "CompletePanel.png"};
    for (const QString &icon : icons)
        QTest::newRow(qPrintable(icon)) << QStringLiteral(":/images/") + icon;
}

void TestDeviceData::iconLoads()
{
    QFETCH(QString, path);
    const QImage image(path);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 16 && image.height() >= 16);
}

VVB_TEST_MAIN(TestDeviceData)
#include "tst_devicedata.moc"
