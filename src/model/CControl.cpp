#include "model/CControl.h"

#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CTransformIndex.h"
#include "model/MModel.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "transforms/TTransformFactory.h"
#include "utility/LogCategories.h"
#include "utility/UNumbers.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QSettings>

namespace {

// Links up to this value name a widget of the same element; links above
// LinkParentBase name a widget under the parent; LinkParentBase itself names none.
constexpr quint32 LinkOwnLast = 0x7FFF;
constexpr quint32 LinkParentBase = 0x8000;

} // namespace

CControl::CControl()
    : m_pModel(nullptr)
    , m_id(WDelegate::instance()->nextId())
    , m_bPollActive(false)
    , m_mode(ModeNormal)
    , m_minHeight(DefaultMinimumSize)
    , m_minWidth(DefaultMinimumSize)
    , m_bLayoutLocked(false)
    , m_bHorizontal(false)
    , m_bHoldsTransformUse(false)
    , m_bListed(false)
{
    m_attributes.setOwner(this);
}

// Frees only the list of widgets: their QML items are cleared by clear().
CControl::~CControl()
{
    releaseTransform();
    // A node outside the hardware tree belongs to the control bound to it.
    if (m_pNode && !m_pNode->parentNode())
        delete m_pNode.data();
}

CComposite *CControl::parentComposite() const
{
    return m_pParent;
}

void CControl::setParentComposite(CComposite *pParent)
{
    m_pParent = pParent;
}

HNode *CControl::node() const
{
    return m_pNode;
}

TTransform *CControl::transform() const
{
    return m_pTransform;
}

// ---------------------------------------------------------------- initialisation and binding

void CControl::initialize()
{
    linkOwnWidgets();
    if (m_pParent) {
        linkWidgetsUnderParent();
        giveChildControls();
    }
    bindWidgets();
    bindProtocol();
    requestState();
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->refresh();
    }
}

// Link 0 means "no link": it must not find the widgets whose id is 0.
void CControl::linkOwnWidgets()
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (!pWidget || pWidget->widgetId() == 0)
            continue;
        const quint32 link = pWidget->link();
        if (link == 0 || link > LinkOwnLast)
            continue;
        WWidget *pTarget = widgetById(link);
        if (pTarget && pTarget != pWidget)
            pWidget->setLinkedWidget(pTarget);
    }
}

void CControl::linkWidgetsUnderParent()
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (!pWidget || pWidget->widgetId() == 0 || pWidget->link() <= LinkParentBase)
            continue;
        WWidget *pTarget = m_pParent->widgetById(pWidget->link());
        if (pTarget && pTarget != pWidget)
            pWidget->setLinkedWidget(pTarget);
    }
}

// A widget whose id is an element id holds that element (a drop site).
void CControl::giveChildControls()
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (!pWidget || pWidget->widgetId() == 0)
            continue;
        if (CControl *pChild = m_pParent->findById(qint32(pWidget->widgetId())))
            pWidget->setChildControl(pChild);
    }
}

void CControl::bindWidgets()
{
    attachTransform();
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (!pWidget)
            continue;
        pWidget->setTransform(m_pTransform);
        pWidget->setupFromParameter(&m_attributes);
    }
}

void CControl::bindProtocol()
{
    if (!m_pNode)
        return;
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setProtocol(m_pNode->protocol());
    }
}

void CControl::clearWidgets()
{
    if (m_pNode)
        m_pNode->setChecked(false);
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (!pWidget)
            continue;
        pWidget->unbindNode();
        if (QObject *pItem = pWidget->widget())
            pItem->deleteLater();
    }
    m_widgets.clear();
    discardPrototype();
}

// A widget left half-read by a broken file never joined the list.
void CControl::discardPrototype()
{
    if (!m_pPrototype)
        return;
    QObject *pItem = m_pPrototype->widget();
    (pItem ? pItem : m_pPrototype.data())->deleteLater();
    m_pPrototype = nullptr;
}

// ---------------------------------------------------------------- transform sharing

// Controls bound to the same node with the same name and type share one
// transform; the last matching entry of the registry wins.
TTransform *CControl::findSharedTransform() const
{
    TTransform *pFound = nullptr;
    CTransformIndex *pIndex = CTransformIndex::active();
    const QList<CControl *> entries = pIndex ? pIndex->sameBinding(this) : TTransformFactory().transforms();
    for (const CControl *pEntry : entries) {
        if (!pEntry || pEntry == this || !pEntry->m_pTransform)
            continue;
        if (pEntry->m_pNode.data() == m_pNode.data() && pEntry->m_name == m_name && pEntry->m_type == m_type)
            pFound = pEntry->m_pTransform;
    }
    return pFound;
}

