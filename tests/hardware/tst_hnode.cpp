#include "hardware/CParameter.h"
#include "hardware/HComposite.h"
#include "hardware/HNode.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlAttributes>
#include <QtTest>

namespace {

QXmlAttributes designProperty(const QString &name, const QString &value = QString(),
                        const QString &max = QString(), const QString &min = QString())
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    if (!max.isNull())
        attributes.append(QStringLiteral("max"), QString(), QStringLiteral("max"), max);
    if (!min.isNull())
        attributes.append(QStringLiteral("min"), QString(), QStringLiteral("min"), min);
    return attributes;
}

void addParameters(HNode *pNode, const QStringList &texts)
{
    for (const QString &text : texts) {
        auto *pParameter = new CParameter;
        pParameter->setText(text);
        pParameter->setType(QStringLiteral("Button"));
        pNode->parameterList()->append(pParameter);
    }
}

QStringList parameterTexts(const HNode &node)
{
    QStringList texts;
    for (const CParameter *pParameter : node.parameters())
        texts << pParameter->text();
    return texts;
}

// A stand-in protocol address: nodes only store and pass it on.
PProtocol *fakeProtocol(quintptr n)
{
    return reinterpret_cast<PProtocol *>(n);
}

} // namespace

class TestHNode : public QObject
{
    Q_OBJECT

private slots:
    void initialState();
    void parsesCountProperties_data();
    void parsesCountProperties();
    void parsesRangesAndPorts();
    void parsesRoomProperties();
    void labelLookups();
    void labelChannelIndex_data();
    void labelChannelIndex();
    void substitutesLabels();
    void attributeAndFindOperations();
    void chassisNameAndKey();
    void parameterFilePathRule_data();
    void parameterFilePathRule();
    void twinFilePath_data();
    void twinFilePath();
    void setCheckedMarksParentAndProcessor();
    void copyFromKeepsSessionFlags();
    void roomRouterPorts();
    void truncateAndFindParameters();
    void channelIndex_data();
    void channelIndex();
    void findCounterpart();
    void loadParametersResults();
};

void TestHNode::initialState()
{
    HNode node;
    QCOMPARE(node.flags(), HNode::FlagRemovable);
    QCOMPARE(node.itemFlags().toInt(), 49);
    QCOMPARE(node.nodeId(), 0);
    QCOMPARE(node.sortKey(), -1);
    QCOMPARE(node.ammChannelCount(), -1);
    QCOMPARE(node.teleconInputs(), -1);
    QCOMPARE(node.portIndex(), -1);
    QCOMPARE(node.pinIndex(), -1);
    QVERIFY(!node.parentNode());
    QCOMPARE(node.roomColor(1), QStringLiteral("black"));
    QVERIFY(node.category().isEmpty());
    // Neutral defaults that callers rely on.
    QStringList labels;
    QList<int> ids;
    QVERIFY(!node.labelList(labels));
    QVERIFY(!node.parameterSetLists(labels, ids));
    QVERIFY(node.prepareControl(QStringLiteral("Level"), nullptr));
    QCOMPARE(node.channelNumber(0), -1);
    QCOMPARE(node.channelIndexOfLabel(QStringLiteral("A")), -1);
    HNode active;
    QCOMPARE(node.resolveNode(nullptr, &active), &active);
}

void TestHNode::parsesCountProperties_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("logicCount");
    QTest::addColumn<int>("actionCount");
    QTest::addColumn<int>("channelCount");
    QTest::addColumn<bool>("hasCounts");

    QTest::newRow("Logic controlCount") << "Logic" << "controlCount" << 8 << 0 << -1 << true;
    QTest::newRow("Logic Input controlCount") << "Logic Input 1" << "controlCount" << 0 << 8 << -1 << true;
    QTest::newRow("Virtual GPI controlCount") << "Virtual GPI 2" << "controlCount" << 0 << 8 << -1 << true;
    QTest::newRow("Virtual GPO actionCount") << "Virtual GPO 2" << "actionCount" << 0 << 8 << -1 << true;
    QTest::newRow("Logic Output actionCount") << "Logic Output" << "actionCount" << 0 << 8 << -1 << true;
    QTest::newRow("actionCount elsewhere ignored") << "Gain" << "actionCount" << 0 << 0 << -1 << false;
    QTest::newRow("controlCount elsewhere ignored") << "Logic 2" << "controlCount" << 0 << 0 << -1 << false;
    QTest::newRow("AMM channelCount") << "AMM-Gated" << "channelCount" << 0 << 0 << 8 << true;
    QTest::newRow("channelCount elsewhere ignored") << "Gain" << "channelCount" << 0 << 0 << -1 << false;
}

