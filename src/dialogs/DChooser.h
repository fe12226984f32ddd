#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

#include <functional>

class QWidget;

// The application's file and colour choosers. Tests install a responder that
// sees each request instead of the user.
class DChooser
{
public:
    enum Kind { OpenFile, SaveFile, Colour };

    // What the user is asked for.
    struct Request
    {
        Kind kind;
        QWidget *pParent;
        QString title;
        // The folder to start in, with a proposed name when saving.
        QString start;
        QString filter;
        // The colour offered first.
        QColor initial;
    };
    // Gets the request; returns what the user would choose: a path (an empty
    // text for cancel) or a colour (an invalid one for cancel).
    using Responder = std::function<QVariant(const Request &request)>;

    // The chosen path; an empty text when cancelled.
    static QString openFile(QWidget *pParent, const QString &title, const QString &start, const QString &filter);
    static QString saveFile(QWidget *pParent, const QString &title, const QString &start, const QString &filter);
    // The chosen colour, alpha included; an invalid one when cancelled.
    static QColor colour(QWidget *pParent, const QColor &initial, const QString &title);

    // Replaces the user for every later chooser; an empty one restores it.
    static void setResponder(const Responder &responder);
};
