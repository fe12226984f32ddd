#pragma once

#include "commands/BLayoutOrderCommand.h"

// Moves each block of adjacent selected controls one place up, above the control that was just
// above it.
class BLayoutForwardCommand : public BLayoutOrderCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutForwardCommand)

public:
    explicit BLayoutForwardCommand(int mode = BCommandMode::Undoable);
    ~BLayoutForwardCommand() override;

    QString name() const override;
    int id() const override;

protected:
    QList<CControl *> reordered(const QList<CControl *> &children,
                                const QList<CControl *> &selected) const override;
    bool raises() const override;
};
