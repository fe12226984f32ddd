#include "controllers/KMainController.h"

#include "commands/BCommandProcessor.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KQmlController.h"
#include "controllers/KTabController.h"
#include "controllers/NotifyEventId.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "views/MainWindow.h"
#include "widgets/WDelegate.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include <utility>

namespace {

// Keys of the actions that have no ActionId; action() never hands them out.
namespace Key {
constexpr int Separator = 0;
constexpr int BringToFront = 0x3101;
constexpr int BringForward = 0x3102;
constexpr int SendToBack = 0x3103;
constexpr int SendBackward = 0x3104;
constexpr int AlignLeft = 0x3105;
constexpr int AlignRight = 0x3106;
constexpr int AlignTop = 0x3107;
constexpr int AlignBottom = 0x3108;
constexpr int AlignHCenter = 0x3109;
constexpr int AlignVCenter = 0x310A;
constexpr int SpaceAcross = 0x310B;
constexpr int SpaceDown = 0x310C;
constexpr int Slider = 0x310D;
constexpr int Button = 0x310E;
constexpr int MeterBar = 0x310F;
constexpr int MeterIcon = 0x3110;
constexpr int ExitPin = 0x3111;
} // namespace Key

using Slot = void (KMainController::*)();

struct ActionSpec
{
    int key;
    const char *text;
    const char *shortcut;
    const char *icon;
    Slot slot; // null for the two save slots, which answer a bool
    bool checkable;
};

// Every action, in the order it is created.
const ActionSpec kActions[] = {
    {ActionId::OpenDesign, QT_TRANSLATE_NOOP("KMainController", "&Open VMP File..."), nullptr, ":/images/OpenVMD.png",
     &KMainController::openVMP, false},
    {ActionId::NewProject, QT_TRANSLATE_NOOP("KMainController", "&New Vazado ziv File..."), "Ctrl+N",
     ":/images/NewVivizaAppFile.png", &KMainController::newVC, false},
    {ActionId::OpenProject, QT_TRANSLATE_NOOP("KMainController", "&Open Vazado ziv File..."), "Ctrl+O",
     ":/images/OpenVivizaAppFile.png", &KMainController::openVC, false},
    {ActionId::SaveProject, QT_TRANSLATE_NOOP("KMainController", "&Save Vazado ziv File..."), "Ctrl+S", ":/images/SaveFile.png",
     nullptr, false},
    {ActionId::SaveProjectAs, QT_TRANSLATE_NOOP("KMainController", "S&ave Vazado ziv File As..."), nullptr,
     ":/images/SaveVivizaFileApp.png", nullptr, false},
    {ActionId::Exit, QT_TRANSLATE_NOOP("KMainController", "E&xit"), "Ctrl+Q", nullptr, &KMainController::exit, false},
    {ActionId::Undo, QT_TRANSLATE_NOOP("KMainController", "&Undo"), "Ctrl+Z", ":/images/Undo.png", &KMainController::undo, false},
    {ActionId::Redo, QT_TRANSLATE_NOOP("KMainController", "&Redo"), "Ctrl+Y", ":/images/Redo.png", &KMainController::redo, false},
    {ActionId::UndoList, QT_TRANSLATE_NOOP("KMainController", "Undo &List..."), nullptr, ":/images/UndoList.png",
     &KMainController::undoList, false},
    {ActionId::Cut, QT_TRANSLATE_NOOP("KMainController", "Cu&t"), "Ctrl+X", ":/images/Cut.png", &KMainController::cut, false},
    {ActionId::Copy, QT_TRANSLATE_NOOP("KMainController", "&Copy"), "Ctrl+C", ":/images/Copy.png", &KMainController::copy, false},
    {ActionId::Paste, QT_TRANSLATE_NOOP("KMainController", "&Paste"), "Ctrl+V", ":/images/Paste.png", &KMainController::paste, false},
    {ActionId::Delete, QT_TRANSLATE_NOOP("KMainController", "&Delete"), "Del", ":/images/Delete.png", &KMainController::del, false},
    {ActionId::EditMode, QT_TRANSLATE_NOOP("KMainController", "&Edit Mode"), nullptr, ":/images/EditMode.png",
     &KMainController::editMode, true},
    {Key::BringToFront, QT_TRANSLATE_NOOP("KMainController", "Bring To &Front"), "Ctrl+F", ":/images/movefront.png",
     &KMainController::bringToFront, false},
    {Key::BringForward, QT_TRANSLATE_NOOP("KMainController", "Bring For&ward"), "Ctrl+Shift+F", ":/images/moveforwards.png",
     &KMainController::bringForward, false},
    {Key::SendToBack, QT_TRANSLATE_NOOP("KMainController", "Send To &Back"), "Ctrl+B", ":/images/moveback.png",
     &KMainController::sendToBack, false},
    {Key::SendBackward, QT_TRANSLATE_NOOP("KMainController", "Send Bac&kward"), "Ctrl+Shift+B", ":/images/movebackwards.png",
     &KMainController::sendBackward, false},
    {Key::AlignLeft, QT_TRANSLATE_NOOP("KMainController", "Align &Left"), "Ctrl+Left", ":/images/alignleft.png",
     &KMainController::alignLeft, false},
    {Key::AlignRight, QT_TRANSLATE_NOOP("KMainController", "Align &Right"), "Ctrl+Right", ":/images/alignright.png",
     &KMainController::alignRight, false},
    {Key::AlignTop, QT_TRANSLATE_NOOP("KMainController", "Align &Top"), "Ctrl+Up", ":/images/aligntop.png",
     &KMainController::alignTop, false},
    {Key::AlignBottom, QT_TRANSLATE_NOOP("KMainController", "Align &Bottom"), "Ctrl+Down", ":/images/alignbottom.png",
     &KMainController::alignBottom, false},
    {Key::AlignHCenter, QT_TRANSLATE_NOOP("KMainController", "Align &Horizontal Center"), "Ctrl+Home", ":/images/alignhcenter.png",
     &KMainController::alignHCenter, false},
    {Key::AlignVCenter, QT_TRANSLATE_NOOP("KMainController", "Align &Vertical Center"), "Ctrl+End", ":/images/alignvcenter.png",
     &KMainController::alignVCenter, false},
    {Key::SpaceAcross, QT_TRANSLATE_NOOP("KMainController", "Distribute H&orizontally"), "Alt+Right", ":/images/spaceacross.png",
     &KMainController::spaceAcross, false},
    {Key::SpaceDown, QT_TRANSLATE_NOOP("KMainController", "Distribute V&ertically"), "Alt+Down", ":/images/spacedown.png",
     &KMainController::spaceDown, false},
    {ActionId::GoOnline, QT_TRANSLATE_NOOP("KMainController", "&Go Online..."), nullptr, ":/images/GoOnline.png",
     &KMainController::toggleConnection, true},
    {ActionId::SendToMobile, QT_TRANSLATE_NOOP("KMainController", "&Send to Mobile Device..."), nullptr, ":/images/SendToDevice.png",
     &KMainController::sendVC, false},
    {ActionId::CanvasSetup, QT_TRANSLATE_NOOP("KMainController", "&Canvas..."), nullptr, ":/images/CanvasSetup.png",
     &KMainController::canvasSetup, false},
    {ActionId::UpdateIpAddresses, QT_TRANSLATE_NOOP("KMainController", "&Update Vazado ziv IP Addresses..."), nullptr, ":/images/IP.png",
     &KMainController::updateIPAddress, false},
    {ActionId::PanelSetup, QT_TRANSLATE_NOOP("KMainController", "&Layout..."), nullptr, ":/images/PanelSetup.png",
     &KMainController::panelSetup, false},
    {ActionId::About, QT_TRANSLATE_NOOP("KMainController", "&About Velmora Viviza builder..."), nullptr, ":/images/about.png",
     &KMainController::aboutVC, false},
    {ActionId::HelpTopics, QT_TRANSLATE_NOOP("KMainController", "&Help Topics..."), nullptr, ":/images/help.png",
     &KMainController::helpTopics, false},
    {Key::Slider, QT_TRANSLATE_NOOP("KMainController", "&Slider"), nullptr, ":/images/SliderIcon.png", &KMainController::volumeSlider,
     true},
    {Key::Button, QT_TRANSLATE_NOOP("KMainController", "&Button"), nullptr, ":/images/ButtonIcon.png", &KMainController::volumeButton,
     true},
    {Key::MeterBar, QT_TRANSLATE_NOOP("KMainController", "&Meter Bar"), nullptr, ":/images/meterBlack.png", &KMainController::meterBar,
     true},
    {Key::MeterIcon, QT_TRANSLATE_NOOP("KMainController", "&Icon"), nullptr, ":/images/AddImage.png", &KMainController::meterIcon, true},
    {Key::ExitPin, QT_TRANSLATE_NOOP("KMainController", "Set E&xit PIN Code..."), nullptr, ":/images/ic_backspace.png",
     &KMainController::setExitPIN, false},
};

// Menus and tool bar, in order; Key::Separator marks a separator.
const QList<int> kFileMenu = {
    ActionId::OpenDesign, Key::Separator,
    ActionId::NewProject, ActionId::OpenProject, ActionId::SaveProject, ActionId::SaveProjectAs,
    ActionId::UpdateIpAddresses, Key::Separator,
    ActionId::Exit};
const QList<int> kEditMenu = {
    ActionId::Undo, ActionId::Redo, ActionId::UndoList, Key::Separator,
    ActionId::Cut, ActionId::Copy, ActionId::Paste, ActionId::Delete};
const QList<int> kLayoutMenu = {
    Key::BringToFront, Key::BringForward, Key::SendToBack, Key::SendBackward, Key::Separator,
    Key::AlignLeft, Key::AlignRight, Key::AlignTop, Key::AlignBottom, Key::AlignHCenter, Key::AlignVCenter,
    Key::Separator,
    Key::SpaceAcross, Key::SpaceDown};
// The Level and Meter sub-menus follow.
const QList<int> kToolsMenu = {
    ActionId::PanelSetup, ActionId::CanvasSetup, Key::ExitPin, Key::Separator,
    ActionId::GoOnline, Key::Separator,
    ActionId::SendToMobile, Key::Separator};
const QList<int> kHelpMenu = {ActionId::HelpTopics, Key::Separator, ActionId::About};
const QList<int> kToolBar = {
    ActionId::OpenDesign, Key::Separator,
    ActionId::NewProject, ActionId::OpenProject, ActionId::SaveProject, Key::Separator,
    ActionId::Cut, ActionId::Copy, ActionId::Paste, ActionId::Delete, Key::Separator,
    ActionId::Undo, ActionId::Redo, ActionId::UndoList, Key::Separator,
    ActionId::EditMode, Key::Separator,
    ActionId::PanelSetup, ActionId::CanvasSetup, Key::Separator,
    ActionId::GoOnline, Key::Separator,
    ActionId::SendToMobile};
// Enabled while controls are selected (MModel::selectState).
const QList<int> kSelectionActions = {
    ActionId::Delete,
    Key::BringToFront, Key::BringForward, Key::SendToBack, Key::SendBackward,
    Key::AlignLeft, Key::AlignRight, Key::AlignTop, Key::AlignBottom, Key::AlignHCenter, Key::AlignVCenter,
    Key::SpaceAcross, Key::SpaceDown};

const char kBlankTemplate[] = "Blank Panel.tpl";
} // namespace

