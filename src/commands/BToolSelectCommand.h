#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPointer>

// The canvas's active tool, kept by the model for its whole life and never
// filed in a history. It holds the selection, which it does not own: a
// control destroyed meanwhile (an undone drop) simply drops out of it.
class BToolSelectCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolSelectCommand)

public:
    explicit BToolSelectCommand(int mode = BCommandMode::Undoable);
    ~BToolSelectCommand() override;

    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    // 0: marks the selection selected and broadcasts selection-changed;
    // 1: clears the selection.
    void run(int value) override;
    // Switching off (edit mode off) clears the selection.
    void setActive(bool active) override;
    // Replaces the selection with the control, or adds it under exactly Shift.
    void select(CControl *pControl) override;
    // Forgets the selection without touching the controls.
    void reset() override;
    QString name() const override;
    int id() const override;

    // The selected controls that still exist, in selection order.
    QList<CControl *> selection() const;
    bool isSelected(const CControl *pControl) const;

private:
    void clearSelection();
    void notifySelectionChanged();

    QList<QPointer<CControl>> m_selection;
};
