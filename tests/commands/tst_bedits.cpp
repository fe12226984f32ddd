#include "CommandFixture.h"

#include "commands/BEditCopyCommand.h"
#include "commands/BEditCutCommand.h"
#include "commands/BEditDeleteCommand.h"
#include "commands/BEditPasteCommand.h"
#include "controllers/ActionId.h"
#include "controllers/NotifyEventId.h"
#include "support/FakeMainController.h"
#include "support/RecordingCommand.h"
#include "support/TestMain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

const QString SelectionChanged =
    QStringLiteral("notify properties 0x%1").arg(NotifyEventId::SelectionChanged, 0, 16);

// One frame control as the clipboard carries it, with extra widget settings.
QByteArray frameXml(const QByteArray &name, const QByteArray &geometry = "<x>1</x><y>2</y><width>30</width>",
                    const QByteArray &widget = "frame", const QByteArray &extra = {})
{
    return "<Control name=\"" + name + "\" type=\"Frame\"><id>5</id><Property name=\"widget\"><" + widget + ">"
           + geometry + "<height>40</height>" + extra + "</" + widget + "></Property></Control>";
}

QByteArray clipboardXml(const QByteArray &controls)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VMD><Controls>" + controls + "</Controls></VMD>\n";
}

void offerClipboard(const QByteArray &bytes)
{
    auto *pData = new QMimeData;
    pData->setData(BEditCopyCommand::MimeType, bytes);
    QGuiApplication::clipboard()->setMimeData(pData);
}

QByteArray clipboardBytes()
{
    const QMimeData *pData = QGuiApplication::clipboard()->mimeData();
    return pData ? pData->data(BEditCopyCommand::MimeType) : QByteArray();
}

QStringList names(const QList<CControl *> &controls)
{
    QStringList result;
    for (const CControl *pControl : controls)
        result << (pControl ? pControl->name() : QStringLiteral("-"));
    return result;
}

} // namespace

// One editor: the command fixture's model and a main controller whose Edit
// actions run the commands as the menu does, with the processor refreshing
// its actions.
struct EditorFixture {
    EditorFixture()
        : main({ActionId::Undo, ActionId::Redo, ActionId::UndoList, ActionId::Paste})
    {
        f.factory.makeSavingWidgets();
        main.setModel(&f.model);
        f.commands()->setMainController(&main);
    }
    ~EditorFixture() { f.commands()->setMainController(nullptr); }

    // A control on the panel, which need not be the fixture's own.
    CControl *control(CComposite *pPanel, const QString &name, const QRectF &rect)
    {
        CControl *pControl = f.control(name, rect);
        f.panel->removeChild(pControl, false);
        pPanel->addChild(pControl);
        return pControl;
    }

    void select(const QList<CControl *> &controls)
    {
        f.tool->setModifiers(0);
        for (CControl *pControl : controls) {
            f.tool->select(pControl);
            f.tool->setModifiers(int(Qt::ShiftModifier));
        }
        f.tool->setModifiers(0);
        f.tool->run(0);
    }

    CommandFixture f;
    FakeMainController main;
};

class TestBEdits : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void factoryMakesTheEditCommands_data();
    void factoryMakesTheEditCommands();
    void copyWritesTheClipboardFormat();
    void nothingSelectedFilesNothing_data();
    void nothingSelectedFilesNothing();
    void removeAndUndoKeepEachControlsPlace_data();
    void removeAndUndoKeepEachControlsPlace();
    void cutThatCouldNotCopyRemovesNothing_data();
    void cutThatCouldNotCopyRemovesNothing();
    void pasteAddsSelectsAndUndoes_data();
    void pasteAddsSelectsAndUndoes();
    void pasteRefusesHostileClipboard_data();
    void pasteRefusesHostileClipboard();
    void refusedPasteDestroysWhatItBuilt();
    void pasteBetweenTwoEditors();
    void deleteFallingOutOfTheHistoryDestroysTheControls();
    void removedControlsOwnedOnlyWhileOffThePanel_data();
    void removedControlsOwnedOnlyWhileOffThePanel();
    void nodeStaysCheckedWhileAControlUsesIt_data();
    void nodeStaysCheckedWhileAControlUsesIt();

