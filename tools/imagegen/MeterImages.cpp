// Images of the image meter (a round lamp in its four states) and the
// picture a new image control shows until the user chooses one.

#include "ImageCatalog.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QSize kLampSize(49, 49);

// A lit lamp: a ring, a body shaded from the colour to a darker rim, a highlight.
ImageEntry lamp(const QString &path, const QColor &colour)
{
    return {path, kLampSize, [colour](QPainter &p, const QSizeF &size) {
                const QPointF centre(size.width() / 2.0, size.height() / 2.0);
                const qreal radius = qMin(size.width(), size.height()) / 2.0 - 1.0;
                p.setPen(QPen(QColor(0x50, 0x52, 0x55), 2.0));
                p.setBrush(QColor(0x2a, 0x2b, 0x2d));
                p.drawEllipse(centre, radius, radius);

                QRadialGradient body(centre, radius - 3.0, centre - QPointF(radius / 3.0, radius / 3.0));
                body.setColorAt(0.0, colour.lighter(135));
                body.setColorAt(0.7, colour);
                body.setColorAt(1.0, colour.darker(160));
                p.setPen(Qt::NoPen);
                p.setBrush(body);
                p.drawEllipse(centre, radius - 4.0, radius - 4.0);

                QColor shine(255, 255, 255, 110);
                p.setBrush(shine);
                p.drawEllipse(QRectF(centre.x() - radius * 0.45, centre.y() - radius * 0.7, radius * 0.8,
                                     radius * 0.45));
            }};
}

// A framed landscape: sky, sun and two hills.
void drawDefaultPicture(QPainter &p, const QSizeF &size)
{
    const QRectF frame(1, 1, size.width() - 2, size.height() - 2);
    QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
    sky.setColorAt(0.0, QColor(0x9f, 0xd3, 0xf2));
    sky.setColorAt(1.0, QColor(0xe8, 0xf4, 0xfb));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(frame);

    p.setBrush(QColor(0xf6, 0xc3, 0x3b));
    p.drawEllipse(QPointF(frame.width() * 0.72, frame.height() * 0.3), frame.width() * 0.09, frame.width() * 0.09);

    QPainterPath far;
    far.moveTo(frame.left(), frame.bottom());
    far.lineTo(frame.left(), frame.height() * 0.72);
    far.quadTo(frame.width() * 0.3, frame.height() * 0.38, frame.width() * 0.62, frame.height() * 0.75);
    far.lineTo(frame.right(), frame.bottom());
    far.closeSubpath();
    p.setBrush(QColor(0x6b, 0xa5, 0x4a));
    p.drawPath(far);

    QPainterPath near;
    near.moveTo(frame.width() * 0.25, frame.bottom());
    near.quadTo(frame.width() * 0.7, frame.height() * 0.5, frame.right(), frame.height() * 0.68);
    near.lineTo(frame.right(), frame.bottom());
    near.closeSubpath();
    p.setBrush(QColor(0x3f, 0x7f, 0x3a));
    p.drawPath(near);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x80, 0x82, 0x85), 2.0));
    p.drawRect(frame);
}

} // namespace

ImageList meterImages()
{
    return {
        lamp(QStringLiteral("meterGrey.png"), QColor(0xc3, 0xc3, 0xc3)),
        lamp(QStringLiteral("meterGreen.png"), QColor(0x21, 0xf3, 0x21)),
        lamp(QStringLiteral("meterYellow.png"), QColor(0xff, 0xf7, 0x80)),
        lamp(QStringLiteral("meterOrange.png"), QColor(0xff, 0x80, 0x00)),
        {QStringLiteral("default.png"), QSize(160, 120), drawDefaultPicture},
    };
}
