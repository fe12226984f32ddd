#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/KMainController.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/DesignFixture.h"
#include "support/EditorFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QPointer>
#include <QQuickStyle>
#include <QQuickView>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

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
    std::unique_ptr<EditorFixture> m_pEditor;
};

void TestPlacedControls::initTestCase()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestPlacedControls::init()
{
    m_pEditor = std::make_unique<EditorFixture>();
    QVERIFY(m_pEditor->isReady());
}

void TestPlacedControls::cleanup()
{
    m_pEditor.reset();
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
    EditorFixture &editor = *m_pEditor;
    for (QAction *pAction : editor.main()->findChildren<QAction *>()) {
        if (!level.isEmpty() && pAction->text() == level)
            pAction->trigger();
    }
    const DesignFixture design = designWithLevelRange();
    const QPointer<CControl> pControl = editor.dropFromDesign(node + QLatin1Char('/') + item, 40, 60, design);
    QVERIFY(pControl);
    WWidget *pWidget = pControl->findWidget(widget);
    QVERIFY(pWidget);
    // Something else is picked meanwhile.
    const QPointer<CControl> pOther = editor.dropFromDesign(QStringLiteral("Lobby Gain/Mute"), 500, 400, design);
    QVERIFY(pOther);
    editor.click(EditorFixture::windowPoint(pOther->widgets().first(), 0.5, 0.5));
    QCOMPARE(editor.model()->selectTool()->selection(), QList<CControl *>({pOther.data()}));

    const QPoint from = EditorFixture::windowPoint(pWidget, 0.5, 0.5);
    editor.click(from);
    QCOMPARE(editor.model()->selectTool()->selection(), QList<CControl *>({pControl.data()}));

    const QRectF before = pControl->bounds();
    const QPoint by(30, 40);
    editor.drag(from, by, 4);
    const QPointF moved = pControl->bounds().topLeft() - before.topLeft();
    const qreal grid = 5.0 * editor.model()->viewScale();
    QVERIFY2(std::abs(moved.y() - by.y()) < grid,
             qPrintable(QStringLiteral("moved %1,%2").arg(moved.x()).arg(moved.y())));

    editor.main()->action(ActionId::Delete)->trigger();
    QVERIFY(!editor.panel()->children().contains(pControl.data()));
}

VVB_TEST_MAIN(TestPlacedControls)
#include "tst_placedcontrols.moc"
