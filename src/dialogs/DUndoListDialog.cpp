#include "dialogs/DUndoListDialog.h"

#include "commands/BCommand.h"
#include "commands/BCommandProcessor.h"
#include "ui_DUndoListDialog.h"

DUndoListDialog::DUndoListDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DUndoListDialog)
    , m_pProcessor(nullptr)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DUndoListDialog::~DUndoListDialog()
{
    delete m_pUi;
}

void DUndoListDialog::prepare()
{
    refreshLists();
    connect(m_pUi->m_pUndoList, &QListWidget::itemDoubleClicked, this, &DUndoListDialog::undo,
            Qt::UniqueConnection);
    connect(m_pUi->m_pRedoList, &QListWidget::itemDoubleClicked, this, &DUndoListDialog::redo,
            Qt::UniqueConnection);
    setWindowTitle(QStringLiteral("Undo/Redo"));
    setStatus(StatusUndecided);
}

void DUndoListDialog::refreshLists()
{
    if (!m_pProcessor)
        return;
    fill(m_pUi->m_pUndoList, m_pProcessor->undoCount(), true);
    fill(m_pUi->m_pRedoList, m_pProcessor->redoCount(), false);
}

// Each entry goes on top: row 0 is the command the next single step takes.
void DUndoListDialog::fill(QListWidget *pList, int count, bool undoHistory)
{
    pList->clear();
    for (int index = 0; index < count; ++index) {
        const BCommand *pCommand = undoHistory ? m_pProcessor->undoCommandAt(index)
                                               : m_pProcessor->redoCommandAt(index);
        if (pCommand)
            pList->insertItem(0, pCommand->description());
    }
}

void DUndoListDialog::undo(QListWidgetItem *pItem)
{
    if (!pItem || !m_pProcessor)
        return;
    const int row = m_pUi->m_pUndoList->row(pItem);
    if (row < 0)
        return;
    m_pProcessor->undoTo(row);
    refreshLists();
}

void DUndoListDialog::redo(QListWidgetItem *pItem)
{
    if (!pItem || !m_pProcessor)
        return;
    const int row = m_pUi->m_pRedoList->row(pItem);
    if (row < 0)
        return;
    m_pProcessor->redoTo(row);
    refreshLists();
}
