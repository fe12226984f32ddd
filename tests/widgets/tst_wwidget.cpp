#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/BoundWidgetFixture.h"
#include "support/FakeNodes.h"
#include "support/FakeWidgetFactory.h"
#include "support/QmlCanvasFixture.h"
#include "support/RecordingProtocol.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "transforms/TTransform.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "xml/XmlWriter.h"

#include <QMetaProperty>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

using Settings = QList<QPair<QString, QString>>;

// Reads one widget into the control from settings, as the project reader does.
WWidget *readWidget(CControl *pControl, const QString &type, const Settings &settings)
{
    for (const auto &setting : settings)
        pControl->createPrototype(type, setting.first, setting.second);
    pControl->finishWidget(type);
    return pControl->widgets().isEmpty() ? nullptr : pControl->widgets().last().data();
}

// Element name and text of every one-line element, in order.
Settings savedElements(const QByteArray &xml)
{
    Settings elements;
    const QRegularExpression line(QStringLiteral("<(\\w+)>([^<]*)</\\1>"));
    auto it = line.globalMatch(QString::fromUtf8(xml));
    while (it.hasNext()) {
        const auto match = it.next();
        elements.append({match.captured(1), match.captured(2)});
    }
    return elements;
}

QStringList names(const Settings &elements)
{
    QStringList list;
    for (const auto &element : elements)
        list.append(element.first);
    return list;
}

// A control on a panel whose widgets are plain base widgets.
struct PlainControl
{
    PlainControl()
    {
        WDelegate::instance()->setFactory(&factory);
        panel.setKind(QStringLiteral("Panel"));
        control = new CControl;
        control->setKind(QStringLiteral("Control"));
        control->setName(QStringLiteral("Gain"));
        control->setType(QStringLiteral("Slider"));
        panel.addChild(control);
    }
    ~PlainControl()
    {
        panel.clear();
        WDelegate::instance()->setFactory(nullptr);
    }

    FakeWidgetFactory factory;
    CComposite panel;
    CControl *control = nullptr;
};

// A control whose widgets come from the real QML files.
struct QmlControl
{
    QmlControl()
    {
        WDelegate::instance()->setFactory(fx.factory());
        panel.setKind(QStringLiteral("Panel"));
        panel.setContextObject(fx.model());
        control = new CControl;
        control->setKind(QStringLiteral("Control"));
        control->setName(QStringLiteral("Background"));
        control->setType(QStringLiteral("Frame"));
        control->setContextObject(fx.model());
        panel.addChild(control);
    }
    ~QmlControl()
    {
        panel.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WDelegate::instance()->setFactory(nullptr);
    }

    QmlCanvasFixture fx;
    CComposite panel;
    CControl *control = nullptr;
};

// Counts the change notifications of every property of a QML item.
class PropertyWatch
{
public:
    explicit PropertyWatch(QObject *pItem)
    {
        const QMetaObject *pMeta = pItem->metaObject();
        for (int i = 0; i < pMeta->propertyCount(); ++i) {
            const QMetaProperty property = pMeta->property(i);
            if (property.hasNotifySignal()) {
                m_names.append(QString::fromLatin1(property.name()));
                m_spies.push_back(std::make_unique<QSignalSpy>(pItem, property.notifySignal()));
            }
        }
    }

    // The properties that notified a change, by name.
    QStringList changed() const
    {
        QStringList names;
        for (size_t i = 0; i < m_spies.size(); ++i) {
            if (!m_spies[i]->isEmpty())
                names.append(m_names.at(qsizetype(i)));
        }
        return names;
    }

private:
    QStringList m_names;
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};

} // namespace

class TestWWidget : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear(); }

    // common settings
    void saveWritesTheCommonSettingsInOrder();
    void idAndLinkZeroAreOmitted();
    void readBackGivesTheSameWidget();
    void unparsableNumbersReadAsZero_data();
    void unparsableNumbersReadAsZero();
    void readingNeedsAnItem();

    // geometry
    void fractionsMoveTheLeftEdge();
    void fitToRect();
    void refitLeavesUnchangedAxes();
    void moveAndScale();
    void sliderLabelIsMarked();
    void geometryThroughTheControl();

    // output guard, links and titles
    void outputGuard_data();
    void outputGuard();
    void neverLinkedToItself();
    void title_data();
    void title();
    void propertyValues();
    void repeatedReplyChangesNoProperty_data();
    void repeatedReplyChangesNoProperty();

    // selection overlay
    void selectionOverlay();
    void noOverlayWhereSelectionIsOff();
    void overlayOfAHeldControlCannotEdit();
};

