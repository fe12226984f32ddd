#include <QtTest>

#include "RCFixture.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/RCCombo.h"
#include "hardware/RCGroup.h"
#include "hardware/RoomInfo.h"

#include "support/TestMain.h"

using namespace RCFixture;

// The registry of rooms, groups and combinations, without commands.
class TestRCGroupInfo : public QObject
{
    Q_OBJECT

private slots:
    void fiveRoomsGiveTwoCombinations();
    void combinationsFollowRoomCount_data();
    void combinationsFollowRoomCount();
    void twentyRoomsCapAtEight();
    void duplicateRegistrationKeepsSecondRecord();
    void unknownRoomsAndGroupsAnswerDefaults();
    void roomColorFollowsComboIndex();
    void isRoomInComboRejectsOutOfRangeIndexes();
    void combinedRoomNames_data();
    void combinedRoomNames();
    void refreshComboIndexesFollowsCombinations();
    void importRoomsCopiesOneGroup_data();
    void importRoomsCopiesOneGroup();
    void importRoomsIntoItselfChangesNothing();
    void clearRoomsStartsAgain();
    void groupHelpers();
    void metaTypeCreatesAndDestroys();
};

void TestRCGroupInfo::fiveRoomsGiveTwoCombinations()
{
    HRCGroupInfo info;
    addRooms(info, 2, 1, 5);
    const RCGroup *group = info.findGroup(2);
    QVERIFY(group);
    QCOMPARE(group->name(), QStringLiteral("NOT_NAMED"));
    QCOMPARE(group->rooms(), QList<int>({1, 2, 3, 4, 5}));
    QCOMPARE(group->comboCount(), 2);
    QCOMPARE(group->colors(), QStringList({QStringLiteral("crimson"), QStringLiteral("orange")}));
    QCOMPARE(info.comboColorList(2), group->colors());
    QCOMPARE(group->combo(0)->groupNumber(), 2);
    QVERIFY(group->combo(0)->isEmpty());
    QCOMPARE(info.findRoom(2, 4)->comboIndex(), -1);
    QCOMPARE(info.roomName(2, 4), QStringLiteral("Blk-Room 4"));
    QCOMPARE(info.roomNodeId(2, 4), 104);

    info.setGroupName(2, QStringLiteral("Ballroom"));
    QCOMPARE(group->name(), QStringLiteral("Ballroom"));
    info.setGroupName(9, QStringLiteral("Nowhere"));
    QVERIFY(!info.findGroup(9));
}

void TestRCGroupInfo::combinationsFollowRoomCount_data()
{
    QTest::addColumn<int>("rooms");
    QTest::addColumn<int>("combos");
    QTest::newRow("one room") << 1 << 0;
    QTest::newRow("two rooms") << 2 << 1;
    QTest::newRow("three rooms") << 3 << 1;
    QTest::newRow("four rooms") << 4 << 2;
    QTest::newRow("fifteen rooms") << 15 << 7;
    QTest::newRow("sixteen rooms") << 16 << 8;
    QTest::newRow("seventeen rooms") << 17 << 8;
}

void TestRCGroupInfo::combinationsFollowRoomCount()
{
    QFETCH(int, rooms);
    QFETCH(int, combos);
    HRCGroupInfo info;
    addRooms(info, 1, 1, rooms);
    QCOMPARE(info.findGroup(1)->comboCount(), combos);
    QCOMPARE(info.comboColorList(1).size(), combos);
}

void TestRCGroupInfo::twentyRoomsCapAtEight()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 20);
    RCGroup *group = info.findGroup(1);
    QCOMPARE(group->rooms().size(), 20);
    QCOMPARE(group->comboCount(), 8);
    QCOMPARE(group->colors(), HRCGroupInfo::comboColors());
    QCOMPARE(HRCGroupInfo::comboColors().last(), QStringLiteral("sienna"));
    QCOMPARE(group->addCombo(), -1);
    QCOMPARE(group->comboCount(), 8);
    QCOMPARE(group->colors().size(), 8);
}

void TestRCGroupInfo::duplicateRegistrationKeepsSecondRecord()
{
    HRCGroupInfo info;
    addRooms(info, 4, 1, 4);
    info.addRoom(3, QStringLiteral("Other-Hall"), 4, 0, 77, {1});
    const RCGroup *group = info.findGroup(4);
    QCOMPARE(group->rooms(), QList<int>({1, 2, 3, 4}));
    QCOMPARE(group->comboCount(), 2);
    const RoomInfo *record = info.findRoom(4, 3);
    QCOMPARE(record->name(), QStringLiteral("Other-Hall"));
    QCOMPARE(record->nodeId(), 77);
    QCOMPARE(record->groupCombiner(), 0);
    QCOMPARE(record->pairedRooms(), QList<int>({1}));

    // The same room number in another group is another room.
    info.addRoom(3, QStringLiteral("Far-Room"), 5, 1, 9, {});
    QCOMPARE(info.roomName(4, 3), QStringLiteral("Other-Hall"));
    QCOMPARE(info.roomName(5, 3), QStringLiteral("Far-Room"));
    QCOMPARE(HRCGroupInfo::roomKey(2, 7), QStringLiteral("RK_2_7"));
}

