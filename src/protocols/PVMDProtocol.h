#pragma once

#include "interfaces/TcpMessage.h"
#include "protocols/PProtocol.h"
#include "protocols/SMSubscriptionManager.h"

#include <QPointer>

class HNode;
class ULogger;

// The processors' line-based control protocol. A control's value goes out in
// the command form its binding's "struct" selects (0 to 10); a request
// subscribes, polls or sends nothing as the subscription manager decides;
// reply lines are routed to the waiting transforms and parsed by the form
// each was asked with. Protocol text is Windows-1252 on the wire.
class PVMDProtocol : public PProtocol
{
    Q_OBJECT

public:
    static constexpr int ReplyTimeoutMs = 200;

    // The command forms a binding's "struct" selects.
    static constexpr int ElementForm = 0;       // SA "name">i3=value
    static constexpr int ElementAltForm = 1;    // the same texts as ElementForm
    static constexpr int TwoIndexForm = 2;      // SA "name">i3>i4=value
    static constexpr int LinkedForm = 3;        // SA "name">linked>index2=value
    static constexpr int StatusForm = 4;        // SS hex value
    static constexpr int GroupForm = 5;         // SG hex index1,value
    static constexpr int NumberForm = 6;        // SN hex index1,value
    static constexpr int ChannelLabelForm = 7;  // SA"channel label">index2=value
    static constexpr int MultiForm = 8;         // MA "name">i3=value
    static constexpr int RawForm = 9;           // the value text itself, split at ";"
    static constexpr int MeterForm = 10;        // GL hex channel
    // Sets of these forms are never answered, whatever the interface's mode.
    static bool expectsNoReply(int form);

    explicit PVMDProtocol(QObject *parent = nullptr);
    ~PVMDProtocol() override;

    bool sendValue(TTransform *pTransform) override;
    bool requestValue(TTransform *pTransform) override;
    bool onReceive(const QByteArray &line) override;
    void onReplyTimeout(const QString &prefix) override;
    QString name() const override;
    void setInterface(IInterface *pInterface) override;
    void setModel(MModel *pModel) override;
    void reset() override;
    bool isSubscribed() const override { return m_bSubscribed; }
    void requestMeterStatus(TTransform *pTransform) override;

    SMSubscriptionManager *subscriptionManager() { return &m_subscriptionManager; }
    TTransform *latestRequest() const;

    // The command texts of one form, CR included; empty when the form has none.
    static QString setCommand(int type, TTransform *pTransform);
    static QString getCommand(int type, TTransform *pTransform);
    static QString meterCommand(const HNode *pNode);

    // Hands a command to the interface as a poll, a subscription or nothing.
    bool send(const QString &mode, const QString &command, const QString &prefix,
              const QString &subscriptionKey);

    // ---- receiving side
    void dispatchReply(const QByteArray &line, int id, TTransform *pTransform);
    void parseGetReply(const QByteArray &line, int id, TTransform *pTransform);
    void parseGsReply(const QByteArray &line, TTransform *pTransform);
    void parseGroupReply(const QByteArray &line, TTransform *pTransform);
    void parseAckReply(const QByteArray &line, TTransform *pTransform);
    void parseMeterReply(const QByteArray &line, TTransform *pTransform);
    void parseProbeAnswer(const QByteArray &line);

    // Up to the first zero byte, one trailing CR and anything from the first ";" removed.
    static QString cleanReply(const QByteArray &line);
    // The element of a meter reply of n levels that belongs to the transform's meter point; -1: none.
    static int meterElement(const TTransform *pTransform, int n);
    // What a transform shows when the processor acknowledged where a value was expected.
    static QString syncErrorText();

public slots:
    void onOnlineStateChanged(bool online) override;

private:
    bool sendSet(int type, TTransform *pTransform);
    bool sendRaw(TTransform *pTransform);
    bool requestGet(int type, TTransform *pTransform);
    bool requestRaw(TTransform *pTransform);
    bool requestMeter(TTransform *pTransform, int routingId);
    bool hasBinding(const TTransform *pTransform) const;
    TcpMessageType setMessageType(int type) const;
    bool write(const QString &command, TcpMessageType type, const QString &prefix);
    void bindManager();
    void clearPollPending();
    static ULogger *logger();
    static void logCommand(int type, const QString &command);
    static void logReceived(const QByteArray &line, const QString &text);
    static int nodeDirection(const HNode *pNode);
    static int meterRule(const TTransform *pTransform, int n);
    bool checkGetShape(const QString &text, int id, TTransform *pTransform) const;
    static bool checkGetName(const QString &text, int id, const TTransform *pTransform);

    SMSubscriptionManager m_subscriptionManager;
    QPointer<TTransform> m_pLatestRequest;
    bool m_bSubscribed = false;
};
