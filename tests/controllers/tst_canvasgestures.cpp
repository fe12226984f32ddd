#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTreeController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DModalDialog.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/DialogDriver.h"
#include "support/EditorFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "views/VProperties.h"
#include "views/VTree.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QLabel>
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

} // namespace

// The canvas as the user works it: the editor built as main() builds it,
// controls dropped on its first panel, then real mouse events on the window.
class TestCanvasGestures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dragMovesAsFarAsThePointer_data();
    void dragMovesAsFarAsThePointer();
    void resizeFollowsTheHandle_data();
    void resizeFollowsTheHandle();
    void aGestureCancelledByTheWindowEnds_data();
    void aGestureCancelledByTheWindowEnds();
    void onlyAChangeAsksForASave_data();
    void onlyAChangeAsksForASave();
    void dropLandsInsideThePanel_data();
    void dropLandsInsideThePanel();
    void clickSelectsWhatIsDrawnOnTop_data();
    void clickSelectsWhatIsDrawnOnTop();
    void stackingDecidesWhatAClickReaches_data();
    void stackingDecidesWhatAClickReaches();
    void restackedShapesKeepDrawing();
    void everyOpenDrawsAtTheSameScale_data();
    void everyOpenDrawsAtTheSameScale();
    void reopenKeepsWhereControlsStand_data();
    void reopenKeepsWhereControlsStand();
    void pasteLandsInsideThePanel_data();
    void pasteLandsInsideThePanel();
    void importShowsTheSiteName();
    void canvasSkinChangeKeepsTheControl_data();
    void canvasSkinChangeKeepsTheControl();
    void captionShowsTheSelectedControl_data();
    void captionShowsTheSelectedControl();
    void setupDialogsClearTheSelection_data();
    void setupDialogsClearTheSelection();
    void setupMenuShowsWholeEntries();
    void treeRowsKeepTheirHeightInEveryMode();

private:
    QQuickView *view() const;
    CComposite *panel() const;
    CControl *drop(const QString &text, int x, int y);
    // Imports a design and drops the first control item of that text from the project tree.
    CControl *dropFromDesign(const QString &text, int x, int y, const DesignFixture &design = DesignFixture());
    // The window point of a spot given as fractions of a widget's item.
    QPoint windowPoint(const WWidget *pWidget, qreal fx, qreal fy) const;
    // Press, moves in equal steps, release: one gesture of the pointer.
    void dragPointer(const QPoint &from, const QPoint &by, int steps);
    qreal grid() const;
    // Runs the Layout menu's entry of that text, as a click on it does.
    bool triggerMenuEntry(const QString &text);
    // The controls of the current panel that a click there selects.
    QList<CControl *> clickAt(const QPointF &panelPoint, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
};

void TestCanvasGestures::initTestCase()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestCanvasGestures::init()
{
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
    DMessageBox::setResponder([](const QString &, const QString &) { return 0; });
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    QVERIFY(QTest::qWaitForWindowExposed(m_pMain->mainWindow()));
    QVERIFY(view());
    QVERIFY(QTest::qWaitForWindowExposed(view()));
    QVERIFY(panel());
}

void TestCanvasGestures::cleanup()
{
    m_pModel.reset();
    m_pMain = nullptr;
    m_pDir.reset();
    DMessageBox::setResponder({});
}

QQuickView *TestCanvasGestures::view() const
{
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    return pCanvas ? pCanvas->view() : nullptr;
}

CComposite *TestCanvasGestures::panel() const
{
    return qobject_cast<CComposite *>(m_pModel->currentPanel());
}

CControl *TestCanvasGestures::drop(const QString &text, int x, int y)
{
    const int before = panel()->childCount();
    m_pModel->qmlInterface()->dropControl(text, QStringLiteral("0"), x, y);
    return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
}

CControl *TestCanvasGestures::dropFromDesign(const QString &text, int x, int y, const DesignFixture &design)
{
    const QString designPath = design.write(m_pDir->path());
    if (designPath.isEmpty())
        return nullptr;
    DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
    m_pMain->action(ActionId::OpenDesign)->trigger();
    DChooser::setResponder({});
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    VModel *pItems = pTree ? pTree->itemModel() : nullptr;
    QStandardItem *pItem = pItems ? EditorFixture::controlItem(pItems, pItems->invisibleRootItem(), text) : nullptr;
    if (!pItem)
        return nullptr;
    std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
    const int before = panel()->childCount();
    m_pModel->qmlInterface()->dropControl(pData->text(), QString::fromLatin1(pData->data(pItems->dragMimeType())),
                                          x, y);
    return panel()->childCount() == before + 1 ? panel()->children().last() : nullptr;
}

QPoint TestCanvasGestures::windowPoint(const WWidget *pWidget, qreal fx, qreal fy) const
{
    auto *pItem = qobject_cast<QQuickItem *>(pWidget->widget());
    if (!pItem)
        return QPoint();
    return pItem->mapToScene(QPointF(pItem->width() * fx, pItem->height() * fy)).toPoint();
}

