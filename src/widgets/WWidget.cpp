#include "widgets/WWidget.h"

#include "commands/BToolSelectCommand.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DPropPageFactory.h"
#include "hardware/HNode.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "protocols/PProtocol.h"
#include "transforms/TTransform.h"
#include "utility/LogCategories.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QColor>
#include <QDebug>
#include <QUrl>

#include <cmath>

namespace {

const char *const SelectionOverlayUrl = "qrc:/qmlcontrol/QmlSelect.qml";

} // namespace

WWidget::WWidget(QQuickItem *pParent)
    : QQuickItem(pParent)
    , m_dXFract(0.0)
    , m_dYFract(0.0)
    , m_dWidthFract(1.0)
    , m_dHeightFract(1.0)
    , m_nId(0)
    , m_nLink(0)
    , m_bUpdating(false)
    , m_bOutputEnabled(true)
{
}

WWidget::~WWidget()
{
    clearSelection();
}

// ---------------------------------------------------------------- slots

void WWidget::outputValue(int value)
{
    qCDebug(lcWidgets) << "" << value;
}

void WWidget::outputChecked(bool state)
{
    qCDebug(lcWidgets) << "" << (state ? "true" : "false");
}

void WWidget::outputCurrentIndex(int index)
{
    qCDebug(lcWidgets) << "" << index;
}

void WWidget::outputCurrentText(const QString &text)
{
    qCDebug(lcWidgets) << "" << text;
}

void WWidget::onTextChanged()
{
    qCDebug(lcWidgets) << "";
}

QString WWidget::getToolTip(bool hover)
{
    if (!hover || !m_pControl)
        return QString();
    return m_pControl->title();
}

void WWidget::onOnlineStateChanged(bool)
{
}

void WWidget::select(int keys)
{
    if (m_pControl && model())
        runSelectTool(keys);
}

void WWidget::runSelectTool(int keys)
{
    BToolSelectCommand *pTool = model()->selectTool();
    if (!pTool)
        return;
    pTool->setModifiers(keys);
    pTool->select(m_pControl);
    pTool->run(0);
}

// ---------------------------------------------------------------- hooks with empty defaults

void WWidget::initWidget(QObject *)
{
}

void WWidget::destroy()
{
}

void WWidget::setupFromParameter(CAttributes *)
{
}

void WWidget::refresh()
{
}

void WWidget::setCanvasItem(QQuickItem *)
{
}

void WWidget::reshape(const QPointF &, int, int)
{
}

void WWidget::updateFromTransform()
{
}

bool WWidget::canAcceptDrop(HNode *, const QString &)
{
    return false;
}

void WWidget::setLabelText(const QString &)
{
}

void WWidget::setChildControl(CControl *)
{
}

CControl *WWidget::childControl() const
{
    return nullptr;
}

void WWidget::setLinkTarget(CControl *)
{
}

void WWidget::executeCommand(const QString &)
{
}

bool WWidget::hasAttributes() const
{
    return false;
}

void WWidget::storeAttributes(CAttributes *)
{
    DMessageBox::warning(nullptr, QObject::tr("Warning"), QObject::tr("No properties for this control."));
}

bool WWidget::hasTitle() const
{
    return true;
}

// Each kind's page is a row of the page table.
DPropDialog *WWidget::createPropertiesDialog(QWidget *pParent)
{
    return DPropPageFactory::createPage(this, pParent);
}

void WWidget::replaceLinkPrefix(const QString &, const QString &)
{
}

QString WWidget::localImageFile(const QString &path)
{
    const QUrl url(path);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (!url.scheme().isEmpty() || path.startsWith(QLatin1Char(':')) || path.contains(QLatin1String("../")))
        return QString();
    return path;
}

bool WWidget::followRenamedPath(QString &path, const QString &oldPrefix, const QString &newPrefix)
{
    static const QChar Separator = QLatin1Char('\\');
    if (oldPrefix.isEmpty() || !path.startsWith(oldPrefix))
        return false;
    const QString rest = path.mid(oldPrefix.size());
    if (!rest.isEmpty() && !rest.startsWith(Separator) && !oldPrefix.endsWith(Separator))
        return false;
    path = newPrefix + rest;
    return true;
}

