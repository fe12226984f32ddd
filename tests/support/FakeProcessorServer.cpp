#include "support/FakeProcessorServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
bool isSet(const QByteArray &command)
{
    if (command == "SUB" || command.startsWith("SUB ") || command.startsWith("UNS "))
        return false;
    return command.startsWith('S') || command.startsWith('M');
}
} // namespace

FakeProcessorServer::FakeProcessorServer(Mode mode, QObject *parent)
    : QObject(parent)
    , m_pServer(new QTcpServer(this))
    , m_eMode(mode)
{
    connect(m_pServer, &QTcpServer::newConnection, this, &FakeProcessorServer::onNewConnection);
}

FakeProcessorServer::~FakeProcessorServer()
{
    for (const QPointer<QTcpSocket> &client : std::as_const(m_lClients)) {
        if (client) {
            client->disconnect(this);
            client->abort();
        }
    }
}

bool FakeProcessorServer::listen(quint16 port)
{
    if (!m_pServer->listen(QHostAddress::LocalHost, port))
        return false;
    m_nPort = m_pServer->serverPort();
    return true;
}

void FakeProcessorServer::stopListening()
{
    m_pServer->close();
}

void FakeProcessorServer::setAnswer(const QByteArray &command, const QByteArray &answer)
{
    m_hAnswers.insert(command, answer);
}

void FakeProcessorServer::setCloseAfter(int commands)
{
    m_nCloseAfter = commands;
}

void FakeProcessorServer::push(const QByteArray &line)
{
    sendRaw(line + '\r');
}

void FakeProcessorServer::sendRaw(const QByteArray &bytes)
{
    for (const QPointer<QTcpSocket> &client : std::as_const(m_lClients)) {
        if (client && client->state() == QAbstractSocket::ConnectedState) {
            client->write(bytes);
            // On its way now, so a test can time it against the editor's timers.
            client->flush();
        }
    }
}

void FakeProcessorServer::dropConnections()
{
    const QList<QPointer<QTcpSocket>> clients = m_lClients;
    m_lClients.clear();
    for (const QPointer<QTcpSocket> &client : clients) {
        if (!client)
            continue;
        m_hInput.remove(client);
        client->disconnect(this);
        // Pending answers are still written; the socket goes once it is disconnected.
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        client->disconnectFromHost();
    }
}

int FakeProcessorServer::connectedCount() const
{
    int nCount = 0;
    for (const QPointer<QTcpSocket> &client : m_lClients) {
        if (client && client->state() == QAbstractSocket::ConnectedState)
            ++nCount;
    }
    return nCount;
}

void FakeProcessorServer::onNewConnection()
{
    while (QTcpSocket *client = m_pServer->nextPendingConnection()) {
        ++m_nAccepted;
        m_lClients.append(client);
        connect(client, &QTcpSocket::readyRead, this, &FakeProcessorServer::onReadyRead);
        connect(client, &QTcpSocket::disconnected, this, &FakeProcessorServer::onClientDisconnected);
        emit clientConnected();
    }
}

void FakeProcessorServer::onReadyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    QByteArray input = m_hInput.value(socket) + socket->readAll();
    QList<QByteArray> commands;
    for (int nEnd = input.indexOf('\r'); nEnd >= 0; nEnd = input.indexOf('\r')) {
        commands.append(input.left(nEnd));
        input.remove(0, nEnd + 1);
    }
    m_hInput.insert(socket, input);
    for (const QByteArray &command : std::as_const(commands)) {
        // A command may have closed this connection.
        if (!m_lClients.contains(socket))
            return;
        handleCommand(socket, command);
    }
}

void FakeProcessorServer::onClientDisconnected()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    m_hInput.remove(socket);
    m_lClients.removeAll(socket);
    socket->deleteLater();
}

void FakeProcessorServer::handleCommand(QTcpSocket *socket, const QByteArray &command)
{
    m_lCommands.append(command);
    emit commandReceived(command);
    const QByteArray answer = answerFor(command);
    if (!answer.isEmpty())
        reply(socket, answer);
    if (m_nCloseAfter > 0 && --m_nCloseAfter == 0)
        dropConnections();
}

QByteArray FakeProcessorServer::answerFor(const QByteArray &command) const
{
    if (m_eMode == Silent)
        return QByteArray();
    if (m_eMode == Nak)
        return QByteArray(1, NakByte);
    if (m_hAnswers.contains(command))
        return m_hAnswers.value(command) + '\r';
    if (m_answerer) {
        const QByteArray answer = m_answerer(command);
        if (!answer.isEmpty())
            return answer + '\r';
    }
    if (command == "SUB")
        return m_eMode == Subscription ? QByteArray("SUB,yes\r") : QByteArray("SUB,no\r");
    if (m_eMode == Subscription && (command.startsWith("SUB ") || command.startsWith("UNS ")))
        return command + ",yes\r";
    if (isSet(command))
        return QByteArray(1, AckByte);
    return QByteArray(1, NakByte);
}

void FakeProcessorServer::reply(QTcpSocket *socket, const QByteArray &bytes)
{
    if (!m_bSplitReplies || bytes.size() < 2) {
        socket->write(bytes);
        return;
    }
    const int nHalf = bytes.size() / 2;
    socket->write(bytes.left(nHalf));
    socket->flush();
    QPointer<QTcpSocket> guarded = socket;
    const QByteArray rest = bytes.mid(nHalf);
    QTimer::singleShot(30, this, [guarded, rest]() {
        if (guarded && guarded->state() == QAbstractSocket::ConnectedState)
            guarded->write(rest);
    });
}
