#include "dialogs/DMessageBox.h"
#include "dialogs/DQmlMessageDialog.h"
#include "support/QmlCanvasFixture.h"
#include "support/TestMain.h"
#include "views/VModeManager.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <ctime>
#include <functional>

namespace {

const char *const MessageBoxSource = "qrc:/qml/objects/QmlMessageDialog.qml";

// A box over the fixture's canvas, as the model puts one up.
void prepareBox(DQmlMessageDialog *pDialog, QmlCanvasFixture *pFixture, const QString &source)
{
    VModeManager::instance()->setCanvasRoot(pFixture->canvas());
    pDialog->source = source;
    pDialog->context = pFixture->context();
}

// The user: looks for the modal box every few milliseconds until act has
// done its part with it.
void actOnTheBox(QTimer *pUser, const std::function<bool(QObject *)> &act)
{
    QObject::connect(pUser, &QTimer::timeout, pUser, [pUser, act]() {
        QObject *pBox = VModeManager::instance()->modalObject();
        if (pBox && act(pBox))
            pUser->stop();
    });
    pUser->start(5);
}

QRectF sceneRect(const QQuickItem *pItem)
{
    return pItem->mapRectToScene(QRectF(0, 0, pItem->width(), pItem->height()));
}

} // namespace

// The message-box controller as far as the canvas needs it: closing and
// quitting its box, and passing on the receive box's close.
class TestDQmlMessageDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void startsEmpty();
    void closeWithoutBoxDoesNothing();
    void quitWithoutBoxStillEmitsClosed();
    void closeForgetsBoxAndModalObject();
    void closeKeepsAnotherModalObject();
    void receiveBoxCloseIsPassedOn();
    void doModalWithoutContextReturnsAtOnce();
    void qmlBoxIsWaitedForUntilCancelled_data();
    void qmlBoxIsWaitedForUntilCancelled();
    void waitingForTheBoxLeavesTheProcessorIdle();
    void quitFromTheBoxIsHeard();
    void buttonStaysOnTheCanvas_data();
    void buttonStaysOnTheCanvas();
    void receiveBoxReportsTheUsersClose_data();
    void receiveBoxReportsTheUsersClose();
    void closingTheReceiveBoxReportsNothing();
    void messageBoxFromQmlIsAPlainBox();
};

void TestDQmlMessageDialog::cleanup()
{
    delete VModeManager::instance();
}

void TestDQmlMessageDialog::startsEmpty()
{
    DQmlMessageDialog dialog;
    QCOMPARE(dialog.parent(), nullptr);
    QVERIFY(dialog.source.isEmpty());
    QVERIFY(dialog.title.isEmpty());
    QVERIFY(dialog.text.isEmpty());
    QVERIFY(dialog.button.isEmpty());
    QCOMPARE(dialog.context.data(), nullptr);
    QCOMPARE(dialog.boxItem(), nullptr);
}

void TestDQmlMessageDialog::closeWithoutBoxDoesNothing()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);
    dialog.close();
    QCOMPARE(closed.count(), 0);
}

void TestDQmlMessageDialog::quitWithoutBoxStillEmitsClosed()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);
    dialog.quit();
    QCOMPARE(closed.count(), 1);
}

void TestDQmlMessageDialog::closeForgetsBoxAndModalObject()
{
    DQmlMessageDialog dialog;
    QPointer<QObject> pBox = new QObject;
    dialog.setBoxItem(pBox);
    VModeManager::instance()->setModalObject(pBox);
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);
    dialog.quit();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(dialog.boxItem(), nullptr);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QVERIFY(pBox); // deleted by the event loop, not at once
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!pBox);
}

void TestDQmlMessageDialog::closeKeepsAnotherModalObject()
{
    DQmlMessageDialog dialog;
    QObject other;
    dialog.setBoxItem(new QObject);
    VModeManager::instance()->setModalObject(&other);
    dialog.close();
    QCOMPARE(VModeManager::instance()->modalObject(), &other);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestDQmlMessageDialog::receiveBoxCloseIsPassedOn()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::receiveModeDialogClosed);
    dialog.onReceiveModeDialogClosed();
    QCOMPARE(closed.count(), 1);
}

void TestDQmlMessageDialog::doModalWithoutContextReturnsAtOnce()
{
    DQmlMessageDialog dialog;
    dialog.source = QLatin1String(MessageBoxSource);
    QVERIFY(dialog.doModal());
    QCOMPARE(dialog.boxItem(), nullptr);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
}

