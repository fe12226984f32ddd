#include "utility/UNumbers.h"

#include <QByteArrayView>
#include <QtNumeric>

#include <cmath>
#include <limits>

namespace {

// Plain decimals ("-12.5"), what files mostly hold, skip the locale pass of
// QString::toDouble: the same characters reach the same conversion.
double toDouble(const QString &text, bool *ok)
{
    char ascii[32];
    const qsizetype size = text.size();
    if (size == 0 || size > qsizetype(sizeof ascii))
        return text.toDouble(ok);
    bool digit = false;
    bool dot = false;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && !dot)
            dot = true;
        else if (c != u'-' || i != 0)
            return text.toDouble(ok);
        ascii[i] = char(c);
    }
    return digit ? QByteArrayView(ascii, size).toDouble(ok) : text.toDouble(ok);
}

} // namespace

int UNumbers::toInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

quint32 UNumbers::toUInt(const QString &text)
{
    bool ok = false;
    const quint32 value = text.trimmed().toUInt(&ok, 10);
    return ok ? value : 0;
}

float UNumbers::finiteFloat(const QString &text, bool *ok)
{
    bool parsed = false;
    const double value = toDouble(text, &parsed);
    const bool valid = parsed && qIsFinite(value)
            && std::fabs(value) <= double(std::numeric_limits<float>::max());
    if (ok)
        *ok = valid;
    return valid ? float(value) : 0.0f;
}

bool UNumbers::isPositive(float value)
{
    return qIsFinite(value) && value > 0.0f;
}
