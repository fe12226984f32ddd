#pragma once

#include <QByteArray>

// The processors' one-byte answers: acknowledge and refuse.
namespace TcpByte {
constexpr char Ack = 0x06;
constexpr char Nak = 0x15;
} // namespace TcpByte

// What a queued message waits for once it is written.
enum class TcpMessageType : int {
    AckExpected = 0,    // the first reply piece begins with ACK
    ReplyExpected = 1,  // a reply line beginning with the expected prefix
    NoReply = 2,        // nothing; done once written
    Immediate = 3       // never queued: written by ITcpClient::send at once
};

// One message waiting in a TCP client's send queue.
struct TcpMessage
{
    TcpMessageType m_eType = TcpMessageType::NoReply;
    QByteArray m_baData;
    QByteArray m_baReplyPrefix;
    int m_nTimeoutMs = 0;

    bool isSameAs(const TcpMessage &other) const
    {
        return m_eType == other.m_eType && m_baData == other.m_baData
               && m_baReplyPrefix == other.m_baReplyPrefix;
    }
};
