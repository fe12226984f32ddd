import QtQuick
import QtQuick.Shapes

// Drawing and editing shared by the polygon controls (region, room
// selector). The vertices are in item coordinates and drawn exactly there;
// the touch zone reaches touchMargin beyond the item on every side, and the
// widget maps its coordinates back by that margin. "polygon" carries the
// vertex list as JSON both ways: the widget writes it, and every change in
// QML (a handle dragged or deleted) goes back to the widget, which files
// the edit as a command and writes the fitted list back.
Item {
    id: regionBounds

    // The native widget declared inside the file.
    property var widget: null
    property color fieldColor: intrf.fieldColor
    property color borderColor: intrf.borderColor
    property real borderWidth: 4
    property bool selEnable: false
    // The touch zone and the handles hand edit-mode presses to the widget
    // themselves: no selection overlay may lie over them.
    readonly property bool takesEditPresses: true
    property string polygon: ""
    property var vertices: []
    property var pathLineList: []
    property var handleList: []
    property bool isHandleCtrl: false
    property bool isShapeDrawn: false
    property bool handlesActive: false
    property real touchMargin: 10
    // Whether a save after a visual insert goes back to the widget at once.
    property bool saveOnInsert: false
    readonly property int minimumVertices: 3
    // The outline as drawn: every vertex and back to the first.
    readonly property var outlinePoints: {
        var points = []
        for (var i = 0; i < vertices.length; ++i)
            points.push(Qt.point(vertices[i].x, vertices[i].y))
        if (points.length > 0)
            points.push(points[0])
        return points
    }

    visible: false

    onVisibleChanged: intrf.cancelEdit()
    onPolygonChanged: {
        drawPolygon()
        if (widget)
            widget.saveVertices(polygon)
    }

    Keys.onPressed: (event) => {
        intrf.keyEvent(event.key, event.modifiers, event.isAutoRepeat, Qt.GestureStarted)
        event.accepted = true
    }
    Keys.onReleased: (event) => {
        intrf.keyEvent(event.key, event.modifiers, event.isAutoRepeat, Qt.GestureFinished)
        event.accepted = true
    }

    function parseVertices(json) {
        if (json.length === 0)
            return []
        try {
            var list = JSON.parse(json)
            return Array.isArray(list) ? list : []
        } catch (error) {
            console.log("Error parsing JSON: " + error + " " + json)
            return []
        }
    }

    function drawPolygon() {
        var list = parseVertices(polygon)
        var copy = []
        for (var i = 0; i < list.length; ++i)
            copy.push({ "x": Number(list[i].x) || 0, "y": Number(list[i].y) || 0 })
        vertices = copy
        pathLineList = copy
        isShapeDrawn = true
    }

    function savePolygon() {
        polygon = JSON.stringify(vertices, null, 4)
    }

    function moveVertex(index, x, y) {
        if (index < 0 || index >= vertices.length)
            return
        var list = vertices.slice()
        list[index] = { "x": x, "y": y }
        vertices = list
    }

    function insertVisualVertex(index, x, y) {
        var list = vertices.slice()
        list.splice(Math.max(0, Math.min(index, list.length)), 0, { "x": x, "y": y })
        vertices = list
        if (saveOnInsert)
            savePolygon()
    }

    function deleteVisualVertex(x, y) {
        // Fewer than three vertices draw nothing that could be picked again.
        if (vertices.length <= minimumVertices)
            return
        var list = []
        for (var i = 0; i < vertices.length; ++i) {
            if (vertices[i].x !== x || vertices[i].y !== y)
                list.push(vertices[i])
        }
        vertices = list
        isHandleCtrl = false
        savePolygon()
    }

    function moveAllVertices(json) {
        var list = parseVertices(json)
        if (list.length < vertices.length) {
            console.log("We have more points than handles for some reason.")
            return
        }
        vertices = list
    }

    function activateDragHandles() {
        handlesActive = true
    }

    function deactivateDragHandles() {
        handlesActive = false
        isHandleCtrl = false
    }

    Shape {
        x: 0
        y: 0
        width: regionBounds.width
        height: regionBounds.height

        // A border below one pixel is drawn one pixel wide; the width the
        // user chose stays as chosen and is saved as such.
        ShapePath {
            objectName: "outline"
            strokeWidth: Math.max(1, regionBounds.borderWidth)
            strokeColor: regionBounds.borderColor
            fillColor: regionBounds.fieldColor
            strokeStyle: ShapePath.SolidLine
            PathPolyline { path: regionBounds.outlinePoints }
        }
    }

    MouseArea {
        id: touchZone

        anchors.fill: parent
        anchors.margins: -regionBounds.touchMargin

        onPressed: (mouse) => {
            if (!regionBounds.widget) {
                mouse.accepted = false
                return
            }
            if (intrf.editModeEnable) {
                mouse.accepted = regionBounds.widget.editWidget(mouse.x, mouse.y, mouse.modifiers,
                                                                Qt.GestureStarted)
                if (mouse.accepted) {
                    regionBounds.forceActiveFocus()
                    cursorShape = Qt.SizeAllCursor
                }
            } else {
                mouse.accepted = regionBounds.widget.outputPressed(mouse.x, mouse.y)
            }
        }
        onPositionChanged: (mouse) => {
            if (intrf.editModeEnable && regionBounds.widget)
                regionBounds.widget.editWidget(mouse.x, mouse.y, mouse.modifiers, Qt.GestureUpdated)
        }
        onReleased: (mouse) => {
            cursorShape = Qt.ArrowCursor
            if (intrf.editModeEnable && regionBounds.widget)
                regionBounds.widget.editWidget(mouse.x, mouse.y, mouse.modifiers, Qt.GestureFinished)
        }
        onDoubleClicked: intrf.doubleClickControl()
    }

    Repeater {
        model: regionBounds.vertices.length

        VertexHandle {
            required property int index

            vertexIndex: index
            shape: regionBounds
        }
    }
}
