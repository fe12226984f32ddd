#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The application's message and question boxes. Texts are shown as plain
// text, never interpreted as markup (the about box excepted). Tests install a
// responder that sees each box instead of the user.
class DMessageBox
{
public:
    // Gets the title and the text; returns the button the user would press.
    using Responder = std::function<int(const QString &title, const QString &text)>;

    // A warning box with one OK button; returns the pressed button.
    static int warning(QWidget *parent, const QString &title, const QString &text);

    // A box without icon and without title-bar buttons, one OK button.
    static int plain(QWidget *parent, const QString &title, const QString &text);

    // An information box offering the buttons in order; returns the index of
    // the pressed one, -1 when the box was closed without a choice.
    static int choice(QWidget *parent, const QString &title, const QString &text, const QStringList &buttons);

    // A fixed-size box with the icon and the standard buttons given; returns
    // the standard button pressed (the responder answers with one).
    static int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                   QMessageBox::StandardButtons buttons);

    // The about box, as Qt shows it; returns OK.
    static int about(QWidget *parent, const QString &title, const QString &text);

    // Replaces the user for every later box; an empty one restores it.
    static void setResponder(const Responder &responder);
};
