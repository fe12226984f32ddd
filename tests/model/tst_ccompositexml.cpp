#include "model/PanelFixture.h"

#include "hardware/HChassis.h"
#include "hardware/HComposite.h"
#include "model/CCanvas.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/QmlCanvasFixture.h"
#include "support/TestMain.h"
#include "xml/XmlWriter.h"

#include <QBuffer>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QSettings builderSettings()
{
    return QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

void setChoices(const QString &level, const QString &meter)
{
    QSettings settings = builderSettings();
    settings.remove(QStringLiteral("Level"));
    settings.remove(QStringLiteral("Meter"));
    if (!level.isEmpty())
        settings.setValue(QStringLiteral("Level"), level);
    if (!meter.isEmpty())
        settings.setValue(QStringLiteral("Meter"), meter);
}

// A panel of the model, fake widgets, and a design of one processor (node ID 7)
// holding one block (node ID 12).
struct Builder : PanelFixture
{
    Builder()
    {
        panel.setContextObject(&model);
        processor.setNodeId(7);
        pNode = node(QStringLiteral("Gain 1"));
        pNode->setNodeId(12);
        design.addNode(pDesignProcessor);
        pDesignProcessor->setNodeId(7);
        pDesignBlock->setNodeId(12);
        pDesignProcessor->addNode(pDesignBlock);
    }
    ~Builder() { setChoices(QString(), QString()); }

    int canvasItems() const { return int(factory.parentItem()->childItems().size()); }

    MModel model;
    FakeNode *pNode = nullptr;
    HComposite design;
    HChassis *pDesignProcessor = new HChassis;
    FakeNode *pDesignBlock = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
};

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray frameControl(const QByteArray &name, const QByteArray &inner = QByteArray(),
                        const QByteArray &attributes = "<list><doNotPoll>1</doNotPoll></list>")
{
    return "<Control name=\"" + name + "\" type=\"Frame\">" + inner
           + "<Property name=\"widget\"><frame><x>10</x><y>20</y><width>80</width><height>60</height></frame>"
             "</Property><Property name=\"attributes\">"
           + attributes + "</Property></Control>";
}

QByteArray clipboard(const QByteArray &controls)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><VMD><Controls>" + controls + "</Controls></VMD>";
}

const QByteArray kBoundToGain = "<block>Gain 1</block><nodeID>12</nodeID><nodeCategory>Blocks</nodeCategory>"
                                "<connection>Chassis|||7</connection>";

} // namespace

class TestCCompositeXml : public QObject
{
    Q_OBJECT

private slots:
    void init() { PanelFixture::flushDeletes(); }
    void cleanup() { setChoices(QString(), QString()); }

    // controls for nodes
    void controlTemplatePath_data();
    void controlTemplatePath();
    void createControlForNode_data();
    void createControlForNode();
    void droppedControlLandsAtThePosition();
    void refusedOrMissingNodeReadsNothing();

    // graphics templates and panel links
    void graphicsTemplates_data();
    void graphicsTemplates();
    void unknownToolBoxNameReadsNothing();
    void panelLink();

    // reading files and text
    void readsNothingWithoutModelOrFile();
    void brokenTemplateLeavesThePanelAsItWas();
    void projectReadsBackAsWritten();
    void corruptProjectChangesNothing();
    void blankTemplateLiesBesideTheExecutable();

    // paste
    void addFromXml_data();
    void addFromXml();
    void pastedControlsAreSelectedAndBound_data();
    void pastedControlsAreSelectedAndBound();
    void malformedClipboardLeavesThePanelAsItWas();
    void unknownWidgetKindsAreWrittenBackAsRead_data();
    void unknownWidgetKindsAreWrittenBackAsRead();
};

// ---------------------------------------------------------------- controls for nodes

