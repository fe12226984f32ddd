#include "support/CanvasWindow.h"

#include "support/QmlCanvasFixture.h"

#include <QQuickItem>
#include <QTest>

CanvasWindow::CanvasWindow(QQuickItem *pCanvas, const QSize &size)
    : m_pWindow(std::make_unique<QQuickWindow>())
    , m_pCanvas(pCanvas)
{
    m_pWindow->resize(size);
    if (m_pCanvas)
        m_pCanvas->setParentItem(m_pWindow->contentItem());
    m_pWindow->show();
    if (!QTest::qWaitForWindowExposed(m_pWindow.get()))
        qWarning("The canvas window was not exposed");
}

CanvasWindow::CanvasWindow(QmlCanvasFixture &canvas)
    : CanvasWindow(canvas.canvas())
{
}

CanvasWindow::~CanvasWindow()
{
    if (m_pCanvas)
        m_pCanvas->setParentItem(nullptr);
}

bool CanvasWindow::isReady() const
{
    return m_pWindow->isExposed();
}

QPoint CanvasWindow::windowPoint(const QQuickItem *pItem, const QPointF &local)
{
    return pItem->mapToScene(local).toPoint();
}

QPoint CanvasWindow::pointIn(const QQuickItem *pItem, qreal xFraction, qreal yFraction)
{
    if (!pItem)
        return QPoint();
    return windowPoint(pItem, QPointF(pItem->width() * xFraction, pItem->height() * yFraction));
}

void CanvasWindow::press(const QPoint &point, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(m_pWindow.get(), Qt::LeftButton, modifiers, point);
}

void CanvasWindow::move(const QPoint &point)
{
    QTest::mouseMove(m_pWindow.get(), point);
}

void CanvasWindow::release(const QPoint &point, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseRelease(m_pWindow.get(), Qt::LeftButton, modifiers, point);
}

void CanvasWindow::drag(const QPoint &from, const QPoint &to, Qt::KeyboardModifiers modifiers)
{
    press(from, modifiers);
    constexpr int Steps = 4;
    for (int step = 1; step <= Steps; ++step)
        move(from + (to - from) * step / Steps);
    release(to, modifiers);
}

void CanvasWindow::click(const QPoint &point, Qt::KeyboardModifiers modifiers)
{
    press(point, modifiers);
    release(point, modifiers);
}
