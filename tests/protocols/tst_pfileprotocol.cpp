#include "interfaces/ITcpClient.h"
#include "interfaces/ITcpServer.h"
#include "support/FakeMobileDevice.h"
#include "support/ScriptedFileProtocol.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
QByteArray bytesOf(qint64 size)
{
    QByteArray bytes(int(size), Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[int(i)] = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// The editor's side of a send: a file client to the fake device's port.
struct Sender
{
    FakeMobileDevice device;
    ITcpClient client;
    ScriptedFileProtocol protocol;

    bool connect()
    {
        if (!device.listen())
            return false;
        client.setProtocol(&protocol);
        client.setHostAddress(device.address());
        client.setPort(device.port());
        client.setConnectWait(1000);
        if (!client.open())
            return false;
        protocol.setInterface(&client);
        return true;
    }
};

// The editor's side of a receive: a server on a free port.
struct Receiver
{
    ITcpServer server;
    ScriptedFileProtocol protocol;
    FakeMobileDevice device;

    bool listen()
    {
        server.setProtocol(&protocol);
        server.setPort(0);
        if (!server.open())
            return false;
        protocol.setInterface(&server);
        return true;
    }
    // The device sends once the receive wait is running.
    void sendSoon(const QByteArray &bytes, qint64 stopAfter = -1)
    {
        const quint16 port = server.serverPort();
        QTimer::singleShot(0, &device, [this, port, bytes, stopAfter]() {
            device.sendFile(port, bytes, stopAfter);
        });
    }
};
} // namespace

class TestPFileProtocol : public QObject
{
    Q_OBJECT

private slots:
    void sendsTheWholeFileInPieces_data();
    void sendsTheWholeFileInPieces();
    void sendWithTheProgressDialog();
    void abortedSendFails();
    void shortPeerFailsTheSend();
    void sendNeedsInterfaceAndFile();
    void receivePutsTheFileInPlace();
    void emptyReceiveTouchesNothing();
    void cancelledReceivePutsNothingInPlace();
    void receiveNeedsAWritableTarget();
    void bytesOutsideAReceiveAreRefused();
};

// ---------------------------------------------------------------- sending

void TestPFileProtocol::sendsTheWholeFileInPieces_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QList<qint64>>("progress");
    QTest::newRow("empty") << qint64(0) << QList<qint64>{};
    QTest::newRow("one byte") << qint64(1) << QList<qint64>{1};
    QTest::newRow("one piece") << qint64(4096) << QList<qint64>{4096};
    QTest::newRow("a piece and a byte") << qint64(4097) << QList<qint64>{4096, 4097};
    QTest::newRow("many pieces") << qint64(200000) << QList<qint64>{};
}

void TestPFileProtocol::sendsTheWholeFileInPieces()
{
    QFETCH(qint64, size);
    QFETCH(QList<qint64>, progress);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.cpz"));
    const QByteArray bytes = bytesOf(size);
    QVERIFY(TestSupport::writeAll(path, bytes));
    Sender sender;
    QVERIFY(sender.connect());
    QVERIFY(sender.protocol.sendFile(path));
    QCOMPARE(sender.protocol.progressTotal(), size);
    if (!progress.isEmpty())
        QCOMPARE(sender.protocol.progress(), progress);
    else if (size > 0)
        QCOMPARE(sender.protocol.progress().size(), int((size + 4095) / 4096));
    sender.client.close();
    QTRY_VERIFY_WITH_TIMEOUT(sender.device.isReceiveFinished(), 5000);
    QCOMPARE(sender.device.received(), bytes);
}

void TestPFileProtocol::sendWithTheProgressDialog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.cpz"));
    const QByteArray bytes = bytesOf(10000);
    QVERIFY(TestSupport::writeAll(path, bytes));
    FakeMobileDevice device;
    QVERIFY(device.listen());
    ITcpClient client;
    PFileProtocol protocol;
    client.setProtocol(&protocol);
    client.setHostAddress(device.address());
    client.setPort(device.port());
    QVERIFY(client.open());
    protocol.setInterface(&client);
    QVERIFY(protocol.sendFile(path));
    client.close();
    QTRY_VERIFY_WITH_TIMEOUT(device.isReceiveFinished(), 5000);
    QCOMPARE(device.received(), bytes);
}

void TestPFileProtocol::abortedSendFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.cpz"));
    QVERIFY(TestSupport::writeAll(path, bytesOf(3 * 4096)));
    Sender sender;
    QVERIFY(sender.connect());
    sender.protocol.setAbortAtPiece(2);
    QVERIFY(!sender.protocol.sendFile(path));
    sender.client.close();
    QTRY_VERIFY_WITH_TIMEOUT(sender.device.isReceiveFinished(), 5000);
    QCOMPARE(sender.device.received().size(), 4096);
}

