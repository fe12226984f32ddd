import QtQuick
import QtQuick.Controls
import wactivecombo

// A strip naming the rooms combined with the bound room.
Rectangle {
    id: roomCombo

    property real textScale: 1.0
    property color textColor: intrf.textColor
    property color borderColor: intrf.borderColor
    property real borderWidth: 1
    property bool enableEdit: false
    property bool selEnable: true
    property bool autoSize: true
    property real textSize: 0.4 * roomList.height
    // Without a border and, offline, without names the strip would be
    // invisible yet take presses: in edit mode it shows where it lies. The
    // stored border width stays as it is.
    readonly property bool placeholder: intrf.editModeEnable

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    radius: 3
    visible: false
    color: "transparent"
    border.width: borderWidth < 1 && placeholder ? 1 : borderWidth
    border.color: borderColor
    anchors.left: parent ? parent.left : undefined
    anchors.right: parent ? parent.right : undefined
    anchors.leftMargin: wwidget.sideMargins
    anchors.rightMargin: wwidget.sideMargins

    onHeightChanged: {
        scrollView.ScrollBar.horizontal.policy = ScrollBar.AlwaysOn
        textSize = Math.min(0.8 * roomList.height, 0.4 * scrollView.height)
        scrollView.ScrollBar.horizontal.policy = ScrollBar.AsNeeded
    }

    ScrollView {
        id: scrollView

        anchors.fill: parent
        anchors.topMargin: 5
        anchors.leftMargin: 5
        anchors.rightMargin: 5
        clip: true
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOn

        ListView {
            id: roomList

            orientation: ListView.Horizontal
            model: wwidget.roomNames
            delegate: Text {
                required property int index
                required property string modelData

                height: roomList.height
                color: roomCombo.textColor
                font.pixelSize: Math.max(1, roomCombo.textSize)
                text: (index === 0 ? qsTr("Combined w/ ") : "") + modelData
                      + (index < wwidget.count - 1 ? wwidget.separator : "")
            }
        }
    }

    Text {
        objectName: "placeholder"
        anchors.fill: scrollView
        visible: roomCombo.placeholder && wwidget.count === 0
        verticalAlignment: Text.AlignVCenter
        color: roomCombo.textColor
        opacity: 0.5
        font.pixelSize: Math.max(1, roomCombo.textSize)
        text: qsTr("Combined w/ ")
    }

    WActiveCombo {
        id: wwidget
        objectName: "widget"
    }
}
