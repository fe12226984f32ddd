#include "dialogs/DMessageBox.h"
#include "dialogs/DPanelSetupDialog.h"
#include "dialogs/DTemplateDialog.h"
#include "dialogs/DTitleDialog.h"
#include "model/ModelFixture.h"
#include "model/MProject.h"
#include "support/DialogDriver.h"
#include "support/TestMain.h"
#include "widgets/WPanelLink.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QPointer>
#include <QQmlContext>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <functional>

namespace {

const QStringList ButtonNames = {"m_pAddScene", "m_pDeleteScene", "m_pAddPanel", "m_pDeletePanel",
                                 "m_pMoveUp",   "m_pMoveDown",    "m_pEditTitle"};

// A model with collections "C1", "C2", ... holding panels "P0", "P1", ...,
// templates in a folder of their own, and a user who answers the layout
// dialog with the given steps and its nested dialogs as told: the template
// chosen by name (empty: Cancel) and the title typed.
struct Layout
{
    Layout()
    {
        QFile::copy(DTemplateDialog::templatesFolder() + QStringLiteral("Blank Panel.tpl"),
                    templates.filePath(QStringLiteral("Blank Panel.tpl")));
        QFile::copy(DTemplateDialog::templatesFolder() + QStringLiteral("Blank Panel.tpl"),
                    templates.filePath(QStringLiteral("Wide Panel.tpl")));
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            boxes.append(title + QLatin1Char('|') + text);
            return 0;
        });
    }

    // One collection per entry, with that many panels; the first panel shown.
    void build(const QList<int> &panelCounts)
    {
        for (int i = 0; i < panelCounts.size(); ++i)
            f.sceneWithPanels(QStringLiteral("C%1").arg(i + 1), panelCounts.at(i));
        f.model->updatePageCount();
    }

    CComposite *scene(int index) const { return qobject_cast<CComposite *>(f.model->scenes()->childAt(index)); }
    CComposite *panel(int sceneIndex, int index) const
    {
        return qobject_cast<CComposite *>(scene(sceneIndex)->childAt(index));
    }

    QStringList panelNames(int sceneIndex) const
    {
        QStringList names;
        for (const CControl *pPanel : scene(sceneIndex)->children())
            names.append(pPanel->name());
        return names;
    }

    QStringList sceneNames() const
    {
        QStringList names;
        for (const CControl *pScene : f.model->scenes()->children())
            names.append(pScene->name());
        return names;
    }

    // Runs the dialog; the steps see it shown and prepared, and say whether
    // to accept it.
    bool run(const std::function<bool(DPanelSetupDialog *)> &steps)
    {
        ModalAnswer user([&](DModalDialog *pDialog) {
            if (auto *pLayout = qobject_cast<DPanelSetupDialog *>(pDialog)) {
                tree = pLayout->findChild<QTreeView *>(QStringLiteral("m_pTreeView"));
                tree->expandAll();
                const bool ok = steps(pLayout);
                DialogDriver::press(pDialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
                return ok ? 1 : 0;
            }
            if (qobject_cast<DTemplateDialog *>(pDialog)) {
                asked.append(QStringLiteral("template"));
                auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pFileList"));
                const QList<QListWidgetItem *> found = pList->findItems(chosenTemplate, Qt::MatchExactly);
                if (chosenTemplate.isEmpty() || found.isEmpty()) {
                    DialogDriver::press(pDialog, QDialogButtonBox::Cancel);
                    return 0;
                }
                DialogDriver::clickIndex(pList, pList->indexFromItem(found.first()));
                DialogDriver::press(pDialog, QDialogButtonBox::Ok);
                return 1;
            }
            if (qobject_cast<DTitleDialog *>(pDialog)) {
                asked.append(QStringLiteral("title"));
                auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_lineEdit"));
                pEdit->selectAll();
                QTest::keyClick(pEdit, Qt::Key_Backspace);
                QTest::keyClicks(pEdit, typedTitle);
                DialogDriver::press(pDialog, QDialogButtonBox::Ok);
                return 1;
            }
            return 0;
        });
        DPanelSetupDialog dialog;
        dialog.setModel(f.model);
        dialog.setTemplateFolder(templates.path() + QLatin1Char('/'));
        const bool accepted = dialog.runModal();
        changed = dialog.hasChangedStructure();
        tree = nullptr;
        return accepted;
    }

    bool click(const CControl *pControl) const
    {
        const auto *pComposite = qobject_cast<const CComposite *>(pControl);
        return pComposite && DialogDriver::clickIndex(tree, pComposite->treeIndex());
    }

    static QString enabledButtons(QWidget *pDialog)
    {
        QStringList names;
        for (const QString &name : ButtonNames) {
            if (DialogDriver::isEnabled(pDialog, name))
                names.append(name.mid(3));
        }
        return names.join(QLatin1Char(' '));
    }

    ModelFixture f;
    QTemporaryDir templates;
    QString chosenTemplate = QStringLiteral("Blank Panel");
    QString typedTitle;
    QStringList asked;
    QStringList boxes;
    QPointer<QTreeView> tree;
    bool changed = false;
};

} // namespace

class TestDPanelSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void formAndWindow();
    void buttonRules_data();
    void buttonRules();
    void addPanelIsNamedAfterTheTemplate_data();
    void addPanelIsNamedAfterTheTemplate();
    void addCollection();
    void canvasFollowsTheEdits_data();
    void canvasFollowsTheEdits();
    void renameRewritesOnlyMatchingLinks_data();
    void renameRewritesOnlyMatchingLinks();
    void deletingTheOnlyCollection_data();
    void deletingTheOnlyCollection();
    void deletingTheShownPanelMovesTheCanvas_data();
    void deletingTheShownPanelMovesTheCanvas();
    void deletingWithoutAReplacementLeavesNothingDangling_data();
    void deletingWithoutAReplacementLeavesNothingDangling();
    void deletingTheLastPanelAsksForANewOne();
    void moving_data();
    void moving();
    void expandedBranchesStayOpen();
    void openedByTheModel_data();
    void openedByTheModel();
};

void TestDPanelSetupDialog::formAndWindow()
{
    Layout l;
    l.build({1});
    l.f.model->project()->setFacilityName(QStringLiteral("Grand Hotel"));
    QString title;
    QString site;
    bool siteSelected = false;
    QStringList tabs;
    QVERIFY(l.run([&](DPanelSetupDialog *pDialog) {
        title = pDialog->windowTitle();
        auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pHeaderEdit"));
        site = pEdit->text();
        siteSelected = pEdit->selectedText() == site;
        for (QWidget *pWidget = pEdit; tabs.size() < 8; pWidget = pWidget->nextInFocusChain()) {
            if (pWidget->parentWidget() == pDialog)
                tabs.append(pWidget->objectName());
            if (pWidget->objectName() == QLatin1String("m_pTreeView"))
                break;
        }
        return true;
    }));
    QCOMPARE(title, QStringLiteral("Layout"));
    QCOMPARE(site, QStringLiteral("Grand Hotel"));
    QVERIFY(siteSelected);
    // The form's tab stops come in this order; the other buttons fall in between.
    const QStringList stops = {"m_pHeaderEdit", "buttonBox",      "m_pDeleteScene", "m_pAddPanel",
                               "m_pDeletePanel", "m_pEditTitle", "m_pTreeView"};
    tabs.removeIf([&](const QString &name) { return !stops.contains(name); });
    QCOMPARE(tabs, stops);

    DPanelSetupDialog dialog;
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.size(), QSize(330, 330));
    // Placed by hand in a window of fixed size: nothing may stand past its edge,
    // and each button is wide enough for its text.
    for (QWidget *pChild : dialog.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        QVERIFY2(dialog.rect().contains(pChild->geometry()), qPrintable(pChild->objectName()));
        if (auto *pButton = qobject_cast<QPushButton *>(pChild))
            QVERIFY2(pButton->width() >= pButton->sizeHint().width(), qPrintable(pButton->objectName()));
    }
}

