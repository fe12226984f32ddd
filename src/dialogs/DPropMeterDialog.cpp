#include "dialogs/DPropMeterDialog.h"

#include "dialogs/DPropMeterImageDialog.h"
#include "widgets/WidgetPropertyId.h"

#include <QtMath>

DPropMeterDialog::DPropMeterDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    m_pMeterPollRateCombobox->addItems(DPropMeterImageDialog::pollRates());
}

DPropMeterDialog::~DPropMeterDialog() = default;

QString DPropMeterDialog::markerLevelText(double level)
{
    // Halves round up, so -0.5 shows as 0 too.
    if (qFloor(level + 0.5) == 0)
        return QStringLiteral("0");
    return QString::number(level, 'g', 6);
}

void DPropMeterDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_pLabelEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    m_pMeterPollRateCombobox->setCurrentText(propertyValue(WidgetPropertyId::MeterRate).toString());
    const bool marker = propertyValue(WidgetPropertyId::MarkerEnabled).toBool();
    m_pEnableLevelMarker->setChecked(marker);
    m_pMarkerLevelEdit->setVisible(marker);
    markerLevelLabel->setVisible(marker);
    m_pMarkerLevelEdit->setText(markerLevelText(propertyValue(WidgetPropertyId::MarkerLevel).toDouble()));

    connectSharedFields();
    connect(m_pLabelEdit, &QLineEdit::editingFinished, this, &DPropMeterDialog::labelChanged);
    connect(m_pEnableLevelMarker, &QCheckBox::stateChanged, this, &DPropMeterDialog::onEnableLevelMarkerChanged);
    connect(m_pMarkerLevelEdit, &QLineEdit::editingFinished, this, &DPropMeterDialog::onMarkerLevelEditChanged);
    connect(m_pMeterPollRateCombobox, &QComboBox::currentTextChanged, this,
            &DPropMeterDialog::onMeterPollRateChanged);
}

void DPropMeterDialog::labelChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pLabelEdit->text());
}

void DPropMeterDialog::onMeterPollRateChanged(QString item)
{
    pushPropertyEdit(WidgetPropertyId::MeterRate, item);
}

void DPropMeterDialog::onEnableLevelMarkerChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::MarkerEnabled, value == Qt::Checked);
}

void DPropMeterDialog::onMarkerLevelEditChanged()
{
    const QString typed = m_pMarkerLevelEdit->text();
    const float current = propertyValue(WidgetPropertyId::MarkerLevel).toFloat();
    // The field shows the level rounded ("0" for -0.3): confirming it as it
    // stands, or typing the level in force in another form, is no edit.
    bool isNumber = false;
    const float level = typed.toFloat(&isNumber);
    if (typed == markerLevelText(double(current)) || (isNumber && level == current))
        return;
    pushPropertyEdit(WidgetPropertyId::MarkerLevel, typed);
}
