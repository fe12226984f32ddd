#include "hardware/HNode.h"

#include "hardware/CParameter.h"
#include "hardware/HComposite.h"
#include "hardware/HDeviceModels.h"
#include "hardware/HModelItems.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"
#include "xml/XParameterHandler.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QXmlAttributes>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

HNode::HNode() = default;

HNode::~HNode()
{
    clearParameters();
}

// ---------------------------------------------------------------- non-virtual

QString HNode::xmlAttribute(const QXmlAttributes &attributes, const QString &name)
{
    for (int i = 0; i < attributes.count(); ++i) {
        if (attributes.localName(i) == name)
            return attributes.value(i);
    }
    return QString();
}

QString HNode::attribute(const QString &key) const
{
    if (key == QLatin1String("category"))
        return category();
    if (key == QLatin1String("id"))
        return m_sId;
    if (key == QLatin1String("label"))
        return m_sLabel;
    if (key == QLatin1String("title"))
        return m_sTitle;
    if (key == QLatin1String("typenum"))
        return m_sTypeNum;
    return QString();
}

CParameter *HNode::findParameter(const QString &name) const
{
    for (CParameter *pParameter : m_parameters) {
        if (pParameter && pParameter->text() == name)
            return pParameter;
    }
    return nullptr;
}

void HNode::clearParameters()
{
    qDeleteAll(m_parameters);
    m_parameters.clear();
}

void HNode::truncateParameters(int n)
{
    n = qMax(n, 0);
    while (m_parameters.size() > n)
        delete m_parameters.takeLast();
}

namespace {

// A parsed parameter template: the (text, type) pairs and whether it parsed.
struct TemplateEntry
{
    QList<QPair<QString, QString>> parameters;
    bool parsed = false;
};

// Built-in templates are read-only resources: each is parsed once per run.
QHash<QString, TemplateEntry> &templateCache()
{
    static QHash<QString, TemplateEntry> cache;
    return cache;
}

bool readTemplate(const QString &path, TemplateEntry &entry)
{
    QFile file(path);
    // Binary: the parser decodes the declared encoding itself.
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<CParameter *> parameters;
    QXmlSimpleReader reader;
    QXmlInputSource source(&file);
    XParameterHandler handler;
    handler.setTargetList(&parameters);
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    entry.parsed = reader.parse(&source);
    for (const CParameter *pParameter : std::as_const(parameters))
        entry.parameters.append({pParameter->text(), pParameter->type()});
    qDeleteAll(parameters);
    return true;
}

} // namespace

int HNode::loadParameters()
{
    const QString path = parameterFilePath(QString());
    if (path.isEmpty())
        return 0;
    const bool resource = path.startsWith(QLatin1String(":/"));
    TemplateEntry entry;
    if (resource && templateCache().contains(path)) {
        entry = templateCache().value(path);
    } else {
        if (!readTemplate(path, entry))
            return 0;
        if (resource)
            templateCache().insert(path, entry);
    }
    for (const auto &pair : std::as_const(entry.parameters)) {
        auto *pParameter = new CParameter;
        pParameter->setText(pair.first);
        pParameter->setType(pair.second);
        m_parameters.append(pParameter);
    }
    // A template that does not parse is never reported as loaded.
    return (entry.parsed && !m_parameters.isEmpty()) ? 2 : 1;
}

void HNode::addAttributePair(const QString &name, const QXmlAttributes &attributes)
{
    m_ranges.insert(name, xmlAttribute(attributes, QStringLiteral("max")) + QLatin1Char(',')
                              + xmlAttribute(attributes, QStringLiteral("min")));
}

QString HNode::inputLabelAt(int i) const
{
    return (i >= 0 && i < m_inputLabels.size()) ? m_inputLabels.at(i) : QString();
}

QString HNode::portLabel(int i) const
{
    return (i >= 0 && i < m_portLabels.size()) ? m_portLabels.at(i) : QStringLiteral("noPortLabel");
}

HNode *HNode::rootNode()
{
    HNode *pNode = this;
    while (pNode->m_pParent)
        pNode = pNode->m_pParent;
    return pNode;
}

HNode *HNode::findAncestorWithFlags(quint32 mask)
{
    for (HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (pNode->hasFlags(mask))
            return pNode;
    }
    return nullptr;
}

