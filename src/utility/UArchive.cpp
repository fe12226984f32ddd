#include "utility/UArchive.h"

#include "utility/LogCategories.h"
#include "utility/UArchiveHeaderRecord.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <deque>
#include <future>
#include <utility>

#include <zlib.h>

namespace {

const QLatin1String s_sArchiveSuffix(".cpz");
const QLatin1String s_sProjectSuffix(".cpf");
const quint32 s_nMaxArchiveSize = 0xFFFFFFFFu;
// Files compressed ahead of the one being written.
const size_t s_nInAdvance = 3;

QString sourcePath(const QString &localPath)
{
    const QUrl url(localPath);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    return localPath;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool bWritten = file.write(content) == content.size();
    file.close();
    return bWritten && file.error() == QFileDevice::NoError;
}

bool isOwnFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && !info.isSymLink()
           && QFileInfo(folder + QLatin1Char('/') + UArchive::MarkerFileName).isFile();
}

bool setFolderAside(const QString &folder, std::future<bool> &removing)
{
    // Renamed, the previous content is removed while the new one is unpacked.
    const QString aside = folder + QLatin1String(".old");
    const QFileInfo asideInfo(aside);
    if ((asideInfo.exists() || asideInfo.isSymLink())
        && !(isOwnFolder(aside) && QDir(aside).removeRecursively()))
        return false;
    if (!QDir().rename(folder, aside))
        return false;
    removing = std::async([aside] { return QDir(aside).removeRecursively(); });
    return true;
}

bool resetExtractFolder(const QString &folder, std::future<bool> &removing)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink()) {
        if (!isOwnFolder(folder)) {
            qCWarning(lcUtility) << "" << folder << "was not made by this program; it is left alone";
            return false;
        }
        if (!setFolderAside(folder, removing) && !QDir(folder).removeRecursively()) {
            qCWarning(lcUtility) << "cannot empty" << folder;
            return false;
        }
    }
    const QByteArray note("Unpacked project archive; removed at the next open.\n");
    QFile marker(folder + QLatin1Char('/') + UArchive::MarkerFileName);
    if (!QDir().mkpath(folder) || !marker.open(QIODevice::WriteOnly) || marker.write(note) != note.size()) {
        qCWarning(lcUtility) << "cannot create" << folder;
        return false;
    }
    return true;
}

// qUncompress grows its buffer past an understated length; this inflates into
// exactly the announced size and refuses a stream that does not fill it.
bool inflateExactly(const QByteArray &stored, QByteArray &content)
{
    char unused = 0;
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stored.constData() + 4));
    stream.avail_in = uInt(stored.size() - 4);
    stream.next_out = reinterpret_cast<Bytef *>(content.isEmpty() ? &unused : content.data());
    stream.avail_out = uInt(content.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool bExact = result == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
    inflateEnd(&stream);
    return bExact;
}

}

UArchive *UArchive::s_pInstance = nullptr;
const QLatin1String UArchive::MarkerFileName(".viviza-archive");

UArchive *UArchive::instance()
{
    if (!s_pInstance)
        s_pInstance = new UArchive;
    return s_pInstance;
}

UArchive::UArchive() = default;

UArchive::~UArchive()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

void UArchive::setPath(const QString &fileName)
{
    // Only a dot in the file name itself starts the extension.
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    m_sPath = (dot > slash ? fileName.left(dot) : fileName) + s_sArchiveSuffix;
}

QString UArchive::addFile(const QString &localPath, const QString &folder)
{
    if (localPath.isEmpty() || localPath.contains(QLatin1String("../"))
        || m_header.findByLocalPath(localPath))
        return localPath;
    const QString name = UArchiveHeaderRecord::makeArchiveName(localPath, folder);
    if (name.isEmpty()) {
        qCWarning(lcUtility) << "cannot store" << localPath << "under" << folder;
        return localPath;
    }
    // Both would unpack to the same file, the second over the first.
    if (m_header.findByArchiveName(name)) {
        qCWarning(lcUtility) << "a file named" << name << "is stored already, skipping" << localPath;
        return localPath;
    }
    m_header.append(new UArchiveHeaderRecord(localPath, name));
    return localPath;
}

