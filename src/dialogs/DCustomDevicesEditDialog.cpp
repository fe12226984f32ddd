#include "dialogs/DCustomDevicesEditDialog.h"

#include "dialogs/DCanvasDialog.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "utility/UNumbers.h"

#include "ui_DCustomDevicesEditDialog.h"

#include <QCloseEvent>
#include <QDoubleValidator>
#include <QFile>
#include <QPalette>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSaveFile>

namespace {

const char kListFileName[] = "deviceList.txt";
const char kListFileFilter[] = "Text (*.txt)";
// A ratio portion below this counts as missing.
constexpr float LeastPortion = 0.01f;
constexpr float MinAspect = 1.0f;
constexpr float MaxAspect = 10.0f;
constexpr double MinPortion = 0.1;
constexpr double MaxPortion = 10000.0;
constexpr int Decimals = 3;

void setTextColour(QWidget *pWidget, bool red)
{
    QPalette palette;
    palette.setColor(QPalette::All, QPalette::Text, red ? Qt::red : Qt::black);
    pWidget->setPalette(palette);
}

QString stored(float value)
{
    return QString::number(double(value), 'f', Decimals);
}

} // namespace

DCustomDevicesEditDialog::DCustomDevicesEditDialog(QWidget *parent, bool metric)
    : DModalDialog(parent)
    , m_pUi(new Ui_DCustomDevicesEditDialog)
    , m_pSaveButton(nullptr)
    , m_bModified(false)
    , m_bMetric(metric)
    , m_diagonalValidator(new QDoubleValidator(DCanvasDialog::MinDiagonal, DCanvasDialog::MaxDiagonal,
                                               metric ? DCanvasDialog::CmDecimals : Decimals, this))
    , m_heightValidator(new QDoubleValidator(MinPortion, MaxPortion, Decimals, this))
    , m_widthValidator(new QDoubleValidator(MinPortion, MaxPortion, Decimals, this))
{
    for (QDoubleValidator *pValidator : {m_diagonalValidator, m_heightValidator, m_widthValidator}) {
        pValidator->setNotation(QDoubleValidator::StandardNotation);
        pValidator->setLocale(DCanvasDialog::validatorLocale());
    }
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_pUi->setupUi(this);
    m_pUi->m_pUnitsLabel->setText(m_bMetric ? QStringLiteral("cm") : QStringLiteral("inches"));

    connect(m_pUi->m_pDialogButtonBox, &QDialogButtonBox::clicked, this, &DCustomDevicesEditDialog::onButtonBoxClicked);
    connect(m_pUi->m_pAddButton, &QPushButton::clicked, this, &DCustomDevicesEditDialog::onAddButtonClicked);
    connect(m_pUi->m_pDeleteSelectedButton, &QPushButton::clicked, this,
            &DCustomDevicesEditDialog::onDeleteSelectedButtonClicked);
    connect(m_pUi->m_pSaveToFileButton, &QPushButton::clicked, this, &DCustomDevicesEditDialog::onSaveToFileClicked);
    connect(m_pUi->m_pLoadFromFileButton, &QPushButton::clicked, this,
            &DCustomDevicesEditDialog::onLoadFromFileClicked);
    connect(m_pUi->m_pMoveUpButton, &QPushButton::clicked, this, &DCustomDevicesEditDialog::onMoveUpClicked);
    connect(m_pUi->m_pMoveDownButton, &QPushButton::clicked, this, &DCustomDevicesEditDialog::onMoveDownClicked);
    for (QLineEdit *pEdit : {m_pUi->m_pNameEdit, m_pUi->m_pDiagonalLengthEdit, m_pUi->m_pHeightEdit,
                             m_pUi->m_pWidthEdit})
        connect(pEdit, &QLineEdit::textChanged, this, &DCustomDevicesEditDialog::onEntryTextChanged);
    connect(m_pUi->m_pDeviceList, &QListWidget::currentRowChanged, this,
            &DCustomDevicesEditDialog::onDeviceListCurrentRowChanged);

    m_pSaveButton = m_pUi->m_pDialogButtonBox->button(QDialogButtonBox::Save);
    m_pSaveButton->setEnabled(false);

    m_pUi->m_pDiagonalLengthEdit->setValidator(m_diagonalValidator);
    m_pUi->m_pHeightEdit->setValidator(m_heightValidator);
    m_pUi->m_pWidthEdit->setValidator(m_widthValidator);
    // The separators of the setting and of the list file would split the
    // name when it is read back, and the device would be lost.
    m_pUi->m_pNameEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^%1]*").arg(CustomDevice::forbiddenNameCharacters())),
        m_pUi->m_pNameEdit));

    loadFromSettings();
    m_bModified = false;
    onEntryTextChanged();
}

