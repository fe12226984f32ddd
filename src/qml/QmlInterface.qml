import QtQuick
import mqmlinterface

// The bridge object published as "intrf" and the display values every QML
// file reads from it. The model writes these when the canvas or the skin
// changes; a loaded skin sets its colours and image paths by name. Defaults
// are the "Light" skin with the "Blue" accent.
MQmlInterface {
    // editor switches
    property bool rightClickEnable: true
    property bool editModeEnable: false

    // content size and scale
    property int contentWidth: 1920
    property int contentHeight: 1200
    property int maxControlHeight: 340
    property real pixelScale: 1.0
    property real viewScale: 1.0
    property int textSize: 12

    // rows, title and logo: heights as parts of the canvas height or of the
    // row, and their text sizes before scaling
    property real toolBarProportion: 0.08
    property real statusBarProportion: 0.05
    property real titleProportion: 0.45
    property real logoProportion: 0.6
    property int toolBarTextSize: 16
    property int statusBarTextSize: 12
    property int titleTextSize: 18
    property int menuTextSize: 16
    property int textLinkTextSize: 12
    property real controlRadius: 5

    // pages of the shown collection
    property int pageCount: 1
    property int pageIndex: 0

    // texts
    property string headerTitle: ""
    property string sceneTitle: ""
    property string errorText: ""

    // skin colours; the menus and edit fields follow the canvas and the
    // fields unless a skin names their own
    property color textColor: "#231F20"
    property color menuColor: canvasColor
    property color editColor: fieldColor
    property color accentColor: "#1D98D5"
    property color canvasColor: "#FFFFFF"
    property color nullRegionColor: "#4D231F20"
    property color statusBarColor: "#F3F3F3"
    property color statusBarShadow: "#19231F20"
    property color statusBarTextColor: "#000000"
    property color toolBarColor: "#F6F6F6"
    property color toolBarShadow: "#19231F20"
    property color toolBarTextColor: "#000000"
    property color borderColor: "#A8AAAD"
    property color fieldColor: "#F6F6F6"
    property color pageInActive: "#A8AAAD"
    property color linkInActive: "#808285"
    property color logoBackground: "transparent"
    property color grooveColor1: "#A8AAAD"
    // Text on a control's field, as a fader's caption and value: the skin's
    // text colour where it reads on the field, else dark or light text that does.
    readonly property color fieldTextColor: Math.abs(lightness(textColor) - lightness(fieldColor)) >= 0.4
                                            ? textColor : (lightness(fieldColor) > 0.5 ? "#231F20" : "#FFFFFF")

    function lightness(c) {
        return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b
    }

    // skin images, relative to the QML files
    property string rightArrow: "../../images/skins/Light/arrow_right.png"
    property string leftArrow: "../../images/skins/Light/arrow_left.png"
    property string setupButton: "../../images/skins/Light/menu.png"
    property string connectInd: "../../images/skins/Light/indicator_red.png"
    property string muteOn: "../../images/skins/Light/mute_off.png"
    property string harloLogo: "../../images/skins/Light/logo_harlo.png"
    property string vmrLogo: "../../images/skins/Light/logo_vmr.png"
    property string downArrow: "../../images/skins/Accent/Blue/arrow_down.png"
    property string muteOff: "../../images/skins/Accent/Blue/mute_on.png"

    // QML files of the canvas's top and bottom rows; "?" for none
    property string topRow: "qrc:/qml/objects/QmlToolBarObject.qml"
    property string bottomRow: "qrc:/qml/objects/QmlStatusBarObject.qml"
}
