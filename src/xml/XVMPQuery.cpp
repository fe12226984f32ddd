#include "xml/XVMPQuery.h"

#include "utility/LogCategories.h"
#include "utility/UTextCodec.h"

#include <QDebug>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

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

const QString PropertyTag = QStringLiteral("Property");

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
        return UTextCodec::decode(bytes);
    if (encoding == QLatin1String("iso-8859-1") || encoding == QLatin1String("latin1"))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}

bool XVMPQuery::isParsed()
{
    parse();
    return m_bParsed;
}

// ---------------------------------------------------------------- the pass

void XVMPQuery::parse()
{
    if (m_bTried)
        return;
    m_bTried = true;
    // Given as text, the reader ignores the declared encoding: decoded here.
    QXmlStreamReader reader(decode(m_bytes));
    m_bytes.clear();
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement)
            startElement(reader.name(), reader.attributes());
        else if (token == QXmlStreamReader::EndElement)
            endElement();
    }
    m_open.clear();
    m_openGroups.clear();
    if (reader.hasError()) {
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to parse raw XML of vmp file at line: %1, col: %2 : %3")
                                  .arg(reader.lineNumber()).arg(reader.columnNumber()).arg(reader.errorString());
        m_nodeProperties.clear();
        m_groups.clear();
        m_holderTitles.clear();
        return;
    }
    m_bParsed = true;
}

void XVMPQuery::startElement(const QStringView &name, const QXmlStreamAttributes &attributes)
{
    const int depth = static_cast<int>(m_open.size()); // 0: the document element
    OpenElement element;
    element.serial = m_nSerial++;
    element.tarvoNodeId = attributes.value(QLatin1String("tarvoNodeID")).toString();

    if (depth > 0 && name == PropertyTag) {
        const QStringView propertyName = attributes.value(QLatin1String("name"));
        if (propertyName == QLatin1String("nodeID"))
            noteNodeProperty(attributes.value(QLatin1String("value")).toString());
        else if (propertyName == QLatin1String("title"))
            noteTitle(attributes.value(QLatin1String("value")).toString());
    }
    if (m_nAssignmentDepth < 0) {
        if (depth > 0 && !m_bHasAssignment && name == QLatin1String("Assignment")) {
            m_bHasAssignment = true;
            m_nAssignmentDepth = depth;
        }
    } else if (name == QLatin1String("Group")) {
        const QString id = attributes.value(QLatin1String("id")).toString();
        if (!m_groups.contains(id)) {
            m_groups.insert(id, GroupEntry());
            element.groupId = id;
            m_openGroups.append(id);
        }
    } else if (name == QLatin1String("Assign")) {
        noteAssign(attributes.value(QLatin1String("targetID")).toString());
    }
    m_open.append(element);
}

void XVMPQuery::endElement()
{
    if (m_open.isEmpty())
        return;
    const OpenElement element = m_open.takeLast();
    if (element.holdsNodeProperty)
        m_holderTitles.insert(element.serial, element.title);
    if (!element.groupId.isEmpty())
        m_openGroups.removeOne(element.groupId);
    if (static_cast<int>(m_open.size()) == m_nAssignmentDepth)
        m_nAssignmentDepth = -1;
}

void XVMPQuery::noteNodeProperty(const QString &value)
{
    // The Property is not on the stack yet: the last open element holds it.
    OpenElement &holder = m_open.last();
    holder.holdsNodeProperty = true;
    if (m_nodeProperties.contains(value))
        return;
    NodeProperty property;
    property.holder = holder.serial;
    // The module is the holder's parent element; none above the document element.
    if (m_open.size() >= 2)
        property.moduleAmpId = m_open.at(m_open.size() - 2).tarvoNodeId;
    m_nodeProperties.insert(value, property);
}

void XVMPQuery::noteTitle(const QString &value)
{
    // The first title below each open element, in document order.
    for (qsizetype i = m_open.size() - 1; i >= 0; --i) {
        TitleEntry &title = m_open[i].title;
        if (title.found)
            break; // an outer element found an earlier one too
        title.found = true;
        title.value = value;
    }
}

void XVMPQuery::noteAssign(const QString &targetId)
{
    for (const QString &id : std::as_const(m_openGroups)) {
        GroupEntry &group = m_groups[id];
        group.hasAssign = true;
        if (!targetId.isEmpty() && !group.seen.contains(targetId)) {
            group.seen.insert(targetId);
            group.targetIds.append(targetId);
        }
    }
}

// ---------------------------------------------------------------- questions

QStringList XVMPQuery::findGroupAmpTitles(const QString &groupId)
{
    // Asked once for every group of an import: no trace line here, it would
    // cost the import more than the answer.
    parse();
    if (!m_bParsed)
        return QStringList();
    if (!m_bHasAssignment) {
        qCDebug(lcXml) << "Failed to find XML node at /Assignment";
        return QStringList();
    }
    const auto group = m_groups.constFind(groupId);
    if (group == m_groups.constEnd())
        return QStringList();
    if (!group->hasAssign) {
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to find XML nodes at /Assignment/Group[@id=%1]/Assign").arg(groupId);
        return QStringList();
    }
    if (group->targetIds.isEmpty()) {
        qCDebug(lcXml).noquote()
            << QStringLiteral("Failed to find XML attribute values for /Assignment/Group[@id=%1]/Assign[@targetId]").arg(groupId);
        return QStringList();
    }
    QStringList titles;
    for (const QString &id : group->targetIds) {
        const QString title = ampTitle(id);
        if (!title.isEmpty())
            titles.append(title);
    }
    return titles;
}

QString XVMPQuery::ampTitle(const QString &targetId)
{
    const auto target = m_nodeProperties.constFind(targetId);
    if (target == m_nodeProperties.constEnd()) {
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to find XML node at ../Property[@name='nodeId', value=%1]").arg(targetId);
        return QString();
    }
    const QString &ampId = target->moduleAmpId;
    if (ampId.isEmpty())
        return QString();
    if (!m_ampTitles.contains(ampId))
        m_ampTitles.insert(ampId, titleOfAmplifier(ampId));
    return m_ampTitles.value(ampId);
}

QString XVMPQuery::titleOfAmplifier(const QString &ampId)
{
    const auto amplifier = m_nodeProperties.constFind(ampId);
    if (amplifier == m_nodeProperties.constEnd()) {
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to find AZ Amp node ") + ampId;
        return QString();
    }
    const TitleEntry title = m_holderTitles.value(amplifier->holder);
    if (!title.found) {
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to find AZ Amp title Node for ") + ampId;
        return QString();
    }
    if (title.value.isEmpty())
        qCDebug(lcXml).noquote() << QStringLiteral("Failed to find value from title node from AZ Amp ") + ampId;
    return title.value;
}
