#include "xml/XControlHandler.h"

#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MProject.h"
#include "utility/LogCategories.h"
#include "utility/UArchive.h"

#include <QDebug>
#include <QStringList>

namespace {

const QString kControl = QStringLiteral("Control");
const QString kControls = QStringLiteral("Controls");
const QString kVersion = QStringLiteral("Version");
const QString kScene = QStringLiteral("Scene");
const QString kScenes = QStringLiteral("Scenes");
const QString kPanel = QStringLiteral("Panel");
const QString kPanels = QStringLiteral("Panels");
const QString kConnection = QStringLiteral("Connection");
const QString kConnections = QStringLiteral("Connections");
const QString kProject = QStringLiteral("Project");
const QString kCanvas = QStringLiteral("Canvas");
const QString kProperty = QStringLiteral("Property");
const QString kWidget = QStringLiteral("widget");
const QString kAttributes = QStringLiteral("attributes");
const QString kChassis = QStringLiteral("Chassis");
const QString kKeySeparator = QStringLiteral("|||");

bool isLayoutSpace(QChar c)
{
    return c.isSpace() && c != QLatin1Char(' ');
}

} // namespace

XControlHandler::XControlHandler()
    : m_pHardwareRoot(nullptr)
    , m_pTemplateNode(nullptr)
    , m_pReceiver(nullptr)
    , m_pActiveControl(nullptr)
    , m_pActiveChassis(nullptr)
    , m_pCurrentScene(nullptr)
    , m_pCurrentPanel(nullptr)
    , m_sBlockName(QStringLiteral("uninitialized"))
    , m_nNodeId(-1)
    , m_pProject(nullptr)
    , m_pCanvas(nullptr)
    , m_nSectionDepth(-1)
    , m_bInferPanelType(false)
{
}

XControlHandler::~XControlHandler() = default;

// ---------------------------------------------------------------- document

bool XControlHandler::startDocument()
{
    m_pCurrentScene = m_pReceiver;
    m_pCurrentPanel = m_pReceiver;
    m_bInSection = false;
    m_nDepth = 0;
    m_nSectionDepth = -1;
    m_pActiveControl = nullptr;
    m_pActiveChassis = nullptr;
    m_sPropertyName.clear();
    m_sText.clear();
    m_bInferPanelType = false;
    return true;
}

bool XControlHandler::endDocument()
{
    return true;
}

bool XControlHandler::processingInstruction(const QString &, const QString &)
{
    return true;
}

bool XControlHandler::fatalError(const QXmlParseException &exception)
{
    reportFatalError(exception);
    return false;
}

// ---------------------------------------------------------------- sections

void XControlHandler::beginSection(const QString &name)
{
    m_bInSection = true;
    m_sSection = name;
    m_nSectionDepth = m_nDepth;
}

void XControlHandler::endSection()
{
    m_bInSection = false;
    m_sSection.clear();
    m_sPropertyName.clear();
    m_nSectionDepth = -1;
    m_pActiveControl = nullptr;
    m_pActiveChassis = nullptr;
}

// ---------------------------------------------------------------- start tags

bool XControlHandler::startElement(const QString &, const QString &localName, const QString &,
                                   const QXmlAttributes &attributes)
{
    // Text before a child element belongs to no value.
    m_sText.clear();
    pushElement(localName);
    const QString parent = parentElement();
    if (localName == kControl) {
        if (parent == kControls)
            startControl(attributes);
    } else if (localName == kVersion) {
        beginSection(kVersion);
    } else if (localName == kScene) {
        if (parent == kScenes)
            startScene(attributes);
    } else if (localName == kPanel) {
        if (parent == kPanels)
            startPanel(attributes);
    } else if (localName == kConnection) {
        if (parent == kConnections)
            startConnection(attributes);
    } else if (localName == kProject) {
        beginSection(kProject);
    } else if (localName == kCanvas) {
        beginSection(kCanvas);
        if (m_pCanvas)
            m_pCanvas->resetDevice();
    } else if (localName == kProperty && m_bInSection) {
        m_sPropertyName = attributeValue(attributes, QStringLiteral("name"));
    }
    return true;
}

// Controls of other names are skipped with all their content.
void XControlHandler::startControl(const QXmlAttributes &attributes)
{
    const QString name = attributeValue(attributes, QStringLiteral("name"));
    if (!m_sControlName.isEmpty() && name != m_sControlName)
        return;
    if (!m_pCurrentPanel)
        return;
    beginSection(kControl);
    auto *pControl = new CControl;
    pControl->setContextObject(m_pReceiver ? m_pReceiver->model() : nullptr);
    pControl->setKind(kControl);
    pControl->setName(name);
    pControl->setType(attributeValue(attributes, QStringLiteral("type")));
    if (m_pTemplateNode)
        pControl->setNode(m_pTemplateNode);
    m_pCurrentPanel->addChild(pControl);
    m_pActiveControl = pControl;
}

