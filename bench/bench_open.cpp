// File › Open as the editor does it, for a project of one panel of 30 and of
// 300 faders, each bound to a gain block of the design packed with it: the
// reset, the design's import from the archive, every control built and bound
// with the real widget factory and its QML items, until the canvas shown by
// the main window (offscreen) has drawn its first frame.
// The reference does the same intrinsic work alone: it takes away the items
// its last round showed (as an open takes away the project shown before),
// unpacks the same archive, reads the project file and the design file in one
// QXmlStreamReader pass each, creates the same QML components as many times
// with QQmlComponent::create in the same engine, under the same canvas, each
// item where the canvas shows the control's (the editor's own controls
// hidden meanwhile), and waits for the frame that shows them. Items stacked
// at one spot would cover each other, and the software renderer draws no
// covered item: such a frame would show one control, not the panel.
// Goal: within 2 times the reference, and linear (300 controls at most 11
// times 30).
#include "BenchEditor.h"
#include "BenchReport.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "utility/UArchive.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRectF>
#include <QHash>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest/QTest>

#include <cstdio>
#include <map>
#include <memory>
#include <utility>

namespace {

// A saved project of that many faders, and the editor that saved it.
struct Project
{
    QTemporaryDir dir;
    std::unique_ptr<BenchEditor> editor;
    QString path;
    QStringList itemTypes; // the widget types the open builds, one an item
    QList<QRectF> itemPlaces; // where the canvas shows each of those items
    QList<qreal> itemScales;
    bool ready = false;

    explicit Project(int controls)
    {
        editor = std::make_unique<BenchEditor>(controls, quint16(10055), dir.path());
        path = dir.filePath(QStringLiteral("bench.cpz"));
        ready = editor->isReady() && editor->fillPanel(controls) && editor->saveAs(path)
                && editor->open(path) && editor->panel() && editor->panel()->childCount() == controls
                && QTest::qWaitForWindowExposed(editor->view());
        if (!ready)
            return;
        for (const CControl *pControl : editor->panel()->children()) {
            for (const WWidget *pWidget : pControl->widgets()) {
                itemTypes.append(pWidget->typeName());
                const auto *pItem = qobject_cast<const QQuickItem *>(pWidget->widget());
                itemPlaces.append(pItem ? QRectF(pItem->position(), pItem->size()) : QRectF());
                itemScales.append(pItem ? pItem->scale() : 1.0);
            }
        }
    }
};

std::map<int, std::unique_ptr<Project>> &projects()
{
    static std::map<int, std::unique_ptr<Project>> s_projects;
    return s_projects;
}

Project &project(int controls)
{
    if (!projects().count(controls)) {
        // One editor at a time: the main window of the other goes first.
        projects().clear();
        projects()[controls] = std::make_unique<Project>(controls);
    }
    return *projects()[controls];
}

// Counts the frames the view swaps from its making; wait() runs the event
// loop until one has been, asking for one when none is due.
class FrameWaiter
{
public:
    explicit FrameWaiter(QQuickView *pView)
        : m_pView(pView)
    {
        m_connection = QObject::connect(pView, &QQuickWindow::frameSwapped, [this]() {
            ++m_nFrames;
            m_loop.quit();
        });
    }
    ~FrameWaiter() { QObject::disconnect(m_connection); }

    bool wait()
    {
        if (m_nFrames > 0)
            return true;
        QTimer::singleShot(10000, &m_loop, &QEventLoop::quit);
        m_pView->update();
        m_loop.exec();
        return m_nFrames > 0;
    }

private:
    QQuickView *m_pView;
    QEventLoop m_loop;
    QMetaObject::Connection m_connection;
    int m_nFrames = 0;
};

void BM_OpenAction(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    if (!p.ready) {
        state.SkipWithError("the project does not open as saved");
        return;
    }
    for (auto _ : state) {
        // The frames of what went before are drawn and gone.
        QTest::qWait(100);
        QElapsedTimer timer;
        timer.start();
        const bool opened = p.editor->open(p.path);
        // The open may make the canvas's view anew; it draws once the event loop runs.
        FrameWaiter frame(p.editor->view());
        const bool drawn = frame.wait();
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
        if (!opened || !drawn || p.editor->panel()->childCount() != state.range(0))
            state.SkipWithError("the open failed");
    }
}

qsizetype readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QXmlStreamReader reader(&file);
    qsizetype characters = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        characters += reader.text().size() + reader.attributes().size();
    }
    return reader.hasError() ? -1 : characters;
}

