#pragma once

#include "commands/BCommand.h"

// Edit > Undo: undoes the newest entry of the undo history. Discarded once
// performed, so it never becomes an entry of its own.
class BEditUndoCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditUndoCommand)

public:
    explicit BEditUndoCommand(int mode = BCommandMode::Undoable);
    ~BEditUndoCommand() override;

    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;
};
