#pragma once

#include <QString>
#include <QXmlDefaultHandler>

class QByteArray;

// Common base of the event-driven readers: keeps the names of the open
// elements so a subclass can interpret an element by its own and its
// parent's name, and reports fatal errors in one uniform way.
class XmlHandler : public QXmlDefaultHandler
{
public:
    static constexpr int MaxKeptLevels = 12;

    XmlHandler();
    ~XmlHandler() override;

    bool startDocument() override;
    bool endDocument() override;
    bool startElement(const QString &namespaceURI, const QString &localName,
                      const QString &qName, const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    bool processingInstruction(const QString &target, const QString &data) override;
    bool fatalError(const QXmlParseException &exception) override;

    void pushElement(const QString &name);
    void popElement();
    static QString attributeValue(const QXmlAttributes &attributes, const QString &name);
    void dumpElementPath(const QString &text, const QString &label) const;

    int depth() const { return m_nDepth; }
    // Name of the open element at a nesting level; empty outside the kept levels.
    QString elementAt(int level) const;
    QString currentElement() const { return elementAt(m_nDepth - 1); }
    QString parentElement() const { return elementAt(m_nDepth - 2); }

    // Runs a reader over a file (opened in binary, so UTF-16 and declared
    // 8-bit encodings reach the parser untouched) or over bytes in memory.
    static bool parseFile(const QString &path, QXmlDefaultHandler *handler);
    static bool parseData(const QByteArray &data, QXmlDefaultHandler *handler);

    // The shared "Fatal error on line" warning of every reader.
    static void reportFatalError(const QXmlParseException &exception);

protected:
    bool m_bInSection;
    int m_nDepth;
    QString m_sSection;

private:
    QString m_elementNames[MaxKeptLevels];
};
