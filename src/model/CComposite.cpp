#include "model/CComposite.h"

#include "hardware/HNode.h"
#include "model/CCanvas.h"
#include "model/CTransformIndex.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"
#include "utility/UNumbers.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "xml/XControlHandler.h"
#include "xml/XRecordedDocument.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSettings>
#include <QStandardItem>
#include <QTreeView>

#include <algorithm>
#include <optional>
#include <utility>

namespace {


bool isType(const CControl *pElement, const char *type)
{
    return pElement->type().compare(QLatin1String(type), Qt::CaseInsensitive) == 0;
}

// Widens the rectangle to the vertical extent of another, keeping its left edge and width.
QRectF widenVertically(const QRectF &rect, const QRectF &extent)
{
    if (extent.isNull())
        return rect;
    if (rect.isNull())
        return QRectF(rect.x(), extent.top(), rect.width(), extent.height());
    const qreal top = qMin(rect.top(), extent.top());
    const qreal bottom = qMax(rect.bottom(), extent.bottom());
    return QRectF(rect.x(), top, rect.width(), bottom - top);
}

// Elements read before a parse error are dropped without touching their
// nodes: a node outside the tree would go with its control, and a node of
// the tree keeps the marks the other controls gave it.
void releaseNodes(CControl *pElement)
{
    if (!pElement)
        return;
    pElement->setNode(nullptr);
    if (auto *pComposite = qobject_cast<CComposite *>(pElement)) {
        for (CControl *pChild : pComposite->children())
            releaseNodes(pChild);
    }
}

} // namespace

CComposite::CComposite()
    : m_current(0)
    , m_bNotOwner(0)
    , m_panelType(PanelNone)
    , m_pollIndex(0)
    , m_bExpanded(true)
    , m_lastRemoved(-1)
{
    m_type = QStringLiteral("Composite");
    m_bPollActive = true;
    m_stateTimer.setSingleShot(true);
    m_stateTimer.setInterval(StateRequestInterval);
    connect(&m_stateTimer, &QTimer::timeout, this, &CComposite::onGetStateTimerTimeout);
}

CComposite::~CComposite()
{
    clear();
}

// ---------------------------------------------------------------- children

CControl *CComposite::childAt(int index) const
{
    return index >= 0 && index < m_children.size() ? m_children.at(index) : nullptr;
}

int CComposite::indexOf(const CControl *pElement) const
{
    return int(m_children.indexOf(const_cast<CControl *>(pElement)));
}

void CComposite::addChild(CControl *pElement)
{
    insertChild(childCount(), pElement);
}

void CComposite::insertChild(int index, CControl *pElement)
{
    if (!pElement)
        return;
    if (!m_bNotOwner) {
        pElement->setParentComposite(this);
        pElement->addTransformUse();
    }
    m_children.insert(index >= 0 && index <= childCount() ? index : childCount(), pElement);
    pElement->enableDrop(false);
}

void CComposite::removeChild(CControl *pElement, bool destroy)
{
    const int index = pElement ? indexOf(pElement) : -1;
    if (index < 0)
        return;
    m_children.removeAt(index);
    m_lastRemoved = index;
    m_current = 0;
    pElement->enableDrop(true);
    if (destroy) {
        pElement->clearWidgets();
        pElement->deleteLater();
    } else {
        pElement->detachTransform();
    }
}

void CComposite::clear()
{
    const QList<CControl *> children = std::exchange(m_children, {});
    if (m_bNotOwner)
        return;
    const CTransformIndex index;
    for (CControl *pChild : children) {
        if (!pChild)
            continue;
        pChild->clear();
        delete pChild;
    }
}

bool CComposite::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_children.size())
        return false;
    m_current = index;
    return true;
}

bool CComposite::moveChild(CControl *pElement, int offset)
{
    const int from = indexOf(pElement);
    const int to = from + offset;
    if (from < 0 || to < 0 || to >= m_children.size())
        return false;
    m_children.swapItemsAt(from, to);
    m_current = to;
    return true;
}

