#include "transforms/TTransform.h"

#include "hardware/HNode.h"
#include "model/CAttributes.h"
#include "utility/LogCategories.h"

#include <QDebug>

TTransform::TTransform()
    : m_pHead(this)
{
}

TTransform::~TTransform() = default;

HNode *TTransform::node() const
{
    return m_pNode.data();
}

void TTransform::setNode(HNode *pNode)
{
    m_pNode = pNode;
}

TTransform *TTransform::head() const
{
    return m_pHead ? m_pHead.data() : const_cast<TTransform *>(this);
}

TTransform *TTransform::chainHead() const
{
    // A chain is short; the bound only keeps a malformed cycle from hanging.
    TTransform *pCurrent = const_cast<TTransform *>(this);
    for (int step = 0; step < 1000; ++step) {
        TTransform *pHead = pCurrent->head();
        if (pHead == pCurrent)
            return pCurrent;
        pCurrent = pHead;
    }
    return pCurrent;
}

void TTransform::linkNext(int mode)
{
    if (mode == 0) {
        m_pNext = m_pAttributes ? m_pAttributes->linkedTransform() : nullptr;
        if (m_pNext && m_pNext != this)
            m_pNext->setHead(this);
    } else if (mode == 1) {
        if (m_pNext && m_pNext != this)
            m_pNext->setHead(chainHead());
    }
}

void TTransform::dumpChain() const
{
    const TTransform *pCurrent = this;
    for (int step = 0; pCurrent && step < 1000; ++step) {
        qCDebug(lcTransforms) << pCurrent << pCurrent->typeName() << pCurrent->valueText();
        pCurrent = pCurrent->next();
        if (pCurrent == this)
            break;
    }
}

int TTransform::firstIndex() const
{
    if (m_nFirstIndex >= 0)
        return m_nFirstIndex;
    return m_pAttributes ? m_pAttributes->index1() : 0;
}

int TTransform::secondIndex() const
{
    if (m_nSecondIndex >= 0)
        return m_nSecondIndex;
    return m_pAttributes ? m_pAttributes->index2() : 0;
}

int TTransform::thirdIndex() const
{
    if (m_nThirdIndex >= 0)
        return m_nThirdIndex;
    return m_pAttributes ? m_pAttributes->index1() : 0;
}

int TTransform::fourthIndex() const
{
    if (m_nFourthIndex >= 0)
        return m_nFourthIndex;
    return m_pAttributes ? m_pAttributes->index2() : 0;
}

void TTransform::setIndexes(int first, int second, int third)
{
    m_nFirstIndex = first;
    m_nSecondIndex = second;
    m_nThirdValue = third;
}

void TTransform::setReplyIndexes(int first, int second)
{
    m_nReplyFirstIndex = first;
    m_nReplySecondIndex = second;
}

int TTransform::releaseUse()
{
    if (m_nUseCount > 0)
        --m_nUseCount;
    return m_nUseCount;
}

void TTransform::setPollDivider(int divider)
{
    m_nPollDivider = divider;
    m_nPollCountdown = 0;
}

void TTransform::configure()
{
}

void TTransform::setValue(unsigned int)
{
}

void TTransform::setValue(float)
{
}

void TTransform::setValue(unsigned char)
{
}

void TTransform::setValueText(const QString &)
{
}

void TTransform::setReplyText(const QString &)
{
}

unsigned int TTransform::value(unsigned int &value) const
{
    return value;
}

float TTransform::value(float &value) const
{
    return value;
}

unsigned char TTransform::value(unsigned char &value) const
{
    return value;
}

QString TTransform::valueText() const
{
    return QString();
}

int TTransform::replyValue(int &value) const
{
    return value;
}

float TTransform::replyValue(float &value) const
{
    return value;
}

unsigned char TTransform::replyValue(unsigned char &value) const
{
    return value;
}

QString TTransform::replyText() const
{
    return QString();
}

void TTransform::deliverReply(const QString &)
{
}

QString TTransform::displayText() const
{
    return QString();
}

void TTransform::setDisplayValue(float)
{
}

bool TTransform::pollDue()
{
    const int taken = m_nPollCountdown--;
    if (taken >= 2)
        return false;
    m_nPollCountdown = m_nPollDivider;
    return true;
}

QString TTransform::sourceText() const
{
    return QString();
}

int TTransform::valueLength() const
{
    return 0;
}

QString TTransform::typeName() const
{
    return QStringLiteral("TTransform");
}
