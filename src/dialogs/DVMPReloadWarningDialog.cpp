#include "dialogs/DVMPReloadWarningDialog.h"

#include "ui_DVMPReloadWarningDialog.h"

DVMPReloadWarningDialog::DVMPReloadWarningDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DVMPReloadWarningDialog)
    , m_bDoNotShowAgain(false)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(m_pUi->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pUi->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pUi->m_pDoNotShowAgainCheckbox, &QCheckBox::stateChanged, this,
            &DVMPReloadWarningDialog::onDoNotShowCheckStateChanged);
}

DVMPReloadWarningDialog::~DVMPReloadWarningDialog()
{
    delete m_pUi;
}

void DVMPReloadWarningDialog::onDoNotShowCheckStateChanged(int state)
{
    m_bDoNotShowAgain = state == Qt::Checked;
}
