#include "interfaces/ITcpClient.h"
#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/FakeProcessorServer.h"
#include "transforms/TPassThrough.h"
#include "transforms/TText.h"

#include <QtTest>

namespace {
// A control of form 1 on node "Gain 1", index1 3.
struct Control
{
    FakeNode node{QStringLiteral("Blocks"), QStringLiteral("Gain 1")};
    CAttributes attributes;
    TText transform;

    explicit Control(int type = 1)
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
};

void TestPVMDTraffic::pollingRoundTrip()
{
    Link link(FakeProcessorServer::Polling);
    link.fake.setAnswer("GA\"Gain 1\">3", "GA\"Gain 1\">3=-12.0");
    QVERIFY(link.up());
    QCOMPARE(link.fake.commandCount("SUB"), 1);
    QVERIFY(!link.protocol.isSubscribed());
    Control control;
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
    Control control;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    link.protocol.requestValue(&control.transform);
    QVERIFY(spy.wait(5000));
    QCOMPARE(control.transform.replyText(), QStringLiteral("-7.5"));
}

void TestPVMDTraffic::setIsAcknowledged()
{
    Link link(FakeProcessorServer::Polling);
    QVERIFY(link.up());
    Control control;
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
    Control control;
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
    Control control;
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
    Control control;
    link.protocol.requestValue(&control.transform);
    QTRY_COMPARE_WITH_TIMEOUT(link.fake.commandCount("SUB"), 2, 5000);
}

QTEST_GUILESS_MAIN(TestPVMDTraffic)
#include "tst_pvmdtraffic.moc"