void TestHNode::parsesCountProperties()
{
    QFETCH(QString, title);
    QFETCH(QString, name);

    HNode node;
    node.parseAttributes(designProperty(QStringLiteral("title"), title));
    node.parseAttributes(designProperty(name, QStringLiteral("8")));
    QCOMPARE(node.title(), title);
    QTEST(node.logicCount(), "logicCount");
    QTEST(node.actionCount(), "actionCount");
    QTEST(node.ammChannelCount(), "channelCount");
    QTEST(node.hasCounts(), "hasCounts");
}

void TestHNode::parsesRangesAndPorts()
{
    HNode gain;
    gain.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Gain")));
    gain.parseAttributes(designProperty(QStringLiteral("label"), QStringLiteral("Lobby")));
    gain.parseAttributes(designProperty(QStringLiteral("nodeID"), QStringLiteral("abc")));
    gain.parseAttributes(designProperty(QStringLiteral("index"), QStringLiteral("4")));
    gain.parseAttributes(designProperty(QStringLiteral("inputLabel3"), QStringLiteral("Podium")));
    gain.parseAttributes(designProperty(QStringLiteral("level"), QString(), QStringLiteral("12"), QStringLiteral("-60")));
    gain.parseAttributes(designProperty(QStringLiteral("low"), QString(), QStringLiteral("15"), QStringLiteral("-15")));
    QCOMPARE(gain.label(), QStringLiteral("Lobby"));
    QCOMPARE(gain.nodeId(), 0);
    QCOMPARE(gain.index(), 4);
    QCOMPARE(gain.inputLabels(), QStringList{"Podium"});
    QCOMPARE(gain.levelMaximum(), QStringLiteral("12"));
    QCOMPARE(gain.levelMinimum(), QStringLiteral("-60"));
    QCOMPARE(gain.ranges().value(QStringLiteral("low")), QStringLiteral("15,-15"));
    QVERIFY(gain.hasRanges());

    HNode usbIn;
    usbIn.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("USB In")));
    usbIn.parseAttributes(designProperty(QStringLiteral("outName1"), QStringLiteral("Laptop L")));
    usbIn.parseAttributes(designProperty(QStringLiteral("level2"), QString(), QStringLiteral("6"), QStringLiteral("-40")));
    QCOMPARE(usbIn.portLabels(), QStringList{"Laptop L"});
    QCOMPARE(usbIn.levelMaximum(), QStringLiteral("6"));

    HNode usbOut;
    usbOut.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("USB Out")));
    usbOut.parseAttributes(designProperty(QStringLiteral("label1"), QStringLiteral("Rec L")));
    usbOut.parseAttributes(designProperty(QStringLiteral("label12"), QStringLiteral("too long")));
    QCOMPARE(usbOut.portLabels(), QStringList{"Rec L"});
    QVERIFY(usbOut.label().isEmpty());
}

