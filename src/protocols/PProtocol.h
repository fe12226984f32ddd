#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Base of the protocol objects between the widgets and one transport. Every operation has a
// neutral default that a protocol overrides.
class PProtocol : public QObject
{
    Q_OBJECT

public:
    explicit PProtocol(QObject *parent = nullptr);
    ~PProtocol() override;

    // One reply line from the dispatcher, or received bytes from a server.
    virtual bool onReceive(const QByteArray &bytes);
    // The expected reply prefix of a message whose reply did not come.
    virtual void onReplyTimeout(const QString &prefix);
    virtual QString name() const;
    virtual void reset();

public slots:
    virtual void onOnlineStateChanged(bool online);

signals:
    void onlineStateChanged(bool online);
};
