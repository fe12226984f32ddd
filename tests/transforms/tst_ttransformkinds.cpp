#include "model/CAttributes.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "transforms/TBin8.h"
#include "transforms/TChrL.h"
#include "transforms/TGrpV.h"
#include "transforms/THexL.h"
#include "transforms/TPassThrough.h"
#include "transforms/TStrL.h"
#include "transforms/TStrV.h"
#include "transforms/TText.h"
#include "utility/UTextCodec.h"

#include <QtTest>

namespace {
// A binding with one list attribute set.
void bind(TTransform &transform, CAttributes &attributes, const QString &name, const QString &value)
{
    attributes.setAttribute(QStringLiteral("list"), name, value);
    transform.setAttributes(&attributes);
    transform.configure();
}
} // namespace

class TestTTransformKinds : public QObject
{
    Q_OBJECT

private slots:
    void bin8ReadsText_data();
    void bin8ReadsText();
    void bin8Replies();
    void bin8ShowsZeroAsNone();
    void bin8NumberForms();

    void strVNumberForms();
    void strVReadsTexts_data();
    void strVReadsTexts();
    void strVDisplay_data();
    void strVDisplay();

    void grpVByteToStep_data();
    void grpVByteToStep();
    void grpVLevelToStep_data();
    void grpVLevelToStep();
    void grpVTextToStep_data();
    void grpVTextToStep();
    void grpVStepToLevel_data();
    void grpVStepToLevel();
    void grpVReplyToLevel_data();
    void grpVReplyToLevel();

    void chrLOptions_data();
    void chrLOptions();
    void chrLReplies();
    void strLOptions_data();
    void strLOptions();
    void strLRepliesOnlyThroughSetReplyText();
    void hexLBytes_data();
    void hexLBytes();
    void hexLHighByteGoesOutUnchanged();

    void textKeepsTexts();
    void passThroughSpeaksThroughTheNode();
    void passThroughPollWaitsForPendingQuery();
    void passThroughWithoutNode();
};

// ---------------------------------------------------------------- TBin8

void TestTTransformKinds::bin8ReadsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("valueText");
    QTest::newRow("hex") << "0x1F" << 31 << "31";
    QTest::newRow("decimal") << "31" << 31 << "31";
    QTest::newRow("hex without prefix") << "1F" << 0 << "0";
    QTest::newRow("upper-case prefix") << "0X1F" << 0 << "0";
    QTest::newRow("negative") << "-5" << -5 << "-5";
    QTest::newRow("top of range") << "32767" << 32767 << "32767";
    QTest::newRow("beyond 16 bits") << "32768" << 0 << "0";
    QTest::newRow("below 16 bits") << "-32769" << 0 << "0";
    QTest::newRow("hex beyond") << "0x8000" << 0 << "0";
    QTest::newRow("huge") << "99999999999999999999" << 0 << "0";
    QTest::newRow("word") << "On" << 0 << "0";
}

void TestTTransformKinds::bin8ReadsText()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QString, valueText);
    TBin8 transform;
    transform.setValue(7u);
    transform.setValueText(text);
    unsigned int number = 0;
    QCOMPARE(int(transform.value(number)), value);
    QCOMPARE(int(number), value);
    QCOMPARE(transform.valueText(), valueText);
}

