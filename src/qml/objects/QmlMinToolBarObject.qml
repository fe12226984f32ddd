import QtQuick

// The minimum top row: the collection menu and the setup button.
Rectangle {
    id: toolBar
    objectName: "minToolBar"

    // Height as a part of the canvas height; the canvas sets "canvas".
    property real proportion: intrf.toolBarProportion * 0.75
    property Item canvas: parent

    width: 360
    height: 36
    color: intrf.toolBarColor

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: Math.max(1, Math.round(2 * intrf.pixelScale))
        color: intrf.toolBarShadow
    }

    QmlSceneMenu {
        anchors.left: parent.left
        anchors.leftMargin: toolBar.height * 0.3
        anchors.verticalCenter: parent.verticalCenter
        canvas: toolBar.canvas
        width: Math.min(implicitWidth, Math.max(0, toolBar.width - toolBar.height * 1.6))
        height: implicitHeight
    }

    QmlSetupMenuButton {
        anchors.right: parent.right
        anchors.rightMargin: toolBar.height * 0.2
        anchors.verticalCenter: parent.verticalCenter
        canvas: toolBar.canvas
        height: toolBar.height * 0.6
        width: height
    }
}
