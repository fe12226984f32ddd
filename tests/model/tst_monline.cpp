#include "OnlineFixture.h"

#include "controllers/ActionId.h"
#include "dialogs/DIPAddressChangeDialog.h"
#include "dialogs/DMessageBox.h"
#include "hardware/HChassis.h"
#include "hardware/HRoot.h"
#include "interfaces/IInterface.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "protocols/PProtocol.h"
#include "support/FaderFixture.h"
#include "support/FakeMainController.h"
#include "support/FakeMobileDevice.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WidgetAnswerer.h"
#include "transforms/TTransform.h"
#include "widgets/WSlider.h"
#include "widgets/WTextEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {

const QString Red = QStringLiteral("../../images/skins/Light/indicator_red.png");
const QString Yellow = QStringLiteral("../../images/skins/Light/indicator_ylw.png");
const QString Green = QStringLiteral("../../images/skins/Light/indicator_grn.png");

QString indicator(const OnlineFixture &f)
{
    return f.intrf()->property("connectInd").toString();
}

// The online states a protocol reported to its widgets, in order.
QList<bool> reported(const QSignalSpy &spy)
{
    QList<bool> states;
    for (const QList<QVariant> &arguments : spy)
        states.append(arguments.first().toBool());
    return states;
}

// Every box shown, as title|text; the dialogs answered by a script.
class UserScript
{
public:
    UserScript()
    {
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            boxes.append(title + QLatin1Char('|') + text);
            return 0;
        });
        DModalDialog::setResponder([this](DModalDialog *pDialog) {
            auto *pAddress = qobject_cast<DIPAddressChangeDialog *>(pDialog);
            if (!pAddress)
                return 0;
            shown.append(pAddress->blockName() + QLatin1Char('=') + pAddress->ipAddress());
            pAddress->setIPAddress(entered);
            return answer;
        });
    }
    ~UserScript()
    {
        DMessageBox::setResponder(DMessageBox::Responder());
        DModalDialog::setResponder(DModalDialog::Responder());
    }

    QStringList boxes;
    QStringList shown;
    QString entered;
    int answer = 1;
};

} // namespace

// Going online with the processors in use, polling the shown panel, the
// connection indicator and the address update, against fake processors on
// 127.0.0.1.
class TestMOnline : public QObject
{
    Q_OBJECT

private slots:
    // switching
    void onlineOpensOnlyProcessorsInUse();
    void offlineClosesAndStopsPolling();
    void togglingTellsEachProtocolOnce();
    void switchWithoutHardwareDoesNothing();

    // polling
    void pollingAsksShownPanelInOrder();
    void sentValuePausesRequestsUntilNextTick();
    void pollingWithoutShownPanel();
    void pausingOfflineStartsNothing();
    void faderRoundTrip_data();
    void faderRoundTrip();
    void faderMoveWinsOverAPushInItsWindow();

    // indicator
    void indicatorColours_data();
    void indicatorColours();
    void indicatorFollowsTransports();
    void skinKeepsTheIndicator();

    // addresses and report
    void addressUpdate_data();
    void addressUpdate();
    void addressUpdateReplacesOpenTransport();
    void addressUpdateSkipsConnectedProcessors();
    void addressUpdateWithoutProcessors();
    void networkReport();

    // receiving while online
    void failedReceiveKeepsTheEditorOnline_data();
    void failedReceiveKeepsTheEditorOnline();
};

// ---------------------------------------------------------------- switching

