#include "widgets/WCmdButton.h"

#include "utility/UArchive.h"
#include "utility/UNumbers.h"
#include "widgets/WButton.h"
#include "xml/XmlWriter.h"

WCmdButton::WCmdButton(QQuickItem *pParent)
    : WWidget(pParent)
{
}

WCmdButton::~WCmdButton() = default;

void WCmdButton::initWidget(QObject *)
{
}

void WCmdButton::destroy()
{
}

void WCmdButton::setupFromParameter(CAttributes *)
{
}

void WCmdButton::setCanvasItem(QQuickItem *)
{
}

bool WCmdButton::hasTitle() const
{
    return true;
}

DPropDialog *WCmdButton::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WCmdButton::setLabelText(const QString &text)
{
    setWidgetProperty("text", text);
    setWidgetProperty("hasText", true);
}

void WCmdButton::outputPressed()
{
    if (m_pLinkedWidget)
        m_pLinkedWidget->executeCommand(QString(m_sCommand));
}

QString WCmdButton::imagePath(const QString &name)
{
    QString path = name.contains(QLatin1Char('.')) ? name : QStringLiteral("../images/") + name + QStringLiteral(".png");
    UArchive::instance()->fileUrl(path);
    return path;
}

void WCmdButton::setImageByName(const QString &name)
{
    if (name.isEmpty()) {
        setWidgetProperty("hasImage", false);
        return;
    }
    setWidgetProperty("image", imagePath(name));
    setWidgetProperty("hasImage", true);
}

// ---------------------------------------------------------------- settings

bool WCmdButton::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text))
        return true;
    if (name == QLatin1String("command"))
        m_sCommand = text;
    else if (name == QLatin1String("title"))
        setLabelText(text);
    else if (name == QLatin1String("onimage"))
        setImageByName(text);
    else if (name == QLatin1String("imagesize"))
        setWidgetProperty("imageSize", text.toFloat());
    else if (name == QLatin1String("hasBorder"))
        setWidgetProperty("hasBorder", UNumbers::toInt(text) != 0);
    else
        return false;
    return true;
}

bool WCmdButton::save(XmlWriter *pWriter)
{
    if (!pWriter || !m_pWidget)
        return false;
    saveStart(pWriter);
    if (widgetProperty("hasText").toBool())
        pWriter->writeTextElement(QStringLiteral("title"), text());
    if (widgetProperty("hasImage").toBool()) {
        pWriter->writeTextElement(QStringLiteral("onimage"),
                                  WButton::archivedImagePath(pWriter, widgetProperty("image").toString()));
        pWriter->writeTextElement(QStringLiteral("imagesize"), QString::number(widgetProperty("imageSize").toDouble()));
    }
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    pWriter->writeTextElement(QStringLiteral("command"), m_sCommand);
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WCmdButton::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::ButtonMode:
        if (widgetProperty("hasText").toBool())
            return QStringLiteral("Text");
        return widgetProperty("hasImage").toBool() ? QStringLiteral("Image") : QString();
    case WidgetPropertyId::Image:
        return widgetProperty("image").toString();
    default:
        return WWidget::propertyValue(id);
    }
}

void WCmdButton::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::ButtonMode: {
        const QString mode = value.toString();
        if (mode == QLatin1String("Text") || mode == QLatin1String("Image")) {
            setWidgetProperty("hasText", mode == QLatin1String("Text"));
            setWidgetProperty("hasImage", mode == QLatin1String("Image"));
        }
        break;
    }
    case WidgetPropertyId::Image:
        if (!value.toString().isEmpty())
            setWidgetProperty("image", localFileUrl(value.toString()));
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
