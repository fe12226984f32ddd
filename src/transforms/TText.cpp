#include "transforms/TText.h"

void TText::setReplyText(const QString &text)
{
    m_sReply = text;
    emit replyValueReady();
}

void TText::deliverReply(const QString &text)
{
    setReplyText(text);
}
