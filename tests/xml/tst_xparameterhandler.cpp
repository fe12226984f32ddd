#include "hardware/CParameter.h"
#include "xml/XParameterHandler.h"

#include <QtTest>

#include "support/TestMain.h"

namespace {

struct Parsed
{
    bool ok = false;
    QStringList texts;
    QStringList types;
};

Parsed parse(const QByteArray &xml, bool withTarget = true)
{
    QList<CParameter *> parameters;
    XParameterHandler handler;
    if (withTarget)
        handler.setTargetList(&parameters);
    Parsed result;
    result.ok = XmlHandler::parseData(xml, &handler);
    for (CParameter *pParameter : std::as_const(parameters)) {
        result.texts << pParameter->text();
        result.types << pParameter->type();
    }
    qDeleteAll(parameters);
    return result;
}

QByteArray wrap(const QByteArray &parameters, const QByteArray &controls = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD>\r\n<Parameters>\r\n" + parameters
           + "</Parameters>\r\n<Controls>\r\n" + controls + "</Controls>\r\n</VMD>\r\n";
}

} // namespace

class TestXParameterHandler : public QObject
{
    Q_OBJECT

private slots:
    void readsTextAndType_data();
    void readsTextAndType();
    void ignoresTextOutsideParameterFields();
    void keepsParametersBeforeAParseError();
    void dropsParametersWithoutTarget();
};

void TestXParameterHandler::readsTextAndType_data()
{
    QTest::addColumn<QByteArray>("parameters");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("types");

    QTest::newRow("plain") << QByteArray("<parameter><text>Level</text><type>Slider</type></parameter>")
                           << QStringList{"Level"} << QStringList{"Slider"};
    QTest::newRow("blanks before, between and after")
        << QByteArray("<parameter>\r\n\t<text>  Mic   1 \t Mute  </text>\r\n\t<type> Button</type>\r\n</parameter>\r\n")
        << QStringList{"Mic 1 Mute"} << QStringList{"Button"};
    QTest::newRow("line breaks inside the text")
        << QByteArray("<parameter><text>\r\n  Far End\r\n  1 Level\r\n</text><type>Slider</type></parameter>")
        << QStringList{"Far End 1 Level"} << QStringList{"Slider"};
    QTest::newRow("character reference")
        << QByteArray("<parameter><text>Bass &amp; Treble</text><type>Slider</type></parameter>")
        << QStringList{"Bass & Treble"} << QStringList{"Slider"};
    QTest::newRow("order kept")
        << QByteArray("<parameter><text>Level</text><type>Slider</type></parameter>"
                      "<parameter><type>Button</type><text>Mute</text></parameter>"
                      "<parameter><text>Meter</text><type>Meter</type></parameter>")
        << QStringList{"Level", "Mute", "Meter"} << QStringList{"Slider", "Button", "Meter"};
    QTest::newRow("empty and unknown fields")
        << QByteArray("<parameter><text></text><type>Label</type><colour>red</colour></parameter>")
        << QStringList{""} << QStringList{"Label"};
    QTest::newRow("no parameters") << QByteArray() << QStringList() << QStringList();
}

void TestXParameterHandler::readsTextAndType()
{
    QFETCH(QByteArray, parameters);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, types);

    const Parsed parsed = parse(wrap(parameters));
    QVERIFY(parsed.ok);
    QCOMPARE(parsed.texts, texts);
    QCOMPARE(parsed.types, types);
}

void TestXParameterHandler::ignoresTextOutsideParameterFields()
{
    // A "text" nested deeper than a direct child of "parameter", or inside a
    // control template, is not a parameter field.
    const QByteArray parameters =
        "<parameter><text>Level<note><text>Wrong</text></note></text><type>Slider</type></parameter>";
    const QByteArray controls =
        "<Control name=\"Level\" type=\"Slider\"><Property name=\"widget\"><label><text>*LABEL*</text>"
        "</label></Property></Control>";
    const Parsed parsed = parse(wrap(parameters, controls));
    QVERIFY(parsed.ok);
    QCOMPARE(parsed.texts, QStringList{"Level"});
    QCOMPARE(parsed.types, QStringList{"Slider"});
}

void TestXParameterHandler::keepsParametersBeforeAParseError()
{
    const QByteArray broken = "<?xml version=\"1.0\"?><VMD><Parameters>"
                              "<parameter><text>Level</text><type>Slider</type></parameter>"
                              "<parameter><text>Mute</text><type>Button</type>"
                              "</Parameters></VMD>";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Fatal error on line"));
    const Parsed parsed = parse(broken);
    QVERIFY(!parsed.ok);
    QCOMPARE(parsed.texts, QStringList{"Level"});
}

void TestXParameterHandler::dropsParametersWithoutTarget()
{
    const Parsed parsed =
        parse(wrap("<parameter><text>Level</text><type>Slider</type></parameter>"), false);
    QVERIFY(parsed.ok);
    QVERIFY(parsed.texts.isEmpty());
}

VVB_TEST_GUILESS_MAIN(TestXParameterHandler)
#include "tst_xparameterhandler.moc"
