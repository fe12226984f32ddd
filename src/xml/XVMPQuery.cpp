#include "xml/XVMPQuery.h"

#include <QDebug>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the others are Latin-1.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *pOut = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *pOut++ = (byte >= 0x80 && byte < 0xA0) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString declaredEncoding(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(200);
    if (!head.startsWith("<?xml"))
        return QString();
    const qsizetype end = head.indexOf("?>");
    static const QRegularExpression encoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch match =
        encoding.match(QString::fromLatin1(end < 0 ? head : head.left(end)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

// Every element below root, depth first in document order, without recursion;
// stops when visit returns false.
template<typename Visit>
void forEachElement(const QDomNode &root, Visit visit)
{
    QDomNode node = root.firstChild();
    while (!node.isNull()) {
        if (node.isElement() && !visit(node.toElement()))
            return;
        QDomNode next = node.firstChild();
        while (next.isNull()) {
            next = node.nextSibling();
            if (!next.isNull())
                break;
            node = node.parentNode();
            if (node.isNull() || node == root)
                return;
        }
        node = next;
    }
}

} // namespace

XVMPQuery::XVMPQuery(const QByteArray &bytes)
    : m_bytes(bytes)
{
}

XVMPQuery::~XVMPQuery() = default;

QString XVMPQuery::decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    const QString encoding = declaredEncoding(bytes);
    if (encoding == QLatin1String("windows-1252") || encoding == QLatin1String("cp1252"))
        return fromWindows1252(bytes);
    if (encoding == QLatin1String("iso-8859-1") || encoding == QLatin1String("latin1"))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}

bool XVMPQuery::isParsed()
{
    parse();
    return m_bParsed;
}

void XVMPQuery::parse()
{
    if (m_bTried)
        return;
    m_bTried = true;
    // Decoded here: given as text, the parser ignores the declared encoding.
    QString message;
    int line = 0;
    int column = 0;
    const bool parsed = m_document.setContent(decode(m_bytes), false, &message, &line, &column);
    m_bytes.clear();
    if (!parsed) {
        qDebug().noquote() << QStringLiteral("Failed to parse raw XML of vmp file at line: %1, col: %2 : %3")
                                  .arg(line).arg(column).arg(message);
        return;
    }
    m_bParsed = true;
    buildIndex();
}

void XVMPQuery::buildIndex()
{
    const QDomElement top = m_document.documentElement();
    QDomElement assignment;
    forEachElement(top, [&](const QDomElement &element) {
        const QString tag = element.tagName();
        if (tag == QLatin1String("Property") && element.attribute(QStringLiteral("name")) == QLatin1String("nodeID")) {
            const QString value = element.attribute(QStringLiteral("value"));
            if (!m_nodeProperties.contains(value))
                m_nodeProperties.insert(value, element);
        } else if (tag == QLatin1String("Assignment") && assignment.isNull()) {
            assignment = element;
        }
        return true;
    });
    if (assignment.isNull())
        return;
    m_bHasAssignment = true;
    forEachElement(assignment, [&](const QDomElement &element) {
        if (element.tagName() == QLatin1String("Group")) {
            const QString id = element.attribute(QStringLiteral("id"));
            if (!m_groups.contains(id))
                m_groups.insert(id, element);
        }
        return true;
    });
}

QStringList XVMPQuery::targetIds(const QDomElement &group) const
{
    QStringList ids;
    forEachElement(group, [&](const QDomElement &element) {
        if (element.tagName() != QLatin1String("Assign"))
            return true;
        const QString id = element.attribute(QStringLiteral("targetID"));
        if (!id.isEmpty() && !ids.contains(id))
            ids.append(id);
        return true;
    });
    return ids;
}

QStringList XVMPQuery::findGroupAmpTitles(const QString &groupId)
{
    qDebug().noquote() << QStringLiteral("Finding group chessis for gorup ") + groupId;
    parse();
    if (!m_bParsed)
        return QStringList();
    if (!m_bHasAssignment) {
        qDebug() << "Failed to find XML node at /Assignment";
        return QStringList();
    }
    const QDomElement group = m_groups.value(groupId);
    if (group.isNull())
        return QStringList();
    bool hasAssign = false;
    forEachElement(group, [&](const QDomElement &element) {
        hasAssign = element.tagName() == QLatin1String("Assign");
        return !hasAssign;
    });
    if (!hasAssign) {
        qDebug().noquote() << QStringLiteral("Failed to find XML nodes at /Assignment/Group[@id=%1]/Assign").arg(groupId);
        return QStringList();
    }
    const QStringList ids = targetIds(group);
    if (ids.isEmpty()) {
        qDebug().noquote()
            << QStringLiteral("Failed to find XML attribute values for /Assignment/Group[@id=%1]/Assign[@targetId]").arg(groupId);
        return QStringList();
    }
    QStringList titles;
    for (const QString &id : ids) {
        const QString title = ampTitle(id);
        if (!title.isEmpty())
            titles.append(title);
    }
    return titles;
}

QString XVMPQuery::ampTitle(const QString &targetId)
{
    const QString where = QStringLiteral("../Property[@name='nodeId', value=%1]").arg(targetId);
    const QDomElement target = m_nodeProperties.value(targetId);
    if (target.isNull()) {
        qDebug().noquote() << QStringLiteral("Failed to find XML node at ") + where;
        return QString();
    }
    const QDomNode parent = target.parentNode();
    if (parent.isNull()) {
        qDebug().noquote() << QStringLiteral("Failed to find parent of ") + where;
        return QString();
    }
    const QDomNode module = parent.parentNode();
    if (module.isNull()) {
        qDebug().noquote() << QStringLiteral("Failed to find rootModule of ") + where;
        return QString();
    }
    const QString ampId = module.isElement() ? module.toElement().attribute(QStringLiteral("tarvoNodeID")) : QString();
    if (ampId.isEmpty())
        return QString();
    if (!m_ampTitles.contains(ampId))
        m_ampTitles.insert(ampId, titleOfAmplifier(ampId));
    return m_ampTitles.value(ampId);
}

QString XVMPQuery::titleOfAmplifier(const QString &ampId)
{
    const QDomElement ampProperty = m_nodeProperties.value(ampId);
    if (ampProperty.isNull()) {
        qDebug().noquote() << QStringLiteral("Failed to find AZ Amp node ") + ampId;
        return QString();
    }
    QDomElement titleProperty;
    forEachElement(ampProperty.parentNode(), [&](const QDomElement &element) {
        if (element.tagName() == QLatin1String("Property")
            && element.attribute(QStringLiteral("name")) == QLatin1String("title"))
            titleProperty = element;
        return titleProperty.isNull();
    });
    if (titleProperty.isNull()) {
        qDebug().noquote() << QStringLiteral("Failed to find AZ Amp title Node for ") + ampId;
        return QString();
    }
    const QString title = titleProperty.attribute(QStringLiteral("value"));
    if (title.isEmpty())
        qDebug().noquote() << QStringLiteral("Failed to find value from title node from AZ Amp ") + ampId;
    return title;
}
