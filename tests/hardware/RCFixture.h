#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "hardware/HRCGroupInfo.h"
#include "hardware/RCCombo.h"
#include "hardware/RCGroup.h"

// Small helpers that write and read a group's combinations as texts such as
// {"1,2", ""}: combination 0 holds rooms 1 and 2, combination 1 is empty.
namespace RCFixture {

inline QList<int> roomList(const QString &text)
{
    QList<int> rooms;
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &item : items)
        rooms.append(item.toInt());
    return rooms;
}

inline QString roomText(const QList<int> &rooms)
{
    QStringList items;
    for (int room : rooms)
        items.append(QString::number(room));
    return items.join(QLatin1Char(','));
}

// Registers rooms first..last of a group, named "Blk-Room <n>".
inline void addRooms(HRCGroupInfo &info, int group, int first, int last, int groupCombiner = 1)
{
    for (int room = first; room <= last; ++room)
        info.addRoom(room, QStringLiteral("Blk-Room %1").arg(room), group, groupCombiner, 100 + room, {});
}

inline void setCombos(HRCGroupInfo &info, int group, const QStringList &combos)
{
    RCGroup *rcGroup = info.findGroup(group);
    for (int i = 0; rcGroup && i < combos.size(); ++i)
        rcGroup->combo(i)->setRooms(roomList(combos.at(i)));
    info.refreshComboIndexes();
}

inline QStringList comboTexts(const HRCGroupInfo &info, int group)
{
    QStringList texts;
    const RCGroup *rcGroup = info.findGroup(group);
    for (int i = 0; rcGroup && i < rcGroup->comboCount(); ++i)
        texts.append(roomText(rcGroup->combo(i)->rooms()));
    return texts;
}

} // namespace RCFixture
