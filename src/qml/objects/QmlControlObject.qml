import QtQuick

// The area the panels are drawn in, between the canvas's rows. Panels'
// controls are made under it. Drops from the project tree become panels,
// controls and panel links; each drop area takes only its own kind.
Item {
    id: controlArea
    objectName: "controlArea"

    width: 360
    height: 560

    Component.onCompleted: intrf.setObject("QmlView", controlArea)

    DropArea {
        objectName: "panelDrop"
        anchors.fill: parent
        keys: ["application/panel"]
        onDropped: (drop) => {
            intrf.dropPanel(drop.text, drop.getDataAsString("application/panel"))
            drop.accept()
        }
    }

    DropArea {
        objectName: "controlDrop"
        anchors.fill: parent
        keys: ["application/control"]
        onDropped: (drop) => {
            intrf.dropControl(drop.text, drop.getDataAsString("application/control"),
                              Math.round(drop.x), Math.round(drop.y))
            drop.accept()
        }
    }

    DropArea {
        objectName: "linkDrop"
        anchors.fill: parent
        keys: ["application/link"]
        onDropped: (drop) => {
            intrf.dropLink(drop.text, drop.getDataAsString("application/link"),
                           Math.round(drop.x), Math.round(drop.y))
            drop.accept()
        }
    }
}
