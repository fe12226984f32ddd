#include "model/PanelFixture.h"

#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "transforms/TTransform.h"
#include "transforms/TTransformFactory.h"
#include "xml/XmlWriter.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

namespace {

QSettings layoutSettings()
{
    return QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

// Names of the opening tags, in order.
QStringList elementNames(const QByteArray &xml)
{
    QStringList names;
    const QRegularExpression tag(QStringLiteral("<([A-Za-z]+)"));
    auto it = tag.globalMatch(QString::fromUtf8(xml));
    while (it.hasNext())
        names.append(it.next().captured(1));
    return names;
}

QByteArray writeControl(CControl *pControl)
{
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(XmlEncodingUtf8);
    pControl->writeXml(&writer);
    writer.flush();
    return bytes;
}

} // namespace

class TestCControl : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // transform sharing
    void sameNodeNameAndTypeShareOneTransform();
    void differentTypeOrNameGetsItsOwnTransform();
    void nodeWithOwnCountsGetsItsOwnTransform();
    void emptyTransformNameBindsNothing();
    void cutThenDestroyKeepsTheSharedTransform();
    void releaseRepointsAttributesToASurvivor();
    void everyUserStaysFindable();
    void lastUserGoneDeletesTheTransform();
    void removeAndAddRestoresTheUseCount();
    void aControlCountsOnce();
    void linkTransformFollowsTheLinkAttribute();

    // node removal and ownership
    void removingNodeForgetsTheNodeFirst();
    void nodeOutsideTheTreeIsOwned();

    // links between widgets
    void widgetLinks_data();
    void widgetLinks();
    void widgetIdNamesTheHeldControl();

    // polling
    void requestState_data();
    void requestState();
    void initializeBindsWidgets();

    // reading, writing and layout
    void createPrototypeWithoutFactoryFails();
    void writeXmlOrder();
    void nonFiniteGeometryReadsAsZero();
    void saveLayoutDividesByScale();
    void loadLayout_data();
    void loadLayout();
    void layoutLockStoresNothing();
    void fitToRectKeepsMinimumSize();

    // element rules
    void findByPathOnAControl();
    void centerHorizontally();
    void modeSignals();
    void markProcessorInUse();
    void setKind();
    void titleComesFromTheNode();
};

void TestCControl::init()
{
    PanelFixture::flushDeletes();
    QVERIFY(TTransformFactory().transforms().isEmpty());
    layoutSettings().clear();
}

// ---------------------------------------------------------------- transform sharing

void TestCControl::sameNodeNameAndTypeShareOneTransform()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    fx.panel.initialize();
    QVERIFY(pA->transform());
    QCOMPARE(pB->transform(), pA->transform());
    QCOMPARE(pA->transform()->useCount(), 2);
    QCOMPARE(fx.panel.boundCount(), 2);
    // Unbound controls match each other too.
    CControl *pC = fx.control(QStringLiteral("Mute"), QStringLiteral("Button"));
    CControl *pD = fx.control(QStringLiteral("Mute"), QStringLiteral("Button"));
    pC->initialize();
    pD->initialize();
    QCOMPARE(pD->transform(), pC->transform());
    QVERIFY(pC->transform() != pA->transform());
}

void TestCControl::differentTypeOrNameGetsItsOwnTransform()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("LevelButton"), &node);
    CControl *pC = fx.control(QStringLiteral("gain"), QStringLiteral("Slider"), &node);
    FakeNode &other = *fx.node();
    CControl *pD = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &other);
    fx.panel.initialize();
    QVERIFY(pA->transform() && pB->transform() && pC->transform() && pD->transform());
    QVERIFY(pB->transform() != pA->transform());
    QVERIFY(pC->transform() != pA->transform());
    QVERIFY(pD->transform() != pA->transform());
    QCOMPARE(pA->transform()->useCount(), 1);
}

void TestCControl::nodeWithOwnCountsGetsItsOwnTransform()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    node.setProperty(QStringLiteral("hasCounts"), QStringLiteral("1"));
    CControl *pA = fx.control(QStringLiteral("Channel"), QStringLiteral("Button"), &node);
    CControl *pB = fx.control(QStringLiteral("Channel"), QStringLiteral("Button"), &node);
    fx.panel.initialize();
    QVERIFY(pA->transform() && pB->transform());
    QVERIFY(pA->transform() != pB->transform());
}

