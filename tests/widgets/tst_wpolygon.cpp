#include "support/TestMain.h"
#include "support/WidgetFixture.h"

#include "model/CControl.h"
#include "widgets/WPolygon.h"
#include "widgets/WRegion.h"

#include <QColor>
#include <QQuickItem>
#include <QtTest>

#include <cmath>

namespace {

using Vertices = QList<QPointF>;

const QString SmallSquare = QStringLiteral("0,0 10,0 10,10 0,10 ");
// The lower right quarter is cut out.
const QString WideLShape = QStringLiteral("0,0 100,0 100,50 50,50 50,100 0,100");

// A polygon control read from its settings on a headless panel (no tools:
// vertex lists are taken as they come).
struct PolygonFixture
{
    WPolygon *read(const QString &type, const WidgetFixture::Settings &settings)
    {
        CControl *pControl = fx.addControl(QStringLiteral("P"), type == QLatin1String("region")
                                                                    ? QStringLiteral("Region")
                                                                    : QStringLiteral("RoomSelector"));
        return qobject_cast<WPolygon *>(WidgetFixture::readWidget(pControl, type, settings));
    }
    WPolygon *polygon(const QString &vertexText, const QString &type = QStringLiteral("region"))
    {
        return read(type, {{QStringLiteral("x"), QStringLiteral("50")},
                           {QStringLiteral("y"), QStringLiteral("60")},
                           {QStringLiteral("polygon"), vertexText}});
    }

    WidgetFixture fx;
};

bool allFinite(const WPolygon *pPolygon)
{
    for (const QPointF &vertex : pPolygon->vertices()) {
        if (!std::isfinite(vertex.x()) || !std::isfinite(vertex.y()))
            return false;
    }
    const QRectF rect = pPolygon->widgetRect();
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
           && std::isfinite(rect.height());
}

} // namespace

class TestWPolygon : public QObject
{
    Q_OBJECT

private slots:
    void containsPoint_data();
    void containsPoint();
    void parsePath_data();
    void parsePath();
    void saveAndReopen_data();
    void saveAndReopen();
    void vertexJson();
    void reshapeStepsCoalesce();
    void gestureEndKeepsWaitingMove();
    void resize_data();
    void resize();
    void scaleGeometry_data();
    void scaleGeometry();
    void regionLinkPrefix_data();
    void regionLinkPrefix();
    void propertyIds();
    void regionLogsItsCreation();
};

void TestWPolygon::containsPoint_data()
{
    QTest::addColumn<QString>("vertexText");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("square centre") << SmallSquare << QPointF(5, 5) << true;
    QTest::newRow("square right of it") << SmallSquare << QPointF(15, 5) << false;
    QTest::newRow("square left edge, one touching edge") << SmallSquare << QPointF(0, 5) << true;
    QTest::newRow("square left edge within eps") << SmallSquare << QPointF(0.000001, 5) << true;
    QTest::newRow("square left of it") << SmallSquare << QPointF(-0.5, 5) << false;
    QTest::newRow("square above it") << SmallSquare << QPointF(5, -1) << false;
    QTest::newRow("L upper arm") << WideLShape << QPointF(75, 25) << true;
    QTest::newRow("L lower arm") << WideLShape << QPointF(25, 75) << true;
    QTest::newRow("L cut-out corner") << WideLShape << QPointF(75, 75) << false;
    QTest::newRow("L inner vertical edge") << WideLShape << QPointF(50, 75) << true;
    QTest::newRow("L right of the lower arm") << WideLShape << QPointF(51, 75) << false;
    QTest::newRow("no vertices") << QString() << QPointF(0, 0) << false;
}

void TestWPolygon::containsPoint()
{
    QFETCH(QString, vertexText);
    QFETCH(QPointF, point);
    QFETCH(bool, inside);
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(vertexText);
    QVERIFY(pPolygon);
    QCOMPARE(pPolygon->containsPoint(point), inside);
}

