#pragma once

#include "transforms/TStrV.h"

// A level in dB carried as a hexadecimal step ("grpV"): step = 2 x dB + 120,
// so 0 dB is 0x78, +12 dB (0x90) the top and "FF" anything at or below -60.5 dB.
class TGrpV : public TStrV
{
    Q_OBJECT

public:
    using TStrV::replyValue;
    using TStrV::setValue;
    using TStrV::value;

    static constexpr int ZeroStep = 120;
    static constexpr int MaxStep = 144;

    void setValue(unsigned int value) override;
    void setValue(float value) override;
    void setValue(unsigned char value) override;
    void setValueText(const QString &text) override;
    unsigned int value(unsigned int &value) const override;
    float value(float &value) const override;
    unsigned char value(unsigned char &value) const override;
    int replyValue(int &value) const override;
    float replyValue(float &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString typeName() const override { return QStringLiteral("GrpV"); }

    // The step text of a level: limited to the top, "FF" below the bottom.
    static QString stepText(float dB);
    // The step a text names; "FF" (any case) is the step below the bottom.
    static bool readStep(const QString &text, int *pStep);

private:
    static QString stepToText(int step);
};
