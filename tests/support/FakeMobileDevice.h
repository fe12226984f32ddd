#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

// The mobile panel application at the far end of a panel transfer, for the tests.
// Receiving (the editor sends): listens on 127.0.0.1 and takes the bytes until the editor closes;
// with a stop-short limit it drops the connection once that many bytes have come.
// Sending (the editor receives): connects to a port on 127.0.0.1, writes the bytes and closes;
// with a stop-short limit it writes only that many bytes and then aborts the connection.
class FakeMobileDevice : public QObject
{
    Q_OBJECT

public:
    explicit FakeMobileDevice(QObject *parent = nullptr);
    ~FakeMobileDevice() override;

    bool listen(quint16 port = 0);
    quint16 port() const { return m_nPort; }
    QHostAddress address() const { return QHostAddress(QHostAddress::LocalHost); }
    // -1: take everything.
    void setReceiveLimit(qint64 bytes) { m_nReceiveLimit = bytes; }
    QByteArray received() const { return m_baReceived; }
    bool isReceiveFinished() const { return m_bReceiveFinished; }
    int acceptedCount() const { return m_nAccepted; }

    // stopAfter -1: the whole file, then a normal close.
    void sendFile(quint16 port, const QByteArray &bytes, qint64 stopAfter = -1);
    // Writes the bytes and keeps the connection open, as a sender that stalls.
    void sendAndHold(quint16 port, const QByteArray &bytes);
    // Breaks the send connection with a reset, as a failing network does.
    void breakSend();
    bool isSendFinished() const { return m_bSendFinished; }
    qint64 bytesSent() const { return m_nSent; }
    // Whether the send connection was made at all.
    bool sendConnected() const { return m_bSendConnected; }

signals:
    void receiveFinished();
    void sendFinished();

private slots:
    void onNewConnection();
    void onReceiveReadyRead();
    void onReceiveDisconnected();
    void onSendConnected();
    void onSendBytesWritten(qint64 bytes);
    void onSendError();

private:
    void finishReceive();
    void finishSend(bool abort);

    QTcpServer *m_pServer = nullptr;
    QPointer<QTcpSocket> m_pReceiveSocket;
    QPointer<QTcpSocket> m_pSendSocket;
    quint16 m_nPort = 0;
    qint64 m_nReceiveLimit = -1;
    QByteArray m_baReceived;
    bool m_bReceiveFinished = false;
    int m_nAccepted = 0;
    QByteArray m_baToSend;
    qint64 m_nSent = 0;
    bool m_bSendFinished = false;
    bool m_bSendConnected = false;
    bool m_bHold = false;
};