void TestCControl::emptyTransformNameBindsNothing()
{
    PanelFixture fx;
    RecordingProtocol protocol;
    FakeNode &node = *fx.node();
    node.setProtocol(&protocol);
    CControl *pLabel = fx.control(QStringLiteral("Title"), QStringLiteral("Label"), &node, QString());
    CControl *pUnknown = fx.control(QStringLiteral("X"), QStringLiteral("Slider"), &node,
                                    QStringLiteral("noSuchTransform"));
    fx.panel.initialize();
    QVERIFY(!pLabel->transform());
    QVERIFY(!pUnknown->transform());
    QCOMPARE(fx.panel.boundCount(), 0);
    QVERIFY(pLabel->requestState());
    QVERIFY(protocol.requestedValues().isEmpty());
}

// A cut releases the control's use; destroying it afterwards must not release
// it again and so free the transform that another control still uses.
void TestCControl::cutThenDestroyKeepsTheSharedTransform()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    fx.panel.initialize();
    QPointer<TTransform> pShared = pA->transform();
    QCOMPARE(pShared->useCount(), 2);

    fx.panel.removeChild(pA, false);
    QCOMPARE(pShared->useCount(), 1);
    QVERIFY(!pA->holdsTransformUse());
    delete pA;
    PanelFixture::flushDeletes();
    QVERIFY(pShared);
    QCOMPARE(pShared->useCount(), 1);
    QCOMPARE(pB->transform(), pShared.data());
    QVERIFY(pShared->isLive());

    fx.panel.removeChild(pB, true);
    PanelFixture::flushDeletes();
    QVERIFY(!pShared);
}

// The transform reads the attributes of the control that attached last; when
// that control goes, a surviving user takes its place.
void TestCControl::releaseRepointsAttributesToASurvivor()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    fx.panel.initialize();
    TTransform *pShared = pA->transform();
    QCOMPARE(pShared->attributes(), &pB->attributes());

    fx.panel.removeChild(pB, true);
    PanelFixture::flushDeletes();
    QCOMPARE(pShared->attributes(), &pA->attributes());
    QCOMPARE(pShared->node(), &node);

    // A control that is only taken off its panel hands the transform on too.
    CControl *pC = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    pC->initialize();
    QCOMPARE(pShared->attributes(), &pC->attributes());
    fx.panel.removeChild(pC, false);
    QCOMPARE(pShared->attributes(), &pA->attributes());
    delete pC;
}

// The creator goes first; the remaining user is still found by a new control.
void TestCControl::everyUserStaysFindable()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    fx.panel.initialize();
    QPointer<TTransform> pShared = pA->transform();
    fx.panel.removeChild(pA, true);
    PanelFixture::flushDeletes();
    QVERIFY(pShared);
    QCOMPARE(TTransformFactory().transforms(), QList<CControl *>{pB});

    CControl *pC = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    pC->initialize();
    QCOMPARE(pC->transform(), pShared.data());
    QCOMPARE(pShared->useCount(), 2);
}

void TestCControl::lastUserGoneDeletesTheTransform()
{
    PanelFixture fx;
    CControl *pA = fx.control(QStringLiteral("Gain"));
    pA->initialize();
    QPointer<TTransform> pTransform = pA->transform();
    QVERIFY(pTransform);
    fx.panel.removeChild(pA, true);
    QVERIFY(pTransform); // deferred
    PanelFixture::flushDeletes();
    QVERIFY(!pTransform);
    QVERIFY(TTransformFactory().transforms().isEmpty());

    // Cleared controls let go at once; the deletion is deferred.
    CControl *pB = fx.control(QStringLiteral("Gain"));
    pB->initialize();
    pTransform = pB->transform();
    fx.panel.clear();
    QVERIFY(TTransformFactory().transforms().isEmpty());
    PanelFixture::flushDeletes();
    QVERIFY(!pTransform);
}

void TestCControl::removeAndAddRestoresTheUseCount()
{
    PanelFixture fx;
    FakeNode &node = *fx.node();
    CControl *pA = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    CControl *pB = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    fx.panel.initialize();
    TTransform *pShared = pA->transform();
    for (int round = 0; round < 3; ++round) {
        fx.panel.removeChild(pA, false);
        QCOMPARE(pShared->useCount(), 1);
        fx.panel.addChild(pA);
        QCOMPARE(pShared->useCount(), 2);
    }
    // Both off the panel: the transform rests, the controls keep it.
    fx.panel.removeChild(pA, false);
    fx.panel.removeChild(pB, false);
    QCOMPARE(pShared->useCount(), 0);
    QVERIFY(!pShared->isLive());
    QCOMPARE(pA->transform(), pShared);
    fx.panel.addChild(pB);
    QCOMPARE(pShared->useCount(), 1);
    QVERIFY(pShared->isLive());
    delete pA;
    PanelFixture::flushDeletes();
    QCOMPARE(pB->transform(), pShared);
}