// What the user clicks: "" nothing, "root", "C<i>" a collection, "C<i>/P<j>" a panel.
void TestDPanelSetupDialog::buttonRules_data()
{
    QTest::addColumn<QList<int>>("panels");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("enabled");
    const QString collection = "AddScene DeleteScene AddPanel MoveUp MoveDown EditTitle";
    const QString panel = "AddPanel DeletePanel MoveUp MoveDown EditTitle";
    QTest::newRow("at open") << QList<int>{2, 2} << "" << "";
    QTest::newRow("root") << QList<int>{2, 2} << "root" << "";
    QTest::newRow("collection") << QList<int>{2, 2} << "C2" << collection;
    QTest::newRow("panel") << QList<int>{2, 2} << "C1/P1" << panel;
    QTest::newRow("five collections") << QList<int>{1, 1, 1, 1, 1} << "C5" << collection;
    QTest::newRow("six collections") << QList<int>{1, 1, 1, 1, 1, 1} << "C6"
                                     << "DeleteScene AddPanel MoveUp MoveDown EditTitle";
    QTest::newRow("five panels, collection") << QList<int>{5} << "C1" << collection;
    QTest::newRow("six panels, collection") << QList<int>{6, 1} << "C1"
                                            << "AddScene DeleteScene MoveUp MoveDown EditTitle";
    QTest::newRow("six panels, panel") << QList<int>{6} << "C1/P5" << "DeletePanel MoveUp MoveDown EditTitle";
    QTest::newRow("six panels elsewhere") << QList<int>{6, 1} << "C2/P0" << panel;
}

void TestDPanelSetupDialog::buttonRules()
{
    QFETCH(QList<int>, panels);
    QFETCH(QString, clicked);
    QFETCH(QString, enabled);
    Layout l;
    l.build(panels);
    QString atOpen;
    QString after;
    const CControl *pCurrent = nullptr;
    CControl *pTarget = nullptr;
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        atOpen = Layout::enabledButtons(pDialog);
        if (clicked == QLatin1String("root")) {
            pTarget = l.f.model->scenes();
            DialogDriver::clickIndex(l.tree, l.tree->model()->index(0, 0));
        } else if (!clicked.isEmpty()) {
            const QStringList steps = clicked.split(QLatin1Char('/'));
            pTarget = l.scene(steps.first().mid(1).toInt() - 1);
            if (steps.size() > 1)
                pTarget = l.panel(steps.first().mid(1).toInt() - 1, steps.last().mid(1).toInt());
            l.click(pTarget);
        }
        after = Layout::enabledButtons(pDialog);
        pCurrent = pDialog->currentControl();
        return false;
    }));
    QCOMPARE(pCurrent, pTarget);
    QCOMPARE(atOpen, QString());
    QCOMPARE(after, enabled);
    QVERIFY(!l.changed);
    QVERIFY(!l.f.model->isModified());
    // What the user clicked is what the canvas shows.
    if (clicked.contains(QLatin1Char('/')))
        QCOMPARE(l.f.model->currentPanel(), pCurrent);
    else if (clicked.startsWith(QLatin1Char('C')))
        QCOMPARE(l.f.model->currentChildIn(QStringLiteral("Scenes")), pCurrent);
}

