#include "hardware/HNode.h"

#include "hardware/CParameter.h"
#include "hardware/HDeviceModels.h"
#include "hardware/HModelItems.h"
#include "utility/TreeItem.h"

#include <QHash>
#include <QIcon>
#include <QStandardItemModel>

// ---------------------------------------------------------------- project tree

quint64 HNode::nodeAddress(const HNode *pNode)
{
    return static_cast<quint64>(reinterpret_cast<quintptr>(pNode));
}

void HNode::buildModel(QStandardItemModel *pModel)
{
    int loaded = 0;
    QStandardItem *pParentItem = loadModelGroup(pModel, loaded);
    if (!pParentItem)
        return;
    if (m_nTeleconInputs > 0)
        labelParameters();
    const int perHeader = applyProcessorRules();
    if (hidesAmplifierOutput())
        return;
    QStandardItem *pNodeItem = appendNodeRow(pParentItem, loaded);
    if (!pNodeItem)
        return;
    cutParametersToCounts();
    applyRoomRouterPorts();
    appendParameterItems(pNodeItem, perHeader);
}

QStandardItem *HNode::loadModelGroup(QStandardItemModel *pModel, int &loaded)
{
    if (!pModel)
        return nullptr;
    clearParameters();
    loaded = loadParameters();
    if (loaded == 0)
        return nullptr;
    setFlags(FlagPersistent);
    return addModelItems(pModel, category());
}

QStandardItem *HNode::appendNodeRow(QStandardItem *pParentItem, int loaded)
{
    auto *pNodeItem = new QStandardItem(m_sLabel);
    pNodeItem->setFlags(m_itemFlags);
    pParentItem->appendRow(pNodeItem);
    if (loaded != 1)
        return pNodeItem;
    // A complete panel is offered instead of single parameters.
    auto *pPanelItem = new QStandardItem(resourceIcon(QStringLiteral(":/images/CompletePanel.png")), m_sLabel);
    pPanelItem->setData(nodeAddress(this), TreeItem::HandleRole);
    pPanelItem->setFlags(m_itemFlags | Qt::ItemFlags::fromInt(TreeItem::PanelKind | Qt::ItemIsDragEnabled));
    pNodeItem->appendRow(pPanelItem);
    return nullptr;
}

void HNode::removeMeterParameters()
{
    for (int i = static_cast<int>(m_parameters.size()) - 1; i >= 0; --i) {
        if (m_parameters.at(i)->text().startsWith(QLatin1String("Meter")))
            delete m_parameters.takeAt(i);
    }
}

// Processor-specific trimming; returns the parameters per channel header.
int HNode::applyProcessorRules()
{
    int perHeader = 3;
    if (m_pParent && m_pParent->m_sTitle.startsWith(HDeviceModels::meterlessProcessor())) {
        removeMeterParameters();
        if (m_sTitle.startsWith(QLatin1String("KRXLink")))
            perHeader = 2;
    }
    return perHeader;
}

bool HNode::hidesAmplifierOutput() const
{
    if (!m_pParent || m_sTitle != QLatin1String("Amp Output") || m_sLabel != QLatin1String("----"))
        return false;
    for (const QString &model : HDeviceModels::aqAmplifiers()) {
        if (m_pParent->m_sTitle.startsWith(model))
            return true;
    }
    return false;
}

void HNode::cutParametersToCounts()
{
    if (m_nChannelCount > 0) {
        truncateParameters(m_nChannelCount + 1);
        m_bHasCounts = true;
    } else if (m_nActionCount > 0) {
        truncateParameters(m_nActionCount);
        m_bHasCounts = true;
    }
}

QStandardItem *HNode::makeParameterItem(CParameter *pParameter) const
{
    auto *pItem = new QStandardItem(pParameter->text());
    const QString iconPath = pParameter->iconPath();
    if (!iconPath.isEmpty())
        pItem->setIcon(resourceIcon(iconPath));
    pItem->setData(nodeAddress(this), TreeItem::HandleRole);
    pItem->setFlags(m_itemFlags | Qt::ItemFlags::fromInt(TreeItem::ParameterKind | Qt::ItemIsDragEnabled));
    pParameter->setItem(pItem);
    return pItem;
}