KMainController::KMainController()
    : KController(nullptr, nullptr)
    , m_pApplication(nullptr)
    , m_pSettings(nullptr)
    , m_pMainWindow(nullptr)
    , m_bAskingAboutDesign(false)
    , m_paneWidth(PaneWidth)
    , m_paneGap(8)
    , m_margin(PaneMargin)
{
    m_pMainWindow = new MainWindow();
    connect(&m_fileWatcher, &QFileSystemWatcher::fileChanged, this, &KMainController::loadModel);
}

KMainController::~KMainController()
{
    qDeleteAll(std::exchange(m_actionOrder, {}));
    m_actions.clear();
    qDeleteAll(std::exchange(m_actionGroups, {}));
    qDeleteAll(std::exchange(m_menus, {}));
    delete m_pSettings;
    delete m_pMainWindow;
}

int KMainController::controllerId() const
{
    return ControllerId::Main;
}

QAction *KMainController::action(int actionId)
{
    // Only ActionIds; the private keys of the other actions lie above them.
    if (actionId < ActionId::OpenDesign || actionId > ActionId::UpdateIpAddresses)
        return nullptr;
    return actionByKey(actionId);
}

void KMainController::setActionEnabled(int actionId, bool enabled)
{
    if (QAction *pAction = action(actionId))
        pAction->setEnabled(enabled);
}