void CComposite::moveChildrenTo(const CComposite *pSelection, int index)
{
    if (!pSelection)
        return;
    for (CControl *pElement : pSelection->children()) {
        const int from = indexOf(pElement);
        if (from < 0)
            continue;
        m_children.removeAt(from);
        m_children.insert(qBound(0, index, int(m_children.size())), pElement);
    }
}

bool CComposite::reorderChildren(const QList<CControl *> &order)
{
    if (order.size() != m_children.size())
        return false;
    QList<CControl *> sortedNew = order;
    QList<CControl *> sortedOld = m_children;
    std::sort(sortedNew.begin(), sortedNew.end());
    std::sort(sortedOld.begin(), sortedOld.end());
    if (sortedNew != sortedOld)
        return false;
    CControl *pCurrent = childAt(m_current);
    m_children = order;
    if (pCurrent)
        m_current = indexOf(pCurrent);
    return true;
}

void CComposite::childPositions(const CComposite *pSelection, QList<int> &positions) const
{
    positions.clear();
    if (!pSelection)
        return;
    for (const CControl *pElement : pSelection->children())
        positions.append(indexOf(pElement));
}

void CComposite::childBounds(QList<QRectF> &rects) const
{
    rects.clear();
    for (const CControl *pChild : m_children)
        rects.append(pChild ? pChild->bounds() : QRectF());
}

bool CComposite::contains(const CControl *pElement) const
{
    return pElement && indexOf(pElement) >= 0;
}

// The node bound to this composite is going: every child goes with it.
void CComposite::onRemovingNode(HNode *)
{
    m_pNode = nullptr;
    while (!m_children.isEmpty()) {
        CControl *pFirst = m_children.first();
        if (pFirst)
            removeChild(pFirst, true);
        else
            m_children.removeFirst();
    }
}

// ---------------------------------------------------------------- state-request chain

// One child now and the next ones every few milliseconds; a pass the next
// call finds unfinished goes on from where it stands.
bool CComposite::requestState()
{
    if (!m_bPollActive)
        return true;
    if (m_pollIndex < 1 || m_pollIndex >= m_children.size())
        m_pollIndex = 0;
    if (!m_children.isEmpty())
        requestChildState();
    return true;
}

void CComposite::onGetStateTimerTimeout()
{
    if (m_pollIndex >= m_children.size()) {
        m_pollIndex = 0;
        return;
    }
    if (m_bPollActive)
        requestChildState();
}

// A null child or a refusal ends the pass where it stands.
bool CComposite::requestChildState()
{
    CControl *pChild = childAt(m_pollIndex);
    if (!pChild || !pChild->requestState())
        return false;
    ++m_pollIndex;
    if (m_pollIndex < m_children.size())
        m_stateTimer.start();
    return true;
}

// ---------------------------------------------------------------- forwarding

// Each control looks for the controls it shares a transform with: the list
// is indexed once for all of them.
void CComposite::initialize()
{
    const CTransformIndex index;
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->initialize();
    }
}

void CComposite::clearWidgets()
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->clearWidgets();
    }
}

void CComposite::setVisible(bool visible)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setVisible(visible);
    }
}

void CComposite::moveBy(const QPointF &offset)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->moveBy(offset);
    }
}

void CComposite::linkTransform(int phase)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->linkTransform(phase);
    }
}

void CComposite::setMode(ControlMode mode)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setMode(mode);
    }
}

void CComposite::replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->replaceLinkPrefix(oldPrefix, newPrefix);
    }
}

void CComposite::setParentItem(QQuickItem *pItem)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setParentItem(pItem);
    }
}

void CComposite::setSelected(bool selected)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setSelected(selected);
    }
}

void CComposite::reloadImages()
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->reloadImages();
    }
}

void CComposite::markProcessorInUse()
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->markProcessorInUse();
    }
}

