#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "hardware/HComposite.h"
#include "hardware/HGroup.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/FakeNodes.h"
#include "support/FakeWidgetFactory.h"
#include "support/TestMain.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "xml/XControlHandler.h"
#include "xml/XmlWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QtTest>

namespace {

// A design with two processors: one known by its node ID, one by its label.
struct Design
{
    static HChassis *processor(const QString &label)
    {
        auto *pChassis = new HChassis;
        pChassis->setLabel(label);
        return pChassis;
    }

    Design()
    {
        pRackA->setNodeId(7);
        pGain->setNodeId(12);
        pGain->setLabel(QStringLiteral("Gain 1"));
        pRackA->addNode(pGain);
        pMixer->setLabel(QStringLiteral("Mixer"));
        pRackB->addNode(pMixer);
        root.addNode(pRackA);
        root.addNode(pRackB);
    }

    HComposite root;
    HChassis *pRackA = processor(QStringLiteral("Rack A"));
    HChassis *pRackB = processor(QStringLiteral("Rack B"));
    FakeNode *pGain = new FakeNode(QStringLiteral("Blocks"));
    FakeNode *pMixer = new FakeNode(QStringLiteral("Blocks"));
};

// The reader's targets: a document root, the project information and the canvas.
struct Reader
{
    Reader()
    {
        WDelegate::instance()->setFactory(&factory);
        handler.setReceiver(&scenes);
        handler.setProject(&project);
        handler.setCanvas(&canvas);
    }
    ~Reader()
    {
        scenes.clear();
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WDelegate::instance()->setFactory(nullptr);
    }

    bool parse(const QByteArray &xml) { return XmlHandler::parseData(xml, &handler); }
    CComposite *scene(int i) const { return qobject_cast<CComposite *>(scenes.childAt(i)); }
    CComposite *panel(int s, int p) const { return qobject_cast<CComposite *>(scene(s)->childAt(p)); }
    CControl *control(int s, int p, int c) const { return panel(s, p)->childAt(c); }

    FakeWidgetFactory factory;
    CComposite scenes;
    MProject project;
    CCanvas canvas;
    XControlHandler handler;
};

QByteArray wrapped(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VMD>\n" + body + "\n</VMD>\n";
}

QByteArray controlsOnly(const QByteArray &controls)
{
    return wrapped("<Controls>" + controls + "</Controls>");
}

// A project as this system writes it, with one text placed in every kind of
// value: a widget setting, binding attributes, the canvas and the project.
QByteArray projectWithText(const QString &text)
{
    QByteArray bytes;
    XmlWriter writer;
    writer.setByteArray(&bytes);
    writer.setEncoding(2);
    writer.writeDeclaration();
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Canvas"));
    writer.writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    writer.writeTextElement(QStringLiteral("text"), text);
    writer.writeEndElement(QStringLiteral("Property"));
    writer.writeEndElement(QStringLiteral("Canvas"));
    writer.writeStartElement(QStringLiteral("Project"));
    writer.writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    writer.writeStartElement(QStringLiteral("Customer"));
    writer.writeTextElement(QStringLiteral("name"), text);
    writer.writeEndElement(QStringLiteral("Customer"));
    writer.writeEndElement(QStringLiteral("Property"));
    writer.writeEndElement(QStringLiteral("Project"));
    writer.writeStartElement(QStringLiteral("Controls"));
    writer.writeStartElementTyped(QStringLiteral("Control"), text, QStringLiteral("Label"));
    writer.writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("widget"));
    writer.writeStartElement(QStringLiteral("label"));
    writer.writeTextElement(QStringLiteral("title"), text);
    writer.writeEndElement(QStringLiteral("label"));
    writer.writeEndElement(QStringLiteral("Property"));
    writer.writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));
    writer.writeStartElement(QStringLiteral("range"));
    writer.writeTextElement(QStringLiteral("units"), text);
    writer.writeTextElement(QStringLiteral("format"), text);
    writer.writeEndElement(QStringLiteral("range"));
    writer.writeEndElement(QStringLiteral("Property"));
    writer.writeEndElement(QStringLiteral("Control"));
    writer.writeEndElement(QStringLiteral("Controls"));
    writer.writeEndElement(QStringLiteral("VMD"));
    writer.flush();
    return bytes;
}