void XControlHandler::startScene(const QXmlAttributes &attributes)
{
    if (!m_pReceiver)
        return;
    m_pReceiver->setType(kScenes);
    auto *pScene = new CComposite;
    pScene->setContextObject(m_pReceiver->model());
    pScene->setKind(kScene);
    pScene->setName(attributeValue(attributes, QStringLiteral("name")));
    m_pReceiver->addChild(pScene);
    m_pCurrentScene = pScene;
}

void XControlHandler::startPanel(const QXmlAttributes &attributes)
{
    if (!m_pCurrentScene)
        return;
    auto *pPanel = new CComposite;
    pPanel->setContextObject(m_pCurrentScene->model());
    pPanel->setKind(kPanel);
    pPanel->setName(attributeValue(attributes, QStringLiteral("name")));
    const QString type = attributeValue(attributes, QStringLiteral("type"));
    // An untyped panel is classified by its controls, which are not read yet.
    m_bInferPanelType = type.isEmpty();
    if (!m_bInferPanelType)
        pPanel->setPanelType(type);
    m_pCurrentScene->addChild(pPanel);
    m_pCurrentPanel = pPanel;
}

void XControlHandler::startConnection(const QXmlAttributes &attributes)
{
    beginSection(kConnection);
    if (!m_pHardwareRoot)
        return;
    const QString name = attributeValue(attributes, QStringLiteral("name"));
    HNode *pChassis = findChassis(kChassis, name);
    m_pActiveChassis = pChassis ? pChassis : addChassis(name);
}

// A processor the tree does not hold. One named by its node ID keeps that ID,
// so that the controls naming it find it and are written with it again.
HNode *XControlHandler::addChassis(const QString &name)
{
    auto *pChassis = new HChassis;
    pChassis->setLabel(name);
    const QStringList parts = name.split(kKeySeparator);
    if (parts.size() == 2 && parts.first() == kChassis)
        pChassis->setNodeId(parts.last().toInt());
    if (m_pHardwareRoot->addNode(pChassis))
        return pChassis;
    delete pChassis;
    return nullptr;
}

HNode *XControlHandler::findChassis(const QString &category, const QString &name) const
{
    if (!m_pHardwareRoot)
        return nullptr;
    const QStringList parts = name.split(kKeySeparator);
    if (parts.size() == 2 && parts.first() == category)
        return m_pHardwareRoot->findByCategoryAndId(category, parts.last().toInt());
    return m_pHardwareRoot->findByCategoryAndAttribute(category, QStringLiteral("label"), name);
}

// ---------------------------------------------------------------- text

bool XControlHandler::characters(const QString &text)
{
    if (m_bInSection)
        m_sText += text;
    return true;
}

QString XControlHandler::prepareText(const QString &text)
{
    if (!text.contains(QLatin1Char(' ')) || text.trimmed().isEmpty())
        return text.simplified();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isLayoutSpace(text.at(first)))
        ++first;
    while (last > first && isLayoutSpace(text.at(last - 1)))
        --last;
    QString prepared;
    prepared.reserve(last - first);
    bool inRun = false;
    for (qsizetype i = first; i < last; ++i) {
        const QChar c = text.at(i);
        if (isLayoutSpace(c)) {
            if (!inRun)
                prepared += QLatin1Char(' ');
            inRun = true;
        } else {
            prepared += c;
            inRun = false;
        }
    }
    return prepared;
}

// The open element holds the text, the one below it is its parent.
void XControlHandler::handleText(const QString &text)
{
    const QString element = currentElement();
    const QString parent = parentElement();
    if (m_sPropertyName == kWidget) {
        processWidget(text);
    } else if (m_sPropertyName == kAttributes) {
        handleAttributeText(element, parent, text);
    } else if (m_sSection == kVersion) {
        if (element == QLatin1String("fileVersion"))
            m_sFileVersion = text;
    } else {
        handleControlField(element, text);
    }
}

void XControlHandler::handleAttributeText(const QString &element, const QString &parent, const QString &text)
{
    if (m_sSection == kControl) {
        if (m_pActiveControl)
            m_pActiveControl->setAttribute(parent, element, text);
    } else if (m_sSection == kConnection) {
        if (m_pActiveChassis)
            m_pActiveChassis->setProperty(element, text);
    } else if (m_sSection == kCanvas) {
        if (m_pCanvas)
            m_pCanvas->setProperty(element, text);
    } else if (m_sSection == kProject) {
        if (m_pProject)
            m_pProject->characters(parent, element, text);
    } else if (m_sSection == kVersion) {
        if (element == QLatin1String("fileVersion"))
            m_sFileVersion = text;
    }
}

