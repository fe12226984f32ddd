#include "interfaces/IComposite.h"
#include "interfaces/IIPAddress.h"
#include "interfaces/IInterfaceFactory.h"
#include "interfaces/ITcpClient.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include "support/TestMain.h"

namespace {
// A transport whose open and close answer as told and count their calls.
class CountingInterface : public IInterface
{
public:
    explicit CountingInterface(bool result = true) : m_bResult(result) {}
    bool open() override { ++m_nOpens; m_bConnected = m_bResult; return m_bResult; }
    bool close() override { ++m_nCloses; m_bConnected = false; return m_bResult; }
    void start() override { ++m_nStarts; }
    void resetProtocol() override { ++m_nResets; }

    bool m_bResult;
    int m_nOpens = 0;
    int m_nCloses = 0;
    int m_nStarts = 0;
    int m_nResets = 0;
};
} // namespace

class TestIInterface : public QObject
{
    Q_OBJECT

private slots:
    void baseIsNeutral()
    {
        IInterface base;
        QVERIFY(!base.open());
        QVERIFY(!base.close());
        QCOMPARE(base.send("SA\r", 3, TcpMessageType::AckExpected, QByteArray(), 200), 0);
        QCOMPARE(base.integerQuery(), 0);
        QVERIFY(!base.waitForBytesWritten(10));
        QCOMPARE(base.bytesToWrite(), qint64(0));
        QCOMPARE(base.stateText(), QStringLiteral("?"));
        QCOMPARE(base.typeName(), QStringLiteral("Null Interface"));
        QVERIFY(base.hostAddressText().isEmpty());
        QCOMPARE(base.connectionState(), ConnectionState::Idle);
        QVERIFY(!base.isSubscriptionModeSet());
        QVERIFY(!base.subscriptionMode());
        QCOMPARE(base.connectWait(), 100);
        QCOMPARE(base.failures(), 0);

        QSignalSpy spy(&base, &IInterface::interfaceStateChanged);
        base.emitState();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
    }

