#include "hardware/HDante.h"

#include "hardware/CParameter.h"
#include "hardware/HDeviceModels.h"
#include "utility/LogCategories.h"

#include <QDebug>
#include <QStandardItemModel>
#include <QXmlAttributes>

HDante::HDante()
{
    m_sCategory = tr("Dante I/O");
    m_bCategoryResolved = true; // fixed: the card reads its template by its own rule
}

HDante::HDante(const QString &cardType, int direction)
{
    m_sModuleType = cardType;
    m_nDirection = direction;
    m_sCategory = tr("Dante I/O");
    m_bCategoryResolved = true;
}

HDante::~HDante() = default;

void HDante::parseAttributes(const QXmlAttributes &attributes)
{
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));
    if (name == QLatin1String("label"))
        m_sLabel = value;
    else if (name.startsWith(QLatin1String("label")))
        m_channelLabels.append(value);
    else if (name.startsWith(QLatin1String("cardPin")))
        m_cardPins.append(value.toInt());
    else
        HNode::parseAttributes(attributes);
}

void HDante::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    HNode::copyFrom(pOther);
    if (auto *pDante = qobject_cast<HDante *>(pOther)) {
        m_sModuleType = pDante->m_sModuleType;
        m_nDirection = pDante->m_nDirection;
        m_sCategory = pDante->m_sCategory;
        const int common = static_cast<int>(qMin(m_channelLabels.size(), pDante->m_channelLabels.size()));
        const QString prefix = m_sLabel + QLatin1Char('-');
        for (int i = 0; i < common; ++i) {
            if (m_channelLabels.at(i) != pDante->m_channelLabels.at(i))
                emit labelChangedByReload(prefix + m_channelLabels.at(i),
                                          prefix + pDante->m_channelLabels.at(i));
        }
        m_channelLabels = pDante->m_channelLabels;
        // The pins address the card's channels: stale ones would reach the wrong channel.
        m_cardPins = pDante->m_cardPins;
    }
    if (relabelled)
        emit labelChangedByReload(oldLabel, m_sLabel);
}

bool HDante::collect(const QString &key, QList<HNode *> *pList)
{
    return HAudioIO::collect(key, pList);
}

void HDante::dumpNode()
{
    qCDebug(lcHardware) << "==================";
    qCDebug(lcHardware).noquote() << m_sLabel;
    for (int i = 0; i < m_channelLabels.size(); ++i)
        qCDebug(lcHardware).noquote() << channelLabel(i);
}

void HDante::buildModel(QStandardItemModel *pModel)
{
    int loaded = 0;
    QStandardItem *pGroupItem = loadModelGroup(pModel, loaded);
    if (!pGroupItem)
        return;
    QStandardItem *pNodeItem = appendNodeRow(pGroupItem, loaded);
    if (!pNodeItem)
        return;
    if (m_pParent && m_pParent->title().startsWith(HDeviceModels::meterlessProcessor()))
        removeMeterParameters();
    for (int i = 0; i < m_parameters.size() && i < m_channelLabels.size(); ++i)
        appendHeaderItem(pNodeItem, channelLabel(i))->appendRow(makeParameterItem(m_parameters.at(i)));
}

QString HDante::channelLabel(int i) const
{
    return m_channelLabels.value(i);
}

int HDante::channelNumber(int i) const
{
    return m_cardPins.value(i, -1);
}

QString HDante::parameterFilePath(const QString &) const
{
    return QStringLiteral(":/data/") + dataFolder() + QStringLiteral("/Dante_0.xml");
}

void HDante::setParent(HNode *pParent)
{
    HNode::setParent(pParent);
}

int HDante::channelIndexOfLabel(const QString &label) const
{
    return static_cast<int>(m_channelLabels.indexOf(label));
}
