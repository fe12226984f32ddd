#include "model/MModel.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KMainController.h"
#include "dialogs/DMessageBox.h"
#include "hardware/HComposite.h"
#include "hardware/HRoot.h"
#include "interfaces/IInterface.h"
#include "hardware/HRoot.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MProject.h"
#include "protocols/PFileProtocol.h"
#include "utility/UNumbers.h"
#include "widgets/MQmlInterface.h"

#include <QDebug>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QUrl>
#include <QWidget>

MModel::MModel(QObject *parent)
    : QObject(parent)
    , m_pControllers(nullptr)
    , m_bModified(false)
    , m_bPollEnabled(false)
    , m_viewScale(1.0f)
    , m_pSelectTool(nullptr)
{
    m_pControllers = new KComposite(nullptr, nullptr);
    m_pControllers->KController::setModel(this);
}

MModel::~MModel()
{
    // The pointer stays set while the controllers go.
    delete m_pControllers;
    m_pControllers = nullptr;
    delete m_pSelectTool;
    delete m_pRootNode; // editor shell
    m_pRootNode = nullptr;
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

void MModel::setQmlContext(QQmlContext *pContext)
{
    m_pQmlContext = pContext;
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
            qWarning().noquote() << "Error loading QML at path: " + url.toString() + " " + error.toString();
    }
    if (!pItem) {
        delete pObject;
        return nullptr;
    }
    return pItem;
}

void MModel::setViewScale(float scale)
{
    if (UNumbers::isPositive(scale))
        m_viewScale = scale;
}

// ==== editor shell: the least of what the main window, the tab panes and the
// project tree call; the model's own work completes these.

namespace {

// The node's address as the project tree writes it; a number is only ever
// compared with it, never turned back into a pointer.
quint64 addressOf(const HNode *pNode)
{
    return static_cast<quint64>(reinterpret_cast<quintptr>(pNode));
}

HNode *findByAddress(HNode *pNode, quint64 handle)
{
    if (!pNode)
        return nullptr;
    if (addressOf(pNode) == handle)
        return pNode;
    auto *pComposite = qobject_cast<HComposite *>(pNode);
    if (!pComposite)
        return nullptr;
    for (HNode *pChild : pComposite->children()) {
        if (HNode *pFound = findByAddress(pChild, handle))
            return pFound;
    }
    return nullptr;
}

} // namespace

void MModel::setCanvas(CCanvas *pCanvas)
{
    m_pCanvas = pCanvas;
    if (pCanvas)
        pCanvas->setModel(this);
}

void MModel::setQmlProperty(const QString &, const QVariant &)
{
    // No QML interface object to set it on yet.
}

void MModel::attachWidgetFactory()
{
    // No widget factory yet.
}

void MModel::setEditMode(bool on)
{
    if (auto *pMain = qobject_cast<KMainController *>(findController(ControllerId::Main)))
        pMain->setActionChecked(ActionId::EditMode, on);
    if (KController *pTree = findController(ControllerId::ProjectTree))
        pTree->setEditMode(on);
}

bool MModel::newProject(const QString &)
{
    // No panel document to build it in yet; a new project never goes online.
    emit enableConnection(false);
    return false;
}

bool MModel::saveProject(const QString &)
{
    return false;
}

void MModel::buildHardwareModel(QStandardItemModel *pItemModel)
{
    if (!m_pRootNode) {
        qDebug() << "MModel::buildHardwareModel m_pRootNode not defined. Skipping buildModel";
        return;
    }
    m_pRootNode->buildModel(pItemModel);
}

void MModel::addPanelItems(QStandardItem *)
{
}

bool MModel::hasDropSite() const
{
    return false;
}

bool MModel::followLink(const QString &)
{
    return false;
}

HNode *MModel::nodeForHandle(quint64 handle) const
{
    return handle ? findByAddress(m_pRootNode, handle) : nullptr;
}

QString MModel::linkPathForHandle(quint64) const
{
    return QString();
}

// ==== QML canvas bridge: the least of the model it calls (begin) ====

namespace {

// This computer's IPv4 addresses other than loopback, one a line.
QString localAddresses()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    if (addresses.isEmpty())
        return QStringLiteral("No network interfaces found.");
    QString text;
    for (const QHostAddress &address : addresses) {
        const QString addressText = address.toString();
        if (addressText.contains(QLatin1Char(':')) || addressText.startsWith(QLatin1String("127.0.0")))
            continue;
        text += addressText + QLatin1Char('\n');
    }
    return text.isEmpty() ? QStringLiteral("No network connection detected.") : text;
}

} // namespace

void MModel::init()
{
    // The roots are QObject children, so they go with the model.
    if (!m_pRootNode) {
        m_pRootNode = new HRoot;
        static_cast<QObject *>(m_pRootNode)->setParent(this);
    }
    if (!m_pScenes) {
        m_pScenes = new CComposite;
        m_pScenes->setType(QStringLiteral("Scenes"));
        static_cast<QObject *>(m_pScenes)->setParent(this);
    }
    if (!m_pProject)
        m_pProject = std::make_unique<MProject>();
    if (!m_pSelectTool) {
        BCommand *pCommand = BCommandFactory::instance()->createCommand(BCommandId::ToolSelect);
        if (auto *pTool = dynamic_cast<BToolSelectCommand *>(pCommand))
            setSelectTool(pTool);
        else
            delete pCommand;
    }
    emit selectState(false);
    emit ccpState(false);
}

void MModel::setSelectTool(BToolSelectCommand *pTool)
{
    if (pTool == m_pSelectTool)
        return;
    delete m_pSelectTool;
    m_pSelectTool = pTool;
    if (m_pSelectTool) {
        m_pSelectTool->setModel(this);
        m_pSelectTool->prepare();
    }
}

