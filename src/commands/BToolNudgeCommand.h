#pragma once

#include "commands/BToolCommand.h"

// Moves the selected controls with the arrow keys: a grid step per press
// (auto-repeated presses included), one unit with Shift. Control or Alt
// cancels the gesture while nothing has moved yet; once the controls moved,
// the gesture is kept. Filed once, at the final release, when it moved.
class BToolNudgeCommand : public BToolCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolNudgeCommand)

public:
    explicit BToolNudgeCommand(int mode = BCommandMode::Undoable);
    ~BToolNudgeCommand() override;

    void doCommand() override;
    void undoCommand() override;
    void keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase) override;
    QString name() const override;
    int id() const override;

    bool usesGrid() const { return m_bUseGrid; }
    // The total movement so far.
    QPointF offset() const { return m_offset; }

private:
    void press(int key, int modifiers);

    bool m_bUseGrid;
    QPointF m_offset;
};
