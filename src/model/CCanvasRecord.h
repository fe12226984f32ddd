#pragma once

#include <QString>

class QByteArray;

// One target device: name, screen diagonal in inches, aspect ratio (long side
// over short side) and the ratio as shown, such as "16:9".
class CCanvasRecord
{
public:
    CCanvasRecord();
    virtual ~CCanvasRecord();

    // One line of a device table: name, diagonal, aspect and ratio text
    // separated by TAB, ended by a line feed.
    void parseLine(const QByteArray &line);
    // A text without ":" is taken as "text:1".
    void setAspectText(const QString &text);
    // Cuts the text before the first separator off the front of text; empty
    // (text unchanged) when the separator is missing or leads the text.
    static QString takeField(QString &text, QChar separator);

    // Name, size and aspect (not the ratio text).
    void assign(const CCanvasRecord &other);
    void dump() const;

    const QString &name() const { return m_sName; }
    float size() const { return m_fSize; }
    float aspect() const { return m_fAspect; }
    const QString &aspectText() const { return m_sAspectText; }
    void setName(const QString &name) { m_sName = name; }
    void setSize(float size) { m_fSize = size; }
    void setAspect(float aspect) { m_fAspect = aspect; }

private:
    QString m_sName;
    float m_fSize;
    float m_fAspect;
    QString m_sAspectText;
};
