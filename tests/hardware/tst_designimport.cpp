#include "dialogs/DMessageBox.h"
#include "hardware/CParameter.h"
#include "hardware/HAudioIO.h"
#include "hardware/HBlock.h"
#include "hardware/HChassis.h"
#include "hardware/HDante.h"
#include "hardware/HGroup.h"
#include "hardware/HParameterSet.h"
#include "hardware/HParameterSetList.h"
#include "hardware/HRCGroup.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/HRCRoom.h"
#include "hardware/HRoot.h"
#include "hardware/RCGroup.h"
#include "model/MProject.h"
#include "support/DesignFixture.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/TreeItem.h"

#include <QPointer>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList labels(const QList<HNode *> &nodes)
{
    QStringList texts;
    for (const HNode *pNode : nodes)
        texts << (pNode ? pNode->label() : QStringLiteral("<null>"));
    return texts;
}

QStringList childLabels(const HNode *pNode)
{
    const auto *pComposite = qobject_cast<const HComposite *>(pNode);
    return pComposite ? labels(pComposite->children()) : QStringList();
}

// Every node below pNode, depth first.
QList<HNode *> subtree(HNode *pNode)
{
    QList<HNode *> nodes;
    if (auto *pComposite = qobject_cast<HComposite *>(pNode)) {
        for (HNode *pChild : pComposite->children())
            nodes << pChild << subtree(pChild);
    }
    return nodes;
}

HNode *byLabel(HNode *pRoot, const QString &label)
{
    return pRoot->findByAttribute(QStringLiteral("label"), label);
}

// Answers every warning box and remembers what it said.
struct WarningRecorder
{
    QStringList titles;
    QStringList texts;
    WarningRecorder()
    {
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            titles << title;
            texts << text;
            return 0;
        });
    }
    ~WarningRecorder() { DMessageBox::setResponder(DMessageBox::Responder()); }
};

} // namespace

class TestDesignImport : public QObject
{
    Q_OBJECT

private slots:
    void importBuildsEveryNodeKind();
    void importedNodesCarryTheirProperties();
    void groupsAndSetsAreNumberedAsTheDesign_data();
    void groupsAndSetsAreNumberedAsTheDesign();
    void importBuildsProjectTree();
    void reimportRelabelsRenamedRoom();
    void reimportRemovesDroppedBlockOnce();
    void reimportFollowsNewOrder();
    void reimportMatchesEachOldNodeOnce();
    void reimportDropsRoomsNoLongerMade();
    void reimportDropsRoomsOfAnUnassignedGroup();
    void reimportRenamesTheParameterOfARenamedSet_data();
    void reimportRenamesTheParameterOfARenamedSet();
    void reimportUpdatesDantePins();
    void emptyNodesGoAtPurge();
    void roomNodesFromNodeElements();
    void reimportDropsMissingProcessor();
    void reimportTakesNewCardCategory();
    void version_data();
    void version();
    void blockBeforeAnyProcessor();
    void setsWithoutMainProcessorAreDropped();
    void badInput_data();
    void badInput();
    void deepContentOfASkippedViewIsIgnored();
    void deepNestingIsRefusedWithAMessage_data();
    void deepNestingIsRefusedWithAMessage();
    void windows1252FileYieldsAmplifierTitles();

private:
    QTemporaryDir m_dir;
    bool import(HRoot &root, const DesignFixture &design, bool reload, MProject *pProject = nullptr)
    {
        return HComposite::loadDesignFile(&root, design.write(m_dir.path()), reload, pProject);
    }
};

