#include <QtTest>

#include <QThread>

#include "RCFixture.h"
#include "hardware/HRCCommandText.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/RCGroup.h"
#include "hardware/RoomInfo.h"

#include "support/TestMain.h"

using namespace RCFixture;

namespace {
const QString Refused = QStringLiteral("Cannot add 'Blk-Room %1' to the selected combination.");

// Group 3, rooms 1 to 5 (two combinations); "1:3,4;5:1" pairs router room 1
// with rooms 3 and 4 and room 5 with room 1.
void buildGroupThree(HRCGroupInfo &info, int groupCombiner, const QString &pairings)
{
    QHash<int, QList<int>> paired;
    const QStringList entries = pairings.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &entry : entries)
        paired.insert(entry.section(QLatin1Char(':'), 0, 0).toInt(), roomList(entry.section(QLatin1Char(':'), 1)));
    for (int room = 1; room <= 5; ++room)
        info.addRoom(room, QStringLiteral("Blk-Room %1").arg(room), 3, groupCombiner, room, paired.value(room));
}
} // namespace

// Room clicks, command texts and query replies of the room-combining registry.
class TestRCCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    // First, so that a lock left held fails fast instead of hanging later cases.
    void repeatedCallsReleaseTheLock();
    void commandTexts();
    void roomListText_data();
    void roomListText();
    void combineCommand();
    void roomClick_data();
    void roomClick();
    void clickOnUnknownGroupChangesNothing();
    void clickEmptiesLastReplyOnlyWhenSending();
    void reply_data();
    void reply();
    void sameReplyAppliedOnce();
    void malformedReplyIsRemembered();
};

void TestRCCommands::init()
{
    HRCGroupInfo::clearLastGrcResponse();
}

void TestRCCommands::commandTexts()
{
    QCOMPARE(HRCCommandText::query(QStringLiteral("12")), QStringLiteral("GRC 12\r"));
    QCOMPARE(HRCCommandText::join(3, 1, 2), QStringLiteral("SRC 3,1,2,J\r"));
    QCOMPARE(HRCCommandText::split(3, 1, 2), QStringLiteral("SRC 3,1,2,S\r"));
    QCOMPARE(HRCCommandText::combine(4, {QStringLiteral("1,2"), QStringLiteral("3,10")}),
             QStringLiteral("SRC 4,[1,2][3,10]\r"));
    QCOMPARE(HRCCommandText::combine(4, {}), QStringLiteral("SRC 4,\r"));
    QVERIFY(HRCCommandText::isEmptyCombine(HRCCommandText::combine(4, {})));
    QCOMPARE(HRCCommandText::joined({QStringLiteral("A\r"), QString(), QStringLiteral("B\r")}),
             QStringLiteral("A\r;B\r"));

    const QString failure = HRCCommandText::failure(QStringLiteral("No way"));
    QCOMPARE(failure, QStringLiteral("FAILURE::No way"));
    QVERIFY(HRCCommandText::isFailure(failure));
    QVERIFY(!HRCCommandText::isFailure(QStringLiteral("SRC 3,1,2,J\r")));
    QCOMPARE(HRCCommandText::failureMessage(failure), QStringLiteral("No way"));
}

void TestRCCommands::roomListText_data()
{
    QTest::addColumn<QList<int>>("rooms");
    QTest::addColumn<QString>("text");
    QTest::newRow("short before long") << QList<int>({12, 3, 10, 1}) << QStringLiteral("1,3,10,12");
    QTest::newRow("long in text order") << QList<int>({100, 20}) << QStringLiteral("100,20");
    QTest::newRow("one room") << QList<int>({7}) << QStringLiteral("7");
    QTest::newRow("none") << QList<int>() << QString();
}

void TestRCCommands::roomListText()
{
    QFETCH(QList<int>, rooms);
    QFETCH(QString, text);
    QCOMPARE(HRCCommandText::roomListText(rooms), text);
}

