#include "hardware/HComposite.h"
#include "hardware/HRoot.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"

#include <QPointer>
#include <QtTest>

namespace {

// root
//   procA (Rack A)            id 1
//     b1  Blocks  "Gain 1"    id 11
//     b2  Blocks  "Gain 2"    id 5
//     group (composite)       id 20
//       r1  RCRooms "Room 1"  id 5
//       r2  RCRooms "Room 2"  id 22
//   procB (Rack B)            id 2
//     b3  Blocks  "Gain 3"    id 5
//     r3  RCRooms "Room 3"    id 23
struct Tree
{
    HRoot root;
    FakeProcessor *procA = new FakeProcessor(QStringLiteral("Rack A"));
    FakeProcessor *procB = new FakeProcessor(QStringLiteral("Rack B"));
    HComposite *group = new HComposite;
    FakeNode *b1 = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    FakeNode *b2 = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 2"));
    FakeNode *b3 = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 3"));
    FakeNode *r1 = new FakeNode(QStringLiteral("RCRooms"), QStringLiteral("Room 1"));
    FakeNode *r2 = new FakeNode(QStringLiteral("RCRooms"), QStringLiteral("Room 2"));
    FakeNode *r3 = new FakeNode(QStringLiteral("RCRooms"), QStringLiteral("Room 3"));

    Tree()
    {
        root.setNodeId(5);
        procA->setNodeId(1);
        procB->setNodeId(2);
        group->setNodeId(20);
        group->setLabel(QStringLiteral("Group"));
        b1->setNodeId(11);
        b2->setNodeId(5);
        b3->setNodeId(5);
        r1->setNodeId(5);
        r2->setNodeId(22);
        r3->setNodeId(23);
        root.addNode(procA);
        root.addNode(procB);
        procA->addNode(b1);
        procA->addNode(b2);
        procA->addNode(group);
        group->addNode(r1);
        group->addNode(r2);
        procB->addNode(b3);
        procB->addNode(r3);
    }

    QList<HNode *> all() const { return {procA, procB, group, b1, b2, b3, r1, r2, r3}; }
};

QStringList nodeLabels(const QList<HNode *> &nodes)
{
    QStringList texts;
    for (const HNode *pNode : nodes)
        texts << pNode->label();
    return texts;
}

QStringList childNodeLabels(const HComposite *pComposite)
{
    return nodeLabels(pComposite->children());
}

QList<QPointer<HNode>> guards(const QList<HNode *> &nodes)
{
    QList<QPointer<HNode>> pointers;
    for (HNode *pNode : nodes)
        pointers << QPointer<HNode>(pNode);
    return pointers;
}

// Runs a removal and checks that exactly the expected nodes announced their
// removal, once each, in this order (children before their composite), that
// they are gone and that the others are still alive.
template<typename Removal>
void verifyRemoval(Tree &tree, Removal removal, const QList<HNode *> &expectedGone)
{
    RemovalRecorder recorder;
    recorder.watch(&tree.root);
    QList<HNode *> kept;
    for (HNode *pNode : tree.all()) {
        if (!expectedGone.contains(pNode))
            kept << pNode;
    }
    const auto goneGuards = guards(expectedGone);
    const auto keptGuards = guards(kept);

    removal();

    QCOMPARE(recorder.removed, expectedGone);
    for (const QPointer<HNode> &pGone : goneGuards)
        QVERIFY2(pGone.isNull(), "a removed node still exists");
    for (const QPointer<HNode> &pKept : keptGuards)
        QVERIFY2(!pKept.isNull(), "a kept node was deleted");
}

} // namespace