void TestCCompositeXml::controlTemplatePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ranges");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("meter");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QString>("expectedName");

    const QString gain = QStringLiteral(":/data/KRX/Gain_0.xml");
    const QString gainTwin = QStringLiteral(":/data/KRX/Gain_01.xml");
    const QString card = QStringLiteral(":/data/KRX/In_0.xml");
    const QString cardTwin = QStringLiteral(":/data/KRX/In_01.xml");
    QTest::newRow("level, no setting") << gain << "Level" << true << "" << "" << gain << "Level";
    QTest::newRow("level, slider") << gain << "Level" << true << "slider" << "" << gain << "Level";
    QTest::newRow("level, button") << gain << "Level" << true << "button" << "" << gainTwin << "Level";
    QTest::newRow("level without ranges") << gain << "Level" << false << "button" << "" << gain << "Level";
    QTest::newRow("level is case-sensitive") << gain << "level 1" << true << "button" << "" << gain << "level 1";
    QTest::newRow("volume in any case") << gain << "Master VOLUME" << true << "button" << "" << gainTwin
                                        << "Master VOLUME";
    QTest::newRow("meter, no setting") << card << "Meter" << false << "" << "" << card << "Meter";
    QTest::newRow("meter, bar") << card << "Meter" << false << "" << "bar" << card << "Meter";
    QTest::newRow("meter, image") << card << "Meter" << false << "" << "image" << cardTwin << "MeterImage";
    QTest::newRow("numbered meter, image") << card << "Meter 2" << false << "" << "image" << cardTwin
                                           << "MeterImage 2";
    QTest::newRow("image meter stays one") << card << "MeterImage" << false << "" << "image" << cardTwin
                                           << "MeterImage";
    QTest::newRow("level decides before meter") << card << "Level Meter" << true << "slider" << "image" << card
                                                << "Level Meter";
    QTest::newRow("meter rule without ranges") << card << "Level Meter" << false << "button" << "image"
                                               << cardTwin << "Level MeterImage";
    QTest::newRow("mute") << gain << "Mute" << true << "button" << "image" << gain << "Mute";
    QTest::newRow("dots in a folder name") << "/tmp/v1.2/Gain_0.xml" << "Level" << true << "button" << ""
                                           << "/tmp/v1.2/Gain_01.xml" << "Level";
}

void TestCCompositeXml::controlTemplatePath()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(bool, ranges);
    QFETCH(QString, level);
    QFETCH(QString, meter);
    setChoices(level, meter);
    FakeNode node;
    node.setTemplatePath(path);
    node.setProperty(QStringLiteral("hasRanges"), ranges ? QStringLiteral("1") : QStringLiteral("0"));
    QTEST(CComposite::controlTemplatePath(&node, name), "expectedPath");
    QTEST(name, "expectedName");
}

void TestCCompositeXml::createControlForNode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ranges");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("meter");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("controlName");

    QTest::newRow("level, no setting") << "Level" << true << "" << "" << "Slider" << "Level";
    QTest::newRow("level, button") << "Level" << true << "button" << "" << "LevelButton" << "Level";
    QTest::newRow("level without ranges") << "Level" << false << "button" << "" << "Slider" << "Level";
    QTest::newRow("meter, bar") << "Meter" << false << "" << "bar" << "Meter" << "Meter";
    QTest::newRow("meter, image") << "Meter" << false << "" << "image" << "MeterImage" << "MeterImage";
    QTest::newRow("mute") << "Mute" << true << "button" << "image" << "Button" << "Mute";
}

void TestCCompositeXml::createControlForNode()
{
    QFETCH(QString, name);
    QFETCH(bool, ranges);
    QFETCH(QString, level);
    QFETCH(QString, meter);
    setChoices(level, meter);
    Builder builder;
    builder.pNode->setTemplatePath(QStringLiteral(":/data/KRX/In_0.xml"));
    builder.pNode->setProperty(QStringLiteral("hasRanges"), ranges ? QStringLiteral("1") : QStringLiteral("0"));

    CControl *pControl = builder.panel.createControlForNode(&builder.design, builder.pNode, name, QPointF());
    QVERIFY(pControl);
    QTEST(pControl->type(), "type");
    QTEST(pControl->name(), "controlName");
    QCOMPARE(builder.pNode->m_preparedNames, QStringList{name});
    QCOMPARE(builder.panel.childCount(), 1);
    QCOMPARE(pControl->parentComposite(), &builder.panel);
    QCOMPARE(pControl->node(), builder.pNode);
    QCOMPARE(pControl->model(), &builder.model);
    QVERIFY(!pControl->widgets().isEmpty());
}

