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

} // namespace

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
    showConnectionIndicator();
    if (!m_bReceiving && !isConnected)
        m_pInterfaces->resetProtocol();
}

void MModel::showConnectionIndicator()
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
    // During a receive the indicator buttons hear of it once, when the receive ends.
    if (!m_bReceiving)
        emit changedStatusIndicator();
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
