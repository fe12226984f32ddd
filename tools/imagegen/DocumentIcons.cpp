// Icons of the panel document in the project tree: a collection (scene) and
// the template and custom panel kinds, drawn like the complete-panel icon.

#include "IconGrid.h"

#include <QPainter>

namespace {

const QColor kInk = kIconInk;
const QColor kAccent(0x2f, 0x7f, 0xd0);
const QColor kPaper(0xf4, 0xf5, 0xf7);


void drawPanelSheet(QPainter &p, const QRectF &rect)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(rect, 2, 2);
}

// Three stacked panels.
void drawCollection(QPainter &p)
{
    drawPanelSheet(p, QRectF(11, 3, 18, 16));
    drawPanelSheet(p, QRectF(7, 8, 18, 16));
    drawPanelSheet(p, QRectF(3, 13, 18, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(6, 17, 12, 3), 1, 1);
    p.drawRoundedRect(QRectF(6, 23, 8, 3), 1, 1);
}

// A panel with a dashed drop site waiting for a control.
void drawTemplatePanel(QPainter &p)
{
    drawPanelSheet(p, QRectF(3, 4, 26, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(7, 8, 18, 3));
    QPen dashed(kAccent, 1.5, Qt::DashLine);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8, 14, 16, 10), 2, 2);
}

// A panel holding one free-form control.
void drawCustomPanel(QPainter &p)
{
    drawPanelSheet(p, QRectF(3, 4, 26, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(16, 16), 7, 7);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 16), 3, 3);
}

} // namespace

ImageList documentIcons()
{
    return {
        icon(QStringLiteral("Collections.png"), drawCollection),
        icon(QStringLiteral("TemplatePanel.png"), drawTemplatePanel),
        icon(QStringLiteral("CustomPanel.png"), drawCustomPanel),
    };
}
