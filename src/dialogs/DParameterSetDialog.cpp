#include "dialogs/DParameterSetDialog.h"

#include "hardware/HNode.h"
#include "utility/TreeItem.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DParameterSetDialog::DParameterSetDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pList(new QListWidget(this))
    , m_pButtonBox(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Parameter Set Configuration"));
    auto *pUp = new QPushButton(tr("Move Up"), this);
    auto *pDown = new QPushButton(tr("Move Down"), this);
    auto *pMoves = new QHBoxLayout;
    pMoves->addWidget(pUp);
    pMoves->addWidget(pDown);
    pMoves->addStretch();
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pList);
    pLayout->addLayout(pMoves);
    pLayout->addWidget(m_pButtonBox);

    connect(pUp, &QPushButton::clicked, this, &DParameterSetDialog::onMoveUp);
    connect(pDown, &QPushButton::clicked, this, &DParameterSetDialog::onMoveDown);
    connect(m_pList, &QListWidget::itemChanged, this, &DParameterSetDialog::onItemChanged);
    connect(m_pButtonBox, &QDialogButtonBox::accepted, this, &DParameterSetDialog::accept);
    connect(m_pButtonBox, &QDialogButtonBox::rejected, this, &DParameterSetDialog::reject);
    onItemChanged();
}

DParameterSetDialog::~DParameterSetDialog() = default;

void DParameterSetDialog::setParameterSets(const QList<HNode *> &sets)
{
    m_pList->clear();
    for (HNode *pNode : sets) {
        if (!pNode)
            continue;
        auto *pItem = new QListWidgetItem(pNode->label(), m_pList);
        pItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        pItem->setCheckState(Qt::Unchecked);
        pItem->setData(TreeItem::HandleRole, QVariant::fromValue(static_cast<QObject *>(pNode)));
    }
    onItemChanged();
}

int DParameterSetDialog::count() const
{
    return m_pList->count();
}

QString DParameterSetDialog::textAt(int row) const
{
    const QListWidgetItem *pItem = m_pList->item(row);
    return pItem ? pItem->text() : QString();
}

bool DParameterSetDialog::isChecked(int row) const
{
    const QListWidgetItem *pItem = m_pList->item(row);
    return pItem && pItem->checkState() == Qt::Checked;
}

void DParameterSetDialog::setChecked(int row, bool checked)
{
    if (QListWidgetItem *pItem = m_pList->item(row))
        pItem->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool DParameterSetDialog::moveUp(int row)
{
    return moveRow(row, row - 1);
}

bool DParameterSetDialog::moveDown(int row)
{
    return moveRow(row, row + 1);
}

bool DParameterSetDialog::moveRow(int from, int to)
{
    if (from < 0 || to < 0 || from >= m_pList->count() || to >= m_pList->count())
        return false;
    QListWidgetItem *pItem = m_pList->takeItem(from);
    m_pList->insertItem(to, pItem);
    m_pList->setCurrentRow(to);
    return true;
}

bool DParameterSetDialog::isOkEnabled() const
{
    return m_pButtonBox->button(QDialogButtonBox::Ok)->isEnabled();
}

HNode *DParameterSetDialog::nodeAt(int row) const
{
    const QListWidgetItem *pItem = m_pList->item(row);
    return pItem ? qobject_cast<HNode *>(pItem->data(TreeItem::HandleRole).value<QObject *>()) : nullptr;
}

void DParameterSetDialog::accept()
{
    if (!isOkEnabled())
        return;
    int key = 0;
    for (int row = 0; row < m_pList->count(); ++row) {
        if (HNode *pNode = nodeAt(row))
            pNode->setSortKey(isChecked(row) ? key++ : -1);
    }
    DModalDialog::accept();
}

void DParameterSetDialog::onMoveUp()
{
    moveUp(m_pList->currentRow());
}

void DParameterSetDialog::onMoveDown()
{
    moveDown(m_pList->currentRow());
}

void DParameterSetDialog::onItemChanged()
{
    bool anyTicked = false;
    for (int row = 0; row < m_pList->count() && !anyTicked; ++row)
        anyTicked = isChecked(row);
    m_pButtonBox->button(QDialogButtonBox::Ok)->setEnabled(anyTicked);
}