void TestRCGroupInfo::unknownRoomsAndGroupsAnswerDefaults()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 2);
    QVERIFY(!info.findRoom(1, 3));
    QVERIFY(!info.findGroup(2));
    QCOMPARE(info.roomName(1, 3), QStringLiteral("UNKNOWN"));
    QCOMPARE(info.roomNodeId(1, 3), -1);
    QVERIFY(info.comboColorList(2).isEmpty());
    QCOMPARE(info.roomColor(1, 3), QStringLiteral("lightgray"));
    QCOMPARE(info.roomColor(2, 1), QStringLiteral("lightgray"));
    QVERIFY(!info.isRoomInCombo(1, 2, 0));
    QCOMPARE(info.setCombineCommand(nullptr), QString());
}

void TestRCGroupInfo::roomColorFollowsComboIndex()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 6);
    QCOMPARE(info.roomColor(1, 5), HRCGroupInfo::noComboColor());
    setCombos(info, 1, {QString(), QString(), QStringLiteral("5,6")});
    QCOMPARE(info.roomColor(1, 5), QStringLiteral("yellow"));
    // An index that no colour stands for shows as in no combination.
    info.findRoom(1, 5)->setComboIndex(7);
    QCOMPARE(info.roomColor(1, 5), QStringLiteral("lightgray"));
}

void TestRCGroupInfo::isRoomInComboRejectsOutOfRangeIndexes()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 4);
    setCombos(info, 1, {QStringLiteral("1,2"), QStringLiteral("3")});
    QVERIFY(info.isRoomInCombo(2, 1, 0));
    QVERIFY(info.isRoomInCombo(3, 1, 1));
    QVERIFY(!info.isRoomInCombo(3, 1, 0));
    QVERIFY(!info.isRoomInCombo(1, 1, 2));
    QVERIFY(!info.isRoomInCombo(1, 1, -1));
}

void TestRCGroupInfo::combinedRoomNames_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("first room") << 1 << QStringList({QStringLiteral("Room B"), QStringLiteral("Main")});
    QTest::newRow("last room") << 3 << QStringList({QStringLiteral("Room A"), QStringLiteral("Room B")});
    QTest::newRow("room alone") << 4 << QStringList();
    QTest::newRow("room in no combination") << 5 << QStringList();
    QTest::newRow("unknown room") << 9 << QStringList();
}

void TestRCGroupInfo::combinedRoomNames()
{
    QFETCH(int, room);
    QFETCH(QStringList, names);
    HRCGroupInfo info;
    info.addRoom(1, QStringLiteral("Combiner-Room A"), 6, 1, 1, {});
    info.addRoom(2, QStringLiteral("Combiner-Room B"), 6, 1, 2, {});
    info.addRoom(3, QStringLiteral("Main"), 6, 1, 3, {});
    info.addRoom(4, QStringLiteral("Combiner-Side-Room"), 6, 1, 4, {});
    info.addRoom(5, QStringLiteral("Combiner-Lobby"), 6, 1, 5, {});
    setCombos(info, 6, {QStringLiteral("1,2,3"), QStringLiteral("4")});

    QStringList result({QStringLiteral("stale")});
    info.combinedRoomNames(room, 6, result);
    QCOMPARE(result, names);
}

void TestRCGroupInfo::refreshComboIndexesFollowsCombinations()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 4);
    addRooms(info, 12, 1, 2);
    setCombos(info, 1, {QStringLiteral("3,4"), QStringLiteral("1")});
    setCombos(info, 12, {QStringLiteral("2")});
    QCOMPARE(info.findRoom(1, 1)->comboIndex(), 1);
    QCOMPARE(info.findRoom(1, 2)->comboIndex(), -1);
    QCOMPARE(info.findRoom(1, 3)->comboIndex(), 0);
    QCOMPARE(info.findRoom(12, 1)->comboIndex(), -1);
    QCOMPARE(info.findRoom(12, 2)->comboIndex(), 0);
}

