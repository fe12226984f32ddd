#include "widgets/WComboSelection.h"

#include "hardware/HNode.h"
#include "model/CControl.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

namespace {

constexpr int SelectorMinimumWidth = 15;
constexpr int SelectorMinimumHeight = 40;

// Shown until a group gives its own.
const char *const DefaultColors[] = {"crimson", "orange", "yellow", "lime", "skyblue", "orchid", "sienna"};

} // namespace

WComboSelection::WComboSelection(QQuickItem *pParent)
    : WWidget(pParent)
    , m_sideMargins(0)
{
    for (const char *color : DefaultColors)
        m_comboColors.append(QLatin1String(color));
    emit comboColorsChanged();
}

WComboSelection::~WComboSelection() = default;

void WComboSelection::initWidget(QObject *)
{
}

void WComboSelection::destroy()
{
}

void WComboSelection::updateFromTransform()
{
}

DPropDialog *WComboSelection::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WComboSelection::setControl(CControl *pControl)
{
    WWidget::setControl(pControl);
    if (pControl)
        pControl->growMinimumSize(SelectorMinimumWidth, SelectorMinimumHeight);
}

// ---------------------------------------------------------------- combinations

QString WComboSelection::getComboColor(int index) const
{
    return m_comboColors.value(index);
}

void WComboSelection::selectorClicked(int index)
{
    if (!m_pNode)
        return;
    m_pNode->setSelectedIndex(index);
    emit selectedIndexChanged();
}

int WComboSelection::selectedIndex() const
{
    return m_pNode ? m_pNode->selectedIndex() : 0;
}

void WComboSelection::setSelectedIndex(int index)
{
    if (m_pNode)
        m_pNode->setSelectedIndex(index);
}

void WComboSelection::onUpdateComboColorList()
{
    m_comboColors = m_pNode ? m_pNode->comboColorList() : QStringList();
    emit comboColorsChanged();
}

void WComboSelection::setNode(HNode *pNode)
{
    unbindNode();
    WWidget::setNode(pNode);
    if (!pNode)
        return;
    onUpdateComboColorList();
    connect(pNode, &HNode::updateComboColorList, this, &WComboSelection::onUpdateComboColorList,
            Qt::UniqueConnection);
}

void WComboSelection::unbindNode()
{
    if (m_pNode)
        disconnect(m_pNode, &HNode::updateComboColorList, this, &WComboSelection::onUpdateComboColorList);
}

// ---------------------------------------------------------------- settings

void WComboSelection::setSideMargins(const QString &text)
{
    m_sideMargins = UNumbers::toInt(text);
    emit sideMarginsChanged();
}

bool WComboSelection::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    pWriter->writeIntElement(QStringLiteral("sideMargins"), m_sideMargins);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WComboSelection::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processFract(name, text))
        return true;
    if (name != QLatin1String("sideMargins"))
        return false;
    setSideMargins(text);
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WComboSelection::propertyValue(WidgetPropertyId::Type id) const
{
    if (id == WidgetPropertyId::SideMargin)
        return m_sideMargins;
    return WWidget::propertyValue(id);
}

void WComboSelection::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    if (id == WidgetPropertyId::SideMargin)
        setSideMargins(value.toString());
    else
        WWidget::setPropertyValue(id, value);
}