void CComposite::setContextObject(MModel *pModel)
{
    m_pModel = pModel;
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setContextObject(pModel);
    }
}

WWidget *CComposite::widgetById(quint32 id) const
{
    for (const CControl *pChild : m_children) {
        if (WWidget *pWidget = pChild ? pChild->widgetById(id) : nullptr)
            return pWidget;
    }
    return nullptr;
}

WWidget *CComposite::findWidget(const QString &type) const
{
    for (const CControl *pChild : m_children) {
        if (WWidget *pWidget = pChild ? pChild->findWidget(type) : nullptr)
            return pWidget;
    }
    return nullptr;
}

CControl *CComposite::findByName(const QString &name)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (CControl *pFound = pChild ? pChild->findByName(name) : nullptr)
            return pFound;
    }
    return nullptr;
}

CControl *CComposite::findById(qint32 id)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (CControl *pFound = pChild ? pChild->findById(id) : nullptr)
            return pFound;
    }
    return nullptr;
}

bool CComposite::collectSelected(CComposite *pTarget)
{
    bool added = false;
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild && pChild->collectSelected(pTarget))
            added = true;
    }
    return added;
}

int CComposite::boundCount() const
{
    int count = 0;
    for (const CControl *pChild : m_children) {
        if (pChild)
            count += pChild->boundCount();
    }
    return count;
}

// ---------------------------------------------------------------- single-child answers

QString CComposite::title() const
{
    if (m_children.size() != 1 || !m_children.first())
        return QString();
    const CControl *pChild = m_children.first();
    const QString childTitle = pChild->title();
    return childTitle.isEmpty() ? pChild->type() : pChild->type() + QStringLiteral(" : ") + childTitle;
}

DPropDialog *CComposite::createPropertiesDialog(QWidget *pParent)
{
    if (m_children.size() != 1 || !m_children.first())
        return nullptr;
    return m_children.first()->createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- current child and paths

CControl *CComposite::currentChildIn(const QString &collection) const
{
    CControl *pCurrent = childAt(m_current);
    if (!pCurrent)
        return nullptr;
    return m_type == collection ? pCurrent : pCurrent->currentChildIn(collection);
}

bool CComposite::selectChild(const QString &collection, const QString &name)
{
    if (m_type == collection) {
        for (int i = 0; i < m_children.size(); ++i) {
            if (m_children.at(i) && m_children.at(i)->name() == name) {
                m_current = i;
                return true;
            }
        }
        return false;
    }
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild && pChild->selectChild(collection, name))
            return true;
    }
    return false;
}

// Each child is offered the rest of the path; the first that matches becomes
// current. A path that is not found is left as it was.
bool CComposite::findByPath(QString &path)
{
    const QString original = path;
    if (!consumePathStep(path))
        return false;
    if (path.isEmpty())
        return true;
    for (int i = 0; i < m_children.size(); ++i) {
        QString rest = path;
        if (m_children.at(i) && m_children.at(i)->findByPath(rest)) {
            m_current = i;
            path = rest;
            return true;
        }
    }
    path = original;
    return false;
}

QString CComposite::path(const CControl *pTarget) const
{
    if (pTarget == this)
        return m_name;
    const QString step = m_pParent ? m_name : QStringLiteral("..");
    for (const CControl *pChild : m_children) {
        const QString childPath = pChild ? pChild->path(pTarget) : QString();
        if (!childPath.isEmpty())
            return step + QLatin1Char('\\') + childPath;
    }
    return QString();
}