void TestTTransformKinds::bin8Replies()
{
    TBin8 transform;
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.setReplyText(QString());
    transform.deliverReply(QString());
    QCOMPARE(spy.count(), 0);
    transform.deliverReply(QStringLiteral("0x10"));
    QCOMPARE(spy.count(), 1);
    int reply = 0;
    QCOMPARE(transform.replyValue(reply), 16);
    transform.setReplyText(QStringLiteral("-3"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(transform.replyText(), QStringLiteral("-3"));
    unsigned char byte = 0;
    QCOMPARE(transform.replyValue(byte), static_cast<unsigned char>(253));
    // An empty text keeps the value side too.
    transform.setValue(static_cast<unsigned char>(4));
    transform.setValueText(QString());
    QCOMPARE(transform.valueText(), QStringLiteral("4"));
    QCOMPARE(transform.valueLength(), 1);
}

void TestTTransformKinds::bin8ShowsZeroAsNone()
{
    FakeNode node;
    TBin8 transform;
    transform.setNode(&node);
    transform.setValue(0u);
    QCOMPARE(transform.valueText(), QStringLiteral("0"));
    node.setProperty(QStringLiteral("zeroIsNone"), QStringLiteral("true"));
    QCOMPARE(transform.valueText(), QStringLiteral("N"));
    transform.setValue(2u);
    QCOMPARE(transform.valueText(), QStringLiteral("2"));
}

void TestTTransformKinds::bin8NumberForms()
{
    TBin8 transform;
    transform.setValue(static_cast<unsigned char>(200));
    unsigned char byte = 0;
    QCOMPARE(transform.value(byte), static_cast<unsigned char>(200));
    // A float has no meaning here.
    transform.setValue(3.5f);
    QCOMPARE(transform.valueText(), QStringLiteral("200"));
}

// ---------------------------------------------------------------- TStrV

void TestTTransformKinds::strVNumberForms()
{
    TStrV transform;
    transform.setValue(12u);
    QCOMPARE(transform.valueText(), QStringLiteral("12"));
    transform.setValue(-10.46f);
    QCOMPARE(transform.valueText(), QStringLiteral("-10.5"));
    transform.setValue(static_cast<unsigned char>(255));
    QCOMPARE(transform.valueText(), QStringLiteral("255"));
    QCOMPARE(transform.valueLength(), 3);
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(QStringLiteral("-12.0"));
    transform.setReplyText(QStringLiteral("-12.0"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(transform.replyText(), QStringLiteral("-12.0"));
}

void TestTTransformKinds::strVReadsTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<float>("asFloat");
    QTest::addColumn<int>("asByte");
    QTest::newRow("integer") << "42" << 42 << 42.0f << 42;
    QTest::newRow("negative") << "-7" << -7 << -7.0f << 0;
    QTest::newRow("fraction") << "2.5" << 0 << 2.5f << 0;
    QTest::newRow("byte cut") << "258" << 258 << 258.0f << 2;
    QTest::newRow("beyond int") << "4294967296" << 0 << 4294967296.0f << 0;
    QTest::newRow("word") << "loud" << 0 << 0.0f << 0;
    QTest::newRow("empty") << "" << 0 << 0.0f << 0;
}

void TestTTransformKinds::strVReadsTexts()
{
    QFETCH(QString, text);
    QFETCH(int, asInt);
    QFETCH(float, asFloat);
    QFETCH(int, asByte);
    TStrV transform;
    transform.setValueText(text);
    transform.setReplyText(text);
    unsigned int number = 0;
    float f = -1.0f;
    unsigned char byte = 1;
    QCOMPARE(int(transform.value(number)), asInt);
    QCOMPARE(transform.value(f), asFloat);
    QCOMPARE(int(transform.value(byte)), asByte);
    int reply = 1;
    QCOMPARE(transform.replyValue(reply), asInt);
    QCOMPARE(transform.replyValue(f), asFloat);
    QCOMPARE(int(transform.replyValue(byte)), asByte);
}

void TestTTransformKinds::strVDisplay_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("units");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("display");
    QTest::newRow("percent, no decimals") << "" << "pct" << 50.0f << "50%";
    QTest::newRow("percent upper case is not percent") << "" << "PCT" << 50.0f << "50";
    QTest::newRow("one decimal") << "0.0" << "dB" << -3.24f << "-3.2";
    QTest::newRow("two decimals, percent") << "0.00" << "pct" << 12.5f << "12.50%";
    QTest::newRow("rounded") << "" << "" << 2.6f << "3";
}

void TestTTransformKinds::strVDisplay()
{
    QFETCH(QString, format);
    QFETCH(QString, units);
    QFETCH(float, value);
    QFETCH(QString, display);
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("range"), QStringLiteral("format"), format);
    attributes.setAttribute(QStringLiteral("range"), QStringLiteral("units"), units);
    attributes.updateFractionDigits();
    TStrV transform;
    transform.setAttributes(&attributes);
    transform.configure();
    transform.setDisplayValue(value);
    QCOMPARE(transform.displayText(), display);
}

// ---------------------------------------------------------------- TGrpV

void TestTTransformKinds::grpVByteToStep_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("step");
    QTest::newRow("0 dB") << 0 << "78";
    QTest::newRow("6") << 6 << "84";
    QTest::newRow("12") << 12 << "90";
    QTest::newRow("13 is the top") << 13 << "90";
    QTest::newRow("255") << 255 << "90";
}

