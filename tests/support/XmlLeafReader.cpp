#include "XmlLeafReader.h"

#include <QStringList>

namespace {

QString prepared(const QString &text)
{
    const QString marker = QStringLiteral("&sp;");
    if (!text.contains(QLatin1Char(' ')) || text.trimmed().isEmpty())
        return text.simplified();
    QString kept = text;
    kept.replace(QLatin1Char(' '), marker);
    kept = kept.simplified();
    kept.replace(marker, QStringLiteral(" "));
    return kept;
}

} // namespace

bool XmlLeafReader::startElement(const QString &namespaceURI, const QString &localName,
                                 const QString &qName, const QXmlAttributes &attributes)
{
    XmlHandler::startElement(namespaceURI, localName, qName, attributes);
    const QString name = attributeValue(attributes, QStringLiteral("name"));
    if (!name.isEmpty())
        nameAttributes << name;
    m_sText.clear();
    m_bHadChild = false;
    return true;
}

bool XmlLeafReader::endElement(const QString &namespaceURI, const QString &localName,
                               const QString &qName)
{
    const QString parent = parentElement();
    const QString text = prepared(m_sText);
    if (!m_bHadChild && !text.isEmpty())
        leaves.append({parent, localName, text});
    m_sText.clear();
    m_bHadChild = true; // the enclosing element has a child
    return XmlHandler::endElement(namespaceURI, localName, qName);
}

bool XmlLeafReader::characters(const QString &text)
{
    m_sText += text;
    return true;
}

bool XmlLeafReader::read(const QByteArray &data)
{
    leaves.clear();
    nameAttributes.clear();
    return XmlHandler::parseData(data, this);
}

QStringList XmlLeafReader::elementNames() const
{
    QStringList names;
    for (const Leaf &leaf : leaves)
        names << leaf.element;
    return names;
}
