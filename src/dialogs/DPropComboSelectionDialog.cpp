#include "dialogs/DPropComboSelectionDialog.h"

#include "widgets/WWidget.h"

DPropComboSelectionDialog::DPropComboSelectionDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
    widthLabel->hide();
    m_pWidthEdit->hide();
    xposLabel->hide();
    m_pXPosEdit->hide();
}

DPropComboSelectionDialog::~DPropComboSelectionDialog() = default;

void DPropComboSelectionDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    m_pSideMarginEdit->setText(propertyValue(WidgetPropertyId::SideMargin).toString());
    connectSharedFields();
    connect(m_pSideMarginEdit, &QLineEdit::editingFinished, this, &DPropComboSelectionDialog::onSideMarginsChanged);
}

void DPropComboSelectionDialog::onSideMarginsChanged()
{
    pushPropertyEdit(WidgetPropertyId::SideMargin, m_pSideMarginEdit->text());
}
