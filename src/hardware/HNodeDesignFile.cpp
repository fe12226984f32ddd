#include "hardware/HNode.h"

#include <QXmlAttributes>

// ---------------------------------------------------------------- design file

void HNode::parseAttributes(const QXmlAttributes &attributes)
{
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));

    if (name == QLatin1String("title"))
        m_sTitle = value;
    else if (name == QLatin1String("label"))
        m_sLabel = value;
    else if (name == QLatin1String("scriptFile"))
        m_sScriptFile = value;
    else if (name == QLatin1String("module"))
        m_nModule = value.toInt();
    else if (name == QLatin1String("channel"))
        m_nChannel = value.toInt();
    else if (name == QLatin1String("actionCount") || name == QLatin1String("controlCount"))
        parseCountProperty(name, value);
    else if (name == QLatin1String("index"))
        m_nIndex = value.toInt();
    else if (name == QLatin1String("nodeID"))
        m_nNodeId = value.toInt();
    else if (m_sTitle.left(3) == QLatin1String("AMM")) {
        if (name == QLatin1String("channelCount")) {
            m_nChannelCount = value.toInt();
            m_bHasCounts = true;
        }
    } else if (!parseRoomProperty(name, attributes)) {
        parseRangeProperty(name, attributes);
    }

    if (name.startsWith(QLatin1String("inputLabel")))
        m_inputLabels.append(value);
}

void HNode::parseCountProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("actionCount")) {
        if (m_sTitle.startsWith(QLatin1String("Virtual GPO")) || m_sTitle.startsWith(QLatin1String("Logic Output"))) {
            m_nActionCount = value.toInt();
            m_bHasCounts = true;
        }
        return;
    }
    if (m_sTitle.startsWith(QLatin1String("Virtual GPI")) || m_sTitle.startsWith(QLatin1String("Logic Input"))) {
        m_nActionCount = value.toInt();
        m_bHasCounts = true;
    } else if (m_sTitle == QLatin1String("Logic")) {
        m_nLogicCount = value.toInt();
        m_bHasCounts = true;
    }
}

// Properties of the room combiners and the conference room router; false when
// the node is none of them.
bool HNode::parseRoomProperty(const QString &name, const QXmlAttributes &attributes)
{
    const bool router = m_sTitle == QLatin1String("Conference Room Router");
    if (!router && m_sTitle != QLatin1String("General Purpose Room Combiner")
        && m_sTitle != QLatin1String("Standard Room Combiner"))
        return false;

    static const QStringList combinerRanges = {
        QStringLiteral("bgmLevel"), QStringLiteral("inputLevel"), QStringLiteral("level")};
    static const QStringList routerRanges = {
        QStringLiteral("masterVolume"), QStringLiteral("micMixLevel"), QStringLiteral("programMixLevel"),
        QStringLiteral("preAecMicsLevel"), QStringLiteral("programLevel"), QStringLiteral("teleconLevel1")};
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));

    if (name == QLatin1String("roomNumber")) {
        m_nRoomNumber = value.toInt();
    } else if (name == QLatin1String("rcGroupNumber")) {
        m_nRCGroupNumber = value.toInt();
    } else if (combinerRanges.contains(name) || (router && routerRanges.contains(name))) {
        addAttributePair(name, attributes);
        m_bHasRanges = true;
    } else if (router && name == QLatin1String("teleconInputs")) {
        m_nTeleconInputs = value.toInt();
    } else if (router && name == QLatin1String("micInputs")) {
        m_nMicInputs = value.toInt();
    } else if (router && name == QLatin1String("roomCombine")) {
        m_sRoomCombine = value;
    }
    return true;
}

void HNode::parseRangeProperty(const QString &name, const QXmlAttributes &attributes)
{
    const bool usbLevel = m_sTitle.startsWith(QLatin1String("USB")) && name.startsWith(QLatin1String("level"));
    if (name == QLatin1String("level") || usbLevel) {
        m_sLevelMax = xmlAttribute(attributes, QStringLiteral("max"));
        m_sLevelMin = xmlAttribute(attributes, QStringLiteral("min"));
        m_bHasRanges = true;
    } else if (name == QLatin1String("low") || name == QLatin1String("mid") || name == QLatin1String("high")) {
        addAttributePair(name, attributes);
        m_bHasRanges = true;
    } else if (m_sTitle == QLatin1String("USB In") && name.startsWith(QLatin1String("outName"))) {
        m_portLabels.append(xmlAttribute(attributes, QStringLiteral("value")));
    } else if (m_sTitle == QLatin1String("USB Out") && name.startsWith(QLatin1String("label")) && name.size() == 6) {
        m_portLabels.append(xmlAttribute(attributes, QStringLiteral("value")));
    }
}

void HNode::parseChildAttributes(const QXmlAttributes &, bool)
{
}

void HNode::setProperty(const QString &, const QString &)
{
}

void HNode::propertyLoaded()
{
}

bool HNode::initNode()
{
    if (m_pParent)
        m_pProtocol = m_pParent->m_pProtocol;
    return true;
}

bool HNode::writeXml(XmlWriter *, QStringList &)
{
    return true;
}

void HNode::copyFrom(HNode *pOther)
{
    if (!pOther)
        return;
    if (!m_pProtocol)
        m_pProtocol = pOther->m_pProtocol;
    m_sLabel = pOther->m_sLabel;
    m_sTitle = pOther->m_sTitle;
    m_sScriptFile = pOther->m_sScriptFile;
    m_nModule = pOther->m_nModule;
    m_nChannel = pOther->m_nChannel;
    m_nIndex = pOther->m_nIndex;
    m_nNodeId = pOther->m_nNodeId;
    m_sTypeNum = pOther->m_sTypeNum;
    m_sId = pOther->m_sId;
    m_nLogicCount = pOther->m_nLogicCount;
    m_nChannelCount = pOther->m_nChannelCount;
    m_nActionCount = pOther->m_nActionCount;
    m_nTeleconInputs = pOther->m_nTeleconInputs;
    m_nMicInputs = pOther->m_nMicInputs;
    // Selection, persistence, use and the import mark belong to this session.
    m_nFlags = (m_nFlags & ~DesignFlags) | (pOther->m_nFlags & DesignFlags);
    m_inputLabels = pOther->m_inputLabels;
    // Every other field the design file sets, so that what is rebuilt from
    // this node (the room registry, ranges, port labels) takes the new file.
    m_nRoomNumber = pOther->m_nRoomNumber;
    m_nRCGroupNumber = pOther->m_nRCGroupNumber;
    m_sRoomCombine = pOther->m_sRoomCombine;
    m_sLevelMax = pOther->m_sLevelMax;
    m_sLevelMin = pOther->m_sLevelMin;
    m_ranges = pOther->m_ranges;
    m_bHasCounts = pOther->m_bHasCounts;
    m_bHasRanges = pOther->m_bHasRanges;
    m_nPortIndex = pOther->m_nPortIndex;
    m_nPinIndex = pOther->m_nPinIndex;
    m_portLabels = pOther->m_portLabels;
    m_ampTitles = pOther->m_ampTitles;
}
