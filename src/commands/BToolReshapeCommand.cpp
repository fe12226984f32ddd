#include "commands/BToolReshapeCommand.h"

#include "commands/BCommandId.h"
#include "model/CControl.h"
#include "views/VGrid.h"

BToolReshapeCommand::BToolReshapeCommand(int mode)
    : BToolVertexCommand(mode)
    , m_bFinished(false)
{
    setMode(BCommandMode::Discard);
}

BToolReshapeCommand::~BToolReshapeCommand() = default;

void BToolReshapeCommand::start(const QPointF &point, int handle)
{
    m_point = point;
    m_lastPoint = point;
    m_nIndex = handle;
    m_gestureBefore = m_pPolygon->outline();
    m_bStarted = true;
}

void BToolReshapeCommand::mouseEvent(const QPointF &point, int handle, int id, int phase)
{
    CControl *pTarget = target();
    if (id != BCommandId::ToolReshape || !pTarget || m_bFinished || !capturePolygon())
        return;
    if (!m_bStarted)
        start(point, handle);
    if (phase == Qt::GestureUpdated) {
        m_lastPoint = grid().snap(point);
        pTarget->resizeWidgets(m_lastPoint, m_nIndex, 0);
    } else if (phase == Qt::GestureFinished) {
        pTarget->resizeWidgets(QPointF(0, 0), -1, 1);
        m_bFinished = true;
        recordEdit(m_gestureBefore, m_pPolygon->outline());
        notifyGeometryEdited();
    }
}

// The gesture already placed the vertex; performing it only files it.
void BToolReshapeCommand::doCommand()
{
    if (state() == BCommandState::New && m_bFinished && m_pPolygon) {
        setState(BCommandState::Done);
        setMode(before() != after() ? BCommandMode::Undoable : BCommandMode::Discard);
        return;
    }
    BToolVertexCommand::doCommand();
}

QString BToolReshapeCommand::name() const
{
    return tr("Reshape");
}

int BToolReshapeCommand::id() const
{
    return BCommandId::ToolReshape;
}