void TestCanvasGestures::dragPointer(const QPoint &from, const QPoint &by, int steps)
{
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(view(), from + by * step / steps);
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, from + by);
}

qreal TestCanvasGestures::grid() const
{
    return 5.0 * m_pModel->viewScale();
}

bool TestCanvasGestures::triggerMenuEntry(const QString &text)
{
    for (QAction *pAction : m_pMain->findChildren<QAction *>()) {
        if (pAction->text() == text && pAction->isEnabled()) {
            pAction->trigger();
            return true;
        }
    }
    return false;
}

QList<CControl *> TestCanvasGestures::clickAt(const QPointF &panelPoint, Qt::KeyboardModifiers modifiers)
{
    const QPoint point = m_pModel->qmlRootItem()->mapToScene(panelPoint).toPoint();
    QTest::mouseClick(view(), Qt::LeftButton, modifiers, point);
    return m_pModel->selectTool()->selection();
}

void TestCanvasGestures::dragMovesAsFarAsThePointer_data()
{
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<int>("steps");
    QTest::newRow("right in four steps") << QPoint(20, 0) << 4;
    QTest::newRow("down in one step") << QPoint(0, 30) << 1;
    QTest::newRow("slowly, pixel by pixel") << QPoint(40, 25) << 40;
    QTest::newRow("back up and left") << QPoint(-25, -15) << 5;
}

// Each move is the pointer's movement since the previous one; summing them
// again would throw the control ahead of the pointer.
void TestCanvasGestures::dragMovesAsFarAsThePointer()
{
    QFETCH(QPoint, by);
    QFETCH(int, steps);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 60, 80);
    QVERIFY(pFrame);
    WWidget *pWidget = pFrame->findWidget(QStringLiteral("frame"));
    QVERIFY(pWidget);
    const QRectF before = pFrame->bounds();

    dragPointer(windowPoint(pWidget, 0.5, 0.5), by, steps);

    const QPointF moved = pFrame->bounds().topLeft() - before.topLeft();
    QVERIFY2(std::abs(moved.x() - by.x()) < grid() && std::abs(moved.y() - by.y()) < grid(),
             qPrintable(QStringLiteral("moved %1,%2").arg(moved.x()).arg(moved.y())));
    QCOMPARE(pFrame->bounds().size(), before.size());
    // One gesture, one entry, taken back exactly.
    m_pMain->undo();
    QCOMPARE(pFrame->bounds(), before);
}

void TestCanvasGestures::resizeFollowsTheHandle_data()
{
    QTest::addColumn<bool>("rightHandle");
    QTest::addColumn<int>("by");
    QTest::addColumn<int>("steps");
    QTest::newRow("right handle, wider in four steps") << true << 20 << 4;
    QTest::newRow("right handle, narrower") << true << -30 << 6;
    QTest::newRow("bottom handle, taller in ten steps") << false << 40 << 10;
}

void TestCanvasGestures::resizeFollowsTheHandle()
{
    QFETCH(bool, rightHandle);
    QFETCH(int, by);
    QFETCH(int, steps);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 30, 60);
    QVERIFY(pFrame);
    WWidget *pWidget = pFrame->findWidget(QStringLiteral("frame"));
    QVERIFY(pWidget);
    // The first click selects the control and shows its handles.
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, windowPoint(pWidget, 0.3, 0.3));
    QTRY_VERIFY(pWidget->selection());
    const QRectF before = pFrame->bounds();

    const QPoint handle = rightHandle ? windowPoint(pWidget, 1.0, 0.5) : windowPoint(pWidget, 0.5, 1.0);
    dragPointer(handle, rightHandle ? QPoint(by, 0) : QPoint(0, by), steps);

    const QRectF after = pFrame->bounds();
    QCOMPARE(after.topLeft(), before.topLeft());
    const qreal grown = rightHandle ? after.width() - before.width() : after.height() - before.height();
    QVERIFY2(std::abs(grown - by) < grid(), qPrintable(QString::number(grown)));
    QCOMPARE(rightHandle ? after.height() : after.width(), rightHandle ? before.height() : before.width());
}

void TestCanvasGestures::aGestureCancelledByTheWindowEnds_data()
{
    QTest::addColumn<bool>("resizeFirst");
    QTest::newRow("drag cancelled, then a resize") << false;
    QTest::newRow("resize cancelled, then a drag") << true;
}

