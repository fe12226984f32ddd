import QtQuick

// The setup button of the tool bars: opens the setup menu over the canvas,
// whose entries go to the application as system-menu commands.
Item {
    id: setup
    objectName: "setupButton"

    property Item canvas: parent

    function entries() {
        return typeof setupMenuData === "undefined" ? [] : setupMenuData
    }

    // The menu, made on the canvas and gone once closed.
    function openMenu() {
        var target = canvas ? canvas : setup
        var menu = menuComponent.createObject(target, {
            "model": entries(),
            "title": qsTr("Setup"),
            "command": "system",
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

    Image {
        anchors.fill: parent
        source: intrf.setupButton
        fillMode: Image.PreserveAspectFit
    }

    MouseArea {
        anchors.fill: parent
        onClicked: setup.openMenu()
    }
}
