#include "commands/BToolDragCommand.h"

#include "commands/BCommandId.h"
#include "model/MModel.h"
#include "views/VGrid.h"

#include <QQuickItem>

BToolDragCommand::BToolDragCommand(int mode)
    : BToolCommand(mode)
{
    setMode(BCommandMode::Discard);
}

BToolDragCommand::~BToolDragCommand() = default;

void BToolDragCommand::prepare()
{
    BToolCommand::prepare();
    const QQuickItem *pCanvas = model() ? model()->qmlRootItem() : nullptr;
    if (pCanvas && pCanvas->width() > 0.0 && pCanvas->height() > 0.0)
        m_limit = QRectF(LimitMargin, LimitMargin, pCanvas->width() - LimitMargin,
                         pCanvas->height() - LimitMargin);
}

void BToolDragCommand::mouseEvent(const QPointF &point, int, int, int phase)
{
    if (!hasSelection())
        return;
    if (phase == 1) {
        start();
        return;
    }
    step(grid().snap(point));
    if (phase == 3)
        notifyGeometryEdited();
}

void BToolDragCommand::start()
{
    m_bStarted = true;
}

// The movements actually made add up to the total, so that undo takes back
// exactly what was done, also for controls that a drop site moves.
void BToolDragCommand::step(const QPointF &offset)
{
    if (!m_bStarted)
        start();
    if (offset.isNull())
        return;
    if (!m_limit.isEmpty() && !selectionBounds().translated(offset).intersects(m_limit))
        return;
    moveSelection(offset);
    m_offset += offset;
}

void BToolDragCommand::doCommand()
{
    if (state() == BCommandState::Undone) {
        BCommand::doCommand();
        moveSelection(m_offset);
    }
    setState(BCommandState::Done);
    setMode(m_bStarted && !m_offset.isNull() ? BCommandMode::Undoable : BCommandMode::Discard);
}

void BToolDragCommand::undoCommand()
{
    BCommand::undoCommand();
    moveSelection(-m_offset);
}

QString BToolDragCommand::name() const
{
    return tr("Drag");
}

int BToolDragCommand::id() const
{
    return BCommandId::ToolDrag;
}