const QByteArray kProject = R"(<?xml version="1.0" encoding="UTF-8"?>
<VMD>
	<Version>
		<appVersion>9.9.9.9</appVersion>
		<fileVersion>3.1</fileVersion>
	</Version>
	<Connections>
		<Connection name="Chassis|||7">
			<Property name="attributes">
				<title>KRX 880</title>
				<ipaddress>10.0.0.7</ipaddress>
			</Property>
		</Connection>
		<Connection name="Rack B">
			<Property name="attributes">
				<ipaddress>10.0.0.8</ipaddress>
			</Property>
		</Connection>
	</Connections>
	<Canvas>
		<Property name="attributes">
			<device>Tablet 10</device>
			<size>10.1</size>
			<text>Front desk</text>
			<horizcenter>0</horizcenter>
		</Property>
	</Canvas>
	<Project>
		<Property name="attributes">
			<Facility>
				<name>Town Hall</name>
			</Facility>
			<Customer>
				<name>Ms Smith</name>
				<tel>555 0100</tel>
			</Customer>
			<Comments>
				<comment3>third</comment3>
			</Comments>
		</Property>
	</Project>
	<Scenes>
		<Scene name="Lobby">
			<Panels>
				<Panel name="Home" type="custom">
					<Controls>
						<Control name="Level" type="Slider">
							<block>Gain 1</block>
							<nodeID>12</nodeID>
							<nodeCategory>Blocks</nodeCategory>
							<connection>Chassis|||7</connection>
							<id>4242</id>
							<Property name="widget">
								<frame>
									<x>10</x>
									<y>20</y>
									<width>80</width>
									<height>300</height>
								</frame>
								<slider>
									<id>1</id>
									<link>2</link>
									<x>30</x>
									<y>40</y>
									<width>40</width>
									<height>250</height>
								</slider>
							</Property>
							<Property name="attributes">
								<range>
									<index1>3</index1>
									<minimum>-60</minimum>
									<maximum>12</maximum>
									<format>nn.nn</format>
									<transform>strV</transform>
								</range>
							</Property>
						</Control>
						<Control name="Mute" type="Button">
							<block>Mixer</block>
							<nodeID>0</nodeID>
							<nodeCategory>Blocks</nodeCategory>
							<connection>Rack B</connection>
							<id>4243</id>
						</Control>
					</Controls>
				</Panel>
				<Panel name="Untyped">
					<Controls>
						<Control name="One" type="Label"/>
						<Control name="Two" type="Label"/>
					</Controls>
				</Panel>
			</Panels>
		</Scene>
		<Scene name="Hall">
			<Panels>
				<Panel name="Site">
					<Controls>
						<Control name="Site" type="DropSite">
							<Property name="widget">
								<dropsite>
									<x>0</x>
								</dropsite>
							</Property>
						</Control>
					</Controls>
				</Panel>
			</Panels>
		</Scene>
	</Scenes>
</VMD>
)";

} // namespace

class TestXControlHandler : public QObject
{
    Q_OBJECT

private slots:
    void prepareText_data();
    void prepareText();
    void textInPiecesIsJoinedBeforeItIsHandled();
    void writtenTextsReadBackUnchanged_data();
    void writtenTextsReadBackUnchanged();
    void emptyTextKeepsTheField();

    void readsAProjectFile();
    void controlsAreBoundToTheirNodes();
    void missingProcessorInIdentifierFormKeepsItsId();
    void missingProcessorByLabelIsAddedWithThatLabel();
    void missingBlockIsAddedUnderItsProcessor();
    void controlNamingNoProcessorStaysUnbound();
    void selectorGroupKeepsItsDesignName();

    void findChassis_data();
    void findChassis();
    void templateFilterReadsOnlyTheNamedControl();
    void elementsOutOfPlaceCreateNothing();
    void widgetSettingsWithoutControlAreDropped();
    void malformedFileStopsWithOneWarning();
    void deepNestingIsCountedNotStored();
};

// ---------------------------------------------------------------- texts

void TestXControlHandler::prepareText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prepared");

    QTest::newRow("plain") << "Level" << "Level";
    QTest::newRow("leading and trailing spaces") << "  Level  " << "  Level  ";
    QTest::newRow("double space inside") << "Mic  1" << "Mic  1";
    QTest::newRow("layout around a value with spaces") << "\n\t\t Mic 1 \n\t" << " Mic 1 ";
    QTest::newRow("layout around a value") << "\n\t\tLevel\n\t" << "Level";
    QTest::newRow("inner line break becomes a space") << "a \n\tb" << "a  b";
    QTest::newRow("tabs only inside") << "a\t\tb" << "a b";
    QTest::newRow("indentation only") << "\n\t\t\t" << "";
    QTest::newRow("blank with spaces") << "   " << "";
    QTest::newRow("empty") << "" << "";
}

