#include "dialogs/DPropFrameDialog.h"

DPropFrameDialog::DPropFrameDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
}

DPropFrameDialog::~DPropFrameDialog() = default;
