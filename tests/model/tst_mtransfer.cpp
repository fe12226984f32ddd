#include "ModelFixture.h"

#include "dialogs/DDownloadDialog.h"
#include "dialogs/DExitPinDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DModalDialog.h"
#include "model/MProject.h"
#include "support/FakeMainController.h"
#include "support/FakeMobileDevice.h"
#include "support/QmlCanvasFixture.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "support/WidgetAnswerer.h"
#include "views/VModeManager.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kReceiveTitle = QStringLiteral("Receive Control Panel...");

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

QTimer *pollingTimer(MModel *pModel)
{
    return pModel->findChild<QTimer *>(QStringLiteral("polling"));
}

// The editor as a user of the transfer has it: a model with a panel that
// holds a setup button, a main controller for the save prompt (answered by
// `saveAnswer`), received projects going to a folder of the test, and the
// transfer on a free port of 127.0.0.1. Every warning box is recorded.
struct TransferFixture
{
    TransferFixture()
    {
        pMain->setModel(f.model);
        f.model->addController(pMain);
        // The save question is answered with `saveAnswer`; every other box
        // goes to the model fixture's record.
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            if (text != QLatin1String("There are unsaved changes. Would you like to save?")) {
                f.boxes.append(title + QLatin1Char('|') + text);
                return f.answer;
            }
            prompts << title;
            return int(saveAnswer);
        });
        setReceiveFolder(dir.filePath(QStringLiteral("received")));
        f.model->setTransferPort(0);
        f.model->setReceiveAddress(QHostAddress(QHostAddress::LocalHost));
        CComposite *pScene = f.scene(QStringLiteral("Local"));
        CComposite *pPanel = f.panel(pScene, QStringLiteral("Home"));
        f.control(pPanel, QStringLiteral("SettingsButton"), QStringLiteral("Button"), QStringLiteral("frame"), {});
        f.model->updatePageCount();
    }

    ~TransferFixture()
    {
        DMessageBox::setResponder({});
        DModalDialog::setResponder(DModalDialog::Responder());
    }

    static void setReceiveFolder(const QString &folder)
    {
        QSettings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"))
            .setValue(QStringLiteral("Path/Designs"), folder);
    }

    QString downloadFile() const { return dir.filePath(QStringLiteral("received/download.cpn")); }

    // The project as an archive, with its scene named as given.
    QByteArray archiveOf(const QString &sceneName)
    {
        CControl *pScene = f.model->scenes()->childAt(0);
        const QString before = pScene->name();
        pScene->setName(sceneName);
        const QString path = dir.filePath(sceneName + QStringLiteral(".cpz"));
        const bool saved = f.model->saveProject(path);
        pScene->setName(before);
        return saved ? TestSupport::readAll(path) : QByteArray();
    }

    // The send dialog answered with 127.0.0.1 and OK (or Cancel).
    void answerAddress(bool ok = true)
    {
        DModalDialog::setResponder([this, ok](DModalDialog *pDialog) {
            ++addressDialogs;
            const int octets[] = {127, 0, 0, 1};
            for (int i = 0; i < 4; ++i)
                pDialog->findChild<QSpinBox *>(QStringLiteral("m_pField%1").arg(i + 1))->setValue(octets[i]);
            return ok ? 1 : 0;
        });
    }

    // The device sends once the receive listens; the port is noted.
    void deviceSendsWhenListening(const QByteArray &bytes, bool hold = false, bool breakAfter = false)
    {
        auto *pTimer = new QTimer(&device);
        QObject::connect(pTimer, &QTimer::timeout, pTimer, [=]() {
            const quint16 port = f.model->receivingPort();
            if (port == 0)
                return;
            pTimer->stop();
            listenedPort = port;
            if (hold || breakAfter)
                device.sendAndHold(port, bytes);
            else
                device.sendFile(port, bytes);
            if (breakAfter)
                QTimer::singleShot(50, &device, [this]() { device.breakSend(); });
        });
        pTimer->start(2);
    }

    QTemporaryDir dir;
    ModelFixture f;
    FakeMainController *pMain = new FakeMainController({});
    FakeMobileDevice device;
    QStringList prompts;
    QMessageBox::StandardButton saveAnswer = QMessageBox::No;
    int addressDialogs = 0;
    quint16 listenedPort = 0;
};

// Presses Cancel in the receive box once the condition holds.
bool cancelReceiveBox(QWidget *pWidget)
{
    auto *pBox = qobject_cast<QMessageBox *>(pWidget);
    if (!pBox || pBox->windowTitle() != kReceiveTitle || pBox->buttons().isEmpty())
        return false;
    pBox->buttons().first()->click();
    return true;
}

} // namespace

