#include "WarningCollector.h"

WarningCollector *WarningCollector::s_pActive = nullptr;

WarningCollector::WarningCollector()
{
    s_pActive = this;
    m_previous = qInstallMessageHandler(&WarningCollector::handler);
}

WarningCollector::~WarningCollector()
{
    qInstallMessageHandler(m_previous);
    s_pActive = nullptr;
}

void WarningCollector::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    WarningCollector *pActive = s_pActive;
    if (pActive && type != QtDebugMsg && type != QtInfoMsg)
        pActive->m_warnings.append(message);
    if (pActive && pActive->m_previous)
        pActive->m_previous(type, context, message);
}
