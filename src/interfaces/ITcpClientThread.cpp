#include "interfaces/ITcpClientThread.h"

#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"

#include <QDebug>
#include <QTimer>

namespace {

bool holdsOnlyAcks(const QByteArray &piece)
{
    for (char c : piece) {
        if (c != TcpByte::Ack)
            return false;
    }
    return true;
}
} // namespace

ITcpClientThread::ITcpClientThread(QObject *parent)
    : QThread(parent)
    , m_pReplyTimer(new QTimer(this))
    , m_pStepTimer(new QTimer(this))
{
    m_pReplyTimer->setSingleShot(true);
    m_pReplyTimer->setInterval(200);
    m_pStepTimer->setSingleShot(true);
    m_pStepTimer->setInterval(StepMs);
    connect(m_pStepTimer, &QTimer::timeout, this, &ITcpClientThread::onDispatch);
}

ITcpClientThread::~ITcpClientThread()
{
    // Never destroy a running thread: its loop only waits for this quit.
    quit();
    wait();
}

void ITcpClientThread::run()
{
    exec();
}

void ITcpClientThread::setQueues(QList<TcpMessage> *sendQueue, QList<QByteArray> *replyQueue)
{
    m_pSendQueue = sendQueue;
    m_pReplyQueue = replyQueue;
}

void ITcpClientThread::onStartMessageProcessing()
{
    emptyQueues();
    m_bRunning = true;
    step();
}

void ITcpClientThread::onQuitMessageProcessing()
{
    m_bRunning = false;
    m_pStepTimer->stop();
    m_pReplyTimer->stop();
    emptyQueues();
}

void ITcpClientThread::onReplyReady()
{
    if (m_eState != AwaitingReply)
        return;
    m_pStepTimer->stop();
    if (m_bRunning)
        step();
}

void ITcpClientThread::onDispatch()
{
    if (m_bRunning)
        step();
}

void ITcpClientThread::step()
{
    if (!m_pSendQueue || !m_pReplyQueue)
        return;
    if (m_eState == AwaitingReply) {
        if (!handleReplies() && m_bSubscriptionMode && !m_pSendQueue->isEmpty())
            takeNextMessage();
    } else if (m_eState == Resend) {
        writeCurrent();
    } else if (!m_pSendQueue->isEmpty()) {
        takeNextMessage();
    } else if (m_bSubscriptionMode) {
        handleReplies();
    }
    if (m_bRunning)
        m_pStepTimer->start();
}

void ITcpClientThread::takeNextMessage()
{
    // Without subscriptions the processor only speaks when asked: whatever is queued now
    // answers an earlier message and must not be taken for this one's answer.
    if (!m_bSubscriptionMode)
        m_pReplyQueue->clear();
    m_currentMessage = m_pSendQueue->takeFirst();
    m_nRetries = 0;
    writeCurrent();
}

void ITcpClientThread::writeCurrent()
{
    const QByteArray &data = m_currentMessage.m_baData;
    if (data.isEmpty()) {
        m_eState = Idle;
        return;
    }
    int nWritten = 0;
    emit sendMessage(data, &nWritten);
    if (nWritten != data.size()) {
        m_eState = Resend;
        return;
    }
    if (m_currentMessage.m_eType == TcpMessageType::NoReply) {
        m_eState = Idle;
        return;
    }
    m_eState = AwaitingReply;
    if (!m_bSubscriptionMode)
        m_pReplyTimer->start(m_currentMessage.m_nTimeoutMs);
}

bool ITcpClientThread::handleReplies()
{
    if (m_eState != AwaitingReply && !m_bSubscriptionMode)
        return false;
    bool bExamined = false;
    bool bAnswered = false;
    while (!m_pReplyQueue->isEmpty()) {
        const Check check = examineFront();
        if (check == Unhandled)
            break;
        if (check == Skip)
            continue;
        bExamined = true;
        bAnswered = bAnswered || check == Answer;
    }
    if (bExamined) {
        if (bAnswered)
            finishCurrent();
        else if (m_eState == AwaitingReply)
            failCurrent();
        return true;
    }
    if (m_eState != AwaitingReply || m_pReplyTimer->isActive())
        return false;
    failCurrent();
    if (m_pProtocol)
        m_pProtocol->onReplyTimeout(QString::fromUtf8(m_currentMessage.m_baReplyPrefix));
    return false;
}

ITcpClientThread::Check ITcpClientThread::examineFront()
{
    const TcpMessageType type = m_currentMessage.m_eType;
    if (m_bSubscriptionMode) {
        if (type == TcpMessageType::Immediate)
            return Unhandled;
        return replyCheck();
    }
    if (type == TcpMessageType::AckExpected)
        return ackCheck();
    if (type == TcpMessageType::ReplyExpected)
        return replyCheck();
    return Unhandled;
}

ITcpClientThread::Check ITcpClientThread::ackCheck()
{
    QByteArray &piece = m_pReplyQueue->first();
    if (piece.isEmpty()) {
        m_pReplyQueue->removeFirst();
        return Skip;
    }
    const char first = piece.at(0);
    if (first == TcpByte::Ack) {
        // The acknowledge is used up; anything behind it is a piece of its own.
        piece.remove(0, 1);
        if (piece.isEmpty())
            m_pReplyQueue->removeFirst();
        return Answer;
    }
    if (first == TcpByte::Nak)
        qCDebug(lcInterfaces).noquote() << "RECEIVED NAK, not ACK";
    else
        qCDebug(lcInterfaces).noquote() << "RECEIVED FIRST BYTE = " + QString(QChar::fromLatin1(first))
                                                   + ", EXPECTED ACK";
    m_pReplyQueue->removeFirst();
    return Wrong;
}

ITcpClientThread::Check ITcpClientThread::replyCheck()
{
    const QByteArray raw = m_pReplyQueue->takeFirst();
    int nStart = 0;
    while (nStart < raw.size() && (raw.at(nStart) == TcpByte::Ack || raw.at(nStart) == TcpByte::Nak))
        ++nStart;
    const QByteArray reply = raw.mid(nStart);
    // An acknowledge on its own (or an empty piece) is not the reply; a lone NAK refuses it.
    if (reply.isEmpty() && holdsOnlyAcks(raw))
        return Skip;
    if (!m_bSubscriptionMode && !reply.startsWith(m_currentMessage.m_baReplyPrefix))
        return Wrong;
    if (m_pProtocol && !reply.isEmpty()) {
        for (const QByteArray &line : reply.split('\r'))
            m_pProtocol->onReceive(line);
    }
    return Answer;
}

void ITcpClientThread::finishCurrent()
{
    m_pReplyTimer->stop();
    m_eState = Idle;
}

void ITcpClientThread::failCurrent()
{
    m_pReplyTimer->stop();
    m_pReplyQueue->clear();
    emit messageError(m_currentMessage.m_baData);
    m_eState = m_nRetries < MaxWrites - 1 ? Resend : Idle;
    ++m_nRetries;
}

void ITcpClientThread::emptyQueues()
{
    if (m_pSendQueue)
        m_pSendQueue->clear();
    if (m_pReplyQueue)
        m_pReplyQueue->clear();
    m_eState = Idle;
}