void TestDesignImport::importBuildsEveryNodeKind()
{
    HRoot root;
    WarningRecorder warnings;
    MProject project;
    QVERIFY(import(root, DesignFixture(), false, &project));
    QVERIFY(warnings.texts.isEmpty());
    QCOMPARE(project.facilityName(), QStringLiteral("Grand Hotel"));

    QCOMPARE(childLabels(&root), (QStringList{"Main Rack", "Annex Rack"}));
    auto *pMain = qobject_cast<HChassis *>(root.childAt(0));
    auto *pAnnex = qobject_cast<HChassis *>(root.childAt(1));
    QVERIFY(pMain && pAnnex);
    // The Logic view's inner node, the unsupported block and the GPI are not built;
    // groups, the room group, sets and the list hang under the main processor.
    QCOMPARE(childLabels(pMain), (QStringList{"Mic Inputs", "Digital Outs", "Lobby Gain", "Source Select",
                                              "Door Logic", "Combiner", "All Level", "Lobby Level+Mute",
                                              "Source Pick", "Ballroom", "Evening", "Morning", "Daily"}));
    QCOMPARE(childLabels(pAnnex), (QStringList{"Annex Combiner", "Foyer Combiner", "Dante"}));
    QVERIFY(qobject_cast<HAudioIO *>(pMain->childAt(0)));
    QVERIFY(qobject_cast<HBlock *>(pMain->childAt(2)));
    QVERIFY(qobject_cast<HGroup *>(pMain->childAt(6)));
    QVERIFY(qobject_cast<HParameterSet *>(pMain->childAt(10)));
    QVERIFY(qobject_cast<HParameterSetList *>(pMain->childAt(12)));
    QVERIFY(qobject_cast<HDante *>(pAnnex->childAt(2)));
    QVERIFY(!byLabel(&root, QStringLiteral("Inner")));
    QVERIFY(!byLabel(&root, QStringLiteral("Matrix")));

    auto *pRooms = qobject_cast<HRCGroup *>(pMain->childAt(9));
    QVERIFY(pRooms);
    QCOMPARE(childLabels(pRooms),
             (QStringList{"[Combiner-Ballroom A]", "[Annex Combiner-Ballroom B]", "[Foyer Combiner-Foyer]"}));
    for (int i = 0; i < 3; ++i) {
        auto *pRoom = qobject_cast<HRCRoom *>(pRooms->childAt(i));
        QVERIFY(pRoom);
        QCOMPARE(pRoom->idText(), QString::number(i + 1));
        QCOMPARE(pRoom->roomNumber(), i + 1);
        QCOMPARE(pRoom->nodeId(), 20 + i);
        QCOMPARE(pRoom->roomColor(0), QStringLiteral("lightgray"));
    }
    // The annex's rooms were copied into the main processor's registry.
    QCOMPARE(pMain->registry()->roomName(1, 2), QStringLiteral("Annex Combiner-Ballroom B"));
    QCOMPARE(pAnnex->registry()->roomName(1, 1), QStringLiteral("UNKNOWN"));
    QCOMPARE(pMain->registry()->findGroup(1)->name(), QStringLiteral("Ballroom"));
    QCOMPARE(pRooms->comboColorList(), QStringList{"crimson"});

    // Everything attached was seen; nodes, assigned groups, sets and lists and the
    // room group are kept by the purge, the unassigned group is not.
    for (HNode *pNode : subtree(&root))
        QVERIFY2(pNode->hasFlags(HNode::FlagSeen), qPrintable(pNode->label()));
    QVERIFY(!byLabel(&root, QStringLiteral("All Level"))->hasFlags(HNode::FlagRemovable));
    QVERIFY(byLabel(&root, QStringLiteral("Lobby Level+Mute"))->hasFlags(HNode::FlagRemovable));
    QVERIFY(!pRooms->hasFlags(HNode::FlagRemovable));
    QVERIFY(!byLabel(&root, QStringLiteral("Evening"))->hasFlags(HNode::FlagRemovable));
    QVERIFY(!byLabel(&root, QStringLiteral("Daily"))->hasFlags(HNode::FlagRemovable));
    QVERIFY(!pMain->hasFlags(HNode::FlagRemovable));
    QVERIFY(!byLabel(&root, QStringLiteral("Dante"))->hasFlags(HNode::FlagRemovable));
    root.purgeRemovable();
    QVERIFY(!byLabel(&root, QStringLiteral("Lobby Level+Mute")));
    QVERIFY(byLabel(&root, QStringLiteral("All Level")));
}

void TestDesignImport::importedNodesCarryTheirProperties()
{
    HRoot root;
    QVERIFY(import(root, DesignFixture(), false));
    auto *pMain = qobject_cast<HChassis *>(root.childAt(0));
    QCOMPARE(pMain->title(), QStringLiteral("KRX 880 (Main)"));
    QCOMPARE(pMain->ipAddress(), QStringLiteral("10.0.0.5"));
    QCOMPARE(pMain->platform(), QStringLiteral("KRX"));
    QVERIFY(pMain->hasFlags(HNode::FlagProcessor | HNode::FlagMainProcessor));
    QVERIFY(!root.childAt(1)->hasFlags(HNode::FlagMainProcessor));

    // Categories are known before any template is read.
    auto *pInputs = qobject_cast<HAudioIO *>(byLabel(&root, QStringLiteral("Mic Inputs")));
    auto *pOutputs = qobject_cast<HAudioIO *>(byLabel(&root, QStringLiteral("Digital Outs")));
    QCOMPARE(pInputs->category(), QStringLiteral("Analog I/O"));
    QCOMPARE(pOutputs->category(), QStringLiteral("Digital I/O"));
    QCOMPARE(root.findByCategoryAndAttribute(QStringLiteral("Digital I/O"), QStringLiteral("id"), QString()),
             pOutputs);
    QCOMPARE(pInputs->moduleType(), QStringLiteral("VM-AI4"));
    QCOMPARE(pInputs->typeNum(), QStringLiteral("2"));
    QCOMPARE(pInputs->portIndex(), 0);
    QCOMPARE(pInputs->pinIndex(), 3);
    QCOMPARE(pOutputs->portIndex(), 0); // "x"
    QCOMPARE(pOutputs->pinIndex(), -1); // empty

    QCOMPARE(byLabel(&root, QStringLiteral("Source Select"))->choiceText(), QStringLiteral("CD,Radio,"));
    HNode *pLogic = byLabel(&root, QStringLiteral("Door Logic"));
    QCOMPARE(pLogic->nodeId(), 12);
    QCOMPARE(pLogic->scriptFile(), QStringLiteral("toggleff.js"));

    auto *pDante = qobject_cast<HDante *>(byLabel(&root, QStringLiteral("Dante")));
    QCOMPARE(pDante->channelLabels(), (QStringList{"Ch A", "Ch B"}));
    QCOMPARE(pDante->cardPins(), (QList<int>{5, 6}));

    auto *pSelector = qobject_cast<HGroup *>(byLabel(&root, QStringLiteral("Source Pick")));
    QCOMPARE(pSelector->typeNum(), QStringLiteral("3"));
    QCOMPARE(pSelector->targetId(), 11);
    QCOMPARE(pSelector->entries(), (QStringList{"CD", "Radio", "<1>", "<2>"}));
    QCOMPARE(byLabel(&root, QStringLiteral("All Level"))->typeNum(), QStringLiteral("0"));
    QCOMPARE(byLabel(&root, QStringLiteral("Lobby Level+Mute"))->typeNum(), QStringLiteral("1"));

    HNode *pEvening = byLabel(&root, QStringLiteral("Evening"));
    QCOMPARE(pEvening->title(), QStringLiteral("ParamSet"));
    QCOMPARE(pEvening->typeNum(), QStringLiteral("0"));
    QCOMPARE(pEvening->idText(), QStringLiteral("300"));
    auto *pList = qobject_cast<HParameterSetList *>(byLabel(&root, QStringLiteral("Daily")));
    QCOMPARE(pList->title(), QStringLiteral("PSetList"));
    QCOMPARE(pList->setIds(), (QList<int>{301, 300}));
    QCOMPARE(pList->setNames(), (QStringList{"Morning", "Evening"}));
}

