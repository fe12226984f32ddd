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

namespace {

QString s_sIndicatorImage;

// Parsed before anything of the open project is touched: the file must be
// well-formed XML with the root element VMD. The project is then read from
// what was recorded, without a second parse.
bool readProjectDocument(const QString &path, XRecordedDocument &document)
{
    return document.read(path) && document.rootName() == QLatin1String("VMD");
}

// Whether the control, or any control inside it, got a widget to show.
bool buildsWidget(const CControl *pControl)
{
    for (const WWidget *pWidget : pControl->widgets()) {
        if (pWidget)
            return true;
    }
    if (const auto *pComposite = qobject_cast<const CComposite *>(pControl)) {
        for (const CControl *pChild : pComposite->children()) {
            if (pChild && buildsWidget(pChild))
                return true;
        }
    }
    return false;
}

// Largest coordinate or size, in pixels, a pasted control may bring along.
constexpr double MaxPastedGeometry = 100000.0;

bool isGeometryElement(QStringView name)
{
    return name == u"x" || name == u"y" || name == u"width" || name == u"height";
}

bool isSaneGeometry(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return !std::isinf(value); // not a number at all reads as 0; an overflow is refused
    return std::isfinite(value) && std::fabs(value) <= MaxPastedGeometry;
}

// Settings that name a picture: under any widget, or "path" of the two
// picture widgets (elsewhere "path" is a link or an outline).
bool isImageElement(QStringView name, QStringView widget)
{
    if (name == u"onimage" || name == u"offimage" || name == u"partialImage" || name == u"imagepath")
        return true;
    return name == u"path" && (widget == u"image" || widget == u"meterimage");
}

// Clipboard text is offered by any program: only one VMD root holding one
// Controls element of Control elements, with no document type (no entity
// can expand), geometry in range and pictures the archive accepts.
bool isAcceptableClipboard(const QByteArray &bytes)
{
    QXmlStreamReader reader(bytes);
    QStringList names;
    QString text;
    int controls = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            const int depth = int(names.size());
            if ((depth == 0 && name != QLatin1String("VMD")) || (depth == 1 && name != QLatin1String("Controls"))
                || (depth == 2 && name != QLatin1String("Control")))
                return false;
            if (depth == 2)
                ++controls;
            names.append(name);
            text.clear();
            break;
        }
        case QXmlStreamReader::Characters:
            text += reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            // A setting of a widget: VMD, Controls, Control, Property, widget, setting.
            if (names.size() >= 6) {
                const QString &name = names.last();
                const QString value = text.trimmed();
                if (isGeometryElement(name) && !isSaneGeometry(value))
                    return false;
                if (isImageElement(name, names.at(names.size() - 2))
                    && !UArchive::instance()->acceptsImageReference(value))
                    return false;
            }
            text.clear();
            names.removeLast();
            break;
        }
        default:
            break;
        }
    }
    return !reader.hasError() && controls > 0;
}

} // namespace

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
    if (m_pCanvas)
        m_pCanvas->notifyChanged();
    return true;
}

void MModel::reloadImages()
{
    if (m_pRootNode && m_pScenes)
        m_pScenes->reloadImages();
}

