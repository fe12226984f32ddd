#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropLevelButtonDialog.h"

// Property page of level buttons: position and size, the range (Min, Max),
// units, knob colour, their own caption, the border and the button shape.
class DPropLevelButtonDialog : public DPropDialog, public Ui_DPropLevelButtonDialog
{
    Q_OBJECT

public:
    DPropLevelButtonDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropLevelButtonDialog() override;

public slots:
    void minimumChanged();
    void maximumChanged();
    void unitsChanged(const QString &unit);
    void knobColorSet();
    void labelChanged();
    void onButtonTypeSelectionChanged(int value);

protected:
    void showEvent(QShowEvent *pEvent) override;
};
