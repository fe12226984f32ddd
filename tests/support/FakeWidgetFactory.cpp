#include "support/FakeWidgetFactory.h"

#include "support/FakeDropSite.h"
#include "support/FakeSavingWidget.h"
#include "widgets/WDropSite.h"
#include "widgets/WWidget.h"

#include <QQuickItem>

FakeWidgetFactory::FakeWidgetFactory()
    : m_pOwnCanvas(new QQuickItem)
{
}

FakeWidgetFactory::~FakeWidgetFactory()
{
    delete m_pOwnCanvas;
}

QQuickItem *FakeWidgetFactory::parentItem() const
{
    QQuickItem *pItem = WWidgetFactory::parentItem();
    return pItem ? pItem : m_pOwnCanvas;
}

WWidget *FakeWidgetFactory::createWidget(const QString &type)
{
    if (m_refused.contains(type))
        return nullptr;
    auto *pItem = new QQuickItem(parentItem());
    pItem->setParent(parentItem());
    pItem->setProperty("selEnable", true);
    WWidget *pWidget = nullptr;
    if (m_bRealSites && type == QLatin1String("dropsite")) {
        pWidget = new WDropSite(pItem);
    } else if (!m_sSiteType.isEmpty() && type == QLatin1String("dropsite")) {
        pWidget = new FakeDropSite(m_sSiteType);
        pWidget->setParentItem(pItem);
    } else if (m_bSaving) {
        pWidget = new FakeSavingWidget(pItem);
    } else {
        pWidget = new WWidget(pItem);
    }
    pWidget->setParent(pItem);
    pWidget->setObjectName(QStringLiteral("widget"));
    pWidget->setWidget(pItem);
    pWidget->initWidget(pItem);
    ++m_nCreated;
    return pWidget;
}
