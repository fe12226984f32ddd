#pragma once

#include <QString>

// Number conversions for values read from files and settings: anything that
// is not a finite number in range reads as 0, so "nan" or "inf" typed into a
// file never spreads into geometry or scales.
class UNumbers
{
public:
    // The text as a finite float; 0 (and ok false) when it is not a number,
    // not finite, or beyond the float range.
    static float finiteFloat(const QString &text, bool *ok = nullptr);
    // The text as a decimal int, blanks around it allowed; 0 when it is none.
    static int toInt(const QString &text);
    // The text as an unsigned 32-bit decimal, blanks around it allowed; 0 when it is none.
    static quint32 toUInt(const QString &text);
    // Whether a float is usable as a size or scale: finite and above 0.
    static bool isPositive(float value);
};