void KMainController::setActionChecked(int actionId, bool checked)
{
    if (QAction *pAction = action(actionId))
        pAction->setChecked(checked);
}

// ---------------------------------------------------------------- set-up

void KMainController::initialize()
{
    if (m_pMainWindow) {
        m_pMainWindow->setController(this);
        createSettings();
        createActions();
        createMenus();
        createToolBar();
        if (m_pModel) {
            m_pModel->setMainWindow(m_pMainWindow);
            m_pModel->setCanvas(&m_canvas);
        }
        createPanes();
        connectModel();
        if (m_pModel) {
            m_pModel->init();
            m_pModel->setQmlProperty(QStringLiteral("rightClickEnable"), false);
        }
        attachWidgetDelegate();
        loadBlankTemplate();
        m_pMainWindow->show();
        if (m_pModel)
            m_pModel->setEditMode(true);
        setActionChecked(ActionId::EditMode, true);
        updateWindowTitle(QString());
    }
    if (m_pModel)
        m_pModel->notifyControllers(NotifyEventId::Initialised);
}

void KMainController::createSettings()
{
    delete m_pSettings;
    m_pSettings = new QSettings;
}

QAction *KMainController::createAction(int key, const char *text, const char *shortcut, const char *icon)
{
    auto *pAction = icon ? new QAction(QIcon(QString::fromLatin1(icon)), tr(text), this)
                         : new QAction(tr(text), this);
    if (shortcut)
        pAction->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    m_actions.insert(key, pAction);
    m_actionOrder.append(pAction);
    return pAction;
}