void MModel::reparentToCanvas(CControl *pControl)
{
    if (!pControl)
        return;
    pControl->setParentItem(nullptr);
    pControl->setParentItem(qmlRootItem());
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

// ---------------------------------------------------------------- polling and connection state

void MModel::doPolling()
{
    if (CControl *pPanel = currentChildIn(QStringLiteral("Panels"))) {
        pPanel->requestState();
        pPanel->setPollActive(true);
    }
    m_bPollEnabled = true;
}

void MModel::setPollPending(bool pending)
{
    m_bPollEnabled = pending;
    if (CControl *pPanel = currentChildIn(QStringLiteral("Panels")))
        pPanel->setPollActive(pending);
    if (!pending && m_pollTimer.isActive())
        m_pollTimer.start();
}

QList<HChassis *> MModel::processors() const
{
    QList<HChassis *> list;
    if (!m_pRootNode)
        return list;
    QList<HNode *> nodes;
    m_pRootNode->collectByCategory(QStringLiteral("Chassis"), &nodes);
    for (HNode *pNode : std::as_const(nodes)) {
        if (auto *pChassis = qobject_cast<HChassis *>(pNode))
            list.append(pChassis);
    }
    return list;
}

// A processor's protocol hears the new state once: through the processor's
// signal (connected once, whatever the number of switches) when the
// processor is in use, else directly.
void MModel::setConnectionEnabled(bool on)
{
    if (!m_pRootNode)
        return;
    // Controls bound deep below a processor mark it only here or on a save.
    if (on && m_pScenes)
        m_pScenes->markProcessorInUse();
    for (HChassis *pChassis : processors()) {
        PProtocol *pProtocol = pChassis->protocol();
        if (pProtocol)
            connect(pChassis, &HChassis::onlineStateChanged, pProtocol, &PProtocol::onOnlineStateChanged,
                    Qt::UniqueConnection);
        pChassis->setOnline(on);
        if (!pProtocol)
            continue;
        if (!pChassis->hasFlags(HNode::FlagInUse) || !pChassis->transport())
            pProtocol->onOnlineStateChanged(on);
        pProtocol->setModel(this);
    }
    if (on)
        m_pollTimer.start(250);
    else
        m_pollTimer.stop();
    setPollPending(on);
    m_bConnectionEnabled = on;
    m_pRootNode->connectStatus(this);
}

// Processors that are not in use never connect: listing them would keep
// the indicator from ever showing all connected.
void MModel::collectInterfaces()
{
    if (!m_pRootNode || !m_pInterfaces)
        return;
    m_pInterfaces->clearInterfaces(false);
    for (HChassis *pChassis : processors()) {
        if (pChassis->hasFlags(HNode::FlagInUse))
            m_pInterfaces->addInterface(pChassis->transport());
    }
    m_pRootNode->connectStatus(this);
    if (m_pInterfaces->count() == 0)
        interfaceStatusChanged(false);
    else
        m_pInterfaces->emitState();
}

void MModel::updateIPAddresses()
{
    if (!m_pRootNode)
        return;
    QWidget *pParent = qobject_cast<QWidget *>(m_pMainWindow.data());
    const QString title = tr("IP Address Updater");
    int counted = 0;
    bool replaced = false;
    for (HChassis *pChassis : processors()) {
        const QString name = pChassis->chassisName();
        if (pChassis->isConnected()) {
            DMessageBox::warning(pParent, title, tr("%1 is online, so its IP address cannot be updated.").arg(name));
            continue;
        }
        qCDebug(lcModel).noquote() << "upDateIPAddresses, chassis = " + name + " IP = " + pChassis->ipAddress();
        QString address = pChassis->ipAddress();
        if (changeIpAddress(name, address)) {
            // A changed address is written to the project file.
            pChassis->setProperty(QStringLiteral("ipaddress"), address);
            pChassis->setFlags(HNode::FlagInUse);
            qCDebug(lcModel).noquote() << "upDateIPAddresses, chassis = " + name + " IP = " + pChassis->ipAddress();
            pChassis->recreateInterface();
            replaced = true;
            markModified();
        }
        ++counted;
    }
    // The indicator must count the new transports, not the released ones.
    if (replaced)
        collectInterfaces();
    if (counted == 0)
        DMessageBox::warning(pParent, title, tr("No items with IP addresses found.  Is a Vazado Ziv loaded?"));
}

bool MModel::changeIpAddress(const QString &title, QString &address)
{
    DIPAddressChangeDialog dialog;
    dialog.setBlockName(title);
    dialog.setIPAddress(address);
    if (dialog.runModal() != 1)
        return false;
    const QString entered = dialog.ipAddress();
    if (entered == address)
        return false;
    address = entered;
    return true;
}

void MModel::interfaceStatusChanged(bool isConnected)
{
    if (!m_pQmlInterface || !m_pInterfaces)
        return;
    const int connected = m_pInterfaces->connectedCount();
    const int count = m_pInterfaces->count();
    const char *image = connected == 0 ? "/indicator_red.png"
                        : connected == count ? "/indicator_grn.png"
                                             : "/indicator_ylw.png";
    s_sIndicatorImage = QStringLiteral("../../images/skins/") + skinName() + QLatin1String(image);
    setQmlProperty(QStringLiteral("connectInd"), s_sIndicatorImage);
    if (m_bReceiving)
        return;
    emit changedStatusIndicator();
    if (!isConnected)
        m_pInterfaces->resetProtocol();
}

QString MModel::indicatorImage()
{
    return s_sIndicatorImage;
}

bool MModel::getIsScaleMultiply() const
{
    return m_pCanvas ? m_pCanvas->isMultiplyScaleFactor() : true;
}

// ---------------------------------------------------------------- information texts

QString MModel::versionText() const
{
    return tr("Version %1\n\nCopyright Harlo. All rights reserved.").arg(AppVersion);
}

QString MModel::localAddresses()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    if (addresses.isEmpty())
        return QStringLiteral("No network interfaces found.");
    QString text;
    for (const QHostAddress &address : addresses) {
        const QString form = address.toString();
        if (form.contains(QLatin1Char(':')) || form.startsWith(QLatin1String("127.0.0")))
            continue;
        text += form + QLatin1Char('\n');
    }
    return text.isEmpty() ? QStringLiteral("No network connection detected.") : text;
}

QString MModel::mobileIpAddressText() const
{
    return tr("Mobile IP Address:\n\n") + localAddresses();
}

QString MModel::networkReport() const
{
    QString report;
    for (HChassis *pChassis : processors()) {
        // The amplifiers of this series report no network state.
        if (pChassis->title().contains(QLatin1String("AZR"))) {
            qCDebug(lcModel).noquote() << "Skipping reporting on unsupported chassis: " + pChassis->title();
            continue;
        }
        if (IInterface *pTransport = pChassis->transport())
            report += pChassis->chassisName() + pTransport->stateText() + QStringLiteral("\n\n");
    }
    return report.isEmpty() ? tr("No network information available.") : report;
}

// ---------------------------------------------------------------- file names

QString MModel::fileBaseName(const QString &path, bool keepExtension)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    if (slash < 0)
        return QString();
    QString name = path.mid(slash + 1);
    if (!keepExtension) {
        const int dot = int(name.lastIndexOf(QLatin1Char('.')));
        if (dot >= 0)
            name.truncate(dot);
    }
    return name;
}