void TestCCompositeXml::droppedControlLandsAtThePosition()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("Fader_0.xml"),
                                   clipboard(frameControl("Unset", {}, "<range><format>n</format></range>")
                                             + frameControl("Set", {}, "<range><index1>2</index1></range>")));
    QVERIFY(!path.isEmpty());
    Builder builder;
    builder.pNode->setTemplatePath(path);
    builder.pNode->setIndex(5);

    CControl *pUnset = builder.panel.createControlForNode(&builder.design, builder.pNode, QStringLiteral("Unset"),
                                                          QPointF(100, 150));
    QVERIFY(pUnset);
    QCOMPARE(pUnset->bounds(), QRectF(100, 150, 80, 60));
    QCOMPARE(pUnset->attributes().index1(), 5);
    CControl *pSet = builder.panel.createControlForNode(&builder.design, builder.pNode, QStringLiteral("Set"),
                                                        QPointF(0, 0));
    QVERIFY(pSet);
    QCOMPARE(pSet->bounds().topLeft(), QPointF(0, 0));
    QCOMPARE(pSet->attributes().index1(), 2);
    // The first control stayed where it was dropped.
    QCOMPARE(pUnset->bounds().topLeft(), QPointF(100, 150));
    QCOMPARE(builder.panel.childCount(), 2);
}

void TestCCompositeXml::refusedOrMissingNodeReadsNothing()
{
    Builder builder;
    builder.pNode->setTemplatePath(QStringLiteral(":/data/KRX/Gain_0.xml"));
    const QString name = QStringLiteral("Level");
    QCOMPARE(builder.panel.createControlForNode(&builder.design, nullptr, name, QPointF()), nullptr);
    QCOMPARE(builder.panel.createControlForNode(nullptr, builder.pNode, name, QPointF()), nullptr);
    builder.pNode->setProperty(QStringLiteral("refuseControl"), QStringLiteral("1"));
    QCOMPARE(builder.panel.createControlForNode(&builder.design, builder.pNode, name, QPointF()), nullptr);
    QCOMPARE(builder.pNode->m_preparedNames, QStringList{name});
    // A template the data does not hold.
    builder.pNode->setProperty(QStringLiteral("refuseControl"), QStringLiteral("0"));
    builder.pNode->setTemplatePath(QStringLiteral(":/data/KRX/Nothing_0.xml"));
    QCOMPARE(builder.panel.createControlForNode(&builder.design, builder.pNode, name, QPointF()), nullptr);
    QCOMPARE(builder.panel.childCount(), 0);
    QCOMPARE(builder.factory.created(), 0);
}

// ---------------------------------------------------------------- graphics templates and panel links

