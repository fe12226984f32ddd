#include "controllers/KMainController.h"

#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "dialogs/DMessageBox.h"
#include "model/MModel.h"
#include "views/MainWindow.h"
#include "views/VModeManager.h"

#include <QLayout>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kMinimumWindowWidth = 555;

// The part after the last "/"; empty when there is none.
QString fileNameOf(const QString &path)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? QString() : path.mid(slash + 1);
}

} // namespace

// ---------------------------------------------------------------- window

void KMainController::layout(const QRect &area)
{
    int canvasLeft = area.width();
    if (KController *pTabs = lookupController(ControllerId::Tabs)) {
        const int bottom = (area.bottom() - area.top()) - barsHeight() - 6;
        pTabs->layout(QRect(QPoint(m_margin, m_margin), QPoint(m_paneWidth - 1, bottom)));
        canvasLeft = m_paneWidth;
    }
    if (KController *pCanvas = lookupController(ControllerId::Canvas))
        pCanvas->layout(QRect(canvasLeft + m_paneGap, m_margin, m_canvas.width(), m_canvas.height()));
}

void KMainController::fitWindowToCanvas()
{
    if (!m_pMainWindow || !m_pMainWindow->menuBarWidget() || !m_pMainWindow->toolBarWidget())
        return;
    settleBars();
    int width = m_canvas.width() + m_paneWidth + 2 * m_margin + m_paneGap;
    width = std::max(width, kMinimumWindowWidth);
    const int height = m_canvas.height() + 2 * m_margin + barsHeight();
    // Always resize, so that the panes are laid out again.
    if (m_pMainWindow->size() == QSize(width, height))
        ++width;
    m_pMainWindow->resize(width, height);
}

// Until the window is first laid out its bars keep the form's heights; the
// fit at start-up, before the window shows, must count the heights it will
// show with, or the canvas's bottom row is cut off.
void KMainController::settleBars()
{
    m_pMainWindow->ensurePolished();
    if (QLayout *pLayout = m_pMainWindow->layout())
        pLayout->activate();
}

int KMainController::barsHeight() const
{
    if (!m_pMainWindow)
        return 0;
    int height = 0;
    if (QMenuBar *pMenuBar = m_pMainWindow->menuBarWidget())
        height += pMenuBar->height();
    if (QToolBar *pToolBar = m_pMainWindow->toolBarWidget())
        height += pToolBar->height();
    return height;
}

void KMainController::updateWindowTitle(const QString &path)
{
    if (!m_pMainWindow)
        return;
    QString title = tr("Velmora Viviza builder");
    const QString name = fileNameOf(path);
    if (m_pModel && !name.isEmpty())
        title += QStringLiteral(" - ") + name;
    m_pMainWindow->setWindowTitle(title);
}

bool KMainController::promptSave(const QString &title)
{
    VModeManager::instance()->cancelMode();
    if (!m_pModel || !m_pModel->isModified())
        return true;
    switch (DMessageBox::ask(nullptr, QMessageBox::Warning, title,
                             tr("There are unsaved changes. Would you like to save?"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        // A save that fails keeps the caller from going on and losing the changes.
        return saveVC();
    case QMessageBox::Cancel:
        return false;
    default:
        return true;
    }
}

void KMainController::goOffline()
{
    if (m_pModel && m_pModel->isConnectionEnabled())
        m_pModel->setConnectionEnabled(false);
    setActionChecked(ActionId::GoOnline, false);
}

void KMainController::resetQMLFocus()
{
    m_canvas.notifyChanged();
}
