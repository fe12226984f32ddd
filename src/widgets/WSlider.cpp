#include "widgets/WSlider.h"

#include "hardware/HNode.h"
#include "model/CAttributes.h"
#include "model/CControl.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "widgets/WLabel.h"
#include "xml/XmlWriter.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// Steps this small would make positions meaningless.
constexpr float SmallestStep = 0.02f;
constexpr float InitialLastValue = 1e-38f;

bool isLinkNode(const HNode *pNode)
{
    return pNode
           && (pNode->title().startsWith(QLatin1String("KRXLink"))
               || pNode->title().startsWith(QLatin1String("DivErov")));
}

// The channel index named by the second word of a control's name ("Level 3"
// gives 2); -1 when there is no such word or it is not a number.
int channelIndexOfName(const QString &name)
{
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const int number = words.size() >= 2 ? words.at(1).toInt(&ok, 10) : 0;
    return ok ? number - 1 : -1;
}

// The text a companion shows, without the faces a label wraps it in.
QString companionText(const WWidget *pWidget)
{
    if (const auto *pLabel = qobject_cast<const WLabel *>(pWidget))
        return pLabel->plainText();
    return pWidget ? pWidget->text() : QString();
}

struct NameKey
{
    const char *name;
    const char *key;
};

const NameKey ToneBands[] = {{"LOW", "low"}, {"MID", "mid"}, {"HIGH", "high"}};
const NameKey RouterLevels[] = {{"Program Level", "programLevel"},
                                {"Non-Mic Mix Level", "programMixLevel"},
                                {"Mic Mix Level", "micMixLevel"},
                                {"Master Volume", "masterVolume"},
                                {"Far End 1 Level", "teleconLevel1"}};
const NameKey CombinerLevels[] = {
    {"Input Level", "inputLevel"}, {"Background Music Level", "bgmLevel"}, {"Output Level", "level"}};

template <size_t N>
QString keyOf(const NameKey (&table)[N], const QString &name)
{
    for (const NameKey &entry : table) {
        if (name == QLatin1String(entry.name))
            return QLatin1String(entry.key);
    }
    return QString();
}

} // namespace

WSlider::WSlider(QQuickItem *pParent)
    : WWidget(pParent)
    , m_fStep(1.0f)
    , m_fLastValue(InitialLastValue)
    , m_fMinPosition(0.0f)
    , m_fMaxPosition(0.0f)
    , m_bPercent(false)
    , m_fRotation(0.0f)
    , m_fPendingValue(NothingPending)
    , m_nPendingPosition(0)
    , m_bSendNeeded(true)
    , m_bDizoZuControl(false)
    , m_bValueInitialized(false)
    , m_fUpperLimit(12.0f)
    , m_fLowerLimit(-60.5f)
{
    m_sendDelayTimer.setInterval(SendDelay);
    m_sendDelayTimer.setSingleShot(true);
    connect(&m_sendDelayTimer, &QTimer::timeout, this, &WSlider::onSendDelayTimerTimeout);
}

WSlider::~WSlider() = default;

void WSlider::initWidget(QObject *)
{
}

void WSlider::destroy()
{
}

void WSlider::setCanvasItem(QQuickItem *)
{
}

bool WSlider::hasAttributes() const
{
    return true;
}

void WSlider::storeAttributes(CAttributes *)
{
}

bool WSlider::hasTitle() const
{
    return true;
}

DPropDialog *WSlider::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

bool WSlider::isType(const QString &type) const
{
    return !m_sType.isEmpty() && type.contains(m_sType);
}

QString WSlider::chassisName() const
{
    return m_pNode ? m_pNode->chassisName() : QString();
}

CAttributes *WSlider::binding() const
{
    return m_pControl ? &m_pControl->attributes() : nullptr;
}

// ---------------------------------------------------------------- binding

void WSlider::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    if (!pNode)
        return;
    m_bDizoZuControl = pNode->title() == QLatin1String("Tone EQ") || pNode->title() == QLatin1String("DizoZU");
    emit isDizoZuControlChanged();
}