// ---------------------------------------------------------------- common settings

void TestWWidget::saveWritesTheCommonSettingsInOrder()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("heightfract"), QStringLiteral("0.5")},
                                   {QStringLiteral("link"), QStringLiteral("32769")},
                                   {QStringLiteral("z"), QStringLiteral("3")},
                                   {QStringLiteral("x"), QStringLiteral("12.5")},
                                   {QStringLiteral("id"), QStringLiteral("7")},
                                   {QStringLiteral("width"), QStringLiteral("80")}});
    const Settings saved = savedElements(TestSupport::saveWidget(pWidget));
    QCOMPARE(names(saved), (QStringList{QStringLiteral("id"), QStringLiteral("link"), QStringLiteral("x"),
                                        QStringLiteral("y"), QStringLiteral("width"), QStringLiteral("height"),
                                        QStringLiteral("z"), QStringLiteral("xfract"), QStringLiteral("yfract"),
                                        QStringLiteral("widthfract"), QStringLiteral("heightfract")}));
    QCOMPARE(saved.at(0).second, QStringLiteral("7"));
    QCOMPARE(saved.at(1).second, QStringLiteral("32769"));
    QCOMPARE(saved.at(2).second, QStringLiteral("12.5"));
    QCOMPARE(saved.at(6).second, QStringLiteral("3"));
    QCOMPARE(saved.at(10).second, QStringLiteral("0.5"));
    QVERIFY(!pWidget->save(nullptr));
}

void TestWWidget::idAndLinkZeroAreOmitted()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("id"), QStringLiteral("0")},
                                   {QStringLiteral("link"), QStringLiteral("not a number")}});
    QCOMPARE(pWidget->widgetId(), 0u);
    QCOMPARE(pWidget->link(), 0u);
    const QStringList saved = names(savedElements(TestSupport::saveWidget(pWidget)));
    QCOMPARE(saved.first(), QStringLiteral("x"));
    QVERIFY(!saved.contains(QStringLiteral("id")));
    QVERIFY(!saved.contains(QStringLiteral("link")));
    QCOMPARE(saved.size(), 9);
}

void TestWWidget::readBackGivesTheSameWidget()
{
    PlainControl pc;
    const Settings settings = {{QStringLiteral("id"), QStringLiteral("4294967295")},
                               {QStringLiteral("x"), QStringLiteral("1.5")},
                               {QStringLiteral("y"), QStringLiteral("2")},
                               {QStringLiteral("width"), QStringLiteral("30")},
                               {QStringLiteral("height"), QStringLiteral("40")},
                               {QStringLiteral("z"), QStringLiteral("2")},
                               {QStringLiteral("xfract"), QStringLiteral("0.25")},
                               {QStringLiteral("yfract"), QStringLiteral("0.125")}};
    WWidget *pFirst = readWidget(pc.control, QStringLiteral("slider"), settings);
    const Settings saved = savedElements(TestSupport::saveWidget(pFirst));
    WWidget *pSecond = readWidget(pc.control, QStringLiteral("slider"), saved);
    QCOMPARE(TestSupport::saveWidget(pSecond), TestSupport::saveWidget(pFirst));
    QCOMPARE(pSecond->widgetId(), 4294967295u);
    QCOMPARE(pSecond->geometry(), QRectF(1.5, 2, 30, 40));
    QCOMPARE(pSecond->widthFract(), 0.75);
    QCOMPARE(pSecond->heightFract(), 0.875);
}

void TestWWidget::unparsableNumbersReadAsZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("nan") << QStringLiteral("nan");
    QTest::newRow("inf") << QStringLiteral("inf");
    QTest::newRow("-inf") << QStringLiteral("-inf");
    QTest::newRow("too big") << QStringLiteral("1e300");
    QTest::newRow("text") << QStringLiteral("wide");
    QTest::newRow("empty") << QString();
}

void TestWWidget::unparsableNumbersReadAsZero()
{
    QFETCH(QString, text);
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("x"), text},
                                   {QStringLiteral("width"), text},
                                   {QStringLiteral("z"), text},
                                   {QStringLiteral("widthfract"), text},
                                   {QStringLiteral("yfract"), text}});
    QCOMPARE(pWidget->geometry(), QRectF(0, 0, 0, 0));
    QCOMPARE(pWidget->widthFract(), 0.0);
    QCOMPARE(pWidget->yFract(), 0.0);
    QCOMPARE(pWidget->heightFract(), 1.0);
    const QByteArray saved = TestSupport::saveWidget(pWidget);
    QVERIFY(!saved.contains("nan") && !saved.contains("inf"));
}

