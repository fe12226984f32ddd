#pragma once

#include "dialogs/CustomDevice.h"
#include "dialogs/DModalDialog.h"

#include <QList>
#include <QLocale>
#include <QString>

class QAbstractButton;
class QCloseEvent;
class QDoubleValidator;
class QPushButton;
class Ui_DCustomDevicesEditDialog;

// "Custom Device List": the user's own devices, offered by the canvas setup
// after the built-in table. The list lives in the setting "CustomDevices"
// (one TAB-separated line per device) and reaches it only through Save; it
// can be written to and appended from a comma-separated file to carry it to
// another PC. Leaving with unsaved changes asks first. Entry fields follow
// the user's locale; the setting and the file always use a dot.
class DCustomDevicesEditDialog : public DModalDialog
{
    Q_OBJECT

public:
    // metric: the diagonal is typed and shown in centimetres.
    DCustomDevicesEditDialog(QWidget *parent, bool metric);
    ~DCustomDevicesEditDialog() override;

    // name, diagonal, aspect, height:width joined by TAB, numbers with a dot
    // and three decimals.
    static QString settingsText(const CustomDevice &device);
    // The same shape for the list, numbers in the user's locale without
    // trailing zeros, the diagonal in centimetres when metric.
    static QString displayText(const CustomDevice &device, bool metric);

    const QList<CustomDevice> &devices() const { return m_devices; }
    bool isModified() const { return m_bModified; }

public slots:
    // Escape: asks first when there are unsaved changes.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onAddButtonClicked();
    void onDeleteSelectedButtonClicked();
    void onSaveToFileClicked();
    void onLoadFromFileClicked();
    void onButtonBoxClicked(QAbstractButton *pButton);
    void onEntryTextChanged();
    void onDeviceListCurrentRowChanged(int row);
    void onMoveUpClicked();
    void onMoveDownClicked();

private:
    void loadFromSettings();
    void setModified(bool modified);
    void appendDevice(const CustomDevice &device);
    void moveCurrent(int offset);
    // Whether unsaved changes may be dropped: true without any, else the
    // user's answer.
    bool confirmDiscard();
    // The diagonal field as inches, text in the default locale.
    QString diagonalInches() const;
    // Why a line of a device list file is refused; empty when it is not.
    static QString lineFault(const QStringList &parts, float diagonal, float aspect);

    Ui_DCustomDevicesEditDialog *m_pUi;
    QPushButton *m_pSaveButton;
    bool m_bModified;
    bool m_bMetric;
    QDoubleValidator *m_diagonalValidator;
    QDoubleValidator *m_heightValidator;
    QDoubleValidator *m_widthValidator;
    QLocale m_locale;
    QList<CustomDevice> m_devices;
};