void TestWPolygon::parsePath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Vertices>("vertices");
    QTest::newRow("two pairs") << "1,2 3,4" << Vertices{{1, 2}, {3, 4}};
    QTest::newRow("trailing blank") << "1,2 3,4 " << Vertices{{1, 2}, {3, 4}};
    QTest::newRow("garbage between") << "1,2 abc 3,4" << Vertices{{1, 2}, {3, 4}};
    QTest::newRow("token beginning with its comma") << ",5 6,7" << Vertices{{6, 7}};
    QTest::newRow("unreadable numbers are 0") << "x,2 3,nan" << Vertices{{0, 2}, {3, 0}};
    QTest::newRow("decimals and negatives") << "-1.5,2.25 1e2,3" << Vertices{{-1.5, 2.25}, {100, 3}};
    QTest::newRow("empty") << "" << Vertices{};
    QTest::newRow("only blanks") << "   " << Vertices{};
}

void TestWPolygon::parsePath()
{
    QFETCH(QString, text);
    QFETCH(Vertices, vertices);
    QCOMPARE(WPolygon::parsePath(text), vertices);
}

void TestWPolygon::saveAndReopen_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("withFillAndPath");
    QTest::newRow("region") << "region" << true;
    QTest::newRow("roomselector") << "roomselector" << false;
}

void TestWPolygon::saveAndReopen()
{
    QFETCH(QString, type);
    QFETCH(bool, withFillAndPath);
    PolygonFixture f;
    WPolygon *pPolygon = f.read(type, {{QStringLiteral("x"), QStringLiteral("50")},
                                       {QStringLiteral("y"), QStringLiteral("60")},
                                       {QStringLiteral("polygon"), QStringLiteral("0,0 10,0 10,10 0,10.5")},
                                       {QStringLiteral("fieldcolor"), QStringLiteral("#ff102030")},
                                       {QStringLiteral("bordercolor"), QStringLiteral("#ff405060")},
                                       {QStringLiteral("borderwidth"), QStringLiteral("3")},
                                       {QStringLiteral("path"), QStringLiteral("..\\Scene\\Panel 2")}});
    QVERIFY(pPolygon);
    const WidgetFixture::Settings saved = WidgetFixture::saved(pPolygon);
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("polygon")), QStringLiteral("0,0 10,0 10,10 0,10.5 "));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("bordercolor")), QStringLiteral("#ff405060"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("borderwidth")), QStringLiteral("3"));
    QCOMPARE(WidgetFixture::names(saved).contains(QStringLiteral("fieldcolor")), withFillAndPath);
    QCOMPARE(WidgetFixture::names(saved).contains(QStringLiteral("path")), withFillAndPath);

    auto *pReopened = qobject_cast<WPolygon *>(f.fx.reload(pPolygon));
    QVERIFY(pReopened);
    QCOMPARE(pReopened->vertices(), pPolygon->vertices());
    QCOMPARE(pReopened->outline().position, QPointF(50, 60));
    QCOMPARE(WidgetFixture::saved(pReopened), saved);
    if (withFillAndPath)
        QCOMPARE(pReopened->linkPath(), QStringLiteral("..\\Scene\\Panel 2"));
    // The drawing holds the same list.
    QCOMPARE(WPolygon::parseVertexJson(pReopened->widgetProperty("polygon").toString()), pPolygon->vertices());
}

void TestWPolygon::vertexJson()
{
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(QStringLiteral("0,0 10.25,0 10,1e-3"));
    QVERIFY(pPolygon);
    QCOMPARE(WPolygon::parseVertexJson(pPolygon->getVertexJson()), pPolygon->vertices());
    pPolygon->saveVertices(QStringLiteral("[{\"x\": 1, \"y\": 2}, {\"x\": 3.5, \"y\": 4}]"));
    QCOMPARE(pPolygon->vertices(), Vertices({{1, 2}, {3.5, 4}}));
    pPolygon->saveVertices(QStringLiteral("[{\"x\": 1, \"y\": "));
    QVERIFY(pPolygon->vertices().isEmpty());
    QVERIFY(WPolygon::parseVertexJson(QStringLiteral("{\"x\": 1}")).isEmpty());
    QCOMPARE(WPolygon::parseVertexJson(QStringLiteral("[{\"x\": \"a\"}, 7]")), Vertices({{0, 0}, {0, 0}}));
}

