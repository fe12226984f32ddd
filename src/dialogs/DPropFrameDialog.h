#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropFrameDialog.h"

// Property page of frames and bounds: position, size, the two colours and
// the border width.
class DPropFrameDialog : public DPropDialog, public Ui_DPropFrameDialog
{
    Q_OBJECT

public:
    DPropFrameDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropFrameDialog() override;

protected:
    void showEvent(QShowEvent *pEvent) override;
};
