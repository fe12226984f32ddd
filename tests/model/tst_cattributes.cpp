#include "model/CAttributes.h"
#include "support/TestMain.h"
#include "support/XmlLeafReader.h"
#include "xml/XmlWriter.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// The value of one field by its attribute name, for table-driven checks.
QVariant fieldValue(const CAttributes &a, const QString &field)
{
    if (field == QLatin1String("index1")) return a.index1();
    if (field == QLatin1String("index2")) return a.index2();
    if (field == QLatin1String("link")) return a.link();
    if (field == QLatin1String("field")) return a.field();
    if (field == QLatin1String("struct")) return a.structType();
    if (field == QLatin1String("set")) return a.set();
    if (field == QLatin1String("format")) return a.format();
    if (field == QLatin1String("transform")) return a.transform();
    if (field == QLatin1String("units")) return a.units();
    if (field == QLatin1String("callType")) return a.callType();
    if (field == QLatin1String("minimum")) return a.minimum();
    if (field == QLatin1String("maximum")) return a.maximum();
    if (field == QLatin1String("minLimit")) return a.minLimit();
    if (field == QLatin1String("maxLimit")) return a.maxLimit();
    if (field == QLatin1String("step")) return a.step();
    if (field == QLatin1String("enableEdit")) return a.enableEdit();
    if (field == QLatin1String("doNotPoll")) return a.doNotPoll();
    if (field == QLatin1String("channelLabel")) return a.channelLabel();
    if (field == QLatin1String("cardPin")) return a.cardPin();
    if (field == QLatin1String("setAction")) return a.isSetAction();
    if (field == QLatin1String("resetAction")) return a.isResetAction();
    return QVariant();
}

QByteArray written(const CAttributes &attributes, bool *result = nullptr)
{
    QByteArray bytes;
    {
        XmlWriter writer;
        writer.setByteArray(&bytes);
        const bool ok = attributes.writeXml(&writer);
        if (result)
            *result = ok;
        writer.flush();
    }
    return bytes;
}

// Element names of the written lines, in order, empty elements included.
QStringList writtenTags(const QByteArray &bytes)
{
    static const QRegularExpression tag(QStringLiteral("^\\t*<([A-Za-z0-9]+)>"));
    QStringList tags;
    for (const QString &line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = tag.match(line);
        if (match.hasMatch())
            tags << match.captured(1);
    }
    return tags;
}

void fill(CAttributes &a, const QString &element, const QList<QPair<QString, QString>> &values)
{
    for (const auto &value : values)
        QVERIFY(a.setAttribute(element, value.first, value.second));
}

} // namespace

class TestCAttributes : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void conversions_data();
    void conversions();
    void unknownNameIsIgnored();
    void actionFlagsAreNeverCleared();
    void negativeCardPinWithoutNodeKeepsValue();
    void oneCharacterChannelLabelWithoutNodeStoresNothing();
    void firstElementDecidesType();
    void fractionDigits_data();
    void fractionDigits();
    void indexSetters();
    void writeOrder_data();
    void writeOrder();
    void writeNothingForUnknownType();
    void roundTrip();
    void parseNumber_data();
    void parseNumber();
};

void TestCAttributes::defaults()
{
    const CAttributes a;
    QVERIFY(a.attributeType().isEmpty());
    QCOMPARE(a.index1(), 0);
    QCOMPARE(a.index2(), 0);
    QCOMPARE(a.link(), 0u);
    QCOMPARE(a.minLimit(), -40.0f);
    QCOMPARE(a.cardPin(), -1);
    QCOMPARE(a.enableEdit(), true);
    QCOMPARE(a.doNotPoll(), false);
    QCOMPARE(a.isSetAction(), false);
    QCOMPARE(a.isResetAction(), false);
    QCOMPARE(a.fractionDigits(), 0);
    QVERIFY(!a.owner());
    QVERIFY(!a.linkedTransform());
}