bool CComposite::isNameUnique(const QString &name, const CControl *pExcept) const
{
    if (!pExcept)
        return CControl::isNameUnique(name, nullptr);
    for (const CControl *pChild : m_children) {
        if (pChild && pChild != pExcept && pChild->name() == name)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- bounds, scale and centring

const WWidget *CComposite::panelBoundsWidget() const
{
    for (const CControl *pChild : m_children) {
        if (!pChild)
            continue;
        if (const auto *pComposite = qobject_cast<const CComposite *>(pChild)) {
            if (const WWidget *pBounds = pComposite->panelBoundsWidget())
                return pBounds;
        } else if (!isType(pChild, "Dialer")) {
            if (const WWidget *pBounds = pChild->findWidget(QStringLiteral("bounds")))
                return pBounds;
        }
    }
    return nullptr;
}

QRectF CComposite::bounds() const
{
    if (const WWidget *pBounds = panelBoundsWidget())
        return pBounds->geometry();
    QRectF rect;
    for (const CControl *pChild : m_children) {
        if (pChild)
            rect = rect.united(pChild->bounds());
    }
    return rect;
}

void CComposite::setScale(float factor, float size, bool flag)
{
    if (m_kind == QLatin1String("Panel")) {
        scaleToScreen(size, flag);
        return;
    }
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setScale(factor, size, flag);
    }
}

// Fits the panel's "bounds" to the given length: its width on a tall screen,
// else its height. A panel without one keeps its controls where and as large
// as they were placed; a zero length scales nothing.
void CComposite::scaleToScreen(float size, bool flag)
{
    const QScreen *pScreen = QGuiApplication::primaryScreen();
    if (!pScreen || !UNumbers::isPositive(size) || !panelBoundsWidget())
        return;
    const QRect screen = pScreen->geometry();
    const int width = screen.right() - screen.left() + 1;
    const int height = screen.bottom() - screen.top() + 1;
    if (width <= 0)
        return;
    const QRectF rect = bounds();
    const double divisor = double(height) / width >= 2.0 ? rect.width() : rect.height();
    if (!(divisor > 0.0))
        return;
    const float newFactor = float(size / divisor);
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setScale(newFactor, size, flag);
    }
}

bool CComposite::centerHorizontally(const QString &type, float canvasWidth)
{
    if (!(canvasWidth > 0.0f))
        return false;
    if (m_panelType == PanelCustom) {
        centerContent(canvasWidth);
        return true;
    }
    if (CControl::centerHorizontally(type, canvasWidth))
        return false;
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->centerHorizontally(type, canvasWidth);
    }
    return false;
}

void CComposite::centerContent(float canvasWidth)
{
    double offset = 0.0;
    const CCanvas *pCanvas = m_pModel ? m_pModel->canvas() : nullptr;
    if (pCanvas && pCanvas->isHorizCenter()) {
        const QRectF rect = contentBounds();
        // Content wider than the canvas stays: centred, part of it would leave the panel.
        if (rect.width() > 0.0 && rect.height() > 0.0 && rect.width() <= canvasWidth)
            offset = (canvasWidth - (rect.x() + rect.width()) - rect.x()) / 2.0;
    }
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->moveBy(QPointF(offset, 0.0));
    }
}

// The children's union, where a child with a "bounds" widget counts only as
// a dialer, and the combination controls add only their vertical extent.
QRectF CComposite::contentBounds() const
{
    QRectF rect;
    QList<QRectF> verticalOnly;
    for (const CControl *pChild : m_children) {
        if (!pChild)
            continue;
        if (isType(pChild, "ComboSelector") || isType(pChild, "ActiveRoomCombo")) {
            verticalOnly.append(pChild->bounds());
            continue;
        }
        if (pChild->findWidget(QStringLiteral("bounds")) && !isType(pChild, "Dialer"))
            continue;
        rect = rect.united(pChild->bounds());
    }
    for (const QRectF &extent : std::as_const(verticalOnly))
        rect = widenVertically(rect, extent);
    return rect;
}

// ---------------------------------------------------------------- panel types and titles

QString CComposite::panelTypeName() const
{
    switch (m_panelType) {
    case PanelComplete:
        return QStringLiteral("complete");
    case PanelTemplate:
        return QStringLiteral("template");
    case PanelCustom:
        return QStringLiteral("custom");
    default:
        return QString();
    }
}

