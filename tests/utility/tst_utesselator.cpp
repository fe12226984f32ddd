#include "utility/UTesselator.h"

#include <QtMath>
#include <QtQuick/QSGGeometry>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

// Ear clipping into a scene-graph vertex buffer: windings, concave and
// degenerate polygons, refusals and the output bounds.
class TestUTesselator : public QObject
{
    Q_OBJECT

private slots:
    void triangulate_data();
    void triangulate();
    void refusesOutputThatCannotHoldTheTriangles_data();
    void refusesOutputThatCannotHoldTheTriangles();
    void area_data();
    void area();
    void insideTriangle_data();
    void insideTriangle();
    void isEar_data();
    void isEar();
    void instanceOutlivesDeletion();

private:
    static std::unique_ptr<QSGGeometry> geometry(int vertexCount);
    static QPolygonF written(const QSGGeometry &output, int count);
};

static const QPointF Sentinel(-99, -99);

std::unique_ptr<QSGGeometry> TestUTesselator::geometry(int vertexCount)
{
    auto output = std::make_unique<QSGGeometry>(QSGGeometry::defaultAttributes_Point2D(), vertexCount);
    output->setDrawingMode(QSGGeometry::DrawTriangles);
    QSGGeometry::Point2D *vertex = output->vertexDataAsPoint2D();
    for (int i = 0; i < vertexCount; ++i)
        vertex[i].set(float(Sentinel.x()), float(Sentinel.y()));
    return output;
}

QPolygonF TestUTesselator::written(const QSGGeometry &output, int count)
{
    QPolygonF points;
    const QSGGeometry::Point2D *vertex = output.vertexDataAsPoint2D();
    for (int i = 0; i < count; ++i)
        points << QPointF(vertex[i].x, vertex[i].y);
    return points;
}

static double shoelace(const QPolygonF &polygon)
{
    double sum = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF &p = polygon.at(i);
        const QPointF &q = polygon.at((i + 1) % polygon.size());
        sum += p.x() * q.y() - q.x() * p.y();
    }
    return sum / 2;
}

static QPolygonF star(int tips)
{
    QPolygonF points;
    for (int i = 0; i < 2 * tips; ++i) {
        const double radius = i % 2 ? 1.0 : 3.0;
        const double angle = M_PI * i / tips;
        points << QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    return points;
}

// Five points joined every second one: a self-intersecting star.
static QPolygonF pentagram()
{
    QPolygonF points;
    for (int i = 0; i < 5; ++i) {
        const double angle = M_PI / 2 + 4 * M_PI * i / 5;
        points << QPointF(qCos(angle), qSin(angle));
    }
    return points;
}

void TestUTesselator::triangulate_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QPolygonF>("exact"); // expected vertices in order; empty: not checked

    const QPointF p0(0, 0), p1(1, 0), p2(0, 1);
    QTest::newRow("triangle, positive area") << QPolygonF{p0, p1, p2} << true << QPolygonF{p2, p0, p1};
    QTest::newRow("triangle, negative area") << QPolygonF{p0, p2, p1} << true << QPolygonF{p0, p1, p2};

    const QPointF q0(0, 0), q1(2, 0), q2(2, 1), q3(0, 1);
    QTest::newRow("convex quad, positive area")
        << QPolygonF{q0, q1, q2, q3} << true << QPolygonF{q3, q0, q1, q1, q2, q3};
    QTest::newRow("convex quad, negative area")
        << QPolygonF{q0, q3, q2, q1} << true << QPolygonF{q0, q1, q2, q2, q3, q0};

    const QPolygonF ell{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    QTest::newRow("concave L") << ell << true << QPolygonF();
    QPolygonF reversedEll(ell.rbegin(), ell.rend());
    QTest::newRow("concave L, negative area") << reversedEll << true << QPolygonF();
    QTest::newRow("concave star") << star(5) << true << QPolygonF();
    QTest::newRow("collinear corner on an edge")
        << QPolygonF{{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}} << true << QPolygonF();

    QTest::newRow("all points collinear") << QPolygonF{{0, 0}, {1, 0}, {2, 0}} << false << QPolygonF();
    QTest::newRow("bow-tie") << QPolygonF{{0, 0}, {1, 1}, {1, 0}, {0, 1}} << false << QPolygonF();
    QTest::newRow("pentagram") << pentagram() << false << QPolygonF();
    QTest::newRow("two points") << QPolygonF{{0, 0}, {1, 0}} << false << QPolygonF();
    QTest::newRow("no points") << QPolygonF() << false << QPolygonF();
}

void TestUTesselator::triangulate()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(bool, ok);
    QFETCH(QPolygonF, exact);

    const int n = int(polygon.size());
    const int vertexCount = n < 3 ? 3 : 3 * (n - 2);
    const auto output = geometry(vertexCount);
    QCOMPARE(UTesselator::instance()->triangulate(polygon, output.get()), ok);

    const QPolygonF vertices = written(*output, vertexCount);
    if (n < 3) {
        QCOMPARE(vertices, QPolygonF(vertexCount, Sentinel));
        return;
    }
    if (!ok)
        return;
    if (!exact.isEmpty())
        QCOMPARE(vertices, exact);

    // n - 2 triangles, each turning the positive way, covering the polygon's area.
    double total = 0;
    for (int t = 0; t < n - 2; ++t) {
        const double triangleArea = shoelace(vertices.mid(3 * t, 3));
        QVERIFY2(triangleArea > 0, qPrintable(QStringLiteral("triangle %1").arg(t)));
        total += triangleArea;
    }
    QVERIFY(qAbs(total - qAbs(shoelace(polygon))) < 1e-5);
}

