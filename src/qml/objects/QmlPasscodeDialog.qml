import QtQuick

// Asks for the exit PIN before the application ends; a wrong PIN keeps the
// box open with a notice, Cancel closes it.
QmlCanvasBox {
    id: passcode

    title: qsTr("Exit")
    text: qsTr("Enter the exit PIN")
    icon: "../../images/Padlock.png"
    buttons: [qsTr("OK"), qsTr("Cancel")]

    property alias pin: input.text
    property bool wrongPin: false

    function submit() {
        if (input.text === intrf.getExitPIN()) {
            close()
            intrf.exitApplication()
        } else {
            wrongPin = true
            input.text = ""
        }
    }

    onVisibleChanged: {
        input.text = ""
        wrongPin = false
        if (visible)
            input.forceActiveFocus()
    }
    onButtonClicked: (index) => {
        if (index === 0)
            submit()
        else
            close()
    }

    Column {
        width: parent.width
        spacing: 4

        Rectangle {
            width: parent.width
            height: passcode.textPixels * 2
            color: "transparent"
            border.color: intrf.borderColor
            border.width: 1

            TextInput {
                id: input
                objectName: "pinInput"
                anchors.fill: parent
                anchors.margins: 4
                echoMode: TextInput.Password
                color: intrf.textColor
                font.pixelSize: passcode.textPixels
                horizontalAlignment: TextInput.AlignHCenter
                verticalAlignment: TextInput.AlignVCenter
                onAccepted: passcode.submit()
            }
        }

        Text {
            width: parent.width
            text: qsTr("Incorrect PIN")
            visible: passcode.wrongPin
            color: "red"
            font.pixelSize: passcode.textPixels
            horizontalAlignment: Text.AlignHCenter
        }
    }
}
