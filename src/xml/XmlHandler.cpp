#include "xml/XmlHandler.h"

#include "utility/LogCategories.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QStringList>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

XmlHandler::XmlHandler()
    : m_bInSection(false)
    , m_nDepth(0)
{
}

XmlHandler::~XmlHandler() = default;

bool XmlHandler::startDocument()
{
    m_bInSection = false;
    m_nDepth = 0;
    return true;
}

bool XmlHandler::endDocument()
{
    return true;
}

bool XmlHandler::startElement(const QString &, const QString &localName, const QString &,
                              const QXmlAttributes &)
{
    pushElement(localName);
    return true;
}

bool XmlHandler::endElement(const QString &, const QString &, const QString &)
{
    popElement();
    m_bInSection = false;
    return true;
}

bool XmlHandler::characters(const QString &)
{
    return true;
}

bool XmlHandler::processingInstruction(const QString &, const QString &)
{
    return true;
}

bool XmlHandler::fatalError(const QXmlParseException &exception)
{
    reportFatalError(exception);
    return false;
}

void XmlHandler::pushElement(const QString &name)
{
    if (m_nDepth >= 0 && m_nDepth < MaxKeptLevels)
        m_elementNames[m_nDepth] = name;
    ++m_nDepth;
}

void XmlHandler::popElement()
{
    if (m_nDepth > 0)
        --m_nDepth;
}

QString XmlHandler::attributeValue(const QXmlAttributes &attributes, const QString &name)
{
    for (int i = 0; i < attributes.count(); ++i) {
        if (attributes.localName(i) == name)
            return attributes.value(i);
    }
    return QString();
}

QString XmlHandler::elementAt(int level) const
{
    if (level < 0 || level >= MaxKeptLevels || level >= m_nDepth)
        return QString();
    return m_elementNames[level];
}

void XmlHandler::dumpElementPath(const QString &text, const QString &label) const
{
    QStringList names;
    const int open = qMin(m_nDepth - 1, MaxKeptLevels);
    for (int i = 0; i < open; ++i)
        names << m_elementNames[i];
    qCDebug(lcXml) << label << "level:" << m_nDepth << names.join(QStringLiteral(" : "))
             << QStringLiteral("{%1}").arg(text);
}

void XmlHandler::reportFatalError(const QXmlParseException &exception)
{
    qCWarning(lcXml) << "Fatal error on line" << exception.lineNumber() << ", column"
               << exception.columnNumber() << ":" << exception.message();
}

static bool parseDevice(QIODevice *device, QXmlDefaultHandler *handler)
{
    QXmlInputSource source(device);
    QXmlSimpleReader reader;
    reader.setContentHandler(handler);
    reader.setErrorHandler(handler);
    return reader.parse(&source, false);
}

bool XmlHandler::parseFile(const QString &path, QXmlDefaultHandler *handler)
{
    if (!handler)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcXml) << "cannot open" << path << file.errorString();
        return false;
    }
    return parseDevice(&file, handler);
}

bool XmlHandler::parseData(const QByteArray &data, QXmlDefaultHandler *handler)
{
    if (!handler)
        return false;
    QByteArray copy(data);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return parseDevice(&buffer, handler);
}
