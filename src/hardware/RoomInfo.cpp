#include "hardware/RoomInfo.h"

RoomInfo::RoomInfo(int roomNumber, const QString &name, int groupNumber, int groupCombiner,
                   int nodeId, const QList<int> &pairedRooms)
    : m_sName(name)
    , m_nGroupNumber(groupNumber)
    , m_nComboIndex(-1)
    , m_nRoomNumber(roomNumber)
    , m_nGroupCombiner(groupCombiner)
    , m_nNodeId(nodeId)
    , m_lPairedRooms(pairedRooms)
{
}
