#include "dialogs/DPanelSetupDialog.h"

#include "dialogs/DTemplateDialog.h"
#include "dialogs/DTitleDialog.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "ui_DPanelSetupDialog.h"

#include <QStandardItemModel>

namespace {

// Where the panel tree keeps each item's element.
constexpr int ElementRole = Qt::UserRole + 1;

const QString SceneKind = QStringLiteral("Scene");
const QString PanelKind = QStringLiteral("Panel");
// No item chosen yet: every button is off.
const QString InitKind = QStringLiteral("Init");

// A collection left without panels gets this one when the user picks none.
const QString FallbackTemplate = QStringLiteral("Blank Panel.tpl");

// Whether the element is the composite or lies below it (by address only:
// the element may be gone).
bool isWithin(const CComposite *pComposite, const CControl *pElement)
{
    if (!pComposite || !pElement)
        return false;
    if (pComposite == pElement)
        return true;
    for (const CControl *pChild : pComposite->children()) {
        if (pChild == pElement || isWithin(qobject_cast<const CComposite *>(pChild), pElement))
            return true;
    }
    return false;
}

int childCountOf(const CComposite *pComposite)
{
    return pComposite ? pComposite->childCount() : 0;
}

} // namespace

DPanelSetupDialog::DPanelSetupDialog(QWidget *parent)
    : DModalDialog(parent)
    , m_pUi(new Ui_DPanelSetupDialog)
    , m_pItemModel(new QStandardItemModel(this))
    , m_sTemplateFolder(DTemplateDialog::templatesFolder())
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DPanelSetupDialog::~DPanelSetupDialog()
{
    delete m_pUi;
}

void DPanelSetupDialog::prepare()
{
    refreshTree(nullptr);
    updateButtons(InitKind);

    QTreeView *pTree = m_pUi->m_pTreeView;
    connect(this, &QDialog::accepted, this, &DPanelSetupDialog::pass, Qt::UniqueConnection);
    connect(this, &QDialog::rejected, this, &DPanelSetupDialog::fail, Qt::UniqueConnection);
    connect(pTree, &QTreeView::clicked, this, &DPanelSetupDialog::treeClicked, Qt::UniqueConnection);
    connect(pTree, &QTreeView::doubleClicked, this, &DPanelSetupDialog::treeDoubleClicked, Qt::UniqueConnection);
    connect(pTree, &QTreeView::expanded, this, &DPanelSetupDialog::treeExpanded, Qt::UniqueConnection);
    connect(pTree, &QTreeView::collapsed, this, &DPanelSetupDialog::treeCollapsed, Qt::UniqueConnection);
    connect(pTree, &QTreeView::entered, this, &DPanelSetupDialog::treeEntered, Qt::UniqueConnection);
    connect(m_pUi->m_pAddScene, &QPushButton::clicked, this, &DPanelSetupDialog::addScene, Qt::UniqueConnection);
    connect(m_pUi->m_pDeleteScene, &QPushButton::clicked, this, &DPanelSetupDialog::deleteScene,
            Qt::UniqueConnection);
    connect(m_pUi->m_pAddPanel, &QPushButton::clicked, this, &DPanelSetupDialog::addPanel, Qt::UniqueConnection);
    connect(m_pUi->m_pDeletePanel, &QPushButton::clicked, this, &DPanelSetupDialog::deletePanel,
            Qt::UniqueConnection);
    connect(m_pUi->m_pMoveUp, &QPushButton::clicked, this, &DPanelSetupDialog::moveUp, Qt::UniqueConnection);
    connect(m_pUi->m_pMoveDown, &QPushButton::clicked, this, &DPanelSetupDialog::moveDown, Qt::UniqueConnection);
    connect(m_pUi->m_pEditTitle, &QPushButton::clicked, this, &DPanelSetupDialog::editTitle, Qt::UniqueConnection);

    setWindowTitle(QStringLiteral("Layout"));
    loadHeader();
    setStatus(StatusUndecided);
}

// ---------------------------------------------------------------- OK and Cancel