void TestXControlHandler::prepareText()
{
    QFETCH(QString, text);
    QTEST(XControlHandler::prepareText(text), "prepared");
}

// A parser may hand one value over in several pieces (around character
// references, for instance): each piece alone would lose its spaces and
// overwrite the value the piece before it set.
void TestXControlHandler::textInPiecesIsJoinedBeforeItIsHandled()
{
    Reader reader;
    XControlHandler &handler = reader.handler;
    const QXmlAttributes none;
    QXmlAttributes named;
    named.append(QStringLiteral("name"), QString(), QStringLiteral("name"), QStringLiteral("attributes"));

    QVERIFY(handler.startDocument());
    handler.startElement(QString(), QStringLiteral("VMD"), QStringLiteral("VMD"), none);
    handler.startElement(QString(), QStringLiteral("Canvas"), QStringLiteral("Canvas"), none);
    handler.startElement(QString(), QStringLiteral("Property"), QStringLiteral("Property"), named);
    handler.startElement(QString(), QStringLiteral("text"), QStringLiteral("text"), none);
    for (const char *piece : {"Bar ", "&", " Grill", " <", "2", "> ", "\"", "  "})
        QVERIFY(handler.characters(QString::fromLatin1(piece)));
    handler.endElement(QString(), QStringLiteral("text"), QStringLiteral("text"));
    handler.endElement(QString(), QStringLiteral("Property"), QStringLiteral("Property"));
    handler.endElement(QString(), QStringLiteral("Canvas"), QStringLiteral("Canvas"));
    handler.endElement(QString(), QStringLiteral("VMD"), QStringLiteral("VMD"));

    QCOMPARE(reader.canvas.text(), QStringLiteral("Bar & Grill <2> \"  "));
    QCOMPARE(handler.depth(), 0);

    // The parser itself splits a text at a character-data section.
    QVERIFY(reader.parse(wrapped("<Canvas><Property name=\"attributes\"><text>\n\t\tBar <![CDATA[& <Grill>]]>  2 \n\t"
                                 "</text></Property></Canvas>")));
    QCOMPARE(reader.canvas.text(), QStringLiteral("Bar & <Grill>  2 "));
}

void TestXControlHandler::writtenTextsReadBackUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("leading spaces") << "  Stage left";
    QTest::newRow("trailing spaces") << "Stage left  ";
    QTest::newRow("double space") << "Stage  left";
    QTest::newRow("ampersand between spaces") << "Bar & Grill";
    QTest::newRow("every escaped character") << "a<b & \"c\">";
    QTest::newRow("escapes next to spaces") << " & < > \" ";
    QTest::newRow("apostrophe and non-ASCII") << "Caf\u00e9 'Ost'";
}

void TestXControlHandler::writtenTextsReadBackUnchanged()
{
    QFETCH(QString, text);
    Reader reader;
    reader.scenes.setKind(QStringLiteral("Panel"));
    QVERIFY(reader.parse(projectWithText(text)));

    QCOMPARE(reader.canvas.text(), text);
    QCOMPARE(reader.project.customerName(), text);
    QCOMPARE(reader.scenes.childCount(), 1);
    CControl *pControl = reader.scenes.childAt(0);
    QCOMPARE(pControl->name(), text);
    QCOMPARE(pControl->attributes().units(), text);
    QCOMPARE(pControl->attributes().format(), text);
    QCOMPARE(pControl->widgets().size(), 1);
    QCOMPARE(pControl->widgets().first()->text(), text);
}

// An empty element delivers no text: the value read before it stays.
void TestXControlHandler::emptyTextKeepsTheField()
{
    Reader reader;
    reader.project.characters(QStringLiteral("Customer"), QStringLiteral("tel"), QStringLiteral("555"));
    QVERIFY(reader.parse(wrapped("<Project><Property name=\"attributes\"><Customer><tel></tel>"
                                 "<name>   </name></Customer></Property></Project>")));
    QCOMPARE(reader.project.customerTel(), QStringLiteral("555"));
    QCOMPARE(reader.project.customerName(), QString());
}

// ---------------------------------------------------------------- project files

