#include "commands/BCommand.h"
#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KQmlController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DModalDialog.h"
#include "dialogs/DPanelSetupDialog.h"
#include "dialogs/DTemplateDialog.h"
#include "dialogs/DVMPReloadWarningDialog.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/DesignFixture.h"
#include "support/DialogDriver.h"
#include "support/FakeMobileDevice.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "views/MainWindow.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

struct Asked
{
    bool save = false;
    QString title;
    QString start;
    QString filter;
};

} // namespace

// The file operations behind the menus, with their file choosers and boxes
// answered by the test: new, open, save as, import, and saves that fail.
class TestKMainOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fileOperations_data();
    void fileOperations();
    void failedSaveReportsFalse_data();
    void failedSaveReportsFalse();
    void promptBeforeLosingChanges_data();
    void promptBeforeLosingChanges();
    void badChoicesKeepTheProject_data();
    void badChoicesKeepTheProject();
    void failedOpenKeepsTheOpenProject_data();
    void failedOpenKeepsTheOpenProject();
    void receivedProjectOpensAsFileOpenDoes();
    void receiveChosenInTheSetupMenuOpensTheProject();
    void newOffersTheTemplates_data();
    void newOffersTheTemplates();
    void newFromAnUnreadableTemplateNamesTheBlankProject();
    void reloadWarningAsksFirst_data();
    void reloadWarningAsksFirst();
    void watcherFollowsTheDesignFile();
    void saveAsWritesTheArchive_data();
    void saveAsWritesTheArchive();
    void editCommandsWithoutCommandsChangeNothing();
    void editModeGoesOffline();
    void sendAndExitPinReachTheModel();
    void canvasActionRunsTheSetupDialog_data();
    void canvasActionRunsTheSetupDialog();
    void sendActionSendsTheSavedArchive();
    void layoutActionOpensThePanelSetup();
    void levelAndMeterStoreTheChoice_data();
    void levelAndMeterStoreTheChoice();
    void newAndOpenLeaveTheOldDesign_data();
    void newAndOpenLeaveTheOldDesign();
    void everyActionHasARow();
    void everyActionDoesItsWork_data();
    void everyActionDoesItsWork();
    void centringFollowsShift_data();
    void centringFollowsShift();

public slots:
    // The desktop's handler of local files, replaced while help is opened.
    void openedUrl(const QUrl &url);

private:
    QAction *actionByText(const QString &text) const;
    QList<CControl *> dropLabels();
    void clickControls(const QList<CControl *> &controls);
    void start();
    QStringList processorLabels() const;
    // Answers every file chooser with `answer` and records what was asked.
    void answerFiles(const QString &answer);
    // Answers the unsaved-changes question with `answer`, recording its title
    // in `pTitles` when given; any other box is answered with its first
    // button and its text recorded in m_warnings.
    void answerBoxes(int answer, QStringList *pTitles = nullptr);
    // Answers the editor's dialogs as a user: the template list picks the
    // named template and presses OK (Cancel without a name), the reload
    // warning is answered Yes when `proceed`; any other dialog is cancelled.
    // Each is recorded in m_asked under its window title.
    void answerDialogs(const QString &templateName, bool proceed = true);

    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    QList<Asked> m_asked;
    QStringList m_warnings;
    std::unique_ptr<QTemporaryDir> m_pDir;
    QList<QUrl> m_openedUrls;
};

void TestKMainOperations::initTestCase()
{
    // As main() does, before any QML engine exists.
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

void TestKMainOperations::init()
{
    TestSupport::appSettings()->clear();
    m_asked.clear();
    m_warnings.clear();
    m_openedUrls.clear();
    m_pDir = std::make_unique<QTemporaryDir>();
    answerBoxes(QMessageBox::No);
    // A dialog that is not answered by the test is cancelled.
    DModalDialog::setResponder([](DModalDialog *) { return 0; });
}

void TestKMainOperations::cleanup()
{
    DMessageBox::setResponder({});
    DChooser::setResponder({});
    DModalDialog::setResponder({});
    m_pModel.reset();
    m_pMain = nullptr;
}

void TestKMainOperations::start()
{
    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
}

QStringList TestKMainOperations::processorLabels() const
{
    QStringList labels;
    QList<HNode *> nodes;
    m_pModel->rootNode()->collectByCategory(QStringLiteral("Chassis"), &nodes);
    for (const HNode *pProcessor : std::as_const(nodes))
        labels << pProcessor->label();
    labels.sort();
    return labels;
}

void TestKMainOperations::answerFiles(const QString &answer)
{
    DChooser::setResponder([this, answer](const DChooser::Request &request) {
        m_asked << Asked{request.kind == DChooser::SaveFile, request.title, request.start, request.filter};
        return answer;
    });
}

namespace {

void pressButton(QWidget *pDialog, QDialogButtonBox::StandardButton which)
{
    auto *pBox = pDialog->findChild<QDialogButtonBox *>();
    QVERIFY(pBox && pBox->button(which));
    QTest::mouseClick(pBox->button(which), Qt::LeftButton);
}

} // namespace

void TestKMainOperations::answerBoxes(int answer, QStringList *pTitles)
{
    DMessageBox::setResponder([this, answer, pTitles](const QString &title, const QString &text) {
        if (text != QLatin1String("There are unsaved changes. Would you like to save?")) {
            m_warnings << text;
            return 0;
        }
        if (pTitles)
            *pTitles << title;
        return answer;
    });
}

void TestKMainOperations::answerDialogs(const QString &templateName, bool proceed)
{
    DModalDialog::setResponder([this, templateName, proceed](DModalDialog *pDialog) {
        m_asked << Asked{false, pDialog->windowTitle(), QString(), QString()};
        if (qobject_cast<DTemplateDialog *>(pDialog)) {
            auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pFileList"));
            const QList<QListWidgetItem *> found = pList->findItems(templateName, Qt::MatchExactly);
            if (templateName.isEmpty() || found.isEmpty()) {
                pressButton(pDialog, QDialogButtonBox::Cancel);
                return 0;
            }
            QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                              pList->visualItemRect(found.first()).center());
            pressButton(pDialog, QDialogButtonBox::Ok);
            return 1;
        }
        if (qobject_cast<DVMPReloadWarningDialog *>(pDialog)) {
            pressButton(pDialog, proceed ? QDialogButtonBox::Yes : QDialogButtonBox::No);
            return proceed ? 1 : 0;
        }
        return 0;
    });
}

void TestKMainOperations::fileOperations_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("file");    // in the temporary folder
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("folderKey"); // settings key that remembers the folder
    QTest::addColumn<bool>("keepsPath");    // m_filePath becomes the file

    const QString panels = QStringLiteral("Control Panel Files (*.cpz *.cpf)");
    QTest::newRow("save as") << "saveAsVC" << "saved.cpz" << true << "Save Control Panel File" << panels
                             << "Path/Panels" << true;
    QTest::newRow("open") << "openVC" << "saved.cpz" << false << "Open Control Panel File" << panels << "Path/Panels"
                          << true;
    QTest::newRow("import") << "openVMP" << "design.vmp" << false << "Open Velmora Designer File"
                            << "VMD Files (*.vmp)" << "Path/Designs" << false;
}

