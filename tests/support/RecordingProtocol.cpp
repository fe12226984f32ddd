#include "support/RecordingProtocol.h"

#include "transforms/TTransform.h"

RecordingProtocol::RecordingProtocol(const QString &name, QObject *parent)
    : PProtocol(parent)
    , m_sName(name)
{
}

bool RecordingProtocol::onReceive(const QByteArray &bytes)
{
    m_lReceived.append(bytes);
    return true;
}

void RecordingProtocol::onReplyTimeout(const QString &prefix)
{
    m_lTimeouts.append(prefix);
}

bool RecordingProtocol::sendValue(TTransform *pTransform)
{
    m_lSentValues.append(pTransform);
    m_lSentTexts.append(pTransform ? pTransform->valueText() : QString());
    unsigned char byte = 0;
    m_lSentBytes.append(pTransform ? int(pTransform->value(byte)) : -1);
    m_lSentThirdIndexes.append(pTransform ? pTransform->thirdIndex() : -1);
    return true;
}

bool RecordingProtocol::requestValue(TTransform *pTransform)
{
    m_lRequestedValues.append(pTransform);
    m_lRequestedSecondIndexes.append(pTransform ? pTransform->secondIndex() : -1);
    return true;
}

void RecordingProtocol::clear()
{
    m_lSentValues.clear();
    m_lSentTexts.clear();
    m_lSentBytes.clear();
    m_lSentThirdIndexes.clear();
    m_lRequestedSecondIndexes.clear();
    m_lRequestedValues.clear();
    m_lMeterRequests.clear();
    m_lReceived.clear();
    m_lTimeouts.clear();
    m_lOnlineChanges.clear();
    m_nResets = 0;
}