// Only a dot in the file name starts its extension; a name without one gets
// the extension added, so that the archive lists the file as a project file.
QString MModel::panelFileName(const QString &path)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    return (dot > slash ? path.left(dot) : path) + QLatin1String(".cpf");
}

void MModel::showWarning(const QString &text) const
{
    DMessageBox::warning(qobject_cast<QWidget *>(m_pMainWindow.data()), tr("Warning"), text);
}

void MModel::markModified()
{
    m_bModified = true;
}

// ---------------------------------------------------------------- new project

bool MModel::newProject(const QString &templatePath)
{
    if (!m_pRootNode || !m_pScenes)
        return false;
    m_pRootNode->uncheck();
    auto *pScene = new CComposite;
    pScene->setKind(QStringLiteral("Scene"));
    pScene->setName(tr("COLLECTION1"));
    m_pScenes->addChild(pScene);
    CControl *pPanel = createPanelForNode(templatePath, pScene, nullptr);
    if (!pPanel) {
        qCWarning(lcModel).noquote() << "cannot read the template" << templatePath;
        m_pScenes->removeChild(pScene, true);
        checkEmptyCanvas();
        return false;
    }
    m_pScenes->setName(fileBaseName(templatePath, false));
    m_pCurrentPanel = pPanel;
    pPanel->setVisible(true);
    m_pProject->reset();
    onExtraRefreshTimerTimeout();
    m_projectPath = templatePath;
    m_bModified = false;
    m_bSaved = false;
    emit enableConnection(false);
    return true;
}

// ---------------------------------------------------------------- reading panel files

// The one place where panel-document XML files are read.
bool MModel::readPanelFile(CComposite *pTarget, const QString &path, HNode *pNode, MProject *pProject,
                           CCanvas *pCanvas, QString *pFileVersion)
{
    return pTarget && pTarget->loadFromFile(path, m_pRootNode.get(), pNode, this, pProject, pCanvas, pFileVersion);
}

// Replaces the panel root's children by those of a document read aside.
bool MModel::adoptScenes(CComposite *pScratch)
{
    showCurrentPanel(false);
    m_pCurrentPanel = nullptr;
    m_pScenes->clear();
    const QList<CControl *> children = pScratch->children();
    pScratch->setNotOwner(true);
    pScratch->clear();
    for (CControl *pChild : children) {
        if (!pChild)
            continue;
        pChild->setParentComposite(nullptr);
        m_pScenes->addChild(pChild);
    }
    m_pScenes->setType(QStringLiteral("Scenes"));
    m_pScenes->setContextObject(this);
    return true;
}

// ---------------------------------------------------------------- opening

bool MModel::unpackProject(QString &path)
{
    if (!m_pArchive || !m_pArchive->read(path))
        return false;
    const QString projectFile = m_pArchive->findLocalPath(QStringLiteral(".cpf"));
    if (!projectFile.isEmpty())
        path = projectFile;
    return true;
}

void MModel::reloadFromArchive()
{
    const QString designFile = m_pArchive ? m_pArchive->findLocalPath(QStringLiteral(".vmp")) : QString();
    if (designFile.isEmpty())
        closeDesignFile();
    else
        loadDesignFile(designFile);
}

// Nothing of the open project changes until the new project file has been
// found and checked; the document is read aside and adopted only when the
// whole file was read.
bool MModel::openProject(const QString &path)
{
    if (!m_pRootNode || !m_pScenes || !m_pArchive)
        return false;
    if (!QFileInfo(path).isFile()) {
        showWarning(tr("The project file %1 cannot be opened.").arg(path));
        return false;
    }
    UFolderSnapshot extracted;
    QString projectFile = path;
    if (UArchive::isArchiveFile(path)) {
        extracted.take(UArchive::extractFolderPath());
        if (!unpackProject(projectFile) || projectFile == path) {
            extracted.restore();
            m_pArchive->clear();
            showWarning(tr("The project archive %1 is damaged or holds no project file.").arg(path));
            return false;
        }
    } else {
        m_pArchive->clear();
    }
    XRecordedDocument document;
    if (!readProjectDocument(projectFile, document)) {
        extracted.restore();
        m_pArchive->clear();
        showWarning(tr("The project file %1 is damaged and was not opened.").arg(path));
        return false;
    }

    // The file's project information, canvas and version are read aside too.
    const QString pinBefore = MProject::exitPin();
    MProject project;
    std::unique_ptr<CCanvas> pCanvas(m_pCanvas ? new CCanvas(*m_pCanvas) : nullptr);
    QString version = m_fileVersion;
    m_pRootNode->uncheck();
    reloadFromArchive();
    CComposite scratch;
    if (!scratch.loadFromFile(projectFile, m_pRootNode.get(), nullptr, this, &project, pCanvas.get(), &version,
                              &document)) {
        scratch.clear();
        MProject::setExitPin(pinBefore);
        extracted.restore();
        showWarning(tr("The project file %1 could not be read.").arg(path));
        return false;
    }
    *m_pProject = project;
    if (m_pCanvas)
        *m_pCanvas = *pCanvas;
    m_fileVersion = version;
    adoptScenes(&scratch);
    m_pScenes->setName(QFileInfo(projectFile).fileName());
    m_projectPath = path;
    showCurrentPanel(true);
    onExtraRefreshTimerTimeout();
    m_bModified = false;
    m_bSaved = true;
    emit enableConnection(true);
    return true;
}

