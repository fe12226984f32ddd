#include "dialogs/DModalDialog.h"
#include "dialogs/DParameterSetDialog.h"
#include "hardware/CParameter.h"
#include "hardware/HAudioIO.h"
#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "hardware/HDante.h"
#include "hardware/HEchoCanel.h"
#include "hardware/HGroup.h"
#include "hardware/HKRXLink.h"
#include "hardware/HNodeFactory.h"
#include "hardware/HParameterSet.h"
#include "hardware/HParameterSetList.h"
#include "hardware/HRCGroup.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/HRCRoom.h"
#include "hardware/HRoot.h"
#include "hardware/RoomInfo.h"
#include "support/DialogDriver.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/TreeItem.h"
#include "xml/XmlWriter.h"

#include <QScopedPointer>
#include <QSignalSpy>
#include <QXmlAttributes>
#include <QStandardItemModel>
#include <QListWidget>
#include <QtTest>

using TestSupport::designProperty;
using TestSupport::xmlAttributes;

namespace {

void parse(HNode *pNode, const QList<QPair<QString, QString>> &properties)
{
    for (const auto &property : properties)
        pNode->parseAttributes(designProperty(property.first, property.second));
}

QXmlAttributes assign(const QString &target, const QString &property, const QString &value = QString())
{
    return xmlAttributes({{"targetID", target}, {"targetProp", property}, {"targetValue", value}});
}

QXmlAttributes range(const QString &target, const QString &minimum, const QString &maximum, const QString &step)
{
    return xmlAttributes({{"targetID", target}, {"targetProp", "selector"}, {"targetMin", minimum},
                          {"targetMax", maximum}, {"targetStep", step}});
}

HChassis *chassis(const QString &title, const QString &model = QString())
{
    auto *pChassis = new HChassis;
    parse(pChassis, {{"title", title}, {"label", title}});
    if (!model.isEmpty())
        pChassis->platformFromModel(model);
    return pChassis;
}

// Answers the parameter-set dialog through its widgets: ticks the given
// rows, moves the last row to the top, then presses OK (or Cancel).
struct DialogAnswer
{
    QList<int> ticks;
    bool moveLastUp = false;
    int button = 1;
    QStringList shown;
    ModalAnswer user{[this](DModalDialog *pDialog) {
        auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pList"));
        if (!qobject_cast<DParameterSetDialog *>(pDialog) || !pList)
            return 0;
        shown = DialogDriver::rows(pList);
        for (int row : std::as_const(ticks)) {
            if (QListWidgetItem *pItem = pList->item(row))
                pItem->setCheckState(Qt::Checked);
        }
        if (moveLastUp && pList->count() > 0) {
            DialogDriver::clickIndex(pList, pList->model()->index(pList->count() - 1, 0));
            while (DialogDriver::click(pDialog, QStringLiteral("m_pMoveUp"))) {
            }
        }
        DialogDriver::press(pDialog, button == 1 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        return button;
    }};
};

} // namespace

class TestHNodeKinds : public QObject
{
    Q_OBJECT

private slots:
    void factory_data();
    void factory();
    void moduleCardTypes();
    void moduleCategoryFromDictionary_data();
    void moduleCategoryFromDictionary();
    void moduleCollect();
    void channelModules();
    void danteChannelItems();
    void linkRelabelOnReload();
    void linkUnderEndpointIsDivErov();
    void blockLabels_data();
    void blockLabels();
    void blockChoiceText();
    void blockSupport_data();
    void blockSupport();
    void blockRegistersRoom();
    void blockReloadSignals();
    void routerTrimNeedsKnownPortCount_data();
    void routerTrimNeedsKnownPortCount();
    void refusedNodeIsReported();
    void groupTypes_data();
    void groupTypes();
    void selectorAssignments();
    void selectorRanges_data();
    void selectorRanges();
    void groupReload();
    void echoCanceller();
    void parameterSetsInTree();
    void parameterSetTemplatePaths();
    void parameterSetDialog();
    void parameterSetList();
    void roomsFromRegistry();
    void roomDefaultsWithoutGroupOrProcessor();
    void roomClickReachesRoomOnly();
    void queryPending();
    void chassisDefaults();
    void chassisProperties();
    void chassisTitleLookup_data();
    void chassisTitleLookup();
    void chassisSearches();
    void chassisGroupRows_data();
    void chassisGroupRows();
    void chassisWritesConnections();
};

// ---------------------------------------------------------------- factory

void TestHNodeKinds::factory_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("cardType");
    QTest::addColumn<QString>("className"); // empty: no node
    QTest::addColumn<int>("direction");
    QTest::newRow("empty") << "" << "" << "" << 0;
    QTest::newRow("processor") << "Calvex" << "" << "HChassis" << 0;
    QTest::newRow("input") << "Input" << "VM-AI4" << "HAudioIO" << 1;
    QTest::newRow("lower-case input") << "input" << "" << "HBlock" << 0;
    QTest::newRow("leading blank") << " Input" << "" << "HBlock" << 0;
    QTest::newRow("usb out") << "UsbTx" << "USB" << "HAudioIO" << 2;
    QTest::newRow("link") << "DivErov" << "anything" << "HKRXLink" << 3;
    QTest::newRow("dante out") << "DanteTx" << "DANTE" << "HDante" << 2;
    QTest::newRow("GPI") << "GPI" << "" << "" << 0;
    QTest::newRow("device node") << "DeviceNode" << "" << "" << 0;
    QTest::newRow("group") << "Group" << "" << "HGroup" << 0;
    QTest::newRow("rc group") << "RCGroup" << "" << "HRCGroup" << 0;
    QTest::newRow("room") << "RCRoom" << "" << "HRCRoom" << 0;
    QTest::newRow("set") << "ParameterSet" << "" << "HParameterSet" << 0;
    QTest::newRow("list") << "PanelList" << "" << "HParameterSetList" << 0;
    QTest::newRow("logic") << "Logic" << "" << "HBlock" << 0;
}

