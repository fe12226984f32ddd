#include "dialogs/DPropDialog.h"
#include "model/CControl.h"
#include "support/QmlCanvasFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "widgets/WDelegate.h"
#include "widgets/WFrame.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"
#include "xml/XmlWriter.h"

#include <QColor>
#include <QQmlEngine>
#include <QQuickItem>
#include <QtTest>

namespace {

// The colour of the drawn border of a frame's item.
QColor borderColor(QObject *pItem)
{
    auto *pBorder = pItem->property("border").value<QObject *>();
    return pBorder ? pBorder->property("color").value<QColor>() : QColor();
}

qreal borderWidth(QObject *pItem)
{
    auto *pBorder = pItem->property("border").value<QObject *>();
    return pBorder ? pBorder->property("width").toReal() : -1.0;
}

} // namespace

class TestWWidgetFactory : public QObject
{
    Q_OBJECT

private slots:
    // factory and delegate
    void everyTypeOfTheTableIsCreated_data();
    void everyTypeOfTheTableIsCreated();
    void typeNamesCompareExactly();
    void nothingBeforeTheCanvasIsSetUp();
    void registeringTwiceIsHarmless();
    void widgetsFollowTheCanvasToAnotherEngine();
    void delegateHandsOutConsecutiveIds();
    void delegateIsMadeAgainAfterDeletion();

    // frame and bounds
    void frameSavesItsLook();
    void frameReadsTemplateSettings();
    void frameWithoutBorder();
    void frameIgnoresFractionsAndId();
    void boundsSavesAbsentValues();
    void framePropertyPage();
};

// ---------------------------------------------------------------- factory and delegate

void TestWWidgetFactory::everyTypeOfTheTableIsCreated_data()
{
    QTest::addColumn<QString>("type");
    const QStringList types = WWidgetFactory::typeNames();
    QVERIFY(types.contains(QStringLiteral("frame")));
    QVERIFY(types.contains(QStringLiteral("bounds")));
    for (const QString &type : types)
        QTest::newRow(qPrintable(type)) << type;
}

void TestWWidgetFactory::everyTypeOfTheTableIsCreated()
{
    QFETCH(QString, type);
    QmlCanvasFixture fx;
    const QUrl file = WWidgetFactory::qmlFile(type);
    QVERIFY(QFile::exists(QLatin1Char(':') + file.path()));
    WWidget *pWidget = fx.factory()->createWidget(type);
    QVERIFY2(pWidget, qPrintable(fx.warnings().join(QLatin1Char('\n'))));
    QCOMPARE(pWidget->objectName(), QStringLiteral("widget"));
    auto *pItem = qobject_cast<QQuickItem *>(pWidget->widget());
    QVERIFY(pItem);
    QCOMPARE(pItem->parentItem(), fx.canvas());
    QCOMPARE(pItem->parent(), fx.canvas());
    QCOMPARE(pWidget->parent(), pItem);
    // The class comes from the QML file: "frame" and "bounds" share WFrame.
    static const QHash<QString, QString> Classes = {
        {QStringLiteral("bounds"), QStringLiteral("WFrame")},       {QStringLiteral("frame"), QStringLiteral("WFrame")},
        {QStringLiteral("label"), QStringLiteral("WLabel")},        {QStringLiteral("panellink"), QStringLiteral("WPanelLink")},
        {QStringLiteral("slider"), QStringLiteral("WSlider")},      {QStringLiteral("textedit"), QStringLiteral("WTextEdit")},
        {QStringLiteral("dropsite"), QStringLiteral("WDropSite")},
        {QStringLiteral("region"), QStringLiteral("WRegion")},
        {QStringLiteral("roomselector"), QStringLiteral("WRoomSelection")},
        {QStringLiteral("activeroomcombo"), QStringLiteral("WActiveCombo")},
        {QStringLiteral("comboselector"), QStringLiteral("WComboSelection")},
        {QStringLiteral("button"), QStringLiteral("WButton")},
        {QStringLiteral("cmdbutton"), QStringLiteral("WCmdButton")},
        {QStringLiteral("textlink"), QStringLiteral("WTextLink")},
        {QStringLiteral("levelbutton"), QStringLiteral("WLevelButtons")},
        {QStringLiteral("dialer"), QStringLiteral("WDialer")},
        {QStringLiteral("droplist"), QStringLiteral("WDropList")},
        {QStringLiteral("image"), QStringLiteral("WImage")},
        {QStringLiteral("meter"), QStringLiteral("WMeter")},
        {QStringLiteral("meterimage"), QStringLiteral("WMeterImage")}};
    QVERIFY2(Classes.contains(type), qPrintable(type));
    QCOMPARE(QString::fromLatin1(pWidget->metaObject()->className()), Classes.value(type));
    QVERIFY2(fx.warnings().isEmpty(), qPrintable(fx.warnings().join(QLatin1Char('\n'))));
}

