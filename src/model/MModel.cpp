#include "model/MModel.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KMainController.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DIPAddressChangeDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DPanelSetupDialog.h"
#include "hardware/HChassis.h"
#include "hardware/HRoot.h"
#include "interfaces/IComposite.h"
#include "interfaces/IInterface.h"
#include "interfaces/ITcpServer.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MProject.h"
#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"
#include "utility/SkinFiles.h"
#include "utility/UArchive.h"
#include "utility/UFolderSnapshot.h"
#include "utility/UNumbers.h"
#include "utility/UTesselator.h"
#include "views/VModeManager.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"
#include "xml/XmlWriter.h"
#include "xml/XRecordedDocument.h"

#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkInterface>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>
#include <QStandardItem>
#include <QUrl>
#include <QWidget>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

const QLatin1String MModel::AppVersion("3.0.6.0");
int MModel::s_nServiceUsers = 0;

MModel::MModel(QObject *parent)
    : QObject(parent)
    , m_canvasItemHeight(0.0f)
    , m_canvasItemWidth(0.0f)
    , m_bConnectionEnabled(false)
    , m_bPollEnabled(false)
    , m_viewScale(1.0f)
    , m_bModified(false)
    , m_mobileAddress(QStringLiteral("192.168.0.1"))
    , m_pCanvas(nullptr)
    , m_bReceiving(false)
    , m_fileVersion(QStringLiteral("3.0"))
    , m_bSaved(false)
    , m_pInterfaces(std::make_unique<IComposite>())
    , m_pControllers(std::make_unique<KComposite>(nullptr, nullptr))
{
    m_pControllers->KController::setModel(this);
}

// The panel document goes first, while the widgets it clears and the
// controllers and QML view holding them are still there; the commands the
// processor owns may hold controls too. The members go next, in their order.
MModel::~MModel()
{
    m_pollTimer.stop();
    if (m_pCommandProcessor)
        --s_nServiceUsers;
    m_pCommandProcessor.reset();
    m_pCurrentPanel = nullptr;
    if (m_pScenes)
        m_pScenes->clear();
    if (m_pDelegate && m_pDelegate->factory() == m_pWidgetFactory.get())
        m_pDelegate->setFactory(nullptr);
}

void MModel::init()
{
    if (m_pRootNode)
        return;
    m_pRootNode = std::make_unique<HRoot>();
    m_pScenes = std::make_unique<CComposite>();
    m_pScenes->setType(QStringLiteral("Scenes"));
    m_pProject = std::make_unique<MProject>();

    m_pollTimer.stop();
    m_pollTimer.setObjectName(QStringLiteral("polling"));
    m_pollTimer.setParent(this);
    connect(&m_pollTimer, &QTimer::timeout, this, &MModel::doPolling);

    m_pDelegate.reset(WDelegate::instance());
    if (m_pDelegate) {
        m_pWidgetFactory = std::make_unique<WWidgetFactory>();
        if (m_pQmlInterface) {
            m_pWidgetFactory->setParentItem(qmlRootItem());
            m_pWidgetFactory->setContext(m_pQmlContext);
            m_pWidgetFactory->setModel(this);
        }
        m_pDelegate->setFactory(m_pWidgetFactory.get());
        updateCanvasScale();
    }
    m_pModeManager.reset(VModeManager::instance());
    m_pTesselator.reset(UTesselator::instance());
    m_pCommandProcessor.reset(BCommandProcessor::instance());
    m_pArchive.reset(UArchive::instance());
    ++s_nServiceUsers;

    BCommand *pCommand = BCommandFactory::instance()->createCommand(BCommandId::ToolSelect);
    if (auto *pTool = dynamic_cast<BToolSelectCommand *>(pCommand))
        setSelectTool(pTool);
    else
        delete pCommand;
    emit selectState(false);
    emit ccpState(false);
}

// ---------------------------------------------------------------- controller tree

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

// ---------------------------------------------------------------- QML side

void MModel::setQmlInterface(MQmlInterface *pInterface)
{
    m_pQmlInterface = pInterface;
    QObject *pCanvasRoot = VModeManager::instance()->canvasRoot();
    if (!pCanvasRoot)
        return;
    connect(this, SIGNAL(reloadCanvas()), pCanvasRoot, SLOT(reloadCanvas()), Qt::UniqueConnection);
    connect(this, SIGNAL(resetCanvas()), pCanvasRoot, SLOT(resetCanvas()), Qt::UniqueConnection);
}

MQmlInterface *MModel::qmlInterface() const
{
    return m_pQmlInterface;
}

void MModel::setQmlContext(QQmlContext *pContext)
{
    m_pQmlContext = pContext;
}

