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
    m_sMode = fillTextOrImage(m_pModeEdit, m_pTextEdit,
                              {{m_pImageEdit, WidgetPropertyId::Image}, {m_pPathEdit, WidgetPropertyId::LinkPath}});
    applyMode();
    connectTextOrImage(this, {{m_pImageButton, &DPropPanelLinkDialog::imagePath},
                              {m_pPathButton, &DPropPanelLinkDialog::panelPath}});
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