class TestHTree : public QObject
{
    Q_OBJECT

private slots:
    void attachesInOrder();
    void searchesDepthFirst();
    void collectsThroughNestedComposites();
    void sortsBySortKey();
    void movesChildToBack();
    void compositeCheckedByOwnBitOrChild();
    void clearsFlagsOverTheTree();
    void purgeAnnouncesEveryRemovedNodeOnce();
    void purgeKeepsRootAndSelectedComposite();
    void removeIfCheckedFalseKeepsSelectedBranches();
    void removeIfCheckedTrueAnnouncesSubtree();
    void deleteIfNotPersistent();
    void removeUnmarkedDropsUnseenNodes();
    void removeChildTakesWithoutDeleting();
    void protocolAndChildAccess();
};

void TestHTree::attachesInOrder()
{
    Tree tree;
    QCOMPARE(childNodeLabels(&tree.root), (QStringList{"Rack A", "Rack B"}));
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 1", "Gain 2", "Group"}));
    QCOMPARE(tree.r1->parentNode(), tree.group);
    QCOMPARE(tree.group->parentNode(), tree.procA);
    QCOMPARE(tree.root.category(), QStringLiteral("Root"));
    QCOMPARE(tree.group->category(), QStringLiteral("Composite"));
    QVERIFY(!tree.root.parentNode());
    QCOMPARE(tree.procA->childAt(2), tree.group);
    QVERIFY(!tree.procA->childAt(3));
    QVERIFY(!tree.procA->childAt(-1));
    QVERIFY(!tree.b1->childAt(0));
}

void TestHTree::searchesDepthFirst()
{
    Tree tree;
    // Three nodes carry id 5: b2 comes first depth first; the root is never its own hit.
    QCOMPARE(tree.root.findById(5), tree.b2);
    QCOMPARE(tree.root.findByCategoryAndId(QStringLiteral("RCRooms"), 5), tree.r1);
    QCOMPARE(tree.root.findByCategory(QStringLiteral("RCRooms")), tree.r1);
    QCOMPARE(tree.procB->findByCategory(QStringLiteral("RCRooms")), tree.r3);
    QCOMPARE(tree.root.findByAttribute(QStringLiteral("label"), QStringLiteral("Gain 3")), tree.b3);
    QCOMPARE(tree.root.findByCategoryAndAttribute(QStringLiteral("RCRooms"), QStringLiteral("label"),
                                                  QStringLiteral("Room 2")),
             tree.r2);
    QVERIFY(!tree.root.findByCategory(QStringLiteral("Root")));
    QVERIFY(!tree.root.findById(99));
    QVERIFY(!tree.root.findByAttribute(QStringLiteral("label"), QStringLiteral("gain 3")));
}

void TestHTree::collectsThroughNestedComposites()
{
    Tree tree;
    QList<HNode *> found{tree.procA}; // stale content is dropped once
    QVERIFY(tree.root.collect(QStringLiteral("RCRooms"), &found));
    QCOMPARE(found, (QList<HNode *>{tree.r1, tree.r2, tree.r3}));

    QVERIFY(tree.root.collectByCategory(QStringLiteral("Blocks"), &found));
    QCOMPARE(found, (QList<HNode *>{tree.b1, tree.b2, tree.b3}));

    QVERIFY(!tree.root.collect(QStringLiteral("Nothing"), &found));
    QVERIFY(found.isEmpty());
    QVERIFY(!tree.root.collect(QStringLiteral("Blocks"), nullptr));

    // A sub-composite asked directly starts its own collection.
    QVERIFY(tree.group->collect(QStringLiteral("RCRooms"), &found));
    QCOMPARE(found, (QList<HNode *>{tree.r1, tree.r2}));
}

void TestHTree::sortsBySortKey()
{
    Tree tree;
    tree.b1->setSortKey(2);
    tree.b2->setSortKey(-1);
    tree.b3->setSortKey(0);
    tree.r1->setSortKey(2);
    tree.r2->setSortKey(0);
    QList<HNode *> nodes{tree.b1, tree.b2, tree.b3, tree.r1, tree.r2};
    tree.root.sortById(&nodes);
    QCOMPARE(nodes, (QList<HNode *>{tree.b2, tree.b3, tree.r2, tree.b1, tree.r1}));
    tree.root.sortById(nullptr);
    tree.b1->sortById(&nodes); // a leaf leaves the list alone
    QCOMPARE(nodes.first(), tree.b2);
}