void WWidget::reloadImages()
{
}

void WWidget::dump() const
{
    qCDebug(lcWidgets) << "WWidget" << m_sType << m_pWidget.data();
}

void WWidget::attachModel(MModel *)
{
}

void WWidget::unbindNode()
{
}

void WWidget::linkValue(WWidget *pSource)
{
    qCDebug(lcWidgets) << "" << this << pSource;
}

// ---------------------------------------------------------------- bindings

void WWidget::setWidget(QObject *pItem)
{
    m_pWidget = pItem;
}

void WWidget::setControl(CControl *pControl)
{
    m_pControl = pControl;
}

void WWidget::setNode(HNode *pNode)
{
    m_pNode = pNode;
}

void WWidget::setTransform(TTransform *pTransform)
{
    m_pTransform = pTransform;
}

void WWidget::setLinkedWidget(WWidget *pWidget)
{
    m_pLinkedWidget = pWidget != this ? pWidget : nullptr;
}

void WWidget::setProtocol(PProtocol *pProtocol)
{
    if (m_pProtocol)
        disconnect(m_pProtocol, &PProtocol::onlineStateChanged, this, &WWidget::onOnlineStateChanged);
    m_pProtocol = pProtocol;
    if (m_pProtocol)
        connect(m_pProtocol, &PProtocol::onlineStateChanged, this, &WWidget::onOnlineStateChanged);
}

PProtocol *WWidget::protocol() const
{
    return m_pProtocol;
}

TTransform *WWidget::transform() const
{
    return m_pTransform;
}

HNode *WWidget::node() const
{
    return m_pNode;
}

CControl *WWidget::control() const
{
    return m_pControl;
}

MModel *WWidget::model() const
{
    return m_pControl ? m_pControl->model() : nullptr;
}

bool WWidget::isOutputAllowed() const
{
    return !m_bUpdating && m_pTransform && m_pProtocol && m_bOutputEnabled;
}

bool WWidget::isType(const QString &type) const
{
    return m_sType == type;
}

// ---------------------------------------------------------------- QML item access

QVariant WWidget::widgetProperty(const char *name) const
{
    return m_pWidget ? m_pWidget->property(name) : QVariant();
}

// A value already shown is not written again: the write would notify its
// bindings and draw a frame for nothing, on every poll reply.
void WWidget::setWidgetProperty(const char *name, const QVariant &value)
{
    if (m_pWidget && m_pWidget->property(name) != value)
        m_pWidget->setProperty(name, value);
}

void WWidget::setColorProperty(const char *name, const QString &text)
{
    setWidgetProperty(name, QColor::fromString(text));
}

QString WWidget::colorPropertyName(const char *name) const
{
    return widgetProperty(name).value<QColor>().name(QColor::HexArgb);
}

QString WWidget::localFileUrl(const QString &text)
{
    const QUrl url(text);
    const QString path = url.isLocalFile() ? url.toLocalFile() : text;
    return QUrl::fromLocalFile(path).toString();
}

void WWidget::setText(const QString &text)
{
    setWidgetProperty("text", text);
}

QString WWidget::text() const
{
    return widgetProperty("text").toString();
}

void WWidget::setWidgetVisible(bool visible)
{
    setWidgetProperty("visible", visible);
}

void WWidget::setWidgetParentItem(QQuickItem *pItem)
{
    if (auto *pItemSelf = qobject_cast<QQuickItem *>(m_pWidget.data()))
        pItemSelf->setParentItem(pItem);
}

void WWidget::setWidgetRect(const QRectF &rect)
{
    setWidgetProperty("x", rect.x());
    setWidgetProperty("y", rect.y());
    setWidgetProperty("width", rect.width());
    setWidgetProperty("height", rect.height());
}

