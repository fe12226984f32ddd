#include "hardware/HChassis.h"
#include "hardware/HComposite.h"
#include "model/CControl.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "model/OnlineFixture.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WidgetFixture.h"
#include "transforms/TTransform.h"
#include "widgets/WDialer.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Settings = WidgetFixture::Settings;

// The block template's two widgets: an invisible bounds frame and the pad.
void readTemplate(CControl *pControl)
{
    WidgetFixture::readWidget(pControl, QStringLiteral("bounds"),
                              {{"x", "0"}, {"y", "0"}, {"width", "180"}, {"height", "363"}, {"scale", "1"}});
    WidgetFixture::readWidget(pControl, QStringLiteral("dialer"),
                              {{"x", "0"},
                               {"y", "0"},
                               {"width", "180"},
                               {"height", "363"},
                               {"z", "1"},
                               {"xfract", "0"},
                               {"yfract", "0"},
                               {"widthfract", "1"},
                               {"heightfract", "1"},
                               {"title", "*LABEL*"},
                               {"scale", "1"}});
}

void bindAsTemplate(CControl *pControl, const QString &callType)
{
    const Settings binding = {{"index1", "0"}, {"index2", "1"}, {"struct", "8"}, {"transform", "text"},
                              {"callType", callType}};
    for (const auto &attribute : binding)
        pControl->setAttribute(QStringLiteral("range"), attribute.first, attribute.second);
}

WDialer *dialerOf(CControl *pControl)
{
    for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
        if (auto *pDialer = qobject_cast<WDialer *>(pWidget.data()))
            return pDialer;
    }
    return nullptr;
}

// A timer's time-out, as the event loop would deliver it.
void fire(QTimer *pTimer)
{
    if (pTimer->isSingleShot())
        pTimer->stop();
    QVERIFY(QMetaObject::invokeMethod(pTimer, "timeout"));
}

} // namespace

// A dialer placed from a telephone block's template, bound through a "text"
// transform to a node whose protocol records every command and request.
struct DialerFixture
{
    explicit DialerFixture(const QString &callType = QStringLiteral("PSTN"))
        : node(new FakeNode(QStringLiteral("Blocks"), QStringLiteral("PSTN In 1")))
    {
        node->setProtocol(&protocol);
        control = fx.addControl(QStringLiteral("Dialer"), QStringLiteral("Dialer"), node);
        bindAsTemplate(control, callType);
        readTemplate(control);
        control->initialize();
        dialer = dialerOf(control);
        protocol.clear();
    }

    TTransform *transform() const { return control->transform(); }

    // A poll answer for the item the second index names.
    void reply(int second, const QString &text)
    {
        transform()->setReplyIndexes(0, second);
        transform()->deliverReply(text);
    }

    // Keys and replies as a script: "d:5" digit, "h:9" held, "f:7" held five
    // seconds, "b" backspace, "B" backspace held, "c" call or end, "C" call
    // only, "e" end, "a" accept, "o" hold, "x" flash or add, "ea", "ds", "ha"
    // the second-call choices, "s:TEXT" a call-state reply, "i:TEXT" a caller ID.
    void run(const QStringList &script)
    {
        for (const QString &step : script) {
            const QString arg = step.section(QLatin1Char(':'), 1);
            const QString op = step.section(QLatin1Char(':'), 0, 0);
            if (op == QLatin1String("d"))
                emit dialer->digit(arg);
            else if (op == QLatin1String("h"))
                emit dialer->digitHeld(arg);
            else if (op == QLatin1String("f"))
                emit dialer->digitHeldFiveSeconds(arg);
            else if (op == QLatin1String("b"))
                emit dialer->backspace();
            else if (op == QLatin1String("B"))
                emit dialer->backspaceHeld();
            else if (op == QLatin1String("c"))
                emit dialer->callOrEnd(false);
            else if (op == QLatin1String("C"))
                emit dialer->callOrEnd(true);
            else if (op == QLatin1String("e"))
                emit dialer->end();
            else if (op == QLatin1String("a"))
                emit dialer->accept();
            else if (op == QLatin1String("o"))
                emit dialer->hold();
            else if (op == QLatin1String("x"))
                emit dialer->addCallOrFlash();
            else if (op == QLatin1String("ea"))
                emit dialer->endAndAccept();
            else if (op == QLatin1String("ds"))
                emit dialer->declineAndStayActive();
            else if (op == QLatin1String("ha"))
                emit dialer->holdAndAccept();
            else if (op == QLatin1String("s"))
                reply(WDialer::QueryCallState, arg);
            else if (op == QLatin1String("i"))
                reply(WDialer::QueryCallerId, step.mid(2));
            else
                QTest::qFail(qPrintable("unknown step " + step), __FILE__, __LINE__);
        }
    }

    // Every command sent, as "number:text".
    QStringList sent() const
    {
        QStringList commands;
        const QList<int> numbers = protocol.sentThirdIndexes();
        const QStringList texts = protocol.sentTexts();
        for (qsizetype i = 0; i < numbers.size(); ++i)
            commands.append(QString::number(numbers.at(i)) + QLatin1Char(':') + texts.value(i));
        return commands;
    }

    RecordingProtocol protocol;
    WidgetFixture fx;
    FakeNode *node;
    CControl *control = nullptr;
    WDialer *dialer = nullptr;
};