// ---------------------------------------------------------------- saving

// The project file is written beside the target and packed with the design
// file into the archive; only the project file this save wrote is removed.
// On any failure the user is told, and the project keeps its path and its
// modified flag.
bool MModel::saveProject(const QString &path)
{
    if (!m_pScenes || !m_pRootNode || !m_pCanvas || !m_pProject || !m_pArchive || path.isEmpty())
        return false;
    const QString projectFile = panelFileName(path);
    QFile file(projectFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        showWarning(tr("The project could not be saved to %1: %2.").arg(projectFile, file.errorString()));
        return false;
    }
    // The writer's end empties the archive's list: it lives until the archive is written.
    XmlWriter writer;
    m_pArchive->clear();
    writer.addArchiveFile(path);
    const QString archivePath = m_pArchive->path();
    writer.archiveFilePath(projectFile, QString());
    QStringList missing;
    if (QFileInfo(m_designFilePath).isFile())
        writer.archiveFilePath(m_designFilePath, QStringLiteral("project"));
    else if (!m_designFilePath.isEmpty())
        missing << m_designFilePath;
    writer.setDevice(&file);
    writer.setEncoding(XmlEncodingUtf16BE);
    const bool written = writer.writeDeclaration() && writeProjectXml(writer) && writer.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(projectFile);
        showWarning(tr("The project could not be saved to %1: %2.").arg(projectFile, file.errorString()));
        return false;
    }
    // A deleted image or design file must not cost the whole save: it is left out and named.
    missing += m_pArchive->dropUnreadableFiles();
    if (missing.contains(projectFile) || !m_pArchive->write()) {
        showWarning(tr("The project could not be saved to %1. The project file was left at %2.")
                        .arg(archivePath, projectFile));
        return false;
    }
    QFile::remove(projectFile);
    if (!missing.isEmpty())
        showWarning(tr("The project was saved to %1, but these files could not be read and were left out:\n%2")
                        .arg(archivePath, missing.join(QLatin1Char('\n'))));
    m_projectPath = archivePath;
    m_bModified = false;
    m_bSaved = true;
    m_pScenes->setName(QFileInfo(archivePath).fileName());
    emit enableConnection(true);
    return true;
}

bool MModel::writeProjectXml(XmlWriter &writer)
{
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Version"));
    writer.writeTextElement(QStringLiteral("appVersion"), AppVersion);
    writer.writeTextElement(QStringLiteral("fileVersion"), m_fileVersion);
    writer.writeEndElement(QStringLiteral("Version"));
    writer.writeStartElement(QStringLiteral("Connections"));
    m_pRootNode->clearInUse();
    m_pScenes->markProcessorInUse();
    QStringList writtenAddresses;
    m_pRootNode->writeXml(&writer, writtenAddresses);
    writer.writeEndElement(QStringLiteral("Connections"));
    m_pCanvas->writeXml(&writer);
    m_pProject->writeXml(&writer);
    m_pScenes->writeXml(&writer);
    return writer.writeEndElement(QStringLiteral("VMD"));
}

// ---------------------------------------------------------------- design file

bool MModel::loadDesignFile(const QString &path)
{
    if (!m_pRootNode) {
        m_designFilePath.clear();
        return false;
    }
    const bool reload = !m_designFilePath.isEmpty() || m_bMergeNextImport;
    if (!reload)
        m_pRootNode->removeIfChecked(false);
    activateSelectTool();
    if (!HComposite::loadDesignFile(m_pRootNode.get(), path, reload, m_pProject.get())) {
        m_bMergeNextImport = reload;
        m_designFilePath.clear();
        return false;
    }
    m_pRootNode->purgeRemovable();
    m_designFilePath = path;
    m_bMergeNextImport = false;
    return true;
}

void MModel::closeDesignFile()
{
    if (!m_pRootNode)
        return;
    m_pRootNode->removeIfChecked(false);
    m_designFilePath.clear();
    m_bMergeNextImport = false;
}

void MModel::resetModel()
{
    clearUndoStack();
    if (m_pSelectTool)
        m_pSelectTool->reset();
    if (m_pScenes) {
        m_pScenes->clear();
        if (m_pRootNode)
            m_pRootNode->deleteIfNotPersistent();
        m_pCurrentPanel = nullptr;
        emit selectState(false);
        emit ccpState(false);
    }
    if (m_pCanvas)
        m_pCanvas->reset();
    // The next project's scale comes from its own panels, never from this one's.
    m_viewScale = 1.0f;
}

void MModel::buildHardwareModel(QStandardItemModel *pItemModel)
{
    if (!m_pRootNode) {
        qCDebug(lcModel) << "m_pRootNode not defined. Skipping buildModel";
        return;
    }
    m_pRootNode->buildModel(pItemModel);
}

// ---------------------------------------------------------------- paste

// Every control read goes to the collection, bound to the model and
// selected; a damaged or hostile clipboard adds nothing.
int MModel::placeControl(CComposite *pControls, const QByteArray &bytes)
{
    if (!m_pRootNode || !pControls || !m_pDelegate || !isAcceptableClipboard(bytes))
        return 0;
    return int(pControls->pasteControls(m_pRootNode.get(), bytes, this).size());
}

// ---------------------------------------------------------------- navigation

