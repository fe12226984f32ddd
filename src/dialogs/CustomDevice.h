#pragma once

#include <QChar>
#include <QString>

// One device of the user's own list: a name, the screen diagonal in inches
// and the portrait aspect ratio as height and width portions.
class CustomDevice
{
public:
    // Fills the record from "name, diagonal, aspect, height:width" split at
    // the separator; numbers are read with a dot whatever the locale. False
    // (the record partly filled) when the line does not have that shape.
    bool parse(const QString &line, QChar separator);

    // A name can be stored and read back only without the separators of the
    // setting and of the list file: TAB, line ends and ",".
    static bool isStorableName(const QString &name);
    // The characters such a name must not contain, for a validator.
    static QString forbiddenNameCharacters();

    QString name;
    float diagonal = 0.0f;
    float aspect = 0.0f;
    float height = 0.0f;
    float width = 0.0f;
};
