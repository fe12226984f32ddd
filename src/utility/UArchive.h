#pragma once

#include "utility/UArchiveHeader.h"

#include <QString>
#include <QStringList>

class QFile;
class QFileDevice;
class UArchiveHeaderRecord;

// The process-wide packer and unpacker of project archives (".cpz"): the
// project file, the design file under "project" and the images under "image",
// each stored as qCompress output behind a table of records.
class UArchive
{
public:
    // Largest content a stored file may have; larger files are neither packed
    // nor unpacked.
    static constexpr quint32 MaxEntrySize = 256u * 1024u * 1024u;
    // Marks an extraction folder this program made, the only kind it removes.
    static const QLatin1String MarkerFileName;

    static UArchive *instance();

    UArchive();
    virtual ~UArchive();
    UArchive(const UArchive &) = delete;
    UArchive &operator=(const UArchive &) = delete;

    const QString &path() const { return m_sPath; }
    const UArchiveHeader &header() const { return m_header; }

    void setPath(const QString &fileName);
    QString addFile(const QString &localPath, const QString &folder = QString());
    bool write();
    // Takes every listed file that cannot be read (or is too large to store)
    // off the list; their local paths.
    QStringList dropUnreadableFiles();
    bool removeProjectFile();
    void clear();
    static bool isArchiveFile(const QString &path);
    bool read(const QString &path);
    QString findLocalPath(const QString &text) const;
    // Whether an image named by text from outside (the clipboard) may be
    // used: plain names and built-in images, resources, and local files
    // this archive already lists. Any other local file could be packed by
    // the next save without the user ever having chosen it.
    bool acceptsImageReference(const QString &text) const;
    // Whether an image named by a project file read from disk or received
    // may be used: built-in images, or a picture packed in the archive this
    // project came in. Any other name would have the next save pack a file
    // of this computer that the user never chose.
    bool acceptsProjectImage(const QString &text) const;
    // A bare name, a built-in image or a resource: nothing of the disk.
    static bool isBuiltInImage(const QString &text);
    bool fileUrl(QString &name) const;
    void dump() const;

    // The folder an opened archive is unpacked into, from the settings; a
    // fresh one beside it when that place holds something not made here.
    static QString extractFolderPath();

private:
    static QString usableFolder(const QString &folder);
    bool writeStoredFiles(QFileDevice &archive);
    bool appendStoredFile(QFileDevice &archive, UArchiveHeaderRecord *pRecord, bool bRead, const QByteArray &stored);
    static bool readSource(const QString &localPath, QByteArray &content);
    bool extractAll(QFile &archive, UArchiveHeader &header, const QString &folder);
    static bool prepareLocalPath(UArchiveHeaderRecord *pRecord, const QString &folder);
    static bool uncompress(const QByteArray &stored, QByteArray &content);

    static UArchive *s_pInstance;

    QString m_sPath;
    UArchiveHeader m_header;
};
