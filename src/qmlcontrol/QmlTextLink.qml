import QtQuick
import wtextlink

// The caption of one parameter set in a frame with round ends; a click sends
// the set's index, and the set the device reports is drawn in the accent.
Item {
    id: link

    property int index: 0
    property int current: -1
    property bool flash: false
    property string text: ""
    property int textSize: intrf.textLinkTextSize
    property string onImage: ""
    property string offImage: ""
    property bool hasText: false
    property bool hasImage: false
    property real imageSize: 1.0
    property bool buttonMode: true
    property bool selEnable: true
    property bool hasBorder: true

    readonly property bool selected: index === current

    function updateTextSize() {
        textSize = height * 0.5625
    }

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false

    onWidthChanged: updateTextSize()
    onHeightChanged: updateTextSize()
    onTextChanged: updateTextSize()

    Timer {
        id: flashTimer
        interval: 100
        repeat: false
        onTriggered: link.flash = false
    }

    Rectangle {
        anchors.fill: parent
        radius: height * 0.5
        border.width: 2
        border.color: link.hasBorder ? (link.selected ? intrf.accentColor : intrf.linkInActive) : "transparent"
        color: link.flash ? intrf.accentColor : "transparent"
        enabled: !intrf.editModeEnable

        Image {
            anchors.centerIn: parent
            height: link.height * link.imageSize * (link.hasBorder ? 0.8 : 1.0)
            width: height
            source: link.selected ? link.onImage : link.offImage
            visible: link.hasImage
        }

        Text {
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: link.text
            color: link.selected ? intrf.accentColor : intrf.linkInActive
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, link.textSize)
            visible: link.hasText
        }

        MouseArea {
            anchors.fill: parent
            onClicked: function (mouse) {
                mouse.accepted = true
                flashTimer.start()
                link.flash = true
                widget.outputClicked()
            }
        }
    }

    WTextLink {
        id: widget
        objectName: "widget"
    }
}
