#include "transforms/TTransformFactory.h"

#include "transforms/TBin8.h"
#include "transforms/TChrL.h"
#include "transforms/TGrpV.h"
#include "transforms/THexL.h"
#include "transforms/TPassThrough.h"
#include "transforms/TStrL.h"
#include "transforms/TStrV.h"
#include "transforms/TText.h"

TTransform *TTransformFactory::createTransform(const QString &name) const
{
    if (name == QLatin1String("bin8") || name == QLatin1String("idx8"))
        return new TBin8;
    if (name == QLatin1String("strV"))
        return new TStrV;
    if (name == QLatin1String("grpV"))
        return new TGrpV;
    if (name == QLatin1String("chrL"))
        return new TChrL;
    if (name == QLatin1String("hexL"))
        return new THexL;
    if (name == QLatin1String("strL"))
        return new TStrL;
    if (name == QLatin1String("text"))
        return new TText;
    if (name == QLatin1String("passThrough"))
        return new TPassThrough;
    return nullptr;
}

QList<CControl *> &TTransformFactory::registry()
{
    static QList<CControl *> controls;
    return controls;
}

void TTransformFactory::registerTransform(CControl *pControl)
{
    if (pControl)
        registry().append(pControl);
}

void TTransformFactory::unregisterTransform(CControl *pControl)
{
    registry().removeOne(pControl);
}

QList<CControl *> TTransformFactory::transforms() const
{
    return registry();
}
