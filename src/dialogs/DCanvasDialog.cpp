#include "dialogs/DCanvasDialog.h"

#include "dialogs/DCustomDevicesEditDialog.h"
#include "dialogs/DMessageBox.h"
#include "model/CCanvas.h"
#include "utility/SkinFiles.h"
#include "utility/UNumbers.h"

#include "ui_DCanvasDialog.h"

#include <QCollator>
#include <QDoubleValidator>
#include <QFile>
#include <QLocale>
#include <QPalette>
#include <QSet>
#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {

const char kDeviceTable[] = ":/data/Velmora/Devices.txt";
const char kSkinList[] = ":/skins/SkinList.txt";
const char kAccentList[] = ":/skins/AccentList.txt";
const char kUserDefined[] = "User Defined";
const char kUnitsKey[] = "UnitsType";
const char kMetric[] = "Metric";
const char kImperial[] = "Imperial";
const char kUserAspectRatioKey[] = "UserAspectRatio";
const char kUserAspectTextKey[] = "UserAspectText";
constexpr float DefaultUserAspect = 1.778f;
const char kDefaultUserAspectText[] = "16:9";
constexpr double InchesPerCm = 0.3937;
// A diagonal at or below this is no size (the user-defined entry has 0).
constexpr float NoDiagonal = 0.01f;
constexpr int InchDecimals = 3;
constexpr double FarAway = 1000000.0;

struct SlotItem
{
    const char *text;
    const char *value;
};

const SlotItem kSlotItems[] = {
    {QT_TRANSLATE_NOOP("DCanvasDialog", "Standard Toolbar"), "qrc:/qml/objects/QmlToolBarObject.qml"},
    {QT_TRANSLATE_NOOP("DCanvasDialog", "Minimum Toolbar"), "qrc:/qml/objects/QmlMinToolBarObject.qml"},
    {QT_TRANSLATE_NOOP("DCanvasDialog", "Statusbar"), "qrc:/qml/objects/QmlStatusBarObject.qml"},
    // Names no QML file, so the slot stays empty.
    {QT_TRANSLATE_NOOP("DCanvasDialog", "None"), "?"},
};
constexpr int ToolbarItems = 2;

// Settings and files hold numbers with a dot; unreadable text gives 0.
float storedNumber(const QString &text)
{
    return UNumbers::finiteFloat(text.trimmed());
}

// The lines of "CustomDevices" split into their TAB-separated parts; lines of
// any other shape than four parts are left out.
QList<QStringList> customDeviceLines()
{
    QList<QStringList> lines;
    const QString text = DCanvasDialog::appSettings().value(QLatin1String(DCanvasDialog::CustomDevicesKey)).toString();
    const QStringList rows = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    for (const QString &row : rows) {
        const QStringList parts = row.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
        if (parts.size() == 4)
            lines.append(parts);
    }
    return lines;
}

void setTextColour(QWidget *pWidget, const QColor &colour)
{
    QPalette palette = pWidget->palette();
    palette.setColor(QPalette::All, QPalette::Text, colour);
    pWidget->setPalette(palette);
}

} // namespace

DCanvasDialog::DCanvasDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DCanvasDialog)
    , m_pCanvas(nullptr)
    , m_nDeviceIndex(0)
    , m_pInchesValidator(nullptr)
    , m_pCmValidator(nullptr)
    , m_bMetric(true)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DCanvasDialog::~DCanvasDialog()
{
    delete m_pUi;
}

QLocale DCanvasDialog::validatorLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    return locale;
}

QSettings DCanvasDialog::appSettings()
{
    return QSettings();
}

QString DCanvasDialog::formatNumber(double x, int decimals)
{
    QLocale locale;
    // Group separators would not fit the short fields nor read back.
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    QString text = locale.toString(x, 'f', decimals);
    if (decimals <= 0)
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(',')) || text.endsWith(locale.decimalPoint()))
        text.chop(1);
    return text;
}

