#include "FakeDropSite.h"

#include "hardware/CParameter.h"
#include "hardware/HNode.h"
#include "model/CControl.h"

FakeDropSite::FakeDropSite(const QString &controlType)
    : m_sControlType(controlType)
{
}

bool FakeDropSite::canAcceptDrop(HNode *pNode, const QString &parameterName)
{
    const CParameter *pParameter = pNode ? pNode->findParameter(parameterName) : nullptr;
    if (!pParameter)
        return false;
    if (pParameter->type() != m_sControlType) {
        ++m_nRefusals;
        return false;
    }
    if (!m_pChild)
        return true;
    ++m_nQuestions;
    return m_bOverwrite;
}

void FakeDropSite::setChildControl(CControl *pControl)
{
    if (m_pChild && m_pChild != pControl)
        m_pChild->setDropSite(nullptr);
    m_pChild = pControl;
    setId(pControl ? quint32(pControl->id()) : 0);
    if (pControl)
        pControl->setDropSite(control());
}

CControl *FakeDropSite::childControl() const
{
    return m_pChild;
}
