#include "utility/UFolderSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

UFolderSnapshot::UFolderSnapshot()
    : m_bExisted(false)
{
}

UFolderSnapshot::~UFolderSnapshot() = default;

bool UFolderSnapshot::take(const QString &folder)
{
    m_sFolder = folder;
    m_pCopy.reset();
    const QFileInfo info(folder);
    m_bExisted = info.isDir() && !info.isSymLink();
    if (!m_bExisted)
        return true;
    m_pCopy = std::make_unique<QTemporaryDir>();
    if (m_pCopy->isValid() && copyFolder(folder, m_pCopy->path()))
        return true;
    m_pCopy.reset();
    return false;
}

bool UFolderSnapshot::restore()
{
    if (m_sFolder.isEmpty())
        return false;
    const QFileInfo info(m_sFolder);
    if ((info.exists() || info.isSymLink()) && !(info.isDir() ? QDir(m_sFolder).removeRecursively()
                                                               : QFile::remove(m_sFolder)))
        return false;
    if (!m_bExisted)
        return true;
    return m_pCopy && copyFolder(m_pCopy->path(), m_sFolder);
}

// Links are not followed: a snapshot holds only what the folder itself holds.
bool UFolderSnapshot::copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QFileInfoList entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                           | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            continue;
        const QString target = to + QLatin1Char('/') + entry.fileName();
        const bool copied = entry.isDir() ? copyFolder(entry.filePath(), target)
                                          : QFile::copy(entry.filePath(), target);
        if (!copied)
            return false;
    }
    return true;
}
