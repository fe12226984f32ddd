#include "protocols/PProtocol.h"

#include "interfaces/IInterface.h"
#include "utility/LogCategories.h"

#include <QDebug>

PProtocol::PProtocol(QObject *parent)
    : QObject(parent)
{
}

PProtocol::~PProtocol() = default;

bool PProtocol::sendValue(TTransform *)
{
    return false;
}

bool PProtocol::requestValue(TTransform *)
{
    return false;
}

bool PProtocol::sendFile(const QString &)
{
    return false;
}

bool PProtocol::receiveFile(const QString &)
{
    return false;
}

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

void PProtocol::setInterface(IInterface *pInterface)
{
    m_pInterface = pInterface;
}

void PProtocol::setModel(MModel *pModel)
{
    m_pModel = pModel;
}

void PProtocol::reset()
{
}

bool PProtocol::isSubscribed() const
{
    return false;
}

void PProtocol::requestMeterStatus(TTransform *)
{
}

void PProtocol::onOnlineStateChanged(bool)
{
}

IInterface *PProtocol::boundInterface() const
{
    return m_pInterface.data();
}

bool PProtocol::isOnline() const
{
    if (!m_pInterface) {
        qCDebug(lcProtocols) << "No interface to get status from.";
        return false;
    }
    return m_pInterface->isConnected();
}

void PProtocol::dump() const
{
    qCDebug(lcProtocols) << this << name() << m_pInterface.data();
}
