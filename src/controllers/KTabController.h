#pragma once

#include "controllers/KController.h"

#include <QPointer>

class VTabBar;

// Owns the left-hand tab pane with the "Project" and "Properties" tabs and
// attaches the controllers of the two tabs.
class KTabController : public KController
{
    Q_OBJECT

public:
    KTabController(QWidget *pParent, MModel *pModel);
    ~KTabController() override;

    int controllerId() const override;
    void initialize() override;
    void layout(const QRect &area) override;
    void notify(int event) override;
    void clear() override;
    void build() override;

    // Brings the tab page that holds the controller with that id to the front.
    void showTabOf(int controllerId);

    VTabBar *tabBar() const;

private:
    void createProjectTab();
    void createPropertiesTab();

    QPointer<VTabBar> m_pTabBar;
};
