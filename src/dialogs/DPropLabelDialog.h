#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropLabelDialog.h"

// Property page of text labels: position, size, text, alignment, scale and
// text colour.
class DPropLabelDialog : public DPropDialog, public Ui_DPropLabelDialog
{
    Q_OBJECT

public:
    DPropLabelDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropLabelDialog() override;

public slots:
    void labelChanged();
    void scaleChanged(const QString &scale);
    void textColorSet();

protected:
    void showEvent(QShowEvent *pEvent) override;
};
