#include "commands/BToolDeleteVertexCommand.h"

#include "commands/BCommandId.h"

namespace {
// Fewer vertices draw nothing that could be picked again.
constexpr int MinimumVertices = 3;
}

BToolDeleteVertexCommand::BToolDeleteVertexCommand(int mode)
    : BToolVertexCommand(mode)
{
    setMode(BCommandMode::Discard);
}

BToolDeleteVertexCommand::~BToolDeleteVertexCommand() = default;

void BToolDeleteVertexCommand::mouseEvent(const QPointF &, int handle, int, int)
{
    if (!capturePolygon())
        return;
    m_nIndex = handle;
    m_point = m_pPolygon->vertexAt(handle);
}

bool BToolDeleteVertexCommand::isReady() const
{
    return m_pPolygon && m_nIndex >= 0 && m_nIndex < m_pPolygon->vertices().size()
           && m_pPolygon->vertices().size() > MinimumVertices;
}

void BToolDeleteVertexCommand::perform()
{
    m_pPolygon->removeVertex(m_nIndex);
}

QString BToolDeleteVertexCommand::name() const
{
    return tr("Delete Vertex");
}

int BToolDeleteVertexCommand::id() const
{
    return BCommandId::ToolDeleteVertex;
}
