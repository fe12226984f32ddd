#include "hardware/HNode.h"

#include "hardware/CParameter.h"
#include "hardware/HComposite.h"
#include "hardware/HDeviceModels.h"
#include "utility/LogCategories.h"
#include "xml/XParameterHandler.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlAttributes>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

HNode::HNode() = default;

HNode::~HNode()
{
    clearParameters();
}

// ---------------------------------------------------------------- non-virtual

QString HNode::xmlAttribute(const QXmlAttributes &attributes, const QString &name)
{
    for (int i = 0; i < attributes.count(); ++i) {
        if (attributes.localName(i) == name)
            return attributes.value(i);
    }
    return QString();
}

QString HNode::attribute(const QString &key) const
{
    if (key == QLatin1String("category"))
        return category();
    if (key == QLatin1String("id"))
        return m_sId;
    if (key == QLatin1String("label"))
        return m_sLabel;
    if (key == QLatin1String("title"))
        return m_sTitle;
    if (key == QLatin1String("typenum"))
        return m_sTypeNum;
    return QString();
}

CParameter *HNode::findParameter(const QString &name) const
{
    for (CParameter *pParameter : m_parameters) {
        if (pParameter && pParameter->text() == name)
            return pParameter;
    }
    return nullptr;
}

void HNode::clearParameters()
{
    qDeleteAll(m_parameters);
    m_parameters.clear();
}

void HNode::truncateParameters(int n)
{
    n = qMax(n, 0);
    while (m_parameters.size() > n)
        delete m_parameters.takeLast();
}

namespace {

// A parsed parameter template: the (text, type) pairs and whether it parsed.
struct TemplateEntry
{
    QList<QPair<QString, QString>> parameters;
    bool parsed = false;
};

// Built-in templates are read-only resources: each is parsed once per run.
QHash<QString, TemplateEntry> &templateCache()
{
    static QHash<QString, TemplateEntry> cache;
    return cache;
}

bool readTemplate(const QString &path, TemplateEntry &entry)
{
    QFile file(path);
    // Binary: the parser decodes the declared encoding itself.
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<CParameter *> parameters;
    QXmlSimpleReader reader;
    QXmlInputSource source(&file);
    XParameterHandler handler;
    handler.setTargetList(&parameters);
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    entry.parsed = reader.parse(&source);
    for (const CParameter *pParameter : std::as_const(parameters))
        entry.parameters.append({pParameter->text(), pParameter->type()});
    qDeleteAll(parameters);
    return true;
}

} // namespace

int HNode::loadParameters()
{
    const QString path = parameterFilePath(QString());
    if (path.isEmpty())
        return 0;
    const bool resource = path.startsWith(QLatin1String(":/"));
    TemplateEntry entry;
    if (resource && templateCache().contains(path)) {
        entry = templateCache().value(path);
    } else {
        if (!readTemplate(path, entry))
            return 0;
        if (resource)
            templateCache().insert(path, entry);
    }
    for (const auto &pair : std::as_const(entry.parameters)) {
        auto *pParameter = new CParameter;
        pParameter->setText(pair.first);
        pParameter->setType(pair.second);
        m_parameters.append(pParameter);
    }
    // A template that does not parse is never reported as loaded.
    return (entry.parsed && !m_parameters.isEmpty()) ? 2 : 1;
}

void HNode::addAttributePair(const QString &name, const QXmlAttributes &attributes)
{
    m_ranges.insert(name, xmlAttribute(attributes, QStringLiteral("max")) + QLatin1Char(',')
                              + xmlAttribute(attributes, QStringLiteral("min")));
}

QString HNode::inputLabelAt(int i) const
{
    return (i >= 0 && i < m_inputLabels.size()) ? m_inputLabels.at(i) : QString();
}

QString HNode::portLabel(int i) const
{
    return (i >= 0 && i < m_portLabels.size()) ? m_portLabels.at(i) : QStringLiteral("noPortLabel");
}

HNode *HNode::rootNode()
{
    HNode *pNode = this;
    while (pNode->m_pParent)
        pNode = pNode->m_pParent;
    return pNode;
}

HNode *HNode::findAncestorWithFlags(quint32 mask)
{
    for (HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (pNode->hasFlags(mask))
            return pNode;
    }
    return nullptr;
}

