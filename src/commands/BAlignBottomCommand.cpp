#include "commands/BAlignBottomCommand.h"

#include "commands/BCommandId.h"

BAlignBottomCommand::BAlignBottomCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignBottom;
}

BAlignBottomCommand::~BAlignBottomCommand() = default;

QString BAlignBottomCommand::name() const
{
    return tr("Align Bottom");
}

int BAlignBottomCommand::id() const
{
    return BCommandId::AlignBottom;
}
