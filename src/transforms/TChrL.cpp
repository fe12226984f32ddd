#include "transforms/TChrL.h"

#include "model/CAttributes.h"

void TChrL::configure()
{
    m_options = attributes() ? attributes()->set().split(QLatin1Char(',')) : QStringList();
    if (m_options.size() > MaxOptions)
        m_options = m_options.mid(0, MaxOptions);
}

unsigned char TChrL::indexOf(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const qsizetype index = m_options.indexOf(text);
    return index < 0 ? 0 : static_cast<unsigned char>(index);
}

QString TChrL::optionAt(unsigned char index) const
{
    return index < m_options.size() ? m_options.at(index) : QStringLiteral("?");
}

void TChrL::setValue(unsigned char value)
{
    m_nValue = value;
}

void TChrL::setValueText(const QString &text)
{
    m_nValue = indexOf(text);
}

void TChrL::setReplyText(const QString &text)
{
    m_nReply = indexOf(text);
    emit replyValueReady();
}

void TChrL::deliverReply(const QString &text)
{
    setReplyText(text);
}

unsigned char TChrL::value(unsigned char &value) const
{
    value = m_nValue;
    return value;
}

unsigned char TChrL::replyValue(unsigned char &value) const
{
    value = m_nReply;
    return value;
}