void TestDesignImport::groupsAndSetsAreNumberedAsTheDesign_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("indexProperty");
    QTest::addColumn<int>("number");
    QTest::newRow("group by its id") << "All Level" << QByteArray() << 100;
    QTest::newRow("selector group by its id") << "Source Pick" << QByteArray() << 102;
    QTest::newRow("set by its id") << "Evening" << QByteArray() << 300;
    QTest::newRow("set with an index of its own") << "Evening" << QByteArray("4") << 4;
}

// The commands that select a group or a parameter set carry its number in
// the design, which a re-import keeps.
void TestDesignImport::groupsAndSetsAreNumberedAsTheDesign()
{
    QFETCH(QString, label);
    QFETCH(QByteArray, indexProperty);
    QFETCH(int, number);
    DesignFixture design;
    if (!indexProperty.isEmpty()) {
        const QByteArray labelProperty = DesignFixture::property("label", label.toLatin1());
        design.parameterSets.replace(labelProperty, labelProperty + DesignFixture::property("index", indexProperty));
    }
    HRoot root;
    QVERIFY(import(root, design, false));
    HNode *pNode = byLabel(&root, label);
    QVERIFY(pNode);
    QCOMPARE(pNode->index(), number);
    QVERIFY(import(root, design, true));
    QCOMPARE(byLabel(&root, label), pNode);
    QCOMPARE(pNode->index(), number);
}

void TestDesignImport::importBuildsProjectTree()
{
    HRoot root;
    QVERIFY(import(root, DesignFixture(), false));
    QStandardItemModel model;
    root.buildModel(&model);
    const QStringList combiner = {"      Input Level", "      Input Mute", "      Background Music Level",
                                  "      Background Music Mute", "      Background Music Source",
                                  "      Output Level", "      Output Mute"};
    const QStringList room = {"      Room Name", "      Active Combination", "      Room Layout"};
    const QStringList expected = QStringList{
        "Main Rack", "  Analog I/O", "    Mic Inputs", "      Level", "      Mute", "      Meter",
        "  Digital I/O", "    Digital Outs", "      Level", "      Mute", "      Meter", "  Dante I/O",
        "  Blocks", "    Lobby Gain", "      Level", "      Mute", "    Source Select", "      List",
        "    Door Logic", "      Toggle Channel", "      Set All", "      Reset All", "    Combiner"}
        + combiner
        + QStringList{"Annex Rack", "  Analog I/O", "  Digital I/O", "  Dante I/O", "    Dante", "      Ch A",
                      "        Meter 1", "      Ch B", "        Meter 2", "  Blocks", "    Annex Combiner"}
        + combiner + QStringList{"    Foyer Combiner"} + combiner
        + QStringList{"Groups", "  All Level", "    Level", "  Lobby Level+Mute", "    Level", "    Mute",
                      "  Source Pick", "    Selector", "ParameterSets", "  ParameterList", "  Evening",
                      "  Morning", "RCGroups", "  Ballroom", "    RCGroup Name", "    Combination Control",
                      "    [Combiner-Ballroom A]"}
        + room
        + QStringList{"    [Annex Combiner-Ballroom B]"} + room + QStringList{"    [Foyer Combiner-Foyer]"}
        + room + QStringList{"ParameterSetLists", "  Daily"};
    QCOMPARE(TestSupport::modelOutline(&model), expected);

    // Parameter items point at their node and are marked for the drag.
    const auto address = [](const HNode *pNode) { return QVariant(quint64(quintptr(pNode))); };
    QStandardItem *pGain = model.item(0)->child(3)->child(0);
    QCOMPARE(pGain->text(), QStringLiteral("Lobby Gain"));
    QCOMPARE(pGain->child(0)->data(TreeItem::HandleRole), address(byLabel(&root, QStringLiteral("Lobby Gain"))));
    QCOMPARE(int(pGain->child(0)->flags()), 49 | 0x404);
    QStandardItem *pSets = model.item(3);
    QCOMPARE(pSets->child(0)->data(TreeItem::HandleRole), address(byLabel(&root, QStringLiteral("Evening"))));
    QCOMPARE(pSets->child(2)->data(TreeItem::HandleRole), address(byLabel(&root, QStringLiteral("Morning"))));
    QCOMPARE(model.item(0)->child(0)->data(TreeItem::HandleRole), address(root.childAt(0)));

    // Only the first set owns the list entry; a rebuild does not add parameters.
    QCOMPARE(byLabel(&root, QStringLiteral("Evening"))->parameters().size(), 2);
    QCOMPARE(byLabel(&root, QStringLiteral("Morning"))->parameters().size(), 1);
    model.clear();
    root.buildModel(&model);
    QCOMPARE(byLabel(&root, QStringLiteral("Evening"))->parameters().size(), 2);
    QCOMPARE(byLabel(&root, QStringLiteral("Daily"))->parameters().size(), 1);
    QCOMPARE(TestSupport::modelOutline(&model), expected);
}

