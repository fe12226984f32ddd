#pragma once

#include "commands/BToolCommand.h"

#include <QHash>

// Resizes the selected controls by the right or bottom handle: every one
// takes the first control's new width (or height), keeping its position.
// Each control's own rectangle before and after is kept, so undo and redo
// restore every control exactly. Filed only when a started gesture changed
// a size.
class BToolResizeCommand : public BToolCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolResizeCommand)

public:
    // Qt's edge numbers that the selection overlay's handles send.
    static constexpr int RightEdge = 4;
    static constexpr int BottomEdge = 8;

    explicit BToolResizeCommand(int mode = BCommandMode::Undoable);
    ~BToolResizeCommand() override;

    void doCommand() override;
    void undoCommand() override;
    // handle: the edge; offsets are the movement since the previous event.
    void mouseEvent(const QPointF &point, int handle, int id, int phase) override;
    QString name() const override;
    int id() const override;

    int edge() const { return m_nEdge; }
    // The first control's size before and after (-1 until known).
    double oldWidth() const { return m_dOldWidth; }
    double oldHeight() const { return m_dOldHeight; }
    double newWidth() const { return m_dNewWidth; }
    double newHeight() const { return m_dNewHeight; }

private:
    void start(int edge);
    void step(const QPointF &offset);
    void finish();
    bool changedAny() const;
    static void applyRects(const QHash<CControl *, QRectF> &rects, const QList<CControl *> &controls);

    int m_nEdge;
    double m_dOldWidth;
    double m_dOldHeight;
    double m_dNewWidth;
    double m_dNewHeight;
    bool m_bFinished;
    // Keyed by control; only controls that still exist are ever looked up.
    QHash<CControl *, QRectF> m_oldRects;
    QHash<CControl *, QRectF> m_newRects;
};
