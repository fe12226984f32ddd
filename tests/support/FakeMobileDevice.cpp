#include "support/FakeMobileDevice.h"

#include <QTcpServer>

#include <sys/socket.h>
#include <QTcpSocket>

FakeMobileDevice::FakeMobileDevice(QObject *parent)
    : QObject(parent)
    , m_pServer(new QTcpServer(this))
{
    connect(m_pServer, &QTcpServer::newConnection, this, &FakeMobileDevice::onNewConnection);
}

FakeMobileDevice::~FakeMobileDevice()
{
    for (QTcpSocket *socket : {m_pReceiveSocket.data(), m_pSendSocket.data()}) {
        if (socket) {
            socket->disconnect(this);
            socket->abort();
        }
    }
}

bool FakeMobileDevice::listen(quint16 port)
{
    if (!m_pServer->listen(QHostAddress::LocalHost, port))
        return false;
    m_nPort = m_pServer->serverPort();
    return true;
}

void FakeMobileDevice::onNewConnection()
{
    while (QTcpSocket *socket = m_pServer->nextPendingConnection()) {
        ++m_nAccepted;
        if (m_pReceiveSocket) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_pReceiveSocket = socket;
        m_bReceiveFinished = false;
        connect(socket, &QTcpSocket::readyRead, this, &FakeMobileDevice::onReceiveReadyRead);
        connect(socket, &QTcpSocket::disconnected, this, &FakeMobileDevice::onReceiveDisconnected);
    }
}

void FakeMobileDevice::onReceiveReadyRead()
{
    if (!m_pReceiveSocket)
        return;
    m_baReceived.append(m_pReceiveSocket->readAll());
    if (m_nReceiveLimit >= 0 && m_baReceived.size() >= m_nReceiveLimit) {
        m_baReceived.truncate(int(m_nReceiveLimit));
        m_pReceiveSocket->disconnect(this);
        m_pReceiveSocket->abort();
        finishReceive();
    }
}

void FakeMobileDevice::onReceiveDisconnected()
{
    if (m_pReceiveSocket && m_pReceiveSocket->isOpen())
        m_baReceived.append(m_pReceiveSocket->readAll());
    finishReceive();
}

void FakeMobileDevice::finishReceive()
{
    if (m_bReceiveFinished)
        return;
    m_bReceiveFinished = true;
    if (m_pReceiveSocket) {
        m_pReceiveSocket->disconnect(this);
        m_pReceiveSocket->deleteLater();
        m_pReceiveSocket = nullptr;
    }
    emit receiveFinished();
}

void FakeMobileDevice::sendAndHold(quint16 port, const QByteArray &bytes)
{
    sendFile(port, bytes);
    m_bHold = true;
}

void FakeMobileDevice::breakSend()
{
    if (!m_pSendSocket)
        return;
    // No lingering: the close sends a reset instead of the orderly end.
    const linger noLinger{1, 0};
    ::setsockopt(int(m_pSendSocket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &noLinger, sizeof(noLinger));
    finishSend(true);
}

void FakeMobileDevice::sendFile(quint16 port, const QByteArray &bytes, qint64 stopAfter)
{
    m_bHold = false;
    m_baToSend = stopAfter >= 0 ? bytes.left(int(stopAfter)) : bytes;
    m_nSent = 0;
    m_bSendFinished = false;
    m_bSendConnected = false;
    auto *socket = new QTcpSocket(this);
    m_pSendSocket = socket;
    socket->setProperty("stopShort", stopAfter >= 0);
    connect(socket, &QTcpSocket::connected, this, &FakeMobileDevice::onSendConnected);
    connect(socket, &QTcpSocket::bytesWritten, this, &FakeMobileDevice::onSendBytesWritten);
    connect(socket, &QTcpSocket::errorOccurred, this, &FakeMobileDevice::onSendError);
    socket->connectToHost(address(), port);
}

void FakeMobileDevice::onSendConnected()
{
    m_bSendConnected = true;
    if (m_baToSend.isEmpty() && m_bHold)
        return;
    if (m_baToSend.isEmpty()) {
        finishSend(m_pSendSocket && m_pSendSocket->property("stopShort").toBool());
        return;
    }
    m_pSendSocket->write(m_baToSend);
}

void FakeMobileDevice::onSendBytesWritten(qint64 bytes)
{
    m_nSent += bytes;
    if (m_nSent >= m_baToSend.size() && !m_bHold)
        finishSend(m_pSendSocket && m_pSendSocket->property("stopShort").toBool());
}

void FakeMobileDevice::onSendError()
{
    finishSend(true);
}

void FakeMobileDevice::finishSend(bool abort)
{
    if (m_bSendFinished || !m_pSendSocket)
        return;
    m_bSendFinished = true;
    QTcpSocket *socket = m_pSendSocket;
    m_pSendSocket = nullptr;
    socket->disconnect(this);
    if (abort)
        socket->abort();
    else
        socket->disconnectFromHost();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    emit sendFinished();
}