void TestDesignImport::reimportRelabelsRenamedRoom()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    auto *pRooms = qobject_cast<HRCGroup *>(byLabel(&root, QStringLiteral("Ballroom")));
    QPointer<HNode> pRoom1 = pRooms->childAt(0);
    QPointer<HNode> pRoom2 = pRooms->childAt(1);
    QSignalSpy relabelled(pRoom1.data(), &HNode::labelChangedByReload);
    QSignalSpy untouched(pRoom2.data(), &HNode::labelChangedByReload);
    QSignalSpy colours(pRooms, &HNode::updateComboColorList);

    const int i = design.indexOf("Combiner");
    design.nodes[i].replace("Ballroom A", "Grand Ballroom");
    QVERIFY(import(root, design, true));

    QVERIFY(pRoom1 && pRoom2);
    QCOMPARE(pRooms->childAt(0), pRoom1.data());
    QCOMPARE(pRoom1->label(), QStringLiteral("[Combiner-Grand Ballroom]"));
    QCOMPARE(relabelled.count(), 1);
    QCOMPARE(relabelled.at(0).at(0).toString(), QStringLiteral("[Combiner-Ballroom A]"));
    QCOMPARE(relabelled.at(0).at(1).toString(), QStringLiteral("[Combiner-Grand Ballroom]"));
    QCOMPARE(untouched.count(), 0);
    QCOMPARE(pRooms->childCount(), 3);
    QCOMPARE(colours.count(), 1);
    // The registry was rebuilt from the new file, names and all.
    auto *pMain = qobject_cast<HChassis *>(root.childAt(0));
    QCOMPARE(pMain->registry()->roomName(1, 1), QStringLiteral("Combiner-Grand Ballroom"));
    QCOMPARE(pMain->registry()->findGroup(1)->name(), QStringLiteral("Ballroom"));
    QCOMPARE(pMain->registry()->findGroup(1)->rooms(), (QList<int>{1, 2, 3}));
}

void TestDesignImport::reimportRemovesDroppedBlockOnce()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    const QList<HNode *> before = subtree(&root);
    QList<QPointer<HNode>> guards;
    for (HNode *pNode : before)
        guards << pNode;
    RemovalRecorder recorder;
    recorder.watch(&root);
    HNode *pGain = byLabel(&root, QStringLiteral("Lobby Gain"));

    design.nodes.removeAt(design.indexOf("Lobby Gain"));
    design.assignment.replace("<Group id=\"100\"><Assign targetID=\"10\"/></Group>", "");
    QVERIFY(import(root, design, true));

    QCOMPARE(recorder.removed, QList<HNode *>{pGain});
    for (int i = 0; i < before.size(); ++i) {
        if (before.at(i) == pGain)
            QVERIFY(!guards.at(i));
        else
            QCOMPARE(guards.at(i).data(), before.at(i)); // the same objects stay
    }
    QCOMPARE(childLabels(root.childAt(0)).first(3), (QStringList{"Mic Inputs", "Digital Outs", "Source Select"}));
    // Assignments were read again, not added to the old ones.
    QCOMPARE(qobject_cast<HGroup *>(byLabel(&root, QStringLiteral("Source Pick")))->entries(),
             (QStringList{"CD", "Radio", "<1>", "<2>"}));
    QCOMPARE(qobject_cast<HParameterSetList *>(byLabel(&root, QStringLiteral("Daily")))->setNames(),
             (QStringList{"Morning", "Evening"}));
}

