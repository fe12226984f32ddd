#include "protocols/RoutingInfo.h"

#include "transforms/TTransform.h"

RoutingInfo::RoutingInfo(int id, TTransform *pTransform, const QString &text)
    : m_nId(id)
    , m_pTransform(pTransform)
    , m_pTransformKey(pTransform)
    , m_sText(text)
{
}

RoutingInfo::~RoutingInfo() = default;

TTransform *RoutingInfo::transform() const
{
    return m_pTransform.data();
}

bool RoutingInfo::isFor(int id, const TTransform *pTransform, const QString &text) const
{
    return m_nId == id && m_pTransformKey == pTransform && m_sText == text;
}
