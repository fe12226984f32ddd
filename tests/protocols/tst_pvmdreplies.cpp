#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/RecordingInterface.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "transforms/TText.h"

#include <QStandardPaths>
#include <QtTest>

namespace {
const QString None = QStringLiteral("<nothing>");

// A text transform bound to node "Gain 1" (index1 3, index2 2, label "Mic A").
struct Control
{
    FakeNode parent;
    FakeNode node{QStringLiteral("Blocks"), QStringLiteral("Gain 1")};
    CAttributes attributes;
    TText transform;

    explicit Control(int type = 1)
    {
        node.setParent(&parent);
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QString::number(type));
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QStringLiteral("3"));
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index2"), QStringLiteral("2"));
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("channelLabel"), QStringLiteral("Mic A"));
        transform.setAttributes(&attributes);
        transform.setNode(&node);
    }
};

// What the transform was given: its reply text, or None when it heard nothing.
QString heard(const QSignalSpy &spy, const TTransform &transform)
{
    return spy.isEmpty() ? None : transform.replyText();
}
} // namespace

class TestPVMDReplies : public QObject
{
    Q_OBJECT

private slots:
    void parsers_data();
    void parsers();
    void telephoneReplyIndexes_data();
    void telephoneReplyIndexes();
    void meterElements_data();
    void meterElements();
    void meterRepliesOutOfShape_data();
    void meterRepliesOutOfShape();
    void replyReachesEveryWaitingTransform();
    void unknownLineIsNeitherParsedNorLogged();
    void probeAnswerSwitchesAllThree_data();
    void probeAnswerSwitchesAllThree();
    void probeTimeOutTurnsSubscriptionsOff();
    void goingOfflineForgetsSubscribers();
    void destroyedTransformIsNotReached();
};

// ---------------------------------------------------------------- parsers by routing id

void TestPVMDReplies::parsers_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("delivered");
    const QString sync = PVMDProtocol::syncErrorText();
    QTest::newRow("GA one >") << 1 << QByteArray("GA\"Gain 1\">3=-12.0") << "-12.0";
    QTest::newRow("GA form 0") << 0 << QByteArray("GA\"Gain 1\">3=1") << "1";
    QTest::newRow("GA another node") << 1 << QByteArray("GA\"Gain 2\">3=-12.0") << None;
    QTest::newRow("GA two > for one") << 1 << QByteArray("GA\"Gain 1\">3>2=5") << None;
    QTest::newRow("GA two > for form 2") << 2 << QByteArray("GA\"Gain 1\">3>2=5") << "5";
    QTest::newRow("GA one > for form 2") << 2 << QByteArray("GA\"Gain 1\">3=5") << None;
    QTest::newRow("GA linked form 3") << 3 << QByteArray("GA \"Gain 1\">L>2=5") << "5";
    QTest::newRow("GA channel label") << 7 << QByteArray("GA\"Mic A\">2=O") << "O";
    QTest::newRow("GA node name for label form") << 7 << QByteArray("GA\"Gain 1\">2=O") << None;
    QTest::newRow("GA telephone") << 8 << QByteArray("GA\"Gain 1\">0>1=2") << "2";
    QTest::newRow("GA trailing CR and more") << 1 << QByteArray("GA\"Gain 1\">3=5\r") << "5";
    QTest::newRow("GA with ; and more") << 1 << QByteArray("GA\"Gain 1\">3=5;GA\"x\">1=2") << "5";
    QTest::newRow("GA with zero byte") << 1 << QByteArray("GA\"Gain 1\">3=5\0junk", 18) << "5";
    QTest::newRow("GA empty value") << 1 << QByteArray("GA\"Gain 1\">3=") << "";
    QTest::newRow("GA without =") << 1 << QByteArray("GA\"Gain 1\">3") << None;
    QTest::newRow("GA quote first") << 1 << QByteArray("\"Gain 1\">3=5") << None;
    QTest::newRow("GA no closing quote") << 1 << QByteArray("GA\"Gain 1>3=5") << None;
    QTest::newRow("GA too short") << 1 << QByteArray("GA\">") << None;
    QTest::newRow("GA ACK") << 1 << QByteArray("\x06") << sync;
    QTest::newRow("GA ACK and text") << 2 << QByteArray("\x06GA\"Gain 1\">3=1") << sync;
    QTest::newRow("GA NAK") << 1 << QByteArray("\x15") << None;
    QTest::newRow("GA empty") << 1 << QByteArray() << None;
    QTest::newRow("status") << 4 << QByteArray("S 1f") << "0x1f";
    QTest::newRow("status without blank") << 4 << QByteArray("S1f") << None;
    QTest::newRow("status other letter") << 4 << QByteArray("T 1f") << None;
    QTest::newRow("GG") << 5 << QByteArray("GG 3,5") << "5";
    QTest::newRow("GN") << 6 << QByteArray("GN 3,5") << "5";
    QTest::newRow("GN for form 5") << 5 << QByteArray("GN 3,5") << "5";
    QTest::newRow("group other letters") << 6 << QByteArray("GX 3,5") << None;
    QTest::newRow("group without comma") << 5 << QByteArray("GG 3") << None;
    QTest::newRow("raw") << 9 << QByteArray("GRC 2,[1,2]\r") << "GRC 2,[1,2]";
    QTest::newRow("raw ACK") << 9 << QByteArray("\x06") << sync;
    QTest::newRow("raw NAK") << 9 << QByteArray("\x15") << None;
    QTest::newRow("unknown routing id") << 11 << QByteArray("GA\"Gain 1\">3=5") << None;
}

