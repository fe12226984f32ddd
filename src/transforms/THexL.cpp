#include "transforms/THexL.h"

#include "model/CAttributes.h"
#include "utility/UTextCodec.h"

void THexL::configure()
{
    m_bytes.clear();
    if (!attributes())
        return;
    for (const QString &section : attributes()->set().split(QLatin1Char(','))) {
        if (section.isEmpty() || m_bytes.size() == Slots)
            break;
        bool ok = false;
        const uint number = section.toUInt(&ok, 16);
        m_bytes.append(ok ? static_cast<unsigned char>(number) : 0);
    }
}

QString THexL::byteText(unsigned char index) const
{
    if (index >= Slots)
        return QStringLiteral("?");
    // Slots past the configured values hold 0. The character is the byte's own
    // in the protocol's code page, so the byte goes out unchanged.
    return QString(UTextCodec::decodeByte(m_bytes.value(index, 0)));
}

void THexL::setValue(unsigned char value)
{
    m_nValue = value;
}

unsigned char THexL::value(unsigned char &value) const
{
    value = m_nValue;
    return value;
}

unsigned char THexL::replyValue(unsigned char &value) const
{
    value = m_nReply;
    return value;
}
