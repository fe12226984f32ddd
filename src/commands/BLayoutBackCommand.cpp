#include "commands/BLayoutBackCommand.h"

#include "commands/BCommandId.h"

BLayoutBackCommand::BLayoutBackCommand(int mode)
    : BLayoutOrderCommand(mode)
{
}

BLayoutBackCommand::~BLayoutBackCommand() = default;

QList<CControl *> BLayoutBackCommand::reordered(const QList<CControl *> &children,
                                                 const QList<CControl *> &selected) const
{
    QList<CControl *> order;
    QList<CControl *> block;
    for (CControl *pChild : children)
        (selected.contains(pChild) ? block : order).append(pChild);
    // Just above the lowest child of the rest.
    const int at = qMin(1, int(order.size()));
    for (int i = 0; i < block.size(); ++i)
        order.insert(at + i, block.at(i));
    return order;
}

QString BLayoutBackCommand::name() const
{
    return tr("Send To Back");
}

int BLayoutBackCommand::id() const
{
    return BCommandId::LayoutBack;
}
