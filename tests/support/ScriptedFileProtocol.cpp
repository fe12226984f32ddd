#include "support/ScriptedFileProtocol.h"

#include "interfaces/IInterface.h"

#include <QEventLoop>
#include <QTimer>

ScriptedFileProtocol::ScriptedFileProtocol(QObject *parent)
    : PFileProtocol(parent)
{
}

bool ScriptedFileProtocol::isSendAborted() const
{
    return m_nAbortAtPiece > 0 && m_lProgress.size() >= m_nAbortAtPiece;
}

bool ScriptedFileProtocol::onReceive(const QByteArray &bytes)
{
    const bool written = PFileProtocol::onReceive(bytes);
    if (written)
        m_nReceived += bytes.size();
    if (m_nCancelAfter >= 0 && m_nReceived >= m_nCancelAfter && isReceiving()) {
        m_nCancelAfter = -1;
        // As the receive box does: the protocol hears the cancel, then the wait ends.
        connectionClose();
        emit cancelRequested();
    }
    return written;
}

void ScriptedFileProtocol::waitForReceive()
{
    m_bWaited = true;
    QEventLoop loop;
    connect(boundInterface(), &IInterface::connectionClose, &loop, &QEventLoop::quit);
    connect(this, &ScriptedFileProtocol::cancelRequested, &loop, &QEventLoop::quit);
    QTimer::singleShot(m_nWaitLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
}
