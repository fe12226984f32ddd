#include "dialogs/DPropRoomSelectDialog.h"

#include "widgets/WWidget.h"

#include <QtMath>

DPropRoomSelectDialog::DPropRoomSelectDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropRoomSelectDialog::~DPropRoomSelectDialog() = default;

void DPropRoomSelectDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    loadColorSwatches();
    loadBorderWidth();
    // The room keeps the fractions in single precision: rounding brings a
    // position set with the slider back (0.06f shows as 6, not 5).
    m_pSelectedOpacitySlider->setValue(qRound(propertyValue(WidgetPropertyId::SelectedOpacity).toDouble() * 100.0));
    m_pUnselectedOpacitySlider->setValue(
        qRound(propertyValue(WidgetPropertyId::UnselectedOpacity).toDouble() * 100.0));
    m_pShowSelectedCheckBox->setChecked(propertyValue(WidgetPropertyId::ShowSelected).toBool());

    connectSharedFields();
    connect(m_pSelectedOpacitySlider, &QSlider::valueChanged, this,
            &DPropRoomSelectDialog::onSelectedOpacityValueChanged);
    connect(m_pUnselectedOpacitySlider, &QSlider::valueChanged, this,
            &DPropRoomSelectDialog::onUnselectedOpacityValueChanged);
    connect(m_pShowSelectedCheckBox, &QCheckBox::stateChanged, this, &DPropRoomSelectDialog::onShowSelectedChanged);
}

void DPropRoomSelectDialog::onSelectedOpacityValueChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::SelectedOpacity, value / 100.0);
}

void DPropRoomSelectDialog::onUnselectedOpacityValueChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::UnselectedOpacity, value / 100.0);
}

void DPropRoomSelectDialog::onShowSelectedChanged(int showSelectedState)
{
    pushPropertyEdit(WidgetPropertyId::ShowSelected, showSelectedState == Qt::Checked);
}