void TestCCompositeXml::graphicsTemplates_data()
{
    QTest::addColumn<QString>("toolName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("widget");

    QTest::newRow("label") << "Label" << "Label" << "Label" << "label";
    QTest::newRow("image") << "Image" << "Image" << "Image" << "image";
    QTest::newRow("frame") << "Frame" << "Frame" << "Frame" << "frame";
    QTest::newRow("region") << "Region" << "Region" << "Region" << "region";
    QTest::newRow("setup button") << "Setup Button" << "SettingsButton" << "Button" << "button";
    QTest::newRow("connection indicator") << "Connection Indicator" << "ConnectionIndicator" << "Button"
                                          << "button";
}

void TestCCompositeXml::graphicsTemplates()
{
    QFETCH(QString, toolName);
    QFETCH(QString, name);
    Builder builder;
    QCOMPARE(CComposite::graphicsTemplateName(toolName), name);
    CControl *pControl = builder.panel.createFromGraphics(toolName, QPointF(40, 70));
    QVERIFY(pControl);
    QCOMPARE(builder.panel.childCount(), 1);
    QCOMPARE(pControl->name(), name);
    QTEST(pControl->type(), "type");
    QCOMPARE(pControl->widgets().size(), 1);
    QTEST(pControl->widgets().first()->typeName(), "widget");
    QCOMPARE(pControl->bounds().topLeft(), QPointF(40, 70));
    QVERIFY(pControl->bounds().width() > 0);
    QCOMPARE(pControl->node(), nullptr);
    // Placed by the user: selectable, never polled.
    QVERIFY(pControl->attributes().enableEdit());
    QVERIFY(pControl->attributes().doNotPoll());
}

void TestCCompositeXml::unknownToolBoxNameReadsNothing()
{
    Builder builder;
    for (const char *name : {"Bogus", "label", "SettingsButton", ""})
        QCOMPARE(builder.panel.createFromGraphics(QString::fromLatin1(name), QPointF()), nullptr);
    QCOMPARE(builder.panel.childCount(), 0);
    QCOMPARE(builder.factory.created(), 0);
}

void TestCCompositeXml::panelLink()
{
    Builder builder;
    CComposite target;
    target.setKind(QStringLiteral("Panel"));
    CControl *pLink = builder.panel.createPanelLink(&target, QPointF(12, 34));
    QVERIFY(pLink);
    QCOMPARE(pLink->name(), QStringLiteral("Link"));
    QCOMPARE(pLink->type(), QStringLiteral("PanelLink"));
    QVERIFY(pLink->findWidget(QStringLiteral("panellink")));
    QCOMPARE(pLink->bounds(), QRectF(12, 34, 120, 30));
    QVERIFY(pLink->attributes().enableEdit());
    QCOMPARE(builder.panel.childCount(), 1);
}

// ---------------------------------------------------------------- reading files

void TestCCompositeXml::readsNothingWithoutModelOrFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("t.xml"), clipboard(frameControl("A")));
    Builder builder;
    CComposite orphan;
    QVERIFY(!orphan.readElements(nullptr, nullptr, path, QString()));
    QCOMPARE(orphan.childCount(), 0);
    QVERIFY(!builder.panel.readElements(nullptr, nullptr, dir.filePath(QStringLiteral("missing.xml")), QString()));
    QVERIFY(builder.panel.readElements(nullptr, nullptr, path, QString()));
    QCOMPARE(builder.panel.childCount(), 1);
    QCOMPARE(WDelegate::instance()->sourceFile(), path);
}

// A parse error after complete and half-read controls: the panel keeps what
// it had, no widget stays on the canvas and the node keeps its marks.
void TestCCompositeXml::brokenTemplateLeavesThePanelAsItWas()
{
    QTemporaryDir dir;
    const QString path = writeFile(
        dir, QStringLiteral("Broken_0.xml"),
        clipboard(frameControl("Level") + "<Control name=\"Level\" type=\"Frame\"><Property name=\"widget\"><frame>"
                                          "<x>1</x></frame><frame><x>2</x></frme>"));
    Builder builder;
    builder.control(QStringLiteral("Existing"));
    const int items = builder.canvasItems();
    QPointer<FakeNode> pLoose = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Loose"));
    builder.pNode->setTemplatePath(path);
    builder.pNode->setChecked(true);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QCOMPARE(builder.panel.createControlForNode(&builder.design, builder.pNode, QStringLiteral("Level"), QPointF()),
             nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!builder.panel.readElements(&builder.design, pLoose, path, QString()));

    QCOMPARE(builder.panel.childCount(), 1);
    QCOMPARE(builder.panel.childAt(0)->name(), QStringLiteral("Existing"));
    QVERIFY(builder.factory.created() > 0);
    PanelFixture::flushDeletes();
    QCOMPARE(builder.canvasItems(), items);
    QVERIFY(builder.pNode->hasFlags(HNode::FlagSelected));
    QVERIFY(pLoose);
    delete pLoose.data();
}