void TestWWidgetFactory::typeNamesCompareExactly()
{
    QmlCanvasFixture fx;
    QVERIFY(!fx.factory()->createWidget(QStringLiteral("Frame")));
    QVERIFY(!fx.factory()->createWidget(QStringLiteral("frame ")));
    QVERIFY(!fx.factory()->createWidget(QString()));
    QVERIFY(!fx.factory()->createWidget(QStringLiteral("hologram")));
    QVERIFY(WWidgetFactory::qmlFile(QStringLiteral("Frame")).isEmpty());
    QCOMPARE(fx.canvas()->childItems().size(), 0);
}

void TestWWidgetFactory::nothingBeforeTheCanvasIsSetUp()
{
    QmlCanvasFixture fx;
    WWidgetFactory factory;
    QTest::ignoreMessage(QtDebugMsg, "Context and parent not ready for creation of quick item at path: "
                                     "qrc:/qmlcontrol/QmlFrame.qml");
    QVERIFY(!factory.createWidget(QStringLiteral("frame")));
    factory.setContext(fx.context());
    QTest::ignoreMessage(QtDebugMsg, "Context and parent not ready for creation of quick item at path: "
                                     "qrc:/qmlcontrol/QmlFrame.qml");
    QVERIFY(!factory.createWidget(QStringLiteral("frame")));
    QObject notAnItem;
    factory.setParentItem(&notAnItem);
    QVERIFY(!factory.parentItem());
    factory.setParentItem(fx.canvas());
    QVERIFY(factory.createWidget(QStringLiteral("frame")));
    // A canvas that goes away leaves the factory without a parent item.
    auto *pCanvas = new QQuickItem;
    factory.setParentItem(pCanvas);
    delete pCanvas;
    QVERIFY(!factory.parentItem());
}

// The factory keeps each kind's loaded file, but only for the engine it was
// loaded in: a new canvas on another engine gets items of its own engine, and
// an engine that goes takes the files loaded in it along.
void TestWWidgetFactory::widgetsFollowTheCanvasToAnotherEngine()
{
    QmlCanvasFixture first;
    WWidgetFactory factory;
    factory.setContext(first.context());
    factory.setParentItem(first.canvas());
    for (int i = 0; i < 2; ++i) {
        WWidget *pWidget = factory.createWidget(QStringLiteral("slider"));
        QVERIFY(pWidget);
        QCOMPARE(qmlEngine(pWidget->widget()), first.engine());
    }
    {
        QmlCanvasFixture second;
        factory.setContext(second.context());
        factory.setParentItem(second.canvas());
        WWidget *pWidget = factory.createWidget(QStringLiteral("slider"));
        QVERIFY(pWidget);
        QCOMPARE(qmlEngine(pWidget->widget()), second.engine());
        QCOMPARE(pWidget->widget()->parent(), second.canvas());
        QVERIFY(second.warnings().isEmpty());
    }
    factory.setContext(first.context());
    factory.setParentItem(first.canvas());
    WWidget *pWidget = factory.createWidget(QStringLiteral("slider"));
    QVERIFY(pWidget);
    QCOMPARE(qmlEngine(pWidget->widget()), first.engine());
    QCOMPARE(first.canvas()->childItems().size(), 3);
    QVERIFY(first.warnings().isEmpty());
}