void TestPFileProtocol::shortPeerFailsTheSend()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.cpz"));
    // Larger than what the system buffers, so the drop is seen while sending.
    QVERIFY(TestSupport::writeAll(path, bytesOf(16 * 1024 * 1024)));
    Sender sender;
    sender.device.setReceiveLimit(4096);
    QVERIFY(sender.connect());
    QVERIFY(!sender.protocol.sendFile(path));
    QVERIFY(sender.device.received().size() <= 4096);
}

void TestPFileProtocol::sendNeedsInterfaceAndFile()
{
    QTemporaryDir dir;
    ScriptedFileProtocol protocol;
    QVERIFY(!protocol.sendFile(dir.filePath(QStringLiteral("missing"))));
    Sender sender;
    QVERIFY(sender.connect());
    QVERIFY(!sender.protocol.sendFile(dir.filePath(QStringLiteral("missing"))));
    QCOMPARE(sender.protocol.progressTotal(), qint64(-1));
}

// ---------------------------------------------------------------- receiving

void TestPFileProtocol::receivePutsTheFileInPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("download.cpn"));
    QVERIFY(TestSupport::writeAll(path, "old project"));
    Receiver receiver;
    QVERIFY(receiver.listen());
    const QByteArray bytes = bytesOf(100000);
    receiver.sendSoon(bytes);
    QVERIFY(receiver.protocol.receiveFile(path));
    QCOMPARE(TestSupport::readAll(path), bytes);
    QVERIFY(!QFile::exists(path + QLatin1Char('t')));
    QVERIFY(!QFile::exists(path + QLatin1Char('~')));
    QVERIFY(!receiver.protocol.isReceiving());
}

void TestPFileProtocol::emptyReceiveTouchesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("download.cpn"));
    QVERIFY(TestSupport::writeAll(path, "old project"));
    Receiver receiver;
    QVERIFY(receiver.listen());
    receiver.sendSoon(QByteArray());
    QVERIFY(!receiver.protocol.receiveFile(path));
    QVERIFY(receiver.protocol.waited());
    QCOMPARE(TestSupport::readAll(path), QByteArray("old project"));
    QVERIFY(!QFile::exists(path + QLatin1Char('t')));
}

void TestPFileProtocol::cancelledReceivePutsNothingInPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("download.cpn"));
    QVERIFY(TestSupport::writeAll(path, "old project"));
    Receiver receiver;
    QVERIFY(receiver.listen());
    receiver.protocol.setCancelAfterBytes(1);
    receiver.sendSoon(bytesOf(4 * 1024 * 1024));
    QVERIFY(!receiver.protocol.receiveFile(path));
    QVERIFY(receiver.protocol.receivedBytes() > 0);
    QCOMPARE(TestSupport::readAll(path), QByteArray("old project"));
    QVERIFY(!QFile::exists(path + QLatin1Char('t')));
    // Bytes that still come after the cancel go nowhere.
    QVERIFY(!receiver.protocol.onReceive("late"));

    // Without an earlier file, nothing appears either.
    const QString fresh = dir.filePath(QStringLiteral("fresh.cpn"));
    Receiver second;
    QVERIFY(second.listen());
    second.protocol.setCancelAfterBytes(1);
    second.sendSoon(bytesOf(1024 * 1024));
    QVERIFY(!second.protocol.receiveFile(fresh));
    QVERIFY(!QFile::exists(fresh));
    QVERIFY(!QFile::exists(fresh + QLatin1Char('t')));
}

void TestPFileProtocol::receiveNeedsAWritableTarget()
{
    QTemporaryDir dir;
    Receiver receiver;
    QVERIFY(receiver.listen());
    QVERIFY(!receiver.protocol.receiveFile(dir.filePath(QStringLiteral("no/such/folder/download.cpn"))));
    QVERIFY(!receiver.protocol.waited());
    // Nothing bound: no receive at all.
    ScriptedFileProtocol unbound;
    QVERIFY(!unbound.receiveFile(dir.filePath(QStringLiteral("download.cpn"))));
    PFileProtocol withoutModel;
    ITcpServer server;
    withoutModel.setInterface(&server);
    QVERIFY(!withoutModel.receiveFile(dir.filePath(QStringLiteral("download.cpn"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("download.cpnt"))));
}

void TestPFileProtocol::bytesOutsideAReceiveAreRefused()
{
    PFileProtocol protocol;
    QVERIFY(!protocol.onReceive("bytes"));
    protocol.connectionClose();
    QCOMPARE(protocol.name(), QStringLiteral("File"));
}

VVB_TEST_MAIN(TestPFileProtocol)
#include "tst_pfileprotocol.moc"
