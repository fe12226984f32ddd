import QtQuick
import wdialer

// Telephone keypad: a two-line display over the digit keys and the call row.
// Everything shown comes from the native dialer's properties; keys report to
// it and never change the call state themselves. The pad keeps its
// proportions while the native side lets it.
Item {
    id: dialer

    property bool selEnable: true
    property real spacerSize: 3
    property real radiusFactor: 0.125
    property real minimumWidth: 30
    property real minimumHeight: 2 * minimumWidth + spacerSize
    property real keyWidth: Math.max(1, (width - 2 * spacerSize) / 3)
    property bool adjusting: false

    // Colour scheme: an unknown name draws and looks up its keys as black.
    readonly property var schemes: ({ "blue": "#1D98D5", "green": "#8BC34A", "pink": "#E91E63",
                                      "red": "#D32F2F", "white": "#FAFAFA", "yellow": "#FFC107" })
    readonly property string scheme: schemes.hasOwnProperty(widget.primaryColor) ? widget.primaryColor : "black"
    readonly property color primaryColor: scheme === "black" ? "#000000" : schemes[scheme]
    readonly property string dialerFolder: "../../images/dialer/"
    readonly property string imageFolder: dialerFolder + scheme + "/"
    readonly property string png: ".png"

    readonly property int state_: widget.dialerState
    readonly property bool idle: state_ === WDialer.State_HangUp || state_ === WDialer.State_OTHER
                                 || state_ === WDialer.State_Startup
    readonly property bool active: state_ === WDialer.State_Active
    readonly property bool held: state_ === WDialer.State_Hold
    readonly property bool incoming: state_ === WDialer.State_Incoming || state_ === WDialer.State_ActiveIncoming
    readonly property bool pstn: widget.callType === "PSTN"
    readonly property bool voip: widget.callType === "VoIP"
    readonly property bool showBackspace: widget.displayText !== "" && idle

    function keyImage(name, pressed) {
        return imageFolder + name + (pressed ? "_pressed" : "_normal") + png
    }
    function dialerImage(name) {
        return dialerFolder + name + png
    }
    function refreshDisplay() {
        var text = widget.displayText
        widget.displayText = ""
        widget.displayText = text
    }

    x: 0
    y: 0
    z: 1
    width: 180
    height: 363
    visible: false

    onWidthChanged: {
        if (adjusting)
            return
        adjusting = true
        if (width < minimumWidth) {
            widget.adjustWidth(minimumWidth)
        } else {
            keyWidth = Math.max(1, (width - 2 * spacerSize) / 3)
            if (widget.isAspectRatioCorrectionActive)
                widget.adjustHeight(6 * keyWidth + 5 * spacerSize)
        }
        adjusting = false
        refreshDisplay()
    }
    onHeightChanged: {
        if (adjusting)
            return
        adjusting = true
        if (height < minimumHeight) {
            widget.adjustHeight(minimumHeight)
        } else if (widget.isAspectRatioCorrectionActive) {
            keyWidth = Math.max(1, (height - 5 * spacerSize) / 6)
            widget.adjustWidth(3 * keyWidth + 2 * spacerSize)
        }
        adjusting = false
        refreshDisplay()
    }

    Column {
        id: pad
        anchors.centerIn: parent
        spacing: dialer.spacerSize
        opacity: dialer.incoming ? 0.3 : 1.0

        Row {
            spacing: dialer.spacerSize

            Rectangle {
                id: display
                objectName: "display"
                width: 3 * dialer.keyWidth + 2 * dialer.spacerSize
                       - (dialer.showBackspace ? dialer.keyWidth / 2 + dialer.spacerSize : 0)
                height: dialer.keyWidth
                radius: dialer.radiusFactor * height
                color: "transparent"
                border.color: dialer.primaryColor
                border.width: 2

                QmlLED {
                    objectName: "holdLamp"
                    width: 0
                    height: 0
                    visible: false
                    isOn: widget.isHoldActive
                }

                Text {
                    objectName: "firstLine"
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.margins: dialer.spacerSize
                    height: parent.height / 2 - dialer.spacerSize
                    text: widget.idString !== "" ? widget.idString : widget.displayText
                    elide: widget.idString !== "" ? Text.ElideRight : Text.ElideLeft
                    color: intrf.textColor
                    font.family: "Helvetica"
                    font.pixelSize: Math.max(1, height * 0.8)
                    verticalAlignment: Text.AlignVCenter
                }

                Text {
                    objectName: "secondLine"
                    anchors.left: parent.left
                    anchors.right: callTime.visible ? callTime.left : parent.right
                    anchors.bottom: parent.bottom
                    anchors.margins: dialer.spacerSize
                    height: parent.height / 2 - dialer.spacerSize
                    text: widget.idString !== "" ? widget.displayText : (dialer.active ? "" : widget.statusText)
                    elide: Text.ElideLeft
                    color: intrf.textColor
                    font.family: "Helvetica"
                    font.pixelSize: Math.max(1, height * 0.7)
                    verticalAlignment: Text.AlignVCenter
                }

                Text {
                    id: callTime
                    objectName: "callTime"
                    visible: dialer.active
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    anchors.margins: dialer.spacerSize
                    width: 0.8 * dialer.keyWidth
                    height: parent.height / 2 - dialer.spacerSize
                    text: widget.statusText
                    horizontalAlignment: Text.AlignRight
                    color: intrf.textColor
                    font.family: "Helvetica"
                    font.pixelSize: Math.max(1, height * 0.7)
                    verticalAlignment: Text.AlignVCenter
                }
            }

            QmlDialerButton {
                objectName: "backspaceKey"
                visible: dialer.showBackspace
                width: dialer.keyWidth / 2
                height: dialer.keyWidth
                radiusFactor: dialer.radiusFactor
                normalImage: dialer.keyImage("backspace", false)
                pressedImage: dialer.keyImage("backspace", true)
                onClicked: widget.backspace()
                onHeld: widget.backspaceHeld()
            }
        }

        Grid {
            columns: 3
            spacing: dialer.spacerSize

            Repeater {
                model: [["1", "1"], ["2", "2"], ["3", "3"], ["4", "4"], ["5", "5"], ["6", "6"],
                        ["7", "7"], ["8", "8"], ["9", "9"], ["*", "asterisk"], ["0", "0"], ["#", "pound"]]

                QmlDialerButton {
                    objectName: "key" + modelData[0]
                    width: dialer.keyWidth
                    height: dialer.keyWidth
                    radiusFactor: dialer.radiusFactor
                    color: modelData[0] === "9" && widget.isLoggingActive ? "Cyan" : "transparent"
                    normalImage: dialer.keyImage(modelData[1], false)
                    pressedImage: dialer.keyImage(modelData[1], true)
                    onClicked: widget.digit(modelData[0])
                    onHeld: {
                        if (modelData[0] >= "1" && modelData[0] <= "9")
                            widget.digitHeld(modelData[0])
                        else
                            widget.digit(modelData[0])
                    }
                    onHeldFiveSeconds: {
                        if (modelData[0] === "7")
                            widget.digitHeldFiveSeconds("7")
                    }
                }
            }
        }

        Row {
            spacing: dialer.spacerSize
            readonly property bool callAndEnd: dialer.pstn && widget.alwaysShowCallAndEnd

            Item {
                width: dialer.keyWidth
                height: dialer.keyWidth

                QmlDialerButton {
                    objectName: "leftCallKey"
                    anchors.fill: parent
                    visible: parent.parent.callAndEnd
                    radiusFactor: dialer.radiusFactor
                    normalImage: dialer.dialerImage("call")
                    pressedImage: dialer.dialerImage("call")
                    onClicked: widget.callOrEnd(true)
                }

                QmlDialerButton {
                    objectName: "holdKey"
                    anchors.fill: parent
                    // A held call is taken back by answering it: hold acts only in a call.
                    visible: !parent.parent.callAndEnd && dialer.voip && (dialer.active || dialer.held)
                    radiusFactor: dialer.radiusFactor
                    normalImage: dialer.keyImage(widget.isHoldActive ? "resume" : "hold", false)
                    pressedImage: dialer.keyImage(widget.isHoldActive ? "resume" : "hold", true)
                    onClicked: {
                        if (dialer.held)
                            widget.accept()
                        else
                            widget.hold()
                    }
                }
            }

            QmlDialerButton {
                objectName: "callKey"
                width: dialer.keyWidth
                height: dialer.keyWidth
                radiusFactor: dialer.radiusFactor
                readonly property bool ends: parent.callAndEnd || !dialer.idle
                normalImage: dialer.dialerImage(ends ? "end_call" : "call")
                pressedImage: normalImage
                onClicked: {
                    if (parent.callAndEnd)
                        widget.end()
                    else
                        widget.callOrEnd(false)
                }
            }

            QmlDialerButton {
                objectName: "flashKey"
                width: dialer.keyWidth
                height: dialer.keyWidth
                visible: dialer.active
                radiusFactor: dialer.radiusFactor
                normalImage: dialer.keyImage(dialer.pstn ? "flash" : "add", false)
                pressedImage: dialer.keyImage(dialer.pstn ? "flash" : "add", true)
                onClicked: widget.addCallOrFlash()
            }
        }
    }

    Rectangle {
        objectName: "incomingBox"
        visible: dialer.incoming
        anchors.top: parent.top
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width
        height: 3 * dialer.keyWidth + 2 * dialer.spacerSize
        radius: dialer.radiusFactor * dialer.keyWidth
        color: widget.secondaryColor
        border.color: dialer.primaryColor
        border.width: 8

        // Clicks on the box do not reach the pad below.
        MouseArea {
            anchors.fill: parent
        }

        Column {
            anchors.fill: parent
            anchors.margins: 8 + dialer.spacerSize
            spacing: dialer.spacerSize

            Text {
                width: parent.width
                height: dialer.keyWidth * 0.5
                text: widget.idString
                elide: Text.ElideRight
                horizontalAlignment: Text.AlignHCenter
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: Math.max(1, height * 0.7)
            }

            Text {
                width: parent.width
                height: dialer.keyWidth * 0.5
                text: widget.displayText
                elide: Text.ElideLeft
                horizontalAlignment: Text.AlignHCenter
                color: intrf.textColor
                font.family: "Helvetica"
                font.pixelSize: Math.max(1, height * 0.7)
            }

            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: dialer.spacerSize

                QmlDialerButton {
                    objectName: "acceptKey"
                    width: dialer.keyWidth
                    height: dialer.keyWidth
                    radiusFactor: dialer.radiusFactor
                    normalImage: dialer.dialerImage("accept")
                    pressedImage: normalImage
                    onClicked: {
                        if (dialer.state_ === WDialer.State_ActiveIncoming)
                            widget.addCallOrFlash()
                        else
                            widget.accept()
                    }
                }

                QmlDialerButton {
                    objectName: "declineKey"
                    visible: dialer.voip
                    width: dialer.keyWidth
                    height: dialer.keyWidth
                    radiusFactor: dialer.radiusFactor
                    normalImage: dialer.dialerImage("decline")
                    pressedImage: normalImage
                    onClicked: widget.end()
                }
            }
        }
    }

    // Choices for a second call that the pad does not offer.
    Rectangle {
        objectName: "secondCallBox"
        visible: false
        anchors.top: parent.top
        width: parent.width
        height: 2 * dialer.keyWidth
        color: widget.secondaryColor
        border.color: dialer.primaryColor
        border.width: 8

        Row {
            anchors.centerIn: parent
            spacing: dialer.spacerSize

            QmlDialerButton {
                width: dialer.keyWidth
                height: dialer.keyWidth
                normalImage: dialer.dialerImage("end_call")
                pressedImage: normalImage
                onClicked: widget.endAndAccept()
            }
            QmlDialerButton {
                width: dialer.keyWidth
                height: dialer.keyWidth
                normalImage: dialer.dialerImage("ignore_normal")
                pressedImage: dialer.dialerImage("ignore_pressed")
                onClicked: widget.declineAndStayActive()
            }
            QmlDialerButton {
                width: dialer.keyWidth
                height: dialer.keyWidth
                normalImage: dialer.dialerImage("hold_accept")
                pressedImage: normalImage
                onClicked: widget.holdAndAccept()
            }
        }
    }

    WDialer {
        id: widget
        objectName: "widget"
    }
}
