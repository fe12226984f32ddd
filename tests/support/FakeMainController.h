#pragma once

#include "controllers/KMainController.h"

#include <QHash>
#include <QList>

// A main controller that is never initialised: instead of the window's
// actions it hands out one plain action for each id it is given (all enabled
// at first) and null for any other id.
class FakeMainController : public KMainController
{
    Q_OBJECT

public:
    explicit FakeMainController(const QList<int> &actionIds);
    ~FakeMainController() override;

    QAction *action(int actionId) override;
    // Attached to a model's controller tree it stays uninitialised.
    void initialize() override {}

private:
    QHash<int, QAction *> m_actions;
};
