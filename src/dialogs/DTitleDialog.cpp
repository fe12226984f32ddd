#include "dialogs/DTitleDialog.h"

#include "dialogs/DMessageBox.h"
#include "model/CControl.h"
#include "ui_DTitleDialog.h"

DTitleDialog::DTitleDialog(QWidget *parent, CControl *control)
    : DModalDialog(parent)
    , m_pUi(new Ui_DTitleDialog)
    , m_pControl(control)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DTitleDialog::~DTitleDialog()
{
    delete m_pUi;
}

void DTitleDialog::prepare()
{
    m_pUi->m_lineEdit->setText(m_sTitle);
    m_pUi->m_lineEdit->setFocus(Qt::OtherFocusReason);
    m_pUi->m_lineEdit->selectAll();
    connect(this, &QDialog::accepted, this, &DTitleDialog::pass, Qt::UniqueConnection);
    connect(this, &QDialog::rejected, this, &DTitleDialog::fail, Qt::UniqueConnection);
}

// The control asks its parent about its siblings. An empty name would give
// the item an empty path, which every link would match.
void DTitleDialog::pass()
{
    if (!m_pControl)
        return;
    const QString text = m_pUi->m_lineEdit->text();
    if (text.isEmpty()) {
        DMessageBox::warning(nullptr, tr("Warning"), tr("Error: ") + tr("A title cannot be empty."));
        setStatus(StatusFailed);
        return;
    }
    if (!m_pControl->isNameUnique(text, nullptr)) {
        DMessageBox::warning(nullptr, tr("Warning"), tr("Error: ") + text + tr(" is a duplicate title."));
        setStatus(StatusFailed);
        return;
    }
    m_sTitle = text;
    setStatus(StatusPassed);
}

void DTitleDialog::fail()
{
    setStatus(StatusFailed);
}