// The box is drawn over the canvas with the given texts, is the canvas's
// modal object while it stands, and the mode manager's cancel ends the wait
// through the QML file's own quit.
void TestDQmlMessageDialog::qmlBoxIsWaitedForUntilCancelled_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("objectName");
    QTest::newRow("message") << "qrc:/qml/objects/QmlMessageDialog.qml" << "OK" << "messageDialog";
    QTest::newRow("about") << "qrc:/qml/objects/QmlAboutDialog.qml" << "" << "aboutDialog";
}

void TestDQmlMessageDialog::qmlBoxIsWaitedForUntilCancelled()
{
    QFETCH(QString, source);
    QFETCH(QString, button);
    QFETCH(QString, objectName);
    QmlCanvasFixture fixture;
    DQmlMessageDialog dialog;
    prepareBox(&dialog, &fixture, source);
    dialog.title = QStringLiteral("Network Status");
    dialog.text = QStringLiteral("Rack 1 Running");
    dialog.button = button;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);

    QPointer<QObject> pSeen;
    QStringList seen;
    QTimer user;
    actOnTheBox(&user, [&](QObject *pBox) {
        pSeen = pBox;
        auto *pItem = qobject_cast<QQuickItem *>(pBox);
        seen << pBox->objectName() << pBox->property("title").toString() << pBox->property("text").toString()
             << pBox->property("button").toString();
        if (pItem && pItem->parentItem() == fixture.canvas() && pItem->isVisible())
            seen << QStringLiteral("over the canvas");
        VModeManager::instance()->cancelMode();
        return true;
    });
    QVERIFY(dialog.doModal());
    QCOMPARE(seen, QStringList({objectName, QStringLiteral("Network Status"), QStringLiteral("Rack 1 Running"),
                                button, QStringLiteral("over the canvas")}));
    QCOMPARE(dialog.boxItem(), nullptr);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QCOMPARE(closed.count(), 0);
    // The engine's quit closed the box and nothing else; a later quit finds no box to close.
    QQmlExpression(fixture.context(), nullptr, QStringLiteral("Qt.quit()")).evaluate();
    QTRY_VERIFY(!pSeen);
    QCOMPARE(closed.count(), 0);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
    QVERIFY2(fixture.warnings().isEmpty(), qPrintable(fixture.warnings().join(QLatin1Char('\n'))));
}

// The box's OK calls the engine's quit: it closes the box, and the engine
// sees a listener (no "no receivers" warning on every OK).
void TestDQmlMessageDialog::quitFromTheBoxIsHeard()
{
    QmlCanvasFixture fixture;
    DQmlMessageDialog dialog;
    prepareBox(&dialog, &fixture, QLatin1String(MessageBoxSource));
    dialog.button = QStringLiteral("OK");
    QTest::failOnWarning(QRegularExpression(QStringLiteral("no receivers")));
    QTimer user;
    actOnTheBox(&user, [](QObject *pBox) {
        QQmlExpression(qmlContext(pBox), pBox, QStringLiteral("Qt.quit()")).evaluate();
        return true;
    });
    QVERIFY(dialog.doModal());
    QCOMPARE(dialog.boxItem(), nullptr);
    QCOMPARE(VModeManager::instance()->modalObject(), nullptr);
}

void TestDQmlMessageDialog::buttonStaysOnTheCanvas_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("short text") << 2 << false;
    // The project information of a project with every contact filled in.
    QTest::newRow("text taller than the canvas") << 80 << true;
}