// The window losing activation in mid-gesture takes the pointer grab away,
// so the release never comes: the gesture ends there, filed as far as it
// got, and the next one is a gesture of its own kind.
void TestCanvasGestures::aGestureCancelledByTheWindowEnds()
{
    QFETCH(bool, resizeFirst);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 30, 60);
    QVERIFY(pFrame);
    WWidget *pWidget = pFrame->findWidget(QStringLiteral("frame"));
    QVERIFY(pWidget);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, windowPoint(pWidget, 0.3, 0.3));
    QTRY_VERIFY(pWidget->selection());
    BCommandProcessor *pCommands = BCommandProcessor::instance();
    const int entries = pCommands->undoCount();
    const QRectF before = pFrame->bounds();
    const int by = 20;
    const auto handle = [&] { return windowPoint(pWidget, 1.0, 0.5); };
    const auto middle = [&] { return windowPoint(pWidget, 0.3, 0.5); };
    // The pointer's way on the grid: a resize widens, a drag moves, by about as much.
    const auto same = [](qreal a, qreal b) { return std::abs(a - b) < 0.01; };
    const auto sameRect = [&](const QRectF &a, const QRectF &b) {
        return same(a.x(), b.x()) && same(a.y(), b.y()) && same(a.width(), b.width()) && same(a.height(), b.height());
    };
    const auto followed = [&](const QRectF &from, const QRectF &to, bool resize) {
        const qreal grown = to.width() - from.width();
        const qreal moved = to.x() - from.x();
        return std::abs((resize ? grown : moved) - by) < grid() && same(resize ? moved : grown, 0.0)
               && same(to.y(), from.y()) && same(to.height(), from.height());
    };

    const QPoint from = resizeFirst ? handle() : middle();
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(view(), from + QPoint(by * step / 4, 0));
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(view(), &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(view(), &activate);
    const QRectF cancelled = pFrame->bounds();
    QVERIFY(followed(before, cancelled, resizeFirst));
    QVERIFY(!m_pModel->selectTool()->currentTool());
    QCOMPARE(pCommands->undoCount(), entries + 1);

    dragPointer(resizeFirst ? middle() : handle(), QPoint(by, 0), 4);
    QVERIFY(followed(cancelled, pFrame->bounds(), !resizeFirst));
    QCOMPARE(pCommands->undoCount(), entries + 2);
    m_pMain->undo();
    QVERIFY(sameRect(pFrame->bounds(), cancelled));
    m_pMain->undo();
    QVERIFY(sameRect(pFrame->bounds(), before));
}

void TestCanvasGestures::onlyAChangeAsksForASave_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPoint>("via");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<bool>("changes");
    QTest::newRow("click inside") << QPointF(0.5, 0.5) << QPoint() << QPoint() << false;
    QTest::newRow("click on the right handle") << QPointF(1.0, 0.5) << QPoint() << QPoint() << false;
    QTest::newRow("drag there and back") << QPointF(0.5, 0.5) << QPoint(30, 20) << QPoint() << false;
    QTest::newRow("drag") << QPointF(0.5, 0.5) << QPoint(10, 10) << QPoint(20, 15) << true;
    QTest::newRow("resize by the right handle") << QPointF(1.0, 0.5) << QPoint(10, 0) << QPoint(25, 0) << true;
}

// Clicking a control to show its page is no edit: a saved project stays
// saved, so that sending it to a device does not ask for a save. A gesture
// that moves or resizes it is, and so are taking it back and doing it again.
void TestCanvasGestures::onlyAChangeAsksForASave()
{
    QFETCH(QPointF, from);
    QFETCH(QPoint, via);
    QFETCH(QPoint, by);
    QFETCH(bool, changes);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 40, 60);
    QVERIFY(pFrame);
    WWidget *pWidget = pFrame->findWidget(QStringLiteral("frame"));
    QVERIFY(pWidget);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, windowPoint(pWidget, 0.3, 0.3));
    QTRY_VERIFY(pWidget->selection());
    // As after a save.
    m_pModel->setModified(false);
    const QRectF before = pFrame->bounds();

    const QPoint start = windowPoint(pWidget, from.x(), from.y());
    QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(view(), start + via);
    QTest::mouseMove(view(), start + by);
    QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, start + by);

    QCOMPARE(pFrame->bounds() != before, changes);
    QCOMPARE(m_pModel->isModified(), changes);
    if (changes) {
        m_pModel->setModified(false);
        m_pMain->undo();
        QCOMPARE(pFrame->bounds(), before);
        QVERIFY(m_pModel->isModified());
        m_pModel->setModified(false);
        m_pMain->redo();
        QVERIFY(m_pModel->isModified());
    }
}

void TestCanvasGestures::dropLandsInsideThePanel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPointF>("where"); // fractions of the drawing area
    QTest::newRow("frame by the bottom-right corner") << "Frame" << QPointF(0.97, 0.97);
    QTest::newRow("label by the right edge") << "Label" << QPointF(0.95, 0.4);
    QTest::newRow("frame by the bottom edge") << "Frame" << QPointF(0.1, 0.99);
    QTest::newRow("label well inside") << "Label" << QPointF(0.2, 0.2);
    // "link": a panel link to the shown panel, dragged from the tree's Links group.
    QTest::newRow("panel link past the right edge") << "link" << QPointF(0.98, 0.5);
    QTest::newRow("panel link by the bottom-right corner") << "link" << QPointF(0.97, 0.97);
    // "Room Layout": a room's selector, dragged from an imported design.
    QTest::newRow("room selector by the right edge") << "Room Layout" << QPointF(0.9, 0.5);
    QTest::newRow("room selector by the bottom-right corner") << "Room Layout" << QPointF(0.97, 0.97);
}