void TestHTree::movesChildToBack()
{
    Tree tree;
    tree.procA->moveChildToBack(tree.b1);
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 2", "Group", "Gain 1"}));
    tree.procA->moveChildToBack(tree.b1); // already last
    tree.procA->moveChildToBack(tree.b3); // not a child
    tree.procA->moveChildToBack(nullptr);
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 2", "Group", "Gain 1"}));
}

void TestHTree::compositeCheckedByOwnBitOrChild()
{
    Tree tree;
    QVERIFY(!tree.group->isChecked());
    tree.r2->setChecked(true);
    QVERIFY(tree.group->isChecked());
    QVERIFY(tree.procA->isChecked());
    QVERIFY(!tree.procB->isChecked());
    tree.r2->setChecked(false);
    tree.group->setChecked(true); // e.g. a combination selector bound to the group
    QVERIFY(tree.group->isChecked());
    QVERIFY(tree.procA->isChecked());

    tree.root.uncheck();
    for (HNode *pNode : tree.all())
        QVERIFY(!pNode->hasFlags(HNode::FlagSelected));
}

void TestHTree::clearsFlagsOverTheTree()
{
    Tree tree;
    tree.root.setFlags(HNode::FlagSeen | HNode::FlagInUse);
    for (HNode *pNode : tree.all())
        pNode->setFlags(HNode::FlagSeen | HNode::FlagInUse);

    tree.root.clearReloadFlag(true);
    QVERIFY(tree.root.hasFlags(HNode::FlagSeen));
    for (HNode *pNode : tree.all())
        QVERIFY(!pNode->hasFlags(HNode::FlagSeen));
    tree.root.clearReloadFlag(false);
    QVERIFY(!tree.root.hasFlags(HNode::FlagSeen));

    tree.root.clearInUse();
    QVERIFY(!tree.root.hasFlags(HNode::FlagInUse));
    for (HNode *pNode : tree.all())
        QVERIFY(!pNode->hasFlags(HNode::FlagInUse));
}

void TestHTree::purgeAnnouncesEveryRemovedNodeOnce()
{
    Tree tree;
    // Import state: processors and modules are not removable; b2 is selected.
    tree.procA->clearFlags(HNode::FlagRemovable);
    tree.procB->clearFlags(HNode::FlagRemovable);
    tree.b1->clearFlags(HNode::FlagRemovable);
    tree.b2->setChecked(true);

    // The emptied group and procB go after their children; the root drops procB.
    verifyRemoval(tree, [&] { QVERIFY(!tree.root.purgeRemovable()); },
                  {tree.r1, tree.r2, tree.group, tree.b3, tree.r3, tree.procB});
    QCOMPARE(childNodeLabels(&tree.root), QStringList{"Rack A"});
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 1", "Gain 2"}));
}

void TestHTree::purgeKeepsRootAndSelectedComposite()
{
    HRoot root;
    QVERIFY(root.purgeRemovable()); // empty, but the root stays alive
    QCOMPARE(root.category(), QStringLiteral("Root"));

    Tree tree;
    tree.group->setChecked(true); // bound itself: kept although emptied
    tree.b1->setChecked(true);
    verifyRemoval(tree, [&] { tree.root.purgeRemovable(); },
                  {tree.b2, tree.r1, tree.r2, tree.b3, tree.r3, tree.procB});
    QCOMPARE(childNodeLabels(&tree.root), QStringList{"Rack A"});
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 1", "Group"}));
    QVERIFY(tree.group->children().isEmpty());
}