void WSlider::setTransform(TTransform *pTransform)
{
    if (m_pTransform)
        disconnect(m_pTransform, &TTransform::replyValueReady, this, &WSlider::updateFromTransform);
    WWidget::setTransform(pTransform);
    if (pTransform)
        connect(pTransform, &TTransform::replyValueReady, this, &WSlider::updateFromTransform,
                Qt::UniqueConnection);
}

void WSlider::setupFromParameter(CAttributes *pAttributes)
{
    if (!m_pWidget || !pAttributes)
        return;
    const float step = pAttributes->step();
    m_fStep = (std::isfinite(step) && step >= SmallestStep) ? step : 1.0f;
    m_fLowerLimit = pAttributes->minimum();
    m_fUpperLimit = pAttributes->maximum();
    if (!m_bValueInitialized)
        readNodeLimits(pAttributes);

    m_bOutputEnabled = false;
    m_fMinPosition = pAttributes->minimum() / m_fStep;
    m_fMaxPosition = pAttributes->maximum() / m_fStep;
    // The last value is in units, the range in positions.
    const float lastPosition = m_fLastValue / m_fStep;
    if (lastPosition < m_fMinPosition || lastPosition > m_fMaxPosition)
        m_fLastValue = m_fMaxPosition * m_fStep;
    if (!m_bValueInitialized) {
        setPosition(m_fLastValue / m_fStep);
        m_bValueInitialized = true;
    }
    m_bOutputEnabled = true;

    if (pAttributes->units() == QLatin1String("pct")) {
        m_bPercent = true;
        pAttributes->setFractionDigits(0);
    }
    setWidgetProperty("maximumValue", m_fMaxPosition);
    setWidgetProperty("minimumValue", m_fMinPosition);
    setWidgetProperty("bipolar", -m_fMaxPosition == m_fMinPosition);
}

// Some blocks give the range a level may be set to as "upper,lower" under a
// key that depends on the block and on the control.
void WSlider::readNodeLimits(CAttributes *pAttributes)
{
    if (!m_pNode)
        return;
    const QString title = m_pNode->title();
    float upper = m_fUpperLimit;
    float lower = m_fLowerLimit;
    if (title == QLatin1String("Group")) {
        upper = UNumbers::finiteFloat(m_pNode->levelMaximum());
        lower = -60.0f;
    } else if (title == QLatin1String("DivErov") || title == QLatin1String("KRXLink")
               || title == QLatin1String("Tone EQ") || title == QLatin1String("DizoZU")
               || title == QLatin1String("Conference Room Router")
               || title == QLatin1String("Standard Room Combiner")) {
        const QString key = nodeLimitKey(pAttributes);
        const QStringList parts = key.isEmpty() ? QStringList() : m_pNode->ranges().value(key).split(QLatin1Char(','));
        if (parts.size() < 2)
            return;
        upper = UNumbers::finiteFloat(parts.at(0));
        lower = UNumbers::finiteFloat(parts.at(1));
    } else {
        upper = UNumbers::finiteFloat(m_pNode->levelMaximum());
        lower = UNumbers::finiteFloat(m_pNode->levelMinimum());
    }
    m_fUpperLimit = upper;
    m_fLowerLimit = lower;
    if (upper != lower) {
        pAttributes->setMaxLimit(upper);
        pAttributes->setMinLimit(lower);
    }
}

QString WSlider::nodeLimitKey(const CAttributes *pAttributes) const
{
    const QString title = m_pNode->title();
    if (title == QLatin1String("DivErov") || title == QLatin1String("KRXLink")) {
        const QString &label = pAttributes->channelLabel();
        const QRegularExpressionMatch digit = QRegularExpression(QStringLiteral("[0-9]")).match(label);
        if (digit.hasMatch())
            return QStringLiteral("level") + digit.captured();
        // A label without a digit is looked up among the node's channels.
        const int index = label.isEmpty() ? -1 : m_pNode->channelIndexOfLabel(label);
        return index < 0 ? QString() : QStringLiteral("level") + QString::number(index + 1);
    }
    if (!m_pControl)
        return QString();
    if (title == QLatin1String("Tone EQ") || title == QLatin1String("DizoZU"))
        return keyOf(ToneBands, companionText(m_pControl->findWidget(QStringLiteral("label"))));
    if (title == QLatin1String("Conference Room Router"))
        return keyOf(RouterLevels, m_pControl->name());
    return keyOf(CombinerLevels, m_pControl->name());
}

