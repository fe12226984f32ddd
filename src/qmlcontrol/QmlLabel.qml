import QtQuick
import QtQuick.Controls
import wlabel

// Text on a panel. Its size follows the item's height and the text scale,
// or the height alone when it sizes itself.
Label {
    id: label

    property real textScale: 1.0
    property color textColor: intrf.textColor
    property bool enableEdit: false
    property bool selEnable: true
    property bool autoSize: false
    property real textSize: intrf.textSize * textScale
    property bool sliderLabel: false

    function updateTextSize() {
        textSize = autoSize ? height * 0.5 : height * 0.5 * textScale
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

    WLabel {
        objectName: "widget"
    }
}