void TestKMainOperations::fileOperations()
{
    QFETCH(QString, slot);
    QFETCH(QString, file);
    QFETCH(bool, save);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(QString, folderKey);
    QFETCH(bool, keepsPath);

    start();
    const QString folder = m_pDir->path() + QLatin1Char('/');
    // Something to open: the start-up project saved under the row's name.
    QVERIFY(m_pModel->saveProject(folder + QStringLiteral("saved.cpz")));
    const QString design = DesignFixture().write(m_pDir->path());
    QVERIFY(!design.isEmpty());
    const QString path = folder + file;
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    answerFiles(path);
    m_pModel->setConnectionEnabled(true);
    m_pMain->setActionChecked(ActionId::GoOnline, true);

    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));

    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().save, save);
    QCOMPARE(m_asked.first().title, title);
    QCOMPARE(m_asked.first().filter, filter);
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QCOMPARE(m_pMain->filePath(), keepsPath ? path : QString());
    if (!folderKey.isEmpty())
        QCOMPARE(m_pMain->settings()->value(folderKey).toString(), folder);
    if (slot == QLatin1String("openVMP")) {
        QCOMPARE(m_pModel->designFilePath(), path);
        QVERIFY(m_pModel->isModified());
    } else {
        const QString name = QFileInfo(path).fileName();
        QCOMPARE(m_pMain->mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder - ") + name);
        QVERIFY(m_pModel->currentPanel());
    }
    // New and Open start offline; every row leaves "Go Online" showing the model.
    if (slot != QLatin1String("saveAsVC") && slot != QLatin1String("openVMP"))
        QVERIFY(!m_pModel->isConnectionEnabled());
    QCOMPARE(m_pMain->action(ActionId::GoOnline)->isChecked(), m_pModel->isConnectionEnabled());
}

void TestKMainOperations::failedSaveReportsFalse_data()
{
    QTest::addColumn<QString>("answer"); // relative to the temporary folder; empty: refused
    QTest::addColumn<bool>("warned");

    QTest::newRow("chooser refused") << QString() << false;
    QTest::newRow("folder missing") << QStringLiteral("missing/sub/a.cpz") << true;
}

void TestKMainOperations::failedSaveReportsFalse()
{
    QFETCH(QString, answer);
    QFETCH(bool, warned);

    start();
    const QString title = m_pMain->mainWindow()->windowTitle();
    answerFiles(answer.isEmpty() ? QString() : m_pDir->path() + QLatin1Char('/') + answer);
    m_pModel->setModified(true);

    // Without a path Save falls back to Save As.
    QVERIFY(!m_pMain->saveVC());
    QVERIFY(!m_pMain->saveAsVC());
    QCOMPARE(m_asked.size(), 2);
    QCOMPARE(!m_warnings.isEmpty(), warned);
    QVERIFY(m_pMain->filePath().isEmpty());
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), title);
    QVERIFY(m_pModel->isModified());
    // The save prompt's Yes with a failed Save As keeps the caller from going on.
    answerBoxes(QMessageBox::Yes);
    QVERIFY(!m_pMain->promptSave(QStringLiteral("Exit")));
}

void TestKMainOperations::promptBeforeLosingChanges_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("choosers"); // titles of the file choosers and dialogs, in order

    const QString saveAs = QStringLiteral("Save Control Panel File");
    QTest::newRow("new, nothing to save") << "newVC" << false << int(QMessageBox::Cancel)
                                          << QStringList{"Select a Template"};
    QTest::newRow("open, nothing to save") << "openVC" << false << int(QMessageBox::Cancel)
                                           << QStringList{"Open Control Panel File"};
    QTest::newRow("new, cancelled") << "newVC" << true << int(QMessageBox::Cancel) << QStringList{};
    QTest::newRow("open, do not save") << "openVC" << true << int(QMessageBox::No)
                                       << QStringList{"Open Control Panel File"};
    // Never saved: Yes opens Save As, and refusing it there cancels the operation.
    QTest::newRow("new, save refused") << "newVC" << true << int(QMessageBox::Yes) << QStringList{saveAs};
    QTest::newRow("open, save refused") << "openVC" << true << int(QMessageBox::Yes) << QStringList{saveAs};
}

void TestKMainOperations::promptBeforeLosingChanges()
{
    QFETCH(QString, slot);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QStringList, choosers);

    start();
    QStringList questions;
    answerBoxes(answer, &questions);
    answerFiles(QString());
    answerDialogs(QString());
    m_pModel->setModified(modified);
    CControl *pPanel = m_pModel->currentPanel();

    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));
    QCOMPARE(questions.size(), modified ? 1 : 0);
    QStringList titles;
    for (const Asked &asked : m_asked)
        titles << asked.title;
    QCOMPARE(titles, choosers);
    // Nothing was chosen: the project stays as it was.
    QCOMPARE(m_pModel->currentPanel(), pPanel);
    QCOMPARE(m_pModel->isModified(), modified);
}

void TestKMainOperations::badChoicesKeepTheProject_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QByteArray>("content"); // of the chosen file; empty: the file does not exist
    QTest::addColumn<bool>("reset");         // the project was replaced by a blank one

    QTest::newRow("template list cancelled") << "newVC" << QByteArray() << false;
    QTest::newRow("missing project") << "openVC" << QByteArray() << true;
    QTest::newRow("damaged project") << "openVC" << QByteArray("<VMD><Scenes") << true;
    QTest::newRow("damaged design") << "openVMP" << QByteArray("<Design><Node") << false;
}

void TestKMainOperations::badChoicesKeepTheProject()
{
    QFETCH(QString, slot);
    QFETCH(QByteArray, content);
    QFETCH(bool, reset);

    start();
    const QString path = m_pDir->path() + QStringLiteral("/chosen.cpf");
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    answerFiles(path);
    CControl *pPanel = m_pModel->currentPanel();

    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));
    // The editor goes on with a panel to work on, and no path to save over.
    QVERIFY(m_pModel->currentPanel());
    QVERIFY(reset || m_pModel->currentPanel() == pPanel);
    QVERIFY(m_pMain->filePath().isEmpty());
    QVERIFY(m_pModel->designFilePath().isEmpty());
    QVERIFY(!m_pMain->settings()->contains(QStringLiteral("Path/Panels")));
    QVERIFY(!m_pMain->settings()->contains(QStringLiteral("Path/Designs")));
}

void TestKMainOperations::failedOpenKeepsTheOpenProject_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("damage"); // "half": the first half of a saved archive; else the file's text
    QTest::newRow("truncated archive") << "cut.cpz" << "half";
    QTest::newRow("not a project") << "noise.cpf" << "\x01\x02 noise";
    QTest::newRow("missing file") << "missing.cpz" << "";
}

// A file that cannot be opened leaves the open project as it was: its
// panels, its design in the tree, its file to save to, its title.
void TestKMainOperations::failedOpenKeepsTheOpenProject()
{
    QFETCH(QString, name);
    QFETCH(QString, damage);
    start();
    const QString folder = m_pDir->path() + QLatin1Char('/');
    QDir(folder).mkdir(QStringLiteral("annex"));
    const QString design = DesignFixture().write(folder + QStringLiteral("annex"));
    answerFiles(design);
    m_pMain->openVMP();
    const QString annex = folder + QStringLiteral("annex.cpz");
    QVERIFY(m_pModel->saveProject(annex));
    answerFiles(annex);
    m_pMain->openVC();
    QCOMPARE(m_pMain->filePath(), annex);
    const QString title = m_pMain->mainWindow()->windowTitle();
    const QString designPath = m_pModel->designFilePath();
    const QStringList processors = processorLabels();
    QCOMPARE(processors, (QStringList{"Annex Rack", "Main Rack"}));
    const QList<CControl *> scenes = m_pModel->scenes()->children();
    CControl *pPanel = m_pModel->currentPanel();
    QVERIFY(pPanel);

    const QString path = folder + name;
    if (damage == QLatin1String("half")) {
        const QByteArray whole = TestSupport::readAll(annex);
        QVERIFY(TestSupport::writeAll(path, whole.left(whole.size() / 2)));
    } else if (!damage.isEmpty()) {
        QVERIFY(TestSupport::writeAll(path, damage.toLatin1()));
    }
    m_warnings.clear();
    answerFiles(path);
    m_pMain->openVC();

    QCOMPARE(m_warnings.size(), 1);
    QCOMPARE(m_pModel->scenes()->children(), scenes);
    QCOMPARE(m_pModel->currentPanel(), pPanel);
    QCOMPARE(m_pModel->designFilePath(), designPath);
    QVERIFY(QFileInfo(designPath).isFile());
    QCOMPARE(processorLabels(), processors);
    QCOMPARE(m_pMain->filePath(), annex);
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), title);
}