void TestHNode::parsesRoomProperties()
{
    HNode router;
    router.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Conference Room Router")));
    router.parseAttributes(designProperty(QStringLiteral("teleconInputs"), QStringLiteral("4")));
    router.parseAttributes(designProperty(QStringLiteral("micInputs"), QStringLiteral("0")));
    router.parseAttributes(designProperty(QStringLiteral("roomCombine"), QStringLiteral("1,2")));
    router.parseAttributes(designProperty(QStringLiteral("masterVolume"), QString(), QStringLiteral("0"), QStringLiteral("-80")));
    router.parseAttributes(designProperty(QStringLiteral("roomNumber"), QStringLiteral("3")));
    QCOMPARE(router.teleconInputs(), 4);
    QCOMPARE(router.micInputs(), 0);
    QCOMPARE(router.roomCombine(), QStringLiteral("1,2"));
    QCOMPARE(router.ranges().value(QStringLiteral("masterVolume")), QStringLiteral("0,-80"));
    QCOMPARE(router.roomNumber(), 3);

    HNode combiner;
    combiner.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Standard Room Combiner")));
    combiner.parseAttributes(designProperty(QStringLiteral("rcGroupNumber"), QStringLiteral("2")));
    combiner.parseAttributes(designProperty(QStringLiteral("teleconInputs"), QStringLiteral("4")));
    combiner.parseAttributes(designProperty(QStringLiteral("masterVolume"), QString(), QStringLiteral("0"), QStringLiteral("-80")));
    combiner.parseAttributes(designProperty(QStringLiteral("level"), QString(), QStringLiteral("10"), QStringLiteral("-70")));
    QCOMPARE(combiner.rcGroupNumber(), 2);
    QCOMPARE(combiner.teleconInputs(), -1);                                // router only
    QVERIFY(!combiner.ranges().contains(QStringLiteral("masterVolume"))); // router only
    QCOMPARE(combiner.ranges().value(QStringLiteral("level")), QStringLiteral("10,-70"));
    QVERIFY(combiner.levelMaximum().isEmpty()); // a combiner's level is a range pair
}

void TestHNode::labelLookups()
{
    HNode node;
    node.parseAttributes(designProperty(QStringLiteral("inputLabel1"), QStringLiteral("Podium")));
    node.parseAttributes(designProperty(QStringLiteral("inputLabel2"), QStringLiteral("Lectern")));
    QCOMPARE(node.inputLabelAt(1), QStringLiteral("Lectern"));
    QCOMPARE(node.inputLabelAt(5), QString());
    QCOMPARE(node.inputLabelAt(-1), QString());
    QCOMPARE(node.portLabel(0), QStringLiteral("noPortLabel"));
    QCOMPARE(node.portLabel(-1), QStringLiteral("noPortLabel"));
}

void TestHNode::labelChannelIndex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("warns");

    QTest::newRow("second word") << "Mic 3 Mute" << 2 << false;
    QTest::newRow("runs of blanks") << "Mic \t 12" << 11 << false;
    QTest::newRow("one word") << "Mic" << -1 << false;
    QTest::newRow("no number") << "Mic Mute" << -1 << true;
}

void TestHNode::labelChannelIndex()
{
    QFETCH(QString, text);
    QFETCH(bool, warns);
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to convert string attribute to channel number"));
    QTEST(HNode::labelChannelIndex(text), "index");
}

void TestHNode::substitutesLabels()
{
    HNode node;
    node.phoneLabels().insert(QStringLiteral("Phone3"), QStringLiteral("Front Desk"));
    node.phoneLabels().insert(QStringLiteral("Phone4"), QString());
    node.channelLabels().insert(QStringLiteral("Mic (1)"), QStringLiteral("Podium"));

    QString text = QStringLiteral("Phone3 Level");
    QVERIFY(node.substituteLabel(text, false));
    QCOMPARE(text, QStringLiteral("Front Desk Level"));

    text = QStringLiteral("Phone4 Level"); // empty replacement
    QVERIFY(!node.substituteLabel(text, false));
    QCOMPARE(text, QStringLiteral("Phone4 Level"));

    text = QStringLiteral("Mic (1) Mute"); // leading words taken literally
    QVERIFY(node.substituteLabel(text, true));
    QCOMPARE(text, QStringLiteral("Podium Mute"));

    text = QStringLiteral("Level");
    QVERIFY(!node.substituteLabel(text, true));

    addParameters(&node, {QStringLiteral("Phone3 Mute"), QStringLiteral("Master")});
    node.labelParameters();
    QCOMPARE(parameterTexts(node), (QStringList{"Front Desk Mute", "Master"}));
}

