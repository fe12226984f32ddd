#include "widgets/MQmlInterface.h"

#include "model/CComposite.h"
#include "model/MModel.h"
#include "views/VModeManager.h"

#include <QDebug>
#include <QQuickItem>
#include <QStringList>

MQmlInterface::MQmlInterface(QObject *parent)
    : QObject(parent)
{
}

MQmlInterface::~MQmlInterface() = default;

void MQmlInterface::setModel(MModel *pModel)
{
    if (!pModel)
        return;
    m_pModel = pModel;
    pModel->setQmlInterface(this);
    pModel->setQmlContext(m_pContext);
}

void MQmlInterface::setContext(QQmlContext *pContext)
{
    m_pContext = pContext;
    loadSceneMenu(nullptr);
}

QQuickItem *MQmlInterface::qmlView() const
{
    return qobject_cast<QQuickItem *>(m_pQmlView.data());
}

void MQmlInterface::loadSceneMenu(CControl *pScenes)
{
    if (!m_pContext) {
        qDebug() << "Context not set when loading scene menu.";
        return;
    }
    QStringList names;
    if (auto *pRoot = qobject_cast<CComposite *>(pScenes)) {
        for (const CControl *pScene : pRoot->children()) {
            if (pScene)
                names.append(pScene->name());
        }
    }
    m_pContext->setContextProperty(QStringLiteral("sceneMenuData"), names);
}

void MQmlInterface::setObject(const QString &name, QObject *pObject)
{
    if (name == QLatin1String("QmlView"))
        m_pQmlView = pObject;
    else if (name == QLatin1String("QmlCanvas") || name == QLatin1String("ModalObject"))
        VModeManager::instance()->registerObject(name, pObject);
}
