#include "dialogs/DModalDialog.h"

namespace {

DModalDialog::Responder &responderSlot()
{
    static DModalDialog::Responder responder;
    return responder;
}

} // namespace

DModalDialog::DModalDialog(QWidget *parent)
    : QDialog(parent)
{
}

DModalDialog::~DModalDialog() = default;

int DModalDialog::runModal()
{
    if (const Responder &responder = responderSlot()) {
        // Pressing OK goes through accept(), which a dialog may refuse.
        setResult(Rejected);
        if (responder(this) == 1)
            accept();
        else
            reject();
        return result() == Accepted ? 1 : 0;
    }
    setWindowModality(Qt::ApplicationModal);
    return exec() == Accepted ? 1 : 0;
}

void DModalDialog::setResponder(const Responder &responder)
{
    responderSlot() = responder;
}
