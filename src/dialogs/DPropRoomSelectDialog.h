#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropRoomSelectDialog.h"

// Property page of room selectors: position, size, border, how opaque the
// room shows selected and unselected, and a preview of the selected look.
class DPropRoomSelectDialog : public DPropDialog, public Ui_DPropRoomSelectDialog
{
    Q_OBJECT

public:
    DPropRoomSelectDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropRoomSelectDialog() override;

public slots:
    void onSelectedOpacityValueChanged(int value);
    void onUnselectedOpacityValueChanged(int value);
    void onShowSelectedChanged(int showSelectedState);

protected:
    void showEvent(QShowEvent *pEvent) override;
};
