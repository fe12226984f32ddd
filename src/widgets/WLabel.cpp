#include "widgets/WLabel.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "utility/LogCategories.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QDebug>

namespace {

const char *const LabelMark = "*LABEL*";

struct Face
{
    quint32 marker;
    const char *name;
    const char *open;
    const char *close;
};

const Face Faces[] = {{WLabel::MarkBold, "bold", "<b>", "</b>"},
                      {WLabel::MarkItalic, "italic", "<i>", "</i>"},
                      {WLabel::MarkUnderline, "underline", "<u>", "</u>"}};

} // namespace

WLabel::WLabel(QQuickItem *pParent)
    : WWidget(pParent)
    , m_nMarkers(0)
{
}

WLabel::~WLabel() = default;

void WLabel::initWidget(QObject *)
{
}

void WLabel::destroy()
{
}

void WLabel::setCanvasItem(QQuickItem *)
{
}

void WLabel::properties()
{
}

void WLabel::redraw(QQuickItem *pParent)
{
    if (!pParent) {
        qCDebug(lcWidgets) << "No parent lebel for WLabel";
        return;
    }
    pParent->update();
}

DPropDialog *WLabel::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// The format goes first: text set in the old format would be laid out once
// as plain text only to be laid out again as rich text.
void WLabel::setLabelText(const QString &text)
{
    setWidgetProperty("textFormat", int(Qt::RichText));
    setWidgetProperty("text", text);
}

// ---------------------------------------------------------------- node

void WLabel::setNode(HNode *pNode)
{
    unbindNode();
    WWidget::setNode(pNode);
    if (pNode)
        connect(pNode, &HNode::labelChangedByReload, this, &WLabel::onLabelChangedByReload, Qt::UniqueConnection);
}

void WLabel::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::labelChangedByReload, this, &WLabel::onLabelChangedByReload);
}

// A text that is the old label, or begins with it, follows the new one.
void WLabel::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    const QString plain = plainText();
    if (plain == oldLabel)
        setLabelText(newLabel);
    else if (!oldLabel.isEmpty() && plain.startsWith(oldLabel))
        setText(newLabel + plain.mid(oldLabel.size()));
}

// ---------------------------------------------------------------- text and faces

// Takes off, outermost first, each wrapper of a recorded face once; any other
// markup, and every "<" or ">" of the text itself, stays.
QString WLabel::plainText() const
{
    QString plain = text();
    quint32 pending = m_nMarkers & (MarkBold | MarkItalic | MarkUnderline);
    bool stripped = true;
    while (pending && stripped) {
        stripped = false;
        for (const Face &face : Faces) {
            const QLatin1String open(face.open);
            const QLatin1String close(face.close);
            if (!(pending & face.marker) || plain.size() < open.size() + close.size()
                || !plain.startsWith(open) || !plain.endsWith(close))
                continue;
            plain = plain.mid(open.size(), plain.size() - open.size() - close.size());
            pending &= ~face.marker;
            stripped = true;
        }
    }
    return plain;
}

void WLabel::applyFace(const QString &face)
{
    if (!m_pWidget)
        return;
    for (const Face &entry : Faces) {
        if (face == QLatin1String(entry.name)) {
            setText(QLatin1String(entry.open) + text() + QLatin1String(entry.close));
            m_nMarkers |= entry.marker;
            return;
        }
    }
}

void WLabel::writeFaces(XmlWriter *pWriter) const
{
    if (isMarked(MarkBold))
        pWriter->writeTextElement(QStringLiteral("face"), QStringLiteral("bold"));
    else if (isMarked(MarkItalic))
        pWriter->writeTextElement(QStringLiteral("face"), QStringLiteral("italic"));
    if (isMarked(MarkUnderline))
        pWriter->writeTextElement(QStringLiteral("face"), QStringLiteral("underline"));
}

QString WLabel::replaceLabelMark(const QString &text) const
{
    if (!m_pControl) {
        qCDebug(lcWidgets) << "Null parent found when processing WLabel";
        return text;
    }
    QString replacement = m_pControl->nodeName();
    const QStringList parts = replacement.split(QLatin1Char('-'));
    if (parts.size() == 2 && m_pControl->name() == QLatin1String("Room Name"))
        replacement = QLatin1Char('[') + parts.at(1);
    return QString(text).replace(QLatin1String(LabelMark), replacement);
}

// ---------------------------------------------------------------- alignment and scale

