#pragma once

#include "commands/BLayoutOrderCommand.h"

// Moves the selected controls to the top of the panel, keeping their order.
class BLayoutFrontCommand : public BLayoutOrderCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutFrontCommand)

public:
    explicit BLayoutFrontCommand(int mode = BCommandMode::Undoable);
    ~BLayoutFrontCommand() override;

    QString name() const override;
    int id() const override;

protected:
    QList<CControl *> reordered(const QList<CControl *> &children,
                                const QList<CControl *> &selected) const override;
    bool raises() const override;
    bool passesAll() const override;
};