QString HNode::chassisName() const
{
    for (const HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (pNode->hasFlags(FlagProcessor))
            return pNode->m_sLabel;
    }
    return QStringLiteral("???");
}

QString HNode::chassisKey() const
{
    for (const HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (!pNode->hasFlags(FlagProcessor))
            continue;
        if (pNode->m_nNodeId < 1)
            return pNode->m_sLabel;
        return QStringLiteral("%1|||%2").arg(QStringLiteral("Chassis")).arg(pNode->m_nNodeId);
    }
    return QStringLiteral("???");
}

int HNode::labelChannelIndex(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList pieces = text.split(blanks);
    if (pieces.size() < 2)
        return -1;
    bool ok = false;
    const int number = pieces.at(1).toInt(&ok, 10);
    if (!ok) {
        qCWarning(lcHardware).noquote() << "Failed to convert string attribute to channel number. "
                             << "Original value: " << text;
        return -1;
    }
    return number - 1;
}

QString HNode::twinFilePath(const QString &templatePath)
{
    // Only the file name is cut: a folder may hold dots too.
    const qsizetype nameStart = templatePath.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = templatePath.indexOf(QLatin1Char('.'), nameStart);
    if (templatePath.isEmpty() || dot < 0)
        return QString();
    return templatePath.left(dot) + QStringLiteral("1.xml");
}

bool HNode::substituteLabel(QString &text, bool byLeadingWords) const
{
    QString pattern;
    const QMap<QString, QString> *pLabels = nullptr;
    if (byLeadingWords) {
        const int lastBlank = text.lastIndexOf(QLatin1Char(' '));
        // The leading words are taken literally: a label may hold brackets or dots.
        pattern = QRegularExpression::escape(lastBlank > 0 ? text.left(lastBlank) : text);
        pLabels = &m_channelLabels;
    } else {
        pattern = QStringLiteral("Phone[1-8]");
        pLabels = &m_phoneLabels;
    }
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    if (!match.hasMatch())
        return false;
    const QString replacement = pLabels->value(match.captured(0));
    if (replacement.isEmpty())
        return false;
    text.replace(match.capturedStart(0), match.capturedLength(0), replacement);
    return true;
}

void HNode::labelParameters()
{
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        QString text = pParameter->text();
        if (substituteLabel(text, false))
            pParameter->setText(text);
    }
}

void HNode::applyRoomRouterPorts()
{
    if (m_sTitle != QLatin1String("Conference Room Router"))
        return;
    // Only a known port count trims: -1 (absent) or more than eight would cut
    // the wrong parameters.
    if (m_nTeleconInputs >= 0 && m_nTeleconInputs <= 8) {
        const int unused = qMin(16 - 2 * m_nTeleconInputs, static_cast<int>(m_parameters.size()));
        if (unused > 0)
            truncateParameters(static_cast<int>(m_parameters.size()) - unused);
    }
    m_bHasCounts = true;
    if (m_nMicInputs != 0)
        return;
    for (int i = static_cast<int>(m_parameters.size()) - 1; i >= 0; --i) {
        if (m_parameters.at(i)->text().startsWith(QLatin1String("Pre-AEC Mic")))
            delete m_parameters.takeAt(i);
    }
}

int HNode::channelIndex() const
{
    if (!m_pParent)
        return -1;
    static const QRegularExpression blank(QStringLiteral("\\s"));
    const QStringList pieces = m_sTitle.split(blank);
    const int n = pieces.size() < 2 ? -1 : pieces.at(1).toInt();
    return HDeviceModels::cardPosition(m_pParent->m_sTitle, m_sTitle, n, m_nPortIndex);
}

void HNode::announceRemoval()
{
    if (auto *pComposite = qobject_cast<HComposite *>(this)) {
        for (HNode *pChild : pComposite->children()) {
            if (pChild)
                pChild->announceRemoval();
        }
    }
    emit removingNode(this);
}

void HNode::destroySelf()
{
    announceRemoval();
    delete this;
}

// ---------------------------------------------------------------- design file

