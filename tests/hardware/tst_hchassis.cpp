#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "hardware/HRoot.h"
#include "interfaces/ITcpClient.h"
#include "protocols/PProtocol.h"
#include "support/FakePing.h"
#include "support/FakeProcessorServer.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QPointer>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QXmlAttributes>
#include <QtTest>

namespace {

// Stands in for the model's connection indicator.
class StatusReceiver : public QObject
{
    Q_OBJECT

public:
    QList<bool> states;

public slots:
    void interfaceStatusChanged(bool connected) { states << connected; }
};

// A chassis as the import leaves it: settings from the design file.
HChassis *makeChassis(const FakeProcessorServer &server)
{
    auto *pChassis = new HChassis;
    for (const auto &property : QList<QPair<QString, QString>>{
             {"title", "KRX 880"}, {"label", "Rack"}, {"ipAddress", server.address().toString()},
             {"serialPortNumber", QString::number(server.port())}, {"monitorPort", "51"}})
        pChassis->parseAttributes(TestSupport::designProperty(property.first, property.second));
    return pChassis;
}

ITcpClient *client(const HChassis &chassis)
{
    return qobject_cast<ITcpClient *>(chassis.transport());
}

} // namespace

class TestHChassis : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void protocolAtConstruction();
    void transportOnFirstUse();
    void onlineOnlyWhenInUse();
    void reloadWithoutChangeKeepsNoTransport();
    void reloadReplacesTransport();
    void reloadReopensReplacedTransport();
    void statusReachesReceiver();

private:
    FakePing *m_pPing = nullptr;
    FakeProcessorServer *m_pServer = nullptr;
};

void TestHChassis::init()
{
    // The host check must never reach a real ping here.
    m_pPing = new FakePing(FakePing::Reply);
    m_pServer = new FakeProcessorServer;
    QVERIFY(m_pServer->listen());
}

void TestHChassis::cleanup()
{
    delete m_pServer;
    m_pServer = nullptr;
    delete m_pPing;
    m_pPing = nullptr;
}

void TestHChassis::protocolAtConstruction()
{
    HRoot root;
    auto *pChassis = new HChassis;
    QVERIFY(pChassis->protocol());
    QCOMPARE(pChassis->protocol()->metaObject()->className(), "PVMDProtocol");
    root.addNode(pChassis);
    QVERIFY(pChassis->protocol()); // the root passes none down
    auto *pBlock = new HBlock;
    pChassis->addNode(pBlock);
    QCOMPARE(pBlock->protocol(), pChassis->protocol());
    QVERIFY(!pChassis->transport());
}

void TestHChassis::transportOnFirstUse()
{
    QScopedPointer<HChassis> pChassis(makeChassis(*m_pServer));
    QSignalSpy online(pChassis.data(), &HChassis::onlineStateChanged);
    pChassis->setOnline(true); // not in use: the transport is made, nothing more
    ITcpClient *pClient = client(*pChassis);
    QVERIFY(pClient);
    QCOMPARE(pClient->port(), int(m_pServer->port()));
    QCOMPARE(pClient->hostAddressText(), m_pServer->address().toString());
    QCOMPARE(pClient->owner(), pChassis.data());
    QCOMPARE(pClient->protocol(), pChassis->protocol());
    QCOMPARE(pClient->connectionState(), ConnectionState::Idle);
    QCOMPARE(online.count(), 0);

    HChassis odd;
    odd.parseAttributes(TestSupport::designProperty(QStringLiteral("serialPortNumber"), QStringLiteral("port")));
    odd.createInterface();
    QCOMPARE(client(odd)->port(), 0);
}

