#pragma once

#include <QString>
#include <QStringList>

class QObject;

// One load of built-in skin files onto a target object, whose properties
// then carry the skin's colours and image paths; also reads the name lists.
class SkinFiles
{
public:
    explicit SkinFiles(QObject *target);

    // ":/skins/" + name + ".xml".
    static QString skinPath(const QString &name);
    // A name without a readable skin file becomes "Light".
    static void resolveSkinName(QString &name);
    // Resolves the name (changing the caller's copy) and reads the skin onto
    // the target; false only when the skin file cannot be opened.
    bool loadSkin(QString &name);
    // Appends every line of a text file, without line ends; false for a
    // missing list or an unreadable file, which leave the list unchanged.
    static bool readLines(const QString &path, QStringList *list);

private:
    QObject *m_pTarget;
};
