#include "controllers/ControllerId.h"
#include "controllers/KTreeController.h"
#include "controllers/NotifyEventId.h"
#include "hardware/HRoot.h"
#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "utility/TreeItem.h"
#include "views/VModeManager.h"
#include "views/VModel.h"
#include "views/VTree.h"

#include <QHeaderView>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kLinkFlags = 0x1035;

QStringList rowTexts(const QStandardItem *pItem)
{
    QStringList texts;
    for (int row = 0; row < pItem->rowCount(); ++row)
        texts << pItem->child(row)->text();
    return texts;
}

QStandardItem *childNamed(const QStandardItem *pItem, const QString &text)
{
    for (int row = 0; pItem && row < pItem->rowCount(); ++row) {
        if (pItem->child(row)->text() == text)
            return pItem->child(row);
    }
    return nullptr;
}

quint64 handleFrom(const QMimeData *pData, const QString &type)
{
    bool ok = false;
    const quint64 handle = pData->data(type).toULongLong(&ok);
    return ok ? handle : 0;
}

} // namespace

// The project tree: rows built from a hand-built hardware tree with the
// "Graphics", "System" and "Links" groups after it, the links rebuilt in
// place, drag data whose number resolves only to live nodes, the styles of
// edit mode and the keys and clicks the view reacts to.
class TestVTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyUntilInitialised();
    void rowsFromTheHardwareTree();
    void fixedGroupsAndItems();
    void rebuildingLinksKeepsEverythingElse();
    void linksFoundByPointerNotByName();
    void dragData_data();
    void dragData();
    void dragOfAGroupCarriesOnlyText();
    void dragOfNothing();
    void staleOrUnknownHandlesResolveToNothing_data();
    void staleOrUnknownHandlesResolveToNothing();
    void doubleClickOnAStaleLinkDoesNothing();
    void headerShowsTheFileName_data();
    void headerShowsTheFileName();
    void editModeStyle();
    void selectionExpandsAndControlCollapses();
    void keysOnlyRemembered();
    void mousePressClosesTheModalObject();
    void pressAndMoveExpandsNothing_data();
    void pressAndMoveExpandsNothing();
    void layoutUsesInclusiveEdges();
    void buildNeedsTreeAndModel();

private:
    QString writeTemplate(const QString &name, const QStringList &parameters);
    void buildDesign(bool processorNamedLinks = false);

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_pPage;
    std::unique_ptr<MModel> m_pModel;
    KTreeController *m_pTree = nullptr;
    FakeProcessor *m_pProcessor = nullptr;
    FakeNode *m_pGain = nullptr;
    FakeNode *m_pPanelNode = nullptr;
};

QString TestVTree::writeTemplate(const QString &name, const QStringList &parameters)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD>\r\n<Parameters>\r\n";
    for (const QString &parameter : parameters) {
        const QStringList parts = parameter.split(QLatin1Char(':'));
        xml += "<parameter>\r\n\t<text>" + parts.value(0).toLatin1() + "</text>\r\n\t<type>"
               + parts.value(1).toLatin1() + "</type>\r\n</parameter>\r\n";
    }
    xml += "</Parameters>\r\n<Controls>\r\n</Controls>\r\n</VMD>\r\n";
    const QString path = m_dir.filePath(name);
    return TestSupport::writeAll(path, xml) ? path : QString();
}

void TestVTree::init()
{
    m_pPage = std::make_unique<QWidget>();
    m_pModel = std::make_unique<MModel>();
    m_pModel->init();
    m_pTree = new KTreeController(m_pPage.get(), m_pModel.get());
    m_pModel->addController(m_pTree);
}

void TestVTree::cleanup()
{
    m_pModel.reset();
    m_pPage.reset();
    m_pProcessor = nullptr;
    m_pGain = nullptr;
    m_pPanelNode = nullptr;
}