// A node with counts of its own (channels, actions) needs a transform per control.
bool CControl::needsOwnTransform() const
{
    return m_pNode && m_pNode->hasCounts();
}

void CControl::attachTransform()
{
    if (m_pTransform || m_attributes.transform().isEmpty())
        return;
    TTransformFactory factory;
    TTransform *pTransform = needsOwnTransform() ? nullptr : findSharedTransform();
    if (!pTransform)
        pTransform = factory.createTransform(m_attributes.transform());
    if (!pTransform)
        return;
    m_pTransform = pTransform;
    takeTransformUse();
    pTransform->setAttributes(&m_attributes);
    pTransform->setNode(m_pNode);
    pTransform->configure();
    // Every user is listed, not only the creator, so that a survivor can be
    // found when any of them goes.
    if (m_bListed)
        return;
    factory.registerTransform(this);
    m_bListed = true;
    if (CTransformIndex *pIndex = CTransformIndex::active())
        pIndex->added(this);
}

void CControl::addTransformUse()
{
    takeTransformUse();
}

// A control counts at most once in its transform's use count.
void CControl::takeTransformUse()
{
    if (!m_pTransform || m_bHoldsTransformUse)
        return;
    m_pTransform->addUse();
    m_pTransform->setLive(true);
    m_bHoldsTransformUse = true;
}

bool CControl::releaseTransformUse()
{
    if (!m_pTransform || !m_bHoldsTransformUse)
        return false;
    m_bHoldsTransformUse = false;
    if (m_pTransform->releaseUse() <= 0)
        m_pTransform->setLive(false);
    return true;
}

// Taken off its composite but kept alive: the control keeps its transform and
// stays listed, so that adding it again counts it in again.
void CControl::detachTransform()
{
    if (releaseTransformUse())
        repointTransform();
}

void CControl::releaseTransform()
{
    if (m_bListed) {
        if (CTransformIndex *pIndex = CTransformIndex::active())
            pIndex->removed(this);
        TTransformFactory().unregisterTransform(this);
        m_bListed = false;
    }
    if (!m_pTransform)
        return;
    releaseTransformUse();
    repointTransform();
    TTransform *pTransform = m_pTransform;
    m_pTransform = nullptr;
    if (isTransformReferencedElsewhere(pTransform))
        return;
    pTransform->setAttributes(nullptr);
    pTransform->setNode(nullptr);
    pTransform->deleteLater();
}

// A shared transform reads the attributes of one of its users; when that is
// this control, another listed user takes its place (one that holds a use first).
void CControl::repointTransform()
{
    if (!m_pTransform || m_pTransform->attributes() != &m_attributes)
        return;
    CControl *pSurvivor = nullptr;
    const QList<CControl *> entries = listedUsers(m_pTransform);
    for (CControl *pEntry : entries) {
        if (!pEntry || pEntry == this || pEntry->m_pTransform.data() != m_pTransform.data())
            continue;
        if (!pSurvivor || (pEntry->m_bHoldsTransformUse && !pSurvivor->m_bHoldsTransformUse))
            pSurvivor = pEntry;
    }
    if (!pSurvivor)
        return;
    m_pTransform->setAttributes(&pSurvivor->m_attributes);
    m_pTransform->setNode(pSurvivor->m_pNode);
}

// The listed controls that may use the transform: its users by the active
// index, else the whole list.
QList<CControl *> CControl::listedUsers(const TTransform *pTransform)
{
    CTransformIndex *pIndex = CTransformIndex::active();
    return pIndex ? pIndex->users(pTransform) : TTransformFactory().transforms();
}

// Any other listed control that still points at the transform keeps it alive.
bool CControl::isTransformReferencedElsewhere(const TTransform *pTransform) const
{
    const QList<CControl *> entries = listedUsers(pTransform);
    for (const CControl *pEntry : entries) {
        if (pEntry && pEntry != this && pEntry->m_pTransform.data() == pTransform)
            return true;
    }
    return false;
}

void CControl::linkTransform(int phase)
{
    if (m_pTransform)
        m_pTransform->linkNext(phase);
}

// ---------------------------------------------------------------- polling and writing

