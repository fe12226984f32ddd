#include "dialogs/DDownloadDialog.h"

#include "ui_DDownloadDialog.h"

#include <QSpinBox>

namespace {
QSpinBox *const Ui_DDownloadDialog::*const kFields[] = {
    &Ui_DDownloadDialog::m_pField1, &Ui_DDownloadDialog::m_pField2,
    &Ui_DDownloadDialog::m_pField3, &Ui_DDownloadDialog::m_pField4};
} // namespace

DDownloadDialog::DDownloadDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DDownloadDialog)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DDownloadDialog::~DDownloadDialog()
{
    delete m_pUi;
}

void DDownloadDialog::initialize()
{
    for (int i = 0; i < 4; ++i)
        (m_pUi->*kFields[i])->setValue(int(m_address.octet(i)));
    m_pUi->m_pField1->setFocus();
    connect(this, &QDialog::accepted, this, &DDownloadDialog::finalize, Qt::UniqueConnection);
}

void DDownloadDialog::finalize()
{
    IIPAddress address = m_address;
    for (int i = 0; i < 4; ++i)
        address.setOctet(i, unsigned((m_pUi->*kFields[i])->value()));
    m_address = address;
}
