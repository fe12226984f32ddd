#include "transforms/TStrV.h"

#include "model/CAttributes.h"

void TStrV::configure()
{
    const CAttributes *pAttributes = attributes();
    m_nDecimals = pAttributes ? qMax(0, int(pAttributes->fractionDigits())) : 0;
    m_bPercent = pAttributes && pAttributes->units() == QLatin1String("pct");
}

void TStrV::setValue(unsigned int value)
{
    m_sValue = QString::number(value);
}

void TStrV::setValue(float value)
{
    m_sValue = QString::number(double(value), 'f', 1);
}

void TStrV::setValue(unsigned char value)
{
    m_sValue = QString::number(value);
}

void TStrV::setValueText(const QString &text)
{
    m_sValue = text;
}

void TStrV::setReplyText(const QString &text)
{
    m_sReply = text;
    emit replyValueReady();
}

void TStrV::deliverReply(const QString &text)
{
    setReplyText(text);
}

int TStrV::readInt(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? number : 0;
}

float TStrV::readFloat(const QString &text)
{
    bool ok = false;
    const float number = text.toFloat(&ok);
    return ok ? number : 0.0f;
}

unsigned char TStrV::readByte(const QString &text)
{
    bool ok = false;
    const uint number = text.toUInt(&ok, 10);
    return ok ? static_cast<unsigned char>(number) : 0;
}

unsigned int TStrV::value(unsigned int &value) const
{
    value = unsigned(readInt(m_sValue));
    return value;
}

float TStrV::value(float &value) const
{
    value = readFloat(m_sValue);
    return value;
}

unsigned char TStrV::value(unsigned char &value) const
{
    value = readByte(m_sValue);
    return value;
}

int TStrV::replyValue(int &value) const
{
    value = readInt(m_sReply);
    return value;
}

float TStrV::replyValue(float &value) const
{
    value = readFloat(m_sReply);
    return value;
}

unsigned char TStrV::replyValue(unsigned char &value) const
{
    value = readByte(m_sReply);
    return value;
}

QString TStrV::displayText() const
{
    return m_bPercent ? m_sDisplay + QLatin1Char('%') : m_sDisplay;
}

void TStrV::setDisplayValue(float value)
{
    m_sDisplay = QString::number(double(value), 'f', m_nDecimals);
}
