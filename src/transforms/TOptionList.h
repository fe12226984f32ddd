#pragma once

#include "transforms/TTransform.h"

#include <QStringList>

// A one-byte index into a list of option texts taken from the binding's "set".
// The kinds differ in how they read the list and what an index past it shows.
class TOptionList : public TTransform
{
    Q_OBJECT

public:
    using TTransform::replyValue;
    using TTransform::setValue;
    using TTransform::value;

    void setValue(unsigned char value) override;
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    unsigned char value(unsigned char &value) const override;
    unsigned char replyValue(unsigned char &value) const override;
    QString valueText() const override { return optionAt(m_nValue); }
    QString replyText() const override { return optionAt(m_nReply); }
    int valueLength() const override { return 1; }

    const QStringList &options() const { return m_options; }

protected:
    virtual QString optionAt(unsigned char index) const = 0;

    QStringList m_options;

private:
    unsigned char indexOf(const QString &text) const;

    unsigned char m_nValue = 0;
    unsigned char m_nReply = 0;
};
