#include "commands/BToolInsertVertexCommand.h"

#include "commands/BCommandId.h"

BToolInsertVertexCommand::BToolInsertVertexCommand(int mode)
    : BToolVertexCommand(mode)
{
    setMode(BCommandMode::Discard);
}

BToolInsertVertexCommand::~BToolInsertVertexCommand() = default;

void BToolInsertVertexCommand::mouseEvent(const QPointF &point, int handle, int, int)
{
    if (!capturePolygon())
        return;
    m_nIndex = handle;
    m_point = point;
}

bool BToolInsertVertexCommand::isReady() const
{
    return m_pPolygon && m_nIndex >= 0 && m_nIndex <= m_pPolygon->vertices().size();
}

void BToolInsertVertexCommand::perform()
{
    m_pPolygon->insertVertex(m_point.x(), m_point.y(), m_nIndex);
}

QString BToolInsertVertexCommand::name() const
{
    return tr("Insert Vertex");
}

int BToolInsertVertexCommand::id() const
{
    return BCommandId::ToolInsertVertex;
}
