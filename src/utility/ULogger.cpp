#include "utility/ULogger.h"

#include "utility/LogCategories.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QTime>

namespace {
const char *const LogFileName = "vmrlog.txt";
const int TrimIntervalMs = 60000;
} // namespace

ULogger::ULogger(const QString &rootPath)
    : QObject(nullptr)
    , m_sRootPath(rootPath)
    , m_sSeparator(QStringLiteral(" | "))
{
}

ULogger::~ULogger()
{
    delete m_pFile;
}

ULogger *ULogger::instance()
{
    // Never deleted: other objects may still log while the process winds down.
    static ULogger *s_pInstance = nullptr;
    const QString root = s_pInstance
        ? s_pInstance->m_sRootPath
        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    qCDebug(lcUtility).noquote() << QStringLiteral("Log root path (documents): ") + root;
    if (!s_pInstance) {
        s_pInstance = new ULogger(root);
        s_pInstance->initialize();
        qCDebug(lcUtility).noquote() << QStringLiteral("New logger initialized.");
    }
    return s_pInstance;
}

void ULogger::initialize()
{
    if (m_bInitialized)
        return;
    m_bInitialized = true;
    preparePath("Initializing Log at path = ");
    logInfo(QStringLiteral("START LOG"));
    m_trimTimer.setInterval(TrimIntervalMs);
    m_trimTimer.setSingleShot(false);
    connect(&m_trimTimer, &QTimer::timeout, this, &ULogger::_onLogTrimLoopTick);
    m_trimTimer.start();
}

void ULogger::preparePath(const char *startText)
{
    m_sFilePath = m_sRootPath + QLatin1Char('/') + QLatin1String(LogFileName);
    qCDebug(lcUtility).noquote() << QLatin1String(startText) + m_sFilePath;
    if (QDir(m_sRootPath).exists()) {
        qCDebug(lcUtility).noquote() << QStringLiteral("Success: Path at ") + m_sRootPath
                + QStringLiteral(" already exists.");
    } else {
        qCDebug(lcUtility).noquote() << QStringLiteral("Path to ") + m_sRootPath
                + QStringLiteral(" does not exist. Creating...");
        if (QDir().mkpath(m_sRootPath))
            qCDebug(lcUtility).noquote() << QStringLiteral("Success creating ") + m_sRootPath;
        else
            qCWarning(lcUtility).noquote() << QStringLiteral("Could not create path ") + m_sRootPath;
    }
    m_pFile = new QFile(m_sFilePath);
    qCDebug(lcUtility).noquote() << QStringLiteral("Success creating log file at ") + m_sFilePath;
}

bool ULogger::setPath()
{
    QMutexLocker locker(&m_mutex);
    delete m_pFile;
    m_pFile = nullptr;
    preparePath("Starting Log at path = ");
    m_bOpen = m_pFile->open(QIODevice::Append | QIODevice::Text);
    if (!m_bOpen) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Could not open file at ") + m_sFilePath
                + QStringLiteral(" error: ") + m_pFile->errorString();
    }
    return m_bOpen;
}

bool ULogger::logTagged(const QString &tag, const QString &text)
{
    const QString time = QTime::currentTime().toString(QStringLiteral("mm:ss:z"));
    return writeLine((tag + m_sSeparator + time + m_sSeparator + text).toUtf8());
}

bool ULogger::logTagged(const QString &tag, const QByteArray &text)
{
    const qsizetype nul = text.indexOf('\0');
    return logTagged(tag, QString::fromUtf8(nul < 0 ? text : text.left(nul)));
}

bool ULogger::logInfo(const QString &text)
{
    const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
    const QString thread =
        QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()), 16);
    return writeLine((QStringLiteral("INFO") + m_sSeparator + time + m_sSeparator + thread
                      + m_sSeparator + text).toUtf8());
}

bool ULogger::logRaw(const QString &text)
{
    return writeLine(text.toUtf8());
}

bool ULogger::writeLine(const QByteArray &line)
{
    QMutexLocker locker(&m_mutex);
    qCDebug(lcUtility).noquote() << QStringLiteral("LOG | ") + QString::fromUtf8(line);
    if (!m_pFile) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Log write failed: no log file. Make sure you've called setPath()");
        return false;
    }
    // setPath() leaves the file open; reopening an open file would fail.
    if (m_pFile->isOpen())
        m_pFile->close();
    m_bOpen = m_pFile->open(QIODevice::Append | QIODevice::Text);
    if (!m_bOpen) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Could not open file at ") + m_sFilePath
                + QStringLiteral(" error: ") + m_pFile->errorString()
                + QStringLiteral(". Make sure you've called setPath()");
    }
    const QByteArray bytes = line + '\n';
    const bool written = m_bOpen && m_pFile->write(bytes) == bytes.size();
    if (!written)
        qCWarning(lcUtility).noquote() << QStringLiteral("Log write failed: ") + m_pFile->errorString();
    m_pFile->close();
    m_bOpen = false;
    return written;
}

void ULogger::_onLogTrimLoopTick()
{
    trim();
}

bool ULogger::trim()
{
    QMutexLocker locker(&m_mutex);
    if (!m_pFile) {
        qCDebug(lcUtility).noquote() << QStringLiteral("Init not setup on log file for truncation.");
        return false;
    }
    return trimLocked();
}

bool ULogger::trimLocked()
{
    QFile in(m_sFilePath);
    if (!in.exists())
        return true;
    if (!in.open(QIODevice::ReadOnly)) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Could not open log file for truncation read/write. ")
                + in.errorString();
        return false;
    }
    const qint64 size = in.size();
    if (size <= MaxLogSize)
        return true;

    // What stays begins at the first line start at or after size - MaxLogSize;
    // reading from one byte earlier shows whether a line starts right there.
    const qint64 from = size - MaxLogSize - 1;
    QByteArray tail;
    if (in.seek(from))
        tail = in.read(MaxLogSize + 1);
    if (tail.size() != MaxLogSize + 1) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Could not read log file for truncation. ")
                + in.errorString();
        return false;
    }
    in.close();

    const qsizetype newline = tail.indexOf('\n');
    const QByteArray kept = newline < 0 ? QByteArray() : tail.mid(newline + 1);
    QSaveFile out(m_sFilePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(kept) != kept.size() || !out.commit()) {
        qCWarning(lcUtility).noquote() << QStringLiteral("Could not write truncated log file. ")
                + out.errorString();
        return false;
    }
    return true;
}
