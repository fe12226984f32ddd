import QtQuick
import QtQuick.Shapes
import wlevelbuttons

// A plus and a minus button with a caption and the value between them.
// A click steps once; holding a button keeps stepping every 200 ms and
// keeps sending the bound once it is reached.
Item {
    id: sliderButton

    property real minimumValue: 0
    property real maximumValue: 128
    property int value: 0
    property color knobColor: intrf.canvasColor
    property color plusButtonColor: "transparent"
    property color minusButtonColor: "transparent"
    // The control has no other widget: without its own selection frame it
    // could not be picked, moved or deleted on the canvas.
    property bool selEnable: true
    property bool hasBorder: false
    property bool isCircularEnabled: false
    property string valueText: "80%"
    property string text: "default text"

    readonly property color signColor: Qt.colorEqual(knobColor, intrf.canvasColor) ? intrf.accentColor : knobColor

    // One step up (1) or down (-1); a value at or beyond the bound is set to it.
    function step(direction) {
        if (direction > 0)
            value = value < maximumValue ? value + 1 : Math.floor(maximumValue)
        else
            value = value > minimumValue ? value - 1 : Math.ceil(minimumValue)
        widget.outputValue(value)
    }

    function setFill(direction, filled) {
        if (direction > 0)
            plusButtonColor = filled ? signColor : "transparent"
        else
            minusButtonColor = filled ? signColor : "transparent"
    }

    x: 0
    y: 0
    z: 1
    width: 75
    height: 120
    visible: false

    Timer {
        id: flashTimer
        interval: 100
        repeat: false
        onTriggered: {
            sliderButton.plusButtonColor = "transparent"
            sliderButton.minusButtonColor = "transparent"
        }
    }

    component StepButton: MouseArea {
        id: area
        property int direction: 1
        property bool held: false

        preventStealing: true
        // In edit mode presses go to the selection frame instead.
        enabled: !intrf.editModeEnable
        onPressed: function (mouse) {
            mouse.accepted = true
            held = false
            sliderButton.setFill(direction, true)
            holdTimer.start()
        }
        onReleased: {
            holdTimer.stop()
            sliderButton.setFill(direction, false)
        }
        onCanceled: {
            holdTimer.stop()
            sliderButton.setFill(direction, false)
        }
        onClicked: {
            if (held)
                return
            sliderButton.setFill(direction, true)
            sliderButton.step(direction)
            flashTimer.restart()
        }

        Timer {
            id: holdTimer
            interval: 200
            repeat: false
            onTriggered: {
                if (!area.pressed)
                    return
                area.held = true
                sliderButton.step(area.direction)
                holdTimer.start()
            }
        }
    }

    // Triangles in a rounded frame.
    Rectangle {
        anchors.fill: parent
        visible: !sliderButton.isCircularEnabled
        color: "transparent"
        radius: height / 8
        border.width: 1
        border.color: sliderButton.hasBorder ? intrf.borderColor : "transparent"

        Repeater {
            model: [1, -1]
            delegate: Item {
                id: cell
                required property int modelData
                readonly property bool up: modelData > 0
                x: 7
                y: up ? 7 : sliderButton.height * 2 / 3 + 7
                width: sliderButton.width - 14
                height: sliderButton.height / 3 - 14

                Shape {
                    anchors.fill: parent
                    ShapePath {
                        strokeWidth: 4
                        strokeColor: sliderButton.signColor
                        fillColor: cell.up ? sliderButton.plusButtonColor : sliderButton.minusButtonColor
                        joinStyle: ShapePath.RoundJoin
                        startX: cell.width / 2
                        startY: cell.up ? 0 : cell.height
                        PathLine { x: cell.width; y: cell.up ? cell.height : 0 }
                        PathLine { x: 0; y: cell.up ? cell.height : 0 }
                        PathLine { x: cell.width / 2; y: cell.up ? 0 : cell.height }
                    }
                }
                StepButton {
                    anchors.fill: parent
                    direction: cell.modelData
                }
            }
        }
    }

    // Round-ended buttons in a plain frame.
    Rectangle {
        anchors.fill: parent
        visible: sliderButton.isCircularEnabled
        color: "transparent"
        border.width: 2
        border.color: sliderButton.hasBorder ? intrf.borderColor : "transparent"

        Repeater {
            model: [1, -1]
            delegate: Rectangle {
                id: round
                required property int modelData
                x: 5
                y: modelData > 0 ? 5 : sliderButton.height * 2 / 3 + 5
                width: sliderButton.width - 10
                height: sliderButton.height / 3 - 10
                radius: height / 2
                border.width: 4
                border.color: sliderButton.signColor
                color: modelData > 0 ? sliderButton.plusButtonColor : sliderButton.minusButtonColor

                Text {
                    anchors.centerIn: parent
                    text: round.modelData > 0 ? "+" : "-"
                    color: sliderButton.signColor
                    font.family: "Helvetica"
                    font.pixelSize: Math.max(1, round.height * 0.8)
                }
                StepButton {
                    anchors.fill: parent
                    direction: round.modelData
                }
            }
        }
    }

    Text {
        x: 0
        y: sliderButton.height / 3
        width: sliderButton.width
        height: sliderButton.height / 3
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: sliderButton.text + "\n" + sliderButton.valueText
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, height * 0.4)
        // A long caption shrinks, and at last elides, to the buttons' width.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Math.min(6, font.pixelSize)
        elide: Text.ElideRight
    }

    WLevelButtons {
        id: widget
        objectName: "widget"
    }
}
