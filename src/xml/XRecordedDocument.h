#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlDefaultHandler>

#include <vector>

// A document parsed once and kept as compact events, so that it can be
// checked before anything changes and then read by a handler without a
// second parse. The handler is told exactly what the event-driven reader
// told the recording: elements with their attributes, character data,
// processing instructions, skipped entities and prefix mappings, between the
// document's start and end.
class XRecordedDocument : private QXmlDefaultHandler
{
public:
    // File size up to which room for the events is made before reading.
    static constexpr qint64 MaxReservedBytes = 64 * 1024 * 1024;

    XRecordedDocument();
    ~XRecordedDocument() override;

    // Parses the file and keeps its events; false, with nothing kept, when
    // the file cannot be opened or is not well formed.
    bool read(const QString &path);
    // Local name of the root element; empty when nothing was read.
    QString rootName() const;
    // Hands the events to the handler in order. A refused event stops the
    // replay as it stops the reader: the handler is told of the error, and
    // the result is false.
    bool replay(QXmlDefaultHandler *pHandler) const;

private:
    enum class EventType : quint8 {
        StartElement,
        EndElement,
        Characters,
        IgnorableWhitespace,
        ProcessingInstruction,
        SkippedEntity,
        StartPrefixMapping,
        EndPrefixMapping
    };
    // Element: a name, b first attribute, c attribute count. Text: a offset
    // into m_text, b length. Others: a and b index m_rare.
    struct Event
    {
        EventType type;
        qsizetype a;
        qsizetype b;
        qsizetype c;
    };
    struct Name
    {
        QString uri;
        QString localName;
        QString qName;
    };
    struct Attribute
    {
        qsizetype name;
        qsizetype offset;
        qsizetype length;
    };

    // ---- the reader's events, recorded
    bool startPrefixMapping(const QString &prefix, const QString &uri) override;
    bool endPrefixMapping(const QString &prefix) override;
    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName, const QString &qName) override;
    bool characters(const QString &text) override;
    bool ignorableWhitespace(const QString &text) override;
    bool processingInstruction(const QString &target, const QString &data) override;
    bool skippedEntity(const QString &name) override;
    bool fatalError(const QXmlParseException &exception) override;

    void clear();
    qsizetype nameId(const QString &uri, const QString &localName, const QString &qName);
    qsizetype keep(const QString &text);
    qsizetype keepRare(const QString &text);
    QString textAt(qsizetype offset, qsizetype length) const;
    bool replayEvent(const Event &event, QXmlDefaultHandler *pHandler) const;

    std::vector<Event> m_events;
    std::vector<Attribute> m_attributes;
    // Names are kept once each; every text and value in one string.
    QList<Name> m_names;
    QHash<QString, qsizetype> m_nameIds;
    QString m_text;
    QStringList m_rare;
    // Names of the open elements, innermost last.
    std::vector<qsizetype> m_openNames;
};
