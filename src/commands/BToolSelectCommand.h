#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPointer>

#include <memory>

// The canvas's active tool, kept by the model for its whole life and never
// filed in a history. It holds the selection, which it does not own: a
// control destroyed meanwhile (an undone drop) simply drops out of it.
// Canvas gestures reach it as mouse and key events: the first event of a
// gesture makes the tool command of that id, every event goes to it, and the
// end of the gesture hands it to the processor.
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
    bool run(int value) override;
    // Switching off (edit mode off) clears the selection.
    void setActive(bool active) override;
    // Replaces the selection with the control, or adds it under exactly Shift.
    void select(CControl *pControl) override;
    // Forgets the selection without touching the controls.
    void reset() override;
    // id: the tool of the gesture (drag, resize, reshape, vertex or nudge);
    // other ids are ignored. Phase 3 ends the gesture.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    // Phase 3 ends the gesture unless it is auto-repeated.
    void keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase) override;
    QString name() const override;
    int id() const override;

    // The selected controls that still exist, in selection order.
    QList<CControl *> selection() const;
    bool isSelected(const CControl *pControl) const;
    // Takes a control that leaves the document out of the selection (mode 0,
    // selection-changed broadcast); nothing when it is not selected.
    void deselect(CControl *pControl);
    // The tool command of the gesture under way, or null.
    BCommand *currentTool() const { return m_pCurrentTool.get(); }

private:
    void clearSelection();
    void notifySelectionChanged();
    // The gesture's tool, made on its first event; false when there is none.
    // A press, or an event of another tool, first ends a gesture still pending.
    bool ensureTool(int id, int phase);
    void finishGesture();
    void endPendingGesture();

    QList<QPointer<CControl>> m_selection;
    std::unique_ptr<BCommand> m_pCurrentTool;
};
