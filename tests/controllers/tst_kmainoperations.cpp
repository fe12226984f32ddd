#include "controllers/ActionId.h"
#include "controllers/KMainController.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DModalDialog.h"
#include "hardware/HRoot.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "support/DesignFixture.h"
#include "support/FakeMobileDevice.h"
#include "support/TestSupport.h"
#include "views/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QSettings> appSettings()
{
    return std::make_unique<QSettings>(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
}

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
    void reloadWarningGuardsASecondImport();
    void editCommandsWithoutCommandsChangeNothing();
    void editModeGoesOffline();
    void sendAndExitPinReachTheModel();
    void sendActionSendsTheSavedArchive();
    void levelAndMeterStoreTheChoice_data();
    void levelAndMeterStoreTheChoice();
    void newAndOpenLeaveTheOldDesign_data();
    void newAndOpenLeaveTheOldDesign();

private:
    void start();
    QStringList processorLabels() const;
    // Answers every file chooser with `answer` and records what was asked.
    void answerFiles(const QString &answer);

    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    QList<Asked> m_asked;
    QStringList m_warnings;
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestKMainOperations::init()
{
    appSettings()->clear();
    m_asked.clear();
    m_warnings.clear();
    m_pDir = std::make_unique<QTemporaryDir>();
    DMessageBox::setResponder([this](const QString &, const QString &text) {
        m_warnings << text;
        return 0;
    });
    KMainController::setQuestionRunner([](const QString &, const QString &) { return QMessageBox::No; });
    // A dialog that is not answered by the test is cancelled.
    DModalDialog::setResponder([](DModalDialog *) { return 0; });
}

void TestKMainOperations::cleanup()
{
    KMainController::setQuestionRunner({});
    KMainController::setFileNameRunner({});
    DMessageBox::setResponder({});
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
    KMainController::setFileNameRunner(
        [this, answer](bool save, const QString &title, const QString &start, const QString &filter) {
            m_asked << Asked{save, title, start, filter};
            return answer;
        });
}

void TestKMainOperations::fileOperations_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("file");    // in the temporary folder, or a template name
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
    QTest::newRow("new") << "newVC" << "template:Blank Panel.tpl" << false << "New Control Panel"
                         << "Templates (*.tpl)" << "" << false;
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
    QString path = folder + file;
    if (file.startsWith(QLatin1String("template:")))
        path = QCoreApplication::applicationDirPath() + QStringLiteral("/templates/") + file.mid(9);
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
    KMainController::setQuestionRunner([](const QString &, const QString &) { return QMessageBox::Yes; });
    QVERIFY(!m_pMain->promptSave(QStringLiteral("Exit")));
}

void TestKMainOperations::promptBeforeLosingChanges_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("choosers"); // titles of the file choosers, in order

    const QString saveAs = QStringLiteral("Save Control Panel File");
    QTest::newRow("new, nothing to save") << "newVC" << false << int(QMessageBox::Cancel)
                                          << QStringList{"New Control Panel"};
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
    int questions = 0;
    KMainController::setQuestionRunner([&](const QString &, const QString &) {
        ++questions;
        return QMessageBox::StandardButton(answer);
    });
    answerFiles(QString());
    m_pModel->setModified(modified);
    CControl *pPanel = m_pModel->currentPanel();

    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));
    QCOMPARE(questions, modified ? 1 : 0);
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

    QTest::newRow("missing template") << "newVC" << QByteArray() << false;
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

void TestKMainOperations::reloadWarningGuardsASecondImport()
{
    start();
    const QString design = DesignFixture().write(m_pDir->path());
    answerFiles(design);
    m_pMain->openVMP();
    QCOMPARE(m_pModel->designFilePath(), design);
    QCOMPARE(m_asked.size(), 1);

    QStringList questions;
    KMainController::setQuestionRunner([&](const QString &title, const QString &) {
        questions << title;
        return QMessageBox::No;
    });
    m_pMain->openVMP();
    QCOMPARE(questions.size(), 1);
    QCOMPARE(m_asked.size(), 1);

    KMainController::setQuestionRunner([&](const QString &title, const QString &) {
        questions << title;
        return QMessageBox::Yes;
    });
    m_pMain->openVMP();
    QCOMPARE(questions.size(), 2);
    QCOMPARE(m_asked.size(), 2);
    QCOMPARE(m_pModel->designFilePath(), design);
    QCOMPARE(m_pMain->settings()->value(QStringLiteral("showVMPReloadWarning")).toBool(), true);
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
    QCOMPARE(appSettings()->value(key).toString(), value);
}

void TestKMainOperations::newAndOpenLeaveTheOldDesign_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("file"); // in the temporary folder, or a template name
    QTest::addColumn<QStringList>("processors");
    QTest::addColumn<bool>("withDesign");
    QTest::newRow("new") << "newVC" << "template:Blank Panel.tpl" << QStringList() << false;
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
    KMainController::setQuestionRunner([](const QString &, const QString &) { return QMessageBox::Yes; });
    answerFiles(otherDesign);
    m_pMain->openVMP();
    KMainController::setQuestionRunner([](const QString &, const QString &) { return QMessageBox::No; });
    QCOMPARE(m_pModel->designFilePath(), otherDesign);
    QCOMPARE(processorLabels(), (QStringList{"Main Rack", "Spare Rack"}));
    // A block in use, as a control on the panel leaves it.
    QList<HNode *> blocks;
    m_pModel->rootNode()->collectByCategory(QStringLiteral("Blocks"), &blocks);
    QVERIFY(!blocks.isEmpty());
    blocks.first()->setChecked(true);

    const QString path = file.startsWith(QLatin1String("template:"))
                             ? QCoreApplication::applicationDirPath() + QStringLiteral("/templates/") + file.mid(9)
                             : folder + file;
    answerFiles(path);
    QVERIFY(QMetaObject::invokeMethod(m_pMain, slot.toLatin1().constData()));

    QVERIFY2(m_warnings.isEmpty(), qPrintable(m_warnings.join(QLatin1Char('\n'))));
    QCOMPARE(processorLabels(), processors);
    QCOMPARE(m_pModel->designFilePath().isEmpty(), !withDesign);
    QVERIFY(!m_pModel->designFilePath().contains(QLatin1String("other.vmp")));
}

QTEST_MAIN(TestKMainOperations)
#include "tst_kmainoperations.moc"
