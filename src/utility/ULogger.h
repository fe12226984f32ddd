#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

class QFile;

// Process-wide writer of "vmrlog.txt" in the Documents folder: one line per
// entry, each written under the mutex; a repeating timer keeps the file small.
class ULogger : public QObject
{
    Q_OBJECT

public:
    static ULogger *instance();
    ~ULogger() override;

    bool logTagged(const QString &tag, const QString &text);
    // Text as UTF-8 bytes, read up to the first NUL byte.
    bool logTagged(const QString &tag, const QByteArray &text);
    // Plain C text takes the byte form; without it a literal would be ambiguous.
    bool logTagged(const QString &tag, const char *text) { return logTagged(tag, QByteArray(text)); }
    bool logInfo(const QString &text);
    bool logRaw(const QString &text);
    bool writeLine(const QByteArray &line);
    bool setPath();

    // Drops the oldest whole lines so that at most MaxLogSize bytes remain.
    bool trim();

    static constexpr qint64 MaxLogSize = 0x100000;

private slots:
    void _onLogTrimLoopTick();

private:
    explicit ULogger(const QString &rootPath);
    void initialize();
    void preparePath(const char *startText);
    bool trimLocked();

    QFile *m_pFile = nullptr;
    QString m_sRootPath;
    QString m_sFilePath;
    bool m_bOpen = false;
    const QString m_sSeparator;
    QTimer m_trimTimer;
    QMutex m_mutex;
    bool m_bInitialized = false;
};
