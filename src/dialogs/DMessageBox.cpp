#include "dialogs/DMessageBox.h"

#include <QMessageBox>

namespace {

DMessageBox::Responder &responderSlot()
{
    static DMessageBox::Responder responder;
    return responder;
}

} // namespace

int DMessageBox::warning(QWidget *parent, const QString &title, const QString &text)
{
    if (const Responder &responder = responderSlot())
        return responder(title, text);
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

void DMessageBox::setResponder(const Responder &responder)
{
    responderSlot() = responder;
}
