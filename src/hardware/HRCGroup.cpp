#include "hardware/HRCGroup.h"

#include "hardware/HChassis.h"
#include "hardware/HNodeFactory.h"
#include "hardware/HRCCommandText.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/HRCRoom.h"
#include "hardware/RCGroup.h"

#include <QSet>

HRCGroup::HRCGroup()
{
    m_sTitle = tr("RCGroup");
    m_sTypeNum = QStringLiteral("0");
    m_queryTimer.setSingleShot(true);
}

HRCGroup::~HRCGroup() = default;

int HRCGroup::groupNumber() const
{
    return m_sId.toInt();
}

HChassis *HRCGroup::processor() const
{
    return qobject_cast<HChassis *>(m_pParent);
}

HRCRoom *HRCGroup::findRoomNode(const QString &text) const
{
    for (HNode *pChild : m_children) {
        auto *pRoom = qobject_cast<HRCRoom *>(pChild);
        if (pRoom && pRoom->idText() == text)
            return pRoom;
    }
    return nullptr;
}

void HRCGroup::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && !m_sLabel.isEmpty() && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    // The registry was rebuilt by this import: give its group the name again.
    if (m_pParent)
        m_pParent->setRCGroupName(m_nIndex, m_sLabel);
    if (relabelled)
        emit labelChangedByReload(oldLabel, m_sLabel);
}

// ---------------------------------------------------------------- searches

HNode *HRCGroup::findByCategory(const QString &category)
{
    return category == this->category() ? HNode::findByCategory(category)
                                        : HComposite::findByCategory(category);
}

HNode *HRCGroup::findById(int id)
{
    if (HNode *pFound = HNode::findById(id))
        return pFound;
    return HComposite::findById(id);
}

HNode *HRCGroup::findByCategoryAndId(const QString &category, int id)
{
    return category == this->category() ? HNode::findByCategoryAndId(category, id)
                                        : HComposite::findByCategoryAndId(category, id);
}

HNode *HRCGroup::findByAttribute(const QString &key, const QString &value)
{
    if (HNode *pFound = HComposite::findByAttribute(key, value))
        return pFound;
    return HNode::findByAttribute(key, value);
}

HNode *HRCGroup::findByCategoryAndAttribute(const QString &category, const QString &key,
                                            const QString &value)
{
    return category == this->category() ? HNode::findByCategoryAndAttribute(category, key, value)
                                        : HComposite::findByCategoryAndAttribute(category, key, value);
}

void HRCGroup::clearReloadFlag(bool)
{
    // The rooms keep theirs: createRooms decides which of them stay.
    clearFlags(FlagSeen);
}

bool HRCGroup::collectByCategory(const QString &category, QList<HNode *> *pList)
{
    if (!pList)
        return false;
    HComposite::collectByCategory(category, pList);
    if (category == this->category())
        pList->append(this);
    return !pList->isEmpty();
}

bool HRCGroup::collect(const QString &key, QList<HNode *> *pList)
{
    if (!pList)
        return false;
    HComposite::collect(key, pList);
    if (key == category())
        pList->append(this);
    return !pList->isEmpty();
}

// ---------------------------------------------------------------- project tree and rooms

void HRCGroup::buildModel(QStandardItemModel *pModel)
{
    HNode::buildModel(pModel);
    HComposite::buildModel(pModel);
}

void HRCGroup::createRooms(HNodeFactory *pFactory, bool reload)
{
    clearFlags(FlagRemovable);
    HChassis *pProcessor = processor();
    if (!pProcessor)
        return;
    const int number = groupNumber();
    // The rooms of other processors have just joined the registry group.
    pProcessor->setRCGroupName(m_nIndex, m_sLabel);
    QSet<HNode *> refreshed;
    if (const RCGroup *pGroup = pProcessor->registry()->findGroup(number)) {
        const QList<int> rooms = pGroup->rooms();
        for (int room = 1; rooms.contains(room); ++room) {
            HRCRoom *pRoom = findRoomNode(QString::number(room));
            if (pRoom)
                refreshRoom(pRoom, number, room);
            else
                pRoom = makeRoom(pFactory, number, room);
            if (pRoom)
                refreshed.insert(pRoom);
        }
    }
    // Rooms the registry no longer holds go, so that nothing binds to them.
    const QList<HNode *> children = m_children;
    for (HNode *pChild : children) {
        if (qobject_cast<HRCRoom *>(pChild) && !refreshed.contains(pChild))
            dropRoom(pChild);
    }
    if (reload)
        emit updateComboColorList();
    HRCGroupInfo::clearLastGrcResponse();
}

void HRCGroup::dropRooms()
{
    const QList<HNode *> children = m_children;
    for (HNode *pChild : children) {
        if (qobject_cast<HRCRoom *>(pChild))
            dropRoom(pChild);
    }
}

void HRCGroup::refreshRoom(HRCRoom *pRoom, int groupNumber, int roomNumber)
{
    HRCGroupInfo *pRegistry = processor()->registry();
    const QString label = QLatin1Char('[') + pRegistry->roomName(groupNumber, roomNumber) + QLatin1Char(']');
    if (label != pRoom->label()) {
        const QString oldLabel = pRoom->label();
        pRoom->setLabel(label);
        emit pRoom->labelChangedByReload(oldLabel, label);
    }
    pRoom->setNodeId(pRegistry->roomNodeId(groupNumber, roomNumber));
    pRoom->setFlags(FlagSeen);
}

