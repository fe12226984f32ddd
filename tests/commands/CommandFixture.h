#pragma once

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ControllerId.h"
#include "dialogs/DMessageBox.h"
#include "hardware/CParameter.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeNodes.h"
#include "support/FakePanel.h"
#include "support/FakeWidgetFactory.h"
#include "support/RecordingController.h"
#include "support/TestSupport.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>

// A model showing the panel "Home" of one scene, whose controls get plain
// widgets (one each, so a control's rectangle is its widget's); the model's
// select tool; the QML bridge bound to the model; a processor whose blocks
// the drops name by handle; a controller and a message-box responder that
// log what reaches them. Commands go through the real processor.
class CommandFixture
{
public:
    using Pairs = QList<QPair<QString, QString>>; // a parameter's name and type, a setting's element and text

    CommandFixture()
    {
        DMessageBox::setResponder([this](const QString &, const QString &text) {
            log.append(QStringLiteral("box ") + text);
            return 0;
        });
        model.init();
        // After the model's own set-up, which may install a factory of its own.
        WDelegate::instance()->setFactory(&factory);
        scene = new CComposite;
        scene->setKind(QStringLiteral("Scene"));
        scene->setName(QStringLiteral("COLLECTION1"));
        model.scenes()->addChild(scene);
        panel = addPanel(QStringLiteral("Home"));
        model.setCurrentPanel(panel);
        model.addController(new RecordingController(QStringLiteral("properties"), ControllerId::Properties,
                                                    &log, &model));
        tool = model.selectTool();
        processor = new FakeProcessor;
        model.rootNode()->addNode(processor);
        bridge.setModel(&model);
    }

    ~CommandFixture()
    {
        // Commands first: they refer to the controls, never the other way round.
        BCommandProcessor::instance()->clear();
        flushDeletes();
        DMessageBox::setResponder({});
        WDelegate::instance()->setFactory(nullptr);
    }

    // A panel of the scene that builds controls without templates.
    FakePanel *addPanel(const QString &name)
    {
        auto *pPanel = new FakePanel(name);
        scene->addChild(pPanel);
        pPanel->setContextObject(&model);
        return pPanel;
    }

    // A block of the processor with the parameters.
    FakeNode *node(const QString &label, const Pairs &parameters)
    {
        auto *pNode = new FakeNode(QStringLiteral("Blocks"), label);
        for (const auto &parameter : parameters) {
            auto *pParameter = new CParameter;
            pParameter->setText(parameter.first);
            pParameter->setType(parameter.second);
            pNode->parameterList()->append(pParameter);
        }
        processor->addNode(pNode);
        return pNode;
    }

    // A block whose panel template holds one label titled "Title".
    FakeNode *block(const QString &label)
    {
        const QString path = templates.filePath(QStringLiteral("panel.xml"));
        if (!QFile::exists(path)) {
            TestSupport::writeAll(
                path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VMD>\n<Parameters>\n</Parameters>\n<Controls>\n"
                      "<Control name=\"Title\" type=\"Label\">\n<id>11</id>\n<Property name=\"widget\">\n<label>\n"
                      "<x>10</x>\n<y>10</y>\n<width>100</width>\n<height>30</height>\n</label>\n</Property>\n"
                      "</Control>\n</Controls>\n</VMD>\n");
        }
        FakeNode *pNode = node(label, {});
        pNode->setTemplatePath(path);
        return pNode;
    }

    // The drag data of an object: its address in decimal.
    static QString handleOf(const void *pObject)
    {
        return QString::number(quint64(reinterpret_cast<quintptr>(pObject)));
    }

    // A control of one widget at the rectangle, on the panel; the widget
    // reads the extra settings too.
    CControl *control(const QString &name, const QRectF &rect, const QString &type = QStringLiteral("Frame"),
                      const Pairs &extra = {})
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
        for (const auto &setting : extra)
            pControl->createPrototype(widgetType, setting.first, setting.second);
        pControl->finishWidget(widgetType);
        pControl->setContextObject(&model);
        panel->addChild(pControl);
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

    static BCommandProcessor *commands() { return BCommandProcessor::instance(); }

    // Runs deferred deletions, including those that deletions schedule.
    static void flushDeletes()
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir templates;
    FakeWidgetFactory factory;
    QStringList log; // outlives the model, whose controllers write to it
    MModel model;
    MQmlInterface bridge;
    CComposite *scene = nullptr;
    FakePanel *panel = nullptr;
    FakeProcessor *processor = nullptr;
    BToolSelectCommand *tool = nullptr;
};