// A processor is in use when a control is bound anywhere below it, also
// through a group, whether or not the project was saved since.
void TestMOnline::onlineOpensOnlyProcessorsInUse()
{
    OnlineFixture f;
    HChassis *pDirect = f.processor(QStringLiteral("Direct"));
    HChassis *pUnused = f.processor(QStringLiteral("Unused"));
    HChassis *pNested = f.processor(QStringLiteral("Nested"));
    QVERIFY(pDirect && pUnused && pNested);
    f.block(pUnused, QStringLiteral("Spare"));
    f.boundControl(QStringLiteral("Gain"), f.block(pDirect, QStringLiteral("Gain 1")), 3);
    HNode *pRoom = f.block(f.group(pNested, QStringLiteral("Rooms")), QStringLiteral("Room 1"));
    f.boundControl(QStringLiteral("Room"), pRoom, 1);
    QVERIFY(!pNested->hasFlags(HNode::FlagInUse));

    QList<QSignalSpy *> spies;
    for (HChassis *pChassis : {pDirect, pUnused, pNested})
        spies.append(new QSignalSpy(pChassis->protocol(), &PProtocol::onlineStateChanged));
    f.goOnline(true);

    QVERIFY(f.model()->isConnectionEnabled());
    QTRY_COMPARE(f.server(pDirect)->connectedCount(), 1);
    QTRY_COMPARE(f.server(pNested)->connectedCount(), 1);
    QTRY_VERIFY(pDirect->isConnected() && pNested->isConnected());
    QCOMPARE(f.server(pUnused)->acceptedCount(), 0);
    QVERIFY(pUnused->transport()); // made, never opened
    QCOMPARE(pUnused->transport()->connectionState(), ConnectionState::Idle);
    // Every protocol hears the switch once and knows the model.
    for (QSignalSpy *pSpy : std::as_const(spies)) {
        QVERIFY(!pSpy->isEmpty());
        QCOMPARE(reported(*pSpy).count(true), 1);
    }
    for (HChassis *pChassis : {pDirect, pUnused, pNested})
        QCOMPARE(pChassis->protocol()->boundModel(), f.model());
    QVERIFY(f.pollTimer()->isActive());
    QVERIFY(f.model()->isPollEnabled());
    QVERIFY(f.panel()->isPollActive());
    qDeleteAll(spies);
}

void TestMOnline::offlineClosesAndStopsPolling()
{
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"));
    f.boundControl(QStringLiteral("Gain"), f.block(pChassis, QStringLiteral("Gain 1")), 3);
    f.goOnline(true);
    QTRY_VERIFY(pChassis->isConnected());
    QSignalSpy spy(pChassis->protocol(), &PProtocol::onlineStateChanged);

    f.goOnline(false);
    QVERIFY(!f.model()->isConnectionEnabled());
    QVERIFY(!pChassis->isConnected());
    QCOMPARE(pChassis->transport()->connectionState(), ConnectionState::Idle);
    QTRY_COMPARE(f.server(pChassis)->connectedCount(), 0);
    QVERIFY(reported(spy).contains(false));
    QVERIFY(!reported(spy).contains(true));
    QVERIFY(!f.pollTimer()->isActive());
    QVERIFY(!f.model()->isPollEnabled());
    QVERIFY(!f.panel()->isPollActive());
}

// However often the editor goes online, a protocol hears each switch once.
void TestMOnline::togglingTellsEachProtocolOnce()
{
    OnlineFixture f;
    HChassis *pUsed = f.processor(QStringLiteral("Used"));
    HChassis *pUnused = f.processor(QStringLiteral("Unused"));
    f.boundControl(QStringLiteral("Gain"), f.block(pUsed, QStringLiteral("Gain 1")), 3);
    QSignalSpy used(pUsed->protocol(), &PProtocol::onlineStateChanged);
    QSignalSpy unused(pUnused->protocol(), &PProtocol::onlineStateChanged);
    for (bool on : {true, false, true, false, true}) {
        f.goOnline(on);
        QTRY_COMPARE(pUsed->isConnected(), on);
    }
    QCOMPARE(reported(used).count(true), 3);
    QCOMPARE(reported(unused), (QList<bool>{true, false, true, false, true}));
    QTRY_COMPARE(f.server(pUsed)->connectedCount(), 1);
}

void TestMOnline::switchWithoutHardwareDoesNothing()
{
    MModel model;
    model.setConnectionEnabled(true);
    QVERIFY(!model.isConnectionEnabled());
    QVERIFY(!model.isPollEnabled());
    model.collectInterfaces();
    model.updateIPAddresses();
    QCOMPARE(model.networkReport(), QStringLiteral("No network information available."));
}

// ---------------------------------------------------------------- polling

