#include "dialogs/DPropDropListDialog.h"

DPropDropListDialog::DPropDropListDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropDropListDialog::~DPropDropListDialog() = default;

void DPropDropListDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    loadAlign();
    loadBorder();
    connectSharedFields();
}
