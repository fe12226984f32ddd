#pragma once

#include "commands/BDropCommand.h"

#include <QString>

class CComposite;
class HNode;
class WWidget;

// A parameter dropped on a drop site becomes the control the site holds,
// filling the site. The control the site held before leaves its panel while
// the command is done (the command owns it then) and comes back, onto the
// site's own panel and into the site, on undo.
class BDropSiteCommand : public BDropCommand
{
    Q_DECLARE_TR_FUNCTIONS(BDropSiteCommand)

public:
    explicit BDropSiteCommand(int mode = BCommandMode::Undoable);
    // Destroys the replaced control when done, the new one when undone.
    ~BDropSiteCommand() override;

    // Asks the site, then builds the control into it; a refused drop is discarded.
    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    QString name() const override;
    int id() const override;

    CControl *previous() const;
    WWidget *site() const;
    HNode *node() const;
    const QString &text() const { return m_sText; }

private:
    bool build();
    void rememberPrevious();
    void takePreviousOff();
    void putPreviousBack();
    void takeControlOff();

    QPointer<CControl> m_pPrevious;
    QPointer<WWidget> m_pSite;
    QPointer<HNode> m_pNode;
    QString m_sText;
    // Where the replaced control stood, to put it back exactly there.
    QPointer<CComposite> m_pPreviousPanel;
    int m_nPreviousIndex;
};
