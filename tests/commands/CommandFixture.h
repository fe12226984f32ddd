#pragma once

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ControllerId.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeWidgetFactory.h"
#include "support/RecordingController.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRectF>
#include <QStringList>

#include <memory>

// A model showing one panel whose controls get plain widgets (one each, so a
// control's rectangle is its widget's), the model's select tool, and a
// controller that logs the broadcasts. Commands go through the real processor.
class CommandFixture
{
public:
    CommandFixture()
    {
        WDelegate::instance()->setFactory(&factory);
        panel.setKind(QStringLiteral("Panel"));
        panel.setName(QStringLiteral("Home"));
        panel.setContextObject(&model);
        model.setCurrentPanel(&panel);
        model.addController(new RecordingController(QStringLiteral("properties"), ControllerId::Properties,
                                                    &log, &model));
        BCommand *pCommand = BCommandFactory::instance()->createCommand(BCommandId::ToolSelect);
        tool.reset(static_cast<BToolSelectCommand *>(pCommand));
        tool->setModel(&model);
        tool->prepare();
    }

    ~CommandFixture()
    {
        // Commands first: they refer to the controls, never the other way round.
        delete BCommandProcessor::instance();
        tool.reset();
        panel.clear();
        flushDeletes();
        WDelegate::instance()->setFactory(nullptr);
    }

    // A control of one widget at the rectangle, on the panel.
    CControl *control(const QString &name, const QRectF &rect, const QString &type = QStringLiteral("Frame"))
    {
        auto *pControl = new CControl;
        pControl->setKind(QStringLiteral("Control"));
        pControl->setName(name);
        pControl->setType(type);
        const QString widgetType = type.toLower();
        pControl->createPrototype(widgetType, QStringLiteral("x"), QString::number(rect.x()));
        pControl->createPrototype(widgetType, QStringLiteral("y"), QString::number(rect.y()));
        pControl->createPrototype(widgetType, QStringLiteral("width"), QString::number(rect.width()));
        pControl->createPrototype(widgetType, QStringLiteral("height"), QString::number(rect.height()));
        pControl->finishWidget(widgetType);
        pControl->setContextObject(&model);
        panel.addChild(pControl);
        return pControl;
    }

    // A click on the control's selection overlay with the modifiers, as the
    // widget runs the select tool.
    void click(CControl *pControl, int modifiers = 0)
    {
        tool->setModifiers(modifiers);
        tool->select(pControl);
        tool->run(0);
        tool->mouseEvent(QPointF(0, 0), -1, BCommandId::ToolDrag, 1);
        tool->mouseEvent(QPointF(0, 0), -1, BCommandId::ToolDrag, 3);
    }

    // A drag gesture: press, the moves (each the movement since the last), release.
    void drag(const QList<QPointF> &moves, int id = BCommandId::ToolDrag, int handle = -1)
    {
        tool->mouseEvent(QPointF(0, 0), handle, id, 1);
        for (const QPointF &move : moves)
            tool->mouseEvent(move, handle, id, 2);
        tool->mouseEvent(QPointF(0, 0), handle, id, 3);
    }

    void key(int key, int modifiers, int phase, bool autoRepeat = false)
    {
        tool->keyEvent(key, modifiers, BCommandId::ToolNudge, autoRepeat, phase);
    }

    static BCommandProcessor *processor() { return BCommandProcessor::instance(); }

    // Runs deferred deletions, including those that deletions schedule.
    static void flushDeletes()
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeWidgetFactory factory;
    QStringList log; // outlives the model, whose controllers write to it
    MModel model;
    CComposite panel;
    std::unique_ptr<BToolSelectCommand> tool;
};
