#include "support/CanvasWindow.h"

#include "support/QmlCanvasFixture.h"

#include <QtTest>

CanvasWindow::CanvasWindow(QmlCanvasFixture &canvas)
    : m_pCanvas(canvas.canvas())
{
    m_window.resize(1280, 800);
    if (m_pCanvas)
        m_pCanvas->setParentItem(m_window.contentItem());
    m_window.show();
    m_bExposed = QTest::qWaitForWindowExposed(&m_window);
}

CanvasWindow::~CanvasWindow()
{
    if (m_pCanvas)
        m_pCanvas->setParentItem(nullptr);
}

QPoint CanvasWindow::pointIn(const QQuickItem *pItem, qreal xFraction, qreal yFraction)
{
    if (!pItem)
        return QPoint();
    return pItem->mapToScene(QPointF(pItem->width() * xFraction, pItem->height() * yFraction)).toPoint();
}