bool CControl::requestState()
{
    if (m_attributes.doNotPoll() || !m_pTransform)
        return true;
    PProtocol *pProtocol = m_pNode ? m_pNode->protocol() : nullptr;
    if (pProtocol && m_pTransform->pollDue())
        pProtocol->requestValue(m_pTransform);
    return true;
}

bool CControl::writeXml(XmlWriter *pWriter)
{
    if (!pWriter)
        return true;
    pWriter->writeStartElementTyped(QStringLiteral("Control"), m_name, m_type);
    if (m_pNode) {
        pWriter->writeTextElement(QStringLiteral("block"), nodeName());
        pWriter->writeIntElement(QStringLiteral("nodeID"), m_pNode->nodeId());
        pWriter->writeTextElement(QStringLiteral("nodeCategory"), m_pNode->category());
        pWriter->writeTextElement(QStringLiteral("connection"), m_pNode->chassisKey());
    }
    pWriter->writeUIntElement(QStringLiteral("id"), quint32(m_id));
    pWriter->writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("widget"));
    auto writeKept = [&](int position) {
        for (const KeptWidget &kept : std::as_const(m_keptWidgets)) {
            if (kept.position != position)
                continue;
            pWriter->writeStartElement(kept.type);
            for (const auto &field : kept.fields)
                pWriter->writeTextElement(field.first, field.second);
            pWriter->writeEndElement(kept.type);
        }
    };
    for (int i = 0; i < m_widgets.size(); ++i) {
        writeKept(i);
        if (m_widgets.at(i))
            m_widgets.at(i)->save(pWriter);
    }
    writeKept(int(m_widgets.size()));
    pWriter->writeEndElement(QStringLiteral("Property"));
    pWriter->writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    m_attributes.writeXml(pWriter);
    pWriter->writeEndElement(QStringLiteral("Property"));
    pWriter->writeEndElement(QStringLiteral("Control"));
    return true;
}

// ---------------------------------------------------------------- geometry

QRectF CControl::bounds() const
{
    QRectF rect;
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            rect = rect.united(pWidget->geometry());
    }
    return rect;
}

void CControl::setVisible(bool visible)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setWidgetVisible(visible);
    }
}

void CControl::setScale(float factor, float, bool flag)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->scaleGeometry(factor, flag);
    }
}

// A control held by a drop site moves with the site, not on its own.
void CControl::moveBy(const QPointF &offset)
{
    if (!m_pDropSite)
        moveWidgetsBy(offset);
}

void CControl::moveWidgetsBy(const QPointF &offset)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->moveBy(offset);
    }
}

bool CControl::centerHorizontally(const QString &type, float canvasWidth)
{
    if (m_type != type)
        return false;
    const QRectF rect = bounds();
    // Wider than the canvas, centring would push part of it off the left edge.
    if (rect.width() <= canvasWidth)
        moveBy(QPointF((canvasWidth - (rect.x() + rect.width()) - rect.x()) / 2.0, 0.0));
    return true;
}

void CControl::growMinimumSize(int width, int height)
{
    m_minWidth = qMax(m_minWidth, width);
    m_minHeight = qMax(m_minHeight, height);
}

void CControl::fitToRect(QRectF &rect)
{
    if (rect.width() < m_minWidth)
        rect.setWidth(m_minWidth);
    if (rect.height() < m_minHeight)
        rect.setHeight(m_minHeight);
    const QRectF oldBounds = bounds();
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->refitToRect(oldBounds, rect);
    }
}

void CControl::setWidgetsGeometry(const QRectF &rect)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->fitToRect(rect);
    }
}

void CControl::resizeWidgets(const QPointF &point, int index, int state)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->reshape(point, index, state);
    }
}

void CControl::saveLayout()
{
    if (m_bLayoutLocked)
        return;
    const QRectF rect = bounds();
    const double scale = m_pModel ? m_pModel->viewScale() : 1.0;
    const int width = int(rect.width() / scale);
    const int height = int(rect.height() / scale);
    QSettings().setValue(QStringLiteral("Layout/") + m_type, QStringLiteral("%1x%2").arg(width).arg(height));
}

void CControl::loadLayout(QRectF &rect)
{
    const QString text = QSettings().value(QStringLiteral("Layout/") + m_type).toString();
    const int cross = text.indexOf(QLatin1Char('x'));
    if (cross >= 0) {
        const double scale = m_pModel ? m_pModel->viewScale() : 1.0;
        rect.setWidth(UNumbers::finiteFloat(text.left(cross)) * scale);
        rect.setHeight(UNumbers::finiteFloat(text.mid(cross + 1)) * scale);
    }
    if (rect.width() < m_minWidth)
        rect.setWidth(m_minWidth);
    if (rect.height() < m_minHeight)
        rect.setHeight(m_minHeight);
}