void TestHNode::attributeAndFindOperations()
{
    FakeNode node(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    node.setTitle(QStringLiteral("Gain"));
    node.setTypeNum(QStringLiteral("0"));
    node.setIdText(QStringLiteral("17"));
    node.setNodeId(9);
    QCOMPARE(node.attribute(QStringLiteral("category")), QStringLiteral("Blocks"));
    QCOMPARE(node.attribute(QStringLiteral("id")), QStringLiteral("17"));
    QCOMPARE(node.attribute(QStringLiteral("label")), QStringLiteral("Gain 1"));
    QCOMPARE(node.attribute(QStringLiteral("title")), QStringLiteral("Gain"));
    QCOMPARE(node.attribute(QStringLiteral("typenum")), QStringLiteral("0"));
    QCOMPARE(node.attribute(QStringLiteral("Label")), QString());

    QCOMPARE(node.findByCategory(QStringLiteral("Blocks")), &node);
    QVERIFY(!node.findByCategory(QStringLiteral("blocks")));
    QCOMPARE(node.findById(9), &node);
    QCOMPARE(node.findByCategoryAndId(QStringLiteral("Blocks"), 9), &node);
    QVERIFY(!node.findByCategoryAndId(QStringLiteral("Blocks"), 8));
    QCOMPARE(node.findByAttribute(QStringLiteral("id"), QStringLiteral("17")), &node);
    QCOMPARE(node.findByCategoryAndAttribute(QStringLiteral("Blocks"), QStringLiteral("title"), QStringLiteral("Gain")), &node);

    QList<HNode *> list;
    QVERIFY(!node.collectByCategory(QStringLiteral("Blocks"), nullptr));
    QVERIFY(node.collect(QStringLiteral("Blocks"), &list));
    QVERIFY(node.collect(QStringLiteral("Blocks"), &list)); // a leaf appends
    QCOMPARE(list.size(), 2);
}

void TestHNode::chassisNameAndKey()
{
    HComposite root;
    auto *pProcessor = new FakeProcessor(QStringLiteral("Rack A"));
    auto *pModule = new FakeNode(QStringLiteral("Analog I/O"), QStringLiteral("In 1"));
    root.addNode(pProcessor);
    pProcessor->addNode(pModule);

    QCOMPARE(pModule->chassisName(), QStringLiteral("Rack A"));
    QCOMPARE(pModule->chassisKey(), QStringLiteral("Rack A"));
    pProcessor->setNodeId(7);
    QCOMPARE(pModule->chassisKey(), QStringLiteral("Chassis|||7"));
    QCOMPARE(pModule->rootNode(), &root);
    QCOMPARE(pModule->findAncestorWithFlags(HNode::FlagProcessor), pProcessor);
    QVERIFY(!pModule->findAncestorWithFlags(HNode::FlagProcessor | HNode::FlagMainProcessor));

    HNode orphan;
    QCOMPARE(orphan.chassisName(), QStringLiteral("???"));
    QCOMPARE(orphan.chassisKey(), QStringLiteral("???"));
}

void TestHNode::parameterFilePathRule_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typeNum");
    QTest::addColumn<QString>("path");

    QTest::newRow("blanks removed") << "KRX" << "Router 8x8" << "2" << ":/data/KRX/Router8x8_2.xml";
    QTest::newRow("room router") << "KRX" << "Conference Room Router" << "0" << ":/data/KRX/ConferenceRoomRouter_0.xml";
    QTest::newRow("tone EQ title") << "KRX" << "Tone EQ" << "0" << ":/data/KRX/ToneEQ_0.xml";
    QTest::newRow("amplifier folder") << "AQ" << "Amp" << "1" << ":/data/AQ/Amp_1.xml";
}

void TestHNode::parameterFilePathRule()
{
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(QString, typeNum);

    FakeProcessor processor(QStringLiteral("Rack"), folder);
    auto *pBlock = new HNode;
    pBlock->setTitle(title);
    pBlock->setTypeNum(typeNum);
    processor.addNode(pBlock);
    QCOMPARE(pBlock->dataFolder(), folder);
    QTEST(pBlock->parameterFilePath(QString()), "path");
}

void TestHNode::twinFilePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("twin");

    QTest::newRow("type number") << ":/data/KRX/Gain_0.xml" << ":/data/KRX/Gain_01.xml";
    QTest::newRow("group") << ":/data/Velmora/Group_1.xml" << ":/data/Velmora/Group_11.xml";
    QTest::newRow("no type number") << ":/data/KRX/PstnIn.xml" << ":/data/KRX/PstnIn1.xml";
    QTest::newRow("dotted folder") << "/tmp/vvb.x/Amp_In_1.xml" << "/tmp/vvb.x/Amp_In_11.xml";
    QTest::newRow("no extension") << ":/data/KRX/Gain" << "";
    QTest::newRow("empty") << "" << "";
}

