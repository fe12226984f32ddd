#include "dialogs/DQmlMessageDialog.h"

#include "dialogs/DMessageBox.h"
#include "utility/LogCategories.h"
#include "views/VModeManager.h"

#include <QDebug>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>

namespace {
constexpr Qt::WindowFlags kBoxFlags = Qt::Dialog | Qt::CustomizeWindowHint;
} // namespace

DQmlMessageDialog::DQmlMessageDialog()
    : QObject(nullptr)
{
}

DQmlMessageDialog::~DQmlMessageDialog()
{
    if (m_pWaitLoop)
        m_pWaitLoop->quit();
    delete m_pReceiveBox.data();
}

bool DQmlMessageDialog::doModal()
{
    qCDebug(lcDialogs) << "DoModal called.";
    createQmlBox();
    if (!m_pBoxItem)
        return true;
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &DQmlMessageDialog::applicationStateChanged, Qt::UniqueConnection);
    QEventLoop loop;
    m_pWaitLoop = &loop;
    // A box taken away with the canvas ends the wait as well.
    connect(m_pBoxItem.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    if (m_pBoxItem)
        loop.exec();
    m_pWaitLoop = nullptr;
    return true;
}

void DQmlMessageDialog::createQmlBox()
{
    QQmlEngine *pEngine = context ? context->engine() : nullptr;
    if (!pEngine)
        return;
    QQmlComponent component(pEngine, QUrl(source));
    QObject *pBox = component.create(context);
    if (!pBox) {
        qCWarning(lcDialogs).noquote() << "DQmlMessageDialog: cannot create" << source << component.errorString();
        return;
    }
    VModeManager *pModeManager = VModeManager::instance();
    auto *pCanvas = qobject_cast<QQuickItem *>(pModeManager->canvasRoot());
    pBox->setProperty("parent", QVariant::fromValue<QObject *>(pCanvas));
    pBox->setProperty("button", button);
    pBox->setProperty("title", title);
    pBox->setProperty("text", text);
    pBox->setProperty("visible", true);
    if (auto *pItem = qobject_cast<QQuickItem *>(pBox)) {
        pItem->setParentItem(pCanvas);
        // The canvas owns what it shows; a box left over goes with it.
        if (!pBox->parent())
            pBox->setParent(pCanvas);
        pItem->forceActiveFocus();
    }
    m_pBoxItem = pBox;
    pModeManager->setModalObject(pBox);
    // Only this box's close: the engine's quit never reaches the application.
    connect(pEngine, &QQmlEngine::quit, this, &DQmlMessageDialog::close, Qt::UniqueConnection);
}

void DQmlMessageDialog::close()
{
    if (m_pWaitLoop)
        m_pWaitLoop->quit();
    if (!m_pBoxItem)
        return;
    VModeManager *pModeManager = VModeManager::instance();
    if (pModeManager->modalObject() == m_pBoxItem)
        pModeManager->setModalObject(nullptr);
    // Within the engine's own quit the link stays until this object goes:
    // cut there, the engine would report that nobody heard its quit.
    if (QQmlContext *pContext = context.data()) {
        if (QQmlEngine *pEngine = pContext->engine(); pEngine && sender() != pEngine)
            disconnect(pEngine, &QQmlEngine::quit, this, &DQmlMessageDialog::close);
    }
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

void DQmlMessageDialog::showMessageBox(const QString &boxTitle, const QString &boxText)
{
    DMessageBox::plain(nullptr, boxTitle, boxText);
}

QObject *DQmlMessageDialog::showReceiveBox(const QString &boxTitle, const QString &boxText)
{
    delete m_pReceiveBox.data();
    auto *pBox = new QMessageBox(QMessageBox::NoIcon, boxTitle, boxText, QMessageBox::Cancel, nullptr, kBoxFlags);
    pBox->setTextFormat(Qt::PlainText);
    m_pReceiveBox = pBox;
    connect(pBox, &QDialog::rejected, this, &DQmlMessageDialog::onReceiveModeDialogClosed);
    pBox->open();
    return pBox;
}

void DQmlMessageDialog::closeReceiveBox()
{
    if (!m_pReceiveBox)
        return;
    disconnect(m_pReceiveBox.data(), &QDialog::rejected, this, &DQmlMessageDialog::onReceiveModeDialogClosed);
    m_pReceiveBox->reject();
}

void DQmlMessageDialog::onReceiveModeDialogClosed()
{
    emit receiveModeDialogClosed();
}
