#include "views/VTabBar.h"

#include "controllers/KTabController.h"

#include <QTabBar>

VTabBar::VTabBar(QWidget *pParent)
    : QTabWidget(pParent)
{
}

VTabBar::~VTabBar() = default;

void VTabBar::setController(KTabController *pController)
{
    m_pController = pController;
}

KTabController *VTabBar::controller() const
{
    return m_pController;
}

void VTabBar::setupTabs()
{
    setTabShape(QTabWidget::Triangular);
    setTabPosition(QTabWidget::South);
    tabBar()->setShape(QTabBar::TriangularSouth);
    setContentsMargins(2, 2, 7, tabBar()->height());
}