// What the writers of this system produce (UTF-16 with its mark) reads back
// into the same scenes, panels, controls, bindings, canvas and project.
void TestCCompositeXml::projectReadsBackAsWritten()
{
    Builder builder;
    QmlCanvasFixture fx;
    WDelegate::instance()->setFactory(fx.factory());
    CComposite root;
    root.setType(QStringLiteral("Scenes"));
    auto *pScene = new CComposite;
    pScene->setKind(QStringLiteral("Scene"));
    pScene->setName(QStringLiteral("Lobby & Hall"));
    root.addChild(pScene);
    auto *pPanel = new CComposite;
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setName(QStringLiteral(" Home  page "));
    pPanel->setPanelType(QStringLiteral("custom"));
    pScene->addChild(pPanel);
    CControl *pControl = builder.control(QStringLiteral("Level"), QStringLiteral("Slider"), builder.pNode,
                                         QStringLiteral("strV"), false);
    pControl->setAttribute(QStringLiteral("list"), QStringLiteral("set"), QStringLiteral(" F, <O> "));
    PanelFixture::widget(pControl, QStringLiteral("frame"),
                         {{QStringLiteral("x"), QStringLiteral("5")}, {QStringLiteral("width"), QStringLiteral("40")}});
    pPanel->addChild(pControl);
    CCanvas canvas;
    canvas.setText(QStringLiteral("  Foyer \"A\"  "));
    MProject project;
    project.characters(QStringLiteral("Customer"), QStringLiteral("name"), QStringLiteral("Smith & Sons"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.cpf"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        XmlWriter writer;
        writer.setDevice(&file);
        writer.setEncoding(2);
        writer.writeDeclaration();
        writer.writeStartElement(QStringLiteral("VMD"));
        writer.writeStartElement(QStringLiteral("Version"));
        writer.writeTextElement(QStringLiteral("fileVersion"), QStringLiteral("3.7"));
        writer.writeEndElement(QStringLiteral("Version"));
        canvas.writeXml(&writer);
        project.writeXml(&writer);
        root.writeXml(&writer);
        writer.writeEndElement(QStringLiteral("VMD"));
        writer.flush();
    }

    CComposite opened;
    CCanvas openedCanvas;
    MProject openedProject;
    QString version = QStringLiteral("3.0");
    QVERIFY(opened.loadFromFile(path, &builder.design, nullptr, &builder.model, &openedProject, &openedCanvas,
                                &version));
    QCOMPARE(version, QStringLiteral("3.7"));
    QCOMPARE(openedCanvas.text(), canvas.text());
    QCOMPARE(openedProject.customerName(), QStringLiteral("Smith & Sons"));
    QCOMPARE(opened.type(), QStringLiteral("Scenes"));
    QCOMPARE(opened.childCount(), 1);
    auto *pOpenedScene = qobject_cast<CComposite *>(opened.childAt(0));
    QCOMPARE(pOpenedScene->name(), QStringLiteral("Lobby & Hall"));
    auto *pOpenedPanel = qobject_cast<CComposite *>(pOpenedScene->childAt(0));
    QCOMPARE(pOpenedPanel->name(), QStringLiteral(" Home  page "));
    QCOMPARE(pOpenedPanel->panelType(), CComposite::PanelCustom);
    CControl *pOpened = pOpenedPanel->childAt(0);
    QCOMPARE(pOpened->name(), QStringLiteral("Level"));
    QCOMPARE(pOpened->type(), QStringLiteral("Slider"));
    QCOMPARE(pOpened->id(), pControl->id());
    QCOMPARE(pOpened->node(), builder.pDesignBlock);
    QCOMPARE(pOpened->attributes().set(), QStringLiteral(" F, <O> "));
    QCOMPARE(pOpened->attributes().transform(), QStringLiteral("strV"));
    QCOMPARE(pOpened->widgets().size(), 1);
    QCOMPARE(pOpened->widgets().first()->geometry().x(), 5.0);
    QCOMPARE(pOpened->widgets().first()->geometry().width(), 40.0);
    // Every element knows the model; the new controls were initialised.
    QCOMPARE(pOpenedScene->model(), &builder.model);
    QCOMPARE(pOpened->model(), &builder.model);
    QVERIFY(pOpened->transform());
    opened.clear();
    root.clear();
    PanelFixture::flushDeletes();
}

void TestCCompositeXml::corruptProjectChangesNothing()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("bad.cpf"),
                                   "<?xml version=\"1.0\"?><VMD><Version><fileVersion>9</fileVersion></Version>"
                                   "<Scenes><Scene name=\"S\"><Panels><Panel name=\"P\"><Controls>"
                                   + frameControl("A") + "</Controls></Panel></Panels></Scene><Scenes></VMD>");
    Builder builder;
    CComposite root;
    root.setType(QStringLiteral("Scenes"));
    auto *pScene = new CComposite;
    pScene->setKind(QStringLiteral("Scene"));
    root.addChild(pScene);
    QString version = QStringLiteral("3.0");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!root.loadFromFile(path, &builder.design, nullptr, &builder.model, nullptr, nullptr, &version));
    QCOMPARE(version, QStringLiteral("3.0"));
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(root.childAt(0), pScene);
    QCOMPARE(pScene->childCount(), 0);
    PanelFixture::flushDeletes();
    QCOMPARE(builder.factory.parentItem()->childItems().size(), 0);
}

