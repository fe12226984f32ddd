import QtQuick
import wcmdbutton

// A caption or an image that hands its command text to the linked widget
// when pressed, with a short flash.
Item {
    id: cmdButton

    property string text: ""
    property int textSize: intrf.textLinkTextSize
    property string image: ""
    property real imageSize: 0.75
    property bool hasText: false
    property bool hasImage: false
    property bool selEnable: true
    property bool flash: false
    property bool hasBorder: false

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false

    onHeightChanged: textSize = height * 0.5625

    Timer {
        id: flashTimer
        interval: 200
        repeat: false
        onTriggered: cmdButton.flash = false
    }

    Rectangle {
        anchors.fill: parent
        radius: height * 0.125
        border.width: intrf.pixelScale
        border.color: cmdButton.hasBorder ? intrf.linkInActive : "transparent"
        color: cmdButton.flash ? intrf.accentColor : "transparent"
        enabled: !intrf.editModeEnable

        Image {
            anchors.centerIn: parent
            height: cmdButton.height * cmdButton.imageSize
            width: height
            source: cmdButton.image
            visible: cmdButton.hasImage
        }

        Text {
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: cmdButton.text
            color: intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, cmdButton.text.length > 1 ? cmdButton.textSize * 0.625 : cmdButton.textSize)
            visible: cmdButton.hasText
        }

        MouseArea {
            anchors.fill: parent
            onPressed: function (mouse) {
                mouse.accepted = true
                flashTimer.start()
                cmdButton.flash = true
                widget.outputPressed()
            }
        }
    }

    WCmdButton {
        id: widget
        objectName: "widget"
    }
}
