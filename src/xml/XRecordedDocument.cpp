#include "xml/XRecordedDocument.h"

#include "xml/XmlHandler.h"

#include <QFileInfo>

XRecordedDocument::XRecordedDocument() = default;

XRecordedDocument::~XRecordedDocument() = default;

void XRecordedDocument::clear()
{
    m_events.clear();
    m_attributes.clear();
    m_names.clear();
    m_nameIds.clear();
    m_text.clear();
    m_rare.clear();
    m_openNames.clear();
}

bool XRecordedDocument::read(const QString &path)
{
    clear();
    // Room for what a file of this size usually holds (growing costs more),
    // but no more than an ordinary project needs up front.
    const qint64 expected = qMin(QFileInfo(path).size(), MaxReservedBytes);
    m_events.reserve(size_t(expected / 8));
    m_text.reserve(expected / 4);
    const bool parsed = XmlHandler::parseFile(path, this);
    m_openNames.clear();
    if (!parsed)
        clear();
    return parsed;
}

QString XRecordedDocument::rootName() const
{
    for (const Event &event : m_events) {
        if (event.type == EventType::StartElement)
            return m_names.at(event.a).localName;
    }
    return QString();
}

// ---------------------------------------------------------------- recording

bool XRecordedDocument::startPrefixMapping(const QString &prefix, const QString &uri)
{
    m_events.push_back({EventType::StartPrefixMapping, keepRare(prefix), keepRare(uri), 0});
    return true;
}

bool XRecordedDocument::endPrefixMapping(const QString &prefix)
{
    m_events.push_back({EventType::EndPrefixMapping, keepRare(prefix), 0, 0});
    return true;
}

bool XRecordedDocument::startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                                     const QXmlAttributes &attributes)
{
    const qsizetype first = qsizetype(m_attributes.size());
    for (int i = 0; i < attributes.count(); ++i) {
        const QString value = attributes.value(i);
        m_attributes.push_back({nameId(attributes.uri(i), attributes.localName(i), attributes.qName(i)),
                                keep(value), value.size()});
    }
    const qsizetype name = nameId(namespaceURI, localName, qName);
    m_openNames.push_back(name);
    m_events.push_back({EventType::StartElement, name, first, attributes.count()});
    return true;
}

// An end tag names the element it closes.
bool XRecordedDocument::endElement(const QString &namespaceURI, const QString &localName, const QString &qName)
{
    qsizetype name = -1;
    if (m_openNames.empty()) {
        name = nameId(namespaceURI, localName, qName);
    } else {
        name = m_openNames.back();
        m_openNames.pop_back();
    }
    m_events.push_back({EventType::EndElement, name, 0, 0});
    return true;
}

bool XRecordedDocument::characters(const QString &text)
{
    m_events.push_back({EventType::Characters, keep(text), text.size(), 0});
    return true;
}

bool XRecordedDocument::ignorableWhitespace(const QString &text)
{
    m_events.push_back({EventType::IgnorableWhitespace, keep(text), text.size(), 0});
    return true;
}

bool XRecordedDocument::processingInstruction(const QString &target, const QString &data)
{
    m_events.push_back({EventType::ProcessingInstruction, keepRare(target), keepRare(data), 0});
    return true;
}

bool XRecordedDocument::skippedEntity(const QString &name)
{
    m_events.push_back({EventType::SkippedEntity, keepRare(name), 0, 0});
    return true;
}

bool XRecordedDocument::fatalError(const QXmlParseException &exception)
{
    XmlHandler::reportFatalError(exception);
    return false;
}

// A document uses few names: each is kept once.
qsizetype XRecordedDocument::nameId(const QString &uri, const QString &localName, const QString &qName)
{
    const QString key = uri.isEmpty() ? qName : uri + QChar(0) + qName;
    const auto found = m_nameIds.constFind(key);
    if (found != m_nameIds.cend())
        return found.value();
    const qsizetype id = m_names.size();
    m_names.append({uri, localName, qName});
    m_nameIds.insert(key, id);
    return id;
}

qsizetype XRecordedDocument::keep(const QString &text)
{
    const qsizetype offset = m_text.size();
    m_text.append(text);
    return offset;
}

qsizetype XRecordedDocument::keepRare(const QString &text)
{
    m_rare.append(text);
    return m_rare.size() - 1;
}

QString XRecordedDocument::textAt(qsizetype offset, qsizetype length) const
{
    return QString(m_text.constData() + offset, length);
}

// ---------------------------------------------------------------- replay

bool XRecordedDocument::replay(QXmlDefaultHandler *pHandler) const
{
    if (!pHandler)
        return false;
    bool accepted = pHandler->startDocument();
    for (auto it = m_events.cbegin(); accepted && it != m_events.cend(); ++it)
        accepted = replayEvent(*it, pHandler);
    if (accepted)
        accepted = pHandler->endDocument();
    if (!accepted)
        pHandler->fatalError(QXmlParseException(pHandler->errorString()));
    return accepted;
}

bool XRecordedDocument::replayEvent(const Event &event, QXmlDefaultHandler *pHandler) const
{
    switch (event.type) {
    case EventType::StartElement: {
        QXmlAttributes attributes;
        for (qsizetype i = event.b; i < event.b + event.c; ++i) {
            const Attribute &attribute = m_attributes[size_t(i)];
            const Name &name = m_names.at(attribute.name);
            attributes.append(name.qName, name.uri, name.localName, textAt(attribute.offset, attribute.length));
        }
        const Name &name = m_names.at(event.a);
        return pHandler->startElement(name.uri, name.localName, name.qName, attributes);
    }
    case EventType::EndElement: {
        const Name &name = m_names.at(event.a);
        return pHandler->endElement(name.uri, name.localName, name.qName);
    }
    case EventType::Characters:
        return pHandler->characters(textAt(event.a, event.b));
    case EventType::IgnorableWhitespace:
        return pHandler->ignorableWhitespace(textAt(event.a, event.b));
    case EventType::ProcessingInstruction:
        return pHandler->processingInstruction(m_rare.at(event.a), m_rare.at(event.b));
    case EventType::SkippedEntity:
        return pHandler->skippedEntity(m_rare.at(event.a));
    case EventType::StartPrefixMapping:
        return pHandler->startPrefixMapping(m_rare.at(event.a), m_rare.at(event.b));
    case EventType::EndPrefixMapping:
        return pHandler->endPrefixMapping(m_rare.at(event.a));
    }
    return false;
}
