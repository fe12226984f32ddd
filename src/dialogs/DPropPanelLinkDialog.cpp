#include "dialogs/DPropPanelLinkDialog.h"

#include "widgets/WWidget.h"
#include "widgets/WidgetPropertyId.h"

DPropPanelLinkDialog::DPropPanelLinkDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropPanelLinkDialog::~DPropPanelLinkDialog() = default;

void DPropPanelLinkDialog::showEvent(QShowEvent *pEvent)
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
    m_pPathEdit->setText(propertyValue(WidgetPropertyId::LinkPath).toString());
    applyMode();

    connectSharedFields();
    connect(m_pModeEdit, &QComboBox::currentTextChanged, this, &DPropPanelLinkDialog::modeChanged);
    connect(m_pTextEdit, &QLineEdit::editingFinished, this, &DPropPanelLinkDialog::textChanged);
    connect(m_pImageButton, &QPushButton::pressed, this, &DPropPanelLinkDialog::imagePath);
    connect(m_pPathButton, &QPushButton::pressed, this, &DPropPanelLinkDialog::panelPath);
}

// The target row stays usable whatever the link shows.
void DPropPanelLinkDialog::applyMode()
{
    applyTextOrImage(m_sMode, m_pTextEdit, {m_pImageEdit, m_pImageButton});
}

void DPropPanelLinkDialog::textChanged()
{
    pushPropertyEdit(WidgetPropertyId::Text, m_pTextEdit->text());
}

void DPropPanelLinkDialog::modeChanged(const QString &mode)
{
    m_sMode = mode;
    pushPropertyEdit(WidgetPropertyId::ButtonMode, mode);
    applyMode();
}

void DPropPanelLinkDialog::imagePath()
{
    chooseImageFor(WidgetPropertyId::Image, m_pImageEdit);
}

void DPropPanelLinkDialog::panelPath()
{
    choosePanelFor(m_pPathEdit);
}
