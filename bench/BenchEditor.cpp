#include "BenchEditor.h"

#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KMainController.h"
#include "controllers/KQmlController.h"
#include "controllers/KTreeController.h"
#include "dialogs/DChooser.h"
#include "dialogs/DMessageBox.h"
#include "support/DesignFixture.h"
#include "model/CComposite.h"
#include "model/MModel.h"
#include "support/FakeProcessorServer.h"
#include "views/MainWindow.h"
#include "views/VModel.h"
#include "widgets/MQmlInterface.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QSet>
#include <QStandardItem>
#include <QtTest/QTest>

#include <time.h>

#include <atomic>

namespace {

std::atomic<int> s_level {-12};

// Depth first, the draggable items with that text, and the texts of their parents.
void collect(VModel *pModel, QStandardItem *pParent, const QString &text, QList<QStandardItem *> *pFound)
{
    for (int row = 0; row < pParent->rowCount(); ++row) {
        QStandardItem *pItem = pParent->child(row);
        if (pItem->text() == text) {
            std::unique_ptr<QMimeData> pData(pModel->mimeData({pItem->index()}));
            if (pData->hasFormat(pModel->dragMimeType()))
                pFound->append(pItem);
        }
        collect(pModel, pItem, text, pFound);
    }
}

bool isBelow(const QStandardItem *pItem, const QString &text)
{
    for (const QStandardItem *pParent = pItem->parent(); pParent; pParent = pParent->parent()) {
        if (pParent->text() == text)
            return true;
    }
    return false;
}

} // namespace

BenchEditor::BenchEditor(int blocks, quint16 port, const QString &folder)
    : m_nBlocks(blocks)
{
    // The unsaved-changes question is answered No; every other box is recorded.
    DMessageBox::setResponder([this](const QString &, const QString &text) {
        if (text == QLatin1String("There are unsaved changes. Would you like to save?"))
            return int(QMessageBox::No);
        m_messages.append(text);
        return 0;
    });

    DesignFixture design;
    design.nodes[0].replace("10.0.0.5", "127.0.0.1").replace("10055", QByteArray::number(port));
    // After the main rack's own gain, before the second rack.
    const int at = design.indexOf("Lobby Gain") + 1;
    for (int i = 0; i < blocks; ++i) {
        design.nodes.insert(at + i, DesignFixture::node("className=\"Harlo.Creator.Nodes.Gain\" typeNumber=\"0\"",
                                                        {DesignFixture::property("title", "Gain"),
                                                         DesignFixture::property("label", gainLabel(i).toUtf8()),
                                                         DesignFixture::property("nodeID",
                                                                                 QByteArray::number(1000 + i))}));
    }
    const QString designPath = design.write(folder, QStringLiteral("bench.vmp"));

    m_pModel = std::make_unique<MModel>();
    m_pMain = new KMainController;
    m_pMain->setModel(m_pModel.get());
    m_pMain->setApplication(qApp);
    m_pModel->addController(m_pMain);
    // The blank project comes with the shown window.
    if (!QTest::qWaitForWindowExposed(m_pMain->mainWindow()))
        return;
    DChooser::setResponder([designPath](const DChooser::Request &) { return designPath; });
    m_pMain->action(ActionId::OpenDesign)->trigger();
    findLevels();
}

BenchEditor::~BenchEditor()
{
    m_pModel.reset();
    DChooser::setResponder({});
    DMessageBox::setResponder({});
}

void BenchEditor::findLevels()
{
    m_handles.clear();
    m_texts.clear();
    auto *pTree = qobject_cast<KTreeController *>(m_pModel->findController(ControllerId::ProjectTree));
    VModel *pItems = pTree ? pTree->itemModel() : nullptr;
    if (!pItems)
        return;
    QList<QStandardItem *> levels;
    collect(pItems, pItems->invisibleRootItem(), QStringLiteral("Level"), &levels);
    for (int i = 0; i < m_nBlocks; ++i) {
        for (QStandardItem *pItem : std::as_const(levels)) {
            if (!isBelow(pItem, gainLabel(i)))
                continue;
            std::unique_ptr<QMimeData> pData(pItems->mimeData({pItem->index()}));
            m_handles.append(QString::fromLatin1(pData->data(pItems->dragMimeType())));
            m_texts.append(pData->text());
            break;
        }
    }
}

