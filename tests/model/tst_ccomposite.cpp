#include "model/PanelFixture.h"

#include "model/CCanvas.h"
#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "transforms/TTransform.h"
#include "xml/XmlWriter.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStandardItemModel>
#include <QtTest>

namespace {

// Root "Scenes" with two scenes of two panels each, every panel holding one control.
struct Document
{
    Document()
    {
        root.setType(QStringLiteral("Scenes"));
        root.setName(QStringLiteral("Project"));
        for (const QString &sceneName : {QStringLiteral("Lobby"), QStringLiteral("Hall")}) {
            auto *pScene = new CComposite;
            pScene->setKind(QStringLiteral("Scene"));
            pScene->setName(sceneName);
            root.addChild(pScene);
            for (const QString &panelName : {QStringLiteral("Home"), QStringLiteral("Mics")}) {
                auto *pPanel = new CComposite;
                pPanel->setKind(QStringLiteral("Panel"));
                pPanel->setName(panelName);
                pScene->addChild(pPanel);
                auto *pControl = new CControl;
                pControl->setKind(QStringLiteral("Control"));
                pControl->setName(sceneName + QLatin1Char(' ') + panelName);
                pControl->setType(QStringLiteral("Button"));
                pPanel->addChild(pControl);
            }
        }
    }

    CComposite *scene(int i) const { return static_cast<CComposite *>(root.childAt(i)); }
    CComposite *panel(int scene, int i) const { return static_cast<CComposite *>(this->scene(scene)->childAt(i)); }

    CComposite root;
};

CControl *namedControl(const QString &name)
{
    auto *pControl = new CControl;
    pControl->setName(name);
    return pControl;
}

} // namespace

class TestCComposite : public QObject
{
    Q_OBJECT

private slots:
    void init() { PanelFixture::flushDeletes(); }

    // children
    void addAndRemove();
    void notOwnerBorrowsOnly();
    void moveChild_data();
    void moveChild();
    void stackingHelpers();
    void removingNodeEmptiesTheComposite();

    // current child and paths
    void selectAndCurrentChild();
    void findByPath_data();
    void findByPath();
    void pathOfAnElement();
    void isNameUnique();

    // state-request chain
    void stateChainAsksOneControlPerTick();
    void stateChainGoesOnFromWhereItStands();
    void stateChainStopsWhenPollingIsCleared();
    void stateChainEndsAtARemovedChild();

    // panels
    void setPanelType_data();
    void setPanelType();
    void boundsAndScale();
    void scaleSkipsEmptyAndZero();
    void centerHorizontally();
    void centringLeavesWiderContentInPlace_data();
    void centringLeavesWiderContentInPlace();
    void titleOfASingleChild();
    void treeItems();
    void writeXml();
};

// ---------------------------------------------------------------- children

void TestCComposite::addAndRemove()
{
    CComposite panel;
    panel.addChild(nullptr);
    QCOMPARE(panel.childCount(), 0);
    auto *pA = namedControl(QStringLiteral("A"));
    auto *pB = namedControl(QStringLiteral("B"));
    panel.addChild(pA);
    panel.addChild(pB);
    QCOMPARE(pA->parentComposite(), &panel);
    QCOMPARE(panel.childAt(1), pB);
    QVERIFY(!panel.childAt(2));
    QVERIFY(!panel.childAt(-1));
    QVERIFY(panel.contains(pB));
    QVERIFY(!panel.contains(&panel));
    QCOMPARE(panel.lastRemoved(), -1);

    CControl stranger;
    panel.removeChild(&stranger, true);
    panel.removeChild(nullptr, true);
    QCOMPARE(panel.childCount(), 2);

    QVERIFY(panel.selectChild(QStringLiteral("Composite"), QStringLiteral("B")));
    QCOMPARE(panel.currentIndex(), 1);
    QPointer<CControl> pWatched = pB;
    panel.removeChild(pB, true);
    QCOMPARE(panel.lastRemoved(), 1);
    QCOMPARE(panel.currentIndex(), 0);
    PanelFixture::flushDeletes();
    QVERIFY(!pWatched);

    pWatched = pA;
    panel.removeChild(pA, false);
    PanelFixture::flushDeletes();
    QVERIFY(pWatched);
    delete pA;
}

