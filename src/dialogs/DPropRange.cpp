#include "dialogs/DPropRange.h"

#include "dialogs/DPropDialog.h"
#include "hardware/HDeviceModels.h"
#include "widgets/WSlider.h"
#include "widgets/WidgetPropertyId.h"

#include <QLineEdit>

namespace {

WSlider *faderOf(const DPropDialog *pPage)
{
    return pPage ? qobject_cast<WSlider *>(pPage->widget()) : nullptr;
}

} // namespace

// The amplifiers of the second line set their gain range in the hardware.
const QStringList &DPropRange::fixedRangeModels()
{
    return HDeviceModels::azrAmplifiers();
}

void DPropRange::load(DPropDialog *pPage, QLineEdit *pMinimum, QLineEdit *pMaximum)
{
    if (const WSlider *pFader = faderOf(pPage)) {
        if (fixedRangeModels().contains(pFader->chassisName(), Qt::CaseInsensitive)) {
            pMinimum->setReadOnly(true);
            pMaximum->setReadOnly(true);
        }
    }
    pMinimum->setText(pPage->propertyValue(WidgetPropertyId::Minimum).toString());
    pMaximum->setText(pPage->propertyValue(WidgetPropertyId::Maximum).toString());
}

void DPropRange::load(DPropDialog *pPage, QLineEdit *pMinimum, QLineEdit *pMaximum, QComboBox *pUnits)
{
    load(pPage, pMinimum, pMaximum);
    pUnits->setCurrentText(pPage->propertyValue(WidgetPropertyId::Units).toString());
}

void DPropRange::submit(DPropDialog *pPage, QLineEdit *pEdit, bool isMinimum)
{
    const WSlider *pFader = faderOf(pPage);
    if (!pFader || !pFader->isSetUpFromParameter())
        return;
    const int id = isMinimum ? WidgetPropertyId::Minimum : WidgetPropertyId::Maximum;
    const int otherId = isMinimum ? WidgetPropertyId::Maximum : WidgetPropertyId::Minimum;
    const QString text = pEdit->text();
    const double value = text.toDouble();
    bool otherOk = false;
    const double other = pPage->propertyValue(otherId).toString().toDouble(&otherOk);
    const bool withinLimits = isMinimum ? value >= pFader->lowerLimit() : value <= pFader->upperLimit();
    // The fader refuses an empty range anyway; the field must not claim one.
    const bool ordered = !otherOk || (isMinimum ? value < other : value > other);
    if (withinLimits && ordered)
        pPage->pushPropertyEdit(id, text);
    else
        pEdit->setText(pPage->propertyValue(id).toString());
}
