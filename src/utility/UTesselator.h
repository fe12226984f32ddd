#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>

class QSGGeometry;

// Process-wide ear-clipping triangulator for simple polygons. The triangles go
// into a caller-owned scene-graph geometry with the plain 2D float layout
// (QSGGeometry::defaultAttributes_Point2D), three vertices per triangle.
class UTesselator
{
public:
    static UTesselator *instance();
    virtual ~UTesselator();

    // Writes n - 2 triangles for a polygon of n points; output must hold at
    // least 3 * (n - 2) Point2D vertices.
    bool triangulate(const QPolygonF &polygon, QSGGeometry *output) const;
    float area(const QPolygonF &polygon) const;
    bool insideTriangle(const QPointF &a, const QPointF &b, const QPointF &c,
                        const QPointF &p) const;
    // u, v and w are positions in the work list, whose entries index polygon.
    bool isEar(int u, int v, int w, const QList<int> &workList, const QPolygonF &polygon) const;

private:
    UTesselator() = default;
    Q_DISABLE_COPY(UTesselator)

    static bool fitsOutput(const QSGGeometry *output, int vertexCount);

    static UTesselator *s_pInstance;
};