void TestWWidgetFactory::registeringTwiceIsHarmless()
{
    WWidgetFactory::registerQmlTypes();
    WWidgetFactory::registerQmlTypes();
    QmlCanvasFixture fx;
    QVERIFY(fx.factory()->createWidget(QStringLiteral("frame")));
    QVERIFY(fx.warnings().isEmpty());
}

void TestWWidgetFactory::delegateHandsOutConsecutiveIds()
{
    WDelegate *pDelegate = WDelegate::instance();
    QCOMPARE(WDelegate::instance(), pDelegate);
    const qint32 first = pDelegate->nextId();
    QCOMPARE(pDelegate->nextId(), first + 1);
    CControl a;
    CControl b;
    QCOMPARE(b.id(), a.id() + 1);
    QCOMPARE(a.id(), first + 2);
}

void TestWWidgetFactory::delegateIsMadeAgainAfterDeletion()
{
    WDelegate *pDelegate = WDelegate::instance();
    pDelegate->setSourceFile(QStringLiteral("/tmp/x.cpf"));
    delete pDelegate;
    WDelegate *pNew = WDelegate::instance();
    QVERIFY(pNew);
    QCOMPARE(pNew->sourceFile(), QString());
    QCOMPARE(pNew->scale(), 1.0f);
    QVERIFY(!pNew->factory());
}

// ---------------------------------------------------------------- frame and bounds

void TestWWidgetFactory::frameSavesItsLook()
{
    QmlCanvasFixture fx;
    WWidget *pFrame = fx.factory()->createWidget(QStringLiteral("frame"));
    pFrame->setTypeName(QStringLiteral("frame"));
    QVERIFY(pFrame->processElement(QStringLiteral("fieldcolor"), QStringLiteral("#FF102030")));
    QVERIFY(pFrame->processElement(QStringLiteral("bordercolor"), QStringLiteral("#80405060")));
    QVERIFY(pFrame->processElement(QStringLiteral("borderwidth"), QStringLiteral("2.5")));
    QVERIFY(pFrame->processElement(QStringLiteral("x"), QStringLiteral("4")));
    const QString xml = QString::fromUtf8(TestSupport::saveWidget(pFrame));
    QVERIFY2(xml.startsWith(QStringLiteral("<frame>\n\t<x>4</x>\n")), qPrintable(xml));
    QVERIFY(xml.contains(QStringLiteral("\t<heightfract>1</heightfract>\n\t<shape>box</shape>\n\t<shadow>plain</shadow>\n"
                                        "\t<fieldcolor>#ff102030</fieldcolor>\n\t<bordercolor>#80405060</bordercolor>\n"
                                        "\t<borderwidth>2.5</borderwidth>\n\t<hasBorder>1</hasBorder>\n</frame>\n")));
    QCOMPARE(borderWidth(pFrame->widget()), 2.5);
}

void TestWWidgetFactory::frameReadsTemplateSettings()
{
    QmlCanvasFixture fx;
    WWidget *pFrame = fx.factory()->createWidget(QStringLiteral("frame"));
    pFrame->setTypeName(QStringLiteral("frame"));
    QVERIFY(pFrame->processElement(QStringLiteral("shape"), QStringLiteral("panel")));
    QVERIFY(pFrame->processElement(QStringLiteral("shadow"), QStringLiteral("raised")));
    QVERIFY(!pFrame->processElement(QStringLiteral("title"), QStringLiteral("Name")));
    QVERIFY(!pFrame->processElement(QStringLiteral("Shape"), QStringLiteral("panel")));
    const QString xml = QString::fromUtf8(TestSupport::saveWidget(pFrame));
    QVERIFY(xml.contains(QStringLiteral("<shape>box</shape>")));
    QVERIFY(xml.contains(QStringLiteral("<shadow>plain</shadow>")));
    // A thin border on a screen of pixel scale 1 is drawn one pixel wide.
    QCOMPARE(pFrame->widget()->property("borderWidth").toReal(), 0.5);
    QCOMPARE(borderWidth(pFrame->widget()), 1.0);
    QVERIFY(fx.warnings().isEmpty());
}