class TestWDialer : public QObject
{
    Q_OBJECT

private slots:
    void createdFromTemplate();
    void placedFromTheBlockTemplate_data();
    void placedFromTheBlockTemplate();
    void keysWhileIdle_data();
    void keysWhileIdle();
    void commands_data();
    void commands();
    void callKeyRecallsAndIsDeadAfterACall();
    void stateReplies_data();
    void stateReplies();
    void errorRepliesOnlyRestartTheCheck_data();
    void errorRepliesOnlyRestartTheCheck();
    void callerId_data();
    void callerId();
    void callerIdQueryGivesUpAfter41Requests();
    void callTime_data();
    void callTime();
    void lostConnection_data();
    void lostConnection();
    void swapOfTwoCalls();
    void settingsRoundTrip();
    void badNumbersInSettings_data();
    void badNumbersInSettings();
    void geometryElementsLeaveNoLayout();
    void readsWithoutAControl();
    void propertyIds();
    void colourSchemes_data();
    void colourSchemes();
    void callRow_data();
    void callRow();
    void keysByMouse();
    void heldVoipCallResumesByMouse();
    void onlineWithAProcessor();
};

void TestWDialer::createdFromTemplate()
{
    DialerFixture f;
    QVERIFY(f.dialer);
    QCOMPARE(f.dialer->dialerState(), WDialer::State_Startup);
    QCOMPARE(f.dialer->statusText(), QStringLiteral("---"));
    QCOMPARE(f.dialer->callType(), QStringLiteral("PSTN"));
    QCOMPARE(f.transform()->secondIndex(), int(WDialer::QueryCallState));
    QCOMPARE(f.dialer->secondaryColor(), QColor(128, 128, 128));
    QVERIFY(!f.dialer->statusUpdateTimer()->isActive());
    QCOMPARE(f.dialer->widget()->property("width").toReal(), 180.0);
    QCOMPARE(f.dialer->widget()->property("height").toReal(), 363.0);
    QVERIFY2(f.fx.canvas().warnings().isEmpty(), qPrintable(f.fx.canvas().warnings().join('\n')));
}

void TestWDialer::placedFromTheBlockTemplate_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("callType");
    QTest::newRow("PSTN") << ":/data/KRX/PstnIn.xml" << "PSTN";
    QTest::newRow("VoIP") << ":/data/KRX/VoipIn.xml" << "VoIP";
}

// The built-in templates of the telephone blocks give a bounds frame and a
// dialer bound to the call state.
void TestWDialer::placedFromTheBlockTemplate()
{
    QFETCH(QString, path);
    QFETCH(QString, callType);
    WidgetFixture fx;
    HComposite design;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("PSTN In 1"));
    pNode->setTemplatePath(path);
    design.addNode(pNode);
    CControl *pControl = fx.panel()->createControlForNode(&design, pNode, QStringLiteral("Dialer"), QPointF(20, 30));
    QVERIFY(pControl);
    pControl->initialize();
    WDialer *pDialer = dialerOf(pControl);
    QVERIFY(pDialer);
    QCOMPARE(pControl->widgets().size(), 2);
    QCOMPARE(pDialer->callType(), callType);
    QCOMPARE(pControl->attributes().structType(), 8u);
    QCOMPARE(pControl->transform()->secondIndex(), int(WDialer::QueryCallState));
    QCOMPARE(pControl->bounds(), QRectF(20, 30, 180, 363));
    QVERIFY2(fx.canvas().warnings().isEmpty(), qPrintable(fx.canvas().warnings().join('\n')));
    fx.panel()->clear();
}

void TestWDialer::keysWhileIdle_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("logging");

    const QStringList ten = {"d:1", "d:2", "d:3", "d:4", "d:5", "d:6", "d:7", "d:8", "d:9", "d:0"};
    QTest::newRow("ten digits") << ten << "(123) 456-7890" << false;
    QTest::newRow("then a star") << (ten + QStringList{"d:*"}) << "1234567890*" << false;
    QTest::newRow("seven digits") << QStringList{"d:5", "d:5", "d:5", "d:1", "d:2", "d:3", "d:4"} << "555-1234"
                                  << false;
    QTest::newRow("four digits") << QStringList{"d:1", "d:2", "d:3", "d:4"} << "123-4" << false;
    QTest::newRow("three digits") << QStringList{"d:1", "d:2", "d:3"} << "123" << false;
    QTest::newRow("eight digits") << QStringList{"d:1", "d:2", "d:3", "d:4", "d:5", "d:6", "d:7", "d:8"}
                                  << "(123) 456-78" << false;
    QTest::newRow("eleven digits") << (ten + QStringList{"d:1"}) << "12345678901" << false;
    QTest::newRow("pound among digits") << QStringList{"d:1", "d:#", "d:2", "d:3"} << "1#23" << false;
    QTest::newRow("backspace") << QStringList{"d:1", "d:2", "d:3", "d:4", "b"} << "123" << false;
    QTest::newRow("backspace on nothing") << QStringList{"b"} << "" << false;
    QTest::newRow("backspace held clears") << QStringList{"d:1", "d:2", "B"} << "" << false;
    QTest::newRow("nine held, logging off") << QStringList{"h:9"} << "9" << false;
    QTest::newRow("seven held long turns logging on") << QStringList{"f:7"} << "" << true;
    QTest::newRow("nine held, logging on") << QStringList{"f:7", "h:9"} << "" << false;
    QTest::newRow("another digit held") << QStringList{"f:7", "h:5"} << "5" << true;
    QTest::newRow("after hang-up") << QStringList{"s:HANGUP", "d:4", "d:2"} << "42" << false;
    QTest::newRow("unknown state is idle") << QStringList{"s:WAITING", "d:4"} << "4" << false;
    QTest::newRow("no digits while ringing") << QStringList{"s:INCOMING", "d:4", "b"} << "" << false;
}

