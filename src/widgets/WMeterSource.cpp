#include "widgets/WMeterSource.h"

#include "hardware/HNode.h"
#include "model/CAttributes.h"
#include "model/CControl.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "widgets/WWidget.h"
#include "xml/XmlWriter.h"

#include <QRegularExpression>

#include <cmath>

namespace {

struct RateEntry
{
    const char *text;
    int intervalMs;
};

const RateEntry RateTable[] = {
    {"1x/s", 1000}, {"2x/s", 500}, {"3x/s", 333}, {"4x/s", 250}, {"5x/s", 200},
};

} // namespace

WMeterSource::WMeterSource(WWidget *pWidget)
    : m_pWidget(pWidget)
    , m_sMeterRate(QStringLiteral("4x/s"))
    , m_dMinimum(-60.0)
    , m_dMaximum(0.0)
    , m_dColorBreak1(-20.0)
    , m_dColorBreak2(-6.0)
    , m_nIndexOffset(0)
{
    m_pollTimer.setInterval(DefaultPollMs);
}

// ---------------------------------------------------------------- rate and poll

int WMeterSource::rateInterval(const QString &text)
{
    for (const RateEntry &entry : RateTable) {
        if (text == QLatin1String(entry.text))
            return entry.intervalMs;
    }
    return 0;
}

void WMeterSource::setRate(const QString &text)
{
    m_sMeterRate = text;
    if (const int interval = rateInterval(text))
        m_pollTimer.setInterval(interval);
}

void WMeterSource::poll() const
{
    if (!m_pWidget)
        return;
    PProtocol *pProtocol = m_pWidget->protocol();
    TTransform *pTransform = m_pWidget->transform();
    if (pProtocol && pTransform && pTransform->isLive())
        pProtocol->requestMeterStatus(pTransform);
}

double WMeterSource::levelOffset() const
{
    const HNode *pNode = m_pWidget ? m_pWidget->node() : nullptr;
    if (!pNode)
        return 0.0;
    return pNode->title().startsWith(QLatin1String("Output ")) && pNode->typeNum() == QLatin1String("2")
               ? OutputOffset
               : 0.0;
}

bool WMeterSource::readLevel(double *pLevel) const
{
    TTransform *pTransform = m_pWidget ? m_pWidget->transform() : nullptr;
    if (!pTransform)
        return false;
    float value = 0.0f;
    pTransform->replyValue(value);
    // A reply of "nan" or "inf" must not reach the drawing.
    if (!std::isfinite(value))
        return false;
    *pLevel = double(value) + levelOffset();
    return true;
}

// ---------------------------------------------------------------- binding

void WMeterSource::setupFromParameter(CAttributes *pAttributes) const
{
    if (!m_pWidget || !pAttributes || !m_pWidget->node())
        return;
    if (TTransform *pTransform = m_pWidget->transform())
        pTransform->setMeterChannelIndex(pAttributes->cardPin());
}

void WMeterSource::refresh()
{
    if (!m_pWidget)
        return;
    if (TTransform *pTransform = m_pWidget->transform()) {
        if (!m_sChannelName.isEmpty())
            pTransform->setMeterChannelName(m_sChannelName);
        pTransform->setMeterIndexOffset(m_nIndexOffset);
    }
    resolveCaption();
}

void WMeterSource::setChannelName(const QString &name)
{
    m_sChannelName = name;
    if (TTransform *pTransform = m_pWidget->transform())
        pTransform->setMeterChannelName(name);
}

