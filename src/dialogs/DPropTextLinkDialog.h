#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropTextLinkDialog.h"

// Property page of text links: position and size, border, and a caption or
// an on and an off image.
class DPropTextLinkDialog : public DPropDialog, public Ui_DPropTextLinkDialog
{
    Q_OBJECT

public:
    DPropTextLinkDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropTextLinkDialog() override;

    void applyMode();

public slots:
    void textChanged();
    void modeChanged(const QString &mode);
    void imageOnPath();
    void imageOffPath();

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    QString m_sMode;
};