// An empty text lets the panel infer its type: a drop site makes a template,
// a single child a custom panel, anything else a complete one.
void CComposite::setPanelType(const QString &text)
{
    if (m_type != QLatin1String("Controls"))
        return;
    if (text.isEmpty()) {
        if (findWidget(QStringLiteral("dropsite")))
            m_panelType = PanelTemplate;
        else
            m_panelType = m_children.size() == 1 ? PanelCustom : PanelComplete;
    } else if (text == QLatin1String("complete")) {
        m_panelType = PanelComplete;
    } else if (text == QLatin1String("template")) {
        m_panelType = PanelTemplate;
    } else if (text == QLatin1String("custom")) {
        m_panelType = PanelCustom;
    }
}

QString CComposite::treeIcon() const
{
    if (m_kind == QLatin1String("Scene"))
        return QStringLiteral(":/images/Collections.png");
    if (m_kind != QLatin1String("Panel"))
        return QString();
    switch (m_panelType) {
    case PanelComplete:
        return QStringLiteral(":/images/CompletePanel.png");
    case PanelTemplate:
        return QStringLiteral(":/images/TemplatePanel.png");
    case PanelCustom:
        return QStringLiteral(":/images/CustomPanel.png");
    default:
        return QString();
    }
}

CControl *CComposite::titleLabel() const
{
    for (CControl *pChild : m_children) {
        if (pChild && pChild->name() == QLatin1String("Title") && pChild->type() == QLatin1String("Label")
            && pChild->findWidget(QStringLiteral("label")))
            return pChild;
    }
    return nullptr;
}

QString CComposite::titleText() const
{
    const CControl *pLabel = titleLabel();
    return pLabel ? pLabel->findWidget(QStringLiteral("label"))->text() : QString();
}

void CComposite::setTitle(const QString &text)
{
    m_name = text;
    if (const CControl *pLabel = titleLabel())
        pLabel->findWidget(QStringLiteral("label"))->setLabelText(text);
}

// ---------------------------------------------------------------- project tree

void CComposite::buildTree(QStandardItem *pItem, QTreeView *pView)
{
    if (!pItem) {
        for (CControl *pChild : std::as_const(m_children)) {
            if (pChild)
                pChild->buildTree(nullptr, pView);
        }
        return;
    }
    const QString text = titleText();
    if (!text.isEmpty())
        m_name = text;
    auto *pNewItem = new QStandardItem(m_name);
    pNewItem->setIcon(QIcon(treeIcon()));
    pNewItem->setFlags(Qt::ItemFlags(QFlag(m_type == QLatin1String("Controls") ? TreeItem::LinkFlags : TreeItem::RowFlags)));
    pNewItem->setData(QVariant::fromValue<quint64>(quint64(quintptr(this))), TreeItem::HandleRole);
    pItem->appendRow(pNewItem);
    m_treeIndex = pNewItem->index();
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->buildTree(pNewItem, pView);
    }
    if (m_bExpanded && pView)
        pView->expand(pNewItem->index());
}

void CComposite::buildTreeItems(QStandardItem *pItem)
{
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->buildTree(pItem, nullptr);
    }
}

// ---------------------------------------------------------------- writing and diagnostics

// The root has no kind and so writes only its child collection.
bool CComposite::writeXml(XmlWriter *pWriter)
{
    if (!pWriter)
        return true;
    if (m_kind == QLatin1String("Panel"))
        pWriter->writeStartElementTyped(m_kind, m_name, panelTypeName());
    else
        pWriter->writeStartElementNamed(m_kind, m_name);
    pWriter->writeStartElement(m_type);
    for (CControl *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->writeXml(pWriter);
    }
    pWriter->writeEndElement(m_type);
    pWriter->writeEndElement(m_kind);
    return true;
}

void CComposite::dump() const
{
    qCDebug(lcModel) << "-----------------------";
    qCDebug(lcModel) << panelTypeName();
    dumpOwn();
    for (const CControl *pChild : m_children) {
        if (pChild)
            pChild->dump();
    }
}