void TestTTransformKinds::grpVByteToStep()
{
    QFETCH(int, byte);
    QFETCH(QString, step);
    TGrpV transform;
    transform.setValue(static_cast<unsigned char>(byte));
    QCOMPARE(transform.valueText(), step);
    QCOMPARE(transform.valueLength(), int(step.size()));
}

void TestTTransformKinds::grpVLevelToStep_data()
{
    QTest::addColumn<float>("dB");
    QTest::addColumn<QString>("step");
    QTest::newRow("0") << 0.0f << "78";
    QTest::newRow("half steps") << -10.5f << "63";
    QTest::newRow("between steps goes to the nearer") << -10.3f << "63";
    QTest::newRow("+12") << 12.0f << "90";
    QTest::newRow("above the top") << 20.0f << "90";
    QTest::newRow("-60 is step 0") << -60.0f << "0";
    QTest::newRow("-60.5 is below") << -60.5f << "FF";
    QTest::newRow("far below") << -100.0f << "FF";
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << "90";
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "78";
}

void TestTTransformKinds::grpVLevelToStep()
{
    QFETCH(float, dB);
    QFETCH(QString, step);
    TGrpV transform;
    transform.setValue(dB);
    QCOMPARE(transform.valueText(), step);
}

void TestTTransformKinds::grpVTextToStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("step");
    QTest::newRow("0") << "0" << "78";
    QTest::newRow("above the top") << "30" << "90";
    QTest::newRow("negative") << "-12" << "60";
    QTest::newRow("below the bottom") << "-61" << "FF";
    QTest::newRow("word") << "mute" << "78";
    QTest::newRow("empty") << "" << "78";
}

void TestTTransformKinds::grpVTextToStep()
{
    QFETCH(QString, text);
    QFETCH(QString, step);
    TGrpV transform;
    transform.setValueText(text);
    QCOMPARE(transform.valueText(), step);
}

void TestTTransformKinds::grpVStepToLevel_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<float>("dB");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<int>("asByte");
    QTest::newRow("0 dB") << "78" << 0.0f << 0 << 0;
    QTest::newRow("top") << "90" << 12.0f << 12 << 12;
    QTest::newRow("half step") << "63" << -10.5f << -10 << 246;
    QTest::newRow("bottom") << "0" << -60.0f << -60 << 196;
    QTest::newRow("below bottom") << "FF" << -60.5f << -60 << 196;
    QTest::newRow("not hexadecimal") << "zz" << -60.0f << -60 << 68;
}

void TestTTransformKinds::grpVStepToLevel()
{
    QFETCH(QString, step);
    QFETCH(float, dB);
    QFETCH(int, asInt);
    QFETCH(int, asByte);
    TGrpV transform;
    // The plain text setter stores any step text as it is.
    transform.TStrV::setValueText(step);
    float f = 0.0f;
    unsigned int number = 0;
    unsigned char byte = 0;
    QCOMPARE(transform.value(f), dB);
    QCOMPARE(int(transform.value(number)), asInt);
    QCOMPARE(int(transform.value(byte)), asByte);
}

void TestTTransformKinds::grpVReplyToLevel_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<float>("dB");
    QTest::addColumn<int>("asInt");
    QTest::newRow("0 dB") << "78" << 0.0f << 0;
    QTest::newRow("FF") << "FF" << -60.5f << -60;
    QTest::newRow("ff in lower case") << "ff" << -60.5f << -60;
    QTest::newRow("half step") << "79" << 0.5f << 0;
    QTest::newRow("not hexadecimal") << "xx" << -60.0f << 0;
}

