#pragma once

#include "dialogs/DModalDialog.h"
#include "ui_DSliderPropertiesDialog.h"

#include <QIntValidator>
#include <QPointer>


// Edits a slider's range: a whole minimum and maximum, each kept within the
// lower and upper limit the caller gives, and whether the value shows in
// percent. The caller stores limits and values, runs it and reads them
// back; cancelling keeps what it stored. The two values are not ordered.
class DSliderPropertiesDialog : public DModalDialog, public Ui_DSliderPropertiesDialog
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit DSliderPropertiesDialog(QWidget *parent = nullptr);
    ~DSliderPropertiesDialog() override;

    void setMinimum(qint32 minimum) { m_nMinimum = minimum; }
    qint32 minimum() const { return m_nMinimum; }
    void setMaximum(qint32 maximum) { m_nMaximum = maximum; }
    qint32 maximum() const { return m_nMaximum; }
    void setLowerLimit(qint32 limit) { m_nLowerLimit = limit; }
    qint32 lowerLimit() const { return m_nLowerLimit; }
    void setUpperLimit(qint32 limit) { m_nUpperLimit = limit; }
    qint32 upperLimit() const { return m_nUpperLimit; }
    void setPercent(bool percent) { m_bPercent = percent; }
    bool isPercent() const { return m_bPercent; }
    // The edits' validator; null until the dialog is prepared.
    QIntValidator *validator() const { return m_pValidator; }

    void prepare() override;

public slots:
    void pass();
    void fail();

private:
    qint32 m_nMinimum;
    qint32 m_nMaximum;
    qint32 m_nUpperLimit;
    qint32 m_nLowerLimit;
    bool m_bPercent;
    QPointer<QIntValidator> m_pValidator;
};

Q_DECLARE_METATYPE(DSliderPropertiesDialog *)
