#pragma once

#include "commands/BAlignCommand.h"

// Moves the selected controls so that their top edges meet the selection's.
class BAlignTopCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignTopCommand)

public:
    explicit BAlignTopCommand(int mode = BCommandMode::Undoable);
    ~BAlignTopCommand() override;

    QString name() const override;
    int id() const override;
};