void TestTTransformKinds::grpVReplyToLevel()
{
    QFETCH(QString, reply);
    QFETCH(float, dB);
    QFETCH(int, asInt);
    TGrpV transform;
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(reply);
    QCOMPARE(spy.count(), 1);
    float f = 1.0f;
    int number = 1;
    QCOMPARE(transform.replyValue(f), dB);
    QCOMPARE(transform.replyValue(number), asInt);
    QCOMPARE(transform.replyText(), reply);
}

// ---------------------------------------------------------------- option lists

void TestTTransformKinds::chrLOptions_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("valueText");
    QTest::newRow("second option") << "Off,On" << "On" << 1 << "On";
    QTest::newRow("no match") << "Off,On" << "Auto" << 0 << "Off";
    QTest::newRow("case matters") << "Off,On" << "on" << 0 << "Off";
    QTest::newRow("empty text") << ",On" << "" << 0 << "";
    QTest::newRow("empty entries count") << "A,,B" << "B" << 2 << "B";
}

void TestTTransformKinds::chrLOptions()
{
    QFETCH(QString, set);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, valueText);
    CAttributes attributes;
    TChrL transform;
    bind(transform, attributes, QStringLiteral("set"), set);
    transform.setValueText(text);
    unsigned char byte = 9;
    QCOMPARE(int(transform.value(byte)), index);
    QCOMPARE(transform.valueText(), valueText);
    transform.setValue(static_cast<unsigned char>(5));
    QCOMPARE(transform.valueText(), QStringLiteral("?"));
}

void TestTTransformKinds::chrLReplies()
{
    CAttributes attributes;
    TChrL transform;
    QString set;
    for (int i = 0; i < 300; ++i)
        set += QStringLiteral("o%1,").arg(i);
    bind(transform, attributes, QStringLiteral("set"), set);
    QCOMPARE(transform.options().size(), 255);
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(QStringLiteral("o254"));
    unsigned char byte = 0;
    QCOMPARE(int(transform.replyValue(byte)), 254);
    QCOMPARE(transform.replyText(), QStringLiteral("o254"));
    transform.setReplyText(QStringLiteral("o255"));
    QCOMPARE(int(transform.replyValue(byte)), 0);
    QCOMPARE(spy.count(), 2);
}