// A project received from a device opens as File > Open opens the same
// file, on its own canvas, out of edit mode; then the editor goes online.
void TestKMainOperations::receivedProjectOpensAsFileOpenDoes()
{
    start();
    const QString folder = m_pDir->path() + QLatin1Char('/');
    TestSupport::appSettings()->setValue(QStringLiteral("Path/Designs"), folder + QStringLiteral("received"));
    auto *pCanvasView = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pCanvasView);
    // The start-up canvas is 6" portrait: the project to receive.
    const QString portrait = folder + QStringLiteral("portrait.cpz");
    QVERIFY(m_pModel->saveProject(portrait));
    m_pMain->canvas()->setSize(12.0f);
    m_pMain->canvas()->setOrientation(0);
    const QString landscape = folder + QStringLiteral("landscape.cpz");
    QVERIFY(m_pModel->saveProject(landscape));
    const auto shown = [&] {
        QQuickView *pView = pCanvasView->view();
        return QStringList{
            QStringLiteral("canvas %1x%2").arg(m_pMain->canvas()->width()).arg(m_pMain->canvas()->height()),
            QStringLiteral("view %1x%2").arg(pView ? pView->width() : -1).arg(pView ? pView->height() : -1),
            // The fit changes the width by one when the size would not change.
            QStringLiteral("window height %1").arg(m_pMain->mainWindow()->height()),
            QStringLiteral("edit mode %1 %2")
                .arg(m_pMain->action(ActionId::EditMode)->isChecked())
                .arg(m_pModel->qmlProperty(QStringLiteral("editModeEnable")).toBool())};
    };
    answerFiles(portrait);
    m_pMain->openVC();
    const QStringList opened = shown();
    answerFiles(landscape);
    m_pMain->openVC();
    QVERIFY(shown().first() != opened.first());
    m_pModel->setEditMode(true);

    m_pModel->setTransferPort(0);
    m_pModel->setReceiveAddress(QHostAddress(QHostAddress::LocalHost));
    const QByteArray bytes = TestSupport::readAll(portrait);
    FakeMobileDevice device;
    QTimer sender;
    connect(&sender, &QTimer::timeout, &sender, [&]() {
        if (const quint16 port = m_pModel->receivingPort()) {
            sender.stop();
            device.sendFile(port, bytes);
        }
    });
    sender.start(2);
    m_warnings.clear();
    QVERIFY(m_pModel->runSystemMenu(QStringLiteral("Receive")));

    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QCOMPARE(shown(), opened);
    QVERIFY(m_pModel->isConnectionEnabled());
    QVERIFY(m_pMain->action(ActionId::GoOnline)->isChecked());
    // Nothing of the user's to save over yet.
    QVERIFY(m_pMain->filePath().isEmpty());
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder"));
}

namespace {

// The visible item below `pRoot` whose objectName is `name`.
QQuickItem *findItem(QQuickItem *pRoot, const QString &name)
{
    if (!pRoot)
        return nullptr;
    if (pRoot->isVisible() && pRoot->objectName() == name)
        return pRoot;
    for (QQuickItem *pChild : pRoot->childItems()) {
        if (QQuickItem *pFound = findItem(pChild, name))
            return pFound;
    }
    return nullptr;
}

void clickItem(QQuickView *pView, const QQuickItem *pItem)
{
    const QPoint centre = pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint();
    QTest::mouseClick(pView, Qt::LeftButton, Qt::NoModifier, centre);
}

} // namespace

// The user's way to a receive: a click on the setup button of the canvas and
// one on "Receive..." in its menu, while online. The received project takes
// the place of the canvas the menu stands on, and opens as File > Open does.
void TestKMainOperations::receiveChosenInTheSetupMenuOpensTheProject()
{
    start();
    const QString folder = m_pDir->path() + QLatin1Char('/');
    TestSupport::appSettings()->setValue(QStringLiteral("Path/Designs"), folder + QStringLiteral("received"));
    auto *pCanvasView = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pCanvasView && pCanvasView->view());
    const QString portrait = folder + QStringLiteral("portrait.cpz");
    QVERIFY(m_pModel->saveProject(portrait));
    m_pMain->canvas()->setSize(12.0f);
    m_pMain->canvas()->setOrientation(0);
    const QString landscape = folder + QStringLiteral("landscape.cpz");
    QVERIFY(m_pModel->saveProject(landscape));
    const auto canvasSize = [this] {
        return QSize(int(m_pMain->canvas()->width()), int(m_pMain->canvas()->height()));
    };
    answerFiles(landscape);
    m_pMain->openVC();
    const QSize received = canvasSize();
    answerFiles(portrait);
    m_pMain->openVC();
    QVERIFY(canvasSize() != received);
    m_pModel->setConnectionEnabled(true);
    m_pMain->setActionChecked(ActionId::GoOnline, true);

    m_pModel->setTransferPort(0);
    m_pModel->setReceiveAddress(QHostAddress(QHostAddress::LocalHost));
    FakeMobileDevice device;
    QTimer sender;
    connect(&sender, &QTimer::timeout, &sender, [&]() {
        if (const quint16 port = m_pModel->receivingPort()) {
            sender.stop();
            device.sendFile(port, TestSupport::readAll(landscape));
        }
    });
    sender.start(2);
    m_warnings.clear();
    QQuickView *pView = pCanvasView->view();
    QVERIFY(QTest::qWaitForWindowExposed(pView));
    QQuickItem *pSetup = findItem(pView->rootObject(), QStringLiteral("setupButton"));
    QVERIFY(pSetup);
    clickItem(pView, pSetup);
    QQuickItem *pMenu = findItem(pView->rootObject(), QStringLiteral("popupMenu"));
    QVERIFY(pMenu);
    const qsizetype receive = pMenu->property("model").toStringList().indexOf(QStringLiteral("Receive..."));
    QVERIFY(receive >= 0);
    QQuickItem *pEntry = findItem(pMenu, QStringLiteral("menuEntry%1").arg(receive));
    QVERIFY(pEntry);
    QTRY_VERIFY(pEntry->y() > 0); // laid out with the next frame
    clickItem(pView, pEntry);

    QTRY_COMPARE_WITH_TIMEOUT(canvasSize(), received, 10000);
    QTRY_VERIFY(!m_pModel->receivingPort());
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QVERIFY(m_pModel->isConnectionEnabled());
    QVERIFY(m_pMain->action(ActionId::GoOnline)->isChecked());
    QVERIFY(!m_pMain->action(ActionId::EditMode)->isChecked());
}

void TestKMainOperations::newOffersTheTemplates_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("click and OK") << "ok" << true;
    QTest::newRow("double-click") << "double-click" << true;
    QTest::newRow("cancel") << "cancel" << false;
    QTest::newRow("window closed") << "close" << false;
}

// New lists the templates beside the program; the chosen one starts a new
// project offline, with no file of its own, no exit PIN and no design.
void TestKMainOperations::newOffersTheTemplates()
{
    QFETCH(QString, gesture);
    QFETCH(bool, replaced);
    start();
    MProject::setExitPin(QStringLiteral("1234"));
    const QString saved = m_pDir->filePath(QStringLiteral("before.cpz"));
    answerFiles(saved);
    QVERIFY(m_pMain->saveAsVC());
    m_asked.clear();
    m_pModel->setConnectionEnabled(true);
    CControl *pBefore = m_pModel->currentPanel();
    QStringList listed;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pFileList"));
        if (!pList)
            return 0;
        m_asked << Asked{false, pDialog->windowTitle(), QString(), QString()};
        for (int row = 0; row < pList->count(); ++row)
            listed << pList->item(row)->text();
        const QList<QListWidgetItem *> found = pList->findItems(QStringLiteral("Blank Panel"), Qt::MatchExactly);
        if (found.isEmpty())
            return 0;
        const QPoint at = pList->visualItemRect(found.first()).center();
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, at);
        if (gesture == QLatin1String("double-click"))
            QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, at);
        else if (gesture == QLatin1String("close"))
            pDialog->close();
        else
            pressButton(pDialog, gesture == QLatin1String("ok") ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        return 0;
    });

    m_pMain->action(ActionId::NewProject)->trigger();

    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.first().title, QStringLiteral("Select a Template"));
    QVERIFY2(listed.contains(QStringLiteral("Blank Panel")), qPrintable(listed.join(QLatin1Char(','))));
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QVERIFY(m_pModel->currentPanel());
    if (replaced) {
        QCOMPARE(m_pModel->scenes()->name(), QStringLiteral("Blank Panel"));
        QVERIFY(m_pMain->filePath().isEmpty());
        QCOMPARE(m_pMain->mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder - Blank Panel.tpl"));
        QVERIFY(MProject::exitPin().isEmpty());
        QVERIFY(!m_pModel->isConnectionEnabled());
        QVERIFY(!m_pMain->action(ActionId::GoOnline)->isChecked());
    } else {
        QCOMPARE(m_pModel->currentPanel(), pBefore);
        QCOMPARE(m_pModel->scenes()->name(), QStringLiteral("before.cpz"));
        QCOMPARE(m_pMain->filePath(), saved);
        QCOMPARE(MProject::exitPin(), QStringLiteral("1234"));
    }
    MProject::setExitPin(QString());
}

