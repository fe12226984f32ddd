#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in for the system ping: a small script in a temporary folder put first on PATH for the
// life of this object (PATH is restored afterwards). Each run records its arguments.
class FakePing
{
public:
    enum Mode {
        Reply,        // a reply, exit 0
        Unreachable,  // "Destination Host Unreachable", exit 1
        Timeout,      // no reply and no time-out text, exit 1 (as a Linux ping prints it)
        Missing       // no ping on PATH at all
    };

    explicit FakePing(Mode mode = Reply);
    ~FakePing();
    FakePing(const FakePing &) = delete;
    FakePing &operator=(const FakePing &) = delete;

    bool isValid() const { return m_bValid; }
    void setMode(Mode mode);
    Mode mode() const { return m_eMode; }
    // The argument lists of every run so far, each joined by blanks.
    QStringList calls() const;
    int callCount() const { return calls().size(); }

private:
    QString binPath() const;
    QString emptyPath() const;

    QTemporaryDir m_dir;
    QByteArray m_baOldPath;
    Mode m_eMode = Reply;
    bool m_bValid = false;
};
