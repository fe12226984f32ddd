#pragma once

#include "commands/BDropCommand.h"

class CComposite;

// A panel dropped on the canvas becomes a panel-link control on the current
// panel. The command keeps the composite the link was built in, so that undo
// and redo do not depend on what the removed link still remembers.
class BDropLinkCommand : public BDropCommand
{
    Q_DECLARE_TR_FUNCTIONS(BDropLinkCommand)

public:
    explicit BDropLinkCommand(int mode = BCommandMode::Undoable);
    ~BDropLinkCommand() override;

    // Builds the link; a drop that builds nothing is discarded.
    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    // The composite the link belongs to while the command is done.
    CComposite *parentPanel() const;

private:
    QPointer<CComposite> m_pParent;
};
