#pragma once

// Numeric ids by which controllers find each other in the controller tree.
namespace ControllerId {
constexpr int Base = 0x1000;        // KController itself and KComposite
constexpr int ProjectTree = 0x1002; // KTreeController
constexpr int Canvas = 0x1003;      // KQmlController
constexpr int Main = 0x1004;        // KMainController
constexpr int Properties = 0x1005;  // KPropertiesController
constexpr int Tabs = 0x1006;        // KTabController
} // namespace ControllerId