// The structural edits are already in the document; only the site name waits.
void DPanelSetupDialog::pass()
{
    if (m_pModel) {
        if (MProject *pProject = m_pModel->project())
            pProject->setFacilityName(m_pUi->m_pHeaderEdit->text());
        m_pModel->onExtraRefreshTimerTimeout();
    }
    setStatus(StatusPassed);
}

// Cancel keeps the structural edits: the canvas shows them as OK would.
void DPanelSetupDialog::fail()
{
    if (m_pModel && m_bStructureChanged)
        m_pModel->onExtraRefreshTimerTimeout();
    setStatus(StatusFailed);
}

void DPanelSetupDialog::loadHeader()
{
    const MProject *pProject = m_pModel ? m_pModel->project() : nullptr;
    if (pProject)
        m_pUi->m_pHeaderEdit->setText(pProject->facilityName());
    m_pUi->m_pHeaderEdit->setFocus(Qt::OtherFocusReason);
    m_pUi->m_pHeaderEdit->selectAll();
}

// ---------------------------------------------------------------- tree

void DPanelSetupDialog::refreshTree(CControl *pCurrent)
{
    if (!m_pModel)
        return;
    QTreeView *pTree = m_pUi->m_pTreeView;
    pTree->reset();
    m_pItemModel->clear();
    pTree->setModel(m_pItemModel);
    m_pModel->buildPanelTree(m_pItemModel->invisibleRootItem(), pTree);
    m_pCurrent = pCurrent;
    if (!pCurrent) {
        updateButtons(InitKind);
        return;
    }
    if (const auto *pComposite = qobject_cast<const CComposite *>(pCurrent))
        pTree->setCurrentIndex(pComposite->treeIndex());
    updateButtons(pCurrent->kind());
}

// The item holds the element's address: it is taken only while the element
// is still part of the document.
CControl *DPanelSetupDialog::controlAt(const QModelIndex &index) const
{
    if (!m_pModel || !index.isValid() || index.model() != m_pItemModel)
        return nullptr;
    const QStandardItem *pItem = m_pItemModel->itemFromIndex(index);
    if (!pItem)
        return nullptr;
    auto *pControl = reinterpret_cast<CControl *>(quintptr(pItem->data(ElementRole).toULongLong()));
    return isWithin(m_pModel->scenes(), pControl) ? pControl : nullptr;
}

void DPanelSetupDialog::makeCurrent(const QModelIndex &index)
{
    m_pCurrent = controlAt(index);
    updateButtons(m_pCurrent ? m_pCurrent->kind() : InitKind);
}

void DPanelSetupDialog::treeClicked(const QModelIndex &index)
{
    makeCurrent(index);
}

void DPanelSetupDialog::treeEntered(const QModelIndex &index)
{
    makeCurrent(index);
}

void DPanelSetupDialog::treeDoubleClicked(const QModelIndex &index)
{
    makeCurrent(index);
    if (m_pCurrent)
        editTitleOfKind(m_pCurrent->kind());
}

void DPanelSetupDialog::treeExpanded(const QModelIndex &index)
{
    if (auto *pComposite = qobject_cast<CComposite *>(controlAt(index)))
        pComposite->setExpanded(true);
}

void DPanelSetupDialog::treeCollapsed(const QModelIndex &index)
{
    if (auto *pComposite = qobject_cast<CComposite *>(controlAt(index)))
        pComposite->setExpanded(false);
}

// ---------------------------------------------------------------- buttons

void DPanelSetupDialog::updateButtons(const QString &kind)
{
    bool addScene = false;
    bool deleteScene = false;
    bool addPanel = false;
    bool deletePanel = false;
    bool arrange = false;
    const CComposite *pParent = m_pCurrent ? m_pCurrent->parentComposite() : nullptr;
    if (kind == SceneKind) {
        addScene = childCountOf(pParent) < MaxChildren;
        deleteScene = true;
        addPanel = childCountOf(qobject_cast<const CComposite *>(m_pCurrent.data())) < MaxChildren;
        arrange = true;
    } else if (kind == PanelKind) {
        addPanel = childCountOf(pParent) < MaxChildren;
        deletePanel = true;
        arrange = true;
    } else if (kind.isEmpty()) {
        addScene = canAddSibling();
    }
    m_pUi->m_pAddScene->setEnabled(addScene);
    m_pUi->m_pDeleteScene->setEnabled(deleteScene);
    m_pUi->m_pAddPanel->setEnabled(addPanel);
    m_pUi->m_pDeletePanel->setEnabled(deletePanel);
    m_pUi->m_pMoveUp->setEnabled(arrange);
    m_pUi->m_pMoveDown->setEnabled(arrange);
    m_pUi->m_pEditTitle->setEnabled(arrange);
    if (kind == SceneKind)
        showCurrentScene();
    else if (kind == PanelKind)
        showCurrentPanel();
}