void TestCAttributes::conversions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QVariant>("expected");

    // The "0x" prefix, lower case at the very start only; unsigned 32 bits.
    QTest::newRow("struct hex") << "struct" << "0x0A" << QVariant(10u);
    QTest::newRow("struct decimal") << "struct" << "10" << QVariant(10u);
    QTest::newRow("struct upper-case prefix") << "struct" << "0X0A" << QVariant(0u);
    QTest::newRow("struct prefix not at start") << "struct" << " 0x0A" << QVariant(0u);
    QTest::newRow("struct largest hex") << "struct" << "0xFFFFFFFF" << QVariant(4294967295u);
    QTest::newRow("struct hex too large") << "struct" << "0x100000000" << QVariant(0u);
    QTest::newRow("struct negative") << "struct" << "-1" << QVariant(0u);
    QTest::newRow("struct word") << "struct" << "ten" << QVariant(0u);
    QTest::newRow("link largest") << "link" << "4294967295" << QVariant(4294967295u);
    QTest::newRow("link one past largest") << "link" << "4294967296" << QVariant(0u);
    QTest::newRow("link hex") << "link" << "0x8001" << QVariant(0x8001u);
    QTest::newRow("field hex") << "field" << "0x10" << QVariant(16u);
    QTest::newRow("field empty") << "field" << "" << QVariant(0u);

    // Indexes: signed decimal only.
    QTest::newRow("index1") << "index1" << "12" << QVariant(12);
    QTest::newRow("index1 negative") << "index1" << "-3" << QVariant(-3);
    QTest::newRow("index1 hex is no decimal") << "index1" << "0x0A" << QVariant(0);
    QTest::newRow("index1 too large") << "index1" << "2147483648" << QVariant(0);
    QTest::newRow("index2") << "index2" << "7" << QVariant(7);
    QTest::newRow("index2 word") << "index2" << "x" << QVariant(0);

    // Switches: a non-zero unsigned decimal.
    QTest::newRow("enableEdit 0") << "enableEdit" << "0" << QVariant(false);
    QTest::newRow("enableEdit 1") << "enableEdit" << "1" << QVariant(true);
    QTest::newRow("enableEdit 2") << "enableEdit" << "2" << QVariant(true);
    QTest::newRow("enableEdit word") << "enableEdit" << "yes" << QVariant(false);
    QTest::newRow("enableEdit negative") << "enableEdit" << "-1" << QVariant(false);
    QTest::newRow("enableEdit too large") << "enableEdit" << "4294967296" << QVariant(false);
    QTest::newRow("doNotPoll 1") << "doNotPoll" << "1" << QVariant(true);
    QTest::newRow("doNotPoll word") << "doNotPoll" << "true" << QVariant(false);

    // Floats: anything that is not a finite float reads as 0.
    QTest::newRow("minimum") << "minimum" << "-12.5" << QVariant(-12.5f);
    QTest::newRow("maximum") << "maximum" << "12" << QVariant(12.0f);
    QTest::newRow("step") << "step" << "0.25" << QVariant(0.25f);
    QTest::newRow("maxLimit") << "maxLimit" << "6.5" << QVariant(6.5f);
    QTest::newRow("minLimit word") << "minLimit" << "low" << QVariant(0.0f);
    QTest::newRow("minimum nan") << "minimum" << "nan" << QVariant(0.0f);
    QTest::newRow("maximum inf") << "maximum" << "inf" << QVariant(0.0f);
    QTest::newRow("step -inf") << "step" << "-inf" << QVariant(0.0f);
    QTest::newRow("minLimit beyond float") << "minLimit" << "1e40" << QVariant(0.0f);

    // Texts unchanged.
    QTest::newRow("set") << "set" << "F,O" << QVariant(QStringLiteral("F,O"));
    QTest::newRow("format") << "format" << "nn.n" << QVariant(QStringLiteral("nn.n"));
    QTest::newRow("transform") << "transform" << "bin8" << QVariant(QStringLiteral("bin8"));
    QTest::newRow("units") << "units" << " dB " << QVariant(QStringLiteral(" dB "));
    QTest::newRow("callType") << "callType" << "SIP" << QVariant(QStringLiteral("SIP"));

    QTest::newRow("cardPin") << "cardPin" << "3" << QVariant(3);
    QTest::newRow("cardPin too large") << "cardPin" << "99999999999" << QVariant(0);
    QTest::newRow("cardPin word") << "cardPin" << "pin" << QVariant(0);
    QTest::newRow("channelLabel") << "channelLabel" << "Mic" << QVariant(QStringLiteral("Mic"));

    QTest::newRow("action SET") << "action" << "SET" << QVariant(true);
}

void TestCAttributes::conversions()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QVariant, expected);

    CAttributes a;
    QVERIFY(a.setAttribute(QStringLiteral("range"), name, value));
    const QString field = name == QLatin1String("action") ? QStringLiteral("setAction") : name;
    QCOMPARE(fieldValue(a, field), expected);
}

void TestCAttributes::unknownNameIsIgnored()
{
    CAttributes a;
    QVERIFY(a.setAttribute(QStringLiteral("list"), QStringLiteral("Index1"), QStringLiteral("5")));
    QCOMPARE(a.index1(), 0);
    QCOMPARE(a.attributeType(), QStringLiteral("list"));
    QVERIFY(a.setAttribute(QStringLiteral("list"), QStringLiteral("action"), QStringLiteral("set")));
    QVERIFY(!a.isSetAction());
    QVERIFY(!a.isResetAction());
}

