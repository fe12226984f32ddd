#pragma once

#include "transforms/TTransform.h"

// A number carried as decimal text ("strV"), with a display text in the
// binding's number of decimals and an optional percent sign.
class TStrV : public TTransform
{
    Q_OBJECT

public:
    using TTransform::replyValue;
    using TTransform::setValue;
    using TTransform::value;

    void configure() override;
    void setValue(unsigned int value) override;
    void setValue(float value) override;
    void setValue(unsigned char value) override;
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    void deliverReply(const QString &text) override;
    unsigned int value(unsigned int &value) const override;
    float value(float &value) const override;
    unsigned char value(unsigned char &value) const override;
    QString valueText() const override { return m_sValue; }
    int replyValue(int &value) const override;
    float replyValue(float &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString replyText() const override { return m_sReply; }
    QString displayText() const override;
    void setDisplayValue(float value) override;
    int valueLength() const override { return int(m_sValue.size()); }
    QString typeName() const override { return QStringLiteral("StrV"); }

    int decimals() const { return m_nDecimals; }
    bool isPercent() const { return m_bPercent; }

protected:
    // Decimal readings of a text: 0 when it does not convert or fit.
    static int readInt(const QString &text);
    static float readFloat(const QString &text);
    static unsigned char readByte(const QString &text);

    QString m_sValue;
    QString m_sReply;

private:
    QString m_sDisplay;
    int m_nDecimals = 0;
    bool m_bPercent = false;
};