void TestPVMDReplies::parsers()
{
    QFETCH(int, id);
    QFETCH(QByteArray, line);
    QFETCH(QString, delivered);
    Control control(id);
    PVMDProtocol protocol;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    protocol.dispatchReply(line, id, &control.transform);
    QCOMPARE(heard(spy, control.transform), delivered);
    // No transform: nothing, and no crash.
    protocol.dispatchReply(line, id, nullptr);
}

void TestPVMDReplies::telephoneReplyIndexes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("requested");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("call state") << QByteArray("GA\"Gain 1\">0>1=2") << true << 0 << 1;
    QTest::newRow("first digit only") << QByteArray("GA\"Gain 1\">2>15=x") << true << 2 << 1;
    QTest::newRow("bad second piece") << QByteArray("GA\"Gain 1\">a>1=x") << true << -1 << -1;
    QTest::newRow("bad third piece") << QByteArray("GA\"Gain 1\">0>z=x") << true << 0 << -1;
    QTest::newRow("empty third piece") << QByteArray("GA\"Gain 1\">0>=x") << true << 0 << -1;
    QTest::newRow("one >") << QByteArray("GA\"Gain 1\">0=x") << true << -1 << -1;
    QTest::newRow("nothing requested yet") << QByteArray("GA\"Gain 1\">0>1=2") << false << -1 << -1;
}

void TestPVMDReplies::telephoneReplyIndexes()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, requested);
    QFETCH(int, first);
    QFETCH(int, second);
    Control control(8);
    control.transform.setReplyIndexes(7, 7);
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    if (requested)
        protocol.requestValue(&control.transform);
    protocol.dispatchReply(line, 8, &control.transform);
    QCOMPARE(control.transform.replyFirstIndex(), first);
    QCOMPARE(control.transform.replySecondIndex(), second);
}

// ---------------------------------------------------------------- meter replies

