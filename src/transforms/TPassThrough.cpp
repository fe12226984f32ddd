#include "transforms/TPassThrough.h"

#include "hardware/HNode.h"

void TPassThrough::setReplyText(const QString &text)
{
    if (HNode *pNode = node())
        pNode->processResponse(text);
}

QString TPassThrough::replyText() const
{
    HNode *pNode = node();
    return pNode ? pNode->replyText() : QString();
}

QString TPassThrough::sourceText() const
{
    HNode *pNode = node();
    return pNode ? pNode->queryCommand() : QString();
}

bool TPassThrough::pollDue()
{
    if (!TTransform::pollDue())
        return false;
    HNode *pNode = node();
    return !pNode || !pNode->isQueryPending();
}
