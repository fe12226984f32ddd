import QtQuick

// A round lamp that blinks every half second while flashing.
Rectangle {
    id: led

    property color onColor: "#8BC34A"
    property color offColor: "#404040"
    property bool isOn: false
    property bool isFlashing: false
    property bool blinkPhase: true

    width: 12
    height: 12
    radius: width / 2
    color: isOn && (!isFlashing || blinkPhase) ? onColor : offColor
    border.color: Qt.darker(color, 1.5)
    border.width: 1

    Timer {
        interval: 500
        repeat: true
        running: led.isFlashing && led.visible
        onTriggered: led.blinkPhase = !led.blinkPhase
        onRunningChanged: led.blinkPhase = true
    }
}
