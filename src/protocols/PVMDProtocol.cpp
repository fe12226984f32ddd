#include "protocols/PVMDProtocol.h"

#include "hardware/HNode.h"
#include "interfaces/IInterface.h"
#include "model/CAttributes.h"
#include "model/MModel.h"
#include "transforms/TTransform.h"
#include "utility/LogCategories.h"
#include "utility/ULogger.h"
#include "utility/UTextCodec.h"

#include <QDebug>

namespace {
const QString Cr = QStringLiteral("\r");

QString dec(int n)
{
    return QString::number(n);
}

QString hex(int n)
{
    return QString::number(n, 16);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString withoutCr(const QString &command)
{
    return command.endsWith(QLatin1Char('\r')) ? command.chopped(1) : command;
}

} // namespace

PVMDProtocol::PVMDProtocol(QObject *parent)
    : PProtocol(parent)
{
}

PVMDProtocol::~PVMDProtocol() = default;

QString PVMDProtocol::name() const
{
    return QStringLiteral("VMD");
}

TTransform *PVMDProtocol::latestRequest() const
{
    return m_pLatestRequest.data();
}

// ---------------------------------------------------------------- binding and state

void PVMDProtocol::setInterface(IInterface *pInterface)
{
    PProtocol::setInterface(pInterface);
    bindManager();
}

void PVMDProtocol::setModel(MModel *pModel)
{
    PProtocol::setModel(pModel);
    bindManager();
}

void PVMDProtocol::bindManager()
{
    if (m_pModel && m_pInterface)
        m_subscriptionManager.setClient(m_pInterface);
}

void PVMDProtocol::onOnlineStateChanged(bool online)
{
    if (!online) {
        m_subscriptionManager.unsubscribeAll(false);
        m_subscriptionManager.setSubscriptionEnabled(false);
        m_bSubscribed = false;
    }
    emit onlineStateChanged(online);
}

void PVMDProtocol::reset()
{
    m_subscriptionManager.unsubscribeAll(true);
    m_subscriptionManager.setSubscriptionEnabled(false);
    m_bSubscribed = false;
}

void PVMDProtocol::onReplyTimeout(const QString &prefix)
{
    if (prefix == SMSubscriptionManager::Sub && m_pInterface
        && m_pInterface->connectionState() != ConnectionState::Running) {
        m_pInterface->setSubscriptionMode(false);
    }
}

void PVMDProtocol::clearPollPending()
{
    if (m_pModel)
        m_pModel->setPollPending(false);
}

// ---------------------------------------------------------------- command texts

QString PVMDProtocol::setCommand(int type, TTransform *pTransform)
{
    const CAttributes *pAttributes = pTransform ? pTransform->attributes() : nullptr;
    const HNode *pNode = pTransform ? pTransform->node() : nullptr;
    if (!pAttributes || !pNode)
        return QString();
    const QString name = quoted(pNode->label());
    const QString value = pTransform->valueText();
    const TTransform *pLinked = pTransform->next();
    const QString linked = pLinked ? pLinked->valueText() : QString();
    unsigned int number = 0;
    switch (type) {
    case ElementForm:
    case ElementAltForm:
        return "SA " + name + '>' + dec(pTransform->thirdIndex()) + '=' + value + Cr;
    case TwoIndexForm:
        return "SA " + name + '>' + dec(pTransform->thirdIndex()) + '>'
               + dec(pTransform->fourthIndex()) + '=' + value + Cr;
    case LinkedForm:
        return "SA " + name + '>' + linked + '>' + dec(pAttributes->index2()) + '=' + value + Cr;
    case StatusForm:
        return "SS " + QString::number(pTransform->value(number), 16) + " \r";
    case GroupForm:
        return "SG " + hex(pAttributes->index1()) + ',' + value + Cr;
    case NumberForm:
        return "SN " + hex(pAttributes->index1()) + ',' + value + Cr;
    case ChannelLabelForm:
        return "SA" + quoted(pAttributes->channelLabel()) + '>' + dec(pAttributes->index2()) + '='
               + value + Cr;
    case MultiForm:
        if (value.isEmpty())
            return "MA " + name + '>' + dec(pTransform->thirdIndex()) + Cr;
        return "MA " + name + '>' + dec(pTransform->thirdIndex()) + '=' + value + Cr;
    case MeterForm:
        return meterCommand(pNode);
    default:
        return QString();
    }
}

QString PVMDProtocol::getCommand(int type, TTransform *pTransform)
{
    if (!pTransform)
        return QString();
    if (type == RawForm)
        return pTransform->sourceText();
    const CAttributes *pAttributes = pTransform->attributes();
    const HNode *pNode = pTransform->node();
    if (!pAttributes || !pNode)
        return QString();
    const QString name = quoted(pNode->label());
    const TTransform *pLinked = pTransform->next();
    const QString linked = pLinked ? pLinked->valueText() : QString();
    switch (type) {
    case ElementForm:
    case ElementAltForm:
        return "GA" + name + '>' + dec(pTransform->firstIndex()) + Cr;
    case TwoIndexForm:
        return "GA" + name + '>' + dec(pTransform->firstIndex()) + '>'
               + dec(pTransform->secondIndex()) + Cr;
    case LinkedForm:
        return "GA " + name + '>' + linked + '>' + dec(pTransform->secondIndex()) + Cr;
    case StatusForm:
        return QStringLiteral("GS \r");
    case GroupForm:
        return "GG " + hex(pTransform->firstIndex()) + Cr;
    case NumberForm:
        return "GN " + hex(pTransform->firstIndex()) + Cr;
    case ChannelLabelForm:
        return "GA" + quoted(pAttributes->channelLabel()) + '>' + dec(pTransform->secondIndex())
               + Cr;
    case MultiForm:
        return "GA" + name + ">0>" + dec(pTransform->secondIndex()) + Cr;
    case MeterForm:
        return meterCommand(pNode);
    default:
        return QString();
    }
}

QString PVMDProtocol::meterCommand(const HNode *pNode)
{
    return "GL " + QString::number(pNode->channelIndex(), 16).toUpper() + Cr;
}

// ---------------------------------------------------------------- sending

bool PVMDProtocol::hasBinding(const TTransform *pTransform) const
{
    return pTransform && pTransform->attributes() && pTransform->node() && m_pInterface;
}

bool PVMDProtocol::expectsNoReply(int form)
{
    return form == StatusForm || form == GroupForm || form == NumberForm;
}

TcpMessageType PVMDProtocol::setMessageType(int type) const
{
    if (expectsNoReply(type))
        return TcpMessageType::NoReply;
    if (type == MeterForm)
        return TcpMessageType::ReplyExpected;
    // A subscribed processor does not acknowledge sets.
    return m_pInterface && m_pInterface->subscriptionMode() ? TcpMessageType::NoReply
                                                            : TcpMessageType::AckExpected;
}

bool PVMDProtocol::write(const QString &command, TcpMessageType type, const QString &prefix)
{
    if (!m_pInterface || command.isEmpty())
        return false;
    QByteArray bytes;
    QByteArray prefixBytes;
    // Never cut short: a text the processor cannot read is not sent at all.
    if (!UTextCodec::encode(command, &bytes) || !UTextCodec::encode(prefix, &prefixBytes)) {
        logger()->logTagged(QStringLiteral("Refused: "), withoutCr(command));
        qCWarning(lcProtocols) << "not Windows-1252 text, not sent:" << withoutCr(command);
        return false;
    }
    m_pInterface->send(bytes, int(bytes.size()), type, prefixBytes, ReplyTimeoutMs);
    return true;
}

ULogger *PVMDProtocol::logger()
{
    // Looked up once: every command and reply is logged.
    static ULogger *const s_pLogger = ULogger::instance();
    return s_pLogger;
}

void PVMDProtocol::logCommand(int type, const QString &command)
{
    // Group and number sets are not logged.
    if (type == GroupForm || type == NumberForm)
        return;
    const int tagNumber = type == ElementForm ? ElementAltForm : type;
    logger()->logTagged(QStringLiteral("sendStruct%1:").arg(tagNumber),
                                   withoutCr(command));
}

bool PVMDProtocol::sendValue(TTransform *pTransform)
{
    if (!pTransform || !isOnline() || !pTransform->attributes())
        return false;
    clearPollPending();
    const quint32 type = pTransform->attributes()->structType();
    if (type > quint32(MeterForm))
        return false;
    if (type == quint32(RawForm))
        return sendRaw(pTransform);
    if (type == quint32(MeterForm))
        return requestMeter(pTransform, MeterForm);
    return sendSet(int(type), pTransform);
}

bool PVMDProtocol::sendSet(int type, TTransform *pTransform)
{
    if (!hasBinding(pTransform))
        return false;
    const QString command = setCommand(type, pTransform);
    const bool sent = write(command, setMessageType(type), QString());
    if (sent)
        logCommand(type, command);
    return sent;
}

bool PVMDProtocol::sendRaw(TTransform *pTransform)
{
    if (!m_pInterface)
        return false;
    const QString text = pTransform->valueText();
    QStringList sent;
    // Several room commands travel joined by ";", each its own message.
    for (const QString &piece : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (write(piece, setMessageType(RawForm), QString()))
            sent << piece;
    }
    if (!sent.isEmpty())
        logCommand(RawForm, sent.join(QLatin1Char(';')));
    return !sent.isEmpty();
}

bool PVMDProtocol::requestValue(TTransform *pTransform)
{
    if (!pTransform || !isOnline())
        return false;
    m_pLatestRequest = pTransform;
    if (!pTransform->attributes())
        return false;
    const quint32 type = pTransform->attributes()->structType();
    if (type > quint32(MeterForm))
        return false;
    if (type == quint32(RawForm))
        return requestRaw(pTransform);
    if (type == quint32(MeterForm))
        return requestMeter(pTransform, MeterForm);
    return requestGet(int(type), pTransform);
}

bool PVMDProtocol::requestGet(int type, TTransform *pTransform)
{
    if (!hasBinding(pTransform))
        return false;
    const QString command = getCommand(type, pTransform);
    const bool status = type == StatusForm;
    QString mode = m_subscriptionManager.subscribe(status ? QStringLiteral("S") : command, type,
                                                   pTransform, QString());
    QString prefix = status ? QStringLiteral("S ") : withoutCr(command);
    QString subscriptionKey;
    if (m_bSubscribed && mode == SMSubscriptionManager::Sub) {
        subscriptionKey = status ? QStringLiteral("SUB \"GS\"") : "SUB " + quoted(prefix);
        mode = m_subscriptionManager.subscribe(subscriptionKey, type, pTransform, QString());
    }
    if (type != 4 && type != 5 && type != 6)
        prefix.append(QLatin1Char('='));
    if (send(mode, command, prefix, subscriptionKey))
        logCommand(type, command);
    return true;
}

bool PVMDProtocol::requestRaw(TTransform *pTransform)
{
    const QString command = pTransform->sourceText();
    if (!m_pInterface || command.isEmpty())
        return false;
    m_subscriptionManager.subscribe(command, RawForm, pTransform, QString());
    // The reply ("GRC n,[...]") begins with the query itself, not with "=".
    if (send(SMSubscriptionManager::Poll, command, withoutCr(command), QString()))
        logCommand(RawForm, command);
    return true;
}

bool PVMDProtocol::requestMeter(TTransform *pTransform, int routingId)
{
    if (!pTransform) {
        qCDebug(lcProtocols) << "sendStruct10, no transform";
        return false;
    }
    if (!hasBinding(pTransform)) {
        qCDebug(lcProtocols) << "sendStruct10, interfaces are not defined";
        return false;
    }
    const QString command = meterCommand(pTransform->node());
    m_subscriptionManager.subscribe(command, routingId, pTransform, QString());
    const bool sent = write(command, TcpMessageType::ReplyExpected, withoutCr(command));
    if (sent)
        logCommand(MeterForm, command);
    qCDebug(lcProtocols).noquote() << QLatin1String("sendStruct10, msg = ") + withoutCr(command);
    return sent;
}

void PVMDProtocol::requestMeterStatus(TTransform *pTransform)
{
    if (!pTransform) {
        qCWarning(lcProtocols) << "TTransform is not provided for Meter Status";
        return;
    }
    if (!isOnline())
        return;
    if (!pTransform->attributes()) {
        qCWarning(lcProtocols) << "No attributes available.";
        return;
    }
    requestMeter(pTransform, int(pTransform->attributes()->structType()));
}

// False when a command was due and not written (refused or no transport).
bool PVMDProtocol::send(const QString &mode, const QString &command, const QString &prefix,
                        const QString &subscriptionKey)
{
    if (mode == SMSubscriptionManager::Poll)
        return write(command, TcpMessageType::ReplyExpected, prefix);
    if (mode == SMSubscriptionManager::Sub) {
        return subscriptionKey.isEmpty()
               || write(subscriptionKey + Cr, TcpMessageType::ReplyExpected, subscriptionKey + QLatin1String(",yes"));
    }
    if (m_bSubscribed && m_pInterface) {
        // Nothing to send: make sure a silent processor is still checked.
        m_pInterface->startHostStatusTimer();
    }
    return true;
}
