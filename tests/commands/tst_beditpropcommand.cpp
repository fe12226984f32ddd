#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BEditPropCommand.h"
#include "model/CControl.h"
#include "support/PropPageFixture.h"
#include "support/TestMain.h"
#include "widgets/WWidget.h"

#include <QColor>
#include <QtTest>

#include <memory>

// Property edits filed through the real processor on a frame of a panel
// that is part of the document, with the Properties tab listening.
class TestBEditPropCommand : public QObject
{
    Q_OBJECT

private slots:
    void factoryMakesAnUndoableEdit();
    void unchangedValueFilesNothing_data();
    void unchangedValueFilesNothing();
    void twoValuesFileTwoEntries();
    void undoAndRedoApplyAndDescribe();
    void editSelectsTheControlAndRefreshesThePage();
    void goneWidgetOnlyKeepsTheState();
};

namespace {

const PropPageFixture::Settings kFrame = {
    {"x", "10"}, {"y", "20"}, {"width", "100"}, {"height", "50"}, {"fieldcolor", "#102030"}, {"borderwidth", "2"}};

// Files an edit of the widget as a page does.
void edit(WWidget *pWidget, int id, const QVariant &value)
{
    std::unique_ptr<BEditPropCommand> pCommand(static_cast<BEditPropCommand *>(
        BCommandFactory::instance()->createCommand(BCommandId::EditProp, BCommandMode::Undoable)));
    pCommand->setControl(pWidget);
    pCommand->setPropertyId(id);
    pCommand->setNewValue(value);
    pCommand->prepare();
    if (pCommand->run(0))
        pCommand.release();
}

} // namespace

void TestBEditPropCommand::factoryMakesAnUndoableEdit()
{
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(BCommandId::EditProp));
    auto *pEdit = dynamic_cast<BEditPropCommand *>(pCommand.get());
    QVERIFY(pEdit);
    QCOMPARE(pEdit->id(), 0x2107);
    QCOMPARE(pEdit->mode(), BCommandMode::Undoable);
    QCOMPARE(pEdit->oldValue(), QVariant(QString()));
    QCOMPARE(pEdit->newValue(), QVariant(QString()));
    QCOMPARE(pEdit->name(), QStringLiteral("Edit"));
}

void TestBEditPropCommand::unchangedValueFilesNothing_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("value");
    // The forms the pages send for the values in force.
    QTest::newRow("x as text") << int(WidgetPropertyId::XPos) << QVariant(QStringLiteral("10"));
    QTest::newRow("width as text") << int(WidgetPropertyId::Width) << QVariant(QStringLiteral("100"));
    QTest::newRow("border width as float") << int(WidgetPropertyId::BorderWidth) << QVariant(2.0f);
    QTest::newRow("field colour") << int(WidgetPropertyId::FieldColor) << QVariant(QColor(0x10, 0x20, 0x30));
}

void TestBEditPropCommand::unchangedValueFilesNothing()
{
    QFETCH(int, id);
    QFETCH(QVariant, value);
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    QVERIFY(pFrame);
    const int executed = BCommandProcessor::instance()->executedCount();
    edit(pFrame, id, value);
    QCOMPARE(fx.undoCount(), 0);
    QCOMPARE(BCommandProcessor::instance()->executedCount(), executed);
}

void TestBEditPropCommand::twoValuesFileTwoEntries()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    edit(pFrame, WidgetPropertyId::Width, QStringLiteral("150"));
    edit(pFrame, WidgetPropertyId::Width, QStringLiteral("200"));
    QCOMPARE(fx.undoCount(), 2);
    // Each text names the value its undo restores.
    QCOMPARE(fx.undoText(0), QStringLiteral("Edit: 150"));
    QCOMPARE(fx.undoText(1), QStringLiteral("Edit: 100"));
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::Width).toInt(), 200);
}

void TestBEditPropCommand::undoAndRedoApplyAndDescribe()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    edit(pFrame, WidgetPropertyId::XPos, QStringLiteral("40"));
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::XPos).toInt(), 40);

    fx.undo();
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::XPos).toInt(), 10);
    QCOMPARE(fx.redoCount(), 1);
    // In the redo history: the value that Redo sets.
    QCOMPARE(BCommandProcessor::instance()->redoCommandAt(0)->description(), QStringLiteral("Edit: 40"));

    fx.redo();
    QCOMPARE(pFrame->propertyValue(WidgetPropertyId::XPos).toInt(), 40);
    QCOMPARE(fx.undoText(), QStringLiteral("Edit: 10"));
}

void TestBEditPropCommand::editSelectsTheControlAndRefreshesThePage()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    WWidget *pOther = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame, QStringLiteral("Other"));
    QVERIFY(fx.open(pOther));
    QPointer<QWidget> pOldPage = fx.pageWidget();

    edit(pFrame, WidgetPropertyId::Height, QStringLiteral("80"));
    QCOMPARE(pFrame->control()->mode(), CControl::ModeSelected);
    QCOMPARE(pOther->control()->mode(), CControl::ModeNormal);
    QVERIFY(fx.page());
    QCOMPARE(fx.page()->widget(), pFrame);
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("80"));
    fx.flush();
    QVERIFY(!pOldPage);

    fx.undo();
    QCOMPARE(fx.shown(QStringLiteral("m_pHeightEdit")), QStringLiteral("50"));
}

void TestBEditPropCommand::goneWidgetOnlyKeepsTheState()
{
    PropPageFixture fx;
    WWidget *pFrame = fx.addWidget(QStringLiteral("Frame"), QStringLiteral("frame"), kFrame);
    edit(pFrame, WidgetPropertyId::Width, QStringLiteral("150"));
    QCOMPARE(fx.undoCount(), 1);
    BCommand *pCommand = BCommandProcessor::instance()->undoCommandAt(0);

    CControl *pControl = pFrame->control();
    fx.fx().panel()->removeChild(pControl, true);
    fx.flush();
    fx.undo();
    QCOMPARE(pCommand->state(), BCommandState::Undone);
    fx.redo();
    QCOMPARE(pCommand->state(), BCommandState::Done);

    // A new edit of a widget that is gone is never filed.
    auto pLate = std::make_unique<BEditPropCommand>();
    pLate->setControl(nullptr);
    QCOMPARE(pLate->model(), nullptr);
    pLate->setPropertyId(WidgetPropertyId::Width);
    pLate->setNewValue(QStringLiteral("300"));
    pLate->prepare();
    QVERIFY(!pLate->run(0));
    QCOMPARE(fx.undoCount(), 1);
}

VVB_TEST_MAIN(TestBEditPropCommand)
#include "tst_beditpropcommand.moc"
