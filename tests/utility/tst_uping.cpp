#include "utility/UPing.h"

#include "support/FakePing.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QtTest>

class TestUPing : public QObject
{
    Q_OBJECT

private slots:
    void reportsTheTextToMatch_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("contains");
        QTest::addColumn<bool>("empty");
        QTest::newRow("reply") << int(FakePing::Reply) << "64 bytes from 127.0.0.1" << false;
        QTest::newRow("unreachable") << int(FakePing::Unreachable) << "Destination Host Unreachable" << false;
        QTest::newRow("no reply") << int(FakePing::Timeout) << "Request timed out" << false;
        QTest::newRow("no ping program") << int(FakePing::Missing) << "" << true;
    }

    void reportsTheTextToMatch()
    {
        QFETCH(int, mode);
        QFETCH(QString, contains);
        QFETCH(bool, empty);
        FakePing fake{FakePing::Mode(mode)};
        QVERIFY(fake.isValid());
        UPing ping;
        QSignalSpy finished(&ping, &UPing::finished);
        QVERIFY(ping.start(QStringLiteral("127.0.0.1")));
        QVERIFY(finished.wait(5000));
        const QString text = finished.at(0).at(0).toString();
        QCOMPARE(text.isEmpty(), empty);
        QVERIFY2(text.contains(contains), qPrintable(text));
        QVERIFY(!ping.isRunning());
    }

    void runsPingWithAnArgumentList()
    {
        FakePing fake(FakePing::Reply);
        UPing ping;
        QSignalSpy finished(&ping, &UPing::finished);
        // A hostile address stays one argument: no shell ever sees it.
        QVERIFY(ping.start(QStringLiteral("127.0.0.1; touch pwned")));
        QVERIFY(finished.wait(5000));
        QCOMPARE(fake.calls(), QStringList{QStringLiteral("-c 1 -W 2 127.0.0.1; touch pwned")});
        QVERIFY(!QFile::exists(QStringLiteral("pwned")));
    }

    void oneRunAtATime()
    {
        FakePing fake(FakePing::Reply);
        UPing ping;
        QSignalSpy finished(&ping, &UPing::finished);
        QVERIFY(ping.start(QStringLiteral("127.0.0.1")));
        QVERIFY(!ping.start(QStringLiteral("127.0.0.1")));
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.count(), 1);
        QVERIFY(ping.start(QStringLiteral("127.0.0.1")));
        ping.cancel();
        QVERIFY(!ping.isRunning());
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
    }

    void matchText_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("reply") << QByteArray("64 bytes") << false << "64 bytes";
        QTest::newRow("failed without a reply") << QByteArray("0 received") << true << "Request timed out";
        QTest::newRow("failed, nothing printed") << QByteArray() << true << "Request timed out";
        QTest::newRow("time-out text kept") << QByteArray("Request timed out.\n") << true
                                            << "Request timed out.\n";
        QTest::newRow("unreachable text kept")
            << QByteArray("Reply from 10.0.0.1: Destination Host Unreachable") << false
            << "Reply from 10.0.0.1: Destination Host Unreachable";
    }

    void matchText()
    {
        QFETCH(QByteArray, output);
        QFETCH(bool, failed);
        QFETCH(QString, expected);
        QCOMPARE(UPing::matchText(output, failed), expected);
    }
};

VVB_TEST_GUILESS_MAIN(TestUPing)
#include "tst_uping.moc"
