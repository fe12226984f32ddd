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
    m_sMode = fillTextOrImage(m_pModeEdit, m_pTextEdit, {{m_pImageEdit, WidgetPropertyId::Image}});
    applyMode();
    connectTextOrImage(this, {{m_pImageButton, &DPropCmdButtonDialog::imagePath}});
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
