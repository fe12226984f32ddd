import QtQuick
import wroomselection

// One room of a room-combining group drawn over a floor plan; a selected
// room is filled and drawn with the selected opacity.
PolygonShape {
    id: roomRoot

    widget: wwidget
    z: 1
    touchMargin: 3
    saveOnInsert: true
    opacity: wwidget.isSelected ? wwidget.selectedOpacity : wwidget.unselectedOpacity
    fieldColor: wwidget.isSelected ? "crimson" : "lightgrey"
    borderColor: intrf.borderColor

    WRoomSelection {
        id: wwidget
        objectName: "widget"
    }
}
