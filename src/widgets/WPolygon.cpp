#include "widgets/WPolygon.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BToolSelectCommand.h"
#include "commands/BToolVertexCommand.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "utility/LogCategories.h"
#include "utility/UNumbers.h"
#include "xml/XmlWriter.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRectF>
#include <QVariantList>

#include <cmath>

namespace {

constexpr float Eps = 1e-5f;

// -1 below the point, +1 above or level, 0 within eps of its height.
int sideOf(float dy)
{
    if (dy < -Eps)
        return -1;
    if (dy >= Eps)
        return 1;
    return 0;
}

// The vertices' extent; a line or a point gives a box without width or height.
QRectF boundingBox(const QList<QPointF> &vertices)
{
    if (vertices.isEmpty())
        return QRectF();
    qreal left = vertices.first().x();
    qreal right = left;
    qreal top = vertices.first().y();
    qreal bottom = top;
    for (const QPointF &vertex : vertices) {
        left = qMin(left, vertex.x());
        right = qMax(right, vertex.x());
        top = qMin(top, vertex.y());
        bottom = qMax(bottom, vertex.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QString numberText(qreal value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

WPolygon::WPolygon(QQuickItem *pParent)
    : WWidget(pParent)
    , m_reshapeIndex(-1)
    , m_reshapeFinal(false)
    , m_reshapePending(false)
    , m_handlesShown(false)
    , m_grabbedVertex(-1)
    , m_gestureCommand(0)
    , m_bSyncing(false)
{
    m_reshapeTimer.setSingleShot(true);
    m_reshapeTimer.setInterval(ReshapeDelay);
    connect(&m_reshapeTimer, &QTimer::timeout, this, &WPolygon::onReshapeTimerTimeout);
}

WPolygon::~WPolygon() = default;

// ---------------------------------------------------------------- hooks

void WPolygon::setSegmentColor(const QString &, int, bool)
{
}

void WPolygon::onGeometryChange(const QRectF &, const QRectF &)
{
    update();
}

void WPolygon::initWidget(QObject *)
{
    setFlag(QQuickItem::ItemHasContents, true);
}

void WPolygon::destroy()
{
}

void WPolygon::setCanvasItem(QQuickItem *)
{
}

void WPolygon::fitToRect(const QRectF &)
{
}

DPropDialog *WPolygon::createPropertiesDialog(QWidget *pParent)
{
    return WWidget::createPropertiesDialog(pParent);
}

void WPolygon::dump() const
{
    WWidget::dump();
}

bool WPolygon::outputPressed(qreal, qreal)
{
    return false;
}

void WPolygon::setFieldColor(const QString &)
{
}

void WPolygon::setVis(bool vis)
{
    if (m_pWidget)
        QMetaObject::invokeMethod(m_pWidget, vis ? "activateDragHandles" : "deactivateDragHandles");
    if (vis != m_handlesShown) {
        m_handlesShown = vis;
        update();
    }
}

// ---------------------------------------------------------------- text forms

QList<QPointF> WPolygon::parsePath(const QString &text)
{
    QList<QPointF> vertices;
    QString rest = text;
    while (!rest.isEmpty()) {
        QString token;
        const int blank = rest.indexOf(QLatin1Char(' '));
        if (blank <= 0) {
            token = rest;
            rest.clear();
        } else {
            token = rest.left(blank);
            rest = rest.mid(blank + 1);
        }
        const int comma = token.indexOf(QLatin1Char(','));
        if (comma < 1)
            continue;
        vertices.append(QPointF(UNumbers::finiteFloat(token.left(comma)),
                                UNumbers::finiteFloat(token.mid(comma + 1))));
    }
    return vertices;
}

QString WPolygon::pathText(const QList<QPointF> &vertices)
{
    QString text;
    for (const QPointF &vertex : vertices)
        text += numberText(vertex.x()) + QLatin1Char(',') + numberText(vertex.y()) + QLatin1Char(' ');
    return text;
}

QString WPolygon::vertexJson(const QList<QPointF> &vertices)
{
    QJsonArray array;
    for (const QPointF &vertex : vertices)
        array.append(QJsonObject{{QStringLiteral("x"), vertex.x()}, {QStringLiteral("y"), vertex.y()}});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

QList<QPointF> WPolygon::parseVertexJson(const QString &text)
{
    QList<QPointF> vertices;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    const QJsonArray array = document.array();
    for (const QJsonValue &value : array) {
        const QJsonObject vertex = value.toObject();
        const double x = vertex.value(QStringLiteral("x")).toDouble();
        const double y = vertex.value(QStringLiteral("y")).toDouble();
        vertices.append(QPointF(std::isfinite(x) ? x : 0.0, std::isfinite(y) ? y : 0.0));
    }
    return vertices;
}

QString WPolygon::getVertexJson() const
{
    return vertexJson(m_polygon);
}

// The QML copy calls back with every change, also with the list the widget
// just wrote: only a real difference counts.
void WPolygon::saveVertices(const QString &vertexJsonList)
{
    const QList<QPointF> vertices = parseVertexJson(vertexJsonList);
    if (vertices == m_polygon || m_bSyncing)
        return;
    if (canFileEdits()) {
        fileVertexEdit(vertices);
        return;
    }
    m_polygon = vertices;
}

void WPolygon::syncDrawing()
{
    if (!m_pWidget)
        return;
    const bool wasSyncing = m_bSyncing;
    m_bSyncing = true;
    QVariantList model;
    for (const QPointF &vertex : std::as_const(m_polygon))
        model.append(vertex);
    setWidgetProperty("model", model);
    setWidgetProperty("polygon", getVertexJson());
    m_bSyncing = wasSyncing;
}

// ---------------------------------------------------------------- vertices

QPointF WPolygon::vertexAt(int index) const
{
    return index >= 0 && index < m_polygon.size() ? m_polygon.at(index) : QPointF(0, 0);
}

void WPolygon::insertVertex(qreal x, qreal y, int position)
{
    if (position < 0 || position > m_polygon.size())
        return;
    m_polygon.insert(position, QPointF(x, y));
    fitToVertices();
    syncDrawing();
    update();
}

void WPolygon::removeVertex(int index)
{
    if (index < 0 || index >= m_polygon.size())
        return;
    m_polygon.removeAt(index);
    fitToVertices();
    syncDrawing();
    update();
}

WPolygon::Outline WPolygon::outline() const
{
    Outline result;
    result.vertices = m_polygon;
    result.position = QPointF(widgetProperty("x").toReal(), widgetProperty("y").toReal());
    return result;
}

WPolygon::Outline WPolygon::fittedOutline(const QList<QPointF> &vertices) const
{
    Outline result;
    result.vertices = vertices;
    result.position = QPointF(widgetProperty("x").toReal(), widgetProperty("y").toReal());
    if (vertices.isEmpty())
        return result;
    const QPointF corner = boundingBox(vertices).topLeft();
    if (corner.isNull())
        return result;
    for (QPointF &vertex : result.vertices)
        vertex -= corner;
    result.position += corner;
    return result;
}

void WPolygon::setOutline(const Outline &outline)
{
    m_reshapeTimer.stop();
    m_reshapePending = false;
    m_polygon = outline.vertices;
    if (m_pWidget) {
        setWidgetProperty("x", outline.position.x());
        setWidgetProperty("y", outline.position.y());
    }
    fitToVertices();
    syncDrawing();
    update();
}

void WPolygon::fitToVertices()
{
    if (!m_pWidget || m_polygon.isEmpty())
        return;
    const QRectF box = boundingBox(m_polygon);
    const QPointF corner = box.topLeft();
    if (!corner.isNull()) {
        for (QPointF &vertex : m_polygon)
            vertex -= corner;
    }
    setWidgetProperty("x", widgetProperty("x").toFloat() + corner.x());
    setWidgetProperty("y", widgetProperty("y").toFloat() + corner.y());
    setWidgetProperty("width", box.width());
    setWidgetProperty("height", box.height());
}

// ---------------------------------------------------------------- hit tests

// Crossings of a ray to the right; a point on exactly one edge (a touching
// edge) is inside too.
bool WPolygon::containsPoint(float px, float py) const
{
    const int count = int(m_polygon.size());
    if (count == 0)
        return false;
    int crossings = 0;
    int touching = 0;
    for (int i = 0; i < count; ++i) {
        const QPointF &start = m_polygon.at(i);
        const QPointF &end = m_polygon.at((i + 1) % count);
        const float dxStart = float(start.x()) - px;
        const float dyStart = float(start.y()) - py;
        const float dxEnd = float(end.x()) - px;
        const float dyEnd = float(end.y()) - py;
        if (sideOf(dyStart) == sideOf(dyEnd))
            continue;
        if (dxStart > Eps && dxEnd > Eps) {
            ++crossings;
        } else if (dxStart > -Eps && dxEnd > -Eps) {
            ++touching;
        } else if (dxStart > 0 || dxEnd > 0) {
            const float slope = float((end.x() - start.x()) / (end.y() - start.y()));
            if (dxStart > dyStart * slope)
                ++crossings;
        }
    }
    return (crossings % 2) == 1 || touching == 1;
}

int WPolygon::vertexHitAt(float px, float py) const
{
    for (int i = 0; i < m_polygon.size(); ++i) {
        const QPointF &vertex = m_polygon.at(i);
        if (std::fabs(float(vertex.x()) - px) <= VertexGrabDistance
            && std::fabs(float(vertex.y()) - py) <= VertexGrabDistance)
            return i;
    }
    return -1;
}

qreal WPolygon::touchMargin() const
{
    return widgetProperty("touchMargin").toReal();
}

QPointF WPolygon::toVertexSpace(qreal x, qreal y) const
{
    const qreal margin = touchMargin();
    return QPointF(x - margin, y - margin);
}

// ---------------------------------------------------------------- edit gestures

bool WPolygon::editWidget(qreal x, qreal y, int keys, int state)
{
    // The vertex handle under the pointer takes a press itself; a gesture
    // already under way goes on when the pointer crosses a handle.
    if (state == Qt::GestureStarted && widgetProperty("isHandleCtrl").toBool())
        return false;
    QPointF point = toVertexSpace(x, y);
    if (state == Qt::GestureStarted) {
        m_gestureCommand = 0;
        if (keys == int(Qt::ControlModifier))
            return insertGesture(point);
        if (keys == int(Qt::ControlModifier | Qt::ShiftModifier) && deleteGesture(point))
            return true;
        m_grabbedVertex = vertexHitAt(float(point.x()), float(point.y()));
        const bool inside = containsPoint(point);
        if (!inside && m_grabbedVertex < 0)
            return false;
        setVis(true);
        select(keys);
        if (m_grabbedVertex >= 0)
            point = m_polygon.at(m_grabbedVertex);
        m_pressPoint = point;
        m_gestureCommand = m_grabbedVertex < 0 ? BCommandId::ToolDrag : BCommandId::ToolReshape;
    }
    // The press decided the gesture: the keys held later do not change it,
    // and a one-click edit is over with its press.
    const int command = m_gestureCommand;
    if (state == Qt::GestureFinished)
        m_gestureCommand = 0;
    if (command == BCommandId::ToolDrag)
        sendToolStep(point - m_pressPoint, -1, BCommandId::ToolDrag, state);
    else if (command == BCommandId::ToolReshape)
        sendToolStep(point, m_grabbedVertex, BCommandId::ToolReshape, state);
    else
        return false;
    return true;
}

// Control+Shift on a drawn vertex deletes it, as on its handle when that
// is shown; elsewhere the press is an ordinary one.
bool WPolygon::deleteGesture(const QPointF &point)
{
    const int vertex = vertexHitAt(float(point.x()), float(point.y()));
    if (vertex < 0)
        return false;
    m_gestureCommand = BCommandId::ToolDeleteVertex;
    sendToolStep(m_polygon.at(vertex), vertex, BCommandId::ToolDeleteVertex, Qt::GestureFinished);
    return true;
}

// The nearest projection of the click onto an edge it lies along.
bool WPolygon::insertGesture(const QPointF &point)
{
    const int count = int(m_polygon.size());
    int chosen = -1;
    QPointF best;
    double bestDistance = 1000.0;
    for (int i = 0; i < count; ++i) {
        const QPointF a = m_polygon.at(i);
        const QPointF b = m_polygon.at((i + 1) % count);
        const QPointF ab = b - a;
        const double length = std::hypot(ab.x(), ab.y());
        if (length <= 0.0)
            continue;
        const QPointF unit = ab / length;
        const QPointF ap = point - a;
        const double t = unit.x() * ap.x() + unit.y() * ap.y();
        const QPointF projected = a + t * unit;
        const double toA = std::hypot(projected.x() - a.x(), projected.y() - a.y());
        const double toB = std::hypot(projected.x() - b.x(), projected.y() - b.y());
        if (std::fabs(float(toA + toB - length)) > InsertTolerance)
            continue;
        const double distance = std::hypot(projected.x() - point.x(), projected.y() - point.y());
        if (chosen < 0 || distance < bestDistance) {
            chosen = i;
            best = projected;
            bestDistance = distance;
        }
    }
    if (chosen < 0) {
        qCDebug(lcWidgets) << "No valid insert point found for clicked coordinates.";
        return false;
    }
    m_gestureCommand = BCommandId::ToolInsertVertex;
    sendToolStep(QPointF(float(best.x()), float(best.y())), chosen + 1, BCommandId::ToolInsertVertex,
                 Qt::GestureFinished);
    return true;
}

// The tool edits this control, whatever else is selected.
void WPolygon::sendToolStep(const QPointF &point, int index, int commandId, int state)
{
    MModel *pModel = model();
    BToolSelectCommand *pTool = pModel ? pModel->selectTool() : nullptr;
    if (!pTool || !m_pControl)
        return;
    pTool->setTarget(m_pControl);
    pTool->mouseEvent(point, index, commandId, state);
    update();
}

bool WPolygon::canFileEdits() const
{
    const MModel *pModel = model();
    return m_pControl && pModel && pModel->selectTool();
}

// A QML edit (a handle dragged or deleted) becomes the tool command of its
// kind, so that it is undoable and marks the project modified.
void WPolygon::fileVertexEdit(const QList<QPointF> &vertices)
{
    int id = BCommandId::ToolReshape;
    if (vertices.size() == m_polygon.size() - 1)
        id = BCommandId::ToolDeleteVertex;
    else if (vertices.size() == m_polygon.size() + 1)
        id = BCommandId::ToolInsertVertex;
    BCommand *pCommand = BCommandFactory::instance()->createCommand(id);
    auto *pVertexCommand = dynamic_cast<BToolVertexCommand *>(pCommand);
    if (!pVertexCommand) {
        delete pCommand;
        return;
    }
    pVertexCommand->setModel(model());
    pVertexCommand->setTarget(m_pControl);
    pVertexCommand->prepare();
    pVertexCommand->recordEdit(outline(), fittedOutline(vertices));
    BCommand::submit(pVertexCommand);
}

// ---------------------------------------------------------------- reshape steps

void WPolygon::reshape(const QPointF &point, int index, int state)
{
    const bool inList = index >= 0 && index < m_polygon.size();
    if (!inList) {
        // The gesture ends: a move still waiting is applied, not replaced.
        if (m_reshapeTimer.isActive()) {
            m_reshapeTimer.stop();
            applyPendingReshape();
        }
        m_reshapePoint = point;
        m_reshapeIndex = index;
        m_reshapeFinal = state != 0;
        m_reshapePending = true;
        applyPendingReshape();
        return;
    }
    m_reshapePoint = point;
    m_reshapeIndex = index;
    m_reshapeFinal = state != 0;
    m_reshapePending = true;
    if (!m_reshapeTimer.isActive())
        m_reshapeTimer.start();
}

void WPolygon::onReshapeTimerTimeout()
{
    applyPendingReshape();
}

void WPolygon::applyPendingReshape()
{
    if (!m_reshapePending)
        return;
    m_reshapePending = false;
    if (m_reshapeIndex >= 0 && m_reshapeIndex < m_polygon.size()) {
        QPointF &vertex = m_polygon[m_reshapeIndex];
        if (!(qFuzzyCompare(vertex.x(), m_reshapePoint.x()) && qFuzzyCompare(vertex.y(), m_reshapePoint.y()))) {
            vertex = m_reshapePoint;
            syncDrawing();
        }
    } else {
        fitToVertices();
        syncDrawing();
    }
    if (m_reshapeFinal)
        update();
}

// ---------------------------------------------------------------- size

void WPolygon::setWidth(qreal width)
{
    fitToVertices();
    WWidget::setWidth(width);
}

void WPolygon::setHeight(qreal height)
{
    fitToVertices();
    WWidget::setHeight(height);
}

// A polygon without width or height has nothing to scale from: it only moves.
void WPolygon::refitToRect(const QRectF &oldRect, const QRectF &newRect)
{
    if (!m_pWidget)
        return;
    const QPointF shift = newRect.topLeft() - oldRect.topLeft();
    if (!shift.isNull())
        WWidget::moveBy(shift);
    const qreal xFactor = oldRect.width() >= MinScalableSize && std::isfinite(newRect.width())
                              ? newRect.width() / oldRect.width()
                              : 1.0;
    const qreal yFactor = oldRect.height() >= MinScalableSize && std::isfinite(newRect.height())
                              ? newRect.height() / oldRect.height()
                              : 1.0;
    if (xFactor == 1.0 && yFactor == 1.0)
        return;
    scaleVertices(xFactor, yFactor);
    fitToVertices();
    syncDrawing();
    update();
}

void WPolygon::scaleVertices(qreal xFactor, qreal yFactor)
{
    for (QPointF &vertex : m_polygon) {
        vertex.setX(vertex.x() * xFactor);
        vertex.setY(vertex.y() * yFactor);
    }
}

void WPolygon::scaleGeometry(qreal factor, bool both)
{
    WWidget::scaleGeometry(factor, both);
    if (!UNumbers::isPositive(float(factor)))
        return;
    scaleVertices(both ? factor : 1.0 / factor, factor);
}

// ---------------------------------------------------------------- links

void WPolygon::replacePathPrefix(const QString &oldPrefix, const QString &newPrefix)
{
    followRenamedPath(m_path, oldPrefix, newPrefix);
}

// ---------------------------------------------------------------- settings

bool WPolygon::save(XmlWriter *pWriter)
{
    if (!saveStart(pWriter))
        return false;
    savePolygonElements(pWriter, true);
    pWriter->writeTextElement(QStringLiteral("path"), m_path);
    pWriter->writeEndElement(m_sType);
    return true;
}

bool WPolygon::savePolygonElements(XmlWriter *pWriter, bool withFill)
{
    if (withFill)
        pWriter->writeTextElement(QStringLiteral("fieldcolor"), colorPropertyName("fieldColor"));
    pWriter->writeTextElement(QStringLiteral("bordercolor"), colorPropertyName("borderColor"));
    pWriter->writeFloatElement(QStringLiteral("borderwidth"), widgetProperty("borderWidth").toFloat());
    pWriter->writeTextElement(QStringLiteral("polygon"), pathText(m_polygon));
    return true;
}

bool WPolygon::processElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (processRect(name, text))
        return true;
    if (name == QLatin1String("path")) {
        m_path = text;
        return true;
    }
    return processPolygonElement(name, text);
}

bool WPolygon::processPolygonElement(const QString &name, const QString &text)
{
    if (!m_pWidget)
        return false;
    if (name == QLatin1String("fieldcolor") || name == QLatin1String("bordercolor")) {
        setColorProperty(name == QLatin1String("fieldcolor") ? "fieldColor" : "borderColor", text);
    } else if (name == QLatin1String("borderwidth")) {
        setWidgetProperty("borderWidth", UNumbers::finiteFloat(text));
    } else if (name == QLatin1String("polygon")) {
        m_polygon.append(parsePath(text));
        // The item covers the outline, whatever size the file gave it.
        fitToVertices();
        syncDrawing();
    } else {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- property ids

QVariant WPolygon::propertyValue(WidgetPropertyId::Type id) const
{
    switch (id) {
    case WidgetPropertyId::LinkPath:
        return m_path;
    case WidgetPropertyId::FieldColor:
        return widgetProperty("fieldColor");
    default:
        return WWidget::propertyValue(id);
    }
}

void WPolygon::setPropertyValue(WidgetPropertyId::Type id, const QVariant &value)
{
    switch (id) {
    case WidgetPropertyId::LinkPath:
        m_path = value.toString();
        break;
    case WidgetPropertyId::FieldColor:
        setWidgetProperty("fieldColor", value);
        break;
    default:
        WWidget::setPropertyValue(id, value);
        break;
    }
}