void TestCComposite::notOwnerBorrowsOnly()
{
    PanelFixture fx;
    CControl *pA = fx.control(QStringLiteral("A"));
    pA->initialize();
    QPointer<CControl> pWatched = pA;
    {
        CComposite selection;
        selection.setNotOwner(true);
        selection.addChild(pA);
        QCOMPARE(pA->parentComposite(), &fx.panel);
        QCOMPARE(pA->transform()->useCount(), 1);
        selection.clear();
        QCOMPARE(selection.childCount(), 0);
        selection.addChild(pA);
    }
    PanelFixture::flushDeletes();
    QVERIFY(pWatched);
    QCOMPARE(fx.panel.childCount(), 1);
}

void TestCComposite::moveChild_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("current");

    QTest::newRow("first up") << 0 << -1 << false << QStringLiteral("ABC") << 0;
    QTest::newRow("second up") << 1 << -1 << true << QStringLiteral("BAC") << 0;
    QTest::newRow("first down") << 0 << 1 << true << QStringLiteral("BAC") << 1;
    QTest::newRow("last down") << 2 << 1 << false << QStringLiteral("ABC") << 0;
    QTest::newRow("two down") << 0 << 2 << true << QStringLiteral("CBA") << 2;
}

void TestCComposite::moveChild()
{
    QFETCH(int, index);
    QFETCH(int, offset);
    QFETCH(bool, moved);
    QFETCH(QString, order);
    QFETCH(int, current);
    CComposite scene;
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        scene.addChild(namedControl(name));
    QCOMPARE(scene.moveChild(scene.childAt(index), offset), moved);
    QString names;
    for (const CControl *pChild : scene.children())
        names += pChild->name();
    QCOMPARE(names, order);
    QCOMPARE(scene.currentIndex(), current);
    CControl stranger;
    QVERIFY(!scene.moveChild(&stranger, 1));
}

void TestCComposite::stackingHelpers()
{
    PanelFixture fx;
    QList<CControl *> controls;
    for (int i = 0; i < 4; ++i) {
        controls.append(fx.control(QString::number(i)));
        PanelFixture::widget(controls.last(), QStringLiteral("slider"),
                             {{QStringLiteral("x"), QString::number(10 * i)},
                              {QStringLiteral("width"), QStringLiteral("5")},
                              {QStringLiteral("height"), QStringLiteral("5")}});
    }
    CComposite selection;
    selection.setNotOwner(true);
    selection.addChild(controls.at(3));
    selection.addChild(controls.at(1));
    CControl stranger;
    selection.addChild(&stranger);

    QList<int> positions{42};
    fx.panel.childPositions(&selection, positions);
    QCOMPARE(positions, (QList<int>{3, 1, -1}));

    fx.panel.moveChildrenTo(&selection, 0);
    QCOMPARE(fx.panel.children(), (QList<CControl *>{controls.at(1), controls.at(3), controls.at(0), controls.at(2)}));
    fx.panel.moveChildrenTo(&selection, 99); // clamped to the end
    QCOMPARE(fx.panel.children().last(), controls.at(1));

    QList<QRectF> rects;
    fx.panel.childBounds(rects);
    QCOMPARE(rects.size(), 4);
    QCOMPARE(rects.first(), QRectF(0, 0, 5, 5));
    selection.clear();
}

void TestCComposite::removingNodeEmptiesTheComposite()
{
    FakeProcessor processor;
    auto *pNode = new FakeNode;
    processor.addNode(pNode);
    FakeNode &node = *pNode;
    CComposite panel;
    panel.setNode(&node);
    QPointer<CControl> pA = namedControl(QStringLiteral("A"));
    panel.addChild(pA);
    panel.addChild(namedControl(QStringLiteral("B")));
    emit node.removingNode(&node);
    QCOMPARE(panel.childCount(), 0);
    QVERIFY(!panel.node());
    PanelFixture::flushDeletes();
    QVERIFY(!pA);
}

// ---------------------------------------------------------------- current child and paths