void WLabel::applyAlignment(const QString &text)
{
    if (!m_pWidget)
        return;
    int alignment = AlignLeft;
    if (text.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0)
        alignment = AlignCenter;
    else if (text.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
        alignment = AlignRight;
    setWidgetProperty("horizontalAlignment", alignment);
}

QString WLabel::alignmentName() const
{
    const int alignment = widgetProperty("horizontalAlignment").toInt();
    if (alignment == AlignCenter)
        return QStringLiteral("center");
    if (alignment == AlignRight)
        return QStringLiteral("right");
    return QStringLiteral("left");
}

void WLabel::applyScale(const QString &text)
{
    setWidgetProperty("textScale", UNumbers::finiteFloat(text));
}

// The shortest general form, always with a decimal point ("2.0", "1.25").
QString WLabel::scaleText() const
{
    if (!m_pWidget)
        return QString();
    QString text = QString::number(widgetProperty("textScale").toDouble(), 'g', 6);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QLatin1String(".0");
    return text;
}

void WLabel::writeScale(XmlWriter *pWriter) const
{
    if (isMarked(MarkScale))
        pWriter->writeTextElement(QStringLiteral("scale"), scaleText());
}

void WLabel::applySwitch(const QString &name, const QString &text)
{
    const bool on = text == QLatin1String("true");
    if (name == QLatin1String("edit")) {
        setWidgetProperty("enableEdit", on);
        m_nMarkers |= MarkEdit;
    } else if (name == QLatin1String("select")) {
        setWidgetProperty("selEnable", on);
        m_nMarkers |= MarkSelect;
    } else {
        setWidgetProperty("autoSize", on);
        m_nMarkers |= MarkAutosize;
    }
}

// ---------------------------------------------------------------- settings

bool WLabel::processElement(const QString &name, const QString &text)
{
    return processLabelElement(name, text);
}

bool WLabel::processLabelElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("text")) {
        setLabelText(replaceLabelMark(text));
    } else if (name == QLatin1String("align")) {
        applyAlignment(text);
    } else if (name == QLatin1String("face")) {
        applyFace(text);
    } else if (name == QLatin1String("color")) {
        setColorProperty("textColor", text);
    } else if (name == QLatin1String("rotation")) {
        m_nMarkers |= MarkRotation;
        setWidgetProperty("rotation", UNumbers::finiteFloat(text));
    } else if (name == QLatin1String("scale")) {
        m_nMarkers |= MarkScale;
        applyScale(text);
    } else if (name == QLatin1String("edit") || name == QLatin1String("select")
               || name == QLatin1String("autosize")) {
        applySwitch(name, text);
    } else {
        qCDebug(lcWidgets).noquote() << "Unexpected value for WLabel attribute name: " + name;
        return false;
    }
    return true;
}

bool WLabel::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeTextElement(QStringLiteral("text"), plainText());
    pWriter->writeTextElement(QStringLiteral("align"), alignmentName());
    pWriter->writeTextElement(QStringLiteral("color"), colorPropertyName("textColor"));
    writeFaces(pWriter);
    if (isMarked(MarkRotation))
        pWriter->writeTextElement(QStringLiteral("rotation"),
                                  QString::number(widgetProperty("rotation").toDouble(), 'g', 6));
    writeScale(pWriter);
    if (isMarked(MarkEdit))
        pWriter->writeTextElement(QStringLiteral("edit"), widgetProperty("enableEdit").toBool() ? "true" : "false");
    if (isMarked(MarkSelect))
        pWriter->writeTextElement(QStringLiteral("select"), widgetProperty("selEnable").toBool() ? "true" : "false");
    if (isMarked(MarkAutosize))
        pWriter->writeTextElement(QStringLiteral("autosize"), widgetProperty("autoSize").toBool() ? "true" : "false");
    pWriter->writeEndElement(m_sType);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WLabel::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::Align: {
        const QString name = alignmentName();
        if (name == QLatin1String("center"))
            return QStringLiteral("Center");
        if (name == QLatin1String("right"))
            return QStringLiteral("Right");
        return QStringLiteral("Left");
    }
    case WidgetPropertyId::Scale:
        return scaleText();
    default:
        return WWidget::propertyValue(id);
    }
}

void WLabel::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::Align:
        applyAlignment(value.toString());
        break;
    case WidgetPropertyId::Scale:
        m_nMarkers |= MarkScale;
        applyScale(value.toString());
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