void TestCControl::aControlCountsOnce()
{
    PanelFixture fx;
    CControl *pA = fx.control(QStringLiteral("Gain"));
    pA->initialize();
    pA->addTransformUse();
    pA->attachTransform();
    QCOMPARE(pA->transform()->useCount(), 1);
    pA->detachTransform();
    pA->detachTransform();
    QCOMPARE(pA->transform()->useCount(), 0);
    pA->addTransformUse();
    pA->addTransformUse();
    QCOMPARE(pA->transform()->useCount(), 1);
}

// Phase 0 makes a transform follow the transform of the element named by its
// "link" attribute; phase 1 points that one at the head of the chain.
void TestCControl::linkTransformFollowsTheLinkAttribute()
{
    PanelFixture fx;
    CControl *pFader = fx.control(QStringLiteral("Level"), QStringLiteral("Slider"));
    CControl *pText = fx.control(QStringLiteral("Text"), QStringLiteral("TextEdit"), nullptr, QStringLiteral("text"));
    CControl *pPlain = fx.control(QStringLiteral("Plain"), QStringLiteral("Slider"), nullptr, QString());
    pFader->setAttribute(QStringLiteral("list"), QStringLiteral("link"), QString::number(quint32(pText->id())));
    fx.panel.initialize();
    fx.panel.linkTransform(0);
    fx.panel.linkTransform(1);
    QCOMPARE(pFader->transform()->next(), pText->transform());
    QCOMPARE(pText->transform()->head(), pFader->transform());
    QVERIFY(!pText->transform()->next());
    pPlain->linkTransform(0); // no transform: nothing happens
}

// ---------------------------------------------------------------- node removal and ownership

// A purge emits removingNode and deletes the node right after: the control
// must have forgotten it before it is removed and destroyed.
void TestCControl::removingNodeForgetsTheNodeFirst()
{
    PanelFixture fx;
    FakeProcessor processor;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    processor.addNode(pNode);
    QVERIFY(pNode->parentNode());
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), pNode);
    PanelFixture::widget(pControl, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("1")}});
    pControl->initialize();
    QPointer<CControl> pWatched = pControl;
    TTransform *pTransform = pControl->transform();
    bool checked = false;
    connect(pNode, &HNode::removingNode, this, [&](HNode *) {
        checked = true;
        QVERIFY(pWatched);
        QVERIFY(!pWatched->node());
        QVERIFY(!pTransform->node());
    });
    QTest::ignoreMessage(QtDebugMsg, "CControl: Removing control for node Gain");
    processor.purgeRemovable();
    QVERIFY(checked);
    QCOMPARE(processor.childCount(), 0);
    QCOMPARE(fx.panel.childCount(), 0);
    PanelFixture::flushDeletes();
    QVERIFY(!pWatched);
}

void TestCControl::nodeOutsideTheTreeIsOwned()
{
    QPointer<FakeNode> pLoose = new FakeNode;
    FakeProcessor processor;
    QPointer<FakeNode> pInTree = new FakeNode;
    processor.addNode(pInTree);
    {
        CControl loose;
        loose.setNode(pLoose);
        CControl inTree;
        inTree.setNode(pInTree);
    }
    QVERIFY(!pLoose);
    QVERIFY(pInTree);
}

// ---------------------------------------------------------------- links

void TestCControl::widgetLinks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("expected"); // object name of the linked widget, empty for none

    QTest::newRow("0 links nothing") << QStringLiteral("0") << QString();
    QTest::newRow("0x7FFF looks in its own control") << QStringLiteral("32767") << QStringLiteral("own");
    QTest::newRow("0x8000 links nothing") << QStringLiteral("32768") << QString();
    QTest::newRow("0x8001 looks under the parent") << QStringLiteral("32769") << QStringLiteral("sibling");
    QTest::newRow("itself") << QStringLiteral("5") << QString();
    QTest::newRow("missing") << QStringLiteral("99") << QString();
}

