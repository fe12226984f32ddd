#pragma once

#include "widgets/WWidgetFactory.h"

#include <QStringList>

class QQuickItem;

// A widget factory without QML: every type it accepts gives a base widget
// inside a plain item under the parent item (or under an item of its own when
// none is set), so panel-document tests can read ids, links, geometry and
// fractions. Types listed as refused give null; drop sites can be asked for.
class FakeWidgetFactory : public WWidgetFactory
{
public:
    FakeWidgetFactory();
    ~FakeWidgetFactory() override;

    WWidget *createWidget(const QString &type) override;
    QQuickItem *parentItem() const override;

    void refuse(const QString &type) { m_refused.append(type); }
    // From now on "dropsite" gives a FakeDropSite accepting the control type.
    void makeDropSites(const QString &controlType) { m_sSiteType = controlType; }
    // From now on "dropsite" gives the real drop-site widget.
    void makeRealDropSites() { m_bRealSites = true; }
    // From now on the base widgets write themselves inside an element of
    // their type, as the real kinds do, and so survive a copy and paste.
    void makeSavingWidgets() { m_bSaving = true; }
    int created() const { return m_nCreated; }

private:
    QQuickItem *m_pOwnCanvas;
    QStringList m_refused;
    QString m_sSiteType;
    bool m_bRealSites = false;
    bool m_bSaving = false;
    int m_nCreated = 0;
};
