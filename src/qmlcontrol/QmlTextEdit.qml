import QtQuick
import wtextedit

// A centred text on a transparent ground: the value text under a fader.
Rectangle {
    id: staticText

    property string text: ""
    property int textSize: intrf.textLinkTextSize
    property bool selEnable: false

    x: 0
    y: 0
    z: 1
    width: 20
    height: 20
    visible: false
    color: "transparent"

    // A fader made shorter keeps its value at least at the canvas's standard
    // text size, as far as the row holds it.
    onHeightChanged: textSize = Math.max(Math.floor(height / 2), Math.floor(Math.min(height * 0.7, intrf.textSize)))

    Text {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: staticText.text
        // The value lies on the fader's frame, not on the canvas.
        color: intrf.fieldTextColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, staticText.textSize)
    }

    WTextEdit {
        objectName: "widget"
    }
}
