#include "hardware/HComposite.h"

#include "hardware/HDeviceModels.h"
#include "utility/LogCategories.h"
#include "utility/TreeItem.h"

#include "xml/XVMPHandler.h"

#include <QDebug>
#include <QFile>
#include <QStandardItemModel>

namespace {

// Depth of the collect calls under way: only the outermost one empties the
// list, so that a collection through nested composites keeps every hit.
int g_nCollectDepth = 0;

struct CollectScope
{
    explicit CollectScope(QList<HNode *> *pList)
    {
        if (g_nCollectDepth++ == 0)
            pList->clear();
    }
    ~CollectScope() { --g_nCollectDepth; }
    CollectScope(const CollectScope &) = delete;
    CollectScope &operator=(const CollectScope &) = delete;
};

} // namespace

HComposite::HComposite() = default;

HComposite::~HComposite()
{
    const QList<HNode *> children = m_children;
    m_children.clear();
    qDeleteAll(children);
}

template<typename Find>
HNode *HComposite::findInChildren(Find find) const
{
    for (HNode *pChild : m_children) {
        if (!pChild)
            continue;
        if (HNode *pFound = find(pChild))
            return pFound;
    }
    return nullptr;
}

// Takes out every child for which remove() reports that it deleted itself.
template<typename Remove>
void HComposite::removeChildrenWhere(Remove remove)
{
    for (int i = 0; i < m_children.size();) {
        HNode *pChild = m_children.at(i);
        if (pChild && remove(pChild))
            m_children.removeAt(i);
        else
            ++i;
    }
}

bool HComposite::writeXml(XmlWriter *pWriter, QStringList &writtenAddresses)
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->writeXml(pWriter, writtenAddresses);
    }
    return true;
}

HNode *HComposite::findByCategory(const QString &category)
{
    return findInChildren([&](HNode *pChild) { return pChild->findByCategory(category); });
}

HNode *HComposite::findById(int id)
{
    return findInChildren([&](HNode *pChild) { return pChild->findById(id); });
}

HNode *HComposite::findByCategoryAndId(const QString &category, int id)
{
    return findInChildren([&](HNode *pChild) { return pChild->findByCategoryAndId(category, id); });
}

HNode *HComposite::findByAttribute(const QString &key, const QString &value)
{
    return findInChildren([&](HNode *pChild) { return pChild->findByAttribute(key, value); });
}

HNode *HComposite::findByCategoryAndAttribute(const QString &category, const QString &key,
                                              const QString &value)
{
    return findInChildren([&](HNode *pChild) {
        return pChild->findByCategoryAndAttribute(category, key, value);
    });
}

bool HComposite::removeChild(HNode *pNode)
{
    if (!pNode)
        return false;
    return m_children.removeOne(pNode);
}

bool HComposite::purgeRemovable()
{
    removeChildrenWhere([](HNode *pChild) { return pChild->purgeRemovable(); });
    // An emptied composite goes too, unless it is selected itself (a control
    // is bound to it) or it is the root.
    if (!m_children.isEmpty() || hasFlags(FlagSelected))
        return false;
    if (m_pParent)
        destroySelf();
    return true;
}

void HComposite::uncheck()
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->uncheck();
    }
    HNode::uncheck();
}

bool HComposite::removeIfChecked(bool state)
{
    removeChildrenWhere([state](HNode *pChild) { return pChild->removeIfChecked(state); });
    return HNode::removeIfChecked(state);
}

bool HComposite::isChecked() const
{
    if (hasFlags(FlagSelected))
        return true;
    for (HNode *pChild : m_children) {
        if (pChild && pChild->isChecked())
            return true;
    }
    return false;
}

void HComposite::clearReloadFlag(bool keepOwn)
{
    if (!keepOwn)
        clearFlags(FlagSeen);
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->clearReloadFlag(false);
    }
}

bool HComposite::collectByCategory(const QString &category, QList<HNode *> *pList)
{
    if (!pList)
        return false;
    CollectScope scope(pList);
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->collectByCategory(category, pList);
    }
    return !pList->isEmpty();
}

void HComposite::sortById(QList<HNode *> *pList)
{
    if (!pList)
        return;
    // Straight insertion: equal keys keep their order.
    for (int i = 1; i < pList->size(); ++i) {
        HNode *pNode = pList->at(i);
        int j = i - 1;
        while (j >= 0 && pList->at(j)->sortKey() > pNode->sortKey()) {
            (*pList)[j + 1] = pList->at(j);
            --j;
        }
        (*pList)[j + 1] = pNode;
    }
}

