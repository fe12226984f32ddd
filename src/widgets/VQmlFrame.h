#pragma once

#include "dialogs/DQmlMessageDialog.h"

#include <QPointer>
#include <QQuickView>
#include <QString>

class CControl;
class MModel;
class MQmlInterface;
class MeterGaugeLocalization;
class QQmlComponent;
class QQmlEngine;
class QResizeEvent;

// The view that shows the panel canvas. It registers the QML types, creates
// the QML interface object ("intrf") from QmlInterface.qml, publishes it with
// the meter-gauge numbers and the message-box controller, and keeps the QML
// root sized to the window. The canvas controller embeds it in a window
// container and has the canvas description load QmlDesktop.qml into it.
// The view owns the interface: a rebuilt view leaves no interface behind.
class VQmlFrame : public QQuickView
{
    Q_OBJECT

public:
    explicit VQmlFrame(QWindow *pParent = nullptr);
    // A view on an engine that outlives it (not owned).
    explicit VQmlFrame(QQmlEngine *pEngine, QWindow *pParent = nullptr);
    ~VQmlFrame() override;

    // Registers the QML types (once per process) and loads the interface;
    // with initModel, also runs the model's initialisation when a model is set.
    void registerQmlTypes(bool initModel);
    // Creates the interface on the engine and publishes the context
    // properties; nothing without an engine or when the interface exists.
    void loadQmlInterface(QQmlEngine *pEngine);
    // Binds the view and its interface to the model.
    void setModel(MModel *pModel);
    MModel *model() const;
    void initModel();
    // The comma-separated setup-menu entries, published as "setupMenuData".
    void loadSetupMenu(const QString &text);
    // Logical DPI of the view's screen; 72 without a screen.
    float logicalDpi() const;
    static void printComponentErrors(const QQmlComponent *pComponent);

    MQmlInterface *qmlInterface() const;
    MeterGaugeLocalization *meterGauge() const { return m_pMeterGauge; }
    DQmlMessageDialog *messageBox() { return &m_msgBox; }

signals:
    void addControl(CControl *pControl);
    void reloadCanvas();
    void resetCanvas();

protected:
    void resizeEvent(QResizeEvent *pEvent) override;

private:
    QWindow *m_pParentWindow;
    DQmlMessageDialog m_msgBox;
    QQmlComponent *m_pInterfaceComponent;
    QPointer<MQmlInterface> m_pInterface;
    QPointer<MModel> m_pModel;
    MeterGaugeLocalization *m_pMeterGauge;
};
