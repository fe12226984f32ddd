#pragma once

#include "transforms/TTransform.h"

#include <QStringList>

// An index into the binding's list of option texts ("chrL").
class TChrL : public TTransform
{
    Q_OBJECT

public:
    using TTransform::replyValue;
    using TTransform::setValue;
    using TTransform::value;

    // The index is one byte.
    static constexpr int MaxOptions = 255;

    void configure() override;
    void setValue(unsigned char value) override;
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    void deliverReply(const QString &text) override;
    unsigned char value(unsigned char &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString valueText() const override { return optionAt(m_nValue); }
    QString replyText() const override { return optionAt(m_nReply); }
    int valueLength() const override { return 1; }
    QString typeName() const override { return QStringLiteral("ChrL"); }

    const QStringList &options() const { return m_options; }

private:
    unsigned char indexOf(const QString &text) const;
    QString optionAt(unsigned char index) const;

    QStringList m_options;
    unsigned char m_nValue = 0;
    unsigned char m_nReply = 0;
};
