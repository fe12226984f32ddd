#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTreeController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/TestMain.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QMimeData>
#include <QPointer>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Depth first: the first item whose text is `text` and that drags as a control.
QStandardItem *controlItem(VModel *pModel, QStandardItem *pParent, const QString &text)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == text) {
            std::unique_ptr<QMimeData> pData(pModel->mimeData({pItem->index()}));
            if (pData->hasFormat(pModel->dragMimeType()))
                return pItem;
        }
        if (QStandardItem *pFound = controlItem(pModel, pItem, text))
            return pFound;
    }
    return nullptr;
}

// The first item of that text anywhere below the parent.
QStandardItem *itemNamed(QStandardItem *pParent, const QString &text)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == text)
            return pItem;
        if (QStandardItem *pFound = itemNamed(pItem, text))
            return pFound;
    }
    return nullptr;
}

// The design fixture with a level range on its gain block, which offers
// level buttons in place of a fader when the user chose them.
DesignFixture designWithLevelRange()
{
    DesignFixture design;
    const int gain = design.indexOf("Lobby Gain");
    if (gain >= 0) {
        QByteArray &node = design.nodes[gain];
        node.insert(node.lastIndexOf("\t</Node>"), "\t\t<Property name=\"level\" value=\"0\" max=\"12\" min=\"-60\"/>\r\n");
    }
    return design;
}

} // namespace

// Every kind of control the user can place, dropped from the project tree
// of an imported design onto the editor's canvas in edit mode, then worked
// with the mouse as a user does once something else was picked meanwhile.
class TestPlacedControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void placedControlTakesTheMouse_data();
    void placedControlTakesTheMouse();

private:
    QQuickView *view() const;
    CComposite *panel() const;
    // Imports the design once and drops the first control item of that text
    // below the tree item of the node's text.
    CControl *dropFromDesign(const QString &node, const QString &text, int x, int y);
    static QPoint centreOf(const WWidget *pWidget);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    bool m_bImported = false;
};

void TestPlacedControls::initTestCase()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestPlacedControls::init()
{
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
    DMessageBox::setResponder([](const QString &, const QString &) { return 0; });
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    m_bImported = false;
    QVERIFY(QTest::qWaitForWindowExposed(m_pMain->mainWindow()));
    QVERIFY(view());
    QVERIFY(QTest::qWaitForWindowExposed(view()));
    QVERIFY(panel());
}

void TestPlacedControls::cleanup()
{
    m_pModel.reset();
    m_pMain = nullptr;
    m_pDir.reset();
    DMessageBox::setResponder({});
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
}

QQuickView *TestPlacedControls::view() const
{
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    return pCanvas ? pCanvas->view() : nullptr;
}

CComposite *TestPlacedControls::panel() const
{
    return qobject_cast<CComposite *>(m_pModel->currentPanel());
}

CControl *TestPlacedControls::dropFromDesign(const QString &node, const QString &text, int x, int y)
{
    if (!m_bImported) {
        const QString designPath = designWithLevelRange().write(m_pDir->path());
        if (designPath.isEmpty())
            return nullptr;
        DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
        m_pMain->action(ActionId::OpenDesign)->trigger();
        DChooser::setResponder({});
        m_bImported = true;
    }
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    VModel *pItems = pTree ? pTree->itemModel() : nullptr;
    QStandardItem *pNode = pItems ? itemNamed(pItems->invisibleRootItem(), node) : nullptr;
    QStandardItem *pItem = pNode ? controlItem(pItems, pNode, text) : nullptr;
    if (!pItem)
        return nullptr;
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    const int before = panel()->childCount();
    m_pModel->qmlInterface()->dropControl(pData->text(), QString::fromLatin1(pData->data(pItems->dragMimeType())),
                                          x, y);
    return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
}

QPoint TestPlacedControls::centreOf(const WWidget *pWidget)
{
    auto *pItem = qobject_cast<QQuickItem *>(pWidget ? pWidget->widget() : nullptr);
    if (!pItem)
        return QPoint();
    return pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint();
}

void TestPlacedControls::placedControlTakesTheMouse_data()
{
    QTest::addColumn<QString>("node");   // the project tree's item of the node
    QTest::addColumn<QString>("item");   // and its control item
    QTest::addColumn<QString>("widget"); // the widget clicked
    QTest::addColumn<QString>("level");  // the Level menu's choice
    QTest::newRow("level buttons") << "Lobby Gain" << "Level" << "levelbutton" << "&Button";
    QTest::newRow("fader") << "Lobby Gain" << "Level" << "slider" << "&Slider";
    QTest::newRow("combination selector") << "Ballroom" << "Combination Control" << "comboselector" << "";
    QTest::newRow("room-combining group's name") << "Ballroom" << "RCGroup Name" << "label" << "";
    QTest::newRow("room's name") << "Ballroom" << "Room Name" << "label" << "";
    QTest::newRow("active combination") << "Ballroom" << "Active Combination" << "activeroomcombo" << "";
}

// A click picks the control, a drag moves it by the pointer's travel and
// Delete takes it off the panel.
void TestPlacedControls::placedControlTakesTheMouse()
{
    QFETCH(QString, node);
    QFETCH(QString, item);
    QFETCH(QString, widget);
    QFETCH(QString, level);
    for (QAction *pAction : m_pMain->findChildren<QAction *>()) {
        if (!level.isEmpty() && pAction->text() == level)
            pAction->trigger();
    }
    const QPointer<CControl> pControl = dropFromDesign(node, item, 40, 60);
    QVERIFY(pControl);
    WWidget *pWidget = pControl->findWidget(widget);
    QVERIFY(pWidget);
    // Something else is picked meanwhile.
    const QPointer<CControl> pOther = dropFromDesign(QStringLiteral("Lobby Gain"), QStringLiteral("Mute"), 500, 400);
    QVERIFY(pOther);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, centreOf(pOther->widgets().first()));
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pOther.data()}));

    const QPoint from = centreOf(pWidget);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, from);
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pControl.data()}));

    const QRectF before = pControl->bounds();
    const QPoint by(30, 40);
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(view(), from + by * step / 4);
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, from + by);
    const QPointF moved = pControl->bounds().topLeft() - before.topLeft();
    const qreal grid = 5.0 * m_pModel->viewScale();
    QVERIFY2(std::abs(moved.y() - by.y()) < grid,
             qPrintable(QStringLiteral("moved %1,%2").arg(moved.x()).arg(moved.y())));

    m_pMain->action(ActionId::Delete)->trigger();
    QVERIFY(!panel()->children().contains(pControl.data()));
}

VVB_TEST_MAIN(TestPlacedControls)
#include "tst_placedcontrols.moc"