QRectF WWidget::widgetRect() const
{
    if (!m_pWidget)
        return QRectF(0, 0, 0, 0);
    return QRectF(m_pWidget->property("x").toReal(), m_pWidget->property("y").toReal(),
                  m_pWidget->property("width").toReal(), m_pWidget->property("height").toReal());
}

QRectF WWidget::geometry() const
{
    return widgetRect();
}

QRectF WWidget::savedGeometry() const
{
    return geometry();
}

// ---------------------------------------------------------------- selection overlay

void WWidget::setSelected(bool selected)
{
    clearSelection();
    if (!selected || !m_pWidget || !m_pControl)
        return;
    const bool decorated = m_pWidget->property("selEnable").toBool();
    // A kind whose QML takes its own edit-mode presses (the polygons) gets no
    // catcher: it would take the presses meant for the outline and its
    // vertices, and those in the item's box that miss the outline.
    if (!decorated && m_pWidget->property("takesEditPresses").toBool())
        return;
    MModel *pModel = model();
    QObject *pOverlay = pModel ? pModel->createQmlObject(QUrl(QLatin1String(SelectionOverlayUrl)), m_pWidget)
                               : nullptr;
    if (!pOverlay)
        return;
    (decorated ? m_pSelection : m_pPressCatcher) = pOverlay;
    pOverlay->setProperty("decorated", decorated);
    pOverlay->setProperty("enabled", true);
    pOverlay->setProperty("enableedit", !m_pControl->dropSite());
    connect(pOverlay, SIGNAL(select(int)), this, SLOT(select(int)));
}

void WWidget::clearSelection()
{
    for (QPointer<QObject> *pOverlay : {&m_pSelection, &m_pPressCatcher}) {
        if (*pOverlay)
            (*pOverlay)->deleteLater();
        *pOverlay = nullptr;
    }
}

void WWidget::setVis(bool vis)
{
    QObject *pTarget = m_pSelection ? m_pSelection.data() : m_pWidget.data();
    if (pTarget && pTarget->property("vis").toBool() != vis)
        pTarget->setProperty("vis", vis);
}

// ---------------------------------------------------------------- geometry

void WWidget::setFractions(double x, double y, double width, double height)
{
    m_dXFract = x;
    m_dYFract = y;
    m_dWidthFract = width;
    m_dHeightFract = height;
}

void WWidget::fitToRect(const QRectF &rect)
{
    if (!m_pWidget)
        return;
    setWidgetProperty("x", float(rect.x() + m_dXFract * rect.width()));
    setWidgetProperty("y", float(rect.y() + m_dYFract * rect.height()));
    setWidgetProperty("width", float(m_dWidthFract * rect.width()));
    setWidgetProperty("height", float(m_dHeightFract * rect.height()));
}

void WWidget::refitToRect(const QRectF &oldRect, const QRectF &newRect)
{
    if (!m_pWidget)
        return;
    if (newRect.width() != oldRect.width() || newRect.x() != oldRect.x()) {
        setWidgetProperty("x", float(newRect.x() + m_dXFract * newRect.width()));
        setWidgetProperty("width", float(m_dWidthFract * newRect.width()));
    }
    if (newRect.height() != oldRect.height() || newRect.y() != oldRect.y()) {
        setWidgetProperty("y", float(newRect.y() + m_dYFract * newRect.height()));
        setWidgetProperty("height", float(m_dHeightFract * newRect.height()));
    }
}

void WWidget::moveBy(const QPointF &offset)
{
    if (!m_pWidget)
        return;
    setWidgetProperty("x", widgetProperty("x").toReal() + offset.x());
    setWidgetProperty("y", widgetProperty("y").toReal() + offset.y());
}

void WWidget::scaleGeometry(qreal factor, bool both)
{
    // A factor that is not positive would collapse the item or divide by zero.
    if (!m_pWidget || !m_pControl || !UNumbers::isPositive(float(factor)))
        return;
    const QRectF rect = widgetRect();
    const qreal horizontal = both ? factor : 1.0 / factor;
    setWidgetProperty("y", rect.y() * factor);
    setWidgetProperty("height", rect.height() * factor);
    setWidgetProperty("x", rect.x() * horizontal);
    setWidgetProperty("width", rect.width() * horizontal);
}

