#include "interfaces/ITcpClient.h"
#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/FakeProcessorServer.h"
#include "support/TestMain.h"
#include "transforms/TPassThrough.h"
#include "transforms/TText.h"

#include <QtTest>

namespace {
// A control of form 1 on node "Gain 1", index1 3.
struct TrafficControl
{
    FakeNode node{QStringLiteral("Blocks"), QStringLiteral("Gain 1")};
    CAttributes attributes;
    TText transform;

    explicit TrafficControl(int type = 1)
    {
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QString::number(type));
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QStringLiteral("3"));
        transform.setAttributes(&attributes);
        transform.setNode(&node);
    }
};

// A processor's client and protocol against a fake processor on 127.0.0.1.
struct Link
{
    FakeProcessorServer fake;
    ITcpClient client;
    PVMDProtocol protocol;

    explicit Link(FakeProcessorServer::Mode mode)
        : fake(mode)
    {
    }

    bool up()
    {
        if (!fake.listen())
            return false;
        client.setHostAddress(fake.address());
        client.setPort(fake.port());
        client.setProtocol(&protocol);
        protocol.setInterface(&client);
        // The owner binds on every online switch; the probe must still go out once.
        protocol.subscriptionManager()->setClient(&client);
        protocol.subscriptionManager()->setClient(&client);
        client.open();
        return QTest::qWaitFor([this]() { return client.isSubscriptionModeSet(); }, 5000);
    }
};
// A meter of form 10 on an I/O card of the given direction under a parent node.
struct Meter
{
    FakeNode parent;
    FakeCard card;
    CAttributes attributes;
    TText transform;

    Meter(int direction, const QString &parentTitle, const QString &title)
        : card(direction)
    {
        parent.setTitle(parentTitle);
        card.setParent(&parent);
        card.setTitle(title);
        attributes.setAttribute(QStringLiteral("range"), QStringLiteral("struct"), QStringLiteral("10"));
        transform.setAttributes(&attributes);
        transform.setNode(&card);
    }

    // The request without its CR, as the processor receives it.
    QByteArray command() const { return PVMDProtocol::meterCommand(&card).trimmed().toLatin1(); }
};

// The processor's answer to a meter request: levels 10, 11, ... for n points.
QByteArray meterAnswer(const QByteArray &command, int n)
{
    QByteArrayList levels;
    for (int i = 0; i < n; ++i)
        levels << QByteArray::number(10 + i);
    return command + " [" + levels.join(',') + "]";
}

} // namespace

class TestPVMDTraffic : public QObject
{
    Q_OBJECT

private slots:
    void pollingRoundTrip();
    void splitReplyStillArrives();
    void setIsAcknowledged();
    void subscriptionRoundTrip();
    void offlineSendsNoCancel();
    void roomQueryReachesTheGroup();
    void probeAfterUnsubscribe();
    void meterRuleOverTheWire_data();
    void meterRuleOverTheWire();
};

void TestPVMDTraffic::pollingRoundTrip()
{
    Link link(FakeProcessorServer::Polling);
    link.fake.setAnswer("GA\"Gain 1\">3", "GA\"Gain 1\">3=-12.0");
    QVERIFY(link.up());
    QCOMPARE(link.fake.commandCount("SUB"), 1);
    QVERIFY(!link.protocol.isSubscribed());
    TrafficControl control;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    QVERIFY(link.protocol.requestValue(&control.transform));
    QVERIFY(spy.wait(5000));
    QCOMPARE(control.transform.replyText(), QStringLiteral("-12.0"));
    QCOMPARE(link.fake.commandCount("GA\"Gain 1\">3"), 1);
    QCOMPARE(link.fake.commandCount("SUB"), 1);
}

void TestPVMDTraffic::splitReplyStillArrives()
{
    Link link(FakeProcessorServer::Polling);
    link.fake.setAnswer("GA\"Gain 1\">3", "GA\"Gain 1\">3=-7.5");
    link.fake.setSplitReplies(true);
    QVERIFY(link.up());
    TrafficControl control;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    link.protocol.requestValue(&control.transform);
    QVERIFY(spy.wait(5000));
    QCOMPARE(control.transform.replyText(), QStringLiteral("-7.5"));
}

