#include "utility/UNumbers.h"

#include <QtNumeric>

#include <cmath>
#include <limits>

float UNumbers::finiteFloat(const QString &text, bool *ok)
{
    bool parsed = false;
    const double value = text.toDouble(&parsed);
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
