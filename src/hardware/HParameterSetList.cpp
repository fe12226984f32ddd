#include "hardware/HParameterSetList.h"

#include "hardware/CParameter.h"

#include <QStandardItemModel>

HParameterSetList::HParameterSetList() = default;

HParameterSetList::~HParameterSetList() = default;

void HParameterSetList::parseChildAttributes(const QXmlAttributes &, bool)
{
}

bool HParameterSetList::initNode()
{
    HNode::initNode();
    m_sTitle.remove(QLatin1Char('.'));
    m_sTitle.remove(QLatin1Char(' '));
    m_sTypeNum = QStringLiteral("0");
    return true;
}

void HParameterSetList::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    if (auto *pList = qobject_cast<HParameterSetList *>(pOther)) {
        // The new file's assignment fills them again.
        m_setNames.clear();
        m_setIds.clear();
        m_bListChanged = true;
        if (m_parameters != pList->m_parameters)
            emit listChangedByReload(QStringLiteral("Parameter Set List"));
    }
    if (relabelled && !oldLabel.isEmpty()) {
        retitleParameter(oldLabel, m_sLabel, QStringLiteral("DropList"));
        emit labelChangedByReload(oldLabel, m_sLabel);
    }
}

void HParameterSetList::addParameterSet(const QString &targetId)
{
    m_setIds.append(targetId.toInt());
    if (m_pParent) {
        QList<HNode *> sets;
        m_pParent->collect(HNode::tr("ParameterSets"), &sets);
        for (const HNode *pSet : std::as_const(sets)) {
            if (pSet->idText() == targetId)
                m_setNames.append(pSet->label());
        }
    }
    if (m_bListChanged)
        emit listChangedByReload(QStringLiteral("Parameter Set List"));
}

void HParameterSetList::buildModel(QStandardItemModel *pModel)
{
    if (!pModel)
        return;
    setFlags(FlagPersistent);
    QStandardItem *pSection = addModelItems(pModel, category());
    if (!pSection)
        return;
    pSection->appendRow(makeParameterItem(ensureParameter(m_sLabel, QStringLiteral("DropList"))));
}

void HParameterSetList::clearParameterList(QString &name)
{
    name = QString();
}

HNode *HParameterSetList::resolveNode(HNode *pMain, HNode *)
{
    return pMain;
}

QString HParameterSetList::dataFolder() const
{
    return QStringLiteral("Velmora");
}

HNode *HParameterSetList::findCounterpart(HNode *pTree, bool skipSeen) const
{
    return findDesignCounterpart(pTree, skipSeen);
}

void HParameterSetList::connectNodeSignals(QObject *pReceiver)
{
    HNode::connectNodeSignals(pReceiver);
}

QString HParameterSetList::category() const
{
    return tr("ParameterSetLists");
}

bool HParameterSetList::parameterSetLists(QStringList &names, QList<int> &ids) const
{
    names = m_setNames;
    ids = m_setIds;
    return true;
}

QStandardItem *HParameterSetList::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    return uniqueModelItem(pModel, text);
}