// Only the last of two quick steps is applied, after the delay.
void TestWPolygon::reshapeStepsCoalesce()
{
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(SmallSquare);
    QVERIFY(pPolygon);
    pPolygon->reshape(QPointF(20, 0), 1, 0);
    pPolygon->reshape(QPointF(30, 5), 1, 0);
    QCOMPARE(pPolygon->vertexAt(1), QPointF(10, 0));
    QTRY_COMPARE(pPolygon->vertexAt(1), QPointF(30, 5));
    QTest::qWait(2 * WPolygon::ReshapeDelay);
    QCOMPARE(pPolygon->vertexAt(1), QPointF(30, 5));
}

// The end of a gesture comes right after its last move: the move counts.
void TestWPolygon::gestureEndKeepsWaitingMove()
{
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(SmallSquare);
    QVERIFY(pPolygon);
    pPolygon->reshape(QPointF(-10, 5), 0, 0);
    pPolygon->reshape(QPointF(0, 0), -1, 1);
    // Moved and refitted at once: the item grew to the left.
    QCOMPARE(pPolygon->vertices(), Vertices({{0, 5}, {20, 0}, {20, 10}, {10, 10}}));
    QCOMPARE(pPolygon->outline().position, QPointF(40, 60));
}

void TestWPolygon::resize_data()
{
    QTest::addColumn<QString>("vertexText");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<qreal>("size");
    QTest::addColumn<Vertices>("vertices");
    QTest::newRow("width doubled") << "0,0 100,0 100,40" << true << 200.0 << Vertices{{0, 0}, {200, 0}, {200, 40}};
    QTest::newRow("height halved") << "0,0 100,0 100,40" << false << 20.0 << Vertices{{0, 0}, {100, 0}, {100, 20}};
    QTest::newRow("no width") << "0,0 0,10 0,20" << true << 50.0 << Vertices{{0, 0}, {0, 10}, {0, 20}};
    QTest::newRow("no height") << "0,0 10,0 20,0" << false << 50.0 << Vertices{{0, 0}, {10, 0}, {20, 0}};
}

void TestWPolygon::resize()
{
    QFETCH(QString, vertexText);
    QFETCH(bool, horizontal);
    QFETCH(qreal, size);
    QFETCH(Vertices, vertices);
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(vertexText);
    QVERIFY(pPolygon);
    pPolygon->setPropertyValue(horizontal ? WidgetPropertyId::Width : WidgetPropertyId::Height, size);
    QVERIFY(allFinite(pPolygon));
    QCOMPARE(pPolygon->vertices(), vertices);
    QCOMPARE(pPolygon->outline().position, QPointF(50, 60));
    QCOMPARE(WPolygon::parseVertexJson(pPolygon->widgetProperty("polygon").toString()), vertices);
}