CControl *MModel::currentPanel() const
{
    return m_pCurrentPanel;
}

CControl *MModel::currentChildIn(const QString &collection) const
{
    return m_pScenes ? m_pScenes->currentChildIn(collection) : nullptr;
}

CComposite *MModel::shownScene() const
{
    CControl *pPanel = currentChildIn(QStringLiteral("Panels"));
    return pPanel ? pPanel->parentComposite() : nullptr;
}

void MModel::requestPanelState()
{
    if (m_pCurrentPanel)
        m_pCurrentPanel->requestState();
}

void MModel::setCurrentPanel(CControl *pPanel)
{
    if (!pPanel || !m_pScenes)
        return;
    CControl *pShown = currentChildIn(QStringLiteral("Panels"));
    // Already the scene's current panel, though perhaps not shown yet (a
    // first panel, or the scene's index reset by a removal).
    if (pShown == pPanel) {
        m_pCurrentPanel = pPanel;
        pPanel->setVisible(true);
        return;
    }
    CComposite *pScene = pShown ? pShown->parentComposite() : nullptr;
    if (!pScene) {
        m_pCurrentPanel = nullptr;
        return;
    }
    pShown->setVisible(false);
    const int index = pScene->indexOf(pPanel);
    if (index < 0) {
        m_pCurrentPanel = nullptr;
        return;
    }
    pScene->setCurrentIndex(index);
    m_pCurrentPanel = pPanel;
    pPanel->setVisible(true);
    setQmlProperty(QStringLiteral("pageIndex"), index);
    pPanel->requestState();
    emit resetQMLFocus();
}

// An index outside the scene is refused and the shown panel stays.
bool MModel::gotoPage(int index)
{
    CControl *pShown = currentChildIn(QStringLiteral("Panels"));
    CComposite *pScene = pShown ? pShown->parentComposite() : nullptr;
    if (!pScene) {
        m_pCurrentPanel = nullptr;
        return false;
    }
    if (index < 0 || index >= pScene->childCount() || !pScene->childAt(index))
        return false;
    pShown->setVisible(false);
    pScene->setCurrentIndex(index);
    m_pCurrentPanel = pScene->childAt(index);
    m_pCurrentPanel->setVisible(true);
    if (m_pCurrentPanel->name().contains(QLatin1String("DizoZU")))
        centerControls();
    setQmlProperty(QStringLiteral("pageIndex"), index);
    m_pCurrentPanel->requestState();
    return true;
}

bool MModel::stepPage(int delta)
{
    const CComposite *pScene = shownScene();
    if (!pScene || pScene->childCount() == 0)
        return false;
    const int count = pScene->childCount();
    int target = pScene->currentIndex() + delta;
    if (target >= count)
        target = 0;
    else if (target < 0)
        target = count - 1;
    return gotoPage(target);
}

bool MModel::arrowPressed(const QString &text)
{
    if (text == QLatin1String("leftarrow"))
        return stepPage(-1);
    if (text == QLatin1String("rightarrow"))
        return stepPage(1);
    return false;
}

bool MModel::selectScene(const QString &name)
{
    if (!m_pScenes)
        return false;
    CControl *pScene = currentChildIn(QStringLiteral("Scenes"));
    if (pScene && pScene->name() == name)
        return true;
    showCurrentPanel(false);
    if (!m_pScenes->selectChild(QStringLiteral("Scenes"), name)) {
        showCurrentPanel(true);
        return false;
    }
    showCurrentPanel(true);
    updatePageCount();
    if (!m_pCurrentPanel)
        return false;
    m_pCurrentPanel->requestState();
    updateSceneTitle();
    emit resetQMLFocus();
    return true;
}

bool MModel::selectSceneAt(int index)
{
    const CControl *pScene = m_pScenes ? m_pScenes->childAt(index) : nullptr;
    return pScene ? selectScene(pScene->name()) : false;
}

bool MModel::followLink(const QString &linkPath)
{
    if (!m_pScenes)
        return false;
    m_pScenes->setVisible(false);
    QString path = linkPath;
    const bool found = m_pScenes->findByPath(path);
    if (found) {
        m_pCurrentPanel = currentChildIn(QStringLiteral("Panels"));
        if (m_pCurrentPanel) {
            m_pCurrentPanel->setVisible(true);
            const CComposite *pScene = m_pCurrentPanel->parentComposite();
            setQmlProperty(QStringLiteral("pageIndex"), pScene ? pScene->indexOf(m_pCurrentPanel) : 0);
        }
        updatePageCount();
        requestPanelState();
        updateSceneTitle();
        emit resetQMLFocus();
    } else {
        showCurrentPanel(true);
        showWarning(tr("Error - No link has been defined for this region.\n\n"
                       "Please set a link using the properties panel.")
                    + linkPath);
    }
    emit reloadCanvas();
    return found;
}

void MModel::showCurrentPanel(bool visible)
{
    CControl *pPanel = currentChildIn(QStringLiteral("Panels"));
    if (!pPanel)
        pPanel = currentChildIn(QStringLiteral("Controls"));
    if (pPanel)
        pPanel->setVisible(visible);
}

// ---------------------------------------------------------------- structure

