#include "interfaces/ITcpClient.h"
#include "protocols/RoutingInfo.h"
#include "protocols/SMSubscriptionManager.h"
#include "support/RecordingInterface.h"
#include "support/TestMain.h"
#include "transforms/TText.h"

#include <QtTest>

namespace {
const QString Ga = QStringLiteral("GA\"Gain 1\">3\r");

// A client that tells how many slots hear its connectionActive.
class ListenedClient : public ITcpClient
{
public:
    int activeListeners() const { return receivers(SIGNAL(connectionActive())); }
};

QList<int> ids(const QList<RoutingInfo *> &records)
{
    QList<int> result;
    for (const RoutingInfo *pRecord : records)
        result.append(pRecord->id());
    return result;
}
} // namespace

class TestSMSubscriptionManager : public QObject
{
    Q_OBJECT

private slots:
    void firstRequestAddsTheProbePlaceholder();
    void probeRequestAddsNothingElse();
    void bindingAgainConnectsOnce();
    void pollingLastAskerPolls();
    void subscriptionOncePerQuery();
    void statusQuerySubscribesAsGS();
    void routing_data();
    void routing();
    void recordsComeMostRecentFirst();
    void destroyedTransformIsPurged();
    void unsubscribeWithoutSendForgetsAll();
    void keysOfRawQueriesEndInComma();
};

void TestSMSubscriptionManager::firstRequestAddsTheProbePlaceholder()
{
    SMSubscriptionManager manager;
    TText transform;
    QCOMPARE(manager.subscribe(Ga, 1, &transform, QString()), SMSubscriptionManager::Poll);
    QCOMPARE(manager.keys(), (QStringList{QStringLiteral("GA\"Gain 1\">3"), QStringLiteral("SUB")}));
    QCOMPARE(ids(manager.map().value(QStringLiteral("SUB"))), QList<int>{999});
    QVERIFY(!manager.map().value(QStringLiteral("SUB")).first()->transform());
}

void TestSMSubscriptionManager::probeRequestAddsNothingElse()
{
    SMSubscriptionManager manager;
    RecordingInterface transport;
    manager.setClient(&transport);
    manager.setClient(&transport);
    QCOMPARE(manager.keys(), QStringList{QStringLiteral("SUB")});
    QCOMPARE(manager.recordCount(), 1);
    // Not a TCP client: nothing to probe or cancel through.
    QVERIFY(!manager.client());
    QVERIFY(transport.messages().isEmpty());
}

void TestSMSubscriptionManager::bindingAgainConnectsOnce()
{
    SMSubscriptionManager manager;
    ListenedClient client;
    ListenedClient other;
    manager.setClient(&client);
    manager.setClient(&client);
    manager.setClient(&client);
    QCOMPARE(client.activeListeners(), 1);
    QCOMPARE(manager.client(), &client);
    QCOMPARE(manager.recordCount(), 1);
    // Another client takes the place of the first.
    manager.setClient(&other);
    QCOMPARE(client.activeListeners(), 0);
    QCOMPARE(other.activeListeners(), 1);
}

void TestSMSubscriptionManager::pollingLastAskerPolls()
{
    SMSubscriptionManager manager;
    TText a;
    TText b;
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), SMSubscriptionManager::Poll);
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), SMSubscriptionManager::Poll);
    QCOMPARE(manager.subscribe(Ga, 1, &b, QString()), QString());
    QCOMPARE(manager.subscribe(Ga, 1, &b, QString()), SMSubscriptionManager::Poll);
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), QString());
    // Another routing id is another record.
    QCOMPARE(manager.subscribe(Ga, 2, &b, QString()), QString());
    QCOMPARE(manager.map().value(QStringLiteral("GA\"Gain 1\">3")).size(), 3);
}

void TestSMSubscriptionManager::subscriptionOncePerQuery()
{
    SMSubscriptionManager manager;
    manager.setSubscriptionEnabled(true);
    TText a;
    TText b;
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), SMSubscriptionManager::Sub);
    // The protocol records the subscription under its key.
    const QString key = QStringLiteral("SUB \"GA\"Gain 1\">3\"");
    QCOMPARE(manager.subscribe(key, 1, &a, QString()), SMSubscriptionManager::Sub);
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), QString());
    QCOMPARE(manager.subscribe(Ga, 1, &a, QString()), QString());
    // A newcomer has the subscription sent once more.
    QCOMPARE(manager.subscribe(Ga, 1, &b, QString()), SMSubscriptionManager::Sub);
}

void TestSMSubscriptionManager::statusQuerySubscribesAsGS()
{
    SMSubscriptionManager manager;
    manager.setSubscriptionEnabled(true);
    TText transform;
    QCOMPARE(manager.subscribe(QStringLiteral("S"), 4, &transform, QString()), SMSubscriptionManager::Sub);
    manager.subscribe(QStringLiteral("SUB \"GS\""), 4, &transform, QString());
    QCOMPARE(manager.subscribe(QStringLiteral("S"), 4, &transform, QString()), QString());
}

