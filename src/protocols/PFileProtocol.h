#pragma once

#include "protocols/PProtocol.h"

#include <QMetaObject>
#include <QPointer>

class QFile;
class QProgressDialog;

// Moves a saved panel project to or from a mobile device ("File"): the raw
// file bytes in pieces of 4096, the end of the connection ending the file.
// A transfer reports success only when every byte arrived where it belongs.
class PFileProtocol : public PProtocol
{
    Q_OBJECT

public:
    static constexpr int PieceSize = 4096;
    static constexpr int PieceWaitMs = 30000;
    static constexpr int EndWaitMs = 1000;

    explicit PFileProtocol(QObject *parent = nullptr);
    ~PFileProtocol() override;

    bool sendFile(const QString &path) override;
    bool receiveFile(const QString &path) override;
    bool onReceive(const QByteArray &bytes) override;
    QString name() const override;

    bool isReceiving() const { return m_pFile != nullptr; }
    // Bytes written so far by the running receive; 0 outside one.
    qint64 receivedBytes() const;

public slots:
    // The receive box was cancelled (or the connection ended): closes the file being received.
    void connectionClose();

protected:
    // Seams for the progress display and the receive wait; tests answer them.
    virtual void showSendProgress(qint64 total);
    virtual void setSendProgress(qint64 done);
    virtual bool isSendAborted() const;
    virtual void closeSendProgress();
    virtual bool canWaitForReceive() const;
    virtual void waitForReceive();

private slots:
    void onPeerClosed();
    void onSendStateChanged(bool connected);

private:
    bool sendPieces(QFile &file);
    bool drainSend();
    bool finishReceive(const QString &path, const QString &temporaryPath);
    static bool replaceFile(const QString &path, const QString &temporaryPath);

    QFile *m_pFile = nullptr;
    QPointer<QProgressDialog> m_pProgress;
    QMetaObject::Connection m_peerClosedConnection;
    bool m_bPeerClosed = false;
    bool m_bConnectionLost = false;
    bool m_bCancelled = false;
    bool m_bWriteFailed = false;
};
