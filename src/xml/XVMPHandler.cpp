#include "xml/XVMPHandler.h"

#include "dialogs/DMessageBox.h"
#include "hardware/HChassis.h"
#include "hardware/HComposite.h"
#include "hardware/HGroup.h"
#include "hardware/HNodeFactory.h"
#include "hardware/HParameterSet.h"
#include "hardware/HParameterSetList.h"
#include "hardware/HRCGroup.h"
#include "model/MProject.h"
#include "utility/LogCategories.h"
#include "xml/XVMPQuery.h"

#include <QDebug>
#include <QLocale>
#include <QXmlAttributes>
#include <QXmlStreamReader>

namespace {

const QString NodeSection = QStringLiteral("Node");
const QString AssignmentSection = QStringLiteral("Assignment");
const QString AssignSection = QStringLiteral("Assign");

} // namespace

XVMPHandler::XVMPHandler()
    : m_pFactory(new HNodeFactory)
{
}

XVMPHandler::~XVMPHandler()
{
    // A parse that stopped inside a section leaves its node unattached.
    delete m_pParsedNode;
}

void XVMPHandler::setRawBytes(const QByteArray &bytes)
{
    m_rawBytes = bytes;
    m_pQuery.reset();
}

XVMPQuery *XVMPHandler::query()
{
    if (!m_pQuery)
        m_pQuery.reset(new XVMPQuery(m_rawBytes));
    return m_pQuery.data();
}

QString XVMPHandler::refusalTitle()
{
    return tr("Open Velmora Designer File Error");
}

QString XVMPHandler::refusalText(const QString &version)
{
    return tr("Velmora Viviza builder cannot open this file. (version: ") + version
           + tr(")\n\nVelmora Designer files saved in a version earlier than Velmora v4.2 can't be opened. "
                "If your file is from an earlier version, please visit %1 to download the latest version "
                "of Velmora Designer.\n\nOnce you have installed the latest version of Velmora Designer, "
                "open the design file and re-save it. This will update the file to the newest format which "
                "can then be opened in Velmora Viviza builder. Also ensure that your system devices have "
                "been updated to the latest firmware (System->Update Firmware). ")
                 .arg(QStringLiteral("pro.velmora-audio.com"));
}

QString XVMPHandler::deepNestingText()
{
    return tr("The design file was not imported: its elements are nested more than %1 levels deep "
              "outside a logic view.")
        .arg(MaxKeptLevels);
}

// The depth rule of startElement, over the whole file before any node is
// built: stopping half-way would leave the tree half imported. The design
// tool declares Windows-1252; element and attribute names are ASCII, so a
// Latin-1 reading finds them whatever the declaration says.
bool XVMPHandler::nestsTooDeep(const QByteArray &bytes)
{
    QXmlStreamReader reader;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        reader.addData(bytes);
    else
        reader.addData(QString::fromLatin1(bytes));
    QStringList open;
    int nodeDepth = 0; // the open Node of the node list; 0: none
    int skipDepth = 0; // the element whose content belongs to no node; 0: none
    bool logic = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = reader.name().toString();
            const QString parent = open.isEmpty() ? QString() : open.last();
            open.append(name);
            const int depth = int(open.size());
            if (skipDepth > 0)
                continue;
            if (depth > MaxKeptLevels)
                return true;
            if (nodeDepth > 0) {
                if (name == NodeSection || (name == QLatin1String("LogicView") && logic))
                    skipDepth = depth;
                else if (name == QLatin1String("Property")
                         && reader.attributes().value(QLatin1String("name")) == QLatin1String("title"))
                    logic = reader.attributes().value(QLatin1String("value")) == QLatin1String("Logic");
            } else if (name == NodeSection && parent == QLatin1String("Nodes")) {
                nodeDepth = depth;
                logic = false;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const int depth = int(open.size());
            if (depth == skipDepth)
                skipDepth = 0;
            if (depth == nodeDepth)
                nodeDepth = 0;
            if (!open.isEmpty())
                open.removeLast();
        }
    }
    // A file the reader gives up on is left to the import, which reports it.
    return false;
}