// A template listed beside the program that does not read: the blank project
// the editor falls back to is what the window names, as at start-up.
void TestKMainOperations::newFromAnUnreadableTemplateNamesTheBlankProject()
{
    start();
    const QString startTitle = m_pMain->mainWindow()->windowTitle();
    const QString damaged = DTemplateDialog::templatesFolder() + QStringLiteral("Damaged Test Panel.tpl");
    {
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<VMD><Controls><Control name=");
    }
    const auto removeDamaged = qScopeGuard([&damaged] { QFile::remove(damaged); });
    answerDialogs(QStringLiteral("Damaged Test Panel"));

    m_pMain->action(ActionId::NewProject)->trigger();

    QVERIFY(m_pModel->currentPanel());
    QCOMPARE(m_pModel->scenes()->name(), QStringLiteral("Blank Panel"));
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), startTitle);
    QVERIFY(!m_pMain->mainWindow()->windowTitle().contains(QStringLiteral("Damaged")));
    QVERIFY(m_pMain->filePath().isEmpty());
}

void TestKMainOperations::reloadWarningAsksFirst_data()
{
    QTest::addColumn<QStringList>("gestures"); // on the warning: "tick", then "yes", "no" or "escape"
    QTest::addColumn<bool>("imported");
    QTest::addColumn<QVariant>("setting");     // "showVMPReloadWarning" afterwards; invalid: not stored
    QTest::addColumn<bool>("warnedAgain");

    QTest::newRow("yes") << QStringList{"yes"} << true << QVariant(true) << true;
    QTest::newRow("ticked, yes") << QStringList{"tick", "yes"} << true << QVariant(false) << false;
    QTest::newRow("ticked and unticked, yes") << QStringList{"tick", "tick", "yes"} << true << QVariant(true) << true;
    QTest::newRow("ticked, no") << QStringList{"tick", "no"} << false << QVariant() << true;
    QTest::newRow("escape") << QStringList{"escape"} << false << QVariant() << true;
}

// A second import is preceded by the warning; its "Do not show again" is
// stored only when the user goes on.
void TestKMainOperations::reloadWarningAsksFirst()
{
    QFETCH(QStringList, gestures);
    QFETCH(bool, imported);
    QFETCH(QVariant, setting);
    QFETCH(bool, warnedAgain);
    start();
    const QString design = DesignFixture().write(m_pDir->path());
    answerFiles(design);
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(m_pModel->designFilePath(), design);
    QCOMPARE(m_asked.size(), 1);
    m_pModel->setModified(false);

    QStringList warnings;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        auto *pBox = pDialog->findChild<QCheckBox *>(QStringLiteral("m_pDoNotShowAgainCheckbox"));
        if (!qobject_cast<DVMPReloadWarningDialog *>(pDialog) || !pBox)
            return 0;
        warnings << pDialog->windowTitle() + QLatin1Char('|') + pBox->text();
        if (warnings.size() > 1)
            return 0;
        for (const QString &gesture : gestures) {
            if (gesture == QLatin1String("tick"))
                QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(6, pBox->height() / 2));
            else if (gesture == QLatin1String("escape"))
                QTest::keyClick(pDialog, Qt::Key_Escape);
            else
                pressButton(pDialog, gesture == QLatin1String("yes") ? QDialogButtonBox::Yes : QDialogButtonBox::No);
        }
        return 0;
    });
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(warnings, QStringList{"VMP File Reload Warning|Do not show again"});
    QCOMPARE(m_asked.size(), imported ? 2 : 1);
    QCOMPARE(m_pModel->isModified(), imported);
    QCOMPARE(m_pMain->settings()->value(QStringLiteral("showVMPReloadWarning")), setting);

    // The next import: warned again unless the user asked not to be.
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(warnings.size(), warnedAgain ? 2 : 1);
    QCOMPARE(m_asked.size(), imported ? 2 + int(!warnedAgain) : 1);
}

// Writes new content to the file the way editors save: a new file renamed over it.
static bool replaceFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// The imported design is watched across replaces by rename; Open VMP
// cancelled keeps the watch; New ends it.
void TestKMainOperations::watcherFollowsTheDesignFile()
{
    start();
    const QString design = DesignFixture().write(m_pDir->path());
    const QByteArray content = TestSupport::readAll(design);
    QVERIFY(!content.isEmpty());
    answerFiles(design);
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(m_pModel->designFilePath(), design);

    // The reload question offers Yes and No, in this order.
    const int yes = 0;
    const int no = 1;
    QStringList questions;
    int answer = no;
    DMessageBox::setResponder([&](const QString &, const QString &text) {
        questions << text;
        return answer;
    });
    const QString changed = QStringLiteral("Content of the .vmp file is changed. Do you wish to reload it?");

    // A replace ends the system's watch of the old file; each one is still noticed.
    for (int round = 1; round <= 3; ++round) {
        const int before = int(questions.size());
        QVERIFY(replaceFile(design, content + QByteArray(round, ' ')));
        QTRY_VERIFY2(questions.size() > before, qPrintable(QString::number(round)));
        QCOMPARE(questions.last(), changed);
    }

    // Yes reloads: the histories are cleared and the project is marked modified.
    answer = yes;
    m_pModel->setModified(false);
    questions.clear();
    QVERIFY(replaceFile(design, content));
    QTRY_VERIFY(!questions.isEmpty());
    QVERIFY(m_pModel->isModified());
    QCOMPARE(m_pModel->designFilePath(), design);
    answer = no;

    // Open VMP, warned and then cancelled at the chooser, keeps watching.
    answerDialogs(QString());
    answerFiles(QString());
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(m_asked.last().title, QStringLiteral("Open Velmora Designer File"));
    questions.clear();
    QVERIFY(replaceFile(design, content + "  "));
    QTRY_VERIFY(!questions.isEmpty());

    // After New nothing is asked. The test's own watcher sees the change;
    // by the time it did, the editor would have been told as well.
    answerDialogs(QStringLiteral("Blank Panel"));
    m_pMain->action(ActionId::NewProject)->trigger();
    QVERIFY(m_pModel->designFilePath().isEmpty());
    QFileSystemWatcher marker({design});
    QSignalSpy seen(&marker, &QFileSystemWatcher::fileChanged);
    questions.clear();
    QVERIFY(replaceFile(design, content + "   "));
    QVERIFY(seen.wait());
    QTest::qWait(100);
    QVERIFY2(questions.isEmpty(), qPrintable(questions.join(QLatin1Char('\n'))));

    // Deleted: the user is told, nothing is reloaded.
    answerFiles(design);
    m_pMain->action(ActionId::OpenDesign)->trigger();
    QCOMPARE(m_pModel->designFilePath(), design);
    QVERIFY(QFile::remove(design));
    QTRY_VERIFY(!questions.isEmpty());
    QCOMPARE(questions.last(), QStringLiteral("File has been renamed. Please reload the file"));
}

