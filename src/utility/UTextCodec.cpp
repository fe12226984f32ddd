#include "utility/UTextCodec.h"

namespace {
// Characters of the bytes 0x80 to 0x9F; the open ones keep their own code.
const char16_t HighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

QChar UTextCodec::decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(HighTable[byte - 0x80]);
    return QChar(char16_t(byte));
}

bool UTextCodec::encodeChar(QChar c, char *pByte)
{
    const char16_t code = c.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        *pByte = char(code);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (HighTable[i] == code) {
            *pByte = char(0x80 + i);
            return true;
        }
    }
    return false;
}

bool UTextCodec::encode(const QString &text, QByteArray *pBytes)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        char byte = 0;
        if (!encodeChar(c, &byte)) {
            pBytes->clear();
            return false;
        }
        bytes.append(byte);
    }
    *pBytes = bytes;
    return true;
}

QString UTextCodec::decode(const QByteArray &bytes)
{
    // Written in place: whole design files go through here.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *pOut = text.data();
    for (const char byte : bytes)
        *pOut++ = decodeByte(static_cast<unsigned char>(byte));
    return text;
}
