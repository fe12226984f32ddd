#pragma once

#include "dialogs/DModalDialog.h"

#include <QList>

class HNode;
class QDialogButtonBox;
class QListWidget;

// "Parameter Set Configuration": the user ticks the parameter sets a drop
// list offers and orders them; on OK the ticked sets are numbered 0, 1, 2 ...
// in the shown order and the others get -1.
class DParameterSetDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DParameterSetDialog(QWidget *parent = nullptr);
    ~DParameterSetDialog() override;

    // One checkable item per set, unticked, the set's label as its text.
    void setParameterSets(const QList<HNode *> &sets);

    int count() const;
    QString textAt(int row) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // Moves the item one row up or down; false at the end of the list.
    bool moveUp(int row);
    bool moveDown(int row);
    bool isOkEnabled() const;

public slots:
    void accept() override;

private slots:
    void onMoveUp();
    void onMoveDown();
    void onItemChanged();

private:
    bool moveRow(int from, int to);
    HNode *nodeAt(int row) const;

    QListWidget *m_pList = nullptr;
    QDialogButtonBox *m_pButtonBox = nullptr;
};