void TestDesignImport::reimportFollowsNewOrder()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    HNode *pMainBefore = root.childAt(0);
    HNode *pGain = byLabel(&root, QStringLiteral("Lobby Gain"));
    HNode *pSelector = byLabel(&root, QStringLiteral("Source Select"));

    // Selector before gain, and the annex rack with its nodes first.
    design.nodes.swapItemsAt(design.indexOf("Lobby Gain"), design.indexOf("Source Select"));
    const int annex = design.indexOf("Annex Rack");
    const QList<QByteArray> annexNodes = design.nodes.mid(annex);
    design.nodes = annexNodes + design.nodes.mid(0, annex);
    QVERIFY(import(root, design, true));

    QCOMPARE(childLabels(&root), (QStringList{"Annex Rack", "Main Rack"}));
    QCOMPARE(root.childAt(1), pMainBefore);
    QCOMPARE(childLabels(pMainBefore).first(4),
             (QStringList{"Mic Inputs", "Digital Outs", "Source Select", "Lobby Gain"}));
    QCOMPARE(byLabel(&root, QStringLiteral("Lobby Gain")), pGain);
    QCOMPARE(byLabel(&root, QStringLiteral("Source Select")), pSelector);
}

void TestDesignImport::reimportMatchesEachOldNodeOnce()
{
    // Two gains without node IDs: alike but for their labels.
    HRoot root;
    DesignFixture design;
    const auto p = &DesignFixture::property;
    const int at = design.indexOf("Lobby Gain");
    design.nodes.insert(at + 1, DesignFixture::node("className=\"Gain\" typeNumber=\"0\"",
                                                    {p("title", "Gain"), p("label", "Twin B")}));
    design.nodes.insert(at + 1, DesignFixture::node("className=\"Gain\" typeNumber=\"0\"",
                                                    {p("title", "Gain"), p("label", "Twin A")}));
    QVERIFY(import(root, design, false));
    QPointer<HNode> pTwinA = byLabel(&root, QStringLiteral("Twin A"));
    QPointer<HNode> pTwinB = byLabel(&root, QStringLiteral("Twin B"));
    QVERIFY(pTwinA && pTwinB);
    RemovalRecorder recorder;
    recorder.watch(&root);

    design.nodes[at + 1].replace("Twin A", "Twin A2");
    design.nodes[at + 2].replace("Twin B", "Twin B2");
    QVERIFY(import(root, design, true));

    QVERIFY(recorder.removed.isEmpty());
    QVERIFY(pTwinA && pTwinB);
    QCOMPARE(pTwinA->label(), QStringLiteral("Twin A2"));
    QCOMPARE(pTwinB->label(), QStringLiteral("Twin B2"));
}

void TestDesignImport::reimportDropsRoomsNoLongerMade()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    auto *pRooms = qobject_cast<HRCGroup *>(byLabel(&root, QStringLiteral("Ballroom")));
    QPointer<HNode> pFoyer = pRooms->childAt(2);
    RemovalRecorder recorder;
    recorder.watch(&root);

    design.nodes.removeAt(design.indexOf("Foyer Combiner"));
    QVERIFY(import(root, design, true));

    QCOMPARE(childLabels(pRooms), (QStringList{"[Combiner-Ballroom A]", "[Annex Combiner-Ballroom B]"}));
    QCOMPARE(recorder.removed.size(), 2); // the block and its room
    QVERIFY(recorder.removed.contains(pFoyer.data()));
    QTRY_VERIFY(!pFoyer); // released once the event loop runs
}

// Without its group in the Assignment section no room is made again: they
// all go, while the group stays for the controls bound to it.
void TestDesignImport::reimportDropsRoomsOfAnUnassignedGroup()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    QPointer<HRCGroup> pRooms = qobject_cast<HRCGroup *>(byLabel(&root, QStringLiteral("Ballroom")));
    QVERIFY(pRooms);
    QCOMPARE(pRooms->childCount(), 3);
    pRooms->setChecked(true);

    QVERIFY(design.assignment.contains("\t<RCGroup id=\"1\"/>\r\n"));
    design.assignment.replace("\t<RCGroup id=\"1\"/>\r\n", "");
    QVERIFY(import(root, design, true));
    root.purgeRemovable();

    QVERIFY(pRooms);
    QCOMPARE(childLabels(pRooms), QStringList());
}

void TestDesignImport::reimportRenamesTheParameterOfARenamedSet_data()
{
    QTest::addColumn<QByteArray>("oldLabel");
    QTest::addColumn<QByteArray>("newLabel");
    QTest::newRow("parameter set") << QByteArray("Evening") << QByteArray("Night");
    QTest::newRow("parameter-set list") << QByteArray("Daily") << QByteArray("Weekdays");
}

// The renamed set keeps one parameter, under its new label; the old one
// would stand beside it and make its controls ask for a set.
void TestDesignImport::reimportRenamesTheParameterOfARenamedSet()
{
    QFETCH(QByteArray, oldLabel);
    QFETCH(QByteArray, newLabel);
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    QStandardItemModel model;
    root.buildModel(&model);
    HNode *pSet = byLabel(&root, QString::fromLatin1(oldLabel));
    QVERIFY(pSet);
    QVERIFY(pSet->findParameter(QString::fromLatin1(oldLabel)));

    const QByteArray element = "\"label\" value=\"" + oldLabel + "\"";
    QVERIFY(design.parameterSets.contains(element) || design.lists.contains(element));
    design.parameterSets.replace(element, "\"label\" value=\"" + newLabel + "\"");
    design.lists.replace(element, "\"label\" value=\"" + newLabel + "\"");
    QVERIFY(import(root, design, true));
    QStandardItemModel rebuilt;
    root.buildModel(&rebuilt);

    QCOMPARE(byLabel(&root, QString::fromLatin1(newLabel)), pSet);
    QVERIFY(pSet->findParameter(QString::fromLatin1(newLabel)));
    QVERIFY(!pSet->findParameter(QString::fromLatin1(oldLabel)));
}

