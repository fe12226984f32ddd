#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropButtonDialog.h"

// Property page of buttons: content mode, the texts and images of the off,
// on and partial states, the image set, the channel and the momentary
// action, on three tabs. Which rows are offered follows the button's
// image-set category, read once at the first show; the tab last looked at
// is stored with the button, so a fresh page opens where the user was.
class DPropButtonDialog : public DPropDialog, public Ui_DPropButtonDialog
{
    Q_OBJECT

public:
    // Image-set categories with rows of their own.
    static constexpr int CategoryMomentary = 4;
    static constexpr int CategorySingleImage = 6;
    static constexpr int CategoryPartial = 7;
    // ButtonAction values this page writes.
    static constexpr int ActionTurnOnOrOff = 0;
    static constexpr int ActionMomentary = 2;

    DPropButtonDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropButtonDialog() override;

    void applyMode();
    void applyImageSet(const QString &imageSetName);

public slots:
    void textOnChanged();
    void textOffChanged();
    void textPartialChanged();
    void modeChanged(const QString &mode);
    void imageOnPath();
    void imageOffPath();
    void imagePartialPath();
    void onChannelChanged();
    void onCurrentTabChanged(int index);
    void onImageSetChanged(const QString &imageSetName);
    void onIsMomentaryCheckedChanged(bool isChecked);

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    void fillImageSets();
    void fillTexts();
    void fillChannel();

    QString m_sMode;
    int m_nCategory;
};
