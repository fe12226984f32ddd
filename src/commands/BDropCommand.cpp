#include "commands/BDropCommand.h"

#include "commands/BToolSelectCommand.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "views/VGrid.h"
#include "widgets/MQmlInterface.h"

BDropCommand::BDropCommand(int mode)
    : BCommand(mode)
{
}

BDropCommand::~BDropCommand()
{
    if (state() == BCommandState::Undone)
        destroyUnlisted(m_pControl);
}

MQmlInterface *BDropCommand::bridge() const
{
    return qobject_cast<MQmlInterface *>(source());
}

QPointF BDropCommand::snappedDropPoint() const
{
    const MQmlInterface *pBridge = bridge();
    const QPointF point = pBridge ? pBridge->dropPos() : QPointF();
    return (model() ? VGrid(model()->viewScale()) : VGrid()).snap(point);
}

void BDropCommand::sizeControl(CControl *pControl)
{
    QRectF rect = pControl->bounds();
    pControl->loadLayout(rect);
    pControl->setWidgetsGeometry(rect);
}

void BDropCommand::releaseSelection(CControl *pElement) const
{
    if (!pElement)
        return;
    if (BToolSelectCommand *pTool = model() ? model()->selectTool() : nullptr) {
        for (CControl *pSelected : pTool->selection()) {
            if (pSelected == pElement || pElement->contains(pSelected))
                pTool->deselect(pSelected);
        }
    }
    CComposite selected;
    selected.setNotOwner(true);
    pElement->collectSelected(&selected);
    selected.setMode(CControl::ModeNormal);
    selected.clear();
}

bool BDropCommand::isListed(const CControl *pElement)
{
    const CComposite *pParent = pElement ? pElement->parentComposite() : nullptr;
    return pParent && pParent->contains(pElement);
}

void BDropCommand::destroyUnlisted(CControl *pElement)
{
    if (!pElement || isListed(pElement))
        return;
    pElement->clear();
    pElement->deleteLater();
}

void BDropCommand::refuse()
{
    setMode(BCommandMode::Discard);
}

CControl *BDropCommand::control() const
{
    return m_pControl;
}