bool UArchive::write()
{
    if (m_sPath.isEmpty())
        return false;
    // Written beside the target and moved over it only when complete, so a
    // failed save keeps the previous archive.
    QSaveFile file(m_sPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 tableSize = m_header.byteSize();
    return file.write(QByteArray(tableSize, '\0')) == tableSize && writeStoredFiles(file) && file.seek(0)
           && m_header.writeTo(file) && file.commit();
}

QStringList UArchive::dropUnreadableFiles()
{
    QStringList dropped;
    const QList<UArchiveHeaderRecord *> records = m_header.records();
    for (UArchiveHeaderRecord *pRecord : records) {
        QFile source(sourcePath(pRecord->localPath()));
        const QFileInfo info(source.fileName());
        if ((info.isFile() || source.fileName().startsWith(QLatin1Char(':'))) && source.open(QIODevice::ReadOnly)
            && source.size() <= MaxEntrySize)
            continue;
        dropped << pRecord->localPath();
        m_header.remove(pRecord);
    }
    return dropped;
}

bool UArchive::writeStoredFiles(QFileDevice &archive)
{
    // The next files are read and compressed on other threads while this one
    // appends the compressed ones in list order.
    using Compressed = std::pair<bool, QByteArray>;
    std::deque<std::future<Compressed>> compressing;
    int nWritten = 0;
    const auto writeNext = [&] {
        const Compressed compressed = compressing.front().get();
        compressing.pop_front();
        return appendStoredFile(archive, m_header.records().at(nWritten++), compressed.first, compressed.second);
    };
    bool bWritten = true;
    for (const UArchiveHeaderRecord *pRecord : m_header.records()) {
        if (compressing.size() >= s_nInAdvance)
            bWritten = writeNext();
        if (!bWritten)
            break;
        compressing.push_back(std::async([localPath = pRecord->localPath()] {
            Compressed compressed;
            compressed.first = readSource(localPath, compressed.second);
            compressed.second = compressed.first ? qCompress(compressed.second) : QByteArray();
            return compressed;
        }));
    }
    while (bWritten && !compressing.empty())
        bWritten = writeNext();
    return bWritten;
}

bool UArchive::appendStoredFile(QFileDevice &archive, UArchiveHeaderRecord *pRecord, bool bRead,
                                const QByteArray &stored)
{
    if (!bRead) {
        qCWarning(lcUtility) << "cannot read" << pRecord->localPath();
        return false;
    }
    const qint64 offset = archive.pos();
    if (offset + stored.size() > s_nMaxArchiveSize || archive.write(stored) != stored.size()) {
        qCWarning(lcUtility) << "cannot store" << pRecord->localPath() << "in" << m_sPath;
        return false;
    }
    pRecord->setOffset(quint32(offset));
    pRecord->setSize(quint32(stored.size()));
    return true;
}

bool UArchive::readSource(const QString &localPath, QByteArray &content)
{
    QFile source(sourcePath(localPath));
    if (!source.open(QIODevice::ReadOnly) || source.size() > MaxEntrySize)
        return false;
    content = source.readAll();
    return source.error() == QFileDevice::NoError && content.size() == source.size();
}

bool UArchive::removeProjectFile()
{
    if (!m_sPath.endsWith(s_sArchiveSuffix))
        return false;
    return QFile::remove(m_sPath.chopped(s_sArchiveSuffix.size()) + s_sProjectSuffix);
}

void UArchive::clear()
{
    m_header.clear();
}

bool UArchive::isArchiveFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Marker and record count: nothing shorter is an archive.
    const QByteArray head = file.read(8);
    if (head.size() < 8)
        return false;
    // Text files, such as a project file with or without its byte-order mark,
    // have "<" (bits 2 to 5 set) in the first or fourth byte.
    const auto isTextLike = [](char byte) { return (uchar(byte) & 0x3C) == 0x3C; };
    return !isTextLike(head.at(0)) && !isTextLike(head.at(3));
}

bool UArchive::read(const QString &path)
{
    if (!isArchiveFile(path))
        return false;
    QFile archive(path);
    if (!archive.open(QIODevice::ReadOnly))
        return false;
    UArchiveHeader header;
    if (!header.readFrom(archive, MaxEntrySize)) {
        qCWarning(lcUtility) << "not a valid archive:" << path;
        return false;
    }
    const QString folder = extractFolderPath();
    std::future<bool> removing;
    if (!resetExtractFolder(folder, removing))
        return false;
    // The listed files were in the folder just emptied.
    m_header.clear();
    const bool bUnpacked = extractAll(archive, header, folder);
    // The previous content may be going away alongside; it is gone on return.
    if (removing.valid())
        removing.wait();
    if (!bUnpacked)
        return false;
    m_header.takeRecords(header);
    m_header.setExtractFolder(folder);
    m_sPath = path;
    return true;
}

QString UArchive::extractFolderPath()
{
    const QSettings settings;
    QString base = settings.value(QStringLiteral("Path/Archive")).toString();
    QString folder;
    if (base.isEmpty()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (cache.isEmpty())
            return QString();
        folder = QDir::cleanPath(cache + QLatin1String("/Archive"));
    } else {
        base.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        folder = QDir::cleanPath(QFileInfo(base + QLatin1String("Archive")).absoluteFilePath());
    }
    return usableFolder(folder);
}

// Something of another's at the folder's place is left alone, and a fresh
// folder beside it is used instead, so that every later open still works.
QString UArchive::usableFolder(const QString &folder)
{
    const auto usable = [](const QString &path) {
        const QFileInfo info(path);
        return (!info.exists() && !info.isSymLink()) || isOwnFolder(path);
    };
    if (usable(folder))
        return folder;
    for (int n = 2; n < 100; ++n) {
        const QString fresh = folder + QLatin1Char('-') + QString::number(n);
        if (usable(fresh))
            return fresh;
    }
    return folder;
}

