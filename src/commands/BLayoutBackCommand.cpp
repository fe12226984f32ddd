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
    // Below every other child: the lowest of the rest is not kept under it.
    QList<CControl *> order;
    QList<CControl *> rest;
    for (CControl *pChild : children)
        (selected.contains(pChild) ? order : rest).append(pChild);
    order.append(rest);
    return order;
}

bool BLayoutBackCommand::raises() const
{
    return false;
}

bool BLayoutBackCommand::passesAll() const
{
    return true;
}

QString BLayoutBackCommand::name() const
{
    return tr("Send To Back");
}

int BLayoutBackCommand::id() const
{
    return BCommandId::LayoutBack;
}
