#include "protocols/PProtocol.h"

PProtocol::PProtocol(QObject *parent)
    : QObject(parent)
{
}

PProtocol::~PProtocol() = default;

bool PProtocol::onReceive(const QByteArray &)
{
    return false;
}

void PProtocol::onReplyTimeout(const QString &)
{
}

QString PProtocol::name() const
{
    return QStringLiteral("----");
}

void PProtocol::reset()
{
}

void PProtocol::onOnlineStateChanged(bool)
{
}
