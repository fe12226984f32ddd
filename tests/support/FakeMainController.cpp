#include "FakeMainController.h"

#include <QAction>

FakeMainController::FakeMainController(const QList<int> &actionIds)
{
    for (int id : actionIds) {
        QAction *pAction = new QAction(QString::number(id, 16), this);
        pAction->setCheckable(true);
        m_actions.insert(id, pAction);
    }
}

FakeMainController::~FakeMainController() = default;

QAction *FakeMainController::action(int actionId)
{
    return m_actions.value(actionId, nullptr);
}
