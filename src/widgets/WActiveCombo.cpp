#include "widgets/WActiveCombo.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

namespace {

// The strip's smallest size on a panel.
constexpr int StripMinimumWidth = 15;
constexpr int StripMinimumHeight = 40;

} // namespace

WActiveCombo::WActiveCombo(QQuickItem *pParent)
    : WWidget(pParent)
    , m_roomNamesKey(QLatin1String(InitialKey))
    , m_sideMargins(0)
{
}

WActiveCombo::~WActiveCombo() = default;

void WActiveCombo::initWidget(QObject *)
{
}

void WActiveCombo::destroy()
{
}

void WActiveCombo::setCanvasItem(QQuickItem *)
{
}

DPropDialog *WActiveCombo::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WActiveCombo::setControl(CControl *pControl)
{
    WWidget::setControl(pControl);
    if (pControl)
        pControl->growMinimumSize(StripMinimumWidth, StripMinimumHeight);
}

// ---------------------------------------------------------------- names

// A fresh list each time: names of earlier answers must not pile up.
void WActiveCombo::updateFromTransform()
{
    if (!m_pNode)
        return;
    QStringList names;
    m_pNode->combinedRoomNames(-1, names);
    m_roomNames = names;
    const QString key = names.join(QLatin1Char(','));
    if (key == m_roomNamesKey)
        return;
    m_roomNamesKey = key;
    emit otherRoomNamesChanged();
}

void WActiveCombo::onQueryResponseReady()
{
    updateFromTransform();
}

void WActiveCombo::setNode(HNode *pNode)
{
    unbindNode();
    WWidget::setNode(pNode);
    if (pNode)
        connect(pNode, &HNode::queryResponseReady, this, &WActiveCombo::onQueryResponseReady,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
}

void WActiveCombo::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::queryResponseReady, this, &WActiveCombo::onQueryResponseReady);
}

// ---------------------------------------------------------------- settings

void WActiveCombo::setSideMargins(const QString &text)
{
    m_sideMargins = UNumbers::toInt(text);
    emit sideMarginsChanged();
}

// The shortest general form, always with a decimal point ("1.0", "0.75").
QString WActiveCombo::scaleText() const
{
    QString text = QString::number(widgetProperty("textScale").toDouble(), 'g', 6);
    if (!text.contains(QLatin1Char('.')))
        text += QLatin1String(".0");
    return text;
}

bool WActiveCombo::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("color"), colorPropertyName("textColor"));
    pWriter->writeTextElement(QStringLiteral("bordercolor"), colorPropertyName("borderColor"));
    pWriter->writeFloatElement(QStringLiteral("borderwidth"), widgetProperty("borderWidth").toFloat());
    pWriter->writeTextElement(QStringLiteral("separator"), m_separator);
    pWriter->writeIntElement(QStringLiteral("sideMargins"), m_sideMargins);
    pWriter->writeTextElement(QStringLiteral("scale"),
                              QString::number(widgetProperty("textScale").toDouble(), 'g', 6));
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WActiveCombo::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("color")) {
        setColorProperty("textColor", text);
    } else if (name == QLatin1String("scale")) {
        setWidgetProperty("textScale", UNumbers::finiteFloat(text));
    } else if (name == QLatin1String("bordercolor")) {
        setColorProperty("borderColor", text);
    } else if (name == QLatin1String("borderwidth")) {
        setWidgetProperty("borderWidth", UNumbers::finiteFloat(text));
    } else if (name == QLatin1String("separator")) {
        m_separator = text;
        emit separatorChanged();
    } else if (name == QLatin1String("sideMargins")) {
        setSideMargins(text);
    } else if (name == QLatin1String("autosize")) {
        setWidgetProperty("autoSize", text == QLatin1String("true"));
    } else {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WActiveCombo::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::Separator:
        return m_separator;
    case WidgetPropertyId::SideMargin:
        return m_sideMargins;
    case WidgetPropertyId::Scale:
        return scaleText();
    default:
        return WWidget::propertyValue(id);
    }
}

void WActiveCombo::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Separator:
        m_separator = value.toString();
        emit separatorChanged();
        break;
    case WidgetPropertyId::SideMargin:
        setSideMargins(value.toString());
        break;
    case WidgetPropertyId::Scale:
        setWidgetProperty("textScale", UNumbers::finiteFloat(value.toString()));
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