void TestKMainOperations::saveAsWritesTheArchive_data()
{
    QTest::addColumn<QString>("chosen");  // relative to the temporary folder
    QTest::addColumn<QString>("written"); // the only file in its folder afterwards
    QTest::newRow("archive name") << "show.cpz" << "show.cpz";
    QTest::newRow("project file name") << "show.cpf" << "show.cpz";
    QTest::newRow("no suffix, dotted folder") << "dotted.folder/show" << "dotted.folder/show.cpz";
    QTest::newRow("project file name, dotted folder") << "dotted.folder/show.cpf" << "dotted.folder/show.cpz";
}

// Whatever the name, the project goes into "<name>.cpz", and the editor
// keeps the path it wrote: the title names it and the next save goes there.
void TestKMainOperations::saveAsWritesTheArchive()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    start();
    QVERIFY(QDir(m_pDir->path()).mkdir(QStringLiteral("dotted.folder")));
    answerFiles(m_pDir->filePath(chosen));
    m_pModel->setModified(true);
    m_pMain->action(ActionId::SaveProjectAs)->trigger();

    const QString archive = m_pDir->filePath(written);
    const QFileInfo target(archive);
    QCOMPARE(target.dir().entryList(QDir::Files), QStringList{target.fileName()});
    QCOMPARE(m_pMain->filePath(), archive);
    QCOMPARE(m_pMain->mainWindow()->windowTitle(), QStringLiteral("Velmora Viviza builder - ") + target.fileName());
    QVERIFY(!m_pModel->isModified());

    // Save goes to the same archive without asking.
    QVERIFY(QFile::remove(archive));
    m_pModel->setModified(true);
    m_pMain->action(ActionId::SaveProject)->trigger();
    QCOMPARE(m_asked.size(), 1);
    QVERIFY(!m_pModel->isModified());
    QCOMPARE(target.dir().entryList(QDir::Files), QStringList{target.fileName()});
}

void TestKMainOperations::editCommandsWithoutCommandsChangeNothing()
{
    start();
    CControl *pPanel = m_pModel->currentPanel();
    QVERIFY(pPanel);
    // Nothing selected, or no such command yet: nothing happens, nothing breaks.
    for (const char *slot : {"cut", "copy", "paste", "del", "bringToFront", "bringForward", "sendToBack",
                             "sendBackward", "alignLeft", "alignRight", "alignTop", "alignBottom", "alignHCenter",
                             "alignVCenter", "spaceAcross", "spaceDown", "undo", "redo", "closeVMP", "sendVC",
                             "setExitPIN", "resetQMLFocus"})
        QVERIFY2(QMetaObject::invokeMethod(m_pMain, slot), slot);
    QCOMPARE(m_pModel->currentPanel(), pPanel);
}

void TestKMainOperations::editModeGoesOffline()
{
    start();
    m_pModel->setConnectionEnabled(true);
    m_pMain->editMode();
    QVERIFY(!m_pModel->isConnectionEnabled());
    QVERIFY(!m_pMain->action(ActionId::EditMode)->isChecked());
    m_pMain->editMode();
    QVERIFY(m_pMain->action(ActionId::EditMode)->isChecked());
}

// The new blank project is refused with a box before any address is asked
// for; the PIN typed in its dialog becomes the project's.
void TestKMainOperations::sendAndExitPinReachTheModel()
{
    start();
    int dialogs = 0;
    DModalDialog::setResponder([&dialogs](DModalDialog *pDialog) {
        ++dialogs;
        auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pExitPinEdit"));
        if (!pEdit)
            return 0;
        pDialog->show();
        pEdit->setFocus();
        QTest::keyClicks(pEdit, QStringLiteral("2580"));
        QTest::keyClick(pEdit, Qt::Key_Return);
        return pDialog->result() == QDialog::Accepted ? 1 : 0;
    });
    m_pMain->action(ActionId::SendToMobile)->setEnabled(true);
    m_pMain->action(ActionId::SendToMobile)->trigger();
    QCOMPARE(m_warnings.size(), 1);
    QCOMPARE(dialogs, 0);

    m_pModel->setModified(false);
    QVERIFY(QMetaObject::invokeMethod(m_pMain, "setExitPIN"));
    QCOMPARE(dialogs, 1);
    QCOMPARE(MProject::exitPin(), QStringLiteral("2580"));
    QVERIFY(m_pModel->isModified());
    MProject::setExitPin(QString());
}

// The canvas action opens the setup dialog on the main window's canvas; a
// chosen device reaches the canvas only with OK.
void TestKMainOperations::canvasActionRunsTheSetupDialog_data()
{
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<QString>("device");
    QTest::newRow("ok") << true << "iPad Air";
    QTest::newRow("cancel") << false << "";
}

void TestKMainOperations::canvasActionRunsTheSetupDialog()
{
    QFETCH(bool, pressOk);
    QFETCH(QString, device);
    start();
    QStringList titles;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        titles << pDialog->windowTitle();
        auto *pDevices = pDialog->findChild<QComboBox *>(QStringLiteral("m_pDeviceBox"));
        auto *pButtons = pDialog->findChild<QDialogButtonBox *>(QStringLiteral("m_pButtonBox"));
        if (!pDevices || !pButtons)
            return 0;
        pDevices->setCurrentIndex(pDevices->findText(QStringLiteral("iPad Air")));
        QTest::mouseClick(pButtons->button(pressOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        return pDialog->result() == QDialog::Accepted ? 1 : 0;
    });
    const QString before = m_pMain->canvas()->deviceName();
    m_pMain->action(ActionId::CanvasSetup)->trigger();
    QCOMPARE(titles, QStringList({QStringLiteral("Canvas Setup")}));
    QCOMPARE(m_pMain->canvas()->deviceName(), pressOk ? device : before);
    if (pressOk) {
        QCOMPARE(m_pMain->canvas()->size(), 9.7f);
        QCOMPARE(TestSupport::appSettings()->value(QStringLiteral("Canvas/device")).toString(), device);
    }
}

// Saved, the blank project goes out byte for byte to the device whose
// address the user typed; the processors were taken offline first.
void TestKMainOperations::sendActionSendsTheSavedArchive()
{
    start();
    const QString path = m_pDir->filePath(QStringLiteral("sent.cpz"));
    answerFiles(path);
    QVERIFY(m_pMain->saveAsVC());
    FakeMobileDevice device;
    QVERIFY(device.listen());
    m_pModel->setTransferPort(device.port());
    m_pModel->setConnectionEnabled(true);
    DModalDialog::setResponder([](DModalDialog *pDialog) {
        const int octets[] = {127, 0, 0, 1};
        for (int i = 0; i < 4; ++i) {
            auto *pField = pDialog->findChild<QSpinBox *>(QStringLiteral("m_pField%1").arg(i + 1));
            if (!pField)
                return 0;
            pField->setValue(octets[i]);
        }
        return 1;
    });
    QVERIFY(m_pMain->action(ActionId::SendToMobile)->isEnabled());
    m_pMain->action(ActionId::SendToMobile)->trigger();
    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QVERIFY(!m_pModel->isConnectionEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(device.isReceiveFinished(), 5000);
    QCOMPARE(device.received(), TestSupport::readAll(path));
    QVERIFY(!device.received().isEmpty());
}

// The Layout action runs the layout dialog on the open project; an edit
// kept by Cancel still marks the project modified.
void TestKMainOperations::layoutActionOpensThePanelSetup()
{
    start();
    const int before = m_pModel->scenes()->childCount();
    QVERIFY(before > 0);
    m_pModel->setModified(false);
    QStringList shown;
    bool actionEnabledMeanwhile = true;
    DModalDialog::setResponder([&](DModalDialog *pDialog) {
        shown << pDialog->windowTitle();
        actionEnabledMeanwhile = m_pMain->action(ActionId::PanelSetup)->isEnabled();
        auto *pTree = pDialog->findChild<QTreeView *>(QStringLiteral("m_pTreeView"));
        const auto *pScene = qobject_cast<CComposite *>(m_pModel->scenes()->childAt(0));
        if (!pTree || !pScene)
            return 0;
        pTree->expandAll();
        DialogDriver::clickIndex(pTree, pScene->treeIndex());
        DialogDriver::click(pDialog, QStringLiteral("m_pAddScene"));
        DialogDriver::press(pDialog, QDialogButtonBox::Cancel);
        return 0;
    });
    m_pMain->action(ActionId::PanelSetup)->trigger();
    QCOMPARE(shown, QStringList{"Layout"});
    QVERIFY(!actionEnabledMeanwhile);
    QCOMPARE(m_pModel->scenes()->childCount(), before + 1);
    QVERIFY(m_pModel->isModified());
    QVERIFY(m_pMain->action(ActionId::PanelSetup)->isEnabled());
}

void TestKMainOperations::levelAndMeterStoreTheChoice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("button") << "&Button" << "Level" << "button";
    QTest::newRow("slider") << "&Slider" << "Level" << "slider";
    QTest::newRow("icon is image") << "&Icon" << "Meter" << "image";
    QTest::newRow("bar") << "&Meter Bar" << "Meter" << "bar";
}

