import QtQuick

// A text button of the canvas boxes and menus.
Rectangle {
    id: button

    property string text: ""
    property real textPixels: Math.max(1, Math.round(intrf.menuTextSize * intrf.pixelScale))

    signal clicked()

    width: Math.max(label.implicitWidth + 2 * textPixels, 4 * textPixels)
    height: 2 * textPixels
    radius: intrf.controlRadius * intrf.pixelScale
    color: area.pressed ? Qt.darker(intrf.accentColor, 1.2) : intrf.accentColor

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        color: "#FFFFFF"
        font.family: "Helvetica"
        font.pixelSize: button.textPixels
    }

    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