// However long the text, the title and the OK button stay on the canvas:
// the box is modal and the button its only way out.
void TestDQmlMessageDialog::buttonStaysOnTheCanvas()
{
    QFETCH(int, lines);
    QFETCH(bool, scrolls);
    QmlCanvasFixture fixture;
    fixture.canvas()->setSize(QSizeF(300, 480));
    DQmlMessageDialog dialog;
    prepareBox(&dialog, &fixture, QLatin1String(MessageBoxSource));
    dialog.title = QStringLiteral("Project Information...");
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("Line %1").arg(i);
    dialog.text = text.join(QLatin1Char('\n'));
    dialog.button = QStringLiteral("OK");

    QRectF canvas;
    QRectF button;
    QRectF box;
    bool scrolled = false;
    QTimer user;
    actOnTheBox(&user, [&](QObject *pObject) {
        auto *pBox = qobject_cast<QQuickItem *>(pObject);
        if (!pBox || !pBox->isVisible())
            return false;
        auto *pButton = pBox->findChild<QQuickItem *>(QStringLiteral("dialogButton"));
        auto *pFrame = pBox->findChild<QQuickItem *>(QStringLiteral("dialogBox"));
        auto *pBody = pBox->findChild<QQuickItem *>(QStringLiteral("dialogBody"));
        if (pButton && pFrame && pBody) {
            canvas = sceneRect(fixture.canvas());
            button = sceneRect(pButton);
            box = sceneRect(pFrame);
            scrolled = pBody->property("contentHeight").toReal() > pBody->height() + 0.5;
        }
        VModeManager::instance()->cancelMode();
        return true;
    });
    QVERIFY(dialog.doModal());
    QVERIFY(!button.isEmpty());
    QVERIFY2(canvas.contains(box), qPrintable(QStringLiteral("box %1,%2 %3x%4").arg(box.x()).arg(box.y())
                                                  .arg(box.width()).arg(box.height())));
    QVERIFY(box.contains(button));
    QCOMPARE(scrolled, scrolls);
    QVERIFY2(fixture.warnings().isEmpty(), qPrintable(fixture.warnings().join(QLatin1Char('\n'))));
}

// The wait sleeps in the event loop until the box goes; a loop that keeps
// asking for events would use a whole core for as long as the box stands.
void TestDQmlMessageDialog::waitingForTheBoxLeavesTheProcessorIdle()
{
    QmlCanvasFixture fixture;
    DQmlMessageDialog dialog;
    prepareBox(&dialog, &fixture, QLatin1String(MessageBoxSource));
    QTimer::singleShot(400, &dialog, []() { VModeManager::instance()->cancelMode(); });
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpuBefore = std::clock();
    QVERIFY(dialog.doModal());
    const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
    QVERIFY(wall.elapsed() >= 350);
    QVERIFY2(cpuMs < wall.elapsed() / 2.0, qPrintable(QStringLiteral("%1 ms of processor time").arg(cpuMs)));
}

void TestDQmlMessageDialog::receiveBoxReportsTheUsersClose_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("cancel button") << false;
    QTest::newRow("escape") << true;
}

void TestDQmlMessageDialog::receiveBoxReportsTheUsersClose()
{
    QFETCH(bool, escape);
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::receiveModeDialogClosed);
    auto *pBox = qobject_cast<QMessageBox *>(
        dialog.showReceiveBox(QStringLiteral("Receive Control Panel..."), QStringLiteral("Mobile IP Address:")));
    QVERIFY(pBox);
    QCOMPARE(dialog.receiveBox(), pBox);
    QVERIFY(pBox->isVisible());
    QCOMPARE(pBox->icon(), QMessageBox::NoIcon);
    QCOMPARE(pBox->windowTitle(), QStringLiteral("Receive Control Panel..."));
    QCOMPARE(pBox->buttons().size(), 1);
    QCOMPARE(pBox->standardButton(pBox->buttons().first()), QMessageBox::Cancel);
    if (escape)
        QTest::keyClick(pBox, Qt::Key_Escape);
    else
        pBox->buttons().first()->click();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!pBox->isVisible());
}

void TestDQmlMessageDialog::closingTheReceiveBoxReportsNothing()
{
    QPointer<QMessageBox> pBox;
    {
        DQmlMessageDialog dialog;
        QSignalSpy closed(&dialog, &DQmlMessageDialog::receiveModeDialogClosed);
        pBox = qobject_cast<QMessageBox *>(dialog.showReceiveBox(QStringLiteral("T"), QStringLiteral("x")));
        dialog.closeReceiveBox();
        QVERIFY(!pBox->isVisible());
        QCOMPARE(closed.count(), 0);
    }
    QVERIFY(!pBox);
}

void TestDQmlMessageDialog::messageBoxFromQmlIsAPlainBox()
{
    QStringList shown;
    DMessageBox::setResponder([&](const QString &title, const QString &text) {
        shown << title << text;
        return 0;
    });
    DQmlMessageDialog dialog;
    QMetaObject::invokeMethod(&dialog, "showMessageBox", Q_ARG(QString, QStringLiteral("Project Information")),
                              Q_ARG(QString, QStringLiteral("Facility: Hall")));
    DMessageBox::setResponder(DMessageBox::Responder());
    QCOMPARE(shown, QStringList({QStringLiteral("Project Information"), QStringLiteral("Facility: Hall")}));
}

VVB_TEST_MAIN(TestDQmlMessageDialog)
#include "tst_dqmlmessagedialog.moc"
