import QtQuick
import "objects"

// The panel canvas: the top row, the area the panels are drawn in and the
// bottom row, and the boxes the application opens over them. The rows are
// the QML files named by "topRow" and "bottomRow" ("?" for none).
Rectangle {
    id: canvas
    objectName: "canvas"

    property string topRow: intrf.topRow
    property string bottomRow: intrf.bottomRow

    width: 360
    height: 640
    color: intrf.canvasColor

    function rowSource(path) {
        return (path === "?" || path === "") ? "" : path
    }

    // Loads both rows again from the row paths.
    function reloadCanvas() {
        topLoader.source = ""
        bottomLoader.source = ""
        topLoader.source = rowSource(topRow)
        bottomLoader.source = rowSource(bottomRow)
    }

    // Takes the row paths from the interface again, then reloads.
    function resetCanvas() {
        topRow = intrf.topRow
        bottomRow = intrf.bottomRow
        reloadCanvas()
    }

    function resizeWhenShown() {
        if (width > 0 && height > 0)
            intrf.canvasResize()
    }

    function rowHeight(loader) {
        if (!loader.item)
            return 0
        var proportion = loader.item.proportion
        return proportion === undefined ? loader.item.height : Math.round(canvas.height * proportion)
    }

    onWidthChanged: resizeWhenShown()
    onHeightChanged: resizeWhenShown()

    Component.onCompleted: {
        reloadCanvas()
        intrf.setObject("QmlCanvas", canvas)
    }

    Loader {
        id: topLoader
        objectName: "topLoader"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: canvas.rowHeight(topLoader)
        z: 10
        onLoaded: {
            if (item.canvas !== undefined)
                item.canvas = canvas
        }
    }

    QmlControlObject {
        id: controlArea
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: topLoader.bottom
        anchors.bottom: bottomLoader.top
    }

    Loader {
        id: bottomLoader
        objectName: "bottomLoader"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: canvas.rowHeight(bottomLoader)
        z: 10
        onLoaded: {
            if (item.canvas !== undefined)
                item.canvas = canvas
        }
    }

    QmlReceiveDialog {
        id: receiveBox
        objectName: "receiveBox"
        anchors.fill: parent
    }

    QmlCanvasBox {
        id: messageBox
        objectName: "messageBox"
        anchors.fill: parent
        buttons: [qsTr("OK")]
        onButtonClicked: (index) => {
            close()
            intrf.messageDialogClosed()
        }
        onRejected: intrf.messageDialogClosed()
    }

    QmlPasscodeDialog {
        id: passcodeBox
        objectName: "passcodeBox"
        anchors.fill: parent
    }

    Connections {
        target: intrf
        function onShowReceiveDialog() {
            receiveBox.open()
        }
        function onCloseReceiveDialog() {
            receiveBox.close()
        }
        function onShowMessageDialog(title, text) {
            messageBox.title = title
            messageBox.text = text
            messageBox.open()
        }
        function onShowExitPasscodeDialog() {
            passcodeBox.open()
        }
    }
}
