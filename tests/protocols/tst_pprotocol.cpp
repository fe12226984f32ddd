#include "protocols/PFileProtocol.h"
#include "protocols/PProtocol.h"
#include "protocols/PProtocolFactory.h"
#include "protocols/PVMDProtocol.h"
#include "support/RecordingInterface.h"
#include "support/TestMain.h"
#include "utility/UTextCodec.h"

#include <QtTest>

class TestPProtocol : public QObject
{
    Q_OBJECT

private slots:
    void factoryChoosesByDeviceType_data();
    void factoryChoosesByDeviceType();
    void baseIsNeutral();
    void onlineFollowsTheInterface();
    void controlProtocolHasNoFileTransfer();
    void codecRoundTripsEveryByte();
    void codecRefusesWhatItCannotWrite_data();
    void codecRefusesWhatItCannotWrite();
};

void TestPProtocol::factoryChoosesByDeviceType_data()
{
    QTest::addColumn<QString>("deviceType");
    QTest::addColumn<QString>("name");
    QTest::newRow("Velmora") << "Velmora 8000" << "VMD";
    QTest::newRow("KRX model") << "KRX-1608" << "VMD";
    QTest::newRow("AQ digits") << "AQ2400" << "VMD";
    QTest::newRow("AZ") << "AZ" << "VMD";
    QTest::newRow("KRX inside") << "NewKRX" << "";
    QTest::newRow("lower case krx") << "krx" << "";
    QTest::newRow("File") << "File" << "File";
    QTest::newRow("file") << "file" << "";
    QTest::newRow("File and more") << "Files" << "";
    QTest::newRow("empty") << "" << "";
}

void TestPProtocol::factoryChoosesByDeviceType()
{
    QFETCH(QString, deviceType);
    QFETCH(QString, name);
    std::unique_ptr<PProtocol> pProtocol(PProtocolFactory().createProtocol(deviceType));
    QCOMPARE(pProtocol ? pProtocol->name() : QString(), name);
}

void TestPProtocol::baseIsNeutral()
{
    PProtocol protocol;
    QCOMPARE(protocol.name(), QStringLiteral("----"));
    QVERIFY(!protocol.sendValue(nullptr));
    QVERIFY(!protocol.requestValue(nullptr));
    QVERIFY(!protocol.sendFile(QStringLiteral("x")));
    QVERIFY(!protocol.receiveFile(QStringLiteral("x")));
    QVERIFY(!protocol.onReceive("x"));
    QVERIFY(!protocol.isSubscribed());
    QSignalSpy spy(&protocol, &PProtocol::onlineStateChanged);
    protocol.onOnlineStateChanged(true);
    QCOMPARE(spy.count(), 0);
    protocol.requestMeterStatus(nullptr);
    protocol.reset();
    protocol.dump();
}

void TestPProtocol::onlineFollowsTheInterface()
{
    PVMDProtocol protocol;
    QTest::ignoreMessage(QtDebugMsg, "No interface to get status from.");
    QVERIFY(!protocol.isOnline());
    auto *pTransport = new RecordingInterface;
    protocol.setInterface(pTransport);
    QVERIFY(protocol.isOnline());
    pTransport->setConnected(false);
    QVERIFY(!protocol.isOnline());
    // The protocol does not own the interface, and forgets it when it goes.
    delete pTransport;
    QVERIFY(!protocol.boundInterface());
}

void TestPProtocol::controlProtocolHasNoFileTransfer()
{
    PVMDProtocol protocol;
    RecordingInterface transport;
    protocol.setInterface(&transport);
    QVERIFY(!protocol.sendFile(QStringLiteral("/tmp/x")));
    QVERIFY(!protocol.receiveFile(QStringLiteral("/tmp/x")));
    PFileProtocol file;
    QVERIFY(!file.sendValue(nullptr));
    QVERIFY(!file.requestValue(nullptr));
}

void TestPProtocol::codecRoundTripsEveryByte()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QByteArray back;
    QVERIFY(UTextCodec::encode(UTextCodec::decode(all), &back));
    QCOMPARE(back, all);
    QCOMPARE(UTextCodec::decode("\x80\x93\xe9"), QStringLiteral("\u20ac\u201c\u00e9"));
}

void TestPProtocol::codecRefusesWhatItCannotWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encodable");
    QTest::newRow("ascii") << "GA\"Gain 1\">1" << true;
    QTest::newRow("euro") << "\u20ac" << true;
    QTest::newRow("greek") << "\u03a9" << false;
    QTest::newRow("emoji") << "\U0001F600" << false;
}

void TestPProtocol::codecRefusesWhatItCannotWrite()
{
    QFETCH(QString, text);
    QFETCH(bool, encodable);
    QByteArray bytes("stale");
    QCOMPARE(UTextCodec::encode(text, &bytes), encodable);
    if (!encodable)
        QVERIFY(bytes.isEmpty());
}

VVB_TEST_GUILESS_MAIN(TestPProtocol)
#include "tst_pprotocol.moc"