void TestHTree::removeIfCheckedFalseKeepsSelectedBranches()
{
    Tree tree;
    tree.r2->setChecked(true);
    // procB has nothing selected: it goes, procA and the group stay for r2.
    verifyRemoval(tree, [&] { QVERIFY(!tree.root.removeIfChecked(false)); },
                  {tree.b1, tree.b2, tree.r1, tree.b3, tree.r3, tree.procB});
    QCOMPARE(childNodeLabels(&tree.root), QStringList{"Rack A"});
    QCOMPARE(childNodeLabels(tree.procA), QStringList{"Group"});
    QCOMPARE(childNodeLabels(tree.group), QStringList{"Room 2"});
}

void TestHTree::removeIfCheckedTrueAnnouncesSubtree()
{
    Tree tree;
    tree.group->setChecked(true);
    tree.r1->setChecked(true);
    // r1 goes on its own; the group, checked itself, goes with r2 still inside.
    verifyRemoval(tree, [&] { tree.root.removeIfChecked(true); }, {tree.r1, tree.r2, tree.group});
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 1", "Gain 2"}));
}

void TestHTree::deleteIfNotPersistent()
{
    Tree tree;
    for (HNode *pNode : {static_cast<HNode *>(tree.procA), static_cast<HNode *>(tree.b1),
                         static_cast<HNode *>(tree.group), static_cast<HNode *>(tree.r1)})
        pNode->setFlags(HNode::FlagPersistent);
    verifyRemoval(tree, [&] { QVERIFY(!tree.root.deleteIfNotPersistent()); },
                  {tree.b2, tree.r2, tree.b3, tree.r3, tree.procB});
    QCOMPARE(childNodeLabels(&tree.root), QStringList{"Rack A"});
    QCOMPARE(childNodeLabels(tree.group), QStringList{"Room 1"});
}

void TestHTree::removeUnmarkedDropsUnseenNodes()
{
    Tree tree;
    for (HNode *pNode : {static_cast<HNode *>(tree.procA), static_cast<HNode *>(tree.b2),
                         static_cast<HNode *>(tree.r2), static_cast<HNode *>(tree.r3)})
        pNode->setFlags(HNode::FlagSeen);
    // Unseen composites go with whatever they still hold (r2, r3), each announced.
    verifyRemoval(tree, [&] { tree.root.removeUnmarked(); },
                  {tree.b1, tree.r1, tree.r2, tree.group, tree.b3, tree.r3, tree.procB});
    QCOMPARE(childNodeLabels(&tree.root), QStringList{"Rack A"});
    QCOMPARE(childNodeLabels(tree.procA), QStringList{"Gain 2"});
}

void TestHTree::removeChildTakesWithoutDeleting()
{
    Tree tree;
    QPointer<HNode> pB1(tree.b1);
    QVERIFY(tree.procA->removeChild(tree.b1));
    QVERIFY(!tree.procA->removeChild(tree.b1));
    QVERIFY(!tree.procA->removeChild(nullptr));
    QVERIFY(!tree.b2->removeChild(tree.b3));
    QVERIFY(!pB1.isNull());
    QCOMPARE(childNodeLabels(tree.procA), (QStringList{"Gain 2", "Group"}));
    delete tree.b1;
}

void TestHTree::protocolAndChildAccess()
{
    Tree tree;
    auto *pProtocol = reinterpret_cast<PProtocol *>(quintptr(0x40));
    tree.procA->setProtocol(pProtocol);
    QVERIFY(!tree.procA->protocol()); // a composite keeps its own pointer
    QCOMPARE(tree.b1->protocol(), pProtocol);
    QCOMPARE(tree.r1->protocol(), pProtocol);
    QVERIFY(!tree.b3->protocol());

    auto *pLate = new FakeNode;
    tree.group->addNode(pLate); // inherits the group's (null) protocol
    QVERIFY(!pLate->protocol());
    pLate->setParent(tree.b1);
    QVERIFY(pLate->initNode());
    QCOMPARE(pLate->protocol(), pProtocol);
    pLate->setParent(tree.group);
}

VVB_TEST_MAIN(TestHTree)
#include "tst_htree.moc"
