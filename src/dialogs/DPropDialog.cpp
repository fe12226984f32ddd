#include "dialogs/DPropDialog.h"

#include "widgets/WWidget.h"

DPropDialog::DPropDialog(QWidget *pParent, WWidget *pWidget)
    : QWidget(pParent)
    , m_pWidget(pWidget)
{
}

DPropDialog::~DPropDialog() = default;

WWidget *DPropDialog::widget() const
{
    return m_pWidget;
}
