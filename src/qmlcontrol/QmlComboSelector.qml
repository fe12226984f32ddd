import QtQuick
import QtQuick.Controls
import wcomboselection

// One square per combination of a room-combining group; a click picks the
// combination that room presses add to.
Rectangle {
    id: roomCombo

    property bool enableEdit: false
    property bool selEnable: true
    property bool autoSize: true

    x: 0
    y: 0
    z: 1
    width: 200
    height: 40
    radius: 2
    visible: false
    color: "transparent"
    anchors.left: parent ? parent.left : undefined
    anchors.right: parent ? parent.right : undefined
    anchors.leftMargin: wwidget.sideMargins
    anchors.rightMargin: wwidget.sideMargins

    onHeightChanged: {
        if (height < 35)
            height = 35
    }

    MouseArea {
        anchors.fill: parent
    }

    Rectangle {
        anchors.fill: parent
        color: "grey"
        opacity: 0.3
    }

    ScrollView {
        anchors.fill: parent
        clip: true
        ScrollBar.horizontal.policy: ScrollBar.AsNeeded

        ListView {
            id: comboList

            orientation: ListView.Horizontal
            model: wwidget.comboColors
            delegate: Rectangle {
                id: cell

                required property int index

                width: roomCombo.height - 5
                height: roomCombo.height - 5
                color: "transparent"

                Rectangle {
                    objectName: "comboSquare"
                    anchors.centerIn: parent
                    width: 0.7 * cell.height
                    height: width
                    color: wwidget.getComboColor(cell.index)
                    opacity: 0.4

                    MouseArea {
                        anchors.fill: parent
                        onClicked: wwidget.selectorClicked(cell.index)
                    }
                }

                Rectangle {
                    objectName: "comboHighlight"
                    anchors.centerIn: parent
                    width: 0.7 * cell.height + 2
                    height: width
                    color: "transparent"
                    border.width: cell.index === wwidget.selectedIndex ? 2 : 0
                    border.color: intrf.textColor
                }
            }
        }
    }

    WComboSelection {
        id: wwidget
        objectName: "widget"
    }
}