// Keys edit the number locally while no call is up; nothing goes out.
void TestWDialer::keysWhileIdle()
{
    QFETCH(QStringList, script);
    QFETCH(QString, display);
    QFETCH(bool, logging);
    DialerFixture f;
    QSignalSpy displayChanges(f.dialer, &WDialer::displayTextChanged);
    f.run(script);
    QCOMPARE(f.dialer->displayText(), display);
    QCOMPARE(f.dialer->isLoggingActive(), logging);
    QCOMPARE(f.sent(), QStringList());
    if (!display.isEmpty())
        QVERIFY(!displayChanges.isEmpty());
}

void TestWDialer::commands_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("dial") << QStringList{"s:HANGUP", "d:5", "d:5", "d:5", "d:1", "d:2", "d:3", "d:4", "c"}
                          << QStringList{"2:\"5551234\""};
    QTest::newRow("call key in startup ends") << QStringList{"d:1", "c"} << QStringList{"3:"};
    QTest::newRow("call-only key in startup") << QStringList{"d:1", "C"} << QStringList();
    QTest::newRow("nothing to dial") << QStringList{"s:HANGUP", "c"} << QStringList();
    QTest::newRow("dial from dial tone") << QStringList{"s:DIALTONE", "d:7", "c"}
                                         << QStringList{"1:7", "2:\"7\""};
    QTest::newRow("tone in a call") << QStringList{"s:ACTIVE", "d:5", "d:#"} << QStringList{"1:5", "1:#"};
    QTest::newRow("nine held in a call") << QStringList{"s:ACTIVE", "h:9"} << QStringList{"1:9"};
    QTest::newRow("end a call") << QStringList{"s:ACTIVE", "c"} << QStringList{"3:"};
    QTest::newRow("call-only key in a call") << QStringList{"s:ACTIVE", "C"} << QStringList();
    QTest::newRow("end while ringing out") << QStringList{"s:RINGBACK", "c"} << QStringList{"3:"};
    QTest::newRow("hold in a call") << QStringList{"s:ACTIVE", "o"} << QStringList{"6:"};
    QTest::newRow("hold when idle") << QStringList{"s:HANGUP", "o"} << QStringList();
    QTest::newRow("flash in a call") << QStringList{"s:ACTIVE", "x"} << QStringList{"1:!"};
    QTest::newRow("flash with a second call") << QStringList{"s:ACTIVE_INCOMING", "x"} << QStringList{"1:!"};
    QTest::newRow("flash when idle") << QStringList{"s:HANGUP", "x"} << QStringList();
    QTest::newRow("answer, end and the second-call choices")
        << QStringList{"a", "e", "ea", "ds", "ha"} << QStringList{"4:", "3:", "4:", "3:", "6:", "4:"};
    QTest::newRow("digits ignored while ringing") << QStringList{"s:INCOMING", "d:1", "a"} << QStringList{"4:"};
}

// Each command goes out with its number in the third index and its text as
// the value text.
void TestWDialer::commands()
{
    QFETCH(QStringList, script);
    QFETCH(QStringList, commands);
    DialerFixture f;
    f.run(script);
    QCOMPARE(f.sent(), commands);
}

void TestWDialer::callKeyRecallsAndIsDeadAfterACall()
{
    DialerFixture f;
    f.run({"s:HANGUP", "d:5", "d:5", "d:5", "d:1", "d:2", "d:3", "d:4", "c"});
    QCOMPARE(f.dialer->lastNumber(), QStringLiteral("5551234"));
    f.run({"s:OUTGOING", "s:ACTIVE", "s:HANGUP"});
    QCOMPARE(f.dialer->statusText(), QStringLiteral("Call Ended"));
    QCOMPARE(f.dialer->displayText(), QString());
    f.protocol.clear();

    // Within the two seconds after the end the call key does nothing.
    f.run({"c", "c"});
    QCOMPARE(f.sent(), QStringList());
    QCOMPARE(f.dialer->displayText(), QString());

    fire(f.dialer->callEndedTimer());
    QCOMPARE(f.dialer->statusText(), QString());
    QCOMPARE(f.dialer->digits(), QString());
    // First press recalls the number, the second dials it.
    f.run({"c"});
    QCOMPARE(f.dialer->displayText(), QStringLiteral("555-1234"));
    QCOMPARE(f.sent(), QStringList());
    f.run({"c"});
    QCOMPARE(f.sent(), QStringList{"2:\"5551234\""});
}