// ---------------------------------------------------------------- values out

void WSlider::setIsSendNeeded(bool state)
{
    m_bSendNeeded = state;
}

// Only the latest position of a burst goes out, once per delay period.
void WSlider::outputValue(int value)
{
    if (m_bUpdating)
        return;
    const float units = float(value) * m_fStep;
    if (units == m_fLastValue) {
        // Back where the device already is: a move still waiting is stale.
        m_fPendingValue = NothingPending;
        return;
    }
    m_fPendingValue = units;
    m_nPendingPosition = value;
    if (!m_sendDelayTimer.isActive())
        m_sendDelayTimer.start();
}

void WSlider::onSendDelayTimerTimeout()
{
    if (m_fPendingValue == NothingPending || m_bUpdating)
        return;
    m_fLastValue = m_fPendingValue;
    if (m_pTransform && m_pProtocol && m_bOutputEnabled) {
        m_pTransform->setValue(m_fLastValue);
        m_pTransform->setDisplayValue(displayValue(float(m_nPendingPosition)));
        if (m_bSendNeeded) {
            m_pProtocol->sendValue(m_pTransform);
            if (m_pLinkedWidget)
                m_pLinkedWidget->linkValue(this);
        }
    }
    m_fPendingValue = NothingPending;
}

float WSlider::displayValue(float position) const
{
    if (!m_bPercent)
        return position * m_fStep;
    const float range = m_fMaxPosition - m_fMinPosition;
    return range != 0.0f ? (position - m_fMinPosition) * 100.0f / range : 0.0f;
}

void WSlider::setPosition(float position)
{
    if (!std::isfinite(position))
        return;
    long rounded = std::lround(position);
    const float low = std::ceil(m_fMinPosition);
    const float high = std::floor(m_fMaxPosition);
    if (low <= high)
        rounded = long(qBound(low, float(rounded), high));
    setWidgetProperty("value", int(rounded));
}

// ---------------------------------------------------------------- values in

// Written with the output guard up, so the knob move does not go out again.
void WSlider::updateFromTransform()
{
    if (!m_pTransform)
        return;
    // A move of the user's waits for its send: what comes in now is older.
    // Placing it would have QML cancel the send and leave the knob behind.
    if (m_fPendingValue != NothingPending)
        return;
    float reply = 0.0f;
    m_pTransform->replyValue(reply);
    float position = reply / m_fStep;
    position = qMax(m_fMinPosition, qMin(position, m_fMaxPosition));
    m_pTransform->setDisplayValue(displayValue(position));
    m_bOutputEnabled = false;
    if (m_pProtocol && m_pProtocol->isSubscribed())
        m_bSendNeeded = false;
    m_bUpdating = true;
    setPosition(position);
    m_bUpdating = false;
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(this);
    m_bOutputEnabled = true;
}

void WSlider::linkValue(WWidget *pSource)
{
    if (pSource == this || !m_pTransform)
        return;
    float value = 0.0f;
    m_pTransform->value(value);
    if (value == m_fLastValue)
        return;
    if (m_pWidget) {
        m_bUpdating = true;
        setPosition(value / m_fStep);
        m_bUpdating = false;
        m_fLastValue = value;
    }
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(pSource);
}

void WSlider::refresh()
{
    if (m_pLinkedWidget && m_pTransform) {
        m_pTransform->setValue(m_fLastValue);
        m_pTransform->setDisplayValue(displayValue(m_fLastValue / m_fStep));
        m_pLinkedWidget->linkValue(this);
    }
    fillLabelPlaceholders();
}

bool WSlider::hasChannelNode() const
{
    return isLinkNode(m_pNode);
}

QString WSlider::channelLabelOfName() const
{
    if (!m_pNode || !m_pControl)
        return QString();
    return m_pNode->channelLabel(channelIndexOfName(m_pControl->name()));
}