private:
    std::unique_ptr<EditorFixture> m_pEditor;
};

void TestBEdits::init()
{
    QGuiApplication::clipboard()->clear();
    m_pEditor = std::make_unique<EditorFixture>();
}

void TestBEdits::cleanup()
{
    m_pEditor.reset();
    QGuiApplication::clipboard()->clear();
}

void TestBEdits::factoryMakesTheEditCommands_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::newRow("undo") << BCommandId::EditUndo << "Undo" << BCommandMode::Discard;
    QTest::newRow("redo") << BCommandId::EditRedo << "Redo" << BCommandMode::Discard;
    QTest::newRow("cut") << BCommandId::EditCut << "Cut" << BCommandMode::Undoable;
    QTest::newRow("copy") << BCommandId::EditCopy << "Copy" << BCommandMode::Discard;
    QTest::newRow("paste") << BCommandId::EditPaste << "Paste" << BCommandMode::Undoable;
    QTest::newRow("delete") << BCommandId::EditDelete << "Delete" << BCommandMode::Discard;
}

void TestBEdits::factoryMakesTheEditCommands()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(int, mode);
    std::unique_ptr<BCommand> pCommand(BCommandFactory::instance()->createCommand(id));
    QVERIFY(pCommand);
    QCOMPARE(pCommand->id(), id);
    QCOMPARE(pCommand->name(), name);
    QCOMPARE(pCommand->description(), name);
    QCOMPARE(pCommand->mode(), mode);
    QCOMPARE(pCommand->state(), BCommandState::New);
}

void TestBEdits::copyWritesTheClipboardFormat()
{
    EditorFixture &e = *m_pEditor;
    CComposite *pSecond = e.f.addPanel(QStringLiteral("Second"));
    CControl *pA = e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    e.f.control(QStringLiteral("B"), QRectF(50, 20, 30, 40));
    CControl *pC = e.control(pSecond, QStringLiteral("C"), QRectF(5, 5, 10, 10));
    e.select({pC, pA});
    e.main.action(ActionId::Paste)->setEnabled(false);
    e.f.model.setModified(false);

    e.main.copy();

    const QByteArray bytes = clipboardBytes();
    QVERIFY(bytes.startsWith("\xFE\xFF"));
    QXmlStreamReader reader(bytes);
    QStringList tree;
    int depth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (depth < 3)
                tree << QString(depth, QLatin1Char('-')) + reader.name().toString()
                            + (depth == 2 ? QLatin1Char(' ') + reader.attributes().value("name").toString()
                                          : QString());
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    // Document order, whatever order the controls were selected in.
    QCOMPARE(tree, QStringList({"VMD", "-Controls", "--Control A", "--Control C"}));
    QVERIFY(e.main.action(ActionId::Paste)->isEnabled());
    QCOMPARE(e.f.commands()->undoCount(), 0);
    QCOMPARE(e.f.commands()->redoCount(), 0);
    // A copy leaves the project as it was: nothing to save.
    QVERIFY(!e.f.model.isModified());
    QCOMPARE(e.f.panel->childCount(), 2);
}

void TestBEdits::nothingSelectedFilesNothing_data()
{
    QTest::addColumn<QString>("slot");
    QTest::newRow("copy") << "copy";
    QTest::newRow("cut") << "cut";
    QTest::newRow("delete") << "del";
    QTest::newRow("paste without controls on the clipboard") << "paste";
}

void TestBEdits::nothingSelectedFilesNothing()
{
    QFETCH(QString, slot);
    EditorFixture &e = *m_pEditor;
    e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    QVERIFY(QMetaObject::invokeMethod(&e.main, qPrintable(slot)));
    QCOMPARE(e.f.panel->childCount(), 1);
    QCOMPARE(e.f.commands()->undoCount(), 0);
    QVERIFY(clipboardBytes().isEmpty());
}

