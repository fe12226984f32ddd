#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

// Stands in for the user at windows that show while the code under test
// waits in an event loop of its own (a progress dialog, a non-blocking box):
// at every pass of the event loop it offers each visible top-level widget to the
// action, until the action says it answered. It answers once.
class WidgetAnswerer : public QObject
{
    Q_OBJECT

public:
    // Returns true when it answered the widget.
    using Action = std::function<bool(QWidget *)>;

    explicit WidgetAnswerer(const Action &action, QObject *parent = nullptr);

    bool answered() const { return m_bAnswered; }

private slots:
    void onTick();

private:
    Action m_action;
    QTimer m_timer;
    bool m_bAnswered = false;
};
