#include "hardware/HRCRoom.h"

#include "hardware/HRCGroup.h"

HRCRoom::HRCRoom()
{
    m_sTitle = tr("RCRoom");
    m_sTypeNum = QStringLiteral("0");
}

HRCRoom::~HRCRoom() = default;

HRCGroup *HRCRoom::group() const
{
    return qobject_cast<HRCGroup *>(m_pParent);
}

void HRCRoom::controlClicked()
{
    emit roomControlClicked(m_nRoomNumber);
}

QString HRCRoom::roomColor(int) const
{
    HRCGroup *pGroup = group();
    return pGroup ? pGroup->roomColor(m_nRoomNumber) : QStringLiteral("purple");
}

void HRCRoom::combinedRoomNames(int, QStringList &names) const
{
    if (HRCGroup *pGroup = group())
        pGroup->combinedRoomNames(m_nRoomNumber, names);
}

bool HRCRoom::isQueryPending() const
{
    HRCGroup *pGroup = group();
    return pGroup && pGroup->isQueryPending();
}

QString HRCRoom::queryCommand()
{
    HRCGroup *pGroup = group();
    return pGroup ? pGroup->queryCommand() : QString();
}

void HRCRoom::processResponse(const QString &reply)
{
    if (HRCGroup *pGroup = group())
        pGroup->processResponse(reply);
}

QString HRCRoom::replyText() const
{
    HRCGroup *pGroup = group();
    return pGroup ? pGroup->replyText() : QString();
}

QString HRCRoom::dataFolder() const
{
    return QStringLiteral("Velmora");
}

QString HRCRoom::category() const
{
    return tr("RCRooms");
}

QStandardItem *HRCRoom::addModelItems(QStandardItemModel *pModel, const QString &)
{
    // Rooms stand under their group's item.
    return m_pParent ? uniqueModelItem(pModel, m_pParent->label()) : nullptr;
}

void HRCRoom::onUpdateRoomColor(const QString &color, int roomID)
{
    if (roomID == m_nRoomNumber)
        emit updateRoomColor(color, roomID);
}

void HRCRoom::onSendMessage(const QString &message, int roomID)
{
    if (roomID == m_nRoomNumber)
        emit sendMessage(message, roomID);
}

void HRCRoom::onShowErrorDialog(const QString &message, int roomID)
{
    if (roomID == m_nRoomNumber)
        emit showErrorDialog(message, roomID);
}
