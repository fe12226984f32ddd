#pragma once

#include "dialogs/DModalDialog.h"

#include <QString>

class QRegularExpressionValidator;
class Ui_DExitPinDialog;

// Edits the project's exit PIN: 0 to 9 decimal digits, empty for none.
class DExitPinDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DExitPinDialog(const QString &pin, QWidget *parent = nullptr);
    ~DExitPinDialog() override;

    // The PIN entered; read after the dialog was accepted.
    QString exitPin() const { return m_sExitPin; }

    // A PIN typed and confirmed with Return reaches accept before any
    // editingFinished: the field is read here, not only on that signal.
    void accept() override;

private slots:
    void onExitPinEditingFinished();

private:
    Ui_DExitPinDialog *m_pUi;
    QString m_sExitPin;
    QRegularExpressionValidator *m_pValidator;
};