void TestPVMDReplies::meterElements_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentTitle");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("meterChannel");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("channelName");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("element");
    QTest::newRow("PSTN Out") << "PSTN Out" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 2 << 1;
    QTest::newRow("PSTN In") << "PSTN In" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 2 << 0;
    QTest::newRow("PSTN In of four") << "PSTN In" << "" << "Rack" << 2 << 0 << -1 << 0 << "" << 4 << 2;
    QTest::newRow("USB Out") << "USB Out" << "" << "Rack" << 0 << 0 << 1 << 0 << "" << 4 << 3;
    QTest::newRow("USB In") << "USB In" << "" << "Rack" << 0 << 0 << 1 << 0 << "" << 4 << 1;
    QTest::newRow("USB In unset channel") << "USB In" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 4 << -1;
    QTest::newRow("USB Out past the list") << "USB Out" << "" << "Rack" << 0 << 0 << 3 << 0 << "" << 4 << -1;
    QTest::newRow("VoIP In 0") << "VoIP In" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 4 << 0;
    QTest::newRow("VoIP Out 0") << "VoIP Out" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 4 << 2;
    QTest::newRow("VoIP In 1") << "VoIP In" << "" << "Rack" << 0 << 1 << -1 << 0 << "" << 4 << 1;
    QTest::newRow("VoIP Out 1") << "VoIP Out" << "" << "Rack" << 0 << 1 << -1 << 0 << "" << 4 << 3;
    QTest::newRow("VoIP output card") << "VoIP Out" << "" << "Rack" << 0 << 2 << -1 << 0 << "" << 4 << -1;
    QTest::newRow("VoIP input card of an output") << "VoIP In" << "" << "Rack" << 0 << 2 << -1 << 0 << "" << 4 << -1;
    QTest::newRow("VoIP link card") << "VoIP In" << "" << "Rack" << 0 << 3 << -1 << 0 << "" << 4 << -1;
    QTest::newRow("amplifier input") << "Analog In" << "" << "AQ2400" << 5 << 1 << -1 << 0 << "" << 2 << 1;
    QTest::newRow("AZ digital input") << "Digital In" << "" << "AZ1" << 5 << 0 << -1 << 0 << "" << 2 << 0;
    QTest::newRow("AZ digital output card") << "Digital In" << "" << "AZ1" << 5 << 2 << -1 << 0 << "" << 2 << -1;
    QTest::newRow("AQ output card of four") << "Analog In" << "" << "AQ2400" << 5 << 2 << -1 << 0 << "" << 4 << 2;
    QTest::newRow("processor input of four") << "Analog In" << "" << "Rack" << 5 << 1 << -1 << 0 << "" << 4 << 1;
    QTest::newRow("channel above 15") << "Input" << "" << "Rack" << 16 << 0 << -1 << 0 << "" << 4 << -1;
    QTest::newRow("eight") << "Input" << "" << "Rack" << 6 << 0 << -1 << 0 << "" << 8 << 6;
    QTest::newRow("eight, channel past") << "Input" << "" << "Rack" << 9 << 0 << -1 << 0 << "" << 8 << -1;
    QTest::newRow("amplifier output") << "Amp Output" << "Amp 1" << "AQ" << 0 << 0 << -1 << 0 << "Amp-Ch B" << 8 << 1;
    QTest::newRow("amplifier output, no -") << "Amp Output" << "Amp 1" << "AQ" << 0 << 0 << -1 << 0 << "Amp" << 8 << -1;
    QTest::newRow("amplifier output named PSTN Out") << "Amp Output" << "PSTN Out" << "AQ" << 0 << 0 << -1 << 0 << "" << 2 << 1;
    QTest::newRow("Dante in") << "Dante In" << "" << "Rack" << 0 << 0 << 3 << 2 << "" << 16 << 5;
    QTest::newRow("Dante out of 32") << "Dante Out" << "" << "Rack" << 0 << 0 << 1 << 0 << "" << 32 << 17;
    QTest::newRow("Dante out of 16") << "Dante Out" << "" << "Rack" << 0 << 0 << 1 << 0 << "" << 16 << 1;
    QTest::newRow("no rule") << "Gain" << "" << "Rack" << 0 << 0 << -1 << 0 << "" << 3 << -1;
}

