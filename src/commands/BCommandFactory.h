#pragma once

#include "commands/BCommand.h"

// Makes commands by BCommandId. One per process, created on first use and
// never destroyed; it holds no state.
class BCommandFactory
{
public:
    static BCommandFactory *instance();

    // A new command for the id, constructed with the mode (the command's own
    // constructor may change it); null for an id without a command. The
    // caller owns the result until it hands it to the processor.
    BCommand *createCommand(int id, int mode = BCommandMode::Undoable) const;

private:
    BCommandFactory() = default;
    // The stacking, align and distribute commands.
    BCommand *createLayoutCommand(int id, int mode) const;
    Q_DISABLE_COPY(BCommandFactory)
};