void TestKMainOperations::levelAndMeterStoreTheChoice()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);

    start();
    QAction *pChoice = nullptr;
    for (QAction *pAction : m_pMain->findChildren<QAction *>()) {
        if (pAction->text() == text)
            pChoice = pAction;
    }
    QVERIFY(pChoice);
    pChoice->trigger();
    QVERIFY(pChoice->isChecked());
    QCOMPARE(TestSupport::appSettings()->value(key).toString(), value);
}

void TestKMainOperations::newAndOpenLeaveTheOldDesign_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("file"); // in the temporary folder; none for the template list
    QTest::addColumn<QStringList>("processors");
    QTest::addColumn<bool>("withDesign");
    QTest::newRow("new") << "newVC" << QString() << QStringList() << false;
    QTest::newRow("open a project without a design") << "openVC" << "blank.cpz" << QStringList() << false;
    QTest::newRow("open a project with its design")
        << "openVC" << "annex.cpz" << QStringList{"Annex Rack", "Main Rack"} << true;
}

// The design of the project before must not stay in the tree, be packed into
// the next save or turn the next project's design into a re-import.
void TestKMainOperations::newAndOpenLeaveTheOldDesign()
{
    QFETCH(QString, slot);
    QFETCH(QString, file);
    QFETCH(QStringList, processors);
    QFETCH(bool, withDesign);
    start();
    const QString folder = m_pDir->path() + QLatin1Char('/');
    QVERIFY(m_pModel->saveProject(folder + QStringLiteral("blank.cpz")));
    QDir(folder).mkdir(QStringLiteral("annex"));
    const QString design = DesignFixture().write(folder + QStringLiteral("annex"));
    answerFiles(design);
    m_pMain->openVMP();
    QCOMPARE(m_pModel->designFilePath(), design);
    QVERIFY(m_pModel->saveProject(folder + QStringLiteral("annex.cpz")));

    // Another design in use when the row's project comes.
    DesignFixture other;
    const int annex = other.indexOf("Annex Rack");
    QVERIFY(annex >= 0);
    other.nodes[annex].replace("Annex Rack", "Spare Rack");
    const QString otherDesign = other.write(m_pDir->path(), QStringLiteral("other.vmp"));
    answerDialogs(QStringLiteral("Blank Panel"));
    answerFiles(otherDesign);
    m_pMain->openVMP();
    QCOMPARE(m_pModel->designFilePath(), otherDesign);
    QCOMPARE(processorLabels(), (QStringList{"Main Rack", "Spare Rack"}));
    // A block in use, as a control on the panel leaves it.
    QList<HNode *> blocks;
    m_pModel->rootNode()->collectByCategory(QStringLiteral("Blocks"), &blocks);
    QVERIFY(!blocks.isEmpty());
    blocks.first()->setChecked(true);

    answerFiles(folder + file);
    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));

    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QCOMPARE(processorLabels(), processors);
    QCOMPARE(m_pModel->designFilePath().isEmpty(), !withDesign);
    QVERIFY(!m_pModel->designFilePath().contains(QLatin1String("other.vmp")));
}

// ---------------------------------------------------------------- every action

namespace {

// Every action of the menus and the tool bar, by its text.
const QStringList kActionTexts = {
    "&Open VMP File...", "&New Vazado ziv File...", "&Open Vazado ziv File...", "&Save Vazado ziv File...",
    "S&ave Vazado ziv File As...", "&Update Vazado ziv IP Addresses...", "E&xit",
    "&Undo", "&Redo", "Undo &List...", "Cu&t", "&Copy", "&Paste", "&Delete", "&Edit Mode",
    "Bring To &Front", "Bring For&ward", "Send To &Back", "Send Bac&kward",
    "Align &Left", "Align &Right", "Align &Top", "Align &Bottom", "Align &Horizontal Center",
    "Align &Vertical Center", "Distribute H&orizontally", "Distribute V&ertically",
    "&Go Online...", "&Send to Mobile Device...", "&Canvas...", "&Layout...", "Set E&xit PIN Code...",
    "&Slider", "&Button", "&Meter Bar", "&Icon", "&About Velmora Viviza builder...", "&Help Topics..."};

} // namespace

void TestKMainOperations::openedUrl(const QUrl &url)
{
    m_openedUrls << url;
}

