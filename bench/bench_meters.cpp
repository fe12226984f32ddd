// The editor's cost of a panel of 100 bar meters polling at "4x/s" against a
// local fake processor in polling mode for 10 s: the CPU time of every
// thread but the fake processor's, as a share of the wall time, and the
// meter replies the widgets handled per second. The meters sit on a canvas
// shown in an offscreen window, so their drawing is counted too. Run with one
// meter a card (100 different requests) and with eight a card, where the
// meters of a card share one request and its reply.
// Goal: under 10 % of one core. Each repetition is one run; the medians are printed.
#include "BenchReport.h"
#include "interfaces/ITcpClient.h"
#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/FakeProcessorServer.h"
#include "support/QmlCanvasFixture.h"
#include "transforms/TStrV.h"
#include "widgets/WMeter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const int Meters = 100;
const int RunMs = 10000;
const int LevelsPerReply = 8;

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// A meter point: a channel of an input card of a processor.
struct MeterPoint
{
    FakeNode node;
    CAttributes attributes;
    TStrV transform;

    MeterPoint(FakeNode *pProcessor, int card, int channel)
    {
        node.setParent(pProcessor);
        node.setTitle(QStringLiteral("Input %1").arg(card));
        node.setProperty(QStringLiteral("channel"), QString::number(channel));
        attributes.setAttribute(QStringLiteral("range"), QStringLiteral("struct"), QStringLiteral("10"));
        transform.setAttributes(&attributes);
        transform.setNode(&node);
    }

    QByteArray command() const { return PVMDProtocol::meterCommand(&node).trimmed().toLatin1(); }
};

// The fake processor on a thread of its own, answering every meter's request;
// it tells the CPU time its thread used.
struct Peer
{
    QThread thread;
    FakeProcessorServer *pFake = nullptr;

    explicit Peer(const std::vector<std::unique_ptr<MeterPoint>> &points)
    {
        pFake = new FakeProcessorServer(FakeProcessorServer::Polling);
        for (const auto &pPoint : points) {
            QByteArray levels;
            for (int i = 0; i < LevelsPerReply; ++i)
                levels += (i ? "," : "") + QByteArray::number(-50 + 6 * i);
            pFake->setAnswer(pPoint->command(), pPoint->command() + " [" + levels + "]");
        }
        pFake->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, pFake, &QObject::deleteLater);
        thread.start();
        bool listening = false;
        QMetaObject::invokeMethod(pFake, [this, &listening]() { listening = pFake->listen(); },
                                  Qt::BlockingQueuedConnection);
        if (!listening)
            qFatal("the fake processor cannot listen");
    }
    ~Peer()
    {
        thread.quit();
        thread.wait();
    }
    double threadCpuSeconds()
    {
        double seconds = 0;
        QMetaObject::invokeMethod(pFake, [&seconds]() { seconds = cpuSeconds(CLOCK_THREAD_CPUTIME_ID); },
                                  Qt::BlockingQueuedConnection);
        return seconds;
    }
    int commandCount()
    {
        int count = 0;
        QMetaObject::invokeMethod(pFake, [this, &count]() { count = int(pFake->commands().size()); },
                                  Qt::BlockingQueuedConnection);
        return count;
    }
};

struct Result
{
    int metersPerCard = 1;
    double wallSeconds = 0;
    double editorCpuSeconds = 0;
    int replies = 0;
    int requests = 0;
};

