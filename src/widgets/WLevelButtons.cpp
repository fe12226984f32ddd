#include "widgets/WLevelButtons.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <cmath>

WLevelButtons::WLevelButtons(QQuickItem *pParent)
    : WSlider(pParent)
{
}

WLevelButtons::~WLevelButtons() = default;

bool WLevelButtons::isType(const QString &type) const
{
    return WSlider::isType(type);
}

DPropDialog *WLevelButtons::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WLevelButtons::linkValue(WWidget *pSource)
{
    WSlider::linkValue(pSource);
}

// ---------------------------------------------------------------- binding

void WLevelButtons::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    if (pNode)
        connect(pNode, &HNode::labelChangedByReload, this, &WLevelButtons::onLabelChangedByReload,
                Qt::UniqueConnection);
}

void WLevelButtons::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::labelChangedByReload, this, &WLevelButtons::onLabelChangedByReload);
}

void WLevelButtons::setTransform(TTransform *pTransform)
{
    WSlider::setTransform(pTransform);
}

void WLevelButtons::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    const QString caption = text();
    if (!m_pWidget || oldLabel.isEmpty() || !caption.startsWith(oldLabel))
        return;
    setText(newLabel + caption.mid(oldLabel.size()));
}

// ---------------------------------------------------------------- values

QString WLevelButtons::valueText(float position) const
{
    if (m_bPercent)
        return QString::number(std::lround(displayValue(position))) + QLatin1Char('%');
    return QString::number(double(displayValue(position)), 'f', 1);
}

float WLevelButtons::showValue(float position)
{
    setWidgetProperty("valueText", valueText(position));
    return displayValue(position);
}

// Every step goes out, also one that stays at the bound.
void WLevelButtons::outputValue(int value)
{
    if (m_bUpdating)
        return;
    m_nPendingPosition = value;
    m_fPendingValue = float(value) * m_fStep;
    m_fLastValue = m_fPendingValue;
    if (m_pTransform && m_pProtocol && m_bOutputEnabled) {
        m_pTransform->setValue(m_fLastValue);
        m_pTransform->setDisplayValue(showValue(float(m_nPendingPosition)));
        m_pProtocol->sendValue(m_pTransform);
        if (m_pLinkedWidget)
            m_pLinkedWidget->linkValue(this);
    }
    m_fPendingValue = NothingPending;
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(this);
}

void WLevelButtons::updateFromTransform()
{
    if (!m_pTransform)
        return;
    float reply = 0.0f;
    m_pTransform->replyValue(reply);
    const float position = qMax(m_fMinPosition, qMin(reply / m_fStep, m_fMaxPosition));
    m_pTransform->setDisplayValue(showValue(position));
    m_bOutputEnabled = false;
    m_bUpdating = true;
    setPosition(position);
    m_bUpdating = false;
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(this);
    m_bOutputEnabled = true;
}

void WLevelButtons::refresh()
{
    if (m_pLinkedWidget && m_pTransform) {
        m_pTransform->setValue(m_fLastValue);
        m_pTransform->setDisplayValue(showValue(m_fLastValue / m_fStep));
        m_pLinkedWidget->linkValue(this);
    }
    fillCaptionPlaceholders();
    showValue(m_fLastValue / m_fStep);
}

void WLevelButtons::fillCaptionPlaceholders()
{
    if (!m_pControl || !m_pWidget)
        return;
    static const QString LabelMark = QStringLiteral("*LABEL*");
    const QString caption = text();
    if (caption == LabelMark) {
        if (hasChannelNode())
            setText(channelLabelOfName());
        else if (m_pNode)
            setText(m_pControl->nodeName());
    } else if (caption.startsWith(LabelMark)) {
        setText(QString(caption).replace(LabelMark, m_pControl->nodeName()));
    } else if (caption == QLatin1String("*TITLE*")) {
        if (!m_pNode)
            setText(m_pControl->name());
        else if (hasChannelNode())
            setText(channelLabelOfName());
    }
}

// ---------------------------------------------------------------- settings

bool WLevelButtons::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("knobcolor"), colorPropertyName("knobColor"));
    pWriter->writeTextElement(QStringLiteral("text"), text());
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    pWriter->writeIntElement(QStringLiteral("isCircularEnabled"), widgetProperty("isCircularEnabled").toBool() ? 1 : 0);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WLevelButtons::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("knobcolor"))
        setColorProperty("knobColor", text);
    else if (name == QLatin1String("text"))
        setText(text);
    else if (name == QLatin1String("hasBorder"))
        setWidgetProperty("hasBorder", UNumbers::toInt(text) != 0);
    else if (name == QLatin1String("isCircularEnabled"))
        setWidgetProperty("isCircularEnabled", UNumbers::toInt(text) != 0);
    else
        return false;
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WLevelButtons::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::Minimum:
    case WidgetPropertyId::Maximum:
    case WidgetPropertyId::Units:
    case WidgetPropertyId::KnobColor:
        return WSlider::propertyValue(id);
    case WidgetPropertyId::LevelButtonType:
        return widgetProperty("isCircularEnabled");
    default:
        return WWidget::propertyValue(id);
    }
}

// The range edits are the fader's: the same conversion between units and
// positions, the same refusal of a minimum not below the maximum.
void WLevelButtons::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Minimum:
    case WidgetPropertyId::Maximum:
    case WidgetPropertyId::Units:
    case WidgetPropertyId::KnobColor:
        WSlider::setPropertyValue(id, value);
        break;
    case WidgetPropertyId::LevelButtonType:
        setWidgetProperty("isCircularEnabled", value.toInt() != 0);
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
