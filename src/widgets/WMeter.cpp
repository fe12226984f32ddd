#include "widgets/WMeter.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QtGlobal>


WMeter::WMeter(QQuickItem *pParent)
    : WWidget(pParent)
    , m_source(this)
    , m_dPeak(-60.0)
    , m_dPeakFall(0.0)
    , m_dPeakHold(4.0)
    , m_sUnitsText(QStringLiteral("dBFS"))
    , m_bOnline(false)
{
    m_peakTimer.setInterval(PeakFallMs);
    connect(&m_peakTimer, &QTimer::timeout, this, &WMeter::onSendDelayTimerTimeout);
    m_source.connectPoll(this);
}

WMeter::~WMeter() = default;

// ---------------------------------------------------------------- binding

void WMeter::setupFromParameter(CAttributes *pAttributes)
{
    m_source.setupFromParameter(pAttributes);
}

void WMeter::refresh()
{
    m_source.refresh();
}

void WMeter::setLabelText(const QString &text)
{
    if (m_pWidget)
        setWidgetProperty("text", text);
}

void WMeter::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    WMeterSource::connectNode(pNode, this);
}

void WMeter::unbindNode()
{
    WMeterSource::disconnectNode(m_pNode, this);
}

void WMeter::setTransform(TTransform *pTransform)
{
    WWidget::setTransform(pTransform);
    WMeterSource::connectTransform(pTransform, this);
}

void WMeter::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    m_source.reloadLabel(oldLabel, newLabel);
}

DPropDialog *WMeter::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- polling

void WMeter::onGetStatusTimerTimeout()
{
    m_source.poll();
}

void WMeter::onOnlineStateChanged(bool online)
{
    if (online) {
        m_bOnline = true;
        // A meter on a panel not on show waits until it is shown.
        if (widgetProperty("visible").toBool())
            m_source.pollTimer().start();
        return;
    }
    // The poll timer runs on: polls send nothing while the protocol is offline.
    unlight();
    setWidgetProperty("isPeakEnabled", false);
    setWidgetProperty("peakLevelPoint", 0.0);
    m_dPeak = m_source.minimum();
}

// A hidden panel's meters stop polling; shown again they poll at once.
void WMeter::setWidgetVisible(bool visible)
{
    WWidget::setWidgetVisible(visible);
    if (!m_bOnline)
        return;
    if (!visible) {
        m_source.pollTimer().stop();
        return;
    }
    m_source.poll();
    m_source.pollTimer().start();
}

// ---------------------------------------------------------------- levels

double WMeter::fraction(double level) const
{
    const double span = range();
    return span > 0.0 ? (level - m_source.minimum()) / span : 0.0;
}

void WMeter::updateFromTransform()
{
    double level = 0.0;
    if (!m_source.readLevel(&level))
        return;
    m_bOutputEnabled = false;
    takePeak(level);
    if (range() > 0.0) {
        const double point = qBound(0.0, (m_dPeak - m_source.minimum() - 0.1) / range(), 1.0);
        setWidgetProperty("isPeakEnabled", true);
        setWidgetProperty("peakLevelPoint", point);
    } else {
        setWidgetProperty("isPeakEnabled", false);
    }
    m_peakTimer.start(PeakFallMs);
    showBands(level);
    m_bOutputEnabled = true;
}

// A new peak is held for PeakHoldUpdates + 1 smaller updates, then falls by
// PeakFallStep on each further one until a reply reaches it again.
void WMeter::takePeak(double level)
{
    bool take = level >= m_dPeak;
    if (!take) {
        m_dPeak -= m_dPeakFall;
        take = level > m_dPeak;
        if (!take) {
            if (m_dPeakHold > 0.0)
                m_dPeakHold -= 1.0;
            else
                m_dPeakFall = PeakFallStep;
        }
    }
    if (take) {
        m_dPeak = level;
        m_dPeakFall = 0.0;
        m_dPeakHold = PeakHoldUpdates;
    }
}

void WMeter::unlight()
{
    for (const char *name : {"colorAtPoint1", "colorAtPoint2", "colorAtPoint3"})
        setWidgetProperty(name, QString(UnlitColor));
}

