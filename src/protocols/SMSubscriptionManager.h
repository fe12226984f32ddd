#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class IInterface;
class ITcpClient;
class RoutingInfo;
class TTransform;

// Key text to its waiting records, keys in ascending order; within a key the
// most recently added record comes first.
using SubscriptionMap = QMap<QString, QList<RoutingInfo *>>;

// Remembers which transforms wait for which processor query, decides whether
// a request subscribes, polls or sends nothing, finds the waiting transforms
// of every reply line, probes whether the processor takes subscriptions and
// cancels them again. Owns its records; a transform that is destroyed takes
// its records with it.
class SMSubscriptionManager : public QObject
{
    Q_OBJECT

public:
    static const QString Sub;
    static const QString Poll;
    static const QString Uns;
    static constexpr int ReplyTimeoutMs = 200;

    explicit SMSubscriptionManager(QObject *parent = nullptr);
    ~SMSubscriptionManager() override;

    void setClient(IInterface *pInterface);
    ITcpClient *client() const;
    void setSubscriptionEnabled(bool enabled) { m_bSubscriptionEnabled = enabled; }
    bool isSubscriptionEnabled() const { return m_bSubscriptionEnabled; }

    // "SUB", "POLL" or the empty text.
    QString subscribe(const QString &query, int id, TTransform *pTransform, const QString &text);
    // The records waiting for a reply line, most recent first; the map is not changed.
    QList<RoutingInfo *> subscribersForReply(const QString &reply) const;
    // Drops every record; with send, also cancels each recorded subscription at the processor.
    void unsubscribeAll(bool send);

    const SubscriptionMap &map() const { return m_map; }
    QStringList keys() const { return m_map.keys(); }
    int recordCount() const;

    // The key of a query: its CR removed, "," added for the raw form.
    static QString queryKey(const QString &query, int id);

public slots:
    void onConnectionActive();
    void onSelectedZoneChanged();

private slots:
    void onTransformDestroyed(QObject *pObject);

private:
    void addRecord(const QString &key, int id, TTransform *pTransform, const QString &text);
    QString decide(const QString &query, const QString &key, bool known, bool first) const;
    QList<RoutingInfo *> recordsOf(const QString &key) const { return m_map.value(key); }
    QList<RoutingInfo *> meterSubscribers(const QString &reply) const;
    QList<RoutingInfo *> plainSubscribers(const QString &reply) const;
    void sendCancel(const QString &key, const QList<RoutingInfo *> &records);
    void sendToClient(const QString &command, const QString &replyPrefix);

    SubscriptionMap m_map;
    QPointer<ITcpClient> m_pClient;
    bool m_bSubscriptionEnabled = false;
};
