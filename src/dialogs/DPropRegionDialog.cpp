#include "dialogs/DPropRegionDialog.h"

#include "widgets/WWidget.h"

DPropRegionDialog::DPropRegionDialog(QWidget *pParent, WWidget *pWidget)
    : DPropDialog(pParent, pWidget)
{
    setupUi(this);
}

DPropRegionDialog::~DPropRegionDialog() = default;

void DPropRegionDialog::showEvent(QShowEvent *pEvent)
{
    DPropDialog::showEvent(pEvent);
    if (!takeFirstShow())
        return;
    loadGeometry();
    loadColorSwatches();
    loadBorderWidth();
    m_pPathEdit->setText(propertyValue(WidgetPropertyId::LinkPath).toString());
    connectSharedFields();
    connect(m_pPathButton, &QPushButton::pressed, this, &DPropRegionDialog::panelPath);
}

void DPropRegionDialog::panelPath()
{
    choosePanelFor(m_pPathEdit);
}
