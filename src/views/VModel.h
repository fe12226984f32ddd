#pragma once

#include <QPointer>
#include <QStandardItemModel>

class MModel;

// The project tree's item model. A dragged item travels as its display text
// and, under the mime type of its kind, its object handle as decimal text.
// The handle is only ever looked up among live objects by whoever takes the
// drop (MModel::nodeForHandle, MModel::linkPathForHandle).
class VModel : public QStandardItemModel
{
    Q_OBJECT

public:
    explicit VModel(MModel *pModel = nullptr);
    ~VModel() override;

    void setModel(MModel *pModel);
    MModel *model() const;

    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    // "application/dropsite" while the selected control holds a drop site.
    QString dragMimeType() const;

    static int kindOf(const QStandardItem *pItem);
    static quint64 handleOf(const QStandardItem *pItem);

private:
    QPointer<MModel> m_pModel;
};
