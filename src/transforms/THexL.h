#pragma once

#include "transforms/TTransform.h"

#include <QList>

// An index into at most sixteen byte values ("hexL"); the protocol text is
// the one character of the byte at the index. Nothing sets the reply index.
class THexL : public TTransform
{
    Q_OBJECT

public:
    using TTransform::replyValue;
    using TTransform::setValue;
    using TTransform::value;

    static constexpr int Slots = 16;

    void configure() override;
    void setValue(unsigned char value) override;
    unsigned char value(unsigned char &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString valueText() const override { return byteText(m_nValue); }
    QString replyText() const override { return byteText(m_nReply); }
    int valueLength() const override { return 1; }
    QString typeName() const override { return QStringLiteral("HexL"); }

    const QList<unsigned char> &bytes() const { return m_bytes; }

private:
    QString byteText(unsigned char index) const;

    QList<unsigned char> m_bytes;
    unsigned char m_nValue = 0;
    unsigned char m_nReply = 0;
};