void TestTTransformKinds::strLOptions_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("eight of nine") << "a,b,c,d,e,f,g,h,i" << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"};
    QTest::newRow("up to the first empty") << "a,,b" << QStringList{"a"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestTTransformKinds::strLOptions()
{
    QFETCH(QString, set);
    QFETCH(QStringList, options);
    CAttributes attributes;
    TStrL transform;
    bind(transform, attributes, QStringLiteral("set"), set);
    QCOMPARE(transform.options(), options);
    transform.setValueText(QStringLiteral("i"));
    unsigned char byte = 3;
    QCOMPARE(int(transform.value(byte)), 0);
    transform.setValue(static_cast<unsigned char>(7));
    QCOMPARE(transform.valueText(), options.value(7));
    transform.setValue(static_cast<unsigned char>(8));
    QCOMPARE(transform.valueText(), QStringLiteral("?"));
}

void TestTTransformKinds::strLRepliesOnlyThroughSetReplyText()
{
    CAttributes attributes;
    TStrL transform;
    bind(transform, attributes, QStringLiteral("set"), QStringLiteral("Low,Mid,High"));
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(QStringLiteral("High"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(transform.replyText(), QStringLiteral("Low"));
    transform.setReplyText(QStringLiteral("High"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(transform.replyText(), QStringLiteral("High"));
}

void TestTTransformKinds::hexLBytes_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("valueText");
    QTest::newRow("second byte") << "41,42" << 1 << "B";
    QTest::newRow("past the slots") << "41,42" << 16 << "?";
    QTest::newRow("unreadable section is 0") << "zz,41" << 0 << QString(QChar(0));
    QTest::newRow("cut to a byte") << "141" << 0 << "A";
    QTest::newRow("sixteenth slot") << "1,2,3,4,5,6,7,8,9,a,b,c,d,e,f,4a,4b" << 15 << "J";
}

void TestTTransformKinds::hexLBytes()
{
    QFETCH(QString, set);
    QFETCH(int, index);
    QFETCH(QString, valueText);
    CAttributes attributes;
    THexL transform;
    bind(transform, attributes, QStringLiteral("set"), set);
    QVERIFY(transform.bytes().size() <= 16);
    transform.setValue(static_cast<unsigned char>(index));
    QCOMPARE(transform.valueText(), valueText);
    unsigned char byte = 0;
    QCOMPARE(int(transform.value(byte)), index);
    // Nothing sets the reply side.
    transform.setReplyText(QStringLiteral("B"));
    transform.deliverReply(QStringLiteral("B"));
    QCOMPARE(int(transform.replyValue(byte)), 0);
}

void TestTTransformKinds::hexLHighByteGoesOutUnchanged()
{
    CAttributes attributes;
    THexL transform;
    bind(transform, attributes, QStringLiteral("set"), QStringLiteral("93,e9"));
    for (unsigned char index : {0, 1}) {
        transform.setValue(index);
        QByteArray bytes;
        QVERIFY(UTextCodec::encode(transform.valueText(), &bytes));
        QCOMPARE(bytes, QByteArray(1, char(transform.bytes().at(index))));
    }
}

// ---------------------------------------------------------------- text and pass-through

void TestTTransformKinds::textKeepsTexts()
{
    TText transform;
    transform.setValueText(QStringLiteral("\"0123\""));
    QCOMPARE(transform.valueText(), QStringLiteral("\"0123\""));
    QCOMPARE(transform.valueLength(), 6);
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.deliverReply(QStringLiteral("idle"));
    transform.setReplyText(QString());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(transform.replyText(), QString());
}

void TestTTransformKinds::passThroughSpeaksThroughTheNode()
{
    FakeQueryNode node;
    node.m_sQuery = QStringLiteral("GRC 2\r");
    TPassThrough transform;
    transform.setNode(&node);
    QCOMPARE(transform.sourceText(), QStringLiteral("GRC 2\r"));
    transform.setValueText(QStringLiteral("SRC 2,1\r;SRC 2,3\r"));
    QCOMPARE(transform.valueText(), QStringLiteral("SRC 2,1\r;SRC 2,3\r"));
    QSignalSpy spy(&transform, &TTransform::replyValueReady);
    transform.setReplyText(QStringLiteral("GRC 2,[1,2]"));
    QCOMPARE(node.m_responses, QStringList{QStringLiteral("GRC 2,[1,2]")});
    QCOMPARE(transform.replyText(), QStringLiteral("GRC 2,[1,2]"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(transform.valueLength(), 0);
}

void TestTTransformKinds::passThroughPollWaitsForPendingQuery()
{
    FakeQueryNode node;
    TPassThrough transform;
    transform.setNode(&node);
    transform.setPollDivider(1);
    QVERIFY(transform.pollDue());
    node.m_bPending = true;
    QVERIFY(!transform.pollDue());
    node.m_bPending = false;
    QVERIFY(transform.pollDue());
}

void TestTTransformKinds::passThroughWithoutNode()
{
    TPassThrough transform;
    auto *pNode = new FakeQueryNode;
    transform.setNode(pNode);
    delete pNode;
    // The node is gone: nothing to ask and nothing reached.
    QVERIFY(!transform.node());
    QVERIFY(transform.sourceText().isEmpty());
    QVERIFY(transform.replyText().isEmpty());
    transform.setReplyText(QStringLiteral("GRC 1,[]"));
    QVERIFY(transform.pollDue());
}

VVB_TEST_GUILESS_MAIN(TestTTransformKinds)
#include "tst_ttransformkinds.moc"
