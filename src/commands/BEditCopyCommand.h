#pragma once

#include "commands/BCommand.h"

class CComposite;

// Edit > Copy: puts the selected controls of the whole document on the
// system clipboard as "application/control" (UTF-16 big-endian XML with a
// byte-order mark: VMD, Controls, then each control as the project file
// writes it). Changes nothing, so it is discarded once performed.
class BEditCopyCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditCopyCommand)

public:
    static const QLatin1String MimeType;

    explicit BEditCopyCommand(int mode = BCommandMode::Undoable);
    ~BEditCopyCommand() override;

    // Handed to the processor only when something was copied.
    bool run(int value) override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

protected:
    // Fills the borrowing collection with the selection and, when it holds
    // anything, puts it on the clipboard. True only when the clipboard then
    // holds those controls: a cut must not take away what was not kept.
    bool copyToClipboard(CComposite *pControls);
};