void TestWDialer::stateReplies_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("divider");
    QTest::addColumn<int>("query");
    QTest::addColumn<bool>("hold");
    QTest::addColumn<bool>("callEnded");

    const int hangUp = WDialer::State_HangUp;
    QTest::newRow("hang-up from startup") << QStringList{"HANGUP"} << hangUp << "" << 4 << 1 << false << false;
    QTest::newRow("idle from startup") << QStringList{"IDLE"} << hangUp << "" << 4 << 1 << false << false;
    QTest::newRow("quoted") << QStringList{"\"BUSY\""} << int(WDialer::State_Busy) << "Busy" << 4 << 1 << false
                            << false;
    QTest::newRow("active") << QStringList{"ACTIVE"} << int(WDialer::State_Active) << "00:00" << 4 << 1 << false
                            << false;
    QTest::newRow("incoming") << QStringList{"INCOMING"} << int(WDialer::State_Incoming) << "Incoming" << 1 << 2
                              << false << false;
    QTest::newRow("answered, caller unknown")
        << QStringList{"INCOMING", "ACTIVE"} << int(WDialer::State_Active) << "00:00" << 1 << 2 << false << false;
    QTest::newRow("second call") << QStringList{"ACTIVE", "ACTIVE_INCOMING"} << int(WDialer::State_ActiveIncoming)
                                 << "Active + Incoming" << 1 << 2 << false << false;
    QTest::newRow("call ended") << QStringList{"ACTIVE", "HANGUP"} << hangUp << "Call Ended" << 4 << 1 << false
                                << true;
    QTest::newRow("attempt ended") << QStringList{"OUTGOING", "IDLE"} << hangUp << "Call Ended" << 4 << 1 << false
                                   << true;
    for (const char *dialing : {"OUTGOING", "RINGBACK", "DIALING", "DIALTONE"})
        QTest::newRow(dialing) << QStringList{QLatin1String(dialing)} << int(WDialer::stateOfReply(dialing))
                               << "Dialing" << 1 << 1 << false << false;
    QTest::newRow("hold") << QStringList{"HOLD"} << int(WDialer::State_Hold) << "Hold" << 4 << 1 << true << false;
    QTest::newRow("hold then active keeps the flag")
        << QStringList{"HOLD", "ACTIVE"} << int(WDialer::State_Active) << "00:00" << 4 << 1 << true << false;
    QTest::newRow("hold then busy clears it")
        << QStringList{"HOLD", "BUSY"} << int(WDialer::State_Busy) << "Busy" << 4 << 1 << false << false;
    QTest::newRow("unknown text") << QStringList{"RINGING"} << int(WDialer::State_OTHER) << "" << 4 << 1 << false
                                  << false;
    QTest::newRow("case matters") << QStringList{"active"} << int(WDialer::State_OTHER) << "" << 4 << 1 << false
                                  << false;
    QTest::newRow("same state again") << QStringList{"BUSY", "BUSY"} << int(WDialer::State_Busy) << "Busy" << 4 << 1
                                      << false << false;
}

void TestWDialer::stateReplies()
{
    QFETCH(QStringList, replies);
    QFETCH(int, state);
    QFETCH(QString, status);
    QFETCH(int, divider);
    QFETCH(int, query);
    QFETCH(bool, hold);
    QFETCH(bool, callEnded);
    DialerFixture f;
    for (const QString &reply : std::as_const(replies))
        f.reply(WDialer::QueryCallState, reply);
    QCOMPARE(int(f.dialer->dialerState()), state);
    QCOMPARE(f.dialer->statusText(), status);
    QCOMPARE(f.transform()->pollDivider(), divider);
    QCOMPARE(f.transform()->secondIndex(), query);
    QCOMPARE(f.dialer->isHoldActive(), hold);
    QCOMPARE(f.dialer->callEndedTimer()->isActive(), callEnded);
    QVERIFY(f.dialer->statusUpdateTimer()->isActive());
    QCOMPARE(f.dialer->callDurationTimer()->isActive(), state == WDialer::State_Active);
    // The pad shows every state without a QML complaint.
    QCoreApplication::processEvents();
    QVERIFY2(f.fx.canvas().warnings().isEmpty(), qPrintable(f.fx.canvas().warnings().join('\n')));
}

void TestWDialer::errorRepliesOnlyRestartTheCheck_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("error") << QStringLiteral("ERROR");
    QTest::newRow("quoted error") << QStringLiteral("\"ERROR\"");
    QTest::newRow("sync error") << PVMDProtocol::syncErrorText();
}

void TestWDialer::errorRepliesOnlyRestartTheCheck()
{
    QFETCH(QString, reply);
    DialerFixture f;
    QSignalSpy changes(f.dialer, &WDialer::dialerStateChanged);
    f.reply(WDialer::QueryCallState, reply);
    QCOMPARE(f.dialer->dialerState(), WDialer::State_Startup);
    QCOMPARE(f.dialer->statusText(), QStringLiteral("---"));
    QVERIFY(f.dialer->statusUpdateTimer()->isActive());
    QCOMPARE(changes.count(), 0);

    f.run({"s:ACTIVE"});
    f.reply(WDialer::QueryCallState, reply);
    QCOMPARE(f.dialer->dialerState(), WDialer::State_Active);
    QVERIFY(f.dialer->callDurationTimer()->isActive());
}

void TestWDialer::callerId_data()
{
    QTest::addColumn<QString>("callType");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("querying");

    QTest::newRow("PSTN name with ampersand") << "PSTN" << "tag&5551234&Smith & Sons" << "Smith & Sons"
                                              << "555-1234" << false;
    QTest::newRow("PSTN quoted") << "PSTN" << "\"tag&5551234&Jones\"" << "Jones" << "555-1234" << false;
    QTest::newRow("PSTN ten digits") << "PSTN" << "x&1234567890&A&B&C" << "A&B&C" << "(123) 456-7890" << false;
    QTest::newRow("PSTN number only") << "PSTN" << "tag&5551234" << "UNKNOWN" << "555-1234" << true;
    QTest::newRow("PSTN empty name") << "PSTN" << "tag&5551234&" << "UNKNOWN" << "555-1234" << true;
    QTest::newRow("PSTN nothing") << "PSTN" << "" << "UNKNOWN" << "" << true;
    QTest::newRow("VoIP whole text") << "VoIP" << "sip:smith&sons@example.com" << "sip:smith&sons@example.com"
                                     << "" << false;
    QTest::newRow("VoIP unknown") << "VoIP" << "UNKNOWN" << "UNKNOWN" << "" << true;
}