void TestSMSubscriptionManager::routing_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QList<int>>("routed");
    QTest::newRow("GA") << "GA\"Gain 1\">3=-12.0" << QList<int>{1};
    QTest::newRow("GA of another node") << "GA\"Gain 2\">3=1" << QList<int>{};
    QTest::newRow("two =") << "GA\"Gain 1\">3=1=2" << QList<int>{};
    QTest::newRow("GG") << "GG 3,5" << QList<int>{5};
    QTest::newRow("GG with two commas") << "GG 3,5,6" << QList<int>{};
    QTest::newRow("status") << "S 1f" << QList<int>{4};
    QTest::newRow("status without value") << "S" << QList<int>{};
    QTest::newRow("room state") << "GRC 2,[1,3]" << QList<int>{9};
    QTest::newRow("another room group") << "GRC 3,[1]" << QList<int>{};
    QTest::newRow("room without comma") << "GRC 2" << QList<int>{9};
    QTest::newRow("meter") << "GL 1A [1,2]" << QList<int>{10};
    QTest::newRow("meter in lower case") << "GL 1a [1,2]" << QList<int>{10};
    QTest::newRow("meter of one word") << "GL" << QList<int>{};
    QTest::newRow("probe answer") << "SUB,yes" << QList<int>{999};
    QTest::newRow("empty") << "" << QList<int>{};
    QTest::newRow("garbage") << "\x01\x02 ;;,=" << QList<int>{};
}

void TestSMSubscriptionManager::routing()
{
    QFETCH(QString, reply);
    QFETCH(QList<int>, routed);
    SMSubscriptionManager manager;
    TText transform;
    manager.subscribe(Ga, 1, &transform, QString());
    manager.subscribe(QStringLiteral("GG 3\r"), 5, &transform, QString());
    manager.subscribe(QStringLiteral("S"), 4, &transform, QString());
    manager.subscribe(QStringLiteral("GRC 2\r"), 9, &transform, QString());
    manager.subscribe(QStringLiteral("GL 1A\r"), 10, &transform, QString());
    const QStringList keysBefore = manager.keys();
    QCOMPARE(ids(manager.subscribersForReply(reply)), routed);
    QCOMPARE(manager.keys(), keysBefore);
}

void TestSMSubscriptionManager::recordsComeMostRecentFirst()
{
    SMSubscriptionManager manager;
    TText a;
    TText b;
    manager.subscribe(Ga, 1, &a, QString());
    manager.subscribe(Ga, 1, &b, QString());
    const QList<RoutingInfo *> records = manager.subscribersForReply(QStringLiteral("GA\"Gain 1\">3=1"));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0)->transform(), &b);
    QCOMPARE(records.at(1)->transform(), &a);
}

void TestSMSubscriptionManager::destroyedTransformIsPurged()
{
    SMSubscriptionManager manager;
    manager.setSubscriptionEnabled(true);
    auto *pA = new TText;
    auto *pB = new TText;
    manager.subscribe(Ga, 1, pA, QString());
    manager.subscribe(QStringLiteral("SUB \"GA\"Gain 1\">3\""), 1, pA, QString());
    manager.subscribe(Ga, 1, pB, QString());
    delete pA;
    QList<RoutingInfo *> records = manager.subscribersForReply(QStringLiteral("GA\"Gain 1\">3=1"));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first()->transform(), pB);
    QVERIFY(!manager.keys().contains(QStringLiteral("SUB \"GA\"Gain 1\">3\"")));
    delete pB;
    QCOMPARE(manager.keys(), QStringList{QStringLiteral("SUB")});
    // A new transform at any address starts afresh.
    TText c;
    QCOMPARE(manager.subscribe(Ga, 1, &c, QString()), SMSubscriptionManager::Sub);
}

void TestSMSubscriptionManager::unsubscribeWithoutSendForgetsAll()
{
    SMSubscriptionManager manager;
    TText transform;
    manager.subscribe(Ga, 1, &transform, QString());
    manager.unsubscribeAll(false);
    QVERIFY(manager.map().isEmpty());
    QCOMPARE(manager.subscribe(Ga, 1, &transform, QString()), SMSubscriptionManager::Poll);
    QVERIFY(manager.keys().contains(QStringLiteral("SUB")));
}

void TestSMSubscriptionManager::keysOfRawQueriesEndInComma()
{
    QCOMPARE(SMSubscriptionManager::queryKey(QStringLiteral("GRC 2\r"), 9), QStringLiteral("GRC 2,"));
    QCOMPARE(SMSubscriptionManager::queryKey(QStringLiteral("GRC 2\r"), 1), QStringLiteral("GRC 2"));
    QCOMPARE(SMSubscriptionManager::queryKey(QStringLiteral("GS \r\r"), 4), QStringLiteral("GS \r"));
}

VVB_TEST_GUILESS_MAIN(TestSMSubscriptionManager)
#include "tst_smsubscriptionmanager.moc"