void TestCAttributes::actionFlagsAreNeverCleared()
{
    CAttributes a;
    fill(a, QStringLiteral("list"),
         {{"action", "RESET"}, {"action", "SET"}, {"action", "OTHER"}});
    QVERIFY(a.isSetAction());
    QVERIFY(a.isResetAction());
    // SET wins when both are set.
    QVERIFY(written(a).contains("<action>SET</action>"));
    QVERIFY(!written(a).contains("RESET"));
}

void TestCAttributes::negativeCardPinWithoutNodeKeepsValue()
{
    CAttributes a;
    fill(a, QStringLiteral("list"), {{"cardPin", "4"}, {"cardPin", "-2"}});
    QCOMPARE(a.cardPin(), 4);
}

void TestCAttributes::oneCharacterChannelLabelWithoutNodeStoresNothing()
{
    CAttributes a;
    fill(a, QStringLiteral("list"), {{"channelLabel", "Lectern"}, {"channelLabel", "*"}});
    QCOMPARE(a.channelLabel(), QStringLiteral("Lectern"));
    a.setChannelLabel(QStringLiteral("Ch"));
    QCOMPARE(a.channelLabel(), QStringLiteral("Ch"));
}

void TestCAttributes::firstElementDecidesType()
{
    CAttributes a;
    fill(a, QStringLiteral("range"), {{"minimum", "-10"}});
    fill(a, QStringLiteral("list"), {{"set", "F,O"}, {"action", "SET"}, {"doNotPoll", "1"}});
    QCOMPARE(a.attributeType(), QStringLiteral("range"));
    const QByteArray bytes = written(a);
    QVERIFY(bytes.startsWith("<range>"));
    // A range carries neither the action nor doNotPoll.
    QVERIFY(!bytes.contains("action"));
    QVERIFY(!bytes.contains("doNotPoll"));
}

void TestCAttributes::fractionDigits_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("digits");
    QTest::newRow("two") << "nn.nn" << 2;
    QTest::newRow("none") << "nnn" << 0;
    QTest::newRow("after first point") << "n.n.n" << 3;
    QTest::newRow("point last") << "nn." << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestCAttributes::fractionDigits()
{
    QFETCH(QString, format);
    QFETCH(int, digits);
    CAttributes a;
    a.setAttribute(QStringLiteral("range"), QStringLiteral("format"), format);
    // Reading the format alone does not update the digits.
    QCOMPARE(a.fractionDigits(), 0);
    a.updateFractionDigits();
    QCOMPARE(a.fractionDigits(), digits);
    a.setFractionDigits(5);
    QCOMPARE(a.fractionDigits(), 5);
}

void TestCAttributes::indexSetters()
{
    CAttributes a;
    QCOMPARE(a.setIndex1IfUnset(3), 0);
    QCOMPARE(a.index1(), 3);
    QCOMPARE(a.setIndex1IfUnset(9), 3);
    QCOMPARE(a.index1(), 3);
    QCOMPARE(a.setIndex2(12), 0);
    QCOMPARE(a.setIndex2(2), 12);
    QCOMPARE(a.index2(), 2);
}

void TestCAttributes::writeOrder_data()
{
    using Values = QList<QPair<QString, QString>>;
    QTest::addColumn<QString>("element");
    QTest::addColumn<Values>("values");
    QTest::addColumn<QStringList>("tags");

    QTest::newRow("list, defaults")
        << "list" << Values{{"set", ""}}
        << QStringList{"list", "enableEdit", "set", "format", "transform", "cardPin"};
    QTest::newRow("list, everything")
        << "list"
        << Values{{"doNotPoll", "1"}, {"action", "RESET"}, {"cardPin", "2"}, {"channelLabel", "Mic 1"},
                  {"transform", "bin8"}, {"format", "nn"}, {"set", "F,O"}, {"enableEdit", "0"},
                  {"struct", "0x0A"}, {"index2", "2"}, {"index1", "1"}, {"link", "5"}, {"field", "3"},
                  {"minimum", "-3"}, {"units", "dB"}, {"callType", "SIP"}}
        << QStringList{"list", "index1", "index2", "struct", "enableEdit", "set", "format",
                       "transform", "channelLabel", "cardPin", "action", "doNotPoll"};
    QTest::newRow("range, defaults")
        << "range" << Values{{"units", ""}}
        << QStringList{"range", "enableEdit", "minimum", "minLimit", "maximum", "maxLimit",
                       "step", "units", "format", "transform", "cardPin"};
    QTest::newRow("range, everything")
        << "range"
        << Values{{"callType", "SIP"}, {"set", "A,B"}, {"cardPin", "1"}, {"channelLabel", "In"},
                  {"transform", "strV"}, {"format", "nn.n"}, {"units", "dB"}, {"step", "0.5"},
                  {"maxLimit", "12"}, {"maximum", "10"}, {"minLimit", "-60"}, {"minimum", "-40"},
                  {"enableEdit", "1"}, {"struct", "2"}, {"index2", "4"}, {"index1", "3"},
                  {"action", "SET"}, {"doNotPoll", "1"}, {"link", "9"}}
        << QStringList{"range", "index1", "index2", "struct", "enableEdit", "minimum",
                       "minLimit", "maximum", "maxLimit", "step", "units", "format", "transform",
                       "channelLabel", "cardPin", "set", "callType"};
    QTest::newRow("negative indexes are left out")
        << "list" << Values{{"index1", "-1"}, {"index2", "-5"}, {"struct", "0"}}
        << QStringList{"list", "enableEdit", "set", "format", "transform", "cardPin"};
}

