#pragma once

#include "commands/BToolCommand.h"

// Moves the selected controls with the mouse, in grid steps, as long as they
// stay within reach of the canvas. Filed only when it moved something.
class BToolDragCommand : public BToolCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolDragCommand)

public:
    // The margin of the canvas within which a drag must stay.
    static constexpr double LimitMargin = 15.0;

    explicit BToolDragCommand(int mode = BCommandMode::Undoable);
    ~BToolDragCommand() override;

    void prepare() override;
    void doCommand() override;
    void undoCommand() override;
    // Offsets are the movement since the previous event.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    QString name() const override;
    int id() const override;

    // The total movement, known once the gesture ended.
    QPointF offset() const { return m_offset; }
    // The rectangle the moved selection must touch; empty when no canvas
    // item tells the canvas size, and then nothing limits a drag.
    QRectF limit() const { return m_limit; }

private:
    void start();
    void step(const QPointF &offset);

    QPointF m_offset;
    QRectF m_limit;
};