void TestXControlHandler::readsAProjectFile()
{
    Design design;
    Reader reader;
    reader.canvas.setText(QStringLiteral("old"));
    reader.handler.setHardwareRoot(&design.root);
    QVERIFY(reader.parse(kProject));

    QCOMPARE(reader.handler.fileVersion(), QStringLiteral("3.1"));
    QCOMPARE(reader.canvas.deviceName(), QStringLiteral("Tablet 10"));
    QCOMPARE(reader.canvas.size(), 10.1f);
    QCOMPARE(reader.canvas.text(), QStringLiteral("Front desk"));
    QVERIFY(!reader.canvas.isHorizCenter());
    QCOMPARE(reader.project.facilityName(), QStringLiteral("Town Hall"));
    QCOMPARE(reader.project.customerName(), QStringLiteral("Ms Smith"));
    QCOMPARE(reader.project.customerTel(), QStringLiteral("555 0100"));
    QCOMPARE(reader.project.comment(3), QStringLiteral("third"));

    QCOMPARE(reader.scenes.type(), QStringLiteral("Scenes"));
    QCOMPARE(reader.scenes.childCount(), 2);
    QCOMPARE(reader.scene(0)->name(), QStringLiteral("Lobby"));
    QCOMPARE(reader.scene(0)->kind(), QStringLiteral("Scene"));
    QCOMPARE(reader.scene(0)->type(), QStringLiteral("Panels"));
    QCOMPARE(reader.scene(1)->name(), QStringLiteral("Hall"));
    QCOMPARE(reader.scene(0)->childCount(), 2);
    QCOMPARE(reader.panel(0, 0)->name(), QStringLiteral("Home"));
    QCOMPARE(reader.panel(0, 0)->type(), QStringLiteral("Controls"));
    QCOMPARE(reader.panel(0, 0)->panelType(), CComposite::PanelCustom);
    // Panels without a type are classified once their controls are read.
    QCOMPARE(reader.panel(0, 1)->panelType(), CComposite::PanelComplete);
    QCOMPARE(reader.panel(1, 0)->panelType(), CComposite::PanelTemplate);

    CControl *pLevel = reader.control(0, 0, 0);
    QCOMPARE(pLevel->kind(), QStringLiteral("Control"));
    QCOMPARE(pLevel->name(), QStringLiteral("Level"));
    QCOMPARE(pLevel->type(), QStringLiteral("Slider"));
    QCOMPARE(pLevel->id(), 4242);
    QCOMPARE(pLevel->parentComposite(), reader.panel(0, 0));
    QCOMPARE(pLevel->widgets().size(), 2);
    QCOMPARE(pLevel->widgets().at(0)->typeName(), QStringLiteral("frame"));
    QCOMPARE(pLevel->widgets().at(1)->typeName(), QStringLiteral("slider"));
    QCOMPARE(pLevel->widgets().at(1)->widgetId(), 1u);
    QCOMPARE(pLevel->widgets().at(1)->link(), 2u);
    QCOMPARE(pLevel->widgets().at(1)->geometry(), QRectF(30, 40, 40, 250));
    QCOMPARE(pLevel->attributes().attributeType(), QStringLiteral("range"));
    QCOMPARE(pLevel->attributes().index1(), 3);
    QCOMPARE(pLevel->attributes().maximum(), 12.0f);
    QCOMPARE(pLevel->attributes().transform(), QStringLiteral("strV"));
    // The end of the binding record recomputed the digits from the format.
    QCOMPARE(pLevel->attributes().fractionDigits(), 2);
    QCOMPARE(reader.control(0, 1, 1)->name(), QStringLiteral("Two"));
}

void TestXControlHandler::controlsAreBoundToTheirNodes()
{
    Design design;
    Reader reader;
    reader.handler.setHardwareRoot(&design.root);
    QVERIFY(reader.parse(kProject));

    // By processor ID, node ID and category; then by label under a processor named by label.
    QCOMPARE(reader.control(0, 0, 0)->node(), design.pGain);
    QCOMPARE(reader.control(0, 0, 1)->node(), design.pMixer);
    QCOMPARE(reader.control(0, 1, 0)->node(), nullptr);
    // Bound nodes are selected and their processors in use; no node was added.
    QVERIFY(design.pGain->hasFlags(HNode::FlagSelected));
    QVERIFY(design.pRackA->hasFlags(HNode::FlagInUse));
    QVERIFY(design.pRackB->hasFlags(HNode::FlagInUse));
    QCOMPARE(design.root.childCount(), 2);
    QCOMPARE(design.pRackA->childCount(), 1);
    QCOMPARE(design.pRackB->childCount(), 1);
}

