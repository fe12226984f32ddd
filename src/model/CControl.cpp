#include "model/CControl.h"

CControl::CControl()
    : QObject(nullptr)
    , m_mode(ModeNormal)
{
}

CControl::~CControl() = default;

void CControl::setMode(ControlMode mode)
{
    m_mode = mode;
}