// The caller ID of a ringing call; the next poll asks for the state again.
void TestWDialer::callerId()
{
    QFETCH(QString, callType);
    QFETCH(QString, reply);
    QFETCH(QString, id);
    QFETCH(QString, display);
    QFETCH(bool, querying);
    DialerFixture f(callType);
    f.run({"s:INCOMING"});
    QCOMPARE(f.dialer->idString(), QStringLiteral("UNKNOWN"));
    QCOMPARE(f.transform()->secondIndex(), int(WDialer::QueryCallerId));
    f.reply(WDialer::QueryCallerId, reply);
    QCOMPARE(f.dialer->idString(), id);
    QCOMPARE(f.dialer->displayText(), display);
    QCOMPARE(f.dialer->queryTypeToggleTimer()->isActive(), querying);
    QCOMPARE(f.transform()->secondIndex(), int(WDialer::QueryCallState));
}

void TestWDialer::callerIdQueryGivesUpAfter41Requests()
{
    DialerFixture f;
    f.run({"s:INCOMING"});
    QTimer *pToggle = f.dialer->queryTypeToggleTimer();
    QVERIFY(pToggle->isActive());
    // A request still waiting: a tick changes nothing.
    fire(pToggle);
    QCOMPARE(f.dialer->queryToggleCount(), 0);
    for (int request = 1; request <= 41; ++request) {
        f.reply(WDialer::QueryCallerId, QStringLiteral("tag&&"));
        QCOMPARE(f.transform()->secondIndex(), int(WDialer::QueryCallState));
        QVERIFY2(pToggle->isActive(), qPrintable(QString::number(request)));
        fire(pToggle);
        QCOMPARE(f.dialer->queryToggleCount(), request);
        QCOMPARE(f.transform()->secondIndex(), int(WDialer::QueryCallerId));
    }
    QVERIFY(!pToggle->isActive());
    QCOMPARE(f.dialer->idString(), QStringLiteral("UNKNOWN"));
}

void TestWDialer::callTime_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << qint64(0) << "00:00";
    QTest::newRow("65 s") << qint64(65) << "01:05";
    QTest::newRow("last minute of an hour") << qint64(3599) << "59:59";
    QTest::newRow("an hour") << qint64(3600) << "1:00:00";
    QTest::newRow("3725 s") << qint64(3725) << "1:02:05";
    QTest::newRow("ten hours") << qint64(36000) << "10:00:00";
}

void TestWDialer::callTime()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(WDialer::formatDuration(seconds), text);
}

void TestWDialer::lostConnection_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("restored");

    QTest::newRow("while idle") << QStringList{"s:HANGUP"} << QStringList{"s:HANGUP"} << "";
    QTest::newRow("during a call") << QStringList{"s:ACTIVE"} << QStringList{"s:HANGUP"} << "";
    QTest::newRow("back into a call") << QStringList{"s:HANGUP"} << QStringList{"s:ACTIVE"} << "00:00";
}

// Offline for 5 s after the last state reply: "No Connection" until the next
// reply, also past the call-ended pause of a call cut off.
void TestWDialer::lostConnection()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QString, restored);
    DialerFixture f;
    f.run(before);
    fire(f.dialer->statusUpdateTimer());
    QCOMPARE(f.dialer->dialerState(), WDialer::State_HangUp);
    QCOMPARE(f.dialer->statusText(), WDialer::noConnectionText());
    QVERIFY(!f.dialer->callDurationTimer()->isActive());
    if (f.dialer->callEndedTimer()->isActive())
        fire(f.dialer->callEndedTimer());
    QCOMPARE(f.dialer->statusText(), WDialer::noConnectionText());
    f.run(after);
    QCOMPARE(f.dialer->statusText(), restored);
}

void TestWDialer::swapOfTwoCalls()
{
    DialerFixture f;
    f.run({"s:ACTIVE", "i:x&5551234&First", "s:ACTIVE_INCOMING"});
    QCOMPARE(f.dialer->savedIdString(), QStringLiteral("First"));
    QCOMPARE(f.dialer->savedDisplayText(), QStringLiteral("555-1234"));
    f.run({"i:x&5559876&Second", "s:ACTIVE"});
    QVERIFY(f.dialer->isConferencePending());
    f.protocol.clear();
    // Flash: the first call comes back, the second waits.
    f.run({"x"});
    QCOMPARE(f.dialer->idString(), QStringLiteral("First"));
    QCOMPARE(f.dialer->savedIdString(), QStringLiteral("Second"));
    QCOMPARE(f.dialer->savedDisplayText(), QStringLiteral("5559876"));
    QCOMPARE(f.sent(), QStringList{"1:!"});
}

void TestWDialer::settingsRoundTrip()
{
    DialerFixture f;
    QVERIFY(f.dialer->processElement(QStringLiteral("primaryColor"), QStringLiteral("red")));
    QVERIFY(f.dialer->processElement(QStringLiteral("secondaryColorRed"), QStringLiteral("10")));
    QVERIFY(f.dialer->processElement(QStringLiteral("secondaryColorGreen"), QStringLiteral("20")));
    QVERIFY(f.dialer->processElement(QStringLiteral("secondaryColorBlue"), QStringLiteral("30")));
    QVERIFY(f.dialer->processElement(QStringLiteral("alwaysShowCallAndEnd"), QStringLiteral("1")));
    const Settings saved = WidgetFixture::saved(f.dialer);
    const QStringList names = WidgetFixture::names(saved);
    QCOMPARE(names.mid(names.size() - 5),
             (QStringList{"primaryColor", "secondaryColorRed", "secondaryColorGreen", "secondaryColorBlue",
                          "alwaysShowCallAndEnd"}));
    QVERIFY(!names.contains(QStringLiteral("title")));

    auto *pCopy = qobject_cast<WDialer *>(f.fx.reload(f.dialer));
    QVERIFY(pCopy);
    QCOMPARE(pCopy->primaryColor(), QStringLiteral("red"));
    QCOMPARE(pCopy->secondaryRed(), quint8(10));
    QCOMPARE(pCopy->secondaryGreen(), quint8(20));
    QCOMPARE(pCopy->secondaryBlue(), quint8(30));
    QVERIFY(pCopy->alwaysShowCallAndEnd());
    // The colour is built when the control binds.
    pCopy->setupFromParameter(&pCopy->control()->attributes());
    QCOMPARE(pCopy->secondaryColor(), QColor(10, 20, 30));
    QCOMPARE(pCopy->geometry(), f.dialer->geometry());
}