void TestHNode::twinFilePath()
{
    QFETCH(QString, path);
    QTEST(HNode::twinFilePath(path), "twin");
}

void TestHNode::setCheckedMarksParentAndProcessor()
{
    HComposite root;
    auto *pProcessor = new FakeProcessor;
    auto *pModule = new FakeNode(QStringLiteral("Analog I/O"));
    auto *pGroup = new HComposite;
    auto *pRoom = new FakeNode(QStringLiteral("RCRooms"));
    root.addNode(pProcessor);
    pProcessor->addNode(pModule);
    pProcessor->addNode(pGroup);
    pGroup->addNode(pRoom);

    pModule->setChecked(true);
    QVERIFY(pModule->hasFlags(HNode::FlagSelected));
    QVERIFY(pProcessor->hasFlags(HNode::FlagInUse));
    pModule->setChecked(false);
    QVERIFY(!pModule->hasFlags(HNode::FlagSelected));
    QVERIFY(pProcessor->hasFlags(HNode::FlagInUse)); // only clearInUse clears it

    pProcessor->clearInUse();
    QVERIFY(!pProcessor->hasFlags(HNode::FlagInUse));
    // A room's parent is its group; the processor above is marked as well.
    pRoom->setChecked(true);
    QVERIFY(pGroup->hasFlags(HNode::FlagInUse));
    QVERIFY(pProcessor->hasFlags(HNode::FlagInUse));
    QVERIFY(!root.hasFlags(HNode::FlagInUse));

    root.setChecked(true); // a node without parent ignores it
    QVERIFY(!root.hasFlags(HNode::FlagSelected));

    pRoom->uncheck();
    QVERIFY(!pRoom->hasFlags(HNode::FlagSelected));
}

void TestHNode::copyFromKeepsSessionFlags()
{
    HNode existing;
    existing.setProtocol(fakeProtocol(0x10));
    existing.setFlags(HNode::FlagSelected | HNode::FlagPersistent | HNode::FlagInUse | HNode::FlagSeen);
    existing.setSortKey(3);

    HNode parsed;
    parsed.setProtocol(fakeProtocol(0x20));
    parsed.clearFlags(HNode::FlagRemovable);
    parsed.setFlags(HNode::FlagProcessor | HNode::FlagMainProcessor);
    parsed.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Logic")));
    parsed.parseAttributes(designProperty(QStringLiteral("label"), QStringLiteral("Door logic")));
    parsed.parseAttributes(designProperty(QStringLiteral("controlCount"), QStringLiteral("4")));
    parsed.parseAttributes(designProperty(QStringLiteral("nodeID"), QStringLiteral("12")));
    parsed.parseAttributes(designProperty(QStringLiteral("inputLabel1"), QStringLiteral("Door")));
    parsed.setTypeNum(QStringLiteral("1"));
    parsed.setIdText(QStringLiteral("44"));

    existing.copyFrom(&parsed);
    QCOMPARE(existing.flags(), HNode::FlagProcessor | HNode::FlagMainProcessor | HNode::FlagSelected
                                   | HNode::FlagPersistent | HNode::FlagInUse | HNode::FlagSeen);
    QCOMPARE(existing.protocol(), fakeProtocol(0x10)); // kept: it had one
    QCOMPARE(existing.label(), QStringLiteral("Door logic"));
    QCOMPARE(existing.title(), QStringLiteral("Logic"));
    QCOMPARE(existing.logicCount(), 4);
    QCOMPARE(existing.nodeId(), 12);
    QCOMPARE(existing.typeNum(), QStringLiteral("1"));
    QCOMPARE(existing.idText(), QStringLiteral("44"));
    QCOMPARE(existing.inputLabels(), QStringList{"Door"});
    QCOMPARE(existing.sortKey(), 3);

    HNode bare;
    bare.copyFrom(&parsed);
    QCOMPARE(bare.protocol(), fakeProtocol(0x20));
    QVERIFY(!bare.hasFlags(HNode::FlagRemovable));
    bare.copyFrom(nullptr); // nothing happens
    QCOMPARE(bare.label(), QStringLiteral("Door logic"));
}