bool XVMPHandler::refuseDeepNesting(const QByteArray &bytes)
{
    if (!nestsTooDeep(bytes))
        return false;
    qCWarning(lcXml).noquote()
        << QStringLiteral("XVMPHandler - elements nested deeper than %1 levels; import refused").arg(MaxKeptLevels);
    DMessageBox::warning(nullptr, refusalTitle(), deepNestingText());
    return true;
}

bool XVMPHandler::startDocument()
{
    m_bInSection = false;
    m_nMode = ModeNone;
    m_nDepth = 0;
    setParsedNode(nullptr);
    m_pAssignTarget = nullptr;
    m_pActiveChassis = nullptr;
    m_pMainProcessor = nullptr;
    return true;
}

bool XVMPHandler::endDocument()
{
    return true;
}

bool XVMPHandler::characters(const QString &)
{
    return true;
}

// ---------------------------------------------------------------- sections

void XVMPHandler::openSection(Mode mode, const QString &name, int closingDepth)
{
    m_bInSection = mode != ModeProjectInfo;
    m_nMode = mode;
    m_sSection = name;
    m_nSectionDepth = closingDepth;
}

void XVMPHandler::closeSection()
{
    m_bInSection = false;
    m_nMode = ModeNone;
    m_sSection.clear();
    m_nSectionDepth = 0;
}

void XVMPHandler::setParsedNode(HNode *pNode)
{
    if (m_pParsedNode && m_pParsedNode != pNode) {
        qCDebug(lcXml).noquote() << QStringLiteral("XVMPHandler - section left unfinished, dropping node ")
                                  + m_pParsedNode->label();
        delete m_pParsedNode;
    }
    m_pParsedNode = pNode;
}

void XVMPHandler::removeUnmarked()
{
    if (auto *pRoot = qobject_cast<HComposite *>(m_pRoot))
        pRoot->removeUnmarked();
}

void XVMPHandler::dropUnassignedRooms()
{
    QList<HNode *> groups;
    if (!m_pRoot)
        return;
    m_pRoot->collectByCategory(HRCGroup::tr("RCGroups"), &groups);
    for (HNode *pNode : std::as_const(groups)) {
        auto *pGroup = qobject_cast<HRCGroup *>(pNode);
        if (pGroup && !m_roomsMade.contains(pGroup))
            pGroup->dropRooms();
    }
}

namespace {

QString attachedKey(const QString &category, const QString &id)
{
    return category + QChar(0x1f) + id;
}

} // namespace

HNode *XVMPHandler::findInRoot(const QString &category, const QString &id) const
{
    // Both give the first in file order: merged and new nodes stand in it.
    const HNode *pKnown = m_attached.value(attachedKey(category, id));
    if (pKnown && pKnown->category() == category && pKnown->idText() == id)
        return const_cast<HNode *>(pKnown);
    return m_pRoot ? m_pRoot->findByCategoryAndAttribute(category, QStringLiteral("id"), id) : nullptr;
}

void XVMPHandler::remember(HNode *pNode)
{
    if (pNode->idText().isEmpty())
        return;
    const QString key = attachedKey(pNode->category(), pNode->idText());
    if (!m_attached.value(key))
        m_attached.insert(key, pNode);
}

// ---------------------------------------------------------------- elements

