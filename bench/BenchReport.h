#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Runs the registered benchmarks of one program and keeps, for each benchmark and
// argument ("BM_Open/40"), the median of its repetitions: ratios printed from it do
// not depend on the last, possibly disturbed, run. Repetitions default to five.
class BenchReport : public benchmark::ConsoleReporter
{
public:
    // Which clock a ratio compares: wall time, or CPU time of the whole process
    // (every thread, for benchmarks registered with MeasureProcessCPUTime()).
    enum class Clock { Real, Cpu };

    // Private settings and cache folders, offscreen platform, the benchmark
    // library's own arguments with five repetitions unless asked otherwise.
    static void prepare(int *pArgc, char ***pArgv);
    // Only failures reach the terminal: a line per request or poll would swamp the figures.
    static void printFailuresOnly();
    // Runs what the command line selected; false on unknown arguments.
    bool run(int argc, char **argv);

    // The median time in the benchmark's own unit, 0 when the benchmark did not run.
    double time(const std::string &name, Clock clock = Clock::Real) const;
    // Prints "label: a/b (goal at most g) ok|OVER"; nothing when either did not run.
    void printRatio(const char *label, const std::string &ours, const std::string &reference, double goal,
                    Clock clock = Clock::Real) const;

    void ReportRuns(const std::vector<Run> &runs) override;

private:
    struct Median
    {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Median> m_medians;
};