bool DPanelSetupDialog::canAddSibling() const
{
    const CComposite *pParent = m_pCurrent ? m_pCurrent->parentComposite() : nullptr;
    return pParent && pParent->childCount() < MaxChildren;
}

void DPanelSetupDialog::showCurrentScene()
{
    if (m_pModel && m_pCurrent)
        m_pModel->selectScene(m_pCurrent->name());
}

void DPanelSetupDialog::showCurrentPanel()
{
    const CComposite *pScene = m_pCurrent ? m_pCurrent->parentComposite() : nullptr;
    if (!m_pModel || !pScene)
        return;
    m_pModel->selectScene(pScene->name());
    m_pModel->setCurrentPanel(m_pCurrent);
}

// ---------------------------------------------------------------- collections

void DPanelSetupDialog::addScene()
{
    if (!m_pModel || childCountOf(m_pModel->scenes()) >= MaxChildren)
        return;
    CControl *pScene = m_pModel->newCollection();
    if (!pScene)
        return;
    m_bStructureChanged = true;
    refreshTree(pScene);
    m_pModel->selectScene(pScene->name());
    m_pModel->onExtraRefreshTimerTimeout();
}

// The canvas leaves the collection before it goes, so the model never shows
// a deleted panel.
void DPanelSetupDialog::deleteScene()
{
    if (!m_pModel || !m_pCurrent || m_pCurrent->kind() != SceneKind)
        return;
    CControl *pScene = m_pCurrent;
    const CComposite *pRoot = pScene->parentComposite();
    if (!pRoot)
        return;
    const int index = pRoot->indexOf(pScene);
    auto *pNext = qobject_cast<CComposite *>(index > 0 ? pRoot->childAt(index - 1) : pRoot->childAt(index + 1));
    if (pNext)
        m_pModel->selectScene(pNext->name());
    m_pModel->removeFromPanelTree(pScene);
    m_bStructureChanged = true;
    m_pCurrent = nullptr;
    if (!pNext) {
        addScene();
        if (m_pCurrent)
            addFirstPanel(m_pCurrent);
        refreshTree(nullptr);
        return;
    }
    CControl *pPanel = pNext->childAt(pNext->currentIndex());
    refreshTree(pPanel ? pPanel : pNext);
}

// ---------------------------------------------------------------- panels

CComposite *DPanelSetupDialog::targetCollection() const
{
    if (!m_pCurrent)
        return nullptr;
    if (m_pCurrent->kind() == PanelKind)
        return m_pCurrent->parentComposite();
    return qobject_cast<CComposite *>(m_pCurrent.data());
}

QString DPanelSetupDialog::chooseTemplate()
{
    DTemplateDialog dialog;
    dialog.setFolder(m_sTemplateFolder);
    dialog.setExtension(DTemplateDialog::templateExtension());
    return dialog.runModal() ? dialog.folder() : QString();
}

void DPanelSetupDialog::addPanel()
{
    if (!m_pCurrent || !m_pModel)
        return;
    CComposite *pCollection = targetCollection();
    if (!pCollection || childCountOf(pCollection) >= MaxChildren)
        return;
    const QString path = chooseTemplate();
    if (!path.isEmpty())
        addPanelFromFile(path, pCollection);
}

void DPanelSetupDialog::addFirstPanel(CControl *pCollection)
{
    if (!pCollection)
        return;
    QString path = chooseTemplate();
    if (path.isEmpty())
        path = m_sTemplateFolder + FallbackTemplate;
    addPanelFromFile(path, pCollection);
}