void MModel::setQmlInterface(MQmlInterface *pInterface)
{
    m_pQmlInterface = pInterface;
}

MQmlInterface *MModel::qmlInterface() const
{
    return m_pQmlInterface;
}

QString MModel::networkReport() const
{
    // No processor reports its state yet.
    return tr("No network information available.");
}

QString MModel::mobileIpAddressText() const
{
    return tr("Mobile IP Address:\n\n") + localAddresses();
}

bool MModel::arrowPressed(const QString &)
{
    return false;
}

bool MModel::runSystemMenu(const QString &)
{
    return false;
}

bool MModel::panelSetup()
{
    return false;
}

bool MModel::updateCanvasScale()
{
    return false;
}

void MModel::updateToolBar()
{
}

// ==== QML canvas bridge (end) ====

// ==== tool and drop commands: the least of the model they call (begin) ====

QQuickItem *MModel::qmlRootItem() const
{
    return m_pQmlInterface ? qobject_cast<QQuickItem *>(m_pQmlInterface->qmlView()) : nullptr;
}

namespace {

// A control the current panel just built: bound, selected, its panel shown.
CControl *adoptBuilt(MModel *pModel, CControl *pPanel, CControl *pControl)
{
    if (!pControl)
        return nullptr;
    pControl->setContextObject(pModel);
    pPanel->setVisible(true);
    pControl->setSelected(true);
    pModel->setModified(true);
    return pControl;
}

} // namespace

CControl *MModel::addControl(HNode *pNode, const QString &name, const QPointF &position)
{
    if (!m_pRootNode || !m_pCurrentPanel)
        return nullptr;
    CControl *pControl =
        adoptBuilt(this, m_pCurrentPanel, m_pCurrentPanel->createControlForNode(m_pRootNode, pNode, name, position));
    if (pControl)
        emit enableConnection(true);
    return pControl;
}

CControl *MModel::dropControl(const QString &templateName, const QPointF &position)
{
    if (!m_pCurrentPanel)
        return nullptr;
    return adoptBuilt(this, m_pCurrentPanel, m_pCurrentPanel->createFromGraphics(templateName, position));
}

CControl *MModel::addPanelLink(CControl *pTarget, const QPointF &position)
{
    if (!m_pCurrentPanel) {
        DMessageBox::warning(qobject_cast<QWidget *>(m_pMainWindow.data()), tr("Warning"),
                             tr("There are no panels in this collection."));
        return nullptr;
    }
    return adoptBuilt(this, m_pCurrentPanel, m_pCurrentPanel->createPanelLink(pTarget, position));
}

bool MModel::checkPanelLimit()
{
    if (!m_pCurrentPanel)
        return true;
    const CComposite *pScene = m_pCurrentPanel->parentComposite();
    if (!pScene)
        return false;
    if (pScene->childCount() <= 5)
        return true;
    DMessageBox::warning(qobject_cast<QWidget *>(m_pMainWindow.data()), tr("Warning"),
                         tr("The maximum number of panels in a scene is: 6"));
    return false;
}

// Until panels are read from templates, the new panel is an empty one named after the node.
CControl *MModel::addPanelForNode(HNode *pNode)
{
    if (!pNode || !m_pScenes || !checkPanelLimit())
        return nullptr;
    auto *pScene = qobject_cast<CComposite *>(m_pScenes->currentChildIn(QStringLiteral("Scenes")));
    if (!pScene)
        return nullptr;
    auto *pPanel = new CComposite;
    pScene->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setPanelType(QString());
    pPanel->setTitle(pNode->label());
    pPanel->setContextObject(this);
    setModified(true);
    if (m_pCurrentPanel && m_pCurrentPanel != pPanel)
        m_pCurrentPanel->setVisible(false);
    pScene->selectChild(QStringLiteral("Panels"), pPanel->name());
    m_pCurrentPanel = pPanel;
    pPanel->setVisible(true);
    return pPanel;
}

void MModel::addToCurrentPanel(CControl *pControl)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->addChild(pControl);
    setModified(true);
}

void MModel::removeFromCurrentPanel(CControl *pControl, bool destroy)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->removeChild(pControl, destroy);
    setModified(true);
    if (m_pScenes && m_pScenes->boundCount() == 0)
        emit enableConnection(false);
}

void MModel::deselectAll()
{
    if (!m_pScenes)
        return;
    CComposite selection;
    selection.setNotOwner(true);
    if (m_pScenes->collectSelected(&selection))
        selection.setMode(CControl::ModeNormal);
    selection.clear();
}

bool MModel::gotoPage(int index)
{
    CComposite *pScene = m_pCurrentPanel ? m_pCurrentPanel->parentComposite() : nullptr;
    if (!pScene && m_pScenes)
        pScene = qobject_cast<CComposite *>(m_pScenes->currentChildIn(QStringLiteral("Scenes")));
    if (!pScene || pScene->childCount() == 0) {
        m_pCurrentPanel = nullptr;
        return false;
    }
    CControl *pTarget = pScene->childAt(index);
    if (!pTarget)
        return false;
    if (m_pCurrentPanel)
        m_pCurrentPanel->setVisible(false);
    pScene->selectChild(QStringLiteral("Panels"), pTarget->name());
    m_pCurrentPanel = pTarget;
    pTarget->setVisible(true);
    return true;
}

void MModel::onExtraRefreshTimerTimeout()
{
    // Nothing on the canvas to bring up to date yet.
}

// ==== tool and drop commands (end) ====