void TestHNodeKinds::factory()
{
    QFETCH(QString, typeName);
    QFETCH(QString, cardType);
    QFETCH(QString, className);
    QFETCH(int, direction);
    QScopedPointer<HNode> pNode(HNodeFactory().createNode(typeName, cardType));
    if (className.isEmpty()) {
        QVERIFY(!pNode);
        return;
    }
    QVERIFY(pNode);
    QCOMPARE(QString::fromLatin1(pNode->metaObject()->className()), className);
    QCOMPARE(pNode->flags(), HNode::FlagRemovable | (className == "HChassis" ? HNode::FlagProcessor : 0));
    if (auto *pModule = qobject_cast<HAudioIO *>(pNode.data())) {
        QCOMPARE(pModule->direction(), direction);
        if (direction != 3)
            QCOMPARE(pModule->moduleType(), cardType);
    }
}

// ---------------------------------------------------------------- I/O modules

void TestHNodeKinds::moduleCardTypes()
{
    QCOMPARE(HAudioIO(QStringLiteral("VOIP 2"), 1).moduleType(), QStringLiteral("VOIP"));
    QCOMPARE(HAudioIO(QStringLiteral("xVOIP"), 1).moduleType(), QStringLiteral("xVOIP"));
    QCOMPARE(HAudioIO(QStringLiteral("VM-AI4"), 1).category(), QStringLiteral("Analog I/O"));
    QCOMPARE(HDante(QStringLiteral("VOIP 2"), 2).moduleType(), QStringLiteral("VOIP 2"));
    QCOMPARE(HKRXLink().category(), QStringLiteral("Digital I/O"));
}

void TestHNodeKinds::moduleCategoryFromDictionary_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("cardType");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("path");
    QTest::newRow("analog keeps default") << "KRX" << "VM-AI8" << 1 << "Analog I/O" << ":/data/KRX/Input_2.xml";
    QTest::newRow("digital") << "KRX" << "VM-DO4" << 2 << "Digital I/O" << ":/data/KRX/Out_0.xml";
    QTest::newRow("voip") << "KRX" << "VOIP 4" << 2 << "VoIP I/O" << ":/data/KRX/TelephonyOut.xml";
    QTest::newRow("usb") << "KRX" << "USB" << 1 << "USB I/O" << ":/data/KRX/UsbIn.xml";
    QTest::newRow("amplifier") << "AQ" << "AQ-OUT4" << 2 << "Amp I/O" << ":/data/AQ/Amp_1.xml";
    QTest::newRow("unknown card") << "KRX" << "VM-XYZ" << 1 << "Analog I/O" << "";
    QTest::newRow("no folder") << "" << "VM-DO4" << 2 << "Analog I/O" << "";
}

void TestHNodeKinds::moduleCategoryFromDictionary()
{
    QFETCH(QString, folder);
    QFETCH(QString, cardType);
    QFETCH(int, direction);
    QFETCH(QString, category);
    QFETCH(QString, path);
    FakeProcessor processor(QStringLiteral("Rack"), folder);
    auto *pModule = new HAudioIO(cardType, direction);
    QVERIFY(processor.addNode(pModule));
    // Resolved on attaching, before any template is read.
    QCOMPARE(pModule->category(), category);
    QCOMPARE(pModule->isCategoryResolved(), !path.isEmpty());
    QCOMPARE(pModule->parameterFilePath(QString()), path);
}

void TestHNodeKinds::moduleCollect()
{
    FakeProcessor processor;
    auto *pUsb = new HAudioIO(QStringLiteral("USB"), 1);
    auto *pDigital = new HAudioIO(QStringLiteral("VM-DI4"), 1);
    auto *pDante = new HDante(QStringLiteral("DANTE"), 1);
    processor.addNode(pUsb);
    processor.addNode(pDigital);
    processor.addNode(pDante);
    QList<HNode *> found;
    QVERIFY(processor.collect(QStringLiteral("Analog I/O"), &found));
    QCOMPARE(found, (QList<HNode *>{pUsb, pDigital, pDante}));
    QVERIFY(processor.collect(QStringLiteral("Digital I/O"), &found));
    QCOMPARE(found, QList<HNode *>{pDigital});
    QVERIFY(processor.collect(QStringLiteral("Dante anything"), &found));
    QCOMPARE(found, QList<HNode *>{pDante});
    QVERIFY(!processor.collect(QStringLiteral("PSTN I/O"), &found));
}

void TestHNodeKinds::channelModules()
{
    HKRXLink link;
    HDante dante;
    for (HNode *pNode : {static_cast<HNode *>(&link), static_cast<HNode *>(&dante)})
        parse(pNode, {{"label", "Link A"}, {"label1", "L1"}, {"label2", "L2"}, {"cardPin1", "4"},
                      {"cardPin2", "x"}, {"level1", "0"}});
    QCOMPARE(link.label(), QStringLiteral("Link A"));
    QCOMPARE(link.channelLabel(1), QStringLiteral("Link A-L2"));
    QCOMPARE(link.channelLabel(2), QString());
    QCOMPARE(link.channelCount(), 2);
    QCOMPARE(link.channelIndexOfLabel(QStringLiteral("L2")), 1);
    QCOMPARE(link.channelIndexOfLabel(QStringLiteral("Link A-L2")), -1);
    QVERIFY(link.hasRanges());
    QCOMPARE(dante.channelLabel(1), QStringLiteral("L2"));
    QCOMPARE(dante.channelLabel(-1), QString());
    QCOMPARE(dante.channelNumber(0), 4);
    QCOMPARE(dante.channelNumber(1), 0); // not a number
    QCOMPARE(dante.channelNumber(2), -1);
    QCOMPARE(dante.channelIndexOfLabel(QStringLiteral("L2")), 1);
}

