#include "controllers/KMainController.h"

#include "controllers/ActionId.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DMessageBox.h"
#include "model/MModel.h"
#include "views/MainWindow.h"
#include "views/VModeManager.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

// ---------------------------------------------------------------- tools and help

void KMainController::toggleConnection()
{
    // Qt has already flipped the check mark; the model decides what it shows.
    const bool online = m_pModel && !m_pModel->isConnectionEnabled();
    if (m_pModel) {
        m_pModel->setConnectionEnabled(online);
        m_pModel->collectInterfaces();
        if (online) {
            m_pModel->requestPanelState();
            m_pModel->setEditMode(false);
        }
    }
    setActionChecked(ActionId::GoOnline, online);
}

void KMainController::connectionToggled(bool)
{
    const bool online = m_pModel && m_pModel->isConnectionEnabled();
    if (QAction *pAction = action(ActionId::GoOnline); pAction && pAction->isChecked() != online)
        pAction->setChecked(online);
}

void KMainController::panelSetup()
{
    QAction *pAction = action(ActionId::PanelSetup);
    if (!m_pModel || !pAction)
        return;
    goOffline();
    VModeManager::instance()->cancelMode();
    pAction->setEnabled(false);
    m_pModel->activateSelectTool();
    m_pModel->panelSetup();
    m_pModel->notifyControllers(NotifyEventId::PanelsChanged);
    pAction->setEnabled(true);
}

void KMainController::canvasSetup()
{
    if (!m_pModel)
        return;
    goOffline();
    VModeManager::instance()->cancelMode();
    m_pModel->activateSelectTool();
    m_canvas.runSetupDialog();
    m_pModel->updateCanvasScale();
    m_pModel->updateToolBar();
    m_pModel->setModified(true);
    m_canvas.notifyChanged();
    fitWindowToCanvas();
}

void KMainController::updateIPAddress()
{
    if (m_pModel)
        m_pModel->updateIPAddresses();
}

void KMainController::setExitPIN()
{
    if (!m_pModel)
        return;
    VModeManager::instance()->cancelMode();
    m_pModel->changeExitPin();
}

void KMainController::aboutVC()
{
    if (!m_pMainWindow || !m_pModel)
        return;
    VModeManager::instance()->cancelMode();
    DMessageBox::about(m_pMainWindow, tr("About"), m_pModel->versionText());
    m_canvas.notifyChanged();
}

void KMainController::helpTopics()
{
    VModeManager::instance()->cancelMode();
    QDesktopServices::openUrl(QUrl::fromLocalFile(QCoreApplication::applicationDirPath()
                                                  + QStringLiteral("/Help/VMRRadazar_Help.chm")));
}