// One control now, the next ones from the event loop, in panel order; a
// control that is not polled is passed over, other panels are not asked.
void TestMOnline::pollingAsksShownPanelInOrder()
{
    RecordingProtocol protocol;
    OnlineFixture f;
    auto *pRack = new FakeProcessor;
    f.model()->rootNode()->addNode(pRack);
    QList<CControl *> controls;
    for (const char *name : {"A", "Skipped", "B", "C"}) {
        HNode *pNode = f.block(pRack, QString::fromLatin1(name));
        pNode->setProtocol(&protocol);
        controls.append(f.boundControl(QString::fromLatin1(name), pNode, 1));
    }
    controls.at(1)->setAttribute(QStringLiteral("list"), QStringLiteral("doNotPoll"), QStringLiteral("1"));
    CComposite *pOther = f.addPanel(QStringLiteral("Other"));
    HNode *pHidden = f.block(pRack, QStringLiteral("Hidden"));
    pHidden->setProtocol(&protocol);
    CControl *pHiddenControl = f.boundControl(QStringLiteral("Hidden"), pHidden, 1, pOther);
    f.goOnline(true);
    protocol.clear();

    f.model()->doPolling();
    const QList<TTransform *> expected{controls.at(0)->transform(), controls.at(2)->transform(),
                                       controls.at(3)->transform()};
    QCOMPARE(protocol.requestedValues(), QList<TTransform *>{expected.first()});
    QTRY_VERIFY(protocol.requestedValues().size() >= 3);
    QCOMPARE(protocol.requestedValues().mid(0, 3), expected);
    QVERIFY(!protocol.requestedValues().contains(controls.at(1)->transform()));
    QVERIFY(!protocol.requestedValues().contains(pHiddenControl->transform()));
}

// A value going out clears the flags and restarts the timer: the next tick
// only sets them again, the one after asks for values, from the first control.
void TestMOnline::sentValuePausesRequestsUntilNextTick()
{
    RecordingProtocol protocol;
    OnlineFixture f;
    auto *pRack = new FakeProcessor;
    f.model()->rootNode()->addNode(pRack);
    QList<TTransform *> transforms;
    for (const char *name : {"A", "B", "C"}) {
        HNode *pNode = f.block(pRack, QString::fromLatin1(name));
        pNode->setProtocol(&protocol);
        transforms.append(f.boundControl(QString::fromLatin1(name), pNode, 1)->transform());
    }
    f.goOnline(true);
    QTRY_VERIFY(protocol.requestedValues().contains(transforms.last()));

    // A burst of sent values, as a drag makes.
    for (int i = 0; i < 3; ++i)
        f.model()->setPollPending(false);
    QVERIFY(!f.model()->isPollEnabled());
    QVERIFY(!f.panel()->isPollActive());
    QVERIFY(f.pollTimer()->isActive());
    protocol.clear();
    QSignalSpy ticks(f.pollTimer(), &QTimer::timeout);
    QVERIFY(ticks.wait());
    QVERIFY(protocol.requestedValues().isEmpty());
    QVERIFY(f.model()->isPollEnabled());
    QVERIFY(f.panel()->isPollActive());
    QVERIFY(ticks.wait());
    QTRY_VERIFY(protocol.requestedValues().size() >= 3);
    QCOMPARE(protocol.requestedValues().mid(0, 3), transforms);
}

void TestMOnline::pollingWithoutShownPanel()
{
    MModel model;
    model.init();
    model.rootNode()->addNode(new FakeProcessor);
    model.setConnectionEnabled(true);
    auto *pTimer = model.findChild<QTimer *>(QStringLiteral("polling"));
    QVERIFY(pTimer && pTimer->isActive());
    model.setPollPending(false);
    QVERIFY(!model.isPollEnabled());
    QSignalSpy ticks(pTimer, &QTimer::timeout);
    QVERIFY(ticks.wait());
    QVERIFY(model.isPollEnabled());
    model.setConnectionEnabled(false);
}

void TestMOnline::pausingOfflineStartsNothing()
{
    OnlineFixture f;
    f.model()->setPollPending(true);
    f.model()->setPollPending(false);
    QVERIFY(!f.model()->isPollEnabled());
    QVERIFY(!f.panel()->isPollActive());
    QVERIFY(!f.pollTimer()->isActive());
}

// A fader moved while online sends the exact command; a value polled or
// pushed back moves the knob and the value text and is not echoed.
void TestMOnline::faderRoundTrip_data()
{
    QTest::addColumn<bool>("subscribed");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("position");
    QTest::newRow("polled") << false << QStringLiteral("-20.0") << -40;
    QTest::newRow("pushed") << true << QStringLiteral("-4.5") << -9;
}

