#pragma once

#include "controllers/KController.h"

#include <QList>

// A controller that owns an ordered list of child controllers, forwards
// notifications and the model to them in list order and finds controllers
// among them by id. The model's controller tree is rooted in one.
class KComposite : public KController
{
    Q_OBJECT

public:
    KComposite();
    KComposite(QWidget *pParent, MModel *pModel);
    ~KComposite() override;

    void initialize() override;
    void notify(int event) override;
    // Runs the child's initialize before appending it, so that controllers it
    // attaches meanwhile stand before it.
    void addController(KController *pChild) override;
    bool deleteController(int id) override;
    // Only direct children; the child is not deleted.
    bool removeController(KController *pController) override;
    KController *findController(int id) override;
    void setModel(MModel *pModel) override;

    int childCount() const { return int(m_controllers.size()); }
    KController *childAt(int index) const { return m_controllers.value(index); }

private:
    QList<KController *> m_controllers;
};