void TestCControl::widgetLinks()
{
    QFETCH(QString, link);
    QFETCH(QString, expected);
    PanelFixture fx;
    CControl *pControl = fx.control(QStringLiteral("Fader"), QStringLiteral("Slider"), nullptr, QString());
    // A widget with id 0 comes first: link 0 must not find it.
    WWidget *pPlain = PanelFixture::widget(pControl, QStringLiteral("frame"), {{QStringLiteral("x"), QStringLiteral("0")}});
    pPlain->setObjectName(QStringLiteral("plain"));
    WWidget *pLinking = PanelFixture::widget(pControl, QStringLiteral("slider"),
                                             {{QStringLiteral("id"), QStringLiteral("5")},
                                              {QStringLiteral("link"), link}});
    WWidget *pOwn = PanelFixture::widget(pControl, QStringLiteral("textedit"), {{QStringLiteral("id"), QStringLiteral("32767")}});
    pOwn->setObjectName(QStringLiteral("own"));
    CControl *pOther = fx.control(QStringLiteral("Other"), QStringLiteral("Slider"), nullptr, QString());
    WWidget *pSibling = PanelFixture::widget(pOther, QStringLiteral("slider"), {{QStringLiteral("id"), QStringLiteral("32769")}});
    pSibling->setObjectName(QStringLiteral("sibling"));

    fx.panel.initialize();
    const WWidget *pLinked = pLinking->linkedWidget();
    QCOMPARE(pLinked ? pLinked->objectName() : QString(), expected);
    QVERIFY(!pPlain->linkedWidget());
}

void TestCControl::widgetIdNamesTheHeldControl()
{
    PanelFixture fx;
    CControl *pHeld = fx.control(QStringLiteral("Held"));
    CControl *pSite = fx.control(QStringLiteral("Site"), QStringLiteral("DropSite"), nullptr, QString());
    WWidget *pWidget = PanelFixture::widget(pSite, QStringLiteral("dropsite"),
                                            {{QStringLiteral("id"), QString::number(quint32(pHeld->id()))}});
    QVERIFY(pWidget->widgetId() != 0);
    // The base widget ignores a child control; the lookup must simply not fail.
    fx.panel.initialize();
    QCOMPARE(fx.panel.findById(pHeld->id()), pHeld);
    QVERIFY(!fx.panel.findById(0));
}

// ---------------------------------------------------------------- polling

void TestCControl::requestState_data()
{
    QTest::addColumn<bool>("withProtocol");
    QTest::addColumn<QString>("transform");
    QTest::addColumn<QString>("doNotPoll");
    QTest::addColumn<int>("expected");

    QTest::newRow("requested") << true << QStringLiteral("bin8") << QStringLiteral("0") << 1;
    QTest::newRow("doNotPoll") << true << QStringLiteral("bin8") << QStringLiteral("1") << 0;
    QTest::newRow("no transform") << true << QString() << QStringLiteral("0") << 0;
    QTest::newRow("no protocol") << false << QStringLiteral("bin8") << QStringLiteral("0") << 0;
}

void TestCControl::requestState()
{
    QFETCH(bool, withProtocol);
    QFETCH(QString, transform);
    QFETCH(QString, doNotPoll);
    QFETCH(int, expected);
    PanelFixture fx;
    RecordingProtocol protocol;
    FakeNode &node = *fx.node();
    if (withProtocol)
        node.setProtocol(&protocol);
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node, transform);
    pControl->setAttribute(QStringLiteral("list"), QStringLiteral("doNotPoll"), doNotPoll);
    pControl->attachTransform();
    QVERIFY(pControl->requestState());
    QCOMPARE(protocol.requestedValues().size(), expected);
    if (expected == 0)
        return;
    QCOMPARE(protocol.requestedValues().first(), pControl->transform());
    // The poll divider decides when the next request is due.
    pControl->transform()->setPollDivider(3);
    for (int i = 0; i < 6; ++i)
        pControl->requestState();
    QCOMPARE(protocol.requestedValues().size(), 3);
}

