import QtQuick
import wimage

// A picture placed on a panel, or the panel's background in a fill mode.
Item {
    id: imageItem

    property real imageSize: 1.0
    property string path: "../images/default.png"
    property real ratio: 1
    property bool selEnable: true
    // Negative: placed with its own rectangle; 0 to 6: a fill mode of the panel's background.
    property int backgroundFillMode: 1
    property real imageOpacity: 1
    property int maxCachedImageWidth: 1024
    readonly property bool isBackground: backgroundFillMode >= 0
    readonly property bool isTiled: backgroundFillMode >= Image.Tile && backgroundFillMode <= Image.TileHorizontally

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false
    anchors.fill: isBackground ? parent : undefined

    onBackgroundFillModeChanged: z = backgroundFillMode >= 0 ? 0 : 1

    Image {
        id: picture
        anchors.fill: parent
        asynchronous: true
        source: imageItem.path
        opacity: imageItem.imageOpacity
        fillMode: !imageItem.isBackground ? Image.PreserveAspectFit
                  : imageItem.backgroundFillMode <= Image.Pad ? imageItem.backgroundFillMode
                  : Image.Stretch
        sourceSize.width: imageItem.maxCachedImageWidth
        sourceSize.height: imageItem.isTiled ? Math.max(1, imageItem.height / 2) : 0
    }

    // Size figures of a picture made to measure panels.
    Column {
        anchors.centerIn: parent
        visible: imageItem.path.indexOf("pixelDimensions") >= 0
        Text {
            color: intrf.textColor
            text: qsTr("Width: ") + picture.implicitWidth
        }
        Text {
            color: intrf.textColor
            text: qsTr("Height: ") + picture.implicitHeight
        }
        Text {
            color: intrf.textColor
            text: qsTr("Ratio: ") + (picture.implicitHeight > 0
                                     ? (picture.implicitWidth / picture.implicitHeight).toFixed(3) : "-")
        }
    }

    WImage {
        id: widget
        objectName: "widget"
    }
}
