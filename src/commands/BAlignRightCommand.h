#pragma once

#include "commands/BAlignCommand.h"

// Moves the selected controls so that their right edges meet the selection's.
class BAlignRightCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignRightCommand)

public:
    explicit BAlignRightCommand(int mode = BCommandMode::Undoable);
    ~BAlignRightCommand() override;

    QString name() const override;
    int id() const override;
};
