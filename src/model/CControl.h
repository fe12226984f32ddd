#pragma once

#include <QObject>
#include <QString>

// 0 normal, 1 selected.
using ControlMode = quint32;

// An element of the panel document: a control placed on a panel, or a panel,
// a scene or the document root. Only what the editor shell calls is here yet.
class CControl : public QObject
{
    Q_OBJECT

public:
    static constexpr ControlMode ModeNormal = 0;
    static constexpr ControlMode ModeSelected = 1;

    CControl();
    ~CControl() override;

    virtual void setMode(ControlMode mode);

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    ControlMode mode() const { return m_mode; }

protected:
    QString m_name;
    ControlMode m_mode;
};