qreal WWidget::controlX() const
{
    return m_pControl ? m_pControl->bounds().x() : 0.0;
}

qreal WWidget::controlY() const
{
    return m_pControl ? m_pControl->bounds().y() : 0.0;
}

qreal WWidget::controlWidth() const
{
    return m_pControl ? m_pControl->bounds().width() : 0.0;
}

qreal WWidget::controlHeight() const
{
    return m_pControl ? m_pControl->bounds().height() : 0.0;
}

void WWidget::setX(qreal x)
{
    if (!m_pControl || !std::isfinite(x))
        return;
    QRectF rect = m_pControl->bounds();
    rect.moveLeft(x);
    m_pControl->fitToRect(rect);
}

void WWidget::setY(qreal y)
{
    if (!m_pControl || !std::isfinite(y))
        return;
    QRectF rect = m_pControl->bounds();
    rect.moveTop(y);
    m_pControl->fitToRect(rect);
}

void WWidget::setWidth(qreal width)
{
    if (!m_pControl || !std::isfinite(width))
        return;
    QRectF rect = m_pControl->bounds();
    rect.setWidth(width);
    resizeControl(rect);
}

void WWidget::setHeight(qreal height)
{
    if (!m_pControl || !std::isfinite(height))
        return;
    QRectF rect = m_pControl->bounds();
    rect.setHeight(height);
    resizeControl(rect);
}

void WWidget::resizeControl(const QRectF &rect)
{
    QRectF fitted = rect;
    m_pControl->fitToRect(fitted);
    m_pControl->saveLayout();
}

// ---------------------------------------------------------------- common XML

bool WWidget::save(XmlWriter *pWriter)
{
    if (!pWriter)
        return false;
    if (m_nId != 0)
        pWriter->writeUIntElement(QStringLiteral("id"), m_nId);
    if (m_nLink != 0)
        pWriter->writeUIntElement(QStringLiteral("link"), m_nLink);
    const QRectF rect = savedGeometry();
    pWriter->writeFloatElement(QStringLiteral("x"), float(rect.x()));
    pWriter->writeFloatElement(QStringLiteral("y"), float(rect.y()));
    pWriter->writeFloatElement(QStringLiteral("width"), float(rect.width()));
    pWriter->writeFloatElement(QStringLiteral("height"), float(rect.height()));
    pWriter->writeUIntElement(QStringLiteral("z"), quint32(qMax(0.0, widgetProperty("z").toDouble())));
    pWriter->writeFloatElement(QStringLiteral("xfract"), float(m_dXFract));
    pWriter->writeFloatElement(QStringLiteral("yfract"), float(m_dYFract));
    pWriter->writeFloatElement(QStringLiteral("widthfract"), float(m_dWidthFract));
    pWriter->writeFloatElement(QStringLiteral("heightfract"), float(m_dHeightFract));
    return true;
}

bool WWidget::saveStart(XmlWriter *pWriter)
{
    if (!pWriter)
        return false;
    pWriter->writeStartElement(m_sType);
    return WWidget::save(pWriter);
}

bool WWidget::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text) || processIdLink(name, text) || processFract(name, text))
        return true;
    if (name == QLatin1String("title")) {
        setWidgetProperty("text", text);
        return true;
    }
    return false;
}

bool WWidget::processRect(const QString &name, const QString &text)
{
    if (!m_pWidget) {
        qCWarning(lcWidgets) << "m_pWidget is not defined";
        return false;
    }
    if (name == QLatin1String("x") || name == QLatin1String("y") || name == QLatin1String("width")
        || name == QLatin1String("height")) {
        setWidgetProperty(name.toLatin1().constData(), UNumbers::finiteFloat(text));
        return true;
    }
    if (name == QLatin1String("z")) {
        setWidgetProperty("z", UNumbers::toInt(text));
        return true;
    }
    return false;
}

