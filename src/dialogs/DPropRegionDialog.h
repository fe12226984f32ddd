#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropRegionDialog.h"

// Property page of regions: position, size, the two colours, the border
// width and the panel the region jumps to.
class DPropRegionDialog : public DPropDialog, public Ui_DPropRegionDialog
{
    Q_OBJECT

public:
    DPropRegionDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropRegionDialog() override;

public slots:
    void panelPath();

protected:
    void showEvent(QShowEvent *pEvent) override;
};
