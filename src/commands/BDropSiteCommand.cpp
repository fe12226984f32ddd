#include "commands/BDropSiteCommand.h"

#include "commands/BCommandId.h"
#include "hardware/HNode.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WWidget.h"

BDropSiteCommand::BDropSiteCommand(int mode)
    : BDropCommand(mode)
    , m_nPreviousIndex(-1)
{
}

BDropSiteCommand::~BDropSiteCommand()
{
    if (state() == BCommandState::Done)
        destroyUnlisted(m_pPrevious);
}

void BDropSiteCommand::prepare()
{
    const MQmlInterface *pBridge = bridge();
    if (!pBridge || !model()) {
        refuse();
        return;
    }
    m_pNode = pBridge->dropNode();
    m_pSite = pBridge->dropSiteWidget();
    m_sText = pBridge->dropText();
    BCommand::prepare();
    if (!build()) {
        m_pPrevious = nullptr;
        refuse();
    }
    setState(BCommandState::Done);
}

bool BDropSiteCommand::build()
{
    if (!m_pNode || !m_pSite || !m_pSite->canAcceptDrop(m_pNode, m_sText))
        return false;
    // The site may ask the user, and the site or the node may go meanwhile.
    if (!m_pSite || !m_pNode)
        return false;
    m_pPrevious = m_pSite->childControl();
    rememberPrevious();
    const QRectF rect = m_pSite->geometry();
    m_pControl = model()->addControl(m_pNode, m_sText, rect.topLeft());
    if (!m_pControl)
        return false;
    // A control without its site would stay on the panel with no undo entry.
    if (!m_pSite) {
        releaseSelection(m_pControl);
        model()->removeFromCurrentPanel(m_pControl, true);
        m_pControl = nullptr;
        return false;
    }
    m_pSite->setChildControl(nullptr);
    m_pSite->setChildControl(m_pControl);
    m_pControl->setWidgetsGeometry(rect);
    m_pControl->setSelected(true);
    m_pNode->setChecked(true);
    return true;
}

// The site's panel: the one listing the held control, else the one of the
// site's own control.
void BDropSiteCommand::rememberPrevious()
{
    if (!m_pPrevious)
        return;
    CComposite *pPanel = m_pPrevious->parentComposite();
    if (!pPanel || !pPanel->contains(m_pPrevious))
        pPanel = m_pSite->control() ? m_pSite->control()->parentComposite() : nullptr;
    m_pPreviousPanel = pPanel;
    m_nPreviousIndex = pPanel ? pPanel->indexOf(m_pPrevious) : -1;
}

void BDropSiteCommand::doCommand()
{
    if (state() == BCommandState::Undone && model() && m_pControl && m_pSite) {
        BCommand::doCommand();
        m_pSite->setChildControl(nullptr);
        m_pSite->setChildControl(m_pControl);
        model()->addToCurrentPanel(m_pControl);
        m_pControl->setVisible(true);
    }
    takePreviousOff();
    setState(BCommandState::Done);
}

// Hidden and off its panel: a control the command may destroy must not stay listed.
void BDropSiteCommand::takePreviousOff()
{
    if (!m_pPrevious)
        return;
    m_pPrevious->setVisible(false);
    releaseSelection(m_pPrevious);
    if (isListed(m_pPrevious))
        m_pPrevious->parentComposite()->removeChild(m_pPrevious, false);
}

void BDropSiteCommand::undoCommand()
{
    BCommand::undoCommand();
    if (model() && m_pControl) {
        takeControlOff();
        putPreviousBack();
    }
}

void BDropSiteCommand::takeControlOff()
{
    if (m_pSite)
        m_pSite->setChildControl(nullptr);
    releaseSelection(m_pControl);
    model()->removeFromCurrentPanel(m_pControl, false);
    if (isListed(m_pControl))
        m_pControl->parentComposite()->removeChild(m_pControl, false);
    m_pControl->setVisible(false);
}

// Onto the site's own panel at its old place, whichever panel is current.
void BDropSiteCommand::putPreviousBack()
{
    if (!m_pPrevious)
        return;
    if (m_pPreviousPanel && !m_pPreviousPanel->contains(m_pPrevious)) {
        m_pPreviousPanel->addChild(m_pPrevious);
        if (m_nPreviousIndex >= 0) {
            CComposite moved;
            moved.setNotOwner(true);
            moved.addChild(m_pPrevious);
            m_pPreviousPanel->moveChildrenTo(&moved, m_nPreviousIndex);
            moved.clear();
        }
    }
    if (m_pSite)
        m_pSite->setChildControl(m_pPrevious);
    m_pPrevious->setVisible(true);
}

CControl *BDropSiteCommand::previous() const
{
    return m_pPrevious;
}

WWidget *BDropSiteCommand::site() const
{
    return m_pSite;
}

HNode *BDropSiteCommand::node() const
{
    return m_pNode;
}

QString BDropSiteCommand::name() const
{
    return tr("Drop Site");
}

int BDropSiteCommand::id() const
{
    return BCommandId::DropSite;
}
