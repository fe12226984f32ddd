#include "hardware/HGroup.h"

#include "utility/LogCategories.h"

#include <QDebug>
#include <QXmlAttributes>

HGroup::HGroup() = default;

HGroup::~HGroup() = default;

void HGroup::parseAttributes(const QXmlAttributes &attributes)
{
    if (xmlAttribute(attributes, QStringLiteral("name")) == QLatin1String("groupType"))
        m_sGroupType = xmlAttribute(attributes, QStringLiteral("value"));
    else
        HNode::parseAttributes(attributes);
}

void HGroup::parseChildAttributes(const QXmlAttributes &attributes, bool reload)
{
    if (m_sGroupType != QLatin1String("Selector"))
        return;
    const int target = xmlAttribute(attributes, QStringLiteral("targetID")).toInt();
    if (m_nTargetId == 0)
        m_nTargetId = target;
    else if (target != m_nTargetId)
        return;
    const QString property = xmlAttribute(attributes, QStringLiteral("targetProp"));
    if (property.startsWith(QLatin1String("name")))
        m_entries.append(xmlAttribute(attributes, QStringLiteral("targetValue")));
    else if (property == QLatin1String("selector"))
        appendRange(attributes);
    if (reload)
        emit listChangedByReload(QStringLiteral("Group"));
}

// Entries "<n>" from the minimum to the maximum. A step of 0 or below would
// never reach the end and a huge range would exhaust memory: both are refused
// or cut, and the count runs in 64 bits so the end cannot overflow.
void HGroup::appendRange(const QXmlAttributes &attributes)
{
    bool okMin = false;
    bool okMax = false;
    bool okStep = false;
    const qint64 minimum = xmlAttribute(attributes, QStringLiteral("targetMin")).toInt(&okMin);
    const qint64 maximum = xmlAttribute(attributes, QStringLiteral("targetMax")).toInt(&okMax);
    const qint64 step = xmlAttribute(attributes, QStringLiteral("targetStep")).toInt(&okStep);
    if (!okMin || !okMax || !okStep || maximum < minimum)
        return;
    if (step <= 0) {
        qCWarning(lcHardware).noquote() << QStringLiteral("step %1 of group %2 ignored").arg(step).arg(m_sLabel);
        return;
    }
    int added = 0;
    for (qint64 n = minimum; n <= maximum; n += step) {
        if (added++ == MaxRangeEntries) {
            qCWarning(lcHardware).noquote() << QStringLiteral("range of group %1 cut at %2 entries")
                                        .arg(m_sLabel).arg(MaxRangeEntries);
            break;
        }
        m_entries.append(QStringLiteral("<%1>").arg(n));
    }
}

bool HGroup::initNode()
{
    HNode::initNode();
    static const QStringList types = {QStringLiteral("Level"), QStringLiteral("Level + Mute"),
                                      QStringLiteral("Mute"), QStringLiteral("Selector")};
    const qsizetype typeNumber = types.indexOf(m_sGroupType);
    if (typeNumber >= 0)
        m_sTypeNum = QString::number(typeNumber);
    // The group commands address a group by its number in the design file,
    // the id of its element; a control dropped from the group takes it.
    if (m_nIndex == 0)
        m_nIndex = m_sId.toInt();
    return true;
}

void HGroup::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    if (auto *pGroup = qobject_cast<HGroup *>(pOther)) {
        m_sTypeNum = pGroup->m_sTypeNum;
        m_sGroupType = pGroup->m_sGroupType;
        m_nTargetId = 0;
        m_entries.clear();
    }
    if (relabelled)
        emit labelChangedByReload(oldLabel, m_sLabel);
}

HNode *HGroup::resolveNode(HNode *pMain, HNode *)
{
    return pMain;
}

QString HGroup::dataFolder() const
{
    return QStringLiteral("Velmora");
}

HNode *HGroup::findCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    pTree->collect(category(), &candidates);
    HNode *pById = nullptr;
    for (HNode *pNode : std::as_const(candidates)) {
        if (!pNode || pNode->title() != m_sTitle || (skipSeen && pNode->hasFlags(FlagSeen)))
            continue;
        if (pNode->label() == m_sLabel)
            return pNode;
        if (m_nNodeId > 0 && pNode->nodeId() == m_nNodeId)
            pById = pNode;
    }
    return pById;
}

void HGroup::connectNodeSignals(QObject *pReceiver)
{
    HNode::connectNodeSignals(pReceiver);
}

QString HGroup::category() const
{
    return tr("Groups");
}

QStandardItem *HGroup::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    return uniqueModelItem(pModel, text);
}
