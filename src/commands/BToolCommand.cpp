#include "commands/BToolCommand.h"

#include "controllers/NotifyEventId.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "views/VGrid.h"

BToolCommand::BToolCommand(int mode)
    : BCommand(mode)
    , m_bStarted(false)
{
}

BToolCommand::~BToolCommand() = default;

void BToolCommand::prepare()
{
    BCommand::prepare();
    collectSelection();
}

void BToolCommand::collectSelection()
{
    m_selection.clear();
    CControl *pPanel = model() ? model()->currentPanel() : nullptr;
    if (!pPanel)
        return;
    CComposite selected;
    selected.setNotOwner(true);
    pPanel->collectSelected(&selected);
    for (CControl *pControl : selected.children())
        m_selection.append(pControl);
    selected.clear();
}

QList<CControl *> BToolCommand::selection() const
{
    QList<CControl *> controls;
    for (const QPointer<CControl> &pControl : m_selection) {
        if (pControl)
            controls.append(pControl);
    }
    return controls;
}

bool BToolCommand::hasSelection() const
{
    return firstControl() != nullptr;
}

CControl *BToolCommand::firstControl() const
{
    for (const QPointer<CControl> &pControl : m_selection) {
        if (pControl)
            return pControl;
    }
    return nullptr;
}

QRectF BToolCommand::selectionBounds() const
{
    QRectF rect;
    for (const CControl *pControl : selection())
        rect = rect.united(pControl->bounds());
    return rect;
}

void BToolCommand::moveSelection(const QPointF &offset)
{
    for (CControl *pControl : selection())
        pControl->moveBy(offset);
}

VGrid BToolCommand::grid() const
{
    return model() ? VGrid(model()->viewScale()) : VGrid();
}

void BToolCommand::notifyGeometryEdited()
{
    if (MModel *pModel = model())
        pModel->notifyControllers(NotifyEventId::GeometryEdited);
}