double DCanvasDialog::inchesToCm(double inches)
{
    return inches / InchesPerCm;
}

double DCanvasDialog::cmToInches(double cm)
{
    return cm * InchesPerCm;
}

bool DCanvasDialog::isToolbarUrl(const QString &url)
{
    for (int i = 0; i < ToolbarItems; ++i) {
        if (url == QLatin1String(kSlotItems[i].value))
            return true;
    }
    return false;
}

bool DCanvasDialog::deviceNameLess(const CCanvasRecord &a, const CCanvasRecord &b)
{
    // The C locale collates without numeric mode; digit runs would then
    // compare as text.
    const QLocale locale = QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    return collator.compare(a.name().toLower(), b.name().toLower()) < 0;
}

// ---------------------------------------------------------------- filling

void DCanvasDialog::initialize()
{
    // Without a canvas the fields show a fresh one's values.
    const CCanvas fallback;
    const CCanvas &canvas = m_pCanvas ? *m_pCanvas : fallback;

    loadUnits();
    loadDevices();

    m_pInchesValidator = new QDoubleValidator(MinDiagonal, MaxDiagonal, InchDecimals, this);
    m_pCmValidator = new QDoubleValidator(MinDiagonal, MaxDiagonal, CmDecimals, this);
    m_pInchesValidator->setNotation(QDoubleValidator::StandardNotation);
    m_pCmValidator->setNotation(QDoubleValidator::StandardNotation);
    applyValidatorLocale();
    m_pUi->m_pSizeEdit->setValidator(m_bMetric ? m_pCmValidator : m_pInchesValidator);
    setSizeText(canvas.size(), m_nDeviceIndex == 0);

    loadCustomAspects();
    selectAspect(canvas.aspect(), m_nDeviceIndex == 0);

    fillOrientations();
    for (int i = 0; i < m_pUi->m_pOrientBox->count(); ++i) {
        if (m_pUi->m_pOrientBox->itemData(i).toUInt() == canvas.orientation()) {
            m_pUi->m_pOrientBox->setCurrentIndex(i);
            break;
        }
    }
    fillToolbarRows(m_pUi->m_pTopSlotBox, canvas.qmlProperty(QStringLiteral("topRow")));
    fillToolbarRows(m_pUi->m_pBottomSlotBox, canvas.qmlProperty(QStringLiteral("bottomRow")));
    fillList(m_pUi->m_pSkinBox, QLatin1String(kSkinList), canvas.skin());
    fillList(m_pUi->m_pAccentBox, QLatin1String(kAccentList), canvas.accent());

    m_pUi->m_pCenter->setChecked(canvas.isHorizCenter());
    m_pUi->m_pCenteringWillBeAppliedLabel->setVisible(canvas.isHorizCenter());

    // Connected last, so no slot runs while the fields are filled.
    connect(m_pUi->m_pButtonBox, &QDialogButtonBox::accepted, this, &DCanvasDialog::qualify);
    connect(this, &QDialog::accepted, this, &DCanvasDialog::finalize);
    connect(m_pUi->m_pDeviceBox, &QComboBox::currentIndexChanged, this, &DCanvasDialog::updateDevice);
    connect(m_pUi->m_pAspectBox, &QComboBox::currentIndexChanged, this, &DCanvasDialog::updateAspectText);
    connect(m_pUi->m_pCenter, &QCheckBox::stateChanged, this, &DCanvasDialog::onCenterCheckedChanged);
    connect(m_pUi->m_pCustomizeDeviceListButton, &QPushButton::clicked, this,
            &DCanvasDialog::onCustomDeviceListButtonPressed);
    connect(m_pUi->m_pInchesRadioButton, &QRadioButton::toggled, this, &DCanvasDialog::onInchesRadioButtonToggled);
    connect(m_pUi->m_pSizeEdit, &QLineEdit::textChanged, this, &DCanvasDialog::onSizeEditTextChanged);
    setWindowTitle(tr("Canvas Setup"));
    m_pUi->m_pDeviceBox->setFocus();
}

