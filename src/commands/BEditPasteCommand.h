#pragma once

#include "commands/BCommand.h"
#include "model/CComposite.h"

// Edit > Paste: builds new controls from the clipboard's
// "application/control" text and puts them, selected, on the current panel,
// at the positions the text gives, moved together inside the panel's drawing
// area where they would hang past its edge. Undo takes them off again. The command
// owns the controls whenever they are off the panel: before they were ever
// placed (a refused paste) and after an undo.
class BEditPasteCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditPasteCommand)

public:
    explicit BEditPasteCommand(int mode = BCommandMode::Undoable);
    ~BEditPasteCommand() override;

    // Handed to the processor only when controls were built and the current
    // panel is not a template; otherwise the controls are destroyed with the
    // command.
    bool run(int value) override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    const CComposite &controls() const { return m_controls; }

private:
    void selectPasted();
    // Past the right or bottom edge first; a block larger than the area keeps
    // its top-left inside.
    void keepInsideCanvas();

    CComposite m_controls;
};
