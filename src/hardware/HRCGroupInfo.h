#pragma once

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

#include "hardware/RCClickResult.h"

class RCCombo;
class RCGroup;
class RoomInfo;

// A processor's room-combining registry: the rooms of its room-combiner
// blocks, its groups and their combinations. One non-recursive read-write
// lock guards the combinations and every room's combination index; it is
// only ever taken through scoped lockers and never while already held.
class HRCGroupInfo : public QObject
{
    Q_OBJECT

public:
    explicit HRCGroupInfo(QObject *parent = nullptr);
    ~HRCGroupInfo() override;

    // Shared by every registry of the process.
    static const QStringList &comboColors();
    static QString noComboColor();
    static QString lastGrcResponse();
    static void clearLastGrcResponse();
    static QString roomKey(int groupNumber, int roomNumber);

    // Registration.
    void addRoom(int roomNumber, const QString &name, int groupNumber, int groupCombiner,
                 int nodeId, const QList<int> &pairedRooms);
    void addRoomRecord(const RoomInfo *record);
    int addRoomToGroup(int roomNumber, int groupNumber);
    void addGroup(int groupNumber);
    void importRooms(HRCGroupInfo *target, const QString &groupText) const;
    void setGroupName(int groupNumber, const QString &name);
    void clearRooms();

    // Queries.
    RoomInfo *findRoom(int groupNumber, int roomNumber) const;
    QString roomName(int groupNumber, int roomNumber) const;
    int roomNodeId(int groupNumber, int roomNumber) const;
    RCGroup *findGroup(int groupNumber) const;
    QStringList comboColorList(int groupNumber) const;
    QString roomColor(int groupNumber, int roomNumber) const;
    bool isRoomInCombo(int roomNumber, int groupNumber, int comboIndex) const;
    void combinedRoomNames(int roomNumber, int groupNumber, QStringList &names) const;
    void refreshComboIndexes();

    // Commands and replies.
    QString setCombineCommand(const RCGroup *group) const;
    RCClickResult roomClicked(int roomNumber, int groupNumber, int selectedCombo);
    void processGrcResponse(const QString &reply);

private:
    // Both run only inside the write-locked section of a click.
    QString addRoomCommand(int roomNumber, int groupNumber, int comboIndex, RoomInfo *record);
    QString removeRoomCommand(int roomNumber, int groupNumber, int comboIndex, RoomInfo *record,
                              bool &leftAlone);
    bool isSelectableCombo(int groupNumber, int comboIndex) const;
    void leaveSelectedCombo(RCClickResult &result, RoomInfo *record, int selectedCombo, bool &leftAlone);
    void enterSelectedCombo(RCClickResult &result, RoomInfo *record, int selectedCombo);
    void preferWholeState(RCClickResult &result, const RCGroup *group) const;
    QString joinCommand(const RCCombo *combo, int roomNumber, const RoomInfo *record) const;
    QString splitCommand(const RCCombo *combo, int roomNumber, const RoomInfo *record) const;
    void joinClickTexts(RCClickResult &result, const QString &leaveText, const QString &addText,
                        int selectedCombo) const;

    QMap<QString, RoomInfo *> m_mRooms;
    QMap<int, RCGroup *> m_mGroups;
    mutable QReadWriteLock m_rwLock;
};

Q_DECLARE_METATYPE(HRCGroupInfo)
