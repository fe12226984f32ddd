#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

class DPropDialog;

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
    // Fills Min, Max and Units of a fader or level-button page.
    static void load(DPropDialog *pPage, QLineEdit *pMinimum, QLineEdit *pMaximum, QComboBox *pUnits);
    // Connects the range fields and the knob colour button of such a page to
    // its minimumChanged, maximumChanged, unitsChanged and knobColorSet.
    template <class Page> static void connectFields(Page *pPage)
    {
        QObject::connect(pPage->m_pMinEdit, &QLineEdit::editingFinished, pPage, &Page::minimumChanged);
        QObject::connect(pPage->m_pMaxEdit, &QLineEdit::editingFinished, pPage, &Page::maximumChanged);
        QObject::connect(pPage->m_pUnitsEdit, &QComboBox::currentTextChanged, pPage, &Page::unitsChanged);
        QObject::connect(pPage->m_pKnobColorSet, &QAbstractButton::clicked, pPage, &Page::knobColorSet);
    }
    // Submits the end typed into the field when it lies within the fader's
    // limits and leaves a range that is not empty; otherwise puts the value in
    // force back. A text that is no number counts as 0 and goes as typed.
    // Nothing happens before the fader was set up from its parameter.
    static void submit(DPropDialog *pPage, QLineEdit *pEdit, bool isMinimum);

private:
    DPropRange() = delete;
};
