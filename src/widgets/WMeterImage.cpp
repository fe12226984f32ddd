#include "widgets/WMeterImage.h"

#include "hardware/HNode.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "widgets/WImage.h"
#include "xml/XmlWriter.h"


WMeterImage::WMeterImage(QQuickItem *pParent)
    : WWidget(pParent)
    , m_source(this)
{
    m_source.connectPoll(this);
}

WMeterImage::~WMeterImage() = default;

void WMeterImage::initWidget(QObject *)
{
    setImage(GreyImage);
    setOpacity(1.0);
}

// ---------------------------------------------------------------- binding

void WMeterImage::setupFromParameter(CAttributes *pAttributes)
{
    m_source.setupFromParameter(pAttributes);
}

void WMeterImage::refresh()
{
    m_source.refresh();
}

void WMeterImage::setLabelText(const QString &text)
{
    if (m_pWidget)
        setWidgetProperty("text", text);
}

void WMeterImage::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    WMeterSource::connectNode(pNode, this);
}

void WMeterImage::unbindNode()
{
    WMeterSource::disconnectNode(m_pNode, this);
}

void WMeterImage::setTransform(TTransform *pTransform)
{
    WWidget::setTransform(pTransform);
    WMeterSource::connectTransform(pTransform, this);
}

void WMeterImage::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    m_source.reloadLabel(oldLabel, newLabel);
}

bool WMeterImage::hasTitle() const
{
    return true;
}

DPropDialog *WMeterImage::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- polling and pictures

void WMeterImage::onGetStatusTimerTimeout()
{
    m_source.poll();
}

// The poll timer runs on while offline: the protocol sends nothing then.
void WMeterImage::onOnlineStateChanged(bool online)
{
    if (online)
        m_source.pollTimer().start();
    else
        setWidgetProperty("path", QString(GreyImage));
}

// A meter saved while online keeps the level of that moment; read back, the
// editor is offline and shows the offline image until a reply comes.
bool WMeterImage::isLiveImage(const QString &path)
{
    return path == GreenImage || path == YellowImage || path == OrangeImage;
}

QString WMeterImage::imageFor(double level) const
{
    if (level <= m_source.minimum())
        return GreyImage;
    if (level <= m_source.colorBreak1())
        return GreenImage;
    if (level <= m_source.colorBreak2())
        return YellowImage;
    return OrangeImage;
}

void WMeterImage::updateFromTransform()
{
    double level = 0.0;
    if (!m_source.readLevel(&level))
        return;
    m_bOutputEnabled = false;
    setWidgetProperty("path", imageFor(level));
    m_bOutputEnabled = true;
}

void WMeterImage::setImage(const QString &path)
{
    if (m_pWidget)
        setWidgetProperty("path", WImage::archivedUrl(path));
}

void WMeterImage::setOpacity(double value)
{
    if (m_pWidget)
        setWidgetProperty("imageOpacity", WImage::boundedOpacity(value));
}

// ---------------------------------------------------------------- settings

bool WMeterImage::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text))
        return true;
    if (name == QLatin1String("path"))
        setImage(isLiveImage(text) ? QString(GreyImage) : text);
    else if (name == QLatin1String("imagesize"))
        setWidgetProperty("imageSize", UNumbers::finiteFloat(text));
    else if (name == QLatin1String("imageOpacity"))
        setOpacity(double(UNumbers::finiteFloat(text)));
    else if (name == QLatin1String("text"))
        setLabelText(text);
    else if (m_source.processPointElement(name, text))
        return true;
    else
        // An unbound image meter keeps the default scale and breaks.
        return m_pNode && m_source.processScaleElement(name, text);
    return true;
}

bool WMeterImage::save(XmlWriter *pWriter)
{
    if (!m_pWidget || !saveStart(pWriter))
        return false;
    m_source.writeRange(pWriter);
    const QString path = widgetProperty("path").toString();
    WImage::archiveImage(pWriter, path);
    pWriter->writeTextElement(QStringLiteral("path"), path);
    const QVariant imageSize = widgetProperty("imageSize");
    pWriter->writeTextElement(QStringLiteral("imagesize"), imageSize.isValid() ? imageSize.toString() : QString());
    pWriter->writeFloatElement(QStringLiteral("imageOpacity"), widgetProperty("imageOpacity").toFloat());
    pWriter->writeTextElement(QStringLiteral("text"), text());
    m_source.writeRate(pWriter);
    m_source.writeBreaks(pWriter);
    m_source.writePoint(pWriter);
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WMeterImage::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::Opacity:
        return widgetProperty("imageOpacity").toReal();
    case WidgetPropertyId::MeterRate:
        return m_source.rate();
    default:
        return WWidget::propertyValue(id);
    }
}

void WMeterImage::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Opacity:
        setOpacity(value.toDouble());
        break;
    case WidgetPropertyId::MeterRate:
        m_source.setRate(value.toString());
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
