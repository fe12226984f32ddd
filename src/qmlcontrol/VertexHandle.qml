import QtQuick

// The drag handle of one vertex of a PolygonShape, centred on it. Dragging
// moves the vertex and the release hands the outline back to the widget;
// a press with Control and Shift deletes the vertex.
Rectangle {
    id: handle

    property int vertexIndex: 0
    property var shape: null
    readonly property var vertex: shape && vertexIndex < shape.vertices.length
                                  ? shape.vertices[vertexIndex]
                                                                         : ({ "x": 0, "y": 0 })
    property point pressVertex: Qt.point(0, 0)
    property point pressPoint: Qt.point(0, 0)

    width: 10
    height: 10
    x: vertex.x - width / 2
    y: vertex.y - height / 2
    color: "grey"
    visible: shape ? shape.handlesActive : false

    MouseArea {
        id: handleArea

        anchors.fill: parent
        hoverEnabled: true
        onEntered: {
            if (handle.shape)
                handle.shape.isHandleCtrl = true
        }
        onExited: {
            if (handle.shape)
                handle.shape.isHandleCtrl = false
        }
        onPressed: (mouse) => {
            if (!handle.shape)
                return
            if (mouse.modifiers === (Qt.ControlModifier | Qt.ShiftModifier)) {
                handle.shape.deleteVisualVertex(handle.vertex.x, handle.vertex.y)
                return
            }
            handle.pressVertex = Qt.point(handle.vertex.x, handle.vertex.y)
            handle.pressPoint = handleArea.mapToItem(handle.shape, mouse.x, mouse.y)
        }
        onPositionChanged: (mouse) => {
            if (!pressed || !handle.shape)
                return
            var point = handleArea.mapToItem(handle.shape, mouse.x, mouse.y)
            handle.shape.moveVertex(handle.vertexIndex, handle.pressVertex.x + point.x - handle.pressPoint.x,
                                    handle.pressVertex.y + point.y - handle.pressPoint.y)
        }
        onReleased: {
            if (handle.shape)
                handle.shape.savePolygon()
        }
    }
}