QIcon HNode::resourceIcon(const QString &path)
{
    // Making an icon from a file decodes the image: the tree build would do
    // it once per parameter.
    static QHash<QString, QIcon> icons;
    auto it = icons.find(path);
    if (it == icons.end())
        it = icons.insert(path, QIcon(path));
    return it.value();
}

CParameter *HNode::ensureParameter(const QString &text, const QString &type)
{
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        if (pParameter->text() == text && pParameter->type() == type)
            return pParameter;
    }
    auto *pParameter = new CParameter;
    pParameter->setText(text);
    pParameter->setType(type);
    m_parameters.append(pParameter);
    return pParameter;
}

void HNode::retitleParameter(const QString &oldText, const QString &newText, const QString &type)
{
    CParameter *pOld = nullptr;
    bool newExists = false;
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        if (pParameter->type() != type)
            continue;
        if (pParameter->text() == oldText && !pOld)
            pOld = pParameter;
        else if (pParameter->text() == newText)
            newExists = true;
    }
    if (!pOld)
        return;
    if (!newExists) {
        pOld->setText(newText);
        return;
    }
    m_parameters.removeOne(pOld);
    delete pOld;
}

QStandardItem *HNode::appendHeaderItem(QStandardItem *pNodeItem, const QString &text) const
{
    auto *pHeader = new QStandardItem(text);
    pHeader->setFlags(m_itemFlags);
    pNodeItem->appendRow(pHeader);
    return pHeader;
}

void HNode::appendParameterItems(QStandardItem *pNodeItem, int perHeader)
{
    const bool shortLink = m_pParent && m_sLabel == QLatin1String("DivErov")
                           && m_pParent->m_sTitle.startsWith(HDeviceModels::shortLinkProcessor());
    const bool channelled = m_sTitle == QLatin1String("DivErov") || m_sTitle.startsWith(QLatin1String("KRXLink"));
    const bool toneEq = m_sTitle.startsWith(QLatin1String("DizoZU")) || m_sTitle.startsWith(QLatin1String("Tone EQ"));
    const bool automix = m_sTitle.startsWith(QLatin1String("AMM"));
    static const QStringList bands = {QStringLiteral("Low"), QString(), QStringLiteral("Mid"),
                                      QString(), QStringLiteral("High")};

    QStandardItem *pHeader = nullptr;
    for (int i = 0; i < m_parameters.size(); ++i) {
        if (i >= 12 && shortLink)
            break;
        CParameter *pParameter = m_parameters.at(i);
        if (channelled) {
            if (i >= channelCount() * perHeader)
                break;
            if (i % perHeader == 0)
                pHeader = appendHeaderItem(pNodeItem, channelLabel(i / perHeader));
            pHeader->appendRow(makeParameterItem(pParameter));
        } else if (toneEq) {
            if (i % 2 == 0)
                pHeader = appendHeaderItem(pNodeItem, bands.value(i));
            pHeader->appendRow(makeParameterItem(pParameter));
        } else if (automix) {
            const QString &text = pParameter->text();
            const QString headerText = text.startsWith(QLatin1String("Mic"))
                                           ? inputLabelAt(labelChannelIndex(text)) : text;
            appendHeaderItem(pNodeItem, headerText)->appendRow(makeParameterItem(pParameter));
        } else {
            pNodeItem->appendRow(makeParameterItem(pParameter));
        }
    }
}

QStandardItem *HNode::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    if (!pModel || !m_pParent)
        return nullptr;
    return HModelItems::of(pModel)->itemOf(nodeAddress(m_pParent), text);
}

QStandardItem *HNode::uniqueModelItem(QStandardItemModel *pModel, const QString &text) const
{
    if (!pModel || !m_pParent)
        return nullptr;
    return HModelItems::of(pModel)->uniqueItem(text);
}

HNode *HNode::findDesignCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    if (!pTree->collect(category(), &candidates))
        return nullptr;
    HNode *pFound = nullptr;
    for (HNode *pNode : std::as_const(candidates)) {
        if (!pNode || pNode->m_sTitle != m_sTitle || (skipSeen && pNode->hasFlags(FlagSeen)))
            continue;
        if (m_nNodeId < 1) {
            if (pNode->m_sLabel == m_sLabel)
                return pNode;
        } else if (pNode->m_nNodeId == m_nNodeId) {
            pFound = pNode;
        }
    }
    return pFound;
}