void TestMOnline::faderRoundTrip()
{
    QFETCH(bool, subscribed);
    QFETCH(QString, reply);
    QFETCH(int, position);
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"), true,
                                     subscribed ? FakeProcessorServer::Subscription : FakeProcessorServer::Polling);
    FakeProcessorServer *pServer = f.server(pChassis);
    const QByteArray query("GA\"Zone 1\">3");
    if (!subscribed)
        pServer->setAnswer(query, query + '=' + reply.toLatin1());
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("Level"));
    pControl->setType(QStringLiteral("Slider"));
    pControl->setNode(f.block(pChassis, QStringLiteral("Zone 1")));
    for (const auto &attribute : FaderFixture::range("-60", "12", "0.5"))
        pControl->setAttribute(QStringLiteral("range"), attribute.first, attribute.second);
    pControl->setAttribute(QStringLiteral("range"), QStringLiteral("index1"), QStringLiteral("3"));
    pControl->setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
    pControl->updateFractionDigits();
    f.panel()->addChild(pControl);
    pControl->setContextObject(f.model());
    const FaderFixture::Widgets widgets = FaderFixture::readTemplate(pControl, QStringLiteral("*LABEL*"));
    QVERIFY(widgets.fader && widgets.text);

    f.goOnline(true);
    QTRY_VERIFY(pChassis->transport()->isSubscriptionModeSet());
    widgets.fader->setIsSendNeeded(true);
    widgets.fader->outputValue(-12);
    QTRY_COMPARE(pServer->commandCount("SA \"Zone 1\">3=-6.0"), 1);

    if (subscribed) {
        QTRY_COMPARE(pServer->commandCount("SUB \"" + query + '"'), 1);
        pServer->push(query + '=' + reply.toLatin1());
    }
    QTRY_COMPARE(widgets.fader->widgetProperty("value").toInt(), position);
    QCOMPARE(widgets.text->text(), reply);
    QVERIFY(!widgets.fader->isSendPending());
    QTest::qWait(100);
    int sets = 0;
    for (const QByteArray &command : pServer->commands())
        sets += command.startsWith("SA") ? 1 : 0;
    QCOMPARE(sets, 1);

    // The processor's protocol holds polling back on every value it sends.
    f.model()->setPollPending(true);
    QVERIFY(pChassis->protocol()->sendValue(pControl->transform()));
    QVERIFY(!f.model()->isPollEnabled());
    QVERIFY(!f.panel()->isPollActive());
}

// In subscription mode the processor pushes its value whenever it likes; one
// that lands between the user's move and its delayed send must not swallow
// the move, nor be sent back.
void TestMOnline::faderMoveWinsOverAPushInItsWindow()
{
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"), true, FakeProcessorServer::Subscription);
    FakeProcessorServer *pServer = f.server(pChassis);
    const QByteArray query("GA\"Zone 1\">3");
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("Level"));
    pControl->setType(QStringLiteral("Slider"));
    pControl->setNode(f.block(pChassis, QStringLiteral("Zone 1")));
    for (const auto &attribute : FaderFixture::range("-60", "12", "0.5"))
        pControl->setAttribute(QStringLiteral("range"), attribute.first, attribute.second);
    pControl->setAttribute(QStringLiteral("range"), QStringLiteral("index1"), QStringLiteral("3"));
    pControl->setAttribute(QStringLiteral("range"), QStringLiteral("transform"), QStringLiteral("strV"));
    pControl->updateFractionDigits();
    f.panel()->addChild(pControl);
    pControl->setContextObject(f.model());
    const FaderFixture::Widgets widgets = FaderFixture::readTemplate(pControl, QStringLiteral("*LABEL*"));
    QVERIFY(widgets.fader && widgets.text);
    // Whether each value that came in found the user's move still waiting.
    QList<bool> arrivedWhilePending;
    QObject::connect(pControl->transform(), &TTransform::replyValueReady, widgets.fader,
                     [&] { arrivedWhilePending.append(widgets.fader->isSendPending()); });

    f.goOnline(true);
    // A loaded machine may ask again before the first answer is read.
    QTRY_VERIFY(pServer->commandCount("SUB \"" + query + '"') >= 1);
    pServer->push(query + "=-20.0");
    QTRY_COMPARE(widgets.fader->widgetProperty("value").toInt(), -40);

    // The next push is on the wire before the move; it is read at once,
    // well inside the send delay.
    pServer->push(query + "=-30.0");
    QThread::msleep(2 * WSlider::SendDelay);
    QVERIFY(FaderFixture::dragKnob(widgets.fader, -12));
    QTRY_COMPARE(pServer->commandCount("SA \"Zone 1\">3=-6.0"), 1);
    QCOMPARE(arrivedWhilePending, (QList<bool>{false, true}));
    QTest::qWait(10 * WSlider::SendDelay);
    QCOMPARE(widgets.fader->widgetProperty("value").toInt(), -12);
    QCOMPARE(widgets.text->text(), QStringLiteral("-6.0"));
    int sets = 0;
    for (const QByteArray &command : pServer->commands())
        sets += command.startsWith("SA") ? 1 : 0;
    QCOMPARE(sets, 1);

    // The processor's echo of the move is shown and not sent back.
    pServer->push(query + "=-6.0");
    QTRY_COMPARE(arrivedWhilePending.size(), 3);
    QTest::qWait(10 * WSlider::SendDelay);
    QCOMPARE(widgets.fader->widgetProperty("value").toInt(), -12);
    QCOMPARE(pServer->commandCount("SA \"Zone 1\">3=-6.0"), 1);
}

