#include "dialogs/DPanelSelectDialog.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "widgets/WDelegate.h"

#include <QTreeView>
#include <QtTest>

#include "support/TestMain.h"

// The panel selection dialog over a document of two collections, both of
// which hold a panel named "Lobby", answered through the modal seam with
// real clicks on the tree.
class TestDPanelSelectDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void preselects_data();
    void preselects();
    void clicks_data();
    void clicks();
    void cancelKeepsNothing();
    void noModelNoTree();

private:
    // Runs a dialog on the document; the actions are clicks ("c") or double
    // clicks ("d") on "collection/panel" items; answers with the answer
    // unless a double click closed it. Returns whether it was accepted.
    bool run(DPanelSelectDialog &dialog, const QStringList &actions, int answer);

    std::unique_ptr<MModel> m_pModel;
};

namespace {

void addCollection(MModel *pModel, const QString &name, const QStringList &panels)
{
    auto *pCollection = new CComposite;
    pCollection->setKind(QStringLiteral("Scene"));
    pCollection->setType(QStringLiteral("Panels"));
    pCollection->setName(name);
    for (const QString &panelName : panels) {
        auto *pPanel = new CComposite;
        pPanel->setKind(QStringLiteral("Panel"));
        pPanel->setType(QStringLiteral("Controls"));
        pPanel->setName(panelName);
        pCollection->addChild(pPanel);
    }
    pModel->scenes()->addChild(pCollection);
}

// "Floor 1" alone is the collection; "Floor 1/Hall" its panel.
QModelIndex indexOf(const QAbstractItemModel *pModel, const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    const QModelIndexList found = pModel->match(pModel->index(0, 0), Qt::DisplayRole, parts.last(), -1,
                                                Qt::MatchExactly | Qt::MatchRecursive);
    for (const QModelIndex &index : found) {
        if (parts.size() == 1 || index.parent().data().toString() == parts.first())
            return index;
    }
    return QModelIndex();
}

} // namespace

void TestDPanelSelectDialog::init()
{
    m_pModel = std::make_unique<MModel>();
    m_pModel->init();
    addCollection(m_pModel.get(), QStringLiteral("Floor 1"), {QStringLiteral("Lobby"), QStringLiteral("Hall")});
    addCollection(m_pModel.get(), QStringLiteral("Floor 2"), {QStringLiteral("Lobby")});
}

void TestDPanelSelectDialog::cleanup()
{
    DModalDialog::setResponder({});
    m_pModel.reset();
    WDelegate::instance()->setFactory(nullptr);
}

bool TestDPanelSelectDialog::run(DPanelSelectDialog &dialog, const QStringList &actions, int answer)
{
    DModalDialog::setResponder([&](DModalDialog *) {
        QTreeView *pView = dialog.m_pTreeView;
        pView->expandAll();
        for (const QString &action : actions) {
            const QModelIndex index = indexOf(pView->model(), action.mid(2));
            if (!index.isValid())
                return -1;
            const QPoint point = pView->visualRect(index).center();
            // A double click begins with a click.
            QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, point);
            if (action.startsWith(QLatin1Char('d')))
                QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, point);
        }
        return answer;
    });
    return dialog.runModal();
}

void TestDPanelSelectDialog::form()
{
    DPanelSelectDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.minimumSize(), QSize(100, 300));
    QCOMPARE(dialog.maximumSize(), QSize(330, 330));
    QVERIFY(dialog.m_pTreeView->isHeaderHidden());
    QVERIFY(!dialog.m_pTreeView->expandsOnDoubleClick());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.status(), int(DModalDialog::StatusUndecided));
    dialog.setModel(m_pModel.get());
    QVERIFY(run(dialog, {}, 1));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Layout"));
    QCOMPARE(dialog.status(), int(DModalDialog::StatusPassed));
    QVERIFY(!dialog.selectedPanel());
}

void TestDPanelSelectDialog::preselects_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("selected"); // path of the panel preselected, empty for none
    QTest::newRow("panel") << "..\\Floor 1\\Hall" << "..\\Floor 1\\Hall";
    QTest::newRow("same name, second collection") << "..\\Floor 2\\Lobby" << "..\\Floor 2\\Lobby";
    QTest::newRow("same name, first collection") << "..\\Floor 1\\Lobby" << "..\\Floor 1\\Lobby";
    QTest::newRow("no backslash") << "Hall" << "";
    QTest::newRow("backslash first") << "\\Hall" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("panel gone") << "..\\Floor 1\\Attic" << "";
    QTest::newRow("wrong case") << "..\\floor 1\\Hall" << "";
}

void TestDPanelSelectDialog::preselects()
{
    QFETCH(QString, initial);
    QFETCH(QString, selected);
    DPanelSelectDialog dialog(nullptr);
    dialog.setModel(m_pModel.get());
    dialog.setInitialPath(initial);
    dialog.setRefreshOnAccept(false);
    QString current;
    DModalDialog::setResponder([&](DModalDialog *) {
        current = dialog.m_pTreeView->currentIndex().data().toString();
        return 1;
    });
    QVERIFY(dialog.runModal());
    QCOMPARE(DPanelSelectDialog::pathOf(dialog.selectedPanel()), selected);
    QCOMPARE(current, selected.section(QLatin1Char('\\'), -1));
}

void TestDPanelSelectDialog::clicks_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("selected");
    QTest::newRow("panel, OK") << QStringList({"c Floor 2/Lobby"}) << 1 << true << "..\\Floor 2\\Lobby";
    QTest::newRow("panel then collection") << QStringList({"c Floor 1/Hall", "c Floor 2"}) << 1 << true
                                           << "..\\Floor 1\\Hall";
    QTest::newRow("collection only") << QStringList({"c Floor 1"}) << 1 << true << "";
    QTest::newRow("double click on a panel accepts") << QStringList({"d Floor 1/Lobby"}) << 0 << true
                                                     << "..\\Floor 1\\Lobby";
    QTest::newRow("double click on a collection") << QStringList({"d Floor 2"}) << 0 << false << "";
}

void TestDPanelSelectDialog::clicks()
{
    QFETCH(QStringList, actions);
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, selected);
    DPanelSelectDialog dialog(nullptr);
    dialog.setModel(m_pModel.get());
    QCOMPARE(run(dialog, actions, answer), accepted);
    QCOMPARE(DPanelSelectDialog::pathOf(dialog.selectedPanel()), selected);
    QCOMPARE(dialog.status(), accepted ? int(DModalDialog::StatusPassed) : int(DModalDialog::StatusFailed));
}

void TestDPanelSelectDialog::cancelKeepsNothing()
{
    DPanelSelectDialog dialog(nullptr);
    dialog.setModel(m_pModel.get());
    QVERIFY(!run(dialog, {QStringLiteral("c Floor 1/Hall")}, 0));
    QCOMPARE(dialog.status(), int(DModalDialog::StatusFailed));
}

void TestDPanelSelectDialog::noModelNoTree()
{
    DPanelSelectDialog dialog(nullptr);
    dialog.setInitialPath(QStringLiteral("..\\Floor 1\\Hall"));
    QVERIFY(run(dialog, {}, 1));
    QVERIFY(!dialog.selectedPanel());
    QVERIFY(!dialog.controlAt(QModelIndex()));
    QCOMPARE(DPanelSelectDialog::pathOf(nullptr), QString());
}

VVB_TEST_MAIN(TestDPanelSelectDialog)
#include "tst_dpanelselectdialog.moc"
