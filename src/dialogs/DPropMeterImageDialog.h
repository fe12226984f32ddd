#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropMeterImageDialog.h"

#include <QStringList>

// Property page of image meters: position, size, image opacity and poll rate.
class DPropMeterImageDialog : public DPropDialog, public Ui_DPropMeterImageDialog
{
    Q_OBJECT

public:
    DPropMeterImageDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropMeterImageDialog() override;

    // The poll rates both meter pages offer; the text is the value.
    static QStringList pollRates();

public slots:
    void onImageOpacityValueChanged(int value);
    void onMeterPollRateChanged(QString item);

protected:
    void showEvent(QShowEvent *pEvent) override;
};
