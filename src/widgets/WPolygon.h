#pragma once

#include "widgets/WWidget.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QTimer>

// Native half of a control whose shape is a free polygon (the region and the
// room selector). It owns the vertex list, in item coordinates starting at
// (0, 0); the QML file draws it and keeps a copy that the two sides exchange
// as JSON through the "polygon" property. The QML touch zone reaches beyond
// the item by the file's "touchMargin"; presses are mapped into vertex
// coordinates once, here, so the hit tests match what is drawn.
// Every vertex edit, whether from a gesture or from a QML handle, runs as an
// undoable tool command that restores the exact outline.
class WPolygon : public WWidget
{
    Q_OBJECT

public:
    // Milliseconds a reshape step waits, so that quick steps coalesce.
    static constexpr int ReshapeDelay = 100;
    // How far from a vertex a press still grabs it.
    static constexpr float VertexGrabDistance = 4.0f;
    // How far off an edge's span a Control-click may be to insert on it.
    static constexpr float InsertTolerance = 1.0f;
    // Below this the item has no size to scale from.
    static constexpr double MinScalableSize = 1e-3;

    // The vertices and where the item stands: all a vertex edit changes.
    struct Outline
    {
        QList<QPointF> vertices;
        QPointF position;
        bool operator==(const Outline &other) const
        {
            return vertices == other.vertices && position == other.position;
        }
        bool operator!=(const Outline &other) const { return !(*this == other); }
    };

    explicit WPolygon(QQuickItem *pParent = nullptr);
    ~WPolygon() override;

    virtual void setSegmentColor(const QString &color, int index, bool deferUpdate);
    virtual void onGeometryChange(const QRectF &newRect, const QRectF &oldRect);

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void scaleGeometry(qreal factor, bool both) override;
    void fitToRect(const QRectF &rect) override;
    // Moves the item and scales the vertices to the new size.
    void refitToRect(const QRectF &oldRect, const QRectF &newRect) override;
    // A step of the reshape tool: index in the list moves that vertex after
    // the delay; any other index ends the gesture at once.
    void reshape(const QPointF &point, int index, int state) override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void setVis(bool vis) override;
    void dump() const override;
    void setWidth(qreal width) override;
    void setHeight(qreal height) override;

    Q_INVOKABLE void setFieldColor(const QString &color);
    Q_INVOKABLE QString getVertexJson() const;
    // The QML copy changed: an edit of a bound control runs as a command.
    Q_INVOKABLE void saveVertices(const QString &vertexJsonList);

    // ---- vertices
    const QList<QPointF> &vertices() const { return m_polygon; }
    // (0, 0) outside the list.
    QPointF vertexAt(int index) const;
    // position 0 to count (count appends); refits.
    void insertVertex(qreal x, qreal y, int position);
    // index 0 to count - 1; refits.
    void removeVertex(int index);
    Outline outline() const;
    // Puts back a recorded outline and redraws it.
    void setOutline(const Outline &outline);
    // The outline a list would give once fitted to start at (0, 0).
    Outline fittedOutline(const QList<QPointF> &vertices) const;
    void fitToVertices();

    // ---- hit tests, in vertex coordinates
    bool containsPoint(float px, float py) const;
    bool containsPoint(const QPointF &point) const { return containsPoint(float(point.x()), float(point.y())); }
    // The first vertex within the grab distance, -1 for none.
    int vertexHitAt(float px, float py) const;
    // From the touch zone's coordinates to the vertices'.
    QPointF toVertexSpace(qreal x, qreal y) const;
    qreal touchMargin() const;

    const QString &linkPath() const { return m_path; }
    bool handlesShown() const { return m_handlesShown; }
    int grabbedVertex() const { return m_grabbedVertex; }

    // ---- the two text forms
    // "x,y " per vertex (up to 6 significant digits); unreadable numbers are
    // 0, tokens without a comma after their first character are skipped.
    static QList<QPointF> parsePath(const QString &text);
    static QString pathText(const QList<QPointF> &vertices);
    static QString vertexJson(const QList<QPointF> &vertices);
    // Empty for text that is no JSON array.
    static QList<QPointF> parseVertexJson(const QString &text);

public slots:
    // A run-mode press at (x, y) of the touch zone; whether it was taken.
    virtual bool outputPressed(qreal x, qreal y);
    // An edit-mode mouse step (state 1 press, 2 move, 3 release); whether
    // the event is taken. A press that misses the shape is left to what
    // lies below.
    bool editWidget(qreal x, qreal y, int keys, int state);

protected:
    bool savePolygonElements(XmlWriter *pWriter, bool withFill);
    bool processPolygonElement(const QString &name, const QString &text);
    // Rewrites the path when it leads to the renamed panel or below it.
    void replacePathPrefix(const QString &oldPrefix, const QString &newPrefix);
    // Hands the vertex list to the QML drawing.
    void syncDrawing();

    QString m_path;

private slots:
    void onReshapeTimerTimeout();

private:
    // Only a press acts; both return whether it was taken.
    bool insertGesture(const QPointF &point);
    bool deleteGesture(const QPointF &point);
    void sendToolStep(const QPointF &point, int index, int commandId, int state);
    bool canFileEdits() const;
    void fileVertexEdit(const QList<QPointF> &vertices);
    void applyPendingReshape();
    void scaleVertices(qreal xFactor, qreal yFactor);

    QList<QPointF> m_polygon;
    QTimer m_reshapeTimer;
    QPointF m_reshapePoint;
    int m_reshapeIndex;
    bool m_reshapeFinal;
    bool m_reshapePending;
    bool m_handlesShown;
    int m_grabbedVertex;
    // The tool command the current edit press started, 0 for none.
    int m_gestureCommand;
    QPointF m_pressPoint;
    // Set while the widget writes its own list into QML.
    bool m_bSyncing;
};
