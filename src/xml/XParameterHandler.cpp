#include "xml/XParameterHandler.h"

#include "hardware/CParameter.h"

namespace {
const QString kParameter = QStringLiteral("parameter");
}

XParameterHandler::XParameterHandler() = default;

XParameterHandler::~XParameterHandler()
{
    // A parameter left open by a broken template never reached the list.
    delete m_pCurrent;
}

bool XParameterHandler::startDocument()
{
    m_bInSection = false;
    m_nDepth = 0;
    return true;
}

bool XParameterHandler::endDocument()
{
    return true;
}

bool XParameterHandler::startElement(const QString &, const QString &localName, const QString &,
                                     const QXmlAttributes &)
{
    flushText();
    pushElement(localName);
    if (localName == kParameter) {
        m_bInSection = true;
        m_sSection = kParameter;
        delete m_pCurrent;
        m_pCurrent = new CParameter;
    }
    return true;
}

bool XParameterHandler::characters(const QString &text)
{
    // Only direct children of the parameter element carry its fields.
    if (m_bInSection && m_pCurrent && parentElement() == m_sSection) {
        m_sText += text;
        m_bHasText = true;
    }
    return true;
}

bool XParameterHandler::endElement(const QString &, const QString &localName, const QString &)
{
    flushText();
    popElement();
    if (m_bInSection && localName == m_sSection) {
        if (m_pCurrent && m_pList)
            m_pList->append(m_pCurrent);
        else
            delete m_pCurrent;
        m_pCurrent = nullptr;
        m_bInSection = false;
    }
    return true;
}

bool XParameterHandler::processingInstruction(const QString &, const QString &)
{
    return true;
}

// Hands the text gathered for the open field element to the parameter.
void XParameterHandler::flushText()
{
    if (m_bHasText && m_pCurrent && m_bInSection && parentElement() == m_sSection)
        m_pCurrent->setAttribute(currentElement(), m_sText.simplified());
    m_sText.clear();
    m_bHasText = false;
}