// ---------------------------------------------------------------- lookups

WWidget *CControl::widgetById(quint32 id) const
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget && pWidget->widgetId() == id)
            return pWidget;
    }
    return nullptr;
}

WWidget *CControl::findWidget(const QString &type) const
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget && pWidget->isType(type))
            return pWidget;
    }
    return nullptr;
}

CControl *CControl::findByName(const QString &name)
{
    return m_name == name ? this : nullptr;
}

CControl *CControl::findById(qint32 id)
{
    return id != 0 && id == m_id ? this : nullptr;
}

bool CControl::contains(const CControl *pElement) const
{
    return pElement == this;
}

CControl *CControl::root()
{
    CControl *pElement = this;
    while (pElement->m_pParent)
        pElement = pElement->m_pParent;
    return pElement;
}

QString CControl::nodeName() const
{
    return m_pNode ? m_pNode->label() : QString();
}

int CControl::boundCount() const
{
    return m_pTransform ? 1 : 0;
}

// ---------------------------------------------------------------- children (composites only)

void CControl::addChild(CControl *)
{
}

void CControl::removeChild(CControl *, bool)
{
}

// Clears the widgets and lets go of the transform: a cleared control is
// about to be destroyed.
void CControl::clear()
{
    clearWidgets();
    releaseTransform();
}

bool CControl::isNameUnique(const QString &name, const CControl *) const
{
    return m_pParent ? m_pParent->isNameUnique(name, this) : false;
}

CControl *CControl::currentChildIn(const QString &) const
{
    return nullptr;
}

bool CControl::selectChild(const QString &, const QString &)
{
    return false;
}

CControl *CControl::createControlForNode(HNode *, HNode *, const QString &, const QPointF &)
{
    return nullptr;
}

CControl *CControl::addFromXml(HNode *, const QByteArray &)
{
    return nullptr;
}

CControl *CControl::createFromGraphics(const QString &, const QPointF &)
{
    return nullptr;
}

CControl *CControl::createPanelLink(CControl *, const QPointF &)
{
    return nullptr;
}

void CControl::buildTree(QStandardItem *, QTreeView *)
{
}

// ---------------------------------------------------------------- paths

bool CControl::findByPath(QString &path)
{
    return consumePathStep(path);
}

// The root, which has no parent, stands as "..".
bool CControl::consumePathStep(QString &path)
{
    const QString step = m_pParent ? m_name : QStringLiteral("..");
    const int separator = path.indexOf(QLatin1Char('\\'));
    if (separator < 0) {
        if (path != step)
            return false;
        path.clear();
    } else {
        if (path.left(separator) != step)
            return false;
        path = path.mid(separator + 1);
    }
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setWidgetVisible(true);
    }
    return true;
}

QString CControl::path(const CControl *pTarget) const
{
    return pTarget == this ? m_name : QString();
}

// ---------------------------------------------------------------- selection and editing

QString CControl::title() const
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget && pWidget->hasTitle())
            return pWidget->title();
    }
    return QString();
}

void CControl::setMode(ControlMode mode)
{
    m_mode = mode;
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setVis(mode == ModeSelected);
    }
    emitSelectionSignals(mode);
}

// Cut, copy and paste stay off for the controls of a template panel.
void CControl::emitSelectionSignals(ControlMode mode)
{
    if (!m_pModel)
        return;
    const bool selected = mode != ModeNormal;
    emit m_pModel->selectState(selected);
    emit m_pModel->ccpState(selected && !isTemplatePanel(m_pParent));
}

bool CControl::isTemplatePanel(const CComposite *pComposite)
{
    return pComposite && pComposite->type() == QLatin1String("Controls")
           && pComposite->panelType() == CComposite::PanelTemplate;
}

bool CControl::collectSelected(CComposite *pTarget)
{
    if (m_mode != ModeSelected || !pTarget)
        return false;
    pTarget->addChild(this);
    return true;
}

DPropDialog *CControl::createPropertiesDialog(QWidget *pParent)
{
    WWidget *pWidget = findWidget(m_type.toLower());
    return pWidget ? pWidget->createPropertiesDialog(pParent) : nullptr;
}

