#include "dialogs/DQmlMessageDialog.h"

#include "views/VModeManager.h"

DQmlMessageDialog::DQmlMessageDialog()
    : QObject(nullptr)
{
}

DQmlMessageDialog::~DQmlMessageDialog() = default;

void DQmlMessageDialog::close()
{
    if (!m_pBoxItem)
        return;
    VModeManager *pModeManager = VModeManager::instance();
    if (pModeManager->modalObject() == m_pBoxItem)
        pModeManager->setModalObject(nullptr);
    m_pBoxItem->deleteLater();
    m_pBoxItem = nullptr;
}

void DQmlMessageDialog::quit()
{
    close();
    emit closed();
}

void DQmlMessageDialog::applicationStateChanged(Qt::ApplicationState)
{
}

void DQmlMessageDialog::onReceiveModeDialogClosed()
{
    emit receiveModeDialogClosed();
}
