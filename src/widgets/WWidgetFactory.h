#pragma once

#include <QHash>
#include <QPointer>
#include <QQmlContext>
#include <QQuickItem>
#include <QString>
#include <QUrl>

class MModel;
class QQmlComponent;
class WWidget;

// Turns a widget type name into a live widget: instantiates the kind's QML
// file under the canvas item and hands back the native widget inside it.
class WWidgetFactory
{
public:
    WWidgetFactory();
    virtual ~WWidgetFactory();

    // A new widget of the type, or null for a type without a QML file or
    // before the canvas is set up. The widget belongs to its QML item, which
    // is a child of the parent item.
    virtual WWidget *createWidget(const QString &type);
    // Stores the object when it is a Qt Quick item, else null.
    virtual void setParentItem(QObject *pItem);
    virtual QQuickItem *parentItem() const;
    virtual QQmlContext *context() const;
    virtual MModel *model() const;
    void setContext(QQmlContext *pContext);
    void setModel(MModel *pModel);

    // The QML file of a type name (compared exactly), or an empty URL.
    static QUrl qmlFile(const QString &type);
    // Every type name that has a QML file, in table order.
    static QStringList typeNames();
    // Registers the QML interface class, then the widget classes, with QML,
    // once per process.
    static void registerQmlTypes();
    // Debug aid: the item and each of its parent items.
    static void printItemParents(const QQuickItem *pItem);

private:
    QQuickItem *createQuickItem(const QUrl &url);
    // The loaded component of the file in the context's engine, made once per
    // engine: the engine owns it and takes it along when a rebuilt view drops it.
    QQmlComponent *component(QQmlEngine *pEngine, const QUrl &url);
    static WWidget *findWidget(QQuickItem *pItem);

    QPointer<QQuickItem> m_pParentItem;
    QPointer<QQmlContext> m_pContext;
    QPointer<QQmlEngine> m_pComponentEngine;
    QHash<QUrl, QPointer<QQmlComponent>> m_components;
    MModel *m_pModel;
};
