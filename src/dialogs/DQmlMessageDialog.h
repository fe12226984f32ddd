#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQmlContext>
#include <QString>

class QEventLoop;


// Controller of the message boxes drawn in QML over the canvas. The canvas
// view and the QML bridge each hold one; the bridge's is published to QML as
// "MsgBoxController". The creator fills the public fields before use.
// Three ways to show a message: a QML box over the canvas waited for
// (doModal), a plain modal box asked for from QML (showMessageBox) and the
// receive box that stands, without blocking, while a project is received.
class DQmlMessageDialog : public QObject
{
    Q_OBJECT

public:
    DQmlMessageDialog();
    ~DQmlMessageDialog() override;

    // URL of the box's QML file, its title, text and button text.
    QString source;
    QString title;
    QString text;
    QString button;
    // Context the box is created in; not owned.
    QPointer<QQmlContext> context;

    // Shows the QML box and returns once it has been closed; always true.
    // The wait is an event loop that ends with the box, not a polling loop.
    bool doModal();
    // Makes the QML box over the canvas root; nothing without a context.
    void createQmlBox();

    // The QML box on show, or null.
    QObject *boxItem() const { return m_pBoxItem; }
    void setBoxItem(QObject *pItem) { m_pBoxItem = pItem; }
    // The receive box while it stands, or null.
    QMessageBox *receiveBox() const { return m_pReceiveBox; }

    // A plain modal box with an OK button.
    Q_INVOKABLE void showMessageBox(const QString &title, const QString &text);
    // The non-blocking receive box with a Cancel button; its closing by the
    // user emits receiveModeDialogClosed. The caller closes it.
    Q_INVOKABLE QObject *showReceiveBox(const QString &title, const QString &text);
    // Closes the receive box without reporting a cancel.
    void closeReceiveBox();

public slots:
    // Schedules the box for deletion and forgets it as the canvas's modal object.
    void close();
    // As close, then always emits closed().
    void quit();
    void applicationStateChanged(Qt::ApplicationState state);
    void onReceiveModeDialogClosed();

signals:
    void closed();
    void receiveModeDialogClosed();

private:
    QPointer<QObject> m_pBoxItem;
    QPointer<QMessageBox> m_pReceiveBox;
    QPointer<QEventLoop> m_pWaitLoop;
};
