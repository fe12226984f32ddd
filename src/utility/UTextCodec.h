#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Windows-1252: protocol text and the design file's own encoding. Every byte
// decodes to one character (the five bytes the code page leaves open keep
// their own code), so decoding and encoding give the bytes back unchanged.
class UTextCodec
{
public:
    // False, with bytes left empty, when a character has no byte.
    static bool encode(const QString &text, QByteArray *pBytes);
    static QString decode(const QByteArray &bytes);
    static QChar decodeByte(unsigned char byte);
    static bool encodeChar(QChar c, char *pByte);
};