void TestUTesselator::refusesOutputThatCannotHoldTheTriangles_data()
{
    QTest::addColumn<int>("layout"); // 0 Point2D, 1 coloured points, 2 no output
    QTest::addColumn<int>("vertexCount");

    QTest::newRow("one vertex short") << 0 << 5;
    QTest::newRow("empty buffer") << 0 << 0;
    QTest::newRow("coloured vertex layout") << 1 << 6;
    QTest::newRow("no output") << 2 << 0;
}

void TestUTesselator::refusesOutputThatCannotHoldTheTriangles()
{
    QFETCH(int, layout);
    QFETCH(int, vertexCount);

    const QPolygonF square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    if (layout == 2) {
        QVERIFY(!UTesselator::instance()->triangulate(square, nullptr));
        return;
    }
    if (layout == 1) {
        QSGGeometry coloured(QSGGeometry::defaultAttributes_ColoredPoint2D(), vertexCount);
        QSGGeometry::ColoredPoint2D *vertex = coloured.vertexDataAsColoredPoint2D();
        for (int i = 0; i < vertexCount; ++i)
            vertex[i].set(-1, -1, 1, 2, 3, 4);
        QVERIFY(!UTesselator::instance()->triangulate(square, &coloured));
        for (int i = 0; i < vertexCount; ++i)
            QVERIFY(vertex[i].x == -1 && vertex[i].y == -1 && vertex[i].r == 1 && vertex[i].a == 4);
        return;
    }
    const auto output = geometry(vertexCount);
    QVERIFY(!UTesselator::instance()->triangulate(square, output.get()));
    QCOMPARE(written(*output, vertexCount), QPolygonF(vertexCount, Sentinel));
}

void TestUTesselator::area_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<float>("expected");

    QTest::newRow("empty") << QPolygonF() << 0.0f;
    QTest::newRow("one point") << QPolygonF{{3, 4}} << 0.0f;
    QTest::newRow("positive triangle") << QPolygonF{{0, 0}, {1, 0}, {0, 1}} << 0.5f;
    QTest::newRow("negative triangle") << QPolygonF{{0, 0}, {0, 1}, {1, 0}} << -0.5f;
    QTest::newRow("L") << QPolygonF{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}} << 3.0f;
    QTest::newRow("bow-tie cancels") << QPolygonF{{0, 0}, {1, 1}, {1, 0}, {0, 1}} << 0.0f;
}

void TestUTesselator::area()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(float, expected);
    QCOMPARE(UTesselator::instance()->area(polygon), expected);
}

void TestUTesselator::insideTriangle_data()
{
    QTest::addColumn<QPointF>("p");
    QTest::addColumn<bool>("inside");

    QTest::newRow("inside") << QPointF(0.25, 0.25) << true;
    QTest::newRow("on an edge") << QPointF(0.5, 0) << true;
    QTest::newRow("on the hypotenuse") << QPointF(0.5, 0.5) << true;
    QTest::newRow("on a corner") << QPointF(1, 0) << true;
    QTest::newRow("outside") << QPointF(0.6, 0.6) << false;
    QTest::newRow("beyond a corner") << QPointF(-0.1, 0) << false;
}

void TestUTesselator::insideTriangle()
{
    QFETCH(QPointF, p);
    QFETCH(bool, inside);
    // Counter-clockwise in y-up terms, the sense the triangulation works in.
    QCOMPARE(UTesselator::instance()->insideTriangle({0, 0}, {1, 0}, {0, 1}, p), inside);
}

void TestUTesselator::isEar_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("w");
    QTest::addColumn<bool>("ear");

    const QPolygonF ell{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    QTest::newRow("convex corner") << ell << 0 << 1 << 2 << true;
    QTest::newRow("reflex corner") << ell << 2 << 3 << 4 << false;
    QTest::newRow("convex corner with a point on its cut") << ell << 5 << 0 << 1 << false;
    QTest::newRow("collinear corner")
        << QPolygonF{{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}} << 0 << 1 << 2 << false;
    QTest::newRow("position out of range") << ell << 4 << 5 << 6 << false;
}

void TestUTesselator::isEar()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(int, u);
    QFETCH(int, v);
    QFETCH(int, w);
    QFETCH(bool, ear);

    QList<int> workList;
    for (int i = 0; i < polygon.size(); ++i)
        workList << i;
    QCOMPARE(UTesselator::instance()->isEar(u, v, w, workList, polygon), ear);
}

void TestUTesselator::instanceOutlivesDeletion()
{
    // The model deletes the instance at shutdown; asking again gives a fresh one.
    delete UTesselator::instance();
    UTesselator *again = UTesselator::instance();
    QVERIFY(again);
    const auto output = geometry(3);
    QVERIFY(again->triangulate(QPolygonF{{0, 0}, {1, 0}, {0, 1}}, output.get()));
}

VVB_TEST_GUILESS_MAIN(TestUTesselator)
#include "tst_utesselator.moc"