HRCRoom *HRCGroup::makeRoom(HNodeFactory *pFactory, int groupNumber, int roomNumber)
{
    HNode *pNode = pFactory ? pFactory->createNode(tr("RCRoom"), QString()) : nullptr;
    auto *pRoom = qobject_cast<HRCRoom *>(pNode);
    if (!pRoom) {
        delete pNode;
        return nullptr;
    }
    HRCGroupInfo *pRegistry = processor()->registry();
    pRoom->setLabel(QLatin1Char('[') + pRegistry->roomName(groupNumber, roomNumber) + QLatin1Char(']'));
    pRoom->setFlags(FlagSeen);
    pRoom->clearFlags(FlagRemovable);
    pRoom->setIdText(QString::number(roomNumber));
    pRoom->setRoomNumber(roomNumber);
    pRoom->setNodeId(pRegistry->roomNodeId(groupNumber, roomNumber));
    if (!addNode(pRoom)) {
        delete pRoom;
        return nullptr;
    }
    connect(this, &HNode::queryResponseReady, pRoom, &HNode::queryResponseReady, Qt::DirectConnection);
    connect(pRoom, &HNode::updateComboColorList, this, &HNode::updateComboColorList, Qt::DirectConnection);
    connect(pRoom, &HRCRoom::roomControlClicked, this, &HRCGroup::onRoomControlClicked, Qt::DirectConnection);
    connect(this, &HNode::updateRoomColor, pRoom, &HRCRoom::onUpdateRoomColor, Qt::DirectConnection);
    connect(this, &HNode::sendMessage, pRoom, &HRCRoom::onSendMessage, Qt::DirectConnection);
    connect(this, &HNode::showErrorDialog, pRoom, &HRCRoom::onShowErrorDialog, Qt::DirectConnection);
    return pRoom;
}

void HRCGroup::dropRoom(HNode *pRoom)
{
    pRoom->announceRemoval();
    removeChild(pRoom);
    pRoom->setParent(nullptr);
    // Later: a widget may be inside one of the room's signals right now.
    pRoom->deleteLater();
}

// ---------------------------------------------------------------- registry answers

QString HRCGroup::roomColor(int room) const
{
    HChassis *pProcessor = processor();
    return pProcessor ? pProcessor->registry()->roomColor(groupNumber(), room) : QStringLiteral("lightblue");
}

int HRCGroup::selectedIndex() const
{
    return m_nSelectedIndex;
}

void HRCGroup::setSelectedIndex(int i)
{
    m_nSelectedIndex = i;
}

QStringList HRCGroup::comboColorList() const
{
    HChassis *pProcessor = processor();
    return pProcessor ? pProcessor->registry()->comboColorList(groupNumber()) : QStringList();
}

void HRCGroup::combinedRoomNames(int room, QStringList &names) const
{
    if (HChassis *pProcessor = processor())
        pProcessor->registry()->combinedRoomNames(room, groupNumber(), names);
}

bool HRCGroup::isQueryPending() const
{
    return m_queryTimer.isActive();
}

QString HRCGroup::queryCommand()
{
    m_queryTimer.start(QueryPendingMs);
    return HRCCommandText::query(m_sId);
}

void HRCGroup::processResponse(const QString &reply)
{
    HChassis *pProcessor = processor();
    if (!pProcessor)
        return;
    pProcessor->registry()->processGrcResponse(reply);
    emit queryResponseReady();
}

QString HRCGroup::replyText() const
{
    return m_sReplyText;
}

void HRCGroup::onRoomControlClicked(int roomID)
{
    HChassis *pProcessor = processor();
    if (!pProcessor)
        return;
    const RCClickResult result = pProcessor->registry()->roomClicked(roomID, groupNumber(), m_nSelectedIndex);
    if (!result.hasFailure()) {
        emit updateRoomColor(result.m_sColor, roomID);
        emit sendMessage(result.m_sCommand, roomID);
        return;
    }
    // A refused join may still carry the split of the combination it left.
    emit updateRoomColor(result.m_sColor, roomID);
    if (!result.m_sCommand.isEmpty())
        emit sendMessage(result.m_sCommand, roomID);
    emit showErrorDialog(result.m_sFailure, roomID);
}

// ---------------------------------------------------------------- node kind

void HRCGroup::setProtocol(PProtocol *pProtocol)
{
    m_pProtocol = pProtocol;
    HComposite::setProtocol(pProtocol);
}

HNode *HRCGroup::resolveNode(HNode *pMain, HNode *)
{
    return pMain;
}

QString HRCGroup::dataFolder() const
{
    return QStringLiteral("Velmora");
}

HNode *HRCGroup::findCounterpart(HNode *pTree, bool skipSeen) const
{
    return findDesignCounterpart(pTree, skipSeen);
}

QString HRCGroup::category() const
{
    return tr("RCGroups");
}

void HRCGroup::setParent(HNode *pParent)
{
    HNode::setParent(pParent);
    if (pParent)
        pParent->setRCGroupName(m_nIndex, m_sLabel);
}

QStandardItem *HRCGroup::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    return uniqueModelItem(pModel, text);
}
