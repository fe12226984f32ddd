#include "hardware/HChassis.h"

#include "hardware/HDeviceModels.h"
#include "interfaces/IInterface.h"
#include "interfaces/IInterfaceFactory.h"
#include "protocols/PProtocol.h"
#include "protocols/PProtocolFactory.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QHostAddress>
#include <QStandardItemModel>
#include <QXmlAttributes>

HChassis::HChassis()
    : m_sSerialPort(QStringLiteral("10055"))
    , m_sPlatform(QStringLiteral("KRX"))
{
    setFlags(FlagProcessor);
    m_pOwnProtocol = makeProtocol(m_sPlatform);
    m_pProtocol = m_pOwnProtocol;
}

HChassis::~HChassis()
{
    if (m_pOwnProtocol)
        m_pOwnProtocol->deleteLater();
    if (m_pTransport)
        m_pTransport->deleteLater();
    m_registry.clearRooms();
}

PProtocol *HChassis::makeProtocol(const QString &platform)
{
    return PProtocolFactory().createProtocol(platform);
}

IInterface *HChassis::makeTransport()
{
    return IInterfaceFactory().createInterface();
}

void HChassis::linkProtocol()
{
    if (m_pProtocol)
        m_pProtocol->setInterface(m_pTransport);
}

// ---------------------------------------------------------------- design file and project file

void HChassis::parseAttributes(const QXmlAttributes &attributes)
{
    HNode::parseAttributes(attributes);
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));
    if (name == QLatin1String("ipAddress"))
        m_sIpAddress = value;
    else if (name == QLatin1String("ipPort"))
        m_sIpPort = value;
    else if (name == QLatin1String("monitorPort"))
        m_sMonitorPort = value;
    else if (name == QLatin1String("serialPortNumber"))
        m_sSerialPort = value;
    else if (name == QLatin1String("deviceType"))
        platformFromModel(value);
    else if (name == QLatin1String("isMainKRX") && value == QLatin1String("True"))
        setFlags(FlagMainProcessor);
}

void HChassis::setProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("title"))
        m_sTitle = value;
    else if (name == QLatin1String("ipaddress"))
        m_sIpAddress = value;
    else if (name == QLatin1String("ipport"))
        m_sIpPort = value;
    else if (name == QLatin1String("monitorport"))
        m_sMonitorPort = value;
    else if (name == QLatin1String("serialport"))
        m_sSerialPort = value;
    else if (name == QLatin1String("platform"))
        m_sPlatform = value;
}

void HChassis::propertyLoaded()
{
}

void HChassis::platformFromModel(const QString &modelText)
{
    if (modelText.startsWith(QLatin1String("KRX")) || modelText.startsWith(QLatin1String("VMP"))) {
        m_sPlatform = QStringLiteral("KRX");
    } else if (modelText.startsWith(QLatin1String("IN"))) {
        m_sPlatform = QStringLiteral("KRX");
        m_bEndpoint = true;
    } else if (modelText.startsWith(QLatin1String("AQ"))) {
        m_sPlatform = QStringLiteral("AQ");
    } else if (modelText.startsWith(QLatin1String("AZ"))) {
        m_sPlatform = QStringLiteral("AZ");
    } else {
        m_sPlatform.clear();
    }
}

bool HChassis::initNode()
{
    QString title = m_sTitle;
    const int open = static_cast<int>(title.lastIndexOf(QLatin1Char('(')));
    if (open > 0)
        title = title.left(open - 1);
    const bool found = lookupTitle(QStringLiteral("Chassis.dict"), title);
    if (!found)
        qCWarning(lcHardware).noquote()
            << QStringLiteral("Failed to find the chassis title in resource file :data/Chassis.dict. This can "
                              "happen when a new device has been added to VMD but not VMR. Make sure the resurce "
                              "file has the string ")
                   + title;
    return found;
}

bool HChassis::lookupTitle(const QString &fileName, const QString &title) const
{
    QList<QByteArray> lines;
    if (!HDeviceModels::resourceLines(QStringLiteral(":/data/") + dataFolder() + QLatin1Char('/') + fileName, lines))
        return false;
    for (const QByteArray &line : std::as_const(lines)) {
        if (QString::fromUtf8(line) == title)
            return true;
    }
    return false;
}