// Panel "Home" holds A, B, C and panel "Second" D, E; Home is current.
void TestBEdits::removeAndUndoKeepEachControlsPlace_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QStringList>("home");
    QTest::addColumn<QStringList>("second");
    QTest::newRow("cut one") << "cut" << QStringList{"B"} << QStringList{"A", "C"} << QStringList{"D", "E"};
    QTest::newRow("delete one") << "del" << QStringList{"B"} << QStringList{"A", "C"} << QStringList{"D", "E"};
    QTest::newRow("cut on two panels") << "cut" << QStringList{"E", "A", "C"} << QStringList{"B"}
                                       << QStringList{"D"};
    QTest::newRow("delete on two panels") << "del" << QStringList{"A", "D", "C"} << QStringList{"B"}
                                          << QStringList{"E"};
    QTest::newRow("delete on the other panel only") << "del" << QStringList{"D"} << QStringList{"A", "B", "C"}
                                                    << QStringList{"E"};
}

void TestBEdits::removeAndUndoKeepEachControlsPlace()
{
    QFETCH(QString, slot);
    QFETCH(QStringList, selected);
    QFETCH(QStringList, home);
    QFETCH(QStringList, second);
    EditorFixture &e = *m_pEditor;
    CComposite *pSecond = e.f.addPanel(QStringLiteral("Second"));
    QHash<QString, QPointer<CControl>> controls;
    for (const char *name : {"A", "B", "C"})
        controls.insert(name, e.f.control(name, QRectF(10, 10, 20, 20)));
    for (const char *name : {"D", "E"})
        controls.insert(name, e.control(pSecond, name, QRectF(10, 10, 20, 20)));
    const QList<CControl *> homeBefore = e.f.panel->children();
    const QList<CControl *> secondBefore = pSecond->children();
    QList<CControl *> chosen;
    for (const QString &name : selected)
        chosen << controls.value(name);
    e.select(chosen);
    e.f.log.clear();

    QVERIFY(QMetaObject::invokeMethod(&e.main, qPrintable(slot)));
    QCOMPARE(names(e.f.panel->children()), home);
    QCOMPARE(names(pSecond->children()), second);
    QCOMPARE(e.f.commands()->undoCount(), 1);
    QVERIFY(e.f.log.contains(SelectionChanged));
    QVERIFY(e.f.tool->selection().isEmpty());
    for (CControl *pControl : chosen)
        QCOMPARE(pControl->mode(), CControl::ModeNormal);

    // The same objects come back, each to its own panel and place.
    e.f.log.clear();
    e.main.undo();
    QCOMPARE(e.f.panel->children(), homeBefore);
    QCOMPARE(pSecond->children(), secondBefore);
    QCOMPARE(e.f.model.currentPanel(), e.f.panel);
    QVERIFY(e.f.log.contains(SelectionChanged));
    QCOMPARE(e.f.commands()->undoCount(), 0);
    QCOMPARE(e.f.commands()->redoCount(), 1);

    e.f.log.clear();
    e.main.redo();
    QCOMPARE(names(e.f.panel->children()), home);
    QCOMPARE(names(pSecond->children()), second);
    QVERIFY(e.f.log.contains(SelectionChanged));
    e.main.undo();
    QCOMPARE(e.f.panel->children(), homeBefore);
    QCOMPARE(pSecond->children(), secondBefore);
    for (const QPointer<CControl> &pControl : std::as_const(controls))
        QVERIFY(pControl);
}

void TestBEdits::cutThatCouldNotCopyRemovesNothing_data()
{
    QTest::addColumn<QString>("slot");
    QTest::newRow("cut") << "cut";
    QTest::newRow("copy") << "copy";
}