void HNode::parseAttributes(const QXmlAttributes &attributes)
{
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));

    if (name == QLatin1String("title"))
        m_sTitle = value;
    else if (name == QLatin1String("label"))
        m_sLabel = value;
    else if (name == QLatin1String("scriptFile"))
        m_sScriptFile = value;
    else if (name == QLatin1String("module"))
        m_nModule = value.toInt();
    else if (name == QLatin1String("channel"))
        m_nChannel = value.toInt();
    else if (name == QLatin1String("actionCount") || name == QLatin1String("controlCount"))
        parseCountProperty(name, value);
    else if (name == QLatin1String("index"))
        m_nIndex = value.toInt();
    else if (name == QLatin1String("nodeID"))
        m_nNodeId = value.toInt();
    else if (m_sTitle.left(3) == QLatin1String("AMM")) {
        if (name == QLatin1String("channelCount")) {
            m_nChannelCount = value.toInt();
            m_bHasCounts = true;
        }
    } else if (!parseRoomProperty(name, attributes)) {
        parseRangeProperty(name, attributes);
    }

    if (name.startsWith(QLatin1String("inputLabel")))
        m_inputLabels.append(value);
}

void HNode::parseCountProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("actionCount")) {
        if (m_sTitle.startsWith(QLatin1String("Virtual GPO")) || m_sTitle.startsWith(QLatin1String("Logic Output"))) {
            m_nActionCount = value.toInt();
            m_bHasCounts = true;
        }
        return;
    }
    if (m_sTitle.startsWith(QLatin1String("Virtual GPI")) || m_sTitle.startsWith(QLatin1String("Logic Input"))) {
        m_nActionCount = value.toInt();
        m_bHasCounts = true;
    } else if (m_sTitle == QLatin1String("Logic")) {
        m_nLogicCount = value.toInt();
        m_bHasCounts = true;
    }
}

// Properties of the room combiners and the conference room router; false when
// the node is none of them.
bool HNode::parseRoomProperty(const QString &name, const QXmlAttributes &attributes)
{
    const bool router = m_sTitle == QLatin1String("Conference Room Router");
    if (!router && m_sTitle != QLatin1String("General Purpose Room Combiner")
        && m_sTitle != QLatin1String("Standard Room Combiner"))
        return false;

    static const QStringList combinerRanges = {
        QStringLiteral("bgmLevel"), QStringLiteral("inputLevel"), QStringLiteral("level")};
    static const QStringList routerRanges = {
        QStringLiteral("masterVolume"), QStringLiteral("micMixLevel"), QStringLiteral("programMixLevel"),
        QStringLiteral("preAecMicsLevel"), QStringLiteral("programLevel"), QStringLiteral("teleconLevel1")};
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));

    if (name == QLatin1String("roomNumber")) {
        m_nRoomNumber = value.toInt();
    } else if (name == QLatin1String("rcGroupNumber")) {
        m_nRCGroupNumber = value.toInt();
    } else if (combinerRanges.contains(name) || (router && routerRanges.contains(name))) {
        addAttributePair(name, attributes);
        m_bHasRanges = true;
    } else if (router && name == QLatin1String("teleconInputs")) {
        m_nTeleconInputs = value.toInt();
    } else if (router && name == QLatin1String("micInputs")) {
        m_nMicInputs = value.toInt();
    } else if (router && name == QLatin1String("roomCombine")) {
        m_sRoomCombine = value;
    }
    return true;
}

void HNode::parseRangeProperty(const QString &name, const QXmlAttributes &attributes)
{
    const bool usbLevel = m_sTitle.startsWith(QLatin1String("USB")) && name.startsWith(QLatin1String("level"));
    if (name == QLatin1String("level") || usbLevel) {
        m_sLevelMax = xmlAttribute(attributes, QStringLiteral("max"));
        m_sLevelMin = xmlAttribute(attributes, QStringLiteral("min"));
        m_bHasRanges = true;
    } else if (name == QLatin1String("low") || name == QLatin1String("mid") || name == QLatin1String("high")) {
        addAttributePair(name, attributes);
        m_bHasRanges = true;
    } else if (m_sTitle == QLatin1String("USB In") && name.startsWith(QLatin1String("outName"))) {
        m_portLabels.append(xmlAttribute(attributes, QStringLiteral("value")));
    } else if (m_sTitle == QLatin1String("USB Out") && name.startsWith(QLatin1String("label")) && name.size() == 6) {
        m_portLabels.append(xmlAttribute(attributes, QStringLiteral("value")));
    }
}

