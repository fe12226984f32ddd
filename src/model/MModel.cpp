#include "model/MModel.h"

#include "controllers/KComposite.h"
#include "interfaces/IInterface.h"
#include "model/CControl.h"
#include "protocols/PFileProtocol.h"

#include <QEventLoop>

MModel::MModel(QObject *parent)
    : QObject(parent)
    , m_pControllers(nullptr)
    , m_bModified(false)
    , m_bPollEnabled(false)
{
    m_pControllers = new KComposite(nullptr, nullptr);
    m_pControllers->KController::setModel(this);
}

MModel::~MModel()
{
    // The pointer stays set while the controllers go.
    delete m_pControllers;
    m_pControllers = nullptr;
}

void MModel::addController(KController *pController)
{
    if (m_pControllers)
        m_pControllers->addController(pController);
}

void MModel::removeController(KController *pController)
{
    if (m_pControllers)
        m_pControllers->removeController(pController);
}

KController *MModel::findController(int id) const
{
    return m_pControllers ? m_pControllers->findController(id) : nullptr;
}

void MModel::notifyControllers(int event)
{
    if (m_pControllers)
        m_pControllers->notify(event);
}

CControl *MModel::currentPanel() const
{
    return m_pCurrentPanel;
}

void MModel::setCurrentPanel(CControl *pPanel)
{
    m_pCurrentPanel = pPanel;
}

bool MModel::selectScene(const QString &)
{
    // No scenes until the panel document is bound to the model.
    return false;
}

CControl *MModel::currentChildIn(const QString &) const
{
    return nullptr;
}

void MModel::setPollPending(bool pending)
{
    m_bPollEnabled = pending;
}

void MModel::doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface)
{
    if (!pProtocol || !pInterface)
        return;
    QEventLoop loop;
    connect(pInterface, &IInterface::connectionClose, &loop, &QEventLoop::quit);
    loop.exec();
}
