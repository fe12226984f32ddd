#pragma once

#include "protocols/PFileProtocol.h"

#include <QList>

// The file transfer with its progress display and receive wait answered by
// the test: the user aborts after a number of pieces, or cancels the receive
// box once some bytes have come. The wait ends when the peer closes.
class ScriptedFileProtocol : public PFileProtocol
{
    Q_OBJECT

public:
    explicit ScriptedFileProtocol(QObject *parent = nullptr);

    // Presses "Abort" at this progress update (1 = the first piece); 0 never.
    void setAbortAtPiece(int piece) { m_nAbortAtPiece = piece; }
    // Cancels the receive once this many bytes have arrived; -1 never.
    void setCancelAfterBytes(qint64 bytes) { m_nCancelAfter = bytes; }
    // Gives up waiting after this long, as a closed receive box would.
    void setWaitLimitMs(int ms) { m_nWaitLimitMs = ms; }

    bool onReceive(const QByteArray &bytes) override;

    QList<qint64> progress() const { return m_lProgress; }
    qint64 progressTotal() const { return m_nTotal; }
    qint64 receivedBytes() const { return m_nReceived; }
    bool waited() const { return m_bWaited; }

signals:
    void cancelRequested();

protected:
    void showSendProgress(qint64 total) override { m_nTotal = total; }
    void setSendProgress(qint64 done) override { m_lProgress.append(done); }
    bool isSendAborted() const override;
    void closeSendProgress() override {}
    bool canWaitForReceive() const override { return true; }
    void waitForReceive() override;

private:
    QList<qint64> m_lProgress;
    qint64 m_nTotal = -1;
    qint64 m_nReceived = 0;
    qint64 m_nCancelAfter = -1;
    int m_nAbortAtPiece = 0;
    int m_nWaitLimitMs = 10000;
    bool m_bWaited = false;
};