void HNode::parseChildAttributes(const QXmlAttributes &, bool)
{
}

void HNode::setProperty(const QString &, const QString &)
{
}

void HNode::propertyLoaded()
{
}

bool HNode::initNode()
{
    if (m_pParent)
        m_pProtocol = m_pParent->m_pProtocol;
    return true;
}

bool HNode::writeXml(XmlWriter *, QStringList &)
{
    return true;
}

void HNode::copyFrom(HNode *pOther)
{
    if (!pOther)
        return;
    if (!m_pProtocol)
        m_pProtocol = pOther->m_pProtocol;
    m_sLabel = pOther->m_sLabel;
    m_sTitle = pOther->m_sTitle;
    m_sScriptFile = pOther->m_sScriptFile;
    m_nModule = pOther->m_nModule;
    m_nChannel = pOther->m_nChannel;
    m_nIndex = pOther->m_nIndex;
    m_nNodeId = pOther->m_nNodeId;
    m_sTypeNum = pOther->m_sTypeNum;
    m_sId = pOther->m_sId;
    m_nLogicCount = pOther->m_nLogicCount;
    m_nChannelCount = pOther->m_nChannelCount;
    m_nActionCount = pOther->m_nActionCount;
    m_nTeleconInputs = pOther->m_nTeleconInputs;
    m_nMicInputs = pOther->m_nMicInputs;
    // Selection, persistence, use and the import mark belong to this session.
    m_nFlags = (m_nFlags & ~DesignFlags) | (pOther->m_nFlags & DesignFlags);
    m_inputLabels = pOther->m_inputLabels;
    // Every other field the design file sets, so that what is rebuilt from
    // this node (the room registry, ranges, port labels) takes the new file.
    m_nRoomNumber = pOther->m_nRoomNumber;
    m_nRCGroupNumber = pOther->m_nRCGroupNumber;
    m_sRoomCombine = pOther->m_sRoomCombine;
    m_sLevelMax = pOther->m_sLevelMax;
    m_sLevelMin = pOther->m_sLevelMin;
    m_ranges = pOther->m_ranges;
    m_bHasCounts = pOther->m_bHasCounts;
    m_bHasRanges = pOther->m_bHasRanges;
    m_nPortIndex = pOther->m_nPortIndex;
    m_nPinIndex = pOther->m_nPinIndex;
    m_portLabels = pOther->m_portLabels;
    m_ampTitles = pOther->m_ampTitles;
}

// ---------------------------------------------------------------- searches

HNode *HNode::findByCategory(const QString &category)
{
    return this->category() == category ? this : nullptr;
}

HNode *HNode::findById(int id)
{
    return m_nNodeId == id ? this : nullptr;
}

HNode *HNode::findByCategoryAndId(const QString &category, int id)
{
    return (this->category() == category && m_nNodeId == id) ? this : nullptr;
}

HNode *HNode::findByAttribute(const QString &key, const QString &value)
{
    return attribute(key) == value ? this : nullptr;
}

HNode *HNode::findByCategoryAndAttribute(const QString &category, const QString &key,
                                         const QString &value)
{
    return (this->category() == category && attribute(key) == value) ? this : nullptr;
}

// ---------------------------------------------------------------- removal and marks

bool HNode::removeChild(HNode *)
{
    return false;
}

bool HNode::purgeRemovable()
{
    if (hasFlags(FlagSelected) || !hasFlags(FlagRemovable))
        return false;
    destroySelf();
    return true;
}

void HNode::uncheck()
{
    if (hasFlags(FlagSelected))
        setChecked(false);
}

bool HNode::removeIfChecked(bool state)
{
    if (!m_pParent || isChecked() != state)
        return false;
    destroySelf();
    return true;
}

void HNode::setChecked(bool state)
{
    if (!m_pParent)
        return;
    if (!state) {
        clearFlags(FlagSelected);
        return;
    }
    setFlags(FlagSelected);
    m_pParent->setFlags(FlagInUse);
    // A room's parent is its group: the processor above must go online too.
    if (HNode *pProcessor = m_pParent->findAncestorWithFlags(FlagProcessor))
        pProcessor->setFlags(FlagInUse);
}

bool HNode::isChecked() const
{
    return hasFlags(FlagSelected);
}

