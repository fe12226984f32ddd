#pragma once

#include "commands/BDropCommand.h"

class CComposite;

// A processing block dropped on the canvas becomes a whole panel of the
// shown scene (at most six per scene), shown at once. Undo takes the panel
// out of its scene and shows the panel before it (the last one when it was
// the first); an emptied scene leaves no current panel. The command keeps the
// scene the panel was built in.
class BDropPanelCommand : public BDropCommand
{
    Q_DECLARE_TR_FUNCTIONS(BDropPanelCommand)

public:
    explicit BDropPanelCommand(int mode = BCommandMode::Undoable);
    ~BDropPanelCommand() override;

    // Builds the panel; a refused drop (a full scene) is discarded.
    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    CComposite *scene() const;

private:
    void showPanel();

    QPointer<CComposite> m_pScene;
};