void TestDPanelSetupDialog::addPanelIsNamedAfterTheTemplate_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("added");
    QTest::newRow("free name") << QStringList{"Home"} << "Blank Panel" << "Blank Panel";
    QTest::newRow("after the name and 1") << QStringList{"Blank Panel", "Blank Panel1"} << "Blank Panel"
                                          << "Blank Panel2";
    QTest::newRow("a gap is filled") << QStringList{"Blank Panel", "Blank Panel2"} << "Blank Panel"
                                     << "Blank Panel1";
    QTest::newRow("case differs") << QStringList{"blank panel"} << "Blank Panel" << "Blank Panel";
    QTest::newRow("another template") << QStringList{"Blank Panel"} << "Wide Panel" << "Wide Panel";
    QTest::newRow("template cancelled") << QStringList{"Home"} << "" << "";
}

void TestDPanelSetupDialog::addPanelIsNamedAfterTheTemplate()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, chosen);
    QFETCH(QString, added);
    Layout l;
    l.build({0, 1});
    for (const QString &name : existing)
        l.f.panel(l.scene(0), name);
    l.chosenTemplate = chosen;
    CControl *pCurrent = nullptr;
    QVERIFY(l.run([&](DPanelSetupDialog *pDialog) {
        // From a panel of the collection: the panel goes to the same collection.
        l.click(l.panel(0, 0));
        DialogDriver::click(pDialog, QStringLiteral("m_pAddPanel"));
        pCurrent = pDialog->currentControl();
        return true;
    }));
    QCOMPARE(l.asked, QStringList{"template"});
    const QStringList expected = added.isEmpty() ? existing : existing + QStringList{added};
    QCOMPARE(l.panelNames(0), expected);
    QCOMPARE(l.panelNames(1), QStringList{"P0"});
    QCOMPARE(l.changed, !added.isEmpty());
    if (!added.isEmpty()) {
        QCOMPARE(pCurrent, l.scene(0)->children().last());
        QCOMPARE(l.f.model->currentPanel(), pCurrent);
    }
}

void TestDPanelSetupDialog::addCollection()
{
    Layout l;
    l.build({1, 1});
    QString enabled;
    CControl *pCurrent = nullptr;
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.click(l.scene(1));
        DialogDriver::click(pDialog, QStringLiteral("m_pAddScene"));
        pCurrent = pDialog->currentControl();
        enabled = Layout::enabledButtons(pDialog);
        return false;
    }));
    QCOMPARE(l.sceneNames(), (QStringList{"C1", "C2", "COLLECTION3"}));
    QCOMPARE(pCurrent, l.scene(2));
    QCOMPARE(l.f.model->currentChildIn(QStringLiteral("Scenes")), l.scene(2));
    QCOMPARE(enabled, QStringLiteral("AddScene DeleteScene AddPanel MoveUp MoveDown EditTitle"));
    QVERIFY(l.asked.isEmpty());
}

void TestDPanelSetupDialog::canvasFollowsTheEdits_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("shownScene");
    QTest::addColumn<int>("pages"); // page dots of the shown collection; -1: it has no panel
    QTest::newRow("add panel, OK") << "m_pAddPanel" << true << "C1" << 2;
    QTest::newRow("add panel, Cancel") << "m_pAddPanel" << false << "C1" << 2;
    QTest::newRow("add collection, OK") << "m_pAddScene" << true << "COLLECTION3" << -1;
    QTest::newRow("add collection, Cancel") << "m_pAddScene" << false << "COLLECTION3" << -1;
}

