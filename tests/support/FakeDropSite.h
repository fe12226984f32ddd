#pragma once

#include "widgets/WWidget.h"

#include <QString>

// A drop-site widget as the bridge sees it: a widget that names the control
// type it accepts through the invokable getControlType.
class FakeDropSite : public WWidget
{
    Q_OBJECT

public:
    explicit FakeDropSite(const QString &controlType = QString());

    Q_INVOKABLE QString getControlType() const { return m_sControlType; }
    void setControlType(const QString &type) { m_sControlType = type; }

private:
    QString m_sControlType;
};
