#include "widgets/WDropList.h"

#include "hardware/HGroup.h"
#include "hardware/HNode.h"
#include "hardware/HParameterSet.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "views/VModeManager.h"
#include "widgets/WDelegate.h"
#include "xml/XmlWriter.h"

#include <QFile>
#include <QQuickItem>
#include <QTextStream>

#include <algorithm>

namespace {

const char *const ParameterSetListTitle = "PSetList";

// Qt's text alignment flags as the item takes them.
constexpr int AlignLeft = 1;
constexpr int AlignRight = 2;
constexpr int AlignCenter = 4;

// The ","-sections of a text up to the first empty one.
QStringList sections(const QString &text)
{
    QStringList list;
    for (int i = 0;; ++i) {
        const QString section = text.section(QLatin1Char(','), i, i);
        if (section.isEmpty())
            return list;
        list.append(section);
    }
}

} // namespace

WDropList::WDropList(QQuickItem *pParent)
    : WWidget(pParent)
    , m_nCurrentIndex(-1)
    , m_nIndex1ForQuery(-1)
    , m_bSourceList(false)
{
}

WDropList::~WDropList() = default;

void WDropList::initWidget(QObject *)
{
}

void WDropList::destroy()
{
}

void WDropList::setCanvasItem(QQuickItem *)
{
}

bool WDropList::hasTitle() const
{
    return true;
}

DPropDialog *WDropList::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- binding

void WDropList::setupFromParameter(CAttributes *pAttributes)
{
    if (pAttributes && m_pTransform && m_nIndex1ForQuery > 0)
        m_pTransform->setIndexes(2, 0, 0);
}

void WDropList::setNode(HNode *pNode)
{
    if (m_pNode)
        unbindNode();
    WWidget::setNode(pNode);
    if (!pNode)
        return;
    connect(pNode, &HNode::labelChangedByReload, this, &WDropList::onLabelChangedByReload, Qt::UniqueConnection);
    connect(pNode, &HNode::listChangedByReload, this, &WDropList::onListChangedByReload, Qt::UniqueConnection);
}

void WDropList::unbindNode()
{
    if (!m_pNode)
        return;
    disconnect(m_pNode, &HNode::labelChangedByReload, this, &WDropList::onLabelChangedByReload);
    disconnect(m_pNode, &HNode::listChangedByReload, this, &WDropList::onListChangedByReload);
}

void WDropList::setTransform(TTransform *pTransform)
{
    if (m_pTransform)
        disconnect(m_pTransform, &TTransform::replyValueReady, this, &WDropList::updateFromTransform);
    WWidget::setTransform(pTransform);
    if (pTransform)
        connect(pTransform, &TTransform::replyValueReady, this, &WDropList::updateFromTransform,
                Qt::UniqueConnection);
}

bool WDropList::isParameterSetList() const
{
    return m_pNode && m_pNode->title() == QLatin1String(ParameterSetListTitle);
}

bool WDropList::isPosition(int index) const
{
    return index >= 0 && index < m_itemList.size() && index < m_indexList.size();
}

// ---------------------------------------------------------------- the popup

void WDropList::popupList(QObject *pObject)
{
    // One list at a time: a second click replaces the first list.
    if (m_pPopup && m_pPopup != pObject)
        closePopup();
    if (!pObject)
        return;
    m_pPopup = pObject;
    VModeManager *pManager = VModeManager::instance();
    pManager->setModalObject(pObject);
    auto *pItem = qobject_cast<QQuickItem *>(pObject);
    if (auto *pRoot = qobject_cast<QQuickItem *>(pManager->canvasRoot()); pItem && pRoot)
        pItem->setParentItem(pRoot);
    connect(pObject, SIGNAL(listClick(int)), this, SLOT(listSelect(int)), Qt::UniqueConnection);
    pObject->setProperty("model", m_itemList);
    pObject->setProperty("index", m_nCurrentIndex);
}

void WDropList::closePopup()
{
    if (m_pPopup) {
        disconnect(m_pPopup, nullptr, this, nullptr);
        VModeManager *pManager = VModeManager::instance();
        if (pManager->modalObject() == m_pPopup)
            pManager->setModalObject(nullptr);
        m_pPopup->deleteLater();
    }
    m_pPopup = nullptr;
}

