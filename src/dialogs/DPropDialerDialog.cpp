#include "dialogs/DPropDialerDialog.h"

#include "widgets/WidgetPropertyId.h"

#include <QColor>

DPropDialerDialog::DPropDialerDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    m_pPrimaryColorComboBox->addItems({tr("black"), tr("blue"), tr("green"), tr("pink"), tr("red"), tr("white"),
                                       tr("yellow")});
}

DPropDialerDialog::~DPropDialerDialog() = default;

void DPropDialerDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_pPrimaryColorComboBox->setCurrentText(propertyValue(WidgetPropertyId::DialerPrimaryColor).toString());
    const int red = propertyValue(WidgetPropertyId::DialerRed).toInt();
    const int green = propertyValue(WidgetPropertyId::DialerGreen).toInt();
    const int blue = propertyValue(WidgetPropertyId::DialerBlue).toInt();
    m_pRedSpinner->setValue(red);
    m_pGreenSpinner->setValue(green);
    m_pBlueSpinner->setValue(blue);
    m_samplePalette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(red, green, blue)));
    m_pSecondaryColorSample->setPalette(m_samplePalette);

    const QString type = propertyValue(WidgetPropertyId::DialerType).toString();
    // Only a line to the telephone network has Call and End of its own.
    m_pAlwaysShowCallAndEndCheckbox->setVisible(type.startsWith(QLatin1String("PSTN")));
    m_pAlwaysShowCallAndEndCheckbox->setChecked(propertyValue(WidgetPropertyId::AlwaysShowCallAndEnd).toBool());
    if (auto *pTypeName = field<QLabel>("m_pTypeName"))
        pTypeName->setText(type);

    connectSharedFields();
    connect(m_pPrimaryColorComboBox, &QComboBox::currentTextChanged, this,
            &DPropDialerDialog::onPrimaryColorChanged);
    connect(m_pRedSpinner, &QSpinBox::editingFinished, this, &DPropDialerDialog::onRedValueChanged);
    connect(m_pGreenSpinner, &QSpinBox::editingFinished, this, &DPropDialerDialog::onGreenValueChanged);
    connect(m_pBlueSpinner, &QSpinBox::editingFinished, this, &DPropDialerDialog::onBlueValueChanged);
    connect(m_pAlwaysShowCallAndEndCheckbox, &QCheckBox::stateChanged, this,
            &DPropDialerDialog::onAlwaysShowCallAndEndChanged);
}

void DPropDialerDialog::onPrimaryColorChanged(QString text)
{
    pushPropertyEdit(WidgetPropertyId::DialerPrimaryColor, text);
}

void DPropDialerDialog::onRedValueChanged()
{
    pushPropertyEdit(WidgetPropertyId::DialerRed, m_pRedSpinner->value());
}

void DPropDialerDialog::onGreenValueChanged()
{
    pushPropertyEdit(WidgetPropertyId::DialerGreen, m_pGreenSpinner->value());
}

void DPropDialerDialog::onBlueValueChanged()
{
    pushPropertyEdit(WidgetPropertyId::DialerBlue, m_pBlueSpinner->value());
}

void DPropDialerDialog::onAlwaysShowCallAndEndChanged(int state)
{
    pushPropertyEdit(WidgetPropertyId::AlwaysShowCallAndEnd, state == Qt::Checked);
}