void TestCComposite::selectAndCurrentChild()
{
    Document doc;
    QCOMPARE(doc.root.currentChildIn(QStringLiteral("Scenes")), doc.scene(0));
    QCOMPARE(doc.root.currentChildIn(QStringLiteral("Panels")), doc.panel(0, 0));
    QVERIFY(!doc.root.currentChildIn(QStringLiteral("Nothing")));

    QVERIFY(doc.root.selectChild(QStringLiteral("Scenes"), QStringLiteral("Hall")));
    QCOMPARE(doc.root.currentChildIn(QStringLiteral("Scenes")), doc.scene(1));
    QVERIFY(doc.root.selectChild(QStringLiteral("Panels"), QStringLiteral("Mics")));
    QCOMPARE(doc.scene(0)->currentIndex(), 1); // the first scene that has one
    QCOMPARE(doc.root.currentChildIn(QStringLiteral("Panels")), doc.panel(1, 0));
    QVERIFY(!doc.root.selectChild(QStringLiteral("Scenes"), QStringLiteral("Garden")));

    CComposite empty;
    QVERIFY(!empty.currentChildIn(QStringLiteral("Composite")));
}

void TestCComposite::findByPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("panel");

    QTest::newRow("root only") << QStringLiteral("..") << true << 0 << 0;
    QTest::newRow("panel") << QStringLiteral("..\\Hall\\Mics") << true << 1 << 1;
    QTest::newRow("control") << QStringLiteral("..\\Hall\\Mics\\Hall Mics") << true << 1 << 1;
    QTest::newRow("wrong first step") << QStringLiteral("Project\\Hall\\Mics") << false << 0 << 0;
    QTest::newRow("no such panel") << QStringLiteral("..\\Hall\\Stage") << false << 0 << 0;
    QTest::newRow("empty") << QString() << false << 0 << 0;
}

void TestCComposite::findByPath()
{
    QFETCH(QString, path);
    QFETCH(bool, found);
    QFETCH(int, scene);
    QFETCH(int, panel);
    Document doc;
    QString rest = path;
    QCOMPARE(doc.root.findByPath(rest), found);
    QCOMPARE(rest, found ? QString() : path);
    QCOMPARE(doc.root.currentIndex(), scene);
    QCOMPARE(doc.scene(scene)->currentIndex(), panel);
}

void TestCComposite::pathOfAnElement()
{
    Document doc;
    CControl *pControl = doc.panel(1, 1)->childAt(0);
    const QString path = doc.root.path(pControl);
    QCOMPARE(path, QStringLiteral("..\\Hall\\Mics\\Hall Mics"));
    QCOMPARE(doc.root.path(&doc.root), QStringLiteral("Project"));
    CControl stranger;
    QCOMPARE(doc.root.path(&stranger), QString());
    QString rest = path;
    QVERIFY(doc.root.findByPath(rest));
    QCOMPARE(doc.root.currentChildIn(QStringLiteral("Panels")), doc.panel(1, 1));
}

void TestCComposite::isNameUnique()
{
    Document doc;
    CComposite *pScene = doc.scene(0);
    CControl *pHome = pScene->childAt(0);
    QVERIFY(pScene->isNameUnique(QStringLiteral("Home"), pHome));
    QVERIFY(!pScene->isNameUnique(QStringLiteral("Mics"), pHome));
    QVERIFY(pScene->isNameUnique(QStringLiteral("Stage"), pHome));
    // Without an exception an element asks its parent, excepting itself.
    QVERIFY(pHome->isNameUnique(QStringLiteral("Home"), nullptr));
    QVERIFY(!pHome->isNameUnique(QStringLiteral("Mics"), nullptr));
    QVERIFY(!doc.root.isNameUnique(QStringLiteral("Anything"), nullptr));
}

// ---------------------------------------------------------------- state-request chain

namespace {

// A panel of ten polled controls whose requests the protocol records.
struct PolledPanel
{
    PolledPanel()
    {
        node.setProtocol(&protocol);
        for (int i = 0; i < 10; ++i) {
            CControl *pControl = fx.control(QStringLiteral("Gain %1").arg(i), QStringLiteral("Slider"), &node);
            pControl->attachTransform();
            pControl->transform()->setPollDivider(1);
            transforms.append(pControl->transform());
        }
    }

    // Indexes of the requested controls, in request order.
    QList<int> order() const
    {
        QList<int> indexes;
        for (TTransform *pTransform : protocol.requestedValues())
            indexes.append(int(transforms.indexOf(pTransform)));
        return indexes;
    }

    // Lets the chain run in steps shorter than its interval until n requests went out.
    bool waitFor(int n) const
    {
        QDeadlineTimer deadline(5000);
        while (protocol.requestedValues().size() < n && !deadline.hasExpired())
            QTest::qWait(1);
        return protocol.requestedValues().size() >= n;
    }