void TestDesignImport::reimportUpdatesDantePins()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    auto *pDante = qobject_cast<HDante *>(byLabel(&root, QStringLiteral("Dante")));
    QVERIFY(pDante);
    QCOMPARE(pDante->cardPins(), (QList<int>{5, 6}));

    const int i = design.indexOf("Dante");
    QVERIFY(i >= 0);
    design.nodes[i].replace("\"cardPin1\" value=\"5\"", "\"cardPin1\" value=\"9\"");
    QVERIFY(import(root, design, true));

    QCOMPARE(byLabel(&root, QStringLiteral("Dante")), pDante);
    QCOMPARE(pDante->cardPins(), (QList<int>{9, 6}));
    QCOMPARE(pDante->channelNumber(0), 9);
}

void TestDesignImport::emptyNodesGoAtPurge()
{
    // The annex holds only a block kind the system does not support; a
    // second room group is never assigned and so makes no rooms.
    HRoot root;
    DesignFixture design;
    design.nodes = design.nodes.mid(0, design.indexOf("Annex Rack") + 1);
    design.nodes << DesignFixture::node("className=\"MatrixMixer\" typeNumber=\"0\"",
                                        {DesignFixture::property("title", "Matrix Mixer")});
    design.rcGroups += "\t<RCGroup id=\"2\">\r\n" + DesignFixture::property("label", "Spare Rooms") + "\t</RCGroup>\r\n";
    QVERIFY(import(root, design, false));
    QPointer<HNode> pAnnex = root.childAt(1);
    QPointer<HNode> pSpare = byLabel(&root, QStringLiteral("Spare Rooms"));
    QVERIFY(pAnnex && pSpare);
    QCOMPARE(qobject_cast<HComposite *>(pAnnex.data())->childCount(), 0);
    RemovalRecorder recorder;
    recorder.watch(&root);

    root.purgeRemovable();
    QVERIFY(!pAnnex);
    QVERIFY(!pSpare);
    QCOMPARE(recorder.removed.size(), 3); // the annex, the spare group, the unassigned group
    QCOMPARE(childLabels(&root), QStringList{"Main Rack"});
    QVERIFY(byLabel(&root, QStringLiteral("Ballroom")));
}

void TestDesignImport::roomNodesFromNodeElements()
{
    // Room and room-group types in the node list land under a processor: they
    // answer their defaults and build no rooms.
    HRoot root;
    DesignFixture design;
    const auto p = &DesignFixture::property;
    design.nodes.insert(1, DesignFixture::node("className=\"RCRoom\"", {p("label", "Stray Room"), p("nodeID", "90")}));
    design.nodes.insert(1, DesignFixture::node("className=\"RCGroup\"", {p("label", "Stray Group"), p("nodeID", "91")}));
    QVERIFY(import(root, design, false));
    HNode *pRoom = byLabel(&root, QStringLiteral("Stray Room"));
    QVERIFY(qobject_cast<HRCRoom *>(pRoom));
    QCOMPARE(pRoom->roomColor(0), QStringLiteral("purple"));
    QVERIFY(!pRoom->isQueryPending());
    QStandardItemModel model;
    root.buildModel(&model);
    QVERIFY(import(root, design, true));
    QVERIFY(byLabel(&root, QStringLiteral("Stray Room")));
}

void TestDesignImport::reimportDropsMissingProcessor()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    HNode *pAnnex = root.childAt(1);
    auto *pRooms = qobject_cast<HRCGroup *>(byLabel(&root, QStringLiteral("Ballroom")));
    // Its blocks, the card and itself; the rooms of its blocks lose their room too.
    QList<HNode *> expected = subtree(pAnnex) << pAnnex << pRooms->childAt(1) << pRooms->childAt(2);
    RemovalRecorder recorder;
    recorder.watch(&root);

    design.nodes = design.nodes.mid(0, design.indexOf("Annex Rack"));
    QVERIFY(import(root, design, true));

    QCOMPARE(childLabels(&root), QStringList{"Main Rack"});
    QCOMPARE(recorder.removed.size(), expected.size());
    for (HNode *pNode : expected)
        QVERIFY(recorder.removed.contains(pNode));
    // Rooms 2 and 3 now have no registered room: their nodes go too.
    QCOMPARE(childLabels(byLabel(&root, QStringLiteral("Ballroom"))), QStringList{"[Combiner-Ballroom A]"});
}

