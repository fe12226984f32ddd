#include "interfaces/IComposite.h"

IComposite::IComposite(QObject *parent)
    : IInterface(parent)
{
}

IComposite::~IComposite() = default;

QList<IInterface *> IComposite::liveInterfaces() const
{
    QList<IInterface *> live;
    for (const QPointer<IInterface> &child : m_lInterfaces) {
        if (child)
            live.append(child.data());
    }
    return live;
}

bool IComposite::open()
{
    bool bAll = true;
    for (IInterface *child : liveInterfaces())
        bAll = child->open() && bAll;
    return bAll;
}

bool IComposite::close()
{
    bool bAll = true;
    for (IInterface *child : liveInterfaces())
        bAll = child->close() && bAll;
    return bAll;
}

void IComposite::start()
{
    for (IInterface *child : liveInterfaces())
        child->start();
}

void IComposite::stop()
{
    for (IInterface *child : liveInterfaces())
        child->stop();
}

void IComposite::emitState()
{
    for (IInterface *child : liveInterfaces())
        child->emitState();
}

void IComposite::dump() const
{
    for (IInterface *child : liveInterfaces())
        child->dump();
}

void IComposite::resetProtocol()
{
    for (IInterface *child : liveInterfaces())
        child->resetProtocol();
}

void IComposite::addInterface(IInterface *transport)
{
    if (!transport || liveInterfaces().contains(transport))
        return;
    m_lInterfaces.append(transport);
}

void IComposite::removeInterface(IInterface *transport)
{
    if (!transport || !liveInterfaces().contains(transport))
        return;
    m_lInterfaces.removeAll(transport);
    transport->close();
    delete transport;
}

void IComposite::clearInterfaces(bool deleteChildren)
{
    const QList<IInterface *> children = liveInterfaces();
    m_lInterfaces.clear();
    if (!deleteChildren)
        return;
    for (IInterface *child : children) {
        child->close();
        delete child;
    }
}

int IComposite::count() const
{
    return liveInterfaces().size();
}

int IComposite::connectedCount() const
{
    int nConnected = 0;
    for (IInterface *child : liveInterfaces()) {
        if (child->isConnected())
            ++nConnected;
    }
    return nConnected;
}

IInterface *IComposite::interfaceAt(int index) const
{
    const QList<IInterface *> children = liveInterfaces();
    if (index < 0 || index >= children.size())
        return nullptr;
    return children.at(index);
}