bool HChassis::writeXml(XmlWriter *pWriter, QStringList &writtenAddresses)
{
    // Each address once, however many processors share it.
    if (!pWriter || !hasFlags(FlagInUse) || writtenAddresses.contains(m_sIpAddress))
        return false;
    writtenAddresses.append(m_sIpAddress);
    pWriter->writeStartElementIndexed(QStringLiteral("Connection"), QStringLiteral("Chassis"), m_sLabel, m_nNodeId);
    pWriter->writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    pWriter->writeTextElement(QStringLiteral("title"), m_sTitle);
    pWriter->writeTextElement(QStringLiteral("ipaddress"), m_sIpAddress);
    pWriter->writeTextElement(QStringLiteral("ipport"), m_sIpPort);
    pWriter->writeTextElement(QStringLiteral("monitorport"), m_sMonitorPort);
    pWriter->writeTextElement(QStringLiteral("serialport"), m_sSerialPort);
    pWriter->writeTextElement(QStringLiteral("platform"), m_sPlatform);
    pWriter->writeEndElement(QStringLiteral("Property"));
    pWriter->writeEndElement(QStringLiteral("Connection"));
    return true;
}

void HChassis::copyFrom(HNode *pOther)
{
    HNode::copyFrom(pOther);
    m_pProtocol = m_pOwnProtocol; // never another chassis's, which goes with it
    auto *pChassis = qobject_cast<HChassis *>(pOther);
    if (!pChassis)
        return;
    bool changed = pChassis->m_pTransport != m_pTransport;
    const auto take = [&changed](QString &mine, const QString &theirs) {
        if (mine != theirs) {
            mine = theirs;
            changed = true;
        }
    };
    take(m_sIpAddress, pChassis->m_sIpAddress);
    take(m_sIpPort, pChassis->m_sIpPort);
    take(m_sMonitorPort, pChassis->m_sMonitorPort);
    take(m_sSerialPort, pChassis->m_sSerialPort);
    take(m_sPlatform, pChassis->m_sPlatform);
    m_bEndpoint = pChassis->m_bEndpoint;
    if (pChassis->hasFlags(FlagMainProcessor))
        setFlags(FlagMainProcessor);
    else
        clearFlags(FlagMainProcessor);
    if (changed)
        recreateInterface();
}

// ---------------------------------------------------------------- transport

void HChassis::createInterface()
{
    if (!m_pProtocol || m_pTransport)
        return;
    m_pTransport = makeTransport();
    if (!m_pTransport)
        return;
    bool ok = false;
    const uint port = m_sSerialPort.toUInt(&ok, 10);
    m_pTransport->setProtocol(m_pProtocol);
    m_pTransport->setHostAddress(QHostAddress(m_sIpAddress));
    m_pTransport->setPort(ok ? static_cast<int>(port) : 0);
    m_pTransport->setOwner(this);
    if (m_pStatusReceiver)
        connect(m_pTransport, SIGNAL(interfaceStateChanged(bool)), m_pStatusReceiver,
                SLOT(interfaceStatusChanged(bool)), Qt::UniqueConnection);
    linkProtocol();
}

bool HChassis::retireTransport()
{
    IInterface *pOld = m_pTransport;
    m_pTransport = nullptr;
    if (!pOld)
        return false;
    const bool wasOpen = pOld->connectionState() != ConnectionState::Idle || pOld->isConnected();
    pOld->close();
    pOld->setOwner(nullptr);
    pOld->deleteLater();
    return wasOpen;
}

void HChassis::recreateInterface()
{
    const bool wasOpen = retireTransport();
    createInterface();
    if (wasOpen && m_pTransport)
        m_pTransport->open();
}

void HChassis::setOnline(bool online)
{
    if (!m_pTransport)
        createInterface();
    if (!hasFlags(FlagInUse) || !m_pTransport)
        return;
    emit onlineStateChanged(online);
    if (online)
        m_pTransport->open();
    else
        m_pTransport->close();
}

bool HChassis::isConnected() const
{
    return m_pTransport && m_pTransport->isConnected();
}

void HChassis::connectStatus(QObject *pReceiver)
{
    if (m_pTransport && pReceiver) {
        m_pStatusReceiver = pReceiver;
        connect(m_pTransport, SIGNAL(interfaceStateChanged(bool)), pReceiver,
                SLOT(interfaceStatusChanged(bool)), Qt::UniqueConnection);
    }
    HComposite::connectStatus(pReceiver);
}

