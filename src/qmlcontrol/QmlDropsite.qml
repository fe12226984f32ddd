import QtQuick
import wdropsite

// A place for one control of a given type. Empty, it shows its caption on a
// gradient; holding a control, it is transparent. Parameters dragged from the
// project tree are handed to the bridge with this site.
Rectangle {
    id: dropSite

    property bool enableDrop: true
    property bool enableProperties: false
    property real textScale: 1.0
    property string label: ""
    property int textFormat: Text.AutoText
    property bool selEnable: false

    x: 0
    y: 0
    z: 1
    width: 200
    height: 200
    visible: false
    radius: 4 * intrf.pixelScale
    color: "transparent"

    Rectangle {
        anchors.fill: parent
        radius: dropSite.radius
        visible: dropSite.enableDrop
        border.width: 1
        border.color: intrf.borderColor
        gradient: Gradient {
            GradientStop { position: 0.0; color: intrf.fieldColor }
            GradientStop { position: 1.0; color: intrf.canvasColor }
        }

        Text {
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: dropSite.label
            textFormat: dropSite.textFormat
            color: intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, intrf.textSize * dropSite.textScale)
        }
    }

    DropArea {
        anchors.fill: parent
        keys: ["application/dropsite"]
        onEntered: (drag) => drag.accept()
        onDropped: (drop) => {
            intrf.dropSite(drop.text, drop.getDataAsString("application/dropsite"), widget)
            drop.accept()
        }
    }

    WDropSite {
        id: widget
        objectName: "widget"
    }
}
