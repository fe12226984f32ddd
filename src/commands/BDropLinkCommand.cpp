#include "commands/BDropLinkCommand.h"

#include "commands/BCommandId.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/MQmlInterface.h"

BDropLinkCommand::BDropLinkCommand(int mode)
    : BDropCommand(mode)
{
}

BDropLinkCommand::~BDropLinkCommand() = default;

void BDropLinkCommand::prepare()
{
    MModel *pModel = model();
    const MQmlInterface *pBridge = bridge();
    if (!pModel || !pBridge) {
        refuse();
        return;
    }
    BCommand::prepare();
    pModel->deselectAll();
    m_pControl = pModel->addPanelLink(pBridge->dropTarget(), snappedDropPoint());
    if (!m_pControl) {
        refuse();
        return;
    }
    sizeControl(m_pControl);
    m_pParent = m_pControl->parentComposite();
    if (!m_pParent)
        m_pParent = qobject_cast<CComposite *>(pModel->currentPanel());
    selectControl(m_pControl);
}

void BDropLinkCommand::doCommand()
{
    if (state() == BCommandState::Undone && model() && m_pControl && m_pParent) {
        BCommand::doCommand();
        if (!m_pParent->contains(m_pControl))
            m_pParent->addChild(m_pControl);
        m_pControl->setVisible(true);
        model()->onExtraRefreshTimerTimeout();
    }
    setState(BCommandState::Done);
}

void BDropLinkCommand::undoCommand()
{
    if (model() && m_pControl && m_pParent) {
        BCommand::undoCommand();
        releaseSelection(m_pControl);
        m_pParent->removeChild(m_pControl, false);
        m_pControl->setVisible(false);
        model()->onExtraRefreshTimerTimeout();
    }
    setState(BCommandState::Undone);
}

CComposite *BDropLinkCommand::parentPanel() const
{
    return m_pParent;
}

QString BDropLinkCommand::name() const
{
    return tr("Drop Link");
}

int BDropLinkCommand::id() const
{
    return BCommandId::DropLink;
}
