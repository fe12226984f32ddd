#include "commands/BEditRedoCommand.h"

#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "utility/LogCategories.h"

#include <QDebug>

BEditRedoCommand::BEditRedoCommand(int)
    : BCommand(BCommandMode::Discard)
{
}

BEditRedoCommand::~BEditRedoCommand() = default;

void BEditRedoCommand::doCommand()
{
    BCommandProcessor::instance()->redo();
}

void BEditRedoCommand::undoCommand()
{
    qCDebug(lcCommands) << "";
}

QString BEditRedoCommand::name() const
{
    return tr("Redo");
}

int BEditRedoCommand::id() const
{
    return BCommandId::EditRedo;
}