void TestRCGroupInfo::importRoomsCopiesOneGroup_data()
{
    QTest::addColumn<QString>("groupText");
    QTest::addColumn<int>("group");
    QTest::newRow("number") << QStringLiteral("2") << 2;
    QTest::newRow("no number copies group 0") << QStringLiteral("two") << 0;
}

void TestRCGroupInfo::importRoomsCopiesOneGroup()
{
    QFETCH(QString, groupText);
    QFETCH(int, group);
    HRCGroupInfo source;
    addRooms(source, 0, 1, 2);
    addRooms(source, 2, 1, 3, 0);
    source.addRoom(4, QStringLiteral("R-Four"), 2, 0, 44, {1, 3});
    HRCGroupInfo target;
    addRooms(target, 7, 1, 2);

    source.importRooms(&target, groupText);
    QCOMPARE(target.findGroup(group)->rooms(), source.findGroup(group)->rooms());
    QCOMPARE(target.findGroup(7)->rooms(), QList<int>({1, 2}));
    for (int room : source.findGroup(group)->rooms()) {
        const RoomInfo *copy = target.findRoom(group, room);
        const RoomInfo *original = source.findRoom(group, room);
        QVERIFY(copy && copy != original);
        QCOMPARE(copy->name(), original->name());
        QCOMPARE(copy->nodeId(), original->nodeId());
        QCOMPARE(copy->groupCombiner(), original->groupCombiner());
        QCOMPARE(copy->pairedRooms(), original->pairedRooms());
    }
    const int other = group == 2 ? 0 : 2;
    QVERIFY(!target.findGroup(other));
}

void TestRCGroupInfo::importRoomsIntoItselfChangesNothing()
{
    HRCGroupInfo info;
    addRooms(info, 2, 1, 3);
    const RoomInfo *before = info.findRoom(2, 1);
    info.importRooms(&info, QStringLiteral("2"));
    info.importRooms(nullptr, QStringLiteral("2"));
    QCOMPARE(info.findRoom(2, 1), before);
    QCOMPARE(info.findGroup(2)->rooms(), QList<int>({1, 2, 3}));

    // A record may be registered again from itself.
    info.addRoomRecord(info.findRoom(2, 2));
    QCOMPARE(info.roomName(2, 2), QStringLiteral("Blk-Room 2"));
}

void TestRCGroupInfo::clearRoomsStartsAgain()
{
    HRCGroupInfo info;
    addRooms(info, 3, 1, 4);
    info.setGroupName(3, QStringLiteral("Hall"));
    info.clearRooms();
    QVERIFY(!info.findGroup(3));
    QVERIFY(!info.findRoom(3, 1));
    QCOMPARE(info.roomName(3, 1), QStringLiteral("UNKNOWN"));
    QVERIFY(info.comboColorList(3).isEmpty());

    addRooms(info, 3, 1, 1);
    QCOMPARE(info.findGroup(3)->name(), QStringLiteral("NOT_NAMED"));
    QCOMPARE(info.findGroup(3)->rooms(), QList<int>({1}));
}

void TestRCGroupInfo::groupHelpers()
{
    HRCGroupInfo info;
    addRooms(info, 1, 1, 8);
    RCGroup *group = info.findGroup(1);
    setCombos(info, 1, {QStringLiteral("1,2,3"), QStringLiteral("4"), QString(), QStringLiteral("5,6")});
    QCOMPARE(group->loneRooms(), QList<int>({4}));
    QCOMPARE(group->comboRoomsExcept(2, 0), QList<int>({1, 3}));
    QVERIFY(group->comboRoomsExcept(2, -1).isEmpty());
    QVERIFY(group->comboRoomsExcept(2, 4).isEmpty());
    QCOMPARE(group->comboIndexOfRoom(6), 3);
    QCOMPARE(group->comboIndexOfRoom(7), -1);

    group->dropUnlistedRooms({1, 2}, {4});
    QCOMPARE(comboTexts(info, 1), QStringList({"1,2", "4", "", ""}));

    setCombos(info, 1, {QStringLiteral("1,2,3"), QStringLiteral("4"), QString(), QStringLiteral("5,6")});
    group->clearCombos(true);
    QCOMPARE(comboTexts(info, 1), QStringList({"", "4", "", ""}));
    group->clearCombos(false);
    QCOMPARE(comboTexts(info, 1), QStringList({"", "", "", ""}));
}

void TestRCGroupInfo::metaTypeCreatesAndDestroys()
{
    const QMetaType type = QMetaType::fromType<HRCGroupInfo>();
    QVERIFY(type.isValid());
    void *created = type.create();
    QVERIFY(created);
    type.destroy(created);
}

VVB_TEST_MAIN(TestRCGroupInfo)
#include "tst_rcgroupinfo.moc"
