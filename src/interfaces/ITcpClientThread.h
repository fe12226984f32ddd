#pragma once

#include "interfaces/TcpMessage.h"

#include <QByteArray>
#include <QList>
#include <QThread>

class PProtocol;
class QTimer;

// Sends a TCP client's queued messages one at a time, checks each acknowledgement or reply, hands
// reply lines to the protocol and retries failures. The dispatching runs on the GUI thread, paced
// by a 10 ms step; the thread itself only runs an empty event loop.
class ITcpClientThread : public QThread
{
    Q_OBJECT

public:
    enum DispatchState { Idle = 0, AwaitingReply = 1, Resend = 2 };

    static constexpr int StepMs = 10;
    static constexpr int MaxWrites = 3;

    explicit ITcpClientThread(QObject *parent = nullptr);
    ~ITcpClientThread() override;

    // The client's queues; the dispatcher takes from the send queue and the reply queue.
    void setQueues(QList<TcpMessage> *sendQueue, QList<QByteArray> *replyQueue);
    void setProtocol(PProtocol *protocol) { m_pProtocol = protocol; }
    PProtocol *protocol() const { return m_pProtocol; }
    void setSubscriptionMode(bool on) { m_bSubscriptionMode = on; }
    bool subscriptionMode() const { return m_bSubscriptionMode; }

    bool isProcessing() const { return m_bRunning; }
    DispatchState dispatchState() const { return m_eState; }
    const TcpMessage &currentMessage() const { return m_currentMessage; }

signals:
    void sendMessage(QByteArray bytes, int *bytesWritten);
    void messageError(QByteArray bytes);

public slots:
    void onStartMessageProcessing();
    void onQuitMessageProcessing();
    void onReplyReady();

private slots:
    void onDispatch();

protected:
    void run() override;

private:
    // How one reply piece bears on the current message.
    enum Check { Answer, Wrong, Skip, Unhandled };

    void step();
    void takeNextMessage();
    void writeCurrent();
    bool handleReplies();
    Check examineFront();
    Check ackCheck();
    Check replyCheck();
    void finishCurrent();
    void failCurrent();
    void emptyQueues();

    PProtocol *m_pProtocol = nullptr;
    QList<TcpMessage> *m_pSendQueue = nullptr;
    QList<QByteArray> *m_pReplyQueue = nullptr;
    bool m_bRunning = false;
    TcpMessage m_currentMessage;
    int m_nRetries = 0;
    DispatchState m_eState = Idle;
    bool m_bSubscriptionMode = false;
    QTimer *m_pReplyTimer = nullptr;
    QTimer *m_pStepTimer = nullptr;
};
