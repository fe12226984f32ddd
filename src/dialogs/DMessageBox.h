#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The application's plain warning boxes. Texts are shown as plain text, never
// interpreted as markup. Tests install a responder that sees each box instead
// of the user.
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

    // Replaces the user for every later box; an empty one restores it.
    static void setResponder(const Responder &responder);
};
