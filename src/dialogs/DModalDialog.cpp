#include "dialogs/DModalDialog.h"

namespace {

DModalDialog::Responder &dialogResponder()
{
    static DModalDialog::Responder responder;
    return responder;
}

} // namespace

DModalDialog::DModalDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_nStatus(StatusUndecided)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DModalDialog::~DModalDialog() = default;

bool DModalDialog::runModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    prepare();
    activateWindow();
    raise();
    if (const Responder responder = dialogResponder()) {
        setResult(Rejected);
        const int answer = responder(this);
        // Pressing OK goes through accept(), which a dialog may refuse.
        if (isVisible()) {
            if (answer == 1)
                accept();
            else
                reject();
        }
        // An OK the dialog refused: the user would still see it.
        if (isVisible()) {
            setResult(Rejected);
            hide();
        }
        return result() == Accepted;
    }
    return exec() == Accepted;
}

void DModalDialog::prepare()
{
}

void DModalDialog::setResponder(const Responder &responder)
{
    dialogResponder() = responder;
}