void BM_OpenReference(benchmark::State &state)
{
    Project &p = project(int(state.range(0)));
    if (!p.ready) {
        state.SkipWithError("the project does not open as saved");
        return;
    }
    QQuickView *pView = p.editor->view();
    QQmlEngine *pEngine = pView->engine();
    QQuickItem *pCanvas = pView->rootObject();
    // The editor's own controls leave the canvas, so that each round draws
    // its items over the canvas alone, as the open draws its controls.
    QList<QPointer<QQuickItem>> hidden;
    for (const CControl *pControl : p.editor->panel()->children()) {
        for (const WWidget *pWidget : pControl->widgets()) {
            auto *pItem = qobject_cast<QQuickItem *>(pWidget->widget());
            if (pItem && pItem->isVisible()) {
                pItem->setVisible(false);
                hidden.append(pItem);
            }
        }
    }
    // What the last round showed; the next one replaces it, as an open
    // replaces the project shown before it.
    QList<QObject *> shown;
    QHash<QString, QQmlComponent *> components;
    for (auto _ : state) {
        // The frames of what went before are drawn and gone.
        QTest::qWait(100);
        FrameWaiter frame(pView);
        QElapsedTimer timer;
        timer.start();
        qDeleteAll(std::exchange(shown, {}));
        qDeleteAll(std::exchange(components, {}));
        UArchive archive;
        bool ok = archive.read(p.path);
        ok = ok && readAll(archive.findLocalPath(QStringLiteral(".cpf"))) > 0;
        ok = ok && readAll(archive.findLocalPath(QStringLiteral(".vmp"))) > 0;
        for (int i = 0; i < p.itemTypes.size(); ++i) {
            const QString &type = p.itemTypes.at(i);
            QQmlComponent *&pComponent = components[type];
            if (!pComponent)
                pComponent = new QQmlComponent(pEngine, WWidgetFactory::qmlFile(type), QQmlComponent::PreferSynchronous);
            QObject *pObject = pComponent->create(pEngine->rootContext());
            if (auto *pItem = qobject_cast<QQuickItem *>(pObject)) {
                pItem->setParentItem(pCanvas);
                pItem->setPosition(p.itemPlaces.at(i).topLeft());
                pItem->setSize(p.itemPlaces.at(i).size());
                pItem->setScale(p.itemScales.at(i));
                pItem->setVisible(true);
            }
            ok = ok && pObject;
            shown.append(pObject);
        }
        ok = frame.wait() && ok;
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
        if (!ok)
            state.SkipWithError("the reference failed");
    }
    qDeleteAll(shown);
    qDeleteAll(components);
    for (QQuickItem *pItem : std::as_const(hidden)) {
        if (pItem)
            pItem->setVisible(true);
    }
}

BENCHMARK(BM_OpenAction)->Arg(30)->Arg(300)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenReference)->Arg(30)->Arg(300)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    BenchReport::printFailuresOnly();
    BenchReport::prepare(&argc, &argv);
    QApplication app(argc, argv);
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    report.printRatio("open action / reference, 30 faders", "BM_OpenAction/30", "BM_OpenReference/30", 2.0);
    report.printRatio("open action / reference, 300 faders", "BM_OpenAction/300", "BM_OpenReference/300", 2.0);
    report.printRatio("open action, 300 against 30 faders", "BM_OpenAction/300", "BM_OpenAction/30", 11.0);
    projects().clear();
    return 0;
}
