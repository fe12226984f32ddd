#include "widgets/VQmlFrame.h"

#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "widgets/MQmlInterface.h"
#include "widgets/MeterGaugeLocalization.h"
#include "widgets/WWidgetFactory.h"

#include <QDebug>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QResizeEvent>
#include <QScreen>

namespace {

const char *const InterfaceFile = "qrc:/qml/QmlInterface.qml";
constexpr float DefaultDpi = 72.0f;

} // namespace

VQmlFrame::VQmlFrame(QWindow *pParent)
    : QQuickView(pParent)
    , m_pParentWindow(pParent)
    , m_pInterfaceComponent(nullptr)
    , m_pMeterGauge(new MeterGaugeLocalization)
{
    setResizeMode(QQuickView::SizeRootObjectToView);
}

VQmlFrame::VQmlFrame(QQmlEngine *pEngine, QWindow *pParent)
    : QQuickView(pEngine, pParent)
    , m_pParentWindow(pParent)
    , m_pInterfaceComponent(nullptr)
    , m_pMeterGauge(new MeterGaugeLocalization)
{
    setResizeMode(QQuickView::SizeRootObjectToView);
}

// The desktop goes first, while the interface its bindings read still
// exists; then the interface, which a rebuilt view must not leave behind.
VQmlFrame::~VQmlFrame()
{
    setSource(QUrl());
    delete m_pInterface.data();
    delete m_pInterfaceComponent;
    delete m_pMeterGauge;
}

void VQmlFrame::registerQmlTypes(bool initModel)
{
    QQmlEngine *pEngine = engine();
    if (!pEngine)
        return;
    WWidgetFactory::registerQmlTypes();
    loadQmlInterface(pEngine);
    if (initModel)
        this->initModel();
}

void VQmlFrame::loadQmlInterface(QQmlEngine *pEngine)
{
    if (!pEngine || m_pInterfaceComponent)
        return;
    m_pInterfaceComponent = new QQmlComponent(pEngine, QUrl(QLatin1String(InterfaceFile)));
    printComponentErrors(m_pInterfaceComponent);
    QObject *pObject = m_pInterfaceComponent->create();
    m_pInterface = qobject_cast<MQmlInterface *>(pObject);
    if (!m_pInterface)
        delete pObject;
    QQmlContext *pContext = pEngine->rootContext();
    if (!pContext)
        return;
    pContext->setContextProperty(QStringLiteral("intrf"), m_pInterface.data());
    pContext->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), m_pMeterGauge);
    pContext->setContextProperty(QStringLiteral("MsgBoxController"), &m_msgBox);
    if (m_pInterface)
        m_pInterface->setContext(pContext);
}

void VQmlFrame::setModel(MModel *pModel)
{
    m_pModel = pModel;
    if (!m_pInterface)
        return;
    m_pInterface->setModel(pModel);
    m_pInterface->setView(this);
}

MModel *VQmlFrame::model() const
{
    return m_pModel;
}

void VQmlFrame::initModel()
{
    if (m_pModel)
        m_pModel->init();
}

void VQmlFrame::loadSetupMenu(const QString &text)
{
    if (m_pInterface)
        m_pInterface->loadSetupMenu(text);
}

float VQmlFrame::logicalDpi() const
{
    const QScreen *pScreen = screen();
    return pScreen ? float(pScreen->logicalDotsPerInch()) : DefaultDpi;
}

void VQmlFrame::printComponentErrors(const QQmlComponent *pComponent)
{
    if (!pComponent || !pComponent->isError())
        return;
    const QList<QQmlError> errors = pComponent->errors();
    for (int i = 0; i < errors.size(); ++i)
        qCDebug(lcWidgets) << i << errors.at(i).toString();
    qCDebug(lcWidgets) << "------------------------";
}

MQmlInterface *VQmlFrame::qmlInterface() const
{
    return m_pInterface;
}

void VQmlFrame::resizeEvent(QResizeEvent *pEvent)
{
    QQuickView::resizeEvent(pEvent);
    if (QObject *pRoot = rootObject()) {
        pRoot->setProperty("width", pEvent->size().width());
        pRoot->setProperty("height", pEvent->size().height());
    }
}