// A processor "Rack" with a gain block of two parameters and a block that
// offers a whole panel; optionally a second processor labelled "Links".
void TestVTree::buildDesign(bool processorNamedLinks)
{
    m_pProcessor = new FakeProcessor(QStringLiteral("Rack"));
    m_pGain = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Gain 1"));
    m_pGain->setTemplatePath(writeTemplate(QStringLiteral("Gain_0.xml"), {"Level:Slider", "Mute:Button"}));
    m_pPanelNode = new FakeNode(QStringLiteral("Blocks"), QStringLiteral("Room Panel"));
    m_pPanelNode->setTemplatePath(writeTemplate(QStringLiteral("Panel_0.xml"), {}));
    m_pModel->rootNode()->addNode(m_pProcessor);
    m_pProcessor->addNode(m_pGain);
    m_pProcessor->addNode(m_pPanelNode);
    if (processorNamedLinks)
        m_pModel->rootNode()->addNode(new FakeProcessor(QStringLiteral("Links")));
    m_pModel->notifyControllers(NotifyEventId::Initialised);
}

void TestVTree::emptyUntilInitialised()
{
    QCOMPARE(m_pTree->itemModel()->rowCount(), 0);
    QCOMPARE(m_pModel->findController(ControllerId::ProjectTree), m_pTree);
    QCOMPARE(m_pTree->tree()->parentWidget(), m_pPage.get());
    m_pModel->notifyControllers(NotifyEventId::SelectionChanged);
    QCOMPARE(m_pTree->itemModel()->rowCount(), 0);
}

void TestVTree::rowsFromTheHardwareTree()
{
    buildDesign();
    QStandardItemModel *pItems = m_pTree->itemModel();
    QCOMPARE(m_pTree->tree()->model(), pItems);
    QCOMPARE(m_pTree->tree()->controller(), m_pTree);
    QCOMPARE(rowTexts(pItems->invisibleRootItem()),
             (QStringList{"Rack", "Groups", "ParameterSets", "RCGroups", "ParameterSetLists", "Graphics",
                          "System", "Links"}));
    QStandardItem *pGain = childNamed(childNamed(pItems->item(0), "Blocks"), "Gain 1");
    QVERIFY(pGain);
    QCOMPARE(rowTexts(pGain), (QStringList{"Level", "Mute"}));
    // Everything starts collapsed.
    for (int row = 0; row < pItems->rowCount(); ++row)
        QVERIFY(!m_pTree->tree()->isExpanded(pItems->index(row, 0)));

    // Every further 0x2800 rebuilds from scratch, never doubling rows.
    m_pModel->notifyControllers(NotifyEventId::Initialised);
    QCOMPARE(pItems->rowCount(), 8);
    QCOMPARE(rowTexts(childNamed(childNamed(pItems->item(0), "Blocks"), "Gain 1")), (QStringList{"Level", "Mute"}));
}

void TestVTree::fixedGroupsAndItems()
{
    buildDesign();
    QStandardItemModel *pItems = m_pTree->itemModel();
    QStandardItem *pGraphics = pItems->item(5);
    QStandardItem *pSystem = pItems->item(6);
    QStandardItem *pLinks = pItems->item(7);
    QCOMPARE(rowTexts(pGraphics), (QStringList{"Label", "Image", "Frame", "Region"}));
    QCOMPARE(rowTexts(pSystem), (QStringList{"Setup Button", "Connection Indicator"}));
    QCOMPARE(pLinks->rowCount(), 0); // no panel document yet
    QCOMPARE(m_pTree->linksGroup(), pLinks);
    for (QStandardItem *pGroup : {pGraphics, pSystem, pLinks}) {
        QCOMPARE(pGroup->flags().toInt(), 0x31);
        QVERIFY(!pGroup->data(TreeItem::HandleRole).isValid());
    }
    for (QStandardItem *pGroup : {pGraphics, pSystem}) {
        for (int row = 0; row < pGroup->rowCount(); ++row) {
            QStandardItem *pItem = pGroup->child(row);
            QCOMPARE(pItem->flags().toInt(), 0x435);
            QVERIFY2(!pItem->icon().isNull(), qPrintable(pItem->text()));
            QVERIFY(!pItem->icon().pixmap(16, 16).isNull());
            QCOMPARE(VModel::handleOf(pItem), quint64(0));
        }
    }
}