    static QList<int> range(int from, int to)
    {
        QList<int> values;
        for (int i = from; i < to; ++i)
            values.append(i);
        return values;
    }

    PanelFixture fx;
    RecordingProtocol protocol;
    FakeNode &node = *fx.node();
    QList<TTransform *> transforms;
};

} // namespace

void TestCComposite::stateChainAsksOneControlPerTick()
{
    PolledPanel polled;
    QVERIFY(polled.fx.panel.requestState());
    QCOMPARE(polled.order(), QList<int>{0}); // the first at once
    QTRY_COMPARE(polled.order().size(), 10);
    QCOMPARE(polled.order(), PolledPanel::range(0, 10));
    QCOMPARE(polled.fx.panel.pollIndex(), 10);

    // A finished pass starts again at the first control.
    polled.protocol.clear();
    polled.fx.panel.requestState();
    QTRY_COMPARE(polled.order().size(), 10);
    QCOMPARE(polled.order(), PolledPanel::range(0, 10));
}

void TestCComposite::stateChainGoesOnFromWhereItStands()
{
    PolledPanel polled;
    polled.fx.panel.requestState();
    QVERIFY(polled.waitFor(3));
    QVERIFY(polled.order().size() < 10);
    // The next polling period finds the pass unfinished and goes on.
    polled.fx.panel.requestState();
    QTRY_COMPARE(polled.order().size(), 10);
    QCOMPARE(polled.order(), PolledPanel::range(0, 10));
}

void TestCComposite::stateChainStopsWhenPollingIsCleared()
{
    PolledPanel polled;
    polled.fx.panel.setPollActive(false);
    QVERIFY(polled.fx.panel.requestState());
    QVERIFY(polled.order().isEmpty());

    polled.fx.panel.setPollActive(true);
    polled.fx.panel.requestState();
    QVERIFY(polled.waitFor(2));
    polled.fx.panel.setPollActive(false);
    const int stopped = int(polled.order().size());
    QVERIFY(stopped < 10);
    QTest::qWait(60);
    QCOMPARE(polled.order(), PolledPanel::range(0, stopped));

    // Polling again goes on from where the pass stood.
    polled.fx.panel.setPollActive(true);
    polled.fx.panel.requestState();
    QTRY_COMPARE(polled.order().size(), 10);
    QCOMPARE(polled.order(), PolledPanel::range(0, 10));
}

void TestCComposite::stateChainEndsAtARemovedChild()
{
    PolledPanel polled;
    polled.fx.panel.requestState();
    // Drop the tail while the pass runs: the pass ends, nothing is asked twice.
    while (polled.fx.panel.childCount() > 4)
        polled.fx.panel.removeChild(polled.fx.panel.childAt(polled.fx.panel.childCount() - 1), true);
    QTest::qWait(60);
    QCOMPARE(polled.order(), PolledPanel::range(0, 4));
    polled.protocol.clear();
    polled.fx.panel.requestState();
    QTRY_COMPARE(polled.order().size(), 4);
    CComposite empty;
    QVERIFY(empty.requestState());
}

// ---------------------------------------------------------------- panels

void TestCComposite::setPanelType_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("children");
    QTest::addColumn<bool>("dropSite");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("drop site infers template") << "Panel" << 2 << true << QString() << 2;
    QTest::newRow("one child infers custom") << "Panel" << 1 << false << QString() << 3;
    QTest::newRow("two children infer complete") << "Panel" << 2 << false << QString() << 1;
    QTest::newRow("no child infers complete") << "Panel" << 0 << false << QString() << 1;
    QTest::newRow("named custom") << "Panel" << 2 << false << "custom" << 3;
    QTest::newRow("named template") << "Panel" << 0 << false << "template" << 2;
    QTest::newRow("unknown keeps") << "Panel" << 0 << false << "Custom" << 0;
    QTest::newRow("scene unchanged") << "Scene" << 1 << false << QString() << 0;
}