void TestPVMDTraffic::setIsAcknowledged()
{
    Link link(FakeProcessorServer::Polling);
    QVERIFY(link.up());
    TrafficControl control;
    control.transform.setValueText(QStringLiteral("-3.0"));
    QVERIFY(link.protocol.sendValue(&control.transform));
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("SA \"Gain 1\">3=-3.0"), 1, 5000);
    // Acknowledged: not written again.
    QTest::qWait(400);
    QCOMPARE(link.fake.commandCount("SA \"Gain 1\">3=-3.0"), 1);
    QCOMPARE(link.client.failures(), 0);
}

void TestPVMDTraffic::subscriptionRoundTrip()
{
    Link link(FakeProcessorServer::Subscription);
    QVERIFY(link.up());
    QTRY_VERIFY_WITH_TIMEOUT(link.protocol.isSubscribed(), 5000);
    QVERIFY(link.client.subscriptionMode());
    TrafficControl control;
    link.protocol.requestValue(&control.transform);
    const QByteArray subscription("SUB \"GA\"Gain 1\">3\"");
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount(subscription), 1, 5000);
    // Subscribed: later polls send nothing, values arrive by themselves.
    link.protocol.requestValue(&control.transform);
    link.protocol.requestValue(&control.transform);
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    link.fake.push("GA\"Gain 1\">3=-5.0");
    QTRY_COMPARE_WITH_TIMEOUT(control.transform.replyText(), QStringLiteral("-5.0"), 5000);
    QCOMPARE(link.fake.commandCount(subscription), 1);
    QCOMPARE(link.fake.commandCount("GA\"Gain 1\">3"), 0);
    // A reset cancels each recorded subscription once.
    link.protocol.reset();
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("UNS \"GA\"Gain 1\">3\""), 1, 5000);
    QTest::qWait(100);
    int cancels = 0;
    for (const QByteArray &command : link.fake.commands())
        cancels += command.startsWith("UNS") ? 1 : 0;
    QCOMPARE(cancels, 1);
    QVERIFY(!link.protocol.isSubscribed());
}

void TestPVMDTraffic::offlineSendsNoCancel()
{
    Link link(FakeProcessorServer::Subscription);
    QVERIFY(link.up());
    QTRY_VERIFY_WITH_TIMEOUT(link.protocol.isSubscribed(), 5000);
    TrafficControl control;
    link.protocol.requestValue(&control.transform);
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("SUB \"GA\"Gain 1\">3\""), 1, 5000);
    link.protocol.onOnlineStateChanged(false);
    QTest::qWait(100);
    for (const QByteArray &command : link.fake.commands())
        QVERIFY(!command.startsWith("UNS"));
    QCOMPARE(link.protocol.subscriptionManager()->recordCount(), 0);
}

void TestPVMDTraffic::roomQueryReachesTheGroup()
{
    Link link(FakeProcessorServer::Polling);
    link.fake.setAnswer("GRC 2", "GRC 2,[1,3]");
    QVERIFY(link.up());
    FakeQueryNode group;
    group.m_sQuery = QStringLiteral("GRC 2\r");
    CAttributes attributes;
    attributes.setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QStringLiteral("9"));
    TPassThrough transform;
    transform.setAttributes(&attributes);
    transform.setNode(&group);
    QVERIFY(link.protocol.requestValue(&transform));
    QTRY_COMPARE_WITH_TIMEOUT(group.m_responses, QStringList{QStringLiteral("GRC 2,[1,3]")}, 5000);
    // Answered: no resend, no failure.
    QTest::qWait(400);
    QCOMPARE(link.fake.commandCount("GRC 2"), 1);
    QCOMPARE(link.client.failures(), 0);
    // Room commands go out one by one.
    transform.setValueText(QStringLiteral("SRC 2,1\r;SRC 2,3\r"));
    link.protocol.sendValue(&transform);
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("SRC 2,3"), 1, 5000);
    QCOMPARE(link.fake.commandCount("SRC 2,1"), 1);
}

void TestPVMDTraffic::probeAfterUnsubscribe()
{
    Link link(FakeProcessorServer::Polling);
    QVERIFY(link.up());
    QCOMPARE(link.fake.commandCount("SUB"), 1);
    // A reset forgets the mode; the next request probes again.
    link.client.resetProtocol();
    QVERIFY(!link.client.isSubscriptionModeSet());
    TrafficControl control;
    link.protocol.requestValue(&control.transform);
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("SUB"), 2, 5000);
}

