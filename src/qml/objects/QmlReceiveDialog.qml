import QtQuick

// Stands while a panel project is received: this computer's addresses for
// the sender and a Cancel button, which tells the application to stop waiting.
QmlCanvasBox {
    id: receive

    icon: "../../images/ReceivePanel.png"
    buttons: [qsTr("Cancel")]

    function show() {
        title = intrf.getReceivePanelString()
        text = intrf.getMobileIPAddressString()
    }

    Component.onCompleted: show()
    onVisibleChanged: {
        if (visible)
            show()
    }
    onButtonClicked: (index) => {
        close()
        intrf.receiveDialogCanceled()
    }
    onRejected: intrf.receiveDialogCanceled()
}
