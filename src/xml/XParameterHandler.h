#pragma once

#include "xml/XmlHandler.h"

#include <QList>
#include <QString>

class CParameter;

// Reads a parameter template: one CParameter per "parameter" element, its
// "text" and "type" children giving the name and the control type.
class XParameterHandler : public XmlHandler
{
public:
    XParameterHandler();
    ~XParameterHandler() override;

    // The list the parameters are appended to (not owned); without one the
    // parameters read are dropped.
    void setTargetList(QList<CParameter *> *pList) { m_pList = pList; }

    bool startDocument() override;
    bool endDocument() override;
    bool startElement(const QString &namespaceURI, const QString &localName,
                      const QString &qName, const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    bool processingInstruction(const QString &target, const QString &data) override;

private:
    void flushText();

    QList<CParameter *> *m_pList = nullptr;
    CParameter *m_pCurrent = nullptr;
    QString m_sText;          // text of the open field element, in pieces as it comes
    bool m_bHasText = false;  // the open field element delivered text
};
