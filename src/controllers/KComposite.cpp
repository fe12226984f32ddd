#include "controllers/KComposite.h"

#include <utility>

KComposite::KComposite()
    : KController()
{
}

KComposite::KComposite(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
{
}

KComposite::~KComposite()
{
    // Children detach themselves while they are deleted; the list is emptied
    // first so that none is skipped and none is deleted twice.
    const QList<KController *> children = std::exchange(m_controllers, {});
    for (KController *pChild : children) {
        pChild->setParentComposite(nullptr);
        delete pChild;
    }
}

void KComposite::initialize()
{
}

void KComposite::notify(int event)
{
    // A handler may delete a controller (a rebuild); skip the ones gone since.
    QList<QPointer<KController>> children;
    children.reserve(m_controllers.size());
    for (KController *pChild : std::as_const(m_controllers))
        children.append(pChild);
    for (const QPointer<KController> &pChild : std::as_const(children)) {
        if (pChild)
            pChild->notify(event);
    }
}

void KComposite::addController(KController *pChild)
{
    if (!pChild || pChild == this || m_controllers.contains(pChild))
        return;
    // Owned by one composite only.
    if (KComposite *pOld = pChild->parentComposite())
        pOld->removeController(pChild);
    pChild->setParentComposite(this);
    pChild->initialize();
    m_controllers.append(pChild);
}

bool KComposite::deleteController(int id)
{
    const QList<KController *> children = m_controllers;
    for (KController *pChild : children) {
        QPointer<KController> pGuard(pChild);
        if (!pChild->deleteController(id))
            continue;
        // A nested composite answers true for a grandchild and stays.
        if (!pGuard)
            m_controllers.removeOne(pChild);
        return true;
    }
    return false;
}

bool KComposite::removeController(KController *pController)
{
    if (!pController || !m_controllers.removeOne(pController))
        return false;
    if (pController->parentComposite() == this)
        pController->setParentComposite(nullptr);
    return true;
}

KController *KComposite::findController(int id)
{
    if (controllerId() == id)
        return this;
    for (KController *pChild : std::as_const(m_controllers)) {
        if (KController *pFound = pChild->findController(id))
            return pFound;
    }
    return nullptr;
}

void KComposite::setModel(MModel *pModel)
{
    KController::setModel(pModel);
    for (KController *pChild : std::as_const(m_controllers))
        pChild->setModel(pModel);
}
