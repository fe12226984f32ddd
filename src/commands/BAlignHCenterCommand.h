#pragma once

#include "commands/BAlignCommand.h"

// Centres each selected control on the selection's horizontal centre; with Shift held, centres the
// selection as a block on the canvas.
class BAlignHCenterCommand : public BAlignCommand
{
    Q_DECLARE_TR_FUNCTIONS(BAlignHCenterCommand)

public:
    explicit BAlignHCenterCommand(int mode = BCommandMode::Undoable);
    ~BAlignHCenterCommand() override;

    void doCommand() override;
    QString name() const override;
    int id() const override;
};
