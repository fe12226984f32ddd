import QtQuick

// Where the shown panel stands in its collection: one dot per panel, the
// shown one in the accent colour, with arrows that step to the panel before
// or after it.
Item {
    id: indicator
    objectName: "pageIndicator"

    property real dotSize: Math.max(2, Math.round(8 * intrf.pixelScale))
    property bool paging: intrf.pageCount > 1

    implicitWidth: row.width
    implicitHeight: Math.max(dotSize * 3, 1)

    Row {
        id: row
        anchors.centerIn: parent
        spacing: indicator.dotSize

        Image {
            objectName: "leftArrow"
            anchors.verticalCenter: parent.verticalCenter
            source: intrf.leftArrow
            visible: indicator.paging
            height: indicator.dotSize * 2.5
            width: height
            fillMode: Image.PreserveAspectFit

            MouseArea {
                anchors.fill: parent
                onClicked: intrf.postCommand("event", "leftarrow")
            }
        }

        Repeater {
            model: Math.max(0, intrf.pageCount)

            Rectangle {
                objectName: "pageDot" + index
                anchors.verticalCenter: parent.verticalCenter
                width: indicator.dotSize
                height: width
                radius: width / 2
                color: index === intrf.pageIndex ? intrf.accentColor : intrf.pageInActive
            }
        }

        Image {
            objectName: "rightArrow"
            anchors.verticalCenter: parent.verticalCenter
            source: intrf.rightArrow
            visible: indicator.paging
            height: indicator.dotSize * 2.5
            width: height
            fillMode: Image.PreserveAspectFit

            MouseArea {
                anchors.fill: parent
                onClicked: intrf.postCommand("event", "rightarrow")
            }
        }
    }
}
