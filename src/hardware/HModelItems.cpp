#include "hardware/HModelItems.h"

#include "hardware/HNode.h"
#include "utility/TreeItem.h"

#include <QStandardItemModel>

HModelItems::HModelItems(QStandardItemModel *pModel)
    : QObject(pModel)
    , m_pModel(pModel)
{
    connect(pModel, &QAbstractItemModel::rowsInserted, this, &HModelItems::onRowsInserted);
    connect(pModel, &QAbstractItemModel::dataChanged, this, &HModelItems::onDataChanged);
    connect(pModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, &HModelItems::onInvalidated);
    connect(pModel, &QAbstractItemModel::rowsMoved, this, &HModelItems::onInvalidated);
    connect(pModel, &QAbstractItemModel::columnsAboutToBeRemoved, this, &HModelItems::onInvalidated);
    connect(pModel, &QAbstractItemModel::modelAboutToBeReset, this, &HModelItems::onInvalidated);
    connect(pModel, &QAbstractItemModel::layoutAboutToBeChanged, this, &HModelItems::onInvalidated);
}

HModelItems *HModelItems::of(QStandardItemModel *pModel)
{
    if (!pModel)
        return nullptr;
    if (auto *pIndex = pModel->findChild<HModelItems *>(QString(), Qt::FindDirectChildrenOnly))
        return pIndex;
    return new HModelItems(pModel);
}

QStandardItem *HModelItems::uniqueItem(const QString &text)
{
    if (m_bDirty)
        rebuild();
    const TextEntry entry = m_byText.value(text);
    return entry.count == 1 ? entry.pFirst : nullptr;
}

QStandardItem *HModelItems::itemOf(quint64 address, const QString &text)
{
    if (m_bDirty)
        rebuild();
    return m_byOwner.value(qMakePair(address, text), nullptr);
}

void HModelItems::rebuild()
{
    m_byText.clear();
    m_byOwner.clear();
    m_bDirty = false;
    QStandardItem *pRoot = m_pModel->invisibleRootItem();
    for (int row = 0; row < pRoot->rowCount(); ++row)
        addSubtree(pRoot->child(row));
}

void HModelItems::addSubtree(QStandardItem *pItem)
{
    if (!pItem)
        return;
    const QString text = pItem->text();
    TextEntry &entry = m_byText[text];
    if (!entry.pFirst)
        entry.pFirst = pItem;
    ++entry.count;
    // Only rows that stand for a node's group or section are asked for by
    // owner; parameter and complete-panel items never are.
    const bool leaf = (pItem->flags() & (TreeItem::ParameterKind | TreeItem::PanelKind)) != 0;
    const QVariant owner = leaf ? QVariant() : pItem->data(TreeItem::HandleRole);
    if (owner.isValid()) {
        const auto key = qMakePair(owner.toULongLong(), text);
        if (!m_byOwner.contains(key))
            m_byOwner.insert(key, pItem);
    }
    for (int row = 0; row < pItem->rowCount(); ++row)
        addSubtree(pItem->child(row));
}

void HModelItems::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (m_bDirty)
        return;
    QStandardItem *pParent = parent.isValid() ? m_pModel->itemFromIndex(parent) : m_pModel->invisibleRootItem();
    if (!pParent || (parent.isValid() && parent.column() != 0)) {
        m_bDirty = true;
        return;
    }
    for (int row = first; row <= last; ++row)
        addSubtree(pParent->child(row));
}

void HModelItems::onDataChanged(const QModelIndex &, const QModelIndex &, const QList<int> &roles)
{
    if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(TreeItem::HandleRole))
        m_bDirty = true;
}

void HModelItems::onInvalidated()
{
    m_bDirty = true;
}
