import QtQuick

// One key of the telephone pad: a normal and a pressed image, optional text
// lines. A short press reports clicked, a press held past the hold time
// reports held on release, and a press still down after five seconds
// reports heldFiveSeconds at once.
Rectangle {
    id: key

    property real radiusFactor: 0.125
    property string normalImage: ""
    property string pressedImage: ""
    property string textLine1: ""
    property string textLine2: ""
    property color textColor: intrf.textColor
    property bool isHeld: false

    signal clicked()
    signal held()
    signal heldFiveSeconds()

    width: 30
    height: 30
    radius: Math.min(0.5, Math.max(0, radiusFactor)) * height
    color: "transparent"
    state: "RELEASED"

    Image {
        id: normal
        anchors.fill: parent
        source: key.normalImage
        fillMode: Image.PreserveAspectFit
        smooth: true
    }

    Image {
        id: pressed
        anchors.fill: parent
        source: key.pressedImage
        fillMode: Image.PreserveAspectFit
        smooth: true
        opacity: 0
    }

    Column {
        anchors.centerIn: parent
        visible: key.textLine1 !== ""
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: key.textLine1
            color: key.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, key.height * 0.3)
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: key.textLine2
            visible: text !== ""
            color: key.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, key.height * 0.15)
        }
    }

    Timer {
        id: fiveSeconds
        interval: 5000
        onTriggered: key.heldFiveSeconds()
    }

    MouseArea {
        objectName: "keyArea"
        anchors.fill: parent
        onPressed: {
            key.isHeld = false
            key.state = "PRESSED"
            fiveSeconds.restart()
        }
        onPressAndHold: {
            key.isHeld = true
            key.state = "HELD"
        }
        onReleased: {
            fiveSeconds.stop()
            key.state = "RELEASED"
            if (key.isHeld)
                key.held()
            else
                key.clicked()
        }
        onCanceled: {
            fiveSeconds.stop()
            key.state = "RELEASED"
        }
    }

    states: [
        State { name: "PRESSED"; PropertyChanges { target: pressed; opacity: 1 } },
        State { name: "HELD"; PropertyChanges { target: pressed; opacity: 1 } },
        State { name: "RELEASED"; PropertyChanges { target: pressed; opacity: 0 } }
    ]

    transitions: [
        Transition { to: "PRESSED"; NumberAnimation { property: "opacity"; duration: 50 } },
        Transition { to: "HELD"; NumberAnimation { property: "opacity"; duration: 50 } },
        Transition { to: "RELEASED"; NumberAnimation { property: "opacity"; duration: 150 } }
    ]
}
