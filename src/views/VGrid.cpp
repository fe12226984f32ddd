#include "views/VGrid.h"

#include <Qt>

#include <cmath>

VGrid::VGrid()
    : m_size(BaseSize)
{
}

VGrid::VGrid(float scale)
    : m_size(BaseSize * scale)
{
}

VGrid::~VGrid() = default;

QPointF VGrid::snap(const QPointF &point) const
{
    return QPointF(snapCoordinate(point.x()), snapCoordinate(point.y()));
}

double VGrid::snapCoordinate(double value) const
{
    if (!std::isfinite(value))
        return 0.0;
    const double size = m_size;
    if (!std::isfinite(size) || !(size > 0.0))
        return value;
    return value - std::fmod(value, size);
}

QPointF VGrid::nudgeVector(int key, bool useGrid) const
{
    const double step = useGrid ? double(m_size) : 1.0;
    switch (key) {
    case Qt::Key_Left:
        return QPointF(-step, 0.0);
    case Qt::Key_Up:
        return QPointF(0.0, -step);
    case Qt::Key_Right:
        return QPointF(step, 0.0);
    case Qt::Key_Down:
        return QPointF(0.0, step);
    default:
        return QPointF(0.0, 0.0);
    }
}
