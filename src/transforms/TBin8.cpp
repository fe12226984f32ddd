#include "transforms/TBin8.h"

#include "hardware/HNode.h"

void TBin8::setValue(unsigned int value)
{
    m_nValue = int(value);
}

void TBin8::setValue(unsigned char value)
{
    m_nValue = value;
}

int TBin8::parseNumber(const QString &text)
{
    bool ok = false;
    const qlonglong number = text.startsWith(QLatin1String("0x"))
                                 ? text.mid(2).toLongLong(&ok, 16)
                                 : text.toLongLong(&ok, 10);
    if (!ok || number < -32768 || number > 32767)
        return 0;
    return int(number);
}

void TBin8::setValueText(const QString &text)
{
    if (!text.isEmpty())
        m_nValue = parseNumber(text);
}

void TBin8::setReplyText(const QString &text)
{
    if (text.isEmpty())
        return;
    m_nReply = parseNumber(text);
    emit replyValueReady();
}

void TBin8::deliverReply(const QString &text)
{
    setReplyText(text);
}

unsigned int TBin8::value(unsigned int &value) const
{
    value = unsigned(m_nValue);
    return value;
}

unsigned char TBin8::value(unsigned char &value) const
{
    value = static_cast<unsigned char>(m_nValue);
    return value;
}

QString TBin8::valueText() const
{
    const HNode *pNode = node();
    if (m_nValue == 0 && pNode && pNode->zeroIsNone())
        return QStringLiteral("N");
    return QString::number(m_nValue);
}

int TBin8::replyValue(int &value) const
{
    value = m_nReply;
    return value;
}

unsigned char TBin8::replyValue(unsigned char &value) const
{
    value = static_cast<unsigned char>(m_nReply);
    return value;
}

QString TBin8::replyText() const
{
    return QString::number(m_nReply);
}
