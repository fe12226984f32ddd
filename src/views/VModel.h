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
    // Where an item keeps the handle of the node or panel it stands for.
    static constexpr int HandleRole = Qt::UserRole + 1;
    // Item kind bits beyond Qt's own item flags.
    static constexpr int KindMask = 0x1C00;
    static constexpr int ControlKind = 0x0400;
    static constexpr int PanelKind = 0x0800;
    static constexpr int LinkKind = 0x1000;

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
