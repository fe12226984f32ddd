#include "widgets/WImage.h"

#include "utility/LogCategories.h"
#include "utility/UArchive.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QUrl>

#include <cmath>


WImage::WImage(QQuickItem *pParent)
    : WWidget(pParent)
    , m_nSavedX(NoRecord)
    , m_nSavedY(NoRecord)
    , m_nSavedWidth(NoRecord)
    , m_nSavedHeight(NoRecord)
{
}

WImage::~WImage() = default;

void WImage::initWidget(QObject *)
{
    clearRecord();
    setImagePath("path", DefaultImage);
    setBackgroundMode(PlacedMode);
    setOpacity(1.0);
    setMaxCachedWidth(DefaultCachedWidth);
}

void WImage::destroy()
{
}

void WImage::setupFromParameter(CAttributes *)
{
}

void WImage::setCanvasItem(QQuickItem *)
{
}

bool WImage::hasTitle() const
{
    return true;
}

DPropDialog *WImage::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- picture rules

QString WImage::archivedUrl(const QString &path)
{
    QString url = path;
    if (!path.contains(QLatin1String("../")))
        UArchive::instance()->fileUrl(url);
    return url;
}

void WImage::archiveImage(XmlWriter *pWriter, const QString &path)
{
    const QString file = localImageFile(path);
    if (pWriter && !file.isEmpty())
        pWriter->archiveFilePath(file, QStringLiteral("image"));
}

double WImage::boundedOpacity(double value)
{
    if (!std::isfinite(value))
        return MinOpacity;
    return qBound(MinOpacity, value, 1.0);
}

void WImage::setImagePath(const char *name, const QString &path)
{
    if (m_pWidget)
        setWidgetProperty(name, archivedUrl(path));
}

void WImage::setOpacity(double value)
{
    if (m_pWidget)
        setWidgetProperty("imageOpacity", boundedOpacity(value));
}

// Widths beyond what the page offers would make the decoder allocate huge buffers.
void WImage::setMaxCachedWidth(int width)
{
    if (m_pWidget)
        setWidgetProperty("maxCachedImageWidth", qBound(MinCachedWidth, width, MaxCachedWidth));
}

// ---------------------------------------------------------------- background

int WImage::backgroundMode() const
{
    return m_pWidget ? widgetProperty("backgroundFillMode").toInt() : PlacedMode;
}

void WImage::clearRecord()
{
    m_nSavedX = m_nSavedY = m_nSavedWidth = m_nSavedHeight = NoRecord;
}

QRect WImage::recordedRect() const
{
    if (m_nSavedX == NoRecord)
        return QRect();
    return QRect(m_nSavedX, m_nSavedY, m_nSavedWidth, m_nSavedHeight);
}

// Only leaving placed mode records: a background's own rectangle is the
// panel's, and recording it would lose the placed one.
void WImage::setBackgroundMode(int mode)
{
    if (!m_pWidget)
        return;
    if (mode >= 0 && !isBackground()) {
        m_nSavedX = int(widgetProperty("x").toDouble());
        m_nSavedY = int(widgetProperty("y").toDouble());
        m_nSavedWidth = int(widgetProperty("width").toDouble());
        m_nSavedHeight = int(widgetProperty("height").toDouble());
    }
    setWidgetProperty("backgroundFillMode", mode);
    if (mode >= 0 || m_nSavedX == NoRecord)
        return;
    // An empty record (written by older files) keeps the panel-filling size.
    if (m_nSavedWidth > 0 && m_nSavedHeight > 0)
        setWidgetRect(QRectF(m_nSavedX, m_nSavedY, m_nSavedWidth, m_nSavedHeight));
    clearRecord();
}

QRectF WImage::geometry() const
{
    if (isBackground()) {
        qCDebug(lcWidgets) << "Returning empty bounds for image";
        return QRectF(0, 0, 0, 0);
    }
    return WWidget::geometry();
}

QRectF WImage::savedGeometry() const
{
    if (isBackground() && m_nSavedX != NoRecord)
        return recordedRect();
    return widgetRect();
}

// ---------------------------------------------------------------- settings

bool WImage::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text))
        return true;
    if (name == QLatin1String("path"))
        setImagePath("path", text);
    else if (name == QLatin1String("imagesize"))
        setWidgetProperty("imageSize", UNumbers::finiteFloat(text));
    else if (name == QLatin1String("backgroundFillMode"))
        setBackgroundMode(UNumbers::toInt(text));
    else if (name == QLatin1String("imageOpacity"))
        setOpacity(double(UNumbers::finiteFloat(text)));
    else if (name == QLatin1String("maxCachedImageWidth"))
        setMaxCachedWidth(UNumbers::toInt(text));
    else
        return false;
    return true;
}

bool WImage::save(XmlWriter *pWriter)
{
    if (!m_pWidget || !saveStart(pWriter))
        return false;
    const QString path = widgetProperty("path").toString();
    archiveImage(pWriter, path);
    pWriter->writeTextElement(QStringLiteral("path"), path);
    pWriter->writeTextElement(QStringLiteral("imagesize"), widgetProperty("imageSize").toString());
    pWriter->writeIntElement(QStringLiteral("backgroundFillMode"), backgroundMode());
    pWriter->writeFloatElement(QStringLiteral("imageOpacity"), widgetProperty("imageOpacity").toFloat());
    pWriter->writeIntElement(QStringLiteral("maxCachedImageWidth"), widgetProperty("maxCachedImageWidth").toInt());
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WImage::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::Image:
        return widgetProperty("path").toString();
    case WidgetPropertyId::BackgroundMode:
        return backgroundMode();
    case WidgetPropertyId::Opacity:
        return widgetProperty("imageOpacity").toReal();
    case WidgetPropertyId::MaxCachedWidth:
        return widgetProperty("maxCachedImageWidth").toInt();
    default:
        return WWidget::propertyValue(id);
    }
}

void WImage::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Image:
        // No file chosen keeps the picture.
        if (!value.toString().isEmpty())
            setImagePath("path", localFileUrl(value.toString()));
        break;
    case WidgetPropertyId::BackgroundMode:
        setBackgroundMode(value.toInt());
        break;
    case WidgetPropertyId::Opacity:
        setOpacity(value.toDouble());
        break;
    case WidgetPropertyId::MaxCachedWidth:
        setMaxCachedWidth(value.toInt());
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
