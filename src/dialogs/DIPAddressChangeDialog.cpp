#include "dialogs/DIPAddressChangeDialog.h"

#include "ui_DIPAddressChangeDialog.h"

#include <QStringList>

DIPAddressChangeDialog::DIPAddressChangeDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DIPAddressChangeDialog)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pIPAddressField1SpinBox, &QSpinBox::valueChanged, this,
            &DIPAddressChangeDialog::onIPAddressField1Changed);
    connect(m_pUi->m_pIPAddressField2SpinBox, &QSpinBox::valueChanged, this,
            &DIPAddressChangeDialog::onIPAddressField2Changed);
    connect(m_pUi->m_pIPAddressField3SpinBox, &QSpinBox::valueChanged, this,
            &DIPAddressChangeDialog::onIPAddressField3Changed);
    connect(m_pUi->m_pIPAddressField4SpinBox, &QSpinBox::valueChanged, this,
            &DIPAddressChangeDialog::onIPAddressField4Changed);
    connect(m_pUi->m_pButtonBox, &QDialogButtonBox::accepted, this, &DIPAddressChangeDialog::accept);
    connect(m_pUi->m_pButtonBox, &QDialogButtonBox::rejected, this, &DIPAddressChangeDialog::reject);
}

DIPAddressChangeDialog::~DIPAddressChangeDialog()
{
    delete m_pUi;
}

void DIPAddressChangeDialog::setBlockName(const QString &name)
{
    m_pUi->m_pBlockNameLineEdit->setText(name);
}

QString DIPAddressChangeDialog::blockName() const
{
    return m_pUi->m_pBlockNameLineEdit->text();
}

void DIPAddressChangeDialog::setIPAddress(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    int octets[4] = {0, 0, 0, 0};
    if (parts.size() == 4) {
        for (int i = 0; i < 4; ++i)
            octets[i] = parts.at(i).toInt(nullptr, 10);
    }
    m_pUi->m_pIPAddressField1SpinBox->setValue(octets[0]);
    m_pUi->m_pIPAddressField2SpinBox->setValue(octets[1]);
    m_pUi->m_pIPAddressField3SpinBox->setValue(octets[2]);
    m_pUi->m_pIPAddressField4SpinBox->setValue(octets[3]);
    // A clamped value that equals the shown one changes nothing: read back.
    m_nField1 = m_pUi->m_pIPAddressField1SpinBox->value();
    m_nField2 = m_pUi->m_pIPAddressField2SpinBox->value();
    m_nField3 = m_pUi->m_pIPAddressField3SpinBox->value();
    m_nField4 = m_pUi->m_pIPAddressField4SpinBox->value();
}

QString DIPAddressChangeDialog::ipAddress() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(m_nField1).arg(m_nField2).arg(m_nField3).arg(m_nField4);
}

void DIPAddressChangeDialog::onIPAddressField1Changed(int value)
{
    m_nField1 = value;
}

void DIPAddressChangeDialog::onIPAddressField2Changed(int value)
{
    m_nField2 = value;
}

void DIPAddressChangeDialog::onIPAddressField3Changed(int value)
{
    m_nField3 = value;
}

void DIPAddressChangeDialog::onIPAddressField4Changed(int value)
{
    m_nField4 = value;
}
