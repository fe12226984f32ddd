// Packing and unpacking a project archive against the bare qCompress and
// qUncompress of the same bytes: the archive should add at most 15 %.
#include "utility/UArchive.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

namespace {

const int s_nMiB = 1024 * 1024;

// Line-oriented XML-like text, compressible as project and design files are.
QByteArray textLike(int size, quint32 seed)
{
    QByteArray bytes;
    bytes.reserve(size + 128);
    while (bytes.size() < size) {
        seed = seed * 1664525u + 1013904223u;
        bytes += "\t\t<Control id=\"" + QByteArray::number(seed >> 20) + "\"><x>"
                 + QByteArray::number((seed >> 8) & 0x3FF) + "</x><name>Fader "
                 + QByteArray::number(seed & 0xFF) + "</name></Control>\n";
    }
    bytes.truncate(size);
    return bytes;
}

// Noise, as already compressed images are; with runs when half-compressible.
QByteArray randomLike(int size, quint32 seed, bool bRuns)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = bRuns && (i & 0x40) ? char(i >> 10) : char(seed >> 24);
    }
    return bytes;
}

struct Corpus
{
    QTemporaryDir dir;
    QStringList paths;
    QStringList folders;
    QList<QByteArray> contents;
    QList<QByteArray> stored;
    QString archivePath;

    void add(const QString &name, const QString &folder, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("src/") + name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        paths << path;
        folders << folder;
        contents << bytes;
        stored << qCompress(bytes);
    }

    Corpus()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("src")));
        add(QStringLiteral("Lobby.cpf"), QString(), textLike(2 * s_nMiB, 1));
        add(QStringLiteral("Lobby.vmp"), QStringLiteral("project"), textLike(6 * s_nMiB, 2));
        for (int i = 0; i < 24; ++i) {
            add(QStringLiteral("image%1.png").arg(i), QStringLiteral("image"),
                randomLike(s_nMiB / 2, quint32(100 + i), i % 2 == 1));
        }
        archivePath = dir.filePath(QStringLiteral("Lobby.cpz"));
        QSettings settings(QStringLiteral("Harlo"), QStringLiteral("Velmora Viviza builder 3.0"));
        settings.setValue(QStringLiteral("Path/Archive"), dir.filePath(QStringLiteral("out")));
        if (!pack())
            qFatal("cannot write %s", qPrintable(archivePath));
    }

    bool pack() const
    {
        UArchive archive;
        archive.setPath(archivePath);
        for (int i = 0; i < paths.size(); ++i)
            archive.addFile(paths.at(i), folders.at(i));
        return archive.write();
    }
};

Corpus &corpus()
{
    static Corpus s_corpus;
    return s_corpus;
}

void setBytes(benchmark::State &state)
{
    qint64 total = 0;
    for (const QByteArray &bytes : corpus().contents)
        total += bytes.size();
    state.SetBytesProcessed(state.iterations() * total);
}

void BM_Compress(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &bytes : corpus().contents)
            benchmark::DoNotOptimize(qCompress(bytes));
    }
    setBytes(state);
}

void BM_Pack(benchmark::State &state)
{
    for (auto _ : state) {
        if (!corpus().pack())
            state.SkipWithError("write failed");
    }
    setBytes(state);
}

void BM_Uncompress(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &bytes : corpus().stored)
            benchmark::DoNotOptimize(qUncompress(bytes));
    }
    setBytes(state);
}

void BM_Unpack(benchmark::State &state)
{
    for (auto _ : state) {
        UArchive archive;
        if (!archive.read(corpus().archivePath))
            state.SkipWithError("read failed");
    }
    setBytes(state);
}

BENCHMARK(BM_Compress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Unpack)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps the time of every benchmark so the ratios can be printed at the end:
// the median when repetitions are asked for, else the mean of the runs.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            Times &times = m_times[run.run_name.function_name];
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration) {
                times.sum += run.GetAdjustedRealTime();
                ++times.count;
            } else if (run.aggregate_name == "median") {
                times.median = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char *label, const std::string &archive, const std::string &bare) const
    {
        const double a = time(archive);
        const double b = time(bare);
        if (a <= 0 || b <= 0)
            return;
        const double ratio = a / b;
        std::printf("%s: %.3f (archive adds %+.1f %%, goal at most +15 %%) %s\n", label, ratio,
                    (ratio - 1.0) * 100.0, ratio <= 1.15 ? "ok" : "OVER");
    }

private:
    struct Times
    {
        double sum = 0;
        int count = 0;
        double median = 0;
    };

    double time(const std::string &name) const
    {
        const auto it = m_times.find(name);
        if (it == m_times.end())
            return 0;
        return it->second.median > 0 ? it->second.median
                                     : (it->second.count > 0 ? it->second.sum / it->second.count : 0);
    }

    std::map<std::string, Times> m_times;
};

}

int main(int argc, char **argv)
{
    // Settings and caches of this run stay in a folder of its own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    corpus();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("pack / qCompress", "BM_Pack", "BM_Compress");
    reporter.printRatio("unpack / qUncompress", "BM_Unpack", "BM_Uncompress");
    benchmark::Shutdown();
    return 0;
}
