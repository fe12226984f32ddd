// The receiving side of the control protocol: routing reply lines to the
// waiting transforms and the parser of each command form.
#include "protocols/PVMDProtocol.h"

#include "hardware/HAudioIO.h"
#include "hardware/HNode.h"
#include "interfaces/IInterface.h"
#include "model/CAttributes.h"
#include "protocols/RoutingInfo.h"
#include "transforms/TTransform.h"
#include "utility/ULogger.h"
#include "utility/UTextCodec.h"

#include <QRegularExpression>
#include <QVariant>

namespace {
struct Target
{
    int id;
    QPointer<TTransform> transform;
};

bool startsWithByte(const QByteArray &line, char byte)
{
    return !line.isEmpty() && line.at(0) == byte;
}
} // namespace

QString PVMDProtocol::syncErrorText()
{
    static const QString text = tr("SYNC_ERROR");
    return text;
}

QString PVMDProtocol::cleanReply(const QByteArray &line)
{
    const qsizetype zero = line.indexOf('\0');
    QString text = UTextCodec::decode(zero < 0 ? line : line.left(zero));
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'));
    if (semicolon >= 0)
        text.truncate(semicolon);
    return text;
}

bool PVMDProtocol::onReceive(const QByteArray &line)
{
    const QString text = UTextCodec::decode(line);
    if (text.isEmpty())
        return false;
    // Copied first: a transform that reacts may unsubscribe or go away.
    QList<Target> targets;
    for (const RoutingInfo *pRecord : m_subscriptionManager.subscribersForReply(text))
        targets.append({pRecord->id(), pRecord->transform()});
    if (targets.isEmpty())
        return false;
    for (const Target &target : std::as_const(targets))
        dispatchReply(line, target.id, target.transform.data());
    logReceived(line, text);
    return true;
}

void PVMDProtocol::logReceived(const QByteArray &line, const QString &text)
{
    const QString logged = line.size() == 1
                               ? QString::number(static_cast<unsigned char>(line.at(0)), 16)
                               : text;
    logger()->logTagged(QStringLiteral("Received: "), logged);
}

