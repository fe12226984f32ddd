#pragma once

#include "interfaces/IInterface.h"
#include "interfaces/ITcpReplyBuffer.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QList>

class ITcpClientThread;
class QTcpSocket;
class QTimer;
class UPing;

// The transport over one TCP connection to a processor's control port or a mobile device's
// file-transfer port: a five-state connection machine that reconnects by itself, a host check of
// a silent peer, and the two queues that feed its message dispatcher.
class ITcpClient : public IInterface
{
    Q_OBJECT

public:
    static constexpr int ReconnectMs = 1500;
    static constexpr int HostStatusMs = 30000;
    static constexpr int RetryWaitMs = 30;
    static constexpr int CloseWaitMs = 2000;
    static constexpr int FailureLimit = 13;
    static constexpr int MaxSendQueue = 256;
    static constexpr int MaxReplyQueue = 1024;
    static constexpr int ReadBufferSize = 64 * 1024;

    explicit ITcpClient(QObject *parent = nullptr);
    ~ITcpClient() override;

    bool open() override;
    bool close() override;
    void start() override;
    void stop() override;
    int send(const QByteArray &data, int length, TcpMessageType type,
             const QByteArray &replyPrefix, int timeoutMs) override;
    bool waitForBytesWritten(int ms) override;
    qint64 bytesToWrite() const override;
    QString stateText() const override;
    void dump() const override;
    QString typeName() const override;
    QString hostAddressText() const override;
    void setHostAddress(const QHostAddress &address) override;
    void setPort(int port) override;
    ConnectionState connectionState() const override;
    void setProtocol(PProtocol *protocol) override;
    bool isSubscriptionModeSet() const override;
    void resetProtocol() override;
    bool subscriptionMode() const override;
    void setSubscriptionMode(bool on) override;
    void startHostStatusTimer() override;

    static QString stateTextFor(ConnectionState state);

    int port() const { return m_nPort; }
    // The host check probes a silent processor; a file-transfer client never runs it.
    bool isHostCheckEnabled() const;
    void setHostStatusInterval(int ms);
    bool isReconnectTimerActive() const;
    bool isHostStatusTimerActive() const;
    int pendingMessageCount() const { return m_lSendQueue.size(); }
    int pendingReplyCount() const { return m_lReplyQueue.size(); }
    ITcpClientThread *dispatcher() const { return m_pDispatcher; }
    QTcpSocket *socket() const { return m_pSocket; }

signals:
    void startMessageProcessing();
    void quitMessageProcessing();
    void replyReady();
    void connectionActive();

public slots:
    void onConnected();
    void onDisconnected();
    void retry();
    void dataReady();
    void error(QAbstractSocket::SocketError socketError);
    void stateChanged(QAbstractSocket::SocketState socketState);
    void onMessageSendError(QByteArray bytes);
    void onSendMessage(QByteArray bytes, int *bytesWritten);
    void onHostStatusTimerTimesout();
    void onPingFinished(const QString &text);

private:
    void createSocket();
    void releaseSocket();
    void stateStep();
    void stepRunning();
    void stepResetting();
    void goUp();
    void goDown();
    void enterReconnecting();
    void queueReplies(const QList<QByteArray> &pieces);
    void queueMessage(const TcpMessage &message);
    bool isSocketConnected() const;

    QTcpSocket *m_pSocket = nullptr;
    QHostAddress m_hostAddress;
    int m_nPort = 0;
    int m_nLastError = -1;
    QAbstractSocket::SocketState m_eSocketState = QAbstractSocket::UnconnectedState;
    ConnectionState m_eState = ConnectionState::Idle;
    QTimer *m_pReconnectTimer = nullptr;
    QTimer *m_pHostStatusTimer = nullptr;
    UPing *m_pPing = nullptr;
    ITcpClientThread *m_pDispatcher = nullptr;
    QList<TcpMessage> m_lSendQueue;
    QList<QByteArray> m_lReplyQueue;
    ITcpReplyBuffer m_replyBuffer;
    bool m_bSubscriptionMode = false;
    bool m_bSubscriptionModeKnown = false;
    bool m_bSendQueueFull = false;
};