void TestHNodeKinds::danteChannelItems()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor(QStringLiteral("Rack"));
    pProcessor->setGroups({QStringLiteral("Dante I/O")});
    root.addNode(pProcessor);
    auto *pDante = new HDante(QStringLiteral("DANTE"), 1);
    parse(pDante, {{"label", "Stage"}, {"label1", "A"}, {"label2", "B"}, {"label3", "C"}});
    pProcessor->addNode(pDante);
    QStandardItemModel model;
    root.buildModel(&model);
    const QStringList outline = TestSupport::modelOutline(&model);
    QCOMPARE(outline.mid(0, 9), (QStringList{"Rack", "  Dante I/O", "    Stage", "      A", "        Meter 1",
                                             "      B", "        Meter 2", "      C", "        Meter 3"}));
    QCOMPARE(pDante->parameters().size(), 15);
    QVERIFY(pDante->hasFlags(HNode::FlagPersistent));
}

void TestHNodeKinds::linkRelabelOnReload()
{
    HKRXLink link;
    parse(&link, {{"label", "Link A"}, {"label1", "L1"}, {"label2", "L2"}});
    HKRXLink newer;
    parse(&newer, {{"label", "Link A"}, {"label1", "L1"}, {"label2", "Out 2"}, {"label3", "L3"}});
    QSignalSpy spy(&link, &HNode::labelChangedByReload);
    link.copyFrom(&newer);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Link A-L2"));
    QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("Link A-Out 2"));
    QCOMPARE(link.channelLabels(), (QStringList{"L1", "Out 2", "L3"}));

    HDante dante;
    parse(&dante, {{"label", "Old"}, {"label1", "A"}});
    HDante newDante;
    parse(&newDante, {{"label", "New"}, {"label1", "B"}});
    QSignalSpy danteSpy(&dante, &HNode::labelChangedByReload);
    dante.copyFrom(&newDante);
    QCOMPARE(danteSpy.count(), 2);
    QCOMPARE(danteSpy.at(0).at(0).toString(), QStringLiteral("New-A"));
    QCOMPARE(danteSpy.at(1).at(0).toString(), QStringLiteral("Old"));
    QCOMPARE(danteSpy.at(1).at(1).toString(), QStringLiteral("New"));
}

void TestHNodeKinds::linkUnderEndpointIsDivErov()
{
    QScopedPointer<HChassis> pEndpoint(chassis(QStringLiteral("IN-USB2T"), QStringLiteral("IN-USB2T")));
    auto *pLink = new HKRXLink;
    parse(pLink, {{"label", "Link"}});
    pEndpoint->addNode(pLink);
    QCOMPARE(pLink->label(), QStringLiteral("DivErov"));
    QScopedPointer<HChassis> pProcessor(chassis(QStringLiteral("KRX 880")));
    auto *pOther = new HKRXLink;
    parse(pOther, {{"label", "Link"}});
    pProcessor->addNode(pOther);
    QCOMPARE(pOther->label(), QStringLiteral("Link"));
}

// ---------------------------------------------------------------- blocks

void TestHNodeKinds::blockLabels_data()
{
    QTest::addColumn<QString>("bgmCount");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("two sources") << "2" << QStringList{"None", "CD", "Radio"};
    QTest::newRow("none") << "0" << QStringList{"None"};
    QTest::newRow("more than listed") << "5" << QStringList{"None", "CD", "Radio"};
    QTest::newRow("not a number") << "x" << QStringList{"None"};
}

void TestHNodeKinds::blockLabels()
{
    QFETCH(QString, bgmCount);
    QFETCH(QStringList, labels);
    HBlock block;
    parse(&block, {{"title", "Standard Room Combiner"}, {"leftLabelList", "Mic 1,Mic 2,CD,Radio"},
                   {"inputCount", "2"}, {"bgmCount", bgmCount}});
    QCOMPARE(block.labels(), labels);
    QVERIFY(block.zeroIsNone());
    QStringList out{"stale"};
    QVERIFY(block.labelList(out));
    QCOMPARE(out, labels);
}

void TestHNodeKinds::blockChoiceText()
{
    HBlock block;
    parse(&block, {{"title", "Selector"}, {"name1", "Lobby"}, {"inLchName2", "Hall"}, {"label", "Sel"}});
    QCOMPARE(block.choiceText(), QStringLiteral("Lobby,Hall,"));
    QCOMPARE(block.label(), QStringLiteral("Sel"));
    QCOMPARE(block.category(), QStringLiteral("Blocks"));
}

void TestHNodeKinds::blockSupport_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("supported");
    QTest::newRow("gain") << "Gain" << "" << true;
    QTest::newRow("automix") << "AMM-Gated" << "" << true;
    QTest::newRow("logic toggle") << "Logic" << "lib/toggleff.js" << true;
    QTest::newRow("logic other") << "Logic" << "latch.js" << false;
    QTest::newRow("logic output") << "Logic Output 4" << "" << true;
    QTest::newRow("virtual gpi") << "Virtual GPI 2" << "" << true;
    QTest::newRow("tone") << "Tone EQ" << "" << true;
    QTest::newRow("matrix") << "Matrix Mixer" << "" << false;
    QTest::newRow("gain lower") << "gain" << "" << false;
}

void TestHNodeKinds::blockSupport()
{
    QFETCH(QString, title);
    QFETCH(QString, script);
    QFETCH(bool, supported);
    HBlock block;
    parse(&block, {{"title", title}, {"scriptFile", script}});
    QCOMPARE(block.initNode(), supported);
}

void TestHNodeKinds::blockRegistersRoom()
{
    HChassis processor;
    auto *pRouter = new HBlock;
    parse(pRouter, {{"title", "Conference Room Router"}, {"label", "Router"}, {"roomName", "Board"},
                    {"roomNumber", "5"}, {"rcGroupNumber", "2"}, {"nodeID", "40"}, {"roomCombine", "{3|5}{5+7}{1|2}"}});
    QList<int> rooms;
    pRouter->parseLabelList(rooms);
    QCOMPARE(rooms, (QList<int>{3, 7}));
    processor.addNode(pRouter);
    processor.attachRoomCombiner(pRouter);
    const RoomInfo *pRoom = processor.registry()->findRoom(2, 5);
    QVERIFY(pRoom);
    QCOMPARE(pRoom->name(), QStringLiteral("Router-Board"));
    QCOMPARE(pRoom->pairedRooms(), (QList<int>{3, 7}));
    QCOMPARE(pRoom->groupCombiner(), 0);
    QCOMPARE(pRoom->nodeId(), 40);

    HBlock lists;
    parse(&lists, {{"title", "Conference Room Router"}, {"roomCombine", "[1,2][4][x]junk"}});
    rooms.clear();
    lists.parseLabelList(rooms);
    QCOMPARE(rooms, (QList<int>{1, 2, 4}));

    auto *pCombiner = new HBlock;
    parse(pCombiner, {{"title", "General Purpose Room Combiner"}, {"label", "Hall"}, {"roomName", "East"},
                      {"roomNumber", "1"}, {"rcGroupNumber", "2"}});
    processor.addNode(pCombiner);
    processor.attachRoomCombiner(pCombiner);
    QCOMPARE(processor.registry()->findRoom(2, 1)->groupCombiner(), 1);
    auto *pGain = new HBlock;
    parse(pGain, {{"title", "Gain"}, {"roomNumber", "9"}});
    processor.addNode(pGain);
    processor.attachRoomCombiner(pGain);
    QVERIFY(!processor.registry()->findRoom(-1, 9));
}