bool XVMPHandler::startElement(const QString &, const QString &localName, const QString &,
                               const QXmlAttributes &attributes)
{
    pushElement(localName);
    const int depth = m_nDepth;
    // Deep content that belongs to no node (a skipped view or nested node) is
    // only counted; anywhere else the importer would misread it, so it stops.
    if (depth > MaxKeptLevels && m_nSkipDepth == 0) {
        qCWarning(lcXml).noquote() << QStringLiteral("XVMPHandler - elements nested deeper than %1 levels; import stopped")
                                    .arg(MaxKeptLevels);
        DMessageBox::warning(nullptr, refusalTitle(), deepNestingText());
        return false;
    }
    const bool skipping = m_nSkipDepth > 0;
    if (!skipping && m_pParsedNode && m_sSection == NodeSection) {
        // The contents of a Logic node's view, and any node nested in a node,
        // belong to no node of the tree.
        const bool logicView = localName == QLatin1String("LogicView")
                               && m_pParsedNode->title() == QLatin1String("Logic");
        if (logicView || localName == NodeSection) {
            m_nSkipDepth = depth;
            return true;
        }
    }

    if (localName == QLatin1String("Project") || localName == QLatin1String("ProjectInfo"))
        return processProjectInfo(localName, attributes);
    if (localName == QLatin1String("Nodes") && m_bReload && !skipping && !m_bMarksCleared) {
        // Once, at the design's node list: every node is unseen until read again.
        m_bMarksCleared = true;
        if (m_pRoot)
            m_pRoot->clearReloadFlag(false);
    }
    if (localName == NodeSection && !skipping) {
        processNode(attributes);
        return true;
    }
    if (localName == QLatin1String("Group")) {
        processGroup(attributes);
        return true;
    }
    if (localName == QLatin1String("RCGroup")) {
        processRCGroup(attributes);
        return true;
    }
    if (localName == QLatin1String("ParameterSet")) {
        processParamSet(attributes);
        return true;
    }
    if (localName == QLatin1String("PanelList")) {
        processPanelList(attributes);
        return true;
    }
    if (localName == AssignmentSection && m_bReload && !skipping)
        removeUnmarked();

    if (skipping)
        return true;
    if (m_nMode == ModeProjectInfo)
        return m_pProject ? m_pProject->startElement(localName, attributes) : true;
    if (m_nMode == ModeList)
        return processAssignment(localName, attributes);
    if (m_nMode == ModeNode)
        return processNodeProperty(localName, attributes);
    return true;
}

bool XVMPHandler::endElement(const QString &, const QString &localName, const QString &)
{
    const int depth = m_nDepth;
    popElement();
    if (m_nSkipDepth > 0 && depth == m_nSkipDepth) {
        m_nSkipDepth = 0;
        return true;
    }
    if (localName == QLatin1String("Project") && m_bReload) {
        dropUnassignedRooms();
        removeUnmarked();
        return true;
    }
    if (localName != m_sSection || depth != m_nSectionDepth) {
        if (m_nMode == ModeList && localName == QLatin1String("PanelList")) {
            closeSection();
            m_pCurrentList = nullptr;
        }
        return true;
    }
    if (m_pParsedNode)
        attachParsedNode();
    if (!(m_nMode == ModeList && localName == AssignSection && m_pCurrentList))
        closeSection();
    m_pAssignTarget = nullptr;
    return true;
}

// ---------------------------------------------------------------- element handlers

bool XVMPHandler::processProjectInfo(const QString &name, const QXmlAttributes &attributes)
{
    if (name == QLatin1String("ProjectInfo")) {
        openSection(ModeProjectInfo, name, m_nDepth);
        return true;
    }
    const QString version = attributeValue(attributes, QStringLiteral("version"));
    bool ok = false;
    const double number = QLocale::c().toDouble(version.trimmed(), &ok);
    if (ok && number >= MinimumVersion)
        return true;
    DMessageBox::warning(nullptr, refusalTitle(), refusalText(version));
    return false;
}

void XVMPHandler::processNode(const QXmlAttributes &attributes)
{
    if (parentElement() != QLatin1String("Nodes"))
        return;
    openSection(ModeNode, NodeSection, m_nDepth);
    QString typeName = attributeValue(attributes, QStringLiteral("className"));
    typeName.remove(QStringLiteral("Harlo.Creator.Nodes."));
    typeName.remove(QStringLiteral("Devices."));
    HNode *pNode = m_pFactory->createNode(typeName, attributeValue(attributes, QStringLiteral("cardType")));
    setParsedNode(pNode);
    if (!pNode)
        return;
    pNode->setTypeNum(attributeValue(attributes, QStringLiteral("typeNumber")));
    bool ok = false;
    const int port = attributeValue(attributes, QStringLiteral("portIndex")).toInt(&ok, 10);
    pNode->setPortIndex(ok ? port : 0);
    pNode->clearFlags(HNode::FlagRemovable);
    const int pin = attributeValue(attributes, QStringLiteral("pinIndex")).toInt(&ok, 10);
    if (ok)
        pNode->setPinIndex(pin);
}

