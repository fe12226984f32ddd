#pragma once

#include <QString>

class CControl;
class HNode;
class TTransform;
class XmlWriter;

// The binding attributes of one panel control: which value of the bound node
// it addresses, how that value is shown and limited, which transform converts
// it, and a few behaviour switches. Read from a "list" or "range" element.
class CAttributes
{
public:
    CAttributes();
    virtual ~CAttributes();

    // Stores one attribute read from a file; unknown names are ignored and
    // unreadable values take their fallback, so this is always true.
    bool setAttribute(const QString &element, const QString &name, const QString &value);
    // Writes a "list" or "range" element; false (and nothing written) for any
    // other attribute type or without a writer.
    bool writeXml(XmlWriter *writer) const;

    // Digits after the first "." of the format.
    void updateFractionDigits();
    // Stores the digits and has the owner's transform configure itself again.
    void setFractionDigits(int digits);
    // The transform of the element whose id is the "link" attribute.
    TTransform *linkedTransform() const;
    // Sets index1 only while it is 0; returns the former index1.
    int setIndex1IfUnset(int index);
    // Returns the former index2.
    int setIndex2(int index);
    // Labels of two or more characters are kept; a shorter one asks the
    // owner's node for the label of channel index1 - 1.
    void setChannelLabel(const QString &text);

    // "0x" + hexadecimal, or decimal; unsigned 32 bits, else 0.
    static quint32 parseNumber(const QString &text, bool *ok = nullptr);

    CControl *owner() const { return m_pOwner; }
    void setOwner(CControl *owner) { m_pOwner = owner; }

    const QString &attributeType() const { return m_sAttributeType; }
    qint32 index1() const { return m_nIndex1; }
    qint32 index2() const { return m_nIndex2; }
    quint32 link() const { return m_uLink; }
    // The value texts of a list, such as "F,O".
    const QString &set() const { return m_sSet; }
    const QString &format() const { return m_sFormat; }
    // The transform type name.
    const QString &transform() const { return m_sTransform; }
    const QString &units() const { return m_sUnits; }
    float minimum() const { return m_fMinimum; }
    float minLimit() const { return m_fMinLimit; }
    float maximum() const { return m_fMaximum; }
    float maxLimit() const { return m_fMaxLimit; }
    float step() const { return m_fStep; }
    qint32 fractionDigits() const { return m_nFractionDigits; }
    quint32 field() const { return m_uField; }
    // The protocol command form ("struct").
    quint32 structType() const { return m_uStruct; }
    const QString &channelLabel() const { return m_sChannelLabel; }
    qint32 cardPin() const { return m_nCardPin; }
    const QString &callType() const { return m_sCallType; }
    bool enableEdit() const { return m_bEnableEdit; }
    bool isSetAction() const { return m_bSetAction; }
    bool isResetAction() const { return m_bResetAction; }
    bool doNotPoll() const { return m_bDoNotPoll; }

    // Values a fader stores back.
    void setUnits(const QString &units) { m_sUnits = units; }
    void setMinimum(float value) { m_fMinimum = value; }
    void setMaximum(float value) { m_fMaximum = value; }
    void setMinLimit(float value) { m_fMinLimit = value; }
    void setMaxLimit(float value) { m_fMaxLimit = value; }
    void setStep(float value) { m_fStep = value; }

private:
    void setCardPin(const QString &text);
    void writeList(XmlWriter *writer) const;
    void writeRange(XmlWriter *writer) const;
    void writeIndexes(XmlWriter *writer) const;

    // Lookups through the owning control; each yields nothing until the
    // control and its transform are wired in.
    HNode *ownerNode() const;
    TTransform *ownerTransform() const;
    static void configureTransform(TTransform *transform);

    QString m_sAttributeType;
    qint32 m_nIndex1;
    qint32 m_nIndex2;
    quint32 m_uLink;
    QString m_sSet;
    QString m_sFormat;
    QString m_sTransform;
    QString m_sUnits;
    float m_fMinimum;
    float m_fMinLimit;
    float m_fMaximum;
    float m_fMaxLimit;
    float m_fStep;
    qint32 m_nFractionDigits;
    quint32 m_uField;
    quint32 m_uStruct;
    QString m_sChannelLabel;
    qint32 m_nCardPin;
    QString m_sCallType;
    bool m_bEnableEdit;
    CControl *m_pOwner;
    bool m_bSetAction;
    bool m_bResetAction;
    bool m_bDoNotPoll;
};
