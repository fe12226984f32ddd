#include "widgets/WRoomSelection.h"

#include "dialogs/DMessageBox.h"
#include "hardware/HNode.h"
#include "hardware/HRCGroupInfo.h"
#include "model/MModel.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {

// The connection indicator's image while no processor is connected.
const char *const OfflineIndicator = "indicator_red.png";

} // namespace

WRoomSelection::WRoomSelection(QQuickItem *pParent)
    : WPolygon(pParent)
    , m_isSelected(false)
    , m_selectedOpacity(DefaultOpacity)
    , m_unselectedOpacity(DefaultOpacity)
    , m_showSelected(false)
{
    setRoomColor(HRCGroupInfo::noComboColor());
}

WRoomSelection::~WRoomSelection() = default;

void WRoomSelection::setSegmentColor(const QString &, int, bool)
{
}

DPropDialog *WRoomSelection::createPropertiesDialog(QWidget *pParent)
{
    previewSelected();
    return WPolygon::createPropertiesDialog(pParent);
}

// ---------------------------------------------------------------- colour

void WRoomSelection::setRoomColor(const QString &color)
{
    if (color == m_roomColor)
        return;
    bool changed = false;
    {
        QMutexLocker locker(&m_colorMutex);
        m_roomColor = color;
        const bool selected = color != HRCGroupInfo::noComboColor();
        changed = selected != m_isSelected;
        m_isSelected = selected;
    }
    // Outside the lock: a handler may set a colour again.
    if (changed)
        emit isSelectedChanged();
}

void WRoomSelection::previewSelected()
{
    setRoomColor(m_showSelected ? HRCGroupInfo::comboColors().value(0) : HRCGroupInfo::noComboColor());
}

void WRoomSelection::updateFromTransform()
{
    if (m_pNode)
        setRoomColor(m_pNode->roomColor(-1));
}

void WRoomSelection::onQueryResponseReady()
{
    updateFromTransform();
}

void WRoomSelection::onUpdateRoomColor(const QString &color, int)
{
    setRoomColor(color);
}

void WRoomSelection::onSendMessage(const QString &message, int)
{
    if (!m_pProtocol || !m_pTransform || message.isEmpty())
        return;
    m_pTransform->setValueText(message);
    m_pProtocol->sendValue(m_pTransform);
}

// The box waits for the event loop: the signal comes from inside the
// processing of a reply, which a nested loop must not run under.
void WRoomSelection::onShowErrorDialog(const QString &message, int)
{
    MModel *pModel = model();
    if (!pModel || !pModel->qmlInterface())
        return;
    QMetaObject::invokeMethod(
        this, [message]() { DMessageBox::warning(nullptr, tr("Room Combine Failure"), message); },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- presses

bool WRoomSelection::isOffline() const
{
    const MModel *pModel = model();
    if (!pModel)
        return true;
    const QString indicator = pModel->qmlProperty(QStringLiteral("connectInd")).toString();
    return QFileInfo(indicator).fileName() == QLatin1String(OfflineIndicator);
}

bool WRoomSelection::outputPressed(qreal x, qreal y)
{
    const bool inside = containsPoint(toVertexSpace(x, y));
    if (inside && m_pNode && !isOffline())
        m_pNode->controlClicked();
    return inside;
}

// ---------------------------------------------------------------- node

void WRoomSelection::setNode(HNode *pNode)
{
    unbindNode();
    WPolygon::setNode(pNode);
    if (!pNode)
        return;
    connect(pNode, &HNode::queryResponseReady, this, &WRoomSelection::onQueryResponseReady,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    connect(pNode, &HNode::updateRoomColor, this, &WRoomSelection::onUpdateRoomColor,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    connect(pNode, &HNode::sendMessage, this, &WRoomSelection::onSendMessage, Qt::UniqueConnection);
    connect(pNode, &HNode::showErrorDialog, this, &WRoomSelection::onShowErrorDialog, Qt::UniqueConnection);
}

void WRoomSelection::unbindNode()
{
    if (!m_pNode)
        return;
    disconnect(m_pNode, &HNode::queryResponseReady, this, &WRoomSelection::onQueryResponseReady);
    disconnect(m_pNode, &HNode::updateRoomColor, this, &WRoomSelection::onUpdateRoomColor);
    disconnect(m_pNode, &HNode::sendMessage, this, &WRoomSelection::onSendMessage);
    disconnect(m_pNode, &HNode::showErrorDialog, this, &WRoomSelection::onShowErrorDialog);
}

// ---------------------------------------------------------------- settings

bool WRoomSelection::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    savePolygonElements(pWriter, false);
    pWriter->writeFloatElement(QStringLiteral("selectedOpacity"), m_selectedOpacity);
    pWriter->writeFloatElement(QStringLiteral("unselectedOpacity"), m_unselectedOpacity);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WRoomSelection::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text))
        return true;
    // A room's fill follows its state, and it links nowhere.
    if (name == QLatin1String("path") || name == QLatin1String("fieldcolor"))
        return true;
    if (name == QLatin1String("selectedOpacity")) {
        m_selectedOpacity = UNumbers::finiteFloat(text);
        emit selectedOpacityChanged();
        return true;
    }
    if (name == QLatin1String("unselectedOpacity")) {
        m_unselectedOpacity = UNumbers::finiteFloat(text);
        emit unselectedOpacityChanged();
        return true;
    }
    return processPolygonElement(name, text);
}

// ---------------------------------------------------------------- property ids

QVariant WRoomSelection::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::SelectedOpacity:
        return m_selectedOpacity;
    case WidgetPropertyId::UnselectedOpacity:
        return m_unselectedOpacity;
    case WidgetPropertyId::ShowSelected:
        return m_showSelected;
    default:
        return WPolygon::propertyValue(id);
    }
}

void WRoomSelection::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::SelectedOpacity:
        m_selectedOpacity = UNumbers::finiteFloat(value.toString());
        emit selectedOpacityChanged();
        break;
    case WidgetPropertyId::UnselectedOpacity:
        m_unselectedOpacity = UNumbers::finiteFloat(value.toString());
        emit unselectedOpacityChanged();
        break;
    case WidgetPropertyId::ShowSelected:
        m_showSelected = value.toBool();
        previewSelected();
        break;
    default:
        WPolygon::setPropertyValue(id, value);
        break;
    }
}
