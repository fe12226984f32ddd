#include "dialogs/DPropImageDialog.h"

#include "widgets/WWidget.h"

#include <QtMath>

DPropImageDialog::DPropImageDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    // The index is the fill mode of the Qt Quick image the control draws with.
    const QString modes[] = {tr("Stretch"),
                             tr("Preserve aspect and fit"),
                             tr("Preserve aspect and crop"),
                             tr("Tile"),
                             tr("Tile Vertically"),
                             tr("Tile Horizontally"),
                             tr("Pad")};
    int index = 0;
    for (const QString &mode : modes) {
        m_pBackgroundModeComboBox->addItem(mode, index);
        ++index;
    }
    for (const char *width : {"64", "128", "256", "512", "1024", "2048", "4096"})
        m_pMaxCachedWidthComboBox->addItem(QLatin1String(width));
}

DPropImageDialog::~DPropImageDialog() = default;

void DPropImageDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_pImageEdit->setText(propertyValue(WidgetPropertyId::Image).toString());

    const int mode = propertyValue(WidgetPropertyId::BackgroundMode).toInt();
    const bool background = mode != -1;
    m_pUseAsBackgroundCheckbox->setChecked(background);
    m_pBackgroundModeComboBox->setEnabled(background);
    modeLabel->setEnabled(background);
    if (background)
        m_pBackgroundModeComboBox->setCurrentIndex(mode);

    // Rounded, not truncated: 0.29 is stored as 0.28999..., and shows as 29.
    m_pOpacitySlider->setValue(qRound(propertyValue(WidgetPropertyId::Opacity).toDouble() * 100.0));

    const int width = m_pMaxCachedWidthComboBox->findText(
        QString::number(propertyValue(WidgetPropertyId::MaxCachedWidth).toInt()));
    if (width >= 0)
        m_pMaxCachedWidthComboBox->setCurrentIndex(width);

    connectSharedFields();
    connect(m_pImageButton, &QAbstractButton::pressed, this, &DPropImageDialog::imagePath);
    connect(m_pUseAsBackgroundCheckbox, &QCheckBox::stateChanged, this,
            &DPropImageDialog::onUseAsBackgroundStateChanged);
    connect(m_pBackgroundModeComboBox, &QComboBox::currentIndexChanged, this,
            &DPropImageDialog::onBackgroundModeCurrentIndexChanged);
    connect(m_pOpacitySlider, &QSlider::valueChanged, this, &DPropImageDialog::onImageOpacityValueChanged);
    connect(m_pMaxCachedWidthComboBox, &QComboBox::currentTextChanged, this,
            &DPropImageDialog::onMaxCachedImageWidthChanged);
}

void DPropImageDialog::imagePath()
{
    const QString current = propertyValue(WidgetPropertyId::Image).toString();
    const QString chosen = chooseImageFile(this, current);
    // The widget reports its picture as a file URL: compared in that form,
    // the file in force picked again is no edit (nor is a cancelled choice).
    const QString url = chosen == current ? chosen : WWidget::localFileUrl(chosen);
    if (url != current)
        pushPropertyEdit(WidgetPropertyId::Image, url);
    m_pImageEdit->setText(propertyValue(WidgetPropertyId::Image).toString());
}

void DPropImageDialog::onUseAsBackgroundStateChanged(int state)
{
    const bool background = state == Qt::Checked;
    m_pBackgroundModeComboBox->setEnabled(background);
    modeLabel->setEnabled(background);
    pushPropertyEdit(WidgetPropertyId::BackgroundMode, background ? m_pBackgroundModeComboBox->currentIndex() : -1);
}

void DPropImageDialog::onBackgroundModeCurrentIndexChanged(int index)
{
    pushPropertyEdit(WidgetPropertyId::BackgroundMode, index);
}

void DPropImageDialog::onImageOpacityValueChanged(int value)
{
    pushPropertyEdit(WidgetPropertyId::Opacity, value * 0.01);
}

void DPropImageDialog::onMaxCachedImageWidthChanged(const QString &text)
{
    // A text that is no number goes as 0.
    pushPropertyEdit(WidgetPropertyId::MaxCachedWidth, text.toInt());
}
