#include "widgets/MQmlInterface.h"

#include "commands/BCommand.h"
#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/NotifyEventId.h"
#include "hardware/CParameter.h"
#include "hardware/HNode.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "utility/LogCategories.h"
#include "views/VModeManager.h"
#include "widgets/MeterGaugeLocalization.h"
#include "widgets/VQmlFrame.h"
#include "widgets/WWidget.h"

#include <QCoreApplication>
#include <QDebug>
#include <QStringList>
#include <QWidget>

namespace {

constexpr int ExitDelay = 10;     // ms, so the QML call returns before the window closes
constexpr int NoEdge = -1;        // a drag moves the control, it grabs no edge
constexpr int FirstArrowKey = Qt::Key_Left;
constexpr int LastArrowKey = Qt::Key_Down;

// A drag handle is the decimal address of the dragged object, 0 for an item
// that stands for none (a graphics item); a text that is not a number names
// nothing.
bool parseHandle(const QString &data, quintptr *pHandle)
{
    bool ok = false;
    const qulonglong value = data.trimmed().toULongLong(&ok, 10);
    if (!ok || quint64(quintptr(value)) != quint64(value))
        return false;
    *pHandle = quintptr(value);
    return true;
}

// The node of the tree whose address is the handle; addresses are compared,
// never dereferenced.
HNode *findNode(HNode *pNode, quintptr handle)
{
    if (!pNode)
        return nullptr;
    if (reinterpret_cast<quintptr>(pNode) == handle)
        return pNode;
    for (int i = 0; HNode *pChild = pNode->childAt(i); ++i) {
        if (HNode *pFound = findNode(pChild, handle))
            return pFound;
    }
    return nullptr;
}

CControl *findControl(CControl *pControl, quintptr handle)
{
    if (!pControl)
        return nullptr;
    if (reinterpret_cast<quintptr>(pControl) == handle)
        return pControl;
    if (auto *pComposite = qobject_cast<CComposite *>(pControl)) {
        for (CControl *pChild : pComposite->children()) {
            if (CControl *pFound = findControl(pChild, handle))
                return pFound;
        }
    }
    return nullptr;
}

} // namespace

MQmlInterface::MQmlInterface(QObject *pParent)
    : QObject(pParent)
    , m_pMeterGauge(new MeterGaugeLocalization)
{
    m_exitTimer.setSingleShot(true);
    m_exitTimer.setInterval(ExitDelay);
    connect(&m_exitTimer, &QTimer::timeout, this, &MQmlInterface::onExitTimerTimeout);
}

MQmlInterface::~MQmlInterface()
{
    delete m_pMeterGauge;
}

// ---------------------------------------------------------------- bindings

void MQmlInterface::setModel(MModel *pModel)
{
    if (!pModel)
        return;
    m_pModel = pModel;
    pModel->setQmlInterface(this);
    pModel->setQmlContext(m_pContext);
}

MModel *MQmlInterface::model() const
{
    return m_pModel;
}

void MQmlInterface::setView(VQmlFrame *pView)
{
    m_pView = pView;
}

VQmlFrame *MQmlInterface::view() const
{
    return m_pView;
}

void MQmlInterface::setContext(QQmlContext *pContext)
{
    m_pContext = pContext;
    loadSceneMenu(nullptr);
}

void MQmlInterface::loadSceneMenu(CControl *pScenes)
{
    if (!m_pContext) {
        qCDebug(lcWidgets) << "Context not set when loading scene menu.";
        return;
    }
    QStringList names;
    if (auto *pComposite = qobject_cast<CComposite *>(pScenes)) {
        for (const CControl *pScene : pComposite->children())
            names.append(pScene->name());
    }
    m_pContext->setContextProperty(QStringLiteral("MeterGaugeLocalValue"), m_pMeterGauge);
    m_pContext->setContextProperty(QStringLiteral("sceneMenuData"), names);
    m_pContext->setContextProperty(QStringLiteral("MsgBoxController"), &m_msgBox);
}

void MQmlInterface::loadSetupMenu(const QString &text)
{
    if (!m_pContext)
        return;
    const QStringList entries = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
    m_pContext->setContextProperty(QStringLiteral("setupMenuData"), entries);
}

void MQmlInterface::setObject(const QString &name, QObject *pObject)
{
    if (name == QLatin1String("QmlView"))
        m_pQmlView = pObject;
    else if (name == QLatin1String("QmlCanvas") || name == QLatin1String("ModalObject"))
        VModeManager::instance()->registerObject(name, pObject);
}

