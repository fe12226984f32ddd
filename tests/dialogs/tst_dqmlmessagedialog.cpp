#include "dialogs/DQmlMessageDialog.h"
#include "views/VModeManager.h"

#include <QSignalSpy>
#include <QtTest>

// The message-box controller as far as the canvas needs it: closing and
// quitting its box, and passing on the receive box's close.
class TstDQmlMessageDialog : public QObject
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
};

void TstDQmlMessageDialog::cleanup()
{
    delete VModeManager::instance();
}

void TstDQmlMessageDialog::startsEmpty()
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

void TstDQmlMessageDialog::closeWithoutBoxDoesNothing()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);
    dialog.close();
    QCOMPARE(closed.count(), 0);
}

void TstDQmlMessageDialog::quitWithoutBoxStillEmitsClosed()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::closed);
    dialog.quit();
    QCOMPARE(closed.count(), 1);
}

void TstDQmlMessageDialog::closeForgetsBoxAndModalObject()
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

void TstDQmlMessageDialog::closeKeepsAnotherModalObject()
{
    DQmlMessageDialog dialog;
    QObject other;
    dialog.setBoxItem(new QObject);
    VModeManager::instance()->setModalObject(&other);
    dialog.close();
    QCOMPARE(VModeManager::instance()->modalObject(), &other);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TstDQmlMessageDialog::receiveBoxCloseIsPassedOn()
{
    DQmlMessageDialog dialog;
    QSignalSpy closed(&dialog, &DQmlMessageDialog::receiveModeDialogClosed);
    dialog.onReceiveModeDialogClosed();
    QCOMPARE(closed.count(), 1);
}

QTEST_MAIN(TstDQmlMessageDialog)
#include "tst_dqmlmessagedialog.moc"