void TestWWidget::readingNeedsAnItem()
{
    WWidget widget;
    QVERIFY(!widget.processElement(QStringLiteral("x"), QStringLiteral("1")));
    QTest::ignoreMessage(QtWarningMsg, "m_pWidget is not defined");
    QVERIFY(!widget.processRect(QStringLiteral("x"), QStringLiteral("1")));
    QCOMPARE(widget.geometry(), QRectF(0, 0, 0, 0));
    QCOMPARE(widget.text(), QString());
    QVERIFY(!widget.widgetProperty("x").isValid());
    widget.fitToRect(QRectF(0, 0, 10, 10));
    widget.setSelected(true);
    QVERIFY(!widget.selection());
}

// ---------------------------------------------------------------- geometry

void TestWWidget::fractionsMoveTheLeftEdge()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"), {{QStringLiteral("xfract"), QStringLiteral("0.25")}});
    QCOMPARE(pWidget->xFract(), 0.25);
    QCOMPARE(pWidget->widthFract(), 0.75);
    QVERIFY(pWidget->processElement(QStringLiteral("widthfract"), QStringLiteral("0.5")));
    QCOMPARE(pWidget->widthFract(), 0.5);
    QVERIFY(pWidget->processElement(QStringLiteral("yfract"), QStringLiteral("0.5")));
    QCOMPARE(pWidget->heightFract(), 0.5);
    QVERIFY(pWidget->processElement(QStringLiteral("title"), QStringLiteral("Main")));
    QCOMPARE(pWidget->text(), QStringLiteral("Main"));
    QVERIFY(!pWidget->processElement(QStringLiteral("colour"), QStringLiteral("red")));
}

void TestWWidget::fitToRect()
{
    PlainControl pc;
    WWidget *pWhole = readWidget(pc.control, QStringLiteral("slider"), {{QStringLiteral("x"), QStringLiteral("5")}});
    pWhole->fitToRect(QRectF(10, 20, 100, 50));
    QCOMPARE(pWhole->geometry(), QRectF(10, 20, 100, 50));
    WWidget *pPart = readWidget(pc.control, QStringLiteral("label"),
                                {{QStringLiteral("xfract"), QStringLiteral("0.5")},
                                 {QStringLiteral("yfract"), QStringLiteral("0.2")},
                                 {QStringLiteral("heightfract"), QStringLiteral("0.4")}});
    pPart->fitToRect(QRectF(10, 20, 100, 50));
    QCOMPARE(pPart->geometry(), QRectF(60, 30, 50, 20));
    // The control hands every widget its rectangle.
    pc.control->setWidgetsGeometry(QRectF(0, 0, 200, 100));
    QCOMPARE(pWhole->geometry(), QRectF(0, 0, 200, 100));
    QCOMPARE(pPart->geometry(), QRectF(100, 20, 100, 40));
}

void TestWWidget::refitLeavesUnchangedAxes()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("x"), QStringLiteral("3")},
                                   {QStringLiteral("y"), QStringLiteral("4")},
                                   {QStringLiteral("width"), QStringLiteral("7")},
                                   {QStringLiteral("height"), QStringLiteral("9")}});
    pWidget->refitToRect(QRectF(0, 0, 100, 50), QRectF(0, 30, 100, 50));
    QCOMPARE(pWidget->geometry(), QRectF(3, 30, 7, 50));
    pWidget->refitToRect(QRectF(0, 0, 100, 50), QRectF(0, 0, 120, 50));
    QCOMPARE(pWidget->geometry(), QRectF(0, 30, 120, 50));
}

void TestWWidget::moveAndScale()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("x"), QStringLiteral("10")},
                                   {QStringLiteral("y"), QStringLiteral("20")},
                                   {QStringLiteral("width"), QStringLiteral("30")},
                                   {QStringLiteral("height"), QStringLiteral("40")}});
    pWidget->moveBy(QPointF(-5, 5));
    QCOMPARE(pWidget->geometry(), QRectF(5, 25, 30, 40));
    pWidget->scaleGeometry(2.0, true);
    QCOMPARE(pWidget->geometry(), QRectF(10, 50, 60, 80));
    pWidget->scaleGeometry(0.5, false); // x and width divided by the factor
    QCOMPARE(pWidget->geometry(), QRectF(20, 25, 120, 40));
    for (qreal factor : {0.0, -1.0, qQNaN(), qInf()}) {
        pWidget->scaleGeometry(factor, false);
        QCOMPARE(pWidget->geometry(), QRectF(20, 25, 120, 40));
    }
    // Without a control nothing scales.
    pWidget->setControl(nullptr);
    pWidget->scaleGeometry(2.0, true);
    QCOMPARE(pWidget->geometry(), QRectF(20, 25, 120, 40));
}

