#include "interfaces/ITcpClientThread.h"

#include "support/RecordingProtocol.h"
#include "support/TestMain.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QByteArray AckReply(1, 0x06);
const QByteArray Nak(1, 0x15);

TcpMessage message(TcpMessageType type, const QByteArray &data, const QByteArray &prefix = QByteArray(),
                   int timeoutMs = 200)
{
    TcpMessage m;
    m.m_eType = type;
    m.m_baData = data;
    m.m_baReplyPrefix = prefix;
    m.m_nTimeoutMs = timeoutMs;
    return m;
}

// The dispatcher with its two queues, a recording protocol and a socket stand-in that records
// each write (and can report short ones).
struct Harness
{
    Harness()
    {
        dispatcher.setQueues(&sendQueue, &replyQueue);
        dispatcher.setProtocol(&protocol);
        QObject::connect(&dispatcher, &ITcpClientThread::sendMessage, &dispatcher,
                         [this](const QByteArray &bytes, int *written) {
                             writes.append(bytes);
                             if (!autoAnswer.isEmpty())
                                 replyQueue.append(autoAnswer);
                             *written = shortWrites-- > 0 ? bytes.size() - 1 : bytes.size();
                         },
                         Qt::DirectConnection);
        QObject::connect(&dispatcher, &ITcpClientThread::messageError, &dispatcher,
                         [this](const QByteArray &bytes) { errors.append(bytes); });
        dispatcher.onStartMessageProcessing();
    }

    void queue(const TcpMessage &m) { sendQueue.append(m); }
    void answer(const QByteArray &piece)
    {
        replyQueue.append(piece);
        dispatcher.onReplyReady();
    }

    QList<TcpMessage> sendQueue;
    QList<QByteArray> replyQueue;
    ITcpClientThread dispatcher;
    RecordingProtocol protocol;
    QList<QByteArray> writes;
    QList<QByteArray> errors;
    int shortWrites = 0;
    // Queued as the answer of every write, as a processor on loopback answers at once.
    QByteArray autoAnswer;
};
} // namespace

