#include "commands/BCommandFactory.h"

#include "commands/BCommandId.h"
#include "commands/BDropControlCommand.h"
#include "commands/BDropLinkCommand.h"
#include "commands/BDropPanelCommand.h"
#include "commands/BDropSiteCommand.h"
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
        return nullptr;
    }
}
