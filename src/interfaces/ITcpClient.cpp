#include "interfaces/ITcpClient.h"

#include "interfaces/ITcpClientThread.h"
#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"
#include "utility/UPing.h"

#include <QDebug>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {
const QString Unreachable = QStringLiteral("Destination Host Unreachable");
const QString TimedOut = QStringLiteral("Request timed out");
} // namespace

ITcpClient::ITcpClient(QObject *parent)
    : IInterface(parent)
    , m_pReconnectTimer(new QTimer(this))
    , m_pHostStatusTimer(new QTimer(this))
    , m_pPing(new UPing(this))
    , m_pDispatcher(new ITcpClientThread(this))
{
    m_pDispatcher->setQueues(&m_lSendQueue, &m_lReplyQueue);
    connect(this, &ITcpClient::startMessageProcessing, m_pDispatcher,
            &ITcpClientThread::onStartMessageProcessing, Qt::DirectConnection);
    connect(this, &ITcpClient::quitMessageProcessing, m_pDispatcher,
            &ITcpClientThread::onQuitMessageProcessing, Qt::DirectConnection);
    connect(this, &ITcpClient::replyReady, m_pDispatcher, &ITcpClientThread::onReplyReady,
            Qt::DirectConnection);
    connect(m_pDispatcher, &ITcpClientThread::sendMessage, this, &ITcpClient::onSendMessage,
            Qt::DirectConnection);
    connect(m_pDispatcher, &ITcpClientThread::messageError, this, &ITcpClient::onMessageSendError,
            Qt::DirectConnection);
    m_pDispatcher->start();

    m_pReconnectTimer->setInterval(ReconnectMs);
    m_pHostStatusTimer->setSingleShot(true);
    m_pHostStatusTimer->setInterval(HostStatusMs);
    connect(m_pReconnectTimer, &QTimer::timeout, this, &ITcpClient::retry);
    connect(m_pHostStatusTimer, &QTimer::timeout, this, &ITcpClient::onHostStatusTimerTimesout);
    connect(m_pPing, &UPing::finished, this, &ITcpClient::onPingFinished);
}

ITcpClient::~ITcpClient()
{
    m_pReconnectTimer->stop();
    m_pHostStatusTimer->stop();
    m_pPing->cancel();
    if (m_pSocket) {
        m_pSocket->disconnect(this);
        m_pSocket->abort();
        delete m_pSocket;
        m_pSocket = nullptr;
    }
    // Stop the worker thread and wait until it has ended; it is deleted once, here.
    m_pDispatcher->disconnect(this);
    m_pDispatcher->quit();
    m_pDispatcher->wait();
    delete m_pDispatcher;
    m_pDispatcher = nullptr;
}

bool ITcpClient::open()
{
    if (m_pSocket)
        close();
    createSocket();
    QPointer<QTcpSocket> socket = m_pSocket;
    socket->connectToHost(m_hostAddress, quint16(m_nPort), QIODevice::ReadWrite);
    if (socket && socket == m_pSocket && socket->waitForConnected(m_nConnectWait)) {
        startHostStatusTimer();
        return true;
    }
    return false;
}

