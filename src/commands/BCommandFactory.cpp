#include "commands/BCommandFactory.h"

#include "commands/BCommandId.h"
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
    default:
        return nullptr;
    }
}
