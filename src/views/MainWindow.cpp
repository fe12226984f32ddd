#include "views/MainWindow.h"

#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QToolBar>

const char *const MainWindow::TranslationFile = ":/Desktop/TRLX/translators/translate_en.qm";

MainWindow::MainWindow()
    : QMainWindow(nullptr)
    , ui(new Ui_MainWindow)
    , m_pController(nullptr)
{
    ui->setupUi(this);
    // Without the file the built-in texts stay.
    if (m_translator.load(QString::fromLatin1(TranslationFile)))
        QCoreApplication::installTranslator(&m_translator);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::setController(KController *pController)
{
    m_pController = qobject_cast<KMainController *>(pController);
}

QMenuBar *MainWindow::menuBarWidget() const
{
    return findChild<QMenuBar *>(QStringLiteral("menuBar"), Qt::FindDirectChildrenOnly);
}

QToolBar *MainWindow::toolBarWidget() const
{
    return findChild<QToolBar *>(QStringLiteral("mainToolBar"), Qt::FindDirectChildrenOnly);
}

void MainWindow::notifyQmlController()
{
    if (!m_pController)
        return;
    if (KController *pCanvas = m_pController->lookupController(ControllerId::Canvas))
        pCanvas->notify(0);
}

void MainWindow::resetQMLFocus()
{
    if (m_pController)
        m_pController->resetQMLFocus();
}

void MainWindow::resizeEvent(QResizeEvent *pEvent)
{
    QMainWindow::resizeEvent(pEvent);
    if (m_pController)
        m_pController->layout(QRect(QPoint(0, 0), pEvent->size()));
}

void MainWindow::closeEvent(QCloseEvent *pEvent)
{
    if (!m_pController)
        return;
    if (!m_pController->promptSave(tr("Exit"))) {
        pEvent->ignore();
        return;
    }
    m_pController->goOffline();
    pEvent->accept();
}
