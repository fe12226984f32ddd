#pragma once

#include "dialogs/DPropDialog.h"
#include "ui_DPropSliderDialog.h"

#include <QPointer>

class WSlider;

// Property page of faders: position and size, the range (Min, Max), units,
// knob colour, the caption (the text of the fader's companion label) and the
// orientation.
class DPropSliderDialog : public DPropDialog, public Ui_DPropSliderDialog
{
    Q_OBJECT

public:
    DPropSliderDialog(QWidget *pParent, WWidget *pWidget);
    ~DPropSliderDialog() override;

    // The label widget of the fader's control; null without one.
    WWidget *labelWidget() const { return m_pLabelWidget; }

public slots:
    void minimumChanged();
    void maximumChanged();
    void unitsChanged(const QString &unit);
    void knobColorSet();
    void labelChanged();
    void onVerticalRadioButtonToggled(bool checked);

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    QPointer<WWidget> m_pLabelWidget;
};
