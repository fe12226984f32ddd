#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class HRCGroupInfo;
class RCCombo;

// One room-combining group of a processor: its rooms and its combinations,
// each combination with its display colour. The registry's lock guards the
// combinations; these operations rely on the caller holding it.
class RCGroup : public QObject
{
    Q_OBJECT

public:
    RCGroup(int number, HRCGroupInfo *registry);
    ~RCGroup() override;

    QString name() const { return m_sName; }
    void setName(const QString &name) { m_sName = name; }
    int number() const { return m_nNumber; }
    HRCGroupInfo *registry() const { return m_pRegistry; }
    QList<int> rooms() const { return m_lRooms; }
    QStringList colors() const { return m_lColors; }
    int comboCount() const { return m_lCombos.size(); }
    // The combination at index, or null outside the list.
    RCCombo *combo(int index) const;

    int addRoomNumber(int roomNumber);
    int addCombo();
    bool hasRoom(int roomNumber) const { return m_lRooms.contains(roomNumber); }
    int comboIndexOfRoom(int roomNumber) const;
    QList<int> loneRooms() const;
    void clearCombos(bool onlyShared);
    QList<int> comboRoomsExcept(int roomNumber, int comboIndex) const;
    void removeFromOtherCombos(const RCCombo *combo);
    void dropUnlistedRooms(const QList<int> &listed, const QList<int> &kept);
    void setCombos(const QList<QList<int>> &newCombos);

private:
    RCCombo *comboForReplyList(const QList<int> &rooms) const;

    QString m_sName;
    QList<int> m_lRooms;
    QList<RCCombo *> m_lCombos;
    QStringList m_lColors;
    int m_nNumber;
    HRCGroupInfo *m_pRegistry;
};