std::vector<Result> s_results;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_MetersOnline(benchmark::State &state)
{
    Result result;
    result.metersPerCard = int(state.range(0));
    for (auto _ : state) {
        QmlCanvasFixture canvas;
        QQuickWindow window;
        window.resize(1280, 800);
        canvas.canvas()->setParentItem(window.contentItem());
        window.show();

        FakeNode processor(QStringLiteral("Chassis"), QStringLiteral("Rack"));
        processor.setTitle(QStringLiteral("Rack"));
        std::vector<std::unique_ptr<MeterPoint>> points;
        for (int i = 0; i < Meters; ++i)
            points.push_back(std::make_unique<MeterPoint>(&processor, i / result.metersPerCard,
                                                          i % result.metersPerCard));
        Peer peer(points);

        ITcpClient client;
        PVMDProtocol protocol;
        client.setProtocol(&protocol);
        client.setHostAddress(QHostAddress(QHostAddress::LocalHost));
        client.setPort(peer.pFake->port());
        protocol.setInterface(&client);
        protocol.subscriptionManager()->setClient(&client);

        int replies = 0;
        for (int i = 0; i < Meters; ++i) {
            WMeter *pMeter = qobject_cast<WMeter *>(canvas.factory()->createWidget(QStringLiteral("meter")));
            if (!pMeter) {
                state.SkipWithError("no meter widget");
                return;
            }
            pMeter->setTypeName(QStringLiteral("meter"));
            pMeter->setWidgetRect(QRectF(30 * (i % 40), 330 * (i / 40), 25, 320));
            pMeter->setNode(&points[size_t(i)]->node);
            pMeter->setTransform(&points[size_t(i)]->transform);
            pMeter->setProtocol(&protocol);
            pMeter->setPropertyValue(WidgetPropertyId::MeterRate, QStringLiteral("4x/s"));
            pMeter->setWidgetVisible(true);
            QObject::connect(&points[size_t(i)]->transform, &TTransform::replyValueReady, [&replies]() { ++replies; });
        }
        if (!client.open() || !QTest::qWaitFor([&client]() { return client.isSubscriptionModeSet(); }, 5000)) {
            state.SkipWithError("no connection");
            return;
        }

        const int commandsBefore = peer.commandCount();
        const double peerBefore = peer.threadCpuSeconds();
        const double processBefore = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        QElapsedTimer wall;
        wall.start();
        protocol.onOnlineStateChanged(true);
        QEventLoop loop;
        QTimer::singleShot(RunMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        result.wallSeconds = double(wall.nsecsElapsed()) * 1e-9;
        const double peerCpu = peer.threadCpuSeconds() - peerBefore;
        result.editorCpuSeconds = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processBefore - peerCpu;
        result.replies = replies;
        result.requests = peer.commandCount() - commandsBefore;
        protocol.onOnlineStateChanged(false);
        client.close();
        state.SetIterationTime(result.editorCpuSeconds);
    }
    state.counters["replies/s"] = result.replies / result.wallSeconds;
    s_results.push_back(result);
}

BENCHMARK(BM_MetersOnline)->Arg(1)->Arg(8)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The protocol log goes to the Documents folder of a home of this run's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    BenchReport::printFailuresOnly();
    BenchReport::prepare(&argc, &argv);
    QGuiApplication app(argc, argv);
    BenchReport report;
    if (!report.run(argc, argv))
        return 1;
    for (const int perCard : {1, 8}) {
        std::vector<double> shares;
        std::vector<double> requests;
        std::vector<double> replies;
        for (const Result &result : s_results) {
            if (result.metersPerCard != perCard || result.wallSeconds <= 0)
                continue;
            shares.push_back(100.0 * result.editorCpuSeconds / result.wallSeconds);
            requests.push_back(result.requests / result.wallSeconds);
            replies.push_back(result.replies / result.wallSeconds);
        }
        if (shares.empty())
            continue;
        const double share = median(shares);
        std::printf("%d meters at 4x/s, %d a card, %d s a run, medians of %zu runs:\n", Meters, perCard,
                    RunMs / 1000, shares.size());
        std::printf("  meter requests sent: %.1f/s (meters ask %d/s)\n", median(requests), Meters * 4);
        std::printf("  meter replies handled: %.1f/s\n", median(replies));
        std::printf("  editor CPU: %.1f %% of one core (goal under 10 %%) %s\n", share, share < 10.0 ? "ok" : "OVER");
    }
    return 0;
}