// ---------------------------------------------------------------- indicator

// Only the processors in use count: one that never connects leaves the
// indicator as it is.
void TestMOnline::indicatorColours_data()
{
    QTest::addColumn<int>("listening");
    QTest::addColumn<int>("refusing");
    QTest::addColumn<int>("unused");
    QTest::addColumn<QString>("image");
    QTest::newRow("nothing in use") << 0 << 0 << 1 << Red;
    QTest::newRow("all connected") << 2 << 0 << 0 << Green;
    QTest::newRow("some connected") << 1 << 1 << 0 << Yellow;
    QTest::newRow("none connected") << 0 << 2 << 0 << Red;
    QTest::newRow("unused processor not counted") << 1 << 0 << 1 << Green;
}

void TestMOnline::indicatorColours()
{
    QFETCH(int, listening);
    QFETCH(int, refusing);
    QFETCH(int, unused);
    QFETCH(QString, image);
    OnlineFixture f;
    for (int i = 0; i < listening + refusing + unused; ++i) {
        HChassis *pChassis = f.processor(QStringLiteral("Rack %1").arg(i), i < listening);
        if (i < listening + refusing)
            f.boundControl(QStringLiteral("Gain %1").arg(i), f.block(pChassis, QStringLiteral("Gain %1").arg(i)), 1);
    }
    f.intrf()->setProperty("connectInd", QString());
    QSignalSpy changed(f.model(), &MModel::changedStatusIndicator);
    f.goOnline(true);
    QTRY_COMPARE(indicator(f), image);
    QCOMPARE(MModel::indicatorImage(), image);
    QVERIFY(!changed.isEmpty());
}

void TestMOnline::indicatorFollowsTransports()
{
    OnlineFixture f;
    HChassis *pFirst = f.processor(QStringLiteral("First"));
    HChassis *pSecond = f.processor(QStringLiteral("Second"));
    f.boundControl(QStringLiteral("A"), f.block(pFirst, QStringLiteral("A")), 1);
    f.boundControl(QStringLiteral("B"), f.block(pSecond, QStringLiteral("B")), 1);
    f.goOnline(true);
    QTRY_COMPARE(indicator(f), Green);

    const quint16 firstPort = f.server(pFirst)->port();
    f.server(pSecond)->stopListening();
    f.server(pSecond)->dropConnections();
    QTRY_COMPARE(indicator(f), Yellow);
    f.server(pFirst)->stopListening();
    f.server(pFirst)->dropConnections();
    QTRY_COMPARE(indicator(f), Red);
    QCOMPARE(MModel::indicatorImage(), Red);
    // The client reconnects by itself once its processor is back.
    QVERIFY(f.server(pFirst)->listen(firstPort));
    QTRY_COMPARE_WITH_TIMEOUT(indicator(f), Yellow, 10000);
}

// A skin brings its own offline image; a skin applied while online (canvas
// set-up, a received project) must not show the processors as lost.
void TestMOnline::skinKeepsTheIndicator()
{
    OnlineFixture f;
    HChassis *pRack = f.processor(QStringLiteral("Rack"));
    f.boundControl(QStringLiteral("A"), f.block(pRack, QStringLiteral("A")), 1);
    f.goOnline(true);
    QTRY_COMPARE(indicator(f), Green);
    QSignalSpy changed(f.model(), &MModel::changedStatusIndicator);

    QVERIFY(f.model()->applySkin(QStringLiteral("Light")));

    QCOMPARE(indicator(f), Green);
    QCOMPARE(MModel::indicatorImage(), Green);
    QCOMPARE(changed.count(), 1);
}