void TestHNode::roomRouterPorts()
{
    QStringList all = {"Program Level", "Program Mute", "Non-Mic Mix Level", "Non-Mic Mix Mute",
                       "Mic Mix Level", "Mic Mix Mute", "Master Volume", "Master Mute",
                       "Pre-AEC Mic Mix Level", "Pre-AEC Mic Mix Mute"};
    for (int n = 1; n <= 8; ++n)
        all << QStringLiteral("Far End %1 Level").arg(n) << QStringLiteral("Far End %1 Mute").arg(n);

    HNode router;
    router.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Conference Room Router")));
    router.parseAttributes(designProperty(QStringLiteral("teleconInputs"), QStringLiteral("4")));
    router.parseAttributes(designProperty(QStringLiteral("micInputs"), QStringLiteral("0")));
    addParameters(&router, all);
    router.applyRoomRouterPorts();
    QStringList expected = all.mid(0, 8) + all.mid(10, 8);
    QCOMPARE(parameterTexts(router), expected);
    QVERIFY(router.hasCounts());

    HNode other; // only the router is trimmed
    other.setTitle(QStringLiteral("Gain"));
    addParameters(&other, all);
    other.applyRoomRouterPorts();
    QCOMPARE(parameterTexts(other).size(), all.size());

    HNode small; // never removes more than it holds
    small.parseAttributes(designProperty(QStringLiteral("title"), QStringLiteral("Conference Room Router")));
    small.parseAttributes(designProperty(QStringLiteral("teleconInputs"), QStringLiteral("0")));
    addParameters(&small, {QStringLiteral("A"), QStringLiteral("B")});
    small.applyRoomRouterPorts();
    QVERIFY(small.parameters().isEmpty());
}

void TestHNode::truncateAndFindParameters()
{
    HNode node;
    addParameters(&node, {QStringLiteral("Level"), QStringLiteral("Mute"), QStringLiteral("Level")});
    QCOMPARE(node.findParameter(QStringLiteral("Level")), node.parameters().first());
    QVERIFY(!node.findParameter(QStringLiteral("level")));
    node.truncateParameters(5);
    QCOMPARE(node.parameters().size(), 3);
    node.truncateParameters(1);
    QCOMPARE(parameterTexts(node), QStringList{"Level"});
    node.clearParameters();
    QVERIFY(node.parameters().isEmpty());
}

void TestHNode::channelIndex_data()
{
    QTest::addColumn<QString>("processor");
    QTest::addColumn<QString>("module");
    QTest::addColumn<int>("portIndex");
    QTest::addColumn<int>("position");

    // Second processor model of the card table.
    QTest::newRow("2nd Input 6") << "KRX 440" << "Input 6" << -1 << 3;
    QTest::newRow("2nd Output 6") << "KRX 440" << "Output 6" << -1 << 4;
    QTest::newRow("2nd Input 13 keeps n") << "KRX 440" << "Input 13" << -1 << 13;
    QTest::newRow("2nd one word") << "KRX 440" << "Input" << -1 << -1;
    QTest::newRow("2nd KRXLink") << "KRX 440" << "KRXLink 1" << -1 << 5;
    QTest::newRow("2nd unlisted kind") << "KRX 440" << "USB 2" << -1 << 2;
    QTest::newRow("1st Input 9") << "KRX 880 (Main)" << "Input 9" << -1 << 5;
    QTest::newRow("1st PSTN") << "KRX 880" << "PSTN 1" << -1 << 11;
    QTest::newRow("5th Output not listed") << "KRX 1600" << "Output 3" << -1 << 3;
    QTest::newRow("5th Input 14") << "KRX 1600" << "Input 14" << -1 << 4;
    QTest::newRow("7th Dante") << "KRX D64" << "Dante 1" << -1 << 7;
    QTest::newRow("amp input by port") << "AQ 2125" << "Analog In 1" << 2 << 1;
    QTest::newRow("amp output by port") << "AQ 2125" << "Amp Output 1" << 0 << 2;
    QTest::newRow("amp port beyond 8") << "AZ 2160" << "Digital In 1" << 9 << 10;
    QTest::newRow("amp other title") << "AQ 2125" << "Gain 3" << 0 << 3;
    QTest::newRow("unknown processor") << "Mixer" << "Input 6" << -1 << 6;
}

