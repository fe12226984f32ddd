#include "widgets/WDelegate.h"

#include <QDateTime>

namespace {

WDelegate *s_pInstance = nullptr;

} // namespace

WDelegate *WDelegate::instance()
{
    if (!s_pInstance)
        s_pInstance = new WDelegate;
    return s_pInstance;
}

WDelegate::WDelegate()
    : m_pFactory(nullptr)
    , m_nNextId(QDateTime::currentMSecsSinceEpoch())
    , m_fScale(1.0f)
    , m_fAspect(1.0f)
{
}

// The model deletes the delegate it holds; a later instance() makes a new one
// rather than handing out the deleted one.
WDelegate::~WDelegate()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

qint32 WDelegate::nextId()
{
    ++m_nNextId;
    return qint32(m_nNextId);
}