bool WWidget::processIdLink(const QString &name, const QString &text)
{
    if (name == QLatin1String("id")) {
        m_nId = UNumbers::toUInt(text);
        return true;
    }
    if (name == QLatin1String("link")) {
        m_nLink = UNumbers::toUInt(text);
        return true;
    }
    return false;
}

bool WWidget::processFract(const QString &name, const QString &text)
{
    markSliderLabel();
    const double value = UNumbers::finiteFloat(text);
    if (name == QLatin1String("xfract")) {
        // Moves the left edge and keeps the right one.
        m_dWidthFract -= value - m_dXFract;
        m_dXFract = value;
    } else if (name == QLatin1String("yfract")) {
        m_dHeightFract -= value - m_dYFract;
        m_dYFract = value;
    } else if (name == QLatin1String("widthfract")) {
        m_dWidthFract = value;
    } else if (name == QLatin1String("heightfract")) {
        m_dHeightFract = value;
    } else {
        return false;
    }
    return true;
}

void WWidget::markSliderLabel()
{
    if (m_sType == QLatin1String("label") && m_pControl && m_pControl->type() == QLatin1String("Slider"))
        setWidgetProperty("sliderLabel", true);
}

// ---------------------------------------------------------------- property ids

QVariant WWidget::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::XPos:
        return int(float(controlX()));
    case WidgetPropertyId::YPos:
        return int(float(controlY()));
    case WidgetPropertyId::Width:
        return int(float(controlWidth()));
    case WidgetPropertyId::Height:
        return int(float(controlHeight()));
    case WidgetPropertyId::Text:
        return text();
    case WidgetPropertyId::HasBorder:
        return widgetProperty("hasBorder");
    case WidgetPropertyId::TextColor:
        return widgetProperty("textColor");
    case WidgetPropertyId::FieldColor:
        return widgetProperty("fieldColor");
    case WidgetPropertyId::BorderWidth:
        return widgetProperty("borderWidth");
    case WidgetPropertyId::BorderColor:
        return widgetProperty("borderColor");
    default:
        return QString();
    }
}

void WWidget::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::XPos:
        setX(value.toFloat());
        break;
    case WidgetPropertyId::YPos:
        setY(value.toFloat());
        break;
    case WidgetPropertyId::Width:
        setWidth(value.toFloat());
        break;
    case WidgetPropertyId::Height:
        setHeight(value.toFloat());
        break;
    case WidgetPropertyId::Text:
        setWidgetProperty("text", value.toString());
        break;
    case WidgetPropertyId::HasBorder:
        setWidgetProperty("hasBorder", value);
        break;
    case WidgetPropertyId::TextColor:
        setWidgetProperty("textColor", value);
        break;
    case WidgetPropertyId::FieldColor:
        setWidgetProperty("fieldColor", value);
        break;
    case WidgetPropertyId::BorderWidth:
        setWidgetProperty("borderWidth", value);
        break;
    case WidgetPropertyId::BorderColor:
        setWidgetProperty("borderColor", value);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- title and diagnostics

QString WWidget::title() const
{
    if (!m_pNode)
        return QString();
    const QString label = m_pNode->label();
    if (!m_pControl
        || !(label.startsWith(QLatin1String("DizoZU")) || label.startsWith(QLatin1String("Zaro_RA"))))
        return label;
    static const char *const Bands[] = {"Low", "Mid", "High"};
    const QString &name = m_pControl->name();
    for (int band = 0; band < 3; ++band) {
        const QString number = QString::number(band + 1);
        if (name.startsWith(QLatin1String("Level ") + number) || name.startsWith(QLatin1String("Bypass ") + number))
            return label + QLatin1Char(':') + QLatin1String(Bands[band]);
    }
    return label;
}

void WWidget::dumpInfo() const
{
    qCDebug(lcWidgets) << "WWidget id" << m_nId << "link" << m_nLink << "linked" << m_pLinkedWidget.data() << "item"
             << m_pWidget.data();
}
