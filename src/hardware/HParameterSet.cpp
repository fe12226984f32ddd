#include "hardware/HParameterSet.h"

#include "dialogs/DParameterSetDialog.h"
#include "hardware/CParameter.h"
#include "utility/LogCategories.h"

#include <QDebug>
#include <QStandardItemModel>

HParameterSet::HParameterSet() = default;

HParameterSet::~HParameterSet() = default;

void HParameterSet::parseChildAttributes(const QXmlAttributes &, bool)
{
}

bool HParameterSet::initNode()
{
    HNode::initNode();
    m_sTitle.remove(QLatin1Char('.'));
    m_sTitle.remove(QLatin1Char(' '));
    m_sTypeNum = QStringLiteral("0");
    // The processor knows a set by its number in the design file, the id of
    // its element, as the parameter-set lists name their members; a link to
    // the set sends it and lights when the processor reports it.
    if (m_nIndex == 0)
        m_nIndex = m_sId.toInt();
    return true;
}

void HParameterSet::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    if (auto *pSet = qobject_cast<HParameterSet *>(pOther)) {
        m_sTypeNum = pSet->m_sTypeNum;
        m_sTitle = pSet->m_sTitle;
        if (m_parameters != pSet->m_parameters)
            m_bListChanged = true;
    }
    if (relabelled && !oldLabel.isEmpty()) {
        retitleParameter(oldLabel, m_sLabel, QStringLiteral("ParameterSet"));
        emit labelChangedByReload(oldLabel, m_sLabel);
    }
}

void HParameterSet::buildModel(QStandardItemModel *pModel)
{
    if (!pModel) {
        qCDebug(lcHardware) << "null pModel provided as arg.";
        return;
    }
    setFlags(FlagPersistent);
    buildParameterList(pModel);
    buildParameterSet(pModel);
}

void HParameterSet::buildParameterList(QStandardItemModel *pModel)
{
    QStandardItem *pSection = addModelItems(pModel, category());
    if (!pSection || pSection->rowCount() > 0)
        return;
    pSection->appendRow(makeParameterItem(ensureParameter(tr("ParameterList"), QStringLiteral("DropList"))));
    if (m_bListChanged)
        emit listChangedByReload(QStringLiteral("ParameterSets"));
}

void HParameterSet::buildParameterSet(QStandardItemModel *pModel)
{
    QStandardItem *pSection = addModelItems(pModel, category());
    if (!pSection) {
        qCDebug(lcHardware) << "pParent came back null.";
        return;
    }
    pSection->appendRow(makeParameterItem(ensureParameter(m_sLabel, QStringLiteral("ParameterSet"))));
}

void HParameterSet::clearParameterList(QString &name)
{
    name = QString();
}

bool HParameterSet::prepareControl(const QString &name, MModel *)
{
    CParameter *pParameter = findParameter(name);
    if (!pParameter)
        return false;
    if (pParameter->text() == m_sLabel)
        return true;
    if (!m_pParent)
        return false;
    QList<HNode *> sets;
    if (!m_pParent->collectByCategory(category(), &sets))
        return false;
    DParameterSetDialog dialog;
    dialog.setNodeList(&sets);
    dialog.setModal(true);
    return dialog.runModal();
}

HNode *HParameterSet::resolveNode(HNode *pMain, HNode *)
{
    return pMain;
}

QString HParameterSet::parameterFilePath(const QString &name) const
{
    const CParameter *pParameter = findParameter(name);
    if (!pParameter)
        return QString();
    if (pParameter->text() == m_sLabel)
        return HNode::parameterFilePath(name);
    // The list entry: the drop-list template, whatever this set's title.
    return QStringLiteral(":/data/") + dataFolder() + QStringLiteral("/ParamList_") + m_sTypeNum
           + QStringLiteral(".xml");
}

QString HParameterSet::dataFolder() const
{
    return QStringLiteral("Velmora");
}

HNode *HParameterSet::findCounterpart(HNode *pTree, bool skipSeen) const
{
    return findDesignCounterpart(pTree, skipSeen);
}

void HParameterSet::connectNodeSignals(QObject *pReceiver)
{
    HNode::connectNodeSignals(pReceiver);
}

QString HParameterSet::category() const
{
    return tr("ParameterSets");
}

QStandardItem *HParameterSet::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    return uniqueModelItem(pModel, text);
}