void TestHNode::channelIndex()
{
    QFETCH(QString, processor);
    QFETCH(QString, module);
    QFETCH(int, portIndex);

    FakeProcessor chassis;
    chassis.setTitle(processor);
    auto *pModule = new HNode;
    pModule->setTitle(module);
    pModule->setPortIndex(portIndex);
    chassis.addNode(pModule);
    QTEST(pModule->channelIndex(), "position");

    HNode orphan;
    orphan.setTitle(module);
    QCOMPARE(orphan.channelIndex(), -1);
}

void TestHNode::findCounterpart()
{
    HComposite other;
    auto *pProcessor = new FakeProcessor;
    other.addNode(pProcessor);
    auto makeBlock = [](int id, const QString &title, const QString &typeNum, int index) {
        auto *pBlock = new FakeNode(QStringLiteral("Blocks"));
        pBlock->setNodeId(id);
        pBlock->setTitle(title);
        pBlock->setTypeNum(typeNum);
        pBlock->setIndex(index);
        return pBlock;
    };
    pProcessor->addNode(makeBlock(3, QStringLiteral("Gain"), QStringLiteral("0"), 1));
    HNode *pTwin = makeBlock(3, QStringLiteral("Gain"), QStringLiteral("0"), 2);
    pProcessor->addNode(pTwin);

    QScopedPointer<HNode> pBlock(makeBlock(3, QStringLiteral("Gain"), QStringLiteral("0"), 2));
    QCOMPARE(pBlock->findCounterpart(&other, false), pTwin);
    // An import skips the nodes it has already merged into.
    pTwin->setFlags(HNode::FlagSeen);
    QVERIFY(!pBlock->findCounterpart(&other, true));
    QCOMPARE(pBlock->findCounterpart(&other, false), pTwin);
    pBlock->setTypeNum(QStringLiteral("1"));
    QVERIFY(!pBlock->findCounterpart(&other, false));
    QVERIFY(!pBlock->findCounterpart(nullptr, false));
}

void TestHNode::loadParametersResults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString full = dir.filePath(QStringLiteral("full.xml"));
    const QString empty = dir.filePath(QStringLiteral("empty.xml"));
    const QString broken = dir.filePath(QStringLiteral("broken.xml"));
    QVERIFY(TestSupport::writeAll(full, "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD><Parameters>"
                                        "<parameter><text>Level</text><type>Slider</type></parameter>"
                                        "</Parameters><Controls/></VMD>\r\n"));
    QVERIFY(TestSupport::writeAll(empty, "<?xml version=\"1.0\"?><VMD><Parameters/><Controls>"
                                         "<Control name=\"Set\" type=\"TextLink\"/></Controls></VMD>"));
    QVERIFY(TestSupport::writeAll(broken, "<?xml version=\"1.0\"?><VMD><Parameters>"
                                          "<parameter><text>Level</text><type>Slider</type></parameter>"
                                          "<parameter><text>Mute</text></Parameters>"));

    FakeNode node;
    node.setTemplatePath(full);
    QCOMPARE(node.loadParameters(), 2);
    QCOMPARE(parameterTexts(node), QStringList{"Level"});
    node.clearParameters();

    node.setTemplatePath(empty);
    QCOMPARE(node.loadParameters(), 1);

    node.setTemplatePath(broken);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Fatal error on line"));
    QCOMPARE(node.loadParameters(), 1); // never reported as loaded
    QCOMPARE(parameterTexts(node), QStringList{"Level"});
    node.clearParameters();

    node.setTemplatePath(dir.filePath(QStringLiteral("missing.xml")));
    QCOMPARE(node.loadParameters(), 0);

    HNode noFolder; // a resource the data does not hold
    noFolder.setTitle(QStringLiteral("No Such Block"));
    QCOMPARE(noFolder.loadParameters(), 0);
}

VVB_TEST_MAIN(TestHNode)
#include "tst_hnode.moc"
