#pragma once

#include <QString>

class UArchiveHeader;

// One file stored in a project archive: where it lives on disk, the name it is
// stored under and where its compressed bytes sit in the archive file.
class UArchiveHeaderRecord
{
public:
    UArchiveHeaderRecord(const QString &localPath, const QString &archiveName,
                         UArchiveHeader *pHeader = nullptr);
    virtual ~UArchiveHeaderRecord();

    const QString &localPath() const { return m_sLocalPath; }
    void setLocalPath(const QString &localPath) { m_sLocalPath = localPath; }
    const QString &archiveName() const { return m_sArchiveName; }
    quint32 offset() const { return m_nOffset; }
    void setOffset(quint32 offset) { m_nOffset = offset; }
    quint32 size() const { return m_nSize; }
    void setSize(quint32 size) { m_nSize = size; }
    quint32 nameLength() const { return m_nNameLength; }
    void setNameLength(quint32 length) { m_nNameLength = length; }
    UArchiveHeader *header() const { return m_pHeader; }
    void setHeader(UArchiveHeader *pHeader) { m_pHeader = pHeader; }

    // Bytes this record takes in the archive header: length, name, offset, size.
    qint64 headerBytes() const;
    // The text behind the archive name's last "/".
    QString fileName() const;

    // The stored name a file gets: "/" + file name, under "/" + folder when a
    // folder is given. Empty when the result would not be a valid name.
    static QString makeArchiveName(const QString &path, const QString &folder);
    // Only "/name", "/project/name" and "/image/name" are valid; the file name
    // must be a plain name that cannot leave the folder it is extracted into.
    static bool isValidArchiveName(const QString &name);
    // A name that stays inside the folder it is joined to: not empty, not
    // "." or "..", no separator, drive colon or control character.
    static bool isPlainFileName(const QString &name);

private:

    QString m_sLocalPath;
    QString m_sArchiveName;
    quint32 m_nOffset = 0;
    quint32 m_nSize = 0;
    quint32 m_nNameLength = 0;
    UArchiveHeader *m_pHeader = nullptr;
};
