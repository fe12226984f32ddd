#include "interfaces/ITcpClient.h"
#include "interfaces/ITcpClientThread.h"

#include "support/FakeMobileDevice.h"
#include "support/FakePing.h"
#include "support/FakeProcessorServer.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
const QByteArray Ack(1, 0x06);

// A client bound to a recording protocol and aimed at a port on 127.0.0.1.
struct Client
{
    explicit Client(quint16 port, const QString &protocolName = QStringLiteral("VMD"))
        : protocol(protocolName)
    {
        client.setProtocol(&protocol);
        client.setHostAddress(QHostAddress(QHostAddress::LocalHost));
        client.setPort(port);
    }

    int poll(const QByteArray &command, const QByteArray &prefix)
    {
        return client.send(command + '\r', command.size() + 1, TcpMessageType::ReplyExpected, prefix, 200);
    }
    int set(const QByteArray &command)
    {
        return client.send(command + '\r', command.size() + 1, TcpMessageType::AckExpected, QByteArray(), 200);
    }

    RecordingProtocol protocol;
    ITcpClient client;
};

// A port on 127.0.0.1 that nothing listens on.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}
} // namespace

class TestITcpClient : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // The host check must never reach a real ping here.
        m_pPing = new FakePing(FakePing::Reply);
    }

    void cleanup()
    {
        delete m_pPing;
        m_pPing = nullptr;
    }

    void stateTexts_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::newRow("idle") << 0 << " - Offline - Idle";
        QTest::newRow("connecting") << 1 << " - Offline - Connecting";
        QTest::newRow("running") << 2 << " - Online - Running";
        QTest::newRow("reconnecting") << 3 << " - Offline - Reconnecting";
        QTest::newRow("resetting") << 4 << " - Offline - Resetting";
        QTest::newRow("other") << 9 << " - Unknown State";
    }

    void stateTexts()
    {
        QFETCH(int, state);
        QFETCH(QString, text);
        QCOMPARE(ITcpClient::stateTextFor(ConnectionState(state)), text);
    }

    void neverOpenedClientIsInert()
    {
        Client c(closedPort());
        QVERIFY(!c.client.close());
        QCOMPARE(c.client.connectionState(), ConnectionState::Idle);
        QCOMPARE(c.set("SA \"x\">1=1"), 0);
        QCOMPARE(c.client.send("SUB\r", 4, TcpMessageType::Immediate, "SUB", 200), 0);
        QCOMPARE(c.client.pendingMessageCount(), 0);
        QVERIFY(!c.client.waitForBytesWritten(10));
        QCOMPARE(c.client.typeName(), QStringLiteral("TcpClient Interface"));
        QCOMPARE(c.client.hostAddressText(), QStringLiteral("127.0.0.1"));
    }

    void firstConnectionRunsAndGoesActive()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        Client c(fake.port());
        QSignalSpy state(&c.client, &IInterface::interfaceStateChanged);
        QSignalSpy start(&c.client, &ITcpClient::startMessageProcessing);
        QSignalSpy active(&c.client, &ITcpClient::connectionActive);
        QVERIFY(c.client.open());
        QCOMPARE(c.client.connectionState(), ConnectionState::Running);
        QCOMPARE(c.client.stateText(), QStringLiteral(" - Online - Running"));
        QVERIFY(c.client.isConnected());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), true);
        QCOMPARE(start.count(), 1);
        QCOMPARE(active.count(), 1);
        QVERIFY(c.client.dispatcher()->isProcessing());
        QVERIFY(c.client.isHostStatusTimerActive());
        QCOMPARE(c.client.socket()->readBufferSize(), qint64(ITcpClient::ReadBufferSize));
    }

    void closedPortKeepsReconnecting()
    {
        const quint16 port = closedPort();
        Client c(port);
        QSignalSpy state(&c.client, &IInterface::interfaceStateChanged);
        QSignalSpy active(&c.client, &ITcpClient::connectionActive);
        QSignalSpy start(&c.client, &ITcpClient::startMessageProcessing);
        QVERIFY(!c.client.open());
        QTRY_COMPARE(c.client.connectionState(), ConnectionState::Reconnecting);
        QCOMPARE(c.client.stateText(), QStringLiteral(" - Offline - Reconnecting"));
        QVERIFY(c.client.isReconnectTimerActive());
        QVERIFY(!c.client.isConnected());
        QVERIFY(state.count() >= 1);
        QCOMPARE(state.last().at(0).toBool(), false);

        // The processor comes up: the retry connects, without a second activation.
        FakeProcessorServer fake;
        QVERIFY(fake.listen(port));
        QTRY_COMPARE_WITH_TIMEOUT(c.client.connectionState(), ConnectionState::Running, 10000);
        QVERIFY(!c.client.isReconnectTimerActive());
        QVERIFY(c.client.isConnected());
        QCOMPARE(start.count(), 1);
        QCOMPARE(active.count(), 0);
    }

    void reconnectsAfterThePeerCloses()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        Client c(fake.port());
        QSignalSpy state(&c.client, &IInterface::interfaceStateChanged);
        QSignalSpy quit(&c.client, &ITcpClient::quitMessageProcessing);
        QSignalSpy active(&c.client, &ITcpClient::connectionActive);
        QVERIFY(c.client.open());
        fake.setCloseAfter(1);
        c.set("SA \"x\">1=1");
        QTRY_COMPARE(c.client.connectionState(), ConnectionState::Reconnecting);
        QVERIFY(!c.client.isConnected());
        QCOMPARE(quit.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(c.client.connectionState(), ConnectionState::Running, 10000);
        QCOMPARE(fake.acceptedCount(), 2);
        QCOMPARE(active.count(), 1);
        QList<bool> states;
        for (const QList<QVariant> &args : state)
            states.append(args.at(0).toBool());
        QCOMPARE(states, (QList<bool>{true, false, true}));
        // Traffic flows again on the new connection.
        c.set("SA \"x\">1=2");
        QTRY_COMPARE(fake.commandCount("SA \"x\">1=2"), 1);
    }

    void ackAndNakOverTheWire()
    {
        FakeProcessorServer fake(FakeProcessorServer::Polling);
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        c.set("SA \"Gain 1\">3=-10.5");
        QTRY_COMPARE(fake.commandCount("SA \"Gain 1\">3=-10.5"), 1);
        QTRY_COMPARE(c.client.dispatcher()->dispatchState(), ITcpClientThread::Idle);
        QCOMPARE(c.client.failures(), 0);

        fake.setMode(FakeProcessorServer::Nak);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("RECEIVED NAK, not ACK$"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("RECEIVED NAK, not ACK$"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("RECEIVED NAK, not ACK$"));
        c.set("SA \"Gain 1\">3=-11");
        QTRY_COMPARE(c.client.failures(), ITcpClientThread::MaxWrites);
        QTest::qWait(100);
        QCOMPARE(fake.commandCount("SA \"Gain 1\">3=-11"), ITcpClientThread::MaxWrites);
    }

    void replyPrefixMatchAndMismatch()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        fake.setAnswer("GA\"Gain 1\">1", "GA\"Gain 1\">1=-12.0");
        fake.setAnswer("GN 5", "GG 5,1");
        Client c(fake.port());
        QVERIFY(c.client.open());
        c.poll("GA\"Gain 1\">1", "GA\"Gain 1\">1=");
        QTRY_COMPARE(c.protocol.received(), QList<QByteArray>{"GA\"Gain 1\">1=-12.0"});

        c.poll("GN 5", "GN 5");
        QTRY_COMPARE(fake.commandCount("GN 5"), ITcpClientThread::MaxWrites);
        QTRY_COMPARE(c.client.failures(), ITcpClientThread::MaxWrites);
        QCOMPARE(c.protocol.received().size(), 1);
    }

    void missingReplyTimesOutAfterThreeWrites()
    {
        FakeProcessorServer fake(FakeProcessorServer::Silent);
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        c.poll("GS ", "S ");
        QTRY_COMPARE(c.protocol.timeouts().size(), ITcpClientThread::MaxWrites);
        QCOMPARE(c.protocol.timeouts().first(), QStringLiteral("S "));
        QTest::qWait(300);
        QCOMPARE(fake.commands(), QList<QByteArray>(ITcpClientThread::MaxWrites, "GS "));
        QCOMPARE(c.protocol.timeouts().size(), ITcpClientThread::MaxWrites);
    }

    void splitRepliesArriveWhole()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        fake.setSplitReplies(true);
        fake.setAnswer("GA\"Gain 1\">1", "GA\"Gain 1\">1=-12.0");
        fake.setAnswer("GS", QByteArray("\x06") + "S 1f");
        Client c(fake.port());
        QVERIFY(c.client.open());
        c.poll("GA\"Gain 1\">1", "GA\"Gain 1\">1=");
        QTRY_COMPARE(c.protocol.received(), QList<QByteArray>{"GA\"Gain 1\">1=-12.0"});
        c.poll("GS", "S ");
        QTRY_COMPARE(c.protocol.received().size(), 2);
        QCOMPARE(c.protocol.received().at(1), QByteArray("S 1f"));
        QCOMPARE(c.client.failures(), 0);
        QVERIFY(c.protocol.timeouts().isEmpty());
        QCOMPARE(fake.commandCount("GS"), 1);
    }

    void pushedValuesReachTheProtocolInSubscriptionMode()
    {
        FakeProcessorServer fake(FakeProcessorServer::Subscription);
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        c.client.setSubscriptionMode(true);
        QTRY_COMPARE(fake.connectedCount(), 1);
        fake.push("GA\"Gain 1\">1=-3.0");
        fake.push("GA\"Gain 2\">1=4.0");
        QTRY_COMPARE(c.protocol.received(),
                     (QList<QByteArray>{"GA\"Gain 1\">1=-3.0", "GA\"Gain 2\">1=4.0"}));
    }

    void garbageFromThePeerIsBounded()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        fake.setAnswer("GS", "S 1");
        Client c(fake.port());
        QVERIFY(c.client.open());
        QTRY_COMPARE(fake.connectedCount(), 1);
        QByteArray junk;
        for (int i = 0; i < 300000; ++i)
            junk.append(char("x;\x01\x06\x15\xff"[i % 6]));
        for (int round = 0; round < 4; ++round)
            fake.sendRaw(junk);
        fake.sendRaw(QByteArray(200000, 'z'));
        QTest::qWait(300);
        QCOMPARE(c.client.connectionState(), ConnectionState::Running);
        QVERIFY(c.client.pendingReplyCount() <= ITcpClient::MaxReplyQueue);
        QVERIFY(c.client.socket()->bytesAvailable() <= ITcpClient::ReadBufferSize);
        // A whole reply after the junk still gets through.
        fake.sendRaw("\r");
        c.protocol.clear();
        // The junk may still be draining on a slow machine: ask until a whole reply comes back.
        QTRY_VERIFY_WITH_TIMEOUT((c.poll("GS", "S "), c.protocol.received().contains("S 1")), 20000);
    }

    void identicalPollsAreQueuedOnce()
    {
        Client c(closedPort());
        c.client.open();
        QTRY_COMPARE(c.client.connectionState(), ConnectionState::Reconnecting);
        for (int i = 0; i < 5; ++i)
            c.poll("GA\"x\">1", "GA\"x\">1=");
        QCOMPARE(c.client.pendingMessageCount(), 1);
        c.poll("GA\"y\">1", "GA\"y\">1=");
        QCOMPARE(c.client.pendingMessageCount(), 2);
        c.set("SA \"x\">1=1");
        c.set("SA \"x\">1=1");
        QCOMPARE(c.client.pendingMessageCount(), 4);
        for (int i = 0; i < 2 * ITcpClient::MaxSendQueue; ++i)
            c.set("SA \"x\">1=" + QByteArray::number(i));
        QCOMPARE(c.client.pendingMessageCount(), ITcpClient::MaxSendQueue);
        c.client.close();
    }

    void immediateSendWritesAtOnce()
    {
        FakeProcessorServer fake(FakeProcessorServer::Subscription);
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        QCOMPARE(c.client.send("SUB\rjunk", 4, TcpMessageType::Immediate, "SUB", 200), 4);
        QCOMPARE(c.client.pendingMessageCount(), 0);
        QTRY_COMPARE(fake.commands(), QList<QByteArray>{"SUB"});
    }

    void closeStopsTheTimersAndSettlesIdle()
    {
        const quint16 port = closedPort();
        Client c(port);
        c.client.open();
        QTRY_COMPARE(c.client.connectionState(), ConnectionState::Reconnecting);
        QVERIFY(c.client.isReconnectTimerActive());
        QVERIFY(c.client.close());
        QCOMPARE(c.client.connectionState(), ConnectionState::Idle);
        QVERIFY(!c.client.isReconnectTimerActive());
        QVERIFY(!c.client.isHostStatusTimerActive());
        // Nothing reconnects behind our back once the processor shows up.
        FakeProcessorServer fake;
        QVERIFY(fake.listen(port));
        QTest::qWait(ITcpClient::ReconnectMs + 500);
        QCOMPARE(fake.acceptedCount(), 0);
        QCOMPARE(c.client.connectionState(), ConnectionState::Idle);
    }

    void closeOfARunningClient()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        QSignalSpy state(&c.client, &IInterface::interfaceStateChanged);
        QSignalSpy quit(&c.client, &ITcpClient::quitMessageProcessing);
        QVERIFY(c.client.close());
        QCOMPARE(c.client.connectionState(), ConnectionState::Idle);
        QVERIFY(!c.client.isConnected());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);
        QVERIFY(quit.count() >= 1);
        QVERIFY(!c.client.dispatcher()->isProcessing());
        QVERIFY(!c.client.isReconnectTimerActive());
        QVERIFY(!c.client.isHostStatusTimerActive());
        QTRY_COMPARE(fake.connectedCount(), 0);
        // And it opens again.
        QVERIFY(c.client.open());
        QCOMPARE(c.client.connectionState(), ConnectionState::Running);
    }

    // A peer that takes nothing must not hold close up for long.
    void closeGivesUpOnAPeerThatDoesNotRead()
    {
        QTcpServer sink;
        QVERIFY(sink.listen(QHostAddress::LocalHost, 0));
        Client c(sink.serverPort());
        QVERIFY(c.client.open());
        const QByteArray block(8 * 1024 * 1024, 'x');
        for (int i = 0; i < 4; ++i)
            c.client.send(block, block.size(), TcpMessageType::Immediate, QByteArray(), 0);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(c.client.close());
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(c.client.connectionState(), ConnectionState::Idle);
    }

    void thirteenFailuresResetTheConnection()
    {
        FakeProcessorServer fake(FakeProcessorServer::Nak);
        QVERIFY(fake.listen());
        Client c(fake.port());
        QVERIFY(c.client.open());
        QStringList events;
        connect(&c.client, &ITcpClient::quitMessageProcessing, this, [&events]() { events << "quit"; });
        connect(&c.client, &IInterface::interfaceStateChanged, this,
                [&events](bool up) { events << (up ? "up" : "down"); });
        for (int i = 0; i < 5; ++i)
            c.set("SA \"x\">1=" + QByteArray::number(i));
        QTRY_VERIFY_WITH_TIMEOUT(c.client.failures() >= ITcpClient::FailureLimit, 10000);
        QCOMPARE(c.client.connectionState(), ConnectionState::Running);
        // The next socket event finds the count: Resetting (still flagged connected), then Reconnecting.
        fake.dropConnections();
        QTRY_COMPARE(c.client.connectionState(), ConnectionState::Reconnecting);
        QCOMPARE(events.mid(0, 2), (QStringList{"quit", "down"}));
        QTRY_COMPARE_WITH_TIMEOUT(c.client.connectionState(), ConnectionState::Running, 10000);
        QCOMPARE(c.client.failures(), 0);
    }

    void subscriptionModeIsKnownOnceSet()
    {
        Client c(closedPort());
        QVERIFY(!c.client.isSubscriptionModeSet());
        QVERIFY(!c.client.subscriptionMode());
        c.client.setSubscriptionMode(true);
        QVERIFY(c.client.isSubscriptionModeSet());
        QVERIFY(c.client.subscriptionMode());
        QVERIFY(c.client.dispatcher()->subscriptionMode());
        c.client.resetProtocol();
        QVERIFY(!c.client.isSubscriptionModeSet());
        QVERIFY(!c.client.subscriptionMode());
        // The dispatcher keeps its flag until the mode is set again.
        QVERIFY(c.client.dispatcher()->subscriptionMode());
    }

    void resetProtocolDependsOnTheConnection()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        Client c(fake.port());
        c.client.resetProtocol();
        QCOMPARE(c.protocol.onlineChanges(), QList<bool>{false});
        QCOMPARE(c.protocol.resets(), 0);
        QVERIFY(c.client.open());
        c.client.resetProtocol();
        QCOMPARE(c.protocol.resets(), 1);
    }

    void hostCheck_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("probe");
        QTest::newRow("reply") << int(FakePing::Reply) << false;
        QTest::newRow("unreachable") << int(FakePing::Unreachable) << true;
        QTest::newRow("timed out") << int(FakePing::Timeout) << true;
        QTest::newRow("no ping program") << int(FakePing::Missing) << true;
    }

    void hostCheck()
    {
        QFETCH(int, mode);
        QFETCH(bool, probe);
        m_pPing->setMode(FakePing::Mode(mode));
        FakeProcessorServer fake(FakeProcessorServer::Silent);
        QVERIFY(fake.listen());
        Client c(fake.port());
        c.client.setHostStatusInterval(100);
        QVERIFY(c.client.open());
        if (probe) {
            QTRY_VERIFY(fake.commandCount("SUB") >= 1);
        } else {
            // A living host only restarts the check.
            QTRY_VERIFY(m_pPing->callCount() >= 2);
            QCOMPARE(fake.commandCount("SUB"), 0);
        }
        if (mode != FakePing::Missing)
            QCOMPARE(m_pPing->calls().first(), QStringLiteral("-c 1 -W 2 127.0.0.1"));
        QVERIFY(c.client.close());
        const int calls = m_pPing->callCount();
        QTest::qWait(400);
        QCOMPARE(m_pPing->callCount(), calls);
    }

    void replyStopsTheHostCheck()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        fake.setAnswer("GS", "S 1");
        Client c(fake.port());
        QVERIFY(c.client.open());
        QVERIFY(c.client.isHostStatusTimerActive());
        c.poll("GS", "S ");
        QTRY_COMPARE(c.protocol.received().size(), 1);
        QVERIFY(!c.client.isHostStatusTimerActive());
    }

    void fileTransferClientHasNoHostCheck()
    {
        m_pPing->setMode(FakePing::Unreachable);
        FakeProcessorServer fake(FakeProcessorServer::Silent);
        QVERIFY(fake.listen());
        Client c(fake.port(), QStringLiteral("File"));
        c.client.setHostStatusInterval(50);
        QVERIFY(!c.client.isHostCheckEnabled());
        QVERIFY(c.client.open());
        QCOMPARE(c.client.send("panel bytes", 11, TcpMessageType::Immediate, QByteArray(), 0), 11);
        QTest::qWait(400);
        QVERIFY(!c.client.isHostStatusTimerActive());
        QCOMPARE(m_pPing->callCount(), 0);
        QCOMPARE(fake.commandCount("SUB"), 0);
    }

    // The send side of a panel transfer: raw pieces written at once, the close ends the file.
    void fileTransferClientSendsToADevice()
    {
        FakeMobileDevice device;
        QVERIFY(device.listen());
        Client c(device.port(), QStringLiteral("File"));
        c.client.setConnectWait(1000);
        QVERIFY(c.client.open());
        QByteArray file;
        for (int i = 0; i < 3 * 4096 + 17; ++i)
            file.append(char(i * 7 % 256));
        for (int offset = 0; offset < file.size(); offset += 4096) {
            const QByteArray piece = file.mid(offset, 4096);
            QCOMPARE(c.client.send(piece, piece.size(), TcpMessageType::Immediate, QByteArray(), 0),
                     piece.size());
            c.client.waitForBytesWritten(30000);
        }
        c.client.waitForBytesWritten(1000);
        QCOMPARE(c.client.bytesToWrite(), qint64(0));
        QVERIFY(c.client.close());
        QTRY_VERIFY(device.isReceiveFinished());
        QCOMPARE(device.received(), file);
    }

    void deviceThatStopsShortDropsTheTransfer()
    {
        FakeMobileDevice device;
        QVERIFY(device.listen());
        device.setReceiveLimit(100);
        Client c(device.port(), QStringLiteral("File"));
        c.client.setConnectWait(1000);
        QVERIFY(c.client.open());
        const QByteArray piece(4096, 'p');
        QCOMPARE(c.client.send(piece, piece.size(), TcpMessageType::Immediate, QByteArray(), 0), 4096);
        QTRY_VERIFY(device.isReceiveFinished());
        QCOMPARE(device.received().size(), 100);
        QTRY_VERIFY(c.client.connectionState() != ConnectionState::Running);
        QVERIFY(!c.client.isConnected());
        QCOMPARE(c.client.send(piece, piece.size(), TcpMessageType::Immediate, QByteArray(), 0), 0);
        QVERIFY(c.client.close());
    }

    void destroyedWhileRunning()
    {
        FakeProcessorServer fake;
        QVERIFY(fake.listen());
        QPointer<ITcpClient> client = new ITcpClient;
        RecordingProtocol protocol;
        client->setProtocol(&protocol);
        client->setHostAddress(QHostAddress(QHostAddress::LocalHost));
        client->setPort(fake.port());
        QVERIFY(client->open());
        client->send("GS\r", 3, TcpMessageType::ReplyExpected, "S ", 200);
        QTRY_VERIFY(client->dispatcher()->isRunning());
        delete client.data();
        QTRY_COMPARE(fake.connectedCount(), 0);
        QTest::qWait(50);
    }

private:
    FakePing *m_pPing = nullptr;
};

VVB_TEST_GUILESS_MAIN(TestITcpClient)
#include "tst_itcpclient.moc"
