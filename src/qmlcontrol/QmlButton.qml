import QtQuick
import wbutton
import "../qml/objects"

// A push button with a text, an image or both in an on, an off and (for the
// connection indicator) a partial state. Presses and releases go to the
// widget, or open the setup menu for a setup button.
Item {
    id: button

    property string onText: ""
    property string offText: ""
    property int textSize: intrf.textLinkTextSize
    property bool hasText: false
    property real textMargin: 0
    property string onImage: ""
    property string offImage: ""
    property bool hasImage: false
    property real imageMargin: 0
    property real imageSize: 1.0
    property bool selEnable: true
    property bool checked: false
    property bool hasBorder: false
    property bool isSequence: false
    property bool isSetupButton: false
    property bool isTristateButton: false
    property bool isPartialStateActive: false
    property string partialImage: ""
    property string partialText: ""

    readonly property bool showsPartial: isTristateButton && isPartialStateActive
    readonly property string shownText: showsPartial ? (partialText !== "" ? partialText : offText)
                                                     : (checked ? onText : offText)
    readonly property string shownImage: showsPartial ? (partialImage !== "" ? partialImage : offImage)
                                                      : (checked ? onImage : offImage)

    // The caption shrinks (and at last elides) to fit beside the image, so
    // the pair is centred inside the button and never starts left of it.
    function updateMargins() {
        var imageHeight = image.height
        if (hasText && hasImage) {
            textMargin = Math.max(0, (width - imageHeight - caption.contentWidth) * 0.5)
            imageMargin = textMargin + caption.contentWidth
        } else {
            textMargin = 0
            imageMargin = Math.max(0, (width - imageHeight) * 0.5)
        }
    }

    function openSetupMenu() {
        var target = button.parent ? button.parent : button
        var menu = setupMenu.createObject(target, {
            "model": typeof setupMenuData === "undefined" ? [] : setupMenuData,
            "title": qsTr("Setup"),
            "command": "system",
            "z": 25,
            "destroyOnClose": true
        })
        if (menu)
            menu.open()
        return menu
    }

    x: 0
    y: 0
    z: 1
    width: 75
    height: 20
    visible: false

    onHeightChanged: {
        textSize = height * 0.5625
        updateMargins()
    }
    onWidthChanged: updateMargins()
    onHasTextChanged: updateMargins()
    onHasImageChanged: updateMargins()
    onShownTextChanged: updateMargins()
    onShownImageChanged: updateMargins()

    Component {
        id: setupMenu
        QmlPopupMenu {}
    }

    Rectangle {
        id: frame
        anchors.fill: parent
        color: "transparent"
        radius: height * 0.125
        border.width: intrf.pixelScale
        border.color: button.hasBorder ? intrf.linkInActive : "transparent"
        enabled: !intrf.editModeEnable

        Image {
            id: image
            x: button.imageMargin
            anchors.verticalCenter: parent.verticalCenter
            // Square, and never wider than the button.
            height: Math.min(button.height * button.imageSize * (button.hasBorder ? 0.8 : 1.0), button.width)
            width: height
            fillMode: Image.PreserveAspectFit
            source: button.shownImage
            visible: button.hasImage
            onHeightChanged: button.updateMargins()
        }

        Text {
            id: caption
            // Beside the image, the room the image leaves; alone, the whole button.
            x: button.hasImage ? button.textMargin : 0
            width: Math.max(0, button.hasImage ? button.width - image.width : button.width)
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: button.hasImage ? Text.AlignLeft : Text.AlignHCenter
            text: button.shownText
            color: button.checked ? intrf.accentColor : intrf.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, button.textSize)
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.min(6, Math.max(1, button.textSize))
            elide: Text.ElideRight
            visible: button.hasText
            // The margins need the width the text takes once laid out, which
            // can come after the change that asked for new margins.
            onContentWidthChanged: button.updateMargins()
        }

        MouseArea {
            anchors.fill: parent
            preventStealing: true
            onPressed: function (mouse) {
                mouse.accepted = true
                if (button.isSetupButton)
                    button.openSetupMenu()
                else
                    widget.outputPressed()
            }
            onReleased: widget.outputReleased()
        }
    }

    WButton {
        id: widget
        objectName: "widget"
    }
}
