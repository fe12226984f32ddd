#include "commands/BLayoutForwardCommand.h"

#include "commands/BCommandId.h"

BLayoutForwardCommand::BLayoutForwardCommand(int mode)
    : BLayoutOrderCommand(mode)
{
}

BLayoutForwardCommand::~BLayoutForwardCommand() = default;

QList<CControl *> BLayoutForwardCommand::reordered(const QList<CControl *> &children,
                                                 const QList<CControl *> &selected) const
{
    // From the top down, each selected control trades places with an
    // unselected one just above it: a block rises by one as a whole.
    QList<CControl *> order = children;
    for (int i = int(order.size()) - 2; i >= 0; --i) {
        if (selected.contains(order.at(i)) && !selected.contains(order.at(i + 1)))
            order.swapItemsAt(i, i + 1);
    }
    return order;
}

bool BLayoutForwardCommand::raises() const
{
    return true;
}

QString BLayoutForwardCommand::name() const
{
    return tr("Send Forward");
}

int BLayoutForwardCommand::id() const
{
    return BCommandId::LayoutForward;
}
