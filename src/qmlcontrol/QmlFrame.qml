import QtQuick
import wframe

// A filled rectangle with an optional border, drawn behind a control's other widgets.
Rectangle {
    id: frame

    property color fieldColor: intrf.fieldColor
    property color borderColor: intrf.borderColor
    property real frameRadius: intrf.controlRadius
    property real borderWidth: 0.5
    property real trueWidth: borderWidth * intrf.pixelScale
    property bool selEnable: true
    property bool hasBorder: true

    x: 0
    y: 0
    width: 200
    height: 200
    z: 1
    visible: false
    radius: frameRadius
    color: fieldColor
    border.width: trueWidth < 1 ? 1 : trueWidth
    border.color: hasBorder ? borderColor : "transparent"

    // Clicks on a frame never reach the items behind it.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
    }

    WFrame {
        objectName: "widget"
    }
}