// A control hanging past the panel's edge would make the next open rescale
// the whole panel to fit it.
void TestCanvasGestures::dropLandsInsideThePanel()
{
    QFETCH(QString, kind);
    QFETCH(QPointF, where);
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    QVERIFY(pArea && pArea->width() > 0 && pArea->height() > 0);
    const QRectF area(0, 0, pArea->width(), pArea->height());
    const int x = int(where.x() * area.width());
    const int y = int(where.y() * area.height());

    QPointer<CControl> pControl;
    if (kind == QLatin1String("link")) {
        const int before = panel()->childCount();
        m_pModel->qmlInterface()->dropLink(panel()->name(), QString::number(quint64(quintptr(panel()))), x, y);
        if (panel()->childCount() == before + 1)
            pControl = panel()->children().last();
    } else if (kind == QLatin1String("Room Layout")) {
        pControl = dropFromDesign(kind, x, y);
    } else {
        pControl = drop(kind, x, y);
    }

    QVERIFY(pControl);
    const QRectF bounds = pControl->bounds();
    QVERIFY2(area.contains(bounds), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                   .arg(bounds.x()).arg(bounds.y())
                                                   .arg(bounds.width()).arg(bounds.height())));
    // Where it fits, it stays at the drop point (on the grid).
    if (where.x() < 0.5 && where.y() < 0.5)
        QVERIFY(std::abs(bounds.x() - x) < grid() && std::abs(bounds.y() - y) < grid());
    // It is the one control selected.
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pControl.data()}));
}

void TestCanvasGestures::clickSelectsWhatIsDrawnOnTop_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QPointF>("spot"); // fractions of that widget of the fader
    QTest::addColumn<bool>("selectsFader");
    QTest::newRow("fader's track") << "slider" << QPointF(0.5, 0.1) << true;
    QTest::newRow("fader's value text") << "textedit" << QPointF(0.5, 0.5) << true;
    QTest::newRow("fader's title") << "label" << QPointF(0.5, 0.5) << true;
    QTest::newRow("fader's box beside the track, under the frame") << "frame" << QPointF(0.1, 0.3) << false;
}

// A frame dropped after a fader lies above the fader's box but below its
// track, value and title, and a click takes whatever is drawn there.
void TestCanvasGestures::clickSelectsWhatIsDrawnOnTop()
{
    QFETCH(QString, widget);
    QFETCH(QPointF, spot);
    QFETCH(bool, selectsFader);
    const QPointer<CControl> pFader = dropFromDesign(QStringLiteral("Level"), 20, 20);
    QVERIFY(pFader);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 0, 0);
    QVERIFY(pFrame);
    WWidget *pWidget = pFader->findWidget(widget);
    QVERIFY(pWidget);
    const QPoint point = windowPoint(pWidget, spot.x(), spot.y());
    QVERIFY2(pFrame->bounds().contains(point), "the spot must lie on the frame as well");

    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, point);

    const CControl *pExpected = selectsFader ? pFader.data() : pFrame.data();
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({const_cast<CControl *>(pExpected)}));
}

void TestCanvasGestures::stackingDecidesWhatAClickReaches_data()
{
    QTest::addColumn<QString>("upper");   // dropped over a region, drawn under it at first
    QTest::addColumn<bool>("moveRegion"); // the region goes to the back, else the other to the front
    QTest::newRow("frame to the front") << "Frame" << false;
    QTest::newRow("region to the back, under a frame") << "Frame" << true;
    QTest::newRow("label to the front") << "Label" << false;
    QTest::newRow("region to the back, under a label") << "Label" << true;
}

// Regions lie above every other kind as placed; Bring To Front and Send To
// Back change what is drawn on top where they overlap, a click there takes
// that control, and the saved project opens with the same order.
void TestCanvasGestures::stackingDecidesWhatAClickReaches()
{
    QFETCH(QString, upper);
    QFETCH(bool, moveRegion);
    QPointer<CControl> pRegion = drop(QStringLiteral("Region"), 20, 20);
    QPointer<CControl> pOther = drop(upper, 60, 40);
    QVERIFY(pRegion && pOther);
    const QRectF overlap = pRegion->bounds().intersected(pOther->bounds());
    QVERIFY(overlap.width() > 10 && overlap.height() > 10);
    const QPointF both = overlap.center();
    const QPointF regionOnly((pRegion->bounds().left() + overlap.left()) / 2, pRegion->bounds().center().y());
    const QPointF otherOnly((pOther->bounds().right() + overlap.right()) / 2, pOther->bounds().center().y());
    QVERIFY(!pOther->bounds().contains(regionOnly) && !pRegion->bounds().contains(otherOnly));
    QCOMPARE(clickAt(both), QList<CControl *>({pRegion.data()}));

    QCOMPARE(clickAt(moveRegion ? regionOnly : otherOnly), QList<CControl *>({moveRegion ? pRegion.data() : pOther.data()}));
    QVERIFY(triggerMenuEntry(moveRegion ? QStringLiteral("Send To &Back") : QStringLiteral("Bring To &Front")));
    QCOMPARE(clickAt(both), QList<CControl *>({pOther.data()}));
    m_pMain->undo();
    QCOMPARE(clickAt(both), QList<CControl *>({pRegion.data()}));
    m_pMain->redo();
    QCOMPARE(clickAt(both), QList<CControl *>({pOther.data()}));

    const QString path = m_pDir->filePath(QStringLiteral("stacking.cpz"));
    QVERIFY(m_pModel->saveProject(path));
    DChooser::setResponder([&](const DChooser::Request &) { return path; });
    m_pMain->openVC();
    DChooser::setResponder({});
    QCOMPARE(m_pModel->projectPath(), path);
    if (!m_pModel->qmlInterface()->property("editModeEnable").toBool())
        m_pMain->action(ActionId::EditMode)->trigger();
    QVERIFY(m_pModel->qmlInterface()->property("editModeEnable").toBool());
    QCOMPARE(panel()->childCount(), 2);
    // Either way the region comes first in the panel's list.
    pRegion = panel()->children().at(0);
    pOther = panel()->children().at(1);
    QCOMPARE(pRegion->type(), QStringLiteral("Region"));
    QTRY_VERIFY(m_pModel->qmlRootItem()->height() > 0);
    QCOMPARE(clickAt(pRegion->bounds().intersected(pOther->bounds()).center()), QList<CControl *>({pOther.data()}));
}

