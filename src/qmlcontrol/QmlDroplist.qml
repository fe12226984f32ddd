import QtQuick
import wdroplist

// The text of the chosen entry with a down arrow. A click opens the list of
// entries over the whole canvas; the native side fills it and takes the choice.
Item {
    id: dropList

    property int currentIndex: -1
    property string currentText: ""
    property real textSize: intrf.textLinkTextSize
    property bool selEnable: true
    property bool hasBorder: false
    property alias horizontalAlignment: caption.horizontalAlignment

    x: 0
    y: 0
    z: 0
    width: 160
    height: 40
    visible: false

    onHeightChanged: textSize = 0.5625 * height

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: intrf.pixelScale
        border.color: dropList.hasBorder ? intrf.linkInActive : "transparent"
        radius: 0.125 * dropList.height
        enabled: !intrf.editModeEnable
    }

    Text {
        id: caption
        anchors.fill: parent
        anchors.leftMargin: 0.25 * dropList.height
        anchors.rightMargin: arrow.width + 0.3 * dropList.height
        text: dropList.currentText
        color: intrf.accentColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, dropList.textSize)
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignLeft
    }

    Image {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 0.25 * dropList.height
        anchors.verticalCenter: parent.verticalCenter
        height: 0.375 * dropList.height
        width: 1.7 * height
        source: intrf.downArrow
        fillMode: Image.PreserveAspectFit
    }

    MouseArea {
        objectName: "opener"
        anchors.fill: parent
        onClicked: {
            var component = Qt.createComponent("qrc:/qml/objects/QmlPopupList.qml")
            if (component.status === Component.Ready)
                widget.popupList(component.createObject(dropList.parent))
        }
    }

    WDropList {
        id: widget
        objectName: "widget"
    }
}
