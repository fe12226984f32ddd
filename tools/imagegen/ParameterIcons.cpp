// Icons of the project tree: one per parameter control type, plus the complete-panel item.
// Each is drawn on a 32 x 32 grid and scaled to the entry's size.

#include "IconGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk = kIconInk;
const QColor kAccent(0x2f, 0x7f, 0xd0);
const QColor kPaper(0xf4, 0xf5, 0xf7);


void drawButton(QPainter &p)
{
    p.setPen(inkPen());
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(4, 9, 24, 14), 4, 4);
    p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 16), QPointF(22, 16));
}

void drawDropList(QPainter &p)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 9, 26, 14), 2, 2);
    p.drawLine(QPointF(20, 9), QPointF(20, 23));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(21.5, 14), QPointF(27.5, 14), QPointF(24.5, 18.5)}));
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(6, 16), QPointF(16, 16));
}

void drawSlider(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(14.5, 3, 3, 26), 1.5, 1.5);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(14.5, 16, 3, 13), 1.5, 1.5);
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(8, 11, 16, 7), 2, 2);
    p.drawLine(QPointF(11, 14.5), QPointF(21, 14.5));
}

void drawParameterSet(QPainter &p)
{
    p.setPen(inkPen());
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? kAccent : kPaper);
        p.drawRoundedRect(QRectF(4 + 4 * i, 5 + 5 * i, 18, 12), 2, 2);
    }
    p.setPen(QPen(kPaper, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 10), QPointF(18, 10));
    p.drawLine(QPointF(8, 13), QPointF(15, 13));
}

void drawDialer(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(5, 2, 22, 28), 3, 3);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            p.setBrush(row == 3 && column == 1 ? kAccent : kInk);
            p.drawEllipse(QPointF(10.5 + 5.5 * column, 7.5 + 6 * row), 2, 2);
        }
    }
}

void drawLabel(QPainter &p)
{
    QPainterPath tag;
    tag.moveTo(4, 9);
    tag.lineTo(22, 9);
    tag.lineTo(29, 16);
    tag.lineTo(22, 23);
    tag.lineTo(4, 23);
    tag.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawPath(tag);
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 14), QPointF(20, 14));
    p.drawLine(QPointF(8, 18), QPointF(16, 18));
}

void drawPolygon(QPainter &p)
{
    const QPolygonF shape({QPointF(6, 8), QPointF(20, 4), QPointF(28, 14), QPointF(22, 28),
                           QPointF(5, 22)});
    QColor fill = kAccent;
    fill.setAlpha(110);
    p.setPen(inkPen());
    p.setBrush(fill);
    p.drawPolygon(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const QPointF &vertex : shape)
        p.drawEllipse(vertex, 2, 2);
}

void drawComboSelector(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xcb, 0xd0));
    p.drawRoundedRect(QRectF(2, 10, 28, 12), 2, 2);
    const QColor colors[] = {QColor("crimson"), QColor("orange"), QColor("lime"),
                             QColor("skyblue")};
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colors[i]);
        p.drawRect(QRectF(4 + 6.5 * i, 12.5, 5, 7));
    }
}

void drawMeter(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(10, 3, 12, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int segment = 0; segment < 5; ++segment)
        p.drawRect(QRectF(12.5, 24.5 - 4.5 * segment, 7, 3));
    p.setPen(QPen(Qt::black, 1));
    for (int tick = 0; tick < 6; ++tick)
        p.drawLine(QPointF(5, 5 + 4.6 * tick), QPointF(8, 5 + 4.6 * tick));
}

void drawCompletePanel(QPainter &p)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 4, 26, 24), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(9, 8, 2, 16));
    p.drawRect(QRectF(15, 8, 2, 16));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(7, 17, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(13, 11, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(21, 9, 5, 4), 1, 1);
    p.drawRoundedRect(QRectF(21, 15, 5, 4), 1, 1);
    p.drawRoundedRect(QRectF(21, 21, 5, 4), 1, 1);
}

} // namespace

ImageList parameterIcons()
{
    return {
        icon(QStringLiteral("ButtonIcon.png"), drawButton),
        icon(QStringLiteral("DropListIcon.png"), drawDropList),
        icon(QStringLiteral("SliderIcon.png"), drawSlider),
        icon(QStringLiteral("ParameterSetIcon.png"), drawParameterSet),
        icon(QStringLiteral("Dialer.png"), drawDialer),
        icon(QStringLiteral("AddLabel.png"), drawLabel),
        icon(QStringLiteral("polygon.png"), drawPolygon),
        icon(QStringLiteral("AddCSC.png"), drawComboSelector),
        icon(QStringLiteral("meterBlack.png"), drawMeter),
        icon(QStringLiteral("CompletePanel.png"), drawCompletePanel),
    };
}