void TestPVMDReplies::meterElements()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(QString, parentTitle);
    QFETCH(int, channel);
    QFETCH(int, direction);
    QFETCH(int, meterChannel);
    QFETCH(int, offset);
    QFETCH(QString, channelName);
    QFETCH(int, n);
    QFETCH(int, element);
    Control control(10);
    control.parent.setTitle(parentTitle);
    // Direction 0 is a node that is no I/O card; the others are cards of that direction.
    FakeCard card(direction);
    const auto shape = [&](auto &node) {
        node.setParent(&control.parent);
        node.setTitle(title);
        node.setLabel(name);
        node.setProperty(QStringLiteral("channel"), QString::number(channel));
        node.setChannels({QStringLiteral("Ch A"), QStringLiteral("Ch B")});
    };
    shape(control.node);
    shape(card);
    if (direction != 0)
        control.transform.setNode(&card);
    control.transform.setMeterChannelIndex(meterChannel);
    control.transform.setMeterIndexOffset(offset);
    control.transform.setMeterChannelName(channelName);
    QCOMPARE(PVMDProtocol::meterElement(&control.transform, n), element);

    // The whole reply: levels 10, 11, 12, ... delivered only when the element exists.
    QStringList levels;
    for (int i = 0; i < n; ++i)
        levels << QString::number(10 + i);
    PVMDProtocol protocol;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    protocol.dispatchReply("GL 1A [" + levels.join(QLatin1Char(',')).toLatin1() + "]", 10,
                           &control.transform);
    QCOMPARE(heard(spy, control.transform),
             element >= 0 && element < n ? QString::number(10 + element) : None);
}

void TestPVMDReplies::meterRepliesOutOfShape_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("delivered");
    QTest::newRow("well formed") << QByteArray("GL 1A [-20,-30,-40,-50,-60,-70,-80,-90]") << "-80";
    QTest::newRow("trailing CR") << QByteArray("GL 1A [1,2,3,4,5,6,7,8]\r") << "7";
    QTest::newRow("two words") << QByteArray("GL 1A") << None;
    QTest::newRow("no brackets") << QByteArray("GL 1A 1,2,3,4,5,6,7,8") << None;
    QTest::newRow("open bracket only") << QByteArray("GL 1A [1,2,3,4,5,6,7,8") << None;
    QTest::newRow("empty list") << QByteArray("GL 1A []") << None;
    QTest::newRow("lone bracket") << QByteArray("GL 1A ]") << None;
    QTest::newRow("empty element") << QByteArray("GL 1A [1,2,3,4,5,6,,8]") << None;
    QTest::newRow("nine levels") << QByteArray("GL 1A [1,2,3,4,5,6,7,8,9]") << None;
    QTest::newRow("blanks inside") << QByteArray("GL 1A [1, 2,3,4,5,6,7,8]") << None;
    QTest::newRow("garbage") << QByteArray("\xff\xfe[]]][[,,,") << None;
}

void TestPVMDReplies::meterRepliesOutOfShape()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, delivered);
    Control control(10);
    control.node.setTitle(QStringLiteral("Input"));
    control.node.setProperty(QStringLiteral("channel"), QStringLiteral("6"));
    PVMDProtocol protocol;
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    protocol.dispatchReply(line, 10, &control.transform);
    QCOMPARE(heard(spy, control.transform), delivered);
}

// ---------------------------------------------------------------- routing