QAction *TestKMainOperations::actionByText(const QString &text) const
{
    for (QAction *pAction : m_pMain->findChildren<QAction *>()) {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

// Three labels on the panel, A, B and C, lowest first, apart from each other.
QList<CControl *> TestKMainOperations::dropLabels()
{
    QList<CControl *> labels;
    const QPoint at[] = {{10, 10}, {60, 80}, {30, 160}};
    for (const QPoint &point : at) {
        auto *pPanel = qobject_cast<CComposite *>(m_pModel->currentPanel());
        const int before = pPanel ? pPanel->childCount() : -1;
        m_pModel->qmlInterface()->dropControl(QStringLiteral("Label"), QStringLiteral("0"), point.x(), point.y());
        if (!pPanel || pPanel->childCount() != before + 1)
            return {};
        labels << pPanel->children().last();
    }
    return labels;
}

// Clicks on the controls on the canvas, the later ones with Shift.
void TestKMainOperations::clickControls(const QList<CControl *> &controls)
{
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pCanvas && pCanvas->view());
    for (int i = 0; i < controls.size(); ++i) {
        QVERIFY(!controls.at(i)->widgets().isEmpty());
        auto *pItem = qobject_cast<QQuickItem *>(controls.at(i)->widgets().first()->widget());
        QVERIFY(pItem);
        const QPoint centre = pItem->mapToScene(QPointF(pItem->width() / 2, pItem->height() / 2)).toPoint();
        QTest::mouseClick(pCanvas->view(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ShiftModifier, centre);
    }
    QCOMPARE(m_pModel->selectTool()->selection().size(), controls.size());
    // On to the menu, Shift let go.
    QTest::mouseMove(pCanvas->view(), QPoint(1, 1));
}

void TestKMainOperations::everyActionHasARow()
{
    start();
    QStringList shown;
    const MainWindow *pWindow = m_pMain->mainWindow();
    QList<QAction *> actions = pWindow->toolBarWidget()->actions();
    for (QAction *pMenu : pWindow->menuBarWidget()->actions()) {
        for (QAction *pAction : pMenu->menu()->actions())
            actions += pAction->menu() ? pAction->menu()->actions() : QList<QAction *>{pAction};
    }
    for (const QAction *pAction : std::as_const(actions)) {
        if (!pAction->isSeparator() && !shown.contains(pAction->text()))
            shown << pAction->text();
    }
    shown.sort();
    QStringList rows = kActionTexts;
    rows.sort();
    QCOMPARE(shown, rows);
}

void TestKMainOperations::everyActionDoesItsWork_data()
{
    QTest::addColumn<QString>("text");
    for (const QString &text : kActionTexts)
        QTest::newRow(qPrintable(text)) << text;
}

// The full editor with three labels on its panel; each action is triggered
// as from its menu entry, and what it did is looked at.
void TestKMainOperations::everyActionDoesItsWork()
{
    QFETCH(QString, text);
    start();
    QVERIFY(QTest::qWaitForWindowExposed(m_pMain->mainWindow()));
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pCanvas && pCanvas->view() && QTest::qWaitForWindowExposed(pCanvas->view()));
    const QList<CControl *> labels = dropLabels();
    QCOMPARE(labels.size(), 3);
    CControl *pA = labels.at(0);
    CControl *pB = labels.at(1);
    CControl *pC = labels.at(2);
    auto *pPanel = qobject_cast<CComposite *>(m_pModel->currentPanel());
    const auto rectsNow = [&labels] {
        QList<QRectF> rects;
        for (const CControl *pLabel : labels)
            rects << pLabel->bounds();
        return rects;
    };
    const QList<QRectF> before = rectsNow();
    QAction *pAction = actionByText(text);
    QVERIFY(pAction);
    QStringList questions;
    answerBoxes(QMessageBox::No, &questions);

    // Stacking: the order of the panel's children afterwards, lowest first.
    const QHash<QString, QPair<QList<CControl *>, QList<CControl *>>> stacking = {
        {"Bring To &Front", {{pA, pB}, {pC, pA, pB}}},
        {"Bring For&ward", {{pA}, {pB, pA, pC}}},
        {"Send To &Back", {{pC}, {pC, pA, pB}}},
        {"Send Bac&kward", {{pB, pC}, {pB, pC, pA}}}};
    // Aligning: which edge or centre ends up shared.
    const QHash<QString, std::function<qreal(const QRectF &)>> aligned = {
        {"Align &Left", [](const QRectF &r) { return r.left(); }},
        {"Align &Right", [](const QRectF &r) { return r.right(); }},
        {"Align &Top", [](const QRectF &r) { return r.top(); }},
        {"Align &Bottom", [](const QRectF &r) { return r.bottom(); }},
        {"Align &Horizontal Center", [](const QRectF &r) { return r.center().x(); }},
        {"Align &Vertical Center", [](const QRectF &r) { return r.center().y(); }}};

    if (stacking.contains(text)) {
        clickControls(stacking.value(text).first);
        pAction->trigger();
        QCOMPARE(pPanel->children(), stacking.value(text).second);
        m_pMain->action(ActionId::Undo)->trigger();
        QCOMPARE(pPanel->children(), labels);
    } else if (aligned.contains(text)) {
        clickControls(labels);
        pAction->trigger();
        const auto edge = aligned.value(text);
        for (const QRectF &rect : rectsNow())
            QVERIFY2(qFuzzyCompare(edge(rect), edge(rectsNow().first())), qPrintable(text));
        QVERIFY(rectsNow() != before);
        m_pMain->action(ActionId::Undo)->trigger();
        QCOMPARE(rectsNow(), before);
    } else if (text.startsWith(QLatin1String("Distribute"))) {
        clickControls(labels);
        const bool across = text.contains(QLatin1String("H&orizontally"));
        const auto centre = [across](const QRectF &r) { return across ? r.center().x() : r.center().y(); };
        pAction->trigger();
        QList<qreal> centres;
        for (const QRectF &rect : rectsNow())
            centres << centre(rect);
        std::sort(centres.begin(), centres.end());
        QVERIFY2(qAbs((centres.at(0) + centres.at(2)) / 2 - centres.at(1)) < 0.01,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(centres.at(0)).arg(centres.at(1)).arg(centres.at(2))));
        QVERIFY(rectsNow() != before);
        m_pMain->action(ActionId::Undo)->trigger();
        QCOMPARE(rectsNow(), before);
    } else if (text == QLatin1String("&Undo") || text == QLatin1String("&Redo")) {
        clickControls(labels);
        actionByText(QStringLiteral("Align &Left"))->trigger();
        const QList<QRectF> after = rectsNow();
        QVERIFY(m_pMain->action(ActionId::Undo)->isEnabled());
        m_pMain->action(ActionId::Undo)->trigger();
        QCOMPARE(rectsNow(), before);
        QVERIFY(m_pMain->action(ActionId::Redo)->isEnabled());
        if (text == QLatin1String("&Redo")) {
            pAction->trigger();
            QCOMPARE(rectsNow(), after);
            QVERIFY(!m_pMain->action(ActionId::Redo)->isEnabled());
        }
    } else if (text == QLatin1String("Undo &List...")) {
        clickControls(labels);
        actionByText(QStringLiteral("Align &Left"))->trigger();
        actionByText(QStringLiteral("Bring To &Front"))->trigger();
        QStringList rows;
        DModalDialog::setResponder([&rows](DModalDialog *pDialog) {
            auto *pList = pDialog->findChild<QListWidget *>(QStringLiteral("m_pUndoList"));
            if (!pList || pList->count() < 2)
                return 0;
            for (int row = 0; row < pList->count(); ++row)
                rows << pList->item(row)->text();
            const QPoint second = pList->visualItemRect(pList->item(1)).center();
            QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, second);
            QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, second);
            pDialog->close();
            return 0;
        });
        QVERIFY(pAction->isEnabled());
        pAction->trigger();
        // Newest first, down to the drops of the three labels.
        QCOMPARE(rows, QStringList({"Send To Front", "Align Left", "Drop Control", "Drop Control", "Drop Control"}));
        QCOMPARE(rectsNow(), before);
        QCOMPARE(pPanel->children(), labels);
        QCOMPARE(BCommandProcessor::instance()->redoCount(), 2);
    } else if (text == QLatin1String("Cu&t") || text == QLatin1String("&Copy") || text == QLatin1String("&Paste")
               || text == QLatin1String("&Delete")) {
        const QHash<QString, int> ids = {{"Cu&t", BCommandId::EditCut}, {"&Copy", BCommandId::EditCopy},
                                         {"&Paste", BCommandId::EditPaste}, {"&Delete", BCommandId::EditDelete}};
        std::unique_ptr<BCommand> pProbe(BCommandFactory::instance()->createCommand(ids.value(text)));
        if (!pProbe)
            QSKIP("The edit commands are not part of this build.");
        clickControls({pB});
        QVERIFY(pAction->isEnabled() || text == QLatin1String("&Paste"));
        if (text == QLatin1String("&Paste"))
            actionByText(QStringLiteral("&Copy"))->trigger();
        pAction->trigger();
        const bool removes = text == QLatin1String("Cu&t") || text == QLatin1String("&Delete");
        const bool adds = text == QLatin1String("&Paste");
        QCOMPARE(pPanel->childCount(), removes ? 2 : adds ? 4 : 3);
        QCOMPARE(pPanel->contains(pB), !removes);
        if (text != QLatin1String("&Delete"))
            QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("application/control")));
    } else if (text == QLatin1String("&Open VMP File...")) {
        const QString design = DesignFixture().write(m_pDir->path());
        answerFiles(design);
        pAction->trigger();
        QCOMPARE(m_pModel->designFilePath(), design);
        QCOMPARE(processorLabels(), (QStringList{"Annex Rack", "Main Rack"}));
    } else if (text == QLatin1String("&New Vazado ziv File...")) {
        answerDialogs(QStringLiteral("Blank Panel"));
        pAction->trigger();
        QCOMPARE(questions, QStringList{"New Control Panel"});
        QVERIFY(m_pModel->currentPanel());
        QCOMPARE(qobject_cast<CComposite *>(m_pModel->currentPanel())->childCount(), 0);
    } else if (text == QLatin1String("&Open Vazado ziv File...")) {
        const QString path = m_pDir->filePath(QStringLiteral("three.cpz"));
        QVERIFY(m_pModel->saveProject(path));
        m_pModel->qmlInterface()->dropControl(QStringLiteral("Label"), QStringLiteral("0"), 100, 200);
        answerFiles(path);
        pAction->trigger();
        QCOMPARE(m_pMain->filePath(), path);
        QCOMPARE(qobject_cast<CComposite *>(m_pModel->currentPanel())->childCount(), 3);
    } else if (text == QLatin1String("&Save Vazado ziv File...") || text.startsWith(QLatin1String("S&ave"))) {
        const QString path = m_pDir->filePath(QStringLiteral("saved.cpz"));
        answerFiles(path);
        pAction->trigger();
        QCOMPARE(m_asked.size(), 1);
        QCOMPARE(m_asked.first().title, QStringLiteral("Save Control Panel File"));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(m_pMain->filePath(), path);
        QVERIFY(!m_pModel->isModified());
    } else if (text == QLatin1String("&Update Vazado ziv IP Addresses...")) {
        pAction->trigger();
        QCOMPARE(m_warnings, QStringList{"No items with IP addresses found.  Is a Vazado Ziv loaded?"});
    } else if (text == QLatin1String("E&xit")) {
        // Cancelled at the save prompt: the editor stays as it is, online too.
        m_pModel->setConnectionEnabled(true);
        answerBoxes(QMessageBox::Cancel, &questions);
        pAction->trigger();
        QCOMPARE(questions, QStringList{"Exit"});
        QVERIFY(m_pModel->isConnectionEnabled());
        QCOMPARE(pPanel->childCount(), 3);
    } else if (text == QLatin1String("&Edit Mode")) {
        m_pModel->setConnectionEnabled(true);
        const bool on = m_pModel->qmlInterface()->property("editModeEnable").toBool();
        pAction->trigger();
        QCOMPARE(m_pModel->qmlInterface()->property("editModeEnable").toBool(), !on);
        QCOMPARE(pAction->isChecked(), !on);
        QVERIFY(!m_pModel->isConnectionEnabled());
    } else if (text == QLatin1String("&Go Online...")) {
        pAction->setEnabled(true);
        pAction->trigger();
        QVERIFY(m_pModel->isConnectionEnabled());
        QVERIFY(pAction->isChecked());
        QVERIFY(!m_pMain->action(ActionId::EditMode)->isChecked());
        pAction->trigger();
        QVERIFY(!m_pModel->isConnectionEnabled());
        QVERIFY(!pAction->isChecked());
    } else if (text == QLatin1String("&Send to Mobile Device...")) {
        pAction->setEnabled(true);
        pAction->trigger();
        QCOMPARE(m_warnings, QStringList{"Please Save before Sending to Mobile Device"});
    } else if (text == QLatin1String("&Canvas...")) {
        m_pModel->setModified(false);
        m_pModel->setConnectionEnabled(true);
        pAction->trigger();
        QVERIFY(m_pModel->isModified());
        QVERIFY(!m_pModel->isConnectionEnabled());
    } else if (text == QLatin1String("&Layout...")) {
        int setups = 0;
        DModalDialog::setResponder([&setups](DModalDialog *pDialog) {
            setups += qobject_cast<DPanelSetupDialog *>(pDialog) ? 1 : 0;
            return 1;
        });
        pAction->trigger();
        DModalDialog::setResponder([](DModalDialog *) { return 0; });
        QCOMPARE(setups, 1);
        QVERIFY(pAction->isEnabled());
        QVERIFY(m_pModel->isModified());
    } else if (text == QLatin1String("Set E&xit PIN Code...")) {
        DModalDialog::setResponder([](DModalDialog *pDialog) {
            auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pExitPinEdit"));
            if (!pEdit)
                return 0;
            pEdit->setFocus();
            QTest::keyClicks(pEdit, QStringLiteral("4711"));
            QTest::keyClick(pEdit, Qt::Key_Return);
            return 0;
        });
        pAction->trigger();
        QCOMPARE(MProject::exitPin(), QStringLiteral("4711"));
        MProject::setExitPin(QString());
    } else if (text == QLatin1String("&Slider") || text == QLatin1String("&Button") || text == QLatin1String("&Meter Bar")
               || text == QLatin1String("&Icon")) {
        const bool level = text == QLatin1String("&Slider") || text == QLatin1String("&Button");
        pAction->trigger();
        QVERIFY(pAction->isChecked());
        const QHash<QString, QString> stored = {
            {"&Slider", "slider"}, {"&Button", "button"}, {"&Meter Bar", "bar"}, {"&Icon", "image"}};
        QCOMPARE(TestSupport::appSettings()->value(level ? QStringLiteral("Level") : QStringLiteral("Meter")).toString(),
                 stored.value(text));
    } else if (text == QLatin1String("&About Velmora Viviza builder...")) {
        pAction->trigger();
        QCOMPARE(m_warnings, QStringList{m_pModel->versionText()});
    } else if (text == QLatin1String("&Help Topics...")) {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openedUrl");
        pAction->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(m_openedUrls.size(), 1);
        QCOMPARE(m_openedUrls.first().toLocalFile(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/Help/VMRRadazar_Help.chm"));
    } else {
        QFAIL(qPrintable(QStringLiteral("no check for ") + text));
    }
}

void TestKMainOperations::centringFollowsShift_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("held");
    QTest::addColumn<bool>("onCanvas"); // else each on the group's centre
    const int shift = int(Qt::ShiftModifier);
    const int shiftControl = int(Qt::ShiftModifier | Qt::ControlModifier);
    QTest::newRow("across") << "Align &Horizontal Center" << 0 << false;
    QTest::newRow("across, Shift") << "Align &Horizontal Center" << shift << true;
    QTest::newRow("across, Shift and Control") << "Align &Horizontal Center" << shiftControl << true;
    QTest::newRow("down") << "Align &Vertical Center" << 0 << false;
    QTest::newRow("down, Shift") << "Align &Vertical Center" << shift << true;
    QTest::newRow("down, Shift and Control") << "Align &Vertical Center" << shiftControl << false;
}

