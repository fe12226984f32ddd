#include "model/MModel.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KMainController.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DIPAddressChangeDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DPanelSetupDialog.h"
#include "hardware/HChassis.h"
#include "hardware/HRoot.h"
#include "interfaces/IComposite.h"
#include "interfaces/IInterface.h"
#include "interfaces/ITcpServer.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MProject.h"
#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"
#include "utility/SkinFiles.h"
#include "utility/UArchive.h"
#include "utility/UFolderSnapshot.h"
#include "utility/UNumbers.h"
#include "utility/UTesselator.h"
#include "views/VModeManager.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"
#include "xml/XmlWriter.h"
#include "xml/XRecordedDocument.h"

#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkInterface>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>
#include <QStandardItem>
#include <QUrl>
#include <QWidget>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

// Whether the control, or any control inside it, got a widget to show.
bool buildsWidget(const CControl *pControl)
{
    for (const WWidget *pWidget : pControl->widgets()) {
        if (pWidget)
            return true;
    }
    if (const auto *pComposite = qobject_cast<const CComposite *>(pControl)) {
        for (const CControl *pChild : pComposite->children()) {
            if (pChild && buildsWidget(pChild))
                return true;
        }
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------- navigation

CControl *MModel::currentPanel() const
{
    return m_pCurrentPanel;
}

CControl *MModel::currentChildIn(const QString &collection) const
{
    return m_pScenes ? m_pScenes->currentChildIn(collection) : nullptr;
}

CComposite *MModel::shownScene() const
{
    CControl *pPanel = currentChildIn(QStringLiteral("Panels"));
    return pPanel ? pPanel->parentComposite() : nullptr;
}

void MModel::requestPanelState()
{
    if (m_pCurrentPanel)
        m_pCurrentPanel->requestState();
}

void MModel::setCurrentPanel(CControl *pPanel)
{
    if (!pPanel || !m_pScenes)
        return;
    CControl *pShown = currentChildIn(QStringLiteral("Panels"));
    // Already the scene's current panel, though perhaps not shown yet (a
    // first panel, or the scene's index reset by a removal). The panel shown
    // already is left alone: every undo and redo comes here, and showing it
    // again touches every control on it.
    if (pShown == pPanel) {
        if (m_pCurrentPanel != pPanel) {
            m_pCurrentPanel = pPanel;
            pPanel->setVisible(true);
        }
        return;
    }
    CComposite *pScene = pShown ? pShown->parentComposite() : nullptr;
    if (!pScene) {
        m_pCurrentPanel = nullptr;
        return;
    }
    pShown->setVisible(false);
    const int index = pScene->indexOf(pPanel);
    if (index < 0) {
        m_pCurrentPanel = nullptr;
        return;
    }
    pScene->setCurrentIndex(index);
    m_pCurrentPanel = pPanel;
    pPanel->setVisible(true);
    setQmlProperty(QStringLiteral("pageIndex"), index);
    pPanel->requestState();
    emit resetQMLFocus();
}

// An index outside the scene is refused and the shown panel stays.
bool MModel::gotoPage(int index)
{
    CControl *pShown = currentChildIn(QStringLiteral("Panels"));
    CComposite *pScene = pShown ? pShown->parentComposite() : nullptr;
    if (!pScene) {
        m_pCurrentPanel = nullptr;
        return false;
    }
    if (index < 0 || index >= pScene->childCount() || !pScene->childAt(index))
        return false;
    pShown->setVisible(false);
    pScene->setCurrentIndex(index);
    m_pCurrentPanel = pScene->childAt(index);
    m_pCurrentPanel->setVisible(true);
    if (m_pCurrentPanel->name().contains(QLatin1String("DizoZU")))
        centerControls();
    setQmlProperty(QStringLiteral("pageIndex"), index);
    m_pCurrentPanel->requestState();
    return true;
}

bool MModel::stepPage(int delta)
{
    const CComposite *pScene = shownScene();
    if (!pScene || pScene->childCount() == 0)
        return false;
    const int count = pScene->childCount();
    int target = pScene->currentIndex() + delta;
    if (target >= count)
        target = 0;
    else if (target < 0)
        target = count - 1;
    return gotoPage(target);
}

bool MModel::arrowPressed(const QString &text)
{
    if (text == QLatin1String("leftarrow"))
        return stepPage(-1);
    if (text == QLatin1String("rightarrow"))
        return stepPage(1);
    return false;
}

bool MModel::selectScene(const QString &name)
{
    if (!m_pScenes)
        return false;
    CControl *pScene = currentChildIn(QStringLiteral("Scenes"));
    if (pScene && pScene->name() == name)
        return true;
    showCurrentPanel(false);
    if (!m_pScenes->selectChild(QStringLiteral("Scenes"), name)) {
        showCurrentPanel(true);
        return false;
    }
    showCurrentPanel(true);
    updatePageCount();
    if (!m_pCurrentPanel)
        return false;
    m_pCurrentPanel->requestState();
    updateSceneTitle();
    emit resetQMLFocus();
    return true;
}

bool MModel::selectSceneAt(int index)
{
    const CControl *pScene = m_pScenes ? m_pScenes->childAt(index) : nullptr;
    return pScene ? selectScene(pScene->name()) : false;
}

bool MModel::followLink(const QString &linkPath)
{
    if (!m_pScenes)
        return false;
    m_pScenes->setVisible(false);
    QString path = linkPath;
    const bool found = m_pScenes->findByPath(path);
    if (found) {
        m_pCurrentPanel = currentChildIn(QStringLiteral("Panels"));
        if (m_pCurrentPanel) {
            m_pCurrentPanel->setVisible(true);
            const CComposite *pScene = m_pCurrentPanel->parentComposite();
            setQmlProperty(QStringLiteral("pageIndex"), pScene ? pScene->indexOf(m_pCurrentPanel) : 0);
        }
        updatePageCount();
        requestPanelState();
        updateSceneTitle();
        emit resetQMLFocus();
    } else {
        showCurrentPanel(true);
        showWarning(tr("Error - No link has been defined for this region.\n\n"
                       "Please set a link using the properties panel.")
                    + linkPath);
    }
    emit reloadCanvas();
    return found;
}

void MModel::showCurrentPanel(bool visible)
{
    CControl *pPanel = currentChildIn(QStringLiteral("Panels"));
    if (!pPanel)
        pPanel = currentChildIn(QStringLiteral("Controls"));
    if (pPanel)
        pPanel->setVisible(visible);
}

// ---------------------------------------------------------------- structure

// Named after the count of scenes, or the next number no scene uses.
CControl *MModel::newCollection()
{
    if (!m_pScenes)
        return nullptr;
    auto *pScene = new CComposite;
    m_pScenes->addChild(pScene);
    pScene->setKind(QStringLiteral("Scene"));
    int number = m_pScenes->childCount();
    QString name = tr("COLLECTION") + QString::number(number);
    while (!m_pScenes->isNameUnique(name, pScene))
        name = tr("COLLECTION") + QString::number(++number);
    pScene->setName(name);
    return pScene;
}

bool MModel::checkPanelLimit()
{
    if (!m_pCurrentPanel)
        return true;
    const CComposite *pScene = m_pCurrentPanel->parentComposite();
    if (!pScene)
        return false;
    if (pScene->childCount() <= 5)
        return true;
    showWarning(tr("The maximum number of panels in a scene is: 6"));
    return false;
}

// A template that cannot be read gives no panel.
CControl *MModel::createPanelForNode(const QString &templatePath, CControl *pScene, HNode *pNode)
{
    auto *pSceneComposite = qobject_cast<CComposite *>(pScene);
    if (!pSceneComposite)
        return nullptr;
    QString path = templatePath;
    if (path.contains(QLatin1String("DizoZU"))) {
        const int choice = DMessageBox::choice(qobject_cast<QWidget *>(m_pMainWindow.data()), QString(),
                                               tr("Choose one of the control type below"),
                                               {tr("Slider"), tr("LevelButtons")});
        // Cut at the last dot: folder names may hold dots too.
        if (choice == 1)
            path = path.left(path.lastIndexOf(QLatin1Char('.'))) + QLatin1String("1.xml");
    }
    auto *pPanel = new CComposite;
    if (!readPanelFile(pPanel, path, pNode)) {
        pPanel->clear();
        delete pPanel;
        return nullptr;
    }
    pSceneComposite->addChild(pPanel);
    pPanel->setKind(QStringLiteral("Panel"));
    pPanel->setPanelType(QString());
    // A panel of bound controls is worth going online for, as a dropped control is.
    if (templatePath.contains(QLatin1String("DizoZU")) || pPanel->boundCount() > 0)
        emit enableConnection(true);
    return pPanel;
}

CControl *MModel::addPanelForNode(HNode *pNode)
{
    if (!pNode || !m_pRootNode || !m_pScenes || !checkPanelLimit())
        return nullptr;
    auto *pScene = qobject_cast<CComposite *>(currentChildIn(QStringLiteral("Scenes")));
    if (!pScene)
        return nullptr;
    auto *pPanel = qobject_cast<CComposite *>(
        createPanelForNode(pNode->parameterFilePath(QString()), pScene, pNode));
    if (!pPanel)
        return nullptr;
    pPanel->setTitle(pNode->label());
    markModified();
    if (!currentChildIn(QStringLiteral("Panels")) || !m_pCurrentPanel) {
        // The scene had no panel to switch from.
        pScene->setCurrentIndex(pScene->indexOf(pPanel));
        m_pCurrentPanel = pPanel;
        pPanel->setVisible(true);
    } else {
        setCurrentPanel(pPanel);
    }
    onExtraRefreshTimerTimeout();
    return pPanel;
}

bool MModel::panelSetup()
{
    if (!m_pCanvas)
        return false;
    clearUndoStack();
    DPanelSetupDialog dialog;
    dialog.setModel(this);
    const bool accepted = dialog.runModal();
    // A cancelled run keeps its edits: closing must still ask to save them.
    if (accepted || dialog.hasChangedStructure())
        markModified();
    if (!accepted)
        return false;
    m_pCanvas->notifyChanged();
    return true;
}

void MModel::buildPanelTree(QStandardItem *pItem, QTreeView *pView)
{
    if (m_pScenes)
        m_pScenes->buildTree(pItem, pView);
}

void MModel::addPanelItems(QStandardItem *pItem)
{
    if (m_pScenes && pItem)
        m_pScenes->buildTreeItems(pItem);
}

void MModel::replaceLinkPrefix(const QString &oldText, const QString &newText)
{
    if (m_pScenes && !oldText.isEmpty() && !newText.isEmpty())
        m_pScenes->replaceLinkPrefix(oldText, newText);
}

void MModel::removeFromPanelTree(CControl *pControl)
{
    if (!pControl || !m_pScenes)
        return;
    if (pControl == m_pCurrentPanel || pControl->contains(m_pCurrentPanel))
        m_pCurrentPanel = nullptr;
    if (CComposite *pParent = pControl->parentComposite())
        pParent->removeChild(pControl, true);
}

HNode *MModel::nodeForHandle(quint64 handle) const
{
    if (!handle || !m_pRootNode)
        return nullptr;
    QList<HNode *> pending {m_pRootNode.get()};
    while (!pending.isEmpty()) {
        HNode *pNode = pending.takeFirst();
        if (quint64(quintptr(pNode)) == handle)
            return pNode;
        if (auto *pComposite = qobject_cast<HComposite *>(pNode))
            pending.append(pComposite->children());
    }
    return nullptr;
}

CControl *MModel::findPanelByHandle(CControl *pElement, quint64 handle) const
{
    auto *pComposite = qobject_cast<CComposite *>(pElement);
    if (!pComposite)
        return nullptr;
    if (quint64(quintptr(pComposite)) == handle)
        return pComposite;
    if (pComposite->type() == QLatin1String("Controls"))
        return nullptr;
    for (CControl *pChild : pComposite->children()) {
        if (CControl *pFound = findPanelByHandle(pChild, handle))
            return pFound;
    }
    return nullptr;
}

QString MModel::linkPathForHandle(quint64 handle) const
{
    CControl *pPanel = handle && m_pScenes ? findPanelByHandle(m_pScenes.get(), handle) : nullptr;
    return pPanel && pPanel != m_pScenes.get() ? m_pScenes->path(pPanel) : QString();
}

// ---------------------------------------------------------------- controls on the shown panel

// A control just built on the current panel joins the document: shown, selected, modified.
// One of a kind that builds no widget would be invisible yet saved and polled: it goes at once.
CControl *MModel::adoptPlacedControl(CControl *pControl)
{
    if (!pControl)
        return nullptr;
    if (!buildsWidget(pControl)) {
        m_pCurrentPanel->removeChild(pControl, true);
        return nullptr;
    }
    pControl->setContextObject(this);
    m_pCurrentPanel->setVisible(true);
    pControl->setSelected(true);
    markModified();
    return pControl;
}

CControl *MModel::addControl(HNode *pNode, const QString &name, const QPointF &position)
{
    if (!m_pRootNode || !m_pCurrentPanel)
        return nullptr;
    CControl *pControl = adoptPlacedControl(
        m_pCurrentPanel->createControlForNode(m_pRootNode.get(), pNode, name, position));
    if (pControl)
        emit enableConnection(true);
    return pControl;
}

CControl *MModel::dropControl(const QString &templateName, const QPointF &position)
{
    if (!m_pCurrentPanel)
        return nullptr;
    CControl *pControl = adoptPlacedControl(m_pCurrentPanel->createFromGraphics(templateName, position));
    if (pControl)
        emit resetQMLFocus();
    return pControl;
}

CControl *MModel::addPanelLink(CControl *pTarget, const QPointF &position)
{
    if (!m_pCurrentPanel) {
        showWarning(tr("There are no panels in this collection."));
        return nullptr;
    }
    CControl *pControl = adoptPlacedControl(m_pCurrentPanel->createPanelLink(pTarget, position));
    if (pControl)
        emit resetQMLFocus();
    return pControl;
}

void MModel::addToCurrentPanel(CControl *pControl)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->addChild(pControl);
    markModified();
}

void MModel::removeFromCurrentPanel(CControl *pControl, bool destroy)
{
    if (!m_pCurrentPanel || !pControl)
        return;
    m_pCurrentPanel->removeChild(pControl, destroy);
    markModified();
    checkEmptyCanvas();
}

void MModel::selectControls(CComposite *pControls, const QList<ControlPlace> *pPlaces)
{
    if (!pControls)
        return;
    const QList<CControl *> controls = pControls->children();
    const bool placed = pPlaces && pPlaces->size() == controls.size();
    // Lowest position first, so that each saved index is valid again when
    // its control goes back.
    QList<int> order(controls.size());
    std::iota(order.begin(), order.end(), 0);
    if (placed) {
        std::stable_sort(order.begin(), order.end(),
                         [pPlaces](int a, int b) { return pPlaces->at(a).index < pPlaces->at(b).index; });
    }
    for (const int i : std::as_const(order)) {
        CControl *pControl = controls.at(i);
        if (!pControl)
            continue;
        if (HNode *pNode = pControl->node()) {
            pNode->setChecked(true);
            if (HNode *pParent = pNode->parentNode())
                pParent->setFlags(HNode::FlagInUse);
        }
        auto *pParent = placed ? qobject_cast<CComposite *>(pPlaces->at(i).parent.data()) : nullptr;
        if (pParent) {
            pParent->insertChild(pPlaces->at(i).index, pControl);
            markModified();
        } else {
            addToCurrentPanel(pControl);
        }
        pControl->setVisible(true);
    }
    notifyControllers(NotifyEventId::SelectionChanged);
}

void MModel::deselectControls(CComposite *pControls, QList<ControlPlace> *pPlaces)
{
    if (!pControls)
        return;
    // Every place is taken before anything moves, so that each is the
    // position in the panel as the user saw it.
    if (pPlaces) {
        pPlaces->clear();
        for (CControl *pControl : pControls->children()) {
            CComposite *pParent = pControl ? pControl->parentComposite() : nullptr;
            pPlaces->append({pParent, pParent ? pParent->indexOf(pControl) : -1});
        }
    }
    for (CControl *pControl : pControls->children()) {
        if (!pControl)
            continue;
        if (m_pSelectTool)
            m_pSelectTool->deselect(pControl);
        pControl->setMode(CControl::ModeNormal);
        pControl->setVisible(false);
        CComposite *pParent = pControl->parentComposite();
        if (pParent && pParent->contains(pControl)) {
            pParent->removeChild(pControl, false);
            markModified();
        }
        if (HNode *pNode = pControl->node(); pNode && !isNodeUsed(pNode))
            pNode->setChecked(false);
    }
    checkEmptyCanvas();
    notifyControllers(NotifyEventId::SelectionChanged);
}

// Whether a control of the document is bound to the node.
bool MModel::isNodeUsed(const HNode *pNode) const
{
    QList<CControl *> pending{m_pScenes.get()};
    while (!pending.isEmpty()) {
        CControl *pElement = pending.takeLast();
        if (!pElement)
            continue;
        if (pElement->node() == pNode)
            return true;
        if (auto *pComposite = qobject_cast<CComposite *>(pElement))
            pending.append(pComposite->children());
    }
    return false;
}

bool MModel::collectSelection(CComposite *pTarget)
{
    return m_pScenes && pTarget ? m_pScenes->collectSelected(pTarget) : false;
}

void MModel::deselectAll()
{
    CComposite selection;
    selection.setNotOwner(true);
    if (collectSelection(&selection))
        selection.setMode(CControl::ModeNormal);
    selection.clear();
}

bool MModel::hasDropSite() const
{
    return m_pCurrentPanel && m_pCurrentPanel->findWidget(QStringLiteral("dropsite"));
}

void MModel::checkEmptyCanvas()
{
    if (m_pScenes && m_pScenes->boundCount() == 0)
        emit enableConnection(false);
}

// ---------------------------------------------------------------- edit mode

void MModel::setEditMode(bool on)
{
    setQmlProperty(QStringLiteral("editModeEnable"), on);
    if (m_pSelectTool)
        m_pSelectTool->setActive(on);
    if (auto *pMain = qobject_cast<KMainController *>(findController(ControllerId::Main)))
        pMain->setActionChecked(ActionId::EditMode, on);
    if (KController *pTree = findController(ControllerId::ProjectTree))
        pTree->setEditMode(on);
    if (m_pScenes)
        m_pScenes->setSelected(on);
}

void MModel::toggleEditMode()
{
    setEditMode(!qmlProperty(QStringLiteral("editModeEnable")).toBool());
}

// ---------------------------------------------------------------- view

bool MModel::updateCanvasSize()
{
    if (!m_pQmlInterface)
        return false;
    double height = qmlProperty(QStringLiteral("maxControlHeight")).toDouble();
    // Only a panel's own "bounds" gives its height; the controls placed on a
    // panel without one must not change the scale they were placed at.
    if (const WWidget *pBounds = m_pScenes ? m_pScenes->panelBoundsWidget() : nullptr) {
        const QRectF bounds = pBounds->geometry();
        if (bounds.height() > 0.0)
            height = (2.0 * bounds.y() + bounds.height()) / m_viewScale;
    }
    if (const QQuickItem *pItem = qmlRootItem()) {
        m_canvasItemHeight = float(pItem->height());
        m_canvasItemWidth = float(pItem->width());
    }
    if (!(m_canvasItemHeight > 0.0f) || !(height > 0.0))
        return false;
    m_viewScale = float(m_canvasItemHeight / height);
    setQmlProperty(QStringLiteral("viewScale"), m_viewScale);
    return true;
}

bool MModel::updateCanvasScale()
{
    if (!m_pRootNode || !m_pQmlInterface || !updateCanvasSize())
        return false;
    if (m_pDelegate) {
        m_pDelegate->setAspect(m_pCanvas ? m_pCanvas->aspect() : CCanvas::DefaultAspect);
        m_pDelegate->setScale(m_viewScale);
    }
    if (!m_pScenes)
        return false;
    const bool multiply = m_pCanvas && m_pCanvas->isMultiplyScaleFactor();
    float length = m_canvasItemHeight;
    if (const QScreen *pScreen = QGuiApplication::primaryScreen()) {
        const QRect screen = pScreen->geometry();
        const int width = screen.right() - screen.left() + 1;
        const int height = screen.bottom() - screen.top() + 1;
        if (width > 0 && double(height) / width >= 2.0)
            length = m_canvasItemWidth;
    }
    m_pScenes->setScale(1.0f, length, multiply);
    setQmlProperty(QStringLiteral("textSize"), int(12.0f * m_viewScale));
    setQmlProperty(QStringLiteral("pixelScale"), m_viewScale);
    return true;
}

bool MModel::centerControls()
{
    if (!m_pCanvas)
        return false;
    if (!m_pCanvas->isHorizCenter()
        && !(m_pCurrentPanel && m_pCurrentPanel->name().contains(QLatin1String("DizoZU"))))
        return false;
    const QQuickItem *pItem = qmlRootItem();
    if (!m_pScenes || !pItem)
        return false;
    m_pScenes->centerHorizontally(QStringLiteral("Controls"), float(pItem->width()));
    return true;
}

void MModel::updateHeader()
{
    if (!m_pQmlInterface)
        return;
    const bool scenes = m_pScenes && m_pScenes->type() == QLatin1String("Scenes");
    m_pQmlInterface->loadSceneMenu(scenes ? m_pScenes.get() : nullptr);
}

void MModel::updatePageCount()
{
    m_pCurrentPanel = currentChildIn(QStringLiteral("Panels"));
    const CComposite *pScene = m_pCurrentPanel ? m_pCurrentPanel->parentComposite() : nullptr;
    if (!pScene)
        return;
    setQmlProperty(QStringLiteral("pageCount"), pScene->childCount());
    setQmlProperty(QStringLiteral("pageIndex"), pScene->currentIndex());
}

void MModel::updateSceneTitle()
{
    const CControl *pScene = currentChildIn(QStringLiteral("Scenes"));
    setQmlProperty(QStringLiteral("sceneTitle"), pScene ? pScene->name() : QString());
}

void MModel::updateHeaderTitle()
{
    if (m_pProject)
        setQmlProperty(QStringLiteral("headerTitle"), m_pProject->facilityName());
}

void MModel::updateToolBar()
{
    updateCanvasScale();
    emit reloadCanvas();
}

void MModel::onExtraRefreshTimerTimeout()
{
    refreshView(true);
}

void MModel::refreshView(bool centre)
{
    updateCanvasScale();
    if (centre)
        centerControls();
    updateHeader();
    updatePageCount();
    updateSceneTitle();
    updateHeaderTitle();
}

void MModel::setViewScale(float scale)
{
    if (UNumbers::isPositive(scale))
        m_viewScale = scale;
}
