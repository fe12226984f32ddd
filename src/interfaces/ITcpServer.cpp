#include "interfaces/ITcpServer.h"

#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"

#include <QDebug>
#include <QTcpServer>
#include <QTcpSocket>

ITcpServer::ITcpServer(QObject *parent)
    : IInterface(parent)
{
}

ITcpServer::~ITcpServer()
{
    close();
}

void ITcpServer::setPort(int port)
{
    m_nPort = quint32(port);
}

void ITcpServer::setHostAddress(const QHostAddress &address)
{
    m_listenAddress = address;
}

bool ITcpServer::open()
{
    closeListener();
    m_pListener = new QTcpServer(this);
    connect(m_pListener, &QTcpServer::newConnection, this, &ITcpServer::newConnection);
    connect(m_pListener, &QTcpServer::acceptError, this, &ITcpServer::serverror);
    return listen();
}

bool ITcpServer::listen()
{
    if (!m_pListener) {
        qCWarning(lcInterfaces) << "Attempting to open a QTcpServer that is null.";
        return false;
    }
    if (m_pListener->isListening() && m_pListener->serverPort() == m_nPort) {
        qCDebug(lcInterfaces) << "ITCPServer is already listening on port " << m_nPort;
        return true;
    }
    if (m_nPort > 0xFFFF || !m_pListener->listen(m_listenAddress, quint16(m_nPort))) {
        qCWarning(lcInterfaces).noquote() << "Error " << int(m_pListener->serverError())
                             << ": Starting listener on port: " << m_nPort << " - "
                             << m_pListener->errorString();
        return false;
    }
    qCDebug(lcInterfaces) << "ITCPServer has started listening on port " << m_pListener->serverPort();
    return true;
}

quint16 ITcpServer::serverPort() const
{
    return m_pListener && m_pListener->isListening() ? m_pListener->serverPort() : 0;
}

bool ITcpServer::isListening() const
{
    return m_pListener && m_pListener->isListening();
}

bool ITcpServer::close()
{
    qCDebug(lcInterfaces) << "TCP Server closed cleanly.";
    closeClient();
    closeListener();
    return true;
}

void ITcpServer::closeClient()
{
    if (!m_pClient)
        return;
    QTcpSocket *client = m_pClient;
    m_pClient = nullptr;
    client->disconnect(this);
    client->disconnectFromHost();
    if (client->state() != QAbstractSocket::UnconnectedState)
        client->abort();
    // Later: close may be reached from one of the socket's own signals.
    client->deleteLater();
}

void ITcpServer::closeListener()
{
    if (!m_pListener)
        return;
    m_pListener->disconnect(this);
    m_pListener->close();
    delete m_pListener;
    m_pListener = nullptr;
}

int ITcpServer::send(const QByteArray &data, int length, TcpMessageType, const QByteArray &, int)
{
    if (!m_pClient)
        return 0;
    return int(m_pClient->write(sendBytes(data, length)));
}

qint64 ITcpServer::bytesToWrite() const
{
    return m_pClient ? m_pClient->bytesToWrite() : 0;
}

void ITcpServer::dump() const
{
    qCDebug(lcInterfaces) << this << typeName();
}

QString ITcpServer::typeName() const
{
    return QStringLiteral("TcpServer Interface");
}

void ITcpServer::newConnection()
{
    if (!m_pListener)
        return;
    QTcpSocket *client = m_pListener->nextPendingConnection();
    if (!client)
        return;
    if (m_pClient) {
        // One peer at a time: a connection that slipped in before listening stopped is refused.
        client->abort();
        client->deleteLater();
        return;
    }
    // Owned here, so closing the listener does not take the connection with it.
    client->setParent(this);
    m_pClient = client;
    connect(client, &QTcpSocket::readyRead, this, &ITcpServer::readyRead);
    connect(client, &QTcpSocket::readChannelFinished, this, &ITcpServer::readChannelFinished);
    connect(client, &QTcpSocket::connected, this, &ITcpServer::connected);
    connect(client, &QTcpSocket::disconnected, this, &ITcpServer::disconnected);
    connect(client, &QTcpSocket::stateChanged, this, &ITcpServer::stateChanged);
    connect(client, &QTcpSocket::errorOccurred, this, &ITcpServer::error);
    m_pListener->close();
}

void ITcpServer::readyRead()
{
    if (!m_pClient || !m_pClient->isOpen())
        return;
    const QByteArray bytes = m_pClient->readAll();
    if (!bytes.isEmpty() && m_pProtocol)
        m_pProtocol->onReceive(bytes);
}

void ITcpServer::disconnected()
{
    if (!m_pClient)
        return;
    // Whatever is still buffered belongs to the file before its end is reported.
    readyRead();
    emit connectionClose();
}

void ITcpServer::error(QAbstractSocket::SocketError err)
{
    if (m_pClient && err != QAbstractSocket::RemoteHostClosedError)
        qCDebug(lcInterfaces) << "error: " << m_pClient->errorString();
}

void ITcpServer::serverror(QAbstractSocket::SocketError)
{
}

void ITcpServer::stateChanged(QAbstractSocket::SocketState)
{
}

void ITcpServer::connected()
{
}

void ITcpServer::readChannelFinished()
{
}

void ITcpServer::aboutToClose()
{
}
