#pragma once

#include "interfaces/ConnectionState.h"
#include "interfaces/TcpMessage.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QHostAddress;
class HNode;
class PProtocol;

// Base of the transports: every operation has a neutral default that a transport overrides.
class IInterface : public QObject
{
    Q_OBJECT

public:
    explicit IInterface(QObject *parent = nullptr);
    ~IInterface() override;

    virtual bool open();
    virtual bool close();
    virtual void start();
    virtual void stop();
    // A negative length means the data up to its first zero byte; a longer one is cut to the data.
    virtual int send(const QByteArray &data, int length, TcpMessageType type,
                     const QByteArray &replyPrefix, int timeoutMs);
    virtual int integerQuery();
    virtual bool waitForBytesWritten(int ms);
    // Bytes accepted by send but not yet handed to the network; 0 without a connection.
    virtual qint64 bytesToWrite() const;
    virtual void emitState();
    virtual QString stateText() const;
    virtual void dump() const;
    virtual QString typeName() const;
    virtual QString hostAddressText() const;
    virtual void setHostAddress(const QHostAddress &address);
    virtual void setPort(int port);
    virtual ConnectionState connectionState() const;
    virtual void setProtocol(PProtocol *protocol);
    virtual bool isSubscriptionModeSet() const;
    virtual void resetProtocol();
    virtual bool subscriptionMode() const;
    virtual void setSubscriptionMode(bool on);
    virtual void startHostStatusTimer();

    PProtocol *protocol() const { return m_pProtocol; }
    HNode *owner() const { return m_pOwner; }
    void setOwner(HNode *owner) { m_pOwner = owner; }
    bool isConnected() const { return m_bConnected; }
    int failures() const { return m_nFailures; }
    int connectWait() const { return m_nConnectWait; }
    void setConnectWait(int ms) { m_nConnectWait = ms; }

    // The bytes a send covers, by the length rule of send.
    static QByteArray sendBytes(const QByteArray &data, int length);

signals:
    void interfaceStateChanged(bool isConnected);
    void connectionClose();

protected:
    PProtocol *m_pProtocol = nullptr;
    HNode *m_pOwner = nullptr;
    bool m_bConnected = false;
    int m_nFailures = 0;
    int m_nConnectWait = 100;
};
