#include "controllers/KMainController.h"

#include "controllers/ControllerId.h"

#include <QAction>

KMainController::KMainController()
    : KController(nullptr, nullptr)
{
}

KMainController::~KMainController() = default;

int KMainController::controllerId() const
{
    return ControllerId::Main;
}

void KMainController::setActionEnabled(int actionId, bool enabled)
{
    if (QAction *pAction = action(actionId))
        pAction->setEnabled(enabled);
}

void KMainController::setActionChecked(int actionId, bool checked)
{
    if (QAction *pAction = action(actionId))
        pAction->setChecked(checked);
}
