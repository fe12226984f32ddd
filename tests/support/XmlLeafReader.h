#pragma once

#include "xml/XmlHandler.h"

#include <QList>
#include <QString>

// Reads back what a writer produced: every leaf element with a non-empty
// text, with its parent, in document order. Texts split by the parser (as
// around character references) are joined; the indentation around a value
// goes while spaces inside it stay, as the project reader treats them.
class XmlLeafReader : public XmlHandler
{
public:
    struct Leaf
    {
        QString parent;
        QString element;
        QString text;
    };

    bool startElement(const QString &namespaceURI, const QString &localName,
                      const QString &qName, const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;

    // Parses bytes; false on malformed XML.
    bool read(const QByteArray &data);

    // Names of the leaves in order.
    QStringList elementNames() const;

    QList<Leaf> leaves;
    // Attribute "name" of every element that has one, in order.
    QStringList nameAttributes;

private:
    QString m_sText;
    bool m_bHadChild = false;
};
