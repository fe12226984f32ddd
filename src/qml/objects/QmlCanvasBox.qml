import QtQuick

// A box drawn over the canvas: it darkens the canvas, shows a title, an
// optional image, a text, any extra items and a row of buttons. While open it
// is the canvas's modal object, so the editor can close it through "cancel"
// before it opens a dialog of its own; a cancel counts as a rejection.
Item {
    id: box

    property string title: ""
    property string text: ""
    property url icon: ""
    property var buttons: []
    property bool cancel: false
    property bool isOpen: false
    property real textPixels: Math.max(1, Math.round(intrf.menuTextSize * intrf.pixelScale))
    default property alias content: extra.data

    signal buttonClicked(int index)
    signal rejected()

    visible: false
    z: 100

    function open() {
        cancel = false
        isOpen = true
        visible = true
        intrf.setObject("ModalObject", box)
    }

    function close() {
        if (!isOpen)
            return
        isOpen = false
        visible = false
        intrf.setObject("ModalObject", null)
    }

    onCancelChanged: {
        if (cancel && isOpen) {
            close()
            rejected()
        }
    }

    Rectangle {
        anchors.fill: parent
        color: intrf.nullRegionColor
    }

    // Clicks beside the box do not reach the canvas below.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
    }

    Rectangle {
        id: frame
        anchors.centerIn: parent
        width: Math.max(1, Math.min(box.width * 0.8, box.textPixels * 24))
        height: column.height + 2 * box.textPixels
        radius: intrf.controlRadius * intrf.pixelScale
        color: intrf.menuColor
        border.color: intrf.borderColor
        border.width: 1

        Column {
            id: column
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.top
            anchors.topMargin: box.textPixels
            width: Math.max(1, frame.width - 2 * box.textPixels)
            spacing: Math.round(box.textPixels / 2)

            Text {
                objectName: "boxTitle"
                width: parent.width
                text: box.title
                visible: text !== ""
                color: intrf.textColor
                font.family: "Helvetica"
                font.bold: true
                font.pixelSize: box.textPixels
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }

            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                source: box.icon
                visible: box.icon.toString() !== ""
                height: visible ? box.textPixels * 3 : 0
                width: height
                fillMode: Image.PreserveAspectFit
            }

            Text {
                objectName: "boxText"
                width: parent.width
                text: box.text
                visible: text !== ""
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: box.textPixels
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }

            Item {
                id: extra
                width: parent.width
                height: childrenRect.height
            }

            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: box.textPixels

                Repeater {
                    model: box.buttons

                    QmlBoxButton {
                        objectName: "boxButton" + index
                        text: modelData
                        textPixels: box.textPixels
                        onClicked: box.buttonClicked(index)
                    }
                }
            }
        }
    }
}
