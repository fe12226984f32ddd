#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/KMainController.h"
#include "dialogs/DMessageBox.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QSettings>
#include <QtTest>

#include <memory>

#include "support/TestMain.h"

// The Edit menu of the editor as main() builds it, with its real QML widgets:
// the actions are triggered as the user does, on graphics dropped from the
// tool box.
class TestKEditActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void copyPasteDeleteUndoRedo_data();
    void copyPasteDeleteUndoRedo();

private:
    CControl *drop(const QString &text, int x, int y);
    void trigger(int actionId);
    QStringList types() const;

    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    CComposite *m_pPanel = nullptr;
    QStringList m_warnings;
};

void TestKEditActions::init()
{
    QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0")).clear();
    QGuiApplication::clipboard()->clear();
    m_warnings.clear();
    DMessageBox::setResponder([this](const QString &, const QString &text) {
        m_warnings << text;
        return 0;
    });
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    m_pPanel = qobject_cast<CComposite *>(m_pModel->currentPanel());
    QVERIFY(m_pPanel);
}

void TestKEditActions::cleanup()
{
    m_pModel.reset();
    m_pMain = nullptr;
    m_pPanel = nullptr;
    DMessageBox::setResponder({});
    QGuiApplication::clipboard()->clear();
}

CControl *TestKEditActions::drop(const QString &text, int x, int y)
{
    const int before = m_pPanel->childCount();
    m_pModel->qmlInterface()->dropControl(text, QStringLiteral("0"), x, y);
    return m_pPanel->childCount() > before ? m_pPanel->children().last() : nullptr;
}

void TestKEditActions::trigger(int actionId)
{
    QAction *pAction = m_pMain->action(actionId);
    QVERIFY(pAction);
    QVERIFY2(pAction->isEnabled(), qPrintable(pAction->text()));
    pAction->trigger();
}

QStringList TestKEditActions::types() const
{
    QStringList result;
    for (const CControl *pControl : m_pPanel->children())
        result << pControl->type();
    return result;
}

void TestKEditActions::copyPasteDeleteUndoRedo_data()
{
    QTest::addColumn<QStringList>("graphics");
    QTest::newRow("label") << QStringList{"Label"};
    QTest::newRow("frame and image") << QStringList{"Frame", "Image"};
}

void TestKEditActions::copyPasteDeleteUndoRedo()
{
    QFETCH(QStringList, graphics);
    QVERIFY(m_pModel->qmlInterface());
    const QStringList before = types();
    QList<CControl *> dropped;
    for (int i = 0; i < graphics.size(); ++i) {
        CControl *pControl = drop(graphics.at(i), 40 + 150 * i, 60);
        QVERIFY2(pControl, qPrintable(graphics.at(i)));
        dropped << pControl;
    }
    // Every dropped control selected, as a shift-click does.
    BToolSelectCommand *pTool = m_pModel->selectTool();
    QVERIFY(pTool);
    for (int i = 0; i < dropped.size(); ++i) {
        pTool->setModifiers(i == 0 ? 0 : int(Qt::ShiftModifier));
        pTool->select(dropped.at(i));
    }
    pTool->setModifiers(0);
    pTool->run(0);
    const int undoBefore = BCommandProcessor::instance()->undoCount();

    trigger(ActionId::Copy);
    QCOMPARE(BCommandProcessor::instance()->undoCount(), undoBefore);
    trigger(ActionId::Paste);
    const QStringList withPasted = types();
    QCOMPARE(withPasted, before + graphics + graphics);
    QList<QPointer<CControl>> pasted;
    for (int i = 0; i < dropped.size(); ++i) {
        CControl *pCopy = m_pPanel->children().at(before.size() + dropped.size() + i);
        // The clipboard carries geometry as floats.
        const QRectF copy = pCopy->bounds();
        const QRectF original = dropped.at(i)->bounds();
        QVERIFY2(qAbs(copy.x() - original.x()) < 0.01 && qAbs(copy.y() - original.y()) < 0.01
                     && copy.size() == original.size(),
                 qPrintable(QStringLiteral("%1,%2").arg(copy.x()).arg(copy.y())));
        QCOMPARE(pCopy->mode(), CControl::ModeSelected);
        QVERIFY(!pCopy->widgets().isEmpty());
        pasted << pCopy;
    }

    // Delete takes the pasted (selected) controls; undo brings them back.
    trigger(ActionId::Delete);
    QCOMPARE(m_pPanel->childCount(), before.size() + dropped.size());
    trigger(ActionId::Undo);
    QCOMPARE(types(), withPasted);
    trigger(ActionId::Redo);
    QCOMPARE(m_pPanel->childCount(), before.size() + dropped.size());
    trigger(ActionId::Undo);
    for (const QPointer<CControl> &pCopy : std::as_const(pasted))
        QVERIFY(pCopy && m_pPanel->contains(pCopy));

    // Cut of the originals, undone: the same controls at the same places.
    const QList<CControl *> all = m_pPanel->children();
    for (int i = 0; i < dropped.size(); ++i) {
        pTool->setModifiers(i == 0 ? 0 : int(Qt::ShiftModifier));
        pTool->select(dropped.at(i));
    }
    pTool->setModifiers(0);
    pTool->run(0);
    trigger(ActionId::Cut);
    QCOMPARE(m_pPanel->childCount(), all.size() - dropped.size());
    trigger(ActionId::Undo);
    QCOMPARE(m_pPanel->children(), all);
    QVERIFY(m_warnings.isEmpty());
}

VVB_TEST_MAIN(TestKEditActions)
#include "tst_keditactions.moc"