void TestWWidgetFactory::frameWithoutBorder()
{
    QmlCanvasFixture fx;
    WWidget *pFrame = fx.factory()->createWidget(QStringLiteral("frame"));
    QVERIFY(borderColor(pFrame->widget()).alpha() > 0);
    QVERIFY(pFrame->processElement(QStringLiteral("hasBorder"), QStringLiteral("0")));
    QCOMPARE(borderColor(pFrame->widget()).alpha(), 0);
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::HasBorder), QVariant(false));
    QVERIFY(pFrame->processElement(QStringLiteral("hasBorder"), QStringLiteral("yes")));
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::HasBorder), QVariant(false));
    pFrame->setPropertyValue(WidgetPropertyId::HasBorder, true);
    QVERIFY(borderColor(pFrame->widget()).alpha() > 0);
    pFrame->setPropertyValue(WidgetPropertyId::BorderColor, QColor(Qt::red));
    QCOMPARE(borderColor(pFrame->widget()), QColor(Qt::red));
}

void TestWWidgetFactory::frameIgnoresFractionsAndId()
{
    QmlCanvasFixture fx;
    WWidget *pFrame = fx.factory()->createWidget(QStringLiteral("frame"));
    QVERIFY(!pFrame->processElement(QStringLiteral("xfract"), QStringLiteral("0.5")));
    QVERIFY(!pFrame->processElement(QStringLiteral("id"), QStringLiteral("9")));
    QCOMPARE(pFrame->xFract(), 0.0);
    QCOMPARE(pFrame->widgetId(), 0u);
    pFrame->fitToRect(QRectF(10, 10, 60, 30));
    QCOMPARE(pFrame->geometry(), QRectF(10, 10, 60, 30));
    QVERIFY(pFrame->processElement(QStringLiteral("borderwidth"), QStringLiteral("nan")));
    QCOMPARE(pFrame->widget()->property("borderWidth").toReal(), 0.0);
}

void TestWWidgetFactory::boundsSavesAbsentValues()
{
    QmlCanvasFixture fx;
    WWidget *pBounds = fx.factory()->createWidget(QStringLiteral("bounds"));
    pBounds->setTypeName(QStringLiteral("bounds"));
    QVERIFY(!pBounds->widget()->property("selEnable").toBool());
    const QString xml = QString::fromUtf8(TestSupport::saveWidget(pBounds));
    QVERIFY2(xml.startsWith(QStringLiteral("<bounds>\n")), qPrintable(xml));
    QVERIFY(xml.contains(QStringLiteral("<borderwidth>0</borderwidth>")));
    QVERIFY(xml.contains(QStringLiteral("<hasBorder>0</hasBorder>")));
    QVERIFY(xml.contains(QStringLiteral("<fieldcolor>") + QColor().name(QColor::HexArgb)));
    QVERIFY(xml.endsWith(QStringLiteral("</bounds>\n")));
}

void TestWWidgetFactory::framePropertyPage()
{
    QmlCanvasFixture fx;
    WWidget *pFrame = fx.factory()->createWidget(QStringLiteral("frame"));
    QWidget parent;
    DPropDialog *pPage = pFrame->createPropertiesDialog(&parent);
    QVERIFY(pPage);
    QCOMPARE(QString::fromLatin1(pPage->metaObject()->className()), QStringLiteral("DPropFrameDialog"));
    QCOMPARE(pPage->widget(), pFrame);
    QCOMPARE(pPage->parentWidget(), &parent);
    WWidget plain;
    QVERIFY(!plain.createPropertiesDialog(&parent));
}

VVB_TEST_MAIN(TestWWidgetFactory)
#include "tst_wwidgetfactory.moc"
