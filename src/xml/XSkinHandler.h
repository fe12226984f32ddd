#pragma once

#include <QString>
#include <QXmlDefaultHandler>

class QObject;

// Reads one skin file: every value of its "string" section becomes a
// property of the target object, named after the value's element.
class XSkinHandler : public QXmlDefaultHandler
{
public:
    // Longest property name taken; longer names are skipped.
    static constexpr int MaxPropertyNameLength = 63;

    explicit XSkinHandler(QObject *target);
    ~XSkinHandler() override;

    bool startDocument() override;
    bool endDocument() override;
    bool startElement(const QString &namespaceURI, const QString &localName,
                      const QString &qName, const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    bool processingInstruction(const QString &target, const QString &data) override;
    bool fatalError(const QXmlParseException &exception) override;

private:
    enum : int { OutsideSkin = 0, InSkin = 1, InSection = 2 };

    void setValue(const QString &text);

    QObject *m_pTarget;
    QString m_sSection;
    QString m_sProperty;
    // Text of the open property so far (a parser may deliver it in pieces).
    QString m_sValue;
    int m_nState;
};
