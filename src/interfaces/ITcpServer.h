#pragma once

#include "interfaces/IInterface.h"

#include <QAbstractSocket>
#include <QHostAddress>

class QTcpServer;
class QTcpSocket;

// Receives one connection on a port (a mobile device sending a panel project) and hands every
// received byte to the bound protocol. Listening stops once a peer is accepted.
class ITcpServer : public IInterface
{
    Q_OBJECT

public:
    explicit ITcpServer(QObject *parent = nullptr);
    ~ITcpServer() override;

    bool open() override;
    bool close() override;
    // Writes at once to the accepted peer; type, reply prefix and time-out do not apply.
    int send(const QByteArray &data, int length, TcpMessageType type,
             const QByteArray &replyPrefix, int timeoutMs) override;
    qint64 bytesToWrite() const override;
    void dump() const override;
    QString typeName() const override;
    void setPort(int port) override;
    // The address to listen on; every interface unless set.
    void setHostAddress(const QHostAddress &address) override;

    bool listen();
    // The port actually listened on (the stored one, or the one chosen for port 0); 0 when not.
    quint16 serverPort() const;
    bool isListening() const;
    bool hasClient() const { return m_pClient != nullptr; }

public slots:
    void newConnection();
    void error(QAbstractSocket::SocketError err);
    void serverror(QAbstractSocket::SocketError err);
    void stateChanged(QAbstractSocket::SocketState socketState);
    void connected();
    void disconnected();
    void readyRead();
    void readChannelFinished();
    void aboutToClose();

private:
    void closeClient();
    void closeListener();

    QTcpServer *m_pListener = nullptr;
    QTcpSocket *m_pClient = nullptr;
    quint32 m_nPort = 0;
    QHostAddress m_listenAddress = QHostAddress(QHostAddress::Any);
};