void TestHNodeKinds::blockReloadSignals()
{
    HBlock block;
    parse(&block, {{"title", "AMM-Gated"}, {"label", "Mixer"}, {"inputLabel1", "Podium"},
                   {"inputLabel2", "Lectern"}, {"name1", "A"}});
    HBlock newer;
    parse(&newer, {{"title", "AMM-Gated"}, {"label", "Mixer 2"}, {"inputLabel1", "Podium"},
                   {"inputLabel2", "Table"}, {"name1", "B"}, {"roomNumber", "4"}, {"bgmCount", "0"}});
    QSignalSpy labels(&block, &HNode::labelChangedByReload);
    QSignalSpy lists(&block, &HNode::listChangedByReload);
    block.copyFrom(&newer);
    QCOMPARE(labels.count(), 2);
    QCOMPARE(labels.at(0).at(0).toString(), QStringLiteral("Lectern"));
    QCOMPARE(labels.at(1).at(1).toString(), QStringLiteral("Mixer 2"));
    QCOMPARE(lists.count(), 1);
    QCOMPARE(lists.at(0).at(0).toString(), QStringLiteral("B,"));
    // Every design-derived field follows the new file.
    QCOMPARE(block.labels(), QStringList{"None"});
    QVERIFY(block.zeroIsNone());
    block.copyFrom(&newer);
    QCOMPARE(lists.count(), 1);
}

void TestHNodeKinds::routerTrimNeedsKnownPortCount_data()
{
    QTest::addColumn<QString>("teleconInputs");
    QTest::addColumn<int>("kept");
    QTest::newRow("absent") << "" << 20;
    QTest::newRow("minus one") << "-1" << 20;
    QTest::newRow("none") << "0" << 4;
    QTest::newRow("eight") << "8" << 20;
    QTest::newRow("nine") << "9" << 20;
}

void TestHNodeKinds::routerTrimNeedsKnownPortCount()
{
    QFETCH(QString, teleconInputs);
    QFETCH(int, kept);
    HBlock router;
    parse(&router, {{"title", "Conference Room Router"}});
    if (!teleconInputs.isEmpty())
        parse(&router, {{"teleconInputs", teleconInputs}});
    for (int i = 0; i < 20; ++i) {
        auto *pParameter = new CParameter;
        pParameter->setText(QStringLiteral("P%1").arg(i));
        router.parameterList()->append(pParameter);
    }
    router.applyRoomRouterPorts();
    QCOMPARE(router.parameters().size(), kept);
}

void TestHNodeKinds::refusedNodeIsReported()
{
    FakeProcessor processor;
    QVERIFY(!processor.addNode(nullptr));
    auto *pGroup = new HGroup;
    HBlock orphan;
    QVERIFY(!pGroup->addNode(&orphan)); // a leaf takes nothing
    QVERIFY(!orphan.parentNode());
    HComposite amplifierGroup;
    amplifierGroup.setAmpTitles({QStringLiteral("AZR 4400")});
    HBlock block;
    QVERIFY(!amplifierGroup.addNode(&block));
    QVERIFY(!block.parentNode());
    QVERIFY(processor.addNode(pGroup));
}

// ---------------------------------------------------------------- control groups

void TestHNodeKinds::groupTypes_data()
{
    QTest::addColumn<QString>("groupType");
    QTest::addColumn<QString>("typeNumber");
    QTest::newRow("level") << "Level" << "0";
    QTest::newRow("level and mute") << "Level + Mute" << "1";
    QTest::newRow("mute") << "Mute" << "2";
    QTest::newRow("selector") << "Selector" << "3";
    QTest::newRow("lower case") << "mute" << "7";
}

void TestHNodeKinds::groupTypes()
{
    QFETCH(QString, groupType);
    QFETCH(QString, typeNumber);
    HGroup group;
    group.setTypeNum(QStringLiteral("7"));
    parse(&group, {{"title", "Group"}, {"groupType", groupType}, {"label", "G"}});
    QVERIFY(group.initNode());
    QCOMPARE(group.groupType(), groupType);
    QCOMPARE(group.typeNum(), typeNumber);
    QCOMPARE(group.label(), QStringLiteral("G"));
    QCOMPARE(group.dataFolder(), QStringLiteral("Velmora"));
}

void TestHNodeKinds::selectorAssignments()
{
    HGroup group;
    parse(&group, {{"groupType", "Selector"}});
    QSignalSpy lists(&group, &HNode::listChangedByReload);
    group.parseChildAttributes(assign("x", "name1", "Unset"), false); // target 0: applied, target stays unset
    group.parseChildAttributes(assign("7", "nameA", "Source A"), true);
    group.parseChildAttributes(assign("9", "name1", "Other"), true);  // another target: ignored
    group.parseChildAttributes(assign("7", "Name1", "Capital"), true);
    group.parseChildAttributes(assign("7", "selectorX"), true);
    group.parseChildAttributes(assign("7", "name2", "Source B"), false);
    QCOMPARE(group.targetId(), 7);
    QCOMPARE(group.entries(), (QStringList{"Unset", "Source A", "Source B"}));
    QCOMPARE(lists.count(), 3); // reload assignments not ignored
    QCOMPARE(lists.at(0).at(0).toString(), QStringLiteral("Group"));

    HGroup level;
    parse(&level, {{"groupType", "Level"}});
    level.parseChildAttributes(assign("7", "name1", "A"), true);
    QVERIFY(level.entries().isEmpty());
}

