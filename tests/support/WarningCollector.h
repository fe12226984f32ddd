#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects every warning, critical and fatal message of the process (QML
// warnings included) while it exists; debug and info lines pass on as usual.
// One at a time.
class WarningCollector
{
public:
    WarningCollector();
    ~WarningCollector();

    QStringList warnings() const { return m_warnings; }
    QString text() const { return m_warnings.join(QLatin1Char('\n')); }
    void clear() { m_warnings.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_warnings;
    QtMessageHandler m_previous;
    static WarningCollector *s_pActive;
};
