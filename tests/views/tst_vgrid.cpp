#include "views/VGrid.h"

#include <QtTest>

#include <limits>

#include "support/TestMain.h"

// The snapping grid: truncation towards zero and the arrow-key steps.
class TestVGrid : public QObject
{
    Q_OBJECT

private slots:
    void sizeFollowsTheScale_data();
    void sizeFollowsTheScale();
    void snapTruncatesTowardsZero_data();
    void snapTruncatesTowardsZero();
    void nudgeVectorPerKey_data();
    void nudgeVectorPerKey();
};

void TestVGrid::sizeFollowsTheScale_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<float>("size");
    QTest::newRow("1") << 1.0f << 5.0f;
    QTest::newRow("2") << 2.0f << 10.0f;
    QTest::newRow("0.5") << 0.5f << 2.5f;
}

void TestVGrid::sizeFollowsTheScale()
{
    QFETCH(float, scale);
    QFETCH(float, size);
    QCOMPARE(VGrid().size(), 5.0f);
    QCOMPARE(VGrid(scale).size(), size);
}

void TestVGrid::snapTruncatesTowardsZero_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPointF>("snapped");
    QTest::newRow("scale 1, negative y towards zero") << 1.0f << QPointF(13.7, -7.2) << QPointF(10, -5);
    QTest::newRow("scale 2") << 2.0f << QPointF(13.7, 27) << QPointF(10, 20);
    QTest::newRow("on the grid") << 1.0f << QPointF(15, -20) << QPointF(15, -20);
    QTest::newRow("below one step") << 1.0f << QPointF(4.9, -4.9) << QPointF(0, 0);
    QTest::newRow("scale 0.5") << 0.5f << QPointF(7.4, 2.4) << QPointF(5, 0);
    QTest::newRow("drop at 13, 27") << 1.0f << QPointF(13, 27) << QPointF(10, 25);
    QTest::newRow("no size keeps the point") << 0.0f << QPointF(13.7, -7.2) << QPointF(13.7, -7.2);
    QTest::newRow("negative size keeps the point") << -1.0f << QPointF(3, 4) << QPointF(3, 4);
    QTest::newRow("not finite becomes 0") << 1.0f << QPointF(nan, inf) << QPointF(0, 0);
}

void TestVGrid::snapTruncatesTowardsZero()
{
    QFETCH(float, scale);
    QFETCH(QPointF, point);
    QFETCH(QPointF, snapped);
    const QPointF result = VGrid(scale).snap(point);
    QCOMPARE(result.x(), snapped.x());
    QCOMPARE(result.y(), snapped.y());
}

void TestVGrid::nudgeVectorPerKey_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("useGrid");
    QTest::addColumn<QPointF>("vector");
    QTest::newRow("left") << 1.0f << int(Qt::Key_Left) << true << QPointF(-5, 0);
    QTest::newRow("up") << 1.0f << int(Qt::Key_Up) << true << QPointF(0, -5);
    QTest::newRow("right") << 1.0f << int(Qt::Key_Right) << true << QPointF(5, 0);
    QTest::newRow("down") << 1.0f << int(Qt::Key_Down) << true << QPointF(0, 5);
    QTest::newRow("right at scale 2") << 2.0f << int(Qt::Key_Right) << true << QPointF(10, 0);
    QTest::newRow("left without grid") << 2.0f << int(Qt::Key_Left) << false << QPointF(-1, 0);
    QTest::newRow("down without grid") << 1.0f << int(Qt::Key_Down) << false << QPointF(0, 1);
    QTest::newRow("page up") << 1.0f << int(Qt::Key_PageUp) << true << QPointF(0, 0);
    QTest::newRow("a letter") << 1.0f << int(Qt::Key_A) << false << QPointF(0, 0);
}

void TestVGrid::nudgeVectorPerKey()
{
    QFETCH(float, scale);
    QFETCH(int, key);
    QFETCH(bool, useGrid);
    QFETCH(QPointF, vector);
    QCOMPARE(VGrid(scale).nudgeVector(key, useGrid), vector);
}

VVB_TEST_GUILESS_MAIN(TestVGrid)
#include "tst_vgrid.moc"