// A region's outline is a shape item: taking it off the window and putting it
// back at every stacking change broke its drawing at the next frame.
void TestCanvasGestures::restackedShapesKeepDrawing()
{
    const QPointer<CControl> pRegion = drop(QStringLiteral("Region"), 20, 20);
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 60, 40);
    QVERIFY(pRegion && pFrame);
    const QPointF regionOnly(pRegion->bounds().left() + 5, pRegion->bounds().center().y());
    QCOMPARE(clickAt(regionOnly), QList<CControl *>({pRegion.data()}));
    for (const QString &entry : {QStringLiteral("Send To &Back"), QStringLiteral("Bring To &Front")}) {
        QVERIFY(triggerMenuEntry(entry));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(QTest::qWaitForWindowExposed(view()));
            view()->grabWindow();
            m_pMain->undo();
            view()->grabWindow();
            m_pMain->redo();
        }
        view()->grabWindow();
        QCOMPARE(clickAt(regionOnly), QList<CControl *>({pRegion.data()}));
    }
}

void TestCanvasGestures::everyOpenDrawsAtTheSameScale_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromDesign");
    QTest::newRow("frame") << "Frame" << false;
    // The dialer brings a "bounds" of its own, which marks the dialer, not the panel.
    QTest::newRow("dialer") << "Dialer" << true;
}

// The scale comes from the opened project alone, not from the one before.
void TestCanvasGestures::everyOpenDrawsAtTheSameScale()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromDesign);
    DesignFixture design;
    design.addTelephoneEndpoint();
    const CControl *pDropped = fromDesign ? dropFromDesign(kind, 40, 60, design) : drop(kind, 40, 60);
    QVERIFY(pDropped);
    // What the user placed comes back as placed: at the scale it was edited in.
    const float edited = m_pModel->viewScale();
    const QRectF placed = pDropped->bounds();
    const qreal areaHeight = m_pModel->qmlRootItem()->height();
    // The refresh that page switching and canvas changes run keeps it so while editing.
    m_pModel->onExtraRefreshTimerTimeout();
    QCOMPARE(m_pModel->viewScale(), edited);
    QCOMPARE(pDropped->bounds().size(), placed.size());
    QCOMPARE(pDropped->bounds().y(), placed.y());
    const QString path = m_pDir->filePath(QStringLiteral("scale.cpz"));
    QVERIFY(m_pModel->saveProject(path));
    DChooser::setResponder([&](const DChooser::Request &) { return path; });
    QList<float> scales;
    for (int open = 0; open < 3; ++open) {
        m_pMain->openVC();
        QCOMPARE(m_pModel->projectPath(), path);
        // The new view takes the canvas's size once the window has laid it out.
        QTRY_COMPARE(m_pModel->qmlRootItem()->height(), areaHeight);
        scales << m_pModel->viewScale();
        // As large and as high as placed; across, centred in the area as the canvas asks.
        QCOMPARE(panel()->childCount(), 1);
        const QRectF back = panel()->children().first()->bounds();
        // The file keeps coordinates as single-precision text.
        QVERIFY(std::abs(back.y() - placed.y()) < 0.01);
        QVERIFY(std::abs(back.width() - placed.width()) < 0.01 && std::abs(back.height() - placed.height()) < 0.01);
        QVERIFY2(std::abs(back.x() - (m_pModel->qmlRootItem()->width() - back.right())) < 1.0,
                 qPrintable(QStringLiteral("%1 in %2").arg(back.x()).arg(m_pModel->qmlRootItem()->width())));
    }
    DChooser::setResponder({});
    QVERIFY2(qFuzzyCompare(scales.at(1), scales.at(0)) && qFuzzyCompare(scales.at(2), scales.at(0)),
             qPrintable(QStringLiteral("%1 %2 %3").arg(scales.at(0)).arg(scales.at(1)).arg(scales.at(2))));
    QCOMPARE(m_pModel->qmlInterface()->property("pixelScale").toFloat(), scales.at(0));
    QCOMPARE(scales.at(0), edited);
}

