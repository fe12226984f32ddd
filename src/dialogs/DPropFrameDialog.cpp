#include "dialogs/DPropFrameDialog.h"

DPropFrameDialog::DPropFrameDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropFrameDialog::~DPropFrameDialog() = default;

void DPropFrameDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    loadColorSwatches();
    loadBorderWidth();
    connectSharedFields();
}