// Named after the count of scenes, or the next number no scene uses.
CControl *MModel::newCollection()
{
    if (!m_pScenes)
        return nullptr;
    auto *pScene = new CComposite;
    m_pScenes->addChild(pScene);
    pScene->setKind(QStringLiteral("Scene"));
    int number = m_pScenes->childCount();
    QString name = tr("COLLECTION") + QString::number(number);
    while (!m_pScenes->isNameUnique(name, pScene))
        name = tr("COLLECTION") + QString::number(++number);
    pScene->setName(name);
    return pScene;
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
    showWarning(tr("The maximum number of panels in a scene is: 6"));
    return false;
}

// A template that cannot be read gives no panel.
CControl *MModel::createPanelForNode(const QString &templatePath, CControl *pScene, HNode *pNode)
{
    auto *pSceneComposite = qobject_cast<CComposite *>(pScene);
    if (!pSceneComposite)
        return nullptr;
    QString path = templatePath;
    if (path.contains(QLatin1String("DizoZU"))) {
        const int choice = DMessageBox::choice(qobject_cast<QWidget *>(m_pMainWindow.data()), QString(),
                                               tr("Choose one of the control type below"),
                                               {tr("Slider"), tr("LevelButtons")});
        // Cut at the last dot: folder names may hold dots too.
        if (choice == 1)
            path = path.left(path.lastIndexOf(QLatin1Char('.'))) + QLatin1String("1.xml");
    }
    auto *pPanel = new CComposite;
    if (!readPanelFile(pPanel, path, pNode)) {
        pPanel->clear();
        delete pPanel;
        return nullptr;
    }
    pSceneComposite->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setPanelType(QString());
    if (templatePath.contains(QLatin1String("DizoZU")))
        emit enableConnection(true);
    return pPanel;
}

CControl *MModel::addPanelForNode(HNode *pNode)
{
    if (!pNode || !m_pRootNode || !m_pScenes || !checkPanelLimit())
        return nullptr;
    auto *pScene = qobject_cast<CComposite *>(currentChildIn(QStringLiteral("Scenes")));
    if (!pScene)
        return nullptr;
    auto *pPanel = qobject_cast<CComposite *>(
        createPanelForNode(pNode->parameterFilePath(QString()), pScene, pNode));
    if (!pPanel)
        return nullptr;
    pPanel->setTitle(pNode->label());
    markModified();
    if (!currentChildIn(QStringLiteral("Panels")) || !m_pCurrentPanel) {
        // The scene had no panel to switch from.
        pScene->setCurrentIndex(pScene->indexOf(pPanel));
        m_pCurrentPanel = pPanel;
        pPanel->setVisible(true);
    } else {
        setCurrentPanel(pPanel);
    }
    onExtraRefreshTimerTimeout();
    return pPanel;
}

bool MModel::panelSetup()
{
    if (!m_pCanvas)
        return false;
    clearUndoStack();
    DPanelSetupDialog dialog;
    dialog.setModel(this);
    const bool accepted = dialog.runModal();
    // A cancelled run keeps its edits: closing must still ask to save them.
    if (accepted || dialog.hasChangedStructure())
        markModified();
    if (!accepted)
        return false;
    m_pCanvas->notifyChanged();
    return true;
}

void MModel::buildPanelTree(QStandardItem *pItem, QTreeView *pView)
{
    if (m_pScenes)
        m_pScenes->buildTree(pItem, pView);
}

void MModel::addPanelItems(QStandardItem *pItem)
{
    if (m_pScenes && pItem)
        m_pScenes->buildTreeItems(pItem);
}

void MModel::replaceLinkPrefix(const QString &oldText, const QString &newText)
{
    if (m_pScenes && !oldText.isEmpty() && !newText.isEmpty())
        m_pScenes->replaceLinkPrefix(oldText, newText);
}

void MModel::removeFromPanelTree(CControl *pControl)
{
    if (!pControl || !m_pScenes)
        return;
    if (pControl == m_pCurrentPanel || pControl->contains(m_pCurrentPanel))
        m_pCurrentPanel = nullptr;
    if (CComposite *pParent = pControl->parentComposite())
        pParent->removeChild(pControl, true);
}

HNode *MModel::nodeForHandle(quint64 handle) const
{
    if (!handle || !m_pRootNode)
        return nullptr;
    QList<HNode *> pending {m_pRootNode.get()};
    while (!pending.isEmpty()) {
        HNode *pNode = pending.takeFirst();
        if (quint64(quintptr(pNode)) == handle)
            return pNode;
        if (auto *pComposite = qobject_cast<HComposite *>(pNode))
            pending.append(pComposite->children());
    }
    return nullptr;
}

CControl *MModel::findPanelByHandle(CControl *pElement, quint64 handle) const
{
    auto *pComposite = qobject_cast<CComposite *>(pElement);
    if (!pComposite)
        return nullptr;
    if (quint64(quintptr(pComposite)) == handle)
        return pComposite;
    if (pComposite->type() == QLatin1String("Controls"))
        return nullptr;
    for (CControl *pChild : pComposite->children()) {
        if (CControl *pFound = findPanelByHandle(pChild, handle))
            return pFound;
    }
    return nullptr;
}

QString MModel::linkPathForHandle(quint64 handle) const
{
    CControl *pPanel = handle && m_pScenes ? findPanelByHandle(m_pScenes.get(), handle) : nullptr;
    return pPanel && pPanel != m_pScenes.get() ? m_pScenes->path(pPanel) : QString();
}

