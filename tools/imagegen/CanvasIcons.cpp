// Images of the boxes drawn over the panel canvas: a tablet receiving a panel
// and the padlock of the exit PIN. Drawn in neutral grey so they read on the
// light and the dark skin.

#include "ImageCatalog.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBody(0x80, 0x82, 0x85);
const QColor kScreen(0xf4, 0xf5, 0xf7);
const QColor kAccent(0x1d, 0x98, 0xd5);

using Draw = std::function<void(QPainter &)>;

ImageEntry icon(const QString &path, Draw draw)
{
    return {path, QSize(64, 64), [draw](QPainter &painter, const QSizeF &size) {
                painter.scale(size.width() / 64.0, size.height() / 64.0);
                draw(painter);
            }};
}

// A tablet with an arrow coming down into its screen.
void drawReceivePanel(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(12, 6, 40, 54), 6, 6);
    p.setBrush(kScreen);
    p.drawRect(QRectF(16, 12, 32, 40));
    p.setBrush(kBody);
    p.drawEllipse(QPointF(32, 56), 2, 2);

    QPainterPath arrow;
    arrow.moveTo(28, 16);
    arrow.lineTo(36, 16);
    arrow.lineTo(36, 30);
    arrow.lineTo(42, 30);
    arrow.lineTo(32, 44);
    arrow.lineTo(22, 30);
    arrow.lineTo(28, 30);
    arrow.closeSubpath();
    p.setBrush(kAccent);
    p.drawPath(arrow);
}

// A closed padlock.
void drawPadlock(QPainter &p)
{
    QPen shackle(kBody, 6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(shackle);
    p.setBrush(Qt::NoBrush);
    QPainterPath bow;
    bow.moveTo(20, 30);
    bow.lineTo(20, 22);
    bow.arcTo(QRectF(20, 8, 24, 28), 180, -180);
    bow.lineTo(44, 30);
    p.drawPath(bow);

    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(12, 28, 40, 30), 5, 5);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(32, 40), 4, 4);
    p.drawRect(QRectF(30, 42, 4, 9));
}

} // namespace

ImageList canvasIcons()
{
    return {
        icon(QStringLiteral("ReceivePanel.png"), drawReceivePanel),
        icon(QStringLiteral("Padlock.png"), drawPadlock),
    };
}
