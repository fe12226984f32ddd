#pragma once

#include "dialogs/DModalDialog.h"
#include "interfaces/IIPAddress.h"

class Ui_DDownloadDialog;

// Asks for the IPv4 address of the mobile device a saved project is sent to.
// The opener writes the held address, calls initialize, runs the dialog and
// reads the address back; only OK changes it.
class DDownloadDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DDownloadDialog(QWidget *parent = nullptr);
    ~DDownloadDialog() override;

    // Shows the held address in the four fields and focuses the first.
    void initialize();

    // The address the dialog shows and, after OK, the one entered.
    IIPAddress m_address;

public slots:
    // Takes the four fields into the held address.
    void finalize();

private:
    Ui_DDownloadDialog *m_pUi;
};