void TestRCCommands::combineCommand()
{
    HRCGroupInfo info;
    addRooms(info, 3, 1, 12);
    setCombos(info, 3, {QStringLiteral("12,3,10"), QStringLiteral("4"), QString(), QStringLiteral("5,6")});
    QCOMPARE(info.setCombineCommand(info.findGroup(3)), QStringLiteral("SRC 3,[3,10,12][5,6]\r"));
    setCombos(info, 3, {QString(), QStringLiteral("4"), QString(), QString()});
    QCOMPARE(info.setCombineCommand(info.findGroup(3)), QStringLiteral("SRC 3,\r"));
}

void TestRCCommands::roomClick_data()
{
    QTest::addColumn<int>("groupCombiner");
    QTest::addColumn<QString>("pairings");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("comboIndex");

    const QString none;
    QTest::newRow("combiner join sends whole state")
        << 1 << none << QStringList({"1,2", ""}) << 4 << 0
        << QStringLiteral("SRC 3,[1,2,4]\r") << none << QStringLiteral("crimson")
        << QStringList({"1,2,4", ""}) << 0;
    QTest::newRow("combiner leave keeps shared combination")
        << 1 << none << QStringList({"1,2,4", ""}) << 2 << 0
        << QStringLiteral("SRC 3,[1,4]\r") << none << QStringLiteral("lightgray")
        << QStringList({"1,4", ""}) << -1;
    QTest::newRow("combiner leave leaves one room alone")
        << 1 << none << QStringList({"1,2", ""}) << 2 << 0
        << QStringLiteral("SRC 3,1,2,S\r") << none << QStringLiteral("lightgray")
        << QStringList({"1", ""}) << -1;
    QTest::newRow("combiner first room of empty combination")
        << 1 << none << QStringList({"1,2", ""}) << 5 << 1
        << none << none << QStringLiteral("orange")
        << QStringList({"1,2", "5"}) << 1;
    QTest::newRow("combiner move between combinations")
        << 1 << none << QStringList({"1,2,3", "4,5"}) << 3 << 1
        << QStringLiteral("SRC 3,[1,2][3,4,5]\r") << none << QStringLiteral("orange")
        << QStringList({"1,2", "4,5,3"}) << 1;
    QTest::newRow("combiner move leaving old combination single")
        << 1 << none << QStringList({"1,2", "4"}) << 2 << 1
        << QStringLiteral("SRC 3,[2,4]\r") << none << QStringLiteral("orange")
        << QStringList({"1", "4,2"}) << 1;
    QTest::newRow("combiner only room leaves")
        << 1 << none << QStringList({"1", ""}) << 1 << 0
        << none << none << QStringLiteral("lightgray")
        << QStringList({"", ""}) << -1;
    QTest::newRow("router joins its partner")
        << 0 << QStringLiteral("1:3") << QStringList({"1,2", "3,4"}) << 1 << 1
        << QStringLiteral("SRC 3,3,1,J\r") << none << QStringLiteral("orange")
        << QStringList({"2", "3,4,1"}) << 1;
    QTest::newRow("router joins two partners")
        << 0 << QStringLiteral("1:3,4") << QStringList({"", "3,4"}) << 1 << 1
        << QStringLiteral("SRC 3,3,1,J\r;SRC 3,4,1,J\r") << none << QStringLiteral("orange")
        << QStringList({"", "3,4,1"}) << 1;
    QTest::newRow("router leaves its partner")
        << 0 << QStringLiteral("1:2") << QStringList({"1,2", ""}) << 1 << 0
        << QStringLiteral("SRC 3,2,1,S\r") << none << QStringLiteral("lightgray")
        << QStringList({"2", ""}) << -1;
    QTest::newRow("router without partner is refused")
        << 0 << QStringLiteral("5:1") << QStringList({"1,2", "3,4"}) << 5 << 1
        << none << Refused.arg(5) << QStringLiteral("lightgray")
        << QStringList({"1,2", "3,4"}) << -1;
    QTest::newRow("router split still sent when join refused")
        << 0 << QStringLiteral("1:2") << QStringList({"1,2", "3,4"}) << 1 << 1
        << QStringLiteral("SRC 3,2,1,S\r") << Refused.arg(1) << QStringLiteral("lightgray")
        << QStringList({"2", "3,4"}) << -1;
    QTest::newRow("negative combination ignored")
        << 1 << none << QStringList({"1,2", ""}) << 1 << -1
        << none << none << QStringLiteral("crimson")
        << QStringList({"1,2", ""}) << 0;
    QTest::newRow("combination at count ignored")
        << 1 << none << QStringList({"1,2", ""}) << 4 << 2
        << none << none << QStringLiteral("lightgray")
        << QStringList({"1,2", ""}) << -1;
    QTest::newRow("combination beyond colours ignored")
        << 1 << none << QStringList({"1,2", ""}) << 2 << 9
        << none << none << QStringLiteral("crimson")
        << QStringList({"1,2", ""}) << 0;
    QTest::newRow("unregistered room ignored")
        << 1 << none << QStringList({"1,2", ""}) << 9 << 0
        << none << none << QStringLiteral("lightgray")
        << QStringList({"1,2", ""}) << -1;
}

