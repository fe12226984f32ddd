#include "PolygonCanvas.h"

#include "commands/BCommandProcessor.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WPolygon.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

namespace {

const char *const CatcherQml = "import QtQuick\n"
                               "MouseArea { property int presses: 0; z: -100; width: 1280; height: 800;\n"
                               "            onPressed: presses = presses + 1 }\n";

} // namespace

PolygonCanvas::PolygonCanvas()
{
    QQuickItem *pCanvas = m_online.canvas();
    if (QQmlContext *pContext = QQmlEngine::contextForObject(intrf())) {
        QQmlComponent component(pContext->engine());
        component.setData(CatcherQml, QUrl());
        m_pCatcher = component.create(pContext);
    }
    if (auto *pCatcherItem = qobject_cast<QQuickItem *>(m_pCatcher)) {
        pCatcherItem->setParentItem(pCanvas);
        pCatcherItem->setParent(pCanvas);
    }
    m_pWindow = std::make_unique<CanvasWindow>(pCanvas);
    BCommandProcessor::instance()->clear();
}

PolygonCanvas::~PolygonCanvas()
{
    BCommandProcessor::instance()->clear();
    m_pWindow.reset();
}

WPolygon *PolygonCanvas::addPolygon(const QString &type, const QString &name, const QPointF &position,
                                    const QString &vertexText, HNode *pNode)
{
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(type == QLatin1String("region") ? QStringLiteral("Region") : QStringLiteral("RoomSelector"));
    pControl->setContextObject(model());
    if (pNode)
        pControl->setNode(pNode);
    m_online.panel()->addChild(pControl);
    const WidgetFixture::Settings settings = {{QStringLiteral("x"), QString::number(position.x())},
                                              {QStringLiteral("y"), QString::number(position.y())},
                                              {QStringLiteral("polygon"), vertexText}};
    auto *pWidget = qobject_cast<WPolygon *>(WidgetFixture::readWidget(pControl, type, settings));
    pControl->setVisible(true);
    return pWidget;
}

CControl *PolygonCanvas::addFrame(const QString &name, const QRectF &rect)
{
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(name);
    pControl->setType(QStringLiteral("Frame"));
    pControl->setContextObject(model());
    m_online.panel()->addChild(pControl);
    const WidgetFixture::Settings settings = {{QStringLiteral("x"), QString::number(rect.x())},
                                              {QStringLiteral("y"), QString::number(rect.y())},
                                              {QStringLiteral("width"), QString::number(rect.width())},
                                              {QStringLiteral("height"), QString::number(rect.height())},
                                              {QStringLiteral("z"), QStringLiteral("0")}};
    if (!WidgetFixture::readWidget(pControl, QStringLiteral("frame"), settings))
        return nullptr;
    pControl->setVisible(true);
    return pControl;
}

QQuickItem *PolygonCanvas::itemOf(const WPolygon *pWidget)
{
    return qobject_cast<QQuickItem *>(pWidget->widget());
}

QPoint PolygonCanvas::at(const WPolygon *pWidget, const QPointF &vertexPoint)
{
    return CanvasWindow::windowPoint(itemOf(pWidget), vertexPoint);
}

// As the editor's edit-mode action: every control on the canvas gets what
// edit mode gives it, not only the QML flag.
void PolygonCanvas::setEditMode(bool on)
{
    model()->setEditMode(on);
}

int PolygonCanvas::missedPresses() const
{
    return m_pCatcher ? m_pCatcher->property("presses").toInt() : -1;
}