void TestVTree::rebuildingLinksKeepsEverythingElse()
{
    buildDesign();
    QStandardItemModel *pItems = m_pTree->itemModel();
    QPersistentModelIndex rack(pItems->index(0, 0));
    QPersistentModelIndex graphics(pItems->index(5, 0));
    QStandardItem *pOldLinks = m_pTree->linksGroup();
    pOldLinks->appendRow(new QStandardItem(QStringLiteral("stale panel")));

    m_pModel->notifyControllers(NotifyEventId::PanelsChanged);
    QCOMPARE(pItems->rowCount(), 8);
    QVERIFY(rack.isValid() && graphics.isValid()); // untouched rows
    QCOMPARE(rack.row(), 0);
    QStandardItem *pLinks = pItems->item(7);
    QCOMPARE(pLinks->text(), QStringLiteral("Links"));
    QCOMPARE(m_pTree->linksGroup(), pLinks);
    QCOMPARE(pLinks->rowCount(), 0);
    QCOMPARE(pLinks->flags().toInt(), 0x31);
}

void TestVTree::linksFoundByPointerNotByName()
{
    buildDesign(true);
    QStandardItemModel *pItems = m_pTree->itemModel();
    QCOMPARE(rowTexts(pItems->invisibleRootItem()),
             (QStringList{"Rack", "Links", "Groups", "ParameterSets", "RCGroups", "ParameterSetLists",
                          "Graphics", "System", "Links"}));
    const QStringList processorGroups = rowTexts(pItems->item(1));
    QVERIFY(!processorGroups.isEmpty());
    for (int round = 0; round < 2; ++round)
        m_pModel->notifyControllers(NotifyEventId::PanelsChanged);
    // The processor named "Links" keeps its row and its rows below.
    QCOMPARE(rowTexts(pItems->invisibleRootItem()),
             (QStringList{"Rack", "Links", "Groups", "ParameterSets", "RCGroups", "ParameterSetLists",
                          "Graphics", "System", "Links"}));
    QCOMPARE(rowTexts(pItems->item(1)), processorGroups);
    QCOMPARE(m_pTree->linksGroup(), pItems->item(8));
}

void TestVTree::dragData_data()
{
    // The item, given as its path of texts from the top level.
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("type");
    // "zero", "gain" or "panel node": what the number must be.
    QTest::addColumn<QString>("target");

    QTest::newRow("graphics label") << QStringList{"Graphics", "Label"} << "application/control" << "zero";
    QTest::newRow("system indicator") << QStringList{"System", "Connection Indicator"} << "application/control"
                                      << "zero";
    QTest::newRow("parameter") << QStringList{"Rack", "Blocks", "Gain 1", "Mute"} << "application/control"
                               << "gain";
    QTest::newRow("whole panel") << QStringList{"Rack", "Blocks", "Room Panel", "Room Panel"}
                                 << "application/panel" << "panel node";
}