void CControl::replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->replaceLinkPrefix(oldPrefix, newPrefix);
    }
}

void CControl::setParentItem(QQuickItem *pItem)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setWidgetParentItem(pItem);
    }
}

void CControl::setSelected(bool selected)
{
    if (!m_attributes.enableEdit())
        return;
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->setSelected(selected);
    }
}

void CControl::reloadImages()
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->reloadImages();
    }
}

void CControl::markProcessorInUse()
{
    if (!m_pNode)
        return;
    if (HNode *pProcessor = m_pNode->findAncestorWithFlags(HNode::FlagProcessor))
        pProcessor->setFlags(HNode::FlagInUse);
}

void CControl::attachModel(MModel *pModel)
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->attachModel(pModel);
    }
}

void CControl::storeSelectedAttributes()
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget && pWidget->hasAttributes()) {
            pWidget->storeAttributes(&m_attributes);
            return;
        }
    }
}

bool CControl::hasSelectedWidget() const
{
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget && pWidget->hasAttributes())
            return true;
    }
    return false;
}

void CControl::enableDrop(bool enable)
{
    if (!m_pDropSite)
        return;
    if (WWidget *pSite = m_pDropSite->findWidget(QStringLiteral("dropsite")))
        pSite->setWidgetProperty("enableDrop", enable);
}

// ---------------------------------------------------------------- reading widgets

void CControl::setKind(const QString &kind)
{
    m_kind = kind;
    if (kind == QLatin1String("Scene")) {
        m_type = QStringLiteral("Panels");
        m_name = kind;
    } else if (kind == QLatin1String("Panel")) {
        m_type = QStringLiteral("Controls");
        m_name = kind;
    }
}

bool CControl::setAttribute(const QString &element, const QString &name, const QString &value)
{
    return m_attributes.setAttribute(element, name, value);
}

void CControl::updateFractionDigits()
{
    m_attributes.updateFractionDigits();
}

bool CControl::createPrototype(const QString &type, const QString &elementName, const QString &elementText)
{
    if (m_bKeeping && m_keptWidgets.last().type == type) {
        m_keptWidgets.last().fields.append({elementName, elementText});
        return false;
    }
    m_bKeeping = false;
    if (!m_pPrototype) {
        WWidgetFactory *pFactory = WDelegate::instance()->factory();
        WWidget *pWidget = pFactory ? pFactory->createWidget(type) : nullptr;
        if (!pWidget) {
            KeptWidget kept;
            kept.type = type;
            kept.position = int(m_widgets.size());
            kept.fields.append({elementName, elementText});
            m_keptWidgets.append(kept);
            m_bKeeping = true;
            return false;
        }
        pWidget->setNode(m_pNode);
        pWidget->setControl(this);
        pWidget->setCanvasItem(pFactory->parentItem());
        pWidget->setTypeName(type);
        m_pPrototype = pWidget;
    }
    return m_pPrototype->processElement(elementName, elementText);
}

void CControl::finishWidget(const QString &type)
{
    m_bKeeping = false;
    if (!m_pPrototype)
        return;
    m_pPrototype->setTypeName(type);
    m_widgets.append(m_pPrototype);
    m_pPrototype = nullptr;
}

// ---------------------------------------------------------------- binding to the node and the model

void CControl::setNode(HNode *pNode)
{
    if (m_pNode && m_pNode != pNode)
        disconnect(m_pNode, nullptr, this, nullptr);
    m_pNode = pNode;
    if (m_pNode)
        m_pNode->connectNodeSignals(this);
}

void CControl::setContextObject(MModel *pModel)
{
    m_pModel = pModel;
}

// The node is about to be deleted: forget it (here and in the transform)
// before anything else, so that nothing later touches it.
void CControl::onRemovingNode(HNode *)
{
    m_pNode = nullptr;
    if (m_pTransform)
        m_pTransform->setNode(nullptr);
    if (!m_pParent)
        return;
    qCDebug(lcModel).noquote() << "CControl: Removing control for node " + m_name;
    m_pParent->removeChild(this, true);
}

// ---------------------------------------------------------------- diagnostics

void CControl::dump() const
{
    dumpOwn();
}

void CControl::dumpOwn() const
{
    qCDebug(lcModel) << this << m_name << m_type;
    for (WWidget *pWidget : std::as_const(m_widgets)) {
        if (pWidget)
            pWidget->dump();
    }
    qCDebug(lcModel) << "^^^^^^^^^^^^^^^^^^^^^^^";
}