void TestPVMDReplies::replyReachesEveryWaitingTransform()
{
    Control first;
    Control second;
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.requestValue(&first.transform);
    protocol.requestValue(&second.transform);
    QList<TTransform *> order;
    for (TTransform *pTransform : {&first.transform, &second.transform}) {
        connect(pTransform, &TTransform::replyValueReady, this,
                [&order, pTransform]() { order.append(pTransform); });
    }
    QVERIFY(protocol.onReceive("GA\"Gain 1\">3=-12.0"));
    QCOMPARE(order, (QList<TTransform *>{&second.transform, &first.transform}));
    QCOMPARE(first.transform.replyText(), QStringLiteral("-12.0"));
    const QString log = QString::fromUtf8(TestSupport::readAll(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/vmrlog.txt"));
    QVERIFY(log.contains(QStringLiteral("Received: ")));
    QVERIFY(log.contains(QStringLiteral("GA\"Gain 1\">3=-12.0")));
}

void TestPVMDReplies::unknownLineIsNeitherParsedNorLogged()
{
    Control control;
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.requestValue(&control.transform);
    QSignalSpy spy(&control.transform, &TTransform::replyValueReady);
    const QByteArray line("GA\"Nobody\">3=unrouted-line-7");
    QVERIFY(!protocol.onReceive(line));
    QVERIFY(!protocol.onReceive(QByteArray()));
    QVERIFY(!protocol.onReceive("\x06"));
    QCOMPARE(spy.count(), 0);
    const QByteArray log = TestSupport::readAll(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/vmrlog.txt");
    QVERIFY(!log.contains("unrouted-line-7"));
}

void TestPVMDReplies::probeAnswerSwitchesAllThree_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << QByteArray("SUB,yes") << true;
    QTest::newRow("no") << QByteArray("SUB,no") << false;
}

void TestPVMDReplies::probeAnswerSwitchesAllThree()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, yes);
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.subscriptionManager()->setClient(&transport);
    protocol.subscriptionManager()->setSubscriptionEnabled(!yes);
    QVERIFY(protocol.onReceive(answer));
    QCOMPARE(protocol.isSubscribed(), yes);
    QVERIFY(transport.isSubscriptionModeSet());
    QCOMPARE(transport.subscriptionMode(), yes);
    QCOMPARE(protocol.subscriptionManager()->isSubscriptionEnabled(), yes);
}

void TestPVMDReplies::probeTimeOutTurnsSubscriptionsOff()
{
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.onReplyTimeout(QStringLiteral("SUB"));
    QVERIFY(!transport.isSubscriptionModeSet());
    transport.setConnectionState(ConnectionState::Reconnecting);
    protocol.onReplyTimeout(QStringLiteral("GA\"Gain 1\">3="));
    QVERIFY(!transport.isSubscriptionModeSet());
    protocol.onReplyTimeout(QStringLiteral("SUB"));
    QVERIFY(transport.isSubscriptionModeSet());
    QVERIFY(!transport.subscriptionMode());
}

void TestPVMDReplies::goingOfflineForgetsSubscribers()
{
    Control control;
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    protocol.subscriptionManager()->setClient(&transport);
    protocol.onReceive("SUB,yes");
    protocol.requestValue(&control.transform);
    QSignalSpy online(&protocol, &PProtocol::onlineStateChanged);
    protocol.onOnlineStateChanged(true);
    QVERIFY(protocol.isSubscribed());
    QVERIFY(protocol.subscriptionManager()->recordCount() > 0);
    protocol.onOnlineStateChanged(false);
    QCOMPARE(online.count(), 2);
    QCOMPARE(online.at(1).at(0).toBool(), false);
    QVERIFY(!protocol.isSubscribed());
    QVERIFY(!protocol.subscriptionManager()->isSubscriptionEnabled());
    QCOMPARE(protocol.subscriptionManager()->recordCount(), 0);
    transport.clear();
    protocol.reset();
    QVERIFY(transport.messages().isEmpty());
}

void TestPVMDReplies::destroyedTransformIsNotReached()
{
    RecordingInterface transport;
    PVMDProtocol protocol;
    protocol.setInterface(&transport);
    auto *pControl = new Control;
    protocol.requestValue(&pControl->transform);
    QCOMPARE(protocol.latestRequest(), &pControl->transform);
    delete pControl;
    QVERIFY(!protocol.latestRequest());
    QVERIFY(!protocol.onReceive("GA\"Gain 1\">3=-12.0"));
    QVERIFY(protocol.subscriptionManager()->subscribersForReply(
                QStringLiteral("GA\"Gain 1\">3=1")).isEmpty());
}

VVB_TEST_GUILESS_MAIN(TestPVMDReplies)
#include "tst_pvmdreplies.moc"
