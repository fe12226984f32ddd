#include "widgets/WFrame.h"

#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

WFrame::WFrame(QQuickItem *pParent)
    : WWidget(pParent)
{
}

WFrame::~WFrame() = default;

void WFrame::initWidget(QObject *)
{
}

void WFrame::destroy()
{
}

void WFrame::setCanvasItem(QQuickItem *)
{
}

bool WFrame::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("shape"), QStringLiteral("box"));
    pWriter->writeTextElement(QStringLiteral("shadow"), QStringLiteral("plain"));
    pWriter->writeTextElement(QStringLiteral("fieldcolor"), colorPropertyName("fieldColor"));
    pWriter->writeTextElement(QStringLiteral("bordercolor"), colorPropertyName("borderColor"));
    pWriter->writeFloatElement(QStringLiteral("borderwidth"), widgetProperty("borderWidth").toFloat());
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    pWriter->writeEndElement(m_sType);
    return true;
}

// A frame reads only its rectangle and its look: it keeps the default
// fractions and so always covers its whole control rectangle.
bool WFrame::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text))
        return true;
    if (name == QLatin1String("shape") || name == QLatin1String("shadow"))
        return true;
    if (name == QLatin1String("fieldcolor")) {
        setColorProperty("fieldColor", text);
        return true;
    }
    if (name == QLatin1String("bordercolor")) {
        setColorProperty("borderColor", text);
        return true;
    }
    if (name == QLatin1String("borderwidth")) {
        setWidgetProperty("borderWidth", UNumbers::finiteFloat(text));
        return true;
    }
    if (name == QLatin1String("hasBorder")) {
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        setWidgetProperty("hasBorder", ok && value != 0);
        return true;
    }
    return false;
}

DPropDialog *WFrame::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}
