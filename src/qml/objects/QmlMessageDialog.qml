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

    // A text taller than the canvas scrolls between the title and the
    // button, which stay on the canvas so that the box can always be closed.
    Rectangle {
        objectName: "dialogBox"
        anchors.centerIn: parent
        width: Math.max(1, Math.min(dialog.width * 0.8, dialog.textPixels * 24))
        height: Math.max(1, Math.min(titleText.height + bodyText.height + closeButton.height
                                         + 4 * dialog.textPixels,
                                     dialog.height - 2 * dialog.textPixels))
        radius: intrf.controlRadius * intrf.pixelScale
        color: intrf.menuColor
        border.color: intrf.borderColor
        border.width: 1

        Text {
            id: titleText
            anchors.top: parent.top
            anchors.topMargin: dialog.textPixels
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.max(1, parent.width - 2 * dialog.textPixels)
            text: dialog.title
            color: intrf.textColor
            font.family: "Helvetica"
            font.bold: true
            font.pixelSize: dialog.textPixels
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }

        Flickable {
            id: body
            objectName: "dialogBody"
            anchors.top: titleText.bottom
            anchors.topMargin: dialog.textPixels
            anchors.bottom: closeButton.top
            anchors.bottomMargin: dialog.textPixels
            anchors.horizontalCenter: parent.horizontalCenter
            width: titleText.width
            contentWidth: width
            contentHeight: bodyText.height
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            Text {
                id: bodyText
                width: body.width
                text: dialog.text
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: dialog.textPixels
                wrapMode: Text.WordWrap
            }
        }

        QmlBoxButton {
            id: closeButton
            objectName: "dialogButton"
            anchors.bottom: parent.bottom
            anchors.bottomMargin: dialog.textPixels
            anchors.horizontalCenter: parent.horizontalCenter
            text: dialog.button
            textPixels: dialog.textPixels
            onClicked: Qt.quit()
        }
    }
}
