#include "transforms/TChrL.h"

#include "model/CAttributes.h"

void TChrL::configure()
{
    m_options = attributes() ? attributes()->set().split(QLatin1Char(',')) : QStringList();
    if (m_options.size() > MaxOptions)
        m_options = m_options.mid(0, MaxOptions);
}

QString TChrL::optionAt(unsigned char index) const
{
    return index < m_options.size() ? m_options.at(index) : QStringLiteral("?");
}

void TChrL::deliverReply(const QString &text)
{
    setReplyText(text);
}
