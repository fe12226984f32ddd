#include "transforms/TStrL.h"

#include "model/CAttributes.h"

void TStrL::configure()
{
    m_options.clear();
    if (!attributes())
        return;
    // Sections up to the first empty one.
    for (const QString &section : attributes()->set().split(QLatin1Char(','))) {
        if (section.isEmpty() || m_options.size() == Slots)
            break;
        m_options.append(section);
    }
}

unsigned char TStrL::indexOf(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const qsizetype index = m_options.indexOf(text);
    return index < 0 ? 0 : static_cast<unsigned char>(index);
}

QString TStrL::optionAt(unsigned char index) const
{
    if (index >= Slots)
        return QStringLiteral("?");
    // Slots past the configured options are empty.
    return m_options.value(index);
}

void TStrL::setValue(unsigned char value)
{
    m_nValue = value;
}

void TStrL::setValueText(const QString &text)
{
    m_nValue = indexOf(text);
}

void TStrL::setReplyText(const QString &text)
{
    m_nReply = indexOf(text);
    emit replyValueReady();
}

unsigned char TStrL::value(unsigned char &value) const
{
    value = m_nValue;
    return value;
}

unsigned char TStrL::replyValue(unsigned char &value) const
{
    value = m_nReply;
    return value;
}