void TestDesignImport::reimportTakesNewCardCategory()
{
    HRoot root;
    DesignFixture design;
    QVERIFY(import(root, design, false));
    HNode *pInputs = byLabel(&root, QStringLiteral("Mic Inputs"));
    QSignalSpy relabelled(pInputs, &HNode::labelChangedByReload);

    const int i = design.indexOf("Mic Inputs");
    design.nodes[i].replace("Devices.Input\" cardType=\"VM-AI4\"", "Devices.Output\" cardType=\"VM-DO4\"");
    design.nodes[i].replace("Mic Inputs", "Spare Outs");
    QVERIFY(import(root, design, true));

    QCOMPARE(byLabel(&root, QStringLiteral("Spare Outs")), pInputs);
    QCOMPARE(pInputs->category(), QStringLiteral("Digital I/O"));
    QCOMPARE(relabelled.count(), 1);
    QCOMPARE(relabelled.at(0).at(1).toString(), QStringLiteral("Spare Outs"));
}

void TestDesignImport::version_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("4.2") << QByteArray("4.2") << true;
    QTest::newRow("4.10 reads as 4.1") << QByteArray("4.10") << false;
    QTest::newRow("4.19") << QByteArray("4.19") << false;
    QTest::newRow("5") << QByteArray("5") << true;
    QTest::newRow("absent") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("not a number") << QByteArray("four") << false;
    QTest::newRow("markup") << QByteArray("&lt;b&gt;1&lt;/b&gt;") << false;
}

void TestDesignImport::version()
{
    QFETCH(QByteArray, version);
    QFETCH(bool, accepted);
    HRoot root;
    DesignFixture design;
    design.version = version;
    WarningRecorder warnings;
    if (!accepted)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QCOMPARE(import(root, design, false), accepted);
    if (accepted) {
        QVERIFY(warnings.texts.isEmpty());
        QCOMPARE(root.childCount(), 2);
        return;
    }
    QCOMPARE(warnings.titles, QStringList{"Open Velmora Designer File Error"});
    const QString shown = QString::fromUtf8(version).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                              .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    QVERIFY(warnings.texts.first().startsWith(
        QStringLiteral("Velmora Viviza builder cannot open this file. (version: ") + shown + QStringLiteral(")\n\n")));
    QVERIFY(warnings.texts.first().endsWith(QStringLiteral("(System->Update Firmware). ")));
    QCOMPARE(root.childCount(), 0); // refused before any node
}

void TestDesignImport::blockBeforeAnyProcessor()
{
    HRoot root;
    DesignFixture design;
    const auto p = &DesignFixture::property;
    design.nodes.prepend(DesignFixture::node("className=\"Gain\" typeNumber=\"0\"",
                                             {p("title", "Gain"), p("label", "Early Gain")}));
    QTest::ignoreMessage(QtDebugMsg, "ActiveChassis is null. Deleting parsed node.");
    QVERIFY(import(root, design, false));
    QVERIFY(!byLabel(&root, QStringLiteral("Early Gain")));
    QCOMPARE(childLabels(&root), (QStringList{"Main Rack", "Annex Rack"}));
}

void TestDesignImport::setsWithoutMainProcessorAreDropped()
{
    HRoot root;
    DesignFixture design;
    design.nodes[0].replace("\"True\"", "\"true\"");
    QVERIFY(import(root, design, false));
    QCOMPARE(childLabels(root.childAt(0)).size(), 6);
    QVERIFY(!byLabel(&root, QStringLiteral("All Level")));
    QVERIFY(!byLabel(&root, QStringLiteral("Ballroom")));
    QVERIFY(!byLabel(&root, QStringLiteral("Evening")));
    QVERIFY(!byLabel(&root, QStringLiteral("Daily")));
}

void TestDesignImport::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("kept");
    const QByteArray whole = DesignFixture().bytes();
    const qsizetype annex = whole.indexOf("Annex Rack");
    QTest::newRow("truncated") << whole.left(annex + 200) << QStringList{"Main Rack", "Annex Rack"};
    QTest::newRow("mismatched tag") << QByteArray(whole).replace("</Groups>", "</Group>")
                                    << QStringList{"Main Rack", "Annex Rack"};
    QTest::newRow("not xml") << QByteArray("\x01\x02garbage") << QStringList();
    QTest::newRow("empty") << QByteArray() << QStringList();

    QByteArray deep = "<?xml version=\"1.0\"?><VMD><Project version=\"4.2\"><Nodes>"
                      + DesignFixture::node("className=\"KRX\"", {DesignFixture::property("title", "KRX 880"),
                                                                  DesignFixture::property("label", "Rack")});
    for (int i = 0; i < 12; ++i)
        deep += "<Deep>";
    for (int i = 0; i < 12; ++i)
        deep += "</Deep>";
    deep += "</Nodes></Project></VMD>";
    QTest::newRow("nested too deep") << deep << QStringList();
}

void TestDesignImport::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, kept);
    const QString path = m_dir.filePath(QStringLiteral("bad.vmp"));
    QVERIFY(TestSupport::writeAll(path, bytes));
    HRoot root;
    WarningRecorder warnings;
    if (QByteArray(QTest::currentDataTag()) == "nested too deep")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nested deeper")));
    else
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Fatal error on line")));
    QVERIFY(!HComposite::loadDesignFile(&root, path, false, nullptr));
    QCOMPARE(childLabels(&root), kept);
    QVERIFY(!HComposite::loadDesignFile(&root, m_dir.filePath(QStringLiteral("missing.vmp")), false, nullptr));
}