void WMeterSource::resolveCaption()
{
    const HNode *pNode = m_pWidget->node();
    if (!pNode || !m_pWidget->widget())
        return;
    const QString caption = m_pWidget->text();
    const QString title = pNode->title();
    if (caption == QLatin1String("*LABEL*")) {
        m_pWidget->setLabelText(pNode->label());
    } else if (caption == QLatin1String("*CHLABEL*")) {
        const CControl *pControl = m_pWidget->control();
        const QString name = pControl ? pControl->name() : QString();
        if (title.startsWith(QLatin1String("KRXLink")) || title.startsWith(QLatin1String("DivErov"))) {
            static const QRegularExpression blanks(QStringLiteral("\\s+"));
            const QStringList words = name.split(blanks, Qt::SkipEmptyParts);
            bool ok = false;
            const int number = words.value(1).toInt(&ok, 10);
            const QString label = pNode->channelLabel(ok ? number - 1 : -1);
            // A name without a channel number names no channel: keep what is shown.
            if (label.isEmpty())
                return;
            m_pWidget->setLabelText(label);
            setChannelName(label);
        } else {
            m_pWidget->setLabelText(name);
        }
    } else if (caption == QLatin1String("*TITLE*")) {
        if (!title.contains(QLatin1String("Dante")))
            return;
        const TTransform *pTransform = m_pWidget->transform();
        const CAttributes *pAttributes = pTransform ? pTransform->attributes() : nullptr;
        const QString label = pAttributes ? pAttributes->channelLabel() : QString();
        m_pWidget->setLabelText(label);
        setChannelName(label);
    } else if (caption == QLatin1String("*USB*")) {
        m_pWidget->setLabelText(pNode->label() + QLatin1Char(' ') + pNode->portLabel(m_nIndexOffset));
    }
}

void WMeterSource::reloadLabel(const QString &oldLabel, const QString &newLabel) const
{
    if (!m_pWidget || !m_pWidget->widget())
        return;
    const QString caption = m_pWidget->text();
    if (caption == oldLabel)
        m_pWidget->setLabelText(newLabel);
    else if (!oldLabel.isEmpty() && caption.startsWith(oldLabel))
        m_pWidget->setText(newLabel + caption.mid(oldLabel.size()));
}

// ---------------------------------------------------------------- settings

bool WMeterSource::processPointElement(const QString &name, const QString &text)
{
    if (name == QLatin1String("meterRate"))
        setRate(text);
    else if (name == QLatin1String("channelName"))
        m_sChannelName = text;
    else if (name == QLatin1String("indexOffset"))
        m_nIndexOffset = UNumbers::toInt(text);
    else
        return false;
    return true;
}

bool WMeterSource::processScaleElement(const QString &name, const QString &text)
{
    double *pValue = name == QLatin1String("minimum")            ? &m_dMinimum
                     : name == QLatin1String("maximum")          ? &m_dMaximum
                     : name == QLatin1String("colorBreakValue1") ? &m_dColorBreak1
                     : name == QLatin1String("colorBreakValue2") ? &m_dColorBreak2
                                                                 : nullptr;
    if (!pValue)
        return false;
    *pValue = double(UNumbers::finiteFloat(text));
    return true;
}

void WMeterSource::writeRange(XmlWriter *pWriter) const
{
    pWriter->writeFloatElement(QStringLiteral("minimum"), float(m_dMinimum));
    pWriter->writeFloatElement(QStringLiteral("maximum"), float(m_dMaximum));
}

void WMeterSource::writeBreaks(XmlWriter *pWriter) const
{
    pWriter->writeFloatElement(QStringLiteral("colorBreakValue1"), float(m_dColorBreak1));
    pWriter->writeFloatElement(QStringLiteral("colorBreakValue2"), float(m_dColorBreak2));
}

void WMeterSource::writeRate(XmlWriter *pWriter) const
{
    pWriter->writeTextElement(QStringLiteral("meterRate"), m_sMeterRate);
}

void WMeterSource::writePoint(XmlWriter *pWriter) const
{
    if (!m_sChannelName.isEmpty())
        pWriter->writeTextElement(QStringLiteral("channelName"), m_sChannelName);
    if (m_nIndexOffset > 0)
        pWriter->writeIntElement(QStringLiteral("indexOffset"), m_nIndexOffset);
}
