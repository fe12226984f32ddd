#include "controllers/KController.h"

#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "model/MModel.h"

KController::KController()
    : KController(nullptr, nullptr)
{
}

KController::KController(QWidget *pParent, MModel *pModel)
    : QObject(nullptr)
    , m_pModel(pModel)
    , m_pParentWidget(pParent)
    , m_pParentComposite(nullptr)
{
}

KController::~KController()
{
    // Detach from the composite that holds us, not through the model: the
    // model's root may itself be the one being destroyed, and only our own
    // composite knows us when we sit below a nested one.
    if (m_pParentComposite)
        m_pParentComposite->removeController(this);
}

void KController::initialize()
{
}

void KController::rebuild()
{
}

void KController::layout(const QRect &)
{
}

void KController::setEditMode(bool)
{
}

void KController::clear()
{
}

void KController::build()
{
}

void KController::setFilePath(const QString &)
{
}

void KController::notify(int)
{
}

void KController::mouseDoubleClick(QMouseEvent *)
{
}

void KController::addController(KController *)
{
}

bool KController::deleteController(int id)
{
    if (controllerId() != id)
        return false;
    delete this;
    return true;
}

bool KController::removeController(KController *pController)
{
    if (pController != this)
        return false;
    delete this;
    return true;
}

KController *KController::findController(int id)
{
    return controllerId() == id ? this : nullptr;
}

int KController::controllerId() const
{
    return ControllerId::Base;
}

void KController::setModel(MModel *pModel)
{
    m_pModel = pModel;
}

KController *KController::self()
{
    return this;
}

QAction *KController::action(int)
{
    return nullptr;
}

KController *KController::lookupController(int id) const
{
    return m_pModel ? m_pModel->findController(id) : nullptr;
}
