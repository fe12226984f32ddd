#include "dialogs/DPropPageFactory.h"

#include "dialogs/DPropActiveRoomComboDialog.h"
#include "dialogs/DPropButtonDialog.h"
#include "dialogs/DPropCmdButtonDialog.h"
#include "dialogs/DPropComboSelectionDialog.h"
#include "dialogs/DPropDialerDialog.h"
#include "dialogs/DPropDropListDialog.h"
#include "dialogs/DPropFrameDialog.h"
#include "dialogs/DPropImageDialog.h"
#include "dialogs/DPropLabelDialog.h"
#include "dialogs/DPropLevelButtonDialog.h"
#include "dialogs/DPropMeterDialog.h"
#include "dialogs/DPropMeterImageDialog.h"
#include "dialogs/DPropPanelLinkDialog.h"
#include "dialogs/DPropRegionDialog.h"
#include "dialogs/DPropRoomSelectDialog.h"
#include "dialogs/DPropSliderDialog.h"
#include "dialogs/DPropTextLinkDialog.h"
#include "widgets/WWidget.h"

#include <QMetaObject>

namespace {

using PageMaker = DPropDialog *(*)(QWidget *pParent, WWidget *pWidget);

template <class Page> DPropDialog *makePage(QWidget *pParent, WWidget *pWidget)
{
    return new Page(pParent, pWidget);
}

struct PageRow
{
    const char *widgetClass;
    PageMaker make;
};

// One row per widget class, sorted by class.
const PageRow PageTable[] = {
    {"WActiveCombo", &makePage<DPropActiveRoomComboDialog>},
    {"WButton", &makePage<DPropButtonDialog>},
    {"WCmdButton", &makePage<DPropCmdButtonDialog>},
    {"WComboSelection", &makePage<DPropComboSelectionDialog>},
    {"WDialer", &makePage<DPropDialerDialog>},
    {"WDropList", &makePage<DPropDropListDialog>},
    {"WFrame", &makePage<DPropFrameDialog>},
    {"WImage", &makePage<DPropImageDialog>},
    {"WLabel", &makePage<DPropLabelDialog>},
    {"WLevelButtons", &makePage<DPropLevelButtonDialog>},
    {"WMeter", &makePage<DPropMeterDialog>},
    {"WMeterImage", &makePage<DPropMeterImageDialog>},
    {"WPanelLink", &makePage<DPropPanelLinkDialog>},
    {"WPolygon", &makePage<DPropRegionDialog>},
    {"WRoomSelection", &makePage<DPropRoomSelectDialog>},
    {"WSlider", &makePage<DPropSliderDialog>},
    {"WTextLink", &makePage<DPropTextLinkDialog>},
};

PageMaker makerOf(const QMetaObject *pMeta)
{
    for (; pMeta; pMeta = pMeta->superClass()) {
        for (const PageRow &row : PageTable) {
            if (qstrcmp(pMeta->className(), row.widgetClass) == 0)
                return row.make;
        }
    }
    return nullptr;
}

} // namespace

DPropDialog *DPropPageFactory::createPage(WWidget *pWidget, QWidget *pParent)
{
    if (!pWidget)
        return nullptr;
    const PageMaker make = makerOf(pWidget->metaObject());
    return make ? make(pParent, pWidget) : nullptr;
}