// Shift held when centring moves the selection as one block to the middle
// of the canvas; the redo does what the first run did, whatever is held then.
void TestKMainOperations::centringFollowsShift()
{
    QFETCH(QString, text);
    QFETCH(int, held);
    QFETCH(bool, onCanvas);
    start();
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    QVERIFY(pCanvas && pCanvas->view() && QTest::qWaitForWindowExposed(pCanvas->view()));
    const QList<CControl *> labels = dropLabels();
    QCOMPARE(labels.size(), 3);
    clickControls(labels);
    const auto rectsNow = [&labels] {
        QList<QRectF> rects;
        for (const CControl *pLabel : labels)
            rects << pLabel->bounds();
        return rects;
    };
    const auto united = [](const QList<QRectF> &rects) {
        QRectF all = rects.first();
        for (const QRectF &rect : rects)
            all = all.united(rect);
        return all;
    };
    const bool across = text.contains(QLatin1String("Horizontal"));
    const auto centre = [across](const QRectF &r) { return across ? r.center().x() : r.center().y(); };
    const QList<QRectF> before = rectsNow();
    const QQuickItem *pArea = m_pModel->qmlRootItem();
    QVERIFY(pArea);

    if (held & Qt::ShiftModifier)
        QTest::keyPress(pCanvas->view(), Qt::Key_Shift, Qt::ShiftModifier);
    if (held & Qt::ControlModifier)
        QTest::keyPress(pCanvas->view(), Qt::Key_Control, Qt::KeyboardModifiers(held));
    QCOMPARE(int(QGuiApplication::keyboardModifiers()), held);
    actionByText(text)->trigger();
    QTest::mouseMove(pCanvas->view(), QPoint(1, 1));
    const QList<QRectF> after = rectsNow();

    if (onCanvas) {
        const qreal middle = across ? pArea->width() / 2 : pArea->height() / 2;
        QVERIFY2(qAbs(centre(united(after)) - middle) < 0.01, qPrintable(QString::number(centre(united(after)))));
        for (int i = 1; i < after.size(); ++i)
            QVERIFY(qFuzzyCompare(centre(after.at(i)) - centre(after.at(0)), centre(before.at(i)) - centre(before.at(0))));
    } else {
        const qreal middle = centre(united(before));
        for (const QRectF &rect : after)
            QVERIFY2(qAbs(centre(rect) - middle) < 0.01, qPrintable(QString::number(centre(rect))));
    }
    m_pMain->action(ActionId::Undo)->trigger();
    QCOMPARE(rectsNow(), before);
    m_pMain->action(ActionId::Redo)->trigger();
    QCOMPARE(rectsNow(), after);
}

VVB_TEST_MAIN(TestKMainOperations)
#include "tst_kmainoperations.moc"
