#pragma once

#include "commands/BToolCommand.h"
#include "widgets/WPolygon.h"

#include <QPointer>

// Common ground of the vertex tools (reshape, insert and delete vertex):
// they act on the outline of the tool's target control, never on whatever
// else is selected, and record the outline before and after, so that undo
// and redo put back the exact vertex list and item position.
class BToolVertexCommand : public BToolCommand
{
    Q_DECLARE_TR_FUNCTIONS(BToolVertexCommand)

public:
    explicit BToolVertexCommand(int mode = BCommandMode::Discard);
    ~BToolVertexCommand() override;

    // An edit the drawing already shows (a QML handle): performing the
    // command applies the after outline.
    void recordEdit(const WPolygon::Outline &before, const WPolygon::Outline &after);

    void doCommand() override;
    void undoCommand() override;

    const WPolygon::Outline &before() const { return m_before; }
    const WPolygon::Outline &after() const { return m_after; }
    WPolygon *polygon() const { return m_pPolygon; }

protected:
    // The target control's polygon widget, or null.
    WPolygon *targetPolygon() const;
    // Finds the polygon once; false when the target has none.
    bool capturePolygon();
    // The first performance of a gesture; the outlines are recorded around it.
    virtual void perform();
    // Whether the gesture is complete enough to be performed.
    virtual bool isReady() const;

    QPointer<WPolygon> m_pPolygon;
    int m_nIndex;
    QPointF m_point;

private:
    WPolygon::Outline m_before;
    WPolygon::Outline m_after;
    bool m_bRecorded;
};
