#pragma once

#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QQuickWindow>

#include <memory>

class QQuickItem;
class QmlCanvasFixture;

// A window that shows a headless canvas item, so that a test can drive the
// QML files with real mouse events as a user does. The canvas goes back to
// having no window when the fixture ends; the window never owns it.
class CanvasWindow
{
public:
    explicit CanvasWindow(QQuickItem *pCanvas, const QSize &size = QSize(1280, 800));
    explicit CanvasWindow(QmlCanvasFixture &canvas);
    ~CanvasWindow();

    QQuickWindow *window() const { return m_pWindow.get(); }
    // Shown and exposed.
    bool isReady() const;
    bool isExposed() const { return isReady(); }

    // Where a point of an item lies in the window.
    static QPoint windowPoint(const QQuickItem *pItem, const QPointF &local);
    // The window point at that fraction of the item's width and height.
    static QPoint pointIn(const QQuickItem *pItem, qreal xFraction, qreal yFraction);

    void press(const QPoint &point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // With the buttons still pressed.
    void move(const QPoint &point);
    void release(const QPoint &point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Press, a move in steps to the end point, release.
    void drag(const QPoint &from, const QPoint &to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void click(const QPoint &point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

private:
    std::unique_ptr<QQuickWindow> m_pWindow;
    QPointer<QQuickItem> m_pCanvas;
};
