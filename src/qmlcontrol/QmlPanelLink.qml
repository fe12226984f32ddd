import QtQuick
import wpanellink

// A text or an image that shows another panel when it is tapped outside edit mode.
Item {
    id: panelLink

    property string text: ""
    property int textFormat: Text.AutoText
    property int textSize: intrf.textLinkTextSize
    property string imagePath: ""
    property bool imageValid: false
    property real imageSize: 1.0
    property bool selEnable: true
    property bool hasBorder: false
    property bool keepImageInBounds: false

    function updateTextSize() {
        var limit = parent ? parent.height / 5 : 100
        textSize = Math.floor(Math.min(height * 0.5625, limit))
    }

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false

    onHeightChanged: updateTextSize()
    onWidthChanged: updateTextSize()
    onTextChanged: updateTextSize()

    Rectangle {
        id: frame
        anchors.fill: parent
        color: "transparent"
        radius: height * 0.125
        border.width: intrf.pixelScale
        border.color: panelLink.hasBorder ? intrf.linkInActive : "transparent"
        enabled: !intrf.editModeEnable

        Image {
            anchors.centerIn: parent
            source: panelLink.imagePath
            visible: panelLink.imageValid
            height: panelLink.keepImageInBounds ? parent.height : parent.height * panelLink.imageSize
            width: panelLink.keepImageInBounds ? parent.width : height
            fillMode: panelLink.keepImageInBounds ? Image.PreserveAspectFit : Image.Stretch
        }

        Text {
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: panelLink.text
            textFormat: panelLink.textFormat
            color: intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, panelLink.textSize)
            visible: !panelLink.imageValid
        }

        MouseArea {
            anchors.fill: parent
            onClicked: widget.selectPanel()
        }
    }

    WPanelLink {
        id: widget
        objectName: "widget"
    }
}
