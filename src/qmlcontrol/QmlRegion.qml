import QtQuick
import QtQuick.Dialogs
import wregion

// A polygonal touch area that jumps to another panel when pressed.
PolygonShape {
    id: regionRoot

    widget: wwidget
    z: 0
    touchMargin: 10

    Connections {
        target: intrf
        function onShowRegionDialog(title, text) {
            regionDialog.title = title
            regionDialog.text = text
            regionDialog.open()
        }
    }

    MessageDialog {
        id: regionDialog

        buttons: MessageDialog.Ok
        onAccepted: intrf.regionDialogClosed()
    }

    WRegion {
        id: wwidget
        objectName: "widget"
    }
}
