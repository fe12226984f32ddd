#include "controllers/KMainController.h"

#include "commands/BCommand.h"
#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "model/MModel.h"

#include <memory>

// ---------------------------------------------------------------- edit operations

void KMainController::runCommand(int id)
{
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    if (!pCommand)
        return;
    pCommand->setModel(m_pModel);
    pCommand->prepare();
    // Handed to the processor, it is the processor's; with nothing selected it stays ours.
    if (pCommand->run(0))
        pCommand.release();
}

void KMainController::undo()
{
    if (BCommand *pCommand = BCommandFactory::instance()->createCommand(BCommandId::EditUndo))
        BCommandProcessor::instance()->execute(pCommand);
    else
        BCommandProcessor::instance()->undo();
}

void KMainController::redo()
{
    if (BCommand *pCommand = BCommandFactory::instance()->createCommand(BCommandId::EditRedo))
        BCommandProcessor::instance()->execute(pCommand);
    else
        BCommandProcessor::instance()->redo();
}

void KMainController::undoList()
{
    BCommandProcessor::instance()->showUndoList();
}

void KMainController::cut() { runCommand(BCommandId::EditCut); }
void KMainController::copy() { runCommand(BCommandId::EditCopy); }
void KMainController::paste() { runCommand(BCommandId::EditPaste); }
void KMainController::del() { runCommand(BCommandId::EditDelete); }

void KMainController::editMode()
{
    if (!m_pModel)
        return;
    goOffline();
    m_pModel->toggleEditMode();
}

void KMainController::bringToFront() { runCommand(BCommandId::LayoutFront); }
void KMainController::bringForward() { runCommand(BCommandId::LayoutForward); }
void KMainController::sendToBack() { runCommand(BCommandId::LayoutBack); }
void KMainController::sendBackward() { runCommand(BCommandId::LayoutBackward); }
void KMainController::alignLeft() { runCommand(BCommandId::AlignLeft); }
void KMainController::alignRight() { runCommand(BCommandId::AlignRight); }
void KMainController::alignTop() { runCommand(BCommandId::AlignTop); }
void KMainController::alignBottom() { runCommand(BCommandId::AlignBottom); }
void KMainController::alignHCenter() { runCommand(BCommandId::AlignHCenter); }
void KMainController::alignVCenter() { runCommand(BCommandId::AlignVCenter); }
void KMainController::spaceAcross() { runCommand(BCommandId::LayoutSpaceAcross); }
void KMainController::spaceDown() { runCommand(BCommandId::LayoutSpaceDown); }
