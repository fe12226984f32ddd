#include "commands/BAlignTopCommand.h"

#include "commands/BCommandId.h"

BAlignTopCommand::BAlignTopCommand(int mode)
    : BAlignCommand(mode)
{
    m_nAlignment = Qt::AlignTop;
}

BAlignTopCommand::~BAlignTopCommand() = default;

QString BAlignTopCommand::name() const
{
    return tr("Align Top");
}

int BAlignTopCommand::id() const
{
    return BCommandId::AlignTop;
}