// The program and the tests find the templates the same way: beside the executable.
void TestCCompositeXml::blankTemplateLiesBesideTheExecutable()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/templates/Blank Panel.tpl");
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("<Controls>"));
    QVERIFY(!bytes.contains("<Scenes>"));

    Builder builder;
    CComposite panel;
    QVERIFY(panel.loadFromFile(path, &builder.design, nullptr, &builder.model));
    QCOMPARE(panel.childCount(), 0);
    QCOMPARE(panel.model(), &builder.model);
}

// ---------------------------------------------------------------- paste

void TestCCompositeXml::addFromXml_data()
{
    QTest::addColumn<QByteArray>("controls");
    QTest::addColumn<int>("added");
    QTest::addColumn<bool>("returned");

    QTest::newRow("one control") << frameControl("A") << 1 << true;
    QTest::newRow("two controls") << frameControl("A") + frameControl("B") << 2 << false;
    QTest::newRow("none") << QByteArray() << 0 << false;
}

void TestCCompositeXml::addFromXml()
{
    QFETCH(QByteArray, controls);
    QFETCH(int, added);
    QFETCH(bool, returned);
    Builder builder;
    builder.control(QStringLiteral("Existing"));
    CControl *pResult = builder.panel.addFromXml(&builder.design, clipboard(controls));
    QCOMPARE(builder.panel.childCount(), 1 + added);
    QCOMPARE(pResult, returned ? builder.panel.childAt(1) : nullptr);
}

void TestCCompositeXml::pastedControlsAreSelectedAndBound_data()
{
    QTest::addColumn<QByteArray>("controls");
    QTest::newRow("one control") << frameControl("A", kBoundToGain);
    QTest::newRow("two controls") << frameControl("A", kBoundToGain) + frameControl("B", kBoundToGain);
}

