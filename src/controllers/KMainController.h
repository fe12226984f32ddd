#pragma once

#include "controllers/KController.h"
#include "model/CCanvas.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QString>

class MainWindow;
class QAction;
class QActionGroup;
class QApplication;
class QMenu;
class QSettings;

// The main controller: owns the main window and the editor's actions, menus
// and tool bar, and builds the rest of the editor in initialize. Others reach
// its actions only by ActionId, through action() and the two setters below;
// until the window and its actions exist, action() answers null and the
// setters change nothing.
class KMainController : public KController
{
    Q_OBJECT

public:
    // The width of the tab pane left of the canvas and the margin round the panes.
    static constexpr int PaneWidth = 250;
    static constexpr int PaneMargin = 2;

    KMainController();
    ~KMainController() override;

    int controllerId() const override;
    void initialize() override;
    void layout(const QRect &area) override;
    QAction *action(int actionId) override;

    void setApplication(QApplication *pApplication) { m_pApplication = pApplication; }

    // Change the action with that ActionId when there is one.
    void setActionEnabled(int actionId, bool enabled);
    void setActionChecked(int actionId, bool checked);

    void fitWindowToCanvas();
    int barsHeight() const;
    void updateWindowTitle(const QString &path);
    // Whether the caller may go on after offering to save unsaved changes.
    bool promptSave(const QString &title);
    // Every processor offline; "Go Online" unchecked.
    void goOffline();
    // Opens the project as File > Open does, after the editor was reset;
    // a file that cannot be read changes nothing. The project has no file
    // of the user's yet: the caller names one when it has.
    bool openProjectFile(const QString &path);

    MainWindow *mainWindow() const { return m_pMainWindow; }
    CCanvas *canvas() { return &m_canvas; }
    QSettings *settings() const { return m_pSettings; }
    const QString &filePath() const { return m_filePath; }

    // Runs an editing command by its BCommandId on the current selection.
    void runCommand(int id);

public slots:
    void resetQMLFocus();

    // The operations behind the actions.
    void openVMP();
    void closeVMP();
    void newVC();
    void openVC();
    bool saveVC();
    bool saveAsVC();
    void sendVC();
    void exit();
    void undo();
    void redo();
    void undoList();
    void cut();
    void copy();
    void paste();
    void del();
    void editMode();
    void bringToFront();
    void bringForward();
    void sendToBack();
    void sendBackward();
    void alignLeft();
    void alignRight();
    void alignTop();
    void alignBottom();
    void alignHCenter();
    void alignVCenter();
    void spaceAcross();
    void spaceDown();
    void toggleConnection();
    void connectionToggled(bool checked);
    void panelSetup();
    void canvasSetup();
    void updateIPAddress();
    void setExitPIN();
    void aboutVC();
    void helpTopics();
    void volumeSlider();
    void volumeButton();
    void meterBar();
    void meterIcon();
    void loadModel(const QString &path);

private:
    void createSettings();
    void createActions();
    QAction *createAction(int key, const char *text, const char *shortcut, const char *icon);
    void readLevelAndMeter();
    void createMenus();
    QMenu *addMenu(const char *title, const QList<int> &keys);
    QMenu *addChoiceMenu(QMenu *pParent, const char *title, const char *icon, int first, int second);
    void createToolBar();
    void connectModel();
    void createPanes();
    void attachWidgetDelegate();
    void loadBlankTemplate();
    void settleBars();
    void resetProject();
    bool acceptReloadWarning();
    void watchDesignFile(const QString &path);
    bool askAboutDesignFile(const QString &text, bool question);
    void adoptSavedPath();
    void reloadDesignFile(const QString &path);
    void afterDesignLoad();
    QString chooseFile(bool save, const QString &title, const QString &settingsKey, const QString &name,
                       const QString &filter);
    void storeFolder(const QString &settingsKey, const QString &path);
    void storeChoice(int key, const char *settingsKey, const char *value);
    QAction *actionByKey(int key) const { return m_actions.value(key, nullptr); }

    QApplication *m_pApplication;
    QSettings *m_pSettings;
    MainWindow *m_pMainWindow;
    CCanvas m_canvas;
    QFileSystemWatcher m_fileWatcher;
    // The design file the watcher was set to; a replace may have ended the watch itself.
    QString m_watchedDesign;
    // The design-file box is on show: changes reported meanwhile are not asked about again.
    bool m_bAskingAboutDesign;
    QString m_filePath;
    int m_paneWidth;
    int m_paneGap;
    int m_margin;
    // Every action by key: its ActionId, or a private key for those without one.
    QHash<int, QAction *> m_actions;
    QList<QAction *> m_actionOrder;
    QList<QActionGroup *> m_actionGroups;
    // Creation order, which is also the order of deletion.
    QList<QMenu *> m_menus;
};
