#include "hardware/HBlock.h"

#include "hardware/HRCGroupInfo.h"

#include <QRegularExpression>
#include <QXmlAttributes>

HBlock::HBlock() = default;

HBlock::~HBlock() = default;

void HBlock::parseAttributes(const QXmlAttributes &attributes)
{
    const QString name = xmlAttribute(attributes, QStringLiteral("name"));
    const QString value = xmlAttribute(attributes, QStringLiteral("value"));
    if (name.startsWith(QLatin1String("name")) || name.startsWith(QLatin1String("inLchName"))) {
        m_sChoiceText += value + QLatin1Char(',');
    } else if (name == QLatin1String("leftLabelList")) {
        m_labels = value.split(QLatin1Char(','));
    } else if (name == QLatin1String("inputCount")) {
        m_nInputCount = value.toInt();
    } else if (name == QLatin1String("bgmCount")) {
        m_nBgmCount = value.toInt();
        m_bZeroIsNone = true;
        reshapeLabels();
    } else if (name == QLatin1String("roomName")) {
        m_sRoomName = value;
    }
    HNode::parseAttributes(attributes);
}

// The labels after the inputs are the background-music sources; "None" first.
void HBlock::reshapeLabels()
{
    if (m_nBgmCount == 0) {
        m_labels = QStringList{QStringLiteral("None")};
        return;
    }
    if (m_nInputCount > 0)
        m_labels.remove(0, qMin<qsizetype>(m_nInputCount, m_labels.size()));
    if (m_nBgmCount <= 0)
        return;
    const QStringList sources = m_labels.mid(0, m_nBgmCount);
    if (!sources.isEmpty())
        m_labels = QStringList{QStringLiteral("None")} + sources;
}

bool HBlock::isSupportedTitle() const
{
    static const QStringList exact = {
        QStringLiteral("Gain"), QStringLiteral("Selector"), QStringLiteral("Conference Room Router"),
        QStringLiteral("General Purpose Room Combiner"), QStringLiteral("Standard Room Combiner"),
        QStringLiteral("Tone EQ"), QStringLiteral("DizoZU")};
    static const QStringList prefixes = {
        QStringLiteral("AMM"), QStringLiteral("Virtual GPI"), QStringLiteral("Logic Input"),
        QStringLiteral("Virtual GPO"), QStringLiteral("Logic Output")};
    if (exact.contains(m_sTitle))
        return true;
    if (m_sTitle == QLatin1String("Logic"))
        return m_sScriptFile.contains(QLatin1String("toggleff"));
    for (const QString &prefix : prefixes) {
        if (m_sTitle.startsWith(prefix))
            return true;
    }
    return false;
}

bool HBlock::initNode()
{
    HNode::initNode();
    return isSupportedTitle();
}

void HBlock::copyFrom(HNode *pOther)
{
    const bool relabelled = pOther && pOther->label() != m_sLabel;
    const QString oldLabel = m_sLabel;
    auto *pBlock = qobject_cast<HBlock *>(pOther);
    if (pBlock && m_sTitle.startsWith(QLatin1String("AMM"))) {
        const int common = static_cast<int>(qMin(m_inputLabels.size(), pBlock->m_inputLabels.size()));
        for (int i = 0; i < common; ++i) {
            if (m_inputLabels.at(i) != pBlock->m_inputLabels.at(i))
                emit labelChangedByReload(m_inputLabels.at(i), pBlock->m_inputLabels.at(i));
        }
    }
    HNode::copyFrom(pOther);
    if (pBlock) {
        // The choices, counts and room belong to the design too: the room
        // registry is rebuilt from them after a re-import.
        m_labels = pBlock->m_labels;
        m_nInputCount = pBlock->m_nInputCount;
        m_nBgmCount = pBlock->m_nBgmCount;
        m_sRoomName = pBlock->m_sRoomName;
        m_bZeroIsNone = pBlock->m_bZeroIsNone;
        if (pBlock->m_sChoiceText != m_sChoiceText) {
            m_sChoiceText = pBlock->m_sChoiceText;
            emit listChangedByReload(m_sChoiceText);
        }
    }
    if (relabelled)
        emit labelChangedByReload(oldLabel, m_sLabel);
}

void HBlock::setupRoomCombiner(HRCGroupInfo *pRegistry)
{
    if (!pRegistry)
        return;
    const QString name = m_sLabel + QLatin1Char('-') + m_sRoomName;
    if (m_sTitle == QLatin1String("Conference Room Router")) {
        QList<int> pairedRooms;
        parseLabelList(pairedRooms);
        pRegistry->addRoom(m_nRoomNumber, name, m_nRCGroupNumber, 0, m_nNodeId, pairedRooms);
    } else if (m_sTitle == QLatin1String("General Purpose Room Combiner")
               || m_sTitle == QLatin1String("Standard Room Combiner")) {
        pRegistry->addRoom(m_nRoomNumber, name, m_nRCGroupNumber, 1, m_nNodeId, QList<int>());
    }
}

QString HBlock::category() const
{
    return tr("Blocks");
}

bool HBlock::labelList(QStringList &labels) const
{
    labels = m_labels;
    return true;
}

void HBlock::parseLabelList(QList<int> &rooms) const
{
    const QChar separator = m_sRoomCombine.startsWith(QLatin1Char('{')) ? QLatin1Char('{') : QLatin1Char('[');
    const QStringList pieces = m_sRoomCombine.split(separator, Qt::SkipEmptyParts);
    static const QRegularExpression pairSeparator(QStringLiteral("[|+]"));
    for (QString piece : pieces) {
        if (piece.endsWith(QLatin1Char('}'))) {
            piece.chop(1);
            const QStringList parts = piece.split(pairSeparator);
            bool okA = false;
            bool okB = false;
            const int a = parts.size() == 2 ? parts.at(0).toInt(&okA) : 0;
            const int b = parts.size() == 2 ? parts.at(1).toInt(&okB) : 0;
            if (!okA || !okB)
                continue;
            if (a == m_nRoomNumber)
                rooms.append(b);
            else if (b == m_nRoomNumber)
                rooms.append(a);
        } else if (piece.endsWith(QLatin1Char(']'))) {
            piece.chop(1);
            for (const QString &part : piece.split(QLatin1Char(','))) {
                bool ok = false;
                const int room = part.toInt(&ok);
                if (ok)
                    rooms.append(room);
            }
        }
    }
}
