#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropDropListDialog.h"

// Property page of drop lists: position, size, text alignment and border.
class DPropDropListDialog : public DPropDialog, public Ui_DPropDropListDialog
{
    Q_OBJECT

public:
    DPropDropListDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropDropListDialog() override;

protected:
    void showEvent(QShowEvent *pEvent) override;
};