void HNode::clearReloadFlag(bool)
{
    clearFlags(FlagSeen);
}

bool HNode::collectByCategory(const QString &category, QList<HNode *> *pList)
{
    if (!pList || this->category() != category)
        return false;
    pList->append(this);
    return true;
}

void HNode::sortById(QList<HNode *> *)
{
}

bool HNode::collect(const QString &key, QList<HNode *> *pList)
{
    return collectByCategory(key, pList);
}

void HNode::connectStatus(QObject *)
{
}

void HNode::clearInUse()
{
    clearFlags(FlagInUse);
}

bool HNode::deleteIfNotPersistent()
{
    if (hasFlags(FlagPersistent))
        return false;
    destroySelf();
    return true;
}

void HNode::dumpNode()
{
}

bool HNode::isConnected() const
{
    return false;
}

// ---------------------------------------------------------------- project tree

quint64 HNode::nodeAddress(const HNode *pNode)
{
    return static_cast<quint64>(reinterpret_cast<quintptr>(pNode));
}

void HNode::buildModel(QStandardItemModel *pModel)
{
    int loaded = 0;
    QStandardItem *pParentItem = loadModelGroup(pModel, loaded);
    if (!pParentItem)
        return;
    if (m_nTeleconInputs > 0)
        labelParameters();
    const int perHeader = applyProcessorRules();
    if (hidesAmplifierOutput())
        return;
    QStandardItem *pNodeItem = appendNodeRow(pParentItem, loaded);
    if (!pNodeItem)
        return;
    cutParametersToCounts();
    applyRoomRouterPorts();
    appendParameterItems(pNodeItem, perHeader);
}

QStandardItem *HNode::loadModelGroup(QStandardItemModel *pModel, int &loaded)
{
    if (!pModel)
        return nullptr;
    clearParameters();
    loaded = loadParameters();
    if (loaded == 0)
        return nullptr;
    setFlags(FlagPersistent);
    return addModelItems(pModel, category());
}

QStandardItem *HNode::appendNodeRow(QStandardItem *pParentItem, int loaded)
{
    auto *pNodeItem = new QStandardItem(m_sLabel);
    pNodeItem->setFlags(m_itemFlags);
    pParentItem->appendRow(pNodeItem);
    if (loaded != 1)
        return pNodeItem;
    // A complete panel is offered instead of single parameters.
    auto *pPanelItem = new QStandardItem(resourceIcon(QStringLiteral(":/images/CompletePanel.png")), m_sLabel);
    pPanelItem->setData(nodeAddress(this), TreeItem::HandleRole);
    pPanelItem->setFlags(m_itemFlags | Qt::ItemFlags::fromInt(TreeItem::PanelKind | Qt::ItemIsDragEnabled));
    pNodeItem->appendRow(pPanelItem);
    return nullptr;
}

void HNode::removeMeterParameters()
{
    for (int i = static_cast<int>(m_parameters.size()) - 1; i >= 0; --i) {
        if (m_parameters.at(i)->text().startsWith(QLatin1String("Meter")))
            delete m_parameters.takeAt(i);
    }
}

// Processor-specific trimming; returns the parameters per channel header.
int HNode::applyProcessorRules()
{
    int perHeader = 3;
    if (m_pParent && m_pParent->m_sTitle.startsWith(HDeviceModels::meterlessProcessor())) {
        removeMeterParameters();
        if (m_sTitle.startsWith(QLatin1String("KRXLink")))
            perHeader = 2;
    }
    return perHeader;
}

bool HNode::hidesAmplifierOutput() const
{
    if (!m_pParent || m_sTitle != QLatin1String("Amp Output") || m_sLabel != QLatin1String("----"))
        return false;
    for (const QString &model : HDeviceModels::aqAmplifiers()) {
        if (m_pParent->m_sTitle.startsWith(model))
            return true;
    }
    return false;
}

void HNode::cutParametersToCounts()
{
    if (m_nChannelCount > 0) {
        truncateParameters(m_nChannelCount + 1);
        m_bHasCounts = true;
    } else if (m_nActionCount > 0) {
        truncateParameters(m_nActionCount);
        m_bHasCounts = true;
    }
}