DCustomDevicesEditDialog::~DCustomDevicesEditDialog()
{
    delete m_pUi;
}

QString DCustomDevicesEditDialog::settingsText(const CustomDevice &device)
{
    const QChar tab(QLatin1Char('\t'));
    return device.name + tab + stored(device.diagonal) + tab + stored(device.aspect) + tab + stored(device.height)
           + QLatin1Char(':') + stored(device.width);
}

QString DCustomDevicesEditDialog::displayText(const CustomDevice &device, bool metric)
{
    const QChar tab(QLatin1Char('\t'));
    const QString diagonal = metric
                                 ? DCanvasDialog::formatNumber(DCanvasDialog::inchesToCm(device.diagonal), DCanvasDialog::CmDecimals)
                                 : DCanvasDialog::formatNumber(device.diagonal, Decimals);
    return device.name + tab + diagonal + tab + DCanvasDialog::formatNumber(device.aspect, Decimals) + tab
           + DCanvasDialog::formatNumber(device.height, Decimals) + QLatin1Char(':')
           + DCanvasDialog::formatNumber(device.width, Decimals);
}

void DCustomDevicesEditDialog::loadFromSettings()
{
    const QString text = DCanvasDialog::appSettings().value(QLatin1String(DCanvasDialog::CustomDevicesKey)).toString();
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    for (const QString &line : lines) {
        CustomDevice device;
        if (device.parse(line, QLatin1Char('\t')))
            appendDevice(device);
    }
    if (!m_devices.isEmpty())
        m_pUi->m_pSaveToFileButton->setEnabled(true);
}

void DCustomDevicesEditDialog::appendDevice(const CustomDevice &device)
{
    m_devices.append(device);
    m_pUi->m_pDeviceList->addItem(displayText(device, m_bMetric));
}

void DCustomDevicesEditDialog::setModified(bool modified)
{
    m_pSaveButton->setEnabled(modified);
    m_bModified = modified;
    m_pUi->m_pSaveToFileButton->setEnabled(m_pUi->m_pDeviceList->count() > 0);
}

// ---------------------------------------------------------------- entry fields

QString DCustomDevicesEditDialog::diagonalInches() const
{
    const QString text = m_pUi->m_pDiagonalLengthEdit->text();
    if (!m_bMetric)
        return text;
    return DCanvasDialog::formatNumber(DCanvasDialog::cmToInches(m_locale.toDouble(text)), Decimals);
}

void DCustomDevicesEditDialog::onEntryTextChanged()
{
    const QLocale locale = DCanvasDialog::validatorLocale();
    m_diagonalValidator->setLocale(locale);
    // Whether the diagonal is acceptable is judged in inches.
    QDoubleValidator inches(DCanvasDialog::MinDiagonal, DCanvasDialog::MaxDiagonal, Decimals);
    inches.setNotation(QDoubleValidator::StandardNotation);
    inches.setLocale(locale);
    QString diagonal = diagonalInches();
    int position = 0;
    const QString name = m_pUi->m_pNameEdit->text();
    bool valid = true;
    bool diagonalRed = false;
    if (inches.validate(diagonal, position) == QValidator::Acceptable) {
        valid = !name.isEmpty() && CustomDevice::isStorableName(name);
    } else {
        diagonalRed = true;
        valid = false;
    }

    const float height = m_locale.toFloat(m_pUi->m_pHeightEdit->text());
    const float width = m_locale.toFloat(m_pUi->m_pWidthEdit->text());
    const bool heightRed = !(height >= LeastPortion);
    const bool widthRed = !(width >= LeastPortion);
    float ratio = 0.0f;
    if (heightRed || widthRed) {
        m_pUi->m_pAspectRatioEdit->setText(tr("invalid"));
    } else {
        ratio = height / width;
        m_pUi->m_pAspectRatioEdit->setText(DCanvasDialog::formatNumber(ratio, Decimals));
    }
    const bool ratioRed = ratio < MinAspect || ratio > MaxAspect;
    if (ratioRed)
        valid = false;

    m_pUi->m_pAddButton->setEnabled(valid);
    setTextColour(m_pUi->m_pDiagonalLengthEdit, diagonalRed);
    setTextColour(m_pUi->m_pAspectRatioEdit, ratioRed);
    setTextColour(m_pUi->m_pHeightEdit, heightRed);
    setTextColour(m_pUi->m_pWidthEdit, widthRed);
}