// A processor written as "Chassis|||7" that the design no longer holds: the
// new one keeps the ID, so the controls naming it find it and a later save
// writes their binding unchanged.
void TestXControlHandler::missingProcessorInIdentifierFormKeepsItsId()
{
    HComposite root;
    Reader reader;
    reader.handler.setHardwareRoot(&root);
    QVERIFY(reader.parse(kProject));

    QCOMPARE(root.childCount(), 2);
    auto *pChassis = qobject_cast<HChassis *>(root.childAt(0));
    QVERIFY(pChassis);
    QCOMPARE(pChassis->nodeId(), 7);
    QCOMPARE(pChassis->chassisKey(), QStringLiteral("Chassis|||7"));
    QCOMPARE(pChassis->ipAddress(), QStringLiteral("10.0.0.7"));
    QCOMPARE(pChassis->title(), QStringLiteral("KRX 880"));

    CControl *pLevel = reader.control(0, 0, 0);
    QVERIFY(pLevel->node());
    QCOMPARE(pLevel->node()->parentNode(), pChassis);
    QCOMPARE(pLevel->node()->label(), QStringLiteral("Gain 1"));
    QCOMPARE(pLevel->node()->nodeId(), 12);
    QCOMPARE(pLevel->node()->chassisKey(), QStringLiteral("Chassis|||7"));
}

void TestXControlHandler::missingProcessorByLabelIsAddedWithThatLabel()
{
    HComposite root;
    Reader reader;
    reader.handler.setHardwareRoot(&root);
    QVERIFY(reader.parse(kProject));

    auto *pChassis = qobject_cast<HChassis *>(root.childAt(1));
    QVERIFY(pChassis);
    QCOMPARE(pChassis->label(), QStringLiteral("Rack B"));
    QCOMPARE(pChassis->nodeId(), 0);
    QCOMPARE(pChassis->ipAddress(), QStringLiteral("10.0.0.8"));
    QCOMPARE(reader.control(0, 0, 1)->node()->parentNode(), pChassis);
}

void TestXControlHandler::missingBlockIsAddedUnderItsProcessor()
{
    Design design;
    design.pGain->setNodeId(99);
    design.pGain->setLabel(QStringLiteral("Other"));
    Reader reader;
    reader.handler.setHardwareRoot(&design.root);
    QVERIFY(reader.parse(kProject));

    QCOMPARE(design.pRackA->childCount(), 2);
    auto *pBlock = qobject_cast<HBlock *>(design.pRackA->childAt(1));
    QVERIFY(pBlock);
    QCOMPARE(pBlock->label(), QStringLiteral("Gain 1"));
    QCOMPARE(reader.control(0, 0, 0)->node(), pBlock);
    QVERIFY(pBlock->hasFlags(HNode::FlagSelected));
}

// Earlier saves wrote a selector group's target as its block; the group,
// found by its ID, stays bound and keeps the name the design gave it.
void TestXControlHandler::selectorGroupKeepsItsDesignName()
{
    Design design;
    auto *pGroup = new HGroup;
    pGroup->setTitle(QStringLiteral("Group"));
    pGroup->setLabel(QStringLiteral("Source"));
    pGroup->setTypeNum(QStringLiteral("3"));
    pGroup->setNodeId(10);
    design.pRackA->addNode(pGroup);
    Reader reader;
    reader.handler.setHardwareRoot(&design.root);
    QVERIFY(reader.parse(QByteArrayLiteral(
        "<VMD><Scenes><Scene name=\"S\"><Panels><Panel name=\"Home\" type=\"custom\"><Controls>"
        "<Control name=\"Selector\" type=\"DropList\"><block>BGM Select</block><nodeID>10</nodeID>"
        "<nodeCategory>Groups</nodeCategory><connection>Chassis|||7</connection></Control>"
        "</Controls></Panel></Panels></Scene></Scenes></VMD>")));

    QCOMPARE(reader.control(0, 0, 0)->node(), pGroup);
    QCOMPARE(pGroup->label(), QStringLiteral("Source"));
    QCOMPARE(reader.control(0, 0, 0)->nodeName(), QStringLiteral("Source"));
}

void TestXControlHandler::controlNamingNoProcessorStaysUnbound()
{
    Design design;
    Reader reader;
    reader.handler.setHardwareRoot(&design.root);
    QVERIFY(reader.parse(controlsOnly("<Control name=\"Level\" type=\"Slider\"><block>Gain 1</block>"
                                      "<connection>Rack Z</connection></Control>")));
    QCOMPARE(reader.scenes.childCount(), 1);
    QCOMPARE(reader.scenes.childAt(0)->node(), nullptr);
    QCOMPARE(design.root.childCount(), 2);
}