void KMainController::createActions()
{
    if (!m_actionOrder.isEmpty())
        return;
    for (const ActionSpec &spec : kActions) {
        QAction *pAction = createAction(spec.key, spec.text, spec.shortcut, spec.icon);
        pAction->setCheckable(spec.checkable);
        if (spec.slot)
            connect(pAction, &QAction::triggered, this, spec.slot);
    }
    connect(actionByKey(ActionId::SaveProject), &QAction::triggered, this, &KMainController::saveVC);
    connect(actionByKey(ActionId::SaveProjectAs), &QAction::triggered, this, &KMainController::saveAsVC);
    connect(actionByKey(ActionId::GoOnline), &QAction::toggled, this, &KMainController::connectionToggled);

    const std::pair<int, int> choices[] = {{Key::Slider, Key::Button}, {Key::MeterBar, Key::MeterIcon}};
    for (const auto &[first, second] : choices) {
        auto *pGroup = new QActionGroup(this);
        pGroup->setExclusive(true);
        pGroup->addAction(actionByKey(first));
        pGroup->addAction(actionByKey(second));
        m_actionGroups.append(pGroup);
    }
    readLevelAndMeter();
    BCommandProcessor::instance()->setMainController(this);
}

void KMainController::readLevelAndMeter()
{
    QSettings settings;
    const bool slider = settings.value(QStringLiteral("Level"), QStringLiteral("slider")).toString()
                        == QLatin1String("slider");
    actionByKey(slider ? Key::Slider : Key::Button)->setChecked(true);
    const bool bar = settings.value(QStringLiteral("Meter"), QStringLiteral("bar")).toString()
                     == QLatin1String("bar");
    actionByKey(bar ? Key::MeterBar : Key::MeterIcon)->setChecked(true);
}

QMenu *KMainController::addMenu(const char *title, const QList<int> &keys)
{
    auto *pMenu = new QMenu(tr(title));
    for (int key : keys) {
        if (key == Key::Separator)
            pMenu->addSeparator();
        else if (QAction *pAction = actionByKey(key))
            pMenu->addAction(pAction);
    }
    return pMenu;
}

