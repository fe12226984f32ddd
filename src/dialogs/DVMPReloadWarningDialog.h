#pragma once

#include "dialogs/DModalDialog.h"

class Ui_DVMPReloadWarningDialog;

// Warns before a design file is imported over the one already loaded, and
// offers to stop warning. Yes accepts, No, Escape and closing reject; the
// opener reads doNotShowAgain() after an accepted run. On the modal base so
// that it is answered like every other dialog of the editor.
class DVMPReloadWarningDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DVMPReloadWarningDialog(QWidget *parent = nullptr);
    ~DVMPReloadWarningDialog() override;

    bool doNotShowAgain() const { return m_bDoNotShowAgain; }

private slots:
    void onDoNotShowCheckStateChanged(int state);

private:
    Ui_DVMPReloadWarningDialog *m_pUi;
    bool m_bDoNotShowAgain;
};