void XVMPHandler::processGroup(const QXmlAttributes &attributes)
{
    const QString parent = parentElement();
    const QString id = attributeValue(attributes, QStringLiteral("id"));
    if (parent == QLatin1String("Groups")) {
        openSection(ModeNode, QStringLiteral("Group"), m_nDepth);
        HNode *pGroup = m_pFactory->createNode(QStringLiteral("Group"), QString());
        setParsedNode(pGroup);
        pGroup->setIdText(id);
        if (m_bAmpCheck)
            pGroup->setAmpTitles(query()->findGroupAmpTitles(id));
    } else if (parent == AssignmentSection) {
        openSection(ModeNode, AssignmentSection, m_nDepth - 1);
        setParsedNode(nullptr);
        m_pAssignTarget = findInRoot(HGroup::tr("Groups"), id);
        if (m_pAssignTarget)
            m_pAssignTarget->clearFlags(HNode::FlagRemovable);
    }
}

void XVMPHandler::processRCGroup(const QXmlAttributes &attributes)
{
    const QString parent = parentElement();
    const QString id = attributeValue(attributes, QStringLiteral("id"));
    if (parent == QLatin1String("RCGroups")) {
        openSection(ModeNode, QStringLiteral("RCGroup"), m_nDepth);
        HNode *pGroup = m_pFactory->createNode(QStringLiteral("RCGroup"), QString());
        setParsedNode(pGroup);
        if (pGroup)
            pGroup->setIdText(id);
    } else if (parent == AssignmentSection) {
        bool ok = false;
        if (id.toInt(&ok) <= 0 || !ok)
            return;
        if (m_pMainProcessor && m_pRoot)
            m_pRoot->importRooms(m_pMainProcessor, id);
        if (HNode *pGroup = findInRoot(HRCGroup::tr("RCGroups"), id)) {
            pGroup->createRooms(m_pFactory.data(), m_bReload);
            m_roomsMade.insert(pGroup);
        }
    }
}

void XVMPHandler::processParamSet(const QXmlAttributes &attributes)
{
    const QString parent = parentElement();
    const QString id = attributeValue(attributes, QStringLiteral("id"));
    if (parent == QLatin1String("ParameterSets")) {
        openSection(ModeNode, QStringLiteral("ParameterSet"), m_nDepth);
        HNode *pSet = m_pFactory->createNode(QStringLiteral("ParameterSet"), QString());
        setParsedNode(pSet);
        if (pSet)
            pSet->setIdText(id);
        else
            qCDebug(lcXml) << "Failed to create HParameterSet";
    } else if (parent == AssignmentSection) {
        openSection(ModeNode, AssignmentSection, m_nDepth - 1);
        setParsedNode(nullptr);
        m_pAssignTarget = findInRoot(HParameterSet::tr("ParameterSets"), id);
        if (m_pAssignTarget)
            m_pAssignTarget->clearFlags(HNode::FlagRemovable);
    }
}

void XVMPHandler::processPanelList(const QXmlAttributes &attributes)
{
    const QString parent = parentElement();
    const QString id = attributeValue(attributes, QStringLiteral("id"));
    if (parent == QLatin1String("ParameterSetLists")) {
        openSection(ModeList, QStringLiteral("PanelList"), m_nDepth);
        HNode *pList = m_pFactory->createNode(QStringLiteral("PanelList"), QString());
        setParsedNode(pList);
        if (pList)
            pList->setIdText(id);
    } else if (parent == AssignmentSection) {
        // Its Assign children end the section only when no list was found.
        openSection(ModeList, AssignSection, m_nDepth + 1);
        setParsedNode(nullptr);
        HNode *pFound = findInRoot(HParameterSetList::tr("ParameterSetLists"), id);
        m_pCurrentList = qobject_cast<HParameterSetList *>(pFound);
        if (pFound)
            pFound->clearFlags(HNode::FlagRemovable);
    }
}

