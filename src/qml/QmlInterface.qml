import QtQuick

// What every QML file reads through the context property "intrf": editor
// switches, content size and scale, and the skin's colours and images
// ("Light" with the "Blue" accent until a skin is loaded). The native bridge
// takes this root's place when it lands; until then the gesture functions
// below are the calls QML files may make and do nothing.
QtObject {
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
    property int textLinkTextSize: 12
    property real controlRadius: 5

    // pages and titles
    property int pageCount: 1
    property int pageIndex: 0
    property string headerTitle: ""
    property string sceneTitle: ""

    // skin colours
    property color textColor: "#231F20"
    property color canvasColor: "#FFFFFF"
    property color nullRegionColor: "#4D231F20"
    property color statusBarColor: "#F3F3F3"
    property color statusBarShadow: "#19231F20"
    property color statusBarTextColor: "#000000"
    property color toolBarColor: "#F6F6F6"
    property color toolBarShadow: "#19231F20"
    property color toolBarTextColor: "#000000"
    property color grooveColor1: "#A8AAAD"
    property color borderColor: "#A8AAAD"
    property color fieldColor: "#F6F6F6"
    property color pageInActive: "#A8AAAD"
    property color linkInActive: "#808285"
    property color accentColor: "#1D98D5"

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

    // canvas gestures of the selection overlay
    function moveControl(x, y, state) {}
    function resizeControl(x, y, edge, state) {}
    function keyEvent(key, modifiers, repeat, state) {}
    function doubleClickControl() {}
    function cancelEdit() {}
}
