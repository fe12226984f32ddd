#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlContext>
#include <QString>

class CControl;
class MModel;
class QQuickItem;

// The object through which the QML side of the editor reaches the
// application. The display properties QML reads are set on it by name; it
// also keeps the item in which panels are drawn ("QmlView").
class MQmlInterface : public QObject
{
    Q_OBJECT

public:
    explicit MQmlInterface(QObject *parent = nullptr);
    ~MQmlInterface() override;

    // Stores the model and introduces itself and its context to it.
    void setModel(MModel *pModel);
    MModel *model() const { return m_pModel; }
    void setContext(QQmlContext *pContext);
    QQmlContext *context() const { return m_pContext; }

    // The item registered as "QmlView", or null.
    QQuickItem *qmlView() const;

    // Publishes the names of the scenes below the root as "sceneMenuData".
    void loadSceneMenu(CControl *pScenes);

    // "QmlView", "QmlCanvas" or "ModalObject" (case-sensitive); other names are ignored.
    Q_INVOKABLE void setObject(const QString &name, QObject *pObject);

private:
    QPointer<QQmlContext> m_pContext;
    QPointer<QObject> m_pQmlView;
    QPointer<MModel> m_pModel;
};
