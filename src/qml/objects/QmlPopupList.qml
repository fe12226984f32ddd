import QtQuick

// The entries of a drop list over the darkened canvas, the current one
// highlighted. A click on an entry reports its position, a click beside the
// list or a cancel reports -1; the owner then deletes the list.
Item {
    id: popup
    objectName: "popupList"

    property var model: []
    property int index: -1
    property bool cancel: false
    property real textPixels: Math.max(1, Math.round(intrf.menuTextSize * intrf.pixelScale))

    signal listClick(int index)

    anchors.fill: parent
    z: 10

    onCancelChanged: {
        if (cancel)
            listClick(-1)
    }

    Rectangle {
        anchors.fill: parent
        color: intrf.nullRegionColor
    }

    MouseArea {
        objectName: "outside"
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onClicked: popup.listClick(-1)
    }

    Rectangle {
        id: frame
        anchors.centerIn: parent
        width: Math.max(1, popup.width * 0.8)
        height: Math.min(entries.contentHeight, popup.height * 0.75)
        radius: intrf.controlRadius * intrf.pixelScale
        color: intrf.menuColor
        border.color: intrf.borderColor
        border.width: 1
        clip: true

        // Clicks on the frame stay on the list.
        MouseArea {
            anchors.fill: parent
        }

        ListView {
            id: entries
            anchors.fill: parent
            model: popup.model
            boundsBehavior: Flickable.StopAtBounds

            delegate: Rectangle {
                objectName: "listEntry" + index
                width: entries.width
                height: popup.textPixels * 3
                color: index === popup.index ? intrf.accentColor : "transparent"

                Rectangle {
                    anchors.top: parent.top
                    width: parent.width
                    height: 1
                    color: intrf.borderColor
                    visible: index > 0
                }

                Text {
                    anchors.fill: parent
                    anchors.leftMargin: popup.textPixels
                    anchors.rightMargin: popup.textPixels
                    text: modelData
                    color: intrf.textColor
                    font.family: "Helvetica"
                    font.pixelSize: popup.textPixels
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: popup.listClick(index)
                }
            }
        }
    }
}
