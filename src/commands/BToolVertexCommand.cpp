#include "commands/BToolVertexCommand.h"

#include "model/CControl.h"

BToolVertexCommand::BToolVertexCommand(int mode)
    : BToolCommand(mode)
    , m_nIndex(-1)
    , m_bRecorded(false)
{
    setMode(BCommandMode::Discard);
}

BToolVertexCommand::~BToolVertexCommand() = default;

WPolygon *BToolVertexCommand::targetPolygon() const
{
    const CControl *pTarget = target();
    if (!pTarget)
        return nullptr;
    for (WWidget *pWidget : pTarget->widgets()) {
        if (auto *pPolygon = qobject_cast<WPolygon *>(pWidget))
            return pPolygon;
    }
    return nullptr;
}

bool BToolVertexCommand::capturePolygon()
{
    if (!m_pPolygon)
        m_pPolygon = targetPolygon();
    return m_pPolygon != nullptr;
}

void BToolVertexCommand::recordEdit(const WPolygon::Outline &before, const WPolygon::Outline &after)
{
    capturePolygon();
    m_before = before;
    m_after = after;
    m_bRecorded = true;
}

void BToolVertexCommand::perform()
{
}

bool BToolVertexCommand::isReady() const
{
    return true;
}

void BToolVertexCommand::doCommand()
{
    const bool bRedo = state() == BCommandState::Undone;
    if (bRedo)
        BCommand::doCommand();
    if (!m_pPolygon) {
        setMode(BCommandMode::Discard);
        return;
    }
    if (bRedo) {
        m_pPolygon->setOutline(m_after);
    } else if (m_bRecorded) {
        m_pPolygon->setOutline(m_after);
        notifyGeometryEdited();
    } else if (isReady()) {
        m_before = m_pPolygon->outline();
        perform();
        m_after = m_pPolygon->outline();
        notifyGeometryEdited();
    } else {
        m_after = m_before;
    }
    m_bRecorded = false;
    setState(BCommandState::Done);
    setMode(m_before != m_after ? BCommandMode::Undoable : BCommandMode::Discard);
}

void BToolVertexCommand::undoCommand()
{
    BCommand::undoCommand();
    if (m_pPolygon)
        m_pPolygon->setOutline(m_before);
}
