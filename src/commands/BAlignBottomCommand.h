#pragma once

#include "commands/BAlignCommand.h"

// Moves the selected controls so that their bottom edges meet the selection's.
class BAlignBottomCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignBottomCommand)

public:
    explicit BAlignBottomCommand(int mode = BCommandMode::Undoable);
    ~BAlignBottomCommand() override;

    QString name() const override;
    int id() const override;
};
