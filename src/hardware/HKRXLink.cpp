#include "hardware/HKRXLink.h"

#include "hardware/HChassis.h"
#include "hardware/HDeviceModels.h"
#include "utility/LogCategories.h"

#include <QDebug>
#include <QXmlAttributes>

HKRXLink::HKRXLink()
{
    m_nDirection = DirectionLink;
    m_sCategory = tr("Digital I/O");
    m_bCategoryResolved = true; // fixed: a link has no dictionary row
}

HKRXLink::~HKRXLink() = default;

void HKRXLink::parseAttributes(const QXmlAttributes &attributes)
{
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));
    if (name == QLatin1String("label")) {
        m_sLabel = value;
    } else if (name.startsWith(QLatin1String("label"))) {
        m_channelLabels.append(value);
    } else if (name.startsWith(QLatin1String("level"))) {
        addAttributePair(name, attributes);
        m_bHasRanges = true;
    } else {
        HNode::parseAttributes(attributes);
    }
}

void HKRXLink::copyFrom(HNode *pOther)
{
    HNode::copyFrom(pOther);
    if (chassisName().startsWith(HDeviceModels::telephoneEndpoints().value(0)))
        m_sLabel = QStringLiteral("DivErov");
    auto *pLink = qobject_cast<HKRXLink *>(pOther);
    if (!pLink)
        return;
    m_sModuleType = pLink->m_sModuleType;
    m_nDirection = pLink->m_nDirection;
    m_sCategory = pLink->m_sCategory;
    const int common = static_cast<int>(qMin(m_channelLabels.size(), pLink->m_channelLabels.size()));
    const QString prefix = m_sLabel + QLatin1Char('-');
    for (int i = 0; i < common; ++i) {
        if (m_channelLabels.at(i) != pLink->m_channelLabels.at(i))
            emit labelChangedByReload(prefix + m_channelLabels.at(i), prefix + pLink->m_channelLabels.at(i));
    }
    m_channelLabels = pLink->m_channelLabels;
}

bool HKRXLink::collect(const QString &key, QList<HNode *> *pList)
{
    return HAudioIO::collect(key, pList);
}

void HKRXLink::dumpNode()
{
    qCDebug(lcHardware) << "==================";
    qCDebug(lcHardware).noquote() << m_sLabel;
    for (int i = 0; i < m_channelLabels.size(); ++i)
        qCDebug(lcHardware).noquote() << channelLabel(i);
}

QString HKRXLink::channelLabel(int i) const
{
    if (i < 0 || i >= m_channelLabels.size())
        return QString();
    return m_sLabel + QLatin1Char('-') + m_channelLabels.at(i);
}

QString HKRXLink::parameterFilePath(const QString &) const
{
    return QStringLiteral(":/data/") + dataFolder() + QStringLiteral("/KRXLink_0.xml");
}

void HKRXLink::setParent(HNode *pParent)
{
    HNode::setParent(pParent);
    auto *pChassis = qobject_cast<HChassis *>(pParent);
    if (pChassis && pChassis->isEndpoint())
        m_sLabel = QStringLiteral("DivErov");
}

int HKRXLink::channelCount() const
{
    return static_cast<int>(m_channelLabels.size());
}

int HKRXLink::channelIndexOfLabel(const QString &label) const
{
    return static_cast<int>(m_channelLabels.indexOf(label));
}
