#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlContext>
#include <QString>
#include <QVariant>

#include <memory>

class BToolSelectCommand;
class CCanvas;
class CComposite;
class CControl;
class HNode;
class HRoot;
class IInterface;
class KComposite;
class KController;
class MProject;
class MQmlInterface;
class PFileProtocol;
class QPointF;
class QQuickItem;
class QStandardItem;
class QStandardItemModel;
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

    // The canvas's select tool; owned, null until the model makes it.
    BToolSelectCommand *selectTool() const { return m_pSelectTool; }

    // ==== editor shell: the least of what the main window, the tab panes and
    // the project tree call; the model's own work completes these.
    void setMainWindow(QObject *pWindow) { m_pMainWindow = pWindow; }
    QObject *mainWindow() const { return m_pMainWindow; }
    // Keeps the canvas description and links it back to the model.
    void setCanvas(CCanvas *pCanvas);
    CCanvas *canvas() const { return m_pCanvas; }
    void setQmlProperty(const QString &name, const QVariant &value);
    // Binds the widget factory to the model and a new canvas.
    void attachWidgetFactory();
    // Checks the edit-mode action and tells the project tree.
    void setEditMode(bool on);
    bool newProject(const QString &templatePath);
    bool saveProject(const QString &path);
    bool isConnectionEnabled() const { return m_bConnectionEnabled; }
    void setConnectionEnabled(bool on) { m_bConnectionEnabled = on; }
    const QString &designFilePath() const { return m_sDesignFilePath; }
    HRoot *rootNode() const { return m_pRootNode; }
    // The hardware root adds its items at the top level of the item model.
    void buildHardwareModel(QStandardItemModel *pItemModel);
    // The panel document adds one link item per panel below the item.
    void addPanelItems(QStandardItem *pItem);
    bool hasDropSite() const;
    bool followLink(const QString &path);
    // Drag handles are resolved against live objects only: the hardware node
    // whose address the number is, null for any other number.
    HNode *nodeForHandle(quint64 handle) const;
    // The path of the live panel a link item's handle names; empty for any other number.
    QString linkPathForHandle(quint64 handle) const;

    // ==== tool and drop commands: the least of the model they call (begin) ====
    // The item the panels are drawn in (the QML bridge's "QmlView"); the drag
    // limit reads its size. Null until the bridge registers it.
    QQuickItem *qmlRootItem() const;
    // The current panel builds a control for the node (its control template),
    // from a graphics template, or as a link to a panel; the control is bound
    // to the model and selected, the panel shown, the project modified. Null
    // when nothing was built (a link without a current panel warns).
    CControl *addControl(HNode *pNode, const QString &name, const QPointF &position);
    CControl *dropControl(const QString &templateName, const QPointF &position);
    CControl *addPanelLink(CControl *pTarget, const QPointF &position);
    // True while the shown scene has room for another panel (at most six);
    // otherwise a warning and false.
    bool checkPanelLimit();
    // A new panel for the node in the shown scene, made the current panel;
    // null when the scene is full.
    CControl *addPanelForNode(HNode *pNode);
    // The current panel takes the control / gives it up (destroyed only when told).
    void addToCurrentPanel(CControl *pControl);
    void removeFromCurrentPanel(CControl *pControl, bool destroy);
    // No control of the document stays in mode 1.
    void deselectAll();
    // Shows the panel at the index of the shown scene; an emptied scene
    // leaves no current panel.
    bool gotoPage(int index);

public slots:
    // Brings the canvas, the header and the titles up to date.
    void onExtraRefreshTimerTimeout();

public:
    // ==== tool and drop commands (end) ====

signals:
    void enableConnection(bool enabled);
    void selectState(bool selected);
    void ccpState(bool selected);
    // ==== end of the editor shell's least members

private:
    KComposite *m_pControllers;
    QPointer<CControl> m_pCurrentPanel;
    bool m_bModified;
    bool m_bPollEnabled;
    QPointer<QQmlContext> m_pQmlContext;
    float m_viewScale;
    BToolSelectCommand *m_pSelectTool;
    // ==== editor shell
    HRoot *m_pRootNode = nullptr;
    QPointer<QObject> m_pMainWindow;
    CCanvas *m_pCanvas = nullptr;
    QString m_sDesignFilePath;
    bool m_bConnectionEnabled = false;
    // ==== end of the editor shell's least members

    // ==== QML canvas bridge: the least of the model it calls (begin) ====
public:
    // Builds the hardware root, the "Scenes" root, the project information
    // and the select tool once; then selectState(false) and ccpState(false).
    void init();
    CComposite *scenes() const { return m_pScenes; }
    MProject *projectInfo() const { return m_pProject.get(); }
    // Replaces the select tool (owned); the old one is deleted.
    void setSelectTool(BToolSelectCommand *pTool);

    // The canvas's QML interface object; not owned, null until set.
    void setQmlInterface(MQmlInterface *pInterface);
    MQmlInterface *qmlInterface() const;

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
    CComposite *m_pScenes = nullptr;
    std::unique_ptr<MProject> m_pProject;
    QPointer<MQmlInterface> m_pQmlInterface;
    QString m_fileVersion = QStringLiteral("3.0");
    // ==== QML canvas bridge (end) ====
};