// ---------------------------------------------------------------- reading elements from XML

bool CComposite::readWith(XControlHandler &handler, const std::function<bool(XmlHandler *)> &parse,
                          QList<CControl *> *pAdopted)
{
    CComposite scratch;
    scratch.m_type = m_type;
    scratch.m_kind = m_kind;
    scratch.m_pModel = m_pModel;
    handler.setReceiver(&scratch);
    if (!parse(&handler)) {
        releaseNodes(&scratch);
        return false;
    }
    const QList<CControl *> adopted = std::exchange(scratch.m_children, {});
    m_type = scratch.m_type;
    for (CControl *pElement : adopted) {
        // A listing composite does not parent them, and the scratch is going.
        if (m_bNotOwner && pElement && pElement->parentComposite() == &scratch)
            pElement->setParentComposite(nullptr);
        addChild(pElement);
    }
    // Only what was read is set up and asked for its state: the elements
    // already here are, and doing them again makes each drop cost the panel.
    {
        // One control finds its transform partners in one pass; more share an index.
        std::optional<CTransformIndex> index;
        if (adopted.size() > 1)
            index.emplace();
        for (CControl *pElement : adopted)
            pElement->initialize();
    }
    for (int phase = 0; phase < 2; ++phase) {
        for (CControl *pElement : adopted)
            pElement->linkTransform(phase);
    }
    if (pAdopted)
        *pAdopted = adopted;
    return true;
}

bool CComposite::readElements(HNode *pHardwareRoot, HNode *pNode, const QString &path, const QString &section,
                              MProject *pProject, CCanvas *pCanvas, QString *pFileVersion,
                              const XRecordedDocument *pDocument, QStringList *pRefusedImages)
{
    WDelegate::instance()->setSourceFile(path);
    if (!m_pModel || !QFile::exists(path))
        return false;
    XControlHandler handler;
    handler.setHardwareRoot(pHardwareRoot);
    handler.setTemplateNode(pNode);
    handler.setControlName(section);
    handler.setProject(pProject);
    handler.setCanvas(pCanvas);
    handler.setRefusedImages(pRefusedImages);
    const auto parse = [&](XmlHandler *pHandler) {
        return pDocument ? pDocument->replay(pHandler) : XmlHandler::parseFile(path, pHandler);
    };
    if (!readWith(handler, parse, nullptr))
        return false;
    if (pFileVersion && !handler.fileVersion().isNull())
        *pFileVersion = handler.fileVersion();
    return true;
}

bool CComposite::loadFromFile(const QString &path, HNode *pHardwareRoot, HNode *pNode, MModel *pModel,
                              MProject *pProject, CCanvas *pCanvas, QString *pFileVersion,
                              const XRecordedDocument *pDocument, QStringList *pRefusedImages)
{
    m_pModel = pModel;
    const bool read = readElements(pHardwareRoot, pNode, path, QString(), pProject, pCanvas, pFileVersion,
                                   pDocument, pRefusedImages);
    setContextObject(pModel);
    return read;
}

QList<CControl *> CComposite::addControlsFromXml(HNode *pHardwareRoot, const QByteArray &xml)
{
    XControlHandler handler;
    handler.setHardwareRoot(pHardwareRoot);
    QList<CControl *> adopted;
    readWith(handler, [&](XmlHandler *pHandler) { return XmlHandler::parseData(xml, pHandler); }, &adopted);
    return adopted;
}

CControl *CComposite::addFromXml(HNode *pHardwareRoot, const QByteArray &xml)
{
    const QList<CControl *> adopted = addControlsFromXml(pHardwareRoot, xml);
    return adopted.size() == 1 ? adopted.first() : nullptr;
}

