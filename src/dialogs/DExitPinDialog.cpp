#include "dialogs/DExitPinDialog.h"

#include "ui_DExitPinDialog.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

DExitPinDialog::DExitPinDialog(const QString &pin, QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DExitPinDialog)
    , m_pValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this))
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_pUi->m_pExitPinEdit->setText(pin);
    m_sExitPin = pin;
    connect(m_pUi->m_pExitPinEdit, &QLineEdit::editingFinished, this, &DExitPinDialog::onExitPinEditingFinished);
    connect(m_pUi->m_pButtonBox, &QDialogButtonBox::accepted, this, &DExitPinDialog::accept);
    connect(m_pUi->m_pButtonBox, &QDialogButtonBox::rejected, this, &DExitPinDialog::reject);
    m_pUi->m_pExitPinEdit->setValidator(m_pValidator);
}

DExitPinDialog::~DExitPinDialog()
{
    // Destroyed while shown, the field loses focus as the children go and
    // would report to a dialog that is half gone.
    m_pUi->m_pExitPinEdit->disconnect(this);
    delete m_pUi;
}

void DExitPinDialog::onExitPinEditingFinished()
{
    if (auto *pEdit = qobject_cast<QLineEdit *>(sender()))
        m_sExitPin = pEdit->text();
}

void DExitPinDialog::accept()
{
    // The validator keeps the field to digits; a text set around it is not taken.
    const QString text = m_pUi->m_pExitPinEdit->text();
    int position = 0;
    QString checked = text;
    if (text.size() <= m_pUi->m_pExitPinEdit->maxLength()
        && m_pValidator->validate(checked, position) == QValidator::Acceptable)
        m_sExitPin = text;
    DModalDialog::accept();
}
