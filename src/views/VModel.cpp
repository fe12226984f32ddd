#include "views/VModel.h"

#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"

#include <QDebug>
#include <QMimeData>

VModel::VModel(MModel *pModel)
    : QStandardItemModel(nullptr)
    , m_pModel(pModel)
{
}

VModel::~VModel() = default;

void VModel::setModel(MModel *pModel)
{
    m_pModel = pModel;
}

MModel *VModel::model() const
{
    return m_pModel;
}

QStringList VModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QString VModel::dragMimeType() const
{
    return m_pModel && m_pModel->hasDropSite() ? QStringLiteral("application/dropsite")
                                               : QStringLiteral("application/control");
}

int VModel::kindOf(const QStandardItem *pItem)
{
    return pItem ? int(pItem->flags().toInt() & TreeItem::KindMask) : 0;
}

quint64 VModel::handleOf(const QStandardItem *pItem)
{
    return pItem ? pItem->data(TreeItem::HandleRole).toULongLong() : 0;
}

QMimeData *VModel::mimeData(const QModelIndexList &indexes) const
{
    auto *pData = new QMimeData;
    QString text;
    QString type;
    QByteArray handle;
    // The last index decides.
    for (const QModelIndex &index : indexes) {
        const QStandardItem *pItem = itemFromIndex(index);
        text = index.data(Qt::DisplayRole).toString();
        handle = QByteArray::number(handleOf(pItem));
        switch (kindOf(pItem)) {
        case TreeItem::PanelKind:
            type = QStringLiteral("application/panel");
            break;
        case TreeItem::LinkKind:
            type = QStringLiteral("application/link");
            break;
        case TreeItem::ParameterKind:
            type = dragMimeType();
            break;
        default:
            type.clear();
            break;
        }
    }
    pData->setText(text);
    if (type.isEmpty())
        qCDebug(lcViews) << "QModelIndexList was not populated.";
    else
        pData->setData(type, handle);
    return pData;
}