// Sending a saved project to a mobile device and receiving one from it,
// through the model, against the fake device on 127.0.0.1.
class TestMTransfer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        DModalDialog::setResponder(DModalDialog::Responder());
        VModeManager::instance()->setCanvasRoot(nullptr);
    }

    // ---------------------------------------------------------------- sending

    void sendArrivesByteForByte_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one piece") << 4096;
        QTest::newRow("a piece and a byte") << 4097;
    }

    void sendArrivesByteForByte()
    {
        QFETCH(int, size);
        TransferFixture t;
        QVERIFY(t.f.model->saveProject(t.dir.filePath(QStringLiteral("show.cpz"))));
        // What goes out is the file as stored, whatever it holds.
        const QByteArray bytes = randomBytes(size);
        QVERIFY(TestSupport::writeAll(t.f.model->projectPath(), bytes));
        QVERIFY(t.device.listen());
        t.f.model->setTransferPort(t.device.port());
        t.answerAddress();

        QVERIFY(t.f.model->sendToMobileDevice());
        QCOMPARE(t.addressDialogs, 1);
        QVERIFY2(t.f.boxes.isEmpty(), qPrintable(t.f.boxes.join(QLatin1Char('\n'))));
        QCOMPARE(t.f.model->mobileAddress(), QHostAddress(QHostAddress::LocalHost));
        QTRY_VERIFY_WITH_TIMEOUT(t.device.isReceiveFinished(), 5000);
        QCOMPARE(t.device.received(), bytes);
    }

    // The user presses Abort while the last piece is on show.
    void abortOnTheLastPieceFails_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("arrives");
        QTest::newRow("single piece") << 4096 << 0;
        QTest::newRow("second piece") << 4097 << 4096;
    }

    void abortOnTheLastPieceFails()
    {
        QFETCH(int, size);
        QFETCH(int, arrives);
        TransferFixture t;
        QVERIFY(t.f.model->saveProject(t.dir.filePath(QStringLiteral("show.cpz"))));
        QVERIFY(TestSupport::writeAll(t.f.model->projectPath(), randomBytes(size)));
        QVERIFY(t.device.listen());
        t.f.model->setTransferPort(t.device.port());
        t.answerAddress();
        bool applicationModal = false;
        WidgetAnswerer user([&](QWidget *pWidget) {
            auto *pProgress = qobject_cast<QProgressDialog *>(pWidget);
            if (!pProgress || pProgress->value() != pProgress->maximum())
                return false;
            applicationModal = pProgress->windowModality() == Qt::ApplicationModal;
            QPushButton *pAbort = pProgress->findChild<QPushButton *>();
            if (!pAbort || pAbort->text() != QStringLiteral("Abort"))
                return false;
            pAbort->click();
            return true;
        });

        QVERIFY(!t.f.model->sendToMobileDevice());
        QVERIFY(user.answered());
        QVERIFY(applicationModal);
        QCOMPARE(t.f.boxes.size(), 1);
        QVERIFY(t.f.boxes.first().startsWith(QStringLiteral("Connection|")));
        QTRY_VERIFY_WITH_TIMEOUT(t.device.isReceiveFinished(), 5000);
        QCOMPARE(t.device.received().size(), arrives);
    }

    // Refusals come before the address is asked for; nothing is sent.
    void sendRefusals_data()
    {
        QTest::addColumn<bool>("setupButton");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("box");
        const QString save = QStringLiteral("Warning|Please Save before Sending to Mobile Device");
        QTest::newRow("never saved") << true << false << false << save;
        QTest::newRow("changed since the save") << true << true << true << save;
        QTest::newRow("no setup button, never saved") << false << false << false << "Error: ";
        QTest::newRow("no setup button, saved") << false << true << false << "Error: ";
    }

    void sendRefusals()
    {
        QFETCH(bool, setupButton);
        QFETCH(bool, saved);
        QFETCH(bool, modified);
        QFETCH(QString, box);
        TransferFixture t;
        if (!setupButton)
            t.f.model->scenes()->findByName(QStringLiteral("SettingsButton"))->setName(QStringLiteral("Other"));
        if (saved)
            QVERIFY(t.f.model->saveProject(t.dir.filePath(QStringLiteral("show.cpz"))));
        t.f.model->setModified(modified);
        QVERIFY(t.device.listen());
        t.f.model->setTransferPort(t.device.port());
        t.answerAddress();

        QVERIFY(!t.f.model->sendToMobileDevice());
        QCOMPARE(t.f.boxes.size(), 1);
        QVERIFY2(t.f.boxes.first().startsWith(box), qPrintable(t.f.boxes.first()));
        QCOMPARE(t.addressDialogs, 0);
        QTest::qWait(20);
        QCOMPARE(t.device.acceptedCount(), 0);
    }

    void sendCancelledOrRefusedByThePeer_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("box");
        QTest::newRow("address dialog cancelled") << true << "";
        QTest::newRow("nobody listening") << false << "Connection|Could not connect to: 127.0.0.1";
    }

    void sendCancelledOrRefusedByThePeer()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, box);
        TransferFixture t;
        QVERIFY(t.f.model->saveProject(t.dir.filePath(QStringLiteral("show.cpz"))));
        // A port that was free a moment ago: nothing listens there now.
        {
            FakeMobileDevice gone;
            QVERIFY(gone.listen());
            t.f.model->setTransferPort(gone.port());
        }
        t.answerAddress(!cancel);
        QVERIFY(!t.f.model->sendToMobileDevice());
        QCOMPARE(t.f.boxes.join(QLatin1Char('\n')), box);
        QCOMPARE(t.f.model->mobileAddress(),
                 cancel ? QHostAddress(QStringLiteral("192.168.0.1")) : QHostAddress(QHostAddress::LocalHost));
    }

    // What the user is told: "could not connect" whenever no connection was
    // made, "not sent completely" only when one was and it broke.
    void sendTellsWhatWentWrong_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("deviceTakes"); // bytes before the device drops; -2: nothing listens
        QTest::addColumn<QString>("box");
        const QString refused = QStringLiteral("Connection|Could not connect to: 127.0.0.1");
        const QString broken = QStringLiteral("Connection|The project was not sent completely to: 127.0.0.1");
        QTest::newRow("nothing listens, empty file") << 0 << -2 << refused;
        QTest::newRow("nothing listens, one piece") << 4096 << -2 << refused;
        QTest::newRow("nothing listens, many pieces") << 20 * 4096 << -2 << refused;
        QTest::newRow("device drops after a piece") << 200 * 4096 << 4096 << broken;
    }

    void sendTellsWhatWentWrong()
    {
        QFETCH(int, size);
        QFETCH(int, deviceTakes);
        QFETCH(QString, box);
        TransferFixture t;
        QVERIFY(t.f.model->saveProject(t.dir.filePath(QStringLiteral("show.cpz"))));
        QVERIFY(TestSupport::writeAll(t.f.model->projectPath(), randomBytes(size)));
        FakeMobileDevice device;
        if (deviceTakes == -2) {
            // A port that was free a moment ago: nothing listens there now.
            FakeMobileDevice gone;
            QVERIFY(gone.listen());
            t.f.model->setTransferPort(gone.port());
        } else {
            device.setReceiveLimit(deviceTakes);
            QVERIFY(device.listen());
            t.f.model->setTransferPort(device.port());
        }
        t.answerAddress();
        bool progressShown = false;
        WidgetAnswerer watcher([&](QWidget *pWidget) {
            progressShown = progressShown || qobject_cast<QProgressDialog *>(pWidget);
            return false;
        });

        QVERIFY(!t.f.model->sendToMobileDevice());
        QCOMPARE(t.f.boxes, QStringList{box});
        if (deviceTakes == -2)
            QVERIFY(!progressShown);
        else
            QVERIFY(device.acceptedCount() == 1);
    }

    // ---------------------------------------------------------------- receiving

    // A whole project arrives; after the save prompt it replaces the open one.
    void wholeReceiveOpensAfterThePrompt_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("do not save") << QMessageBox::No << true;
        QTest::newRow("cancel the prompt") << QMessageBox::Cancel << false;
    }

    void wholeReceiveOpensAfterThePrompt()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, opened);
        TransferFixture t;
        // The folder is deeper than one level and does not exist yet.
        TransferFixture::setReceiveFolder(t.dir.filePath(QStringLiteral("a/b/c")));
        const QByteArray bytes = t.archiveOf(QStringLiteral("Received"));
        QVERIFY(!bytes.isEmpty());
        t.f.model->setModified(true);
        t.saveAnswer = answer;
        t.deviceSendsWhenListening(bytes);
        QSignalSpy indicator(t.f.model, &MModel::changedStatusIndicator);

        QCOMPARE(t.f.model->runSystemMenu(QStringLiteral("Receive...")), opened);
        QCOMPARE(t.prompts, QStringList({kReceiveTitle}));
        const QString download = t.dir.filePath(QStringLiteral("a/b/c/download.cpn"));
        QCOMPARE(TestSupport::readAll(download), bytes);
        QVERIFY(!QFileInfo::exists(download + QLatin1Char('t')));
        QCOMPARE(t.f.model->receivedProjectPath(), download);
        QVERIFY(!t.f.model->isReceiving());
        QCOMPARE(indicator.count(), 1);
        QCOMPARE(t.f.model->scenes()->childAt(0)->name(),
                 opened ? QStringLiteral("Received") : QStringLiteral("Local"));
        QCOMPARE(t.f.model->isModified(), !opened);
        QCOMPARE(t.f.model->isConnectionEnabled(), opened);
        if (opened) {
            QCOMPARE(t.f.model->projectPath(), download);
            QVERIFY(pollingTimer(t.f.model)->isActive());
        }
        // The listener is gone with the receive.
        QCOMPARE(t.f.model->receivingPort(), quint16(0));
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, t.listenedPort);
        QVERIFY(!late.waitForConnected(2000));
    }

    // Failed receives: the open project, the old download file and the
    // polling of an online editor are as they were, and the result is false.
    void failedReceiveChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancelled part way") << "cancel";
        QTest::newRow("connection broken") << "break";
        QTest::newRow("unwritable target") << "unwritable";
        QTest::newRow("no sender, time limit") << "idle";
        QTest::newRow("no sender, cancelled") << "nobody";
    }

    void failedReceiveChangesNothing()
    {
        QFETCH(QString, how);
        TransferFixture t;
        const QByteArray bytes = t.archiveOf(QStringLiteral("Received"));
        QVERIFY(QDir().mkpath(t.dir.filePath(QStringLiteral("received"))));
        QVERIFY(TestSupport::writeAll(t.downloadFile(), "old download"));
        t.f.model->setModified(true);
        t.f.model->setConnectionEnabled(true);
        QVERIFY(pollingTimer(t.f.model)->isActive());
        CControl *pScene = t.f.model->scenes()->childAt(0);
        std::unique_ptr<WidgetAnswerer> pUser;
        if (how == QLatin1String("cancel")) {
            t.deviceSendsWhenListening(bytes.left(bytes.size() / 2), true);
            pUser = std::make_unique<WidgetAnswerer>([&](QWidget *pWidget) {
                return t.device.bytesSent() == bytes.size() / 2 && cancelReceiveBox(pWidget);
            });
        } else if (how == QLatin1String("break")) {
            t.deviceSendsWhenListening(QByteArray(), false, true);
        } else if (how == QLatin1String("unwritable")) {
            // A file where the folder should be.
            QVERIFY(TestSupport::writeAll(t.dir.filePath(QStringLiteral("blocked")), "x"));
            TransferFixture::setReceiveFolder(t.dir.filePath(QStringLiteral("blocked/folder")));
        } else if (how == QLatin1String("idle")) {
            t.f.model->setReceiveIdleLimit(100);
        } else {
            pUser = std::make_unique<WidgetAnswerer>(cancelReceiveBox);
        }

        QVERIFY(!t.f.model->runSystemMenu(QStringLiteral("Receive")));
        QVERIFY(t.prompts.isEmpty());
        QCOMPARE(TestSupport::readAll(t.downloadFile()), QByteArray("old download"));
        QVERIFY(!QFileInfo::exists(t.downloadFile() + QLatin1Char('t')));
        QCOMPARE(t.f.model->scenes()->childAt(0), pScene);
        QCOMPARE(pScene->name(), QStringLiteral("Local"));
        QVERIFY(t.f.model->isModified());
        QVERIFY(!t.f.model->isReceiving());
        QVERIFY(pollingTimer(t.f.model)->isActive());
        QCOMPARE(t.f.model->receivingPort(), quint16(0));
        for (QWidget *pWidget : QApplication::topLevelWidgets())
            QVERIFY(!(pWidget->isVisible() && pWidget->windowTitle() == kReceiveTitle));
    }

    // The receive box does not block the editor: a second receive asked for
    // while one waits is refused and leaves the first one working.
    void secondReceiveWhileOneWaitsIsRefused()
    {
        TransferFixture t;
        const QByteArray bytes = t.archiveOf(QStringLiteral("Received"));
        int secondResult = -1;
        WidgetAnswerer user([&](QWidget *pWidget) {
            auto *pBox = qobject_cast<QMessageBox *>(pWidget);
            if (!pBox || pBox->windowTitle() != kReceiveTitle)
                return false;
            secondResult = t.f.model->runSystemMenu(QStringLiteral("Receive")) ? 1 : 0;
            if (!t.f.model->isReceiving())
                secondResult = 2;
            t.deviceSendsWhenListening(bytes);
            return true;
        });
        QVERIFY(t.f.model->receiveAndOpen());
        QCOMPARE(secondResult, 0);
        QCOMPARE(TestSupport::readAll(t.downloadFile()), bytes);
        QCOMPARE(t.f.model->scenes()->childAt(0)->name(), QStringLiteral("Received"));
    }

    // What arrived whole is kept, but a file that is no project is not
    // opened: the open project stays.
    void receivedFileThatIsNoProject()
    {
        TransferFixture t;
        CControl *pScene = t.f.model->scenes()->childAt(0);
        t.deviceSendsWhenListening("no project in here");
        QVERIFY(!t.f.model->receiveAndOpen());
        QCOMPARE(TestSupport::readAll(t.downloadFile()), QByteArray("no project in here"));
        QCOMPARE(t.f.model->scenes()->childAt(0), pScene);
        QCOMPARE(t.f.boxes.size(), 1);
        QVERIFY(!t.f.model->isConnectionEnabled());
    }

    // Without a QML interface the receive box still cancels the wait.
    void receiveWithoutQmlInterfaceCancels()
    {
        TransferFixture t;
        t.f.model->setQmlInterface(nullptr);
        WidgetAnswerer user(cancelReceiveBox);
        QVERIFY(!t.f.model->receiveProject());
        QVERIFY(user.answered());
        QVERIFY(!QFileInfo::exists(t.downloadFile()));
    }

    void emptyDesignsFolderFallsBackToDocuments()
    {
        TransferFixture t;
        TransferFixture::setReceiveFolder(QString());
        const QString path = t.f.model->downloadPath(true);
        QVERIFY(!path.startsWith(QStringLiteral("/download")));
        QVERIFY(path.endsWith(QStringLiteral("/download.cpn")));
        QVERIFY(QFileInfo(QFileInfo(path).path()).isDir());
        QCOMPARE(t.f.model->receivedProjectPath(), QStringLiteral(":/data/Velmora/Demo.cpz"));
        QVERIFY(TestSupport::writeAll(QFileInfo(path).path() + QStringLiteral("/download.cpf"), "x"));
        QCOMPARE(t.f.model->receivedProjectPath(), QFileInfo(path).path() + QStringLiteral("/download.cpf"));
    }

    // ---------------------------------------------------------------- setup button

    void setupButton_data()
    {
        QTest::addColumn<QString>("topRow");
        QTest::addColumn<QString>("bottomRow");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("found");
        QTest::newRow("control") << "?" << "?" << "SettingsButton" << true;
        QTest::newRow("tool bar on top") << "qrc:/qml/objects/QmlToolBarObject.qml" << "?" << "Other" << true;
        QTest::newRow("tool bar below") << "?" << "objects/QmlMinToolBarObject.qml" << "Other" << true;
        QTest::newRow("status bar only") << "objects/QmlStatusBarObject.qml" << "?" << "Other" << false;
        QTest::newRow("name differs in case") << "?" << "?" << "settingsbutton" << false;
    }

    void setupButton()
    {
        QFETCH(QString, topRow);
        QFETCH(QString, bottomRow);
        QFETCH(QString, control);
        QFETCH(bool, found);
        TransferFixture t;
        QObject root;
        root.setProperty("topRow", topRow);
        root.setProperty("bottomRow", bottomRow);
        VModeManager::instance()->setCanvasRoot(&root);
        t.f.model->scenes()->findByName(QStringLiteral("SettingsButton"))->setName(control);
        QCOMPARE(t.f.model->hasSetupButton(), found);
        VModeManager::instance()->setCanvasRoot(nullptr);
    }

    // ---------------------------------------------------------------- system menu

    // The first label that begins the entry decides; the box is drawn over
    // the canvas with the entry as title, and the mode manager's cancel ends it.
    void systemMenuEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::newRow("IP address") << "IP Address..." << true << "messageDialog" << "addresses" << "OK";
        QTest::newRow("network status") << "Network Status..." << true << "messageDialog"
                                        << "No network information available." << "OK";
        QTest::newRow("project information") << "Project Information..." << true << "messageDialog" << "info"
                                             << "OK";
        QTest::newRow("about, longer entry") << "About Velmora Viviza..." << true << "aboutDialog" << "version"
                                             << "";
        QTest::newRow("label not at the start") << "Show About" << false << "" << "" << "";
        QTest::newRow("unknown") << "Settings" << false << "" << "" << "";
        QTest::newRow("empty") << "" << false << "" << "" << "";
    }

    void systemMenuEntries()
    {
        QFETCH(QString, entry);
        QFETCH(bool, result);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QmlCanvasFixture canvas;
        ModelFixture f;
        auto *pInterface = qobject_cast<MQmlInterface *>(canvas.intrf());
        QVERIFY(pInterface);
        pInterface->setModel(f.model);
        VModeManager::instance()->setCanvasRoot(canvas.canvas());
        f.model->project()->characters(QStringLiteral("Facility"), QStringLiteral("name"), QStringLiteral("Hall"));
        if (text == QLatin1String("addresses"))
            text = MModel::localAddresses();
        else if (text == QLatin1String("info"))
            text = f.model->project()->projectInfoString();
        else if (text == QLatin1String("version"))
            text = f.model->versionText();

        QStringList seen;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, &user, [&]() {
            QObject *pBox = VModeManager::instance()->modalObject();
            if (!pBox)
                return;
            auto *pItem = qobject_cast<QQuickItem *>(pBox);
            seen << pBox->objectName() << pBox->property("title").toString() << pBox->property("text").toString()
                 << pBox->property("button").toString();
            QVERIFY(pItem && pItem->parentItem() == canvas.canvas());
            user.stop();
            VModeManager::instance()->cancelMode();
        });
        user.start(5);
        QCOMPARE(f.model->runSystemMenu(entry), result);
        if (box.isEmpty())
            QVERIFY(seen.isEmpty());
        else
            QCOMPARE(seen, QStringList({box, entry, text, button}));
        QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
        QVERIFY2(canvas.warnings().isEmpty(), qPrintable(canvas.warnings().join(QLatin1Char('\n'))));
        VModeManager::instance()->setCanvasRoot(nullptr);
    }

    // Exit asks the canvas for the PIN when there is one; without, the
    // window closes. Exit is handled either way.
    void exitEntry_data()
    {
        QTest::addColumn<QString>("pin");
        QTest::newRow("with a PIN") << "1234";
        QTest::newRow("without a PIN") << "";
    }

    void exitEntry()
    {
        QFETCH(QString, pin);
        ModelFixture f;
        MProject::setExitPin(pin);
        QWidget window;
        window.show();
        f.model->setMainWindow(&window);
        QSignalSpy asked(&f.intrf, &MQmlInterface::showExitPasscodeDialog);
        QVERIFY(f.model->runSystemMenu(QStringLiteral("Exit")));
        if (pin.isEmpty()) {
            QTRY_VERIFY(!window.isVisible());
            QCOMPARE(asked.count(), 0);
        } else {
            QCOMPARE(asked.count(), 1);
            QTest::qWait(30);
            QVERIFY(window.isVisible());
        }
        MProject::setExitPin(QString());
    }

    // ---------------------------------------------------------------- exit PIN

    void changeExitPin_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("pin");
        QTest::addColumn<bool>("modified");
        QTest::newRow("typed and accepted with Return") << true << "8642" << true;
        QTest::newRow("cancelled") << false << "13" << false;
    }

    void changeExitPin()
    {
        QFETCH(bool, accept);
        QFETCH(QString, pin);
        QFETCH(bool, modified);
        ModelFixture f;
        MProject::setExitPin(QStringLiteral("13"));
        DModalDialog::setResponder([accept](DModalDialog *pDialog) {
            pDialog->show();
            auto *pEdit = pDialog->findChild<QLineEdit *>(QStringLiteral("m_pExitPinEdit"));
            pEdit->setFocus();
            pEdit->clear();
            QTest::keyClicks(pEdit, QStringLiteral("8642"));
            QTest::keyClick(pEdit, accept ? Qt::Key_Return : Qt::Key_Escape);
            return pDialog->result() == QDialog::Accepted ? 1 : 0;
        });
        f.model->changeExitPin();
        QCOMPARE(MProject::exitPin(), pin);
        QCOMPARE(f.model->isModified(), modified);
        MProject::setExitPin(QString());
    }
};

VVB_TEST_MAIN(TestMTransfer)
#include "tst_mtransfer.moc"
