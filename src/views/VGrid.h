#pragma once

#include <QPointF>

// The snapping grid of the canvas tools and drops: 5 units at view scale 1.
class VGrid
{
public:
    static constexpr float BaseSize = 5.0f;

    VGrid();
    // The grid at a view scale: BaseSize × scale.
    explicit VGrid(float scale);
    virtual ~VGrid();

    float size() const { return m_size; }

    // Truncates each coordinate to the grid towards zero (x − fmod(x, size)).
    // A grid without a positive size keeps the point; a coordinate that is not
    // finite becomes 0, so that it cannot spread into the geometry.
    QPointF snap(const QPointF &point) const;
    // The step an arrow key moves by: the grid size, or 1 without the grid;
    // (0, 0) for any key other than the four arrows.
    QPointF nudgeVector(int key, bool useGrid) const;

private:
    double snapCoordinate(double value) const;

    float m_size;
};