void TestWDialer::badNumbersInSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channel");
    QTest::newRow("low eight bits") << "300" << 44;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("past 32 bits") << "4294967296" << 0;
    QTest::newRow("largest 32-bit") << "4294967295" << 255;
}

void TestWDialer::badNumbersInSettings()
{
    QFETCH(QString, text);
    QFETCH(int, channel);
    DialerFixture f;
    QVERIFY(f.dialer->processElement(QStringLiteral("secondaryColorGreen"), text));
    QCOMPARE(int(f.dialer->secondaryGreen()), channel);
    QVERIFY(f.dialer->processElement(QStringLiteral("alwaysShowCallAndEnd"), text));
    QVERIFY(!f.dialer->processElement(QStringLiteral("scale"), text));
}

// QML answers a size with one of its own; reading a saved dialer must not
// store that as the size of the next dialer.
void TestWDialer::geometryElementsLeaveNoLayout()
{
    DialerFixture f;
    QSettings().remove(QStringLiteral("Layout"));
    const Settings settings = {{"x", "10"}, {"y", "20"}, {"width", "90"}, {"height", "400"}};
    CControl *pControl = f.fx.addControl(QStringLiteral("Dialer"), QStringLiteral("Dialer"));
    QVERIFY(WidgetFixture::readWidget(pControl, QStringLiteral("dialer"), settings));
    QVERIFY(!pControl->isLayoutLocked());
    QVERIFY(!QSettings().contains(QStringLiteral("Layout/Dialer")));
}

// A dialer made straight by the factory has no control yet.
void TestWDialer::readsWithoutAControl()
{
    WidgetFixture fx;
    auto *pDialer = qobject_cast<WDialer *>(fx.canvas().factory()->createWidget(QStringLiteral("dialer")));
    QVERIFY(pDialer);
    QVERIFY(!pDialer->control());
    QVERIFY(pDialer->processElement(QStringLiteral("width"), QStringLiteral("120")));
    QVERIFY(pDialer->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QVERIFY(!pDialer->processElement(QStringLiteral("title"), QStringLiteral("*LABEL*")));
    pDialer->scaleGeometry(2.0, true);
    QCOMPARE(pDialer->widget()->property("width").toReal(), 240.0);
    QVERIFY(pDialer->isAspectRatioCorrectionActive());
    // Offline without a model: the check has nothing to report to.
    emit pDialer->callOrEnd(false);
    QMetaObject::invokeMethod(pDialer, "onStatusUpdateTimeout");
    QCOMPARE(pDialer->statusText(), QStringLiteral("---"));
    delete pDialer->widget();
}

void TestWDialer::propertyIds()
{
    DialerFixture f;
    QCOMPARE(f.dialer->propertyValue(WidgetPropertyId::DialerType).toString(), QStringLiteral("PSTN In 1"));
    f.dialer->setPropertyValue(WidgetPropertyId::DialerRed, 300);
    QCOMPARE(f.dialer->propertyValue(WidgetPropertyId::DialerRed).toInt(), 44);
    QCOMPARE(f.dialer->secondaryColor(), QColor(44, 128, 128));
    f.dialer->setPropertyValue(WidgetPropertyId::DialerPrimaryColor, QStringLiteral("green"));
    QCOMPARE(f.dialer->propertyValue(WidgetPropertyId::DialerPrimaryColor).toString(), QStringLiteral("green"));
    f.dialer->setPropertyValue(WidgetPropertyId::AlwaysShowCallAndEnd, true);
    QCOMPARE(f.dialer->propertyValue(WidgetPropertyId::AlwaysShowCallAndEnd).toBool(), true);
    f.dialer->setPropertyValue(WidgetPropertyId::DialerType, QStringLiteral("VoIP"));
    QCOMPARE(f.dialer->callType(), QStringLiteral("PSTN"));

    // Without a transform every id is ignored, the common ones too.
    WidgetFixture fx;
    auto *pLoose = qobject_cast<WDialer *>(fx.canvas().factory()->createWidget(QStringLiteral("dialer")));
    QVERIFY(pLoose);
    pLoose->setPropertyValue(WidgetPropertyId::DialerBlue, 7);
    pLoose->setPropertyValue(WidgetPropertyId::DialerPrimaryColor, QStringLiteral("red"));
    pLoose->setPropertyValue(WidgetPropertyId::FieldColor, QColor(Qt::red));
    QCOMPARE(pLoose->propertyValue(WidgetPropertyId::DialerBlue).toInt(), 128);
    QCOMPARE(pLoose->primaryColor(), QStringLiteral("black"));
    QVERIFY(!pLoose->widgetProperty("fieldColor").isValid());
    QCOMPARE(pLoose->propertyValue(WidgetPropertyId::DialerType).toString(), QString());
    delete pLoose->widget();
}

void TestWDialer::colourSchemes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QString>("frame");
    QTest::newRow("default") << QString() << "black" << "#000000";
    QTest::newRow("black") << "black" << "black" << "#000000";
    QTest::newRow("blue") << "blue" << "blue" << "#1d98d5";
    QTest::newRow("green") << "green" << "green" << "#8bc34a";
    QTest::newRow("pink") << "pink" << "pink" << "#e91e63";
    QTest::newRow("red") << "red" << "red" << "#d32f2f";
    QTest::newRow("white") << "white" << "white" << "#fafafa";
    QTest::newRow("yellow") << "yellow" << "yellow" << "#ffc107";
    QTest::newRow("unknown name") << "purple" << "black" << "#000000";
    QTest::newRow("other case") << "Blue" << "black" << "#000000";
    QTest::newRow("path-like") << "../red" << "black" << "#000000";
}