void TestCComposite::setPanelType()
{
    QFETCH(QString, kind);
    QFETCH(int, children);
    QFETCH(bool, dropSite);
    QFETCH(QString, text);
    QFETCH(int, expected);
    PanelFixture fx;
    CComposite composite;
    composite.setKind(kind);
    for (int i = 0; i < children; ++i) {
        CControl *pControl = fx.control(QString::number(i), QStringLiteral("Button"), nullptr, QString(), false);
        if (dropSite && i == 0)
            PanelFixture::widget(pControl, QStringLiteral("dropsite"), {{QStringLiteral("x"), QStringLiteral("0")}});
        composite.addChild(pControl);
    }
    composite.setPanelType(text);
    QCOMPARE(composite.panelType(), expected);
    const QStringList names = {QString(), QStringLiteral("complete"), QStringLiteral("template"), QStringLiteral("custom")};
    QCOMPARE(composite.panelTypeName(), names.at(expected));
    composite.clear();
}

void TestCComposite::boundsAndScale()
{
    PanelFixture fx;
    CControl *pA = fx.control(QStringLiteral("A"));
    WWidget *pWidget = PanelFixture::widget(pA, QStringLiteral("slider"),
                                            {{QStringLiteral("x"), QStringLiteral("10")},
                                             {QStringLiteral("y"), QStringLiteral("20")},
                                             {QStringLiteral("width"), QStringLiteral("100")},
                                             {QStringLiteral("height"), QStringLiteral("50")}});
    CControl *pB = fx.control(QStringLiteral("B"));
    PanelFixture::widget(pB, QStringLiteral("slider"),
                         {{QStringLiteral("x"), QStringLiteral("200")},
                          {QStringLiteral("y"), QStringLiteral("0")},
                          {QStringLiteral("width"), QStringLiteral("10")},
                          {QStringLiteral("height"), QStringLiteral("10")}});
    QCOMPARE(fx.panel.bounds(), QRectF(10, 0, 200, 70));

    // Without a size of its own the panel keeps its controls as they were placed.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(double(screen.height()) / screen.width() < 2.0);
    fx.panel.setScale(1.0f, 140.0f, true);
    QCOMPARE(pWidget->geometry(), QRectF(10, 20, 100, 50));

    // A "bounds" widget gives the panel's bounds, which it fits to the length:
    // the height on a screen that is not tall.
    CControl *pC = fx.control(QStringLiteral("C"));
    PanelFixture::widget(pC, QStringLiteral("bounds"),
                         {{QStringLiteral("width"), QStringLiteral("300")}, {QStringLiteral("height"), QStringLiteral("70")}});
    QCOMPARE(fx.panel.bounds(), QRectF(0, 0, 300, 70));
    fx.panel.setScale(1.0f, 140.0f, true);
    QCOMPARE(pWidget->geometry(), QRectF(20, 40, 200, 100));
    QCOMPARE(fx.panel.bounds(), QRectF(0, 0, 600, 140));
    fx.panel.setScale(1.0f, 70.0f, false); // factor 1/2; x and width divided by it
    QCOMPARE(pWidget->geometry(), QRectF(40, 20, 400, 50));
    QCOMPARE(CComposite().bounds(), QRectF());
}

// An empty panel, a zero-sized content or a zero length must not divide by zero.
void TestCComposite::scaleSkipsEmptyAndZero()
{
    PanelFixture fx;
    fx.panel.setScale(1.0f, 100.0f, true);
    CControl *pFlat = fx.control(QStringLiteral("Flat"));
    WWidget *pWidget = PanelFixture::widget(pFlat, QStringLiteral("bounds"),
                                            {{QStringLiteral("x"), QStringLiteral("10")},
                                             {QStringLiteral("width"), QStringLiteral("100")},
                                             {QStringLiteral("height"), QStringLiteral("0")}});
    fx.panel.setScale(1.0f, 100.0f, true);
    QCOMPARE(pWidget->geometry(), QRectF(10, 0, 100, 0));
    CControl *pTall = fx.control(QStringLiteral("Tall"));
    PanelFixture::widget(pTall, QStringLiteral("slider"), {{QStringLiteral("height"), QStringLiteral("10")}});
    fx.panel.setScale(1.0f, 0.0f, true);
    fx.panel.setScale(1.0f, -5.0f, false);
    QCOMPARE(pWidget->geometry(), QRectF(10, 0, 100, 0));
    pFlat->setScale(0.0f, 0.0f, false);
    QCOMPARE(pWidget->geometry(), QRectF(10, 0, 100, 0));
    // Scenes and the root pass the values on.
    CComposite scene;
    scene.setKind(QStringLiteral("Scene"));
    CControl *pLoose = fx.control(QStringLiteral("Loose"), QStringLiteral("Slider"), nullptr, QString(), false);
    WWidget *pLooseWidget = PanelFixture::widget(pLoose, QStringLiteral("slider"), {{QStringLiteral("height"), QStringLiteral("10")}});
    scene.addChild(pLoose);
    scene.setScale(2.0f, 1.0f, true);
    QCOMPARE(pLooseWidget->geometry().height(), 20.0);
}