void DCanvasDialog::loadUnits()
{
    const QString units = appSettings().value(QLatin1String(kUnitsKey)).toString();
    m_bMetric = units == QLatin1String(kMetric);
    m_pUi->m_pUnitsLabel->setText(m_bMetric ? tr("cm") : tr("inches"));
    if (m_bMetric)
        m_pUi->m_pCentimetersRadioButton->setChecked(true);
    else
        m_pUi->m_pInchesRadioButton->setChecked(true);
}

void DCanvasDialog::loadDevices()
{
    QList<CCanvasRecord> table;
    QFile file(QString::fromLatin1(kDeviceTable));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!file.atEnd()) {
            CCanvasRecord record;
            record.parseLine(file.readLine());
            table.append(record);
        }
    }
    std::stable_sort(table.begin(), table.end(), &DCanvasDialog::deviceNameLess);

    const QSettings settings = appSettings();
    CCanvasRecord user;
    user.setName(QLatin1String(kUserDefined));
    const QVariant ratio = settings.value(QLatin1String(kUserAspectRatioKey));
    user.setAspect(ratio.isValid() ? storedNumber(ratio.toString()) : DefaultUserAspect);
    user.setAspectText(
        settings.value(QLatin1String(kUserAspectTextKey), QLatin1String(kDefaultUserAspectText)).toString());
    m_deviceList.clear();
    m_deviceList.append(user);
    m_deviceList.append(table);
    loadCustomDevices();

    if (!m_pCanvas)
        return;
    m_nDeviceIndex = 0;
    QSet<QString> ratioTexts;
    for (int i = 0; i < m_deviceList.size(); ++i) {
        const CCanvasRecord &entry = m_deviceList.at(i);
        m_pUi->m_pDeviceBox->addItem(entry.name());
        // The first entry carrying a ratio text decides its value.
        if (!ratioTexts.contains(entry.aspectText())) {
            ratioTexts.insert(entry.aspectText());
            m_pUi->m_pAspectBox->addItem(entry.aspectText(), entry.aspect());
        }
        // A later entry of the same name wins.
        if (entry.name() == m_pCanvas->deviceName()) {
            m_nDeviceIndex = i;
            m_pCanvas->setListedDevice(true);
        }
    }
    m_pUi->m_pDeviceBox->setCurrentIndex(m_nDeviceIndex);
}

void DCanvasDialog::loadCustomDevices()
{
    for (const QStringList &parts : customDeviceLines()) {
        CCanvasRecord record;
        record.setName(parts.at(0));
        record.setSize(storedNumber(parts.at(1)));
        record.setAspect(storedNumber(parts.at(2)));
        record.setAspectText(parts.at(3));
        m_deviceList.append(record);
    }
}

void DCanvasDialog::loadCustomAspects()
{
    for (const QStringList &parts : customDeviceLines()) {
        QString text = parts.at(3);
        QStringList pieces = text.split(QLatin1Char(':'), Qt::KeepEmptyParts);
        if (pieces.size() == 2) {
            for (QString &piece : pieces) {
                bool ok = false;
                const float value = UNumbers::finiteFloat(piece, &ok);
                if (ok)
                    piece = formatNumber(value, 2);
            }
            text = pieces.join(QLatin1Char(':'));
        }
        m_pUi->m_pAspectBox->addItem(text, storedNumber(parts.at(2)));
    }
}

void DCanvasDialog::selectAspect(float aspect, bool enabled)
{
    m_pUi->m_pAspectBox->setEnabled(enabled);
    if (aspect == 0.0f)
        return;
    double bestDistance = FarAway;
    int best = -1;
    for (int i = 0; i < m_pUi->m_pAspectBox->count(); ++i) {
        const double distance = std::abs(m_pUi->m_pAspectBox->itemData(i).toDouble() - double(aspect));
        if (bestDistance > distance) {
            bestDistance = distance;
            best = i;
        }
    }
    m_pUi->m_pAspectBox->setCurrentIndex(best);
}

