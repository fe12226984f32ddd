import QtQuick

// The About box over the canvas, run by the message-box controller: the
// product logo, the title and the version text. A click anywhere, the Back
// key or a cancel ends it through the engine's quit; a button shows only
// when one is named.
Item {
    id: dialog
    objectName: "aboutDialog"

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
        objectName: "closeArea"
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onClicked: Qt.quit()
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

            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                source: intrf.vmrLogo
                height: dialog.textPixels * 3
                width: height * 2
                fillMode: Image.PreserveAspectFit
            }

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
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }

            QmlBoxButton {
                anchors.horizontalCenter: parent.horizontalCenter
                visible: dialog.button !== ""
                text: dialog.button
                textPixels: dialog.textPixels
                onClicked: Qt.quit()
            }
        }
    }
}
