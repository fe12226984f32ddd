#include "protocols/SMSubscriptionManager.h"

#include "interfaces/ITcpClient.h"
#include "protocols/RoutingInfo.h"
#include "transforms/TTransform.h"
#include "utility/LogCategories.h"
#include "utility/ULogger.h"
#include "utility/UTextCodec.h"

#include <QDebug>
#include <QRegularExpression>

const QString SMSubscriptionManager::Sub = QStringLiteral("SUB");
const QString SMSubscriptionManager::Poll = QStringLiteral("POLL");
const QString SMSubscriptionManager::Uns = QStringLiteral("UNS");

namespace {
const int RawId = 9;

QStringList splitAtBlanks(const QString &text)
{
    static const QRegularExpression blank(QStringLiteral("\\s"));
    return text.split(blank);
}
} // namespace

SMSubscriptionManager::SMSubscriptionManager(QObject *parent)
    : QObject(parent)
{
}

SMSubscriptionManager::~SMSubscriptionManager()
{
    for (const QList<RoutingInfo *> &records : std::as_const(m_map))
        qDeleteAll(records);
}

ITcpClient *SMSubscriptionManager::client() const
{
    return m_pClient.data();
}

void SMSubscriptionManager::setClient(IInterface *pInterface)
{
    ITcpClient *pClient = qobject_cast<ITcpClient *>(pInterface);
    if (m_pClient && m_pClient != pClient)
        disconnect(m_pClient, nullptr, this, nullptr);
    m_pClient = pClient;
    subscribe(Sub, RoutingInfo::ProbeId, nullptr, QString());
    if (!m_pClient)
        return;
    if (m_pClient->connectionState() == ConnectionState::Running)
        onConnectionActive();
    // The owner binds again on every online switch: one connection is enough.
    connect(m_pClient, &ITcpClient::connectionActive, this,
            &SMSubscriptionManager::onConnectionActive, Qt::UniqueConnection);
}

void SMSubscriptionManager::onConnectionActive()
{
    if (m_pClient && !m_pClient->isSubscriptionModeSet())
        sendToClient(QStringLiteral("SUB\r"), Sub);
}

void SMSubscriptionManager::onSelectedZoneChanged()
{
    unsubscribeAll(true);
}

int SMSubscriptionManager::recordCount() const
{
    int count = 0;
    for (const QList<RoutingInfo *> &records : m_map)
        count += int(records.size());
    return count;
}

QString SMSubscriptionManager::queryKey(const QString &query, int id)
{
    QString key = query;
    if (key.endsWith(QLatin1Char('\r')))
        key.chop(1);
    if (id == RawId)
        key.append(QLatin1Char(','));
    return key;
}

void SMSubscriptionManager::addRecord(const QString &key, int id, TTransform *pTransform,
                                      const QString &text)
{
    m_map[key].prepend(new RoutingInfo(id, pTransform, text));
    if (pTransform) {
        connect(pTransform, &QObject::destroyed, this,
                &SMSubscriptionManager::onTransformDestroyed, Qt::UniqueConnection);
    }
}

QString SMSubscriptionManager::subscribe(const QString &query, int id, TTransform *pTransform,
                                         const QString &text)
{
    const QString key = queryKey(query, id);
    if (m_map.isEmpty() && query != Sub) {
        // The first request after an unsubscribe probes the processor again.
        addRecord(Sub, RoutingInfo::ProbeId, nullptr, QString());
        onConnectionActive();
    }
    const auto it = m_map.constFind(key);
    if (it == m_map.constEnd()) {
        addRecord(key, id, pTransform, text);
        return m_bSubscriptionEnabled ? Sub : Poll;
    }
    const QList<RoutingInfo *> &records = it.value();
    qsizetype position = -1;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records.at(i)->isFor(id, pTransform, text)) {
            position = i;
            break;
        }
    }
    if (position < 0)
        addRecord(key, id, pTransform, text);
    return decide(query, key, position >= 0, position == 0);
}

