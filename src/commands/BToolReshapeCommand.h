#pragma once

#include "commands/BToolVertexCommand.h"

// Moves one vertex of the target's outline with the mouse, in grid steps.
// The steps reach the widget through its control (coalesced there); the
// release ends the gesture and refits the item.
class BToolReshapeCommand : public BToolVertexCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolReshapeCommand)

public:
    explicit BToolReshapeCommand(int mode = BCommandMode::Undoable);
    ~BToolReshapeCommand() override;

    // handle: the vertex; points are absolute, in vertex coordinates.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    void doCommand() override;
    QString name() const override;
    int id() const override;

    QPointF startPoint() const { return m_point; }
    QPointF lastPoint() const { return m_lastPoint; }

private:
    void start(const QPointF &point, int handle);

    QPointF m_lastPoint;
    WPolygon::Outline m_gestureBefore;
    bool m_bFinished;
};