void TestVTree::dragData()
{
    QFETCH(QStringList, path);
    QFETCH(QString, type);
    QFETCH(QString, target);
    buildDesign();
    VModel *pItems = m_pTree->itemModel();
    QStandardItem *pItem = pItems->invisibleRootItem();
    for (const QString &text : path)
        pItem = childNamed(pItem, text);
    QVERIFY(pItem);
    QVERIFY(pItem->flags() & Qt::ItemIsDragEnabled);

    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    QCOMPARE(pData->text(), path.last());
    QCOMPARE(pData->formats(), (QStringList{"text/plain", type}));
    const QByteArray number = pData->data(type);
    QVERIFY(!number.isEmpty());
    for (char digit : number)
        QVERIFY(digit >= '0' && digit <= '9'); // decimal text, nothing else
    HNode *pNode = m_pModel->nodeForHandle(handleFrom(pData.get(), type));
    if (target == QLatin1String("zero")) {
        QCOMPARE(number, QByteArray("0"));
        QVERIFY(!pNode);
    } else {
        QCOMPARE(pNode, target == QLatin1String("gain") ? static_cast<HNode *>(m_pGain) : m_pPanelNode);
    }
    QCOMPARE(pItems->mimeTypes(), QStringList{"text/plain"});
    QCOMPARE(pItems->dragMimeType(), QStringLiteral("application/control"));
}

void TestVTree::dragOfAGroupCarriesOnlyText()
{
    buildDesign();
    VModel *pItems = m_pTree->itemModel();
    QTest::ignoreMessage(QtDebugMsg, "QModelIndexList was not populated.");
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItems->item(5)->index()}));
    QCOMPARE(pData->text(), QStringLiteral("Graphics"));
    QCOMPARE(pData->formats(), QStringList{"text/plain"});

    // A link item travels as "application/link"; the last index decides.
    auto *pLink = new QStandardItem(QStringLiteral("Home"));
    pLink->setFlags(Qt::ItemFlags::fromInt(kLinkFlags));
    pLink->setData(QVariant::fromValue<quint64>(987654321), TreeItem::HandleRole);
    m_pTree->linksGroup()->appendRow(pLink);
    pData.reset(pItems->mimeData({pItems->item(5)->index(), pLink->index()}));
    QCOMPARE(pData->text(), QStringLiteral("Home"));
    QCOMPARE(pData->formats(), (QStringList{"text/plain", "application/link"}));
    QCOMPARE(pData->data("application/link"), QByteArray("987654321"));
}

void TestVTree::dragOfNothing()
{
    VModel items(m_pModel.get());
    QTest::ignoreMessage(QtDebugMsg, "QModelIndexList was not populated.");
    std::unique_ptr<QMimeData> pData(items.mimeData({}));
    QVERIFY(pData);
    QVERIFY(pData->text().isEmpty());
    QCOMPARE(pData->formats(), QStringList{"text/plain"});
}

void TestVTree::staleOrUnknownHandlesResolveToNothing_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("zero") << QByteArray("0");
    QTest::newRow("small number") << QByteArray("42");
    QTest::newRow("largest number") << QByteArray("18446744073709551615");
    QTest::newRow("negative") << QByteArray("-1");
    QTest::newRow("not a number") << QByteArray("0x7fff1234");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("too long") << QByteArray(400, '9');
}

void TestVTree::staleOrUnknownHandlesResolveToNothing()
{
    QFETCH(QByteArray, wire);
    buildDesign();
    bool ok = false;
    const quint64 handle = wire.toULongLong(&ok);
    QVERIFY(!m_pModel->nodeForHandle(ok ? handle : 0));
    QVERIFY(m_pModel->linkPathForHandle(ok ? handle : 0).isEmpty());

    // A node removed since its drag began is no longer found by its number.
    QStandardItem *pMute = childNamed(childNamed(childNamed(m_pTree->itemModel()->item(0), "Blocks"), "Gain 1"),
                                      "Mute");
    std::unique_ptr<QMimeData> pData(m_pTree->itemModel()->mimeData({pMute->index()}));
    const quint64 gainHandle = handleFrom(pData.get(), "application/control");
    QCOMPARE(m_pModel->nodeForHandle(gainHandle), m_pGain);
    QVERIFY(m_pProcessor->removeChild(m_pGain));
    delete m_pGain;
    m_pGain = nullptr;
    QVERIFY(!m_pModel->nodeForHandle(gainHandle));
    // The rest of the tree still answers.
    QStandardItem *pPanelItem =
        childNamed(childNamed(childNamed(m_pTree->itemModel()->item(0), "Blocks"), "Room Panel"), "Room Panel");
    QCOMPARE(m_pModel->nodeForHandle(VModel::handleOf(pPanelItem)), m_pPanelNode);
}

