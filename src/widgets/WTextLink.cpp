#include "widgets/WTextLink.h"

#include "hardware/HNode.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/LogCategories.h"
#include "xml/XmlWriter.h"

#include <QDebug>

WTextLink::WTextLink(QQuickItem *pParent)
    : WButton(pParent)
    , m_nIndex(-1)
    , m_nCurrent(-1)
{
}

WTextLink::~WTextLink() = default;

void WTextLink::initWidget(QObject *)
{
}

void WTextLink::destroy()
{
    qCDebug(lcWidgets) << "";
}

void WTextLink::setCanvasItem(QQuickItem *)
{
}

bool WTextLink::hasTitle() const
{
    return true;
}

DPropDialog *WTextLink::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- binding

void WTextLink::setNode(HNode *pNode)
{
    WWidget::setNode(pNode);
    if (pNode)
        connect(pNode, &HNode::labelChangedByReload, this, &WTextLink::onLabelChangedByReload,
                Qt::UniqueConnection);
}

void WTextLink::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::labelChangedByReload, this, &WTextLink::onLabelChangedByReload);
}

void WTextLink::setTransform(TTransform *pTransform)
{
    WButton::setTransform(pTransform);
}

void WTextLink::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    if (m_pWidget && text() == oldLabel)
        setText(newLabel);
}

// ---------------------------------------------------------------- values

// The highlight follows only the device's answer.
void WTextLink::outputClicked()
{
    if (!m_pWidget || !m_pTransform || !m_pProtocol || !m_bOutputEnabled)
        return;
    m_pTransform->setValue((unsigned int)(m_nIndex));
    m_pProtocol->sendValue(m_pTransform);
}

// No hold time: every reply is taken.
void WTextLink::updateFromTransform()
{
    if (!m_pWidget || !m_pTransform)
        return;
    m_bOutputEnabled = false;
    int reply = 0;
    m_pTransform->replyValue(reply);
    m_nCurrent = reply;
    setWidgetProperty("current", m_nCurrent);
    m_bOutputEnabled = true;
}

void WTextLink::setIndex(int index)
{
    m_nIndex = index;
    setWidgetProperty("index", m_nIndex);
}

// ---------------------------------------------------------------- settings

QString WTextLink::buttonModeName() const
{
    if (!m_pWidget)
        return QString();
    return widgetProperty("buttonMode").toBool() ? tr("Button") : tr("Blank");
}

// A caption without a node is taken as it is: only "?" needs the node's
// label, and dropping the text would lose it on the next save.
bool WTextLink::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return WButton::processElement(name, text);
    if (name == QLatin1String("text")) {
        if (text != QLatin1String("?"))
            setLabelText(text);
        else if (m_pNode)
            setLabelText(m_pNode->label());
    } else if (name == QLatin1String("index")) {
        if (m_pNode)
            setIndex(m_pNode->index());
    } else if (name == QLatin1String("paramidx")) {
        bool ok = false;
        const int index = text.toInt(&ok, 10);
        setIndex(ok ? index : 0);
    } else if (name == QLatin1String("scale")) {
        setWidgetProperty("hasText", true);
        setWidgetProperty("hasImage", false);
    } else if (name == QLatin1String("buttonmode")) {
        setWidgetProperty("buttonMode", text == tr("Button"));
    } else {
        return WButton::processElement(name, text);
    }
    return true;
}

bool WTextLink::save(XmlWriter *pWriter)
{
    if (!pWriter || !m_pWidget)
        return false;
    saveStart(pWriter);
    if (widgetProperty("hasText").toBool())
        pWriter->writeTextElement(QStringLiteral("text"), text());
    pWriter->writeIntElement(QStringLiteral("paramidx"), m_nIndex);
    writeButtonElements(pWriter);
    pWriter->writeTextElement(QStringLiteral("buttonmode"), buttonModeName());
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WTextLink::propertyValue(WidgetPropertyId::Type id) const
{
    if (id == WidgetPropertyId::LinkButtonMode)
        return buttonModeName();
    return WButton::propertyValue(id);
}

void WTextLink::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    if (id == WidgetPropertyId::LinkButtonMode) {
        setWidgetProperty("buttonMode", value.toString() == tr("Button"));
        return;
    }
    WButton::setPropertyValue(id, value);
}
