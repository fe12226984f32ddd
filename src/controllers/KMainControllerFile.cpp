#include "controllers/KMainController.h"

#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DTemplateDialog.h"
#include "dialogs/DVMPReloadWarningDialog.h"
#include "hardware/HRoot.h"
#include "model/MModel.h"
#include "model/MProject.h"
#include "utility/UArchive.h"
#include "views/MainWindow.h"
#include "views/VModeManager.h"

#include <QCoreApplication>
#include <QFileInfo>

// ---------------------------------------------------------------- file operations

QString KMainController::chooseFile(bool save, const QString &title, const QString &settingsKey,
                                    const QString &name, const QString &filter)
{
    // The proposed name is a full path already.
    const QString start = !name.isEmpty() ? name
                          : m_pSettings   ? m_pSettings->value(settingsKey).toString()
                                          : QString();
    return save ? DChooser::saveFile(m_pMainWindow, title, start, filter)
                : DChooser::openFile(m_pMainWindow, title, start, filter);
}

void KMainController::storeFolder(const QString &settingsKey, const QString &path)
{
    if (m_pSettings)
        m_pSettings->setValue(settingsKey, path.left(path.lastIndexOf(QLatin1Char('/')) + 1));
}

void KMainController::resetProject()
{
    goOffline();
    if (!m_pModel)
        return;
    m_pModel->resetModel();
    m_pModel->setEditMode(false);
    setActionChecked(ActionId::EditMode, false);
    setActionChecked(ActionId::GoOnline, false);
    // The next project brings its own design, imported afresh, not over this
    // one; no control is left to keep a node in use.
    if (m_pModel->rootNode())
        m_pModel->rootNode()->uncheck();
    m_pModel->closeDesignFile();
    if (KController *pCanvas = lookupController(ControllerId::Canvas)) {
        pCanvas->rebuild();
        m_canvas.applySkin();
    }
}

void KMainController::openVMP()
{
    if (!m_pMainWindow || !m_pModel || !m_pSettings)
        return;
    if (!m_pModel->designFilePath().isEmpty() && !acceptReloadWarning())
        return;
    VModeManager::instance()->cancelMode();
    const QString path = chooseFile(false, tr("Open Velmora Designer File"), QStringLiteral("Path/Designs"),
                                    QString(), tr("VMD Files (*.vmp)"));
    // Cancelled: the loaded design stays watched.
    if (!path.isEmpty()) {
        watchDesignFile(path);
        if (m_pModel->loadDesignFile(path))
            storeFolder(QStringLiteral("Path/Designs"), path);
        afterDesignLoad();
    }
    m_canvas.notifyChanged();
}

// Asked before a second design file replaces the first; the user may turn it off.
bool KMainController::acceptReloadWarning()
{
    const QString key = QStringLiteral("showVMPReloadWarning");
    if (!m_pSettings->value(key, true).toBool())
        return true;
    DVMPReloadWarningDialog dialog(m_pMainWindow);
    if (!dialog.runModal())
        return false;
    m_pSettings->setValue(key, !dialog.doNotShowAgain());
    return true;
}

// Only the design file just chosen is watched; none when `path` is empty.
void KMainController::watchDesignFile(const QString &path)
{
    const QStringList watched = m_fileWatcher.files();
    if (!watched.isEmpty())
        m_fileWatcher.removePaths(watched);
    m_watchedDesign = path;
    if (!path.isEmpty())
        m_fileWatcher.addPath(path);
}

void KMainController::afterDesignLoad()
{
    m_pModel->notifyControllers(NotifyEventId::Initialised);
    m_pModel->setModified(true);
    m_pModel->clearUndoStack();
}

void KMainController::loadModel(const QString &path)
{
    if (m_bAskingAboutDesign)
        return;
    // A change reported for a file that New or Open stopped watching is not ours.
    if (path.isEmpty() || path != m_watchedDesign)
        return;
    if (QFileInfo(path).isFile()) {
        // Saving by writing a new file and renaming it over the old one ends
        // the watch; the file is there, so it changed: watch it again.
        if (!m_fileWatcher.files().contains(path))
            m_fileWatcher.addPath(path);
        if (askAboutDesignFile(tr("Content of the .vmp file is changed. Do you wish to reload it?"), true))
            reloadDesignFile(path);
    } else {
        askAboutDesignFile(tr("File has been renamed. Please reload the file"), false);
    }
}

// Yes and No for a question, else a single Ok; true for Yes. A change reported
// while the box is on show is not asked about again.
bool KMainController::askAboutDesignFile(const QString &text, bool question)
{
    const QStringList buttons = question ? QStringList{tr("Yes"), tr("No")} : QStringList{tr("Ok")};
    m_bAskingAboutDesign = true;
    const int answer = DMessageBox::choice(nullptr, tr("Open VMP File"), text, buttons);
    m_bAskingAboutDesign = false;
    return question && answer == 0;
}

