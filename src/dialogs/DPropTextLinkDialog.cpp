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
    m_sMode = fillTextOrImage(m_pModeEdit, m_pTextEdit,
                              {{m_pImageOnEdit, WidgetPropertyId::ImageOn}, {m_pImageOffEdit, WidgetPropertyId::ImageOff}});
    applyMode();
    connectTextOrImage(this, {{m_pImageOnButton, &DPropTextLinkDialog::imageOnPath},
                              {m_pImageOffButton, &DPropTextLinkDialog::imageOffPath}});
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