void DCustomDevicesEditDialog::onAddButtonClicked()
{
    CustomDevice device;
    device.name = m_pUi->m_pNameEdit->text();
    // The ratio as shown, rounded.
    device.diagonal = m_locale.toFloat(diagonalInches());
    device.aspect = m_locale.toFloat(m_pUi->m_pAspectRatioEdit->text());
    device.height = m_locale.toFloat(m_pUi->m_pHeightEdit->text());
    device.width = m_locale.toFloat(m_pUi->m_pWidthEdit->text());
    appendDevice(device);
    setModified(true);
}

// ---------------------------------------------------------------- the list

void DCustomDevicesEditDialog::onDeviceListCurrentRowChanged(int row)
{
    const int count = m_pUi->m_pDeviceList->count();
    m_pUi->m_pDeleteSelectedButton->setEnabled(row >= 0);
    m_pUi->m_pSaveToFileButton->setEnabled(row >= 0);
    m_pUi->m_pMoveUpButton->setEnabled(row > 0);
    m_pUi->m_pMoveDownButton->setEnabled(row >= 0 && row < count - 1);
    if (row < 0 || row >= m_devices.size())
        return;
    const CustomDevice &device = m_devices.at(row);
    m_pUi->m_pNameEdit->setText(device.name);
    m_pUi->m_pDiagonalLengthEdit->setText(
        m_bMetric ? DCanvasDialog::formatNumber(DCanvasDialog::inchesToCm(device.diagonal), DCanvasDialog::CmDecimals)
                  : DCanvasDialog::formatNumber(device.diagonal, Decimals));
    m_pUi->m_pHeightEdit->setText(DCanvasDialog::formatNumber(device.height, Decimals));
    m_pUi->m_pWidthEdit->setText(DCanvasDialog::formatNumber(device.width, Decimals));
}

void DCustomDevicesEditDialog::onDeleteSelectedButtonClicked()
{
    const int row = m_pUi->m_pDeviceList->currentRow();
    if (row < 0 || row >= m_devices.size())
        return;
    m_devices.removeAt(row);
    delete m_pUi->m_pDeviceList->takeItem(row);
    setModified(true);
}

void DCustomDevicesEditDialog::moveCurrent(int offset)
{
    QListWidget *pList = m_pUi->m_pDeviceList;
    const int row = pList->currentRow();
    const int target = row + offset;
    if (row < 0 || target < 0 || target >= pList->count() || target >= m_devices.size())
        return;
    m_devices.swapItemsAt(row, target);
    pList->insertItem(target, pList->takeItem(row));
    pList->setCurrentRow(target);
    setModified(true);
}

void DCustomDevicesEditDialog::onMoveUpClicked()
{
    moveCurrent(-1);
}

void DCustomDevicesEditDialog::onMoveDownClicked()
{
    moveCurrent(1);
}

// ---------------------------------------------------------------- saving and leaving

void DCustomDevicesEditDialog::onButtonBoxClicked(QAbstractButton *pButton)
{
    // Standard buttons, not their texts: a platform theme may add mnemonics.
    const QDialogButtonBox::StandardButton button = m_pUi->m_pDialogButtonBox->standardButton(pButton);
    if (button == QDialogButtonBox::Close) {
        if (confirmDiscard())
            accept();
    } else if (button == QDialogButtonBox::Save) {
        QString text;
        for (const CustomDevice &device : std::as_const(m_devices))
            text += settingsText(device) + QLatin1Char('\n');
        DCanvasDialog::appSettings().setValue(QLatin1String(DCanvasDialog::CustomDevicesKey), text);
        setModified(false);
    }
}

bool DCustomDevicesEditDialog::confirmDiscard()
{
    if (!m_bModified)
        return true;
    return DMessageBox::ask(this, QMessageBox::Question, tr("Close Custom Device List"),
                            tr("Changes have not been saved. Continue?"), QMessageBox::Ok | QMessageBox::Cancel)
           == QMessageBox::Ok;
}

