#pragma once

#include "interfaces/IInterface.h"

#include <QList>
#include <QPointer>

// A group of transports asked together, such as every processor's client for the status indicator.
// Children are not Qt children: only removeInterface and clearInterfaces(true) delete them.
class IComposite : public IInterface
{
    Q_OBJECT

public:
    explicit IComposite(QObject *parent = nullptr);
    ~IComposite() override;

    bool open() override;
    bool close() override;
    void start() override;
    void stop() override;
    void emitState() override;
    void dump() const override;
    void resetProtocol() override;

    void addInterface(IInterface *transport);
    void removeInterface(IInterface *transport);
    void clearInterfaces(bool deleteChildren);
    int count() const;
    int connectedCount() const;
    IInterface *interfaceAt(int index) const;

private:
    // Children that were destroyed elsewhere (their node went) leave the list.
    QList<IInterface *> liveInterfaces() const;

    QList<QPointer<IInterface>> m_lInterfaces;
};