void TestCComposite::centerHorizontally()
{
    PanelFixture fx;
    MModel model;
    CCanvas canvas;
    model.setCanvas(&canvas);
    fx.panel.setContextObject(&model);
    CControl *pA = fx.control(QStringLiteral("A"), QStringLiteral("Slider"));
    WWidget *pWidget = PanelFixture::widget(pA, QStringLiteral("slider"),
                                            {{QStringLiteral("x"), QStringLiteral("10")},
                                             {QStringLiteral("width"), QStringLiteral("100")},
                                             {QStringLiteral("height"), QStringLiteral("20")}});
    QVERIFY(!fx.panel.centerHorizontally(QStringLiteral("Slider"), 0));
    QCOMPARE(pWidget->geometry().x(), 10.0);

    // A complete panel centres its controls of that type and answers false.
    fx.panel.setPanelType(QStringLiteral("complete"));
    QVERIFY(!fx.panel.centerHorizontally(QStringLiteral("Slider"), 400));
    QCOMPARE(pWidget->geometry().x(), 150.0);

    // A custom panel centres its content only with the canvas's centring on.
    fx.panel.setPanelType(QStringLiteral("custom"));
    pWidget->setWidgetRect(QRectF(10, 0, 100, 20));
    canvas.setHorizCenter(false);
    QVERIFY(fx.panel.centerHorizontally(QStringLiteral("Other"), 400));
    QCOMPARE(pWidget->geometry().x(), 10.0);
    canvas.setHorizCenter(true);
    // A combination selector adds only its height; a bounds widget counts only for a dialer.
    CControl *pCombo = fx.control(QStringLiteral("Combo"), QStringLiteral("comboselector"));
    WWidget *pComboWidget = PanelFixture::widget(pCombo, QStringLiteral("comboselector"),
                                                 {{QStringLiteral("x"), QStringLiteral("0")},
                                                  {QStringLiteral("width"), QStringLiteral("400")},
                                                  {QStringLiteral("height"), QStringLiteral("40")}});
    CControl *pFramed = fx.control(QStringLiteral("Framed"), QStringLiteral("Meter"));
    PanelFixture::widget(pFramed, QStringLiteral("bounds"),
                         {{QStringLiteral("x"), QStringLiteral("390")}, {QStringLiteral("width"), QStringLiteral("5")},
                          {QStringLiteral("height"), QStringLiteral("5")}});
    QCOMPARE(fx.panel.contentBounds(), QRectF(10, 0, 100, 40));
    QVERIFY(fx.panel.centerHorizontally(QStringLiteral("Other"), 400));
    QCOMPARE(pWidget->geometry().x(), 150.0);
    QCOMPARE(pComboWidget->geometry().x(), 140.0);
}

void TestCComposite::centringLeavesWiderContentInPlace_data()
{
    QTest::addColumn<QString>("panelType");
    QTest::newRow("complete panel, moved as a block") << "complete";
    QTest::newRow("custom panel, its content") << "custom";
}

// Content wider than the canvas cannot be centred without pushing part of it
// off the panel's left edge: it stays. Narrower, it is centred as before.
void TestCComposite::centringLeavesWiderContentInPlace()
{
    QFETCH(QString, panelType);
    PanelFixture fx;
    MModel model;
    CCanvas canvas;
    model.setCanvas(&canvas);
    fx.panel.setContextObject(&model);
    WWidget *pLeft = PanelFixture::widget(fx.control(QStringLiteral("A"), QStringLiteral("Slider")),
                                          QStringLiteral("slider"),
                                          {{QStringLiteral("x"), QStringLiteral("40")},
                                           {QStringLiteral("width"), QStringLiteral("100")},
                                           {QStringLiteral("height"), QStringLiteral("20")}});
    WWidget *pRight = PanelFixture::widget(fx.control(QStringLiteral("B"), QStringLiteral("Slider")),
                                           QStringLiteral("slider"),
                                           {{QStringLiteral("x"), QStringLiteral("240")},
                                            {QStringLiteral("width"), QStringLiteral("100")},
                                            {QStringLiteral("height"), QStringLiteral("20")}});
    fx.panel.setPanelType(panelType);

    fx.panel.centerHorizontally(fx.panel.type(), 240);
    QCOMPARE(pLeft->geometry().x(), 40.0);
    QCOMPARE(pRight->geometry().x(), 240.0);

    fx.panel.centerHorizontally(fx.panel.type(), 400);
    QCOMPARE(pLeft->geometry().x(), 50.0);
    QCOMPARE(pRight->geometry().x(), 250.0);
}

