#include "dialogs/DParameterSetDialog.h"

#include "hardware/HNode.h"
#include "ui_DParameterSetDialog.h"

#include <QPushButton>

DParameterSetDialog::DParameterSetDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DParameterSetDialog)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DParameterSetDialog::~DParameterSetDialog()
{
    delete m_pUi;
}

void DParameterSetDialog::prepare()
{
    fillList();
    connect(this, &QDialog::accepted, this, &DParameterSetDialog::finalize, Qt::UniqueConnection);
    connect(m_pUi->m_pList, &QListWidget::itemClicked, this, &DParameterSetDialog::itemClicked,
            Qt::UniqueConnection);
    connect(m_pUi->m_pList, &QListWidget::itemChanged, this, &DParameterSetDialog::itemChanged,
            Qt::UniqueConnection);
    connect(m_pUi->m_pMoveDown, &QPushButton::clicked, this, &DParameterSetDialog::moveDown, Qt::UniqueConnection);
    connect(m_pUi->m_pMoveUp, &QPushButton::clicked, this, &DParameterSetDialog::moveUp, Qt::UniqueConnection);
    connect(m_pUi->m_pSelectBox, &QCheckBox::clicked, this, &DParameterSetDialog::toggleSelect,
            Qt::UniqueConnection);
    updateButtons();
    setWindowTitle(QStringLiteral("Parameter Set Configuration"));
}

void DParameterSetDialog::fillList()
{
    if (!m_pNodes)
        return;
    QListWidget *pList = m_pUi->m_pList;
    const QSignalBlocker quiet(pList);
    pList->clear();
    m_nCurrentRow = -1;
    for (HNode *pNode : *m_pNodes) {
        if (!pNode)
            continue;
        auto *pItem = new QListWidgetItem(pNode->label(), pList);
        pItem->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject *>(pNode)));
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(Qt::Unchecked);
    }
}

void DParameterSetDialog::updateButtons()
{
    m_pUi->m_pMoveUp->setEnabled(m_nCurrentRow > 0);
    m_pUi->m_pMoveDown->setEnabled(m_nCurrentRow < m_pUi->m_pList->count() - 1);
    if (QPushButton *pOk = m_pUi->buttonBox->button(QDialogButtonBox::Ok))
        pOk->setEnabled(checkedCount() >= 1);
}

int DParameterSetDialog::checkedCount() const
{
    int count = 0;
    for (int row = 0; row < m_pUi->m_pList->count(); ++row) {
        if (m_pUi->m_pList->item(row)->checkState() == Qt::Checked)
            ++count;
    }
    return count;
}

HNode *DParameterSetDialog::nodeAt(int row) const
{
    const QListWidgetItem *pItem = m_pUi->m_pList->item(row);
    return pItem ? qobject_cast<HNode *>(pItem->data(Qt::UserRole).value<QObject *>()) : nullptr;
}

void DParameterSetDialog::itemClicked(QListWidgetItem *pItem)
{
    if (!pItem)
        return;
    m_pUi->m_pList->setCurrentItem(pItem);
    m_nCurrentRow = m_pUi->m_pList->row(pItem);
    updateButtons();
}

void DParameterSetDialog::itemChanged(QListWidgetItem *)
{
    updateButtons();
}

void DParameterSetDialog::moveCurrent(int offset)
{
    QListWidget *pList = m_pUi->m_pList;
    const int target = m_nCurrentRow + offset;
    if (m_nCurrentRow < 0 || target < 0 || target >= pList->count())
        return;
    QListWidgetItem *pItem = pList->takeItem(m_nCurrentRow);
    pList->insertItem(target, pItem);
    pList->setCurrentItem(pItem);
    m_nCurrentRow = pList->row(pItem);
    updateButtons();
}

void DParameterSetDialog::moveUp()
{
    moveCurrent(-1);
}

void DParameterSetDialog::moveDown()
{
    moveCurrent(1);
}

// The box is not kept in step when rows are ticked one by one.
void DParameterSetDialog::toggleSelect()
{
    const Qt::CheckState state = m_pUi->m_pSelectBox->checkState();
    QListWidget *pList = m_pUi->m_pList;
    for (int row = 0; row < pList->count(); ++row)
        pList->item(row)->setCheckState(state);
    updateButtons();
}

void DParameterSetDialog::accept()
{
    const QPushButton *pOk = m_pUi->buttonBox->button(QDialogButtonBox::Ok);
    if (pOk && !pOk->isEnabled())
        return;
    DModalDialog::accept();
}

void DParameterSetDialog::finalize()
{
    if (!m_pNodes)
        return;
    int order = 0;
    for (int row = 0; row < m_pUi->m_pList->count(); ++row) {
        HNode *pNode = nodeAt(row);
        if (!pNode)
            continue;
        if (m_pUi->m_pList->item(row)->checkState() == Qt::Checked)
            pNode->setSortKey(order++);
        else
            pNode->setSortKey(-1);
    }
}
