#include "views/VTree.h"

#include "controllers/KTreeController.h"
#include "views/VModeManager.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStandardItemModel>

namespace {

const char kEditStyle[] =
    "QTreeView { background-color: white; color: black;} "
    "QHeaderView::section {background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, "
    "stop: 0.3 #f0f0f0, stop: 1.0 #c5c5c5); border-top:0px solid #808080; border-left:0px solid #808080; "
    "border-right:0px solid #808080; border-bottom:1px solid #808080; color: black;}";

const char kViewStyle[] =
    "QTreeView { background-color: lightgray; color: #404040;} "
    "QHeaderView::section {background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f8f8f8, "
    "stop: 0.3 #e0e0e0, stop: 1.0 #c5c5c5); border-top:0px solid #808080; border-left:0px solid #808080; "
    "border-right:0px solid #808080; border-bottom:1px solid #808080; color: black;}";

} // namespace

VTree::VTree(QWidget *pParent)
    : QTreeView(pParent)
    , m_nKey(0)
{
    setEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDragEnabled(true);
    setAutoScroll(true);
    setDropIndicatorShown(true);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setHeaderHidden(false);
}

VTree::~VTree() = default;

void VTree::setModel(QAbstractItemModel *pModel)
{
    m_pModel = qobject_cast<QStandardItemModel *>(pModel);
    if (m_pModel && !m_pModel->horizontalHeaderItem(0))
        m_pModel->setHorizontalHeaderItem(0, new QStandardItem(QString()));
    QTreeView::setModel(pModel);
}

void VTree::setHeaderText(const QString &text)
{
    if (!m_pModel)
        return;
    if (QStandardItem *pHeader = m_pModel->horizontalHeaderItem(0))
        pHeader->setText(text);
    else
        m_pModel->setHorizontalHeaderItem(0, new QStandardItem(text));
}

QString VTree::headerText() const
{
    QStandardItem *pHeader = m_pModel ? m_pModel->horizontalHeaderItem(0) : nullptr;
    return pHeader ? pHeader->text() : QString();
}

void VTree::setController(KTreeController *pController)
{
    m_pController = pController;
}

KTreeController *VTree::controller() const
{
    return m_pController;
}

void VTree::applyStyle(bool editMode)
{
    setDragEnabled(editMode);
    // A style sheet sizes rows by the text alone; they keep the room of their icons.
    const int icon = iconSize().isValid() ? iconSize().height()
                                          : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int rowHeight = qMax(icon, fontMetrics().height());
    const QString sheet = QString::fromLatin1(editMode ? kEditStyle : kViewStyle)
                          + QStringLiteral(" QTreeView::item { min-height: %1px; }").arg(rowHeight);
    // Setting a sheet polishes the tree again, even the same one; every open comes here.
    if (sheet != styleSheet())
        setStyleSheet(sheet);
}

void VTree::keyPressEvent(QKeyEvent *pEvent)
{
    // Only remembered, for currentChanged; the tree does not act on keys.
    m_nKey = pEvent->key();
}

void VTree::keyReleaseEvent(QKeyEvent *)
{
    m_nKey = 0;
}

void VTree::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (!m_bSweeping && current.isValid() && current.model() && current.model()->hasChildren(current)) {
        if (m_nKey == Qt::Key_Control)
            collapse(current);
        else
            expand(current);
    }
    QTreeView::currentChanged(current, previous);
}

void VTree::mousePressEvent(QMouseEvent *pEvent)
{
    VModeManager::instance()->cancelMode();
    QTreeView::mousePressEvent(pEvent);
}

void VTree::mouseMoveEvent(QMouseEvent *pEvent)
{
    m_bSweeping = pEvent->buttons() != Qt::NoButton;
    QTreeView::mouseMoveEvent(pEvent);
    m_bSweeping = false;
}

void VTree::mouseDoubleClickEvent(QMouseEvent *pEvent)
{
    if (m_pController)
        m_pController->mouseDoubleClick(pEvent);
    QTreeView::mouseDoubleClickEvent(pEvent);
}
