#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "protocols/RoutingInfo.h"
#include "support/FakeNodes.h"
#include "support/RecordingInterface.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "transforms/TTransform.h"
#include "transforms/TTransformFactory.h"

#include <QStandardPaths>
#include <QtTest>

Q_DECLARE_METATYPE(TcpMessageType)

namespace {
using Sent = QList<QByteArray>;

// One bound control: node "Gain 1" (title "Card 26" under "Rack", so its card
// is 0x1A), index1 3, index2 2, channel label "Mic A".
struct Binding
{
    FakeNode rack;
    FakeNode node{QStringLiteral("Blocks"), QStringLiteral("Gain 1")};
    FakeQueryNode room;
    CAttributes attributes;
    std::unique_ptr<TTransform> pTransform;
    std::unique_ptr<TTransform> pLinked;

    Binding(const QString &kind, int type, const QString &value)
    {
        rack.setTitle(QStringLiteral("Rack"));
        node.setTitle(QStringLiteral("Card 26"));
        node.setParent(&rack);
        room.m_sQuery = QStringLiteral("GRC 2\r");
        set(QStringLiteral("struct"), QString::number(type));
        set(QStringLiteral("index1"), QStringLiteral("3"));
        set(QStringLiteral("index2"), QStringLiteral("2"));
        set(QStringLiteral("channelLabel"), QStringLiteral("Mic A"));
        pTransform.reset(TTransformFactory().createTransform(kind));
        pTransform->setAttributes(&attributes);
        pTransform->setNode(kind == QLatin1String("passThrough") ? static_cast<HNode *>(&room) : &node);
        pTransform->configure();
        pTransform->setValueText(value);
        pLinked.reset(TTransformFactory().createTransform(QStringLiteral("text")));
        pLinked->setValueText(QStringLiteral("L"));
        pTransform->setNext(pLinked.get());
    }
    void set(const QString &name, const QString &value)
    {
        attributes.setAttribute(QStringLiteral("list"), name, value);
    }
};

QString logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
           + QStringLiteral("/vmrlog.txt");
}
} // namespace

class TestPVMDCommands : public QObject
{
    Q_OBJECT

private slots:
    void setForms_data();
    void setForms();
    void getForms_data();
    void getForms();
    void setsAreNotAcknowledgedWhenSubscribed();
    void indexOverridesReachTheCommands();
    void nothingGoesOutOffline();
    void formsOutsideTheTableSendNothing();
    void missingBindingSendsNothing();
    void textIsWindows1252();
    void nameWithoutWindows1252IsRefused();
    void groupFormsAreNotLogged();
    void refusedCommandsAreNotLoggedAsSent_data();
    void refusedCommandsAreNotLoggedAsSent();
    void meterStatusUsesTheStructAsRoutingId();
};

// ---------------------------------------------------------------- the eleven forms

void TestPVMDCommands::setForms_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Sent>("sent");
    QTest::addColumn<TcpMessageType>("messageType");
    const auto ack = TcpMessageType::AckExpected;
    const auto none = TcpMessageType::NoReply;
    QTest::newRow("0") << "text" << 0 << "-10.5" << Sent{"SA \"Gain 1\">3=-10.5\r"} << ack;
    QTest::newRow("1") << "text" << 1 << "-10.5" << Sent{"SA \"Gain 1\">3=-10.5\r"} << ack;
    QTest::newRow("2") << "text" << 2 << "-10.5" << Sent{"SA \"Gain 1\">3>2=-10.5\r"} << ack;
    QTest::newRow("3 linked") << "text" << 3 << "1" << Sent{"SA \"Gain 1\">L>2=1\r"} << ack;
    QTest::newRow("4 status") << "bin8" << 4 << "31" << Sent{"SS 1f \r"} << none;
    QTest::newRow("5 group") << "text" << 5 << "7" << Sent{"SG 3,7\r"} << none;
    QTest::newRow("6 group") << "text" << 6 << "7" << Sent{"SN 3,7\r"} << none;
    QTest::newRow("7 label") << "text" << 7 << "O" << Sent{"SA\"Mic A\">2=O\r"} << ack;
    QTest::newRow("8 dial") << "text" << 8 << "\"0123\"" << Sent{"MA \"Gain 1\">3=\"0123\"\r"} << ack;
    QTest::newRow("8 end") << "text" << 8 << "" << Sent{"MA \"Gain 1\">3\r"} << ack;
    QTest::newRow("9 two room commands")
        << "passThrough" << 9 << "SRC 2,1\r;SRC 2,3\r" << Sent{"SRC 2,1\r", "SRC 2,3\r"} << ack;
    QTest::newRow("9 trailing separator")
        << "passThrough" << 9 << "SRC 2,1\r;" << Sent{"SRC 2,1\r"} << ack;
    QTest::newRow("10 meter") << "text" << 10 << "5" << Sent{"GL 1A\r"} << TcpMessageType::ReplyExpected;
}

