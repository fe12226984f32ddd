#include "support/QmlCanvasFixture.h"

#include "widgets/MQmlInterface.h"

#include <QQmlComponent>
#include <QQmlContext>

QmlCanvasFixture::QmlCanvasFixture()
    : m_pEngine(std::make_unique<QQmlEngine>())
{
    WWidgetFactory::registerQmlTypes();
    QObject::connect(m_pEngine.get(), &QQmlEngine::warnings, m_pEngine.get(),
                     [this](const QList<QQmlError> &warnings) {
                         for (const QQmlError &warning : warnings)
                             m_warnings.append(warning.toString());
                     });
    QQmlComponent component(m_pEngine.get(), QUrl(QStringLiteral("qrc:/qml/QmlInterface.qml")));
    m_pInterface = component.create(m_pEngine->rootContext());
    for (const QQmlError &error : component.errors())
        m_warnings.append(error.toString());
    if (m_pInterface)
        m_pInterface->setParent(m_pEngine.get());
    m_pEngine->rootContext()->setContextProperty(QStringLiteral("intrf"), m_pInterface);
    // As the view does: the interface publishes its own objects and the menus.
    if (auto *pInterface = qobject_cast<MQmlInterface *>(m_pInterface)) {
        pInterface->setContext(m_pEngine->rootContext());
        pInterface->loadSetupMenu(QStringLiteral("About,Project Information,Network Status"));
    }

    m_pCanvas = new QQuickItem;
    m_pCanvas->setParent(m_pEngine.get());
    m_pCanvas->setSize(QSizeF(1280, 800));
    m_factory.setContext(m_pEngine->rootContext());
    m_factory.setParentItem(m_pCanvas);
    m_factory.setModel(&m_model);
    m_model.setQmlContext(m_pEngine->rootContext());
}

// The canvas and its items go before the engine that made them.
QmlCanvasFixture::~QmlCanvasFixture()
{
    delete m_pCanvas.data();
    m_pEngine.reset();
}

QQmlContext *QmlCanvasFixture::context() const
{
    return m_pEngine->rootContext();
}

QObject *QmlCanvasFixture::create(const QUrl &url)
{
    QQmlComponent component(m_pEngine.get(), url, QQmlComponent::PreferSynchronous);
    QObject *pObject = component.isError() ? nullptr : component.beginCreate(context());
    auto *pItem = qobject_cast<QQuickItem *>(pObject);
    if (pItem)
        pItem->setParentItem(m_pCanvas);
    if (pObject) {
        pObject->setParent(m_pCanvas);
        component.completeCreate();
    }
    for (const QQmlError &error : component.errors())
        m_warnings.append(error.toString());
    return pObject;
}