// The edits stay in the document whichever button closes the window, and the
// canvas header, its Collections menu and the page dots show them.
void TestDPanelSetupDialog::canvasFollowsTheEdits()
{
    QFETCH(QString, button);
    QFETCH(bool, ok);
    QFETCH(QString, shownScene);
    QFETCH(int, pages);
    Layout l;
    l.build({1, 1});
    QQmlContext *pContext = l.f.engine->rootContext();
    l.f.intrf.setContext(pContext);
    l.f.model->onExtraRefreshTimerTimeout();
    QCOMPARE(l.f.intrf.property("pageCount").toInt(), 1);
    QCOMPARE(l.f.intrf.property("sceneTitle").toString(), QStringLiteral("C1"));

    QCOMPARE(l.run([&](DPanelSetupDialog *pDialog) {
        // A panel takes a sibling, a collection another collection.
        l.click(button == QLatin1String("m_pAddPanel") ? static_cast<CControl *>(l.panel(0, 0)) : l.scene(0));
        DialogDriver::click(pDialog, button);
        return ok;
    }), ok);

    QCOMPARE(l.f.model->currentChildIn(QStringLiteral("Scenes"))->name(), shownScene);
    QCOMPARE(l.f.intrf.property("sceneTitle").toString(), shownScene);
    QCOMPARE(pContext->contextProperty(QStringLiteral("sceneMenuData")).toStringList(), l.sceneNames());
    if (pages >= 0)
        QCOMPARE(l.f.intrf.property("pageCount").toInt(), pages);
}

// Collections "C1" and "C12", each with panels P0 and P1; links everywhere.
void TestDPanelSetupDialog::renameRewritesOnlyMatchingLinks_data()
{
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("box");
    const QStringList untouched = {"..\\C1", "..\\C1\\P0", "..\\C12\\P0", "..\\C1\\P1"};
    QTest::newRow("collection") << "C1" << "Hall" << false
                                << QStringList{"..\\Hall", "..\\Hall\\P0", "..\\C12\\P0", "..\\Hall\\P1"}
                                << QString();
    QTest::newRow("collection by double click")
        << "C1" << "Hall" << true << QStringList{"..\\Hall", "..\\Hall\\P0", "..\\C12\\P0", "..\\Hall\\P1"}
        << QString();
    QTest::newRow("panel") << "C1/P0" << "Home" << false
                           << QStringList{"..\\C1", "..\\C1\\Home", "..\\C12\\P0", "..\\C1\\P1"} << QString();
    QTest::newRow("sibling's name refused") << "C1" << "C12" << false << untouched
                                            << "Warning|Error: C12 is a duplicate title.";
    QTest::newRow("empty title refused") << "C1/P0" << "" << false << untouched
                                         << "Warning|Error: A title cannot be empty.";
    QTest::newRow("same name") << "C1" << "C1" << false << untouched << QString();
}

void TestDPanelSetupDialog::renameRewritesOnlyMatchingLinks()
{
    QFETCH(QString, renamed);
    QFETCH(QString, typed);
    QFETCH(bool, doubleClick);
    QFETCH(QStringList, links);
    QFETCH(QString, box);
    Layout l;
    l.build({2});
    l.f.sceneWithPanels(QStringLiteral("C12"), 2);
    QList<WPanelLink *> widgets;
    const QStringList targets = {"..\\C1", "..\\C1\\P0", "..\\C12\\P0", "..\\C1\\P1"};
    for (const QString &target : targets) {
        CControl *pLink = l.f.control(l.panel(1, 1), QStringLiteral("Link"), QStringLiteral("PanelLink"),
                                      QStringLiteral("panellink"), {{"path", target}});
        widgets.append(qobject_cast<WPanelLink *>(pLink->widgets().value(0).data()));
        QVERIFY(widgets.last());
    }
    l.typedTitle = typed;
    CControl *pTarget = renamed.contains(QLatin1Char('/')) ? static_cast<CControl *>(l.panel(0, 0))
                                                            : static_cast<CControl *>(l.scene(0));
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        if (doubleClick) {
            DialogDriver::doubleClickIndex(l.tree, qobject_cast<CComposite *>(pTarget)->treeIndex());
        } else {
            l.click(pTarget);
            DialogDriver::click(pDialog, QStringLiteral("m_pEditTitle"));
        }
        return false;
    }));
    QCOMPARE(l.asked, QStringList{"title"});
    QStringList paths;
    for (const WPanelLink *pLink : std::as_const(widgets))
        paths.append(pLink->linkPath());
    QCOMPARE(paths, links);
    QCOMPARE(l.boxes, box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(l.changed, links != targets);
    if (box.isEmpty())
        QCOMPARE(pTarget->name(), typed);
}

