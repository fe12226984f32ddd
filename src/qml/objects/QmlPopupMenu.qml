import QtQuick

// A menu over its parent: it darkens the parent and lists the entries of
// "model" under a title. Choosing an entry closes the menu and posts the
// entry to the application under "command" ("system" for the setup menu,
// "scene" for the collections); a click beside the list or a cancel closes
// it. While open it is the canvas's modal object. A menu made on demand
// destroys itself once closed.
Item {
    id: menu
    objectName: "popupMenu"

    property var model: []
    property string title: ""
    property string command: ""
    property bool cancel: false
    property bool isOpen: false
    property bool destroyOnClose: false
    property real textPixels: Math.max(1, Math.round(intrf.menuTextSize * intrf.pixelScale))

    signal closed()

    anchors.fill: parent
    visible: false
    z: 25

    function open() {
        cancel = false
        isOpen = true
        visible = true
        intrf.setObject("ModalObject", menu)
    }

    function close() {
        if (!isOpen)
            return
        isOpen = false
        visible = false
        intrf.setObject("ModalObject", null)
        closed()
        if (destroyOnClose)
            menu.destroy()
    }

    function choose(index) {
        var entry = (index >= 0 && index < model.length) ? model[index] : ""
        close()
        if (entry !== "")
            intrf.postCommand(command, entry)
    }

    onCancelChanged: {
        if (cancel)
            close()
    }

    Rectangle {
        anchors.fill: parent
        color: intrf.nullRegionColor
    }

    MouseArea {
        objectName: "outside"
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onClicked: menu.close()
    }

    Rectangle {
        id: list
        anchors.centerIn: parent
        width: Math.max(1, menu.width * 0.8)
        height: Math.min(entries.height, menu.height * 0.75)
        radius: intrf.controlRadius * intrf.pixelScale
        color: intrf.menuColor
        border.color: intrf.borderColor
        border.width: 1
        clip: true

        // Clicks on the list's frame stay on the list.
        MouseArea {
            anchors.fill: parent
        }

        Column {
            id: entries
            width: parent.width

            Text {
                width: parent.width
                height: menu.textPixels * 3
                text: menu.title
                visible: text !== ""
                color: intrf.accentColor
                font.family: "Helvetica"
                font.bold: true
                font.pixelSize: menu.textPixels
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            Repeater {
                model: menu.model

                Rectangle {
                    objectName: "menuEntry" + index
                    width: entries.width
                    height: menu.textPixels * 3
                    color: entryArea.pressed ? intrf.accentColor : "transparent"

                    Rectangle {
                        anchors.top: parent.top
                        width: parent.width
                        height: 1
                        color: intrf.borderColor
                    }

                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: menu.textPixels
                        anchors.rightMargin: menu.textPixels / 2
                        text: modelData
                        color: intrf.textColor
                        font.family: "Helvetica"
                        font.pixelSize: menu.textPixels
                        // A long entry on a narrow canvas gets smaller rather than cut short.
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: Math.max(1, Math.round(menu.textPixels / 2))
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                    }

                    MouseArea {
                        id: entryArea
                        anchors.fill: parent
                        onClicked: menu.choose(index)
                    }
                }
            }
        }
    }
}