void TestCanvasGestures::reopenKeepsWhereControlsStand_data()
{
    QTest::addColumn<qreal>("left");  // left edge of the first control
    QTest::addColumn<qreal>("reach"); // right edge of the second, past the area's right edge
    QTest::newRow("hanging past the right edge") << 40.0 << 30.0;
    QTest::newRow("wider than the canvas") << 40.0 << 100.0;
    QTest::newRow("inside, off centre") << 10.0 << -120.0;
}

// Save, open, save: the second document is the first, byte for byte, and
// every control stands where it stood, round after round.
void TestCanvasGestures::reopenKeepsWhereControlsStand()
{
    QFETCH(qreal, left);
    QFETCH(qreal, reach);
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    const QSizeF area = pArea->size();
    const QPointer<CControl> pFirst = drop(QStringLiteral("Frame"), 40, 60);
    const QPointer<CControl> pSecond = drop(QStringLiteral("Label"), 100, 200);
    QVERIFY(pFirst && pSecond);
    // Where a project file may hold them: drops land inside the canvas.
    pFirst->moveBy(QPointF(left - pFirst->bounds().x(), 0.0));
    pSecond->moveBy(QPointF(area.width() + reach - pSecond->bounds().right(), 0.0));
    const QList<QRectF> placed{pFirst->bounds(), pSecond->bounds()};
    const auto bytes = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto text = [](const QRectF &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QString saved = m_pDir->filePath(QStringLiteral("1/panel.cpz"));
    QVERIFY(QDir(m_pDir->path()).mkpath(QStringLiteral("1")));
    QVERIFY(m_pModel->saveProject(saved));
    const QByteArray first = bytes(saved);
    QVERIFY(!first.isEmpty());

    for (int round = 2; round <= 3; ++round) {
        DChooser::setResponder([&](const DChooser::Request &) { return saved; });
        m_pMain->openVC();
        DChooser::setResponder({});
        QCOMPARE(m_pModel->projectPath(), saved);
        // The new view is laid out at the canvas's size, as the user sees it.
        QTRY_COMPARE(m_pModel->qmlRootItem()->size(), area);
        QCoreApplication::processEvents();
        QCOMPARE(panel()->childCount(), 2);
        for (int i = 0; i < 2; ++i) {
            const QRectF back = panel()->childAt(i)->bounds();
            QVERIFY2(std::abs(back.x() - placed.at(i).x()) < 0.01 && std::abs(back.y() - placed.at(i).y()) < 0.01,
                     qPrintable(text(placed.at(i)) + QStringLiteral(" -> ") + text(back)));
        }
        const QString folder = QString::number(round);
        QVERIFY(QDir(m_pDir->path()).mkpath(folder));
        saved = m_pDir->filePath(folder + QStringLiteral("/panel.cpz"));
        QVERIFY(m_pModel->saveProject(saved));
        QVERIFY2(bytes(saved) == first, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void TestCanvasGestures::pasteLandsInsideThePanel_data()
{
    QTest::addColumn<QPointF>("first");  // top-left of the copied controls, as fractions of the area
    QTest::addColumn<QPointF>("second"); // negative: one control only
    QTest::newRow("past the right edge") << QPointF(0.95, 0.2) << QPointF(-1, -1);
    QTest::newRow("past the bottom edge") << QPointF(0.2, 0.99) << QPointF(-1, -1);
    QTest::newRow("outside the area") << QPointF(1.5, 1.2) << QPointF(-1, -1);
    QTest::newRow("two, one past the right edge") << QPointF(0.5, 0.3) << QPointF(0.97, 0.4);
}

// Controls copied in an editor with a larger canvas come in inside this one,
// together as they were copied.
void TestCanvasGestures::pasteLandsInsideThePanel()
{
    QFETCH(QPointF, first);
    QFETCH(QPointF, second);
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    const QRectF area(0, 0, pArea->width(), pArea->height());
    const auto frame = [&](const QByteArray &name, const QPointF &where) {
        return "<Control name=\"" + name + "\" type=\"Frame\"><Property name=\"widget\"><frame><x>"
               + QByteArray::number(where.x() * area.width()) + "</x><y>"
               + QByteArray::number(where.y() * area.height())
               + "</y><width>60</width><height>40</height></frame></Property></Control>";
    };
    QByteArray controls = frame("A", first);
    if (second.x() >= 0)
        controls += frame("B", second);
    auto *pData = new QMimeData;
    pData->setData(QStringLiteral("application/control"),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VMD><Controls>" + controls + "</Controls></VMD>\n");
    QGuiApplication::clipboard()->setMimeData(pData);
    const int before = panel()->childCount();

    m_pMain->paste();

    const int count = second.x() >= 0 ? 2 : 1;
    QCOMPARE(panel()->childCount(), before + count);
    QRectF block;
    for (int i = before; i < before + count; ++i) {
        const QRectF bounds = panel()->childAt(i)->bounds();
        QCOMPARE(bounds.size(), QSizeF(60, 40));
        QVERIFY2(area.contains(bounds), qPrintable(QStringLiteral("%1,%2").arg(bounds.x()).arg(bounds.y())));
        block = block.united(bounds);
    }
    if (count == 2) {
        // Moved as one: the same distance apart.
        const QPointF apart =
            panel()->childAt(before + 1)->bounds().topLeft() - panel()->childAt(before)->bounds().topLeft();
        QVERIFY(std::abs(apart.x() - (second.x() - first.x()) * area.width()) < 0.01);
        QVERIFY(std::abs(apart.y() - (second.y() - first.y()) * area.height()) < 0.01);
    }
    QGuiApplication::clipboard()->clear();
}

// The importer reads the site's name; the canvas header shows it at once.
void TestCanvasGestures::importShowsTheSiteName()
{
    QQuickItem *pTitle = TestSupport::findItem(view()->rootObject(), QStringLiteral("headerTitle"));
    QVERIFY(pTitle);
    QCOMPARE(pTitle->property("text").toString(), QStringLiteral("SITE NAME"));
    const QString designPath = DesignFixture().write(m_pDir->path());
    QVERIFY(!designPath.isEmpty());
    DChooser::setResponder([&](const DChooser::Request &) { return designPath; });
    m_pMain->action(ActionId::OpenDesign)->trigger();
    DChooser::setResponder({});
    QCOMPARE(m_pModel->designFilePath(), designPath);
    pTitle = TestSupport::findItem(view()->rootObject(), QStringLiteral("headerTitle"));
    QVERIFY(pTitle);
    QTRY_COMPARE(pTitle->property("text").toString(), QStringLiteral("Grand Hotel"));
}

void TestCanvasGestures::canvasSkinChangeKeepsTheControl_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromDesign");
    QTest::newRow("frame") << "Frame" << false;
    QTest::newRow("gain's mute button") << "Mute" << true;
}

// Only the skin changes in the canvas setup: the lone control stays on the
// panel at its size and a click on it still selects it.
void TestCanvasGestures::canvasSkinChangeKeepsTheControl()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromDesign);
    const QPointer<CControl> pControl = fromDesign ? dropFromDesign(kind, 60, 80) : drop(kind, 60, 80);
    QVERIFY(pControl);
    const QRectF before = pControl->bounds();
    m_pModel->deselectAll();
    int shown = 0;
    {
        const ModalAnswer answer([&](DModalDialog *pDialog) {
            ++shown;
            auto *pSkin = pDialog->findChild<QComboBox *>(QStringLiteral("m_pSkinBox"));
            if (!pSkin)
                return int(QDialog::Rejected);
            pSkin->setCurrentText(QStringLiteral("Dark"));
            auto *pBox = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("m_pButtonBox"));
            if (!pBox)
                return int(QDialog::Rejected);
            QTest::mouseClick(pBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
            return pDialog->result();
        });
        m_pMain->action(ActionId::CanvasSetup)->trigger();
    }
    QCOMPARE(shown, 1);
    QCOMPARE(m_pModel->canvas()->skin(), QStringLiteral("Dark"));
    QVERIFY(pControl);
    QCOMPARE(panel()->children().last(), pControl.data());
    const QRectF after = pControl->bounds();
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    QVERIFY(pArea);
    const auto text = [](const QRectF &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QVERIFY2(QRectF(0, 0, pArea->width(), pArea->height()).contains(after),
             qPrintable(text(before) + QStringLiteral(" -> ") + text(after)));
    QVERIFY2(std::abs(after.width() - before.width()) < 1.0 && std::abs(after.height() - before.height()) < 1.0
                 && std::abs(after.y() - before.y()) < 1.0,
             qPrintable(text(before) + QStringLiteral(" -> ") + text(after)));

    WWidget *pWidget = pControl->widgets().isEmpty() ? nullptr : pControl->widgets().first().data();
    QVERIFY(pWidget);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, windowPoint(pWidget, 0.5, 0.5));
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pControl.data()}));
}