void TestWWidget::sliderLabelIsMarked()
{
    PlainControl pc;
    // Any element that reaches the fraction reader marks it, not only fractions.
    WWidget *pLabel = readWidget(pc.control, QStringLiteral("label"), {{QStringLiteral("x"), QStringLiteral("1")}});
    QVERIFY(!pLabel->widget()->property("sliderLabel").isValid());
    pLabel->processElement(QStringLiteral("title"), QStringLiteral("Level"));
    QVERIFY(pLabel->widget()->property("sliderLabel").toBool());
    pc.control->setType(QStringLiteral("Button"));
    WWidget *pOther = readWidget(pc.control, QStringLiteral("label"), {{QStringLiteral("title"), QStringLiteral("1")}});
    QVERIFY(!pOther->widget()->property("sliderLabel").isValid());
}

void TestWWidget::geometryThroughTheControl()
{
    PlainControl pc;
    MModel model;
    model.setViewScale(2.0f);
    pc.control->setContextObject(&model);
    WWidget *pFrame = readWidget(pc.control, QStringLiteral("frame"),
                                 {{QStringLiteral("x"), QStringLiteral("10")},
                                  {QStringLiteral("y"), QStringLiteral("10")},
                                  {QStringLiteral("width"), QStringLiteral("100")},
                                  {QStringLiteral("height"), QStringLiteral("40")}});
    WWidget *pLabel = readWidget(pc.control, QStringLiteral("label"),
                                 {{QStringLiteral("x"), QStringLiteral("10")},
                                  {QStringLiteral("y"), QStringLiteral("10")},
                                  {QStringLiteral("width"), QStringLiteral("100")},
                                  {QStringLiteral("height"), QStringLiteral("20")},
                                  {QStringLiteral("heightfract"), QStringLiteral("0.5")}});
    pFrame->setPropertyValue(WidgetPropertyId::XPos, 50);
    QCOMPARE(pc.control->bounds(), QRectF(50, 10, 100, 40));
    QCOMPARE(pLabel->geometry(), QRectF(50, 10, 100, 20));
    pLabel->setPropertyValue(WidgetPropertyId::YPos, QStringLiteral("30"));
    QCOMPARE(pc.control->bounds(), QRectF(50, 30, 100, 40));
    pLabel->setPropertyValue(WidgetPropertyId::Height, 80.0);
    QCOMPARE(pc.control->bounds(), QRectF(50, 30, 100, 80));
    QCOMPARE(pLabel->geometry().height(), 40.0);
    // Resizing stores the new size of the control's type at scale 1.
    const QSettings settings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
    QCOMPARE(settings.value(QStringLiteral("Layout/Slider")).toString(), QStringLiteral("50x40"));
    pFrame->setPropertyValue(WidgetPropertyId::Width, 2.0); // raised to the minimum
    QCOMPARE(pc.control->bounds().width(), 15.0);
    pFrame->setPropertyValue(WidgetPropertyId::Width, qQNaN());
    QCOMPARE(pc.control->bounds().width(), 15.0);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::XPos).toInt(), 50);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::Height).toInt(), 80);
}

// ---------------------------------------------------------------- output guard, links, titles

void TestWWidget::outputGuard_data()
{
    QTest::addColumn<bool>("transform");
    QTest::addColumn<bool>("protocol");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("updating");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("all set") << true << true << true << false << true;
    QTest::newRow("no transform") << false << true << true << false << false;
    QTest::newRow("no protocol") << true << false << true << false << false;
    QTest::newRow("output disabled") << true << true << false << false << false;
    QTest::newRow("writing a device value") << true << true << true << true << false;
}

