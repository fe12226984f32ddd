#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QQmlContext>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <memory>

class BCommandProcessor;
class BToolSelectCommand;
class CCanvas;
class CComposite;
class CControl;
class HChassis;
class HNode;
class HRoot;
class IComposite;
class IInterface;
class ITcpServer;
class KComposite;
class KController;
class MProject;
class MQmlInterface;
class PFileProtocol;
class QQuickItem;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class QUrl;
class UArchive;
class UFolderSnapshot;
class UTesselator;
class VModeManager;
class WDelegate;
class WWidgetFactory;
class XmlWriter;
class XRecordedDocument;

// The application model: owns the hardware tree, the panel document, the
// project information and the process-wide services, keeps the state of the
// open project and runs new, open, save and import on it. Operations that
// need a root or collaborator do nothing (or answer false or null) without it.
class MModel : public QObject
{
    Q_OBJECT

public:
    // Written as appVersion into every project file.
    static const QLatin1String AppVersion;

    explicit MModel(QObject *parent = nullptr);
    ~MModel() override;

    // Builds the roots and services; called once, by the main controller.
    void init();

    // ---- controller tree
    void addController(KController *pController);
    void removeController(KController *pController);
    KController *findController(int id) const;
    void notifyControllers(int event);

    // ---- roots and state
    HRoot *rootNode() const { return m_pRootNode.get(); }
    CComposite *scenes() const { return m_pScenes.get(); }
    MProject *project() const { return m_pProject.get(); }
    const QString &projectPath() const { return m_projectPath; }
    const QString &designFilePath() const { return m_designFilePath; }
    const QString &fileVersion() const { return m_fileVersion; }
    void setFileVersion(const QString &version) { m_fileVersion = version; }
    bool isModified() const { return m_bModified; }
    void setModified(bool modified) { m_bModified = modified; }
    // True only after a successful save, or an open of a saved project.
    bool isProjectSaved() const { return m_bSaved; }
    const QHostAddress &mobileAddress() const { return m_mobileAddress; }
    void setMobileAddress(const QHostAddress &address) { m_mobileAddress = address; }
    bool isReceiving() const { return m_bReceiving; }
    void setMainWindow(QObject *pWindow) { m_pMainWindow = pWindow; }
    QObject *mainWindow() const { return m_pMainWindow; }

    // ---- project lifecycle
    bool newProject(const QString &templatePath);
    // Reads an archive or a loose project file; the open project is replaced
    // only when the new one was read completely.
    bool openProject(const QString &path);
    // Whether openProject would find a readable project there; tells the
    // user when not. Changes nothing of the open project.
    bool canOpenProject(const QString &path);
    bool unpackProject(QString &path);
    void reloadFromArchive();
    // Writes the project file, packs it with the design file into the
    // archive beside it and removes the loose project file.
    bool saveProject(const QString &path);
    bool loadDesignFile(const QString &path);
    void closeDesignFile();
    void resetModel();
    void clearUndoStack();
    void buildHardwareModel(QStandardItemModel *pItemModel);
    // Reads clipboard controls into the collection; every control read is
    // bound to the model and selected. Clipboard text comes from any program:
    // text that is not one VMD/Controls/Control document with sane geometry
    // and acceptable image names adds nothing. Returns how many were added.
    int placeControl(CComposite *pControls, const QByteArray &bytes);
    static QString fileBaseName(const QString &path, bool keepExtension);
    static QString panelFileName(const QString &path);

    // ---- navigation
    CControl *currentPanel() const;
    void setCurrentPanel(CControl *pPanel);
    bool gotoPage(int index);
    bool stepPage(int delta);
    bool arrowPressed(const QString &text);
    bool selectScene(const QString &name);
    bool selectSceneAt(int index);
    bool followLink(const QString &linkPath);
    void showCurrentPanel(bool visible);
    CControl *currentChildIn(const QString &collection) const;
    void requestPanelState();

    // ---- structure
    CControl *newCollection();
    bool checkPanelLimit();
    CControl *createPanelForNode(const QString &templatePath, CControl *pScene, HNode *pNode);
    CControl *addPanelForNode(HNode *pNode);
    // The layout dialog; its structural edits stay even when it is
    // cancelled, and any edit marks the project modified. True when accepted.
    bool panelSetup();
    void buildPanelTree(QStandardItem *pItem, QTreeView *pView);
    void addPanelItems(QStandardItem *pItem);
    // Every link into the old path follows to the new one; nothing when
    // either is empty (an empty path would match every link).
    void replaceLinkPrefix(const QString &oldText, const QString &newText);
    void removeFromPanelTree(CControl *pControl);
    // Drag handles are resolved against live objects only.
    HNode *nodeForHandle(quint64 handle) const;
    QString linkPathForHandle(quint64 handle) const;