    void sendBytesFollowsTheLengthRule_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("exact") << QByteArray("GS \r") << 4 << QByteArray("GS \r");
        QTest::newRow("shorter") << QByteArray("GS \r") << 2 << QByteArray("GS");
        QTest::newRow("longer than the data") << QByteArray("GS") << 99 << QByteArray("GS");
        QTest::newRow("negative: up to the zero byte") << QByteArray("SUB\r\0xx", 7) << -1 << QByteArray("SUB\r");
        QTest::newRow("negative without zero byte") << QByteArray("SUB\r") << -1 << QByteArray("SUB\r");
    }

    void sendBytesFollowsTheLengthRule()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, length);
        QFETCH(QByteArray, expected);
        QCOMPARE(IInterface::sendBytes(data, length), expected);
    }

    void compositeOpensEveryChildEvenAfterAFailure()
    {
        IComposite composite;
        CountingInterface good1, bad(false), good2;
        composite.addInterface(&good1);
        composite.addInterface(&bad);
        composite.addInterface(&good2);
        QVERIFY(!composite.open());
        QCOMPARE(good1.m_nOpens, 1);
        QCOMPARE(bad.m_nOpens, 1);
        QCOMPARE(good2.m_nOpens, 1);
        QCOMPARE(composite.connectedCount(), 2);
        QVERIFY(!composite.close());
        QCOMPARE(good2.m_nCloses, 1);
        composite.clearInterfaces(false);
    }

    void emptyCompositeOpensAndCloses()
    {
        IComposite composite;
        QVERIFY(composite.open());
        QVERIFY(composite.close());
        QCOMPARE(composite.count(), 0);
        QCOMPARE(composite.interfaceAt(0), nullptr);
    }

    void compositeKeepsOneEntryPerTransport()
    {
        IComposite composite;
        CountingInterface child;
        composite.addInterface(&child);
        composite.addInterface(&child);
        composite.addInterface(nullptr);
        QCOMPARE(composite.count(), 1);
        QCOMPARE(composite.interfaceAt(0), &child);
        QCOMPARE(composite.interfaceAt(1), nullptr);
        QCOMPARE(composite.interfaceAt(-1), nullptr);
        composite.start();
        composite.resetProtocol();
        QCOMPARE(child.m_nStarts, 1);
        QCOMPARE(child.m_nResets, 1);
        composite.clearInterfaces(false);
    }

    void clearWithoutDeleteLeavesChildrenAliveAndOpen()
    {
        IComposite composite;
        CountingInterface child;
        child.open();
        composite.addInterface(&child);
        composite.clearInterfaces(false);
        QCOMPARE(composite.count(), 0);
        QCOMPARE(child.m_nCloses, 0);
        QVERIFY(child.isConnected());
    }

    void clearWithDeleteClosesAndDeletes()
    {
        IComposite composite;
        auto *child = new CountingInterface;
        QPointer<IInterface> guard = child;
        composite.addInterface(child);
        composite.clearInterfaces(true);
        QVERIFY(guard.isNull());
        QCOMPARE(composite.count(), 0);
    }

    void removeClosesAndDeletesOnlyMembers()
    {
        IComposite composite;
        auto *member = new CountingInterface;
        CountingInterface stranger;
        QPointer<IInterface> guard = member;
        composite.addInterface(member);
        composite.removeInterface(&stranger);
        composite.removeInterface(nullptr);
        QCOMPARE(stranger.m_nCloses, 0);
        QCOMPARE(composite.count(), 1);
        composite.removeInterface(member);
        QVERIFY(guard.isNull());
        QCOMPARE(composite.count(), 0);
    }

    void compositeForgetsAChildDestroyedElsewhere()
    {
        IComposite composite;
        auto *child = new CountingInterface;
        composite.addInterface(child);
        delete child;
        QCOMPARE(composite.count(), 0);
        QCOMPARE(composite.interfaceAt(0), nullptr);
        composite.emitState();
        QVERIFY(composite.open());
    }

    void factoryMakesATcpClient()
    {
        IInterfaceFactory factory;
        IInterface *transport = factory.createInterface();
        QVERIFY(qobject_cast<ITcpClient *>(transport));
        QCOMPARE(transport->typeName(), QStringLiteral("TcpClient Interface"));
        QVERIFY(transport->parent() == nullptr);
        delete transport;
    }

    void octets_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("index");
        QTest::addColumn<unsigned>("expected");
        QTest::newRow("most significant") << "192.168.0.1" << 0 << 192u;
        QTest::newRow("second") << "192.168.0.1" << 1 << 168u;
        QTest::newRow("zero octet") << "192.168.0.1" << 2 << 0u;
        QTest::newRow("least significant") << "10.1.2.3" << 3 << 3u;
        QTest::newRow("above three") << "10.1.2.3" << 4 << 255u;
        QTest::newRow("null address") << "" << 0 << 0u;
    }

    void octets()
    {
        QFETCH(QString, address);
        QFETCH(int, index);
        QFETCH(unsigned, expected);
        IIPAddress ip;
        ip.setAddress(QHostAddress(address));
        QCOMPARE(ip.octet(index), expected);
    }

    void setOctet_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("index");
        QTest::addColumn<unsigned>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("low eight bits only") << "10.1.2.3" << 2 << 0x1FFu << "10.1.255.3";
        QTest::newRow("first octet") << "10.1.2.3" << 0 << 192u << "192.1.2.3";
        QTest::newRow("last octet") << "10.1.2.3" << 3 << 0u << "10.1.2.0";
        QTest::newRow("index four changes nothing") << "10.1.2.3" << 4 << 7u << "10.1.2.3";
        QTest::newRow("from a null address") << "" << 0 << 127u << "127.0.0.0";
    }

    void setOctet()
    {
        QFETCH(QString, address);
        QFETCH(int, index);
        QFETCH(unsigned, value);
        QFETCH(QString, expected);
        IIPAddress ip;
        ip.setAddress(QHostAddress(address));
        ip.setOctet(index, value);
        QCOMPARE(ip.toHostAddress(), QHostAddress(expected));
    }
};

VVB_TEST_GUILESS_MAIN(TestIInterface)
#include "tst_iinterface.moc"
