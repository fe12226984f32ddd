#pragma once

#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "support/FakeNodes.h"
#include "support/FakeWidgetFactory.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPair>

// A panel whose controls get plain widgets from a fake factory.
class PanelFixture
{
public:
    using Settings = QList<QPair<QString, QString>>;

    PanelFixture()
    {
        WDelegate::instance()->setFactory(&factory);
        panel.setKind(QStringLiteral("Panel"));
    }

    ~PanelFixture()
    {
        panel.clear();
        flushDeletes();
        WDelegate::instance()->setFactory(nullptr);
    }

    // A node of the hardware tree (a control owns a node without a parent).
    FakeNode *node(const QString &label = QString())
    {
        auto *pNode = new FakeNode(QStringLiteral("Blocks"), label);
        processor.addNode(pNode);
        return pNode;
    }

    // A new control, added to the panel unless told otherwise.
    CControl *control(const QString &name, const QString &type = QStringLiteral("Slider"),
                      HNode *pNode = nullptr, const QString &transform = QStringLiteral("bin8"),
                      bool add = true)
    {
        auto *pControl = new CControl;
        pControl->setKind(QStringLiteral("Control"));
        pControl->setName(name);
        pControl->setType(type);
        if (pNode)
            pControl->setNode(pNode);
        if (!transform.isEmpty())
            pControl->setAttribute(QStringLiteral("list"), QStringLiteral("transform"), transform);
        if (add)
            panel.addChild(pControl);
        return pControl;
    }

    // Reads one widget of the control from settings, as the project reader does.
    static WWidget *widget(CControl *pControl, const QString &type, const Settings &settings)
    {
        for (const auto &setting : settings)
            pControl->createPrototype(type, setting.first, setting.second);
        pControl->finishWidget(type);
        return pControl->widgets().isEmpty() ? nullptr : pControl->widgets().last().data();
    }

    // Runs deferred deletions, including those that deletions schedule.
    static void flushDeletes()
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeProcessor processor;
    FakeWidgetFactory factory;
    CComposite panel;
};
