#include "utility/UTesselator.h"

#include <QtQuick/QSGGeometry>

namespace {
// Single precision on purpose: the comparison uses this exact value.
const float Tolerance = 1e-10f;

double cross(const QPointF &origin, const QPointF &to1, const QPointF &to2)
{
    return (to1.x() - origin.x()) * (to2.y() - origin.y())
        - (to1.y() - origin.y()) * (to2.x() - origin.x());
}
} // namespace

UTesselator *UTesselator::s_pInstance = nullptr;

UTesselator *UTesselator::instance()
{
    if (!s_pInstance)
        s_pInstance = new UTesselator();
    return s_pInstance;
}

UTesselator::~UTesselator()
{
    // The model deletes the instance; a later instance() must not hand out a dangling one.
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

float UTesselator::area(const QPolygonF &polygon) const
{
    const int n = int(polygon.size());
    float sum = 0.0f;
    for (int previous = n - 1, current = 0; current < n; previous = current++) {
        const QPointF &p = polygon.at(previous);
        const QPointF &c = polygon.at(current);
        sum += float(p.x() * c.y() - c.x() * p.y());
    }
    return sum * 0.5f;
}

bool UTesselator::insideTriangle(const QPointF &a, const QPointF &b, const QPointF &c,
                                 const QPointF &p) const
{
    const float fromB = float(cross(b, c, p));
    const float fromC = float(cross(c, a, p));
    const float fromA = float(cross(a, b, p));
    return fromB >= 0.0f && fromC >= 0.0f && fromA >= 0.0f;
}

bool UTesselator::isEar(int u, int v, int w, const QList<int> &workList,
                        const QPolygonF &polygon) const
{
    const int m = int(workList.size());
    const auto valid = [&](int position) {
        return position >= 0 && position < m && workList.at(position) >= 0
            && workList.at(position) < polygon.size();
    };
    if (!valid(u) || !valid(v) || !valid(w))
        return false;

    const QPointF &a = polygon.at(workList.at(u));
    const QPointF &b = polygon.at(workList.at(v));
    const QPointF &c = polygon.at(workList.at(w));
    if (cross(a, b, c) < double(Tolerance))
        return false;
    for (int position = 0; position < m; ++position) {
        if (position == u || position == v || position == w)
            continue;
        if (!valid(position) || insideTriangle(a, b, c, polygon.at(workList.at(position))))
            return false;
    }
    return true;
}

bool UTesselator::fitsOutput(const QSGGeometry *output, int vertexCount)
{
    if (!output || output->attributeCount() != 1
        || output->sizeOfVertex() != int(sizeof(QSGGeometry::Point2D)))
        return false;
    const QSGGeometry::Attribute &position = output->attributes()[0];
    return position.tupleSize == 2 && position.type == QSGGeometry::FloatType
        && position.position == 0 && output->vertexCount() >= vertexCount;
}

bool UTesselator::triangulate(const QPolygonF &polygon, QSGGeometry *output) const
{
    const int n = int(polygon.size());
    if (n < 3 || !fitsOutput(output, 3 * (n - 2)))
        return false;

    // The work list always runs in the positive sense.
    QList<int> workList(n);
    const bool positive = area(polygon) > 0.0f;
    for (int i = 0; i < n; ++i)
        workList[i] = positive ? i : n - 1 - i;

    QSGGeometry::Point2D *vertex = output->vertexDataAsPoint2D();
    int m = n;
    int v = m - 1;
    int errorCount = 2 * m - 1;
    while (m > 2) {
        const int u = v < m ? v : 0;
        v = u + 1 < m ? u + 1 : 0;
        const int w = v + 1 < m ? v + 1 : 0;
        if (!isEar(u, v, w, workList, polygon)) {
            // No ear in a full round and back: not a simple polygon.
            if (errorCount < 1)
                return false;
            --errorCount;
            continue;
        }
        for (const int corner : {u, v, w}) {
            const QPointF &point = polygon.at(workList.at(corner));
            (vertex++)->set(float(point.x()), float(point.y()));
        }
        workList.remove(v);
        --m;
        errorCount = 2 * m - 1;
    }
    return true;
}