bool ITcpClient::close()
{
    if (m_pDispatcher->isProcessing())
        emit quitMessageProcessing();
    if (!m_pSocket)
        return false;
    QPointer<QTcpSocket> socket = m_pSocket;
    if (socket->state() == QAbstractSocket::ConnectedState) {
        socket->disconnectFromHost();
        // A dead peer must not hold the caller up: wait a short while, then drop the connection.
        if (socket && socket->state() != QAbstractSocket::UnconnectedState)
            socket->waitForDisconnected(CloseWaitMs);
    }
    if (socket && socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
    releaseSocket();
    m_pReconnectTimer->stop();
    m_pHostStatusTimer->stop();
    m_pPing->cancel();
    m_replyBuffer.clear();
    m_eSocketState = QAbstractSocket::UnconnectedState;
    m_nLastError = -1;
    m_eState = ConnectionState::Idle;
    if (m_bConnected)
        goDown();
    return true;
}

void ITcpClient::start()
{
    if (!m_pSocket)
        open();
}

void ITcpClient::stop()
{
    close();
}

int ITcpClient::send(const QByteArray &data, int length, TcpMessageType type,
                     const QByteArray &replyPrefix, int timeoutMs)
{
    if (!m_pSocket)
        return 0;
    const QByteArray bytes = sendBytes(data, length);
    if (type == TcpMessageType::Immediate) {
        if (!isSocketConnected())
            return 0;
        const qint64 nWritten = m_pSocket->write(bytes);
        startHostStatusTimer();
        return int(nWritten);
    }
    TcpMessage message;
    message.m_eType = type;
    message.m_baData = bytes;
    message.m_baReplyPrefix = replyPrefix;
    message.m_nTimeoutMs = timeoutMs;
    queueMessage(message);
    return 0;
}

void ITcpClient::queueMessage(const TcpMessage &message)
{
    // A processor that is connected but mute must not collect the same poll over and over.
    if (message.m_eType == TcpMessageType::ReplyExpected) {
        for (const TcpMessage &queued : std::as_const(m_lSendQueue)) {
            if (queued.isSameAs(message))
                return;
        }
    }
    if (m_lSendQueue.size() < MaxSendQueue) {
        m_bSendQueueFull = false;
    } else {
        if (!m_bSendQueueFull)
            qCWarning(lcInterfaces) << "send queue full, dropping the oldest messages";
        m_bSendQueueFull = true;
        m_lSendQueue.removeFirst();
    }
    m_lSendQueue.append(message);
}

bool ITcpClient::waitForBytesWritten(int ms)
{
    if (!m_pSocket || m_pSocket->state() == QAbstractSocket::UnconnectedState)
        return false;
    return m_pSocket->waitForBytesWritten(ms);
}

qint64 ITcpClient::bytesToWrite() const
{
    return m_pSocket ? m_pSocket->bytesToWrite() : 0;
}

QString ITcpClient::stateTextFor(ConnectionState state)
{
    switch (state) {
    case ConnectionState::Idle:
        return tr(" - Offline - Idle");
    case ConnectionState::Connecting:
        return tr(" - Offline - Connecting");
    case ConnectionState::Running:
        return tr(" - Online - Running");
    case ConnectionState::Reconnecting:
        return tr(" - Offline - Reconnecting");
    case ConnectionState::Resetting:
        return tr(" - Offline - Resetting");
    }
    return tr(" - Unknown State");
}

QString ITcpClient::stateText() const
{
    return stateTextFor(m_eState);
}

void ITcpClient::dump() const
{
    qCDebug(lcInterfaces) << this << typeName() << hostAddressText() << m_nPort << m_pProtocol
             << (m_bConnected ? "true" : "false");
}

QString ITcpClient::typeName() const
{
    return QStringLiteral("TcpClient Interface");
}

QString ITcpClient::hostAddressText() const
{
    return m_hostAddress.toString();
}

void ITcpClient::setHostAddress(const QHostAddress &address)
{
    m_hostAddress = address;
}

void ITcpClient::setPort(int port)
{
    m_nPort = port;
}

ConnectionState ITcpClient::connectionState() const
{
    return m_eState;
}

void ITcpClient::setProtocol(PProtocol *protocol)
{
    IInterface::setProtocol(protocol);
    m_pDispatcher->setProtocol(protocol);
    if (!isHostCheckEnabled())
        m_pHostStatusTimer->stop();
}

bool ITcpClient::isSubscriptionModeSet() const
{
    return m_bSubscriptionModeKnown;
}

void ITcpClient::resetProtocol()
{
    if (!m_pProtocol)
        return;
    m_bSubscriptionModeKnown = false;
    if (m_eSocketState == QAbstractSocket::UnconnectedState)
        m_pProtocol->onOnlineStateChanged(false);
    else
        m_pProtocol->reset();
}

bool ITcpClient::subscriptionMode() const
{
    return m_bSubscriptionModeKnown && m_bSubscriptionMode;
}

void ITcpClient::setSubscriptionMode(bool on)
{
    m_bSubscriptionMode = on;
    m_bSubscriptionModeKnown = true;
    m_pDispatcher->setSubscriptionMode(on);
}

void ITcpClient::startHostStatusTimer()
{
    if (isHostCheckEnabled() && !m_pHostStatusTimer->isActive())
        m_pHostStatusTimer->start();
}

bool ITcpClient::isHostCheckEnabled() const
{
    // The probe would land in the middle of a panel file.
    return !m_pProtocol || m_pProtocol->name() != QLatin1String("File");
}

void ITcpClient::setHostStatusInterval(int ms)
{
    m_pHostStatusTimer->setInterval(ms);
}

bool ITcpClient::isReconnectTimerActive() const
{
    return m_pReconnectTimer->isActive();
}

bool ITcpClient::isHostStatusTimerActive() const
{
    return m_pHostStatusTimer->isActive();
}

void ITcpClient::onConnected()
{
    m_eSocketState = QAbstractSocket::ConnectedState;
    stateStep();
}

void ITcpClient::stateChanged(QAbstractSocket::SocketState socketState)
{
    m_eSocketState = socketState;
    m_nLastError = -1;
    stateStep();
    if (socketState == QAbstractSocket::UnconnectedState && m_pSocket)
        m_pReconnectTimer->start(ReconnectMs);
}

void ITcpClient::onDisconnected()
{
    m_eSocketState = QAbstractSocket::UnconnectedState;
    switch (m_eState) {
    case ConnectionState::Connecting:
        enterReconnecting();
        break;
    case ConnectionState::Running:
    case ConnectionState::Reconnecting:
    case ConnectionState::Resetting:
        stateStep();
        break;
    case ConnectionState::Idle:
        break;
    }
}

void ITcpClient::error(QAbstractSocket::SocketError socketError)
{
    // Repeats every retry while a processor is unreachable: debug output only.
    qCDebug(lcInterfaces) << "Socket error" << int(socketError);
    m_nLastError = socketError;
    stateStep();
}

void ITcpClient::retry()
{
    if (!m_pSocket || m_pSocket->state() != QAbstractSocket::UnconnectedState)
        return;
    QPointer<QTcpSocket> socket = m_pSocket;
    socket->connectToHost(m_hostAddress, quint16(m_nPort), QIODevice::ReadWrite);
    if (socket && socket->waitForConnected(RetryWaitMs))
        m_pReconnectTimer->stop();
}

void ITcpClient::dataReady()
{
    if (!m_pSocket)
        return;
    const QByteArray bytes = m_pSocket->readAll();
    if (bytes.isEmpty())
        return;
    const QList<QByteArray> pieces = m_replyBuffer.take(bytes);
    if (pieces.isEmpty())
        return;
    queueReplies(pieces);
    emit replyReady();
    m_pHostStatusTimer->stop();
}

void ITcpClient::queueReplies(const QList<QByteArray> &pieces)
{
    m_lReplyQueue.append(pieces);
    const int nExcess = m_lReplyQueue.size() - MaxReplyQueue;
    if (nExcess > 0) {
        qCWarning(lcInterfaces) << "reply queue full, dropping" << nExcess << "oldest replies";
        m_lReplyQueue.remove(0, nExcess);
    }
}

void ITcpClient::onMessageSendError(QByteArray)
{
    ++m_nFailures;
}

void ITcpClient::onSendMessage(QByteArray bytes, int *bytesWritten)
{
    int nWritten = 0;
    if (isSocketConnected())
        nWritten = int(qMax<qint64>(m_pSocket->write(bytes), 0));
    if (bytesWritten)
        *bytesWritten = nWritten;
    if (m_pSocket)
        startHostStatusTimer();
}

void ITcpClient::onHostStatusTimerTimesout()
{
    if (!m_pSocket || !isHostCheckEnabled() || m_pPing->isRunning())
        return;
    m_pPing->start(hostAddressText());
}

void ITcpClient::onPingFinished(const QString &text)
{
    if (!m_pSocket || !isHostCheckEnabled())
        return;
    if (text.isEmpty() || text.contains(Unreachable) || text.contains(TimedOut))
        send(QByteArrayLiteral("SUB\r"), 4, TcpMessageType::Immediate, QByteArrayLiteral("SUB"), 200);
    m_pHostStatusTimer->start();
}

void ITcpClient::createSocket()
{
    m_pSocket = new QTcpSocket(this);
    // The reply buffer bounds what a hostile peer can make us hold.
    m_pSocket->setReadBufferSize(ReadBufferSize);
    connect(m_pSocket, &QTcpSocket::connected, this, &ITcpClient::onConnected);
    connect(m_pSocket, &QTcpSocket::disconnected, this, &ITcpClient::onDisconnected);
    connect(m_pSocket, &QTcpSocket::readyRead, this, &ITcpClient::dataReady);
    connect(m_pSocket, &QTcpSocket::errorOccurred, this, &ITcpClient::error);
    connect(m_pSocket, &QTcpSocket::stateChanged, this, &ITcpClient::stateChanged);
}

void ITcpClient::releaseSocket()
{
    if (!m_pSocket)
        return;
    QTcpSocket *socket = m_pSocket;
    m_pSocket = nullptr;
    socket->disconnect(this);
    socket->close();
    // Later: this may run inside one of the socket's own signals.
    socket->deleteLater();
}

bool ITcpClient::isSocketConnected() const
{
    return m_pSocket && m_pSocket->state() == QAbstractSocket::ConnectedState;
}

void ITcpClient::stateStep()
{
    const QAbstractSocket::SocketState socketState = m_eSocketState;
    switch (m_eState) {
    case ConnectionState::Idle:
        if (socketState == QAbstractSocket::HostLookupState
            || socketState == QAbstractSocket::ConnectingState)
            m_eState = ConnectionState::Connecting;
        break;
    case ConnectionState::Connecting:
        if (socketState == QAbstractSocket::ConnectedState) {
            m_eState = ConnectionState::Running;
            goUp();
            emit startMessageProcessing();
            emit connectionActive();
        } else if (socketState == QAbstractSocket::UnconnectedState) {
            enterReconnecting();
        }
        break;
    case ConnectionState::Running:
        stepRunning();
        break;
    case ConnectionState::Reconnecting:
        if (socketState == QAbstractSocket::ConnectedState) {
            m_eState = ConnectionState::Running;
            startHostStatusTimer();
            m_pReconnectTimer->stop();
            goUp();
            emit startMessageProcessing();
        } else if (!m_pSocket) {
            m_eState = ConnectionState::Idle;
        }
        break;
    case ConnectionState::Resetting:
        stepResetting();
        break;
    }
}

void ITcpClient::stepRunning()
{
    if (m_nFailures >= FailureLimit) {
        m_eState = ConnectionState::Resetting;
        m_nFailures = 0;
        emit quitMessageProcessing();
    } else if (m_nLastError == QAbstractSocket::RemoteHostClosedError) {
        enterReconnecting();
        emit quitMessageProcessing();
    } else if (m_eSocketState == QAbstractSocket::UnconnectedState) {
        m_eState = ConnectionState::Idle;
        goDown();
        emit quitMessageProcessing();
    }
}

void ITcpClient::stepResetting()
{
    if (m_nLastError != -1 && m_nLastError != QAbstractSocket::SocketTimeoutError)
        return;
    // The state moves first: dropping the connection below re-enters the state step.
    enterReconnecting();
    m_nLastError = -1;
    if (isSocketConnected())
        m_pSocket->disconnectFromHost();
}

void ITcpClient::goUp()
{
    m_bConnected = true;
    m_nFailures = 0;
    emit interfaceStateChanged(true);
}

void ITcpClient::goDown()
{
    m_bConnected = false;
    m_nFailures = 0;
    emit interfaceStateChanged(false);
}

void ITcpClient::enterReconnecting()
{
    m_eState = ConnectionState::Reconnecting;
    m_pReconnectTimer->start(ReconnectMs);
    goDown();
}