void XControlHandler::handleControlField(const QString &element, const QString &text)
{
    if (element == QLatin1String("block")) {
        m_sBlockName = text;
        m_nNodeId = -1;
        m_sNodeCategory.clear();
    } else if (element == QLatin1String("nodeID")) {
        m_nNodeId = text.toInt();
    } else if (element == QLatin1String("nodeCategory")) {
        m_sNodeCategory = text;
    } else if (element == QLatin1String("id")) {
        if (m_pActiveControl)
            m_pActiveControl->setId(qint32(text.toUInt()));
    } else if (element == QLatin1String("connection")) {
        resolveNode(text);
    }
}

void XControlHandler::processWidget(const QString &text)
{
    if (!m_pActiveControl) {
        qCDebug(lcXml).noquote() << QStringLiteral("m_pActiveControl not defined while trying to processWidget( ") + text
                                  + QLatin1Char(')');
        return;
    }
    const QString widget = parentElement();
    const QString name = currentElement();
    if (m_pRefusedImages && isImageSetting(name, widget) && !UArchive::instance()->acceptsProjectImage(text)) {
        m_pRefusedImages->append(text);
        return;
    }
    m_pActiveControl->createPrototype(widget, name, text);
}

bool XControlHandler::isImageSetting(QStringView name, QStringView widget)
{
    if (name == u"onimage" || name == u"offimage" || name == u"partialImage" || name == u"imagepath")
        return true;
    return name == u"path" && (widget == u"image" || widget == u"meterimage");
}

// A control names its node by processor, node ID and category, or failing
// those by the block's label.
void XControlHandler::resolveNode(const QString &connection)
{
    if (!m_pActiveControl || !m_pHardwareRoot)
        return;
    HNode *pProcessor = findChassis(kChassis, connection);
    HNode *pNode = pProcessor ? findOrAddNode(pProcessor) : nullptr;
    if (!pNode)
        return;
    // A selector group found by its ID keeps the design's name, even when an
    // older save wrote its target's name as the block.
    m_pActiveControl->setNode(pNode);
    pNode->setChecked(true);
    pNode->initNode();
}

// A block the processor lacks is made for the control, with the ID it was
// written with, so that the next save writes the control's binding unchanged.
HNode *XControlHandler::findOrAddNode(HNode *pProcessor)
{
    HNode *pNode = nullptr;
    if (m_nNodeId > 0 && !m_sNodeCategory.isEmpty())
        pNode = pProcessor->findByCategoryAndId(m_sNodeCategory, m_nNodeId);
    if (!pNode)
        pNode = pProcessor->findByAttribute(QStringLiteral("label"), m_sBlockName);
    if (pNode)
        return pNode;
    auto *pBlock = new HBlock;
    pBlock->setLabel(m_sBlockName);
    if (m_nNodeId > 0)
        pBlock->setNodeId(m_nNodeId);
    if (pProcessor->addNode(pBlock))
        return pBlock;
    delete pBlock;
    return nullptr;
}

// ---------------------------------------------------------------- end tags

bool XControlHandler::endElement(const QString &, const QString &localName, const QString &)
{
    if (m_bInSection) {
        const QString text = prepareText(m_sText);
        if (!text.isEmpty())
            handleText(text);
    }
    m_sText.clear();
    const bool endsSection = m_bInSection && m_nDepth == m_nSectionDepth;
    popElement();
    if (localName == kScene && currentElement() == kScenes) {
        m_pCurrentScene = m_pReceiver;
    } else if (localName == kPanel && currentElement() == kPanels) {
        endPanel();
    } else if (endsSection) {
        endSection();
    } else if (m_bInSection && currentElement() == kProperty) {
        endPropertyChild(localName);
    }
    return true;
}

void XControlHandler::endPanel()
{
    auto *pPanel = m_pCurrentPanel;
    if (pPanel && pPanel != m_pCurrentScene && m_bInferPanelType)
        pPanel->setPanelType(QString());
    m_bInferPanelType = false;
    m_pCurrentPanel = m_pCurrentScene;
}

// A widget, a binding record or one connection or canvas setting is complete.
void XControlHandler::endPropertyChild(const QString &name)
{
    if (m_sPropertyName == kWidget) {
        if (m_pActiveControl)
            m_pActiveControl->finishWidget(name);
    } else if (m_sPropertyName == kAttributes) {
        if (m_sSection == kControl) {
            if (m_pActiveControl)
                m_pActiveControl->updateFractionDigits();
        } else if (m_sSection == kConnection) {
            if (m_pActiveChassis)
                m_pActiveChassis->propertyLoaded();
        } else if (m_sSection == kCanvas) {
            if (m_pCanvas)
                m_pCanvas->onPropertyChanged(name);
        }
    }
}