// ---------------------------------------------------------------- addresses and report

void TestMOnline::addressUpdate_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("changed");
    QTest::newRow("new address") << 1 << QStringLiteral("10.0.0.9") << true;
    QTest::newRow("same address") << 1 << QStringLiteral("127.0.0.1") << false;
    QTest::newRow("cancelled") << 0 << QStringLiteral("10.0.0.9") << false;
}

void TestMOnline::addressUpdate()
{
    QFETCH(int, answer);
    QFETCH(QString, entered);
    QFETCH(bool, changed);
    UserScript user;
    user.answer = answer;
    user.entered = entered;
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"));
    pChassis->createInterface();
    QPointer<IInterface> pOld = pChassis->transport();

    f.model()->updateIPAddresses();
    QCOMPARE(user.shown, QStringList{QStringLiteral("Rack=127.0.0.1")});
    QVERIFY(user.boxes.isEmpty());
    f.flushDeletes();
    QCOMPARE(pChassis->ipAddress(), changed ? entered : QStringLiteral("127.0.0.1"));
    QCOMPARE(pChassis->hasFlags(HNode::FlagInUse), changed);
    QCOMPARE(f.model()->isModified(), changed);
    QVERIFY(pChassis->transport());
    QCOMPARE(pOld.isNull(), changed);
    QCOMPARE(pChassis->transport()->hostAddressText(), pChassis->ipAddress());
}

// An online processor that cannot be reached may get a new address: its
// transport is closed and released, the new one opens and is counted.
void TestMOnline::addressUpdateReplacesOpenTransport()
{
    UserScript user;
    user.entered = QStringLiteral("127.0.0.1");
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"));
    pChassis->setProperty(QStringLiteral("ipaddress"), QString());
    f.boundControl(QStringLiteral("Gain"), f.block(pChassis, QStringLiteral("Gain 1")), 3);
    f.goOnline(true);
    QTRY_COMPARE(indicator(f), Red);
    QPointer<IInterface> pOld = pChassis->transport();
    QVERIFY(pOld && !pOld->isConnected());

    f.model()->updateIPAddresses();
    QCOMPARE(user.shown, QStringList{QStringLiteral("Rack=0.0.0.0")});
    QVERIFY(pChassis->transport() != pOld.data());
    QVERIFY(!pOld || pOld->connectionState() == ConnectionState::Idle);
    f.flushDeletes();
    QVERIFY(pOld.isNull());
    QTRY_COMPARE(f.server(pChassis)->connectedCount(), 1);
    QTRY_COMPARE(indicator(f), Green);
    QVERIFY(f.model()->isModified());
    QVERIFY(user.boxes.isEmpty());
}

void TestMOnline::addressUpdateSkipsConnectedProcessors()
{
    UserScript user;
    OnlineFixture f;
    HChassis *pFirst = f.processor(QStringLiteral("First"));
    HChassis *pSecond = f.processor(QStringLiteral("Second"));
    f.boundControl(QStringLiteral("A"), f.block(pFirst, QStringLiteral("A")), 1);
    f.boundControl(QStringLiteral("B"), f.block(pSecond, QStringLiteral("B")), 1);
    f.goOnline(true);
    QTRY_VERIFY(pFirst->isConnected() && pSecond->isConnected());

    f.model()->updateIPAddresses();
    QVERIFY(user.shown.isEmpty());
    const QString title = QStringLiteral("IP Address Updater|");
    QCOMPARE(user.boxes, (QStringList{title + "First is online, so its IP address cannot be updated.",
                                      title + "Second is online, so its IP address cannot be updated.",
                                      title + "No items with IP addresses found.  Is a Vazado Ziv loaded?"}));
    QVERIFY(!f.model()->isModified());
}

void TestMOnline::addressUpdateWithoutProcessors()
{
    UserScript user;
    OnlineFixture f;
    f.model()->rootNode()->addNode(new FakeProcessor);
    f.model()->updateIPAddresses();
    QVERIFY(user.shown.isEmpty());
    QCOMPARE(user.boxes, QStringList{QStringLiteral(
                             "IP Address Updater|No items with IP addresses found.  Is a Vazado Ziv loaded?")});
}

