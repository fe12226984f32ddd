import QtQuick

// Selection overlay of a control's widget: a drag frame with a right and a
// bottom resize handle. Gestures go to the canvas tools through "intrf" as
// offsets from the press point in the pressed area's own coordinates: the
// area moves with the control, so each offset is the movement since the
// previous event, which is what the tools apply.
Item {
    id: selection

    property bool vis: false
    property bool enableedit: true
    // False over a widget that cannot be selected itself: no frame or handles,
    // only the presses and drags for its control.
    property bool decorated: true
    property real handleSize: 8 * intrf.pixelScale
    property point pressPoint: Qt.point(0, 0)

    signal select(int keys)

    anchors.fill: parent
    z: 1000

    function offsetFrom(mouse) {
        return Qt.point(mouse.x - pressPoint.x, mouse.y - pressPoint.y)
    }

    onVisibleChanged: {
        if (!visible)
            intrf.cancelEdit()
    }

    Keys.onPressed: (event) => {
        intrf.keyEvent(event.key, event.modifiers, event.isAutoRepeat, Qt.GestureStarted)
        event.accepted = true
    }
    Keys.onReleased: (event) => {
        intrf.keyEvent(event.key, event.modifiers, event.isAutoRepeat, Qt.GestureFinished)
        event.accepted = true
    }

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 2
        border.color: intrf.accentColor
        visible: selection.vis && selection.decorated
    }

    MouseArea {
        id: dragArea
        anchors.fill: parent
        onPressed: (mouse) => {
            selection.forceActiveFocus()
            selection.select(mouse.modifiers)
            selection.pressPoint = Qt.point(mouse.x, mouse.y)
            if (selection.enableedit)
                intrf.moveControl(0, 0, Qt.GestureStarted)
        }
        onPositionChanged: (mouse) => {
            if (!selection.enableedit)
                return
            var offset = selection.offsetFrom(mouse)
            intrf.moveControl(offset.x, offset.y, Qt.GestureUpdated)
        }
        onReleased: (mouse) => {
            if (!selection.enableedit)
                return
            var offset = selection.offsetFrom(mouse)
            intrf.moveControl(offset.x, offset.y, Qt.GestureFinished)
        }
        // The grab was taken away (the window lost activation): no release
        // will come, so the gesture ends where it got to.
        onCanceled: {
            if (selection.enableedit)
                intrf.moveControl(0, 0, Qt.GestureFinished)
        }
        onDoubleClicked: intrf.doubleClickControl()
    }

    Rectangle {
        id: rightHandle
        width: selection.handleSize
        height: selection.handleSize
        anchors.horizontalCenter: parent.right
        anchors.verticalCenter: parent.verticalCenter
        color: intrf.accentColor
        visible: selection.vis && selection.enableedit && selection.decorated

        MouseArea {
            id: rightArea
            anchors.fill: parent
            cursorShape: Qt.SizeHorCursor
            onPressed: (mouse) => {
                selection.pressPoint = Qt.point(mouse.x, mouse.y)
                intrf.resizeControl(0, 0, Qt.RightEdge, Qt.GestureStarted)
            }
            onPositionChanged: (mouse) => {
                intrf.resizeControl(selection.offsetFrom(mouse).x, 0, Qt.RightEdge,
                                    Qt.GestureUpdated)
            }
            onReleased: (mouse) => {
                intrf.resizeControl(selection.offsetFrom(mouse).x, 0, Qt.RightEdge,
                                    Qt.GestureFinished)
            }
            onCanceled: intrf.resizeControl(0, 0, Qt.RightEdge, Qt.GestureFinished)
        }
    }

    Rectangle {
        id: bottomHandle
        width: selection.handleSize
        height: selection.handleSize
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: parent.bottom
        color: intrf.accentColor
        visible: selection.vis && selection.enableedit && selection.decorated

        MouseArea {
            id: bottomArea
            anchors.fill: parent
            cursorShape: Qt.SizeVerCursor
            onPressed: (mouse) => {
                selection.pressPoint = Qt.point(mouse.x, mouse.y)
                intrf.resizeControl(0, 0, Qt.BottomEdge, Qt.GestureStarted)
            }
            onPositionChanged: (mouse) => {
                intrf.resizeControl(0, selection.offsetFrom(mouse).y, Qt.BottomEdge,
                                    Qt.GestureUpdated)
            }
            onReleased: (mouse) => {
                intrf.resizeControl(0, selection.offsetFrom(mouse).y, Qt.BottomEdge,
                                    Qt.GestureFinished)
            }
            onCanceled: intrf.resizeControl(0, 0, Qt.BottomEdge, Qt.GestureFinished)
        }
    }
}