// One file after the other on this thread: inflating on other threads made
// unpacking a little quicker but cost up to half again as much CPU time, for
// the threads and for the caches the inflated bytes then had to cross.
// In list order, so the last file of a name still wins.
bool UArchive::extractAll(QFile &archive, UArchiveHeader &header, const QString &folder)
{
    bool bUnpacked = true;
    QByteArray content;
    for (UArchiveHeaderRecord *pRecord : header.records()) {
        // Read rather than mapped: faulting the mapping in and unmapping it cost more than the copy.
        const QByteArray stored = archive.seek(pRecord->offset()) ? archive.read(pRecord->size()) : QByteArray();
        bUnpacked = stored.size() == qint64(pRecord->size()) && prepareLocalPath(pRecord, folder)
                    && uncompress(stored, content) && writeFile(pRecord->localPath(), content);
        if (!bUnpacked)
            break;
    }
    if (!bUnpacked)
        qCWarning(lcUtility) << "cannot unpack" << archive.fileName() << "into" << folder;
    return bUnpacked;
}

bool UArchive::prepareLocalPath(UArchiveHeaderRecord *pRecord, const QString &folder)
{
    const QString localPath = folder + pRecord->archiveName();
    // The names were checked when read; this holds whatever they contain.
    if (!QDir::cleanPath(localPath).startsWith(folder + QLatin1Char('/')))
        return false;
    pRecord->setLocalPath(localPath);
    return QDir().mkpath(QFileInfo(localPath).path());
}

bool UArchive::uncompress(const QByteArray &stored, QByteArray &content)
{
    content.clear();
    // Stored empty by packers that skipped a file they could not read.
    if (stored.isEmpty())
        return true;
    if (stored.size() < 4)
        return false;
    const quint32 length = qFromBigEndian<quint32>(stored.constData());
    if (length > MaxEntrySize)
        return false;
    if (length == 0 && stored.size() == 4)
        return true;
    content = QByteArray(length, Qt::Uninitialized);
    if (inflateExactly(stored, content))
        return true;
    content.clear();
    return false;
}

QString UArchive::findLocalPath(const QString &text) const
{
    for (const UArchiveHeaderRecord *pRecord : m_header.records()) {
        if (pRecord->localPath().endsWith(text))
            return pRecord->localPath();
    }
    return QString();
}

bool UArchive::isBuiltInImage(const QString &text)
{
    // A bare name ("mute_on") picks a built-in image; one with a suffix would
    // be read as a file of the working folder.
    if (text.isEmpty() || (UArchiveHeaderRecord::isPlainFileName(text) && !text.contains(QLatin1Char('.'))))
        return true;
    for (const QLatin1String prefix : {QLatin1String("../images/"), QLatin1String(":/"), QLatin1String("qrc:/")}) {
        if (!text.startsWith(prefix))
            continue;
        const QStringList parts = text.mid(prefix.size()).split(QLatin1Char('/'));
        return std::all_of(parts.cbegin(), parts.cend(), &UArchiveHeaderRecord::isPlainFileName);
    }
    return false;
}

bool UArchive::acceptsImageReference(const QString &text) const
{
    if (isBuiltInImage(text))
        return true;
    const QUrl url(text);
    const QString localPath = url.isLocalFile() ? url.toLocalFile() : text;
    return QDir::isAbsolutePath(localPath) && QDir::cleanPath(localPath) == localPath
           && m_header.findByLocalPath(localPath);
}

// The widgets find a packed picture by the file name after the last "/"
// (fileUrl); a name without one, or one that climbs folders, is not looked up
// there and would be read as it stands.
bool UArchive::acceptsProjectImage(const QString &text) const
{
    if (isBuiltInImage(text))
        return true;
    const int slash = int(text.lastIndexOf(QLatin1Char('/')));
    if (slash < 0 || text.contains(QLatin1String("../")) || m_header.extractFolder().isEmpty())
        return false;
    const QString fileName = text.mid(slash + 1);
    const QString packed = QStringLiteral("/image/") + fileName;
    const QList<UArchiveHeaderRecord *> &records = m_header.records();
    return UArchiveHeaderRecord::isPlainFileName(fileName)
           && std::any_of(records.cbegin(), records.cend(), [&](const UArchiveHeaderRecord *pRecord) {
                  return pRecord->archiveName() == packed;
              });
}

bool UArchive::fileUrl(QString &name) const
{
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || m_header.extractFolder().isEmpty())
        return false;
    const QString fileName = name.mid(slash + 1);
    for (const UArchiveHeaderRecord *pRecord : m_header.records()) {
        if (pRecord->fileName() == fileName) {
            name = QUrl::fromLocalFile(m_header.extractFolder() + pRecord->archiveName()).toString();
            return true;
        }
    }
    return false;
}

void UArchive::dump() const
{
    qCDebug(lcUtility).noquote() << "Archive:" << m_sPath;
    for (const UArchiveHeaderRecord *pRecord : m_header.records()) {
        qCDebug(lcUtility).noquote() << pRecord->offset() << pRecord->size() << pRecord->nameLength()
                           << pRecord->archiveName() << pRecord->localPath();
    }
}
