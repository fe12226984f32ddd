#include "BenchReport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

const char *const DefaultRepetitions = "--benchmark_repetitions=5";

std::vector<char *> &arguments()
{
    static std::vector<char *> s_arguments;
    return s_arguments;
}

} // namespace

void BenchReport::prepare(int *pArgc, char ***pArgv)
{
    // Settings and caches of this run stay in a folder of its own.
    static QTemporaryDir s_home;
    const QByteArray home = s_home.path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_CACHE_HOME", home + "/cache");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::vector<char *> &args = arguments();
    bool repetitionsGiven = false;
    for (int i = 0; i < *pArgc; ++i) {
        args.push_back((*pArgv)[i]);
        repetitionsGiven |= std::strncmp((*pArgv)[i], "--benchmark_repetitions", 23) == 0;
    }
    if (!repetitionsGiven)
        args.push_back(const_cast<char *>(DefaultRepetitions));
    args.push_back(nullptr);
    *pArgc = int(args.size()) - 1;
    *pArgv = args.data();
}

bool BenchReport::run(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return false;
    benchmark::RunSpecifiedBenchmarks(this);
    benchmark::Shutdown();
    return true;
}

void BenchReport::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        const std::string name = run.run_name.function_name
                                 + (run.run_name.args.empty() ? std::string() : "/" + run.run_name.args);
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        // A single run is its own median.
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (median || single)
            m_medians[name] = Median{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
}

double BenchReport::time(const std::string &name, Clock clock) const
{
    const auto it = m_medians.find(name);
    if (it == m_medians.end())
        return 0;
    return clock == Clock::Cpu ? it->second.cpu : it->second.real;
}

void BenchReport::printRatio(const char *label, const std::string &ours, const std::string &reference,
                             double goal, Clock clock) const
{
    const double a = time(ours, clock);
    const double b = time(reference, clock);
    if (a <= 0 || b <= 0)
        return;
    std::printf("%s: %.2f (median %s time, goal at most %.2f) %s\n", label, a / b,
                clock == Clock::Cpu ? "CPU" : "wall", goal, a / b <= goal ? "ok" : "OVER");
}

void BenchReport::printFailuresOnly()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg || type == QtCriticalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}
