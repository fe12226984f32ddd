#pragma once

#include "commands/BAlignCommand.h"

// Spaces the horizontal centres of the selected controls evenly between the outer two.
class BLayoutSpaceAcrossCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutSpaceAcrossCommand)

public:
    explicit BLayoutSpaceAcrossCommand(int mode = BCommandMode::Undoable);
    ~BLayoutSpaceAcrossCommand() override;

    void doCommand() override;
    QString name() const override;
    int id() const override;
};
