#pragma once

#include "transforms/TTransform.h"

// Plain text, unconverted ("text").
class TText : public TTransform
{
    Q_OBJECT

public:
    void setValueText(const QString &text) override { m_sValue = text; }
    void setReplyText(const QString &text) override;
    void deliverReply(const QString &text) override;
    QString valueText() const override { return m_sValue; }
    QString replyText() const override { return m_sReply; }
    int valueLength() const override { return int(m_sValue.size()); }
    QString typeName() const override { return QStringLiteral("Text"); }

private:
    QString m_sValue;
    QString m_sReply;
};
