#include "dialogs/DPanelSelectDialog.h"

#include "model/CComposite.h"
#include "model/MModel.h"

#include <QStandardItemModel>

namespace {

// The tree's items hold their control's address under this role.
constexpr int AddressRole = Qt::UserRole + 1;

// Whether the address is a control of the tree below the element: an item
// is never trusted to point at a control that has gone meanwhile.
CControl *findControl(CControl *pElement, quint64 address)
{
    if (!pElement)
        return nullptr;
    if (quint64(quintptr(pElement)) == address)
        return pElement;
    if (auto *pComposite = qobject_cast<CComposite *>(pElement)) {
        for (int i = 0; i < pComposite->childCount(); ++i) {
            if (CControl *pFound = findControl(pComposite->childAt(i), address))
                return pFound;
        }
    }
    return nullptr;
}

} // namespace

DPanelSelectDialog::DPanelSelectDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pItemModel(new QStandardItemModel(this))
    , m_bRefreshOnAccept(true)
{
    setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DPanelSelectDialog::~DPanelSelectDialog() = default;

void DPanelSelectDialog::prepare()
{
    rebuildTree();
    connect(this, &QDialog::accepted, this, &DPanelSelectDialog::pass, Qt::UniqueConnection);
    connect(this, &QDialog::rejected, this, &DPanelSelectDialog::fail, Qt::UniqueConnection);
    connect(m_pTreeView, &QTreeView::clicked, this, &DPanelSelectDialog::treeClicked, Qt::UniqueConnection);
    connect(m_pTreeView, &QTreeView::doubleClicked, this, &DPanelSelectDialog::treeDoubleClicked,
            Qt::UniqueConnection);
    setWindowTitle(QStringLiteral("Layout"));
    setStatus(StatusUndecided);
}

void DPanelSelectDialog::rebuildTree()
{
    if (!m_pModel || !m_pTreeView || !m_pItemModel)
        return;
    m_pTreeView->reset();
    m_pItemModel->clear();
    m_pTreeView->setModel(m_pItemModel);
    m_pModel->buildPanelTree(m_pItemModel->invisibleRootItem(), m_pTreeView);
    selectPath();
}

void DPanelSelectDialog::selectPath()
{
    const int slash = m_sInitialPath.lastIndexOf(QLatin1Char('\\'));
    if (slash <= 0 || !m_pItemModel)
        return;
    const QString last = m_sInitialPath.mid(slash + 1);
    QList<QStandardItem *> found;
    collectNamed(m_pItemModel->invisibleRootItem(), last, found);
    for (QStandardItem *pItem : std::as_const(found)) {
        CControl *pControl = controlAt(pItem->index());
        if (pControl && pathOf(pControl) == m_sInitialPath) {
            m_pTreeView->setCurrentIndex(pItem->index());
            m_pSelectedPanel = pControl;
        }
    }
}

void DPanelSelectDialog::collectNamed(QStandardItem *pItem, const QString &name, QList<QStandardItem *> &found) const
{
    for (int row = 0; row < pItem->rowCount(); ++row) {
        QStandardItem *pChild = pItem->child(row);
        if (!pChild)
            continue;
        if (pChild->text() == name)
            found.append(pChild);
        collectNamed(pChild, name, found);
    }
}

CControl *DPanelSelectDialog::controlAt(const QModelIndex &index) const
{
    if (!m_pItemModel || !m_pModel)
        return nullptr;
    const QStandardItem *pItem = m_pItemModel->itemFromIndex(index);
    if (!pItem)
        return nullptr;
    const quint64 address = pItem->data(AddressRole).toULongLong();
    return address ? findControl(m_pModel->scenes(), address) : nullptr;
}

QString DPanelSelectDialog::pathOf(CControl *pControl)
{
    return pControl ? pControl->root()->path(pControl) : QString();
}

bool DPanelSelectDialog::isPanel(const CControl *pControl)
{
    return pControl && pControl->type() == QLatin1String("Controls");
}

// ---------------------------------------------------------------- slots

void DPanelSelectDialog::pass()
{
    if (m_pModel && m_bRefreshOnAccept)
        m_pModel->onExtraRefreshTimerTimeout();
    setStatus(StatusPassed);
}

void DPanelSelectDialog::fail()
{
    setStatus(StatusFailed);
}

void DPanelSelectDialog::treeClicked(const QModelIndex &index)
{
    CControl *pControl = controlAt(index);
    if (isPanel(pControl))
        m_pSelectedPanel = pControl;
}

void DPanelSelectDialog::treeDoubleClicked(const QModelIndex &index)
{
    CControl *pControl = controlAt(index);
    if (!isPanel(pControl))
        return;
    m_pSelectedPanel = pControl;
    accept();
}