// ---------------------------------------------------------------- tree

HNode *HChassis::findByCategory(const QString &category)
{
    return HNode::findByCategory(category);
}

HNode *HChassis::findByCategoryAndId(const QString &category, int id)
{
    if (HNode *pFound = HNode::findByCategoryAndId(category, id))
        return pFound;
    return HComposite::findByCategoryAndId(category, id);
}

HNode *HChassis::findByCategoryAndAttribute(const QString &category, const QString &key,
                                            const QString &value)
{
    if (HNode *pFound = HNode::findByCategoryAndAttribute(category, key, value))
        return pFound;
    return HComposite::findByCategoryAndAttribute(category, key, value);
}

bool HChassis::collectByCategory(const QString &category, QList<HNode *> *pList)
{
    if (category == QLatin1String("Chassis"))
        return HNode::collectByCategory(category, pList);
    return HComposite::collectByCategory(category, pList);
}

bool HChassis::collect(const QString &key, QList<HNode *> *pList)
{
    if (key == QLatin1String("Chassis"))
        return HNode::collectByCategory(key, pList);
    return HComposite::collect(key, pList);
}

void HChassis::dumpNode()
{
    qCDebug(lcHardware).noquote() << category() << m_sLabel << QString::number(m_nFlags, 16);
}

bool HChassis::addNode(HNode *pNode)
{
    return HComposite::addNode(pNode);
}

void HChassis::attachRoomCombiner(HNode *pNode)
{
    if (pNode)
        pNode->setupRoomCombiner(&m_registry);
}

void HChassis::importRooms(HNode *pProcessor, const QString &groupText)
{
    if (auto *pTarget = qobject_cast<HChassis *>(pProcessor))
        m_registry.importRooms(pTarget->registry(), groupText);
}

void HChassis::setRCGroupName(int id, const QString &name)
{
    m_registry.setGroupName(id, name);
}

QString HChassis::dataFolder() const
{
    return m_sPlatform;
}

HNode *HChassis::findCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    pTree->collect(category(), &candidates);
    for (HNode *pNode : std::as_const(candidates)) {
        if (!pNode || (skipSeen && pNode->hasFlags(FlagSeen)))
            continue;
        const bool sameTitle = pNode->title() == m_sTitle
                               || pNode->title() + QStringLiteral(" (Main)") == m_sTitle;
        if (sameTitle && pNode->nodeId() == m_nNodeId && pNode->index() == m_nIndex
            && pNode->typeNum() == m_sTypeNum)
            return pNode;
    }
    return nullptr;
}

QString HChassis::category() const
{
    return QStringLiteral("Chassis");
}

// ---------------------------------------------------------------- project tree

QStringList HChassis::groupRows() const
{
    if (m_sPlatform == QLatin1String("AQ") || m_sPlatform == QLatin1String("AZ"))
        return {QStringLiteral("Amp I/O")};
    QStringList rows = {tr("Analog I/O"), tr("Digital I/O")};
    if (m_sPlatform != QLatin1String("KRX"))
        return rows;
    const QStringList &phones = HDeviceModels::telephoneEndpoints();
    if (m_bEndpoint && (m_sTitle.startsWith(phones.value(0)) || m_sTitle.startsWith(phones.value(1))))
        rows << tr("PSTN I/O") << tr("VoIP I/O");
    const QStringList &usb = HDeviceModels::usbEndpoints();
    if (m_sTitle.startsWith(usb.value(0)) || m_sTitle.startsWith(usb.value(1)))
        rows << tr("USB I/O");
    rows << QStringLiteral("Dante I/O") << tr("Blocks");
    return rows;
}

void HChassis::buildModel(QStandardItemModel *pModel)
{
    if (!pModel) {
        qCDebug(lcHardware) << "null pModel provided as arg";
        return;
    }
    if (HDeviceModels::azrAmplifiers().contains(m_sTitle)) {
        qCDebug(lcHardware).noquote() << m_sTitle + QStringLiteral(" is disabled. Skipping add to tree.");
        return;
    }
    setFlags(FlagPersistent);
    auto *pRow = new QStandardItem(m_sLabel);
    pRow->setFlags(Qt::ItemFlags::fromInt(TreeItem::RowFlags));
    pModel->appendRow(pRow);
    for (const QString &group : groupRows())
        insertModelRow(this, pModel, pRow, group);
    HComposite::buildModel(pModel);
}