void TestCanvasGestures::captionShowsTheSelectedControl_data()
{
    QTest::addColumn<QStringList>("clicks"); // kinds dropped and clicked in turn, the later with Shift
    QTest::newRow("a frame") << QStringList{"Frame"};
    QTest::newRow("a label") << QStringList{"Label"};
    QTest::newRow("two controls") << QStringList{"Frame", "Label"};
}

// The properties caption names the one selected control, and nothing for several.
void TestCanvasGestures::captionShowsTheSelectedControl()
{
    QFETCH(QStringList, clicks);
    auto *pProperties = qobject_cast<KPropertiesController *>(m_pModel->findController(ControllerId::Properties));
    QVERIFY(pProperties && pProperties->caption());
    QList<QPointer<CControl>> controls;
    for (int i = 0; i < clicks.size(); ++i)
        controls << drop(clicks.at(i), 20 + 100 * i, 20 + 150 * i);
    for (int i = 0; i < controls.size(); ++i) {
        QVERIFY(controls.at(i));
        WWidget *pWidget = controls.at(i)->widgets().first();
        QTest::mouseClick(view(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ShiftModifier,
                          windowPoint(pWidget, 0.5, 0.5));
    }
    QCOMPARE(m_pModel->selectTool()->selection().size(), controls.size());

    QString expected;
    if (controls.size() == 1) {
        const QString title = controls.first()->title();
        expected = title.isEmpty() ? controls.first()->type() : controls.first()->type() + " : " + title;
        QVERIFY(!expected.isEmpty());
    }
    QCOMPARE(pProperties->caption()->text(), expected);
}

void TestCanvasGestures::setupDialogsClearTheSelection_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("layout") << int(ActionId::PanelSetup);
    QTest::newRow("canvas") << int(ActionId::CanvasSetup);
}