QQuickView *BenchEditor::view() const
{
    auto *pCanvas = qobject_cast<KQmlController *>(m_pModel->findController(ControllerId::Canvas));
    return pCanvas ? pCanvas->view() : nullptr;
}

CComposite *BenchEditor::panel() const
{
    return qobject_cast<CComposite *>(m_pModel->currentPanel());
}

bool BenchEditor::dropNext()
{
    CComposite *pPanel = panel();
    MQmlInterface *pBridge = m_pModel->qmlInterface();
    const int i = pPanel ? pPanel->childCount() : 0;
    if (!pPanel || !pBridge || i >= m_handles.size())
        return false;
    const int columns = 30;
    pBridge->dropControl(m_texts.at(i), m_handles.at(i), 10 + (i % columns) * 40, 10 + (i / columns) * 60);
    return pPanel->childCount() == i + 1;
}

bool BenchEditor::fillPanel(int controls)
{
    while (panel() && panel()->childCount() < controls) {
        if (!dropNext())
            return false;
    }
    return panel() && panel()->childCount() == controls;
}

bool BenchEditor::saveAs(const QString &path)
{
    DChooser::setResponder([path](const DChooser::Request &) { return path; });
    m_pMain->action(ActionId::SaveProjectAs)->trigger();
    return m_pModel->projectPath() == path && !m_pModel->isModified();
}

bool BenchEditor::open(const QString &path)
{
    DChooser::setResponder([path](const DChooser::Request &) { return path; });
    m_pMain->action(ActionId::OpenProject)->trigger();
    return m_pModel->projectPath() == path;
}

void BenchEditor::goOnline(bool online)
{
    QAction *pAction = m_pMain->action(ActionId::GoOnline);
    if (pAction->isChecked() != online)
        pAction->trigger();
}

BenchPeer::BenchPeer()
{
    m_pFake = new FakeProcessorServer(FakeProcessorServer::Polling);
    m_pFake->setAnswerer([](const QByteArray &command) {
        return command.startsWith("GA") ? command + '=' + QByteArray::number(s_level.load()) + ".0" : QByteArray();
    });
    m_pFake->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_pFake, &QObject::deleteLater);
    m_thread.start();
    bool listening = false;
    QMetaObject::invokeMethod(m_pFake, [this, &listening]() { listening = m_pFake->listen(); },
                              Qt::BlockingQueuedConnection);
    if (!listening)
        qFatal("the fake processor cannot listen");
}

BenchPeer::~BenchPeer()
{
    m_thread.quit();
    m_thread.wait();
}

quint16 BenchPeer::port() const
{
    return m_pFake->port();
}

void BenchPeer::setLevel(int level)
{
    s_level = level;
}

int BenchPeer::level()
{
    return s_level;
}

double BenchPeer::threadCpuSeconds()
{
    double seconds = 0;
    QMetaObject::invokeMethod(m_pFake, [&seconds]() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        seconds = double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
    }, Qt::BlockingQueuedConnection);
    return seconds;
}

int BenchPeer::commandCount()
{
    int count = 0;
    QMetaObject::invokeMethod(m_pFake, [this, &count]() { count = int(m_pFake->commands().size()); },
                              Qt::BlockingQueuedConnection);
    return count;
}

int BenchPeer::distinctQueries()
{
    int count = 0;
    QMetaObject::invokeMethod(m_pFake, [this, &count]() {
        QSet<QByteArray> queries;
        for (const QByteArray &command : m_pFake->commands()) {
            if (command.startsWith("GA"))
                queries.insert(command);
        }
        count = int(queries.size());
    }, Qt::BlockingQueuedConnection);
    return count;
}