void TestCControl::initializeBindsWidgets()
{
    PanelFixture fx;
    RecordingProtocol protocol;
    FakeNode &node = *fx.node();
    node.setProtocol(&protocol);
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"), &node);
    WWidget *pWidget = PanelFixture::widget(pControl, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("3")}});
    QCOMPARE(pWidget->node(), &node);
    QCOMPARE(pWidget->control(), pControl);
    QCOMPARE(pWidget->typeName(), QStringLiteral("slider"));
    fx.panel.initialize();
    QCOMPARE(pWidget->transform(), pControl->transform());
    QCOMPARE(pWidget->protocol(), &protocol);
    QCOMPARE(protocol.requestedValues().size(), 1); // the first state request
}

// ---------------------------------------------------------------- reading, writing and layout

void TestCControl::createPrototypeWithoutFactoryFails()
{
    CControl control;
    WDelegate::instance()->setFactory(nullptr);
    QVERIFY(!control.createPrototype(QStringLiteral("frame"), QStringLiteral("x"), QStringLiteral("1")));
    control.finishWidget(QStringLiteral("frame"));
    QVERIFY(control.widgets().isEmpty());

    PanelFixture fx;
    fx.factory.refuse(QStringLiteral("nothing"));
    QVERIFY(!control.createPrototype(QStringLiteral("nothing"), QStringLiteral("x"), QStringLiteral("1")));
    QVERIFY(control.createPrototype(QStringLiteral("frame"), QStringLiteral("x"), QStringLiteral("1")));
    QVERIFY(!control.createPrototype(QStringLiteral("frame"), QStringLiteral("unknown"), QStringLiteral("1")));
    control.finishWidget(QStringLiteral("frame"));
    QCOMPARE(control.widgets().size(), 1);
    QCOMPARE(fx.factory.created(), 1);
    control.clear();
}

void TestCControl::writeXmlOrder()
{
    PanelFixture fx;
    FakeProcessor processor(QStringLiteral("Rack"));
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    pNode->setNodeId(7);
    processor.addNode(pNode);
    CControl *pControl = fx.control(QStringLiteral("Volume"), QStringLiteral("Slider"), pNode);
    PanelFixture::widget(pControl, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("3")}});

    const QByteArray xml = writeControl(pControl);
    const QStringList names = elementNames(xml);
    const QStringList expectedStart = {QStringLiteral("Control"), QStringLiteral("block"), QStringLiteral("nodeID"),
                                       QStringLiteral("nodeCategory"), QStringLiteral("connection"),
                                       QStringLiteral("id"), QStringLiteral("Property")};
    QCOMPARE(names.mid(0, expectedStart.size()), expectedStart);
    QVERIFY(xml.trimmed().endsWith("</Control>"));
    QVERIFY(xml.contains("<Control name=\"Volume\" type=\"Slider\">"));
    QVERIFY(xml.contains("<block>Gain 1</block>"));
    QVERIFY(xml.contains("<nodeID>7</nodeID>"));
    QVERIFY(xml.contains("<connection>Rack</connection>"));
    QVERIFY(xml.contains(QStringLiteral("<id>%1</id>").arg(quint32(pControl->id())).toUtf8()));
    QVERIFY(xml.indexOf("<Property name=\"widget\">") < xml.indexOf("<Property name=\"attributes\">"));
    QVERIFY(xml.indexOf("<Property name=\"attributes\">") < xml.indexOf("<list>"));

    // Without a node there is no node description; without a writer nothing.
    CControl *pLabel = fx.control(QStringLiteral("Title"), QStringLiteral("Label"), nullptr, QString());
    QVERIFY(!writeControl(pLabel).contains("<block>"));
    QVERIFY(pLabel->writeXml(nullptr));
}

// "nan" and "inf" in a file must not spread into geometry and fractions.
void TestCControl::nonFiniteGeometryReadsAsZero()
{
    PanelFixture fx;
    CControl *pControl = fx.control(QStringLiteral("Gain"));
    WWidget *pWidget = PanelFixture::widget(pControl, QStringLiteral("slider"),
                                            {{QStringLiteral("x"), QStringLiteral("nan")},
                                             {QStringLiteral("y"), QStringLiteral("inf")},
                                             {QStringLiteral("width"), QStringLiteral("-inf")},
                                             {QStringLiteral("height"), QStringLiteral("1e999")},
                                             {QStringLiteral("xfract"), QStringLiteral("nan")},
                                             {QStringLiteral("heightfract"), QStringLiteral("inf")}});
    QCOMPARE(pWidget->geometry(), QRectF(0, 0, 0, 0));
    QCOMPARE(pWidget->xFract(), 0.0);
    QCOMPARE(pWidget->widthFract(), 1.0);
    QCOMPARE(pWidget->heightFract(), 0.0);
}