// Levels and breaks are drawn inside the scale, so no band reaches past the bar.
void WMeter::showBands(double level)
{
    const double minimum = m_source.minimum();
    const double maximum = m_source.maximum();
    const double span = range();
    if (!(span > 0.0) || level <= minimum) {
        unlight();
        return;
    }
    const double t = qMin(level, maximum);
    const double b1 = qBound(minimum, m_source.colorBreak1(), maximum);
    const double b2 = qBound(b1, m_source.colorBreak2(), maximum);
    setWidgetProperty("colorAtPoint1", QString(LowColor));
    if (t <= b1) {
        setWidgetProperty("colorAtPoint2", QString(UnlitColor));
        setWidgetProperty("colorAtPoint3", QString(UnlitColor));
        setWidgetProperty("colorStopPoint1", (t - minimum) / span);
        return;
    }
    setWidgetProperty("colorAtPoint2", QString(MiddleColor));
    setWidgetProperty("colorStopPoint1", (b1 - minimum) / span);
    if (t <= b2) {
        setWidgetProperty("colorAtPoint3", QString(UnlitColor));
        setWidgetProperty("colorStopPoint2", (t - b1) / span);
        setWidgetProperty("colorStopPoint3", (maximum - b2) / span);
        return;
    }
    setWidgetProperty("colorAtPoint3", QString(HighColor));
    setWidgetProperty("colorStopPoint2", (b2 - b1) / span);
    setWidgetProperty("colorStopPoint3", (t - b2) / span);
}

// Without updates the peak line steps down by 1 every PeakFallMs.
void WMeter::onSendDelayTimerTimeout()
{
    const double span = range();
    if (!(span > 0.0) || !m_pWidget)
        return;
    const double minimum = m_source.minimum();
    const double level = widgetProperty("peakLevelPoint").toDouble() * span + minimum - 1.0;
    if (level < minimum - 1.0 || level > m_source.maximum())
        return;
    m_dPeak = level;
    setWidgetProperty("peakLevelPoint", qBound(0.0, fraction(level), 1.0));
}

void WMeter::setMarkerLevel(double level)
{
    const double clamped = qMin(qMax(level, m_source.minimum()), m_source.maximum());
    setWidgetProperty("markerLevelPoint", range() > 0.0 ? fraction(clamped) : 0.0);
}

double WMeter::markerLevel() const
{
    return widgetProperty("markerLevelPoint").toDouble() * range() + m_source.minimum();
}

// ---------------------------------------------------------------- settings

bool WMeter::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("text")) {
        QString caption = text;
        if (m_pControl)
            caption.replace(QLatin1String("*LABEL*"), m_pControl->nodeName());
        setWidgetProperty("text", caption);
    } else if (name == QLatin1String("color")) {
        setColorProperty("textColor", text);
    } else if (name == QLatin1String("markerLevelPoint")) {
        setWidgetProperty("isMarkerEnabled", true);
        setMarkerLevel(double(UNumbers::finiteFloat(text)));
    } else if (m_source.processPointElement(name, text)) {
        return true;
    } else if (name == QLatin1String("unitsText")) {
        m_sUnitsText = text;
        emit unitsTextChanged();
    } else if (!m_pNode || !m_source.processScaleElement(name, text)) {
        // An unbound meter keeps the default scale and breaks.
        return false;
    } else if (name == QLatin1String("minimum")) {
        emit minimumChanged();
        m_dPeak = m_source.minimum();
    } else if (name == QLatin1String("maximum")) {
        emit maximumChanged();
    }
    return true;
}

bool WMeter::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("text"), text());
    pWriter->writeTextElement(QStringLiteral("color"), colorPropertyName("textColor"));
    m_source.writeRange(pWriter);
    m_source.writeBreaks(pWriter);
    pWriter->writeTextElement(QStringLiteral("unitsText"), m_sUnitsText);
    if (widgetProperty("isMarkerEnabled").toBool())
        pWriter->writeFloatElement(QStringLiteral("markerLevelPoint"), float(markerLevel()));
    m_source.writeRate(pWriter);
    m_source.writePoint(pWriter);
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WMeter::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::MarkerEnabled:
        return widgetProperty("isMarkerEnabled").toBool();
    case WidgetPropertyId::MarkerLevel:
        return float(markerLevel());
    case WidgetPropertyId::MeterRate:
        return m_source.rate();
    default:
        return WWidget::propertyValue(id);
    }
}

void WMeter::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::MarkerEnabled:
        setWidgetProperty("isMarkerEnabled", value.toBool());
        break;
    case WidgetPropertyId::MarkerLevel: {
        const float level = value.toFloat();
        setMarkerLevel(qIsFinite(level) ? double(level) : 0.0);
        break;
    }
    case WidgetPropertyId::MeterRate:
        m_source.setRate(value.toString());
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
