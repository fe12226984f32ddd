// The cost of the control-protocol stack (TCP client, dispatcher, protocol,
// subscription manager) while 200 polled controls run against a local fake
// processor for 10 s, against the same traffic sent by a bare QTcpSocket loop
// at the same pace. The dispatcher is paced by its 10 ms step, so this
// measures CPU time of the GUI thread, not speed; the fake processor runs on
// a thread of its own and is not counted. Goal: within 3x, flat memory.
#include "interfaces/ITcpClient.h"
#include "model/CAttributes.h"
#include "protocols/PVMDProtocol.h"
#include "support/FakeNodes.h"
#include "support/FakeProcessorServer.h"
#include "transforms/TText.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const int Controls = 200;
const int RunMs = 10000;
const int PollStepMs = 5;
const int PollDivider = 4;

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
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

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray query(int i)
{
    return "GA\"Gain " + QByteArray::number(i) + "\">1";
}

// The fake processor on a thread of its own, answering every control's query.
struct Peer
{
    QThread thread;
    FakeProcessorServer *pFake = nullptr;

    Peer()
    {
        pFake = new FakeProcessorServer(FakeProcessorServer::Polling);
        for (int i = 0; i < Controls; ++i)
            pFake->setAnswer(query(i), query(i) + "=-12.0");
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
    int commandCount() const
    {
        int count = 0;
        QMetaObject::invokeMethod(pFake, [this, &count]() { count = int(pFake->commands().size()); },
                                  Qt::BlockingQueuedConnection);
        return count;
    }
};

struct Result
{
    double cpuSeconds = 0;
    int exchanges = 0;
    long rssEarlyKiB = 0;
    long rssEndKiB = 0;
};

Result s_stack;
Result s_bare;

// Runs the event loop for the whole run, sampling memory after the first second.
void runFor(Result &result)
{
    QTimer::singleShot(1000, [&result]() { result.rssEarlyKiB = residentKiB(); });
    QEventLoop loop;
    QTimer::singleShot(RunMs, &loop, &QEventLoop::quit);
    loop.exec();
    result.rssEndKiB = residentKiB();
}

// ---------------------------------------------------------------- the stack

struct PolledControl
{
    FakeNode node;
    CAttributes attributes;
    TText transform;

    explicit PolledControl(int i)
        : node(QStringLiteral("Blocks"), QStringLiteral("Gain %1").arg(i))
    {
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("struct"), QStringLiteral("1"));
        attributes.setAttribute(QStringLiteral("list"), QStringLiteral("index1"), QStringLiteral("1"));
        transform.setAttributes(&attributes);
        transform.setNode(&node);
        transform.setPollDivider(PollDivider);
    }
};

void BM_ProtocolStack(benchmark::State &state)
{
    for (auto _ : state) {
        Peer peer;
        ITcpClient client;
        PVMDProtocol protocol;
        client.setProtocol(&protocol);
        client.setHostAddress(QHostAddress(QHostAddress::LocalHost));
        client.setPort(peer.pFake->port());
        protocol.setInterface(&client);
        protocol.subscriptionManager()->setClient(&client);
        std::vector<std::unique_ptr<PolledControl>> controls;
        for (int i = 0; i < Controls; ++i)
            controls.push_back(std::make_unique<PolledControl>(i));
        int replies = 0;
        for (auto &pControl : controls) {
            QObject::connect(&pControl->transform, &TTransform::replyValueReady,
                             [&replies]() { ++replies; });
        }
        if (!client.open())
            state.SkipWithError("no connection");
        // The panel's poll: one control every 5 ms, due once per divider period.
        int next = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            PolledControl &control = *controls[size_t(next)];
            next = (next + 1) % Controls;
            if (control.transform.pollDue())
                protocol.requestValue(&control.transform);
        });
        const double start = threadCpuSeconds();
        poll.start(PollStepMs);
        runFor(s_stack);
        poll.stop();
        s_stack.cpuSeconds = threadCpuSeconds() - start;
        s_stack.exchanges = replies;
        client.close();
        state.SetIterationTime(s_stack.cpuSeconds);
    }
    state.counters["exchanges"] = s_stack.exchanges;
}

// ---------------------------------------------------------------- the bare loop

void BM_BareSocket(benchmark::State &state)
{
    for (auto _ : state) {
        Peer peer;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), peer.pFake->port());
        if (!socket.waitForConnected(1000))
            state.SkipWithError("no connection");
        std::vector<int> countdowns(Controls, 0);
        QList<QByteArray> waiting;
        bool awaiting = false;
        int replies = 0;
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
                ++replies;
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
            countdown = PollDivider;
            const QByteArray command = query(i);
            if (!waiting.contains(command))
                waiting.append(command);
            writeNext();
        });
        const double start = threadCpuSeconds();
        poll.start(PollStepMs);
        runFor(s_bare);
        poll.stop();
        s_bare.cpuSeconds = threadCpuSeconds() - start;
        s_bare.exchanges = replies;
        socket.abort();
        state.SetIterationTime(s_bare.cpuSeconds);
    }
    state.counters["exchanges"] = s_bare.exchanges;
}

BENCHMARK(BM_ProtocolStack)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSocket)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    // The log file and settings of this run stay in a folder of its own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    qInstallMessageHandler(quietMessages);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (s_bare.cpuSeconds > 0 && s_stack.cpuSeconds > 0) {
        const double ratio = s_stack.cpuSeconds / s_bare.cpuSeconds;
        std::printf("exchanges: stack %d, bare %d\n", s_stack.exchanges, s_bare.exchanges);
        std::printf("CPU stack / bare socket: %.2f (goal at most 3) %s\n", ratio,
                    ratio <= 3.0 ? "ok" : "OVER");
        std::printf("resident memory of the stack run: %ld KiB after 1 s, %ld KiB at the end (%+ld KiB)\n",
                    s_stack.rssEarlyKiB, s_stack.rssEndKiB, s_stack.rssEndKiB - s_stack.rssEarlyKiB);
        std::printf("peak resident memory: %ld KiB\n", peakKiB());
    }
    benchmark::Shutdown();
    return 0;
}
