#pragma once

#include <QList>
#include <QString>

class QIODevice;
class UArchiveHeaderRecord;

// The table at the start of a project archive: one record per stored file, in
// the order the files follow the table. Owns its records.
class UArchiveHeader
{
public:
    UArchiveHeader();
    virtual ~UArchiveHeader();
    UArchiveHeader(const UArchiveHeader &) = delete;
    UArchiveHeader &operator=(const UArchiveHeader &) = delete;

    const QList<UArchiveHeaderRecord *> &records() const { return m_records; }
    bool isEmpty() const { return m_records.isEmpty(); }
    void append(UArchiveHeaderRecord *pRecord);
    // Takes the record out of the table and deletes it.
    void remove(UArchiveHeaderRecord *pRecord);
    void clear();
    // Moves every record of the other header to this one, replacing its own.
    void takeRecords(UArchiveHeader &other);

    const QString &extractFolder() const { return m_sExtractFolder; }
    void setExtractFolder(const QString &folder) { m_sExtractFolder = folder; }

    UArchiveHeaderRecord *findByLocalPath(const QString &localPath) const;
    UArchiveHeaderRecord *findByArchiveName(const QString &archiveName) const;

    // Bytes the table takes: marker, count and every record header.
    qint64 byteSize() const;
    bool writeTo(QIODevice &device) const;
    // Reads and checks the table of an archive file: every record must be a
    // valid name whose stored bytes lie behind the table and inside the file,
    // without overlapping another, and announce at most maxEntrySize bytes.
    // On any fault the header is left empty and false is returned.
    bool readFrom(QIODevice &device, quint32 maxEntrySize);

private:
    bool readRecords(QIODevice &device, quint32 count);
    bool readRecord(QIODevice &device);
    bool storedRangesFit(qint64 fileSize) const;
    bool storedLengthsFit(QIODevice &device, quint32 maxEntrySize) const;

    QList<UArchiveHeaderRecord *> m_records;
    QString m_sExtractFolder;
};