void TestMOnline::networkReport()
{
    OnlineFixture f;
    QCOMPARE(f.model()->networkReport(), QStringLiteral("No network information available."));
    HChassis *pRack = f.processor(QStringLiteral("Rack"));
    HChassis *pAmp = f.processor(QStringLiteral("Amp"));
    pAmp->setTitle(QStringLiteral("AZR 4-250"));
    HChassis *pNever = f.processor(QStringLiteral("Never"));
    QVERIFY(!pNever->transport());
    // Without a transport there is nothing to report yet.
    QCOMPARE(f.model()->networkReport(), QStringLiteral("No network information available."));
    pRack->createInterface();
    pAmp->createInterface();
    QCOMPARE(f.model()->networkReport(), "Rack" + pRack->transport()->stateText() + "\n\n");
}

// ---------------------------------------------------------------- receiving while online

void TestMOnline::failedReceiveKeepsTheEditorOnline_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("box"); // the start of the one warning shown; empty: none
    QTest::newRow("truncated project") << "truncated" << "Warning|The project archive ";
    QTest::newRow("save prompt cancelled") << "prompt" << "";
    QTest::newRow("receive box cancelled") << "cancel" << "";
}

// Whatever ends a receive without a new project, the editor is online as
// before: the processors connected, the panel polled, "Go Online" checked.
void TestMOnline::failedReceiveKeepsTheEditorOnline()
{
    QFETCH(QString, how);
    QFETCH(QString, box);
    QTemporaryDir dir;
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"))
        .setValue(QStringLiteral("Path/Designs"), dir.filePath(QStringLiteral("received")));
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"));
    QVERIFY(pChassis);
    f.boundControl(QStringLiteral("Gain"), f.block(pChassis, QStringLiteral("Gain 1")), 3);
    auto *pMain = new FakeMainController({ActionId::GoOnline, ActionId::EditMode});
    pMain->setModel(f.model());
    f.model()->addController(pMain);
    f.model()->setTransferPort(0);
    f.model()->setReceiveAddress(QHostAddress(QHostAddress::LocalHost));
    UserScript user;
    QStringList boxes;
    DMessageBox::setResponder([&](const QString &title, const QString &text) {
        if (text == QLatin1String("There are unsaved changes. Would you like to save?"))
            return int(QMessageBox::Cancel);
        boxes << title + QLatin1Char('|') + text;
        return 0;
    });
    // What the device sends: half of a saved archive, or a whole one.
    const QString saved = dir.filePath(QStringLiteral("show.cpz"));
    QVERIFY(f.model()->saveProject(saved));
    QByteArray bytes = TestSupport::readAll(saved);
    QVERIFY(!bytes.isEmpty());
    if (how == QLatin1String("truncated"))
        bytes.truncate(bytes.size() / 2);
    if (how == QLatin1String("prompt"))
        f.model()->setModified(true);

    f.goOnline(true);
    pMain->setActionChecked(ActionId::GoOnline, true);
    QTRY_VERIFY(pChassis->isConnected());
    FakeMobileDevice device;
    QTimer sender;
    std::unique_ptr<WidgetAnswerer> pCanceller;
    if (how == QLatin1String("cancel")) {
        pCanceller = std::make_unique<WidgetAnswerer>([](QWidget *pWidget) {
            auto *pBox = qobject_cast<QMessageBox *>(pWidget);
            if (!pBox || pBox->windowTitle() != QLatin1String("Receive Control Panel...") || pBox->buttons().isEmpty())
                return false;
            pBox->buttons().first()->click();
            return true;
        });
    } else {
        QObject::connect(&sender, &QTimer::timeout, &sender, [&]() {
            if (const quint16 port = f.model()->receivingPort()) {
                sender.stop();
                device.sendFile(port, bytes);
            }
        });
        sender.start(2);
    }

    QVERIFY(!f.model()->runSystemMenu(QStringLiteral("Receive")));

    if (box.isEmpty())
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(QLatin1Char('\n'))));
    else
        QVERIFY2(boxes.size() == 1 && boxes.first().startsWith(box), qPrintable(boxes.join(QLatin1Char('\n'))));
    QCOMPARE(f.model()->currentPanel(), f.panel());
    QVERIFY(f.model()->isConnectionEnabled());
    QVERIFY(pMain->action(ActionId::GoOnline)->isChecked());
    QVERIFY(f.pollTimer()->isActive());
    QVERIFY(!f.model()->isReceiving());
    QTRY_VERIFY(pChassis->isConnected());
    QTRY_COMPARE(f.server(pChassis)->connectedCount(), 1);
}

VVB_TEST_MAIN(TestMOnline)
#include "tst_monline.moc"