void MModel::attachWidgetFactory()
{
    WWidgetFactory *pFactory = m_pDelegate ? m_pDelegate->factory() : nullptr;
    if (!pFactory || !m_pQmlInterface)
        return;
    pFactory->setParentItem(qmlRootItem());
    pFactory->setContext(m_pQmlContext);
    pFactory->setModel(this);
}

QQuickItem *MModel::qmlRootItem() const
{
    return m_pQmlInterface ? qobject_cast<QQuickItem *>(m_pQmlInterface->qmlView()) : nullptr;
}

QObject *MModel::createQmlObject(const QUrl &url, QObject *pParent)
{
    if (!pParent || !m_pQmlContext || !m_pQmlContext->engine())
        return nullptr;
    QQmlComponent component(m_pQmlContext->engine(), url, QQmlComponent::PreferSynchronous);
    QObject *pObject = component.isError() ? nullptr : component.beginCreate(m_pQmlContext);
    auto *pItem = qobject_cast<QQuickItem *>(pObject);
    if (pItem) {
        // Parents first, so that anchors to the parent hold when bindings complete.
        pItem->setParentItem(qobject_cast<QQuickItem *>(pParent));
        pItem->setParent(pParent);
    }
    if (pObject)
        component.completeCreate();
    if (component.isError()) {
        for (const QQmlError &error : component.errors())
            qCWarning(lcModel).noquote() << "Error loading QML at path: " + url.toString() + " " + error.toString();
    }
    if (!pItem) {
        delete pObject;
        return nullptr;
    }
    return pItem;
}

void MModel::setQmlProperty(const QString &name, const QVariant &value)
{
    if (m_pQmlInterface)
        m_pQmlInterface->setProperty(name.toUtf8().constData(), value);
}

QVariant MModel::qmlProperty(const QString &name) const
{
    return m_pQmlInterface ? m_pQmlInterface->property(name.toUtf8().constData()) : QVariant();
}

void MModel::setCanvas(CCanvas *pCanvas)
{
    m_pCanvas = pCanvas;
    if (m_pCanvas)
        m_pCanvas->setModel(this);
}

QString MModel::skinName() const
{
    return m_pCanvas ? m_pCanvas->skin() : QString();
}

QString MModel::accentName() const
{
    return m_pCanvas ? m_pCanvas->accent() : QString();
}

bool MModel::applySkin(const QString &name)
{
    if (!m_pQmlInterface)
        return false;
    QString skin = name;
    if (!SkinFiles(m_pQmlInterface).loadSkin(skin))
        return false;
    // A skin brings the offline indicator; the connection state outlives it.
    if (m_pInterfaces && m_pInterfaces->count() > 0
        && qmlProperty(QStringLiteral("connectInd")).toString() != indicatorImage())
        showConnectionIndicator();
    if (m_pCanvas)
        m_pCanvas->notifyChanged();
    return true;
}

void MModel::reloadImages()
{
    if (m_pRootNode && m_pScenes)
        m_pScenes->reloadImages();
}

namespace {

// The QML items of a control's widgets, then of its children's, in list order.
void collectWidgetItems(const CControl *pControl, QList<QQuickItem *> &items)
{
    for (const QPointer<WWidget> &pWidget : pControl->widgets()) {
        if (auto *pItem = pWidget ? qobject_cast<QQuickItem *>(pWidget->widget()) : nullptr)
            items.append(pItem);
    }
    if (const auto *pComposite = qobject_cast<const CComposite *>(pControl)) {
        for (const CControl *pChild : pComposite->children()) {
            if (pChild)
                collectWidgetItems(pChild, items);
        }
    }
}

} // namespace

// The items change places among the canvas's children without leaving the
// window: a shape item (a region's outline) taken off the window and put
// back no longer draws.
void MModel::reparentToCanvas(CControl *pControl)
{
    QQuickItem *pCanvas = qmlRootItem();
    if (!pControl || !pCanvas)
        return;
    QList<QQuickItem *> items;
    collectWidgetItems(pControl, items);
    QQuickItem *pPrevious = nullptr;
    for (QQuickItem *pItem : std::as_const(items)) {
        if (pItem->parentItem() != pCanvas)
            pItem->setParentItem(pCanvas);
        if (pPrevious)
            pItem->stackAfter(pPrevious);
        pPrevious = pItem;
    }
}

// ---------------------------------------------------------------- services

void MModel::setSelectTool(BToolSelectCommand *pTool)
{
    if (pTool == m_pSelectTool.get())
        return;
    m_pSelectTool.reset(pTool);
    if (m_pSelectTool) {
        m_pSelectTool->setModel(this);
        m_pSelectTool->prepare();
    }
}

void MModel::activateSelectTool()
{
    if (m_pSelectTool)
        m_pSelectTool->run(1);
}

void MModel::clearUndoStack()
{
    if (m_pCommandProcessor)
        m_pCommandProcessor->clear();
}
