#include "hardware/HRCGroupInfo.h"

#include "utility/LogCategories.h"

#include <QReadLocker>
#include <QWriteLocker>

#include "hardware/HRCCommandText.h"
#include "hardware/RCCombo.h"
#include "hardware/RCGroup.h"
#include "hardware/RoomInfo.h"

namespace {
// One colour per combination index; the list's size limits a group's combinations.
const QStringList ComboColors = {
    QStringLiteral("crimson"), QStringLiteral("orange"), QStringLiteral("yellow"),
    QStringLiteral("lime"), QStringLiteral("skyblue"), QStringLiteral("cyan"),
    QStringLiteral("orchid"), QStringLiteral("sienna")};
const QString NoComboColor = QStringLiteral("lightgray");

// The last query reply applied, shared by every processor.
QString LastGrcResponse;
} // namespace

HRCGroupInfo::HRCGroupInfo(QObject *parent)
    : QObject(parent)
{
}

HRCGroupInfo::~HRCGroupInfo()
{
    clearRooms();
}

const QStringList &HRCGroupInfo::comboColors()
{
    return ComboColors;
}

QString HRCGroupInfo::noComboColor()
{
    return NoComboColor;
}

QString HRCGroupInfo::lastGrcResponse()
{
    return LastGrcResponse;
}

void HRCGroupInfo::clearLastGrcResponse()
{
    LastGrcResponse.clear();
}

QString HRCGroupInfo::roomKey(int groupNumber, int roomNumber)
{
    return QStringLiteral("RK_%1_%2").arg(groupNumber).arg(roomNumber);
}

void HRCGroupInfo::addRoom(int roomNumber, const QString &name, int groupNumber, int groupCombiner,
                           int nodeId, const QList<int> &pairedRooms)
{
    auto *record = new RoomInfo(roomNumber, name, groupNumber, groupCombiner, nodeId, pairedRooms);
    const QString key = roomKey(groupNumber, roomNumber);
    // A second registration of the same room replaces the first record.
    delete m_mRooms.value(key, nullptr);
    m_mRooms.insert(key, record);
    addRoomToGroup(roomNumber, groupNumber);
}

void HRCGroupInfo::addRoomRecord(const RoomInfo *record)
{
    if (!record)
        return;
    // Copy the fields first: the record may be the one this registration replaces.
    const int roomNumber = record->roomNumber();
    const QString name = record->name();
    const int groupNumber = record->groupNumber();
    const int groupCombiner = record->groupCombiner();
    const int nodeId = record->nodeId();
    const QList<int> pairedRooms = record->pairedRooms();
    addRoom(roomNumber, name, groupNumber, groupCombiner, nodeId, pairedRooms);
}

int HRCGroupInfo::addRoomToGroup(int roomNumber, int groupNumber)
{
    addGroup(groupNumber);
    return m_mGroups.value(groupNumber)->addRoomNumber(roomNumber);
}

void HRCGroupInfo::addGroup(int groupNumber)
{
    if (!m_mGroups.value(groupNumber, nullptr))
        m_mGroups.insert(groupNumber, new RCGroup(groupNumber, this));
}

void HRCGroupInfo::importRooms(HRCGroupInfo *target, const QString &groupText) const
{
    if (!target || target == this)
        return;
    const int groupNumber = groupText.toInt();
    for (const RoomInfo *record : m_mRooms) {
        if (record->groupNumber() == groupNumber)
            target->addRoomRecord(record);
    }
}

void HRCGroupInfo::setGroupName(int groupNumber, const QString &name)
{
    if (RCGroup *group = findGroup(groupNumber))
        group->setName(name);
}

void HRCGroupInfo::clearRooms()
{
    qDeleteAll(m_mRooms);
    m_mRooms.clear();
    qDeleteAll(m_mGroups);
    m_mGroups.clear();
}

RoomInfo *HRCGroupInfo::findRoom(int groupNumber, int roomNumber) const
{
    return m_mRooms.value(roomKey(groupNumber, roomNumber), nullptr);
}

QString HRCGroupInfo::roomName(int groupNumber, int roomNumber) const
{
    const RoomInfo *record = findRoom(groupNumber, roomNumber);
    return record ? record->name() : QStringLiteral("UNKNOWN");
}

int HRCGroupInfo::roomNodeId(int groupNumber, int roomNumber) const
{
    const RoomInfo *record = findRoom(groupNumber, roomNumber);
    return record ? record->nodeId() : -1;
}

RCGroup *HRCGroupInfo::findGroup(int groupNumber) const
{
    return m_mGroups.value(groupNumber, nullptr);
}

QStringList HRCGroupInfo::comboColorList(int groupNumber) const
{
    const RCGroup *group = findGroup(groupNumber);
    return group ? group->colors() : QStringList();
}

