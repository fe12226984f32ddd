#include "dialogs/DChooser.h"

#include <QColorDialog>
#include <QFileDialog>

namespace {

DChooser::Responder &chooserResponder()
{
    static DChooser::Responder responder;
    return responder;
}

} // namespace

QString DChooser::openFile(QWidget *pParent, const QString &title, const QString &start, const QString &filter)
{
    if (const Responder &responder = chooserResponder())
        return responder({OpenFile, pParent, title, start, filter, QColor()}).toString();
    return QFileDialog::getOpenFileName(pParent, title, start, filter);
}

QString DChooser::saveFile(QWidget *pParent, const QString &title, const QString &start, const QString &filter)
{
    if (const Responder &responder = chooserResponder())
        return responder({SaveFile, pParent, title, start, filter, QColor()}).toString();
    return QFileDialog::getSaveFileName(pParent, title, start, filter);
}

QColor DChooser::colour(QWidget *pParent, const QColor &initial, const QString &title)
{
    if (const Responder &responder = chooserResponder())
        return responder({Colour, pParent, title, QString(), QString(), initial}).value<QColor>();
    return QColorDialog::getColor(initial, pParent, title,
                                  QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
}

void DChooser::setResponder(const Responder &responder)
{
    chooserResponder() = responder;
}
