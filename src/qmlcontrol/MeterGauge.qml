import QtQuick

// A vertical bar of three coloured bands over grey, with a level marker, a
// peak line and a scale of ticks and numbers at its left.
Item {
    id: gauge

    // Enough for any bar a panel holds; a hostile range must not create endless ticks.
    readonly property int maxMajorSteps: 100

    property real maximumValue: 100
    property real minimumValue: 0
    property real tickmarkStepSize: 6
    property int minorTickmarkCount: 5
    property real value: 0
    property real markerLevel: 0
    property bool isMarkerLevelEnabled: false
    property real peakLevel: 0
    property bool isPeakLevelEnabled: false
    property real stopPoint1: 0.667
    property real stopPoint2: 0.233
    property real stopPoint3: 0.1
    property color colorAt1: "#c3c3c3"
    property color colorAt2: "#c3c3c3"
    property color colorAt3: "#c3c3c3"
    property color textColor: "#231F20"

    readonly property real range: maximumValue - minimumValue
    readonly property real majorSteps: tickmarkStepSize > 0 && range > 0
                                       ? Math.min(maxMajorSteps, range / tickmarkStepSize) : 0
    readonly property real minorSteps: majorSteps * (Math.max(0, minorTickmarkCount) + 1)

    width: 250
    height: 300

    function clamp01(x) { return Math.max(0, Math.min(1, x)) }

    Item {
        id: aligner
        width: MeterGaugeLocalValue.alignerWidth
        height: parent.height
        anchors.horizontalCenter: parent.horizontalCenter

        Rectangle {
            id: bar
            width: MeterGaugeLocalValue.barWidth
            height: Math.max(0, gauge.height - MeterGaugeLocalValue.barHeightDif)
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            color: "#c3c3c3"

            Rectangle {
                width: parent.width
                height: parent.height * gauge.clamp01(gauge.stopPoint1)
                anchors.bottom: parent.bottom
                color: gauge.colorAt1
            }
            Rectangle {
                width: parent.width
                height: parent.height * gauge.clamp01(gauge.stopPoint2)
                y: parent.height * (1 - gauge.clamp01(gauge.stopPoint1)) - height
                color: gauge.colorAt2
            }
            Rectangle {
                width: parent.width
                height: parent.height * gauge.clamp01(gauge.stopPoint3)
                y: parent.height * (1 - gauge.clamp01(gauge.stopPoint1 + gauge.stopPoint2)) - height
                color: gauge.colorAt3
            }
            Rectangle {
                width: parent.width
                height: 2
                y: parent.height * (1 - gauge.clamp01(gauge.markerLevel)) - height / 2
                z: 1
                color: "blue"
                visible: gauge.isMarkerLevelEnabled
            }
            Rectangle {
                width: parent.width
                height: 2
                y: parent.height * (1 - gauge.clamp01(gauge.peakLevel)) - height / 2
                z: 1
                color: "red"
                visible: gauge.isPeakLevelEnabled
            }
        }

        // Major ticks with their numbers, bottom to top.
        Repeater {
            model: gauge.majorSteps > 0 ? Math.floor(gauge.majorSteps + 1e-9) + 1 : 0
            Item {
                readonly property real fraction: index / gauge.majorSteps
                x: bar.x - width
                y: bar.y + bar.height * (1 - fraction)
                width: 24
                height: 1

                Rectangle {
                    x: 3
                    width: 18
                    height: 1
                    color: gauge.textColor
                }
                Text {
                    anchors.right: parent.left
                    y: MeterGaugeLocalValue.digitOffset
                    textFormat: Text.RichText
                    color: gauge.textColor
                    text: Math.round(gauge.minimumValue + gauge.range * parent.fraction)
                }
            }
        }

        Repeater {
            model: gauge.minorSteps > 0 ? Math.floor(gauge.minorSteps + 1e-9) + 1 : 0
            Rectangle {
                x: bar.x - width - 2
                y: bar.y + bar.height * (1 - index / gauge.minorSteps)
                width: 8
                height: 1
                color: gauge.textColor
            }
        }
    }
}
