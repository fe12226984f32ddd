#pragma once

#include "commands/BDropCommand.h"

// A parameter or block of the hardware tree, or a graphics item, dropped on
// the canvas becomes a control of the current panel, snapped to the grid.
// Undo takes the same control off the panel and hides it; redo puts it back.
class BDropControlCommand : public BDropCommand
{
    Q_DECLARE_TR_FUNCTIONS(BDropControlCommand)

public:
    explicit BDropControlCommand(int mode = BCommandMode::Undoable);
    ~BDropControlCommand() override;

    // Builds the control; a drop that builds nothing is discarded.
    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;
};