void WSlider::fillLabelPlaceholders()
{
    WWidget *pLabel = m_pControl ? m_pControl->findWidget(QStringLiteral("label")) : nullptr;
    if (!pLabel)
        return;
    static const QString LabelMark = QStringLiteral("*LABEL*");
    const QString text = pLabel->text();
    if (text == LabelMark) {
        pLabel->setLabelText(m_pControl->nodeName());
    } else if (text.startsWith(LabelMark)) {
        pLabel->setLabelText(QString(text).replace(LabelMark, m_pControl->nodeName()));
    } else if (text == QLatin1String("*TITLE*")) {
        if (!m_pNode)
            pLabel->setLabelText(m_pControl->name());
        else if (isLinkNode(m_pNode))
            pLabel->setLabelText(m_pNode->channelLabel(channelIndexOfName(m_pControl->name())));
    }
}

// ---------------------------------------------------------------- settings

bool WSlider::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("orient"), QStringLiteral("vertical"));
    pWriter->writeTextElement(QStringLiteral("knobcolor"), colorPropertyName("knobColor"));
    if (m_fRotation != 0.0f)
        pWriter->writeTextElement(QStringLiteral("rotation"), QString::number(double(m_fRotation), 'g', 6));
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WSlider::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("orient"))
        return true;
    if (name == QLatin1String("knobcolor")) {
        setColorProperty("knobColor", text);
        return true;
    }
    if (name == QLatin1String("rotation")) {
        bool ok = false;
        const int angle = text.toInt(&ok, 10);
        m_fRotation = ok ? float(angle) : 0.0f;
        setWidgetProperty("rotation", m_fRotation);
        if (angle == 90 && m_pControl)
            m_pControl->setHorizontal(true);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- property ids

QVariant WSlider::propertyValue(WidgetPropertyId::Type id) const
{
    const CAttributes *pBinding = binding();
    switch (id) {
    case WidgetPropertyId::Minimum:
        return pBinding ? QString::number(double(pBinding->minimum()), 'g', 6) : QString();
    case WidgetPropertyId::Maximum:
        return pBinding ? QString::number(double(pBinding->maximum()), 'g', 6) : QString();
    case WidgetPropertyId::Units:
        return m_bPercent ? tr("Percent") : tr("dB");
    case WidgetPropertyId::KnobColor:
        return widgetProperty("knobColor");
    case WidgetPropertyId::Rotation:
        return widgetProperty("rotation");
    default:
        return WWidget::propertyValue(id);
    }
}

void WSlider::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Minimum:
        editMinimum(value);
        break;
    case WidgetPropertyId::Maximum:
        editMaximum(value);
        break;
    case WidgetPropertyId::Units:
        editUnits(value);
        break;
    case WidgetPropertyId::KnobColor:
        setWidgetProperty("knobColor", value);
        break;
    case WidgetPropertyId::Rotation:
        editRotation(value);
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}

// A new minimum must lie within the limits and below the maximum; anything
// else (a text that is no number included) changes nothing.
void WSlider::editMinimum(const QVariant &value)
{
    CAttributes *pBinding = binding();
    if (!pBinding || !m_pWidget)
        return;
    bool ok = false;
    const float minimum = UNumbers::finiteFloat(value.toString(), &ok);
    if (ok && minimum >= m_fLowerLimit && minimum <= m_fUpperLimit && minimum < pBinding->maximum()) {
        m_fMinPosition = minimum / m_fStep;
        setWidgetProperty("minimumValue", m_fMinPosition);
        pBinding->setMinimum(minimum);
        m_bOutputEnabled = false;
        if (minimum > m_fLastValue) {
            m_fLastValue = m_fMaxPosition * m_fStep;
            setPosition(m_fMaxPosition);
        }
        m_bOutputEnabled = true;
    }
    refresh();
}

