#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropImageDialog.h"

// Property page of placed pictures: position, size, the picture file, its
// use as the panel background and in which fill mode, opacity and the width
// the picture is decoded at.
class DPropImageDialog : public DPropDialog, public Ui_DPropImageDialog
{
    Q_OBJECT

public:
    DPropImageDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropImageDialog() override;

public slots:
    void imagePath();
    void onUseAsBackgroundStateChanged(int state);
    void onBackgroundModeCurrentIndexChanged(int index);
    void onImageOpacityValueChanged(int value);
    void onMaxCachedImageWidthChanged(const QString &text);

protected:
    void showEvent(QShowEvent *pEvent) override;
};