void TestCCompositeXml::pastedControlsAreSelectedAndBound()
{
    QFETCH(QByteArray, controls);
    QmlCanvasFixture fx;
    WDelegate::instance()->setFactory(fx.factory());
    fx.model()->setViewScale(2.0f);
    HComposite design;
    auto *pProcessor = new HChassis;
    pProcessor->setNodeId(7);
    auto *pBlock = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    pBlock->setNodeId(12);
    pProcessor->addNode(pBlock);
    design.addNode(pProcessor);
    CComposite panel;
    panel.setKind(QStringLiteral("Panel"));

    const QList<CControl *> pasted = panel.pasteControls(&design, clipboard(controls), fx.model());
    QCOMPARE(pasted.size(), controls.count("<Control "));
    QCOMPARE(panel.children(), pasted);
    for (CControl *pControl : pasted) {
        QCOMPARE(pControl->model(), fx.model());
        QCOMPARE(pControl->node(), pBlock);
        QCOMPARE(pControl->widgets().size(), 1);
        QVERIFY2(pControl->widgets().first()->selection(), qPrintable(pControl->name()));
    }
    QVERIFY(pBlock->hasFlags(HNode::FlagSelected));
    QCOMPARE(WDelegate::instance()->scale(), 2.0f);
    panel.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WDelegate::instance()->setFactory(nullptr);
}

void TestCCompositeXml::malformedClipboardLeavesThePanelAsItWas()
{
    Builder builder;
    builder.control(QStringLiteral("Existing"));
    const int items = builder.canvasItems();
    WDelegate::instance()->setScale(1.5f);
    const QByteArray broken = clipboard(frameControl("A") + frameControl("B")).chopped(10);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QCOMPARE(builder.panel.addFromXml(&builder.design, broken), nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(builder.panel.pasteControls(&builder.design, broken, nullptr).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(builder.panel.pasteControls(&builder.design, QByteArray("garbage"), nullptr).isEmpty());
    QCOMPARE(builder.panel.childCount(), 1);
    QCOMPARE(WDelegate::instance()->scale(), 1.5f);
    PanelFixture::flushDeletes();
    QCOMPARE(builder.canvasItems(), items);
}

void TestCCompositeXml::unknownWidgetKindsAreWrittenBackAsRead_data()
{
    QTest::addColumn<QByteArray>("widgets");
    const QByteArray gauge = "<gauge><x>12.5</x><y>30</y><width>64</width><height>48</height><z>3</z>"
                             "<xfract>0.25</xfract><needle>red, thin</needle></gauge>";
    const QByteArray frame = "<frame><x>10</x><y>20</y><width>80</width><height>60</height><z>1</z>"
                             "<xfract>0</xfract><yfract>0</yfract><widthfract>1</widthfract>"
                             "<heightfract>1</heightfract></frame>";
    QTest::newRow("only an unknown kind") << gauge;
    QTest::newRow("unknown before a known one") << gauge + frame;
    QTest::newRow("unknown after a known one") << frame + gauge;
    QTest::newRow("two unknown around a known one")
        << gauge + frame + QByteArray("<meterbar><x>1</x><peak>true</peak></meterbar>");
}

// A kind this build cannot make (or one a newer file holds) must not lose
// its position, size, z and fractions when the project is saved again.
void TestCCompositeXml::unknownWidgetKindsAreWrittenBackAsRead()
{
    QFETCH(QByteArray, widgets);
    Builder builder;
    builder.factory.refuse(QStringLiteral("gauge"));
    builder.factory.refuse(QStringLiteral("meterbar"));
    const QByteArray control = "<Control name=\"Future\" type=\"Gauge\"><id>4</id><Property name=\"widget\">"
                               + widgets + "</Property><Property name=\"attributes\"></Property></Control>";
    builder.panel.addFromXml(&builder.design, clipboard(control));
    QCOMPARE(builder.panel.childCount(), 1);

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    XmlWriter writer;
    writer.setDevice(&buffer);
    writer.setEncoding(XmlEncodingUtf8);
    builder.panel.childAt(0)->writeXml(&writer);
    writer.flush();
    QByteArray written = buffer.data();
    written.replace('\n', "").replace('\r', "").replace('\t', "");
    // The fake factory's widgets write their fields without an element of their own.
    QByteArray expected = widgets;
    expected.replace("<frame>", "").replace("</frame>", "");
    QVERIFY2(written.contains("<Property name=\"widget\">" + expected + "</Property>"), written.constData());
}

VVB_TEST_MAIN(TestCCompositeXml)
#include "tst_ccompositexml.moc"