void TestDPanelSetupDialog::deletingTheOnlyCollection_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("template chosen") << "Blank Panel";
    QTest::newRow("template cancelled") << "";
}

void TestDPanelSetupDialog::deletingTheOnlyCollection()
{
    QFETCH(QString, chosen);
    Layout l;
    l.build({2});
    l.chosenTemplate = chosen;
    QString enabled = QStringLiteral("?");
    const CControl *pCurrent = l.scene(0);
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.click(l.scene(0));
        DialogDriver::click(pDialog, QStringLiteral("m_pDeleteScene"));
        enabled = Layout::enabledButtons(pDialog);
        pCurrent = pDialog->currentControl();
        return false;
    }));
    QCOMPARE(pCurrent, nullptr);
    QCOMPARE(l.asked, QStringList{"template"});
    QCOMPARE(l.sceneNames(), QStringList{"COLLECTION1"});
    QCOMPARE(l.panelNames(0), QStringList{"Blank Panel"});
    QCOMPARE(enabled, QString());
    QCOMPARE(l.f.model->currentPanel(), l.panel(0, 0));
    QVERIFY(l.changed);
}

// Three panels; the one deleted is shown; the canvas goes to its neighbour
// before it is gone.
void TestDPanelSetupDialog::deletingTheShownPanelMovesTheCanvas_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QString>("next");
    QTest::newRow("first") << 0 << "P1";
    QTest::newRow("middle") << 1 << "P0";
    QTest::newRow("last") << 2 << "P1";
}

void TestDPanelSetupDialog::deletingTheShownPanelMovesTheCanvas()
{
    QFETCH(int, deleted);
    QFETCH(QString, next);
    Layout l;
    l.build({3});
    QPointer<CComposite> pDoomed = l.panel(0, deleted);
    const CControl *pShownBefore = nullptr;
    const CControl *pShownRightAfter = nullptr;
    const CControl *pCurrent = nullptr;
    QVERIFY(l.run([&](DPanelSetupDialog *pDialog) {
        l.click(pDoomed);
        pShownBefore = l.f.model->currentPanel();
        DialogDriver::click(pDialog, QStringLiteral("m_pDeletePanel"));
        // Not yet deleted: the model must already have let it go.
        pShownRightAfter = l.f.model->currentPanel();
        pCurrent = pDialog->currentControl();
        return true;
    }));
    QCOMPARE(pShownBefore, pDoomed.data());
    QVERIFY(pShownRightAfter != pDoomed.data());
    QCOMPARE(pCurrent->name(), next);
    QCOMPARE(l.f.model->currentPanel(), pCurrent);
    QCOMPARE(l.scene(0)->children().at(l.scene(0)->currentIndex()), pCurrent);
    ModelFixture::flushDeletes();
    QVERIFY(!pDoomed);
    QVERIFY(l.asked.isEmpty());
}

// No "Blank Panel.tpl" to give the collection a new panel: nothing is shown,
// and polling finds nothing deleted.
void TestDPanelSetupDialog::deletingWithoutAReplacementLeavesNothingDangling_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("the only panel") << "m_pDeletePanel";
    QTest::newRow("the only collection") << "m_pDeleteScene";
}

