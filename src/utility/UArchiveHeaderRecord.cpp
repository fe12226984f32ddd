#include "utility/UArchiveHeaderRecord.h"

namespace {

// Where a stored file may live inside the extraction folder.
const QLatin1String s_prefixes[] = { QLatin1String("/"), QLatin1String("/project/"),
                                     QLatin1String("/image/") };

}

UArchiveHeaderRecord::UArchiveHeaderRecord(const QString &localPath, const QString &archiveName,
                                           UArchiveHeader *pHeader)
    : m_sLocalPath(localPath)
    , m_sArchiveName(archiveName)
    , m_nNameLength(quint32(archiveName.size()))
    , m_pHeader(pHeader)
{
}

UArchiveHeaderRecord::~UArchiveHeaderRecord() = default;

qint64 UArchiveHeaderRecord::headerBytes() const
{
    return 2 * qint64(m_sArchiveName.size()) + 12;
}

QString UArchiveHeaderRecord::fileName() const
{
    return m_sArchiveName.mid(m_sArchiveName.lastIndexOf(QLatin1Char('/')) + 1);
}

QString UArchiveHeaderRecord::makeArchiveName(const QString &path, const QString &folder)
{
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = folder.isEmpty() ? QLatin1Char('/') + fileName
                                          : QLatin1Char('/') + folder + QLatin1Char('/') + fileName;
    return isValidArchiveName(name) ? name : QString();
}

bool UArchiveHeaderRecord::isValidArchiveName(const QString &name)
{
    for (const QLatin1String prefix : s_prefixes) {
        if (name.startsWith(prefix) && isPlainFileName(name.mid(prefix.size())))
            return true;
    }
    return false;
}

bool UArchiveHeaderRecord::isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QLatin1Char('/'))
            return false;
    }
    return true;
}
