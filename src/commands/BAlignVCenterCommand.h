#pragma once

#include "commands/BAlignCommand.h"

// Centres each selected control on the selection's vertical centre; with Shift alone held, centres
// the selection as a block on the canvas.
class BAlignVCenterCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignVCenterCommand)

public:
    explicit BAlignVCenterCommand(int mode = BCommandMode::Undoable);
    ~BAlignVCenterCommand() override;

    void doCommand() override;
    QString name() const override;
    int id() const override;
};