void TestRCCommands::roomClick()
{
    QFETCH(int, groupCombiner);
    QFETCH(QString, pairings);
    QFETCH(QStringList, before);
    QFETCH(int, room);
    QFETCH(int, selected);
    QFETCH(QString, command);
    QFETCH(QString, failure);
    QFETCH(QString, color);
    QFETCH(QStringList, after);
    QFETCH(int, comboIndex);

    HRCGroupInfo info;
    buildGroupThree(info, groupCombiner, pairings);
    setCombos(info, 3, before);

    const RCClickResult result = info.roomClicked(room, 3, selected);
    QCOMPARE(result.m_sCommand, command);
    QCOMPARE(result.m_sFailure, failure);
    QCOMPARE(result.hasFailure(), !failure.isEmpty());
    QCOMPARE(result.m_sColor, color);
    QVERIFY(!result.m_sCommand.contains(QStringLiteral("FAILURE::")));
    QCOMPARE(comboTexts(info, 3), after);
    if (const RoomInfo *record = info.findRoom(3, room))
        QCOMPARE(record->comboIndex(), comboIndex);
    QCOMPARE(info.roomColor(3, room), color);
}

void TestRCCommands::clickOnUnknownGroupChangesNothing()
{
    HRCGroupInfo info;
    buildGroupThree(info, 1, QString());
    setCombos(info, 3, {QStringLiteral("1,2"), QString()});
    const RCClickResult result = info.roomClicked(1, 4, 0);
    QVERIFY(result.m_sCommand.isEmpty());
    QVERIFY(!result.hasFailure());
    QCOMPARE(result.m_sColor, QStringLiteral("lightgray"));
    QCOMPARE(comboTexts(info, 3), QStringList({"1,2", ""}));
}

void TestRCCommands::clickEmptiesLastReplyOnlyWhenSending()
{
    HRCGroupInfo info;
    buildGroupThree(info, 1, QString());
    const QString reply = QStringLiteral("GRC 3,[1,2]\r");

    // A click that sends: the processor may refuse it, so the same reply must apply again.
    info.processGrcResponse(reply);
    QCOMPARE(comboTexts(info, 3), QStringList({"1,2", ""}));
    QCOMPARE(info.roomClicked(4, 3, 0).m_sCommand, QStringLiteral("SRC 3,[1,2,4]\r"));
    QVERIFY(HRCGroupInfo::lastGrcResponse().isEmpty());
    info.processGrcResponse(reply);
    QCOMPARE(comboTexts(info, 3), QStringList({"1,2", ""}));
    QCOMPARE(info.findRoom(3, 4)->comboIndex(), -1);

    // A click that sends nothing keeps the last reply.
    QVERIFY(info.roomClicked(5, 3, 1).m_sCommand.isEmpty());
    QCOMPARE(HRCGroupInfo::lastGrcResponse(), QStringLiteral("GRC 3,[1,2]"));

    // A refused join empties it as well.
    HRCGroupInfo routers;
    buildGroupThree(routers, 0, QStringLiteral("5:4"));
    setCombos(routers, 3, {QStringLiteral("1,2"), QString()});
    routers.processGrcResponse(QStringLiteral("GRC 3,[1,2]"));
    QVERIFY(routers.roomClicked(5, 3, 0).hasFailure());
    QVERIFY(HRCGroupInfo::lastGrcResponse().isEmpty());
}

