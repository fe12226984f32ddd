import QtQuick
import QtQuick.Controls
import wlabel

// Text on a panel. Its size follows the item's height and the text scale,
// or the height alone when it sizes itself.
Label {
    id: label

    property real textScale: 1.0
    // A fader's caption lies on the fader's frame, not on the canvas.
    property color textColor: sliderLabel ? intrf.fieldTextColor : intrf.textColor
    property bool enableEdit: false
    property bool selEnable: true
    property bool autoSize: false
    property real textSize: intrf.textSize * textScale
    property bool sliderLabel: false

    // A fader's caption keeps at least the canvas's standard text size, as
    // far as its row holds it, when the fader is made shorter.
    function updateTextSize() {
        var size = autoSize ? height * 0.5 : height * 0.5 * textScale
        textSize = sliderLabel ? Math.max(size, Math.min(height * 0.7, intrf.textSize)) : size
    }

    x: 0
    y: 0
    z: 0
    width: 75
    height: 20
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignLeft
    font.pixelSize: Math.max(1, textSize)
    font.family: "Helvetica"
    color: textColor
    rotation: 0
    visible: false

    onHeightChanged: updateTextSize()
    onWidthChanged: updateTextSize()
    onTextChanged: updateTextSize()
    onTextScaleChanged: updateTextSize()
    onSliderLabelChanged: updateTextSize()

    WLabel {
        objectName: "widget"
    }
}
