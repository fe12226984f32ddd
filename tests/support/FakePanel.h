#pragma once

#include "model/CComposite.h"

#include <QHash>
#include <QSizeF>
#include <QStringList>

// A panel that builds its controls the way the templates would, without
// template files: a control for a node's parameter takes the parameter's name
// and type, a graphics item its name as type, a panel link the type
// "PanelLink" and its target; each gets one widget (through the delegate's
// factory) at the position, sized by its type, and is added to the panel.
// A parameter the node lacks, or a graphics name not listed, builds nothing.
class FakePanel : public CComposite
{
    Q_OBJECT

public:
    explicit FakePanel(const QString &name = QStringLiteral("Panel"));

    CControl *createControlForNode(HNode *pHardwareRoot, HNode *pNode, const QString &name,
                                   const QPointF &position) override;
    CControl *createFromGraphics(const QString &name, const QPointF &position) override;
    CControl *createPanelLink(CControl *pTarget, const QPointF &position) override;

    void setSize(const QString &type, const QSizeF &size) { m_sizes.insert(type, size); }
    void setGraphics(const QStringList &names) { m_graphics = names; }
    // The target of each link built, by link.
    CControl *linkTarget(const CControl *pLink) const { return m_targets.value(pLink); }

private:
    CControl *build(const QString &name, const QString &type, HNode *pNode, const QPointF &position);

    QHash<QString, QSizeF> m_sizes;
    QStringList m_graphics;
    QHash<const CControl *, CControl *> m_targets;
};