// The clipboard lets go of the controls as soon as it was given them (another
// program took it over): nothing is on it, so a cut must not take them away.
void TestBEdits::cutThatCouldNotCopyRemovesNothing()
{
    QFETCH(QString, slot);
    EditorFixture &e = *m_pEditor;
    CControl *pA = e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    CControl *pB = e.f.control(QStringLiteral("B"), QRectF(50, 20, 30, 40));
    e.select({pA, pB});
    const QList<CControl *> before = e.f.panel->children();
    QClipboard *pClipboard = QGuiApplication::clipboard();
    bool taken = false;
    const QMetaObject::Connection lost = QObject::connect(pClipboard, &QClipboard::dataChanged, [&] {
        if (taken)
            return;
        taken = true;
        pClipboard->clear();
    });

    QVERIFY(QMetaObject::invokeMethod(&e.main, qPrintable(slot)));
    QObject::disconnect(lost);

    QVERIFY(taken);
    QVERIFY(clipboardBytes().isEmpty());
    QCOMPARE(e.f.panel->children(), before);
    QCOMPARE(e.f.commands()->undoCount(), 0);
    // Still selected, ready for another try.
    QCOMPARE(e.f.tool->selection(), QList<CControl *>({pA, pB}));
}

void TestBEdits::pasteAddsSelectsAndUndoes_data()
{
    QTest::addColumn<QStringList>("copied");
    QTest::newRow("one") << QStringList{"B"};
    QTest::newRow("two") << QStringList{"A", "B"};
}

void TestBEdits::pasteAddsSelectsAndUndoes()
{
    QFETCH(QStringList, copied);
    EditorFixture &e = *m_pEditor;
    CComposite *pSecond = e.f.addPanel(QStringLiteral("Second"));
    QList<CControl *> chosen;
    chosen << e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    chosen << e.f.control(QStringLiteral("B"), QRectF(60, 20, 30, 40));
    if (copied.size() == 1)
        chosen.removeFirst();
    e.select(chosen);
    e.main.copy();
    e.f.model.setCurrentPanel(pSecond);
    QCOMPARE(e.f.model.currentPanel(), pSecond);
    e.f.log.clear();

    e.main.paste();
    QCOMPARE(names(pSecond->children()), copied);
    QCOMPARE(e.f.commands()->undoCount(), 1);
    const QList<CControl *> pasted = pSecond->children();
    for (int i = 0; i < pasted.size(); ++i) {
        QVERIFY(!chosen.contains(pasted.at(i)));
        QCOMPARE(pasted.at(i)->bounds(), chosen.at(i)->bounds());
        QCOMPARE(pasted.at(i)->model(), &e.f.model);
        QCOMPARE(pasted.at(i)->mode(), CControl::ModeSelected);
    }
    // Every pasted control is the selection; the copied ones no longer are.
    QCOMPARE(e.f.tool->selection(), pasted);
    for (CControl *pControl : chosen)
        QCOMPARE(pControl->mode(), CControl::ModeNormal);
    QVERIFY(e.f.log.contains(SelectionChanged));
    QCOMPARE(names(e.f.panel->children()), QStringList({"A", "B"}));

    e.f.log.clear();
    e.main.undo();
    QVERIFY(pSecond->children().isEmpty());
    QVERIFY(e.f.log.contains(SelectionChanged));
    e.main.redo();
    QCOMPARE(pSecond->children(), pasted);
}