QMenu *KMainController::addChoiceMenu(QMenu *pParent, const char *title, const char *icon, int first,
                                      int second)
{
    auto *pMenu = new QMenu(tr(title));
    pMenu->setIcon(QIcon(QString::fromLatin1(icon)));
    pMenu->addAction(actionByKey(first));
    pMenu->addAction(actionByKey(second));
    pParent->addMenu(pMenu);
    return pMenu;
}

void KMainController::createMenus()
{
    QMenuBar *pMenuBar = m_pMainWindow ? m_pMainWindow->menuBarWidget() : nullptr;
    if (!pMenuBar || !m_menus.isEmpty())
        return;
    QMenu *pFile = addMenu(QT_TR_NOOP("&File"), kFileMenu);
    QMenu *pEdit = addMenu(QT_TR_NOOP("&Edit"), kEditMenu);
    QMenu *pLayout = addMenu(QT_TR_NOOP("&Layout"), kLayoutMenu);
    QMenu *pTools = addMenu(QT_TR_NOOP("&Tools"), kToolsMenu);
    QMenu *pLevel = addChoiceMenu(pTools, QT_TR_NOOP("Level"), ":/images/SliderIcon.png", Key::Slider, Key::Button);
    pTools->addSeparator();
    QMenu *pMeter =
        addChoiceMenu(pTools, QT_TR_NOOP("Meter"), ":/images/meterBlack.png", Key::MeterBar, Key::MeterIcon);
    QMenu *pHelp = addMenu(QT_TR_NOOP("&Help"), kHelpMenu);
    // Also the order in which they are deleted.
    m_menus = {pFile, pEdit, pLayout, pLevel, pMeter, pTools, pHelp};
    for (QMenu *pMenu : {pFile, pEdit, pLayout, pTools, pHelp})
        pMenuBar->addMenu(pMenu);
}

void KMainController::createToolBar()
{
    QToolBar *pToolBar = m_pMainWindow ? m_pMainWindow->toolBarWidget() : nullptr;
    if (!pToolBar || !pToolBar->actions().isEmpty())
        return;
    for (int key : kToolBar) {
        if (key == Key::Separator)
            pToolBar->addSeparator();
        else if (QAction *pAction = actionByKey(key))
            pToolBar->addAction(pAction);
    }
}

void KMainController::createPanes()
{
    if (!m_pModel || !m_pMainWindow)
        return;
    QWidget *pCentral = m_pMainWindow->centralWidget();
    m_pModel->addController(new KQmlController(pCentral, m_pModel));
    m_pModel->addController(new KTabController(pCentral, m_pModel));
}

void KMainController::connectModel()
{
    if (!m_pModel)
        return;
    for (int key : {ActionId::GoOnline, ActionId::SendToMobile})
        connect(m_pModel, &MModel::enableConnection, actionByKey(key), &QAction::setEnabled);
    for (int key : {ActionId::Cut, ActionId::Copy})
        connect(m_pModel, &MModel::ccpState, actionByKey(key), &QAction::setEnabled);
    for (int key : kSelectionActions)
        connect(m_pModel, &MModel::selectState, actionByKey(key), &QAction::setEnabled);
}

void KMainController::attachWidgetDelegate()
{
    WDelegate::instance()->setMainWindow(m_pMainWindow);
}

void KMainController::loadBlankTemplate()
{
    if (!m_pModel)
        return;
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/templates/")
                         + QString::fromLatin1(kBlankTemplate);
    m_canvas.reset();
    m_pModel->newProject(path);
    if (CControl *pPanel = m_pModel->currentPanel())
        pPanel->setName(tr("Home"));
    fitWindowToCanvas();
    m_filePath.clear();
}

// ---------------------------------------------------------------- level and meter

void KMainController::storeChoice(int key, const char *settingsKey, const char *value)
{
    QAction *pAction = actionByKey(key);
    if (!pAction || !pAction->isChecked())
        return;
    QSettings settings;
    settings.setValue(QString::fromLatin1(settingsKey), QString::fromLatin1(value));
}

void KMainController::volumeSlider() { storeChoice(Key::Slider, "Level", "slider"); }
void KMainController::volumeButton() { storeChoice(Key::Button, "Level", "button"); }
void KMainController::meterBar() { storeChoice(Key::MeterBar, "Meter", "bar"); }
void KMainController::meterIcon() { storeChoice(Key::MeterIcon, "Meter", "image"); }
