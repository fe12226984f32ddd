#pragma once

#include "dialogs/DMessageBox.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "support/FakeWidgetFactory.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPair>
#include <QQmlEngine>
#include <QQuickItem>
#include <QStringList>

#include <memory>

// Real widgets for the kinds that have a QML file, plain ones for the rest.
class MixedWidgetFactory : public FakeWidgetFactory
{
public:
    WWidget *createWidget(const QString &type) override
    {
        if (!WWidgetFactory::qmlFile(type).isEmpty())
            return WWidgetFactory::createWidget(type);
        return FakeWidgetFactory::createWidget(type);
    }
};

// An initialised model as the editor has it, without a window: a canvas, a
// QML bridge whose drawing item is a plain item, a QML engine for the widget
// kinds that have their QML file, and a user who answers every box (choice
// answer) while the box is recorded.
class ModelFixture
{
public:
    using Settings = QList<QPair<QString, QString>>;

    ModelFixture()
        : engine(std::make_unique<QQmlEngine>())
        , model(new MModel)
    {
        WWidgetFactory::registerQmlTypes();
        DMessageBox::setResponder([this](const QString &title, const QString &text) {
            boxes.append(title + QLatin1Char('|') + text);
            return answer;
        });
        canvasItem.setSize(QSizeF(400, 700));
        intrf.setObject(QStringLiteral("QmlView"), &canvasItem);
        model->setCanvas(&canvas);
        intrf.setModel(model);
        model->init();
        factory.setContext(engine->rootContext());
        factory.setParentItem(&canvasItem);
        WDelegate::instance()->setFactory(&factory);
    }

    ~ModelFixture()
    {
        delete model;
        flushDeletes();
        qDeleteAll(canvasItem.childItems());
        DMessageBox::setResponder(DMessageBox::Responder());
    }

    CComposite *scene(const QString &name)
    {
        auto *pScene = new CComposite;
        pScene->setKind(QStringLiteral("Scene"));
        pScene->setName(name);
        model->scenes()->addChild(pScene);
        return pScene;
    }

    CComposite *panel(CComposite *pScene, const QString &name)
    {
        auto *pPanel = new CComposite;
        pPanel->setKind(QStringLiteral("Panel"));
        pPanel->setName(name);
        pScene->addChild(pPanel);
        pPanel->setContextObject(model);
        return pPanel;
    }

    // A scene of count panels, named P0, P1, ..., the first one shown.
    CComposite *sceneWithPanels(const QString &name, int count)
    {
        CComposite *pScene = scene(name);
        for (int i = 0; i < count; ++i)
            panel(pScene, QStringLiteral("P%1").arg(i));
        model->updatePageCount();
        return pScene;
    }

    // A control with one widget read from settings, as the project reader makes it.
    CControl *control(CComposite *pPanel, const QString &name, const QString &type, const QString &widgetType,
                      const Settings &settings)
    {
        auto *pControl = new CControl;
        pControl->setKind(QStringLiteral("Control"));
        pControl->setName(name);
        pControl->setType(type);
        for (const auto &setting : settings)
            pControl->createPrototype(widgetType, setting.first, setting.second);
        pControl->finishWidget(widgetType);
        pPanel->addChild(pControl);
        pControl->setContextObject(model);
        return pControl;
    }

    static void flushDeletes()
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<QQmlEngine> engine;
    MixedWidgetFactory factory;
    CCanvas canvas;
    QQuickItem canvasItem;
    MQmlInterface intrf;
    MModel *model;
    QStringList boxes;
    int answer = 0;
};