// Named after the template; a second panel from it gets 1, then 2, ...
void DPanelSetupDialog::addPanelFromFile(const QString &path, CControl *pCollection)
{
    if (path.isEmpty() || !m_pModel)
        return;
    auto *pPanel = qobject_cast<CComposite *>(m_pModel->createPanelForNode(path, pCollection, nullptr));
    if (!pPanel) {
        refreshTree(nullptr);
        return;
    }
    m_bStructureChanged = true;
    QString base = MModel::fileBaseName(path, false);
    if (base.isEmpty())
        base = pPanel->name();
    QString name = base;
    for (int number = 1; !pPanel->isNameUnique(name, nullptr); ++number)
        name = base + QString::number(number);
    pPanel->setTitle(name);
    m_pModel->setCurrentPanel(pPanel);
    m_pModel->onExtraRefreshTimerTimeout();
    refreshTree(pPanel);
}

// The canvas moves to the next panel before this one goes, so the model never
// shows a deleted panel; with none left it shows none.
void DPanelSetupDialog::deletePanel()
{
    if (!m_pModel || !m_pCurrent || m_pCurrent->kind() != PanelKind)
        return;
    CControl *pPanel = m_pCurrent;
    CComposite *pScene = pPanel->parentComposite();
    if (!pScene)
        return;
    const int index = pScene->indexOf(pPanel);
    CControl *pNext = index > 0 ? pScene->childAt(index - 1) : pScene->childAt(index + 1);
    const bool shown = m_pModel->currentPanel() == pPanel
                       || m_pModel->currentChildIn(QStringLiteral("Panels")) == pPanel;
    if (pNext && shown)
        m_pModel->setCurrentPanel(pNext);
    m_pModel->removeFromPanelTree(pPanel);
    m_bStructureChanged = true;
    m_pModel->onExtraRefreshTimerTimeout();
    m_pModel->checkEmptyCanvas();
    refreshTree(pNext ? pNext : pScene);
    if (pScene->childCount() == 0) {
        m_pCurrent = pScene;
        addFirstPanel(pScene);
    }
}

// ---------------------------------------------------------------- order and titles

void DPanelSetupDialog::moveCurrent(int offset)
{
    CComposite *pParent = m_pCurrent ? m_pCurrent->parentComposite() : nullptr;
    if (!pParent || !pParent->moveChild(m_pCurrent, offset))
        return;
    m_bStructureChanged = true;
    if (m_pModel)
        m_pModel->onExtraRefreshTimerTimeout();
    refreshTree(m_pCurrent);
}

void DPanelSetupDialog::moveUp()
{
    moveCurrent(-1);
}

void DPanelSetupDialog::moveDown()
{
    moveCurrent(1);
}

void DPanelSetupDialog::editTitle()
{
    if (m_pCurrent)
        editTitleOfKind(m_pCurrent->kind());
}

void DPanelSetupDialog::editTitleOfKind(const QString &kind)
{
    if (kind == SceneKind)
        renameScene();
    else if (kind == PanelKind)
        renamePanel();
}

void DPanelSetupDialog::renameScene()
{
    rename(false);
}

void DPanelSetupDialog::renamePanel()
{
    rename(true);
}

// Links into the item follow its new name. A refused title comes back as the
// old name and changes nothing.
void DPanelSetupDialog::rename(bool panel)
{
    if (!m_pCurrent)
        return;
    DTitleDialog dialog(this, m_pCurrent);
    dialog.setTitle(m_pCurrent->name());
    const bool accepted = dialog.runModal();
    if (!m_pCurrent)
        return;
    const QString title = dialog.title();
    if (accepted && !title.isEmpty() && title != m_pCurrent->name()) {
        const QString oldPath = pathOf(m_pCurrent);
        auto *pComposite = qobject_cast<CComposite *>(m_pCurrent.data());
        if (panel && pComposite)
            pComposite->setTitle(title);
        else
            m_pCurrent->setName(title);
        const QString newPath = pathOf(m_pCurrent);
        if (m_pModel)
            m_pModel->replaceLinkPrefix(oldPath, newPath);
        m_bStructureChanged = true;
    }
    refreshTree(m_pCurrent);
}

QString DPanelSetupDialog::pathOf(CControl *pControl) const
{
    return pControl ? pControl->root()->path(pControl) : QString();
}
