#pragma once

#include <QStringList>

class DPropDialog;
class QLineEdit;

// The Min and Max fields that the fader and level-button pages share.
class DPropRange
{
public:
    // Processors whose level range cannot be changed: their Min and Max are
    // shown read-only. Compared with the fader's processor name, ignoring case.
    static const QStringList &fixedRangeModels();

    // Fills the two fields from the page's fader; read-only for a processor
    // of a fixed range.
    static void load(DPropDialog *pPage, QLineEdit *pMinimum, QLineEdit *pMaximum);
    // Submits the end typed into the field when it lies within the fader's
    // limits and leaves a range that is not empty; otherwise puts the value in
    // force back. A text that is no number counts as 0 and goes as typed.
    // Nothing happens before the fader was set up from its parameter.
    static void submit(DPropDialog *pPage, QLineEdit *pEdit, bool isMinimum);

private:
    DPropRange() = delete;
};
