#pragma once

#include "commands/BCommand.h"

#include <QList>
#include <QPointer>
#include <QPointF>
#include <QRectF>

class VGrid;

// Common ground of the canvas gestures (drag, resize, nudge): the selected
// controls of the panel the gesture started on, held weakly so that a control
// destroyed meanwhile is skipped, never touched. Never made by id itself.
class BToolCommand : public BCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolCommand)

public:
    explicit BToolCommand(int mode = BCommandMode::Discard);
    ~BToolCommand() override;

    // The base preparation, then the selected controls of the current panel.
    void prepare() override;

    // The selected controls that still exist, in panel order.
    QList<CControl *> selection() const;
    bool isStarted() const { return m_bStarted; }

protected:
    // Gathers the controls in mode 1 of the current panel.
    void collectSelection();
    bool hasSelection() const;
    // The first selected control that still exists, or null.
    CControl *firstControl() const;
    // The union of the selected controls' rectangles.
    QRectF selectionBounds() const;
    void moveSelection(const QPointF &offset);
    // The grid at the model's view scale.
    VGrid grid() const;
    // Broadcasts that a gesture changed the geometry.
    void notifyGeometryEdited();

    bool m_bStarted;

private:
    QList<QPointer<CControl>> m_selection;
};
