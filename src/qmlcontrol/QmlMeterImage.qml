import QtQuick
import wmeterimage

// A meter shown as one of four pictures under a caption.
Item {
    id: meterImage

    property string path: ""
    property bool selEnable: true
    property real imageOpacity: 1
    property string text: ""

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: "transparent"

        Text {
            id: caption
            anchors.top: parent.top
            width: parent.width
            height: meterImage.height * 0.1
            horizontalAlignment: Text.AlignHCenter
            text: meterImage.text
            color: intrf.textColor
            font.pixelSize: Math.max(1, meterImage.height * 0.2)
            // A long caption shrinks, and at last elides, to the meter's width.
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.min(6, font.pixelSize)
            elide: Text.ElideRight
        }

        Image {
            anchors.top: caption.bottom
            anchors.topMargin: 10
            anchors.bottom: parent.bottom
            width: parent.width
            asynchronous: true
            fillMode: Image.PreserveAspectFit
            source: meterImage.path
            opacity: meterImage.imageOpacity
            visible: true
        }
    }

    WMeterImage {
        id: widget
        objectName: "widget"
    }
}
