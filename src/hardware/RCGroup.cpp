#include "hardware/RCGroup.h"

#include "hardware/HRCGroupInfo.h"
#include "hardware/RCCombo.h"
#include "utility/LogCategories.h"

RCGroup::RCGroup(int number, HRCGroupInfo *registry)
    : m_sName(QStringLiteral("NOT_NAMED"))
    , m_nNumber(number)
    , m_pRegistry(registry)
{
}

RCGroup::~RCGroup()
{
    qDeleteAll(m_lCombos);
}

RCCombo *RCGroup::combo(int index) const
{
    return m_lCombos.value(index, nullptr);
}

int RCGroup::addRoomNumber(int roomNumber)
{
    if (m_lRooms.contains(roomNumber))
        return m_lRooms.size();
    m_lRooms.append(roomNumber);
    const int count = m_lRooms.size();
    // Every two rooms may form one more combination.
    if (count >= 2 && m_lCombos.size() < count / 2)
        addCombo();
    return count;
}

int RCGroup::addCombo()
{
    const QStringList &palette = HRCGroupInfo::comboColors();
    const int index = m_lCombos.size();
    if (index >= palette.size())
        return -1;
    m_lCombos.append(new RCCombo(m_nNumber));
    m_lColors.append(palette.at(index));
    return index;
}

int RCGroup::comboIndexOfRoom(int roomNumber) const
{
    for (int i = 0; i < m_lCombos.size(); ++i) {
        if (m_lCombos.at(i)->hasRoom(roomNumber))
            return i;
    }
    return -1;
}

QList<int> RCGroup::loneRooms() const
{
    QList<int> rooms;
    for (const RCCombo *combo : m_lCombos) {
        if (combo->roomCount() == 1 && combo->firstRoom() >= 0)
            rooms.append(combo->firstRoom());
    }
    return rooms;
}

void RCGroup::clearCombos(bool onlyShared)
{
    for (RCCombo *combo : m_lCombos) {
        if (!onlyShared || combo->roomCount() > 1)
            combo->setRooms(QList<int>());
    }
}

QList<int> RCGroup::comboRoomsExcept(int roomNumber, int comboIndex) const
{
    const RCCombo *held = combo(comboIndex);
    if (!held)
        return QList<int>();
    QList<int> rooms = held->rooms();
    rooms.removeAll(roomNumber);
    return rooms;
}

void RCGroup::removeFromOtherCombos(const RCCombo *combo)
{
    if (!combo)
        return;
    const QList<int> rooms = combo->rooms();
    for (RCCombo *other : m_lCombos) {
        if (other == combo)
            continue;
        for (int room : rooms)
            other->removeRoom(room);
    }
}

void RCGroup::dropUnlistedRooms(const QList<int> &listed, const QList<int> &kept)
{
    for (int room : m_lRooms) {
        if (listed.contains(room) || kept.contains(room))
            continue;
        if (RCCombo *holder = combo(comboIndexOfRoom(room)))
            holder->removeRoom(room);
    }
}

void RCGroup::setCombos(const QList<QList<int>> &newCombos)
{
    if (newCombos.size() > m_lCombos.size())
        qCDebug(lcHardware).noquote() << QStringLiteral("Combo count mismatch; too many new combos %1/%2")
                                  .arg(newCombos.size()).arg(m_lCombos.size());

    const QList<int> kept = loneRooms();
    QList<int> listed;
    for (const QList<int> &rooms : newCombos) {
        listed += rooms;
        if (rooms.isEmpty())
            continue;
        RCCombo *target = comboForReplyList(rooms);
        if (!target)
            continue;
        target->setRooms(rooms);
        removeFromOtherCombos(target);
    }
    dropUnlistedRooms(listed, kept);
}

// The combination a reply's list lands in: the one already holding its first
// room, else the first empty one, else the last single-room one, else the last.
RCCombo *RCGroup::comboForReplyList(const QList<int> &rooms) const
{
    if (m_lCombos.isEmpty())
        return nullptr;
    if (RCCombo *holder = combo(comboIndexOfRoom(rooms.first())))
        return holder;
    for (RCCombo *candidate : m_lCombos) {
        if (candidate->isEmpty())
            return candidate;
    }
    for (int i = m_lCombos.size() - 1; i >= 0; --i) {
        if (m_lCombos.at(i)->roomCount() == 1)
            return m_lCombos.at(i);
    }
    return m_lCombos.last();
}