void TestBEdits::pasteRefusesHostileClipboard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("added");
    const QByteArray one = frameXml("P");
    QTest::newRow("sound") << clipboardXml(one) << 1;
    QTest::newRow("sound, two") << clipboardXml(one + frameXml("Q")) << 2;
    QTest::newRow("built-in images")
        << clipboardXml(frameXml("P", "<x>1</x>", "button",
                                 "<onimage>mute_on</onimage><offimage>../images/skins/Light/mute_off.png</offimage>"))
        << 1;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("not xml") << QByteArray("\x01\x02garbage<<") << 0;
    QTest::newRow("truncated") << clipboardXml(one + frameXml("Q")).chopped(30) << 0;
    QTest::newRow("wrong root") << ("<Project><Controls>" + one + "</Controls></Project>") << 0;
    QTest::newRow("no controls") << clipboardXml({}) << 0;
    QTest::newRow("two roots") << clipboardXml(one) + clipboardXml(one).mid(39) << 0;
    QTest::newRow("scenes instead of controls")
        << ("<VMD><Scenes><Scene name=\"S\"><Panels><Panel name=\"P\"><Controls>" + one
            + "</Controls></Panel></Panels></Scene></Scenes></VMD>")
        << 0;
    QTest::newRow("processor beside the controls")
        << ("<VMD><Connections><Connection name=\"Evil\"/></Connections><Controls>" + one + "</Controls></VMD>")
        << 0;
    QTest::newRow("huge width") << clipboardXml(frameXml("P", "<x>1</x><width>1e30</width>")) << 0;
    QTest::newRow("overflowing x") << clipboardXml(frameXml("P", "<x>1e999</x>")) << 0;
    QTest::newRow("infinite y") << clipboardXml(frameXml("P", "<y>inf</y>")) << 0;
    QTest::newRow("nan width") << clipboardXml(frameXml("P", "<width>nan</width>")) << 0;
    QTest::newRow("entities")
        << ("<?xml version=\"1.0\"?><!DOCTYPE VMD [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
            "<VMD><Controls>"
            + frameXml("&b;") + "</Controls></VMD>")
        << 0;
    QTest::newRow("absolute image path")
        << clipboardXml(frameXml("P", "<x>1</x>", "image", "<path>/etc/passwd</path>")) << 0;
    QTest::newRow("image file url")
        << clipboardXml(frameXml("P", "<x>1</x>", "image", "<path>file:///home/u/.ssh/id_rsa</path>")) << 0;
    QTest::newRow("image out of the built-in folder")
        << clipboardXml(frameXml("P", "<x>1</x>", "button", "<onimage>../images/../../secret.png</onimage>")) << 0;
    QTest::newRow("panel link image in a parent folder")
        << clipboardXml(frameXml("P", "<x>1</x>", "panellink", "<imagepath>../../secret.png</imagepath>")) << 0;
}

void TestBEdits::pasteRefusesHostileClipboard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, added);
    EditorFixture &e = *m_pEditor;
    e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    const int nodes = e.f.model.rootNode()->childCount();
    offerClipboard(bytes);
    e.f.log.clear();

    e.main.paste();
    QCOMPARE(e.f.panel->childCount(), 1 + added);
    QCOMPARE(e.f.commands()->undoCount(), added > 0 ? 1 : 0);
    QCOMPARE(e.f.model.rootNode()->childCount(), nodes);
    // Refused without a word: the clipboard may hold anything.
    for (const QString &line : std::as_const(e.f.log))
        QVERIFY2(!line.startsWith(QStringLiteral("box")), qPrintable(line));
}

void TestBEdits::refusedPasteDestroysWhatItBuilt()
{
    EditorFixture &e = *m_pEditor;
    e.f.panel->setPanelType(QStringLiteral("template"));
    offerClipboard(clipboardXml(frameXml("P") + frameXml("Q")));

    auto *pCommand =
        static_cast<BEditPasteCommand *>(BCommandFactory::instance()->createCommand(BCommandId::EditPaste));
    pCommand->setModel(&e.f.model);
    pCommand->prepare();
    pCommand->run(0);
    QList<QPointer<CControl>> built;
    for (CControl *pControl : pCommand->controls().children())
        built << pControl;
    QCOMPARE(built.size(), 2);
    QCOMPARE(e.f.commands()->undoCount(), 0);
    QVERIFY(e.f.panel->children().isEmpty());
    delete pCommand;
    e.f.flushDeletes();
    for (const QPointer<CControl> &pControl : std::as_const(built))
        QVERIFY(!pControl);

    // The same through the menu: nothing added, nothing filed.
    e.main.paste();
    QVERIFY(e.f.panel->children().isEmpty());
    QCOMPARE(e.f.commands()->undoCount(), 0);
}