void KMainController::reloadDesignFile(const QString &path)
{
    if (!m_pModel)
        return;
    VModeManager::instance()->cancelMode();
    m_pModel->loadDesignFile(path);
    afterDesignLoad();
    m_canvas.notifyChanged();
}

void KMainController::closeVMP()
{
    if (m_pModel)
        m_pModel->closeDesignFile();
}

void KMainController::newVC()
{
    if (!m_pModel)
        return;
    if (promptSave(tr("New Control Panel"))) {
        DTemplateDialog dialog;
        dialog.setFolder(DTemplateDialog::templatesFolder());
        dialog.setExtension(DTemplateDialog::templateExtension());
        // A subfolder or a template that cannot be read must not cost the open project.
        if (dialog.runModal() && QFileInfo(dialog.folder()).isFile()) {
            const QString path = dialog.folder();
            resetProject();
            watchDesignFile(QString());
            // A template that does not read leaves the blank project, named as at start-up.
            const bool fromTemplate = m_pModel->newProject(path);
            if (!fromTemplate)
                loadBlankTemplate();
            m_pModel->selectSceneAt(0);
            updateWindowTitle(fromTemplate ? path : QString());
            m_filePath.clear();
            fitWindowToCanvas();
            m_canvas.notifyChanged();
            m_pModel->notifyControllers(NotifyEventId::Initialised);
            MProject::setExitPin(QString());
        }
    }
    m_canvas.notifyChanged();
}

void KMainController::openVC()
{
    if (!m_pMainWindow || !m_pModel || !m_pSettings)
        return;
    if (promptSave(tr("Open Control Panel"))) {
        const QString path = chooseFile(false, tr("Open Control Panel File"), QStringLiteral("Path/Panels"),
                                        QString(), tr("Control Panel Files (*.cpz *.cpf)"));
        if (!path.isEmpty() && openProjectFile(path)) {
            m_filePath = path;
            updateWindowTitle(path);
            storeFolder(QStringLiteral("Path/Panels"), path);
        }
    }
    m_canvas.notifyChanged();
    m_pModel->updateToolBar();
}

// A file that cannot be read leaves the open project as it was; the model
// has told the user why.
bool KMainController::openProjectFile(const QString &path)
{
    if (!m_pModel || !m_pModel->canOpenProject(path))
        return false;
    resetProject();
    watchDesignFile(QString());
    const bool opened = m_pModel->openProject(path);
    if (opened) {
        m_pModel->selectSceneAt(0);
    } else {
        // The model has told the user; leave a usable blank project.
        loadBlankTemplate();
    }
    m_filePath.clear();
    updateWindowTitle(QString());
    fitWindowToCanvas();
    m_pModel->notifyControllers(NotifyEventId::Initialised);
    UArchive::instance()->clear();
    m_canvas.notifyChanged();
    m_pModel->updateToolBar();
    return opened;
}

bool KMainController::saveVC()
{
    if (m_filePath.isEmpty())
        return saveAsVC();
    // A failed save is reported by the model and must not look like success.
    if (!m_pModel || !m_pModel->saveProject(m_filePath))
        return false;
    adoptSavedPath();
    return true;
}

bool KMainController::saveAsVC()
{
    if (!m_pMainWindow || !m_pModel || !m_pSettings)
        return false;
    VModeManager::instance()->cancelMode();
    const QString path = chooseFile(true, tr("Save Control Panel File"), QStringLiteral("Path/Panels"), m_filePath,
                                    tr("Control Panel Files (*.cpz *.cpf)"));
    bool saved = false;
    if (!path.isEmpty()) {
        storeFolder(QStringLiteral("Path/Panels"), path);
        saved = m_pModel->saveProject(path);
        if (saved)
            adoptSavedPath();
    }
    m_canvas.notifyChanged();
    return saved;
}

// The project is always written as an archive, whatever name was given:
// the next save goes to the archive that was written, and the title names it.
void KMainController::adoptSavedPath()
{
    m_filePath = m_pModel->projectPath();
    updateWindowTitle(m_filePath);
}

void KMainController::sendVC()
{
    if (!m_pModel)
        return;
    VModeManager::instance()->cancelMode();
    goOffline();
    m_pModel->sendToMobileDevice();
    m_canvas.notifyChanged();
}

void KMainController::exit()
{
    if (promptSave(tr("Exit"))) {
        goOffline();
        QCoreApplication::exit(0);
    }
}
