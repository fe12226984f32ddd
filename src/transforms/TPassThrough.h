#pragma once

#include "transforms/TTransform.h"

// The bound node speaks for itself ("passThrough"): a room-combining node
// gives the query to poll, takes the replies and keeps the reply text; the
// value text is a ready command, sent unchanged.
class TPassThrough : public TTransform
{
    Q_OBJECT

public:
    void setValueText(const QString &text) override { m_sValue = text; }
    QString valueText() const override { return m_sValue; }
    void setReplyText(const QString &text) override;
    QString replyText() const override;
    QString sourceText() const override;
    bool pollDue() override;
    QString typeName() const override { return QStringLiteral("PassThrough"); }

private:
    QString m_sValue;
};
