#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropActiveRoomComboDialog.h"

// Property page of the active-combination strip. The strip spans the canvas
// by itself, so the page offers no X and no Width.
class DPropActiveRoomComboDialog : public DPropDialog, public Ui_DPropActiveRoomComboDialog
{
    Q_OBJECT

public:
    DPropActiveRoomComboDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropActiveRoomComboDialog() override;

public slots:
    void textColorSet();
    void borderColorSet();
    void onSeparatorChanged();
    void onSideMarginsChanged();

protected:
    void showEvent(QShowEvent *pEvent) override;
};
