// The editor's cost of polling a panel of 300 faders online, each bound to a
// gain block of its own: the real chain (the model's poll timer, the panel's
// request steps, the protocol, the TCP client) against a local fake processor
// for 10 s, each reply reaching the fader's widgets on the canvas the main
// window shows (offscreen). Two runs: values held fixed, where no canvas
// frame may follow the first round of replies, and values changing twice a
// second. Counted: the CPU time of every thread but the fake processor's, as
// a share of the wall time, and the canvas frames. Goal: under 5 % of one
// core with changing values. For scale, the same number of queries sent by a
// bare QTcpSocket loop at the same pace.
#include "BenchEditor.h"
#include "BenchReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QQuickView>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int Controls = 300;
const int RunMs = 10000;
// After the first round of replies (every control asked once and answered),
// the time the knobs take to glide to the value first shown.
const int SettleMs = 1000;
const int FirstRoundMs = 60000;
const int ChangeMs = 500;

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

struct Result
{
    bool changing = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    int frames = 0;
    int queries = 0;
    long rssEarlyKiB = 0;
    long rssEndKiB = 0;
};

std::vector<Result> s_results;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// ---------------------------------------------------------------- the editor

void BM_PollPanel(benchmark::State &state)
{
    Result result;
    result.changing = state.range(0) != 0;
    for (auto _ : state) {
        BenchPeer::setLevel(-12);
        BenchPeer peer;
        QTemporaryDir dir;
        BenchEditor editor(Controls, peer.port(), dir.path());
        QQuickView *pView = editor.view();
        if (!editor.isReady() || !editor.fillPanel(Controls) || !pView) {
            state.SkipWithError("the panel does not fill");
            return;
        }
        if (!QTest::qWaitForWindowExposed(pView)) {
            state.SkipWithError("the canvas is not shown");
            return;
        }
        int frames = 0;
        QObject::connect(pView, &QQuickWindow::frameSwapped, [&frames]() { ++frames; });
        editor.goOnline(true);
        if (!QTest::qWaitFor([&peer]() { return peer.distinctQueries() >= Controls; }, FirstRoundMs)) {
            state.SkipWithError("not every control is polled");
            return;
        }
        runFor(SettleMs);

        QTimer change;
        QObject::connect(&change, &QTimer::timeout, []() { BenchPeer::setLevel(BenchPeer::level() == -12 ? -11 : -12); });
        if (result.changing)
            change.start(ChangeMs);
        QTimer::singleShot(1000, [&result]() { result.rssEarlyKiB = residentKiB(); });
        frames = 0;
        const int commandsBefore = peer.commandCount();
        const double peerBefore = peer.threadCpuSeconds();
        const double processBefore = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        QElapsedTimer wall;
        wall.start();
        runFor(RunMs);
        result.wallSeconds = double(wall.nsecsElapsed()) * 1e-9;
        const double peerCpu = peer.threadCpuSeconds() - peerBefore;
        result.cpuSeconds = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processBefore - peerCpu;
        result.frames = frames;
        result.queries = peer.commandCount() - commandsBefore;
        result.rssEndKiB = residentKiB();
        change.stop();
        editor.goOnline(false);
        state.SetIterationTime(result.cpuSeconds);
    }
    state.counters["frames"] = result.frames;
    state.counters["queries"] = result.queries;
    s_results.push_back(result);
}

// ---------------------------------------------------------------- the bare loop

// One query every 5 ms, each of the 300 asked once every four passes as the
// panel's transforms are, sent one at a time as the client does.
void BM_BareSocket(benchmark::State &state)
{
    const int pollStepMs = 5;
    const int pollDivider = 4;
    for (auto _ : state) {
        BenchPeer peer;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), peer.port());
        if (!socket.waitForConnected(1000))
            state.SkipWithError("no connection");
        std::vector<int> countdowns(Controls, 0);
        QList<QByteArray> waiting;
        bool awaiting = false;
        QByteArray input;
        auto writeNext = [&]() {
            if (awaiting || waiting.isEmpty())
                return;
            socket.write(waiting.takeFirst() + '\r');
            awaiting = true;
        };
        QObject::connect(&socket, &QTcpSocket::readyRead, [&]() {
            input += socket.readAll();
            for (qsizetype end = input.indexOf('\r'); end >= 0; end = input.indexOf('\r')) {
                input.remove(0, end + 1);
                awaiting = false;
            }
            writeNext();
        });
        int next = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            int &countdown = countdowns[size_t(next)];
            const int i = next;
            next = (next + 1) % Controls;
            if (countdown-- >= 2)
                return;
            countdown = pollDivider;
            const QByteArray command = "GA\"Gain " + QByteArray::number(i + 1) + "\">1";
            if (!waiting.contains(command))
                waiting.append(command);
            writeNext();
        });
        const double peerBefore = peer.threadCpuSeconds();
        const double before = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        poll.start(pollStepMs);
        runFor(RunMs);
        poll.stop();
        const double cpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - before - (peer.threadCpuSeconds() - peerBefore);
        socket.abort();
        state.SetIterationTime(cpu);
    }
}

BENCHMARK(BM_PollPanel)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSocket)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The protocol log goes to the Documents folder of a home of this run's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    BenchReport::printFailuresOnly();
    BenchReport::prepare(&argc, &argv);
    QApplication app(argc, argv);
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    for (const bool changing : {false, true}) {
        std::vector<double> shares, frames, queries, growth;
        for (const Result &result : s_results) {
            if (result.changing != changing || result.wallSeconds <= 0)
                continue;
            shares.push_back(100.0 * result.cpuSeconds / result.wallSeconds);
            frames.push_back(result.frames / result.wallSeconds);
            queries.push_back(result.queries / result.wallSeconds);
            growth.push_back(double(result.rssEndKiB - result.rssEarlyKiB));
        }
        if (shares.empty())
            continue;
        std::printf("%d faders polled, values %s, %d s a run, medians of %zu runs:\n", Controls,
                    changing ? "changing twice a second" : "held fixed", RunMs / 1000, shares.size());
        std::printf("  queries answered: %.1f/s\n", median(queries));
        std::printf("  resident memory growth from 1 s to the end: %+.0f KiB\n", median(growth));
        if (changing) {
            const double share = median(shares);
            std::printf("  canvas frames: %.1f/s\n", median(frames));
            std::printf("  editor CPU: %.1f %% of one core (goal under 5 %%) %s\n", share, share < 5.0 ? "ok" : "OVER");
        } else {
            const double rate = median(frames);
            std::printf("  editor CPU: %.1f %% of one core\n", median(shares));
            std::printf("  canvas frames after the first round: %.1f/s (goal none) %s\n", rate,
                        rate == 0 ? "ok" : "OVER");
        }
    }
    // Milliseconds of CPU time, the benchmark's unit.
    const double bareMs = report.time("BM_BareSocket");
    if (bareMs > 0)
        std::printf("bare socket loop at the same pace: %.1f %% of one core\n", 100.0 * bareMs / RunMs);
    return 0;
}