void DCustomDevicesEditDialog::reject()
{
    if (confirmDiscard())
        DModalDialog::reject();
}

void DCustomDevicesEditDialog::closeEvent(QCloseEvent *event)
{
    if (!isVisible()) {
        event->accept();
        return;
    }
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    // Asked already: leave without asking again.
    DModalDialog::reject();
    event->accept();
}

void DCustomDevicesEditDialog::onSaveToFileClicked()
{
    const QString path = DChooser::saveFile(this, tr("Choose Device List File"), QLatin1String(kListFileName),
                                            QLatin1String(kListFileFilter));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        DMessageBox::warning(this, tr("Save Device List"),
                             tr("Unable to open file '") + path + QStringLiteral("'."));
        return;
    }
    for (const CustomDevice &device : std::as_const(m_devices)) {
        QString line = settingsText(device);
        line.replace(QLatin1Char('\t'), QLatin1Char(','));
        file.write(line.toUtf8() + '\n');
    }
    // A file written only in part is not left behind as if it were the list.
    if (!file.commit())
        DMessageBox::warning(this, tr("Save Device List"),
                             tr("Unable to write file '") + path + QStringLiteral("'."));
}

QString DCustomDevicesEditDialog::lineFault(const QStringList &parts, float diagonal, float aspect)
{
    const QString &name = parts.at(0);
    if (name.isEmpty())
        return tr("Name cannot be empty.");
    if (!CustomDevice::isStorableName(name))
        return tr("Name cannot contain a tab or a line break.");
    if (diagonal < float(DCanvasDialog::MinDiagonal))
        return tr("Diagonal length must be at least %1.").arg(QString::number(DCanvasDialog::MinDiagonal));
    if (diagonal > float(DCanvasDialog::MaxDiagonal))
        return tr("Diagonal length must be at most %1.").arg(QString::number(DCanvasDialog::MaxDiagonal));
    if (aspect < MinAspect)
        return tr("Aspect ratio must be at least %1.").arg(QString::number(MinAspect));
    if (aspect > MaxAspect)
        return tr("Aspect ratio must be at most %1.").arg(QString::number(MaxAspect));
    const QString ratio = parts.at(3).trimmed();
    const QStringList pieces = ratio.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    bool badRatio = ratio.size() <= 2 || pieces.size() != 2;
    for (const QString &piece : pieces)
        badRatio = badRatio || UNumbers::finiteFloat(piece.trimmed()) < LeastPortion;
    if (badRatio)
        return tr("Invalid aspect ratio text. The required format is '<number>:<number>'.");
    return QString();
}

void DCustomDevicesEditDialog::onLoadFromFileClicked()
{
    const QString path = DChooser::openFile(this, tr("Choose Device List File"), QLatin1String(kListFileName),
                                            QLatin1String(kListFileFilter));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DMessageBox::warning(this, tr("Load Device List"),
                             tr("Unable to open file '") + path + QStringLiteral("'."));
        return;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        const QStringList parts = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
        if (parts.size() != 4)
            continue;
        bool diagonalOk = false;
        bool aspectOk = false;
        const float diagonal = UNumbers::finiteFloat(parts.at(1).trimmed(), &diagonalOk);
        const float aspect = UNumbers::finiteFloat(parts.at(2).trimmed(), &aspectOk);
        if (!diagonalOk || !aspectOk)
            continue;
        const QString fault = lineFault(parts, diagonal, aspect);
        if (!fault.isEmpty()) {
            const int answer = DMessageBox::ask(this, QMessageBox::Warning, tr("Custom Device Load"),
                                                tr("Invalid line:\n\n%1\n%2").arg(line, fault),
                                                QMessageBox::Ok | QMessageBox::Abort);
            if (answer == QMessageBox::Abort)
                break;
            continue;
        }
        CustomDevice device;
        if (!device.parse(line, QLatin1Char(',')))
            continue;
        const QString text = displayText(device, m_bMetric);
        if (m_pUi->m_pIgnoreDuplicates->isChecked()) {
            bool listed = false;
            for (int i = 0; i < m_pUi->m_pDeviceList->count() && !listed; ++i)
                listed = m_pUi->m_pDeviceList->item(i)->text() == text;
            if (listed)
                continue;
        }
        appendDevice(device);
        m_pUi->m_pSaveToFileButton->setEnabled(true);
    }
    file.close();
    setModified(true);
}
