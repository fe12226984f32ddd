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
#include "support/TestMain.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "views/VTree.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
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

} // namespace

namespace {

QQuickItem *findItem(QQuickItem *pRoot, const QString &name)
{
    for (QQuickItem *pChild : pRoot ? pRoot->childItems() : QList<QQuickItem *>()) {
        if (pChild->objectName() == name)
            return pChild;
        if (QQuickItem *pFound = findItem(pChild, name))
            return pFound;
    }
    return nullptr;
}

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
    void dropLandsInsideThePanel_data();
    void dropLandsInsideThePanel();
    void clickSelectsWhatIsDrawnOnTop_data();
    void clickSelectsWhatIsDrawnOnTop();
    void everyOpenDrawsAtTheSameScale_data();
    void everyOpenDrawsAtTheSameScale();
    void canvasSkinChangeKeepsTheControl_data();
    void canvasSkinChangeKeepsTheControl();
    void captionShowsTheSelectedControl_data();
    void captionShowsTheSelectedControl();
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
    QStandardItem *pItem = pItems ? controlItem(pItems, pItems->invisibleRootItem(), text) : nullptr;
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

void TestCanvasGestures::dropLandsInsideThePanel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPointF>("where"); // fractions of the drawing area
    QTest::newRow("frame by the bottom-right corner") << "Frame" << QPointF(0.97, 0.97);
    QTest::newRow("label by the right edge") << "Label" << QPointF(0.95, 0.4);
    QTest::newRow("frame by the bottom edge") << "Frame" << QPointF(0.1, 0.99);
    QTest::newRow("label well inside") << "Label" << QPointF(0.2, 0.2);
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

    const QPointer<CControl> pControl = drop(kind, x, y);

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

// On the editor's narrow canvas no entry of the setup menu is cut short.
void TestCanvasGestures::setupMenuShowsWholeEntries()
{
    QQuickItem *pRoot = view()->rootObject();
    QQuickItem *pButton = findItem(pRoot, QStringLiteral("setupButton"));
    QVERIFY(pButton && pButton->isVisible());
    QTest::mouseClick(view(), Qt::LeftButton, Qt::NoModifier,
                      pButton->mapToScene(QPointF(pButton->width() / 2, pButton->height() / 2)).toPoint());
    QQuickItem *pMenu = findItem(pRoot, QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    const QStringList entries = pMenu->property("model").toStringList();
    QVERIFY(entries.size() >= 3);
    for (int i = 0; i < entries.size(); ++i) {
        QQuickItem *pEntry = findItem(pMenu, QStringLiteral("menuEntry%1").arg(i));
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
