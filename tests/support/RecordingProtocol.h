#pragma once

#include "protocols/PProtocol.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class TTransform;

// A protocol that only records what its transport hands it. Its name is chosen by the test
// ("File" makes a TCP client treat it as a file transfer).
class RecordingProtocol : public PProtocol
{
    Q_OBJECT

public:
    explicit RecordingProtocol(const QString &name = QStringLiteral("Recording"), QObject *parent = nullptr);

    bool onReceive(const QByteArray &bytes) override;
    void onReplyTimeout(const QString &prefix) override;
    QString name() const override { return m_sName; }
    void reset() override { ++m_nResets; }
    void onOnlineStateChanged(bool online) override { m_lOnlineChanges.append(online); }
    // Values are recorded, not sent: the transforms in call order.
    bool sendValue(TTransform *pTransform) override;
    bool requestValue(TTransform *pTransform) override;
    void requestMeterStatus(TTransform *pTransform) override { m_lMeterRequests.append(pTransform); }
    // Whether values are pushed (subscribed) rather than polled; false unless set.
    bool isSubscribed() const override { return m_bSubscribed; }
    void setSubscribed(bool subscribed) { m_bSubscribed = subscribed; }

    QList<QByteArray> received() const { return m_lReceived; }
    QByteArray receivedBytes() const { return m_lReceived.join(); }
    QStringList timeouts() const { return m_lTimeouts; }
    int resets() const { return m_nResets; }
    QList<bool> onlineChanges() const { return m_lOnlineChanges; }
    QList<TTransform *> sentValues() const { return m_lSentValues; }
    // The value text each sent transform held when it was sent.
    QStringList sentTexts() const { return m_lSentTexts; }
    // The one-byte form of each sent transform when it was sent.
    QList<int> sentBytes() const { return m_lSentBytes; }
    QList<TTransform *> requestedValues() const { return m_lRequestedValues; }
    // The third index (a command number) of each sent transform when it was sent.
    QList<int> sentThirdIndexes() const { return m_lSentThirdIndexes; }
    // The second index (what is asked for) of each requested transform when it was asked.
    QList<int> requestedSecondIndexes() const { return m_lRequestedSecondIndexes; }
    QList<TTransform *> meterRequests() const { return m_lMeterRequests; }
    void clear();

private:
    QString m_sName;
    QList<QByteArray> m_lReceived;
    QStringList m_lTimeouts;
    QList<bool> m_lOnlineChanges;
    QList<TTransform *> m_lSentValues;
    QStringList m_lSentTexts;
    QList<int> m_lSentBytes;
    QList<int> m_lSentThirdIndexes;
    QList<int> m_lRequestedSecondIndexes;
    QList<TTransform *> m_lRequestedValues;
    QList<TTransform *> m_lMeterRequests;
    int m_nResets = 0;
    bool m_bSubscribed = false;
};
