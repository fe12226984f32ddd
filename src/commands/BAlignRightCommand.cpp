#include "commands/BAlignRightCommand.h"

#include "commands/BCommandId.h"

BAlignRightCommand::BAlignRightCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignRight;
}

BAlignRightCommand::~BAlignRightCommand() = default;

QString BAlignRightCommand::name() const
{
    return tr("Align Right");
}

int BAlignRightCommand::id() const
{
    return BCommandId::AlignRight;
}