void TestCComposite::titleOfASingleChild()
{
    PanelFixture fx;
    FakeNode &node = *fx.node(QStringLiteral("Mixer 2"));
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    QCOMPARE(fx.panel.title(), QStringLiteral("Slider"));
    PanelFixture::widget(pA, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("0")}});
    QCOMPARE(fx.panel.title(), QStringLiteral("Slider : Mixer 2"));
    fx.control(QStringLiteral("Mute"), QStringLiteral("Button"));
    QCOMPARE(fx.panel.title(), QString());
    QVERIFY(!fx.panel.createPropertiesDialog(nullptr));
    QCOMPARE(CComposite().title(), QString());
}

void TestCComposite::treeItems()
{
    Document doc;
    doc.panel(0, 0)->setPanelType(QStringLiteral("complete"));
    doc.panel(0, 1)->setPanelType(QStringLiteral("template"));
    doc.panel(1, 0)->setPanelType(QStringLiteral("custom"));
    QStandardItemModel items;
    doc.root.buildTreeItems(items.invisibleRootItem());
    QCOMPARE(items.rowCount(), 2);
    QStandardItem *pScene = items.item(0);
    QCOMPARE(pScene->text(), QStringLiteral("Lobby"));
    QCOMPARE(int(pScene->flags()), 0x31);
    QCOMPARE(pScene->data(Qt::UserRole + 1).value<quint64>(), quint64(quintptr(doc.scene(0))));
    QCOMPARE(pScene->rowCount(), 2);
    QStandardItem *pPanel = pScene->child(1);
    QCOMPARE(pPanel->text(), QStringLiteral("Mics"));
    QCOMPARE(int(pPanel->flags()), 0x1035);
    QCOMPARE(pPanel->rowCount(), 0); // plain controls add nothing
    QCOMPARE(doc.panel(0, 1)->treeIndex(), pPanel->index());

    // Every tree icon is a built-in image.
    const QList<CComposite *> composites = {doc.scene(0), doc.panel(0, 0), doc.panel(0, 1), doc.panel(1, 0)};
    for (const CComposite *pComposite : composites) {
        QVERIFY(!pComposite->treeIcon().isEmpty());
        QVERIFY2(QFile::exists(pComposite->treeIcon()), qPrintable(pComposite->treeIcon()));
    }
    QCOMPARE(doc.panel(1, 1)->treeIcon(), QString());
    QCOMPARE(doc.root.treeIcon(), QString());
}

void TestCComposite::writeXml()
{
    Document doc;
    doc.panel(0, 0)->setPanelType(QStringLiteral("custom"));
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(XmlEncodingUtf8);
    QVERIFY(doc.root.writeXml(&writer));
    writer.flush();
    const QString xml = QString::fromUtf8(bytes);
    QVERIFY2(xml.startsWith(QStringLiteral("<Scenes>\n\t<Scene name=\"Lobby\">\n\t\t<Panels>\n"
                                           "\t\t\t<Panel name=\"Home\" type=\"custom\">\n\t\t\t\t<Controls>\n"
                                           "\t\t\t\t\t<Control name=\"Lobby Home\" type=\"Button\">\n")),
             qPrintable(xml));
    QVERIFY(xml.contains(QStringLiteral("<Panel name=\"Mics\" type=\"\">")));
    QVERIFY(xml.endsWith(QStringLiteral("\t</Scene>\n</Scenes>\n")));
    QCOMPARE(xml.count(QStringLiteral("<Control ")), 4);
    QVERIFY(doc.root.writeXml(nullptr));
}

VVB_TEST_MAIN(TestCComposite)
#include "tst_ccomposite.moc"
