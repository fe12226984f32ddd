#pragma once

#include <QByteArray>
#include <QList>

// Turns the bytes a processor sends into reply pieces. Text is complete up to its last CR or ';';
// the rest waits for the next read, so a reply split over two reads is not lost. A trailing run of
// ACK/NAK bytes is complete by itself. Several replies in one read are split at ';'.
class ITcpReplyBuffer
{
public:
    static constexpr int MaxTail = 64 * 1024;

    // Adds received bytes and returns the pieces they complete, in order.
    QList<QByteArray> take(const QByteArray &bytes);
    void clear() { m_baTail.clear(); }
    int tailSize() const { return m_baTail.size(); }
    // Bytes thrown away because no terminator came within MaxTail.
    qint64 droppedBytes() const { return m_nDropped; }

private:
    static int completeLength(const QByteArray &bytes);
    static QList<QByteArray> split(QByteArray text);

    QByteArray m_baTail;
    qint64 m_nDropped = 0;
};