// An unknown scheme draws black frames and takes the black keys too, and
// every key the pad names exists in each scheme's folder.
void TestWDialer::colourSchemes()
{
    QFETCH(QString, name);
    QFETCH(QString, scheme);
    QFETCH(QString, frame);
    DialerFixture f;
    if (!name.isEmpty())
        QVERIFY(f.dialer->processElement(QStringLiteral("primaryColor"), name));
    QObject *pItem = f.dialer->widget();
    QCOMPARE(pItem->property("scheme").toString(), scheme);
    QCOMPARE(pItem->property("primaryColor").value<QColor>().name(), frame);
    const QString folder = pItem->property("imageFolder").toString();
    const QUrl base(QStringLiteral("qrc:/qmlcontrol/QmlDialer.qml"));
    for (const char *key : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "asterisk", "pound", "backspace",
                            "hold", "resume", "flash", "add", "join", "split"}) {
        for (const char *face : {"_normal.png", "_pressed.png"}) {
            const QUrl image = base.resolved(QUrl(folder + QLatin1String(key) + QLatin1String(face)));
            QVERIFY2(QFile::exists(QLatin1Char(':') + image.path()), qPrintable(image.toString()));
        }
    }
    QQuickItem *pKey = TestSupport::findItem(qobject_cast<QQuickItem *>(pItem), QStringLiteral("key5"));
    QVERIFY(pKey);
    QCOMPARE(pKey->property("normalImage").toString(), folder + QStringLiteral("5_normal.png"));
}

void TestWDialer::callRow_data()
{
    QTest::addColumn<QString>("callType");
    QTest::addColumn<bool>("always");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("right");

    QTest::newRow("PSTN idle") << "PSTN" << false << "HANGUP" << "" << "call" << "";
    QTest::newRow("PSTN in a call") << "PSTN" << false << "ACTIVE" << "" << "end_call" << "flash";
    QTest::newRow("PSTN ringing out") << "PSTN" << false << "RINGBACK" << "" << "end_call" << "";
    QTest::newRow("PSTN call and end") << "PSTN" << true << "HANGUP" << "call" << "end_call" << "";
    QTest::newRow("VoIP in a call") << "VoIP" << false << "ACTIVE" << "hold" << "end_call" << "add";
    QTest::newRow("VoIP on hold") << "VoIP" << false << "HOLD" << "resume" << "end_call" << "";
    QTest::newRow("PSTN on hold") << "PSTN" << false << "HOLD" << "" << "end_call" << "";
    QTest::newRow("VoIP ignores call and end") << "VoIP" << true << "HANGUP" << "" << "call" << "";
}

// Which keys the call row shows, and with which images.
void TestWDialer::callRow()
{
    QFETCH(QString, callType);
    QFETCH(bool, always);
    QFETCH(QString, state);
    QFETCH(QString, left);
    QFETCH(QString, middle);
    QFETCH(QString, right);
    DialerFixture f(callType);
    f.dialer->processElement(QStringLiteral("alwaysShowCallAndEnd"), always ? QStringLiteral("1") : QStringLiteral("0"));
    f.run({"s:" + state});
    auto *pPad = qobject_cast<QQuickItem *>(f.dialer->widget());
    auto imageOf = [pPad](const char *name) {
        QQuickItem *pKey = TestSupport::findItem(pPad, QLatin1String(name));
        if (!pKey || !pKey->isVisible())
            return QString();
        const QString image = pKey->property("normalImage").toString().section(QLatin1Char('/'), -1);
        return image.section(QLatin1Char('.'), 0, 0).remove(QStringLiteral("_normal"));
    };
    pPad->setVisible(true);
    const QString shownLeft = imageOf("leftCallKey") + imageOf("holdKey");
    QCOMPARE(shownLeft, left);
    QCOMPARE(imageOf("callKey"), middle);
    QCOMPARE(imageOf("flashKey"), right);
}

// As the user does it: clicks on the pad's keys, the call row and the box of
// an incoming call.
void TestWDialer::keysByMouse()
{
    DialerFixture f;
    QQuickWindow window;
    window.resize(400, 400);
    QQuickItem *pCanvas = f.fx.canvas().canvas();
    pCanvas->setParentItem(window.contentItem());
    auto *pPad = qobject_cast<QQuickItem *>(f.dialer->widget());
    pPad->setVisible(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto click = [&](const char *name) {
        QQuickItem *pKey = TestSupport::findItem(pPad, QLatin1String(name));
        QVERIFY2(pKey && pKey->isVisible(), name);
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pKey));
    };

    f.run({"s:HANGUP"});
    for (const char *key : {"key5", "key5", "key5", "key1", "key2", "key3", "key4", "key9"})
        click(key);
    QCOMPARE(f.dialer->displayText(), QStringLiteral("(555) 123-49"));
    click("backspaceKey");
    QCOMPARE(f.dialer->displayText(), QStringLiteral("555-1234"));
    QVERIFY(!TestSupport::findItem(pPad, QStringLiteral("flashKey"))->isVisible());
    click("callKey");
    QCOMPARE(f.sent(), QStringList{"2:\"5551234\""});

    f.run({"s:ACTIVE"});
    QVERIFY(!TestSupport::findItem(pPad, QStringLiteral("backspaceKey"))->isVisible());
    click("key7");
    click("flashKey");
    click("callKey");
    QCOMPARE(f.sent(), (QStringList{"2:\"5551234\"", "1:7", "1:!", "3:"}));

    f.protocol.clear();
    f.run({"s:INCOMING"});
    QVERIFY(TestSupport::findItem(pPad, QStringLiteral("incomingBox"))->isVisible());
    QVERIFY(!TestSupport::findItem(pPad, QStringLiteral("declineKey"))->isVisible());
    click("acceptKey");
    QCOMPARE(f.sent(), QStringList{"4:"});

    pCanvas->setParentItem(nullptr);
    QVERIFY2(f.fx.canvas().warnings().isEmpty(), qPrintable(f.fx.canvas().warnings().join('\n')));
}

