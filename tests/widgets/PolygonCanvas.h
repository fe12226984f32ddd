#pragma once

#include "model/OnlineFixture.h"
#include "support/CanvasWindow.h"
#include "support/WidgetFixture.h"

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <memory>

class CControl;
class QQuickItem;
class WPolygon;

// An initialised model whose canvas is shown in a window, with polygon
// controls read from their settings onto the panel "Home" and, beneath
// everything, a catcher that counts the presses nothing else took.
class PolygonCanvas
{
public:
    PolygonCanvas();
    ~PolygonCanvas();

    OnlineFixture &online() { return m_online; }
    MModel *model() { return m_online.model(); }
    CanvasWindow &window() { return *m_pWindow; }
    QObject *intrf() const { return m_online.intrf(); }

    // A shown control of the kind ("region" or "roomselector") at (x, y)
    // whose outline is the vertex text.
    WPolygon *addPolygon(const QString &type, const QString &name, const QPointF &position,
                         const QString &vertexText, HNode *pNode = nullptr);
    // A shown frame control over that rectangle at z 0, as the tool box
    // places frames: what lies below a polygon added after it.
    CControl *addFrame(const QString &name, const QRectF &rect);
    static QQuickItem *itemOf(const WPolygon *pWidget);
    // A point of the polygon's vertex space in the window.
    static QPoint at(const WPolygon *pWidget, const QPointF &vertexPoint);

    // The model's own switch; controls added later are not selected by it.
    void setEditMode(bool on);
    int missedPresses() const;

private:
    OnlineFixture m_online;
    std::unique_ptr<CanvasWindow> m_pWindow;
    QPointer<QObject> m_pCatcher;
};