void TestHNodeKinds::selectorRanges_data()
{
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one to four") << "1" << "4" << "1" << QStringList{"<1>", "<2>", "<3>", "<4>"};
    QTest::newRow("single") << "3" << "3" << "1" << QStringList{"<3>"};
    QTest::newRow("reversed") << "4" << "3" << "1" << QStringList();
    QTest::newRow("step two") << "0" << "5" << "2" << QStringList{"<0>", "<2>", "<4>"};
    QTest::newRow("step zero") << "1" << "4" << "0" << QStringList();
    QTest::newRow("negative step") << "1" << "4" << "-1" << QStringList();
    QTest::newRow("not a number") << "1" << "four" << "1" << QStringList();
    // Near the end of the 32-bit range the next value must not wrap around.
    QTest::newRow("top of range") << "2147483000" << "2147483647" << "1000" << QStringList{"<2147483000>"};
}

void TestHNodeKinds::selectorRanges()
{
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, step);
    QFETCH(QStringList, entries);
    HGroup group;
    parse(&group, {{"groupType", "Selector"}});
    group.parseChildAttributes(range("7", minimum, maximum, step), false);
    QCOMPARE(group.entries(), entries);
}

void TestHNodeKinds::groupReload()
{
    HGroup huge;
    parse(&huge, {{"groupType", "Selector"}});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cut at 1000 entries")));
    huge.parseChildAttributes(range("7", "0", "2147483647", "1"), false);
    QCOMPARE(huge.entries().size(), HGroup::MaxRangeEntries);
    QCOMPARE(huge.entries().last(), QStringLiteral("<999>"));

    HGroup newer;
    parse(&newer, {{"title", "Group"}, {"label", "Renamed"}, {"groupType", "Mute"}});
    newer.initNode();
    QSignalSpy labels(&huge, &HNode::labelChangedByReload);
    huge.copyFrom(&newer);
    QCOMPARE(labels.count(), 1);
    QCOMPARE(labels.at(0).at(1).toString(), QStringLiteral("Renamed"));
    QCOMPARE(huge.groupType(), QStringLiteral("Mute"));
    QCOMPARE(huge.typeNum(), QStringLiteral("2"));
    QCOMPARE(huge.targetId(), 0);
    QVERIFY(huge.entries().isEmpty());
}

void TestHNodeKinds::echoCanceller()
{
    FakeProcessor processor;
    auto *pEcho = new HEchoCanel;
    parse(pEcho, {{"title", "AEC"}, {"label", "Echo"}});
    processor.addNode(pEcho);
    QVERIFY(pEcho->initNode());
    QCOMPARE(pEcho->title(), QStringLiteral("EchoCancel"));
    QCOMPARE(pEcho->category(), QStringLiteral("Echo Cancellation"));
    QCOMPARE(pEcho->parameterFilePath(QString()), QStringLiteral(":/data/KRX/EchoCancel_0.xml"));
    QCOMPARE(pEcho->loadParameters(), 0);
}

// ---------------------------------------------------------------- parameter sets

void TestHNodeKinds::parameterSetsInTree()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    root.addNode(pProcessor);
    QList<HParameterSet *> sets;
    for (const char *label : {"Dawn", "Noon", "Dusk"}) {
        auto *pSet = new HParameterSet;
        parse(pSet, {{"title", "Param Set."}, {"label", label}});
        QVERIFY(pSet->initNode());
        pProcessor->addNode(pSet);
        sets << pSet;
    }
    QCOMPARE(sets.first()->title(), QStringLiteral("ParamSet"));
    QCOMPARE(sets.first()->typeNum(), QStringLiteral("0"));
    QStandardItemModel model;
    root.buildModel(&model);
    QStandardItem *pSection = model.item(2);
    QCOMPARE(pSection->text(), QStringLiteral("ParameterSets"));
    QCOMPARE(TestSupport::modelOutline(&model).mid(4, 5),
             (QStringList{"ParameterSets", "  ParameterList", "  Dawn", "  Noon", "  Dusk"}));
    QCOMPARE(sets.first()->parameters().size(), 2);
    QCOMPARE(sets.at(1)->parameters().size(), 1);
    QCOMPARE(sets.first()->parameters().first()->type(), QStringLiteral("DropList"));
    QCOMPARE(sets.at(1)->parameters().first()->type(), QStringLiteral("ParameterSet"));
    QCOMPARE(int(pSection->child(1)->flags()), 49 | 0x404);
    QCOMPARE(sets.first()->parameters().first()->item(), pSection->child(0));
}

void TestHNodeKinds::parameterSetTemplatePaths()
{
    HParameterSet set;
    parse(&set, {{"title", "Scene Set"}, {"label", "Dawn"}});
    set.initNode();
    QStandardItemModel model;
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    root.addNode(pProcessor);
    auto *pSet = new HParameterSet;
    parse(pSet, {{"title", "Scene Set"}, {"label", "Dawn"}});
    pSet->initNode();
    pProcessor->addNode(pSet);
    root.buildModel(&model);
    QCOMPARE(pSet->parameterFilePath(QStringLiteral("ParameterList")), QStringLiteral(":/data/Velmora/ParamList_0.xml"));
    QCOMPARE(pSet->parameterFilePath(QStringLiteral("Dawn")), QStringLiteral(":/data/Velmora/SceneSet_0.xml"));
    QCOMPARE(pSet->parameterFilePath(QStringLiteral("Other")), QString());
    QString name = QStringLiteral("Dawn");
    pSet->clearParameterList(name);
    QVERIFY(name.isNull());
}

