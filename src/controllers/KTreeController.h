#pragma once

#include "controllers/KController.h"

#include <QPersistentModelIndex>
#include <QPointer>

class QStandardItem;
class VModel;
class VTree;

// Builds the project tree: the hardware tree's items, then the "Graphics",
// "System" and "Links" groups; rebuilds the links when the panels change and
// follows a link item on a double click.
class KTreeController : public KController
{
    Q_OBJECT

public:
    KTreeController(QWidget *pParent, MModel *pModel);
    ~KTreeController() override;

    int controllerId() const override;
    void initialize() override;
    void build() override;
    void clear() override;
    void layout(const QRect &area) override;
    void setEditMode(bool on) override;
    void setFilePath(const QString &path) override;
    void notify(int event) override;
    void mouseDoubleClick(QMouseEvent *pEvent) override;

    VTree *tree() const;
    VModel *itemModel() const { return m_pItemModel; }
    // The "Links" group row, or null.
    QStandardItem *linksGroup() const;

private:
    void appendFixedGroup(const QString &text, const QList<QPair<QString, QString>> &items);
    void appendLinksGroup();
    void rebuildLinks();
    void followLinkItem(const QStandardItem *pItem);

    QPointer<VTree> m_pTree;
    VModel *m_pItemModel;
    // Kept rather than searched for by text: a processor may carry the same name.
    QPersistentModelIndex m_linksGroup;
};