QStandardItem *HNode::makeParameterItem(CParameter *pParameter) const
{
    auto *pItem = new QStandardItem(pParameter->text());
    const QString iconPath = pParameter->iconPath();
    if (!iconPath.isEmpty())
        pItem->setIcon(resourceIcon(iconPath));
    pItem->setData(nodeAddress(this), TreeItem::HandleRole);
    pItem->setFlags(m_itemFlags | Qt::ItemFlags::fromInt(TreeItem::ParameterKind | Qt::ItemIsDragEnabled));
    pParameter->setItem(pItem);
    return pItem;
}

QIcon HNode::resourceIcon(const QString &path)
{
    // Making an icon from a file decodes the image: the tree build would do
    // it once per parameter.
    static QHash<QString, QIcon> icons;
    auto it = icons.find(path);
    if (it == icons.end())
        it = icons.insert(path, QIcon(path));
    return it.value();
}

CParameter *HNode::ensureParameter(const QString &text, const QString &type)
{
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        if (pParameter->text() == text && pParameter->type() == type)
            return pParameter;
    }
    auto *pParameter = new CParameter;
    pParameter->setText(text);
    pParameter->setType(type);
    m_parameters.append(pParameter);
    return pParameter;
}

void HNode::retitleParameter(const QString &oldText, const QString &newText, const QString &type)
{
    CParameter *pOld = nullptr;
    bool newExists = false;
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        if (pParameter->type() != type)
            continue;
        if (pParameter->text() == oldText && !pOld)
            pOld = pParameter;
        else if (pParameter->text() == newText)
            newExists = true;
    }
    if (!pOld)
        return;
    if (!newExists) {
        pOld->setText(newText);
        return;
    }
    m_parameters.removeOne(pOld);
    delete pOld;
}

QStandardItem *HNode::appendHeaderItem(QStandardItem *pNodeItem, const QString &text) const
{
    auto *pHeader = new QStandardItem(text);
    pHeader->setFlags(m_itemFlags);
    pNodeItem->appendRow(pHeader);
    return pHeader;
}

void HNode::appendParameterItems(QStandardItem *pNodeItem, int perHeader)
{
    const bool shortLink = m_pParent && m_sLabel == QLatin1String("DivErov")
                           && m_pParent->m_sTitle.startsWith(HDeviceModels::shortLinkProcessor());
    const bool channelled = m_sTitle == QLatin1String("DivErov") || m_sTitle.startsWith(QLatin1String("KRXLink"));
    const bool toneEq = m_sTitle.startsWith(QLatin1String("DizoZU")) || m_sTitle.startsWith(QLatin1String("Tone EQ"));
    const bool automix = m_sTitle.startsWith(QLatin1String("AMM"));
    static const QStringList bands = {QStringLiteral("Low"), QString(), QStringLiteral("Mid"),
                                      QString(), QStringLiteral("High")};

    QStandardItem *pHeader = nullptr;
    for (int i = 0; i < m_parameters.size(); ++i) {
        if (i >= 12 && shortLink)
            break;
        CParameter *pParameter = m_parameters.at(i);
        if (channelled) {
            if (i >= channelCount() * perHeader)
                break;
            if (i % perHeader == 0)
                pHeader = appendHeaderItem(pNodeItem, channelLabel(i / perHeader));
            pHeader->appendRow(makeParameterItem(pParameter));
        } else if (toneEq) {
            if (i % 2 == 0)
                pHeader = appendHeaderItem(pNodeItem, bands.value(i));
            pHeader->appendRow(makeParameterItem(pParameter));
        } else if (automix) {
            const QString &text = pParameter->text();
            const QString headerText = text.startsWith(QLatin1String("Mic"))
                                           ? inputLabelAt(labelChannelIndex(text)) : text;
            appendHeaderItem(pNodeItem, headerText)->appendRow(makeParameterItem(pParameter));
        } else {
            pNodeItem->appendRow(makeParameterItem(pParameter));
        }
    }
}

QStandardItem *HNode::addModelItems(QStandardItemModel *pModel, const QString &text)
{
    if (!pModel || !m_pParent)
        return nullptr;
    return HModelItems::of(pModel)->itemOf(nodeAddress(m_pParent), text);
}

