#pragma once

#include "transforms/TTransform.h"

// An integer value carried as signed decimal text ("bin8", "idx8").
class TBin8 : public TTransform
{
    Q_OBJECT

public:
    using TTransform::replyValue;
    using TTransform::setValue;
    using TTransform::value;

    void setValue(unsigned int value) override;
    void setValue(unsigned char value) override;
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    void deliverReply(const QString &text) override;
    unsigned int value(unsigned int &value) const override;
    unsigned char value(unsigned char &value) const override;
    QString valueText() const override;
    int replyValue(int &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString replyText() const override;
    int valueLength() const override { return 1; }
    QString typeName() const override { return QStringLiteral("Bin8"); }

    // "0x" + hexadecimal, else decimal; 0 outside the signed 16-bit range or when not a number.
    static int parseNumber(const QString &text);

private:
    int m_nValue = 0;
    int m_nReply = 0;
};
