#include "widgets/WRegion.h"

#include "model/MModel.h"
#include "utility/ULogger.h"

WRegion::WRegion(QQuickItem *pParent)
    : WPolygon(pParent)
{
    m_jumpTimer.setSingleShot(true);
    m_jumpTimer.setInterval(JumpDelay);
    connect(&m_jumpTimer, &QTimer::timeout, this, &WRegion::onJumpTimerTimeout);
    ULogger::instance()->logInfo(QStringLiteral("Test Log Write Success"));
}

WRegion::~WRegion() = default;

bool WRegion::outputPressed(qreal x, qreal y)
{
    if (!containsPoint(toVertexSpace(x, y)))
        return false;
    m_jumpTimer.start();
    return true;
}

void WRegion::onJumpTimerTimeout()
{
    if (MModel *pModel = model())
        pModel->followLink(m_path);
}

// Only whole path steps match: renaming "Panel" leaves a link to "Panel 2".
void WRegion::replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix)
{
    replacePathPrefix(oldPrefix, newPrefix);
}