// ---------------------------------------------------------------- questions from the menus

QString MQmlInterface::getExitPIN() const
{
    return MProject::exitPin();
}

QString MQmlInterface::getVersionText() const
{
    return tr("Version 3.0.6.0\n\n"
              "Copyright Harlo. All rights reserved. This program is protected by copyright law "
              "and may only be used with the licence that came with it.");
}

QString MQmlInterface::getFileVersionString() const
{
    return m_pModel ? m_pModel->fileVersion() : QString();
}

QString MQmlInterface::getProjectInfoString() const
{
    const MProject *pProject = m_pModel ? m_pModel->project() : nullptr;
    return pProject ? pProject->projectInfoString() : QString();
}

QString MQmlInterface::getNetworkStatusString() const
{
    return m_pModel ? m_pModel->networkReport() : QString();
}

QString MQmlInterface::getMobileIPAddressString() const
{
    return m_pModel ? m_pModel->mobileIpAddressText() : QString();
}

QString MQmlInterface::getReceivePanelString() const
{
    return tr("Receive Control Panel...");
}

QString MQmlInterface::getDesktopOrMobile() const
{
    return QStringLiteral("desktop");
}

int MQmlInterface::getAppFunction() const
{
    return 1;
}

void MQmlInterface::headerText()
{
}

// ---------------------------------------------------------------- requests to the model

void MQmlInterface::doubleClickControl()
{
    if (m_pModel)
        m_pModel->notifyControllers(NotifyEventId::ShowProperties);
}

void MQmlInterface::exitApplication()
{
    m_exitTimer.start();
}

// The main window's close asks about unsaved changes and takes the
// processors offline; only without a window does the application quit here.
void MQmlInterface::onExitTimerTimeout()
{
    QObject *pWindow = m_pModel ? m_pModel->mainWindow() : nullptr;
    if (auto *pWidget = qobject_cast<QWidget *>(pWindow)) {
        pWidget->close();
        return;
    }
    QCoreApplication::quit();
}

void MQmlInterface::canvasResize()
{
    if (!m_pModel)
        return;
    m_pModel->updateCanvasScale();
    m_pModel->updateToolBar();
}

bool MQmlInterface::postCommand(const QString &cmd, const QString &msg)
{
    if (!m_pModel)
        return false;
    if (cmd == QLatin1String("event"))
        return m_pModel->arrowPressed(msg);
    if (cmd == QLatin1String("scene"))
        return m_pModel->selectScene(msg);
    if (cmd == QLatin1String("statusbar")) {
        emit m_pModel->displayMessage(msg);
        return true;
    }
    if (cmd == QLatin1String("system")) {
        if (!MModel::isSystemMenuEntry(msg))
            return false;
        // The entry runs once the menu's click handler has returned: a receive
        // opens another project, whose canvas replaces the one the menu is on.
        QMetaObject::invokeMethod(
            m_pModel.data(), [pModel = m_pModel.data(), msg]() { pModel->runSystemMenu(msg); },
            Qt::QueuedConnection);
        return true;
    }
    return false;
}

void MQmlInterface::panelSetup()
{
    if (m_pModel)
        m_pModel->panelSetup();
}

void MQmlInterface::onReceiveModeDialogClosed()
{
    qCDebug(lcWidgets) << "MQmlInterface has received the signal that the box has closed.";
    emit receiveDialogCanceled();
}

// ---------------------------------------------------------------- canvas gestures

void MQmlInterface::cancelEdit()
{
    if (BToolSelectCommand *pTool = m_pModel ? m_pModel->selectTool() : nullptr)
        pTool->run(1);
}

void MQmlInterface::moveControl(qreal x, qreal y, int state)
{
    if (BToolSelectCommand *pTool = m_pModel ? m_pModel->selectTool() : nullptr)
        pTool->mouseEvent(QPointF(x, y), NoEdge, BCommandId::ToolDrag, state);
}

void MQmlInterface::resizeControl(qreal x, qreal y, int edge, int state)
{
    if (BToolSelectCommand *pTool = m_pModel ? m_pModel->selectTool() : nullptr)
        pTool->mouseEvent(QPointF(x, y), edge, BCommandId::ToolResize, state);
}

