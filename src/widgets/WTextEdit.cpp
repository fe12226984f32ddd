#include "widgets/WTextEdit.h"

#include "model/CAttributes.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "xml/XmlWriter.h"

WTextEdit::WTextEdit(QQuickItem *pParent)
    : WWidget(pParent)
    , m_nDecimals(0)
{
}

WTextEdit::~WTextEdit() = default;

void WTextEdit::initWidget(QObject *)
{
}

void WTextEdit::destroy()
{
}

void WTextEdit::setCanvasItem(QQuickItem *)
{
}

void WTextEdit::setupFromParameter(CAttributes *pAttributes)
{
    if (!m_pWidget || !pAttributes)
        return;
    m_sFormat = pAttributes->format();
    m_nDecimals = pAttributes->fractionDigits();
}

bool WTextEdit::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WTextEdit::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    return processRect(name, text) || processIdLink(name, text) || processFract(name, text);
}

// Shows the display text of the value the source sent or received; the same
// text again leaves the item alone. A ring of links ends at its source.
void WTextEdit::linkValue(WWidget *pSource)
{
    if (pSource == this || !m_pTransform)
        return;
    const QString display = m_pTransform->displayText();
    if (display == m_sLastText)
        return;
    if (m_pWidget) {
        m_bUpdating = true;
        setText(display);
        m_bUpdating = false;
        m_sLastText = display;
    }
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(pSource);
}

void WTextEdit::onTextChanged()
{
    if (m_bUpdating)
        return;
    const QString current = text();
    if (current != m_sLastText) {
        if (isOutputAllowed()) {
            m_pTransform->setValueText(current);
            m_pProtocol->sendValue(m_pTransform);
        }
        m_sLastText = current;
    }
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(this);
}

void WTextEdit::outputCurrentText(const QString &text)
{
    if (text != m_sLastText)
        m_sLastText = text;
    if (m_pLinkedWidget)
        m_pLinkedWidget->linkValue(this);
}
