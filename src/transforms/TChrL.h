#pragma once

#include "transforms/TOptionList.h"

// An index into the binding's list of option texts ("chrL").
class TChrL : public TOptionList
{
    Q_OBJECT

public:
    // The index is one byte.
    static constexpr int MaxOptions = 255;

    void configure() override;
    void deliverReply(const QString &text) override;
    QString typeName() const override { return QStringLiteral("ChrL"); }

protected:
    QString optionAt(unsigned char index) const override;
};
