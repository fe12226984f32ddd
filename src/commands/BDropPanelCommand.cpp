#include "commands/BDropPanelCommand.h"

#include "commands/BCommandId.h"
#include "controllers/NotifyEventId.h"
#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/MQmlInterface.h"

BDropPanelCommand::BDropPanelCommand(int mode)
    : BDropCommand(mode)
{
}

BDropPanelCommand::~BDropPanelCommand() = default;

void BDropPanelCommand::prepare()
{
    MModel *pModel = model();
    const MQmlInterface *pBridge = bridge();
    HNode *pNode = pBridge ? pBridge->dropNode() : nullptr;
    if (pModel && pNode)
        m_pControl = pModel->addPanelForNode(pNode);
    if (m_pControl) {
        m_pScene = m_pControl->parentComposite();
        m_pControl->setSelected(true);
        showPanel();
        pNode->setChecked(true);
    } else {
        refuse();
    }
    // After the drop, so that the new panel is the one the command acts on.
    BCommand::prepare();
}

void BDropPanelCommand::showPanel()
{
    m_pControl->setVisible(true);
    model()->setCurrentPanel(m_pControl);
    model()->onExtraRefreshTimerTimeout();
    model()->notifyControllers(NotifyEventId::PanelsChanged);
}

void BDropPanelCommand::doCommand()
{
    if (state() == BCommandState::Undone && model() && m_pControl && m_pScene) {
        BCommand::doCommand();
        if (!m_pScene->contains(m_pControl))
            m_pScene->addChild(m_pControl);
        showPanel();
    }
    setState(BCommandState::Done);
}

// The neighbour is chosen while the panel is still in its scene: the one
// before it, the last one for the first panel, none for an emptied scene.
void BDropPanelCommand::undoCommand()
{
    if (model() && m_pControl && m_pScene) {
        const int index = m_pScene->indexOf(m_pControl);
        BCommand::undoCommand();
        releaseSelection(m_pControl);
        m_pScene->removeChild(m_pControl, false);
        m_pControl->setVisible(false);
        model()->onExtraRefreshTimerTimeout();
        const int count = m_pScene->childCount();
        model()->gotoPage(count == 0 ? 0 : (index > 0 ? index - 1 : count - 1));
        model()->notifyControllers(NotifyEventId::PanelsChanged);
    }
    setState(BCommandState::Undone);
}

CComposite *BDropPanelCommand::scene() const
{
    return m_pScene;
}

QString BDropPanelCommand::name() const
{
    return tr("Drop Panel");
}

int BDropPanelCommand::id() const
{
    return BCommandId::DropPanel;
}