// ---------------------------------------------------------------- processors, templates, bad input

void TestXControlHandler::findChassis_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");

    QTest::newRow("identifier form") << "Chassis|||7" << "Rack A";
    QTest::newRow("label") << "Rack B" << "Rack B";
    QTest::newRow("label of a processor with an ID") << "Rack A" << "Rack A";
    QTest::newRow("unknown ID") << "Chassis|||8" << "";
    QTest::newRow("ID that is no number reads 0") << "Chassis|||x" << "Rack B";
    QTest::newRow("other category is a label") << "Block|||7" << "";
    QTest::newRow("three parts is a label") << "Chassis|||7|||1" << "";
    QTest::newRow("unknown label") << "Rack Z" << "";
}

void TestXControlHandler::findChassis()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    Design design;
    XControlHandler handler;
    QCOMPARE(handler.findChassis(QStringLiteral("Chassis"), name), nullptr);
    handler.setHardwareRoot(&design.root);
    HNode *pFound = handler.findChassis(QStringLiteral("Chassis"), name);
    QCOMPARE(pFound ? pFound->label() : QString(), found);
}

void TestXControlHandler::templateFilterReadsOnlyTheNamedControl()
{
    FakeNode node(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    Reader reader;
    reader.handler.setTemplateNode(&node);
    reader.handler.setControlName(QStringLiteral("Mute"));
    QVERIFY(reader.parse(controlsOnly(
        "<Control name=\"Level\" type=\"Slider\"><id>1</id><Property name=\"widget\"><slider><x>1</x></slider>"
        "</Property><Property name=\"attributes\"><range><index1>1</index1></range></Property></Control>"
        "<Control name=\"Mute\" type=\"Button\"><Property name=\"widget\"><button><x>5</x></button></Property>"
        "<Property name=\"attributes\"><list><index1>2</index1></list></Property></Control>"
        "<Control name=\"Meter\" type=\"Meter\"><Property name=\"widget\"><meter><x>9</x></meter></Property>"
        "</Control>")));

    QCOMPARE(reader.scenes.childCount(), 1);
    CControl *pMute = reader.scenes.childAt(0);
    QCOMPARE(pMute->name(), QStringLiteral("Mute"));
    QCOMPARE(pMute->node(), &node);
    QCOMPARE(pMute->attributes().index1(), 2);
    QCOMPARE(reader.factory.created(), 1);
    QCOMPARE(pMute->widgets().first()->typeName(), QStringLiteral("button"));
    pMute->setNode(nullptr);
}

void TestXControlHandler::elementsOutOfPlaceCreateNothing()
{
    Reader reader;
    HComposite root;
    reader.handler.setHardwareRoot(&root);
    QVERIFY(reader.parse(wrapped("<Scenes><Panel name=\"P\"><Control name=\"A\" type=\"Label\"/></Panel></Scenes>"
                                 "<Scene name=\"S\"/><Connection name=\"Rack A\"/>")));
    QCOMPARE(reader.scenes.childCount(), 0);
    QCOMPARE(root.childCount(), 0);
}

void TestXControlHandler::widgetSettingsWithoutControlAreDropped()
{
    Reader reader;
    QTest::ignoreMessage(QtDebugMsg, "m_pActiveControl not defined while trying to processWidget( 12)");
    QVERIFY(reader.parse(wrapped("<Canvas><Property name=\"widget\"><label><x>12</x></label></Property></Canvas>")));
    QCOMPARE(reader.factory.created(), 0);
}

void TestXControlHandler::malformedFileStopsWithOneWarning()
{
    Reader reader;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!reader.parse(controlsOnly("<Control name=\"A\" type=\"Label\"><id>1</id></Contr>")));
}

void TestXControlHandler::deepNestingIsCountedNotStored()
{
    Reader reader;
    QByteArray deep;
    for (int i = 0; i < 16; ++i)
        deep += "<Property name=\"widget\"><label>";
    for (int i = 0; i < 16; ++i)
        deep += "</label></Property>";
    QVERIFY(reader.parse(controlsOnly("<Control name=\"A\" type=\"Label\">" + deep + "</Control>"
                                      "<Control name=\"B\" type=\"Label\"/>")));
    QCOMPARE(reader.handler.depth(), 0);
    QCOMPARE(reader.scenes.childCount(), 2);
}

VVB_TEST_MAIN(TestXControlHandler)
#include "tst_xcontrolhandler.moc"
