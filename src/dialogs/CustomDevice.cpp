#include "dialogs/CustomDevice.h"

#include "utility/UNumbers.h"

#include <QStringList>

namespace {

// Blanks and line ends around a number do not count.
bool readNumber(const QString &text, float *value)
{
    bool ok = false;
    *value = UNumbers::finiteFloat(text.trimmed(), &ok);
    return ok;
}

} // namespace

bool CustomDevice::parse(const QString &line, QChar separator)
{
    if (line.isEmpty())
        return false;
    const QStringList parts = line.split(separator, Qt::KeepEmptyParts);
    if (parts.size() != 4 || parts.at(0).isEmpty())
        return false;
    name = parts.at(0);
    if (!readNumber(parts.at(1), &diagonal) || !readNumber(parts.at(2), &aspect))
        return false;
    const QStringList portions = parts.at(3).split(QLatin1Char(':'), Qt::KeepEmptyParts);
    return portions.size() == 2 && readNumber(portions.at(0), &height) && readNumber(portions.at(1), &width);
}

bool CustomDevice::isStorableName(const QString &name)
{
    for (const QChar c : name) {
        if (forbiddenNameCharacters().contains(c))
            return false;
    }
    return true;
}

QString CustomDevice::forbiddenNameCharacters()
{
    return QStringLiteral("\t\r\n,");
}
