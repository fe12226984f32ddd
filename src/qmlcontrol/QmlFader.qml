import QtQuick
import wslider

// A fader: a groove with a round knob. Positions run from minimumValue to
// maximumValue; a drag reports every new position to the widget, a value set
// from outside only moves the knob. The content is laid out upright; a
// rotation of 90 turns the whole item into a horizontal fader.
Item {
    id: slider

    property real rWidth: rotation !== 0 ? height : width
    property real rHeight: rotation !== 0 ? width : height
    property real minimumValue: 0
    property real maximumValue: 128
    property int value: 0
    property int scrollby: 2
    property real knobSize: rWidth
    property color knobColor: intrf.canvasColor
    // positions per pixel of travel
    property real positionScale: 1
    property bool invert: true
    property bool bipolar: false
    property bool selEnable: false
    property real oldXPos: 0
    property real oldYPos: 0

    x: 0
    y: 0
    z: 1
    width: 25
    height: 320
    visible: false

    function travel() {
        return Math.max(0, rHeight - knobSize)
    }

    function updateScale() {
        var length = travel()
        positionScale = length > 0 ? (maximumValue - minimumValue) / length : 0
        placeKnob()
    }

    // The knob's offset along the travel for a position.
    function offsetOf(position) {
        var offset = positionScale > 0 ? (position - minimumValue) / positionScale : 0
        offset = Math.max(0, Math.min(offset, travel()))
        return invert ? travel() - offset : offset
    }

    function positionAt(offset) {
        var along = invert ? travel() - offset : offset
        return Math.round(positionScale * along + minimumValue)
    }

    function placeKnob() {
        oldYPos = knob.y
        knob.y = offsetOf(value)
    }

    onKnobSizeChanged: updateScale()
    onMinimumValueChanged: updateScale()
    onMaximumValueChanged: updateScale()
    onRHeightChanged: updateScale()
    onValueChanged: {
        if (dragArea.dragging) {
            widget.setIsSendNeeded(true)
            widget.outputValue(value)
        } else {
            widget.setIsSendNeeded(false)
            placeKnob()
        }
    }
    Component.onCompleted: updateScale()

    Item {
        id: content
        width: slider.rWidth
        height: slider.rHeight
        anchors.centerIn: parent

        // The groove: the maximum side in the groove colour, the minimum side in the accent.
        Rectangle {
            id: groove
            width: slider.rWidth * 0.25
            height: slider.travel()
            x: (slider.rWidth - width) / 2
            y: slider.knobSize / 2
            border.width: 1
            border.color: intrf.borderColor
            color: widget.isDizoZuControl ? intrf.accentColor : intrf.grooveColor1
        }

        Rectangle {
            property real knobCentre: knob.y + slider.knobSize / 2
            x: groove.x
            width: groove.width
            y: slider.invert ? knobCentre : groove.y
            height: Math.max(0, slider.invert ? groove.y + groove.height - knobCentre : knobCentre - groove.y)
            border.width: 1
            border.color: intrf.borderColor
            color: intrf.accentColor
        }

        Rectangle {
            id: knob
            x: (slider.rWidth - width) / 2
            width: slider.knobSize
            height: slider.knobSize
            radius: slider.knobSize / 2
            color: slider.knobColor
            border.width: 4
            border.color: intrf.accentColor

            Behavior on y {
                enabled: !dragArea.dragging
                NumberAnimation { duration: 50 }
            }
        }

        MouseArea {
            id: dragArea

            property bool dragging: false
            property real grabOffset: 0

            width: slider.rWidth * 1.75
            height: slider.rHeight
            anchors.centerIn: parent
            // In edit mode presses go to the control's selection overlay instead.
            enabled: !intrf.editModeEnable

            function follow(mouse) {
                var offset = Math.max(0, Math.min(mouse.y - grabOffset, slider.travel()))
                knob.y = offset
                slider.value = slider.positionAt(offset)
            }

            onPressed: (mouse) => {
                widget.setIsSendNeeded(true)
                var centre = knob.y + slider.knobSize / 2
                if (Math.abs(mouse.y - centre) <= slider.knobSize * 1.25) {
                    grabOffset = mouse.y - knob.y
                    dragging = true
                }
            }
            onPositionChanged: (mouse) => {
                widget.setIsSendNeeded(true)
                if (dragging)
                    follow(mouse)
            }
            onReleased: (mouse) => {
                widget.setIsSendNeeded(true)
                if (dragging)
                    follow(mouse)
                dragging = false
            }
        }
    }

    WSlider {
        id: widget
        objectName: "widget"
    }
}
