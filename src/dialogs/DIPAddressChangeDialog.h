#pragma once

#include "dialogs/DModalDialog.h"

#include <QString>

class Ui_DIPAddressChangeDialog;

// Edits the IPv4 address of one processor, shown by name. The four octets
// always follow what the spin boxes show, so the address is never out of
// range.
class DIPAddressChangeDialog : public DModalDialog
{
    Q_OBJECT

public:
    explicit DIPAddressChangeDialog(QWidget *parent = nullptr);
    ~DIPAddressChangeDialog() override;

    void setBlockName(const QString &name);
    QString blockName() const;
    // Four decimal numbers joined by points; any other form shows 0.0.0.0.
    void setIPAddress(const QString &text);
    QString ipAddress() const;

private slots:
    void onIPAddressField1Changed(int value);
    void onIPAddressField2Changed(int value);
    void onIPAddressField3Changed(int value);
    void onIPAddressField4Changed(int value);

private:
    Ui_DIPAddressChangeDialog *m_pUi;
    qint32 m_nField1 = 0;
    qint32 m_nField2 = 0;
    qint32 m_nField3 = 0;
    qint32 m_nField4 = 0;
};
