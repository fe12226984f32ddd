#include "support/RecordingInterface.h"

RecordingInterface::RecordingInterface(QObject *parent)
    : IInterface(parent)
{
    m_bConnected = true;
}

int RecordingInterface::send(const QByteArray &data, int length, TcpMessageType type,
                             const QByteArray &replyPrefix, int timeoutMs)
{
    const QByteArray bytes = sendBytes(data, length);
    m_lMessages.append({bytes, type, replyPrefix, timeoutMs});
    return type == TcpMessageType::Immediate ? int(bytes.size()) : 0;
}

void RecordingInterface::setSubscriptionMode(bool on)
{
    m_bSubscriptionMode = on;
    m_bModeKnown = true;
}

QList<QByteArray> RecordingInterface::sentData() const
{
    QList<QByteArray> data;
    for (const Message &message : m_lMessages)
        data.append(message.data);
    return data;
}