void TestWWidget::outputGuard()
{
    QFETCH(bool, transform);
    QFETCH(bool, protocol);
    QFETCH(bool, enabled);
    QFETCH(bool, updating);
    QFETCH(bool, allowed);
    TTransform valueTransform;
    RecordingProtocol recording;
    WWidget widget;
    QVERIFY(widget.isOutputEnabled());
    QVERIFY(!widget.isUpdating());
    widget.setTransform(transform ? &valueTransform : nullptr);
    widget.setProtocol(protocol ? &recording : nullptr);
    widget.setOutputEnabled(enabled);
    widget.setUpdating(updating);
    QCOMPARE(widget.isOutputAllowed(), allowed);
}

void TestWWidget::neverLinkedToItself()
{
    WWidget first;
    WWidget second;
    first.setLinkedWidget(&first);
    QVERIFY(!first.linkedWidget());
    first.setLinkedWidget(&second);
    QCOMPARE(first.linkedWidget(), &second);
    {
        WWidget gone;
        first.setLinkedWidget(&gone);
    }
    QVERIFY(!first.linkedWidget());
}

void TestWWidget::title_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    QTest::newRow("low") << "DizoZU 1" << "Level 1" << "DizoZU 1:Low";
    QTest::newRow("mid") << "DizoZU 1" << "Bypass 2" << "DizoZU 1:Mid";
    QTest::newRow("high") << "Zaro_RA 3" << "Level 3" << "Zaro_RA 3:High";
    QTest::newRow("other name") << "DizoZU 1" << "Gain" << "DizoZU 1";
    QTest::newRow("other label") << "Mixer 1" << "Level 1" << "Mixer 1";
}

void TestWWidget::title()
{
    QFETCH(QString, label);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    FakeProcessor processor;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), label);
    processor.addNode(pNode);
    CControl element;
    element.setName(control);
    WWidget widget;
    QCOMPARE(widget.title(), QString());
    widget.setNode(pNode);
    widget.setControl(&element);
    QCOMPARE(widget.title(), expected);
    QCOMPARE(widget.getToolTip(false), QString());
}

void TestWWidget::propertyValues()
{
    PlainControl pc;
    WWidget *pWidget = readWidget(pc.control, QStringLiteral("slider"),
                                  {{QStringLiteral("x"), QStringLiteral("10.9")},
                                   {QStringLiteral("width"), QStringLiteral("20")},
                                   {QStringLiteral("height"), QStringLiteral("20")},
                                   {QStringLiteral("title"), QStringLiteral("Level")}});
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::XPos), QVariant(10));
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::Text), QVariant(QStringLiteral("Level")));
    // An id that no kind answers reads as an empty text.
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::MeterRate), QVariant(QString()));
    QCOMPARE(pWidget->propertyValue(0x1234), QVariant(QString()));
    QVERIFY(!pWidget->propertyValue(WidgetPropertyId::FieldColor).isValid());
    pWidget->setPropertyValue(WidgetPropertyId::Text, QStringLiteral("Volume"));
    QCOMPARE(pWidget->text(), QStringLiteral("Volume"));
    pWidget->setPropertyValue(WidgetPropertyId::HasBorder, true);
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::HasBorder), QVariant(true));
    pWidget->setColorProperty("textColor", QStringLiteral("#80FF0000"));
    QCOMPARE(pWidget->colorPropertyName("textColor"), QStringLiteral("#80ff0000"));
    QCOMPARE(WWidget::localFileUrl(QStringLiteral("/tmp/a.png")), QStringLiteral("file:///tmp/a.png"));
    QCOMPARE(WWidget::localFileUrl(QStringLiteral("file:///tmp/a.png")), QStringLiteral("file:///tmp/a.png"));
    FakeProcessor processor;
    auto *pNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Mixer"));
    processor.addNode(pNode);
    pWidget->setNode(pNode);
    QCOMPARE(pWidget->getToolTip(true), QStringLiteral("Mixer"));
}

// A poll reply that shows what is shown already writes nothing to QML: a
// write notifies the item's bindings and draws a frame, for every control
// at every poll.
void TestWWidget::repeatedReplyChangesNoProperty_data()
{
    using Settings = WidgetFixture::Settings;
    QTest::addColumn<QString>("type");
    QTest::addColumn<Settings>("widget");
    QTest::addColumn<Settings>("binding");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("reply");
    const Settings rect{{"x", "10"}, {"y", "20"}, {"width", "40"}, {"height", "200"}};
    const Settings range = BoundWidgetFixture::range(QStringLiteral("-60"), QStringLiteral("12"), QStringLiteral("0.5"));
    QTest::newRow("fader") << "slider" << rect << range << "range" << "3.5";
    QTest::newRow("fader, clamped") << "slider" << rect << range << "range" << "-99";
    QTest::newRow("value text") << "textedit" << rect << range << "range" << "-12.0";
    Settings button = rect;
    button.append({QStringLiteral("action"), QStringLiteral("toggle")});
    QTest::newRow("button") << "button" << button << BoundWidgetFixture::letters(QStringLiteral("F,O")) << "list"
                            << "O";
    QTest::newRow("level buttons") << "levelbutton" << rect << range << "range" << "2";
}