void TestVTree::doubleClickOnAStaleLinkDoesNothing()
{
    buildDesign();
    m_pPage->resize(300, 400);
    m_pTree->layout(QRect(0, 0, 300, 400));
    m_pPage->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pPage.get()));
    auto *pLink = new QStandardItem(QStringLiteral("Gone"));
    pLink->setFlags(Qt::ItemFlags::fromInt(kLinkFlags));
    pLink->setData(QVariant::fromValue<quint64>(0xdeadbeef), TreeItem::HandleRole);
    m_pTree->linksGroup()->appendRow(pLink);
    VTree *pView = m_pTree->tree();
    pView->expand(m_pTree->linksGroup()->index());
    const QRect rect = pView->visualRect(pLink->index());
    QVERIFY(rect.isValid());
    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, rect.center());
    // Nothing followed, nothing changed, no crash.
    QCOMPARE(m_pTree->linksGroup()->rowCount(), 1);
}

void TestVTree::headerShowsTheFileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("header");
    QTest::newRow("folders") << "/home/me/designs/Hall.vmp" << "Hall.vmp";
    QTest::newRow("no folder") << "Hall.vmp" << "Hall.vmp";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("trailing slash") << "/home/me/" << "";
}

void TestVTree::headerShowsTheFileName()
{
    QFETCH(QString, path);
    QFETCH(QString, header);
    buildDesign();
    QCOMPARE(m_pTree->tree()->headerText(), QString()); // no design file yet
    QVERIFY(m_pTree->itemModel()->horizontalHeaderItem(0));
    m_pTree->setFilePath(path);
    QCOMPARE(m_pTree->tree()->headerText(), header);
    QVERIFY(!m_pTree->tree()->isHeaderHidden());
}

