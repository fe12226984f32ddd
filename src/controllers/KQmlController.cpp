#include "controllers/KQmlController.h"

#include "controllers/ControllerId.h"
#include "model/CCanvas.h"
#include "model/MModel.h"

#include "widgets/VQmlFrame.h"

#include <QQmlEngine>
#include <QQuickView>
#include <QSplitter>

KQmlController::KQmlController(QWidget *pParent, MModel *pModel)
    : KController(pParent, pModel)
{
    createView(true);
}

KQmlController::~KQmlController()
{
    destroyView();
    delete m_pEngine.data();
}

int KQmlController::controllerId() const
{
    return ControllerId::Canvas;
}


QSplitter *KQmlController::splitter() const
{
    return m_pSplitter;
}

void KQmlController::initialize()
{
    if (m_pQmlFrame && m_pModel)
        bindFrame();
}

void KQmlController::layout(const QRect &area)
{
    if (!m_pSplitter)
        return;
    m_pSplitter->move(area.topLeft());
    m_pSplitter->resize(area.width(), area.height());
}

void KQmlController::notify(int)
{
}

void KQmlController::createView(bool first)
{
    if (!m_pModel)
        return;
    m_pQmlFrame = createFrame(first);
    QWidget *pParent = parentWidget();
    if (!pParent) {
        m_pSplitter = new QSplitter;
        return;
    }
    m_pSplitter = new QSplitter(pParent);
    QWidget *pContainer = m_pQmlFrame ? QWidget::createWindowContainer(m_pQmlFrame, m_pSplitter) : nullptr;
    if (!pContainer)
        return;
    pContainer->setMinimumSize(MinimumViewSize, MinimumViewSize);
    pContainer->setFocusPolicy(Qt::TabFocus);
    m_pQmlFrame->registerQmlTypes(first);
    // "Receive..." lets a device send a panel project back to the editor.
    m_pQmlFrame->loadSetupMenu(tr("About Velmora Viviza...,Project Information...,Network Status...,Receive..."));
    if (CCanvas *pCanvas = m_pModel->canvas())
        pCanvas->loadDesktop(m_pQmlFrame);
    m_pSplitter->addWidget(pContainer);
}

void KQmlController::destroyView()
{
    if (m_pQmlFrame) {
        m_pQmlFrame->hide();
        m_pQmlFrame->setParent(static_cast<QWindow *>(nullptr));
        m_pQmlFrame->destroy();
    }
    // The splitter takes the container, and the container its view; a view
    // that never had a container goes by itself.
    delete m_pSplitter;
    delete m_pQmlFrame;
    m_pSplitter = nullptr;
    m_pQmlFrame = nullptr;
}

void KQmlController::rebuild()
{
    // The new view takes the old one's place at once: laid out only later,
    // it would draw its first frames at another size and then all again.
    const QRect area = m_pSplitter ? m_pSplitter->geometry() : QRect();
    destroyView();
    createView(false);
    if (area.isValid())
        layout(area);
    initialize();
    if (m_pModel)
        m_pModel->attachWidgetFactory();
    if (m_pSplitter)
        m_pSplitter->show();
}

QQuickView *KQmlController::view() const
{
    return m_pQmlFrame;
}

VQmlFrame *KQmlController::createFrame(bool)
{
    if (!m_pEngine)
        m_pEngine = new QQmlEngine(this);
    return new VQmlFrame(m_pEngine);
}

void KQmlController::bindFrame()
{
    m_pQmlFrame->setModel(m_pModel);
}
