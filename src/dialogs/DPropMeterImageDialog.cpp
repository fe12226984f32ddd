#include "dialogs/DPropMeterImageDialog.h"

#include "widgets/WidgetPropertyId.h"

#include <QtMath>

DPropMeterImageDialog::DPropMeterImageDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    m_pMeterPollRateCombobox->addItems(pollRates());
}

DPropMeterImageDialog::~DPropMeterImageDialog() = default;

QStringList DPropMeterImageDialog::pollRates()
{
    return {QStringLiteral("1x/s"), QStringLiteral("2x/s"), QStringLiteral("3x/s"), QStringLiteral("4x/s"),
            QStringLiteral("5x/s")};
}

void DPropMeterImageDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    // Rounded, so an opacity set here opens at the same position next time.
    m_pOpacitySlider->setValue(qRound(propertyValue(WidgetPropertyId::Opacity).toDouble() * 100.0));
    m_pMeterPollRateCombobox->setCurrentText(propertyValue(WidgetPropertyId::MeterRate).toString());

    connectSharedFields();
    connect(m_pOpacitySlider, &QSlider::valueChanged, this, &DPropMeterImageDialog::onImageOpacityValueChanged);
    connect(m_pMeterPollRateCombobox, &QComboBox::currentTextChanged, this,
            &DPropMeterImageDialog::onMeterPollRateChanged);
}

void DPropMeterImageDialog::onImageOpacityValueChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::Opacity, value * 0.01);
}

void DPropMeterImageDialog::onMeterPollRateChanged(QString item)
{
    pushPropertyEdit(WidgetPropertyId::MeterRate, item);
}
