#include "dialogs/DPropSliderDialog.h"

#include "dialogs/DPropRange.h"
#include "model/CControl.h"
#include "widgets/WWidget.h"
#include "widgets/WidgetPropertyId.h"

#include <QColor>

DPropSliderDialog::DPropSliderDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    if (CControl *pControl = pWidget ? pWidget->control() : nullptr)
        m_pLabelWidget = pControl->findWidget(QStringLiteral("label"));
}

DPropSliderDialog::~DPropSliderDialog() = default;

void DPropSliderDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    DPropRange::load(this, m_pMinEdit, m_pMaxEdit, m_pUnitsEdit);
    paintSwatch(m_pKnobColor, propertyValue(WidgetPropertyId::KnobColor).value<QColor>());
    m_pLabelEdit->setText(propertyValueOf(m_pLabelWidget, WidgetPropertyId::Text).toString());
    m_pLabelEdit->setEnabled(m_pLabelWidget != nullptr);
    if (propertyValue(WidgetPropertyId::Rotation).toInt() != 0)
        m_pHorizontalRadioButton->setChecked(true);
    else
        m_pVerticalRadioButton->setChecked(true);

    connectSharedFields();
    DPropRange::connectFields(this);
    connect(m_pLabelEdit, &QLineEdit::editingFinished, this, &DPropSliderDialog::labelChanged);
    connect(m_pVerticalRadioButton, &QRadioButton::toggled, this, &DPropSliderDialog::onVerticalRadioButtonToggled);
}

void DPropSliderDialog::minimumChanged()
{
    DPropRange::submit(this, m_pMinEdit, true);
}

void DPropSliderDialog::maximumChanged()
{
    DPropRange::submit(this, m_pMaxEdit, false);
}

void DPropSliderDialog::unitsChanged(const QString &unit)
{
    pushPropertyEdit(WidgetPropertyId::Units, unit);
}

void DPropSliderDialog::knobColorSet()
{
    if (chooseColorFor(WidgetPropertyId::KnobColor))
        paintSwatch(m_pKnobColor, propertyValue(WidgetPropertyId::KnobColor).value<QColor>());
}

// The caption belongs to the label control: the edit and its undo act there.
void DPropSliderDialog::labelChanged()
{
    if (m_pLabelWidget)
        pushPropertyEditFor(m_pLabelWidget, WidgetPropertyId::Text, m_pLabelEdit->text());
}

void DPropSliderDialog::onVerticalRadioButtonToggled(bool checked)
{
    pushPropertyEdit(WidgetPropertyId::Rotation, checked ? 0 : 90);
}