void TestHNodeKinds::parameterSetDialog()
{
    HRoot root;
    auto *pProcessor = new FakeProcessor;
    root.addNode(pProcessor);
    QList<HParameterSet *> sets;
    for (const char *label : {"Dawn", "Noon", "Dusk"}) {
        auto *pSet = new HParameterSet;
        parse(pSet, {{"title", "ParamSet"}, {"label", label}});
        pProcessor->addNode(pSet);
        pSet->setSortKey(9);
        sets << pSet;
    }
    QStandardItemModel model;
    root.buildModel(&model);
    HParameterSet *pFirst = sets.first();
    QVERIFY(pFirst->prepareControl(QStringLiteral("Noon"), nullptr) == false); // not its parameter
    QVERIFY(sets.at(1)->prepareControl(QStringLiteral("Noon"), nullptr));     // its own entry: no dialog

    {   // Cancel changes nothing.
        DialogAnswer answer;
        answer.ticks = {0};
        answer.button = 0;
        QVERIFY(!pFirst->prepareControl(QStringLiteral("ParameterList"), nullptr));
        QCOMPARE(answer.shown, (QStringList{"Dawn", "Noon", "Dusk"}));
        QCOMPARE(pFirst->sortKey(), 9);
    }
    {   // OK without a tick is not possible.
        DialogAnswer answer;
        QVERIFY(!pFirst->prepareControl(QStringLiteral("ParameterList"), nullptr));
        QCOMPARE(sets.at(2)->sortKey(), 9);
    }
    {   // Dusk moved to the top, Dusk and Noon ticked.
        DialogAnswer answer;
        answer.ticks = {1, 2};
        answer.moveLastUp = true;
        QVERIFY(pFirst->prepareControl(QStringLiteral("ParameterList"), nullptr));
        QCOMPARE(sets.at(2)->sortKey(), 0);
        QCOMPARE(sets.at(1)->sortKey(), 1);
        QCOMPARE(sets.at(0)->sortKey(), -1);
    }
}

void TestHNodeKinds::parameterSetList()
{
    FakeProcessor processor;
    for (const char *id : {"12", "12", "13"}) {
        auto *pSet = new HParameterSet;
        parse(pSet, {{"label", QStringLiteral("Set %1").arg(processor.childCount())}});
        pSet->setIdText(QString::fromLatin1(id));
        processor.addNode(pSet);
    }
    auto *pList = new HParameterSetList;
    processor.addNode(pList);
    QSignalSpy lists(pList, &HNode::listChangedByReload);
    pList->addParameterSet(QStringLiteral("12"));
    pList->addParameterSet(QStringLiteral("none"));
    QCOMPARE(pList->setIds(), (QList<int>{12, 0}));
    QCOMPARE(pList->setNames(), (QStringList{"Set 0", "Set 1"}));
    QCOMPARE(lists.count(), 0);
    QStringList names;
    QList<int> ids;
    QVERIFY(pList->parameterSetLists(names, ids));
    QCOMPARE(ids, (QList<int>{12, 0}));

    HParameterSetList newer;
    parse(&newer, {{"label", "Weekly"}});
    pList->copyFrom(&newer);
    QVERIFY(pList->setIds().isEmpty());
    QVERIFY(pList->isListChanged());
    pList->addParameterSet(QStringLiteral("13"));
    QCOMPARE(pList->setNames(), QStringList{"Set 2"});
    QCOMPARE(lists.last().at(0).toString(), QStringLiteral("Parameter Set List"));
}

// ---------------------------------------------------------------- room-combining nodes

void TestHNodeKinds::roomsFromRegistry()
{
    HChassis processor;
    for (int room : {1, 2, 4})
        processor.registry()->addRoom(room, QStringLiteral("Block-Room %1").arg(room), 3, 1, 30 + room, {});
    auto *pGroup = new HRCGroup;
    pGroup->setIdText(QStringLiteral("3"));
    pGroup->setIndex(3);
    pGroup->setLabel(QStringLiteral("Wing"));
    processor.addNode(pGroup);
    QCOMPARE(processor.registry()->findGroup(3) != nullptr, true);
    HNodeFactory factory;
    QSignalSpy colours(pGroup, &HNode::updateComboColorList);
    pGroup->createRooms(&factory, false);
    QCOMPARE(pGroup->childCount(), 2); // room 4 follows a gap
    auto *pRoom = qobject_cast<HRCRoom *>(pGroup->childAt(1));
    QCOMPARE(pRoom->label(), QStringLiteral("[Block-Room 2]"));
    QCOMPARE(pRoom->idText(), QStringLiteral("2"));
    QCOMPARE(pRoom->nodeId(), 32);
    QCOMPARE(pRoom->roomColor(0), QStringLiteral("lightgray"));
    QVERIFY(!pGroup->hasFlags(HNode::FlagRemovable));
    QVERIFY(!pRoom->hasFlags(HNode::FlagRemovable));
    QCOMPARE(colours.count(), 0);
    QCOMPARE(pGroup->findRoomNode(QStringLiteral("2")), pRoom);
    QCOMPARE(pGroup->findByCategory(QStringLiteral("RCRooms")), pGroup->childAt(0));
    QCOMPARE(pGroup->findByCategory(QStringLiteral("RCGroups")), pGroup);
    QList<HNode *> found;
    QVERIFY(pGroup->collect(QStringLiteral("RCGroups"), &found));
    QCOMPARE(found, QList<HNode *>{pGroup});

    // Again, with room 2 renamed: the node stays and is relabelled.
    processor.registry()->addRoom(2, QStringLiteral("Block-Annex"), 3, 1, 32, {});
    QSignalSpy relabel(pRoom, &HNode::labelChangedByReload);
    pGroup->createRooms(&factory, true);
    QCOMPARE(pGroup->childAt(1), pRoom);
    QCOMPARE(pRoom->label(), QStringLiteral("[Block-Annex]"));
    QCOMPARE(relabel.count(), 1);
    QCOMPARE(colours.count(), 1);
    QCOMPARE(pGroup->childCount(), 2);
}

