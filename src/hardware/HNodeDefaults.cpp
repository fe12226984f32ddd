#include "hardware/HNode.h"

#include "utility/LogCategories.h"

#include <QDebug>

// ---------------------------------------------------------------- neutral defaults

void HNode::clearParameterList(QString &)
{
}

bool HNode::prepareControl(const QString &, MModel *)
{
    return true;
}

bool HNode::addNode(HNode *pNode)
{
    qCDebug(lcHardware).noquote() << QStringLiteral("Adding node: ") + (pNode ? pNode->m_sLabel : QString());
    return false;
}

void HNode::moveChildToBack(HNode *)
{
}

HNode *HNode::childAt(int) const
{
    return nullptr;
}

void HNode::attachRoomCombiner(HNode *)
{
}

void HNode::importRooms(HNode *, const QString &)
{
}

void HNode::setupRoomCombiner(HRCGroupInfo *)
{
}

void HNode::setRCGroupName(int, const QString &)
{
}

void HNode::createRooms(HNodeFactory *, bool)
{
}

void HNode::controlClicked()
{
}

QString HNode::roomColor(int) const
{
    return QStringLiteral("black");
}

int HNode::selectedIndex() const
{
    return 0;
}

void HNode::setSelectedIndex(int)
{
}

QStringList HNode::comboColorList() const
{
    return QStringList();
}

void HNode::combinedRoomNames(int, QStringList &) const
{
}

bool HNode::isQueryPending() const
{
    return false;
}

QString HNode::queryCommand()
{
    return QString();
}

void HNode::processResponse(const QString &)
{
}

QString HNode::replyText() const
{
    return QString();
}

void HNode::setProtocol(PProtocol *pProtocol)
{
    m_pProtocol = pProtocol;
}

HNode *HNode::resolveNode(HNode *, HNode *pActive)
{
    return pActive;
}

QString HNode::channelLabel(int) const
{
    return QString();
}

int HNode::channelNumber(int) const
{
    return -1;
}

QString HNode::parameterFilePath(const QString &) const
{
    QString title = m_sTitle;
    title.remove(QLatin1Char(' '));
    return QStringLiteral(":/data/") + dataFolder() + QLatin1Char('/') + title + QLatin1Char('_')
           + m_sTypeNum + QStringLiteral(".xml");
}

QString HNode::dataFolder() const
{
    return m_pParent ? m_pParent->dataFolder() : QString();
}

HNode *HNode::findCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    pTree->collect(category(), &candidates);
    for (HNode *pNode : std::as_const(candidates)) {
        if (skipSeen && pNode->hasFlags(FlagSeen))
            continue;
        if (pNode->m_nNodeId == m_nNodeId && pNode->m_sTitle == m_sTitle
            && pNode->m_sTypeNum == m_sTypeNum && pNode->m_nIndex == m_nIndex)
            return pNode;
    }
    return nullptr;
}

void HNode::connectNodeSignals(QObject *pReceiver)
{
    if (!pReceiver)
        return;
    connect(this, SIGNAL(removingNode(HNode*)), pReceiver, SLOT(onRemovingNode(HNode*)),
            Qt::UniqueConnection);
}

QString HNode::category() const
{
    return QString();
}

void HNode::setParent(HNode *pParent)
{
    m_pParent = pParent;
}

bool HNode::parameterSetLists(QStringList &, QList<int> &) const
{
    return false;
}

bool HNode::labelList(QStringList &) const
{
    return false;
}

int HNode::channelCount() const
{
    return 0;
}

int HNode::channelIndexOfLabel(const QString &) const
{
    return -1;
}
