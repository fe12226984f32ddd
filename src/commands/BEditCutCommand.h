#pragma once

#include "commands/BEditCopyCommand.h"
#include "model/CComposite.h"
#include "model/MModel.h"

// Edit > Cut: copies the selection to the clipboard and takes each control
// off its own panel. Undo puts every control back on the panel and at the
// position it came from. While the controls are off the panel (done) the
// command owns them and destroys them with itself.
class BEditCutCommand : public BEditCopyCommand
{
    Q_DECLARE_TR_FUNCTIONS(BEditCutCommand)

public:
    explicit BEditCutCommand(int mode = BCommandMode::Undoable);
    ~BEditCutCommand() override;

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