QStandardItem *HNode::uniqueModelItem(QStandardItemModel *pModel, const QString &text) const
{
    if (!pModel || !m_pParent)
        return nullptr;
    return HModelItems::of(pModel)->uniqueItem(text);
}

HNode *HNode::findDesignCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    if (!pTree->collect(category(), &candidates))
        return nullptr;
    HNode *pFound = nullptr;
    for (HNode *pNode : std::as_const(candidates)) {
        if (!pNode || pNode->m_sTitle != m_sTitle || (skipSeen && pNode->hasFlags(FlagSeen)))
            continue;
        if (m_nNodeId < 1) {
            if (pNode->m_sLabel == m_sLabel)
                return pNode;
        } else if (pNode->m_nNodeId == m_nNodeId) {
            pFound = pNode;
        }
    }
    return pFound;
}

// ---------------------------------------------------------------- neutral defaults

void HNode::clearParameterList(QString &)
{
}

bool HNode::prepareControl(const QString &, MModel *)
{
    return true;
}

bool HNode::addNode(HNode *pNode)
{
    qCDebug(lcHardware).noquote() << QStringLiteral("Adding node: ") + (pNode ? pNode->m_sLabel : QString());
    return false;
}

void HNode::moveChildToBack(HNode *)
{
}

HNode *HNode::childAt(int) const
{
    return nullptr;
}

void HNode::attachRoomCombiner(HNode *)
{
}

void HNode::importRooms(HNode *, const QString &)
{
}

void HNode::setupRoomCombiner(HRCGroupInfo *)
{
}

void HNode::setRCGroupName(int, const QString &)
{
}

void HNode::createRooms(HNodeFactory *, bool)
{
}

void HNode::controlClicked()
{
}

QString HNode::roomColor(int) const
{
    return QStringLiteral("black");
}

int HNode::selectedIndex() const
{
    return 0;
}

void HNode::setSelectedIndex(int)
{
}

QStringList HNode::comboColorList() const
{
    return QStringList();
}

void HNode::combinedRoomNames(int, QStringList &) const
{
}

bool HNode::isQueryPending() const
{
    return false;
}

QString HNode::queryCommand()
{
    return QString();
}

void HNode::processResponse(const QString &)
{
}

QString HNode::replyText() const
{
    return QString();
}

void HNode::setProtocol(PProtocol *pProtocol)
{
    m_pProtocol = pProtocol;
}

HNode *HNode::resolveNode(HNode *, HNode *pActive)
{
    return pActive;
}

QString HNode::channelLabel(int) const
{
    return QString();
}

int HNode::channelNumber(int) const
{
    return -1;
}

QString HNode::parameterFilePath(const QString &) const
{
    QString title = m_sTitle;
    title.remove(QLatin1Char(' '));
    return QStringLiteral(":/data/") + dataFolder() + QLatin1Char('/') + title + QLatin1Char('_')
           + m_sTypeNum + QStringLiteral(".xml");
}

QString HNode::dataFolder() const
{
    return m_pParent ? m_pParent->dataFolder() : QString();
}

HNode *HNode::findCounterpart(HNode *pTree, bool skipSeen) const
{
    if (!pTree)
        return nullptr;
    QList<HNode *> candidates;
    pTree->collect(category(), &candidates);
    for (HNode *pNode : std::as_const(candidates)) {
        if (skipSeen && pNode->hasFlags(FlagSeen))
            continue;
        if (pNode->m_nNodeId == m_nNodeId && pNode->m_sTitle == m_sTitle
            && pNode->m_sTypeNum == m_sTypeNum && pNode->m_nIndex == m_nIndex)
            return pNode;
    }
    return nullptr;
}

void HNode::connectNodeSignals(QObject *pReceiver)
{
    if (!pReceiver)
        return;
    connect(this, SIGNAL(removingNode(HNode*)), pReceiver, SLOT(onRemovingNode(HNode*)),
            Qt::UniqueConnection);
}

QString HNode::category() const
{
    return QString();
}

void HNode::setParent(HNode *pParent)
{
    m_pParent = pParent;
}

bool HNode::parameterSetLists(QStringList &, QList<int> &) const
{
    return false;
}

bool HNode::labelList(QStringList &) const
{
    return false;
}

int HNode::channelCount() const
{
    return 0;
}

int HNode::channelIndexOfLabel(const QString &) const
{
    return -1;
}
