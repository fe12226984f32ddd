#include "dialogs/DPropTextLinkDialog.h"

#include "widgets/WidgetPropertyId.h"

DPropTextLinkDialog::DPropTextLinkDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropTextLinkDialog::~DPropTextLinkDialog() = default;

void DPropTextLinkDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_sMode = propertyValue(WidgetPropertyId::ButtonMode).toString();
    m_pModeEdit->setCurrentText(m_sMode);
    loadBorder();
    m_pTextEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    m_pImageOnEdit->setText(propertyValue(WidgetPropertyId::ImageOn).toString());
    m_pImageOffEdit->setText(propertyValue(WidgetPropertyId::ImageOff).toString());
    applyMode();

    connectSharedFields();
    connect(m_pModeEdit, &QComboBox::currentTextChanged, this, &DPropTextLinkDialog::modeChanged);
    connect(m_pTextEdit, &QLineEdit::editingFinished, this, &DPropTextLinkDialog::textChanged);
    connect(m_pImageOnButton, &QPushButton::pressed, this, &DPropTextLinkDialog::imageOnPath);
    connect(m_pImageOffButton, &QPushButton::pressed, this, &DPropTextLinkDialog::imageOffPath);
}

void DPropTextLinkDialog::applyMode()
{
    applyTextOrImage(m_sMode, m_pTextEdit, {m_pImageOnEdit, m_pImageOnButton, m_pImageOffEdit, m_pImageOffButton});
}

void DPropTextLinkDialog::textChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pTextEdit->text());
}

void DPropTextLinkDialog::modeChanged(const QString &mode)
{
    m_sMode = mode;
    pushPropertyEdit(WidgetPropertyId::ButtonMode, mode);
    applyMode();
}

void DPropTextLinkDialog::imageOnPath()
{
    chooseImageFor(WidgetPropertyId::ImageOn, m_pImageOnEdit);
}

void DPropTextLinkDialog::imageOffPath()
{
    chooseImageFor(WidgetPropertyId::ImageOff, m_pImageOffEdit);
}
