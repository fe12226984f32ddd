#pragma once

// Events broadcast down the controller tree through KController::notify.
namespace NotifyEventId {
constexpr int SelectionChanged = 0x2000; // also after a property of the selection was edited
constexpr int Initialised = 0x2800;      // start-up, design file or project loaded, new project
constexpr int PanelsChanged = 0x2801;    // the structure of scenes and panels changed
constexpr int GeometryEdited = 0x2802;   // a drag, resize, reshape, vertex edit or nudge finished
constexpr int ShowProperties = 0x2900;   // bring the Properties tab to the front
} // namespace NotifyEventId
