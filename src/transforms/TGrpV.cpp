#include "transforms/TGrpV.h"

#include <cmath>

namespace {
const int MuteStep = -1;
// Fallbacks of a text that names no step.
const int NoStepDb = -60;
const unsigned char NoStepByte = 68;
} // namespace

QString TGrpV::stepToText(int step)
{
    if (step <= MuteStep)
        return QStringLiteral("FF");
    return QString::number(qMin(step, MaxStep), 16);
}

QString TGrpV::stepText(float dB)
{
    // Half-dB steps: a level between two steps goes to the nearer one.
    const double twice = std::round(2.0 * double(dB));
    if (std::isnan(twice))
        return stepToText(ZeroStep);
    if (std::isinf(twice))
        return stepToText(std::signbit(twice) ? MuteStep : MaxStep);
    return stepToText(int(qBound(-1000.0, twice, 1000.0)) + ZeroStep);
}

bool TGrpV::readStep(const QString &text, int *pStep)
{
    if (text.compare(QLatin1String("FF"), Qt::CaseInsensitive) == 0) {
        *pStep = MuteStep;
        return true;
    }
    bool ok = false;
    const int step = text.toInt(&ok, 16);
    if (ok)
        *pStep = step;
    return ok;
}

void TGrpV::setValue(unsigned int value)
{
    m_sValue = QString::number(value);
}

void TGrpV::setValue(float value)
{
    m_sValue = stepText(value);
}

void TGrpV::setValue(unsigned char value)
{
    m_sValue = stepToText(value < 13 ? 2 * value + ZeroStep : MaxStep);
}

void TGrpV::setValueText(const QString &text)
{
    bool ok = false;
    const float dB = text.toFloat(&ok);
    m_sValue = ok ? stepText(dB) : stepToText(ZeroStep);
}

unsigned int TGrpV::value(unsigned int &value) const
{
    int step = 0;
    value = unsigned(readStep(m_sValue, &step) ? (step - ZeroStep) / 2 : NoStepDb);
    return value;
}

float TGrpV::value(float &value) const
{
    int step = 0;
    value = readStep(m_sValue, &step) ? float(step - ZeroStep) * 0.5f : float(NoStepDb);
    return value;
}

unsigned char TGrpV::value(unsigned char &value) const
{
    int step = 0;
    value = readStep(m_sValue, &step) ? static_cast<unsigned char>((step - ZeroStep) / 2)
                                      : NoStepByte;
    return value;
}

int TGrpV::replyValue(int &value) const
{
    int step = 0;
    value = readStep(m_sReply, &step) ? (step - ZeroStep) / 2 : 0;
    return value;
}

float TGrpV::replyValue(float &value) const
{
    int step = 0;
    value = readStep(m_sReply, &step) ? float(step - ZeroStep) * 0.5f : float(NoStepDb);
    return value;
}

unsigned char TGrpV::replyValue(unsigned char &value) const
{
    int step = 0;
    value = readStep(m_sReply, &step) ? static_cast<unsigned char>((step - ZeroStep) / 2)
                                      : NoStepByte;
    return value;
}