void TestPVMDCommands::setForms()
{
    QFETCH(QString, kind);
    QFETCH(int, type);
    QFETCH(QString, value);
    QFETCH(Sent, sent);
    QFETCH(TcpMessageType, messageType);
    Binding binding(kind, type, value);
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    QVERIFY(protocol.sendValue(binding.pTransform.get()));
    QCOMPARE(transport.sentData(), sent);
    for (const RecordingInterface::Message &message : transport.messages()) {
        QCOMPARE(message.type, messageType);
        QCOMPARE(message.timeoutMs, 200);
        if (type != 10)
            QVERIFY(message.prefix.isEmpty());
    }
}

void TestPVMDCommands::getForms_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("0") << "text" << 0 << QByteArray("GA\"Gain 1\">3\r") << QByteArray("GA\"Gain 1\">3=");
    QTest::newRow("1") << "text" << 1 << QByteArray("GA\"Gain 1\">3\r") << QByteArray("GA\"Gain 1\">3=");
    QTest::newRow("2") << "text" << 2 << QByteArray("GA\"Gain 1\">3>2\r") << QByteArray("GA\"Gain 1\">3>2=");
    QTest::newRow("3") << "text" << 3 << QByteArray("GA \"Gain 1\">L>2\r") << QByteArray("GA \"Gain 1\">L>2=");
    QTest::newRow("4") << "bin8" << 4 << QByteArray("GS \r") << QByteArray("S ");
    QTest::newRow("5") << "text" << 5 << QByteArray("GG 3\r") << QByteArray("GG 3");
    QTest::newRow("6") << "text" << 6 << QByteArray("GN 3\r") << QByteArray("GN 3");
    QTest::newRow("7") << "text" << 7 << QByteArray("GA\"Mic A\">2\r") << QByteArray("GA\"Mic A\">2=");
    QTest::newRow("8") << "text" << 8 << QByteArray("GA\"Gain 1\">0>2\r") << QByteArray("GA\"Gain 1\">0>2=");
    // The room reply is "GRC 2,[...]": the prefix is the query without its CR.
    QTest::newRow("9") << "passThrough" << 9 << QByteArray("GRC 2\r") << QByteArray("GRC 2");
    QTest::newRow("10") << "text" << 10 << QByteArray("GL 1A\r") << QByteArray("GL 1A");
}

void TestPVMDCommands::getForms()
{
    QFETCH(QString, kind);
    QFETCH(int, type);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, prefix);
    Binding binding(kind, type, QStringLiteral("1"));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    QVERIFY(protocol.requestValue(binding.pTransform.get()));
    QCOMPARE(protocol.latestRequest(), binding.pTransform.get());
    QCOMPARE(transport.messages().size(), 1);
    const RecordingInterface::Message message = transport.messages().first();
    QCOMPARE(message.data, sent);
    QCOMPARE(message.type, TcpMessageType::ReplyExpected);
    QCOMPARE(message.prefix, prefix);
    QCOMPARE(message.timeoutMs, 200);
    // Polled again while it is the only one waiting for it.
    protocol.requestValue(binding.pTransform.get());
    QCOMPARE(transport.messages().size(), 2);
}

