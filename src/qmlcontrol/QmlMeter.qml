import QtQuick
import wmeter

// A bar meter: caption, gauge and units.
Item {
    id: meter

    readonly property real maxColorStopPoint1: 0.667
    readonly property real maxColorStopPoint2: 0.233
    readonly property real maxColorStopPoint3: 0.1
    property real colorStopPoint1: maxColorStopPoint1
    property real colorStopPoint2: maxColorStopPoint2
    property real colorStopPoint3: maxColorStopPoint3
    property color colorAtPoint1: "#C3C3C3"
    property color colorAtPoint2: "#C3C3C3"
    property color colorAtPoint3: "#C3C3C3"
    property string text: ""
    property bool selEnable: true
    property bool isMarkerEnabled: false
    property real markerLevelPoint: 0
    property real peakLevelPoint: 0
    property bool isPeakEnabled: false

    x: 0
    y: 0
    z: 1
    width: 25
    height: 320
    visible: false
    smooth: true

    Text {
        id: caption
        anchors.top: parent.top
        width: parent.width
        height: meter.height * 0.06
        font.pixelSize: Math.max(1, height * 0.7)
        // A long caption shrinks, and at last elides, to the meter's width.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Math.min(6, font.pixelSize)
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignTop
        color: intrf.textColor
        text: meter.text
    }

    Rectangle {
        id: gaugeArea
        anchors.top: caption.bottom
        width: parent.width
        height: meter.height * 0.87
        color: "transparent"

        MeterGauge {
            anchors.fill: parent
            maximumValue: widget.maximum
            minimumValue: widget.minimum
            tickmarkStepSize: 6
            minorTickmarkCount: 5
            markerLevel: meter.markerLevelPoint
            isMarkerLevelEnabled: meter.isMarkerEnabled
            peakLevel: meter.peakLevelPoint
            isPeakLevelEnabled: meter.isPeakEnabled
            stopPoint1: meter.colorStopPoint1
            stopPoint2: meter.colorStopPoint2
            stopPoint3: meter.colorStopPoint3
            colorAt1: meter.colorAtPoint1
            colorAt2: meter.colorAtPoint2
            colorAt3: meter.colorAtPoint3
            textColor: intrf.textColor
        }
    }

    Text {
        anchors.top: gaugeArea.bottom
        anchors.topMargin: meter.height * 0.01
        width: parent.width
        height: meter.height * 0.06
        font.pixelSize: Math.max(1, height * 0.7)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignBottom
        color: intrf.textColor
        text: widget.unitsText
    }

    WMeter {
        id: widget
        objectName: "widget"
    }
}