bool HComposite::collect(const QString &key, QList<HNode *> *pList)
{
    if (!pList)
        return false;
    CollectScope scope(pList);
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->collect(key, pList);
    }
    return !pList->isEmpty();
}

void HComposite::connectStatus(QObject *pReceiver)
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->connectStatus(pReceiver);
    }
}

void HComposite::clearInUse()
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->clearInUse();
    }
    clearFlags(FlagInUse);
}

bool HComposite::deleteIfNotPersistent()
{
    removeChildrenWhere([](HNode *pChild) { return pChild->deleteIfNotPersistent(); });
    return m_pParent ? HNode::deleteIfNotPersistent() : false;
}

void HComposite::dumpNode()
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->dumpNode();
    }
}

void HComposite::buildModel(QStandardItemModel *pModel)
{
    if (!pModel) {
        qCDebug(lcHardware) << "null pModel provided as arg";
        return;
    }
    setFlags(FlagPersistent);
    for (HNode *pChild : std::as_const(m_children)) {
        if (!pChild) {
            qCDebug(lcHardware) << "got null node";
        } else if (HDeviceModels::holdsAzrAmplifier(pChild->ampTitles())) {
            qCDebug(lcHardware).noquote() << pChild->label() + QStringLiteral(". Skipping add to tree.");
        } else {
            pChild->buildModel(pModel);
        }
    }
}

bool HComposite::addNode(HNode *pNode)
{
    if (!pNode)
        return false;
    if (m_sLabel == HDeviceModels::inputGroupLabel())
        qCDebug(lcHardware).noquote() << QStringLiteral("found the input group ") + m_sLabel;
    if (HDeviceModels::holdsAzrAmplifier(m_ampTitles)) {
        qCDebug(lcHardware).noquote() << m_sTitle + QStringLiteral(". Skipping add to tree.");
        return false;
    }
    pNode->setParent(this);
    pNode->setProtocol(m_pProtocol);
    m_children.append(pNode);
    return true;
}

void HComposite::moveChildToBack(HNode *pNode)
{
    const qsizetype i = pNode ? m_children.indexOf(pNode) : -1;
    if (i >= 0 && i != m_children.size() - 1)
        m_children.move(i, m_children.size() - 1);
}

HNode *HComposite::childAt(int i) const
{
    return (i >= 0 && i < m_children.size()) ? m_children.at(i) : nullptr;
}

void HComposite::importRooms(HNode *pProcessor, const QString &groupText)
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild && pChild != pProcessor)
            pChild->importRooms(pProcessor, groupText);
    }
}

void HComposite::setProtocol(PProtocol *pProtocol)
{
    for (HNode *pChild : std::as_const(m_children)) {
        if (pChild)
            pChild->setProtocol(pProtocol);
    }
}

QString HComposite::category() const
{
    return QStringLiteral("Composite");
}

void HComposite::removeUnmarked()
{
    for (int i = 0; i < m_children.size();) {
        HNode *pChild = m_children.at(i);
        if (!pChild) {
            ++i;
            continue;
        }
        if (auto *pComposite = qobject_cast<HComposite *>(pChild))
            pComposite->removeUnmarked();
        if (pChild->hasFlags(FlagSeen)) {
            ++i;
            continue;
        }
        m_children.removeAt(i);
        pChild->destroySelf();
    }
}

bool HComposite::loadDesignFile(HNode *pRoot, const QString &path, bool reload, MProject *pProject)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcHardware).noquote() << QStringLiteral("cannot open ") + path;
        return false;
    }
    // Read once: the same bytes feed both passes.
    const QByteArray bytes = file.readAll();
    file.close();
    if (XVMPHandler::refuseDeepNesting(bytes))
        return false;
    XVMPHandler handler;
    handler.setRoot(pRoot);
    handler.setProject(pProject);
    handler.setReload(reload);
    handler.setRawBytes(bytes);
    return XmlHandler::parseData(bytes, &handler);
}

QStandardItem *HComposite::insertModelRow(HNode *pRoot, QStandardItemModel *pModel,
                                          QStandardItem *pParentItem, const QString &text)
{
    if (!pModel || !pParentItem)
        return nullptr;
    auto *pItem = new QStandardItem(text);
    pItem->setFlags(Qt::ItemFlags::fromInt(TreeItem::RowFlags));
    pItem->setData(nodeAddress(pRoot), TreeItem::HandleRole);
    pParentItem->appendRow(pItem);
    return pItem;
}