void WSlider::editMaximum(const QVariant &value)
{
    CAttributes *pBinding = binding();
    if (!pBinding || !m_pWidget)
        return;
    bool ok = false;
    const float maximum = UNumbers::finiteFloat(value.toString(), &ok);
    if (ok && maximum >= m_fLowerLimit && maximum <= m_fUpperLimit && maximum > pBinding->minimum()) {
        m_fMaxPosition = maximum / m_fStep;
        setWidgetProperty("maximumValue", m_fMaxPosition);
        pBinding->setMaximum(maximum);
        m_bOutputEnabled = false;
        const float lastPosition = m_fLastValue / m_fStep;
        if (lastPosition < m_fMinPosition || lastPosition > m_fMaxPosition)
            m_fLastValue = m_fMaxPosition * m_fStep;
        setPosition(m_fLastValue / m_fStep);
        m_bOutputEnabled = true;
    }
    refresh();
}

void WSlider::editUnits(const QVariant &value)
{
    m_bPercent = value.toString() == tr("Percent");
    CAttributes *pBinding = binding();
    if (!pBinding)
        return;
    // The units first: the transform reads them when it takes the decimals.
    pBinding->setUnits(m_bPercent ? QStringLiteral("pct") : QString());
    pBinding->setFractionDigits(m_bPercent ? 0 : 1);
    refresh();
}

void WSlider::editRotation(const QVariant &value)
{
    m_fRotation = float(value.toInt());
    layoutCompanions();
    setWidgetProperty("rotation", m_fRotation);
}

// Turns the control about its frame's centre: the frame swaps its sides and
// the fader, value text and caption take their places for the orientation.
void WSlider::layoutCompanions()
{
    if (!m_pControl)
        return;
    WWidget *pLabel = m_pControl->findWidget(QStringLiteral("label"));
    WWidget *pFader = m_pControl->findWidget(QStringLiteral("slider"));
    WWidget *pText = m_pControl->findWidget(QStringLiteral("textedit"));
    WWidget *pFrame = m_pControl->findWidget(QStringLiteral("frame"));
    if (!pLabel || !pFader || !pText || !pFrame)
        return;
    const QRectF frame = pFrame->widgetRect();
    const QRectF label = pLabel->widgetRect();
    const qreal nx = frame.x() + frame.width() / 2 - frame.height() / 2;
    const qreal ny = frame.y() + frame.height() / 2 - frame.width() / 2;
    const qreal cx = frame.x() + frame.width() / 2;
    const qreal sw = pFader->widgetRect().width();
    const qreal sh = pFader->widgetRect().height();
    const qreal tw = pText->widgetRect().width();
    const qreal th = pText->widgetRect().height();
    const qreal lw = label.width();
    const qreal lh = label.height();
    pFrame->setWidgetRect(QRectF(nx, ny, frame.height(), frame.width()));
    if (m_fRotation != 0.0f) {
        pFader->setWidgetRect(QRectF(nx, ny + lh, sh, sw));
        pText->setWidgetRect(QRectF(nx + sh, ny + lh + sw / 2 - th / 2, sh / 9, th));
        pLabel->setWidgetRect(QRectF(label.x(), ny + lh - sw, lw, lh));
        pFrame->setWidgetRect(QRectF(nx, ny + lh - sw, tw + sh, 1.2 * (lh + sw)));
        m_pControl->setHorizontal(true);
        pFader->setFractions(0, 0.5, 0.9, 0.5);
        pText->setFractions(0.9, 0.476, 0.1, 0.465);
        pLabel->setFractions(0.4, 0, 0.2, 0.5);
    } else {
        pFader->setWidgetRect(QRectF(cx - sh / 2, ny + lh + th, sh, sw));
        pText->setWidgetRect(QRectF(cx - tw / 2, ny + lh, tw, th));
        pLabel->setWidgetRect(QRectF(cx - lw / 2, ny, lw, lh));
        pFrame->setWidgetRect(QRectF(nx, ny, qMax(lw, qMax(tw, sh)), lh + th + 1.07 * sw));
        m_pControl->setHorizontal(false);
        pFader->setFractions(0.25, 0.16, 0.5, 0.8);
        pText->setFractions(0.1, 0.08, 0.8, 0.08);
        pLabel->setFractions(0, 0, 1, 0.08);
    }
}