// Every row of the meter rule, with an input and an output card, answered by a processor.
void TestPVMDTraffic::meterRuleOverTheWire_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("parentTitle");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("meterChannel");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("channelName");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("element");
    struct Row
    {
        const char *rule;
        const char *parentTitle;
        const char *title;
        const char *name;
        int channel;
        int meterChannel;
        int offset;
        const char *channelName;
        int n;
        int inputElement;
        int outputElement;
    };
    // -1: nothing is delivered.
    const Row rows[] = {
        {"PSTN Out", "Rack", "PSTN Out", "", 0, -1, 0, "", 2, 1, 1},
        {"PSTN In", "Rack", "PSTN In", "", 0, -1, 0, "", 2, 0, 0},
        {"USB Out", "Rack", "USB Out", "", 0, 1, 0, "", 4, 3, 3},
        {"USB In", "Rack", "USB In", "", 0, 1, 0, "", 4, 1, 1},
        {"VoIP In", "Rack", "VoIP In", "", 0, -1, 0, "", 4, 1, -1},
        {"VoIP Out", "Rack", "VoIP Out", "", 0, -1, 0, "", 4, 3, -1},
        {"amplifier Analog In", "AQ2400", "Analog In", "", 0, -1, 0, "", 2, 1, -1},
        {"amplifier Digital In", "AZ1", "Digital In", "", 0, -1, 0, "", 4, 1, 2},
        {"four levels", "Rack", "Input 3", "", 6, -1, 0, "", 4, 2, 2},
        {"eight levels", "Rack", "Input 1", "", 6, -1, 0, "", 8, 6, 6},
        {"amplifier output", "AQ2400", "Amp Output", "Amp 1", 0, -1, 0, "Amp-Ch B", 8, 1, 1},
        {"Dante In", "Rack", "Dante In", "", 0, 3, 2, "", 16, 5, 5},
        {"Dante Out", "Rack", "Dante Out", "", 0, 1, 0, "", 32, 17, 17},
        {"no rule", "Rack", "Gain 2", "", 0, -1, 0, "", 3, -1, -1},
    };
    for (const Row &row : rows) {
        for (const int direction : {HAudioIO::DirectionInput, HAudioIO::DirectionOutput}) {
            const bool input = direction == HAudioIO::DirectionInput;
            QTest::addRow("%s, %s card", row.rule, input ? "input" : "output")
                << direction << row.parentTitle << row.title << row.name << row.channel << row.meterChannel
                << row.offset << row.channelName << row.n << (input ? row.inputElement : row.outputElement);
        }
    }
}

void TestPVMDTraffic::meterRuleOverTheWire()
{
    QFETCH(int, direction);
    QFETCH(QString, parentTitle);
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(int, channel);
    QFETCH(int, meterChannel);
    QFETCH(int, offset);
    QFETCH(QString, channelName);
    QFETCH(int, n);
    QFETCH(int, element);
    Meter meter(direction, parentTitle, title);
    meter.card.setLabel(name);
    meter.card.setProperty(QStringLiteral("channel"), QString::number(channel));
    meter.card.setChannels({QStringLiteral("Ch A"), QStringLiteral("Ch B")});
    meter.transform.setMeterChannelIndex(meterChannel);
    meter.transform.setMeterIndexOffset(offset);
    meter.transform.setMeterChannelName(channelName);
    // Answered after the meter under test: once it is heard, the first answer was handled.
    Meter sentinel(HAudioIO::DirectionInput, QStringLiteral("Rack"), QStringLiteral("Input 99"));
    QVERIFY(meter.command() != sentinel.command());

    Link link(FakeProcessorServer::Polling);
    link.fake.setAnswer(meter.command(), meterAnswer(meter.command(), n));
    link.fake.setAnswer(sentinel.command(), meterAnswer(sentinel.command(), 8));
    QVERIFY(link.up());
    QSignalSpy heard(&meter.transform, &TTransform::replyValueReady);
    QSignalSpy sentinelHeard(&sentinel.transform, &TTransform::replyValueReady);
    link.protocol.requestMeterStatus(&meter.transform);
    link.protocol.requestMeterStatus(&sentinel.transform);
    QVERIFY(sentinelHeard.wait(5000));
    QCOMPARE(link.fake.commandCount(meter.command()), 1);
    if (element < 0) {
        QCOMPARE(heard.count(), 0);
    } else {
        QCOMPARE(heard.count(), 1);
        QCOMPARE(meter.transform.replyText(), QString::number(10 + element));
    }
}

VVB_TEST_GUILESS_MAIN(TestPVMDTraffic)
#include "tst_pvmdtraffic.moc"