void WDropList::listSelect(int index)
{
    if (m_pWidget && index >= 0 && index < m_itemList.size()) {
        outputCurrentIndex(index);
        showEntry(index);
    }
    closePopup();
    VModeManager::instance()->setModalObject(nullptr);
}

void WDropList::showEntry(int index)
{
    setWidgetProperty("currentText", m_itemList.value(index));
    setWidgetProperty("currentIndex", index);
}

// ---------------------------------------------------------------- values out and back

void WDropList::outputCurrentIndex(int index)
{
    if (!m_pWidget)
        return;
    const bool parameterSetList = isParameterSetList();
    // A parameter-set list recalls its set again even when it is the one shown.
    if (index == m_nCurrentIndex && !parameterSetList)
        return;
    if (!isPosition(index))
        return;
    m_nCurrentIndex = index;
    if (!m_pTransform || !m_pProtocol || !m_bOutputEnabled)
        return;
    // A parameter set goes by its own number, as its text link sends it: a
    // set stands at different places in different lists.
    const int value = m_indexList.at(index);
    m_pTransform->setValue(static_cast<unsigned int>(value));
    m_pProtocol->sendValue(m_pTransform);
}

void WDropList::updateFromTransform()
{
    if (!m_pTransform)
        return;
    int value = 0;
    m_pTransform->replyValue(value);
    m_bOutputEnabled = false;
    const int index = int(m_indexList.indexOf(value));
    m_nCurrentIndex = index;
    if (isPosition(index))
        showEntry(index);
    m_bOutputEnabled = true;
}

// ---------------------------------------------------------------- builders

void WDropList::clearLists()
{
    m_itemList.clear();
    m_indexList.clear();
}

void WDropList::buildFromText(const QString &text)
{
    if (!m_pWidget)
        return;
    clearLists();
    for (const QString &section : sections(text)) {
        m_itemList.append(section);
        m_indexList.append(int(m_itemList.size()));
    }
}

bool WDropList::isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

// The file lies beside the project file. Anything else, or a file larger than
// a list, would copy foreign text into the project and on to the devices.
void WDropList::buildFromFile(const QString &name)
{
    if (!m_pWidget)
        return;
    clearLists();
    const QString source = WDelegate::instance()->sourceFile();
    const qsizetype slash = source.lastIndexOf(QLatin1Char('/'));
    if (!isPlainFileName(name) || slash < 0)
        return;
    QFile file(source.left(slash + 1) + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > MaxListFileBytes)
        return;
    QTextStream stream(file.read(MaxListFileBytes + 1));
    QStringList lines;
    QString line;
    while (stream.readLineInto(&line)) {
        if (lines.size() >= MaxListFileLines)
            return;
        lines.append(line);
    }
    for (const QString &text : std::as_const(lines)) {
        m_itemList.append(text);
        m_indexList.append(int(m_itemList.size()));
    }
}

void WDropList::buildFromNode(const QString &text)
{
    if (!m_pWidget)
        return;
    if (text == QLatin1String("ItemAndIndexes")) {
        QStringList names;
        QList<int> ids;
        if (!m_pNode || !m_pNode->parameterSetLists(names, ids))
            return;
        clearLists();
        const qsizetype count = std::min(names.size(), ids.size());
        m_itemList = names.mid(0, count);
        m_indexList = ids.mid(0, count);
        return;
    }
    HNode *pParent = m_pNode ? m_pNode->parentNode() : nullptr;
    QList<HNode *> nodes;
    if (!pParent || !pParent->collectByCategory(m_pNode->category(), &nodes))
        return;
    pParent->sortById(&nodes);
    clearLists();
    for (const HNode *pNode : std::as_const(nodes)) {
        if (!pNode || pNode->nodeId() == -1)
            continue;
        m_itemList.append(pNode->label());
        m_indexList.append(pNode->index());
    }
}

void WDropList::buildFromGroup()
{
    auto *pGroup = qobject_cast<HGroup *>(m_pNode.data());
    if (!m_pWidget || !pGroup)
        return;
    setWidgetProperty("model", pGroup->entries());
    clearLists();
    for (const QString &entry : pGroup->entries()) {
        m_itemList.append(entry);
        m_indexList.append(int(m_itemList.size()));
    }
    // The group keeps the name the design gave it: the control is bound to
    // the group, and a save writes that name as the control's block.
}