// A VoIP call put on hold is taken back with the key that held it, which
// then shows the resume images and answers the held call.
void TestWDialer::heldVoipCallResumesByMouse()
{
    DialerFixture f(QStringLiteral("VoIP"));
    QQuickWindow window;
    window.resize(400, 400);
    QQuickItem *pCanvas = f.fx.canvas().canvas();
    pCanvas->setParentItem(window.contentItem());
    auto *pPad = qobject_cast<QQuickItem *>(f.dialer->widget());
    pPad->setVisible(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QQuickItem *pKey = TestSupport::findItem(pPad, QStringLiteral("holdKey"));
    QVERIFY(pKey);
    // The call row lays its keys out again when one shows or hides: click
    // only after the window has drawn the new layout.
    const auto clickKey = [&]() {
        QSignalSpy drawn(&window, &QQuickWindow::frameSwapped);
        window.requestUpdate();
        QVERIFY(drawn.wait());
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, TestSupport::centreOf(pKey));
    };

    f.run({"s:ACTIVE"});
    QVERIFY(pKey->isVisible());
    clickKey();
    QCOMPARE(f.sent(), QStringList{"6:"});

    f.run({"s:HOLD"});
    QVERIFY(f.dialer->isHoldActive());
    QVERIFY(pKey->isVisible());
    QVERIFY(pKey->property("normalImage").toString().contains(QLatin1String("resume")));
    clickKey();
    QCOMPARE(f.sent(), (QStringList{"6:", "4:"}));

    pCanvas->setParentItem(nullptr);
    QVERIFY2(f.fx.canvas().warnings().isEmpty(), qPrintable(f.fx.canvas().warnings().join('\n')));
}

// Against a processor on the network: the state is polled, a dial goes out
// as the command line, the caller ID is asked for while it rings, and a lost
// processor shows "No Connection" until it answers again.
void TestWDialer::onlineWithAProcessor()
{
    OnlineFixture f;
    HChassis *pChassis = f.processor(QStringLiteral("Rack"));
    FakeProcessorServer *pServer = f.server(pChassis);
    const QByteArray stateQuery("GA\"PSTN In 1\">0>1");
    const QByteArray idQuery("GA\"PSTN In 1\">0>2");
    pServer->setAnswer(stateQuery, stateQuery + "=\"HANGUP\"");
    pServer->setAnswer(idQuery, idQuery + "=\"tag&5551234&Smith & Sons\"");

    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("Dialer"));
    pControl->setType(QStringLiteral("Dialer"));
    pControl->setNode(f.block(pChassis, QStringLiteral("PSTN In 1")));
    bindAsTemplate(pControl, QStringLiteral("PSTN"));
    f.panel()->addChild(pControl);
    pControl->setContextObject(f.model());
    readTemplate(pControl);
    pControl->initialize();
    WDialer *pDialer = dialerOf(pControl);
    QVERIFY(pDialer);

    f.goOnline(true);
    QTRY_COMPARE(pDialer->dialerState(), WDialer::State_HangUp);
    QCOMPARE(pDialer->statusText(), QString());

    for (const char *digit : {"5", "5", "5", "0", "1", "0", "0"})
        emit pDialer->digit(QLatin1String(digit));
    emit pDialer->callOrEnd(false);
    QTRY_COMPARE(pServer->commandCount("MA \"PSTN In 1\">2=\"5550100\""), 1);

    // Ringing: the caller ID is asked for and shown, then the state again.
    pServer->setAnswer(stateQuery, stateQuery + "=INCOMING");
    QTRY_COMPARE(pDialer->dialerState(), WDialer::State_Incoming);
    QTRY_COMPARE(pDialer->idString(), QStringLiteral("Smith & Sons"));
    QCOMPARE(pDialer->displayText(), QStringLiteral("555-1234"));
    QVERIFY(pServer->commandCount(idQuery) >= 1);
    emit pDialer->accept();
    QTRY_COMPARE(pServer->commandCount("MA \"PSTN In 1\">4"), 1);

    // Online the check only restarts.
    fire(pDialer->statusUpdateTimer());
    QVERIFY(pDialer->statusUpdateTimer()->isActive());
    QCOMPARE(pDialer->dialerState(), WDialer::State_Incoming);

    f.goOnline(false);
    fire(pDialer->statusUpdateTimer());
    QCOMPARE(pDialer->statusText(), WDialer::noConnectionText());
    pServer->setAnswer(stateQuery, stateQuery + "=HANGUP");
    f.goOnline(true);
    QTRY_COMPARE(pDialer->statusText(), QString());
}

VVB_TEST_MAIN(TestWDialer)
#include "tst_wdialer.moc"
