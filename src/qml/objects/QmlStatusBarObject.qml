import QtQuick

// The bottom row: the connection indicator, the page indicator with its
// arrows, and the product logo.
Rectangle {
    id: statusBar
    objectName: "statusBar"

    // Height as a part of the canvas height; the canvas sets "canvas".
    property real proportion: intrf.statusBarProportion
    property Item canvas: parent

    width: 360
    height: 32
    color: intrf.statusBarColor

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: Math.max(1, Math.round(2 * intrf.pixelScale))
        color: intrf.statusBarShadow
    }

    Image {
        objectName: "connectionIndicator"
        anchors.left: parent.left
        anchors.leftMargin: statusBar.height * 0.3
        anchors.verticalCenter: parent.verticalCenter
        source: intrf.connectInd
        height: Math.max(1, statusBar.height * 0.5)
        width: height
        fillMode: Image.PreserveAspectFit
    }

    QmlPageIndicator {
        anchors.centerIn: parent
        width: implicitWidth
        height: Math.min(implicitHeight, statusBar.height)
    }

    Image {
        anchors.right: parent.right
        anchors.rightMargin: statusBar.height * 0.3
        anchors.verticalCenter: parent.verticalCenter
        source: intrf.vmrLogo
        height: Math.max(1, statusBar.height * intrf.logoProportion)
        width: height * 2
        fillMode: Image.PreserveAspectFit
    }
}