void MQmlInterface::keyEvent(int key, int modifiers, bool repeat, int state)
{
    if (key < FirstArrowKey || key > LastArrowKey)
        return;
    if (BToolSelectCommand *pTool = m_pModel ? m_pModel->selectTool() : nullptr)
        pTool->keyEvent(key, modifiers, BCommandId::ToolNudge, repeat, state);
}

// ---------------------------------------------------------------- drops

bool MQmlInterface::resolveNode(const QString &data, HNode **ppNode) const
{
    *ppNode = nullptr;
    quintptr handle = 0;
    if (!parseHandle(data, &handle))
        return false;
    if (handle == 0)
        return true;
    *ppNode = m_pModel ? findNode(m_pModel->rootNode(), handle) : nullptr;
    return *ppNode != nullptr;
}

bool MQmlInterface::resolveControl(const QString &data, CControl **ppControl) const
{
    *ppControl = nullptr;
    quintptr handle = 0;
    if (!parseHandle(data, &handle))
        return false;
    if (handle == 0)
        return true;
    *ppControl = m_pModel ? findControl(m_pModel->scenes(), handle) : nullptr;
    return *ppControl != nullptr;
}

HNode *MQmlInterface::nodeFromHandle(const QString &data) const
{
    HNode *pNode = nullptr;
    resolveNode(data, &pNode);
    return pNode;
}

CControl *MQmlInterface::controlFromHandle(const QString &data) const
{
    CControl *pControl = nullptr;
    resolveControl(data, &pControl);
    return pControl;
}

bool MQmlInterface::dragEvent(const QString &text, const QString &data, QObject *pDropSite)
{
    const HNode *pNode = nodeFromHandle(data);
    const CParameter *pParameter = pNode ? pNode->findParameter(text) : nullptr;
    if (!pParameter || !pDropSite)
        return false;
    QString siteType;
    if (!QMetaObject::invokeMethod(pDropSite, "getControlType", Q_RETURN_ARG(QString, siteType)))
        return false;
    return pParameter->type() == siteType;
}

void MQmlInterface::dropControl(const QString &text, const QString &data, int x, int y)
{
    clearDrop();
    HNode *pNode = nullptr;
    if (!resolveNode(data, &pNode))
        return;
    m_pDropNode = pNode;
    m_dropPos = QPointF(x, y);
    m_sDropText = text;
    runDropCommand(BCommandId::DropControl);
}

void MQmlInterface::dropPanel(const QString &, const QString &data)
{
    clearDrop();
    HNode *pNode = nullptr;
    if (!resolveNode(data, &pNode))
        return;
    m_pDropNode = pNode;
    runDropCommand(BCommandId::DropPanel);
}

void MQmlInterface::dropSite(const QString &text, const QString &data, QObject *pDropSite)
{
    clearDrop();
    HNode *pNode = nullptr;
    if (!resolveNode(data, &pNode))
        return;
    m_pDropNode = pNode;
    m_pDropSite = qobject_cast<WWidget *>(pDropSite);
    m_sDropText = text;
    runDropCommand(BCommandId::DropSite);
}

void MQmlInterface::dropLink(const QString &text, const QString &data, int x, int y)
{
    clearDrop();
    CControl *pTarget = nullptr;
    if (!resolveControl(data, &pTarget))
        return;
    m_pDropTarget = pTarget;
    m_dropPos = QPointF(x, y);
    m_sDropText = text;
    runDropCommand(BCommandId::DropLink);
}

bool MQmlInterface::runDropCommand(int id)
{
    BCommand *pCommand = BCommandFactory::instance()->createCommand(id);
    if (!pCommand) {
        qCDebug(lcWidgets) << "no command for id" << Qt::hex << id;
        return false;
    }
    pCommand->setSource(this);
    pCommand->setModel(m_pModel);
    pCommand->prepare();
    BCommandProcessor::instance()->execute(pCommand);
    return true;
}

void MQmlInterface::clearDrop()
{
    m_dropPos = QPointF();
    m_sDropText.clear();
    m_pDropTarget = nullptr;
    m_pDropNode = nullptr;
    m_pDropSite = nullptr;
}

CControl *MQmlInterface::dropTarget() const
{
    return m_pDropTarget;
}

HNode *MQmlInterface::dropNode() const
{
    return m_pDropNode;
}

WWidget *MQmlInterface::dropSiteWidget() const
{
    return m_pDropSite;
}