class TestITcpClientThread : public QObject
{
    Q_OBJECT

private slots:
    void ackAnswersASet()
    {
        Harness h;
        h.queue(message(TcpMessageType::AckExpected, "SA \"Gain 1\">3=-10.5\r"));
        QTRY_COMPARE(h.writes.size(), 1);
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::AwaitingReply);
        h.answer(AckReply);
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QVERIFY(h.replyQueue.isEmpty());
        QVERIFY(h.errors.isEmpty());
    }

    void nakIsRetriedThenDropped()
    {
        Harness h;
        h.queue(message(TcpMessageType::AckExpected, "SA \"x\">1=1\r"));
        for (int write = 1; write <= ITcpClientThread::MaxWrites; ++write) {
            QTRY_COMPARE(h.writes.size(), write);
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("RECEIVED NAK, not ACK$"));
            h.answer(Nak);
            QCOMPARE(h.errors.size(), write);
        }
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QTest::qWait(50);
        QCOMPARE(h.writes.size(), ITcpClientThread::MaxWrites);
    }

    void wrongFirstByteIsAFailure()
    {
        Harness h;
        h.queue(message(TcpMessageType::AckExpected, "SS 1f \r"));
        QTRY_COMPARE(h.writes.size(), 1);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("RECEIVED FIRST BYTE = X, EXPECTED ACK$"));
        h.answer("X");
        QCOMPARE(h.errors.size(), 1);
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Resend);
    }

    // An ACK with text behind it answers once: the ACK is used up, nothing stays queued.
    void ackWithTextIsConsumed()
    {
        Harness h;
        h.queue(message(TcpMessageType::AckExpected, "SA \"x\">1=1\r"));
        QTRY_COMPARE(h.writes.size(), 1);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("EXPECTED ACK$"));
        h.answer(AckReply + "GA\"x\">1=1");
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QVERIFY(h.errors.isEmpty());
        QVERIFY(h.replyQueue.isEmpty());
    }

    void emptyPiecesNeitherAnswerNorStay()
    {
        Harness h;
        h.queue(message(TcpMessageType::AckExpected, "SA \"x\">1=1\r", QByteArray(), 5000));
        QTRY_COMPARE(h.writes.size(), 1);
        h.answer(QByteArray());
        QVERIFY(h.replyQueue.isEmpty());
        QVERIFY(h.errors.isEmpty());
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::AwaitingReply);
        h.replyQueue.append(QByteArray());
        h.answer(AckReply);
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QVERIFY(h.replyQueue.isEmpty());
    }

    void replyWithThePrefixReachesTheProtocol_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("plain") << QByteArray("GA\"x\">1=5") << QList<QByteArray>{"GA\"x\">1=5"};
        QTest::newRow("ACK stripped") << AckReply + "GA\"x\">1=5" << QList<QByteArray>{"GA\"x\">1=5"};
        QTest::newRow("several lines") << QByteArray("GA\"x\">1=5\rGA\"x\">1=6")
                                       << QList<QByteArray>{"GA\"x\">1=5", "GA\"x\">1=6"};
    }

    void replyWithThePrefixReachesTheProtocol()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QList<QByteArray>, lines);
        Harness h;
        h.queue(message(TcpMessageType::ReplyExpected, "GA\"x\">1\r", "GA\"x\">1="));
        QTRY_COMPARE(h.writes.size(), 1);
        h.answer(reply);
        QCOMPARE(h.protocol.received(), lines);
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QVERIFY(h.errors.isEmpty());
    }

    // The acknowledge and the reply line may come in separate reads.
    void loneAckBeforeTheReplyIsNoFailure()
    {
        Harness h;
        h.queue(message(TcpMessageType::ReplyExpected, "GA\"x\">1\r", "GA\"x\">1=", 5000));
        QTRY_COMPARE(h.writes.size(), 1);
        h.answer(AckReply);
        QVERIFY(h.errors.isEmpty());
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::AwaitingReply);
        h.answer("GA\"x\">1=5");
        QCOMPARE(h.protocol.received(), QList<QByteArray>{"GA\"x\">1=5"});
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
    }

    void prefixMismatchIsResent()
    {
        Harness h;
        h.queue(message(TcpMessageType::ReplyExpected, "GN 1\r", "GN 1"));
        QTRY_COMPARE(h.writes.size(), 1);
        h.answer("GG 1,5");
        QVERIFY(h.protocol.received().isEmpty());
        QCOMPARE(h.errors.size(), 1);
        QTRY_COMPARE(h.writes.size(), 2);
        QCOMPARE(h.writes.at(1), QByteArray("GN 1\r"));
        h.answer("GN 1,7");
        QCOMPARE(h.protocol.received(), QList<QByteArray>{"GN 1,7"});
    }

    void subscriptionModeSkipsThePrefixTest()
    {
        Harness h;
        h.dispatcher.setSubscriptionMode(true);
        h.autoAnswer = "GG 1,5";
        h.queue(message(TcpMessageType::ReplyExpected, "GN 1\r", "GN 1"));
        QTRY_COMPARE(h.protocol.received(), QList<QByteArray>{"GG 1,5"});
        QCOMPARE(h.writes.size(), 1);
        QVERIFY(h.errors.isEmpty());
        QVERIFY(h.protocol.timeouts().isEmpty());
    }

    // With subscriptions the reply time-out is one step, not the message's own.
    void subscriptionModeWaitsOneStep()
    {
        Harness h;
        h.dispatcher.setSubscriptionMode(true);
        h.queue(message(TcpMessageType::ReplyExpected, "SUB \"GS\"\r", "SUB \"GS\",yes", 5000));
        QTRY_COMPARE(h.protocol.timeouts().size(), ITcpClientThread::MaxWrites);
        QCOMPARE(h.writes.size(), ITcpClientThread::MaxWrites);
    }

    void pushedLinesReachTheProtocolInSubscriptionMode()
    {
        Harness h;
        h.dispatcher.setSubscriptionMode(true);
        h.replyQueue.append("GA\"x\">1=-3");
        h.replyQueue.append("GA\"y\">1=4");
        QTRY_COMPARE(h.protocol.received().size(), 2);
        QCOMPARE(h.protocol.received().at(0), QByteArray("GA\"x\">1=-3"));
        QVERIFY(h.writes.isEmpty());
    }

    void missingReplyTimesOutAtMostThreeWrites()
    {
        Harness h;
        QSignalSpy errors(&h.dispatcher, &ITcpClientThread::messageError);
        h.queue(message(TcpMessageType::ReplyExpected, "GS \r", "S ", 30));
        QTRY_COMPARE(h.protocol.timeouts().size(), ITcpClientThread::MaxWrites);
        QCOMPARE(h.protocol.timeouts(), QStringList(ITcpClientThread::MaxWrites, QStringLiteral("S ")));
        QCOMPARE(errors.count(), ITcpClientThread::MaxWrites);
        QCOMPARE(h.writes, QList<QByteArray>(ITcpClientThread::MaxWrites, "GS \r"));
        QCOMPARE(h.dispatcher.dispatchState(), ITcpClientThread::Idle);
        QTest::qWait(100);
        QCOMPARE(h.writes.size(), ITcpClientThread::MaxWrites);
    }

    void replyBeforeTheTimeOutIsInTime()
    {
        Harness h;
        h.queue(message(TcpMessageType::ReplyExpected, "GS \r", "S ", 5000));
        QTRY_COMPARE(h.writes.size(), 1);
        QTest::qWait(50);
        h.answer("S 1f");
        QVERIFY(h.protocol.timeouts().isEmpty());
        QCOMPARE(h.protocol.received(), QList<QByteArray>{"S 1f"});
    }

    void noReplyMessagesDoNotWait()
    {
        Harness h;
        h.queue(message(TcpMessageType::NoReply, "SG 1,5\r"));
        h.queue(message(TcpMessageType::NoReply, "SG 2,6\r"));
        h.queue(message(TcpMessageType::AckExpected, "SS 1 \r"));
        QTRY_COMPARE(h.writes.size(), 3);
        QCOMPARE(h.writes, (QList<QByteArray>{"SG 1,5\r", "SG 2,6\r", "SS 1 \r"}));
    }

    void shortWriteIsWrittenAgain()
    {
        Harness h;
        h.shortWrites = 1;
        h.queue(message(TcpMessageType::NoReply, "SG 1,5\r"));
        QTRY_COMPARE(h.writes.size(), 2);
        QCOMPARE(h.writes.at(1), QByteArray("SG 1,5\r"));
        QVERIFY(h.errors.isEmpty());
    }

    // Without subscriptions, pieces queued before a message is written cannot answer it.
    void staleRepliesDoNotAnswerTheNextMessage()
    {
        Harness h;
        h.dispatcher.onQuitMessageProcessing();
        h.dispatcher.onStartMessageProcessing();
        h.replyQueue.append("GA\"old\">1=1");
        h.queue(message(TcpMessageType::ReplyExpected, "GA\"x\">1\r", "GA\"x\">1=", 5000));
        QTRY_COMPARE(h.writes.size(), 1);
        QTest::qWait(30);
        QVERIFY(h.errors.isEmpty());
        h.answer("GA\"x\">1=2");
        QCOMPARE(h.protocol.received(), QList<QByteArray>{"GA\"x\">1=2"});
    }

    void quitEmptiesBothQueuesAndStops()
    {
        Harness h;
        h.dispatcher.onQuitMessageProcessing();
        h.queue(message(TcpMessageType::NoReply, "SG 1,5\r"));
        h.replyQueue.append("x");
        QTest::qWait(50);
        QVERIFY(h.writes.isEmpty());
        h.dispatcher.onQuitMessageProcessing();
        QVERIFY(h.sendQueue.isEmpty());
        QVERIFY(h.replyQueue.isEmpty());
        QVERIFY(!h.dispatcher.isProcessing());
    }
};

VVB_TEST_GUILESS_MAIN(TestITcpClientThread)
#include "tst_itcpclientthread.moc"