void TestCControl::saveLayoutDividesByScale()
{
    PanelFixture fx;
    MModel model;
    model.setViewScale(2.0f);
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"));
    pControl->setContextObject(&model);
    PanelFixture::widget(pControl, QStringLiteral("slider"),
                         {{QStringLiteral("width"), QStringLiteral("120")}, {QStringLiteral("height"), QStringLiteral("41")}});
    pControl->saveLayout();
    QCOMPARE(layoutSettings().value(QStringLiteral("Layout/Slider")).toString(), QStringLiteral("60x20"));

    QRectF rect(5, 5, 1, 1);
    pControl->loadLayout(rect);
    QCOMPARE(rect, QRectF(5, 5, 120, 40));
}

void TestCControl::loadLayout_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QSizeF>("expected");

    QTest::newRow("small raised to the minimum") << QStringLiteral("5x5") << QSizeF(15, 15);
    QTest::newRow("plain") << QStringLiteral("80x30") << QSizeF(80, 30);
    QTest::newRow("not a number") << QStringLiteral("abcx30") << QSizeF(15, 30);
    QTest::newRow("non-finite") << QStringLiteral("nanx1e999") << QSizeF(15, 15);
    QTest::newRow("no x keeps the size") << QStringLiteral("80") << QSizeF(50, 60);
    QTest::newRow("nothing stored") << QString() << QSizeF(50, 60);
}

void TestCControl::loadLayout()
{
    QFETCH(QString, stored);
    QFETCH(QSizeF, expected);
    if (!stored.isNull())
        layoutSettings().setValue(QStringLiteral("Layout/Slider"), stored);
    CControl control;
    control.setType(QStringLiteral("Slider"));
    QRectF rect(0, 0, 50, 60);
    control.loadLayout(rect);
    QCOMPARE(rect.size(), expected);
}

void TestCControl::layoutLockStoresNothing()
{
    PanelFixture fx;
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Dialer"));
    PanelFixture::widget(pControl, QStringLiteral("dialer"), {{QStringLiteral("width"), QStringLiteral("100")}});
    pControl->setLayoutLocked(true);
    pControl->saveLayout();
    QVERIFY(!layoutSettings().contains(QStringLiteral("Layout/Dialer")));
    pControl->setLayoutLocked(false);
    pControl->saveLayout();
    QVERIFY(layoutSettings().contains(QStringLiteral("Layout/Dialer")));
}

void TestCControl::fitToRectKeepsMinimumSize()
{
    PanelFixture fx;
    CControl *pControl = fx.control(QStringLiteral("Gain"));
    WWidget *pWidget = PanelFixture::widget(pControl, QStringLiteral("slider"),
                                            {{QStringLiteral("width"), QStringLiteral("100")},
                                             {QStringLiteral("height"), QStringLiteral("50")}});
    QRectF rect(10, 20, 4, 300);
    pControl->fitToRect(rect);
    QCOMPARE(rect, QRectF(10, 20, 15, 300));
    QCOMPARE(pWidget->geometry(), QRectF(10, 20, 15, 300));
    pControl->growMinimumSize(40, 10);
    pControl->growMinimumSize(20, 5); // never lowers
    QCOMPARE(pControl->minWidth(), 40);
    QCOMPARE(pControl->minHeight(), 15);
}

// ---------------------------------------------------------------- element rules

void TestCControl::findByPathOnAControl()
{
    PanelFixture fx;
    CControl loose;
    QString path = QStringLiteral("..");
    QVERIFY(loose.findByPath(path));
    QVERIFY(path.isEmpty());

    CControl *pControl = fx.control(QStringLiteral("Gain"));
    path = QStringLiteral("Gain\\rest");
    QVERIFY(pControl->findByPath(path));
    QCOMPARE(path, QStringLiteral("rest"));
    path = QStringLiteral("Gai\\rest");
    QVERIFY(!pControl->findByPath(path));
    QCOMPARE(path, QStringLiteral("Gai\\rest"));
    QCOMPARE(pControl->path(pControl), QStringLiteral("Gain"));
    QCOMPARE(pControl->path(&loose), QString());
}

