#include "RecordingCommand.h"

int RecordingCommand::s_nLive = 0;

RecordingCommand::RecordingCommand(const QString &label, QStringList *pLog, int mode)
    : BCommand(mode)
    , m_sLabel(label)
    , m_pLog(pLog)
{
    ++s_nLive;
}

RecordingCommand::~RecordingCommand()
{
    --s_nLive;
    log(QStringLiteral("delete ") + m_sLabel);
}

void RecordingCommand::doCommand()
{
    log(QStringLiteral("do %1 %2").arg(m_sLabel).arg(state()));
    if (onDo)
        onDo();
    BCommand::doCommand();
}

void RecordingCommand::undoCommand()
{
    log(QStringLiteral("undo ") + m_sLabel);
    BCommand::undoCommand();
}

void RecordingCommand::log(const QString &line)
{
    if (m_pLog)
        m_pLog->append(line);
}
