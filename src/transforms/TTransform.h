#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CAttributes;
class HNode;

// One parameter value of one binding, in the form a control works with and as
// the text the control protocol carries. Controls bound to the same node and
// binding share one transform, counted by use. Every operation has a neutral
// default; the kinds override what they convert.
class TTransform : public QObject
{
    Q_OBJECT

public:
    TTransform();
    ~TTransform() override;

    // ---- binding
    CAttributes *attributes() const { return m_pAttributes; }
    void setAttributes(CAttributes *pAttributes) { m_pAttributes = pAttributes; }
    HNode *node() const;
    void setNode(HNode *pNode);

    // ---- chain of linked controls
    TTransform *next() const { return m_pNext; }
    void setNext(TTransform *pNext) { m_pNext = pNext; }
    TTransform *head() const;
    void setHead(TTransform *pHead) { m_pHead = pHead; }
    // The first transform of the chain: head pointers followed to one that points at itself.
    TTransform *chainHead() const;
    // Mode 0: follow the control named by the "link" attribute; mode 1: point
    // the follower at this chain's head.
    void linkNext(int mode);
    void dumpChain() const;

    // ---- indexes that address the parameter
    int firstIndex() const;
    int secondIndex() const;
    int thirdIndex() const;
    int fourthIndex() const;
    void setIndexes(int first, int second, int third);
    int thirdValue() const { return m_nThirdValue; }
    void setThirdIndex(int index) { m_nThirdIndex = index; }
    void setFourthIndex(int index) { m_nFourthIndex = index; }

    // ---- the indexes read from the latest reply's name part (-1: none)
    int replyFirstIndex() const { return m_nReplyFirstIndex; }
    int replySecondIndex() const { return m_nReplySecondIndex; }
    void setReplyIndexes(int first, int second);

    // ---- meter point
    const QString &meterChannelName() const { return m_sMeterChannelName; }
    void setMeterChannelName(const QString &name) { m_sMeterChannelName = name; }
    int meterChannelIndex() const { return m_nMeterChannelIndex; }
    void setMeterChannelIndex(int index) { m_nMeterChannelIndex = index; }
    int meterIndexOffset() const { return m_nMeterIndexOffset; }
    void setMeterIndexOffset(int offset) { m_nMeterIndexOffset = offset; }
    // The network-audio channel of a multi-channel meter reply.
    int danteChannel() const { return m_nMeterChannelIndex + m_nMeterIndexOffset; }

    // ---- sharing and polling
    int useCount() const { return m_nUseCount; }
    int addUse() { return ++m_nUseCount; }
    int releaseUse();
    // Set at creation, cleared when the last control lets the transform go.
    bool isLive() const { return m_bLive; }
    void setLive(bool live) { m_bLive = live; }
    int pollDivider() const { return m_nPollDivider; }
    void setPollDivider(int divider);

    // ---- conversions (neutral here)
    virtual void configure();
    virtual void setValue(unsigned int value);
    virtual void setValue(float value);
    virtual void setValue(unsigned char value);
    virtual void setValueText(const QString &text);
    virtual void setReplyText(const QString &text);
    // The getters return the value and store it in the argument; a kind that
    // has no such form leaves the argument unchanged.
    virtual unsigned int value(unsigned int &value) const;
    virtual float value(float &value) const;
    virtual unsigned char value(unsigned char &value) const;
    virtual QString valueText() const;
    virtual int replyValue(int &value) const;
    virtual float replyValue(float &value) const;
    virtual unsigned char replyValue(unsigned char &value) const;
    virtual QString replyText() const;
    virtual void deliverReply(const QString &text);
    virtual QString displayText() const;
    virtual void setDisplayValue(float value);
    virtual bool pollDue();
    virtual QString sourceText() const;
    virtual int valueLength() const;
    virtual QString typeName() const;

signals:
    void replyValueReady();

private:
    CAttributes *m_pAttributes = nullptr;
    QPointer<HNode> m_pNode;
    QPointer<TTransform> m_pNext;
    QPointer<TTransform> m_pHead;
    int m_nFirstIndex = -1;
    int m_nSecondIndex = -1;
    int m_nThirdValue = 0;
    int m_nPollCountdown = 0;
    int m_nPollDivider = 4;
    int m_nThirdIndex = -1;
    int m_nFourthIndex = -1;
    int m_nUseCount = 0;
    int m_nReplyFirstIndex = -1;
    int m_nReplySecondIndex = -1;
    bool m_bLive = true;
    QString m_sMeterChannelName;
    int m_nMeterChannelIndex = -1;
    int m_nMeterIndexOffset = 0;
};
