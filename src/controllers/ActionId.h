#pragma once

// Ids under which the main controller hands out its actions (KController::action).
namespace ActionId {
constexpr int OpenDesign = 0x3001;
constexpr int OpenProject = 0x3002;
constexpr int SaveProject = 0x3003;
constexpr int SaveProjectAs = 0x3004;
constexpr int NewProject = 0x3005;
constexpr int Exit = 0x3006;
constexpr int Undo = 0x3007;
constexpr int Redo = 0x3008;
constexpr int GoOnline = 0x3009;
constexpr int SendToMobile = 0x300A;
constexpr int PanelSetup = 0x300B;
constexpr int CanvasSetup = 0x300C;
constexpr int About = 0x300F;
constexpr int HelpTopics = 0x3010;
constexpr int EditMode = 0x3011;
constexpr int Cut = 0x3012;
constexpr int Copy = 0x3013;
constexpr int Paste = 0x3014;
constexpr int Delete = 0x3015;
constexpr int UndoList = 0x3016;
constexpr int UpdateIpAddresses = 0x3017;
} // namespace ActionId