void TestWPolygon::scaleGeometry_data()
{
    QTest::addColumn<bool>("both");
    QTest::addColumn<Vertices>("vertices");
    QTest::newRow("both axes") << true << Vertices{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    QTest::newRow("x divided") << false << Vertices{{0, 0}, {5, 0}, {5, 20}, {0, 20}};
}

void TestWPolygon::scaleGeometry()
{
    QFETCH(bool, both);
    QFETCH(Vertices, vertices);
    PolygonFixture f;
    WPolygon *pPolygon = f.polygon(SmallSquare);
    QVERIFY(pPolygon);
    pPolygon->scaleGeometry(2.0, both);
    QCOMPARE(pPolygon->vertices(), vertices);
    pPolygon->scaleGeometry(0.0, both);
    QCOMPARE(pPolygon->vertices(), vertices);
}

void TestWPolygon::regionLinkPrefix_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("oldPrefix");
    QTest::addColumn<QString>("newPrefix");
    QTest::addColumn<QString>("result");
    QTest::newRow("below the renamed step") << "..\\A\\x" << "..\\A" << "..\\B" << "..\\B\\x";
    QTest::newRow("the renamed step itself") << "..\\A" << "..\\A" << "..\\B" << "..\\B";
    QTest::newRow("same beginning, other name") << "..\\AB\\x" << "..\\A" << "..\\B" << "..\\AB\\x";
    QTest::newRow("deeper occurrence") << "..\\D\\A\\x" << "..\\A" << "..\\B" << "..\\D\\A\\x";
    QTest::newRow("case differs") << "..\\a\\x" << "..\\A" << "..\\B" << "..\\a\\x";
}

void TestWPolygon::regionLinkPrefix()
{
    QFETCH(QString, path);
    QFETCH(QString, oldPrefix);
    QFETCH(QString, newPrefix);
    QFETCH(QString, result);
    PolygonFixture f;
    WPolygon *pRegion = f.polygon(SmallSquare);
    QVERIFY(pRegion);
    pRegion->setPropertyValue(WidgetPropertyId::LinkPath, path);
    pRegion->replaceLinkPrefix(oldPrefix, newPrefix);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::LinkPath).toString(), result);
}

void TestWPolygon::propertyIds()
{
    PolygonFixture f;
    WPolygon *pRegion = f.polygon(SmallSquare);
    QVERIFY(pRegion);
    pRegion->setPropertyValue(WidgetPropertyId::FieldColor, QColor(Qt::red));
    QCOMPARE(pRegion->widgetProperty("fieldColor").value<QColor>(), QColor(Qt::red));
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::FieldColor).value<QColor>(), QColor(Qt::red));
    pRegion->setPropertyValue(WidgetPropertyId::BorderWidth, 6.0);
    QCOMPARE(pRegion->widgetProperty("borderWidth").toReal(), 6.0);
    // A thin border is drawn one pixel wide and kept as chosen.
    pRegion->setPropertyValue(WidgetPropertyId::BorderWidth, 0.25);
    QCOMPARE(pRegion->widgetProperty("borderWidth").toReal(), 0.25);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::BorderWidth).toReal(), 0.25);
    QObject *pOutline = pRegion->widget()->findChild<QObject *>(QStringLiteral("outline"));
    QVERIFY(pOutline);
    QCOMPARE(pOutline->property("strokeWidth").toReal(), 1.0);
    QCOMPARE(WidgetFixture::valueOf(WidgetFixture::saved(pRegion), QStringLiteral("borderwidth")),
             QStringLiteral("0.25"));
    pRegion->setPropertyValue(WidgetPropertyId::BorderWidth, 6.0);
    QCOMPARE(pOutline->property("strokeWidth").toReal(), 6.0);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::XPos).toInt(), 50);
    QCOMPARE(pRegion->propertyValue(WidgetPropertyId::SelectedOpacity).toString(), QString());
}

void TestWPolygon::regionLogsItsCreation()
{
    PolygonFixture f;
    const QString logPath = QDir::homePath() + QStringLiteral("/Documents/vmrlog.txt");
    auto lines = [&logPath]() {
        QFile file(logPath);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("Test Log Write Success")) : 0;
    };
    const int before = lines();
    QVERIFY(f.polygon(SmallSquare));
    QVERIFY(f.polygon(SmallSquare));
    QVERIFY(f.polygon(SmallSquare, QStringLiteral("roomselector")));
    QCOMPARE(lines(), before + 2);
}

VVB_TEST_MAIN(TestWPolygon)
#include "tst_wpolygon.moc"