void DCanvasDialog::setSizeText(float diagonal, bool enabled)
{
    m_pUi->m_pSizeEdit->setEnabled(enabled);
    if (diagonal <= NoDiagonal)
        return;
    m_pUi->m_pSizeEdit->setText(m_bMetric ? formatNumber(inchesToCm(diagonal), CmDecimals)
                                          : formatNumber(diagonal, InchDecimals));
}

void DCanvasDialog::fillOrientations()
{
    m_pUi->m_pOrientBox->addItem(tr("Portrait"), 1u);
    m_pUi->m_pOrientBox->addItem(tr("Landscape"), 2u);
}

void DCanvasDialog::fillToolbarRows(QComboBox *pBox, const QString &current)
{
    for (const SlotItem &item : kSlotItems)
        pBox->addItem(tr(item.text), QString::fromLatin1(item.value));
    const int index = pBox->findData(current, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        pBox->setCurrentIndex(index);
}

void DCanvasDialog::fillList(QComboBox *pBox, const QString &listPath, const QString &current)
{
    QStringList lines;
    SkinFiles::readLines(listPath, &lines);
    for (const QString &line : std::as_const(lines))
        pBox->addItem(line, line);
    const int index = pBox->findData(current, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        pBox->setCurrentIndex(index);
}

// ---------------------------------------------------------------- user input

void DCanvasDialog::updateDevice(int index)
{
    if (index < 0 || index >= m_deviceList.size())
        return;
    const CCanvasRecord entry = m_deviceList.at(index);
    // Set first: the ratio chosen below for a listed device must not be
    // taken as the user-defined entry's ratio.
    m_nDeviceIndex = index;
    // Only the user-defined entry takes a typed size and a chosen ratio.
    setSizeText(entry.size(), index == 0);
    selectAspect(entry.aspect(), index == 0);
    m_pUi->m_pAspectBox->setEnabled(index == 0);
}

void DCanvasDialog::updateAspectText(int index)
{
    if (index == -1 || m_nDeviceIndex != 0 || m_deviceList.isEmpty())
        return;
    CCanvasRecord &user = m_deviceList.first();
    user.setAspectText(m_pUi->m_pAspectBox->currentText());
    user.setAspect(m_pUi->m_pAspectBox->itemData(index).toFloat());
    QSettings settings = appSettings();
    settings.setValue(QLatin1String(kUserAspectRatioKey), QString::number(double(user.aspect()), 'f', 3));
    settings.setValue(QLatin1String(kUserAspectTextKey), user.aspectText());
    const float size = user.size();
    const float aspect = user.aspect();
    setSizeText(size, true);
    selectAspect(aspect, true);
}

void DCanvasDialog::onCenterCheckedChanged(int state)
{
    m_pUi->m_pCenteringWillBeAppliedLabel->setVisible(state == Qt::Checked);
}

void DCanvasDialog::onInchesRadioButtonToggled(bool isChecked)
{
    QLineEdit *pEdit = m_pUi->m_pSizeEdit;
    if (isChecked) {
        m_pUi->m_pUnitsLabel->setText(tr("inches"));
        pEdit->setValidator(m_pInchesValidator);
        if (m_bMetric) {
            m_bMetric = false;
            pEdit->setText(formatNumber(cmToInches(QLocale().toDouble(pEdit->text())), InchDecimals));
        }
    } else {
        m_pUi->m_pUnitsLabel->setText(tr("cm"));
        pEdit->setValidator(m_pCmValidator);
        if (!m_bMetric) {
            m_bMetric = true;
            pEdit->setText(formatNumber(inchesToCm(QLocale().toDouble(pEdit->text())), CmDecimals));
        }
    }
    appSettings().setValue(QLatin1String(kUnitsKey), QLatin1String(m_bMetric ? kMetric : kImperial));
}

void DCanvasDialog::applyValidatorLocale()
{
    const QLocale locale = validatorLocale();
    m_pInchesValidator->setLocale(locale);
    m_pCmValidator->setLocale(locale);
}

QString DCanvasDialog::sizeTextInInches() const
{
    const QString text = m_pUi->m_pSizeEdit->text();
    if (!m_bMetric)
        return text;
    return formatNumber(cmToInches(QLocale().toDouble(text)), InchDecimals);
}

void DCanvasDialog::onSizeEditTextChanged(const QString &)
{
    if (!m_pInchesValidator)
        return;
    applyValidatorLocale();
    // Whether a size is acceptable is judged in inches.
    QString inches = sizeTextInInches();
    int position = 0;
    const bool acceptable = m_pInchesValidator->validate(inches, position) == QValidator::Acceptable;
    setTextColour(m_pUi->m_pSizeEdit, acceptable ? Qt::black : Qt::red);
}

// ---------------------------------------------------------------- closing

void DCanvasDialog::qualify()
{
    const QComboBox *pTop = m_pUi->m_pTopSlotBox;
    const QComboBox *pBottom = m_pUi->m_pBottomSlotBox;
    const bool topToolbar = pTop->currentIndex() >= 0 && isToolbarUrl(pTop->currentData().toString());
    const bool bottomToolbar = pBottom->currentIndex() >= 0 && isToolbarUrl(pBottom->currentData().toString());
    if (!topToolbar && !bottomToolbar) {
        // Informs only: the canvas is written all the same.
        DMessageBox::warning(this, tr("Warning"),
                             tr("This Canvas does not include a toolbar.\n"
                                "With no toolbar, one at least one panel in your\n"
                                "project must contain a Setup Button, or else\n"
                                "downloading a control panel will not be possible."));
    }
    accept();
}

void DCanvasDialog::finalize()
{
    if (!m_pCanvas)
        return;
    const float size = QLocale().toFloat(sizeTextInInches());
    m_pCanvas->setSize(std::clamp(qIsFinite(size) ? size : 0.0f, float(MinDiagonal), float(MaxDiagonal)));

    if (m_pUi->m_pAspectBox->currentIndex() >= 0)
        m_pCanvas->setAspect(m_pUi->m_pAspectBox->currentData().toFloat());
    if (m_pUi->m_pOrientBox->currentIndex() >= 0)
        m_pCanvas->setOrientation(m_pUi->m_pOrientBox->currentData().toUInt());
    if (m_pUi->m_pTopSlotBox->currentIndex() >= 0)
        m_pCanvas->setQmlProperty(QStringLiteral("topRow"), m_pUi->m_pTopSlotBox->currentData());
    if (m_pUi->m_pBottomSlotBox->currentIndex() >= 0)
        m_pCanvas->setQmlProperty(QStringLiteral("bottomRow"), m_pUi->m_pBottomSlotBox->currentData());
    if (m_pUi->m_pSkinBox->currentIndex() >= 0)
        m_pCanvas->loadSkinList(m_pUi->m_pSkinBox->currentData().toString());
    if (m_pUi->m_pAccentBox->currentIndex() >= 0)
        m_pCanvas->setAccent(m_pUi->m_pAccentBox->currentData().toString());
    m_pCanvas->setHorizCenter(m_pUi->m_pCenter->isChecked());
    const int device = m_pUi->m_pDeviceBox->currentIndex();
    if (device >= 0 && device < m_deviceList.size())
        m_pCanvas->setDeviceName(m_deviceList.at(device).name());
}

void DCanvasDialog::onCustomDeviceListButtonPressed()
{
    DCustomDevicesEditDialog editor(this, m_bMetric);
    if (!editor.runModal())
        return;
    // Rebuilt as at opening; the slots are connected by now.
    m_pUi->m_pDeviceBox->clear();
    m_pUi->m_pAspectBox->clear();
    loadDevices();
    loadCustomAspects();
    if (m_pCanvas)
        selectAspect(m_pCanvas->aspect(), m_nDeviceIndex == 0);
}