void WDropList::buildFromLabels()
{
    m_bSourceList = true;
    QStringList labels;
    if (!m_pWidget || !m_pNode || !m_pNode->labelList(labels))
        return;
    clearLists();
    // Counted from 0, unlike every other list.
    for (const QString &label : std::as_const(labels)) {
        m_indexList.append(int(m_itemList.size()));
        m_itemList.append(label);
    }
}

bool WDropList::holdsNodeNumbers() const
{
    if (!m_pNode)
        return false;
    QStringList names;
    QList<int> ids;
    return m_pNode->parameterSetLists(names, ids) || qobject_cast<const HParameterSet *>(m_pNode.data());
}

// Lists counted from 0 were stored counted from 1. A list of node ids or set
// numbers holds 0 as a value of its own and is taken as written.
void WDropList::readValues(const QString &text)
{
    QList<int> values;
    for (const QString &section : sections(text))
        values.append(UNumbers::toInt(section));
    if (values.contains(0) && !holdsNodeNumbers()) {
        for (int &value : values)
            ++value;
    }
    m_indexList = values;
}

void WDropList::onLabelChangedByReload(const QString &oldLabel, const QString &newLabel)
{
    const qsizetype position = m_itemList.indexOf(oldLabel);
    if (position >= 0)
        m_itemList[position] = newLabel;
    if (widgetProperty("currentText").toString() == oldLabel)
        setWidgetProperty("currentText", newLabel);
}

void WDropList::onListChangedByReload(const QString &newList)
{
    if (newList == QLatin1String("ParameterSets"))
        buildFromNode(QString());
    else if (newList == QLatin1String("Parameter Set List"))
        buildFromNode(QStringLiteral("ItemAndIndexes"));
    else if (m_pNode)
        buildFromText(m_pNode->choiceText());
}

// ---------------------------------------------------------------- alignment

QString WDropList::alignText() const
{
    switch (widgetProperty("horizontalAlignment").toInt()) {
    case AlignCenter:
        return QStringLiteral("Center");
    case AlignRight:
        return QStringLiteral("Right");
    default:
        return QStringLiteral("Left");
    }
}

void WDropList::setAlignText(const QString &text)
{
    int alignment = AlignLeft;
    if (text.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0)
        alignment = AlignCenter;
    else if (text.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
        alignment = AlignRight;
    setWidgetProperty("horizontalAlignment", alignment);
}

// ---------------------------------------------------------------- XML

bool WDropList::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    QStringList values;
    if (m_pWidget) {
        for (int value : std::as_const(m_indexList))
            values.append(QString::number(value));
    }
    pWriter->writeTextElement(QStringLiteral("msg"), m_pWidget ? m_itemList.join(QLatin1Char(',')) : QString());
    pWriter->writeTextElement(QStringLiteral("index"), values.join(QLatin1Char(',')));
    pWriter->writeIntElement(QStringLiteral("hasBorder"), widgetProperty("hasBorder").toBool() ? 1 : 0);
    pWriter->writeTextElement(QStringLiteral("align"), alignText());
    if (m_nIndex1ForQuery > 0)
        pWriter->writeIntElement(QStringLiteral("index1ForQuery"), m_nIndex1ForQuery);
    if (m_bSourceList)
        pWriter->writeIntElement(QStringLiteral("sourceList"), 1);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WDropList::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("msg"))
        buildFromText(text);
    else if (name == QLatin1String("file"))
        buildFromFile(text);
    else if (name == QLatin1String("node"))
        buildFromNode(text);
    else if (name == QLatin1String("group"))
        buildFromGroup();
    else if (name == QLatin1String("index"))
        readValues(text);
    else if (name == QLatin1String("item")) {
        if (m_pNode)
            buildFromText(m_pNode->choiceText());
    } else if (name == QLatin1String("hasBorder"))
        setWidgetProperty("hasBorder", UNumbers::toInt(text) != 0);
    else if (name == QLatin1String("align"))
        setAlignText(text);
    else if (name == QLatin1String("index1ForQuery"))
        m_nIndex1ForQuery = UNumbers::toInt(text);
    else if (name == QLatin1String("sourceList"))
        buildFromLabels();
    else
        return false;
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WDropList::propertyValue(WidgetPropertyId::Type id) const
{
    if (id == WidgetPropertyId::Align)
        return alignText();
    return WWidget::propertyValue(id);
}

void WDropList::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    if (id == WidgetPropertyId::Align)
        setAlignText(value.toString());
    else
        WWidget::setPropertyValue(id, value);
}
