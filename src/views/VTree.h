#pragma once

#include <QPointer>
#include <QStandardItemModel>
#include <QTreeView>

class KTreeController;

// The project tree view: items are dragged from it onto the canvas in edit
// mode; a double click goes to the controller; Control held while an item
// becomes current collapses it instead of expanding it.
class VTree : public QTreeView
{
    Q_OBJECT

public:
    explicit VTree(QWidget *pParent = nullptr);
    ~VTree() override;

    // Shows the model and gives it an empty header item when it has none.
    void setModel(QAbstractItemModel *pModel) override;
    QStandardItemModel *itemModel() const { return m_pModel; }
    void setHeaderText(const QString &text);
    QString headerText() const;
    void setController(KTreeController *pController);
    KTreeController *controller() const;
    // Edit mode: white and draggable; otherwise grey and not draggable.
    void applyStyle(bool editMode);
    int heldKey() const { return m_nKey; }

protected:
    void keyPressEvent(QKeyEvent *pEvent) override;
    void keyReleaseEvent(QKeyEvent *pEvent) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *pEvent) override;
    void mouseMoveEvent(QMouseEvent *pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent *pEvent) override;

private:
    QPointer<QStandardItemModel> m_pModel;
    QPointer<KTreeController> m_pController;
    int m_nKey;
    // While the pointer sweeps over rows with a button held, the current
    // row follows it: that must not open the groups it passes.
    bool m_bSweeping = false;
};
