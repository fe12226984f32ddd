#include "FakeDropSite.h"

FakeDropSite::FakeDropSite(const QString &controlType)
    : m_sControlType(controlType)
{
}
