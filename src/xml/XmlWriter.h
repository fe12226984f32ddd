#pragma once

#include <QString>

class QByteArray;
class QIODevice;
class QTextStream;

// Encodings the writer can produce.
enum XmlEncoding { XmlEncodingSystem = 0, XmlEncodingUtf8 = 1, XmlEncodingUtf16BE = 2 };

// Indenting XML text writer behind every save and copy: one tab per open
// element, escaped attribute values and texts, and the hooks through which a
// save registers files with the project archive.
class XmlWriter
{
public:
    XmlWriter();
    virtual ~XmlWriter();

    void setDevice(QIODevice *device);
    void setByteArray(QByteArray *array);
    void setEncoding(int mode);
    bool writeDeclaration();
    void writeByteOrderMark();

    bool writeStartElement(const QString &name);
    bool writeEndElement(const QString &name);
    bool writeStartElementNamed(const QString &tag, const QString &name);
    bool writeStartElementTyped(const QString &tag, const QString &name, const QString &type);
    bool writeStartElementIndexed(const QString &tag, const QString &text, const QString &fallback,
                                  int index);
    bool writeTextElement(const QString &name, const QString &text);
    bool writeUIntElement(const QString &name, quint32 value);
    bool writeIntElement(const QString &name, qint32 value);
    bool writeFloatElement(const QString &name, float value);

    void indent();
    void unindent();
    // Pushes buffered text to the target; false when the target reported an error.
    bool flush();

    static QString escape(const QString &text);

    void addArchiveFile(const QString &archiveFilePath);
    QString archiveFilePath(const QString &localFilePath, const QString &folderName);
    bool finalizeArchive();
    void clearArchive();

    int encoding() const { return m_nEncoding; }
    QString encodingName() const { return m_sEncodingName; }

private:
    void applyEncoding();
    void writeLine(const QString &line);
    bool writeOpeningTag(const QString &tag, const QString &attributes);

    QIODevice *m_pDevice;
    QByteArray *m_pByteArray;
    QTextStream *m_pStream;
    QString m_sIndent;
    int m_nEncoding;
    QString m_sEncodingName;
};
