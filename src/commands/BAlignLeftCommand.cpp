#include "commands/BAlignLeftCommand.h"

#include "commands/BCommandId.h"

BAlignLeftCommand::BAlignLeftCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignLeft;
}

BAlignLeftCommand::~BAlignLeftCommand() = default;

QString BAlignLeftCommand::name() const
{
    return tr("Align Left");
}

int BAlignLeftCommand::id() const
{
    return BCommandId::AlignLeft;
}
