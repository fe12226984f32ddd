#include "dialogs/DPropPageFactory.h"

#include "dialogs/DPropDialerDialog.h"
#include "dialogs/DPropDropListDialog.h"
#include "dialogs/DPropFrameDialog.h"
#include "dialogs/DPropMeterDialog.h"
#include "dialogs/DPropMeterImageDialog.h"
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
    {"WDialer", &makePage<DPropDialerDialog>},
    {"WDropList", &makePage<DPropDropListDialog>},
    {"WFrame", &makePage<DPropFrameDialog>},
    {"WMeter", &makePage<DPropMeterDialog>},
    {"WMeterImage", &makePage<DPropMeterImageDialog>},
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
