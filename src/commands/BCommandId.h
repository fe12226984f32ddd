#pragma once

// Ids by which commands are made (BCommandFactory::createCommand) and told
// apart (BCommand::id).
namespace BCommandId {
// Canvas tools.
constexpr int ToolSelect = 0x2000;
constexpr int ToolDrag = 0x2001;
constexpr int ToolResize = 0x2002;
constexpr int ToolReshape = 0x2003;
constexpr int ToolDeleteVertex = 0x2004;
constexpr int ToolInsertVertex = 0x2005;
constexpr int ToolNudge = 0x2006;
// Edit commands.
constexpr int EditUndo = 0x2100;
constexpr int EditRedo = 0x2101;
constexpr int EditCut = 0x2102;
constexpr int EditCopy = 0x2103;
constexpr int EditPaste = 0x2104;
constexpr int EditDelete = 0x2105;
constexpr int EditProp = 0x2107;
// Drops from the project tree.
constexpr int DropControl = 0x2200;
constexpr int DropPanel = 0x2201;
constexpr int DropSite = 0x2202;
constexpr int DropLink = 0x2203;
// Stacking order.
constexpr int LayoutFront = 0x2300;
constexpr int LayoutForward = 0x2301;
constexpr int LayoutBack = 0x2302;
constexpr int LayoutBackward = 0x2303;
// Alignment and distribution.
constexpr int AlignLeft = 0x2304;
constexpr int AlignRight = 0x2305;
constexpr int AlignTop = 0x2306;
constexpr int AlignBottom = 0x2307;
constexpr int AlignHCenter = 0x2308;
constexpr int AlignVCenter = 0x2309;
constexpr int LayoutSpaceAcross = 0x230A;
constexpr int LayoutSpaceDown = 0x230B;
} // namespace BCommandId
