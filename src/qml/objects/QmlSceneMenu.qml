import QtQuick

// The title of the shown collection with a down arrow; a click opens the
// menu of collections over the canvas, and choosing one shows it.
Item {
    id: sceneMenu
    objectName: "sceneMenu"

    property Item canvas: parent
    property color textColor: intrf.toolBarTextColor
    property real textPixels: Math.max(1, Math.round(intrf.toolBarTextSize * intrf.pixelScale))

    implicitWidth: title.implicitWidth + arrow.width + 4
    implicitHeight: Math.max(title.implicitHeight, arrow.height)

    function scenes() {
        return typeof sceneMenuData === "undefined" ? [] : sceneMenuData
    }

    // The menu of collections, made on the canvas and gone once closed.
    function openMenu() {
        var target = canvas ? canvas : sceneMenu
        var menu = menuComponent.createObject(target, {
            "model": scenes(),
            "title": qsTr("Collections"),
            "command": "scene",
            "destroyOnClose": true
        })
        if (menu)
            menu.open()
        return menu
    }

    Component {
        id: menuComponent
        QmlPopupMenu {}
    }

    Text {
        id: title
        anchors.verticalCenter: parent.verticalCenter
        text: intrf.sceneTitle
        color: sceneMenu.textColor
        font.family: "Helvetica"
        font.pixelSize: sceneMenu.textPixels
        elide: Text.ElideRight
        width: Math.min(implicitWidth, Math.max(0, sceneMenu.width - arrow.width - 4))
    }

    Image {
        id: arrow
        anchors.left: title.right
        anchors.leftMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        source: intrf.downArrow
        height: sceneMenu.textPixels
        width: height
        fillMode: Image.PreserveAspectFit
    }

    MouseArea {
        anchors.fill: parent
        onClicked: sceneMenu.openMenu()
    }
}