QString HNode::chassisName() const
{
    for (const HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (pNode->hasFlags(FlagProcessor))
            return pNode->m_sLabel;
    }
    return QStringLiteral("???");
}

QString HNode::chassisKey() const
{
    for (const HNode *pNode = this; pNode; pNode = pNode->m_pParent) {
        if (!pNode->hasFlags(FlagProcessor))
            continue;
        if (pNode->m_nNodeId < 1)
            return pNode->m_sLabel;
        return QStringLiteral("%1|||%2").arg(QStringLiteral("Chassis")).arg(pNode->m_nNodeId);
    }
    return QStringLiteral("???");
}

int HNode::labelChannelIndex(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList pieces = text.split(blanks);
    if (pieces.size() < 2)
        return -1;
    bool ok = false;
    const int number = pieces.at(1).toInt(&ok, 10);
    if (!ok) {
        qCWarning(lcHardware).noquote() << "Failed to convert string attribute to channel number. "
                             << "Original value: " << text;
        return -1;
    }
    return number - 1;
}

QString HNode::twinFilePath(const QString &templatePath)
{
    // Only the file name is cut: a folder may hold dots too.
    const qsizetype nameStart = templatePath.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = templatePath.indexOf(QLatin1Char('.'), nameStart);
    if (templatePath.isEmpty() || dot < 0)
        return QString();
    return templatePath.left(dot) + QStringLiteral("1.xml");
}

bool HNode::substituteLabel(QString &text, bool byLeadingWords) const
{
    QString pattern;
    const QMap<QString, QString> *pLabels = nullptr;
    if (byLeadingWords) {
        const int lastBlank = text.lastIndexOf(QLatin1Char(' '));
        // The leading words are taken literally: a label may hold brackets or dots.
        pattern = QRegularExpression::escape(lastBlank > 0 ? text.left(lastBlank) : text);
        pLabels = &m_channelLabels;
    } else {
        pattern = QStringLiteral("Phone[1-8]");
        pLabels = &m_phoneLabels;
    }
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    if (!match.hasMatch())
        return false;
    const QString replacement = pLabels->value(match.captured(0));
    if (replacement.isEmpty())
        return false;
    text.replace(match.capturedStart(0), match.capturedLength(0), replacement);
    return true;
}

void HNode::labelParameters()
{
    for (CParameter *pParameter : std::as_const(m_parameters)) {
        QString text = pParameter->text();
        if (substituteLabel(text, false))
            pParameter->setText(text);
    }
}

void HNode::applyRoomRouterPorts()
{
    if (m_sTitle != QLatin1String("Conference Room Router"))
        return;
    // Only a known port count trims: -1 (absent) or more than eight would cut
    // the wrong parameters.
    if (m_nTeleconInputs >= 0 && m_nTeleconInputs <= 8) {
        const int unused = qMin(16 - 2 * m_nTeleconInputs, static_cast<int>(m_parameters.size()));
        if (unused > 0)
            truncateParameters(static_cast<int>(m_parameters.size()) - unused);
    }
    m_bHasCounts = true;
    if (m_nMicInputs != 0)
        return;
    for (int i = static_cast<int>(m_parameters.size()) - 1; i >= 0; --i) {
        if (m_parameters.at(i)->text().startsWith(QLatin1String("Pre-AEC Mic")))
            delete m_parameters.takeAt(i);
    }
}

int HNode::channelIndex() const
{
    if (!m_pParent)
        return -1;
    static const QRegularExpression blank(QStringLiteral("\\s"));
    const QStringList pieces = m_sTitle.split(blank);
    const int n = pieces.size() < 2 ? -1 : pieces.at(1).toInt();
    return HDeviceModels::cardPosition(m_pParent->m_sTitle, m_sTitle, n, m_nPortIndex);
}

void HNode::announceRemoval()
{
    if (auto *pComposite = qobject_cast<HComposite *>(this)) {
        for (HNode *pChild : pComposite->children()) {
            if (pChild)
                pChild->announceRemoval();
        }
    }
    emit removingNode(this);
}

void HNode::destroySelf()
{
    announceRemoval();
    delete this;
}
