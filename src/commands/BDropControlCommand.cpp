#include "commands/BDropControlCommand.h"

#include "commands/BCommandId.h"
#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/MQmlInterface.h"

BDropControlCommand::BDropControlCommand(int mode)
    : BDropCommand(mode)
{
}

BDropControlCommand::~BDropControlCommand() = default;

void BDropControlCommand::prepare()
{
    BCommand::prepare();
    MModel *pModel = model();
    const MQmlInterface *pBridge = bridge();
    if (!pModel || !pBridge) {
        refuse();
        return;
    }
    const QPointF point = snappedDropPoint();
    HNode *pNode = pBridge->dropNode();
    pModel->deselectAll();
    m_pControl = pNode ? pModel->addControl(pNode, pBridge->dropText(), point)
                       : pModel->dropControl(pBridge->dropText(), point);
    if (!m_pControl) {
        refuse();
        return;
    }
    sizeControl(m_pControl);
    if (pNode)
        pNode->setChecked(true);
    selectControl(m_pControl);
}

void BDropControlCommand::doCommand()
{
    if (state() == BCommandState::Undone) {
        BCommand::doCommand();
        if (model() && m_pControl) {
            model()->addToCurrentPanel(m_pControl);
            m_pControl->setVisible(true);
        }
    }
    setState(BCommandState::Done);
}

// The control leaves the panel it was dropped on even when that is no longer
// the current one: a control the command owns must not stay listed.
void BDropControlCommand::undoCommand()
{
    BCommand::undoCommand();
    if (model() && m_pControl) {
        releaseSelection(m_pControl);
        model()->removeFromCurrentPanel(m_pControl, false);
        if (isListed(m_pControl))
            m_pControl->parentComposite()->removeChild(m_pControl, false);
        m_pControl->setVisible(false);
    }
}

QString BDropControlCommand::name() const
{
    return tr("Drop Control");
}

int BDropControlCommand::id() const
{
    return BCommandId::DropControl;
}