QList<CControl *> CComposite::pasteControls(HNode *pHardwareRoot, const QByteArray &xml, MModel *pModel)
{
    WDelegate *pDelegate = WDelegate::instance();
    const float scale = pDelegate->scale();
    pDelegate->setScale(1.0f);
    setContextObject(pModel);
    const QList<CControl *> pasted = addControlsFromXml(pHardwareRoot, xml);
    pDelegate->setScale(pModel ? pModel->viewScale() : scale);
    for (CControl *pControl : pasted) {
        pControl->setSelected(true);
        pControl->attachModel(pModel);
    }
    return pasted;
}

// The control read last moves so that its top-left corner lands on the position.
CControl *CComposite::placeLastAdded(int countBefore, const QPointF &position)
{
    if (childCount() <= countBefore)
        return nullptr;
    CControl *pControl = m_children.last();
    if (pControl)
        pControl->moveBy(position - pControl->bounds().topLeft());
    return pControl;
}

QString CComposite::controlTemplatePath(const HNode *pNode, QString &name)
{
    if (!pNode)
        return QString();
    const QString path = pNode->parameterFilePath(name);
    QSettings settings;
    const bool level = name.contains(tr("Level")) || name.contains(QLatin1String("Volume"), Qt::CaseInsensitive);
    if (pNode->hasRanges() && level) {
        const QString choice = settings.value(tr("Level"), tr("slider")).toString();
        return choice == tr("button") ? HNode::twinFilePath(path) : path;
    }
    if (name.contains(QLatin1String("Meter")) || name.contains(QLatin1String("MeterImage"), Qt::CaseInsensitive)) {
        const QString choice = settings.value(tr("Meter"), tr("bar")).toString();
        if (choice != tr("image"))
            return path;
        if (!name.contains(QLatin1String("MeterImage")))
            name.replace(QLatin1String("Meter"), QLatin1String("MeterImage"));
        return HNode::twinFilePath(path);
    }
    return path;
}

CControl *CComposite::createControlForNode(HNode *pHardwareRoot, HNode *pNode, const QString &name,
                                           const QPointF &position)
{
    if (!pNode || !pHardwareRoot || !pNode->prepareControl(name, m_pModel))
        return nullptr;
    QString section = name;
    const QString path = controlTemplatePath(pNode, section);
    pNode->clearParameterList(section);
    const int before = childCount();
    readElements(pHardwareRoot, pNode, path, section);
    CControl *pControl = placeLastAdded(before, position);
    if (pControl)
        pControl->attributes().setIndex1IfUnset(pNode->index());
    return pControl;
}

QString CComposite::graphicsTemplateName(const QString &displayName)
{
    static const char *const names[][2] = {
        {QT_TR_NOOP("Label"), "Label"},
        {QT_TR_NOOP("Image"), "Image"},
        {QT_TR_NOOP("Frame"), "Frame"},
        {QT_TR_NOOP("Region"), "Region"},
        {QT_TR_NOOP("Setup Button"), "SettingsButton"},
        {QT_TR_NOOP("Connection Indicator"), "ConnectionIndicator"},
    };
    for (const auto &entry : names) {
        if (displayName == tr(entry[0]))
            return QLatin1String(entry[1]);
    }
    return QString();
}

CControl *CComposite::createFromGraphics(const QString &name, const QPointF &position)
{
    const QString base = graphicsTemplateName(name);
    if (base.isEmpty())
        return nullptr;
    const int before = childCount();
    readElements(nullptr, nullptr, QStringLiteral(":/data/Graphics/") + base + QStringLiteral(".xml"), base);
    return placeLastAdded(before, position);
}

CControl *CComposite::createPanelLink(CControl *pTarget, const QPointF &position)
{
    const int before = childCount();
    readElements(nullptr, nullptr, QStringLiteral(":/data/Velmora/Link.xml"), QString());
    CControl *pLink = placeLastAdded(before, position);
    if (WWidget *pWidget = pLink ? pLink->findWidget(QStringLiteral("panellink")) : nullptr)
        pWidget->setLinkTarget(pTarget);
    return pLink;
}