void PVMDProtocol::dispatchReply(const QByteArray &line, int id, TTransform *pTransform)
{
    switch (id) {
    case ElementForm:
    case ElementAltForm:
    case TwoIndexForm:
    case LinkedForm:
    case ChannelLabelForm:
    case MultiForm:
        parseGetReply(line, id, pTransform);
        break;
    case StatusForm:
        parseGsReply(line, pTransform);
        break;
    case GroupForm:
    case NumberForm:
        parseGroupReply(line, pTransform);
        break;
    case RawForm:
        parseAckReply(line, pTransform);
        break;
    case MeterForm:
        parseMeterReply(line, pTransform);
        break;
    case RoutingInfo::ProbeId:
        parseProbeAnswer(line);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- GA replies

void PVMDProtocol::parseGetReply(const QByteArray &line, int id, TTransform *pTransform)
{
    if (line.isEmpty() || startsWithByte(line, TcpByte::Nak) || !pTransform)
        return;
    if (startsWithByte(line, TcpByte::Ack)) {
        pTransform->deliverReply(syncErrorText());
        return;
    }
    const QString text = cleanReply(line);
    if (!text.startsWith(QLatin1String("GA")) || !checkGetShape(text, id, pTransform)
        || !checkGetName(text, id, pTransform)) {
        return;
    }
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0)
        pTransform->deliverReply(text.mid(equals + 1));
}

bool PVMDProtocol::checkGetShape(const QString &text, int id, TTransform *pTransform) const
{
    const QString address = text.section(QLatin1Char('='), 0, 0);
    const int expected = (id == 2 || id == 3 || id == 8) ? 2 : 1;
    if (id == 8) {
        // The telephone form reads which item answered from the address.
        int first = -1;
        int second = -1;
        const QStringList pieces = address.split(QLatin1Char('>'));
        if (pieces.size() == 3 && m_pLatestRequest) {
            bool ok = false;
            const int number = pieces.at(1).toInt(&ok, 10);
            if (ok) {
                first = number;
                const QString third = pieces.at(2);
                const int digit = third.isEmpty() ? -1 : third.at(0).digitValue();
                second = digit >= 0 && digit <= 9 ? digit : -1;
            }
        }
        pTransform->setReplyIndexes(first, second);
    }
    return address.count(QLatin1Char('>')) == expected;
}

bool PVMDProtocol::checkGetName(const QString &text, int id, const TTransform *pTransform)
{
    if (text.size() < 5)
        return false;
    const qsizetype open = text.indexOf(QLatin1Char('"'));
    if (open <= 0)
        return false;
    const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return false;
    const QString name = text.mid(open + 1, close - open - 1);
    if (id == 7) {
        const CAttributes *pAttributes = pTransform->attributes();
        return pAttributes && name == pAttributes->channelLabel();
    }
    const HNode *pNode = pTransform->node();
    return pNode && name == pNode->label();
}

// ---------------------------------------------------------------- status, group, raw

void PVMDProtocol::parseGsReply(const QByteArray &line, TTransform *pTransform)
{
    const QString text = cleanReply(line);
    if (!pTransform || !text.contains(QLatin1Char(' ')) || !text.startsWith(QLatin1String("S ")))
        return;
    pTransform->deliverReply(QLatin1String("0x") + text.section(QLatin1Char(' '), 1));
}

void PVMDProtocol::parseGroupReply(const QByteArray &line, TTransform *pTransform)
{
    const QString text = cleanReply(line);
    if (!pTransform || !text.contains(QLatin1Char(',')))
        return;
    if (!text.startsWith(QLatin1String("GG")) && !text.startsWith(QLatin1String("GN")))
        return;
    pTransform->deliverReply(text.section(QLatin1Char(','), 1));
}

void PVMDProtocol::parseAckReply(const QByteArray &line, TTransform *pTransform)
{
    if (line.isEmpty() || startsWithByte(line, TcpByte::Nak) || !pTransform)
        return;
    if (startsWithByte(line, TcpByte::Ack)) {
        pTransform->deliverReply(syncErrorText());
        return;
    }
    pTransform->setReplyText(cleanReply(line));
}

void PVMDProtocol::parseProbeAnswer(const QByteArray &line)
{
    const bool yes = line.endsWith("yes");
    m_bSubscribed = yes;
    if (m_pInterface)
        m_pInterface->setSubscriptionMode(yes);
    m_subscriptionManager.setSubscriptionEnabled(yes);
}

// ---------------------------------------------------------------- meter replies

void PVMDProtocol::parseMeterReply(const QByteArray &line, TTransform *pTransform)
{
    if (!pTransform || !pTransform->node())
        return;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = cleanReply(line).split(blanks, Qt::SkipEmptyParts);
    if (words.size() < 3)
        return;
    const QString list = words.at(2);
    if (list.size() < 2 || !list.startsWith(QLatin1Char('[')) || !list.endsWith(QLatin1Char(']')))
        return;
    const QString inner = list.mid(1, list.size() - 2);
    // "[]" is no level at all, not one empty level.
    const QStringList levels = inner.isEmpty() ? QStringList() : inner.split(QLatin1Char(','));
    const int n = int(levels.size());
    const int element = meterElement(pTransform, n);
    if (element < 0 || levels.at(element).isEmpty())
        return;
    pTransform->deliverReply(levels.at(element));
}

int PVMDProtocol::nodeDirection(const HNode *pNode)
{
    // I/O cards keep their direction (1 input, 2 output, 3 link); other nodes have none.
    const auto *pCard = qobject_cast<const HAudioIO *>(pNode);
    return pCard ? pCard->direction() : 0;
}

int PVMDProtocol::meterElement(const TTransform *pTransform, int n)
{
    // A short or hostile reply must not be indexed past its end.
    const int element = meterRule(pTransform, n);
    return element >= 0 && element < n ? element : -1;
}

int PVMDProtocol::meterRule(const TTransform *pTransform, int n)
{
    const HNode *pNode = pTransform ? pTransform->node() : nullptr;
    if (!pNode)
        return -1;
    const QString title = pNode->title();
    const bool ampOutput = title == QLatin1String("Amp Output");
    const QString label = ampOutput ? pNode->label() : title;
    const QString parentTitle = pNode->parentNode() ? pNode->parentNode()->title() : QString();

    if (label == QLatin1String("PSTN Out") && n == 2)
        return 1;
    if (label == QLatin1String("PSTN In") && n == 2)
        return 0;
    if (label == QLatin1String("USB Out"))
        return pTransform->meterChannelIndex() + n / 2;
    if (label == QLatin1String("USB In"))
        return pTransform->meterChannelIndex();
    if (label.startsWith(QLatin1String("VoIP")) && n == 4) {
        const int out = label.endsWith(QLatin1String("Out")) ? 2 : 0;
        const int direction = nodeDirection(pNode);
        return direction == 0 || direction == 1 ? direction + out : -1;
    }
    if ((label == QLatin1String("Analog In") || label == QLatin1String("Digital In"))
        && (parentTitle.startsWith(QLatin1String("AQ")) || parentTitle.startsWith(QLatin1String("AZ"))))
        return nodeDirection(pNode);
    if (n == 4) {
        const int channel = pNode->channel();
        return channel >= 0 && channel <= 15 ? channel % 4 : -1;
    }
    if (n == 8 && !ampOutput)
        return pNode->channel();
    if (n == 8) {
        const QStringList pieces = pTransform->meterChannelName().split(QLatin1Char('-'));
        return pieces.size() < 2 ? -1 : pNode->channelIndexOfLabel(pieces.at(1));
    }
    if (n >= 9 && title.startsWith(QLatin1String("Dante "))) {
        const bool outWide = label.contains(QLatin1String("Out")) && (n == 32 || n == 64 || n == 128);
        return pTransform->danteChannel() + (outWide ? n / 2 : 0);
    }
    return -1;
}
