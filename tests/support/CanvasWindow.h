#pragma once

#include <QPoint>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>

class QmlCanvasFixture;

// Shows a headless canvas in a window, so a test presses, moves and
// releases the mouse on the controls as a user does.
class CanvasWindow
{
public:
    explicit CanvasWindow(QmlCanvasFixture &canvas);
    // The canvas item leaves the window before the window goes.
    ~CanvasWindow();

    QQuickWindow *window() { return &m_window; }
    bool isExposed() const { return m_bExposed; }
    // The window point at that fraction of the item's width and height.
    static QPoint pointIn(const QQuickItem *pItem, qreal xFraction, qreal yFraction);

private:
    QQuickWindow m_window;
    QPointer<QQuickItem> m_pCanvas;
    bool m_bExposed = false;
};
