#include "commands/BToolSelectCommand.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "controllers/NotifyEventId.h"
#include "model/CControl.h"
#include "model/MModel.h"

#include <utility>

BToolSelectCommand::BToolSelectCommand(int mode)
    : BCommand(mode)
{
    setMode(BCommandMode::Discard);
}

BToolSelectCommand::~BToolSelectCommand() = default;

void BToolSelectCommand::prepare()
{
    // No panel or scene of its own: the tool lives across projects.
}

void BToolSelectCommand::doCommand()
{
}

void BToolSelectCommand::undoCommand()
{
}

bool BToolSelectCommand::run(int value)
{
    if (value == 0) {
        for (CControl *pControl : selection())
            pControl->setMode(CControl::ModeSelected);
        notifySelectionChanged();
    } else if (value == 1) {
        clearSelection();
    }
    return false;
}

void BToolSelectCommand::setActive(bool active)
{
    BCommand::setActive(active);
    if (!active)
        clearSelection();
}

void BToolSelectCommand::select(CControl *pControl)
{
    const bool bAdding = modifiers() == int(Qt::ShiftModifier);
    if (!bAdding && !isSelected(pControl))
        clearSelection();
    if (!pControl)
        return;
    if (!isSelected(pControl))
        m_selection.append(pControl);
    pControl->setMode(CControl::ModeSelected);
}

void BToolSelectCommand::reset()
{
    m_selection.clear();
}

void BToolSelectCommand::mouseEvent(const QPointF &point, int handle, int id, int phase)
{
    if (!ensureTool(id, phase))
        return;
    m_pCurrentTool->mouseEvent(point, handle, id, phase);
    if (phase == 3)
        finishGesture();
}

void BToolSelectCommand::keyEvent(int key, int modifiers, int id, bool autoRepeat, int phase)
{
    // A held key repeats its press: that goes on with the same gesture.
    if (!ensureTool(id, autoRepeat ? int(Qt::GestureUpdated) : phase))
        return;
    m_pCurrentTool->keyEvent(key, modifiers, id, autoRepeat, phase);
    if (phase == 3 && !autoRepeat)
        finishGesture();
}

// Only the tool commands: any other id would file a select tool or a drop.
bool BToolSelectCommand::ensureTool(int id, int phase)
{
    if (m_pCurrentTool && (phase == Qt::GestureStarted || m_pCurrentTool->id() != id))
        endPendingGesture();
    if (m_pCurrentTool)
        return true;
    if (id < BCommandId::ToolDrag || id > BCommandId::ToolNudge)
        return false;
    m_pCurrentTool.reset(BCommandFactory::instance()->createCommand(id));
    if (!m_pCurrentTool)
        return false;
    m_pCurrentTool->setModel(model());
    m_pCurrentTool->setTarget(target());
    m_pCurrentTool->prepare();
    return true;
}

// The processor takes the tool over; a gesture that did nothing is deleted there.
void BToolSelectCommand::finishGesture()
{
    submit(m_pCurrentTool.release());
}

// A gesture whose release never came (the pointer grab was taken away) ends
// where it got to, so that what it already moved stays undoable.
void BToolSelectCommand::endPendingGesture()
{
    if (!m_pCurrentTool)
        return;
    const int id = m_pCurrentTool->id();
    if (id == BCommandId::ToolNudge)
        m_pCurrentTool->keyEvent(Qt::Key_unknown, Qt::NoModifier, id, false, Qt::GestureFinished);
    else if (id == BCommandId::ToolDrag || id == BCommandId::ToolResize || id == BCommandId::ToolReshape)
        m_pCurrentTool->mouseEvent(QPointF(), -1, id, Qt::GestureFinished);
    finishGesture();
}

void BToolSelectCommand::deselect(CControl *pControl)
{
    if (!isSelected(pControl))
        return;
    m_selection.removeIf([pControl](const QPointer<CControl> &pSelected) {
        return !pSelected || pSelected == pControl;
    });
    pControl->setMode(CControl::ModeNormal);
    notifySelectionChanged();
}

QString BToolSelectCommand::name() const
{
    return tr("Select");
}

int BToolSelectCommand::id() const
{
    return BCommandId::ToolSelect;
}

QList<CControl *> BToolSelectCommand::selection() const
{
    QList<CControl *> controls;
    for (const QPointer<CControl> &pControl : m_selection) {
        if (pControl)
            controls.append(pControl);
    }
    return controls;
}

bool BToolSelectCommand::isSelected(const CControl *pControl) const
{
    if (!pControl)
        return false;
    for (const QPointer<CControl> &pSelected : m_selection) {
        if (pSelected == pControl)
            return true;
    }
    return false;
}

void BToolSelectCommand::clearSelection()
{
    const QList<CControl *> controls = selection();
    m_selection.clear();
    for (CControl *pControl : controls)
        pControl->setMode(CControl::ModeNormal);
    notifySelectionChanged();
}

void BToolSelectCommand::notifySelectionChanged()
{
    if (MModel *pModel = model())
        pModel->notifyControllers(NotifyEventId::SelectionChanged);
}
