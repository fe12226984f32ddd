#include "transforms/TOptionList.h"

unsigned char TOptionList::indexOf(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const qsizetype index = m_options.indexOf(text);
    return index < 0 ? 0 : static_cast<unsigned char>(index);
}

void TOptionList::setValue(unsigned char value)
{
    m_nValue = value;
}

void TOptionList::setValueText(const QString &text)
{
    m_nValue = indexOf(text);
}

void TOptionList::setReplyText(const QString &text)
{
    m_nReply = indexOf(text);
    emit replyValueReady();
}

unsigned char TOptionList::value(unsigned char &value) const
{
    value = m_nValue;
    return value;
}

unsigned char TOptionList::replyValue(unsigned char &value) const
{
    value = m_nReply;
    return value;
}
