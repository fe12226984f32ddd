#pragma once

#include <QPointer>
#include <QTabWidget>

class KTabController;

// The left-hand tab pane, tabs at the bottom.
class VTabBar : public QTabWidget
{
    Q_OBJECT

public:
    explicit VTabBar(QWidget *pParent);
    ~VTabBar() override;

    void setController(KTabController *pController);
    KTabController *controller() const;

    void setupTabs();

private:
    QPointer<KTabController> m_pController;
};
