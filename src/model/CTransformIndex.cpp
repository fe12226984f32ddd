#include "model/CTransformIndex.h"

#include "model/CControl.h"
#include "transforms/TTransformFactory.h"

namespace {

CTransformIndex *s_pActive = nullptr;

template <typename Key>
void removeFrom(QHash<Key, QList<CControl *>> &hash, const Key &key, CControl *pControl)
{
    const auto found = hash.find(key);
    if (found == hash.end())
        return;
    found->removeOne(pControl);
    if (found->isEmpty())
        hash.erase(found);
}

} // namespace

bool CTransformIndex::Binding::operator==(const Binding &other) const
{
    return pNode == other.pNode && name == other.name && type == other.type;
}

size_t qHash(const CTransformIndex::Binding &binding, size_t seed)
{
    return qHashMulti(seed, binding.pNode, binding.name, binding.type);
}

CTransformIndex::CTransformIndex()
    : m_bActive(s_pActive == nullptr)
    , m_bBuilt(false)
{
    if (m_bActive)
        s_pActive = this;
}

CTransformIndex::~CTransformIndex()
{
    if (m_bActive)
        s_pActive = nullptr;
}

CTransformIndex *CTransformIndex::active()
{
    return s_pActive;
}

CTransformIndex::Binding CTransformIndex::bindingOf(const CControl *pControl)
{
    return {pControl->node(), pControl->name(), pControl->type()};
}

void CTransformIndex::build()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    const QList<CControl *> entries = TTransformFactory().transforms();
    for (CControl *pEntry : entries)
        added(pEntry);
}

QList<CControl *> CTransformIndex::sameBinding(const CControl *pControl)
{
    build();
    return m_byBinding.value(bindingOf(pControl));
}

QList<CControl *> CTransformIndex::users(const TTransform *pTransform)
{
    build();
    return m_byTransform.value(pTransform);
}

void CTransformIndex::added(CControl *pControl)
{
    if (!m_bBuilt || !pControl || !pControl->transform() || m_entries.contains(pControl))
        return;
    const Entry entry {bindingOf(pControl), pControl->transform()};
    m_byBinding[entry.binding].append(pControl);
    m_byTransform[entry.pTransform].append(pControl);
    m_entries.insert(pControl, entry);
}

// Found under the keys it joined with, whatever it holds now.
void CTransformIndex::removed(CControl *pControl)
{
    const auto found = m_entries.constFind(pControl);
    if (found == m_entries.cend())
        return;
    removeFrom(m_byBinding, found->binding, pControl);
    removeFrom(m_byTransform, found->pTransform, pControl);
    m_entries.erase(found);
}
