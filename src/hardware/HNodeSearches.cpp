#include "hardware/HNode.h"

// ---------------------------------------------------------------- searches

HNode *HNode::findByCategory(const QString &category)
{
    return this->category() == category ? this : nullptr;
}

HNode *HNode::findById(int id)
{
    return m_nNodeId == id ? this : nullptr;
}

// The id first: a control's lookup walks the whole tree, and the category is
// a text made on every call.
HNode *HNode::findByCategoryAndId(const QString &category, int id)
{
    return (m_nNodeId == id && this->category() == category) ? this : nullptr;
}

HNode *HNode::findByAttribute(const QString &key, const QString &value)
{
    return attribute(key) == value ? this : nullptr;
}

HNode *HNode::findByCategoryAndAttribute(const QString &category, const QString &key,
                                         const QString &value)
{
    return (this->category() == category && attribute(key) == value) ? this : nullptr;
}

// ---------------------------------------------------------------- removal and marks

bool HNode::removeChild(HNode *)
{
    return false;
}

bool HNode::purgeRemovable()
{
    if (hasFlags(FlagSelected) || !hasFlags(FlagRemovable))
        return false;
    destroySelf();
    return true;
}

void HNode::uncheck()
{
    if (hasFlags(FlagSelected))
        setChecked(false);
}

bool HNode::removeIfChecked(bool state)
{
    if (!m_pParent || isChecked() != state)
        return false;
    destroySelf();
    return true;
}

void HNode::setChecked(bool state)
{
    if (!m_pParent)
        return;
    if (!state) {
        clearFlags(FlagSelected);
        return;
    }
    setFlags(FlagSelected);
    m_pParent->setFlags(FlagInUse);
    // A room's parent is its group: the processor above must go online too.
    if (HNode *pProcessor = m_pParent->findAncestorWithFlags(FlagProcessor))
        pProcessor->setFlags(FlagInUse);
}

bool HNode::isChecked() const
{
    return hasFlags(FlagSelected);
}

void HNode::clearReloadFlag(bool)
{
    clearFlags(FlagSeen);
}

bool HNode::collectByCategory(const QString &category, QList<HNode *> *pList)
{
    if (!pList || this->category() != category)
        return false;
    pList->append(this);
    return true;
}

void HNode::sortById(QList<HNode *> *)
{
}

bool HNode::collect(const QString &key, QList<HNode *> *pList)
{
    return collectByCategory(key, pList);
}

void HNode::connectStatus(QObject *)
{
}

void HNode::clearInUse()
{
    clearFlags(FlagInUse);
}

bool HNode::deleteIfNotPersistent()
{
    if (hasFlags(FlagPersistent))
        return false;
    destroySelf();
    return true;
}

void HNode::dumpNode()
{
}

bool HNode::isConnected() const
{
    return false;
}
