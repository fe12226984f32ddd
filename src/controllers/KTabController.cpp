#include "controllers/KTabController.h"

#include "controllers/ControllerId.h"
#include "controllers/KPropertiesController.h"
#include "controllers/KTreeController.h"
#include "controllers/NotifyEventId.h"
#include "model/MModel.h"
#include "views/VTabBar.h"

#include <QIcon>

KTabController::KTabController(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
{
    if (pParent)
        m_pTabBar = new VTabBar(pParent);
}

KTabController::~KTabController()
{
    delete m_pTabBar;
}

int KTabController::controllerId() const
{
    return ControllerId::Tabs;
}

VTabBar *KTabController::tabBar() const
{
    return m_pTabBar;
}

void KTabController::initialize()
{
    if (!m_pTabBar || !m_pModel)
        return;
    m_pTabBar->setController(this);
    m_pTabBar->setupTabs();
    createProjectTab();
    createPropertiesTab();
}

void KTabController::createProjectTab()
{
    if (!m_pModel || !m_pTabBar)
        return;
    auto *pPage = new QWidget;
    m_pTabBar->addTab(pPage, QIcon(QStringLiteral(":/images/ProjectTreeView.png")), tr("Project"));
    m_pModel->addController(new KTreeController(pPage, m_pModel));
}

void KTabController::createPropertiesTab()
{
    if (!m_pModel || !m_pTabBar)
        return;
    auto *pPage = new QWidget;
    m_pTabBar->addTab(pPage, QIcon(QStringLiteral(":/images/PropertiesView.png")), tr("Properties"));
    m_pModel->addController(new KPropertiesController(pPage, m_pModel));
}

void KTabController::layout(const QRect &area)
{
    if (!m_pTabBar)
        return;
    m_pTabBar->move(area.topLeft());
    m_pTabBar->resize(area.size());
    const QRect contents = m_pTabBar->contentsRect();
    for (int id : {ControllerId::ProjectTree, ControllerId::Properties}) {
        if (KController *pController = lookupController(id))
            pController->layout(contents);
    }
}

void KTabController::notify(int event)
{
    if (event == NotifyEventId::ShowProperties)
        showTabOf(ControllerId::Properties);
}

void KTabController::showTabOf(int controllerId)
{
    KController *pController = lookupController(controllerId);
    QWidget *pPage = pController ? pController->parentWidget() : nullptr;
    if (pPage && m_pTabBar && m_pTabBar->currentWidget() != pPage)
        m_pTabBar->setCurrentWidget(pPage);
}

void KTabController::clear()
{
}

void KTabController::build()
{
}