void TestHNodeKinds::roomDefaultsWithoutGroupOrProcessor()
{
    HRCRoom loose;
    QCOMPARE(loose.roomColor(1), QStringLiteral("purple"));
    QVERIFY(!loose.isQueryPending());
    QCOMPARE(loose.queryCommand(), QString());
    HRCGroup group;
    QCOMPARE(group.roomColor(1), QStringLiteral("lightblue"));
    QVERIFY(group.comboColorList().isEmpty());
    QCOMPARE(HBlock().roomColor(1), QStringLiteral("black"));

    // Made from design nodes under a processor: a room whose parent is no
    // group and a group whose parent is no processor answer the defaults.
    FakeProcessor processor;
    auto *pRoom = new HRCRoom;
    auto *pGroup = new HRCGroup;
    processor.addNode(pRoom);
    processor.addNode(pGroup);
    QCOMPARE(pRoom->roomColor(1), QStringLiteral("purple"));
    QStringList names{"x"};
    pRoom->combinedRoomNames(1, names);
    pRoom->processResponse(QStringLiteral("GRC 1,[1,2]"));
    QCOMPARE(pGroup->roomColor(1), QStringLiteral("lightblue"));
    pGroup->createRooms(nullptr, true);
    QCOMPARE(pGroup->childCount(), 0);
}

void TestHNodeKinds::roomClickReachesRoomOnly()
{
    HChassis processor;
    processor.registry()->addRoom(1, QStringLiteral("A-One"), 1, 1, 11, {});
    processor.registry()->addRoom(2, QStringLiteral("A-Two"), 1, 1, 12, {});
    auto *pGroup = new HRCGroup;
    pGroup->setIdText(QStringLiteral("1"));
    processor.addNode(pGroup);
    HNodeFactory factory;
    pGroup->createRooms(&factory, false);
    HNode *pOne = pGroup->childAt(0);
    HNode *pTwo = pGroup->childAt(1);
    QSignalSpy oneColour(pOne, &HNode::updateRoomColor);
    QSignalSpy oneSend(pOne, &HNode::sendMessage);
    QSignalSpy twoColour(pTwo, &HNode::updateRoomColor);
    pOne->controlClicked();
    QCOMPARE(oneColour.count(), 1);
    QCOMPARE(oneColour.at(0).at(0).toString(), QStringLiteral("crimson"));
    QCOMPARE(oneSend.count(), 1);
    QCOMPARE(twoColour.count(), 0);
    QCOMPARE(pOne->roomColor(0), QStringLiteral("crimson"));
}

void TestHNodeKinds::queryPending()
{
    HChassis processor;
    auto *pGroup = new HRCGroup;
    pGroup->setIdText(QStringLiteral("4"));
    processor.addNode(pGroup);
    QVERIFY(!pGroup->isQueryPending());
    QCOMPARE(pGroup->queryCommand(), QStringLiteral("GRC 4\r"));
    QVERIFY(pGroup->isQueryPending());
    QSignalSpy ready(pGroup, &HNode::queryResponseReady);
    pGroup->processResponse(QStringLiteral("GRC 4,"));
    QCOMPARE(ready.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!pGroup->isQueryPending(), 5000);
}

// ---------------------------------------------------------------- processors

void TestHNodeKinds::chassisDefaults()
{
    HChassis chassis;
    QCOMPARE(chassis.serialPort(), QStringLiteral("10055"));
    QCOMPARE(chassis.platform(), QStringLiteral("KRX"));
    QVERIFY(chassis.ipAddress().isEmpty() && chassis.ipPort().isEmpty() && chassis.monitorPort().isEmpty());
    QCOMPARE(chassis.flags(), HNode::FlagProcessor | HNode::FlagRemovable);
    QVERIFY(!chassis.transport());
    QVERIFY(!chassis.isConnected());
    QCOMPARE(chassis.category(), QStringLiteral("Chassis"));
    QCOMPARE(chassis.dataFolder(), QStringLiteral("KRX"));
}

void TestHNodeKinds::chassisProperties()
{
    HChassis chassis;
    parse(&chassis, {{"ipAddress", "10.1.1.1"}, {"ipPort", "80"}, {"monitorPort", "81"},
                     {"serialPortNumber", "2000"}, {"isMainKRX", "true"}, {"label", "Rack"}});
    QCOMPARE(chassis.ipAddress(), QStringLiteral("10.1.1.1"));
    QCOMPARE(chassis.serialPort(), QStringLiteral("2000"));
    QCOMPARE(chassis.label(), QStringLiteral("Rack"));
    QVERIFY(!chassis.hasFlags(HNode::FlagMainProcessor));
    parse(&chassis, {{"isMainKRX", "True"}});
    QVERIFY(chassis.hasFlags(HNode::FlagMainProcessor));

    chassis.platformFromModel(QStringLiteral("VMP 12"));
    QCOMPARE(chassis.platform(), QStringLiteral("KRX"));
    QVERIFY(!chassis.isEndpoint());
    chassis.platformFromModel(QStringLiteral("in-usb"));
    QCOMPARE(chassis.platform(), QString());
    chassis.platformFromModel(QStringLiteral("IN-USB4"));
    QCOMPARE(chassis.platform(), QStringLiteral("KRX"));
    QVERIFY(chassis.isEndpoint());
    parse(&chassis, {{"deviceType", "AZ 2160"}});
    QCOMPARE(chassis.dataFolder(), QStringLiteral("AZ"));

    chassis.setProperty(QStringLiteral("ipaddress"), QStringLiteral("10.2.2.2"));
    chassis.setProperty(QStringLiteral("platform"), QStringLiteral("AQ"));
    chassis.setProperty(QStringLiteral("IPADDRESS"), QStringLiteral("ignored"));
    QCOMPARE(chassis.ipAddress(), QStringLiteral("10.2.2.2"));
    QCOMPARE(chassis.platform(), QStringLiteral("AQ"));
}

void TestHNodeKinds::chassisTitleLookup_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("known");
    QTest::newRow("model") << "KRX 880" << "KRX 880" << true;
    QTest::newRow("main") << "KRX 880" << "KRX 880 (Main)" << true;
    QTest::newRow("other suffix") << "KRX 880" << "KRX 880 (Rack 2)" << true;
    QTest::newRow("leading bracket") << "KRX 880" << "(KRX 880)" << false;
    QTest::newRow("amplifier") << "AQ 2125" << "AQ 2125" << true;
    QTest::newRow("amplifier in wrong folder") << "KRX" << "AQ 2125" << false;
    QTest::newRow("unknown") << "KRX 880" << "KRX 9999" << false;
}

