#include "controllers/KMainController.h"
#include "dialogs/DPropDialog.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/EditorFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"
#include "widgets/WidgetPropertyId.h"

#include <QLineEdit>
#include <QPointer>
#include <QQuickStyle>
#include <QtTest>

#include <memory>

namespace {

// What the page's four geometry fields show, as "x,y wxh".
QString shownGeometry(const DPropDialog *pPage)
{
    if (!pPage)
        return QStringLiteral("no page");
    QStringList texts;
    for (const char *name : {"m_pXPosEdit", "m_pYPosEdit", "m_pWidthEdit", "m_pHeightEdit"}) {
        const auto *pEdit = pPage->findChild<QLineEdit *>(QLatin1String(name));
        texts << (pEdit ? pEdit->text() : QStringLiteral("?"));
    }
    return texts.at(0) + "," + texts.at(1) + " " + texts.at(2) + "x" + texts.at(3);
}

// The same values read from the widget the page is bound to.
QString geometryInForce(const WWidget *pWidget)
{
    QStringList texts;
    for (int id : {WidgetPropertyId::XPos, WidgetPropertyId::YPos, WidgetPropertyId::Width, WidgetPropertyId::Height})
        texts << pWidget->propertyValue(WidgetPropertyId::Type(id)).toString();
    return texts.at(0) + "," + texts.at(1) + " " + texts.at(2) + "x" + texts.at(3);
}

} // namespace

// The Properties tab of the editor as a user works it: controls placed on
// the canvas, selected and changed with the mouse, and Undo and Redo from
// the Edit menu.
class TestPropertiesPane : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pageFollowsUndoAndRedo_data();
    void pageFollowsUndoAndRedo();

private:
    std::unique_ptr<EditorFixture> m_pEditor;
};

void TestPropertiesPane::initTestCase()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestPropertiesPane::init()
{
    m_pEditor = std::make_unique<EditorFixture>();
    QVERIFY(m_pEditor->isReady());
    QVERIFY(m_pEditor->showPropertiesTab());
}

void TestPropertiesPane::cleanup()
{
    m_pEditor.reset();
}

void TestPropertiesPane::pageFollowsUndoAndRedo_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromDesign");
    QTest::addColumn<QPointF>("grab"); // fractions of the control's first widget
    QTest::addColumn<QPoint>("by");
    QTest::newRow("fader resized shorter") << "Level" << true << QPointF(0.5, 1.0) << QPoint(0, -110);
    QTest::newRow("fader dragged") << "Level" << true << QPointF(0.5, 0.5) << QPoint(40, 30);
    QTest::newRow("frame resized wider") << "Frame" << false << QPointF(1.0, 0.5) << QPoint(35, 0);
    QTest::newRow("frame dragged") << "Frame" << false << QPointF(0.5, 0.5) << QPoint(-20, 45);
}

// After a gesture, its undo and its redo, the page shows the values the
// control has now, not those of before.
void TestPropertiesPane::pageFollowsUndoAndRedo()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromDesign);
    QFETCH(QPointF, grab);
    QFETCH(QPoint, by);
    EditorFixture &editor = *m_pEditor;
    const QPointer<CControl> pControl = fromDesign ? editor.dropFromDesign(kind, 40, 40) : editor.drop(kind, 40, 40);
    QVERIFY(pControl);
    WWidget *pFirst = pControl->widgets().first();
    editor.click(EditorFixture::windowPoint(pFirst, 0.3, 0.3));
    QPointer<DPropDialog> pPage = editor.page();
    QVERIFY(pPage);
    const QPointer<WWidget> pBound = pPage->widget();
    QVERIFY(pBound);
    const QString before = geometryInForce(pBound);
    QCOMPARE(shownGeometry(pPage), before);

    editor.drag(EditorFixture::windowPoint(pFirst, grab.x(), grab.y()), by);
    const QString after = geometryInForce(pBound);
    QVERIFY(after != before);
    QCOMPARE(shownGeometry(editor.page()), after);

    editor.main()->undo();
    QCOMPARE(geometryInForce(pBound), before);
    QCOMPARE(shownGeometry(editor.page()), before);

    editor.main()->redo();
    QCOMPARE(geometryInForce(pBound), after);
    QCOMPARE(shownGeometry(editor.page()), after);
}

VVB_TEST_MAIN(TestPropertiesPane)
#include "tst_propertiespane.moc"
