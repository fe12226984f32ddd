#pragma once

#include <QList>
#include <QObject>
#include <QString>

// One room of a room-combiner block, as the processor's registry knows it.
class RoomInfo : public QObject
{
    Q_OBJECT

public:
    RoomInfo(int roomNumber, const QString &name, int groupNumber, int groupCombiner,
             int nodeId, const QList<int> &pairedRooms);

    QString name() const { return m_sName; }
    int groupNumber() const { return m_nGroupNumber; }
    // Index of the combination of the group that holds the room; -1 for none.
    int comboIndex() const { return m_nComboIndex; }
    void setComboIndex(int index) { m_nComboIndex = index; }
    int roomNumber() const { return m_nRoomNumber; }
    // 1 for a room that is combined group-wise, 0 for a router room joined by pairs.
    int groupCombiner() const { return m_nGroupCombiner; }
    bool isGroupCombiner() const { return m_nGroupCombiner != 0; }
    int nodeId() const { return m_nNodeId; }
    QList<int> pairedRooms() const { return m_lPairedRooms; }

private:
    QString m_sName;
    int m_nGroupNumber;
    int m_nComboIndex;
    int m_nRoomNumber;
    int m_nGroupCombiner;
    int m_nNodeId;
    QList<int> m_lPairedRooms;
};
