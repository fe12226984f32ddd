#pragma once

#include "commands/BCommand.h"

// Edit > Redo: redoes the newest entry of the redo history. Discarded once
// performed, so it never becomes an entry of its own.
class BEditRedoCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditRedoCommand)

public:
    explicit BEditRedoCommand(int mode = BCommandMode::Undoable);
    ~BEditRedoCommand() override;

    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;
};
