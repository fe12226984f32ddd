import QtQuick

// A message box over the canvas, run by the message-box controller: a click
// on its button, the Back key or a cancel ends it through the engine's quit.
Item {
    id: dialog
    objectName: "messageDialog"

    property string title: ""
    property string text: ""
    property string button: ""
    property bool cancel: false
    property real textPixels: Math.max(1, Math.round(intrf.menuTextSize * intrf.pixelScale))

    anchors.fill: parent
    visible: false
    z: 100
    focus: true

    onCancelChanged: {
        if (cancel)
            Qt.quit()
    }
    Keys.onReleased: (event) => {
        if (event.key === Qt.Key_Back) {
            event.accepted = true
            Qt.quit()
        }
    }

    Rectangle {
        anchors.fill: parent
        color: intrf.nullRegionColor
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
    }

    Rectangle {
        anchors.centerIn: parent
        width: Math.max(1, Math.min(dialog.width * 0.8, dialog.textPixels * 24))
        height: column.height + 2 * dialog.textPixels
        radius: intrf.controlRadius * intrf.pixelScale
        color: intrf.menuColor
        border.color: intrf.borderColor
        border.width: 1

        Column {
            id: column
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.top
            anchors.topMargin: dialog.textPixels
            width: Math.max(1, parent.width - 2 * dialog.textPixels)
            spacing: dialog.textPixels

            Text {
                width: parent.width
                text: dialog.title
                color: intrf.textColor
                font.family: "Helvetica"
                font.bold: true
                font.pixelSize: dialog.textPixels
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }

            Text {
                width: parent.width
                text: dialog.text
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: dialog.textPixels
                wrapMode: Text.WordWrap
            }

            QmlBoxButton {
                objectName: "dialogButton"
                anchors.horizontalCenter: parent.horizontalCenter
                text: dialog.button
                textPixels: dialog.textPixels
                onClicked: Qt.quit()
            }
        }
    }
}
