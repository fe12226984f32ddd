#pragma once

#include "dialogs/DPropDialog.h"

// Property page of frames and bounds.
class DPropFrameDialog : public DPropDialog
{
    Q_OBJECT

public:
    DPropFrameDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropFrameDialog() override;
};