    // ---- controls on the shown panel
    CControl *addControl(HNode *pNode, const QString &name, const QPointF &position);
    CControl *dropControl(const QString &templateName, const QPointF &position);
    CControl *addPanelLink(CControl *pTarget, const QPointF &position);
    void addToCurrentPanel(CControl *pControl);
    void removeFromCurrentPanel(CControl *pControl, bool destroy);
    // Where a control stood before deselectControls took it off its panel.
    struct ControlPlace {
        QPointer<CControl> parent;
        int index = -1;
    };
    // Puts the controls back (nodes checked, shown): each at its recorded
    // place when places are given (one per control), else on the current
    // panel. Broadcasts the selection change.
    void selectControls(CComposite *pControls, const QList<ControlPlace> *pPlaces = nullptr);
    // Takes each control off its own panel without destroying it: out of the
    // selection, mode 0, hidden; its node stays checked while another control
    // uses it. Records the places when asked. Broadcasts the selection change.
    void deselectControls(CComposite *pControls, QList<ControlPlace> *pPlaces = nullptr);
    bool collectSelection(CComposite *pTarget);
    void deselectAll();
    bool hasDropSite() const;
    void checkEmptyCanvas();

    // ---- edit mode and view
    void setEditMode(bool on);
    void toggleEditMode();
    bool updateCanvasSize();
    bool updateCanvasScale();
    bool centerControls();
    void updateHeader();
    void updatePageCount();
    void updateSceneTitle();
    void updateHeaderTitle();
    void updateToolBar();
    float viewScale() const { return m_viewScale; }
    void setViewScale(float scale);

    // ---- polling and connection state
    // False (a value went out) holds value requests back until the next tick.
    void setPollPending(bool pending);
    bool isPollEnabled() const { return m_bPollEnabled; }
    bool isConnectionEnabled() const { return m_bConnectionEnabled; }
    // Switches every processor in use online or offline, tells every
    // processor's protocol and starts or stops the polling timer.
    void setConnectionEnabled(bool on);
    // Lists the transports of the processors in use for the connection
    // indicator and has each report its state.
    void collectInterfaces();
    // Lets the user change the address of every processor that is not
    // connected; a changed processor gets a new transport.
    void updateIPAddresses();
    // Runs the address dialog for one processor; true when the address changed.
    bool changeIpAddress(const QString &title, QString &address);

    // ---- sending and receiving panel projects
    // The port of the panel transfer, both ways.
    static constexpr quint16 TransferPort = 10056;
    static constexpr int SendConnectWaitMs = 1000;
    // A receive during which nothing arrives for this long is given up.
    static constexpr int ReceiveIdleLimitMs = 120000;
    // A tool-bar row or a control named "SettingsButton": the mobile panel
    // application needs one to reach its own setup.
    bool hasSetupButton() const;
    // Sends the saved archive to a device whose address the user enters;
    // refuses a project that was never saved or has changes since.
    bool sendToMobileDevice();
    // "download.cpn" in the folder of received projects; the folder is
    // created, with its parents, when asked and missing.
    QString downloadPath(bool createFolder) const;
    QString receivedProjectPath() const;
    // Listens while the receive box stands; true only when a whole project
    // arrived and replaced the download file.
    bool receiveProject();
    // The receive box and its wait; ends when the peer closes, the user
    // cancels or nothing arrives within the idle limit.
    void doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface);
    // Receives a project and, after the save prompt, opens it and goes online.
    bool receiveAndOpen();
    bool showIpAddressBox(const QString &title);
    bool showNetworkStatusBox(const QString &title);
    bool showProjectInfoBox(const QString &title);
    bool showAbout(const QString &title);
    // The exit PIN dialog; an accepted PIN marks the project modified.
    void changeExitPin();
    // Tests move the transfer to a free port (0 lets the receive pick one)
    // and the receive to one address.
    void setTransferPort(quint16 port) { m_nTransferPort = port; }
    quint16 transferPort() const { return m_nTransferPort; }
    void setReceiveAddress(const QHostAddress &address) { m_receiveAddress = address; }
    void setReceiveIdleLimit(int ms) { m_nReceiveIdleLimitMs = ms; }
    // The port a running receive listens on; 0 when none.
    quint16 receivingPort() const;

    // ---- QML side and canvas
    void setQmlInterface(MQmlInterface *pInterface);
    MQmlInterface *qmlInterface() const;
    // The QML context in which the model creates QML objects.
    void setQmlContext(QQmlContext *pContext);
    QQmlContext *qmlContext() const { return m_pQmlContext; }
    void attachWidgetFactory();
    QQuickItem *qmlRootItem() const;
    // A QML item made from the file in the model's context, its item parent
    // and object parent set before it completes; null without a parent or a
    // context, or when the file does not give a Qt Quick item.
    QObject *createQmlObject(const QUrl &url, QObject *pParent);
    void setQmlProperty(const QString &name, const QVariant &value);
    QVariant qmlProperty(const QString &name) const;
    CCanvas *canvas() const { return m_pCanvas; }
    // Stores the canvas and makes it point back at this model.
    void setCanvas(CCanvas *pCanvas);
    QString skinName() const;
    QString accentName() const;
    bool applySkin(const QString &name);
    void reloadImages();
    void reparentToCanvas(CControl *pControl);

    // ---- services
    // The canvas's select tool; owned, null until init.
    BToolSelectCommand *selectTool() const { return m_pSelectTool.get(); }
    // Replaces the select tool (owned); the old one is deleted.
    void setSelectTool(BToolSelectCommand *pTool);
    void activateSelectTool();

    // ---- information texts
    QString versionText() const;
    static QString localAddresses();
    QString mobileIpAddressText() const;
    QString networkReport() const;
    bool runSystemMenu(const QString &entry);
    // Whether runSystemMenu knows the entry.
    static bool isSystemMenuEntry(const QString &entry);
    // The connection indicator image last set for the canvas.
    static QString indicatorImage();

