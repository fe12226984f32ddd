#pragma once

#include "commands/BLayoutOrderCommand.h"

// Moves each block of adjacent selected controls one place down, below the control that was just
// below it.
class BLayoutBackwardCommand : public BLayoutOrderCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutBackwardCommand)

public:
    explicit BLayoutBackwardCommand(int mode = BCommandMode::Undoable);
    ~BLayoutBackwardCommand() override;

    QString name() const override;
    int id() const override;

protected:
    QList<CControl *> reordered(const QList<CControl *> &children,
                                const QList<CControl *> &selected) const override;
    bool raises() const override;
};
