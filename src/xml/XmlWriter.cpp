#include "xml/XmlWriter.h"

#include "utility/UArchive.h"

#include <QIODevice>
#include <QStringConverter>
#include <QTextStream>

namespace {

// Characters XML 1.0 cannot carry at all; writing them would make the file unreadable.
bool isForbiddenInXml(char16_t c)
{
    if (c < 0x20)
        return c != 0x09 && c != 0x0A && c != 0x0D;
    return c == 0xFFFE || c == 0xFFFF;
}

void appendReference(QString &out, char16_t c)
{
    out += QLatin1String("&#");
    out += QString::number(int(c));
    out += QLatin1Char(';');
}

} // namespace

XmlWriter::XmlWriter()
    : m_pDevice(nullptr)
    , m_pByteArray(nullptr)
    , m_pStream(nullptr)
    , m_nEncoding(XmlEncodingUtf8)
    , m_sEncodingName(QStringLiteral("UTF-8"))
{
}

XmlWriter::~XmlWriter()
{
    delete m_pStream;
    UArchive::instance()->clear();
}

void XmlWriter::setDevice(QIODevice *device)
{
    if (!device)
        return;
    m_pDevice = device;
    m_pStream = new QTextStream(device);
}

void XmlWriter::setByteArray(QByteArray *array)
{
    if (!array)
        return;
    m_pByteArray = array;
    m_pStream = new QTextStream(array, QIODevice::ReadWrite);
}

void XmlWriter::setEncoding(int mode)
{
    m_nEncoding = (mode == XmlEncodingUtf8 || mode == XmlEncodingUtf16BE) ? mode : XmlEncodingSystem;
    applyEncoding();
}

void XmlWriter::applyEncoding()
{
    if (!m_pStream)
        return;
    switch (m_nEncoding) {
    case XmlEncodingUtf8:
        m_pStream->setEncoding(QStringConverter::Utf8);
        m_sEncodingName = QStringLiteral("UTF-8");
        break;
    case XmlEncodingUtf16BE:
        m_pStream->setEncoding(QStringConverter::Utf16BE);
        m_sEncodingName = QStringLiteral("UTF-16");
        break;
    default:
        m_pStream->setEncoding(QStringConverter::System);
        break;
    }
    m_pStream->setGenerateByteOrderMark(false);
}

void XmlWriter::writeByteOrderMark()
{
    if (m_nEncoding != XmlEncodingUtf16BE || !m_pStream)
        return;
    m_pStream->flush();
    if (QIODevice *device = m_pStream->device())
        device->write("\xFE\xFF", 2);
}

bool XmlWriter::writeDeclaration()
{
    if (!m_pStream)
        return false;
    writeByteOrderMark();
    *m_pStream << "<?xml version=\"1.0\" encoding=\"" << m_sEncodingName << "\"?>\n";
    return true;
}

void XmlWriter::writeLine(const QString &line)
{
    *m_pStream << m_sIndent << line << '\n';
}

bool XmlWriter::writeOpeningTag(const QString &tag, const QString &attributes)
{
    if (!m_pStream || tag.isEmpty())
        return false;
    writeLine(QLatin1Char('<') + tag + attributes + QLatin1Char('>'));
    m_sIndent += QLatin1Char('\t');
    return true;
}

bool XmlWriter::writeStartElement(const QString &name)
{
    return writeOpeningTag(name, QString());
}

bool XmlWriter::writeEndElement(const QString &name)
{
    if (!m_pStream || name.isEmpty())
        return false;
    m_sIndent.chop(1);
    writeLine(QLatin1String("</") + name + QLatin1Char('>'));
    return true;
}

bool XmlWriter::writeStartElementNamed(const QString &tag, const QString &name)
{
    return writeOpeningTag(tag, QLatin1String(" name=\"") + escape(name) + QLatin1Char('"'));
}

bool XmlWriter::writeStartElementTyped(const QString &tag, const QString &name, const QString &type)
{
    return writeOpeningTag(tag, QLatin1String(" name=\"") + escape(name) + QLatin1String("\" type=\"")
                                    + escape(type) + QLatin1Char('"'));
}

bool XmlWriter::writeStartElementIndexed(const QString &tag, const QString &text,
                                         const QString &fallback, int index)
{
    const QString name = (!text.isEmpty() && index >= 1)
                             ? QStringLiteral("%1|||%2").arg(text).arg(index)
                             : fallback;
    return writeStartElementNamed(tag, name);
}

bool XmlWriter::writeTextElement(const QString &name, const QString &text)
{
    if (!m_pStream)
        return false;
    *m_pStream << m_sIndent << '<' << name << '>' << escape(text) << "</" << name << ">\n";
    return true;
}

bool XmlWriter::writeUIntElement(const QString &name, quint32 value)
{
    if (!m_pStream)
        return false;
    *m_pStream << m_sIndent << '<' << name << '>' << value << "</" << name << ">\n";
    return true;
}

bool XmlWriter::writeIntElement(const QString &name, qint32 value)
{
    if (!m_pStream)
        return false;
    *m_pStream << m_sIndent << '<' << name << '>' << value << "</" << name << ">\n";
    return true;
}

bool XmlWriter::writeFloatElement(const QString &name, float value)
{
    if (!m_pStream)
        return false;
    *m_pStream << m_sIndent << '<' << name << '>' << double(value) << "</" << name << ">\n";
    return true;
}

void XmlWriter::indent()
{
    m_sIndent += QLatin1Char('\t');
}

void XmlWriter::unindent()
{
    m_sIndent.chop(1);
}

bool XmlWriter::flush()
{
    if (!m_pStream)
        return false;
    m_pStream->flush();
    if (m_pStream->status() != QTextStream::Ok)
        return false;
    QIODevice *device = m_pStream->device();
    return !device || device->isOpen();
}

QString XmlWriter::escape(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i];
        switch (c) {
        case u'&':
        case u'<':
        case u'>':
        case u'"':
            appendReference(out, c);
            continue;
        default:
            break;
        }
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
                out += QChar(c);
                out += QChar(data[++i]);
            }
            continue; // a lone high surrogate is dropped
        }
        if (QChar::isLowSurrogate(c) || isForbiddenInXml(c))
            continue;
        out += QChar(c);
    }
    return out;
}

void XmlWriter::addArchiveFile(const QString &archiveFilePath)
{
    UArchive::instance()->setPath(archiveFilePath);
}

QString XmlWriter::archiveFilePath(const QString &localFilePath, const QString &folderName)
{
    return UArchive::instance()->addFile(localFilePath, folderName);
}

bool XmlWriter::finalizeArchive()
{
    UArchive *archive = UArchive::instance();
    if (!archive->write())
        return false;
    return archive->removeProjectFile();
}

void XmlWriter::clearArchive()
{
    UArchive::instance()->clear();
}
