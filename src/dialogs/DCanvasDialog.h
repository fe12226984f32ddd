#pragma once

#include "dialogs/DModalDialog.h"
#include "model/CCanvasRecord.h"

#include <QList>
#include <QLocale>
#include <QSettings>
#include <QString>

class CCanvas;
class QComboBox;
class QDoubleValidator;
class Ui_DCanvasDialog;

// "Canvas Setup": the device the project targets (the user-defined entry, the
// built-in table sorted by name, then the user's custom devices), its size in
// inches or centimetres, ratio, orientation, the two slots of the panel frame,
// skin, accent and horizontal centring. The opener sets the canvas, calls
// initialize and runs the dialog; the canvas changes only when it is accepted.
// The unit and the user-defined ratio are remembered at once, even on Cancel.
// Numbers in the fields follow the user's locale; settings always use a dot.
class DCanvasDialog : public DModalDialog
{
    Q_OBJECT

public:
    // Diagonal limits in inches, shared with the custom devices editor.
    static constexpr double MinDiagonal = 2.5;
    static constexpr double MaxDiagonal = 24.0;
    // Decimals of a diagonal shown in centimetres.
    static constexpr int CmDecimals = 2;
    // Settings key of the user's own devices.
    static constexpr char CustomDevicesKey[] = "CustomDevices";

    explicit DCanvasDialog(QWidget *parent = nullptr);
    ~DCanvasDialog() override;

    void setCanvas(CCanvas *canvas) { m_pCanvas = canvas; }
    // Fills every field from the canvas and the settings, then connects them.
    void initialize();

    // x in the default locale with the given decimals, trailing zeros and a
    // bare decimal point removed: 24.000 gives 24, 2.500 gives 2.5.
    static QString formatNumber(double x, int decimals);
    static double inchesToCm(double inches);
    static double cmToInches(double cm);
    // Whether a slot value loads one of the two tool bars.
    static bool isToolbarUrl(const QString &url);
    // Names without case, digit runs by value: "(8 Inch)" before "(10 Inch)".
    static bool deviceNameLess(const CCanvasRecord &a, const CCanvasRecord &b);
    // The editor's settings; keys "UnitsType", "UserAspectRatio",
    // "UserAspectText" and "CustomDevices" belong to these dialogs.
    static QSettings appSettings();
    // The locale number fields validate with: no group separators.
    static QLocale validatorLocale();

    // The entries offered, in the order of the device box.
    const QList<CCanvasRecord> &deviceList() const { return m_deviceList; }

public slots:
    // OK: warns when neither slot holds a tool bar, then accepts.
    void qualify();
    // Writes the choices into the canvas.
    void finalize();
    void updateDevice(int index);
    void onCustomDeviceListButtonPressed();
    void updateAspectText(int index);

private slots:
    void onCenterCheckedChanged(int state);
    void onInchesRadioButtonToggled(bool isChecked);
    void onSizeEditTextChanged(const QString &text);

private:
    void loadUnits();
    void loadDevices();
    void loadCustomDevices();
    void loadCustomAspects();
    void selectAspect(float aspect, bool enabled);
    void setSizeText(float diagonal, bool enabled);
    void fillOrientations();
    void fillToolbarRows(QComboBox *pBox, const QString &current);
    void fillList(QComboBox *pBox, const QString &listPath, const QString &current);
    void applyValidatorLocale();
    // The size field's number in inches, as text in the default locale.
    QString sizeTextInInches() const;

    Ui_DCanvasDialog *m_pUi;
    CCanvas *m_pCanvas;
    QList<CCanvasRecord> m_deviceList;
    int m_nDeviceIndex;
    QDoubleValidator *m_pInchesValidator;
    QDoubleValidator *m_pCmValidator;
    bool m_bMetric;
};
