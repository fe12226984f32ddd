#pragma once

#include "widgets/WWidget.h"

#include <QPointer>
#include <QString>

// A drop-site widget as the bridge and the drop commands see it: it names
// the control type it accepts through the invokable getControlType, accepts a
// node's parameter of that type (an occupied site asks, and takes the answer
// the test set), and holds one control. Releasing the held control only
// forgets it: taking it off its panel is left to whoever released it.
class FakeDropSite : public WWidget
{
    Q_OBJECT

public:
    explicit FakeDropSite(const QString &controlType = QString());

    Q_INVOKABLE QString getControlType() const { return m_sControlType; }
    void setControlType(const QString &type) { m_sControlType = type; }

    bool canAcceptDrop(HNode *pNode, const QString &parameterName) override;
    void setChildControl(CControl *pControl) override;
    CControl *childControl() const override;

    // The answer to "overwrite?" (yes at first) and how often it was asked.
    void setOverwriteAnswer(bool overwrite) { m_bOverwrite = overwrite; }
    int questions() const { return m_nQuestions; }
    // How many drops of another type were refused.
    int refusals() const { return m_nRefusals; }

private:
    QString m_sControlType;
    QPointer<CControl> m_pChild;
    bool m_bOverwrite = true;
    int m_nQuestions = 0;
    int m_nRefusals = 0;
};