void TestVTree::editModeStyle()
{
    buildDesign();
    VTree *pView = m_pTree->tree();
    QCOMPARE(pView->dragDropMode(), QAbstractItemView::DragOnly);
    m_pModel->setEditMode(false);
    QVERIFY(!pView->dragEnabled());
    QVERIFY(pView->styleSheet().startsWith("QTreeView { background-color: lightgray; color: #404040;}"));
    m_pModel->setEditMode(true);
    QVERIFY(pView->dragEnabled());
    QVERIFY(pView->styleSheet().startsWith("QTreeView { background-color: white; color: black;}"));
    QVERIFY(pView->styleSheet().contains("border-bottom:1px solid #808080"));
    // The style applies to this very view.
    pView->ensurePolished();
    QCOMPARE(pView->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestVTree::selectionExpandsAndControlCollapses()
{
    buildDesign();
    VTree *pView = m_pTree->tree();
    const QModelIndex graphics = m_pTree->itemModel()->item(5)->index();
    const QModelIndex system = m_pTree->itemModel()->item(6)->index();
    pView->setCurrentIndex(graphics);
    QVERIFY(pView->isExpanded(graphics));

    QTest::keyPress(pView, Qt::Key_Control);
    QCOMPARE(pView->heldKey(), int(Qt::Key_Control));
    pView->setCurrentIndex(system);
    QVERIFY(!pView->isExpanded(system));
    pView->expand(graphics);
    pView->setCurrentIndex(graphics);
    QVERIFY(!pView->isExpanded(graphics));
    QTest::keyRelease(pView, Qt::Key_Control);
    QCOMPARE(pView->heldKey(), 0);
    pView->setCurrentIndex(system);
    QVERIFY(pView->isExpanded(system));
    // An item without children is just made current.
    const QModelIndex label = m_pTree->itemModel()->item(5)->child(0)->index();
    pView->setCurrentIndex(label);
    QCOMPARE(pView->currentIndex(), label);
}

void TestVTree::keysOnlyRemembered()
{
    buildDesign();
    VTree *pView = m_pTree->tree();
    const QModelIndex graphics = m_pTree->itemModel()->item(5)->index();
    pView->setCurrentIndex(graphics);
    QTest::keyClick(pView, Qt::Key_Down);
    QCOMPARE(pView->currentIndex(), graphics);
}

void TestVTree::pressAndMoveExpandsNothing_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::newRow("edit mode") << true;
    QTest::newRow("view mode") << false;
}

// A press that starts no drag, then a move over the rows below, must leave
// every group as it was; a click still opens a group.
void TestVTree::pressAndMoveExpandsNothing()
{
    QFETCH(bool, editMode);
    buildDesign();
    m_pModel->setEditMode(editMode);
    VTree *pView = m_pTree->tree();
    m_pPage->resize(300, 600);
    m_pTree->layout(QRect(0, 0, 300, 600));
    m_pPage->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pPage.get()));
    pView->collapseAll();
    QStandardItemModel *pItems = m_pTree->itemModel();
    const QModelIndex start = pItems->item(0)->index();
    const QPoint from = pView->visualRect(start).center();
    QTest::mousePress(pView->viewport(), Qt::LeftButton, {}, from);
    for (int row = 1; row < pItems->rowCount(); ++row)
        QTest::mouseMove(pView->viewport(), pView->visualRect(pItems->item(row)->index()).center());
    const QPoint last = pView->visualRect(pItems->item(pItems->rowCount() - 1)->index()).center();
    QTest::mouseRelease(pView->viewport(), Qt::LeftButton, {}, last);
    for (int row = 1; row < pItems->rowCount(); ++row)
        QVERIFY2(!pView->isExpanded(pItems->item(row)->index()), qPrintable(pItems->item(row)->text()));

    const QModelIndex graphics = pItems->item(5)->index();
    QVERIFY(pItems->hasChildren(graphics));
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, pView->visualRect(graphics).center());
    QVERIFY(pView->isExpanded(graphics));
}

void TestVTree::mousePressClosesTheModalObject()
{
    buildDesign();
    QObject modal;
    VModeManager::instance()->registerObject(QStringLiteral("ModalObject"), &modal);
    QTest::mousePress(m_pTree->tree()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(modal.property("cancel"), QVariant(true));
    VModeManager::instance()->registerObject(QStringLiteral("ModalObject"), nullptr);
}

void TestVTree::layoutUsesInclusiveEdges()
{
    m_pTree->layout(QRect(QPoint(2, 3), QPoint(101, 202)));
    QCOMPARE(m_pTree->tree()->geometry(), QRect(2, 3, 100, 200));
}

void TestVTree::buildNeedsTreeAndModel()
{
    KTreeController modelless(nullptr, nullptr);
    QTest::ignoreMessage(QtDebugMsg, "m_pModel not defined.");
    modelless.build();
    QCOMPARE(modelless.itemModel()->rowCount(), 0);
    QVERIFY(!modelless.tree()->parentWidget());

    // Without a hardware root the groups still come.
    MModel bare;
    KTreeController tree(nullptr, &bare);
    QTest::ignoreMessage(QtDebugMsg, "m_pRootNode not defined. Skipping buildModel");
    tree.build();
    QCOMPARE(rowTexts(tree.itemModel()->invisibleRootItem()), (QStringList{"Graphics", "System", "Links"}));

    // A tree view that went with its page leaves the controller answering.
    KTreeController orphaned(nullptr, &bare);
    delete orphaned.tree();
    QTest::ignoreMessage(QtDebugMsg, "m_pTree not defined.");
    orphaned.build();
    orphaned.setEditMode(true);
    orphaned.layout(QRect(0, 0, 1, 1));
    orphaned.notify(NotifyEventId::PanelsChanged);
}

VVB_TEST_MAIN(TestVTree)
#include "tst_vtree.moc"