// ---------------------------------------------------------------- controls on the shown panel

// A control just built on the current panel joins the document: shown, selected, modified.
// One of a kind that builds no widget would be invisible yet saved and polled: it goes at once.
CControl *MModel::adoptPlacedControl(CControl *pControl)
{
    if (!pControl)
        return nullptr;
    if (!buildsWidget(pControl)) {
        m_pCurrentPanel->removeChild(pControl, true);
        return nullptr;
    }
    pControl->setContextObject(this);
    m_pCurrentPanel->setVisible(true);
    pControl->setSelected(true);
    markModified();
    return pControl;
}

CControl *MModel::addControl(HNode *pNode, const QString &name, const QPointF &position)
{
    if (!m_pRootNode || !m_pCurrentPanel)
        return nullptr;
    CControl *pControl = adoptPlacedControl(
        m_pCurrentPanel->createControlForNode(m_pRootNode.get(), pNode, name, position));
    if (pControl)
        emit enableConnection(true);
    return pControl;
}

CControl *MModel::dropControl(const QString &templateName, const QPointF &position)
{
    if (!m_pCurrentPanel)
        return nullptr;
    CControl *pControl = adoptPlacedControl(m_pCurrentPanel->createFromGraphics(templateName, position));
    if (pControl)
        emit resetQMLFocus();
    return pControl;
}

CControl *MModel::addPanelLink(CControl *pTarget, const QPointF &position)
{
    if (!m_pCurrentPanel) {
        showWarning(tr("There are no panels in this collection."));
        return nullptr;
    }
    CControl *pControl = adoptPlacedControl(m_pCurrentPanel->createPanelLink(pTarget, position));
    if (pControl)
        emit resetQMLFocus();
    return pControl;
}

void MModel::addToCurrentPanel(CControl *pControl)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->addChild(pControl);
    markModified();
}

void MModel::removeFromCurrentPanel(CControl *pControl, bool destroy)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->removeChild(pControl, destroy);
    markModified();
    checkEmptyCanvas();
}

void MModel::selectControls(CComposite *pControls, const QList<ControlPlace> *pPlaces)
{
    if (!pControls)
        return;
    const QList<CControl *> controls = pControls->children();
    const bool placed = pPlaces && pPlaces->size() == controls.size();
    // Lowest position first, so that each saved index is valid again when
    // its control goes back.
    QList<int> order(controls.size());
    std::iota(order.begin(), order.end(), 0);
    if (placed) {
        std::stable_sort(order.begin(), order.end(),
                         [pPlaces](int a, int b) { return pPlaces->at(a).index < pPlaces->at(b).index; });
    }
    for (const int i : std::as_const(order)) {
        CControl *pControl = controls.at(i);
        if (!pControl)
            continue;
        if (HNode *pNode = pControl->node()) {
            pNode->setChecked(true);
            if (HNode *pParent = pNode->parentNode())
                pParent->setFlags(HNode::FlagInUse);
        }
        auto *pParent = placed ? qobject_cast<CComposite *>(pPlaces->at(i).parent.data()) : nullptr;
        if (pParent) {
            pParent->insertChild(pPlaces->at(i).index, pControl);
            markModified();
        } else {
            addToCurrentPanel(pControl);
        }
        pControl->setVisible(true);
    }
    notifyControllers(NotifyEventId::SelectionChanged);
}

void MModel::deselectControls(CComposite *pControls, QList<ControlPlace> *pPlaces)
{
    if (!pControls)
        return;
    // Every place is taken before anything moves, so that each is the
    // position in the panel as the user saw it.
    if (pPlaces) {
        pPlaces->clear();
        for (CControl *pControl : pControls->children()) {
            CComposite *pParent = pControl ? pControl->parentComposite() : nullptr;
            pPlaces->append({pParent, pParent ? pParent->indexOf(pControl) : -1});
        }
    }
    for (CControl *pControl : pControls->children()) {
        if (!pControl)
            continue;
        if (m_pSelectTool)
            m_pSelectTool->deselect(pControl);
        pControl->setMode(CControl::ModeNormal);
        pControl->setVisible(false);
        CComposite *pParent = pControl->parentComposite();
        if (pParent && pParent->contains(pControl)) {
            pParent->removeChild(pControl, false);
            markModified();
        }
        if (HNode *pNode = pControl->node(); pNode && !isNodeUsed(pNode))
            pNode->setChecked(false);
    }
    checkEmptyCanvas();
    notifyControllers(NotifyEventId::SelectionChanged);
}

// Whether a control of the document is bound to the node.
bool MModel::isNodeUsed(const HNode *pNode) const
{
    QList<CControl *> pending{m_pScenes.get()};
    while (!pending.isEmpty()) {
        CControl *pElement = pending.takeLast();
        if (!pElement)
            continue;
        if (pElement->node() == pNode)
            return true;
        if (auto *pComposite = qobject_cast<CComposite *>(pElement))
            pending.append(pComposite->children());
    }
    return false;
}

bool MModel::collectSelection(CComposite *pTarget)
{
    return m_pScenes && pTarget ? m_pScenes->collectSelected(pTarget) : false;
}

void MModel::deselectAll()
{
    CComposite selection;
    selection.setNotOwner(true);
    if (collectSelection(&selection))
        selection.setMode(CControl::ModeNormal);
    selection.clear();
}

