#include "interfaces/IInterface.h"

#include "utility/LogCategories.h"

#include <QDebug>
#include <QHostAddress>

IInterface::IInterface(QObject *parent)
    : QObject(parent)
{
}

IInterface::~IInterface() = default;

bool IInterface::open()
{
    return false;
}

bool IInterface::close()
{
    return false;
}

void IInterface::start()
{
}

void IInterface::stop()
{
}

int IInterface::send(const QByteArray &, int, TcpMessageType, const QByteArray &, int)
{
    return 0;
}

int IInterface::integerQuery()
{
    return 0;
}

bool IInterface::waitForBytesWritten(int)
{
    return false;
}

qint64 IInterface::bytesToWrite() const
{
    return 0;
}

void IInterface::emitState()
{
    emit interfaceStateChanged(m_bConnected);
}

QString IInterface::stateText() const
{
    return QStringLiteral("?");
}

void IInterface::dump() const
{
    qCDebug(lcInterfaces) << this << typeName();
}

QString IInterface::typeName() const
{
    return QStringLiteral("Null Interface");
}

QString IInterface::hostAddressText() const
{
    return QString();
}

void IInterface::setHostAddress(const QHostAddress &)
{
}

void IInterface::setPort(int)
{
}

ConnectionState IInterface::connectionState() const
{
    return ConnectionState::Idle;
}

void IInterface::setProtocol(PProtocol *protocol)
{
    m_pProtocol = protocol;
}

bool IInterface::isSubscriptionModeSet() const
{
    return false;
}

void IInterface::resetProtocol()
{
}

bool IInterface::subscriptionMode() const
{
    return false;
}

void IInterface::setSubscriptionMode(bool)
{
}

void IInterface::startHostStatusTimer()
{
}

QByteArray IInterface::sendBytes(const QByteArray &data, int length)
{
    if (length < 0) {
        const int end = data.indexOf('\0');
        return end < 0 ? data : data.left(end);
    }
    return data.left(length);
}
