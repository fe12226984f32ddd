#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropComboSelectionDialog.h"

// Property page of the combination selector. The selector spans the canvas
// by itself, so the page offers no X and no Width.
class DPropComboSelectionDialog : public DPropDialog, public Ui_DPropComboSelectionDialog
{
    Q_OBJECT

public:
    DPropComboSelectionDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropComboSelectionDialog() override;

public slots:
    void onSideMarginsChanged();

protected:
    void showEvent(QShowEvent *pEvent) override;
};