void TestHNodeKinds::chassisTitleLookup()
{
    QFETCH(QString, model);
    QFETCH(QString, title);
    QFETCH(bool, known);
    QScopedPointer<HChassis> pChassis(chassis(title, model));
    if (!known)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to find the chassis title")));
    QCOMPARE(pChassis->initNode(), known);
}

void TestHNodeKinds::chassisSearches()
{
    HRoot root;
    HChassis *pChassis = chassis(QStringLiteral("KRX 880"));
    pChassis->setNodeId(3);
    root.addNode(pChassis);
    auto *pBlock = new HBlock;
    parse(pBlock, {{"title", "Gain"}, {"label", "G"}});
    pChassis->addNode(pBlock);
    QVERIFY(!pChassis->findByCategory(QStringLiteral("Blocks")));
    QCOMPARE(pChassis->findByCategoryAndAttribute(QStringLiteral("Blocks"), QStringLiteral("label"), QStringLiteral("G")),
             pBlock);
    QCOMPARE(root.findByCategoryAndId(QStringLiteral("Chassis"), 3), pChassis);
    QList<HNode *> found;
    QVERIFY(root.collect(QStringLiteral("Chassis"), &found));
    QCOMPARE(found, QList<HNode *>{pChassis});

    QScopedPointer<HChassis> pMain(chassis(QStringLiteral("KRX 880 (Main)")));
    pMain->setNodeId(3);
    QCOMPARE(pMain->findCounterpart(&root, false), pChassis);
    pChassis->setFlags(HNode::FlagSeen);
    QVERIFY(!pMain->findCounterpart(&root, true));
    pMain->setTitle(QStringLiteral("KRX 440"));
    QVERIFY(!pMain->findCounterpart(&root, false));
}

void TestHNodeKinds::chassisGroupRows_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("processor") << "KRX 880" << "KRX 880"
                               << QStringList{"Analog I/O", "Digital I/O", "Dante I/O", "Blocks"};
    QTest::newRow("telephone endpoint") << "IN-USB2T" << "IN-USB2T"
                                        << QStringList{"Analog I/O", "Digital I/O", "PSTN I/O", "VoIP I/O",
                                                       "USB I/O", "Dante I/O", "Blocks"};
    QTest::newRow("usb endpoint") << "IN-USB4" << "IN-USB4"
                                  << QStringList{"Analog I/O", "Digital I/O", "USB I/O", "Dante I/O", "Blocks"};
    QTest::newRow("amplifier") << "AQ 2125" << "AQ 2125" << QStringList{"Amp I/O"};
    QTest::newRow("unknown platform") << "X 1" << "X 1" << QStringList{"Analog I/O", "Digital I/O"};
    QTest::newRow("azr amplifier") << "AZR 2400" << "AZR 2400" << QStringList();
}

void TestHNodeKinds::chassisGroupRows()
{
    QFETCH(QString, title);
    QFETCH(QString, model);
    QFETCH(QStringList, rows);
    HRoot root;
    root.addNode(chassis(title, model));
    QStandardItemModel standardModel;
    root.buildModel(&standardModel);
    QStringList outline = TestSupport::modelOutline(&standardModel);
    outline = outline.mid(0, outline.size() - 4); // the four sections
    if (rows.isEmpty()) {
        QVERIFY(outline.isEmpty());
        return;
    }
    QCOMPARE(outline.takeFirst(), title);
    QCOMPARE(outline, rows.replaceInStrings(QRegularExpression(QStringLiteral("^")), QStringLiteral("  ")));
    QCOMPARE(standardModel.item(0)->child(0)->data(TreeItem::HandleRole), QVariant(quint64(quintptr(root.childAt(0)))));
}

void TestHNodeKinds::chassisWritesConnections()
{
    HRoot root;
    const auto add = [&root](const QString &label, int nodeId, const QString &address, bool inUse) {
        HChassis *pChassis = chassis(QStringLiteral("KRX 880 (Main)"));
        pChassis->setLabel(label);
        pChassis->setNodeId(nodeId);
        parse(pChassis, {{"ipAddress", address}, {"monitorPort", "51"}});
        if (inUse)
            pChassis->setFlags(HNode::FlagInUse);
        root.addNode(pChassis);
        return pChassis;
    };
    add(QStringLiteral("Rack A"), 0, QStringLiteral("10.0.0.1"), true);
    add(QStringLiteral("Rack B"), 5, QStringLiteral("10.0.0.1"), true);  // same address: not again
    add(QStringLiteral("Rack C"), 5, QStringLiteral("10.0.0.2"), false); // not in use
    add(QStringLiteral("Rack D"), 7, QStringLiteral("10.0.0.3"), true);
    QByteArray bytes;
    QStringList written;
    {
        XmlWriter writer;
        writer.setByteArray(&bytes);
        QVERIFY(root.writeXml(&writer, written));
        QVERIFY(writer.flush());
    }
    QCOMPARE(written, (QStringList{"10.0.0.1", "10.0.0.3"}));
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.count(QStringLiteral("<Connection ")), 2);
    QVERIFY(text.contains(QStringLiteral("<Connection name=\"Rack A\">")));
    QVERIFY(text.contains(QStringLiteral("<Connection name=\"Chassis|||7\">")));
    QVERIFY(text.contains(QStringLiteral("<title>KRX 880 (Main)</title>\n\t\t<ipaddress>10.0.0.1</ipaddress>\n"
                                         "\t\t<ipport></ipport>\n\t\t<monitorport>51</monitorport>\n"
                                         "\t\t<serialport>10055</serialport>\n\t\t<platform>KRX</platform>")));
    QVERIFY(!root.childAt(0)->writeXml(nullptr, written));
}

VVB_TEST_MAIN(TestHNodeKinds)
#include "tst_hnodekinds.moc"