QString HRCGroupInfo::roomColor(int groupNumber, int roomNumber) const
{
    const RoomInfo *record = findRoom(groupNumber, roomNumber);
    const RCGroup *group = findGroup(groupNumber);
    if (!record || !group)
        return NoComboColor;
    int comboIndex = -1;
    {
        QReadLocker locker(&m_rwLock);
        comboIndex = record->comboIndex();
    }
    return group->colors().value(comboIndex, NoComboColor);
}

bool HRCGroupInfo::isRoomInCombo(int roomNumber, int groupNumber, int comboIndex) const
{
    QReadLocker locker(&m_rwLock);
    const RCGroup *group = findGroup(groupNumber);
    const RCCombo *combo = group ? group->combo(comboIndex) : nullptr;
    return combo && combo->hasRoom(roomNumber);
}

void HRCGroupInfo::combinedRoomNames(int roomNumber, int groupNumber, QStringList &names) const
{
    names.clear();
    const RoomInfo *record = findRoom(groupNumber, roomNumber);
    if (!record)
        return;

    QReadLocker locker(&m_rwLock);
    const int group = record->groupNumber();
    const RCGroup *rcGroup = findGroup(group);
    if (!rcGroup)
        return;
    const QList<int> others = rcGroup->comboRoomsExcept(roomNumber, record->comboIndex());
    for (int other : others) {
        const RoomInfo *otherRecord = findRoom(group, other);
        if (!otherRecord)
            continue;
        // "Block-Room" shows as "Room"; a name without a single dash is shown whole.
        const QStringList parts = otherRecord->name().split(QLatin1Char('-'));
        names.append(parts.size() == 2 ? parts.at(1) : otherRecord->name());
    }
}

void HRCGroupInfo::refreshComboIndexes()
{
    for (auto it = m_mRooms.cbegin(); it != m_mRooms.cend(); ++it) {
        const QStringList parts = it.key().split(QLatin1Char('_'));
        if (parts.size() != 3)
            continue;
        const RCGroup *group = findGroup(parts.at(1).toInt());
        it.value()->setComboIndex(group ? group->comboIndexOfRoom(parts.at(2).toInt()) : -1);
    }
}

QString HRCGroupInfo::setCombineCommand(const RCGroup *group) const
{
    if (!group)
        return QString();
    QStringList lists;
    {
        QReadLocker locker(&m_rwLock);
        for (int i = 0; i < group->comboCount(); ++i) {
            const RCCombo *combo = group->combo(i);
            if (combo->roomCount() > 1)
                lists.append(combo->roomListText());
        }
    }
    return HRCCommandText::combine(group->number(), lists);
}

RCClickResult HRCGroupInfo::roomClicked(int roomNumber, int groupNumber, int selectedCombo)
{
    RCClickResult result;
    RoomInfo *record = findRoom(groupNumber, roomNumber);
    const RCGroup *group = findGroup(groupNumber);
    if (!record || !group || !isSelectableCombo(groupNumber, selectedCombo)) {
        qCWarning(lcHardware).noquote() << QStringLiteral("ignored click on room %1 of group %2 with combination %3")
                                    .arg(roomNumber).arg(groupNumber).arg(selectedCombo);
        result.m_sColor = roomColor(groupNumber, roomNumber);
        return result;
    }
    qCDebug(lcHardware).noquote() << QStringLiteral("group %1 room %2 '%3' combination %4")
                              .arg(groupNumber).arg(roomNumber).arg(record->name()).arg(record->comboIndex());

    bool leftAlone = false;
    if (isRoomInCombo(roomNumber, groupNumber, selectedCombo))
        leaveSelectedCombo(result, record, selectedCombo, leftAlone);
    else
        enterSelectedCombo(result, record, selectedCombo);
    if (record->isGroupCombiner() && !result.hasFailure() && !leftAlone)
        preferWholeState(result, group);

    // Whatever the processor makes of the command, its next reply must be applied.
    if (!result.m_sCommand.isEmpty())
        clearLastGrcResponse();
    return result;
}

void HRCGroupInfo::leaveSelectedCombo(RCClickResult &result, RoomInfo *record, int selectedCombo,
                                      bool &leftAlone)
{
    result.m_sColor = NoComboColor;
    QWriteLocker locker(&m_rwLock);
    result.m_sCommand = removeRoomCommand(record->roomNumber(), record->groupNumber(), selectedCombo,
                                          record, leftAlone);
}

void HRCGroupInfo::enterSelectedCombo(RCClickResult &result, RoomInfo *record, int selectedCombo)
{
    const int roomNumber = record->roomNumber();
    const int groupNumber = record->groupNumber();
    QString leaveText;
    QString addText;
    {
        QWriteLocker locker(&m_rwLock);
        // A room first leaves the combination it is in.
        if (record->comboIndex() != -1) {
            bool unused = false;
            leaveText = removeRoomCommand(roomNumber, groupNumber, record->comboIndex(), record, unused);
        }
        addText = addRoomCommand(roomNumber, groupNumber, selectedCombo, record);
    }
    joinClickTexts(result, leaveText, addText, selectedCombo);
}

