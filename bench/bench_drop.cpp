// What one more control costs on a panel that already holds many, in the
// editor as main() builds it: the level of a gain block dropped from the
// project tree through the QML bridge (the built-in template, the real widget
// factory and its QML items), a fader pasted, and the undo and redo of a
// drop, online to a local fake processor. Each is timed with the panel holding n-1 controls, each bound to a
// block of its own, so BM_Drop/300 is the 300th drop. Goal: the 300th costs
// at most twice the 10th.
#include "BenchEditor.h"
#include "BenchReport.h"
#include "commands/BCommandProcessor.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "xml/XmlWriter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

const int Blocks = 301;

void flushDeletes()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Online, as a panel is built while its processor answers: each control set
// up asks for its state.
struct Editor
{
    QTemporaryDir dir;
    BenchPeer peer;
    BenchEditor editor {Blocks, peer.port(), dir.path()};
    QByteArray clipboard;

    Editor() { editor.goOnline(true); }

    // The first control as the clipboard holds a copy of it.
    const QByteArray &copy()
    {
        if (clipboard.isEmpty() && editor.panel() && editor.panel()->childCount() > 0) {
            XmlWriter writer;
            writer.setByteArray(&clipboard);
            writer.setEncoding(XmlEncodingUtf16BE);
            writer.writeDeclaration();
            writer.writeStartElement(QStringLiteral("VMD"));
            writer.writeStartElement(QStringLiteral("Controls"));
            editor.panel()->childAt(0)->writeXml(&writer);
            writer.writeEndElement(QStringLiteral("Controls"));
            writer.writeEndElement(QStringLiteral("VMD"));
            writer.flush();
        }
        return clipboard;
    }
};

std::unique_ptr<Editor> &editor()
{
    static std::unique_ptr<Editor> s_editor;
    return s_editor;
}

// The editor with n-1 controls on its panel: a fresh one when it holds more.
BenchEditor *panelOf(benchmark::State &state, int controls)
{
    if (editor() && editor()->editor.panel() && editor()->editor.panel()->childCount() > controls)
        editor().reset();
    if (!editor())
        editor() = std::make_unique<Editor>();
    BenchEditor &e = editor()->editor;
    if (!e.isReady() || !e.fillPanel(controls)) {
        state.SkipWithError("the panel does not fill");
        return nullptr;
    }
    flushDeletes();
    return &e;
}

BCommandProcessor *commands()
{
    return BCommandProcessor::instance();
}

// The n-th drop; undone after timing, and thrown away by the next drop.
void BM_Drop(benchmark::State &state)
{
    BenchEditor *pEditor = panelOf(state, int(state.range(0)) - 1);
    if (!pEditor)
        return;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const bool dropped = pEditor->dropNext();
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
        if (!dropped) {
            state.SkipWithError("the drop failed");
            return;
        }
        commands()->undo();
        flushDeletes();
    }
}

// A copy of the first fader pasted as the n-th control; taken off after timing.
void BM_Paste(benchmark::State &state)
{
    BenchEditor *pEditor = panelOf(state, int(state.range(0)) - 1);
    if (!pEditor)
        return;
    const QByteArray clipboard = editor()->copy();
    MModel *pModel = pEditor->model();
    for (auto _ : state) {
        CComposite pasted;
        pasted.setNotOwner(true);
        QElapsedTimer timer;
        timer.start();
        const int count = pModel->placeControl(&pasted, clipboard);
        pModel->selectControls(&pasted);
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
        for (CControl *pControl : pasted.children())
            pModel->removeFromCurrentPanel(pControl, true);
        pasted.clear();
        flushDeletes();
        if (count != 1) {
            state.SkipWithError("the paste failed");
            return;
        }
    }
}

// Undo of the n-th drop, then its redo.
void BM_UndoRedo(benchmark::State &state)
{
    BenchEditor *pEditor = panelOf(state, int(state.range(0)) - 1);
    if (!pEditor || !pEditor->dropNext())
        return;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        commands()->undo();
        commands()->redo();
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
    }
    // Back to n-1 for the next repetition.
    commands()->undo();
    flushDeletes();
}

BENCHMARK(BM_Drop)->Arg(10)->Arg(300)->Iterations(20)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paste)->Arg(10)->Arg(300)->Iterations(20)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedo)->Arg(10)->Arg(300)->Iterations(20)->UseManualTime()->Unit(benchmark::kMicrosecond);

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
    report.printRatio("drop, the 300th against the 10th", "BM_Drop/300", "BM_Drop/10", 2.0);
    report.printRatio("paste, the 300th against the 10th", "BM_Paste/300", "BM_Paste/10", 2.0);
    report.printRatio("undo and redo of a drop, the 300th against the 10th", "BM_UndoRedo/300",
                      "BM_UndoRedo/10", 2.0);
    editor().reset();
    return 0;
}
