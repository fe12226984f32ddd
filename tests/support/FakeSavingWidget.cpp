#include "support/FakeSavingWidget.h"

#include "xml/XmlWriter.h"

bool FakeSavingWidget::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeEndElement(typeName());
    return true;
}
