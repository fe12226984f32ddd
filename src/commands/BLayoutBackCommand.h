#pragma once

#include "commands/BLayoutOrderCommand.h"

// Moves the selected controls, keeping their order, below every other child
// of the panel.
class BLayoutBackCommand : public BLayoutOrderCommand
{
    Q_DECLARE_TR_FUNCTIONS(BLayoutBackCommand)

public:
    explicit BLayoutBackCommand(int mode = BCommandMode::Undoable);
    ~BLayoutBackCommand() override;

    QString name() const override;
    int id() const override;

protected:
    QList<CControl *> reordered(const QList<CControl *> &children,
                                const QList<CControl *> &selected) const override;
    bool raises() const override;
    bool passesAll() const override;
};
