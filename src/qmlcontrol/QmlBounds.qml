import QtQuick
import wframe

// An invisible rectangle that marks a control's extent; it cannot be selected.
Rectangle {
    property bool selEnable: false

    x: 0
    y: 0
    width: 200
    height: 200
    z: 1
    visible: false
    color: "transparent"
    border.width: 1
    border.color: "transparent"

    WFrame {
        objectName: "widget"
    }
}