bool MModel::hasDropSite() const
{
    return m_pCurrentPanel && m_pCurrentPanel->findWidget(QStringLiteral("dropsite"));
}

void MModel::checkEmptyCanvas()
{
    if (m_pScenes && m_pScenes->boundCount() == 0)
        emit enableConnection(false);
}

// ---------------------------------------------------------------- edit mode

void MModel::setEditMode(bool on)
{
    setQmlProperty(QStringLiteral("editModeEnable"), on);
    if (m_pSelectTool)
        m_pSelectTool->setActive(on);
    if (auto *pMain = qobject_cast<KMainController *>(findController(ControllerId::Main)))
        pMain->setActionChecked(ActionId::EditMode, on);
    if (KController *pTree = findController(ControllerId::ProjectTree))
        pTree->setEditMode(on);
    if (m_pScenes)
        m_pScenes->setSelected(on);
}

void MModel::toggleEditMode()
{
    setEditMode(!qmlProperty(QStringLiteral("editModeEnable")).toBool());
}

// ---------------------------------------------------------------- view

bool MModel::updateCanvasSize()
{
    if (!m_pQmlInterface)
        return false;
    double height = qmlProperty(QStringLiteral("maxControlHeight")).toDouble();
    // Only a panel's own "bounds" gives its height; the controls placed on a
    // panel without one must not change the scale they were placed at.
    if (const WWidget *pBounds = m_pScenes ? m_pScenes->findWidget(QStringLiteral("bounds")) : nullptr) {
        const QRectF bounds = pBounds->geometry();
        if (bounds.height() > 0.0)
            height = (2.0 * bounds.y() + bounds.height()) / m_viewScale;
    }
    if (const QQuickItem *pItem = qmlRootItem()) {
        m_canvasItemHeight = float(pItem->height());
        m_canvasItemWidth = float(pItem->width());
    }
    if (!(m_canvasItemHeight > 0.0f) || !(height > 0.0))
        return false;
    m_viewScale = float(m_canvasItemHeight / height);
    setQmlProperty(QStringLiteral("viewScale"), m_viewScale);
    return true;
}

bool MModel::updateCanvasScale()
{
    if (!m_pRootNode || !m_pQmlInterface || !updateCanvasSize())
        return false;
    if (m_pDelegate) {
        m_pDelegate->setAspect(m_pCanvas ? m_pCanvas->aspect() : CCanvas::DefaultAspect);
        m_pDelegate->setScale(m_viewScale);
    }
    if (!m_pScenes)
        return false;
    const bool multiply = m_pCanvas && m_pCanvas->isMultiplyScaleFactor();
    float length = m_canvasItemHeight;
    if (const QScreen *pScreen = QGuiApplication::primaryScreen()) {
        const QRect screen = pScreen->geometry();
        const int width = screen.right() - screen.left() + 1;
        const int height = screen.bottom() - screen.top() + 1;
        if (width > 0 && double(height) / width >= 2.0)
            length = m_canvasItemWidth;
    }
    m_pScenes->setScale(1.0f, length, multiply);
    setQmlProperty(QStringLiteral("textSize"), int(12.0f * m_viewScale));
    setQmlProperty(QStringLiteral("pixelScale"), m_viewScale);
    return true;
}

bool MModel::centerControls()
{
    if (!m_pCanvas)
        return false;
    if (!m_pCanvas->isHorizCenter()
        && !(m_pCurrentPanel && m_pCurrentPanel->name().contains(QLatin1String("DizoZU"))))
        return false;
    const QQuickItem *pItem = qmlRootItem();
    if (!m_pScenes || !pItem)
        return false;
    m_pScenes->centerHorizontally(QStringLiteral("Controls"), float(pItem->width()));
    return true;
}

void MModel::updateHeader()
{
    if (!m_pQmlInterface)
        return;
    const bool scenes = m_pScenes && m_pScenes->type() == QLatin1String("Scenes");
    m_pQmlInterface->loadSceneMenu(scenes ? m_pScenes.get() : nullptr);
}

void MModel::updatePageCount()
{
    m_pCurrentPanel = currentChildIn(QStringLiteral("Panels"));
    const CComposite *pScene = m_pCurrentPanel ? m_pCurrentPanel->parentComposite() : nullptr;
    if (!pScene)
        return;
    setQmlProperty(QStringLiteral("pageCount"), pScene->childCount());
    setQmlProperty(QStringLiteral("pageIndex"), pScene->currentIndex());
}

void MModel::updateSceneTitle()
{
    const CControl *pScene = currentChildIn(QStringLiteral("Scenes"));
    setQmlProperty(QStringLiteral("sceneTitle"), pScene ? pScene->name() : QString());
}

void MModel::updateHeaderTitle()
{
    if (m_pProject)
        setQmlProperty(QStringLiteral("headerTitle"), m_pProject->facilityName());
}

void MModel::updateToolBar()
{
    updateCanvasScale();
    emit reloadCanvas();
}

void MModel::onExtraRefreshTimerTimeout()
{
    updateCanvasScale();
    centerControls();
    updateHeader();
    updatePageCount();
    updateSceneTitle();
    updateHeaderTitle();
}

void MModel::setViewScale(float scale)
{
    if (UNumbers::isPositive(scale))
        m_viewScale = scale;
}