void TestCAttributes::writeOrder()
{
    using Values = QList<QPair<QString, QString>>;
    QFETCH(QString, element);
    QFETCH(Values, values);
    QFETCH(QStringList, tags);

    CAttributes a;
    fill(a, element, values);
    bool ok = false;
    const QByteArray bytes = written(a, &ok);
    QVERIFY(ok);
    QCOMPARE(writtenTags(bytes), tags);
    QVERIFY(bytes.trimmed().endsWith("</" + element.toUtf8() + ">"));
}

void TestCAttributes::writeNothingForUnknownType()
{
    CAttributes fresh;
    bool ok = true;
    QVERIFY(written(fresh, &ok).isEmpty());
    QVERIFY(!ok);

    CAttributes other;
    other.setAttribute(QStringLiteral("options"), QStringLiteral("index1"), QStringLiteral("1"));
    QVERIFY(written(other, &ok).isEmpty());
    QVERIFY(!ok);

    CAttributes list;
    list.setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QStringLiteral("1"));
    QVERIFY(!list.writeXml(nullptr));
}

void TestCAttributes::roundTrip()
{
    using Values = QList<QPair<QString, QString>>;
    const Values lists[] = {
        {{"index1", "2"}, {"index2", "5"}, {"struct", "0x0A"}, {"enableEdit", "0"},
         {"set", "A&B,<x>,\"q\""}, {"format", "nn.nn"}, {"transform", "bin8"},
         {"channelLabel", "  Mic  &  Line  "}, {"cardPin", "7"}, {"action", "RESET"},
         {"doNotPoll", "1"}},
    };
    const Values ranges[] = {
        {{"index1", "1"}, {"minimum", "-60.5"}, {"minLimit", "-80"}, {"maximum", "12.25"},
         {"maxLimit", "20"}, {"step", "0.5"}, {"units", "d\"B\" <&>"}, {"format", "n.n"},
         {"transform", "strV"}, {"cardPin", "-1"}, {"set", "x y"}, {"callType", "SIP"}},
    };
    QList<QPair<QString, Values>> cases;
    for (const Values &v : lists)
        cases.append({QStringLiteral("list"), v});
    for (const Values &v : ranges)
        cases.append({QStringLiteral("range"), v});

    for (const auto &c : cases) {
        CAttributes original;
        fill(original, c.first, c.second);
        original.updateFractionDigits();
        const QByteArray bytes = written(original);

        XmlLeafReader reader;
        QVERIFY2(reader.read(bytes), bytes.constData());
        CAttributes copy;
        for (const XmlLeafReader::Leaf &leaf : reader.leaves)
            copy.setAttribute(leaf.parent, leaf.element, leaf.text);
        copy.updateFractionDigits();

        QCOMPARE(written(copy), bytes);
        for (const char *field : {"index1", "index2", "struct", "set", "format", "transform",
                                  "units", "callType", "minimum", "maximum", "minLimit",
                                  "maxLimit", "step", "enableEdit", "doNotPoll",
                                  "channelLabel", "cardPin", "setAction", "resetAction"}) {
            QCOMPARE(fieldValue(copy, QString::fromLatin1(field)),
                     fieldValue(original, QString::fromLatin1(field)));
        }
        QCOMPARE(copy.fractionDigits(), original.fractionDigits());
        QCOMPARE(copy.attributeType(), original.attributeType());
    }
}

void TestCAttributes::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<uint>("value");
    QTest::newRow("hex") << "0xff" << true << 255u;
    QTest::newRow("decimal") << "255" << true << 255u;
    QTest::newRow("prefix only") << "0x" << false << 0u;
    QTest::newRow("bad hex digit") << "0xfg" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
}

void TestCAttributes::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(uint, value);
    bool parsed = !ok;
    QCOMPARE(CAttributes::parseNumber(text, &parsed), value);
    QCOMPARE(parsed, ok);
}

VVB_TEST_GUILESS_MAIN(TestCAttributes)
#include "tst_cattributes.moc"
