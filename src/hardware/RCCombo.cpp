#include "hardware/RCCombo.h"

#include "hardware/HRCCommandText.h"

RCCombo::RCCombo(int groupNumber)
    : m_nGroupNumber(groupNumber)
{
}

QString RCCombo::roomListText() const
{
    return HRCCommandText::roomListText(m_lRooms);
}
