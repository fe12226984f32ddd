#pragma once

#include "commands/BAlignCommand.h"

// Moves the selected controls so that their left edges meet the selection's.
class BAlignLeftCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignLeftCommand)

public:
    explicit BAlignLeftCommand(int mode = BCommandMode::Undoable);
    ~BAlignLeftCommand() override;

    QString name() const override;
    int id() const override;
};
