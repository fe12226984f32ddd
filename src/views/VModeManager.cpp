#include "views/VModeManager.h"

#include <QVariant>

VModeManager *VModeManager::s_pInstance = nullptr;

VModeManager *VModeManager::instance()
{
    if (!s_pInstance)
        s_pInstance = new VModeManager();
    return s_pInstance;
}

VModeManager::~VModeManager()
{
    // The model deletes the instance; a later instance() must not hand out a dangling one.
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

bool VModeManager::registerObject(const QString &name, QObject *pObject)
{
    if (name == QLatin1String("QmlCanvas")) {
        setCanvasRoot(pObject);
        return true;
    }
    if (name == QLatin1String("ModalObject")) {
        setModalObject(pObject);
        return true;
    }
    return false;
}

void VModeManager::cancelMode()
{
    if (m_pModalObject)
        m_pModalObject->setProperty("cancel", true);
}