void TestDPanelSetupDialog::deletingWithoutAReplacementLeavesNothingDangling()
{
    QFETCH(QString, button);
    Layout l;
    l.build({1});
    QVERIFY(QFile::remove(l.templates.filePath(QStringLiteral("Blank Panel.tpl"))));
    QVERIFY(QFile::remove(l.templates.filePath(QStringLiteral("Wide Panel.tpl"))));
    CComposite *pPanel = l.panel(0, 0);
    l.f.control(pPanel, QStringLiteral("Frame"), QStringLiteral("Frame"), QStringLiteral("frame"),
                {{"x", "10"}, {"y", "10"}, {"width", "50"}, {"height", "50"}});
    QPointer<CComposite> pDoomed = pPanel;
    const CControl *pShownRightAfter = pPanel;
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.click(button == QLatin1String("m_pDeletePanel") ? static_cast<CControl *>(pPanel) : l.scene(0));
        DialogDriver::click(pDialog, button);
        pShownRightAfter = l.f.model->currentPanel();
        // Polling while the panel waits for its deletion.
        l.f.model->doPolling();
        l.f.model->requestPanelState();
        return false;
    }));
    QCOMPARE(pShownRightAfter, nullptr);
    QCOMPARE(l.sceneNames().size(), 1);
    QCOMPARE(l.panelNames(0), QStringList());
    QVERIFY(l.changed);
    ModelFixture::flushDeletes();
    QVERIFY(!pDoomed);
    l.f.model->doPolling();
    l.f.model->setPollPending(false);
    l.f.model->requestPanelState();
    QCOMPARE(l.f.model->currentPanel(), nullptr);
    // The editor goes on: a panel can be added to the empty collection.
    QFile::copy(DTemplateDialog::templatesFolder() + QStringLiteral("Blank Panel.tpl"),
                l.templates.filePath(QStringLiteral("Blank Panel.tpl")));
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.click(l.scene(0));
        DialogDriver::click(pDialog, QStringLiteral("m_pAddPanel"));
        return false;
    }));
    QCOMPARE(l.panelNames(0), QStringList{"Blank Panel"});
    QCOMPARE(l.f.model->currentPanel(), l.panel(0, 0));
    l.f.model->doPolling();
}

void TestDPanelSetupDialog::deletingTheLastPanelAsksForANewOne()
{
    Layout l;
    l.build({1, 2});
    l.chosenTemplate = QStringLiteral("Wide Panel");
    QVERIFY(l.run([&](DPanelSetupDialog *pDialog) {
        l.click(l.panel(0, 0));
        DialogDriver::click(pDialog, QStringLiteral("m_pDeletePanel"));
        return true;
    }));
    QCOMPARE(l.asked, QStringList{"template"});
    QCOMPARE(l.panelNames(0), QStringList{"Wide Panel"});
    QCOMPARE(l.panelNames(1), (QStringList{"P0", "P1"}));
    QCOMPARE(l.f.model->currentPanel(), l.panel(0, 0));
}

// Clicks "C<i>" or "C<i>/P<j>", then presses the buttons in turn.
void TestDPanelSetupDialog::moving_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QStringList>("scenes");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("panel up") << "C1/P1" << QStringList{"m_pMoveUp"} << QStringList{"C1", "C2", "C3"}
                              << QStringList{"P1", "P0", "P2"};
    QTest::newRow("panel up past the top") << "C1/P1" << QStringList{"m_pMoveUp", "m_pMoveUp"}
                                           << QStringList{"C1", "C2", "C3"} << QStringList{"P1", "P0", "P2"};
    QTest::newRow("panel down twice") << "C1/P0" << QStringList{"m_pMoveDown", "m_pMoveDown"}
                                      << QStringList{"C1", "C2", "C3"} << QStringList{"P1", "P2", "P0"};
    QTest::newRow("collection down") << "C1" << QStringList{"m_pMoveDown"} << QStringList{"C2", "C1", "C3"}
                                     << QStringList{"P0", "P1", "P2"};
    QTest::newRow("collection down past the end")
        << "C3" << QStringList{"m_pMoveDown"} << QStringList{"C1", "C2", "C3"} << QStringList{"P0", "P1", "P2"};
}

