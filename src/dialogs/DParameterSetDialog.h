#pragma once

#include "dialogs/DModalDialog.h"

#include <QList>

class HNode;
class QListWidgetItem;
class Ui_DParameterSetDialog;

// "Parameter Set Configuration": the user ticks the parameter sets of a node
// and orders them; on OK the ticked sets are numbered 0, 1, 2 ... in the shown
// order and the others get -1. Every row starts unticked in the caller's
// order, whatever the nodes held before. Cancel changes nothing.
class DParameterSetDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DParameterSetDialog(QWidget *parent = nullptr);
    ~DParameterSetDialog() override;

    // The caller's ordered list, not owned; it must outlive the run.
    void setNodeList(const QList<HNode *> *pNodes) { m_pNodes = pNodes; }
    int currentRow() const { return m_nCurrentRow; }

    void prepare() override;

public slots:
    // OK stays disabled while nothing is ticked; Enter cannot get around it.
    void accept() override;
    void finalize();
    void itemClicked(QListWidgetItem *pItem);
    void itemChanged(QListWidgetItem *pItem);
    void moveDown();
    void moveUp();
    void toggleSelect();

private:
    void fillList();
    void updateButtons();
    void moveCurrent(int offset);
    int checkedCount() const;
    HNode *nodeAt(int row) const;

    Ui_DParameterSetDialog *m_pUi;
    const QList<HNode *> *m_pNodes = nullptr;
    qint32 m_nCurrentRow = -1;
};
