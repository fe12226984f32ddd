#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropPanelLinkDialog.h"

// Property page of panel links: position and size, border, a caption or one
// image, and the panel that the link opens, chosen among the document's
// panels.
class DPropPanelLinkDialog : public DPropDialog, public Ui_DPropPanelLinkDialog
{
    Q_OBJECT

public:
    DPropPanelLinkDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropPanelLinkDialog() override;

    void applyMode();

public slots:
    void textChanged();
    void modeChanged(const QString &mode);
    void imagePath();
    void panelPath();

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    QString m_sMode;
};
