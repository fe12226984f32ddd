#include "controllers/KTreeController.h"

#include "controllers/ControllerId.h"
#include "controllers/NotifyEventId.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"
#include "views/VModel.h"
#include "views/VTree.h"

#include <QDebug>
#include <QIcon>
#include <QMouseEvent>

KTreeController::KTreeController(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
    , m_pTree(new VTree(pParent))
    , m_pItemModel(new VModel(pModel))
{
}

KTreeController::~KTreeController()
{
    delete m_pTree;
    delete m_pItemModel;
}

int KTreeController::controllerId() const
{
    return ControllerId::ProjectTree;
}

VTree *KTreeController::tree() const
{
    return m_pTree;
}

void KTreeController::initialize()
{
}

void KTreeController::build()
{
    if (!m_pTree) {
        qCDebug(lcControllers) << "m_pTree not defined.";
        return;
    }
    if (!m_pModel) {
        qCDebug(lcControllers) << "m_pModel not defined.";
        return;
    }
    clear();
    m_pItemModel->setModel(m_pModel);
    m_pTree->setModel(m_pItemModel);
    m_pTree->setController(this);
    m_pModel->buildHardwareModel(m_pItemModel);
    appendFixedGroup(tr("Graphics"), {{tr("Label"), QStringLiteral(":/images/AddLabel.png")},
                                      {tr("Image"), QStringLiteral(":/images/AddImage.png")},
                                      {tr("Frame"), QStringLiteral(":/images/AddFrame.png")},
                                      {tr("Region"), QStringLiteral(":/images/polygon.png")}});
    appendFixedGroup(tr("System"), {{tr("Setup Button"), QStringLiteral(":/images/ButtonIcon.png")},
                                    {tr("Connection Indicator"), QStringLiteral(":/images/ButtonIcon.png")}});
    appendLinksGroup();
    m_pTree->collapseAll();
    setFilePath(m_pModel->designFilePath());
}

void KTreeController::clear()
{
    if (m_pTree)
        m_pTree->reset();
    m_pItemModel->clear();
}

void KTreeController::appendFixedGroup(const QString &text, const QList<QPair<QString, QString>> &items)
{
    auto *pGroup = new QStandardItem(text);
    pGroup->setFlags(Qt::ItemFlags::fromInt(TreeItem::RowFlags));
    for (const auto &[itemText, icon] : items) {
        auto *pItem = new QStandardItem(QIcon(icon), itemText);
        pItem->setFlags(Qt::ItemFlags::fromInt(TreeItem::ParameterFlags));
        pGroup->appendRow(pItem);
    }
    m_pItemModel->appendRow(pGroup);
}

void KTreeController::appendLinksGroup()
{
    auto *pGroup = new QStandardItem(tr("Links"));
    pGroup->setFlags(Qt::ItemFlags::fromInt(TreeItem::RowFlags));
    m_pItemModel->appendRow(pGroup);
    m_linksGroup = QPersistentModelIndex(pGroup->index());
    if (m_pModel)
        m_pModel->addPanelItems(pGroup);
}

QStandardItem *KTreeController::linksGroup() const
{
    return m_linksGroup.isValid() ? m_pItemModel->itemFromIndex(m_linksGroup) : nullptr;
}

void KTreeController::rebuildLinks()
{
    if (!m_pTree)
        return;
    m_pTree->setModel(m_pItemModel);
    if (!m_linksGroup.isValid())
        return;
    if (m_pItemModel->removeRow(m_linksGroup.row()))
        appendLinksGroup();
}

void KTreeController::layout(const QRect &area)
{
    if (!m_pTree)
        return;
    m_pTree->move(area.topLeft());
    m_pTree->resize(area.right() - area.left() + 1, area.bottom() - area.top() + 1);
}

void KTreeController::setEditMode(bool on)
{
    if (m_pTree)
        m_pTree->applyStyle(on);
}

void KTreeController::setFilePath(const QString &path)
{
    if (m_pTree)
        m_pTree->setHeaderText(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
}

void KTreeController::notify(int event)
{
    if (event == NotifyEventId::Initialised)
        build();
    else if (event == NotifyEventId::PanelsChanged)
        rebuildLinks();
}

void KTreeController::mouseDoubleClick(QMouseEvent *pEvent)
{
    if (!m_pTree || !pEvent)
        return;
    const QModelIndex index = m_pTree->indexAt(pEvent->position().toPoint());
    const QStandardItem *pItem = m_pItemModel->itemFromIndex(index);
    if (VModel::kindOf(pItem) == TreeItem::LinkKind)
        followLinkItem(pItem);
}

void KTreeController::followLinkItem(const QStandardItem *pItem)
{
    // The handle names a panel only while that panel lives; any other number
    // leads nowhere.
    if (!m_pModel)
        return;
    const QString path = m_pModel->linkPathForHandle(VModel::handleOf(pItem));
    if (!path.isEmpty())
        m_pModel->followLink(path);
}
