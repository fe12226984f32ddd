#include "RecordingSelectTool.h"

RecordingSelectTool::RecordingSelectTool(QStringList *pLog)
    : m_pLog(pLog)
{
}

void RecordingSelectTool::mouseEvent(const QPointF &point, int handle, int id, int phase)
{
    if (m_pLog) {
        m_pLog->append(QStringLiteral("mouse %1,%2 handle %3 id %4 phase %5")
                           .arg(point.x())
                           .arg(point.y())
                           .arg(handle)
                           .arg(id, 0, 16)
                           .arg(phase));
    }
    BToolSelectCommand::mouseEvent(point, handle, id, phase);
}

void RecordingSelectTool::keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase)
{
    if (m_pLog) {
        m_pLog->append(QStringLiteral("key %1 mods %2 id %3 repeat %4 phase %5")
                           .arg(key, 0, 16)
                           .arg(modifiers, 0, 16)
                           .arg(id, 0, 16)
                           .arg(autoRepeat ? 1 : 0)
                           .arg(phase));
    }
    BToolSelectCommand::keyEvent(key, modifiers, id, autoRepeat, phase);
}

bool RecordingSelectTool::run(int value)
{
    if (m_pLog)
        m_pLog->append(QStringLiteral("run %1").arg(value));
    return BToolSelectCommand::run(value);
}