void TestHChassis::onlineOnlyWhenInUse()
{
    QScopedPointer<HChassis> pChassis(makeChassis(*m_pServer));
    pChassis->setFlags(HNode::FlagInUse);
    QSignalSpy online(pChassis.data(), &HChassis::onlineStateChanged);
    pChassis->setOnline(true);
    QCOMPARE(online.count(), 1);
    QCOMPARE(online.at(0).at(0).toBool(), true);
    QTRY_VERIFY(pChassis->isConnected());
    QTRY_COMPARE(m_pServer->acceptedCount(), 1);
    pChassis->setOnline(false);
    QCOMPARE(online.count(), 2);
    QVERIFY(!pChassis->isConnected());
    QCOMPARE(client(*pChassis)->connectionState(), ConnectionState::Idle);
}

void TestHChassis::reloadWithoutChangeKeepsNoTransport()
{
    QScopedPointer<HChassis> pChassis(makeChassis(*m_pServer));
    QScopedPointer<HChassis> pNewer(makeChassis(*m_pServer));
    pNewer->parseAttributes(TestSupport::designProperty(QStringLiteral("isMainKRX"), QStringLiteral("True")));
    pChassis->copyFrom(pNewer.data());
    QVERIFY(!pChassis->transport());
    QVERIFY(pChassis->hasFlags(HNode::FlagMainProcessor));
    QVERIFY(pChassis->protocol() != pNewer->protocol());
}

void TestHChassis::reloadReplacesTransport()
{
    QScopedPointer<HChassis> pChassis(makeChassis(*m_pServer));
    pChassis->createInterface();
    QPointer<IInterface> pOld = pChassis->transport();
    QScopedPointer<HChassis> pNewer(makeChassis(*m_pServer));
    pNewer->parseAttributes(TestSupport::designProperty(QStringLiteral("monitorPort"), QStringLiteral("52")));
    pChassis->copyFrom(pNewer.data());

    QCOMPARE(pChassis->monitorPort(), QStringLiteral("52"));
    ITcpClient *pClient = client(*pChassis);
    QVERIFY(pClient && pClient != pOld.data());
    QCOMPARE(pClient->port(), int(m_pServer->port()));
    QCOMPARE(pClient->hostAddressText(), m_pServer->address().toString());
    QCOMPARE(pClient->connectionState(), ConnectionState::Idle); // it was not open
    QTRY_VERIFY(!pOld); // released, not leaked
}

void TestHChassis::reloadReopensReplacedTransport()
{
    QScopedPointer<HChassis> pChassis(makeChassis(*m_pServer));
    pChassis->setFlags(HNode::FlagInUse);
    pChassis->setOnline(true);
    QTRY_VERIFY(pChassis->isConnected());
    QPointer<IInterface> pOld = pChassis->transport();

    QScopedPointer<HChassis> pNewer(makeChassis(*m_pServer));
    pNewer->parseAttributes(TestSupport::designProperty(QStringLiteral("ipPort"), QStringLiteral("80")));
    pChassis->copyFrom(pNewer.data());
    QVERIFY(pChassis->transport() != pOld.data());
    QTRY_VERIFY(pChassis->isConnected());
    QTRY_COMPARE(m_pServer->acceptedCount(), 2);
    QTRY_VERIFY(!pOld);

    // An address change while online does the same.
    pChassis->setProperty(QStringLiteral("ipaddress"), m_pServer->address().toString());
    pOld = pChassis->transport();
    pChassis->recreateInterface();
    QVERIFY(pChassis->transport() != pOld.data());
    QTRY_VERIFY(pChassis->isConnected());
    QTRY_VERIFY(!pOld);
}

void TestHChassis::statusReachesReceiver()
{
    HRoot root;
    HChassis *pChassis = makeChassis(*m_pServer);
    root.addNode(pChassis);
    pChassis->setFlags(HNode::FlagInUse);
    pChassis->createInterface();
    StatusReceiver receiver;
    root.connectStatus(&receiver);
    pChassis->setOnline(true);
    QTRY_VERIFY(receiver.states.contains(true));
    // A replacement transport reports to the same receiver.
    receiver.states.clear();
    pChassis->recreateInterface();
    QTRY_VERIFY(receiver.states.contains(true));
    pChassis->setOnline(false);
}

VVB_TEST_MAIN(TestHChassis)
#include "tst_hchassis.moc"
