#include "model/CAttributes.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

namespace {

qint32 toInt32(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

// Non-zero decimal that fits 32 bits unsigned.
bool toFlag(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    return ok && value != 0;
}

} // namespace

CAttributes::CAttributes()
    : m_nIndex1(0)
    , m_nIndex2(0)
    , m_uLink(0)
    , m_fMinimum(0.0f)
    , m_fMinLimit(-40.0f)
    , m_fMaximum(0.0f)
    , m_fMaxLimit(0.0f)
    , m_fStep(0.0f)
    , m_nFractionDigits(0)
    , m_uField(0)
    , m_uStruct(0)
    , m_nCardPin(-1)
    , m_bEnableEdit(true)
    , m_pOwner(nullptr)
    , m_bSetAction(false)
    , m_bResetAction(false)
    , m_bDoNotPoll(false)
{
}

CAttributes::~CAttributes() = default;

quint32 CAttributes::parseNumber(const QString &text, bool *ok)
{
    bool parsed = false;
    quint32 value = 0;
    if (text.startsWith(QLatin1String("0x")))
        value = text.mid(2).toUInt(&parsed, 16);
    else
        value = text.toUInt(&parsed, 10);
    if (ok)
        *ok = parsed;
    return parsed ? value : 0;
}

bool CAttributes::setAttribute(const QString &element, const QString &name, const QString &value)
{
    // The first attribute decides whether the record is a list or a range.
    if (m_sAttributeType.isEmpty())
        m_sAttributeType = element;

    if (name == QLatin1String("index1"))
        m_nIndex1 = toInt32(value);
    else if (name == QLatin1String("index2"))
        m_nIndex2 = toInt32(value);
    else if (name == QLatin1String("link"))
        m_uLink = parseNumber(value);
    else if (name == QLatin1String("set"))
        m_sSet = value;
    else if (name == QLatin1String("format"))
        m_sFormat = value;
    else if (name == QLatin1String("units"))
        m_sUnits = value;
    else if (name == QLatin1String("minimum"))
        m_fMinimum = UNumbers::finiteFloat(value);
    else if (name == QLatin1String("maximum"))
        m_fMaximum = UNumbers::finiteFloat(value);
    else if (name == QLatin1String("step"))
        m_fStep = UNumbers::finiteFloat(value);
    else if (name == QLatin1String("transform"))
        m_sTransform = value;
    else if (name == QLatin1String("field"))
        m_uField = parseNumber(value);
    else if (name == QLatin1String("struct"))
        m_uStruct = parseNumber(value);
    else if (name == QLatin1String("minLimit"))
        m_fMinLimit = UNumbers::finiteFloat(value);
    else if (name == QLatin1String("maxLimit"))
        m_fMaxLimit = UNumbers::finiteFloat(value);
    else if (name == QLatin1String("enableEdit"))
        m_bEnableEdit = toFlag(value);
    else if (name == QLatin1String("channelLabel"))
        setChannelLabel(value);
    else if (name == QLatin1String("cardPin"))
        setCardPin(value);
    else if (name == QLatin1String("callType"))
        m_sCallType = value;
    else if (name == QLatin1String("action")) {
        // Neither flag is ever cleared.
        if (value == QLatin1String("SET"))
            m_bSetAction = true;
        else if (value == QLatin1String("RESET"))
            m_bResetAction = true;
    } else if (name == QLatin1String("doNotPoll"))
        m_bDoNotPoll = toFlag(value);
    return true;
}

void CAttributes::setChannelLabel(const QString &text)
{
    if (text.size() > 1) {
        m_sChannelLabel = text;
        return;
    }
    if (HNode *node = ownerNode())
        m_sChannelLabel = node->channelLabel(m_nIndex1 - 1);
}

void CAttributes::setCardPin(const QString &text)
{
    const qint32 pin = toInt32(text);
    if (pin >= 0) {
        m_nCardPin = pin;
        return;
    }
    // A negative pin stands for the node's own pin of channel index1 - 1.
    if (HNode *node = ownerNode())
        m_nCardPin = node->channelNumber(m_nIndex1 - 1);
}

void CAttributes::updateFractionDigits()
{
    const int point = m_sFormat.indexOf(QLatin1Char('.'));
    m_nFractionDigits = point < 0 ? 0 : int(m_sFormat.size() - point - 1);
}

void CAttributes::setFractionDigits(int digits)
{
    m_nFractionDigits = digits;
    if (TTransform *transform = ownerTransform())
        configureTransform(transform);
}

int CAttributes::setIndex1IfUnset(int index)
{
    const int former = m_nIndex1;
    if (m_nIndex1 == 0)
        m_nIndex1 = index;
    return former;
}

int CAttributes::setIndex2(int index)
{
    const int former = m_nIndex2;
    m_nIndex2 = index;
    return former;
}

bool CAttributes::writeXml(XmlWriter *writer) const
{
    if (!writer)
        return false;
    if (m_sAttributeType == QLatin1String("list"))
        writeList(writer);
    else if (m_sAttributeType == QLatin1String("range"))
        writeRange(writer);
    else
        return false;
    return true;
}

void CAttributes::writeIndexes(XmlWriter *writer) const
{
    if (m_nIndex1 > 0)
        writer->writeIntElement(QStringLiteral("index1"), m_nIndex1);
    if (m_nIndex2 > 0)
        writer->writeIntElement(QStringLiteral("index2"), m_nIndex2);
    if (m_uStruct != 0)
        writer->writeUIntElement(QStringLiteral("struct"), m_uStruct);
    writer->writeIntElement(QStringLiteral("enableEdit"), m_bEnableEdit ? 1 : 0);
}

void CAttributes::writeList(XmlWriter *writer) const
{
    const QString element = QStringLiteral("list");
    writer->writeStartElement(element);
    writeIndexes(writer);
    writer->writeTextElement(QStringLiteral("set"), m_sSet);
    writer->writeTextElement(QStringLiteral("format"), m_sFormat);
    writer->writeTextElement(QStringLiteral("transform"), m_sTransform);
    if (!m_sChannelLabel.isEmpty())
        writer->writeTextElement(QStringLiteral("channelLabel"), m_sChannelLabel);
    writer->writeIntElement(QStringLiteral("cardPin"), m_nCardPin);
    if (m_bSetAction)
        writer->writeTextElement(QStringLiteral("action"), QStringLiteral("SET"));
    else if (m_bResetAction)
        writer->writeTextElement(QStringLiteral("action"), QStringLiteral("RESET"));
    if (m_bDoNotPoll)
        writer->writeIntElement(QStringLiteral("doNotPoll"), 1);
    writer->writeEndElement(element);
}

void CAttributes::writeRange(XmlWriter *writer) const
{
    const QString element = QStringLiteral("range");
    writer->writeStartElement(element);
    writeIndexes(writer);
    writer->writeFloatElement(QStringLiteral("minimum"), m_fMinimum);
    writer->writeFloatElement(QStringLiteral("minLimit"), m_fMinLimit);
    writer->writeFloatElement(QStringLiteral("maximum"), m_fMaximum);
    writer->writeFloatElement(QStringLiteral("maxLimit"), m_fMaxLimit);
    writer->writeFloatElement(QStringLiteral("step"), m_fStep);
    writer->writeTextElement(QStringLiteral("units"), m_sUnits);
    writer->writeTextElement(QStringLiteral("format"), m_sFormat);
    writer->writeTextElement(QStringLiteral("transform"), m_sTransform);
    if (!m_sChannelLabel.isEmpty())
        writer->writeTextElement(QStringLiteral("channelLabel"), m_sChannelLabel);
    writer->writeIntElement(QStringLiteral("cardPin"), m_nCardPin);
    if (!m_sSet.isEmpty())
        writer->writeTextElement(QStringLiteral("set"), m_sSet);
    if (!m_sCallType.isEmpty())
        writer->writeTextElement(QStringLiteral("callType"), m_sCallType);
    writer->writeEndElement(element);
}

// ---- Lookups through the owning control.

HNode *CAttributes::ownerNode() const
{
    return m_pOwner ? m_pOwner->node() : nullptr;
}

TTransform *CAttributes::ownerTransform() const
{
    return m_pOwner ? m_pOwner->transform() : nullptr;
}

void CAttributes::configureTransform(TTransform *transform)
{
    transform->configure();
}

// The transform of the element, anywhere in the owner's document, whose id is "link".
TTransform *CAttributes::linkedTransform() const
{
    if (!m_pOwner || m_uLink == 0)
        return nullptr;
    CControl *linked = m_pOwner->root()->findById(qint32(m_uLink));
    return linked ? linked->transform() : nullptr;
}
