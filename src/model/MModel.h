#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlContext>
#include <QString>

#include <memory>

class BToolSelectCommand;
class CCanvas;
class CComposite;
class CControl;
class HRoot;
class IInterface;
class KComposite;
class KController;
class MProject;
class MQmlInterface;
class PFileProtocol;
class QUrl;

// The application model: owns the open project, the root of the controller
// tree and the services. Only what other areas call is here yet.
class MModel : public QObject
{
    Q_OBJECT

public:
    explicit MModel(QObject *parent = nullptr);
    ~MModel() override;

    // ---- controller tree
    void addController(KController *pController);
    void removeController(KController *pController);
    KController *findController(int id) const;
    void notifyControllers(int event);

    // ---- panel document, as the commands re-select what they act on
    CControl *currentPanel() const;
    void setCurrentPanel(CControl *pPanel);
    bool selectScene(const QString &name);
    CControl *currentChildIn(const QString &collection) const;
    bool isModified() const { return m_bModified; }
    void setModified(bool modified) { m_bModified = modified; }

    // ---- polling: false after a value went out, so value requests pause until the next tick
    void setPollPending(bool pending);
    bool isPollPending() const { return m_bPollEnabled; }

    // The receive wait of a file transfer: returns when the peer closed the connection.
    void doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface);

    // ---- QML side
    // The QML context in which the model creates QML objects.
    void setQmlContext(QQmlContext *pContext);
    QQmlContext *qmlContext() const { return m_pQmlContext; }
    // A QML item made from the file in the model's context, its item parent
    // and object parent set before it completes; null without a parent or a
    // context, or when the file does not give a Qt Quick item.
    QObject *createQmlObject(const QUrl &url, QObject *pParent);

    // Canvas scale factor; 1.0 until the canvas size gives another.
    float viewScale() const { return m_viewScale; }
    void setViewScale(float scale);

    CCanvas *canvas() const { return m_pCanvas; }
    // Stores the canvas and makes it point back at this model.
    void setCanvas(CCanvas *pCanvas);

    // The canvas's select tool; owned, null until the model makes it.
    BToolSelectCommand *selectTool() const { return m_pSelectTool; }

signals:
    void selectState(bool selected);
    void ccpState(bool selected);

private:
    KComposite *m_pControllers;
    QPointer<CControl> m_pCurrentPanel;
    bool m_bModified;
    bool m_bPollEnabled;
    QPointer<QQmlContext> m_pQmlContext;
    float m_viewScale;
    CCanvas *m_pCanvas;
    BToolSelectCommand *m_pSelectTool;

    // ==== QML canvas bridge: the least of the model it calls (begin) ====
public:
    // Builds the hardware root, the "Scenes" root, the project information
    // and the select tool once; then selectState(false) and ccpState(false).
    void init();
    HRoot *rootNode() const { return m_pRootNode; }
    CComposite *scenes() const { return m_pScenes; }
    MProject *projectInfo() const { return m_pProject.get(); }
    // Replaces the select tool (owned); the old one is deleted.
    void setSelectTool(BToolSelectCommand *pTool);

    // The canvas's QML interface object; not owned, null until set.
    void setQmlInterface(MQmlInterface *pInterface);
    MQmlInterface *qmlInterface() const;
    // The main window; the canvas's exit request closes it.
    void setMainWindow(QObject *pWindow) { m_pMainWindow = pWindow; }
    QObject *mainWindow() const { return m_pMainWindow; }

    QString fileVersion() const { return m_fileVersion; }
    QString networkReport() const;
    QString mobileIpAddressText() const;
    bool arrowPressed(const QString &text);
    bool runSystemMenu(const QString &entry);
    bool panelSetup();
    bool updateCanvasScale();
    void updateToolBar();

signals:
    void displayMessage(const QString &msg);

private:
    HRoot *m_pRootNode = nullptr;
    CComposite *m_pScenes = nullptr;
    std::unique_ptr<MProject> m_pProject;
    QPointer<MQmlInterface> m_pQmlInterface;
    QPointer<QObject> m_pMainWindow;
    QString m_fileVersion = QStringLiteral("3.0");
    // ==== QML canvas bridge (end) ====
};
