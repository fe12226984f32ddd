#pragma once

#include "interfaces/IInterface.h"

#include <QByteArray>
#include <QList>

// A transport that only records what a protocol hands it. The test chooses
// the connected flag, the subscription mode and the connection state.
class RecordingInterface : public IInterface
{
    Q_OBJECT

public:
    struct Message
    {
        QByteArray data;
        TcpMessageType type;
        QByteArray prefix;
        int timeoutMs;
    };

    explicit RecordingInterface(QObject *parent = nullptr);

    int send(const QByteArray &data, int length, TcpMessageType type,
             const QByteArray &replyPrefix, int timeoutMs) override;
    ConnectionState connectionState() const override { return m_eState; }
    bool isSubscriptionModeSet() const override { return m_bModeKnown; }
    bool subscriptionMode() const override { return m_bModeKnown && m_bSubscriptionMode; }
    void setSubscriptionMode(bool on) override;
    void startHostStatusTimer() override { ++m_nHostTimerStarts; }

    void setConnected(bool connected) { m_bConnected = connected; }
    void setConnectionState(ConnectionState state) { m_eState = state; }
    // Forgets the mode, as a reset does.
    void clearSubscriptionMode() { m_bModeKnown = false; }

    QList<Message> messages() const { return m_lMessages; }
    QList<QByteArray> sentData() const;
    int hostTimerStarts() const { return m_nHostTimerStarts; }
    void clear() { m_lMessages.clear(); }

private:
    QList<Message> m_lMessages;
    ConnectionState m_eState = ConnectionState::Running;
    bool m_bSubscriptionMode = false;
    bool m_bModeKnown = false;
    int m_nHostTimerStarts = 0;
};