void TestPVMDCommands::setsAreNotAcknowledgedWhenSubscribed()
{
    Binding binding(QStringLiteral("text"), 1, QStringLiteral("-10.5"));
    RecordingInterface transport;
    transport.setSubscriptionMode(true);
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    QVERIFY(protocol.sendValue(binding.pTransform.get()));
    QCOMPARE(transport.messages().first().type, TcpMessageType::NoReply);
}

void TestPVMDCommands::indexOverridesReachTheCommands()
{
    Binding binding(QStringLiteral("text"), 2, QStringLiteral("v"));
    binding.pTransform->setIndexes(5, 6, 0);
    binding.pTransform->setThirdIndex(7);
    binding.pTransform->setFourthIndex(8);
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.sendValue(binding.pTransform.get());
    protocol.requestValue(binding.pTransform.get());
    QCOMPARE(transport.sentData(), (Sent{"SA \"Gain 1\">7>8=v\r", "GA\"Gain 1\">5>6\r"}));
}

void TestPVMDCommands::nothingGoesOutOffline()
{
    Binding binding(QStringLiteral("text"), 1, QStringLiteral("1"));
    RecordingInterface transport;
    transport.setConnected(false);
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    QVERIFY(!protocol.sendValue(binding.pTransform.get()));
    QVERIFY(!protocol.requestValue(binding.pTransform.get()));
    protocol.requestMeterStatus(binding.pTransform.get());
    QVERIFY(transport.messages().isEmpty());
    QVERIFY(!protocol.latestRequest());
    PVMDProtocol unbound;
    QVERIFY(!unbound.sendValue(binding.pTransform.get()));
    QVERIFY(!unbound.requestValue(nullptr));
}

void TestPVMDCommands::formsOutsideTheTableSendNothing()
{
    Binding binding(QStringLiteral("text"), 11, QStringLiteral("1"));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    QVERIFY(!protocol.sendValue(binding.pTransform.get()));
    QVERIFY(!protocol.requestValue(binding.pTransform.get()));
    QVERIFY(transport.messages().isEmpty());
}

void TestPVMDCommands::missingBindingSendsNothing()
{
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    // No attributes.
    Binding bare(QStringLiteral("text"), 1, QStringLiteral("1"));
    bare.pTransform->setAttributes(nullptr);
    QVERIFY(!protocol.sendValue(bare.pTransform.get()));
    QVERIFY(!protocol.requestValue(bare.pTransform.get()));
    QCOMPARE(protocol.latestRequest(), bare.pTransform.get());
    protocol.requestMeterStatus(bare.pTransform.get());
    protocol.requestMeterStatus(nullptr);
    // No node.
    Binding nodeless(QStringLiteral("text"), 1, QStringLiteral("1"));
    nodeless.pTransform->setNode(nullptr);
    QVERIFY(!protocol.sendValue(nodeless.pTransform.get()));
    QVERIFY(!protocol.requestValue(nodeless.pTransform.get()));
    // A room control without a query sends nothing.
    Binding room(QStringLiteral("passThrough"), 9, QString());
    room.room.m_sQuery.clear();
    QVERIFY(!protocol.requestValue(room.pTransform.get()));
    QVERIFY(!protocol.sendValue(room.pTransform.get()));
    QVERIFY(transport.messages().isEmpty());
}

void TestPVMDCommands::textIsWindows1252()
{
    Binding binding(QStringLiteral("text"), 1, QStringLiteral("\u00e9"));
    binding.node.setLabel(QStringLiteral("Gain \u20ac"));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.sendValue(binding.pTransform.get());
    protocol.requestValue(binding.pTransform.get());
    QCOMPARE(transport.sentData(), (Sent{"SA \"Gain \x80\">3=\xe9\r", "GA\"Gain \x80\">3\r"}));
    QCOMPARE(transport.messages().at(1).prefix, QByteArray("GA\"Gain \x80\">3="));
}