// Two editors in one process: what one copies, the other pastes, through
// the system clipboard and its format only.
void TestBEdits::pasteBetweenTwoEditors()
{
    EditorFixture &first = *m_pEditor;
    CControl *pA = first.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    CControl *pB = first.f.control(QStringLiteral("B"), QRectF(70, 20, 30, 40));
    first.select({pA, pB});
    first.main.copy();
    first.f.commands()->setMainController(nullptr);

    auto second = std::make_unique<EditorFixture>();
    second->main.paste();
    const QList<CControl *> pasted = second->f.panel->children();
    QCOMPARE(names(pasted), QStringList({"A", "B"}));
    QCOMPARE(pasted.at(0)->bounds(), pA->bounds());
    QCOMPARE(pasted.at(1)->bounds(), pB->bounds());
    for (CControl *pControl : pasted)
        QCOMPARE(pControl->model(), &second->f.model);
    QCOMPARE(names(first.f.panel->children()), QStringList({"A", "B"}));
    second->main.undo();
    QVERIFY(second->f.panel->children().isEmpty());
    second.reset();
    QCOMPARE(names(first.f.panel->children()), QStringList({"A", "B"}));
}

void TestBEdits::deleteFallingOutOfTheHistoryDestroysTheControls()
{
    EditorFixture &e = *m_pEditor;
    QPointer<CControl> pA = e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    QPointer<CControl> pB = e.f.control(QStringLiteral("B"), QRectF(70, 20, 30, 40));
    e.select({pA, pB});
    e.main.del();
    for (int i = 0; i < BCommandProcessor::HistoryLimit - 1; ++i)
        e.f.commands()->execute(new RecordingCommand(QString::number(i), &e.f.log));
    e.f.flushDeletes();
    QVERIFY(pA && pB);
    e.f.commands()->execute(new RecordingCommand(QStringLiteral("last"), &e.f.log));
    e.f.flushDeletes();
    QVERIFY(!pA);
    QVERIFY(!pB);
    QVERIFY(e.f.panel->children().isEmpty());
}

// A command destroyed while its controls are on the panel leaves them there.
void TestBEdits::removedControlsOwnedOnlyWhileOffThePanel_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("undoFirst");
    QTest::addColumn<bool>("survive");
    QTest::newRow("cut, done") << "cut" << false << false;
    QTest::newRow("cut, undone") << "cut" << true << true;
    QTest::newRow("delete, done") << "del" << false << false;
    QTest::newRow("delete, undone") << "del" << true << true;
}

void TestBEdits::removedControlsOwnedOnlyWhileOffThePanel()
{
    QFETCH(QString, slot);
    QFETCH(bool, undoFirst);
    QFETCH(bool, survive);
    EditorFixture &e = *m_pEditor;
    QPointer<CControl> pA = e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    e.select({pA});
    QVERIFY(QMetaObject::invokeMethod(&e.main, qPrintable(slot)));
    if (undoFirst)
        e.main.undo();
    e.f.commands()->clear();
    e.f.flushDeletes();
    QCOMPARE(bool(pA), survive);
    QCOMPARE(e.f.panel->childCount(), survive ? 1 : 0);
}

void TestBEdits::nodeStaysCheckedWhileAControlUsesIt_data()
{
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<bool>("checked");
    QTest::newRow("one of two") << QStringList{"A"} << true;
    QTest::newRow("both") << QStringList{"A", "B"} << false;
}

void TestBEdits::nodeStaysCheckedWhileAControlUsesIt()
{
    QFETCH(QStringList, removed);
    QFETCH(bool, checked);
    EditorFixture &e = *m_pEditor;
    FakeNode *pNode = e.f.node(QStringLiteral("Input 1"), {{"Level", "Slider"}});
    CComposite *pSecond = e.f.addPanel(QStringLiteral("Second"));
    CControl *pA = e.f.control(QStringLiteral("A"), QRectF(10, 20, 30, 40));
    CControl *pB = e.control(pSecond, QStringLiteral("B"), QRectF(10, 20, 30, 40));
    pA->setNode(pNode);
    pB->setNode(pNode);
    pNode->setChecked(true);
    e.select(removed.size() == 1 ? QList<CControl *>{pA} : QList<CControl *>{pA, pB});

    e.main.del();
    QCOMPARE(pNode->isChecked(), checked);
    e.main.undo();
    QVERIFY(pNode->isChecked());
    e.select(removed.size() == 1 ? QList<CControl *>{pA} : QList<CControl *>{pA, pB});
    e.main.cut();
    QCOMPARE(pNode->isChecked(), checked);
}

VVB_TEST_MAIN(TestBEdits)
#include "tst_bedits.moc"
