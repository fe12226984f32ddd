#include "commands/BEditPropCommand.h"

#include "commands/BCommandId.h"
#include "controllers/NotifyEventId.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WWidget.h"

namespace {

// Pages send position, size and range texts while widgets answer with
// numbers: the value in force typed again is no change, whatever its form.
bool isSameValue(const QVariant &oldValue, const QVariant &newValue)
{
    if (oldValue == newValue)
        return true;
    const bool oldIsText = oldValue.typeId() == QMetaType::QString;
    const bool newIsText = newValue.typeId() == QMetaType::QString;
    return oldIsText != newIsText && oldValue.toString() == newValue.toString();
}

} // namespace

BEditPropCommand::BEditPropCommand(int mode)
    : BCommand(mode)
    , m_nPropertyId(0)
    , m_oldValue(QString())
    , m_newValue(QString())
{
}

BEditPropCommand::~BEditPropCommand() = default;

void BEditPropCommand::setControl(WWidget *pWidget)
{
    m_pWidget = pWidget;
    m_pControl = pWidget ? pWidget->control() : nullptr;
    setModel(m_pControl ? m_pControl->model() : nullptr);
}

CControl *BEditPropCommand::control() const
{
    return m_pControl;
}

bool BEditPropCommand::changesValue() const
{
    return m_pWidget && !isSameValue(m_pWidget->propertyValue(WidgetPropertyId::Type(m_nPropertyId)), m_newValue);
}

bool BEditPropCommand::run(int)
{
    if (!changesValue())
        return false;
    m_oldValue = m_pWidget->propertyValue(WidgetPropertyId::Type(m_nPropertyId));
    submit(this);
    return true;
}

void BEditPropCommand::doCommand()
{
    if (!m_pWidget) {
        setState(BCommandState::Done);
        return;
    }
    BCommand::doCommand();
    apply(m_newValue);
}

void BEditPropCommand::undoCommand()
{
    if (!m_pWidget) {
        setState(BCommandState::Undone);
        return;
    }
    BCommand::undoCommand();
    apply(m_oldValue);
}

void BEditPropCommand::apply(const QVariant &value)
{
    m_pWidget->setPropertyValue(WidgetPropertyId::Type(m_nPropertyId), value);
    m_pWidget->select(0);
    if (m_pControl)
        m_pControl->setMode(CControl::ModeSelected);
    if (MModel *pModel = model())
        pModel->notifyControllers(NotifyEventId::SelectionChanged);
}

QString BEditPropCommand::description() const
{
    const QVariant &shown = state() == BCommandState::Done ? m_oldValue : m_newValue;
    return name() + QStringLiteral(": ") + shown.toString();
}

QString BEditPropCommand::name() const
{
    return tr("Edit");
}

int BEditPropCommand::id() const
{
    return BCommandId::EditProp;
}
