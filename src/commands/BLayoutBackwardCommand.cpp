#include "commands/BLayoutBackwardCommand.h"

#include "commands/BCommandId.h"

BLayoutBackwardCommand::BLayoutBackwardCommand(int mode)
    : BLayoutOrderCommand(mode)
{
}

BLayoutBackwardCommand::~BLayoutBackwardCommand() = default;

QList<CControl *> BLayoutBackwardCommand::reordered(const QList<CControl *> &children,
                                                 const QList<CControl *> &selected) const
{
    // From the bottom up, each selected control trades places with an
    // unselected one just below it: a block sinks by one as a whole.
    QList<CControl *> order = children;
    for (int i = 1; i < order.size(); ++i) {
        if (selected.contains(order.at(i)) && !selected.contains(order.at(i - 1)))
            order.swapItemsAt(i, i - 1);
    }
    return order;
}

bool BLayoutBackwardCommand::raises() const
{
    return false;
}

QString BLayoutBackwardCommand::name() const
{
    return tr("Send Backward");
}

int BLayoutBackwardCommand::id() const
{
    return BCommandId::LayoutBackward;
}
