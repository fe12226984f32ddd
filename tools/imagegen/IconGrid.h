#pragma once

// Drawing helpers shared by the icon groups: icons are drawn on a 32 x 32
// grid and scaled to the entry's size, with round-capped pens.

#include "ImageCatalog.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <functional>

inline const QColor kIconInk(0x3a, 0x3d, 0x42);

inline ImageEntry icon(const QString &path, std::function<void(QPainter &)> draw)
{
    return {path, QSize(32, 32), [draw](QPainter &painter, const QSizeF &size) {
                painter.scale(size.width() / 32.0, size.height() / 32.0);
                draw(painter);
            }};
}

inline QPen inkPen(qreal width = 1.5, const QColor &color = kIconInk)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
