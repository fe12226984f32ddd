#include "RecordingController.h"

RecordingController::RecordingController(const QString &label, int id, QStringList *pLog,
                                         MModel *pModel)
    : KController(nullptr, pModel)
    , m_sLabel(label)
    , m_nId(id)
    , m_pLog(pLog)
{
}

RecordingController::~RecordingController()
{
    log(QStringLiteral("delete ") + m_sLabel);
}

void RecordingController::initialize()
{
    log(QStringLiteral("init ") + m_sLabel);
    if (onInitialize)
        onInitialize(this);
}

void RecordingController::notify(int event)
{
    log(QStringLiteral("notify %1 0x%2").arg(m_sLabel).arg(event, 0, 16));
    if (onNotify)
        onNotify(this, event);
}

void RecordingController::log(const QString &line)
{
    if (m_pLog)
        m_pLog->append(line);
}