// A group combiner says the group's whole state in one text, as long as a
// combination stays shared; otherwise the join and split texts go out.
void HRCGroupInfo::preferWholeState(RCClickResult &result, const RCGroup *group) const
{
    if (result.m_sCommand.isEmpty())
        return;
    const QString full = setCombineCommand(group);
    qCDebug(lcHardware).noquote() << "command" << result.m_sCommand.trimmed()
                       << "full" << full.trimmed();
    if (!HRCCommandText::isEmptyCombine(full))
        result.m_sCommand = full;
}

void HRCGroupInfo::joinClickTexts(RCClickResult &result, const QString &leaveText,
                                  const QString &addText, int selectedCombo) const
{
    if (HRCCommandText::isFailure(addText)) {
        // The split still goes to the processor; the refusal goes to the user.
        result.m_sCommand = leaveText;
        result.m_sFailure = HRCCommandText::failureMessage(addText);
        result.m_sColor = NoComboColor;
        return;
    }
    result.m_sCommand = HRCCommandText::joined({leaveText, addText});
    result.m_sColor = ComboColors.value(selectedCombo, NoComboColor);
}

bool HRCGroupInfo::isSelectableCombo(int groupNumber, int comboIndex) const
{
    QReadLocker locker(&m_rwLock);
    const RCGroup *group = findGroup(groupNumber);
    return group && comboIndex >= 0 && comboIndex < group->comboCount();
}

QString HRCGroupInfo::addRoomCommand(int roomNumber, int groupNumber, int comboIndex, RoomInfo *record)
{
    RCGroup *group = findGroup(groupNumber);
    if (!record || !group)
        return QString();

    QString text;
    if (RCCombo *combo = group->combo(comboIndex)) {
        if (combo->hasRoom(roomNumber)) {
            // Already there: nothing to say.
        } else if (combo->isEmpty()) {
            // The first room of a combination joins without a command.
            combo->appendRoom(roomNumber);
        } else {
            text = joinCommand(combo, roomNumber, record);
            if (!HRCCommandText::isFailure(text))
                combo->appendRoom(roomNumber);
        }
    }
    if (!HRCCommandText::isFailure(text))
        record->setComboIndex(comboIndex);
    return text;
}

QString HRCGroupInfo::joinCommand(const RCCombo *combo, int roomNumber, const RoomInfo *record) const
{
    if (record->isGroupCombiner())
        return HRCCommandText::join(combo->groupNumber(), combo->firstRoom(), roomNumber);

    QStringList joins;
    const QList<int> paired = record->pairedRooms();
    for (int partner : paired) {
        if (combo->hasRoom(partner))
            joins.append(HRCCommandText::join(combo->groupNumber(), partner, roomNumber));
    }
    if (!joins.isEmpty())
        return HRCCommandText::joined(joins);

    clearLastGrcResponse();
    return HRCCommandText::failure(tr("Cannot add '%1' to the selected combination.").arg(record->name()));
}

QString HRCGroupInfo::removeRoomCommand(int roomNumber, int groupNumber, int comboIndex,
                                        RoomInfo *record, bool &leftAlone)
{
    leftAlone = false;
    RCGroup *group = findGroup(groupNumber);
    if (!record || !group)
        return QString();

    QString text;
    if (RCCombo *combo = group->combo(comboIndex)) {
        if (combo->removeRoom(roomNumber) > 0 && !combo->isEmpty()) {
            text = splitCommand(combo, roomNumber, record);
            leftAlone = combo->roomCount() == 1;
        }
    }
    record->setComboIndex(-1);
    return text;
}

QString HRCGroupInfo::splitCommand(const RCCombo *combo, int roomNumber, const RoomInfo *record) const
{
    if (record->isGroupCombiner())
        return HRCCommandText::split(combo->groupNumber(), combo->firstRoom(), roomNumber);

    QStringList splits;
    const QList<int> paired = record->pairedRooms();
    for (int partner : paired) {
        if (combo->hasRoom(partner))
            splits.append(HRCCommandText::split(combo->groupNumber(), partner, roomNumber));
    }
    return HRCCommandText::joined(splits);
}

void HRCGroupInfo::processGrcResponse(const QString &reply)
{
    QString received = reply;
    while (!received.isEmpty() && received.back().isSpace())
        received.chop(1);
    // The processor answers every query; only a change is worth applying.
    if (received == LastGrcResponse)
        return;
    qCDebug(lcHardware).noquote() << QStringLiteral("GRC response: ") + reply.trimmed();
    LastGrcResponse = received;

    HRCCommandText::Reply parsed;
    if (!HRCCommandText::parseReply(received, parsed) || parsed.m_nGroupNumber <= 0)
        return;
    RCGroup *group = findGroup(parsed.m_nGroupNumber);
    if (!group)
        return;

    QWriteLocker locker(&m_rwLock);
    if (parsed.m_bHasLists)
        group->setCombos(parsed.m_lCombos);
    else
        group->clearCombos(true);
    refreshComboIndexes();
}
