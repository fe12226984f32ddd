#pragma once

#include <QList>
#include <QObject>

// One combination of a room-combining group: the rooms whose audio is joined.
class RCCombo : public QObject
{
    Q_OBJECT

public:
    explicit RCCombo(int groupNumber);

    int groupNumber() const { return m_nGroupNumber; }
    QList<int> rooms() const { return m_lRooms; }
    void setRooms(const QList<int> &rooms) { m_lRooms = rooms; }
    int roomCount() const { return m_lRooms.size(); }
    bool isEmpty() const { return m_lRooms.isEmpty(); }
    bool hasRoom(int roomNumber) const { return m_lRooms.contains(roomNumber); }
    // First room of the combination; only meaningful when it is not empty.
    int firstRoom() const { return m_lRooms.value(0, -1); }
    void appendRoom(int roomNumber) { m_lRooms.append(roomNumber); }
    // Removes every occurrence; returns how many there were.
    int removeRoom(int roomNumber) { return int(m_lRooms.removeAll(roomNumber)); }

    // The rooms as the combine command lists them.
    QString roomListText() const;

private:
    QList<int> m_lRooms;
    int m_nGroupNumber;
};
