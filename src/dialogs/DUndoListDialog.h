#pragma once

#include "dialogs/DModalDialog.h"

class BCommandProcessor;
class QListWidget;
class QListWidgetItem;
class Ui_DUndoListDialog;

// "Undo/Redo": the undo and redo histories side by side, newest first. A
// double-click on row r undoes (or redoes) r + 1 commands at once; the lists
// are filled afresh after each. There is no OK: every step has taken effect
// when the window is closed.
class DUndoListDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DUndoListDialog(QWidget *parent = nullptr);
    ~DUndoListDialog() override;

    void setProcessor(BCommandProcessor *pProcessor) { m_pProcessor = pProcessor; }

    void prepare() override;
    void refreshLists();

public slots:
    void undo(QListWidgetItem *pItem);
    void redo(QListWidgetItem *pItem);

private:
    void fill(QListWidget *pList, int count, bool undoHistory);

    Ui_DUndoListDialog *m_pUi;
    BCommandProcessor *m_pProcessor;
};
