#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPair>
#include <QPointer>

class CComposite;
class WWidget;

// Base of the stacking-order commands. The canvas draws a panel's widgets
// by their z (the layer the project file keeps) and, among equal z, in the
// panel's child order. Only selected controls that are children of the
// current panel move; several move as blocks that keep their relative
// order, and their z is shifted as a whole just far enough to pass the
// controls they are to pass. Undo puts every moved control back at the
// index it had, lowest first, and every z back, so the whole order comes back.
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
    // Whether the selection goes up (else down).
    virtual bool raises() const = 0;
    // Whether it ends beyond every other control, not only those it passed in the list.
    virtual bool passesAll() const { return false; }

private:
    using Layers = QList<QPair<QPointer<WWidget>, qreal>>;

    CComposite *currentPanel() const;
    void apply(CComposite *pPanel, const QList<CControl *> &order);
    void restack(const QList<CControl *> &before, const QList<CControl *> &after,
                 const QList<CControl *> &selected) const;
    static Layers layersOf(const QList<CControl *> &controls);
    static void restoreLayers(const Layers &layers);

    QList<QPointer<CControl>> m_controls;
    QList<int> m_savedIndices;
    // Every widget's z on the panel before the command.
    Layers m_savedLayers;
};