void TestCControl::centerHorizontally()
{
    PanelFixture fx;
    CControl *pControl = fx.control(QStringLiteral("Gain"), QStringLiteral("Slider"));
    WWidget *pWidget = PanelFixture::widget(pControl, QStringLiteral("slider"),
                                            {{QStringLiteral("x"), QStringLiteral("10")},
                                             {QStringLiteral("width"), QStringLiteral("100")},
                                             {QStringLiteral("height"), QStringLiteral("10")}});
    QVERIFY(!pControl->centerHorizontally(QStringLiteral("Button"), 400));
    QCOMPARE(pWidget->geometry().x(), 10.0);
    QVERIFY(pControl->centerHorizontally(QStringLiteral("Slider"), 400));
    QCOMPARE(pWidget->geometry().x(), 150.0);
}

void TestCControl::modeSignals()
{
    PanelFixture fx;
    MModel model;
    QSignalSpy selectSpy(&model, &MModel::selectState);
    QSignalSpy ccpSpy(&model, &MModel::ccpState);
    CControl *pControl = fx.control(QStringLiteral("Gain"));
    pControl->setContextObject(&model);
    pControl->setMode(CControl::ModeSelected);
    QCOMPARE(pControl->mode(), CControl::ModeSelected);
    QCOMPARE(selectSpy.takeLast().first().toBool(), true);
    QCOMPARE(ccpSpy.takeLast().first().toBool(), true);

    // Controls of a template panel cannot be cut, copied or pasted.
    fx.control(QStringLiteral("Site"), QStringLiteral("DropSite"), nullptr, QString());
    PanelFixture::widget(fx.panel.childAt(1), QStringLiteral("dropsite"), {{QStringLiteral("x"), QStringLiteral("0")}});
    fx.panel.setPanelType(QString());
    QCOMPARE(fx.panel.panelType(), CComposite::PanelTemplate);
    pControl->setMode(CControl::ModeSelected);
    QCOMPARE(selectSpy.takeLast().first().toBool(), true);
    QCOMPARE(ccpSpy.takeLast().first().toBool(), false);
    pControl->setMode(CControl::ModeNormal);
    QCOMPARE(selectSpy.takeLast().first().toBool(), false);
    QCOMPARE(ccpSpy.takeLast().first().toBool(), false);

    CComposite selection;
    selection.setNotOwner(true);
    QVERIFY(!fx.panel.collectSelected(&selection));
    pControl->setMode(CControl::ModeSelected);
    QVERIFY(fx.panel.collectSelected(&selection));
    QCOMPARE(selection.children(), QList<CControl *>{pControl});
    QCOMPARE(pControl->parentComposite(), &fx.panel);
}

void TestCControl::markProcessorInUse()
{
    FakeProcessor processor;
    auto *pNode = new FakeNode;
    processor.addNode(pNode);
    CControl control;
    control.markProcessorInUse();
    control.setNode(pNode);
    control.markProcessorInUse();
    QVERIFY(processor.hasFlags(HNode::FlagInUse));
    QVERIFY(!pNode->hasFlags(HNode::FlagInUse));
}

void TestCControl::setKind()
{
    CControl control;
    control.setName(QStringLiteral("Volume"));
    control.setKind(QStringLiteral("Control"));
    QCOMPARE(control.kind(), QStringLiteral("Control"));
    QCOMPARE(control.name(), QStringLiteral("Volume"));
    CComposite scene;
    scene.setKind(QStringLiteral("Scene"));
    QCOMPARE(scene.type(), QStringLiteral("Panels"));
    QCOMPARE(scene.name(), QStringLiteral("Scene"));
    CComposite panel;
    panel.setKind(QStringLiteral("Panel"));
    QCOMPARE(panel.type(), QStringLiteral("Controls"));
    QCOMPARE(CComposite().type(), QStringLiteral("Composite"));
    QVERIFY(CControl().id() != CControl().id());
}

void TestCControl::titleComesFromTheNode()
{
    PanelFixture fx;
    FakeNode &node = *fx.node(QStringLiteral("Gain 1"));
    CControl *pControl = fx.control(QStringLiteral("Level"), QStringLiteral("Slider"), &node);
    QCOMPARE(pControl->title(), QString());
    PanelFixture::widget(pControl, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("0")}});
    QCOMPARE(pControl->title(), QStringLiteral("Gain 1"));
    QCOMPARE(pControl->nodeName(), QStringLiteral("Gain 1"));
}

VVB_TEST_MAIN(TestCControl)
#include "tst_ccontrol.moc"
