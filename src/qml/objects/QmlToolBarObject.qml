import QtQuick

// The standard top row: the maker's logo, the header title above the
// collection menu, and the setup button.
Rectangle {
    id: toolBar
    objectName: "toolBar"

    // Height as a part of the canvas height; the canvas sets "canvas".
    property real proportion: intrf.toolBarProportion
    property Item canvas: parent
    property real titlePixels: Math.max(1, Math.round(height * intrf.titleProportion * 0.8))

    width: 360
    height: 48
    color: intrf.toolBarColor

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: Math.max(1, Math.round(2 * intrf.pixelScale))
        color: intrf.toolBarShadow
    }

    Rectangle {
        id: logoField
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: logo.width + toolBar.height * 0.4
        color: intrf.logoBackground

        Image {
            id: logo
            anchors.centerIn: parent
            source: intrf.harloLogo
            height: Math.max(1, toolBar.height * intrf.logoProportion)
            width: height * 2
            fillMode: Image.PreserveAspectFit
        }
    }

    Column {
        anchors.left: logoField.right
        anchors.right: setupButton.left
        anchors.verticalCenter: parent.verticalCenter

        Text {
            objectName: "headerTitle"
            width: parent.width
            text: intrf.headerTitle
            color: intrf.toolBarTextColor
            font.family: "Helvetica"
            font.pixelSize: toolBar.titlePixels
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
        }

        QmlSceneMenu {
            anchors.horizontalCenter: parent.horizontalCenter
            canvas: toolBar.canvas
            width: Math.min(implicitWidth, parent.width)
            height: implicitHeight
        }
    }

    QmlSetupMenuButton {
        id: setupButton
        anchors.right: parent.right
        anchors.rightMargin: toolBar.height * 0.2
        anchors.verticalCenter: parent.verticalCenter
        canvas: toolBar.canvas
        height: toolBar.height * 0.6
        width: height
    }
}
