#include "interfaces/ITcpServer.h"

#include "support/FakeMobileDevice.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

namespace {
// A server bound to a recording protocol, listening on a free port.
struct Server
{
    Server()
    {
        server.setProtocol(&protocol);
        server.setPort(0);
    }

    RecordingProtocol protocol{QStringLiteral("File")};
    ITcpServer server;
};
} // namespace

class TestITcpServer : public QObject
{
    Q_OBJECT

private slots:
    void neverOpenedServerIsInert()
    {
        ITcpServer server;
        QTest::ignoreMessage(QtDebugMsg, "TCP Server closed cleanly.");
        QVERIFY(server.close());
        QCOMPARE(server.send("x", 1, TcpMessageType::Immediate, QByteArray(), 0), 0);
        QCOMPARE(server.typeName(), QStringLiteral("TcpServer Interface"));
        QCOMPARE(server.stateText(), QStringLiteral("?"));
        QVERIFY(server.hostAddressText().isEmpty());
        QVERIFY(!server.waitForBytesWritten(10));
        QTest::ignoreMessage(QtWarningMsg, "Attempting to open a QTcpServer that is null.");
        QVERIFY(!server.listen());
    }

    void acceptsOnePeerAndDeliversItsBytes()
    {
        Server s;
        QVERIFY(s.server.open());
        QVERIFY(s.server.serverPort() != 0);
        QSignalSpy closed(&s.server, &IInterface::connectionClose);
        QByteArray file;
        for (int i = 0; i < 100000; ++i)
            file.append(char(i % 251));
        FakeMobileDevice device;
        device.sendFile(s.server.serverPort(), file);
        QVERIFY(closed.wait(5000));
        QCOMPARE(closed.count(), 1);
        QCOMPARE(s.protocol.receivedBytes(), file);
        QVERIFY(!s.server.isListening());
        QVERIFY(s.server.close());
    }

    void peerThatSendsNothing()
    {
        Server s;
        QVERIFY(s.server.open());
        QSignalSpy closed(&s.server, &IInterface::connectionClose);
        FakeMobileDevice device;
        device.sendFile(s.server.serverPort(), QByteArray());
        QVERIFY(closed.wait(5000));
        QVERIFY(s.protocol.received().isEmpty());
    }

    void peerThatStopsShortStillEndsTheConnection()
    {
        Server s;
        QVERIFY(s.server.open());
        QSignalSpy closed(&s.server, &IInterface::connectionClose);
        FakeMobileDevice device;
        device.sendFile(s.server.serverPort(), QByteArray(10000, 'p'), 100);
        QVERIFY(closed.wait(5000));
        QVERIFY(s.protocol.receivedBytes().size() <= 100);
    }

    void secondPeerIsNotAccepted()
    {
        Server s;
        QVERIFY(s.server.open());
        const quint16 port = s.server.serverPort();
        QTcpSocket first;
        first.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(first.waitForConnected(2000));
        QTRY_VERIFY(s.server.hasClient());
        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!second.waitForConnected(1000));
        // The first connection is unharmed.
        first.write("abc");
        QTRY_COMPARE(s.protocol.receivedBytes(), QByteArray("abc"));
    }

    void sendWritesToThePeer()
    {
        Server s;
        QVERIFY(s.server.open());
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, s.server.serverPort());
        QVERIFY(peer.waitForConnected(2000));
        QTRY_VERIFY(s.server.hasClient());
        QCOMPARE(s.server.send(QByteArray("ok\0tail", 7), -1, TcpMessageType::Immediate, QByteArray(), 0), 2);
        QTRY_COMPARE(peer.bytesAvailable(), qint64(2));
        QCOMPARE(peer.readAll(), QByteArray("ok"));
    }

    void busyPortFailsToOpen()
    {
        Server first;
        QVERIFY(first.server.open());
        ITcpServer second;
        second.setPort(first.server.serverPort());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Starting listener on port"));
        QVERIFY(!second.open());
    }

    void closeWhileConnectedIsClean()
    {
        Server s;
        QVERIFY(s.server.open());
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, s.server.serverPort());
        QVERIFY(peer.waitForConnected(2000));
        QTRY_VERIFY(s.server.hasClient());
        QVERIFY(s.server.close());
        QVERIFY(!s.server.hasClient());
        QTRY_COMPARE(peer.state(), QAbstractSocket::UnconnectedState);
    }
};

VVB_TEST_GUILESS_MAIN(TestITcpServer)
#include "tst_itcpserver.moc"