void TestWWidget::repeatedReplyChangesNoProperty()
{
    QFETCH(QString, type);
    QFETCH(WidgetFixture::Settings, widget);
    QFETCH(WidgetFixture::Settings, binding);
    QFETCH(QString, element);
    QFETCH(QString, reply);
    BoundWidgetFixture f(type, widget, binding, element);
    QVERIFY(f.widget && f.widget->widget());
    f.reply(reply);
    QCoreApplication::processEvents();

    const PropertyWatch watch(f.widget->widget());
    for (int i = 0; i < 3; ++i)
        f.reply(reply);
    QCoreApplication::processEvents();
    QCOMPARE(watch.changed(), QStringList());
}

// ---------------------------------------------------------------- selection overlay

void TestWWidget::selectionOverlay()
{
    QmlControl qc;
    WWidget *pFrame = readWidget(qc.control, QStringLiteral("frame"), {{QStringLiteral("width"), QStringLiteral("80")}});
    QVERIFY(pFrame);
    qc.control->setSelected(true);
    QPointer<QObject> pOverlay = pFrame->selection();
    QVERIFY(pOverlay);
    auto *pOverlayItem = qobject_cast<QQuickItem *>(pOverlay.data());
    QVERIFY(pOverlayItem);
    QCOMPARE(pOverlayItem->parentItem(), pFrame->widget());
    QCOMPARE(pOverlayItem->width(), 80.0); // anchored to the widget's item
    QVERIFY(pOverlay->property("enableedit").toBool());

    // Selecting shows the drag frame on the overlay, not on the item.
    qc.control->setMode(CControl::ModeSelected);
    QVERIFY(pOverlay->property("vis").toBool());
    QVERIFY(!pFrame->widget()->property("vis").isValid());
    qc.control->setMode(CControl::ModeNormal);
    QVERIFY(!pOverlay->property("vis").toBool());

    // A click on the overlay reaches the widget; without a select tool nothing happens.
    QMetaObject::invokeMethod(pOverlay, "select", Q_ARG(int, 0));

    qc.control->setSelected(false);
    QVERIFY(!pFrame->selection());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!pOverlay);
    QVERIFY2(qc.fx.warnings().isEmpty(), qPrintable(qc.fx.warnings().join(QLatin1Char('\n'))));
}

void TestWWidget::noOverlayWhereSelectionIsOff()
{
    QmlControl qc;
    WWidget *pBounds = readWidget(qc.control, QStringLiteral("bounds"), {{QStringLiteral("width"), QStringLiteral("80")}});
    WWidget *pFrame = readWidget(qc.control, QStringLiteral("frame"), {{QStringLiteral("width"), QStringLiteral("80")}});
    qc.control->setSelected(true);
    QVERIFY(!pBounds->selection());
    QVERIFY(pFrame->selection());
    qc.control->setSelected(false);

    // A control that may not be edited shows no overlay.
    qc.control->setAttribute(QStringLiteral("list"), QStringLiteral("enableEdit"), QStringLiteral("0"));
    qc.control->setSelected(true);
    QVERIFY(!pFrame->selection());

    // Without a model there is nothing to create the overlay with.
    qc.control->setAttribute(QStringLiteral("list"), QStringLiteral("enableEdit"), QStringLiteral("1"));
    qc.control->setContextObject(nullptr);
    qc.control->setSelected(true);
    QVERIFY(!pFrame->selection());
}

void TestWWidget::overlayOfAHeldControlCannotEdit()
{
    QmlControl qc;
    CControl site;
    WWidget *pFrame = readWidget(qc.control, QStringLiteral("frame"), {{QStringLiteral("width"), QStringLiteral("80")}});
    qc.control->setDropSite(&site);
    pFrame->setSelected(true);
    QVERIFY(pFrame->selection());
    QVERIFY(!pFrame->selection()->property("enableedit").toBool());
    pFrame->setSelected(false);
}

VVB_TEST_MAIN(TestWWidget)
#include "tst_wwidget.moc"
