#include "interfaces/ITcpReplyBuffer.h"

#include "interfaces/TcpMessage.h"
#include "utility/LogCategories.h"

#include <QDebug>

namespace {

bool isAckOrNak(char c)
{
    return c == TcpByte::Ack || c == TcpByte::Nak;
}
} // namespace

QList<QByteArray> ITcpReplyBuffer::take(const QByteArray &bytes)
{
    m_baTail.append(bytes);
    const int nComplete = completeLength(m_baTail);
    const QByteArray complete = m_baTail.left(nComplete);
    m_baTail.remove(0, nComplete);
    if (m_baTail.size() > MaxTail) {
        qCWarning(lcInterfaces) << "dropping" << m_baTail.size()
                   << "bytes received without a line end";
        m_nDropped += m_baTail.size();
        m_baTail.clear();
    }
    return split(complete);
}

int ITcpReplyBuffer::completeLength(const QByteArray &bytes)
{
    int nEnd = bytes.size();
    while (nEnd > 0 && isAckOrNak(bytes.at(nEnd - 1)))
        --nEnd;
    if (nEnd < bytes.size()) {
        // Only acknowledge bytes after the last line end: they need no terminator.
        int nLast = nEnd - 1;
        while (nLast >= 0 && bytes.at(nLast) != '\r' && bytes.at(nLast) != ';')
            --nLast;
        if (nLast == nEnd - 1)
            return bytes.size();
    }
    for (int i = bytes.size() - 1; i >= 0; --i) {
        if (bytes.at(i) == '\r' || bytes.at(i) == ';')
            return i + 1;
    }
    return 0;
}

QList<QByteArray> ITcpReplyBuffer::split(QByteArray text)
{
    QList<QByteArray> pieces;
    if (text.endsWith('\r'))
        text.chop(1);
    if (text.endsWith(';'))
        text.chop(1);
    if (text.isEmpty())
        return pieces;
    return text.split(';');
}
