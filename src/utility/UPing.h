#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

class QTimer;

// Runs the system ping once against an address (argument list, no shell) and reports the text a
// host check matches: the output when it tells of an unreachable host or a time-out, the text
// "Request timed out" when ping ends in failure without a reply, empty when ping cannot start,
// otherwise the output as it came.
class UPing : public QObject
{
    Q_OBJECT

public:
    static constexpr int GuardMs = 10000;

    explicit UPing(QObject *parent = nullptr);
    ~UPing() override;

    // False when a ping is already running.
    bool start(const QString &address);
    bool isRunning() const;
    // Stops a running ping without a report.
    void cancel();

    static QStringList arguments(const QString &address);
    static QString matchText(const QByteArray &output, bool failed);

signals:
    void finished(const QString &text);

private slots:
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onErrorOccurred(QProcess::ProcessError error);
    void onGuardTimeout();

private:
    QProcess *m_pProcess = nullptr;
    QTimer *m_pGuardTimer = nullptr;
};
