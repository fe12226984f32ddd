#pragma once

#include "dialogs/DQmlMessageDialog.h"

#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QQmlContext>
#include <QString>
#include <QTimer>

class CControl;
class HNode;
class MModel;
class MeterGaugeLocalization;
class VQmlFrame;
class WWidget;

// The object through which the canvas QML reaches the application, published
// as "intrf". QmlInterface.qml declares on it the display properties every
// QML file reads; the skin's values are set on it as properties too.
// Drops become drop commands, gestures go to the model's select tool.
class MQmlInterface : public QObject
{
    Q_OBJECT

public:
    explicit MQmlInterface(QObject *pParent = nullptr);
    ~MQmlInterface() override;

    Q_INVOKABLE void doubleClickControl();
    Q_INVOKABLE void exitApplication();
    Q_INVOKABLE QString getExitPIN() const;
    // "QmlView", "QmlCanvas" or "ModalObject" (case-sensitive); others do nothing.
    Q_INVOKABLE void setObject(const QString &name, QObject *pObject);
    Q_INVOKABLE void canvasResize();
    Q_INVOKABLE QString getVersionText() const;
    Q_INVOKABLE QString getFileVersionString() const;
    Q_INVOKABLE QString getProjectInfoString() const;
    Q_INVOKABLE QString getNetworkStatusString() const;
    Q_INVOKABLE QString getMobileIPAddressString() const;
    Q_INVOKABLE QString getReceivePanelString() const;
    Q_INVOKABLE QString getDesktopOrMobile() const;
    // "event", "scene", "statusbar" or "system"; false for anything else or without a model.
    // A known "system" entry is true at once and runs from the event loop.
    Q_INVOKABLE bool postCommand(const QString &cmd, const QString &msg);
    // Whether the dragged parameter's control type is the drop site's.
    Q_INVOKABLE bool dragEvent(const QString &text, const QString &data, QObject *pDropSite);
    Q_INVOKABLE void dropSite(const QString &text, const QString &data, QObject *pDropSite);
    Q_INVOKABLE void dropPanel(const QString &text, const QString &data);
    Q_INVOKABLE void panelSetup();
    Q_INVOKABLE void headerText();
    Q_INVOKABLE int getAppFunction() const;
    Q_INVOKABLE void cancelEdit();
    Q_INVOKABLE void dropControl(const QString &text, const QString &data, int x, int y);
    Q_INVOKABLE void dropLink(const QString &text, const QString &data, int x, int y);
    Q_INVOKABLE void moveControl(qreal x, qreal y, int state);
    Q_INVOKABLE void resizeControl(qreal x, qreal y, int edge, int state);
    Q_INVOKABLE void keyEvent(int key, int modifiers, bool repeat, int state);

    // Binds the interface to the model, which keeps it and its context.
    void setModel(MModel *pModel);
    MModel *model() const;
    // Stores the root context and publishes the scene menu and the own objects.
    void setContext(QQmlContext *pContext);
    QQmlContext *context() const { return m_pContext; }
    void setView(VQmlFrame *pView);
    VQmlFrame *view() const;
    // The scene names as "sceneMenuData" (none for a null root).
    void loadSceneMenu(CControl *pScenes);
    // The comma-separated entries as "setupMenuData".
    void loadSetupMenu(const QString &text);

    // The area panels are drawn in, registered by QML as "QmlView".
    QObject *qmlView() const { return m_pQmlView; }
    MeterGaugeLocalization *meterGauge() const { return m_pMeterGauge; }
    DQmlMessageDialog *messageBox() { return &m_msgBox; }

    // What the last drop stored, for the drop commands.
    QPointF dropPos() const { return m_dropPos; }
    const QString &dropText() const { return m_sDropText; }
    CControl *dropTarget() const;
    HNode *dropNode() const;
    WWidget *dropSiteWidget() const;

    // The live hardware node or panel-document element whose handle the drag
    // data carries (decimal); null for handle 0 and for anything that is not
    // one now.
    HNode *nodeFromHandle(const QString &data) const;
    CControl *controlFromHandle(const QString &data) const;

signals:
    void showReceiveDialog();
    void closeReceiveDialog();
    void receiveDialogCanceled();
    void showMessageDialog(const QString &title, const QString &text);
    void messageDialogClosed();
    void showRegionDialog(const QString &title, const QString &text);
    void regionDialogClosed();
    void showExitPasscodeDialog();
    void closeSignal();

public slots:
    void onReceiveModeDialogClosed();

private slots:
    void onExitTimerTimeout();

private:
    // Makes the drop command by id and hands it to the processor; false when
    // there is no command for the id.
    bool runDropCommand(int id);
    // False for drag data naming nothing live: not a number, or the address
    // of no node (element) of the model's trees. Handle 0 resolves to null.
    bool resolveNode(const QString &data, HNode **ppNode) const;
    bool resolveControl(const QString &data, CControl **ppControl) const;
    void clearDrop();

    QPointer<QQmlContext> m_pContext;
    QPointer<QObject> m_pQmlView;
    QPointer<MModel> m_pModel;
    QTimer m_exitTimer;
    DQmlMessageDialog m_msgBox;
    MeterGaugeLocalization *m_pMeterGauge;
    QPointer<VQmlFrame> m_pView;
    QPointF m_dropPos;
    QString m_sDropText;
    QPointer<CControl> m_pDropTarget;
    QPointer<HNode> m_pDropNode;
    QPointer<WWidget> m_pDropSite;
};
