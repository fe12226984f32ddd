#include "support/WidgetAnswerer.h"

#include <QApplication>
#include <QWidget>

WidgetAnswerer::WidgetAnswerer(const Action &action, QObject *parent)
    : QObject(parent)
    , m_action(action)
{
    connect(&m_timer, &QTimer::timeout, this, &WidgetAnswerer::onTick);
    // At every pass of the event loop: a wait may process events only once.
    m_timer.start(0);
}

void WidgetAnswerer::onTick()
{
    const QList<QWidget *> widgets = QApplication::topLevelWidgets();
    for (QWidget *pWidget : widgets) {
        if (pWidget->isVisible() && m_action(pWidget)) {
            m_bAnswered = true;
            m_timer.stop();
            return;
        }
    }
}
