#include "commands/BToolResizeCommand.h"

#include "commands/BCommandId.h"
#include "model/CControl.h"
#include "views/VGrid.h"

BToolResizeCommand::BToolResizeCommand(int mode)
    : BToolCommand(mode)
    , m_nEdge(0)
    , m_dOldWidth(-1.0)
    , m_dOldHeight(-1.0)
    , m_dNewWidth(-1.0)
    , m_dNewHeight(-1.0)
    , m_bFinished(false)
{
    setMode(BCommandMode::Discard);
}

BToolResizeCommand::~BToolResizeCommand() = default;

void BToolResizeCommand::mouseEvent(const QPointF &point, int handle, int, int phase)
{
    if (!hasSelection())
        return;
    if (!m_bStarted)
        start(handle);
    if (phase == 2)
        step(grid().snap(point));
    else if (phase == 3)
        finish();
}

void BToolResizeCommand::start(int edge)
{
    m_nEdge = edge;
    const QList<CControl *> controls = selection();
    for (CControl *pControl : controls)
        m_oldRects.insert(pControl, pControl->bounds());
    const QRectF first = controls.first()->bounds();
    m_dOldWidth = first.width();
    m_dOldHeight = first.height();
    m_bStarted = true;
}

void BToolResizeCommand::step(const QPointF &offset)
{
    if (m_nEdge != RightEdge && m_nEdge != BottomEdge)
        return;
    const QList<CControl *> controls = selection();
    const QRectF first = controls.first()->bounds();
    for (CControl *pControl : controls) {
        QRectF rect = pControl->bounds();
        if (m_nEdge == RightEdge)
            rect.setWidth(first.width() + offset.x());
        else
            rect.setHeight(first.height() + offset.y());
        pControl->fitToRect(rect);
    }
}

// The release's own offset is not applied: the last move already placed the edge.
void BToolResizeCommand::finish()
{
    const QList<CControl *> controls = selection();
    for (CControl *pControl : controls)
        m_newRects.insert(pControl, pControl->bounds());
    CControl *pFirst = controls.first();
    const QRectF first = pFirst->bounds();
    m_dNewWidth = first.width();
    m_dNewHeight = first.height();
    m_bFinished = true;
    pFirst->saveLayout();
    notifyGeometryEdited();
}

bool BToolResizeCommand::changedAny() const
{
    for (auto it = m_newRects.cbegin(); it != m_newRects.cend(); ++it) {
        if (m_oldRects.value(it.key()) != it.value())
            return true;
    }
    return false;
}

void BToolResizeCommand::applyRects(const QHash<CControl *, QRectF> &rects, const QList<CControl *> &controls)
{
    for (CControl *pControl : controls) {
        const auto it = rects.constFind(pControl);
        if (it == rects.cend())
            continue;
        QRectF rect = it.value();
        pControl->fitToRect(rect);
    }
}

void BToolResizeCommand::doCommand()
{
    if (state() == BCommandState::Undone) {
        BCommand::doCommand();
        applyRects(m_newRects, selection());
    }
    setState(BCommandState::Done);
    setMode(m_bFinished && changedAny() ? BCommandMode::Undoable : BCommandMode::Discard);
}

void BToolResizeCommand::undoCommand()
{
    BCommand::undoCommand();
    applyRects(m_oldRects, selection());
}

QString BToolResizeCommand::name() const
{
    return tr("Resize");
}

int BToolResizeCommand::id() const
{
    return BCommandId::ToolResize;
}
