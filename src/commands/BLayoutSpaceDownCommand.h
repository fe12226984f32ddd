#pragma once

#include "commands/BAlignCommand.h"

// Spaces the vertical centres of the selected controls evenly between the outer two.
class BLayoutSpaceDownCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutSpaceDownCommand)

public:
    explicit BLayoutSpaceDownCommand(int mode = BCommandMode::Undoable);
    ~BLayoutSpaceDownCommand() override;

    void doCommand() override;
    QString name() const override;
    int id() const override;
};