void TestDPanelSetupDialog::moving()
{
    QFETCH(QString, clicked);
    QFETCH(QStringList, presses);
    QFETCH(QStringList, scenes);
    QFETCH(QStringList, panels);
    Layout l;
    l.build({3, 1, 1});
    const QStringList steps = clicked.split(QLatin1Char('/'));
    CControl *pTarget = l.scene(steps.first().mid(1).toInt() - 1);
    if (steps.size() > 1)
        pTarget = l.panel(0, steps.last().mid(1).toInt());
    const CControl *pCurrent = nullptr;
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.click(pTarget);
        for (const QString &button : presses)
            DialogDriver::click(pDialog, button);
        pCurrent = pDialog->currentControl();
        return false;
    }));
    QCOMPARE(l.sceneNames(), scenes);
    QCOMPARE(l.panelNames(int(l.sceneNames().indexOf(QStringLiteral("C1")))), panels);
    QCOMPARE(pCurrent, pTarget);
    QCOMPARE(l.changed, scenes != QStringList({"C1", "C2", "C3"}) || panels != QStringList({"P0", "P1", "P2"}));
}

void TestDPanelSetupDialog::expandedBranchesStayOpen()
{
    Layout l;
    l.build({1, 1});
    bool openAfterRebuild = false;
    bool otherOpen = true;
    QVERIFY(!l.run([&](DPanelSetupDialog *pDialog) {
        l.tree->collapseAll();
        l.tree->expand(l.tree->model()->index(0, 0));
        l.tree->expand(l.scene(1)->treeIndex());
        l.click(l.scene(1));
        // Adding a collection rebuilds the tree.
        DialogDriver::click(pDialog, QStringLiteral("m_pAddScene"));
        openAfterRebuild = l.tree->isExpanded(l.scene(1)->treeIndex());
        otherOpen = l.tree->isExpanded(l.scene(0)->treeIndex());
        return false;
    }));
    QVERIFY(openAfterRebuild);
    QVERIFY(!otherOpen);
}

// Through the model, as the Layout action opens it: OK or Cancel, after an
// edit or none, with a new site name typed.
void TestDPanelSetupDialog::openedByTheModel_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("site");
    QTest::newRow("OK without an edit") << "" << true << true << "Spa";
    QTest::newRow("Cancel without an edit") << "" << false << false << "Grand Hotel";
    QTest::newRow("Cancel after adding a collection") << "m_pAddScene" << false << true << "Grand Hotel";
    QTest::newRow("Cancel after a move") << "m_pMoveDown" << false << true << "Grand Hotel";
    QTest::newRow("Cancel after a refused move") << "m_pMoveUp" << false << false << "Grand Hotel";
}

void TestDPanelSetupDialog::openedByTheModel()
{
    QFETCH(QString, edit);
    QFETCH(bool, ok);
    QFETCH(bool, modified);
    QFETCH(QString, site);
    Layout l;
    l.build({1, 1});
    l.f.model->project()->setFacilityName(QStringLiteral("Grand Hotel"));
    l.f.model->setModified(false);
    int runs = 0;
    ModalAnswer user([&](DModalDialog *pDialog) {
        ++runs;
        auto *pTree = pDialog->findChild<QTreeView *>(QStringLiteral("m_pTreeView"));
        pTree->expandAll();
        DialogDriver::clickIndex(pTree, l.scene(0)->treeIndex());
        if (!edit.isEmpty())
            DialogDriver::click(pDialog, edit);
        auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pHeaderEdit"));
        pEdit->selectAll();
        QTest::keyClicks(pEdit, QStringLiteral("Spa"));
        DialogDriver::press(pDialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        return ok ? 1 : 0;
    });
    QCOMPARE(l.f.model->panelSetup(), ok);
    QCOMPARE(runs, 1);
    QCOMPARE(l.f.model->isModified(), modified);
    QCOMPARE(l.f.model->project()->facilityName(), site);
}

VVB_TEST_MAIN(TestDPanelSetupDialog)
#include "tst_dpanelsetupdialog.moc"
