#include "commands/BToolNudgeCommand.h"

#include "commands/BCommandId.h"
#include "views/VGrid.h"

BToolNudgeCommand::BToolNudgeCommand(int mode)
    : BToolCommand(mode)
    , m_bUseGrid(true)
{
    setMode(BCommandMode::Discard);
}

BToolNudgeCommand::~BToolNudgeCommand() = default;

void BToolNudgeCommand::keyEvent(int key, int modifiers, int, bool autoRepeat, int phase)
{
    if (state() == BCommandState::Cancelled || !hasSelection())
        return;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        // Cancelling after a move would leave the moved controls outside undo.
        if (m_offset.isNull())
            setState(BCommandState::Cancelled);
        return;
    }
    if (phase == 1)
        press(key, modifiers);
    else if (phase == 3 && !autoRepeat && m_bStarted)
        notifyGeometryEdited();
}

void BToolNudgeCommand::press(int key, int modifiers)
{
    if (!m_bStarted) {
        m_bUseGrid = modifiers != int(Qt::ShiftModifier);
        m_bStarted = true;
    }
    const QPointF step = grid().nudgeVector(key, m_bUseGrid);
    if (step.isNull())
        return;
    moveSelection(step);
    m_offset += step;
}

void BToolNudgeCommand::doCommand()
{
    if (state() == BCommandState::Cancelled) {
        setMode(BCommandMode::Discard);
        return;
    }
    if (state() == BCommandState::Undone) {
        BCommand::doCommand();
        moveSelection(m_offset);
    }
    setState(BCommandState::Done);
    setMode(m_bStarted && !m_offset.isNull() ? BCommandMode::Undoable : BCommandMode::Discard);
}

void BToolNudgeCommand::undoCommand()
{
    BCommand::undoCommand();
    moveSelection(-m_offset);
}

QString BToolNudgeCommand::name() const
{
    return tr("Nudge");
}

int BToolNudgeCommand::id() const
{
    return BCommandId::ToolNudge;
}