void TestRCCommands::reply_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("after");

    const QStringList empty({"", "", "", ""});
    const QStringList mixed({"1,2", "3", "4,5", ""});
    QTest::newRow("two lists") << empty << QStringLiteral("GRC 5,[1,2][3,4]") << QStringList({"1,2", "3,4", "", ""});
    QTest::newRow("carriage return") << empty << QStringLiteral("GRC 5,[1,2][3,4]\r") << QStringList({"1,2", "3,4", "", ""});
    QTest::newRow("line end") << empty << QStringLiteral("GRC 5,[1,2][3,4]\r\n") << QStringList({"1,2", "3,4", "", ""});
    QTest::newRow("trailing blank") << empty << QStringLiteral("GRC 5,[1,2][3,4] ") << QStringList({"1,2", "3,4", "", ""});
    QTest::newRow("no list clears shared") << mixed << QStringLiteral("GRC 5,") << QStringList({"", "3", "", ""});
    QTest::newRow("no list with line end") << mixed << QStringLiteral("GRC 5,\r\n") << QStringList({"", "3", "", ""});
    QTest::newRow("comma between lists") << empty << QStringLiteral("GRC 5,[1,2],[3,4]") << QStringList({"3,4", "", "", ""});
    QTest::newRow("list moves rooms") << QStringList({"1,2", "3,4", "", ""}) << QStringLiteral("GRC 5,[1,3]")
                                      << QStringList({"1,3", "", "", ""});
    QTest::newRow("lone rooms kept") << mixed << QStringLiteral("GRC 5,[4,5]") << QStringList({"", "3", "4,5", ""});
    QTest::newRow("too many lists") << empty << QStringLiteral("GRC 5,[1,2][3,4][5,6][7,8][9,10]")
                                    << QStringList({"1,2", "3,4", "5,6", "9,10"});
    QTest::newRow("item no number") << empty << QStringLiteral("GRC 5,[1,x]") << QStringList({"1,0", "", "", ""});
    QTest::newRow("empty brackets") << mixed << QStringLiteral("GRC 5,[]") << QStringList({"", "3", "", ""});
    QTest::newRow("unterminated list") << mixed << QStringLiteral("GRC 5,[1,2") << QStringList({"", "3", "", ""});
    QTest::newRow("no comma after group") << mixed << QStringLiteral("GRC 5[1,2]") << mixed;
    QTest::newRow("two blanks") << mixed << QStringLiteral("GRC  5,[1,2]") << mixed;
    QTest::newRow("unknown group") << mixed << QStringLiteral("GRC 9,[1,2]") << mixed;
    QTest::newRow("group zero") << mixed << QStringLiteral("GRC 0,[1,2]") << mixed;
    QTest::newRow("negative group") << mixed << QStringLiteral("GRC -5,[1,2]") << mixed;
    QTest::newRow("group no number") << mixed << QStringLiteral("GRC five,[1,2]") << mixed;
    QTest::newRow("group beyond 32 bits") << mixed << QStringLiteral("GRC 4294967301,[1,2]") << mixed;
    QTest::newRow("empty") << mixed << QString() << mixed;
    QTest::newRow("blanks only") << mixed << QStringLiteral(" \r\n") << mixed;
    QTest::newRow("garbage") << mixed << QStringLiteral("\x06][,,[") << mixed;
}

void TestRCCommands::reply()
{
    QFETCH(QStringList, before);
    QFETCH(QString, reply);
    QFETCH(QStringList, after);

    HRCGroupInfo info;
    addRooms(info, 5, 1, 8);
    setCombos(info, 5, before);
    info.processGrcResponse(reply);
    QCOMPARE(comboTexts(info, 5), after);

    const RCGroup *group = info.findGroup(5);
    for (int room = 1; room <= 8; ++room)
        QCOMPARE(info.findRoom(5, room)->comboIndex(), group->comboIndexOfRoom(room));
}

