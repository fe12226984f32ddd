#include "dialogs/DPropCmdButtonDialog.h"

#include "widgets/WidgetPropertyId.h"

DPropCmdButtonDialog::DPropCmdButtonDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropCmdButtonDialog::~DPropCmdButtonDialog() = default;

void DPropCmdButtonDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_sMode = propertyValue(WidgetPropertyId::ButtonMode).toString();
    m_pModeEdit->setCurrentText(m_sMode);
    loadBorder();
    m_pTextEdit->setText(propertyValue(WidgetPropertyId::Text).toString());
    m_pImageEdit->setText(propertyValue(WidgetPropertyId::Image).toString());
    applyMode();

    connectSharedFields();
    connect(m_pModeEdit, &QComboBox::currentTextChanged, this, &DPropCmdButtonDialog::modeChanged);
    connect(m_pTextEdit, &QLineEdit::editingFinished, this, &DPropCmdButtonDialog::textChanged);
    connect(m_pImageButton, &QPushButton::pressed, this, &DPropCmdButtonDialog::imagePath);
}

void DPropCmdButtonDialog::applyMode()
{
    applyTextOrImage(m_sMode, m_pTextEdit, {m_pImageEdit, m_pImageButton});
}

void DPropCmdButtonDialog::textChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pTextEdit->text());
}

void DPropCmdButtonDialog::modeChanged(const QString &mode)
{
    m_sMode = mode;
    pushPropertyEdit(WidgetPropertyId::ButtonMode, mode);
    applyMode();
}

void DPropCmdButtonDialog::imagePath()
{
    chooseImageFor(WidgetPropertyId::Image, m_pImageEdit);
}
