#include "utility/UPing.h"

#include <QProcessEnvironment>
#include <QTimer>

namespace {
const QString Unreachable = QStringLiteral("Destination Host Unreachable");
const QString TimedOut = QStringLiteral("Request timed out");
} // namespace

UPing::UPing(QObject *parent)
    : QObject(parent)
    , m_pGuardTimer(new QTimer(this))
{
    m_pGuardTimer->setSingleShot(true);
    m_pGuardTimer->setInterval(GuardMs);
    connect(m_pGuardTimer, &QTimer::timeout, this, &UPing::onGuardTimeout);
}

UPing::~UPing()
{
    cancel();
}

QStringList UPing::arguments(const QString &address)
{
    return {QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("2"), address};
}

bool UPing::start(const QString &address)
{
    if (isRunning())
        return false;
    m_pProcess = new QProcess(this);
    m_pProcess->setProcessChannelMode(QProcess::MergedChannels);
    // The texts matched are the untranslated ones.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    m_pProcess->setProcessEnvironment(environment);
    connect(m_pProcess, &QProcess::finished, this, &UPing::onFinished);
    connect(m_pProcess, &QProcess::errorOccurred, this, &UPing::onErrorOccurred);
    m_pGuardTimer->start();
    m_pProcess->start(QStringLiteral("ping"), arguments(address), QIODevice::ReadOnly);
    return true;
}

bool UPing::isRunning() const
{
    return m_pProcess != nullptr;
}

void UPing::cancel()
{
    m_pGuardTimer->stop();
    if (!m_pProcess)
        return;
    QProcess *process = m_pProcess;
    m_pProcess = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(1000);
    }
    process->deleteLater();
}

QString UPing::matchText(const QByteArray &output, bool failed)
{
    const QString text = QString::fromUtf8(output);
    if (text.contains(Unreachable) || text.contains(TimedOut))
        return text;
    return failed ? TimedOut : text;
}

void UPing::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (!m_pProcess)
        return;
    const QByteArray output = m_pProcess->readAll();
    const bool failed = exitStatus != QProcess::NormalExit || exitCode != 0;
    cancel();
    emit finished(matchText(output, failed));
}

void UPing::onErrorOccurred(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || !m_pProcess)
        return;
    cancel();
    emit finished(QString());
}

void UPing::onGuardTimeout()
{
    if (m_pProcess)
        m_pProcess->kill();
}
