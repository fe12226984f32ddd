#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlContext>
#include <QString>

// Controller of the message boxes drawn in QML over the canvas. The canvas
// view and the QML bridge each hold one; the bridge's is published to QML as
// "MsgBoxController". The creator fills the public fields before use.
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

    // The QML box on show, or null.
    QObject *boxItem() const { return m_pBoxItem; }
    void setBoxItem(QObject *pItem) { m_pBoxItem = pItem; }

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
};
