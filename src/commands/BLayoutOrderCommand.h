#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPointer>

class CComposite;

// Base of the stacking-order commands. The stacking order of a panel is its
// child list: the first child is drawn lowest. Only selected controls that
// are children of the current panel move; several move as blocks that keep
// their relative order. Undo puts every moved control back at the index it
// had, lowest first, so the whole order comes back.
class BLayoutOrderCommand : public BCommand
{
public:
    explicit BLayoutOrderCommand(int mode = BCommandMode::Undoable);
    ~BLayoutOrderCommand() override;

    // Gathers the selection and its indices; filed only when something is selected.
    bool run(int value) override;
    void doCommand() override;
    void undoCommand() override;

    // Each selected control's index in the panel when the command was run;
    // -1 for one that is not a child of it.
    const QList<int> &savedIndices() const { return m_savedIndices; }

protected:
    // The new order of `children`, given which of them are selected.
    virtual QList<CControl *> reordered(const QList<CControl *> &children,
                                        const QList<CControl *> &selected) const = 0;

private:
    CComposite *currentPanel() const;
    void apply(CComposite *pPanel, const QList<CControl *> &order);

    QList<QPointer<CControl>> m_controls;
    QList<int> m_savedIndices;
};
