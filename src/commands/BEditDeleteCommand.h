#pragma once

#include "commands/BCommand.h"
#include "model/CComposite.h"
#include "model/MModel.h"

// Edit > Delete: takes each selected control of the document off its own
// panel. Undo puts every control back on the panel and at the position it
// came from. While the controls are off the panel (done) the command owns
// them and destroys them with itself.
class BEditDeleteCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditDeleteCommand)

public:
    explicit BEditDeleteCommand(int mode = BCommandMode::Undoable);
    ~BEditDeleteCommand() override;

    // Handed to the processor only when something is selected.
    bool run(int value) override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    const CComposite &controls() const { return m_controls; }

private:
    CComposite m_controls;
    QList<MModel::ControlPlace> m_places;
};
