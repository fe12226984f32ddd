#pragma once

#include "transforms/TOptionList.h"

// An index into at most eight option texts ("strL"). Replies arrive only
// through setReplyText.
class TStrL : public TOptionList
{
    Q_OBJECT

public:
    static constexpr int Slots = 8;

    void configure() override;
    QString typeName() const override { return QStringLiteral("StrL"); }

protected:
    QString optionAt(unsigned char index) const override;
};