void TestRCCommands::sameReplyAppliedOnce()
{
    HRCGroupInfo info;
    addRooms(info, 5, 1, 8);
    const QString reply = QStringLiteral("GRC 5,[1,2][3,4]\r");
    info.processGrcResponse(reply);
    setCombos(info, 5, {QString(), QString(), QString(), QString()});

    info.processGrcResponse(reply);
    QCOMPARE(comboTexts(info, 5), QStringList({"", "", "", ""}));
    // The same reply with another line end is the same reply.
    info.processGrcResponse(QStringLiteral("GRC 5,[1,2][3,4]\r\n"));
    QCOMPARE(comboTexts(info, 5), QStringList({"", "", "", ""}));

    // A different reply in between makes it apply again; lists land in free combinations.
    info.processGrcResponse(QStringLiteral("GRC 5,[7,8]\r"));
    info.processGrcResponse(reply);
    QCOMPARE(comboTexts(info, 5), QStringList({"", "1,2", "3,4", ""}));
}

void TestRCCommands::malformedReplyIsRemembered()
{
    HRCGroupInfo info;
    addRooms(info, 5, 1, 4);
    info.processGrcResponse(QStringLiteral("GRC 5[1,2]\r"));
    QCOMPARE(HRCGroupInfo::lastGrcResponse(), QStringLiteral("GRC 5[1,2]"));
    info.processGrcResponse(QStringLiteral("GRC 9,[1,2]"));
    QCOMPARE(HRCGroupInfo::lastGrcResponse(), QStringLiteral("GRC 9,[1,2]"));
    QCOMPARE(comboTexts(info, 5), QStringList({"", ""}));
}

void TestRCCommands::repeatedCallsReleaseTheLock()
{
    // Routers in group 3, group combiners in group 4, no group 8.
    auto *info = new HRCGroupInfo;
    buildGroupThree(*info, 0, QStringLiteral("1:2;5:4"));
    addRooms(*info, 4, 1, 4);
    setCombos(*info, 3, {QStringLiteral("1,2"), QStringLiteral("3,4")});
    setCombos(*info, 4, {QStringLiteral("1,2"), QString()});

    // Every path twice in a row: a lock left held would block the second call.
    QThread *worker = QThread::create([info] {
        const QList<QPair<int, int>> clicks = {{1, 0}, {1, 1}, {5, 0}, {3, 0}, {9, 0}, {2, -1}, {2, 7}};
        for (const auto &click : clicks) {
            for (int pass = 0; pass < 2; ++pass) {
                for (int group : {3, 4, 8})
                    info->roomClicked(click.first, group, click.second);
            }
        }
        const QStringList replies = {QStringLiteral("GRC 3,[1,2]"), QStringLiteral("GRC 4,"),
                                     QStringLiteral("GRC 8,[1]"), QStringLiteral("GRC 3[1]")};
        for (const QString &reply : replies) {
            for (int pass = 0; pass < 2; ++pass) {
                HRCGroupInfo::clearLastGrcResponse();
                info->processGrcResponse(reply);
                info->processGrcResponse(reply);
            }
        }
        QStringList names;
        info->combinedRoomNames(1, 3, names);
        info->roomColor(3, 1);
        info->setCombineCommand(info->findGroup(4));
    });
    worker->start();
    if (!worker->wait(QDeadlineTimer(10000))) {
        // The blocked thread can never be joined; end the run rather than hang at exit.
        qFatal("a room-combining operation left the registry's lock held");
    }
    delete worker;
    QScopedPointer<HRCGroupInfo> owner(info);

    // And again on this thread, after the worker's calls.
    QVERIFY(!info->roomClicked(3, 3, 0).m_sColor.isEmpty());
    setCombos(*info, 3, {QString(), QString()});
    info->processGrcResponse(QStringLiteral("GRC 3,[1,2][3,4]"));
    QCOMPARE(comboTexts(*info, 3), QStringList({"1,2", "3,4"}));
}

VVB_TEST_MAIN(TestRCCommands)
#include "tst_rccommands.moc"
