#include "commands/BLayoutSpaceDownCommand.h"

#include "commands/BCommandId.h"

BLayoutSpaceDownCommand::BLayoutSpaceDownCommand(int mode)
    : BAlignCommand(mode)
{
}

BLayoutSpaceDownCommand::~BLayoutSpaceDownCommand() = default;

void BLayoutSpaceDownCommand::doCommand()
{
    BCommand::doCommand();
    distribute(Qt::Vertical);
}

QString BLayoutSpaceDownCommand::name() const
{
    return tr("Distribute Vertically");
}

int BLayoutSpaceDownCommand::id() const
{
    return BCommandId::LayoutSpaceDown;
}
