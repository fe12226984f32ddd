#include "commands/BCommandFactory.h"

#include "commands/BAlignBottomCommand.h"
#include "commands/BAlignHCenterCommand.h"
#include "commands/BAlignLeftCommand.h"
#include "commands/BAlignRightCommand.h"
#include "commands/BAlignTopCommand.h"
#include "commands/BAlignVCenterCommand.h"
#include "commands/BCommandId.h"
#include "commands/BDropControlCommand.h"
#include "commands/BDropLinkCommand.h"
#include "commands/BDropPanelCommand.h"
#include "commands/BDropSiteCommand.h"
#include "commands/BEditCopyCommand.h"
#include "commands/BEditCutCommand.h"
#include "commands/BEditDeleteCommand.h"
#include "commands/BEditPasteCommand.h"
#include "commands/BEditRedoCommand.h"
#include "commands/BEditUndoCommand.h"
#include "commands/BLayoutBackCommand.h"
#include "commands/BLayoutBackwardCommand.h"
#include "commands/BLayoutForwardCommand.h"
#include "commands/BLayoutFrontCommand.h"
#include "commands/BLayoutSpaceAcrossCommand.h"
#include "commands/BLayoutSpaceDownCommand.h"
#include "commands/BEditPropCommand.h"
#include "commands/BToolDeleteVertexCommand.h"
#include "commands/BToolDragCommand.h"
#include "commands/BToolInsertVertexCommand.h"
#include "commands/BToolNudgeCommand.h"
#include "commands/BToolReshapeCommand.h"
#include "commands/BToolResizeCommand.h"
#include "commands/BToolSelectCommand.h"

BCommandFactory *BCommandFactory::instance()
{
    static BCommandFactory factory;
    return &factory;
}

BCommand *BCommandFactory::createCommand(int id, int mode) const
{
    switch (id) {
    case BCommandId::ToolSelect:
        return new BToolSelectCommand(mode);
    case BCommandId::ToolDrag:
        return new BToolDragCommand(mode);
    case BCommandId::ToolResize:
        return new BToolResizeCommand(mode);
    case BCommandId::ToolReshape:
        return new BToolReshapeCommand(mode);
    case BCommandId::ToolDeleteVertex:
        return new BToolDeleteVertexCommand(mode);
    case BCommandId::ToolInsertVertex:
        return new BToolInsertVertexCommand(mode);
    case BCommandId::ToolNudge:
        return new BToolNudgeCommand(mode);
    case BCommandId::EditUndo:
        return new BEditUndoCommand(mode);
    case BCommandId::EditRedo:
        return new BEditRedoCommand(mode);
    case BCommandId::EditCut:
        return new BEditCutCommand(mode);
    case BCommandId::EditCopy:
        return new BEditCopyCommand(mode);
    case BCommandId::EditPaste:
        return new BEditPasteCommand(mode);
    case BCommandId::EditDelete:
        return new BEditDeleteCommand(mode);
    case BCommandId::EditProp:
        return new BEditPropCommand(mode);
    case BCommandId::DropControl:
        return new BDropControlCommand(mode);
    case BCommandId::DropPanel:
        return new BDropPanelCommand(mode);
    case BCommandId::DropSite:
        return new BDropSiteCommand(mode);
    case BCommandId::DropLink:
        return new BDropLinkCommand(mode);
    default:
        return createLayoutCommand(id, mode);
    }
}

BCommand *BCommandFactory::createLayoutCommand(int id, int mode) const
{
    switch (id) {
    case BCommandId::LayoutFront:
        return new BLayoutFrontCommand(mode);
    case BCommandId::LayoutForward:
        return new BLayoutForwardCommand(mode);
    case BCommandId::LayoutBack:
        return new BLayoutBackCommand(mode);
    case BCommandId::LayoutBackward:
        return new BLayoutBackwardCommand(mode);
    case BCommandId::AlignLeft:
        return new BAlignLeftCommand(mode);
    case BCommandId::AlignRight:
        return new BAlignRightCommand(mode);
    case BCommandId::AlignTop:
        return new BAlignTopCommand(mode);
    case BCommandId::AlignBottom:
        return new BAlignBottomCommand(mode);
    case BCommandId::AlignHCenter:
        return new BAlignHCenterCommand(mode);
    case BCommandId::AlignVCenter:
        return new BAlignVCenterCommand(mode);
    case BCommandId::LayoutSpaceAcross:
        return new BLayoutSpaceAcrossCommand(mode);
    case BCommandId::LayoutSpaceDown:
        return new BLayoutSpaceDownCommand(mode);
    default:
        return nullptr;
    }
}