public slots:
    void doPolling();
    void interfaceStatusChanged(bool isConnected);
    void onExtraRefreshTimerTimeout();
    bool getIsScaleMultiply() const;

signals:
    void resetQMLFocus();
    void enableConnection(bool enabled);
    void displayMessage(QString msg);
    void selectState(bool selected);
    void ccpState(bool selected);
    void reloadCanvas();
    void resetCanvas();
    void changedStatusIndicator();

private:
    CControl *adoptPlacedControl(CControl *pControl);
    bool prepareProject(const QString &path, UFolderSnapshot &extracted, QString &projectFile,
                        XRecordedDocument &document);
    // The refresh of the view; without centring, every control stays where
    // the document read put it.
    void refreshView(bool centre);
    bool readPanelFile(CComposite *pTarget, const QString &path, HNode *pNode, MProject *pProject = nullptr,
                       CCanvas *pCanvas = nullptr, QString *pFileVersion = nullptr);
    bool adoptScenes(CComposite *pScratch);
    bool writeProjectXml(XmlWriter &writer);
    void markModified();
    bool isNodeUsed(const HNode *pNode) const;
    void showWarning(const QString &text) const;
    CComposite *shownScene() const;
    QList<HChassis *> processors() const;
    CControl *findPanelByHandle(CControl *pElement, quint64 handle) const;
    bool openReceivedProject();
    void resumeOnline();
    void showConnectionIndicator();
    bool showQmlBox(const QString &source, const QString &title, const QString &text, bool withButton);
    using SystemMenuAction = bool (MModel::*)(const QString &);
    // The action of the first setup-menu label that begins the entry; none for other entries.
    static SystemMenuAction systemMenuAction(const QString &entry);
    bool runReceiveEntry(const QString &entry);
    bool runExitEntry(const QString &entry);
    QString receiveFolder() const;

    QPointer<MQmlInterface> m_pQmlInterface;
    QPointer<QQmlContext> m_pQmlContext;
    QTimer m_pollTimer;
    float m_canvasItemHeight;
    float m_canvasItemWidth;
    bool m_bConnectionEnabled;
    QPointer<CControl> m_pCurrentPanel;
    bool m_bPollEnabled;
    float m_viewScale;
    QPointer<QObject> m_pMainWindow;
    QString m_projectPath;
    QString m_designFilePath;
    // A re-import failed: the tree still holds the earlier design, so the
    // next import merges into it instead of adding a second copy.
    bool m_bMergeNextImport = false;
    bool m_bModified;
    QHostAddress m_mobileAddress;
    CCanvas *m_pCanvas;
    bool m_bReceiving;
    QString m_fileVersion;
    bool m_bSaved;
    quint16 m_nTransferPort = TransferPort;
    QHostAddress m_receiveAddress = QHostAddress(QHostAddress::Any);
    int m_nReceiveIdleLimitMs = ReceiveIdleLimitMs;

    // Deletes a process-wide service once no initialised model uses it.
    struct ServiceDeleter
    {
        template <typename T>
        void operator()(T *pService) const
        {
            if (s_nServiceUsers == 0)
                delete pService;
        }
    };
    template <typename T>
    using ServicePtr = std::unique_ptr<T, ServiceDeleter>;
    // Initialised models alive.
    static int s_nServiceUsers;

    // What the model owns or shares, last so that it goes first, and in the
    // reverse order of going: the controllers and the select tool while the
    // document is still there, the hardware tree before the widget factory,
    // the project and its services last. A controller that goes still finds
    // the composite it leaves.
    std::unique_ptr<ITcpServer> m_pReceiveServer;
    ServicePtr<UTesselator> m_pTesselator;
    std::unique_ptr<MProject> m_pProject;
    std::unique_ptr<IComposite> m_pInterfaces;
    ServicePtr<WDelegate> m_pDelegate;
    // The factory this model made for the delegate.
    std::unique_ptr<WWidgetFactory> m_pWidgetFactory;
    std::unique_ptr<HRoot> m_pRootNode;
    std::unique_ptr<CComposite> m_pScenes;
    ServicePtr<VModeManager> m_pModeManager;
    ServicePtr<UArchive> m_pArchive;
    std::unique_ptr<BToolSelectCommand> m_pSelectTool;
    std::unique_ptr<KComposite> m_pControllers;
    // Goes in the destructor already: its commands may hold controls.
    ServicePtr<BCommandProcessor> m_pCommandProcessor;
};
