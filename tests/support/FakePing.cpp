#include "support/FakePing.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {
// Shell built-ins only, so the script also runs on the narrow PATH of the missing mode.
const char Script[] = R"(#!/bin/sh
dir=${0%/*}
echo "$*" >> "$dir/calls.txt"
read mode < "$dir/mode"
for last; do :; done
case "$mode" in
reply)
    echo "PING $last ($last) 56(84) bytes of data."
    echo "64 bytes from $last: icmp_seq=1 ttl=64 time=0.040 ms"
    echo "1 packets transmitted, 1 received, 0% packet loss, time 0ms"
    exit 0 ;;
unreachable)
    echo "PING $last ($last) 56(84) bytes of data."
    echo "From $last icmp_seq=1 Destination Host Unreachable"
    echo "1 packets transmitted, 0 received, +1 errors, 100% packet loss, time 0ms"
    exit 1 ;;
*)
    echo "PING $last ($last) 56(84) bytes of data."
    echo "1 packets transmitted, 0 received, 100% packet loss, time 2000ms"
    exit 1 ;;
esac
)";

QByteArray modeWord(FakePing::Mode mode)
{
    switch (mode) {
    case FakePing::Reply:
        return "reply";
    case FakePing::Unreachable:
        return "unreachable";
    case FakePing::Timeout:
        return "timeout";
    case FakePing::Missing:
        return "missing";
    }
    return "reply";
}
} // namespace

FakePing::FakePing(Mode mode)
    : m_baOldPath(qgetenv("PATH"))
{
    if (!m_dir.isValid())
        return;
    QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
    QDir(m_dir.path()).mkpath(QStringLiteral("empty"));
    const QString script = binPath() + QStringLiteral("/ping");
    m_bValid = TestSupport::writeAll(script, Script)
               && QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner
                                                    | QFile::ExeUser);
    setMode(mode);
}

FakePing::~FakePing()
{
    qputenv("PATH", m_baOldPath);
}

QString FakePing::binPath() const
{
    return m_dir.path() + QStringLiteral("/bin");
}

QString FakePing::emptyPath() const
{
    return m_dir.path() + QStringLiteral("/empty");
}

void FakePing::setMode(Mode mode)
{
    m_eMode = mode;
    TestSupport::writeAll(binPath() + QStringLiteral("/mode"), modeWord(mode) + '\n');
    if (mode == Missing)
        qputenv("PATH", QFile::encodeName(emptyPath()));
    else
        qputenv("PATH", QFile::encodeName(binPath()) + ':' + m_baOldPath);
}

QStringList FakePing::calls() const
{
    const QByteArray text = TestSupport::readAll(binPath() + QStringLiteral("/calls.txt"));
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}
