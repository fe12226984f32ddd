#include "commands/BEditUndoCommand.h"

#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"

BEditUndoCommand::BEditUndoCommand(int)
    : BCommand(BCommandMode::Discard)
{
}

BEditUndoCommand::~BEditUndoCommand() = default;

void BEditUndoCommand::doCommand()
{
    BCommandProcessor::instance()->undo();
}

void BEditUndoCommand::undoCommand()
{
}

QString BEditUndoCommand::name() const
{
    return tr("Undo");
}

int BEditUndoCommand::id() const
{
    return BCommandId::EditUndo;
}
