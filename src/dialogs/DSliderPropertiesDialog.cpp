#include "dialogs/DSliderPropertiesDialog.h"

#include <QIntValidator>

DSliderPropertiesDialog::DSliderPropertiesDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_nMinimum(0)
    , m_nMaximum(0)
    , m_nUpperLimit(0)
    , m_nLowerLimit(0)
    , m_bPercent(false)
{
    setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DSliderPropertiesDialog::~DSliderPropertiesDialog() = default;

void DSliderPropertiesDialog::prepare()
{
    if (!m_pValidator)
        m_pValidator = new QIntValidator(m_nLowerLimit, m_nUpperLimit, this);
    m_pValidator->setRange(m_nLowerLimit, m_nUpperLimit);
    m_pMaximum->setText(QString::number(m_nMaximum));
    m_pMinimum->setText(QString::number(m_nMinimum));
    m_pMaximum->setValidator(m_pValidator);
    m_pMinimum->setValidator(m_pValidator);
    m_pMinimum->setFocus(Qt::OtherFocusReason);
    m_pMinimum->selectAll();
    if (m_bPercent)
        m_pPercent->setChecked(true);
    connect(this, &QDialog::accepted, this, &DSliderPropertiesDialog::pass, Qt::UniqueConnection);
    connect(this, &QDialog::rejected, this, &DSliderPropertiesDialog::fail, Qt::UniqueConnection);
    setStatus(StatusUndecided);
}

// A text that is no number (or too long for 32 bits) reads as 0.
void DSliderPropertiesDialog::pass()
{
    m_nMaximum = m_pMaximum->text().toInt(nullptr, 10);
    m_nMinimum = m_pMinimum->text().toInt(nullptr, 10);
    if (m_nMaximum > m_nUpperLimit)
        m_nMaximum = m_nUpperLimit;
    if (m_nMinimum < m_nLowerLimit)
        m_nMinimum = m_nLowerLimit;
    m_bPercent = m_pPercent->isChecked();
    setStatus(StatusPassed);
}

void DSliderPropertiesDialog::fail()
{
    setStatus(StatusFailed);
}
