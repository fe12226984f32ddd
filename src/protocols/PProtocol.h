#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class IInterface;
class MModel;
class TTransform;

// Base of the protocol objects between the widgets and one transport. Every operation has a
// neutral default that a protocol overrides. The interface and the model are not owned.
class PProtocol : public QObject
{
    Q_OBJECT

public:
    explicit PProtocol(QObject *parent = nullptr);
    ~PProtocol() override;

    virtual bool sendValue(TTransform *pTransform);
    virtual bool requestValue(TTransform *pTransform);
    virtual bool sendFile(const QString &path);
    virtual bool receiveFile(const QString &path);
    // One reply line from the dispatcher, or received bytes from a server.
    virtual bool onReceive(const QByteArray &bytes);
    // The expected reply prefix of a message whose reply did not come.
    virtual void onReplyTimeout(const QString &prefix);
    virtual QString name() const;
    virtual void setInterface(IInterface *pInterface);
    virtual void setModel(MModel *pModel);
    virtual void reset();
    virtual bool isSubscribed() const;
    virtual void requestMeterStatus(TTransform *pTransform);

    IInterface *boundInterface() const;
    MModel *boundModel() const { return m_pModel; }
    // The interface's connected flag; false without an interface.
    bool isOnline() const;
    void dump() const;

public slots:
    virtual void onOnlineStateChanged(bool online);

signals:
    void onlineStateChanged(bool online);

protected:
    QPointer<IInterface> m_pInterface;
    MModel *m_pModel = nullptr;
};
