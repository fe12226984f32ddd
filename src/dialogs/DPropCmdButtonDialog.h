#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropCmdButtonDialog.h"

// Property page of command buttons: position and size, border, and a
// caption or one image.
class DPropCmdButtonDialog : public DPropDialog, public Ui_DPropCmdButtonDialog
{
    Q_OBJECT

public:
    DPropCmdButtonDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropCmdButtonDialog() override;

    void applyMode();

public slots:
    void textChanged();
    void modeChanged(const QString &mode);
    void imagePath();

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    QString m_sMode;
};
