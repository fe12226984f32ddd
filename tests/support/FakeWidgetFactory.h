#pragma once

#include "widgets/WWidgetFactory.h"

#include <QStringList>

class QQuickItem;

// A widget factory without QML: every type it accepts gives a base widget
// inside a plain item under the parent item (or under an item of its own when
// none is set), so panel-document tests can read ids, links, geometry and
// fractions. Types listed as refused give null.
class FakeWidgetFactory : public WWidgetFactory
{
public:
    FakeWidgetFactory();
    ~FakeWidgetFactory() override;

    WWidget *createWidget(const QString &type) override;
    QQuickItem *parentItem() const override;

    void refuse(const QString &type) { m_refused.append(type); }
    int created() const { return m_nCreated; }

private:
    QQuickItem *m_pOwnCanvas;
    QStringList m_refused;
    int m_nCreated = 0;
};