bool XVMPHandler::processNodeProperty(const QString &name, const QXmlAttributes &attributes)
{
    if (name == QLatin1String("Property")) {
        if (m_pParsedNode)
            m_pParsedNode->parseAttributes(attributes);
    } else if (name == AssignSection) {
        if (m_pAssignTarget)
            m_pAssignTarget->parseChildAttributes(attributes, m_bReload);
    }
    return true;
}

bool XVMPHandler::processAssignment(const QString &name, const QXmlAttributes &attributes)
{
    if (name == QLatin1String("Property")) {
        if (m_pParsedNode)
            m_pParsedNode->parseAttributes(attributes);
    } else if (name == AssignSection) {
        const QString target = attributeValue(attributes, QStringLiteral("targetID"));
        if (m_pCurrentList)
            m_pCurrentList->addParameterSet(target);
    }
    return true;
}

// ---------------------------------------------------------------- attaching

void XVMPHandler::attachParsedNode()
{
    HNode *pNode = m_pParsedNode;
    m_pParsedNode = nullptr;
    if (!pNode->initNode()) {
        // A refused processor takes the nodes that follow it along.
        if (pNode->hasFlags(HNode::FlagProcessor))
            m_pActiveChassis = nullptr;
        delete pNode;
        return;
    }
    if (pNode->hasFlags(HNode::FlagProcessor))
        attachProcessor(pNode);
    else
        attachChild(pNode);
}

void XVMPHandler::attachProcessor(HNode *pNode)
{
    const bool main = pNode->hasFlags(HNode::FlagProcessor | HNode::FlagMainProcessor);
    if (pNode->title().contains(QLatin1String("AZR"))) {
        qCDebug(lcXml) << "Found AZR. Activating Group/Chassis check.";
        m_bAmpCheck = true;
    }
    HNode *pExisting = (m_bReload && m_pRoot) ? pNode->findCounterpart(m_pRoot, true) : nullptr;
    if (pExisting) {
        // The kept processor stands where the new file puts it.
        m_pRoot->moveChildToBack(pExisting);
        pExisting->copyFrom(pNode);
        delete pNode;
        pNode = pExisting;
        if (auto *pChassis = qobject_cast<HChassis *>(pNode))
            pChassis->registry()->clearRooms();
    } else if (!m_pRoot || !m_pRoot->addNode(pNode)) {
        qCDebug(lcXml).noquote() << QStringLiteral("XVMPHandler - processor not taken: ") + pNode->label();
        delete pNode;
        m_pActiveChassis = nullptr;
        return;
    }
    pNode->setFlags(HNode::FlagSeen);
    m_pActiveChassis = pNode;
    if (main)
        m_pMainProcessor = pNode;
}

void XVMPHandler::attachChild(HNode *pNode)
{
    if (!m_pActiveChassis) {
        qCDebug(lcXml) << "ActiveChassis is null. Deleting parsed node.";
        delete pNode;
        return;
    }
    HNode *pTarget = pNode->resolveNode(m_pMainProcessor, m_pActiveChassis);
    if (!pTarget) {
        qCDebug(lcXml) << "Failed to select chassis to attach node.";
        delete pNode;
        return;
    }
    HNode *pExisting = m_bReload ? pNode->findCounterpart(pTarget, true) : nullptr;
    if (pExisting) {
        pTarget->moveChildToBack(pExisting);
        pExisting->copyFrom(pNode);
        delete pNode;
        pNode = pExisting;
    } else if (!pTarget->addNode(pNode)) {
        qCDebug(lcXml).noquote() << QStringLiteral("XVMPHandler - node not taken: ") + pNode->label();
        delete pNode;
        return;
    }
    pNode->setFlags(HNode::FlagSeen);
    remember(pNode);
    pTarget->attachRoomCombiner(pNode);
}
