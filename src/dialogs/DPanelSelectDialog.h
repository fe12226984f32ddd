#pragma once

#include "dialogs/DModalDialog.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "ui_DPanelSelectDialog.h"

#include <QPointer>
#include <QString>

class QModelIndex;
class QStandardItem;
class QStandardItemModel;

// "Layout": the panel document as a tree of the root, its collections and
// their panels, from which the user chooses one panel. Only panels can be
// chosen. The caller stores the model and the path of the panel to
// preselect, runs it and reads the chosen panel back; the document is left
// as it was.
class DPanelSelectDialog : public DModalDialog, public Ui_DPanelSelectDialog
{
    Q_OBJECT

public:
    explicit DPanelSelectDialog(QWidget *parent);
    ~DPanelSelectDialog() override;

    void setModel(MModel *pModel) { m_pModel = pModel; }
    // A link path as the root builds it: "..", the collection, the panel.
    void setInitialPath(const QString &path) { m_sInitialPath = path; }
    // Whether accepting refreshes the model's view (on at construction).
    void setRefreshOnAccept(bool refresh) { m_bRefreshOnAccept = refresh; }
    // The panel chosen; null for none.
    CControl *selectedPanel() const { return m_pSelectedPanel; }

    void prepare() override;
    void rebuildTree();
    void selectPath();
    // The control an item of the tree stands for; null for none.
    CControl *controlAt(const QModelIndex &index) const;
    // The path of the control from the root of its tree; empty for none.
    static QString pathOf(CControl *pControl);
    static bool isPanel(const CControl *pControl);

public slots:
    void pass();
    void fail();
    void treeClicked(const QModelIndex &index);
    void treeDoubleClicked(const QModelIndex &index);

private:
    void collectNamed(QStandardItem *pItem, const QString &name, QList<QStandardItem *> &found) const;

    QPointer<CControl> m_pSelectedPanel;
    QPointer<MModel> m_pModel;
    QString m_sInitialPath;
    QStandardItemModel *m_pItemModel;
    bool m_bRefreshOnAccept;
};