// Logic views hold the design tool's own drawing, which may nest deeply: skipped, not refused.
void TestDesignImport::deepContentOfASkippedViewIsIgnored()
{
    const auto p = &DesignFixture::property;
    QByteArray view = "<LogicView>";
    for (int i = 0; i < 16; ++i)
        view += "<Deep>";
    view += DesignFixture::node("className=\"KRX\"", {p("title", "KRX 880"), p("label", "Not a node")});
    for (int i = 0; i < 16; ++i)
        view += "</Deep>";
    view += "</LogicView>";
    DesignFixture design;
    design.nodes << DesignFixture::node("className=\"Logic\"", {p("title", "Logic"), p("label", "Logic 1")}, view);
    HRoot root;
    QVERIFY(import(root, design, false));
    QCOMPARE(childLabels(&root), (QStringList{QStringLiteral("Main Rack"), QStringLiteral("Annex Rack")}));
    QVERIFY(!byLabel(&root, QStringLiteral("Not a node")));
}

void TestDesignImport::deepNestingIsRefusedWithAMessage_data()
{
    QTest::addColumn<bool>("reload");
    QTest::newRow("first import") << false;
    QTest::newRow("re-import") << true;
}

// Content nested too deep outside a skipped view cannot be read: the user is
// told the file was not imported and why, and the tree stays as it was.
void TestDesignImport::deepNestingIsRefusedWithAMessage()
{
    QFETCH(bool, reload);
    HRoot root;
    if (reload)
        QVERIFY(import(root, DesignFixture(), false));
    const QStringList before = labels(subtree(&root));
    const auto p = &DesignFixture::property;
    QByteArray deep;
    for (int i = 0; i < 16; ++i)
        deep += "<Deep>";
    for (int i = 0; i < 16; ++i)
        deep += "</Deep>";
    DesignFixture design;
    // Read before the deep part, it would change the tree.
    design.nodes[0].replace("Main Rack", "Renamed Rack");
    design.nodes << DesignFixture::node("className=\"Gain\" typeNumber=\"0\"",
                                        {p("title", "Gain"), p("label", "Deep Gain")}, deep);
    WarningRecorder warnings;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nested deeper")));

    QVERIFY(!import(root, design, reload));
    QCOMPARE(warnings.titles, QStringList{"Open Velmora Designer File Error"});
    QVERIFY2(warnings.texts.first().contains(QLatin1String("was not imported"))
                 && warnings.texts.first().contains(QLatin1String("12 levels")),
             qPrintable(warnings.texts.first()));
    QCOMPARE(labels(subtree(&root)), before);
}

void TestDesignImport::windows1252FileYieldsAmplifierTitles()
{
    DesignFixture design;
    const auto p = &DesignFixture::property;
    // A decoy with the target's value under another name comes first.
    design.nodes[0].replace("<Property name=\"label\"", "<Property name=\"index\" value=\"51\"/>\r\n\t\t<Property name=\"label\"");
    design.nodes << DesignFixture::node("className=\"Zindle\" typeNumber=\"0\"",
                                        {p("title", "AZR 4400"), p("label", "Amp Caf\xe9 \x80"), p("nodeID", "50"),
                                         p("deviceType", "AZR 4400")});
    design.extra = "<Modules>\r\n\t<Module tarvoNodeID=\"50\"><Channel>" + p("nodeID", "51")
                   + "</Channel></Module>\r\n</Modules>\r\n";
    design.groups += "\t<Group id=\"103\">\r\n" + p("title", "Group") + p("label", "Amp Level")
                     + p("groupType", "Level") + "\t</Group>\r\n";
    design.assignment += "\t<Group id=\"103\"><Assign targetID=\"51\"/></Group>\r\n";
    HRoot root;
    QVERIFY(import(root, design, false));

    QCOMPARE(childLabels(&root).last(), QString::fromUtf8("Amp Caf\u00e9 \u20ac"));
    HNode *pAmpGroup = byLabel(&root, QStringLiteral("Amp Level"));
    QVERIFY(pAmpGroup);
    QCOMPARE(pAmpGroup->ampTitles(), QStringList{"AZR 4400"});
    // Groups read before the amplifier carry none.
    QVERIFY(byLabel(&root, QStringLiteral("All Level"))->ampTitles().isEmpty());

    // The amplifier and its groups stay out of the project tree.
    QStandardItemModel model;
    root.buildModel(&model);
    const QStringList outline = TestSupport::modelOutline(&model);
    QVERIFY(outline.contains(QStringLiteral("  All Level")));
    QVERIFY(!outline.contains(QStringLiteral("  Amp Level")));
    QVERIFY(!outline.contains(QString::fromUtf8("Amp Caf\u00e9 \u20ac")));
}

VVB_TEST_MAIN(TestDesignImport)
#include "tst_designimport.moc"
