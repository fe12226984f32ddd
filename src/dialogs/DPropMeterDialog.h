#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropMeterDialog.h"

// Property page of bar meters: position, size, caption, poll rate and the
// optional level marker.
class DPropMeterDialog : public DPropDialog, public Ui_DPropMeterDialog
{
    Q_OBJECT

public:
    DPropMeterDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropMeterDialog() override;

    // The marker level as the page shows it: "0" for anything that rounds to
    // zero, else up to six significant digits.
    static QString markerLevelText(double level);

public slots:
    void labelChanged();
    void onMeterPollRateChanged(QString item);
    void onEnableLevelMarkerChanged(int value);
    void onMarkerLevelEditChanged();

protected:
    void showEvent(QShowEvent *pEvent) override;
};