void TestPVMDCommands::nameWithoutWindows1252IsRefused()
{
    Binding binding(QStringLiteral("text"), 1, QStringLiteral("1"));
    binding.node.setLabel(QStringLiteral("Gain \u03a9"));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.sendValue(binding.pTransform.get());
    protocol.requestValue(binding.pTransform.get());
    QVERIFY(transport.messages().isEmpty());
    const QString log = QString::fromUtf8(TestSupport::readAll(logPath()));
    QVERIFY(log.contains(QStringLiteral("Refused: ")));
    QVERIFY(log.contains(QStringLiteral("SA \"Gain \u03a9\">3=1")));
}

void TestPVMDCommands::groupFormsAreNotLogged()
{
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    for (int type : {1, 5, 6}) {
        Binding binding(QStringLiteral("text"), type, QStringLiteral("77"));
        binding.node.setLabel(QStringLiteral("Logged %1").arg(type));
        protocol.sendValue(binding.pTransform.get());
        protocol.requestValue(binding.pTransform.get());
    }
    QCOMPARE(transport.messages().size(), 6);
    const QString log = QString::fromUtf8(TestSupport::readAll(logPath()));
    QVERIFY(log.contains(QStringLiteral("sendStruct1:")));
    QVERIFY(log.contains(QStringLiteral("SA \"Logged 1\">3=77")));
    QVERIFY(!log.contains(QStringLiteral("sendStruct5")));
    QVERIFY(!log.contains(QStringLiteral("sendStruct6")));
    QVERIFY(!log.contains(QStringLiteral("SG 3,77")));
}

void TestPVMDCommands::refusedCommandsAreNotLoggedAsSent_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("request");
    QTest::addColumn<QString>("logged"); // what the log shows as sent, or empty
    QTest::newRow("set") << "text" << 1 << "1" << false << QString();
    QTest::newRow("get") << "text" << 1 << "1" << true << QString();
    QTest::newRow("room commands, one refused")
        << "passThrough" << 9 << "SRC 7,\u03a9\r;SRC 7,5\r" << false << "SRC 7,5";
}

// The log tells what went to the processor: a refused command never did.
void TestPVMDCommands::refusedCommandsAreNotLoggedAsSent()
{
    QFETCH(QString, kind);
    QFETCH(int, type);
    QFETCH(QString, value);
    QFETCH(bool, request);
    QFETCH(QString, logged);
    Binding binding(kind, type, value);
    binding.node.setLabel(QStringLiteral("Refused \u03a9 %1").arg(QTest::currentDataTag()));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    if (request)
        protocol.requestValue(binding.pTransform.get());
    else
        protocol.sendValue(binding.pTransform.get());

    const QString log = QString::fromUtf8(TestSupport::readAll(logPath()));
    QVERIFY(log.contains(QStringLiteral("Refused: ")));
    for (const QString &line : log.split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("sendStruct")))
            QVERIFY2(!line.contains(QChar(0x03a9)), qPrintable(line));
    }
    QCOMPARE(log.contains(QStringLiteral("sendStruct%1:").arg(type)) && !logged.isEmpty()
                 && log.contains(logged),
             !logged.isEmpty());
    QCOMPARE(transport.messages().size(), logged.isEmpty() ? 0 : 1);
}

void TestPVMDCommands::meterStatusUsesTheStructAsRoutingId()
{
    Binding binding(QStringLiteral("text"), 10, QStringLiteral("1"));
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.requestMeterStatus(binding.pTransform.get());
    QCOMPARE(transport.sentData(), Sent{"GL 1A\r"});
    const QList<RoutingInfo *> records =
        protocol.subscriptionManager()->subscribersForReply(QStringLiteral("GL 1a [1,2]"));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first()->id(), 10);
}

VVB_TEST_GUILESS_MAIN(TestPVMDCommands)
#include "tst_pvmdcommands.moc"
