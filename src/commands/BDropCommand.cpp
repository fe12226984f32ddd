#include "commands/BDropCommand.h"

#include "commands/BToolSelectCommand.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "views/VGrid.h"
#include "widgets/MQmlInterface.h"

#include <QQuickItem>

#include <algorithm>

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

void BDropCommand::sizeControl(CControl *pControl) const
{
    QRectF rect = pControl->bounds();
    pControl->loadLayout(rect);
    pControl->setWidgetsGeometry(rect);
    const QQuickItem *pArea = model() ? model()->qmlRootItem() : nullptr;
    if (!pArea || !(pArea->width() > 0.0) || !(pArea->height() > 0.0))
        return;
    const QRectF placed = pControl->bounds();
    // Past the right or bottom edge first; a control larger than the area keeps its top-left inside.
    const qreal x = std::max(0.0, std::min(placed.x(), pArea->width() - placed.width()));
    const qreal y = std::max(0.0, std::min(placed.y(), pArea->height() - placed.height()));
    if (x != placed.x() || y != placed.y())
        pControl->moveBy(QPointF(x - placed.x(), y - placed.y()));
}

void BDropCommand::selectControl(CControl *pControl) const
{
    BToolSelectCommand *pTool = model() ? model()->selectTool() : nullptr;
    if (!pTool || !pControl)
        return;
    pTool->setModifiers(0);
    pTool->select(pControl);
    pTool->run(0);
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
