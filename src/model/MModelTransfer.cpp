// Sending a saved project to the mobile panel application, receiving one
// from it, and the canvas's system menu with its boxes.
#include "model/MModel.h"

#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DDownloadDialog.h"
#include "dialogs/DExitPinDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DQmlMessageDialog.h"
#include "interfaces/ITcpClient.h"
#include "interfaces/ITcpServer.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/MProject.h"
#include "protocols/PFileProtocol.h"
#include "protocols/PProtocolFactory.h"
#include "utility/LogCategories.h"
#include "widgets/MQmlInterface.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

const char kDownloadName[] = "/download.cpn";
const char kLooseDownloadName[] = "/download.cpf";
const char kDemoProject[] = ":/data/Velmora/Demo.cpz";
const char kMessageBoxQml[] = "qrc:/qml/objects/QmlMessageDialog.qml";
const char kAboutBoxQml[] = "qrc:/qml/objects/QmlAboutDialog.qml";
constexpr int kPollIntervalMs = 250;

} // namespace

// ---------------------------------------------------------------- sending

bool MModel::hasSetupButton() const
{
    if (!m_pCanvas || !m_pScenes)
        return false;
    for (const char *row : {"topRow", "bottomRow"}) {
        if (m_pCanvas->qmlProperty(QLatin1String(row)).contains(QLatin1String("ToolBar")))
            return true;
    }
    return m_pScenes->findByName(QStringLiteral("SettingsButton")) != nullptr;
}

// What goes out is the archive on disk: a project never saved, or changed
// since, would send something else than the user sees.
bool MModel::sendToMobileDevice()
{
    if (!m_pScenes || !m_pRootNode)
        return false;
    QWidget *pParent = qobject_cast<QWidget *>(m_pMainWindow.data());
    if (!hasSetupButton()) {
        DMessageBox::warning(pParent, tr("Error: "),
                             tr("The Canvas does not include a toolbar and a\n"
                                "Setup Button was not found in any of the panels.\n"
                                "The project must contain a Setup Button, or else\n"
                                "downloading a control panel will not be possible."));
        return false;
    }
    if (m_projectPath.isEmpty() || m_bModified || !m_bSaved || !QFileInfo(m_projectPath).isFile()) {
        DMessageBox::warning(pParent, tr("Warning"), tr("Please Save before Sending to Mobile Device"));
        return false;
    }
    DDownloadDialog dialog;
    dialog.m_address.setAddress(m_mobileAddress);
    dialog.initialize();
    if (dialog.runModal() != 1)
        return false;
    m_mobileAddress = dialog.m_address.toHostAddress();

    std::unique_ptr<PProtocol> pProtocol(PProtocolFactory().createProtocol(QStringLiteral("File")));
    if (!pProtocol)
        return false;
    // The client goes first: it holds the protocol.
    auto pClient = std::make_unique<ITcpClient>();
    pClient->setProtocol(pProtocol.get());
    pClient->setHostAddress(m_mobileAddress);
    pClient->setPort(m_nTransferPort);
    pClient->setConnectWait(SendConnectWaitMs);
    bool sent = false;
    if (pClient->open()) {
        pProtocol->setInterface(pClient.get());
        sent = pProtocol->sendFile(m_projectPath);
        pClient->close();
        if (!sent)
            DMessageBox::warning(pParent, tr("Connection"),
                                 tr("The project was not sent completely to: ") + m_mobileAddress.toString());
    } else {
        DMessageBox::warning(pParent, tr("Connection"), tr("Could not connect to: ") + m_mobileAddress.toString());
    }
    pClient.reset();
    return sent;
}

// ---------------------------------------------------------------- receiving

// An empty setting would put the file at the filesystem root.
QString MModel::receiveFolder() const
{
    QSettings settings;
    QString folder = settings.value(QStringLiteral("Path/Designs")).toString();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                 + QStringLiteral("/Velmora Viviza builder");
    return folder;
}

