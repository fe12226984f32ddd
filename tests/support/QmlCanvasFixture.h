#pragma once

#include "model/MModel.h"
#include "widgets/WWidgetFactory.h"

#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QStringList>
#include <QUrl>

#include <memory>

// A headless QML canvas as the editor builds it: an engine whose root context
// publishes "intrf" (made from the built-in interface file), a canvas item,
// a widget factory creating under that item, and a model that creates QML
// objects in the same context. Every QML warning and component error is
// collected so a test can require there were none.
class QmlCanvasFixture
{
public:
    QmlCanvasFixture();
    ~QmlCanvasFixture();

    QQmlEngine *engine() const { return m_pEngine.get(); }
    QQmlContext *context() const;
    QQuickItem *canvas() const { return m_pCanvas; }
    QObject *intrf() const { return m_pInterface; }
    WWidgetFactory *factory() { return &m_factory; }
    MModel *model() { return &m_model; }

    // Creates a QML file's root object; an item goes under the canvas, its
    // parents set before completion. Null (errors collected) when it fails.
    QObject *create(const QUrl &url);

    // Warnings and errors so far, one text each.
    QStringList warnings() const { return m_warnings; }
    void clearWarnings() { m_warnings.clear(); }

private:
    std::unique_ptr<QQmlEngine> m_pEngine;
    QPointer<QObject> m_pInterface;
    QPointer<QQuickItem> m_pCanvas;
    WWidgetFactory m_factory;
    MModel m_model;
    QStringList m_warnings;
};
