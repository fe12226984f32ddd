#pragma once

#include "dialogs/DModalDialog.h"

#include <QDialogButtonBox>
#include <QModelIndex>
#include <QString>
#include <QStringList>

class QAbstractItemView;
class QListWidget;
class QWidget;

// Works a shown dialog as the user does: mouse clicks on its buttons and on
// the rows of its views, found by object name.
namespace DialogDriver {

// Clicks the standard button of the dialog's box "buttonBox"; false when the
// box or the button is missing or disabled.
bool press(QWidget *pDialog, QDialogButtonBox::StandardButton which);
// Clicks the push button of that object name; false when missing or disabled.
bool click(QWidget *pDialog, const QString &buttonName);
// Whether the push button of that object name is enabled (false when missing).
bool isEnabled(QWidget *pDialog, const QString &buttonName);
// Clicks the centre of the row's rectangle in the view; the row is scrolled
// into sight first.
bool clickIndex(QAbstractItemView *pView, const QModelIndex &index);
bool doubleClickIndex(QAbstractItemView *pView, const QModelIndex &index);
// The texts of a list's rows, in order.
QStringList rows(const QListWidget *pList);

} // namespace DialogDriver

// Answers every modal dialog of the seam while alive, then gives the seam
// back to the real user.
struct ModalAnswer
{
    explicit ModalAnswer(const DModalDialog::Responder &user) { DModalDialog::setResponder(user); }
    ~ModalAnswer() { DModalDialog::setResponder(DModalDialog::Responder()); }
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;
};
