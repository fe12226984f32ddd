#include "dialogs/DMessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace {

DMessageBox::Responder &boxResponder()
{
    static DMessageBox::Responder responder;
    return responder;
}

} // namespace

int DMessageBox::warning(QWidget *parent, const QString &title, const QString &text)
{
    if (const Responder &responder = boxResponder())
        return responder(title, text);
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

int DMessageBox::plain(QWidget *parent, const QString &title, const QString &text)
{
    if (const Responder &responder = boxResponder())
        return responder(title, text);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent,
                    Qt::Dialog | Qt::CustomizeWindowHint);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

int DMessageBox::choice(QWidget *parent, const QString &title, const QString &text, const QStringList &buttons)
{
    if (const Responder &responder = boxResponder())
        return responder(title, text);
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> offered;
    for (const QString &button : buttons)
        offered.append(static_cast<QAbstractButton *>(
            box.addButton(button, offered.isEmpty() ? QMessageBox::YesRole : QMessageBox::NoRole)));
    box.exec();
    return int(offered.indexOf(box.clickedButton()));
}

int DMessageBox::ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons)
{
    if (const Responder &responder = boxResponder())
        return responder(title, text);
    QMessageBox box(icon, title, text, buttons, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

int DMessageBox::about(QWidget *parent, const QString &title, const QString &text)
{
    if (const Responder &responder = boxResponder())
        return responder(title, text);
    QMessageBox::about(parent, title, text);
    return QMessageBox::Ok;
}

void DMessageBox::setResponder(const Responder &responder)
{
    boxResponder() = responder;
}
