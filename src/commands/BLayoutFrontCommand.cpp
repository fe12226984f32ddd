#include "commands/BLayoutFrontCommand.h"

#include "commands/BCommandId.h"

BLayoutFrontCommand::BLayoutFrontCommand(int mode)
    : BLayoutOrderCommand(mode)
{
}

BLayoutFrontCommand::~BLayoutFrontCommand() = default;

QList<CControl *> BLayoutFrontCommand::reordered(const QList<CControl *> &children,
                                                 const QList<CControl *> &selected) const
{
    QList<CControl *> order;
    for (CControl *pChild : children) {
        if (!selected.contains(pChild))
            order.append(pChild);
    }
    for (CControl *pChild : children) {
        if (selected.contains(pChild))
            order.append(pChild);
    }
    return order;
}

bool BLayoutFrontCommand::raises() const
{
    return true;
}

bool BLayoutFrontCommand::passesAll() const
{
    return true;
}

QString BLayoutFrontCommand::name() const
{
    return tr("Send To Front");
}

int BLayoutFrontCommand::id() const
{
    return BCommandId::LayoutFront;
}
