#pragma once

#include "widgets/WPolygon.h"

#include <QTimer>

// Widget of "region": a polygonal touch area, usually over a picture, that
// jumps to another panel when pressed in run mode. The jump follows a moment
// after the press, once the press has been handled.
class WRegion : public WPolygon
{
    Q_OBJECT

public:
    // Milliseconds between the press and the jump.
    static constexpr int JumpDelay = 5;

    explicit WRegion(QQuickItem *pParent = nullptr);
    ~WRegion() override;

    // Rewrites a path that leads to the renamed panel or below it.
    void replaceLinkPrefix(const QString &oldPrefix, const QString &newPrefix) override;
    const QTimer &jumpTimer() const { return m_jumpTimer; }

public slots:
    // Taken, and the jump started, only inside the outline.
    bool outputPressed(qreal x, qreal y) override;

protected slots:
    void onJumpTimerTimeout();

private:
    QTimer m_jumpTimer;
};