QString SMSubscriptionManager::decide(const QString &query, const QString &key, bool known,
                                      bool first) const
{
    if (!m_bSubscriptionEnabled)
        return known && first ? Poll : QString();
    QString subscriptionKey;
    if (query == QLatin1String("S"))
        subscriptionKey = QStringLiteral("SUB \"GS\"");
    else if (!query.startsWith(Sub))
        subscriptionKey = QStringLiteral("SUB \"%1\"").arg(key);
    if (known && !subscriptionKey.isEmpty() && m_map.contains(subscriptionKey))
        return QString();
    return Sub;
}

QList<RoutingInfo *> SMSubscriptionManager::subscribersForReply(const QString &reply) const
{
    const QStringList pieces = reply.split(QLatin1Char('='));
    if (pieces.size() == 2)
        return recordsOf(pieces.first());
    if (pieces.size() > 2)
        return {};
    if (reply.startsWith(QLatin1String("GRC ")))
        return recordsOf(reply.section(QLatin1Char(','), 0, 0) + QLatin1Char(','));
    if (reply.startsWith(QLatin1String("GL")))
        return meterSubscribers(reply);
    return plainSubscribers(reply);
}

QList<RoutingInfo *> SMSubscriptionManager::meterSubscribers(const QString &reply) const
{
    const QStringList words = splitAtBlanks(reply);
    if (words.size() < 2)
        return {};
    const QString key = words.at(0) + QLatin1Char(' ') + words.at(1);
    if (m_map.contains(key))
        return recordsOf(key);
    return recordsOf(key.toUpper());
}

QList<RoutingInfo *> SMSubscriptionManager::plainSubscribers(const QString &reply) const
{
    // Group replies ("GG 1f,5") and the probe answer carry one comma.
    const QStringList pieces = reply.split(QLatin1Char(','));
    if (pieces.size() == 2 && m_map.contains(pieces.first()))
        return recordsOf(pieces.first());
    if (pieces.size() > 1)
        return {};
    // The status reply ("S 1f").
    const QStringList words = splitAtBlanks(reply);
    if (words.size() >= 2 && m_map.contains(words.first()))
        return recordsOf(words.first());
    return {};
}

void SMSubscriptionManager::unsubscribeAll(bool send)
{
    while (!m_map.isEmpty()) {
        const auto it = m_map.begin();
        const QString key = it.key();
        const QList<RoutingInfo *> records = it.value();
        m_map.erase(it);
        if (send)
            sendCancel(key, records);
        qDeleteAll(records);
    }
}

void SMSubscriptionManager::sendCancel(const QString &key, const QList<RoutingInfo *> &records)
{
    if (!m_pClient)
        return;
    QString cancel = records.isEmpty() ? QString() : records.first()->text();
    if (cancel.isEmpty())
        cancel = key;
    // Only subscription keys (SUB "query") name something to cancel.
    if (!cancel.startsWith(Sub))
        return;
    QString query = cancel.mid(5);
    if (query.isEmpty())
        return;
    if (query.endsWith(QLatin1Char('"')))
        query.chop(1);
    const QString command = QStringLiteral("UNS \"%1\"").arg(query);
    sendToClient(command + QLatin1Char('\r'), command + QLatin1String(",yes"));
}

void SMSubscriptionManager::sendToClient(const QString &command, const QString &replyPrefix)
{
    QByteArray bytes;
    QByteArray prefix;
    if (!UTextCodec::encode(command, &bytes) || !UTextCodec::encode(replyPrefix, &prefix)) {
        ULogger::instance()->logTagged(QStringLiteral("Refused: "), command.trimmed());
        qCWarning(lcProtocols) << "not Windows-1252 text:" << command;
        return;
    }
    m_pClient->send(bytes, int(bytes.size()), TcpMessageType::ReplyExpected, prefix, ReplyTimeoutMs);
}

void SMSubscriptionManager::onTransformDestroyed(QObject *pObject)
{
    const QObject *pKey = pObject;
    for (auto it = m_map.begin(); it != m_map.end();) {
        QList<RoutingInfo *> &records = it.value();
        for (qsizetype i = records.size() - 1; i >= 0; --i) {
            if (records.at(i)->transformKey() == pKey)
                delete records.takeAt(i);
        }
        it = records.isEmpty() ? m_map.erase(it) : std::next(it);
    }
}
