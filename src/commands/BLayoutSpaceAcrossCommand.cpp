#include "commands/BLayoutSpaceAcrossCommand.h"

#include "commands/BCommandId.h"

BLayoutSpaceAcrossCommand::BLayoutSpaceAcrossCommand(int mode)
    : BAlignCommand(mode)
{
}

BLayoutSpaceAcrossCommand::~BLayoutSpaceAcrossCommand() = default;

void BLayoutSpaceAcrossCommand::doCommand()
{
    BCommand::doCommand();
    distribute(Qt::Horizontal);
}

QString BLayoutSpaceAcrossCommand::name() const
{
    return tr("Distribute Horizontally");
}

int BLayoutSpaceAcrossCommand::id() const
{
    return BCommandId::LayoutSpaceAcross;
}
