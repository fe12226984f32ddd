#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropDialerDialog.h"

#include <QPalette>

// Property page of telephone dialers: position, size, the bound node's name,
// the colour scheme, the secondary colour and, for a "PSTN" dialer, whether
// Call and End are always shown.
class DPropDialerDialog : public DPropDialog, public Ui_DPropDialerDialog
{
    Q_OBJECT

public:
    DPropDialerDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropDialerDialog() override;

public slots:
    void onPrimaryColorChanged(QString text);
    void onRedValueChanged();
    void onGreenValueChanged();
    void onBlueValueChanged();
    void onAlwaysShowCallAndEndChanged(int state);

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    // Carries the secondary colour to the sample.
    QPalette m_samplePalette;
};