// The set-up dialogs leave nothing selected: a later Shift+click adds to an
// empty selection, not to controls the user saw deselected, and the
// properties pane no longer shows the page.
void TestCanvasGestures::setupDialogsClearTheSelection()
{
    QFETCH(int, action);
    auto *pProperties = qobject_cast<KPropertiesController *>(m_pModel->findController(ControllerId::Properties));
    QVERIFY(pProperties && pProperties->propertiesView());
    const QPointer<CControl> pFrame = drop(QStringLiteral("Frame"), 20, 20);
    const QPointer<CControl> pLabel = drop(QStringLiteral("Label"), 120, 200);
    QVERIFY(pFrame && pLabel);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier, windowPoint(pFrame->widgets().first(), 0.5, 0.5));
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pFrame.data()}));
    QVERIFY(pProperties->propertiesView()->widget());

    int shown = 0;
    {
        const ModalAnswer answer([&](DModalDialog *) {
            ++shown;
            return int(QDialog::Rejected);
        });
        m_pMain->action(action)->trigger();
    }
    QCOMPARE(shown, 1);
    QVERIFY(m_pModel->selectTool()->selection().isEmpty());
    QCOMPARE(pFrame->mode(), CControl::ModeNormal);
    QVERIFY(!pProperties->propertiesView()->widget());
    QCOMPARE(pProperties->caption()->text(), QString());

    QTest::mouseClick(view(), Qt::LeftButton, Qt::ShiftModifier, windowPoint(pLabel->widgets().first(), 0.5, 0.5));
    QCOMPARE(m_pModel->selectTool()->selection(), QList<CControl *>({pLabel.data()}));
}

// On the editor's narrow canvas no entry of the setup menu is cut short.
void TestCanvasGestures::setupMenuShowsWholeEntries()
{
    QQuickItem *pRoot = view()->rootObject();
    QQuickItem *pButton = TestSupport::findItem(pRoot, QStringLiteral("setupButton"));
    QVERIFY(pButton && pButton->isVisible());
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier,
                      pButton->mapToScene(QPointF(pButton->width() / 2, pButton->height() / 2)).toPoint());
    QQuickItem *pMenu = TestSupport::findItem(pRoot, QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    const QStringList entries = pMenu->property("model").toStringList();
    QVERIFY(entries.size() >= 3);
    for (int i = 0; i < entries.size(); ++i) {
        QQuickItem *pEntry = TestSupport::findItem(pMenu, QStringLiteral("menuEntry%1").arg(i));
        QVERIFY(pEntry);
        bool found = false;
        for (QQuickItem *pChild : pEntry->childItems()) {
            if (pChild->property("text").toString() != entries.at(i))
                continue;
            found = true;
            QVERIFY2(!pChild->property("truncated").toBool(), qPrintable(entries.at(i)));
            QVERIFY(pChild->property("font").value<QFont>().pixelSize() > 0);
        }
        QVERIFY2(found, qPrintable(entries.at(i)));
    }
}

// Leaving edit mode and coming back must not change the project tree's rows.
void TestCanvasGestures::treeRowsKeepTheirHeightInEveryMode()
{
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    QVERIFY(pTree && pTree->tree() && pTree->itemModel());
    VTree *pView = pTree->tree();
    QList<QModelIndex> rows;
    for (int row = 0; row < pTree->itemModel()->rowCount(); ++row)
        rows << pTree->itemModel()->item(row)->index();
    QVERIFY(!rows.isEmpty());
    QList<int> heights;
    for (const QModelIndex &index : std::as_const(rows))
        heights << pView->visualRect(index).height();
    QVERIFY(heights.first() > 0);
    for (bool on : {false, true, false}) {
        m_pMain->action(ActionId::EditMode)->trigger();
        QCOMPARE(m_pModel->qmlInterface()->property("editModeEnable").toBool(), on);
        pView->doItemsLayout();
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(pView->visualRect(rows.at(i)).height(), heights.at(i));
    }
}

VVB_TEST_MAIN(TestCanvasGestures)
#include "tst_canvasgestures.moc"