QString MModel::downloadPath(bool createFolder) const
{
    const QString folder = receiveFolder();
    if (createFolder && !QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        qCWarning(lcModel).noquote() << "cannot create" << folder;
    return folder + QLatin1String(kDownloadName);
}

QString MModel::receivedProjectPath() const
{
    const QString folder = receiveFolder();
    for (const char *name : {kDownloadName, kLooseDownloadName}) {
        const QString path = folder + QLatin1String(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString::fromLatin1(kDemoProject);
}

quint16 MModel::receivingPort() const
{
    return m_pReceiveServer ? m_pReceiveServer->serverPort() : 0;
}

// The server lives only for one receive: one that is there belongs to a
// receive still waiting further down the stack, which must keep it.
bool MModel::receiveProject()
{
    if (m_pReceiveServer) {
        qCDebug(lcModel) << "A receive is already running.";
        return false;
    }
    std::unique_ptr<PProtocol> pProtocol(PProtocolFactory().createProtocol(QStringLiteral("File")));
    auto *pFileProtocol = qobject_cast<PFileProtocol *>(pProtocol.get());
    if (!pFileProtocol) {
        qCDebug(lcModel) << "Failed to get protocol for 'File'";
        return false;
    }
    m_pReceiveServer = std::make_unique<ITcpServer>();
    m_pReceiveServer->setProtocol(pFileProtocol);
    m_pReceiveServer->setHostAddress(m_receiveAddress);
    m_pReceiveServer->setPort(m_nTransferPort);
    m_pollTimer.stop();
    m_bPollEnabled = false;
    if (CControl *pPanel = currentChildIn(QStringLiteral("Panels")))
        pPanel->setPollActive(false);

    bool received = false;
    if (m_pReceiveServer->open()) {
        pFileProtocol->setInterface(m_pReceiveServer.get());
        pFileProtocol->setModel(this);
        received = pFileProtocol->receiveFile(downloadPath(true));
        qCDebug(lcModel) << "Closing the server after receive.";
        m_pReceiveServer->close();
    } else {
        DMessageBox::warning(qobject_cast<QWidget *>(m_pMainWindow.data()), tr("Receive Control Panel..."),
                             tr("Could not listen on port %1.").arg(m_nTransferPort));
    }
    qCDebug(lcModel) << "Deleting the server, received or not.";
    m_pReceiveServer.reset();
    pProtocol.reset();
    // Still online: the shown panel goes on polling.
    if (!received && m_bConnectionEnabled) {
        m_pollTimer.start(kPollIntervalMs);
        setPollPending(true);
    }
    return received;
}

void MModel::doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface)
{
    if (!pProtocol || !pInterface)
        return;
    DQmlMessageDialog box;
    QEventLoop loop;
    QList<QMetaObject::Connection> links;
    // The box's Cancel always ends the wait; with a QML interface it goes
    // through it, so that the canvas's own receive box cancels the same way.
    if (MQmlInterface *pInterfaceObject = m_pQmlInterface.data()) {
        qCDebug(lcModel) << "connecting receive mode box closing to slot";
        links << connect(&box, &DQmlMessageDialog::receiveModeDialogClosed, pInterfaceObject,
                         &MQmlInterface::onReceiveModeDialogClosed);
        links << connect(pInterfaceObject, &MQmlInterface::receiveDialogCanceled, pProtocol,
                         &PFileProtocol::connectionClose);
        links << connect(pInterfaceObject, &MQmlInterface::receiveDialogCanceled, &loop, &QEventLoop::quit);
    } else {
        links << connect(&box, &DQmlMessageDialog::receiveModeDialogClosed, pProtocol,
                         &PFileProtocol::connectionClose);
        connect(&box, &DQmlMessageDialog::receiveModeDialogClosed, &loop, &QEventLoop::quit);
    }
    connect(pInterface, &IInterface::connectionClose, &loop, &QEventLoop::quit);
    // A wait with no sender, or a sender that stalls, is given up.
    QTimer idle;
    qint64 lastCount = -1;
    connect(&idle, &QTimer::timeout, &loop, [&]() {
        const qint64 count = pProtocol->receivedBytes();
        if (count != lastCount) {
            lastCount = count;
            return;
        }
        qCDebug(lcModel) << "Receive given up: nothing arrived in" << m_nReceiveIdleLimitMs << "ms.";
        pProtocol->connectionClose();
        loop.quit();
    });
    lastCount = pProtocol->receivedBytes();
    idle.start(m_nReceiveIdleLimitMs);

    box.showReceiveBox(tr("Receive Control Panel..."), mobileIpAddressText());
    loop.exec();
    idle.stop();
    for (const QMetaObject::Connection &link : std::as_const(links))
        disconnect(link);
    box.closeReceiveBox();
}

bool MModel::receiveAndOpen()
{
    if (m_bReceiving || m_pReceiveServer)
        return false;
    const bool wasOnline = m_bConnectionEnabled;
    m_bReceiving = true;
    const bool opened = receiveProject() && openReceivedProject();
    m_bReceiving = false;
    // No new project: the editor goes on as it was before the receive.
    if (!opened && wasOnline)
        resumeOnline();
    emit changedStatusIndicator();
    return opened;
}

// The receive stops the polling, and an open that gives up may have taken the
// processors offline: both come back, and "Go Online" shows it.
void MModel::resumeOnline()
{
    if (!m_bConnectionEnabled) {
        setConnectionEnabled(true);
        collectInterfaces();
    } else if (!m_pollTimer.isActive()) {
        m_pollTimer.start(kPollIntervalMs);
        setPollPending(true);
    }
    if (auto *pMain = qobject_cast<KMainController *>(findController(ControllerId::Main)))
        pMain->setActionChecked(ActionId::GoOnline, m_bConnectionEnabled);
}

// The open project goes only after the save prompt and only for a project
// that can be read; a refused prompt keeps the received file. The received
// project then opens as File > Open opens it, and goes online.
bool MModel::openReceivedProject()
{
    auto *pMain = qobject_cast<KMainController *>(findController(ControllerId::Main));
    if (pMain) {
        if (!pMain->promptSave(tr("Receive Control Panel...")))
            return false;
    } else if (m_bModified) {
        showWarning(tr("There are unsaved changes. The received project was left at %1.")
                        .arg(receivedProjectPath()));
        return false;
    }
    const QString path = receivedProjectPath();
    if (pMain) {
        if (!pMain->openProjectFile(path))
            return false;
    } else {
        if (!canOpenProject(path))
            return false;
        if (m_bConnectionEnabled)
            setConnectionEnabled(false);
        resetModel();
        closeDesignFile();
        if (!openProject(path))
            return false;
        selectSceneAt(0);
        notifyControllers(NotifyEventId::Initialised);
    }
    setConnectionEnabled(true);
    collectInterfaces();
    requestPanelState();
    if (pMain)
        pMain->setActionChecked(ActionId::GoOnline, m_bConnectionEnabled);
    return true;
}

// ---------------------------------------------------------------- system menu

MModel::SystemMenuAction MModel::systemMenuAction(const QString &entry)
{
    struct Row
    {
        const char *label;
        SystemMenuAction action;
    };
    static const Row kRows[] = {
        {QT_TR_NOOP("IP Address"), &MModel::showIpAddressBox},
        {QT_TR_NOOP("Network Status"), &MModel::showNetworkStatusBox},
        {QT_TR_NOOP("Project Information"), &MModel::showProjectInfoBox},
        {QT_TR_NOOP("About"), &MModel::showAbout},
        {QT_TR_NOOP("Receive"), &MModel::runReceiveEntry},
        {QT_TR_NOOP("Exit"), &MModel::runExitEntry},
    };
    for (const Row &row : kRows) {
        if (entry.startsWith(tr(row.label)))
            return row.action;
    }
    return nullptr;
}

bool MModel::isSystemMenuEntry(const QString &entry)
{
    return systemMenuAction(entry) != nullptr;
}

bool MModel::runSystemMenu(const QString &entry)
{
    const SystemMenuAction action = systemMenuAction(entry);
    return action && (this->*action)(entry);
}

bool MModel::runReceiveEntry(const QString &)
{
    return receiveAndOpen();
}

// With a PIN the canvas asks for it first.
bool MModel::runExitEntry(const QString &)
{
    if (m_pQmlInterface) {
        if (!MProject::exitPin().isEmpty())
            emit m_pQmlInterface->showExitPasscodeDialog();
        else
            m_pQmlInterface->exitApplication();
    }
    return true;
}

bool MModel::showQmlBox(const QString &source, const QString &title, const QString &text, bool withButton)
{
    DQmlMessageDialog box;
    box.source = source;
    if (withButton)
        box.button = tr("OK");
    box.context = m_pQmlContext;
    box.title = title;
    box.text = text;
    return box.doModal();
}

bool MModel::showIpAddressBox(const QString &title)
{
    return showQmlBox(QString::fromLatin1(kMessageBoxQml), title, localAddresses(), true);
}

bool MModel::showNetworkStatusBox(const QString &title)
{
    return showQmlBox(QString::fromLatin1(kMessageBoxQml), title, networkReport(), true);
}

bool MModel::showProjectInfoBox(const QString &title)
{
    if (!m_pProject)
        return false;
    return showQmlBox(QString::fromLatin1(kMessageBoxQml), title, m_pProject->projectInfoString(), true);
}

bool MModel::showAbout(const QString &title)
{
    return showQmlBox(QString::fromLatin1(kAboutBoxQml), title, versionText(), false);
}

// ---------------------------------------------------------------- exit PIN

void MModel::changeExitPin()
{
    DExitPinDialog dialog(MProject::exitPin());
    if (dialog.runModal() != 1)
        return;
    MProject::setExitPin(dialog.exitPin());
    markModified();
}
